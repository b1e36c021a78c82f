#!/usr/bin/env bash
# Gives a test's Wine prefix a small drive S: to fill: a tmpfs of its own beside the prefix,
# linked into it as the drive letter. Where the host does not allow the mount (no root, no
# tmpfs), the drive is left out and the reason written into the prefix, for the tests to skip
# with it. Called by cmake/run-wine-test.sh as the prefix's hook:
#   small_drive.sh start <prefix>     mount and link
#   small_drive.sh stop <prefix>      unlink and unmount
set -uo pipefail
action=$1 prefix=$2
letter=s size=96m mount_dir=$prefix-drive-$letter

unmount() {
    if mountpoint -q "$1"; then umount "$1" 2>/dev/null || umount -l "$1"; fi
    rmdir "$1" 2>/dev/null || true
}

if [ "$action" = stop ]; then
    rm -f "$prefix/dosdevices/$letter:"
    unmount "$mount_dir"
    exit 0
fi
reason_file=$prefix/small-drive-unavailable.txt
rm -f "$reason_file" "$prefix/dosdevices/$letter:"
unmount "$mount_dir"
mkdir -p "$mount_dir"
if ! output=$(mount -t tmpfs -o "size=$size,mode=0755" tmpfs "$mount_dir" 2>&1); then
    echo "no small drive: a tmpfs of $size could not be mounted at $mount_dir: $output" \
        >"$reason_file"
    cat "$reason_file"
    exit 0
fi
ln -s "$mount_dir" "$prefix/dosdevices/$letter:"
echo "drive $letter: is a tmpfs of $size at $mount_dir"
