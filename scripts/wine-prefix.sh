#!/usr/bin/env bash
# Creates the private Wine prefix once, with the settings a headless run needs.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"

stamp="$WINEPREFIX/.pellith-ready"
[ -f "$stamp" ] && exit 0

echo "Creating the Wine prefix in $WINEPREFIX"
rm -rf "$WINEPREFIX"
mkdir -p "$(dirname "$WINEPREFIX")"
"$WINE" wineboot -i >/dev/null 2>&1
reg() { "$WINE" reg add "$@" /f >/dev/null 2>&1; }
# Without a window manager: unmanaged windows keep their title bars and close at once.
reg 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N
# A crash ends the process instead of waiting on a dialog nobody sees.
reg 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0
"$WINESERVER" -w
touch "$stamp"
