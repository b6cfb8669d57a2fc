#!/usr/bin/env bash
# Installs what building, running and testing need on Debian 12, as root.
# Only missing packages are installed, so a second run costs a second.
set -euo pipefail

packages=(
  cmake make g++ googletest libgtest-dev libbenchmark-dev
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine64 wine xvfb xauth x11-utils locales
  # Recommended by Wine, so left out by --no-install-recommends: mouse cursors.
  libxcursor1
  fonts-wqy-zenhei fonts-arphic-uming fonts-wine
  imagemagick
  # The help file: chmcmd compiles it, enum_chmLib and extract_chmLib check it.
  fp-utils libchm-bin
  # Printing: a private print server with a PDF printer (scripts/cups.sh, which
  # Ghostscript serves), and the tools the tests read jobs and PDFs with.
  cups cups-client cups-bsd cups-ipp-utils printer-driver-cups-pdf libcups2 ghostscript poppler-utils
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# zh_CN.UTF-8 gives Wine the Chinese ANSI code page 936.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
  sed -i 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen >/dev/null
fi
