#!/usr/bin/env bash
# Makes a Wine prefix of its own for tests that change the machine (HKLM, HKCU, Program Files,
# the Start menu), as a copy of a ready one. The Windows folder, which these tests never
# write, is hard-linked to save 1.3 GB of copying; everything else is copied.
#   fresh_prefix.sh <ready prefix> <new prefix>      make it
#   fresh_prefix.sh --stop <prefix>                  end its wineserver
set -euo pipefail

if [ "${1:-}" = --stop ]; then
    WINEPREFIX=$2 wineserver -k >/dev/null 2>&1 || true
    exit 0
fi
source=$1
target=$2
[ -f "$source/system.reg" ] || { echo "no ready Wine prefix at $source" >&2; exit 1; }
WINEPREFIX=$target wineserver -k >/dev/null 2>&1 || true
rm -rf "$target"
mkdir -p "$target/drive_c"
for entry in "$source"/* "$source"/.[!.]*; do
    [ -e "$entry" ] || [ -L "$entry" ] || continue
    [ "$(basename "$entry")" = drive_c ] && continue
    cp -a "$entry" "$target/"
done
for entry in "$source"/drive_c/*; do
    if [ "$(basename "$entry")" = windows ]; then
        cp -al "$entry" "$target/drive_c/"
    else
        cp -a "$entry" "$target/drive_c/"
    fi
done
echo "fresh prefix: $target"
