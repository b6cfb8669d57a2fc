#!/usr/bin/env bash
# Creates the private Wine prefix once, with the settings a headless run needs.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"

stamp="$WINEPREFIX/.pellith-ready"
# Raise this when the settings below change, so existing prefixes take them.
settings_version=3

# Debian's Wine does not load the fonts of the fonts-wine package by itself, so
# title bars show "0 1 r" instead of their buttons: those are Marlett glyphs.
# Only Marlett is put into the prefix; every other face stays as it was.
add_marlett() {
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  if [ -d "$fonts" ] && [ ! -f "$fonts/marlett.ttf" ] && [ -f /usr/share/wine/fonts/marlett.ttf ]; then
    cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
  fi
}

if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$settings_version" ]; then
  add_marlett
  exit 0
fi

if [ ! -f "$stamp" ]; then
  echo "Creating the Wine prefix in $WINEPREFIX"
  rm -rf "$WINEPREFIX"
  mkdir -p "$(dirname "$WINEPREFIX")"
  "$WINE" wineboot -i >/dev/null 2>&1
fi
reg() { "$WINE" reg add "$@" /f >/dev/null 2>&1; }
# Without a window manager: unmanaged windows keep their title bars and close at once.
reg 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N
# A crash ends the process instead of waiting on a dialog nobody sees.
reg 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0
# One virtual desktop of the X screen's size holds every window. Without a
# window manager, minimising a bare X window now and then kills the process
# with an X BadWindow error; inside Wine's own desktop it behaves as on Windows.
reg 'HKCU\Software\Wine\Explorer' /v Desktop /t REG_SZ /d Default
reg 'HKCU\Software\Wine\Explorer\Desktops' /v Default /t REG_SZ /d 1280x1024
# Wine ships no 宋体 (SimSun): let the installed Song/Ming face stand in for it,
# so the editor's default font and the find dialog look as they should.
reg 'HKCU\Software\Wine\Fonts\Replacements' /v '宋体' /t REG_SZ /d 'AR PL UMing CN'
reg 'HKCU\Software\Wine\Fonts\Replacements' /v SimSun /t REG_SZ /d 'AR PL UMing CN'
add_marlett
echo "$settings_version" > "$stamp"
