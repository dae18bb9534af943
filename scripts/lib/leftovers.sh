# shellcheck shell=bash source-path=SCRIPTDIR
# SPDX-FileCopyrightText: 2026 Zorbelin contributors
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the tests and finds what they left running. Every process the run
# starts carries a token in its environment, whoever its parent is by the end,
# so what is left is found by id, never by a name. Sourced.
source "$(dirname "${BASH_SOURCE[0]}")/wait.sh"

# run_tests build-dir: every test of the build, headless and in parallel;
# fails also when one leaves a process running.
run_tests() {
    local status=0
    ZORBELIN_RUN=$$-$(date +%s%N)
    export ZORBELIN_RUN
    (cd "$1" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)") || status=$?
    check_leftovers || status=1
    return "$status"
}

# leftovers: "pid name" of each running process that carries the token,
# other than this shell.
leftovers() {
    local proc entry stat
    for proc in /proc/[0-9]*; do
        [ "${proc#/proc/}" != $$ ] || continue
        while IFS= read -r -d '' entry; do
            [ "$entry" = "ZORBELIN_RUN=$ZORBELIN_RUN" ] || continue
            read -r stat <"$proc/stat" || break
            # A process that has ended but not been waited for is gone already.
            [[ $stat == *") Z "* ]] || echo "${proc#/proc/} $(<"$proc/comm")"
            break
        done 2>/dev/null <"$proc/environ"
    done
}

# check_leftovers: fails, naming each process, when something the run
# started is still running 5 s after it; stops those processes.
check_leftovers() {
    local left
    within 5 eval 'left=$(leftovers); [ -z "$left" ]' && return 0
    echo "FAIL: the tests left these processes running:"
    sed 's/^/  /' <<<"$left"
    # shellcheck disable=SC2046 # one process id a word
    kill -KILL $(cut -d' ' -f1 <<<"$left") 2>/dev/null
    return 1
}
