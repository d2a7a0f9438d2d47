#!/usr/bin/env bash
# The portable program folder works on a machine without Qt: the build is packed the way
# `make dist` packs it, the archive is unpacked into a fresh folder, and there, with the
# system's Qt libraries, plugins and translations (and the fonts the folder ships) hidden in a
# private mount namespace, the program's libraries all resolve inside the folder and the
# program starts, reaches the login screen and saves a card (run on the offscreen platform and,
# where Xvfb is installed, on X11 as well).
#   portable_folder.sh <build dir> <source dir>
set -euo pipefail
build=$1
source=$2

skip() {
    echo "SKIP: $*"
    exit 77
}
[ "$(id -u)" -eq 0 ] || skip "hiding the system's Qt takes root (a private mount namespace)"
command -v unshare >/dev/null || skip "unshare is not installed"
work=$(mktemp -d /tmp/onderia-dist-test.XXXXXX)
trap 'rm -rf "$work"' EXIT
: >"$work/probe"
unshare -m mount --bind /dev/null "$work/probe" 2>/dev/null ||
    skip "no private mount namespace with bind mounts can be made here"

archive=$(bash "$source/scripts/dist.sh" "$build" "$work/out" | tail -n 1)
case "$archive" in
*/Onderia-*-linux-*.tar.gz) ;;
*) echo "unexpected archive name: $archive" >&2; exit 1 ;;
esac
mkdir "$work/fresh"
tar -C "$work/fresh" -xzf "$archive"
rm -rf "$work/out" # nothing of the packing folder is left to lean on

unshare -m bash "$source/tests/dist/hidden_qt_run.sh" "$work/fresh/Onderia" "$work"
