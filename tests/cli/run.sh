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
trap 'rm -f "$out" "$err"' EXIT

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
# A local display number no X server holds (xvfb-run -a takes the low ones).
free=$(for n in $(seq 300 399); do [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X11-unix/X$n ] || { echo $n; break; }; done)
for display in nohost.invalid:0 ":$free"; do
    bare env DISPLAY=$display "$program"
    check "DISPLAY=$display: one line naming it, exit 2, no abort" \
        '[ $status -eq 2 ] && [ "$(lines "$err")" -eq 1 ] && grep -qF "$display" "$err" && ! grep -qi abort "$err"'
done

# The window's outer size on a real X server of the given screen size.
window_size() {
    local screen=$1
    shift
    # Numbers of its own, apart from the other tests' X servers started alongside.
    xvfb-run -a -n 200 -s "-screen 0 ${screen}x24 -noreset" bash -c '
        "$@" 2>"'"$err"'" & program=$!
        for _ in $(seq 100); do
            window=$(xdotool search --onlyvisible --name "нечетен брой" 2>/dev/null | head -n 1)
            [ -n "$window" ] && break
            sleep 0.1
        done
        sleep 0.3
        xdotool getwindowgeometry "$window" | sed -n "s/^ *Geometry: //p"
        kill $program' _ "$@" >"$out" 2>/dev/null
}
window_size 1920x1080 env -u QT_QPA_PLATFORM "$program" --scale 2
check "--scale 2 on 1920 x 1080: a 1208 x 962 window" '[ "$(cat "$out")" = 1208x962 ] && ! grep -q scale "$err"'
window_size 1024x768 env -u QT_QPA_PLATFORM "$program" --scale 2
check "--scale 2 on 1024 x 768: reduced to 1.49, room left for a title bar, said in one line" \
    '[ "$(cat "$out")" = 900x717 ] && [ "$(grep -c -- --scale "$err")" -eq 1 ]'

echo "$passes passed, $failures failed"
[ $failures -eq 0 ]
