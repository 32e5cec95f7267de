#!/usr/bin/env bash
# Mounts a tiny tmpfs, runs the disk-full copy test of the unit tests with it
# as the destination drive, and unmounts it again whatever happens.
# disk_full.sh BUILD_DIR UNIT_TESTS_EXE
set -u
here=$(cd "$(dirname "$0")" && pwd)
build_dir=$1
program=$2

# A run killed outright (SIGKILL) cannot clean up: its mount is removed by the
# next run, once the process that made it is gone.
for stale in /tmp/tvx_full.*; do
    [ -d "$stale" ] || continue
    owner=${stale##*.}
    [ -e "/proc/$owner" ] && continue
    if mountpoint -q "$stale"; then
        umount "$stale" 2>/dev/null || umount -l "$stale"
    fi
    rmdir "$stale" 2>/dev/null
done

mount_point=/tmp/tvx_full.$$
mkdir "$mount_point" || exit 1
cleanup() {
    if mountpoint -q "$mount_point"; then
        umount "$mount_point" 2>/dev/null || { sleep 1; umount "$mount_point" 2>/dev/null; } ||
            umount -l "$mount_point"
    fi
    rmdir "$mount_point" 2>/dev/null
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

if ! error=$(mount -t tmpfs -o size=256k,mode=0777 tvx_full "$mount_point" 2>&1); then
    echo "SKIPPED: cannot mount a tmpfs for the disk-full test: $error"
    exit 77
fi

log="$build_dir/disk_full.log"
TALVIREX_FULL_DRIVE="Z:$(printf '%s' "$mount_point" | tr / '\\')" \
    "$here/../support/wine-run.sh" "$build_dir" "$program" --gtest_filter='CopyDiskFull.*' 2>&1 |
    tee "$log"
status=${PIPESTATUS[0]}
# The test skips itself when it does not see the drive: that must not pass here.
if [ "$status" -eq 0 ] && ! grep -q '^\[  PASSED  \] 1 test' "$log"; then
    echo "the disk-full test did not run"
    status=1
fi
rm -f "$log"
exit "$status"
