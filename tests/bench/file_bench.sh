#!/usr/bin/env bash
# File benchmark: opening and saving GBK files of 1, 10 and 50 MiB with
# pellith.exe through its own dialogs, next to a minimal reference program and
# Wine's notepad.exe in the same run; prints times, peak memory and ratios.
#   bash tests/bench/file_bench.sh [--runs N] [--sizes 1,10,50]   (default 3 runs of each)
# Builds what is missing first; the build folder is $PELLITH_BUILD/windows
# (build/windows by default) and the files go to $PELLITH_BUILD/file-bench.
# Not part of the tests: the numbers depend on the machine, so it prints them
# and leaves the judging to the reader.
set -euo pipefail
cd "$(dirname "$0")/../.."

bash scripts/install-packages.sh
bash scripts/wine-prefix.sh
source scripts/wine-env.sh
build="$PELLITH_BUILD/windows"
[ -f "$build/CMakeCache.txt" ] ||
  cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 --target pellith pellith_file_bench pellith_file_reference >/dev/null

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

windows_path() { printf 'Z:%s' "$(realpath -m "$1")" | tr / '\\'; }
files="$PELLITH_BUILD/file-bench"
mkdir -p "$files"
echo "Files in $files (display $DISPLAY, $(nproc) cores, $(LC_ALL=C free -g | awk '/^Mem:/ {print $2}') GiB)"
started=$SECONDS
"$WINE" "$build/tests/bench/pellith_file_bench.exe" "$@" "$(windows_path "$files")" \
  "$(windows_path "$build/pellith.exe")" "$(windows_path "$build/tests/bench/pellith_file_reference.exe")" \
  'C:\windows\system32\notepad.exe' 2>&1 | tr -d '\r'
echo "Took $((SECONDS - started)) s"
