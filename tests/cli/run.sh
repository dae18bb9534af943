#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Zorbelin contributors
# SPDX-License-Identifier: GPL-3.0-or-later
# The program as a command: exit statuses, one-line errors, the options that
# need no display, a display that cannot be reached, and --scale on real
# X servers of two sizes.   run.sh <program> <version>
set -uo pipefail
program=$1
version=$2
passes=0
failures=0
out=$(mktemp)
err=$(mktemp)
source "$(dirname "$0")/../../scripts/lib/xserver.sh"
trap 'rm -f "$out" "$err"; stop_session' EXIT

check() {
    if eval "$2"; then
        echo "ok: $1"
        passes=$((passes + 1))
    else
        echo "FAIL: $1"
        echo "  stdout: $(head -c 400 "$out")"
        echo "  stderr: $(head -c 400 "$err")"
        failures=$((failures + 1))
    fi
}

# Runs the program with no display of any kind.
bare() {
    env -u DISPLAY -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY "$@" >"$out" 2>"$err"
    status=$?
}
lines() { wc -l <"$1"; }

bare "$program" --help
check "--help without a display: usage, exit 0" \
    '[ $status -eq 0 ] && grep -q -- "--print <N>" "$out" && grep -q -- "--scale <F>" "$out" && [ ! -s "$err" ]'
bare "$program" -v
check "-v without a display: the version, exit 0" '[ $status -eq 0 ] && [ "$(cat "$out")" = "zorbelin $version" ]'
bare "$program" --print 5
check "--print 5 without a display" \
    '[ $status -eq 0 ] && [ "$(head -n 1 "$out")" = "17 24  1  8 15 = 65" ] && [ "$(lines "$out")" -eq 6 ]'
bare "$program" --print 5 --left
check "--print 5 --left without a display" '[ $status -eq 0 ] && [ "$(head -n 1 "$out")" = "17 23  4 10 11 = 65" ]'

# The words of every error are the parser test's; here, how the process ends.
for bad in "--print 4" "--print" "--scale abc" "--no-such-option"; do
    # shellcheck disable=SC2086
    bare "$program" $bad
    check "$bad: one line naming the option, exit 2" \
        '[ $status -eq 2 ] && [ "$(lines "$err")" -eq 1 ] && grep -q -- "${bad%% *}" "$err" && [ ! -s "$out" ]'
done

bare "$program"
check "no display: one line, exit 2" '[ $status -eq 2 ] && [ "$(lines "$err")" -eq 1 ] && grep -q DISPLAY "$err"'
# A host that does not exist, and a local TCP display where no X server listens.
for display in nohost.invalid:0 127.0.0.1:59; do
    bare env DISPLAY=$display "$program"
    check "DISPLAY=$display: one line naming it, exit 2, no abort" \
        '[ $status -eq 2 ] && [ "$(lines "$err")" -eq 1 ] && grep -qF "$display" "$err" && ! grep -qi abort "$err"'
done
bare env QT_QPA_PLATFORM=nosuchplatform "$program"
check "a windowing system Qt does not have: one line naming it and what to set, exit 2, no abort" \
    '[ $status -eq 2 ] && [ "$(lines "$err")" -eq 1 ] && grep -q "„nosuchplatform“" "$err" && grep -q xcb "$err"'
bare env QT_QPA_PLATFORM="nosuchplatform;wayland" WAYLAND_DISPLAY=zorbelin-none XDG_RUNTIME_DIR=/tmp "$program"
check "QT_QPA_PLATFORM=...;wayland without a compositor: one line, exit 2, no abort" \
    '[ $status -eq 2 ] && [ "$(lines "$err")" -eq 1 ] && ! grep -qi abort "$err"'

# Where Qt is told its windowing system, the choice is
# Qt's. Offscreen opens the window, and --scale 4 does not fit its 800 x 600
# screen: that line comes only once Qt has started.
env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen "$program" --scale 4 >"$out" 2>"$err" &
started=$!
within 20 grep -q -- "--scale" "$err"
kill $started 2>/dev/null
wait $started 2>/dev/null
check "QT_QPA_PLATFORM=offscreen without DISPLAY: the window opens" 'grep -q -- "--scale 4 не се побира" "$err"'
bare env WAYLAND_DISPLAY=zorbelin-none XDG_RUNTIME_DIR=/tmp "$program"
check "only a Wayland display that is not there: one line naming it, exit 2, no abort" \
    '[ $status -eq 2 ] && [ "$(lines "$err")" -eq 1 ] && grep -qF "„zorbelin-none“" "$err"'

# The window's outer size on a real X server of the given screen size.
window_size() {
    local window
    start_xvfb "$1"
    "${@:2}" 2>"$err" &
    session_pids+=($!)
    window=$(wait_window) && xdotool getwindowgeometry "$window" | sed -n "s/^ *Geometry: //p" >"$out"
    stop_session
}
window_size 1920x1080 env -u QT_QPA_PLATFORM "$program" --scale 2
check "--scale 2 on 1920 x 1080: a 1208 x 962 window" '[ "$(cat "$out")" = 1208x962 ] && ! grep -q scale "$err"'
window_size 1024x768 env -u QT_QPA_PLATFORM "$program" --scale 2
check "--scale 2 on 1024 x 768: reduced to 1.49, room left for a title bar, said in one line" \
    '[ "$(cat "$out")" = 900x717 ] && [ "$(grep -c -- --scale "$err")" -eq 1 ]'

echo "$passes passed, $failures failed"
[ $failures -eq 0 ]
