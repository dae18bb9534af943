# shellcheck shell=bash source-path=SCRIPTDIR
# SPDX-FileCopyrightText: 2026 Zorbelin contributors
# SPDX-License-Identifier: GPL-3.0-or-later
# Every wait of the scripts and tests is for a condition, with a limit. Sourced.

# within seconds command...: runs the command every 0.1 s until it succeeds;
# fails after that many seconds by the clock, which a slow command cannot stretch.
within() {
    local end=$((SECONDS + $1))
    shift
    until "$@"; do
        ((SECONDS <= end)) || return 1
        sleep 0.1
    done
}
