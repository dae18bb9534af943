#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Zorbelin contributors
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the program in a private X server and D-Bus session with an
# accessibility bus, and reads it through AT-SPI.   run.sh <program>
set -uo pipefail
program=$1
source "$(dirname "$0")/../../scripts/lib/xserver.sh"
trap stop_session EXIT
# The real X server, not the headless platform of the other tests.
unset QT_QPA_PLATFORM
start_xvfb 1024x768 && start_session_bus && start_a11y_bus || exit 1
# Qt exposes its widgets to AT-SPI only when asked; a screen reader asks by
# setting org.a11y.Status, this does the same for the one program.
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$program" &
session_pids+=($!)
/usr/bin/python3 "$(dirname "$0")/test_atspi.py"
