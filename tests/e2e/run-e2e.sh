#!/usr/bin/env bash
# Runs the end-to-end tests under Wine:
#   run-e2e.sh <pellith_e2e.exe> <pellith.exe> <artifacts folder> [GoogleTest options...]
# The log always goes to the artifacts folder; after a failure the folder also
# holds a screenshot of each failed test, taken at its first failed check, and
# one of the screen as the run left it. After a success the folder is removed.
set -uo pipefail
if [ $# -lt 3 ]; then
  echo "usage: $0 <pellith_e2e.exe> <pellith.exe> <artifacts folder> [GoogleTest options...]" >&2
  exit 2
fi
e2e_exe=$(realpath "$1")
program=$(realpath "$2")
artifacts=$(realpath -m "$3")
shift 3
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)

# ctest may start us without any of the environment.
source "$root/scripts/wine-env.sh"
source "$root/scripts/display.sh"
bash "$root/scripts/wine-prefix.sh" || exit 1
own_display=${PELLITH_XVFB_PID:-}
if [ -n "$own_display" ]; then
  # Wine processes stay tied to the display they started on: end them with it.
  trap '"$WINESERVER" -k 2>/dev/null; kill "$own_display" 2>/dev/null' EXIT
fi
# One wineserver and a booted prefix for the whole run, not one per test.
"$WINESERVER" -p 2>/dev/null
"$WINE" wineboot >/dev/null 2>&1

windows_path() { printf 'Z:%s' "${1//\//\\}"; }
rm -rf "$artifacts"
mkdir -p "$artifacts"
export PELLITH_EXE; PELLITH_EXE=$(windows_path "$program")
export PELLITH_E2E_ARTIFACTS; PELLITH_E2E_ARTIFACTS=$(windows_path "$artifacts")
log="$artifacts/output.log"

start=$(date +%s%N)
# The harness ends each program it started; the time limit only guards against a
# harness that hangs itself.
timeout --kill-after=10 "${PELLITH_E2E_TIME_LIMIT:-280}" "$WINE" "$e2e_exe" "$@" 2>&1 | tr -d '\r' | tee "$log"
status=${PIPESTATUS[0]}
echo "e2e: $(basename "$artifacts") took $(( ($(date +%s%N) - start) / 1000000 )) ms, exit status $status"

if [ "$status" -eq 0 ]; then
  rm -rf "$artifacts"
  exit 0
fi
import -window root "$artifacts/screen-after-run.png" 2>/dev/null
for bmp in "$artifacts"/*.bmp; do
  [ -e "$bmp" ] && convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
done
echo "e2e: failed; artifacts:"
for file in "$artifacts"/*; do echo "  $file"; done
exit "$status"
