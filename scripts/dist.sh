#!/usr/bin/env bash
# Lays out the portable program folder from a build and packs it:
#   scripts/dist.sh <build dir> <output dir>
# gives <output dir>/Onderia/ and <output dir>/<name>.tar.gz, the name coming from the build
# (project version, system, processor). The folder is laid out afresh each time.
set -euo pipefail
build=$(realpath "$1")
out=$(realpath -m "$2")
name=$(cat "$build/dist-name.txt")
mkdir -p "$out"
rm -rf "$out/Onderia" "$out/$name.tar.gz"
cmake --install "$build" --prefix "$out/Onderia" >"$build/dist-install.log"
tar -C "$out" --owner=0 --group=0 --numeric-owner -czf "$out/$name.tar.gz" Onderia
echo "$out/$name.tar.gz"
