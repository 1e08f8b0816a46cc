#!/usr/bin/env bash
# Checks an installed game under <prefix>: the program, its 22 images, the icon,
# the manual page, the README and a desktop entry that desktop-file-validate
# accepts; then plays it from another folder (run_game.sh installed).
# Usage: run_installed.sh <prefix> <work directory>
set -u
prefix=$1
work=$2
here=$(cd "$(dirname "$0")" && pwd)

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

for file in bin/glintwake share/applications/glintwake.desktop share/icons/hicolor/64x64/apps/glintwake.png \
    share/man/man6/glintwake.6 share/doc/glintwake/README.md share/doc/glintwake/data/screenshot.png; do
    [[ -s "$prefix/$file" ]] || fail "$prefix/$file is missing"
done
images=$(find "$prefix/share/glintwake/Images" -name '*.bmp' | wc -l)
[[ $images -eq 22 ]] || fail "$images images installed, not 22"
desktop-file-validate "$prefix/share/applications/glintwake.desktop" || fail "the desktop entry is not valid"
grep -q "^.TH GLINTWAKE 6" "$prefix/share/man/man6/glintwake.6" || fail "the manual page has no section 6 title"
echo "$prefix: program, 22 images, icon, manual page, README and a valid desktop entry"
bash "$here/run_game.sh" "$prefix/bin/glintwake" "$work" installed
