# shellcheck shell=bash source-path=SCRIPTDIR disable=SC2034 # its variables are for the scripts that source it
# SPDX-FileCopyrightText: 2026 Zorbelin contributors
# SPDX-License-Identifier: GPL-3.0-or-later
# The cache outside the checkout for what takes long to make again (the Qt
# builds, the Debian chroots); ZORBELIN_CACHE moves it. Sourced.
cache=${ZORBELIN_CACHE:-$HOME/.cache/zorbelin}

# cache_lock path: holds a lock on path (a folder of the cache) until this
# shell ends, so that two builds never work in one folder at once; the second
# says whom it waits for, then goes on with what the first finished.
cache_lock() {
    local fd
    mkdir -p "$(dirname "$1")"
    exec {fd}>"$1.lock"
    flock -n "$fd" && return 0
    echo "Waiting for another build of $1 to finish"
    flock "$fd"
    echo "The other build of $1 has finished; going on"
}

# installed_qt: qt_version, e.g. 6.4.2+dfsg-10, of qt6-base-dev-tools, whose host
# tools a cross build runs, and qt_upstream, 6.4.2, naming the cache's Qt folders.
installed_qt() {
    qt_version=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools)
    qt_upstream=${qt_version%%[+-]*}
}
