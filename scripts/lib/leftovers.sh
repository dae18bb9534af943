# shellcheck shell=bash
# SPDX-FileCopyrightText: 2026 Zorbelin contributors
# SPDX-License-Identifier: GPL-3.0-or-later
# Finds what a test run left running. Every process started after
# mark_processes carries a token in its environment, whoever its parent is
# by the end, so what is left is found by id, never by a name. Sourced.

mark_processes() {
    ZORBELIN_RUN=$$-$(date +%s%N)
    export ZORBELIN_RUN
}

# leftovers: "pid name" of each running process that carries the token,
# other than this shell.
leftovers() {
    local proc
    for proc in /proc/[0-9]*; do
        [ "${proc#/proc/}" != $$ ] || continue
        grep -qzx "ZORBELIN_RUN=$ZORBELIN_RUN" "$proc/environ" 2>/dev/null || continue
        # A process that has ended but not been waited for is gone already.
        [ "$(cut -d' ' -f3 "$proc/stat" 2>/dev/null)" != Z ] || continue
        echo "${proc#/proc/} $(cat "$proc/comm" 2>/dev/null)"
    done
}

# check_leftovers: fails, naming each process, when something the run
# started is still running 5 s after it; stops those processes.
check_leftovers() {
    local left
    for _ in $(seq 50); do
        left=$(leftovers)
        [ -n "$left" ] || return 0
        sleep 0.1
    done
    echo "FAIL: the tests left these processes running:"
    sed 's/^/  /' <<<"$left"
    # shellcheck disable=SC2046 # one process id a word
    kill -KILL $(cut -d' ' -f1 <<<"$left") 2>/dev/null
    return 1
}
