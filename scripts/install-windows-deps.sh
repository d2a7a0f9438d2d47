#!/usr/bin/env bash
# Installs the Debian packages the Windows build and its tests under Wine need, when missing:
# the MinGW-w64 cross compiler (posix threads: Qt needs std::thread), Wine 8 (Debian 12 puts
# the 64-bit loader in /usr/lib/wine/wine64), the host Qt tools (moc, rcc, uic) and the
# translations and fonts the folder ships, zip for the archive, ImageMagick for the icon.
set -euo pipefail
exec bash "$(dirname "$0")/need-packages.sh" "The Windows build" \
    cmake ninja-build make g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix \
    binutils-mingw-w64-x86-64 wine wine64 qt6-base-dev qt6-base-dev-tools qt6-svg-dev \
    qt6-translations-l10n fonts-liberation2 fonts-dejavu-core poppler-utils xvfb zip unzip \
    imagemagick librsvg2-bin xz-utils fonts-wine xauth
