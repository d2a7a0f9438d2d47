#!/usr/bin/env bash
# The Windows program folder works from the zip alone: the build is packed the way
# `make windows` packs it, the zip is unpacked into a fresh folder of the Wine prefix whose path
# has blanks and accents, every DLL the folder ships imports only DLLs of the folder or of the
# system, and the program, started there on the windows platform under Xvfb with no DLL path,
# runs the smoke test: logs in, saves a card, prints it to a PDF file, records a pick-up and a
# return with its confirmation, opens the history summary and exports it.
#   windows_folder.sh <build dir> <source dir> <wine>
set -euo pipefail
build=$(realpath "$1")
source=$(realpath "$2")
wine=$3
export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all

skip() {
    echo "SKIP: $*"
    exit 77
}
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
command -v xvfb-run >/dev/null || skip "xvfb-run is not installed"
command -v zip >/dev/null && command -v unzip >/dev/null || skip "zip and unzip are not installed"

work=$(mktemp -d /tmp/onderia-windows-test.XXXXXX)
folder="$WINEPREFIX/drive_c/Stabilimento Lido Niccolò"
trap 'rm -rf "$work" "$folder"' EXIT
cmake --install "$build" --prefix "$work/Onderia" >"$work/install.log"
name=$(cat "$build/dist-name.txt")
(cd "$work" && zip -qr -X "$work/$name.zip" Onderia)
rm -rf "$work/Onderia" "$folder"
mkdir -p "$folder"
unzip -q "$work/$name.zip" -d "$folder"
app="$folder/Onderia"
[ -f "$app/onderia.exe" ] || fail "no onderia.exe in the zip"

# Every import of every shipped module: in the folder, or a DLL the system has.
system32="$WINEPREFIX/drive_c/windows/system32"
objdump=$(command -v x86_64-w64-mingw32-objdump) || skip "x86_64-w64-mingw32-objdump is not installed"
while IFS= read -r module; do
    while IFS= read -r dll; do
        [ -n "$(find "$app" -maxdepth 1 -iname "$dll" -print -quit)" ] && continue
        [ -n "$(find "$system32" -maxdepth 1 -iname "$dll" -print -quit)" ] && continue
        case "${dll,,}" in api-ms-win-*) continue ;; esac
        fail "${module#$app/} imports $dll, which is neither in the folder nor in the system"
    done < <("$objdump" -p "$module" | sed -n 's/^\s*DLL Name: //p')
done < <(find "$app" -iname '*.exe' -o -iname '*.dll' ! -name unins000.dll)

# The version and the icon in the program's resources.
"$objdump" -h "$app/onderia.exe" | grep -q '\.rsrc' || fail "onderia.exe has no resources"

# The program, with an environment that names no DLL folder, from an unrelated folder. Wine's
# desktop window (its X display) belongs to the prefix's wineserver: one left by another test,
# started without this Xvfb, would never show the program's windows. The test runs alone
# (RUN_SERIAL): wait for that server to end, so the program starts its own under Xvfb.
"$(dirname "$wine")/wineserver" -w
cd /
code=0
env -i PATH=/usr/bin:/bin HOME="$work" WINEPREFIX="$WINEPREFIX" WINEDEBUG=-all \
    timeout 180 xvfb-run -a -s "-screen 0 1366x768x24" \
    "$wine" "C:\\Stabilimento Lido Niccolò\\Onderia\\onderia.exe" --smoke-test -platform windows \
    >"$work/out" 2>"$work/err" || code=$?
cat "$work/out"
[ "$code" -eq 0 ] || { cat "$work/err" >&2; fail "the program ended with $code"; }
for line in "login screen shown" "start menu shown" "fleet card screen shown" \
    "card saved at position 1, fleet file of 3581 bytes" "back at the start menu" \
    "font Arial: Liberation Sans" "font Courier New: Liberation Mono" \
    "font Verdana: DejaVu Sans" "Qt's Yes button: &Sì" "print screen shown" \
    "pick-up recorded" "return confirmation shown" "return recorded" "period selection shown" \
    "history summary shown with 1 rental(s)" "start menu shown again"; do
    grep -qxF "smoke: $line" <(tr -d '\r' <"$work/out") || fail "no \"$line\""
done
for line in "card printed to print-1.pdf of [0-9]+ bytes" \
    "history exported to Dizidov_Izevude.xls of [0-9]+ bytes"; do
    grep -qxE "smoke: $line" <(tr -d '\r' <"$work/out") || fail "no \"$line\""
done
grep -q "PROVA-01" "$app/Vuvedi_Duvav.pro" || fail "the saved card is not in the file"
# The printed card and the exported history, as files a desk would open.
head -c 5 "$app/print-1.pdf" | grep -q '%PDF-' || fail "print-1.pdf is not a PDF file"
if command -v pdftotext >/dev/null; then
    pdftotext "$app/print-1.pdf" - | grep -q "PROVA-01" || fail "the printed card lacks its code"
fi
grep -aq "PROVA-01" "$app/Dizidov_Izevude.xls" || fail "the exported history lacks the rental"
echo "PASS: the unzipped folder runs under Wine from \"C:\\Stabilimento Lido Niccolò\\Onderia\""
