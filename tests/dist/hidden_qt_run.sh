#!/usr/bin/env bash
# Run by portable_folder.sh inside a private mount namespace (unshare -m): hides the system's
# Qt, checks that the folder's libraries resolve inside it, and starts the program there.
#   hidden_qt_run.sh <unpacked program folder> <scratch folder>
set -euo pipefail
folder=$1
work=$2
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Nothing mounted here leaks out of the namespace.
mount --make-rprivate /
: >"$work/empty"
mkdir -p "$work/nothing"
shopt -s nullglob
for f in /usr/lib/libQt6* /usr/lib/*/libQt6*; do
    [ -f "$f" ] && [ ! -L "$f" ] && mount --bind "$work/empty" "$f"
done
# Qt's plugins and translations, and the fonts the folder brings along.
for d in /usr/lib/*/qt6 /usr/lib/qt6 /usr/share/qt6 /usr/share/fonts/truetype/liberation* \
    /usr/share/fonts/truetype/dejavu; do
    [ -d "$d" ] && mount --bind "$work/nothing" "$d"
done
for f in /usr/lib/*/libQt6Core.so.6; do
    [ -s "$f" ] && fail "the system's Qt is still visible at $f"
done

# shellcheck source=loader_checks.sh
source "$(dirname "$0")/loader_checks.sh"

# $1: the file; the rest: the ldd command.
check_ldd() {
    local file=$1 listing
    shift
    listing=$("$@" "$file" 2>&1) || fail "ldd failed on $file: $listing"
    if grep -q "not found" <<<"$listing"; then
        fail "unresolved libraries of $file:"$'\n'"$(grep "not found" <<<"$listing")"
    fi
    check_outside "$file" < <(awk '$2 == "=>" { print $3 } $2 != "=>" && $1 ~ /^\// { print $1 }' \
        <<<"$listing" | grep -v "^$folder/")
}

# The libraries: the program's whole tree as ldd sees it, and each shipped library and plugin
# with the folder's lib/ on the search path, as the program's RPATH puts it for them at run time.
check_ldd "$folder/onderia" ldd
grep -q "libQt6Core.so.6 => $folder/lib/" <<<"$(ldd "$folder/onderia")" || fail "ldd shows no Qt Core"
for f in "$folder"/lib/*.so* "$folder"/plugins/*/*.so; do
    check_ldd "$f" env LD_LIBRARY_PATH="$folder/lib" ldd
done

# The program, from an unrelated working folder and with an environment that points nowhere.
mkdir -m 700 -p "$work/runtime" "$work/home"
run() {
    local platform=$1
    shift
    rm -f "$folder/Vuvedi_Duvav.pro"
    local code=0
    (cd / && env -i PATH=/usr/bin:/bin HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" \
        QT_QPA_PLATFORM="$platform" LD_DEBUG=files LD_DEBUG_OUTPUT="$work/ld-$platform" "$@" \
        timeout 60 "$folder/onderia" --smoke-test) >"$work/out-$platform" 2>&1 || code=$?
    sed "s/^/[$platform] /" "$work/out-$platform"
    [ "$code" -eq 0 ] || fail "the program on $platform ended with $code"
    for line in "login screen shown" "start menu shown" "fleet card screen shown" \
        "card saved at position 1, fleet file of 3581 bytes" "back at the start menu" \
        "font Arial: Liberation Sans" "font Courier New: Liberation Mono" \
        "font Verdana: DejaVu Sans" "Qt's Yes button: &Sì"; do
        grep -qxF "smoke: $line" "$work/out-$platform" || fail "no \"$line\" on $platform"
    done
    grep -q "PROVA-01" "$folder/Vuvedi_Duvav.pro" || fail "the saved card is not in the file"
    # What the program actually loaded, plugins included, and who loaded each.
    local loaded
    loaded=$(cat "$work/ld-$platform".* | sed -n 's/.*calling init: //p' | sort -u)
    grep -q "^$folder/plugins/platforms/" <<<"$loaded" || fail "no platform plugin from the folder"
    cat "$work/ld-$platform".* |
        sed -n 's/.*file=\([^ ]*\) \[[0-9]*\];  \(needed by\|dynamically loaded by\) \([^ ]*\) .*/\1 \3/p' |
        sort -u >"$work/loads-$platform"
    check_loaded "the program on $platform" "$work/loads-$platform" < <(grep -v "^$folder/" <<<"$loaded")
}

run offscreen

if command -v Xvfb >/dev/null; then
    Xvfb -displayfd 3 -screen 0 1366x768x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
    xvfb=$!
    trap 'kill $xvfb 2>/dev/null || true' EXIT
    for _ in $(seq 100); do
        [ -s "$work/display" ] && break
        sleep 0.1
    done
    display=$(cat "$work/display")
    [ -n "$display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
    run xcb DISPLAY=":$display"
else
    echo "Xvfb is not installed: the X11 run is left out"
fi
echo "PASS: the unpacked folder runs with the system's Qt hidden"
