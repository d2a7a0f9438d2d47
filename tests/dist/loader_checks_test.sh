#!/usr/bin/env bash
# What the portable folder's test lets the program take from outside the folder, on loader logs
# as a desktop gives them: the base system's own choices pass, whoever their libraries are; a
# library the folder ships, or one the program itself needs that is not of the base system,
# fails.
set -uo pipefail
folder=$(mktemp -d /tmp/onderia-loader-checks.XXXXXX)
trap 'rm -rf "$folder"' EXIT
mkdir -p "$folder/lib" "$folder/plugins/platforms"
touch "$folder/lib/libQt6Core.so.6" "$folder/lib/libQt6DBus.so.6" "$folder/lib/libicuuc.so.72"
fail() {
    echo "$*"
    exit 1
}
source "$(dirname "$0")/loader_checks.sh"

sys=/usr/lib/x86_64-linux-gnu
# $1: expected (pass or fail); $2: case; $3: "NAME LOADER" lines; $4: paths loaded from outside.
expect() {
    local want=$1 what=$2 said got
    printf '%s\n' "$3" >"$folder/loads"
    said=$( (check_loaded "$what" "$folder/loads" <<<"$4") 2>&1) && got=pass || got=fail
    if [ "$got" != "$want" ]; then
        echo "FAIL: $what: expected $want, got $got${said:+: $said}"
        failures=$((failures + 1))
    else
        echo "ok: $what ($got)"
    fi
}
failures=0

expect pass "a desktop's name service and D-Bus security libraries" \
    "libQt6Core.so.6 $folder/onderia
libdbus-1.so.3 $folder/lib/libQt6DBus.so.6
libapparmor.so.1 $sys/libdbus-1.so.3
libaudit.so.1 $sys/libdbus-1.so.3
libcap-ng.so.0 $sys/libaudit.so.1
libselinux.so.1 $sys/libdbus-1.so.3
libnss_systemd.so.2 $sys/libc.so.6
libcap.so.2 $sys/libnss_systemd.so.2" \
    "$sys/libc.so.6
$sys/libdbus-1.so.3
$sys/libapparmor.so.1
$sys/libaudit.so.1
$sys/libcap-ng.so.0
$sys/libselinux.so.1
$sys/libnss_systemd.so.2
$sys/libcap.so.2"

expect fail "a library the program needs that is not of the base system" \
    "libQt6Core.so.6 $folder/onderia
libpcre2-16.so.0 $folder/lib/libQt6Core.so.6" \
    "$sys/libc.so.6
$sys/libpcre2-16.so.0"

expect fail "a plugin that takes the system's Qt" \
    "libQt6Core.so.6 $folder/plugins/platforms/libqxcb.so" \
    "$sys/libQt6Core.so.6"

expect fail "the folder's ICU taken from outside through a base library" \
    "libdbus-1.so.3 $folder/lib/libQt6DBus.so.6
libicuuc.so.72 $sys/libdbus-1.so.3" \
    "$sys/libdbus-1.so.3
$sys/libicuuc.so.72"

[ "$failures" -eq 0 ] && echo "PASS" || exit 1
