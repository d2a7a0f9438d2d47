#!/usr/bin/env bash
# Installs the Debian packages the Windows build and its tests under Wine need, when missing:
# the MinGW-w64 cross compiler (posix threads: Qt needs std::thread), Wine 8 (Debian 12 puts
# the 64-bit loader in /usr/lib/wine/wine64), the host Qt tools (moc, rcc, uic) and the
# translations and fonts the folder ships, zip for the archive, ImageMagick for the icon.
set -euo pipefail
need=(cmake ninja-build make g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix
      binutils-mingw-w64-x86-64 wine wine64 qt6-base-dev qt6-base-dev-tools qt6-svg-dev
      qt6-translations-l10n fonts-liberation2 fonts-dejavu-core poppler-utils xvfb zip unzip
      imagemagick librsvg2-bin xz-utils fonts-wine xauth)
missing=()
for p in "${need[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
if [ "$(id -u)" -ne 0 ]; then
    echo "The Windows build needs these Debian packages: ${missing[*]}" >&2
    echo "Install them as root: apt-get install ${missing[*]}" >&2
    exit 1
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get -o DPkg::Lock::Timeout=600 update -qq
apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends "${missing[@]}"
