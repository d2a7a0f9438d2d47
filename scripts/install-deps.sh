#!/usr/bin/env bash
# Installs the Debian packages Onderia needs to build, run and test, when they are missing.
set -euo pipefail
exec bash "$(dirname "$0")/need-packages.sh" Onderia \
    cmake ninja-build g++ make qt6-base-dev qt6-svg-dev qt6-translations-l10n qt6-qpa-plugins \
    libgl-dev fonts-liberation2 fonts-dejavu-core poppler-utils xvfb \
    clang-14 libclang-rt-14-dev
