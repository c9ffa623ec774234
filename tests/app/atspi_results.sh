#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs Kalvora in a private X server and session bus with the accessibility
# bus up, as a desktop with a screen reader would, and reads its tree from
# outside with atspi_results.py.
# Usage: atspi_results.sh PATH-TO-KALVORA
set -u
here=$(cd "$(dirname "$0")" && pwd)
if [[ ${1:-} != --inside ]]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" dbus-run-session -- "$0" --inside "$1"
fi
program=$2
/usr/libexec/at-spi-bus-launcher --launch-immediately &
bus=$!
sleep 1
QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$program" &
kalvora=$!
/usr/bin/python3 "$here/atspi_results.py"
status=$?
kill "$kalvora" "$bus" 2>/dev/null
wait 2>/dev/null
exit $status
