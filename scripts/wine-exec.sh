#!/usr/bin/env bash
# Runs one Windows program under Wine: CMake's CMAKE_CROSSCOMPILING_EMULATOR,
# so ctest calls it as `wine-exec.sh program.exe args...`.
# ctest may hand over a nearly empty environment, so everything Wine needs is
# set here: without the prefix variables Wine quietly makes ~/.wine instead.
set -euo pipefail
export PATH="${PATH:-/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin}"
if [ -z "${HOME:-}" ]; then
  HOME="$(getent passwd "$(id -u)" | cut -d: -f6)"
  export HOME="${HOME:-/root}"
fi
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/wine-env.sh"
source "$here/display.sh"

if [ -z "${PELLITH_XVFB_PID:-}" ]; then
  exec "$WINE" "$@"
fi

# No display was given, so display.sh started an Xvfb for this one program:
# run it, then stop that Xvfb again instead of leaving it behind.
status=0
"$WINE" "$@" || status=$?
kill "$PELLITH_XVFB_PID" 2>/dev/null || true
wait "$PELLITH_XVFB_PID" 2>/dev/null || true
exit "$status"
