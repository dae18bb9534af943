# shellcheck shell=bash source-path=SCRIPTDIR
# SPDX-FileCopyrightText: 2026 Zorbelin contributors
# SPDX-License-Identifier: GPL-3.0-or-later
# For the scripts and tests that run the program in a session of their own: an
# X server, with a desktop's session and accessibility buses where they need
# them, each waited for until it answers, and stopped by id; then how the
# window looks. Sourced.
source "$(dirname "${BASH_SOURCE[0]}")/wait.sh"

# What was started, in order (a caller adds its own programs), and their folder.
session_pids=() session_dir=

# start_xvfb WIDTHxHEIGHT: Xvfb on the first free display, which it names
# itself once it accepts clients (no guessing, no race with another server
# starting); sets DISPLAY. An X server whose last client leaves resets itself,
# and a program that connects meanwhile fails: the accessibility bus connects
# and leaves just as the program starts, so the server never resets.
start_xvfb() {
    session_dir=${session_dir:-$(mktemp -d)}
    Xvfb -displayfd 3 -screen 0 "${1}x24" -noreset -nolisten tcp 3>"$session_dir/display" \
        >"$session_dir/xvfb.log" 2>&1 &
    session_pids+=($!)
    within 20 grep -qs '^[0-9][0-9]*$' "$session_dir/display" ||
        { echo "Xvfb named no display in 20 s: $(tail -n 3 "$session_dir/xvfb.log")" >&2; return 1; }
    DISPLAY=:$(head -n 1 "$session_dir/display")
    export DISPLAY
}

# start_session_bus (after start_xvfb): a D-Bus session bus of its own, at the
# address it prints, and a runtime folder of its own for the session's sockets.
start_session_bus() {
    export XDG_RUNTIME_DIR=$session_dir/run
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    dbus-daemon --session --nofork --nopidfile --print-address=3 3>"$session_dir/bus" \
        >"$session_dir/bus.log" 2>&1 &
    session_pids+=($!)
    within 20 grep -qs . "$session_dir/bus" ||
        { echo "the session bus gave no address in 20 s: $(tail -n 3 "$session_dir/bus.log")" >&2; return 1; }
    DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$session_dir/bus")
    export DBUS_SESSION_BUS_ADDRESS
}

# Whether the accessibility bus's launcher holds its name on the session bus
# (asked of the bus itself, so nothing is started by asking) and gives the
# accessibility bus's address.
a11y_bus_answers() {
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null | grep -q 'boolean true' &&
        dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
            2>/dev/null | grep -q 'string "unix:'
}

# start_a11y_bus: the accessibility bus that AT-SPI clients and programs meet on.
start_a11y_bus() {
    /usr/libexec/at-spi-bus-launcher --launch-immediately >"$session_dir/a11y.log" 2>&1 &
    session_pids+=($!)
    within 20 a11y_bus_answers ||
        { echo "the accessibility bus did not answer in 20 s: $(tail -n 3 "$session_dir/a11y.log")" >&2; return 1; }
}

# stop_tree pid: ends the process and every process it started, found by
# parent id before any of them goes; one that ignores SIGTERM for 5 s gets
# SIGKILL. A zombie has ended already, and only waits for its parent.
none_running() { ! ps -o stat= -p "$(IFS=,; echo "$*")" | grep -q '^[^Z]'; }
stop_tree() {
    local pids=("$1") i child
    for ((i = 0; i < ${#pids[@]}; i++)); do
        for child in $(pgrep -P "${pids[i]}"); do pids+=("$child"); done
    done
    kill "${pids[@]}" 2>/dev/null || true
    within 5 none_running "${pids[@]}" || kill -KILL "${pids[@]}" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
}

# stop_session: stops what was started, last started first, and removes its
# folder.
stop_session() {
    local i
    for ((i = ${#session_pids[@]} - 1; i >= 0; i--)); do stop_tree "${session_pids[i]}"; done
    rm -rf ${session_dir:+"$session_dir"}
    session_pids=() session_dir=
}

# wait_window [TITLE]: prints the id of the program's window (or of the one
# whose title matches that pattern) once it is mapped; fails after 30 s.
wait_window() {
    local window
    window=$(timeout 30 xdotool search --sync --onlyvisible --name "${1:-нечетен брой}" 2>/dev/null | head -n 1)
    [ -n "$window" ] || { echo "the window did not appear within 30 s" >&2; return 1; }
    echo "$window"
}

# dark_pixels WINDOW X Y W H: how many nearly black pixels the rectangle of
# the window's client area holds.
dark_pixels() {
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$1")"
    import -window root -crop "$4x$5+$((X + $2))+$((Y + $3))" +repage png:- |
        convert png:- -colorspace gray -threshold 12% -negate -format '%[fx:round(mean*w*h)]' info:
}

# drawn WINDOW X Y W H: whether the rectangle shows something nearly black,
# such as the number of a cell that was empty. Unlike a locked caption's
# grey, a number is drawn alike on every platform, Wine's included.
drawn() { [ "$(dark_pixels "$@")" -gt 0 ] 2>/dev/null; }

# wait_revealed WINDOW SCALE: waits for the reveal to end, as a pupil sees
# it: "Чисти" is locked while the numbers appear (grey caption) and unlocked
# at the end (black caption). Up to 10 minutes, for the largest board.
wait_revealed() {
    local caption=("$1" 0 $((304 * $2)) $((65 * $2)) $((25 * $2)))
    within 60 eval '! drawn "${caption[@]}"' && within 600 drawn "${caption[@]}" ||
        { echo "the reveal did not end within 10 minutes" >&2; return 1; }
}

# settled_shot WINDOW FILE: a screenshot of the window once two captures in a
# row are the same, so the last click's drawing is in it.
settled_shot() {
    local X Y WIDTH HEIGHT SCREEN WINDOW previous='' current
    eval "$(xdotool getwindowgeometry --shell "$1")"
    within 20 same_as_last "$2" || { echo "the window kept changing" >&2; return 1; }
}
same_as_last() {
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$1"
    current=$(identify -format '%#' "$1")
    [ "$current" = "$previous" ] || { previous=$current; return 1; }
}
