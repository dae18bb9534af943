# shellcheck shell=bash
# SPDX-FileCopyrightText: 2026 Zorbelin contributors
# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by run.sh and orca.sh: a private X server, session bus and
# accessibility bus, each waited for until it answers, as a desktop session
# would have them. session_stop ends them and what they started, last
# started first.

session_dir=$(mktemp -d)
session_pids=()
export XDG_RUNTIME_DIR=$session_dir/run
mkdir -m 700 "$XDG_RUNTIME_DIR"

# stop_tree pid: ends the process and every process it started, found by
# parent id before any of them goes; one that ignores SIGTERM for 5 s gets
# SIGKILL.
stop_tree() {
    local pids=("$1") i child
    for ((i = 0; i < ${#pids[@]}; i++)); do
        for child in $(pgrep -P "${pids[i]}"); do pids+=("$child"); done
    done
    kill "${pids[@]}" 2>/dev/null
    for ((i = 0; i < 50; i++)); do
        # Running, not just dead and waiting for its parent to read its status.
        ps -o stat= -p "$(IFS=,; echo "${pids[*]}")" | grep -q '^[^Z]' || break
        sleep 0.1
    done
    kill -KILL "${pids[@]}" 2>/dev/null
    wait "$1" 2>/dev/null
}

session_stop() {
    local i
    for ((i = ${#session_pids[@]} - 1; i >= 0; i--)); do stop_tree "${session_pids[i]}"; done
    rm -rf "$session_dir"
}

session_fail() {
    echo "FAIL: $*"
    exit 1
}

# within seconds command...: runs the command every 0.1 s until it succeeds,
# for at most that many seconds.
within() {
    local tries=$(($1 * 10))
    shift
    until "$@"; do
        ((--tries > 0)) || return 1
        sleep 0.1
    done
}

# start_x WIDTHxHEIGHT: Xvfb on the first free display, which it names
# itself once it accepts clients (-displayfd). An X server whose last client
# leaves resets itself, and a program that connects meanwhile fails: the
# accessibility bus connects and leaves just as the program starts, so the
# server never resets (-noreset).
start_x() {
    Xvfb -displayfd 3 -screen 0 "${1}x24" -noreset -nolisten tcp 3>"$session_dir/display" \
        >"$session_dir/xvfb.log" 2>&1 &
    session_pids+=($!)
    within 20 grep -q '^[0-9][0-9]*$' "$session_dir/display" ||
        session_fail "Xvfb named no display in 20 s: $(tail -n 3 "$session_dir/xvfb.log")"
    DISPLAY=:$(head -n 1 "$session_dir/display")
    export DISPLAY
}

# start_session_bus: a D-Bus session bus of its own, at the address it prints.
start_session_bus() {
    dbus-daemon --session --nofork --nopidfile --print-address=3 3>"$session_dir/bus" \
        >"$session_dir/bus.log" 2>&1 &
    session_pids+=($!)
    within 20 grep -q . "$session_dir/bus" ||
        session_fail "the session bus gave no address in 20 s: $(tail -n 3 "$session_dir/bus.log")"
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
        session_fail "the accessibility bus did not answer in 20 s: $(tail -n 3 "$session_dir/a11y.log")"
}
