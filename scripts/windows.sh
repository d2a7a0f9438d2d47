#!/usr/bin/env bash
# The Windows build, cross-compiled with MinGW-w64 and run under Wine:
#   scripts/windows.sh dist <build dir> <output dir>   program folder and zip
#   scripts/windows.sh test <build dir>                every test, run by CTest under Wine
# Qt for Windows comes from QT_WINDOWS (a prefix folder or the .tar.xz of one), unpacked once
# into the cache folder (ONDERIA_CACHE, default ~/.cache/onderia); without it Qt is built there
# from its sources by scripts/build-qt-mingw.sh.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
action=$1
build=$(realpath -m "$2")
jobs=${JOBS:-2}
cache=${ONDERIA_CACHE:-$HOME/.cache/onderia}

qt_prefix() {
    local given=${QT_WINDOWS:-}
    if [ -n "$given" ] && [ -d "$given/lib/cmake/Qt6" ]; then
        realpath "$given"
        return
    fi
    if [ -n "$given" ] && [ -f "$given" ]; then
        local name dest
        name=$(basename "$given" .tar.xz)
        dest="$cache/$name"
        if [ ! -f "$dest/.unpacked" ]; then
            echo "Unpacking $given into $dest" >&2
            rm -rf "$dest" "$dest.tmp"
            mkdir -p "$dest.tmp"
            tar -C "$dest.tmp" -xJf "$given"
            mv "$dest.tmp"/* "$dest"
            rmdir "$dest.tmp"
            touch "$dest/.unpacked"
        fi
        echo "$dest"
        return
    fi
    [ -n "$given" ] && { echo "QT_WINDOWS=$given is neither a Qt prefix nor an archive" >&2; exit 1; }
    local dest="$cache/qt-6.4.2-mingw-x86_64"
    if [ ! -f "$dest/.built" ]; then
        echo "No prebuilt Qt for Windows given (QT_WINDOWS): building it into $dest" >&2
        PREFIX="$dest" WORK="$cache/qt-mingw-work" OUT="$cache/qt-6.4.2-mingw-x86_64.tar.xz" \
            JOBS="$jobs" bash "$here/scripts/build-qt-mingw.sh" "${QT_SOURCES:-$here/../shared/toolchains/qt-mingw}" >&2
        touch "$dest/.built"
    fi
    echo "$dest"
}

qt=$(qt_prefix)
if [ ! -f "$build/build.ninja" ]; then
    cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_PREFIX_PATH="$qt" -DQT_HOST_PATH=/usr
fi

case "$action" in
dist)
    out=$(realpath -m "$3")
    cmake --build "$build" -j "$jobs" --target onderia_dist_parts
    name=$(cat "$build/dist-name.txt")
    folder="$out/Onderia-windows"
    mkdir -p "$out"
    rm -rf "$folder" "$out/$name.zip"
    cmake --install "$build" --prefix "$folder/Onderia" >"$build/dist-install.log"
    (cd "$folder" && zip -qr -X "$out/$name.zip" Onderia)
    echo "$out/$name.zip"
    ;;
test)
    cmake --build "$build" -j "$jobs"
    cd "$build"
    # The tests that do not pass under Wine yet are named, with what is left, and left out.
    pending=$(grep -v -e '^#' -e '^[[:space:]]*$' "$here/tests/windows-pending.txt" || true)
    exclude=""
    if [ -n "$pending" ]; then
        echo "NOT run under Wine yet (tests/windows-pending.txt):"
        while read -r name why; do
            echo "  $name: $why"
            exclude+="${exclude:+|}^$name\$"
        done <<<"$pending"
    fi
    ctest --output-on-failure -j "$jobs" --timeout 1200 ${exclude:+-E "$exclude"} ${CTEST_ARGS:-}
    ;;
*)
    echo "usage: $0 dist|test <build dir> [<output dir>]" >&2
    exit 2
    ;;
esac
