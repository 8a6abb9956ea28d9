#!/usr/bin/env bash
# Starts the program on the sample budget under Xvfb with the accessibility bus, and prints what
# a screen reader finds in its window (scripts/accessibility_tree.py); fails when a control has
# no name. Needs at-spi2-core, python3-pyatspi and dbus-x11 (not installed by setup.sh: this is
# a check to run by hand, the tests check the same names from inside the program).
set -euo pipefail
cd "$(dirname "$0")/.."
program="${1:-build/default/src/app/varnelle}"
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
mkdir -p "$work/data/varnelle"
cp examples/Exemple.ini "$work/data/varnelle/"

Xvfb :97 -screen 0 1366x768x24 >/dev/null 2>&1 &
sleep 1
export DISPLAY=:97 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 XDG_DATA_HOME="$work/data"
dbus-run-session -- bash -c "
    /usr/libexec/at-spi-bus-launcher --launch-immediately &
    sleep 1
    '$program' &
    sleep 3
    xdotool mousemove 672 434 click 1 type BUDGET
    xdotool key Return
    sleep 2
    /usr/bin/python3 scripts/accessibility_tree.py
"
