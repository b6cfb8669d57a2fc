#!/usr/bin/env bash
# Runs the full-disk test on a real full disk:
#   full-disk.sh <pellith_e2e.exe> <pellith.exe> <artifacts folder> [GoogleTest options...]
# Mounts a 256 KiB tmpfs (this needs root), names its folder to the test in
# PELLITH_FULL_DISK_FOLDER, runs the FilesFullDisk group through run-e2e.sh and
# unmounts it again. When the mount is refused the test is still run and skips
# itself, saying why (PELLITH_FULL_DISK_REFUSED).
set -uo pipefail
if [ $# -lt 3 ]; then
  echo "usage: $0 <pellith_e2e.exe> <pellith.exe> <artifacts folder> [GoogleTest options...]" >&2
  exit 2
fi
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

disk=$(mktemp -d "${TMPDIR:-/tmp}/pellith-full-disk.XXXXXX") || exit 1
unset PELLITH_FULL_DISK_FOLDER PELLITH_FULL_DISK_REFUSED
if refusal=$(mount -t tmpfs -o size=256k,mode=0777 pellith-full-disk "$disk" 2>&1); then
  cleanup() {
    # A Wine process that still holds a file there must not keep the mount alive.
    umount "$disk" 2>/dev/null || umount -l "$disk"
    rmdir "$disk"
  }
  export PELLITH_FULL_DISK_FOLDER; PELLITH_FULL_DISK_FOLDER=$(printf 'Z:%s' "${disk//\//\\}")
  echo "full-disk: $(df -h --output=size,avail "$disk" | tail -1 | tr -s ' ') tmpfs at $disk"
else
  cleanup() { rmdir "$disk"; }
  export PELLITH_FULL_DISK_REFUSED="mount -t tmpfs as $(id -un) failed: ${refusal:-no reason given}"
  echo "full-disk: $PELLITH_FULL_DISK_REFUSED"
fi
trap cleanup EXIT

bash "$here/run-e2e.sh" "$@" --gtest_filter='FilesFullDisk*'
