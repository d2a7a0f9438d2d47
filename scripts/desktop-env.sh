#!/usr/bin/env bash
# An ordinary Debian desktop's printing and name service, for `make test-desktop`: CUPS with the
# common cups-pdf virtual printer as the default queue, named "PDF" as its package names it, and
# systemd's name service module in nsswitch.conf. Run as root; leaves cupsd running.
#   desktop-env.sh up      installs and starts what is missing, prints the queues
#   desktop-env.sh jobs    prints every job the queues know of (compared before and after)
set -euo pipefail
case "${1:-}" in
up)
    bash "$(dirname "$0")/need-packages.sh" "The desktop test environment" \
        cups printer-driver-cups-pdf libnss-systemd
    grep -qE '^passwd:.*systemd' /etc/nsswitch.conf ||
        sed -i -E 's/^(passwd|group):(.*)$/\1:\2 systemd/' /etc/nsswitch.conf
    # lpstat -r exits 0 whether or not the scheduler runs: only its words tell.
    running() { [ "$(LC_ALL=C lpstat -r 2>/dev/null)" = "scheduler is running" ]; }
    running || cupsd
    for _ in $(seq 100); do running && break; sleep 0.2; done
    running || { echo "desktop-env.sh: cupsd did not start" >&2; exit 1; }
    if ! lpstat -v PDF >/dev/null 2>&1; then
        lpadmin -p PDF -E -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd
    fi
    lpadmin -d PDF
    lpstat -v
    lpstat -d
    ;;
jobs)
    lpstat -W all -o 2>/dev/null || true
    ;;
*)
    echo "usage: desktop-env.sh up|jobs" >&2
    exit 2
    ;;
esac
