#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Zorbelin contributors
# SPDX-License-Identifier: GPL-3.0-or-later
# The program as a native Wayland client: it runs under Weston's headless
# backend with Qt's Wayland platform and no X display, and the protocol log
# (WAYLAND_DEBUG) shows its window opening with its title and a 604 x 481
# surface.   run.sh <program>
set -uo pipefail
program=$1
source "$(dirname "$0")/../../scripts/lib/xserver.sh"
trap stop_session EXIT
session_dir=$(mktemp -d)
work=$session_dir
fail() {
    echo "FAIL: $*"
    for log in weston program; do
        [ -s "$work/$log.log" ] && { echo "--- $log.log (last lines)"; tail -n 15 "$work/$log.log"; }
    done
    exit 1
}

command -v weston >/dev/null || fail "weston is not installed (apt-get install weston)"
export XDG_RUNTIME_DIR=$work/run
mkdir -m 700 "$XDG_RUNTIME_DIR"
socket=zorbelin-test
weston --backend=headless-backend.so --socket="$socket" --idle-time=0 >"$work/weston.log" 2>&1 &
session_pids+=($!)
within 20 test -S "$XDG_RUNTIME_DIR/$socket" || fail "weston made no socket $socket in 20 s"

# Weston draws no window frames, so Qt would draw its own into the same
# surface; without them the surface is the window alone.
env -u DISPLAY WAYLAND_DISPLAY="$socket" QT_QPA_PLATFORM=wayland QT_WAYLAND_DISABLE_WINDOWDECORATION=1 \
    WAYLAND_DEBUG=1 "$program" >"$work/program.out" 2>"$work/program.log" &
app=$!
session_pids+=("$app")

passes=0
found() { grep -qE -- "$1" "$work/program.log"; }
check() {
    local what=$1 pattern=$2
    # Also stops waiting as soon as the program has ended.
    within 20 eval 'found "$pattern" || ! kill -0 "$app" 2>/dev/null'
    found "$pattern" || {
        kill -0 "$app" 2>/dev/null || fail "the program ended before $what"
        fail "$what: no line matching $pattern in 20 s"
    }
    echo "ok: $what"
    passes=$((passes + 1))
}
# libwayland writes an object as name@id before 1.22 (Debian 12), name#id after.
check "the window is an xdg toplevel titled 'https://zorbelin.example Зорбелин нечетен брой'" \
    '-> xdg_toplevel[@#][0-9]+\.set_title\("https://zorbelin\.example Зорбелин нечетен брой"\)'
check "its geometry is 604 x 481" '-> xdg_surface[@#][0-9]+\.set_window_geometry\(0, 0, 604, 481\)'
check "it draws into a 604 x 481 buffer" '-> wl_shm_pool[@#][0-9]+\.create_buffer\(new id wl_buffer[@#][0-9]+, [0-9]+, 604, 481,'
check "the buffer is shown" '-> wl_surface[@#][0-9]+\.attach\(wl_buffer[@#][0-9]+, 0, 0\)'
kill -0 "$app" 2>/dev/null || fail "the program ended after opening its window"
echo "ok: the program is still running"
echo "$((passes + 1)) passed"
