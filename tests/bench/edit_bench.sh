#!/usr/bin/env bash
# Editing benchmark: Find in a 50 MiB document and one word-wrap toggle on 1, 10
# and 50 MiB documents in pellith.exe, next to a minimal reference program doing
# the least the same step needs, plus the wait a user meets when wrap is turned
# on with one long line (64 KiB, 256 KiB, 1 MiB) and a character typed after it.
#   bash tests/bench/edit_bench.sh [--runs N] [--sizes 1,10,50] [--lines 64,256,1024] [--cap S]
#                                   (default 3 runs, a cap of 120 s per long-line step)
# Builds what is missing first; the build folder is $PELLITH_BUILD/windows
# (build/windows by default) and the documents go to $PELLITH_BUILD/edit-bench.
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
cmake --build "$build" -j2 --target pellith pellith_edit_bench pellith_edit_reference >/dev/null

source scripts/display.sh
own_display=${PELLITH_XVFB_PID:-}
cleanup() {
  # Wine processes stay tied to the display they started on: end them with it.
  if [ -n "$own_display" ]; then
    "$WINESERVER" -k >/dev/null 2>&1 || true
    kill "$own_display" 2>/dev/null || true
    wait "$own_display" 2>/dev/null || true
  fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM
"$WINESERVER" -p >/dev/null 2>&1 || true
"$WINE" wineboot >/dev/null 2>&1

windows_path() { printf 'Z:%s' "$(realpath -m "$1")" | tr / '\\'; }
documents="$PELLITH_BUILD/edit-bench"
mkdir -p "$documents"
# The font settings beside the program would change what is drawn.
if [ -e "$build/plconfig.ini" ]; then
  echo "Note: $build/plconfig.ini is present; the editor uses its font."
fi
echo "Documents in $documents (display $DISPLAY, $(nproc) cores, $(LC_ALL=C free -g | awk '/^Mem:/ {print $2}') GiB)"
started=$SECONDS
"$WINE" "$build/tests/bench/pellith_edit_bench.exe" "$@" "$(windows_path "$documents")" \
  "$(windows_path "$build/pellith.exe")" "$(windows_path "$build/tests/bench/pellith_edit_reference.exe")" 2>&1 |
  tr -d '\r'
rm -f "$documents"/edit-*MiB.txt "$documents"/line-*KiB.txt
echo "Took $((SECONDS - started)) s"
