#!/usr/bin/env bash
# Startup benchmark: how long pellith.exe takes to open its window under Wine,
# next to Wine's own notepad.exe started the same way in the same run.
#   bash tests/bench/startup.sh [--runs N] [--warmup N]     (default 15 and 2)
# Builds what is missing first. Not part of the tests: the numbers depend on the
# machine, so it prints them and leaves the judging to the reader.
set -euo pipefail
cd "$(dirname "$0")/../.."

bash scripts/install-packages.sh
bash scripts/wine-prefix.sh
[ -f build/windows/CMakeCache.txt ] ||
  cmake -S . -B build/windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/windows -j2 --target pellith pellith_startup_timer >/dev/null

source scripts/wine-env.sh
source scripts/display.sh
cleanup() {
  "$WINESERVER" -k >/dev/null 2>&1 || true
  if [ -n "${PELLITH_XVFB_PID:-}" ]; then
    kill "$PELLITH_XVFB_PID" 2>/dev/null || true
    wait "$PELLITH_XVFB_PID" 2>/dev/null || true
  fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM
"$WINESERVER" -p >/dev/null 2>&1 || true
"$WINE" wineboot >/dev/null 2>&1

windows_path() { printf 'Z:%s' "$(realpath "$1")" | tr / '\\'; }
pellith="$(windows_path build/windows/pellith.exe)"
notepad='C:\windows\system32\notepad.exe'
echo "Timing $pellith and $notepad (display $DISPLAY, $(nproc) cores)"
"$WINE" build/windows/tests/bench/pellith_startup_timer.exe "$@" "$pellith" "$notepad"
