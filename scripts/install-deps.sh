#!/usr/bin/env bash
# Installs the Debian packages Onderia needs to build, run and test, when they are missing.
set -euo pipefail
need=(cmake ninja-build g++ make qt6-base-dev qt6-svg-dev qt6-translations-l10n qt6-qpa-plugins
      libgl-dev fonts-liberation2 fonts-dejavu-core poppler-utils xvfb
      clang-14 libclang-rt-14-dev)
missing=()
for p in "${need[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
if [ "$(id -u)" -ne 0 ]; then
    echo "Onderia needs these Debian packages: ${missing[*]}" >&2
    echo "Install them as root: apt-get install ${missing[*]}" >&2
    exit 1
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
