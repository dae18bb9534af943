#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Zorbelin contributors
# SPDX-License-Identifier: GPL-3.0-or-later
# What the Orca screen reader says while a pupil chooses "3" from the
# keyboard, waits for the reveal, moves Right, asks for the report with Space
# and goes back with Escape. Orca runs as on a desktop, in a private X
# server, D-Bus session and home, with a speech server of its own whose sound
# goes nowhere, and switches the program's accessibility on itself; orca.py
# drives it and checks the speech.   orca.sh <program>
# With --page, the page built into the folder, served here by nginx
# (tests/web/browser.js) and read in Chromium, which speaks the report from a
# live region.   orca.sh --page <folder>
set -uo pipefail
target=("$(readlink -f "${@: -1}")")
source "$(dirname "$0")/session.sh"
trap session_stop EXIT
export GSETTINGS_BACKEND=memory HOME=$session_dir/home
unset QT_QPA_PLATFORM QT_LINUX_ACCESSIBILITY_ALWAYS_ON
start_x 1280x1024
start_session_bus
start_a11y_bus

# Speech must not depend on the machine's sound: with no sound device,
# speech-dispatcher's audio output blocks and Orca waits on it for ever. ALSA's
# default device here is the null one, and the server runs in the foreground
# so that its id is ours to stop; autospawn is off so nothing starts another.
mkdir -p "$HOME/.config/speech-dispatcher"
echo 'pcm.!default { type null }' >"$HOME/.asoundrc"
cat >"$HOME/.config/speech-dispatcher/speechd.conf" <<'CONF'
AudioOutputMethod "alsa"
AddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"
DefaultModule espeak-ng
DisableAutoSpawn
CONF
speech-dispatcher --run-single --timeout 0 --log-dir "$session_dir" >"$session_dir/speechd.log" 2>&1 &
session_pids+=($!)
within 10 test -S "$XDG_RUNTIME_DIR/speech-dispatcher/speechd.sock" && timeout 10 spd-say --wait "." ||
    session_fail "speech-dispatcher did not answer within 10 s: $(tail -n 3 "$session_dir/speechd.log")"
if [ "$1" = --page ]; then
    node "$(dirname "$0")/../web/browser.js" serve "${target[0]}" >"$session_dir/http.log" 2>&1 &
    session_pids+=($!)
    within 10 grep -qs 'http://127.0.0.1:[0-9]*/' "$session_dir/http.log" || session_fail "no web server in 10 s: $(tail -n 3 "$session_dir/http.log")"
    target=(--page "$(grep -o 'http://127.0.0.1:[0-9]*/' "$session_dir/http.log" | head -n 1)")
fi
/usr/bin/python3 "$(dirname "$0")/orca.py" "${target[@]}"
