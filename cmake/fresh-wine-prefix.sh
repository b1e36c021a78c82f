#!/usr/bin/env bash
# Makes a Wine prefix for one test program as a copy of a ready one. The Windows folder, which
# tests never change, is hard-linked to save 1.3 GB of copying; everything else is copied.
#   fresh-wine-prefix.sh <ready prefix> <new prefix>
set -euo pipefail

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
# Xvfb runs no window manager, yet Wine hands the windows it manages to one and, whenever such a
# window is hidden, waits 2 s for it to answer. Test programs keep their windows to themselves.
if ! grep -q '^\[Software\\\\Wine\\\\X11 Driver\]' "$target/user.reg"; then
    printf '\n[Software\\\\Wine\\\\X11 Driver] %s\n"Managed"="N"\n' "$(date +%s)" >>"$target/user.reg"
fi
echo "fresh prefix: $target"
