#!/usr/bin/env bash
# Builds pellith.exe for Windows and runs it under Wine, in the foreground,
# until the editor is closed.
# Uses the caller's X display; without one it starts Xvfb and says how to look.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-packages.sh
bash scripts/wine-prefix.sh
# Configured once; later builds re-run CMake by themselves when a CMakeLists.txt changes.
[ -f build/windows/CMakeCache.txt ] ||
  cmake -S . -B build/windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/windows -j2 --target pellith

source scripts/wine-env.sh
source scripts/display.sh
if [ -z "${DISPLAY:-}" ]; then
  echo "No X display could be found or started." >&2
  exit 1
fi

cups_started=0
cleanup() {
  if ((cups_started)); then
    bash scripts/cups.sh stop >/dev/null 2>&1 || true
  fi
  if [ -n "${PELLITH_XVFB_PID:-}" ]; then
    "$WINESERVER" -k >/dev/null 2>&1 || true
    kill "$PELLITH_XVFB_PID" 2>/dev/null || true
    wait "$PELLITH_XVFB_PID" 2>/dev/null || true
  fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

if [ -n "${PELLITH_XVFB_PID:-}" ]; then
  cat <<MESSAGE

Pellith记事本 runs on the virtual display $DISPLAY (no screen was available).
To look at it from another terminal on this machine:
  screenshot:  DISPLAY=$DISPLAY import -window root shot.png
  live view:   apt-get install x11vnc && x11vnc -display $DISPLAY -localhost -nopw
               then connect a VNC viewer to localhost:5900 (e.g. through ssh -L 5900:localhost:5900)
  typing:      apt-get install xdotool && DISPLAY=$DISPLAY xdotool type hello
Close the editor (or press Ctrl+C here) to stop.

MESSAGE
fi

# Print prints to PDF files through a private print server; Wine looks for
# printers when a process starts, so the server comes first.
cups_started=1
bash scripts/cups.sh start || echo "The print server did not start: no printer will be offered." >&2

echo "Starting build/windows/pellith.exe on $DISPLAY"
# The program reads and writes plconfig.ini beside itself, in build/windows/.
status=0
"$WINE" build/windows/pellith.exe || status=$?
echo "Pellith记事本 exited with code $status"
exit "$status"
