#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Zorbelin contributors
# SPDX-License-Identifier: GPL-3.0-or-later
# What the Orca screen reader says while a pupil chooses "3" from the
# keyboard, waits for the reveal, moves Right, asks for the report with Space
# and goes back with Escape. Orca runs as on a desktop, in a private X
# server, D-Bus session and home, and switches the program's accessibility
# on itself; orca.py drives it and checks the speech.   orca.sh <program>
set -uo pipefail
program=$(readlink -f "$1")
source "$(dirname "$0")/session.sh"
stop() {
    # The speech-dispatcher that Orca started in this private home.
    local pid
    for pid in $(pgrep -f "speech-dispatcher.*$session_dir" 2>/dev/null); do kill "$pid"; done
    session_stop
}
trap stop EXIT
export GSETTINGS_BACKEND=memory HOME=$session_dir/home
mkdir -p "$HOME"
unset QT_QPA_PLATFORM QT_LINUX_ACCESSIBILITY_ALWAYS_ON
start_x 1280x1024
start_session_bus
start_a11y_bus
/usr/bin/python3 "$(dirname "$0")/orca.py" "$program"
