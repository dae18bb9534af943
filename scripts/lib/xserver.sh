# SPDX-FileCopyrightText: 2026 Zorbelin contributors
# SPDX-License-Identifier: GPL-3.0-or-later
# For scripts that drive the real window on an X server of their own.
# Sourced, not run. Every wait is for a condition, with a limit.

# start_xvfb WIDTHxHEIGHT: starts Xvfb on a display number it picks itself
# (no guessing, no race with another server starting), sets DISPLAY and
# xvfb_pid. The server does not reset when its last client leaves.
start_xvfb() {
    local number
    number=$(mktemp)
    Xvfb -displayfd 3 -screen 0 "$1x24" -nolisten tcp -noreset 3>"$number" 2>/dev/null &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s "$number" ] && break
        sleep 0.1
    done
    DISPLAY=:$(cat "$number")
    export DISPLAY
    rm -f "$number"
    [ "$DISPLAY" != ":" ] || { echo "Xvfb did not start" >&2; return 1; }
}

stop_xvfb() {
    [ -z "${xvfb_pid:-}" ] || kill "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=
}

# wait_window: prints the id of the program's window once it is mapped;
# fails with a message after 30 s.
wait_window() {
    local window
    window=$(timeout 30 xdotool search --sync --onlyvisible --name "нечетен брой" 2>/dev/null | head -n 1)
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

# wait_revealed WINDOW SCALE: waits for the reveal to end, as a pupil sees
# it: "Чисти" is locked while the numbers appear (grey caption) and unlocked
# at the end (black caption). Up to 10 minutes, for the largest board.
wait_revealed() {
    local window=$1 scale=$2 seen_locked=0 dark
    local box=(0 $((304 * scale)) $((65 * scale)) $((25 * scale)))
    for _ in $(seq 6000); do
        dark=$(dark_pixels "$window" "${box[@]}") || return 1
        if [ "$dark" -eq 0 ]; then
            seen_locked=1
        elif [ "$seen_locked" -eq 1 ]; then
            return 0
        fi
        sleep 0.1
    done
    echo "the reveal did not end within 10 minutes" >&2
    return 1
}

# wait_drawn WINDOW X Y W H SECONDS: waits until the rectangle of the client
# area shows something nearly black, such as the number of a cell that was
# empty; fails after that many seconds. Unlike a locked caption's grey, a
# number is drawn alike on every platform, Wine's included.
wait_drawn() {
    local end=$((SECONDS + $6))
    until [ "$(dark_pixels "$1" "$2" "$3" "$4" "$5")" -gt 0 ] 2>/dev/null; do
        ((SECONDS < end)) || { echo "nothing was drawn at $4x$5+$2+$3 within $6 s" >&2; return 1; }
        sleep 0.2
    done
}

# settled_shot WINDOW FILE: a screenshot of the window once two captures in a
# row are the same, so the last click's drawing is in it.
settled_shot() {
    local X Y WIDTH HEIGHT SCREEN WINDOW previous= current
    eval "$(xdotool getwindowgeometry --shell "$1")"
    for _ in $(seq 100); do
        import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$2"
        current=$(identify -format '%#' "$2")
        [ "$current" = "$previous" ] && return 0
        previous=$current
        sleep 0.1
    done
    echo "the window kept changing" >&2
    return 1
}
