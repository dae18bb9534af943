# shellcheck shell=bash source-path=SCRIPTDIR
# SPDX-FileCopyrightText: 2026 Zorbelin contributors
# SPDX-License-Identifier: GPL-3.0-or-later
# Every wait of the scripts and tests is for a condition, with a limit.
# Sourced, not run.

# within seconds command...: runs the command every 0.1 s until it succeeds;
# fails once it has not for at least that many seconds. The limit is kept by
# the clock, not by counting tries, so a slow command does not stretch it.
within() {
    local end=$((SECONDS + $1))
    shift
    until "$@"; do
        ((SECONDS <= end)) || return 1
        sleep 0.1
    done
}
