# Sourced by the other scripts: the one place that says how Wine is run here.
# Every Wine process must see the same prefix, locale and debug settings, or
# Wine silently makes a second prefix in the home folder.
PELLITH_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export PELLITH_ROOT
export PELLITH_BUILD="${PELLITH_BUILD:-$PELLITH_ROOT/build}"
export WINE=/usr/lib/wine/wine64
export WINESERVER=/usr/lib/wine/wineserver
export WINEPREFIX="${PELLITH_WINEPREFIX:-$PELLITH_BUILD/wine-prefix}"
export WINEARCH=win64
export WINEDEBUG=-all
# No Mono or Gecko download prompts in a closed network.
export WINEDLLOVERRIDES="mscoree,mshtml="
# Code page 936: the program's texts are GBK bytes.
export LANG=zh_CN.UTF-8
export LC_ALL=zh_CN.UTF-8
# The private print server of scripts/cups.sh. Wine reads the printers when a
# process starts, so every Wine process must see it; nothing breaks when it is
# not running (there is then no printer).
export CUPS_SERVER="$PELLITH_BUILD/cups/cups.sock"
