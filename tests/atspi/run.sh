#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Zorbelin contributors
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the program with an accessibility bus, inside the X server and D-Bus
# session that the caller provides (xvfb-run, dbus-run-session), and reads it
# through AT-SPI.   run.sh <program>
set -euo pipefail
# The real X server of xvfb-run, not the headless platform of the other tests.
unset QT_QPA_PLATFORM
/usr/libexec/at-spi-bus-launcher --launch-immediately &
bus=$!
# Qt exposes its widgets to AT-SPI only when asked; a screen reader asks by
# setting org.a11y.Status, this does the same for the one program.
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$1" &
program=$!
trap 'kill $program $bus 2>/dev/null || true' EXIT
/usr/bin/python3 "$(dirname "$0")/test_atspi.py"
