#!/usr/bin/env bash
# Lays out the portable program folder and starts Onderia from it.
# Data files already in the folder are never touched.
set -euo pipefail
: "${PROGRAM_DIR:?}" "${BUILD_DIR:?}"
mkdir -p "$PROGRAM_DIR"
install -m 755 "$BUILD_DIR/onderia" "$PROGRAM_DIR/onderia"
# The initial password store goes in only when the folder has none: a store that is
# there already holds the user's password.
[ -e "$PROGRAM_DIR/unins000.dll" ] || install -m 644 resources/unins000.dll "$PROGRAM_DIR/unins000.dll"
[ -f "$BUILD_DIR/Guida.pdf" ] && install -m 644 "$BUILD_DIR/Guida.pdf" "$PROGRAM_DIR/Guida.pdf"
mkdir -p "$PROGRAM_DIR/translations"
for qm in qt_it.qm qtbase_it.qm; do
    src="/usr/share/qt6/translations/$qm"
    [ -f "$src" ] && install -m 644 "$src" "$PROGRAM_DIR/translations/$qm"
done
echo "Onderia is in $PROGRAM_DIR"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec "$PROGRAM_DIR/onderia"
fi

# No display: run on a virtual screen and share it over VNC on this machine only.
# Qt's own VNC platform cannot be bound to one address, so Xvfb and x11vnc do it.
if [ "$(id -u)" -eq 0 ]; then
    for p in xvfb x11vnc; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' ||
            { DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends xvfb x11vnc; break; }
    done
fi
command -v Xvfb >/dev/null && command -v x11vnc >/dev/null || {
    echo "No display found. Install xvfb and x11vnc (as root: apt-get install xvfb x11vnc)." >&2
    exit 1
}
disp=":${ONDERIA_DISPLAY_NUMBER:-77}"
Xvfb "$disp" -screen 0 1366x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill $xvfb_pid $vnc_pid 2>/dev/null || true' EXIT
sleep 1
x11vnc -display "$disp" -localhost -rfbport 5900 -forever -shared -nopw -quiet >/dev/null 2>&1 &
vnc_pid=$!
echo "No display: Onderia runs on a virtual 1366x768 screen."
echo "Connect a VNC viewer on this machine to 127.0.0.1:5900 (for example: vncviewer 127.0.0.1:5900)."
DISPLAY="$disp" "$PROGRAM_DIR/onderia"
