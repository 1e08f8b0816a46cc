#!/usr/bin/env bash
# The window's pixels live in shared memory that the X server reads: no other local
# user may attach it. At depths 16, 24 and 30 the probe shows its picture, every
# segment it created is found, and an unprivileged user tries to read each one; the
# probe's own user reads it, to show the segment is the picture and the reader works.
# Usage: run_window_pixels_private.sh <window_probe> <shm_reader> <work directory>
set -u

probe=$1
reader=$2
work=$3
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=xvfb_lib.sh
source "$here/xvfb_lib.sh"

probe_pid=""
cleanup() {
    stop_process "$probe_pid"
    xvfb_stop
}
trap cleanup EXIT
DIE_SHOWS=("$work/probe.out" "$work/probe.err")
probe_says() { grep -q "^$1" "$work/probe.out"; }

mkdir -p "$work"
# The reader must be one the unprivileged user can run.
private_dir=$(mktemp -d)
trap 'cleanup; rm -rf "$private_dir"' EXIT
cp "$reader" "$private_dir/shm_reader"
chmod 755 "$private_dir" "$private_dir/shm_reader"
as_nobody() { setpriv --reuid=nobody --regid=nogroup --clear-groups "$@"; }
as_nobody true || die "cannot run a process as nobody"

for screen in 1280x960x24 1280x960x16 1280x960x30; do
    xvfb_start "$screen" || die "could not start Xvfb at $screen"
    rm -f "$work/probe.out" "$work/probe.err"
    "$probe" >"$work/probe.out" 2>"$work/probe.err" &
    probe_pid=$!
    wait_for 300 probe_says presented || die "$screen: the probe never presented a frame"
    sleep 0.3
    # Columns: key shmid perms size cpid ...
    segments=$(awk -v pid="$probe_pid" 'NR > 1 && $5 == pid { print $2 ":" $4 ":" $3 }' /proc/sysvipc/shm)
    window_bytes=$((1280 * 960 * (${screen##*x} == 16 ? 2 : 4)))
    found=0
    for segment in $segments; do
        IFS=: read -r id size mode <<<"$segment"
        ((size >= window_bytes)) && found=$((found + 1))
        own=$("$private_dir/shm_reader" "$id")
        [[ "$own" == read* ]] || fail "$screen: the game's own user cannot read segment $id ($own)"
        # The picture is in it: a blank segment would prove nothing.
        read -r _ _ lit <<<"$own"
        ((size < window_bytes || lit > 1000)) || fail "$screen: segment $id holds no picture"
        other=$(as_nobody "$private_dir/shm_reader" "$id")
        [[ "$other" == refused* ]] || fail "$screen: another user read the window's segment $id (mode $mode): $other"
        echo "$screen: segment $id, $size bytes, mode $mode: nobody $other"
    done
    ((found >= 1)) || fail "$screen: no segment of the window's size found (${segments:-none})"
    stop_process "$probe_pid"
    probe_pid=""
    xvfb_stop
done

((failures == 0)) || exit 1
echo "the window's pixels are closed to other users"
