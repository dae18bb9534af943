# shellcheck shell=bash source-path=SCRIPTDIR
# SPDX-FileCopyrightText: 2026 Zorbelin contributors
# SPDX-License-Identifier: GPL-3.0-or-later
# Building a Qt of one's own (scripts/build-windows) from
# Debian's source of the installed Qt, fetched from the machine's own Debian
# archive (which scripts/test-debian uses too), resuming where an interrupted
# build stopped. Brings install_missing and the cache with it. Sourced.

source "$(dirname "${BASH_SOURCE[0]}")/packages.sh"
source "$(dirname "${BASH_SOURCE[0]}")/cache.sh"

# debian_entries: the machine's own apt entries for its Debian release (those
# whose suite starts with the release's code name), one per line as
# "URI<TAB>suite<TAB>components<TAB>signed-by", read from both layouts: the
# one-line sources.list files and the deb822 .sources files. Third-party
# archives (other suite names) are left out.
debian_entries() {
    local codename etc=${ZORBELIN_APT_ETC:-/etc/apt}
    codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
    {
        # Either file may be missing: a deb822-only machine has no sources.list.
        { cat "$etc"/sources.list "$etc"/sources.list.d/*.list 2>/dev/null || true; } |
            awk '$1 == "deb" {
                    signed = ""
                    if (match($0, /signed-by=[^] ]*/)) signed = substr($0, RSTART + 10, RLENGTH - 10)
                    sub(/\[[^]]*\]/, "")   # the options
                    comps = $4; for (i = 5; i <= NF; i++) comps = comps " " $i
                    print $2 "\t" $3 "\t" comps "\t" signed
                }'
        for file in "$etc"/sources.list.d/*.sources; do
            [ -e "$file" ] || continue
            awk 'function flush() {   # one stanza, its fields by lower-case name in f
                     nu = split(f["uris:"], uris, " "); ns = split(f["suites:"], suites, " ")
                     if (f["types:"] ~ /(^| )deb( |$)/ && tolower(f["enabled:"]) != "no")
                         for (u = 1; u <= nu; u++) for (s = 1; s <= ns; s++)
                             print uris[u] "\t" suites[s] "\t" f["components:"] "\t" f["signed-by:"]
                     split("", f)
                 }
                 /^[ \t]*#/ { next }
                 /^[ \t]*$/ { flush(); next }
                 { key = tolower($1); $1 = ""; sub(/^ +/, ""); f[key] = $0 }
                 END { flush() }' "$file"
        done
    } | awk -F'\t' -v c="$codename" '$2 == c || index($2, c "-") == 1'
}

# fetch_qt_source dir: Debian's source of the installed Qt (qt6-base-dev-tools,
# whose host tools a cross build runs) unpacked as dir/qtbase, through a
# private sources list made from the machine's own entries, so the machine's
# apt settings stay as they are. A subshell, so that its lock ends with it.
fetch_qt_source() (
    local src=$1 apt_dir=$1.apt
    cache_lock "$src"
    [ -d "$src/qtbase" ] && return 0
    installed_qt
    mkdir -p "$apt_dir/sources.list.d" "$apt_dir/lists/partial"
    debian_entries | awk -F'\t' '{
        printf "Types: deb-src\nURIs: %s\nSuites: %s\nComponents: %s\n", $1, $2, $3
        if ($4 != "") printf "Signed-By: %s\n", $4
        print ""
    }' > "$apt_dir/sources.list.d/debian-src.sources"
    [ -s "$apt_dir/sources.list.d/debian-src.sources" ] ||
        { echo "No Debian archive for this release in the machine's apt configuration" >&2; return 1; }
    local apt_private=(-o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts="$apt_dir/sources.list.d"
                       -o Dir::State::Lists="$apt_dir/lists" -o Dir::Cache::pkgcache= -o Dir::Cache::srcpkgcache=
                       -o APT::Sandbox::User=root)
    apt-get "${apt_private[@]}" update -qq
    rm -rf "$src.tmp"
    mkdir -p "$src.tmp"
    (cd "$src.tmp" && apt-get "${apt_private[@]}" source -qq "qt6-base=$qt_version" >/dev/null)
    mv "$src.tmp"/qt6-base-*/ "$src.tmp/qtbase"
    rm -rf "$src"
    mv "$src.tmp" "$src"
)

# build_qt prefix build-dir configure-arguments...: configures Qt once into
# build-dir, builds and installs it into prefix. A build that stopped halfway
# goes on where it stopped (Ninja keeps what is done); only a configure that
# never finished starts again from nothing.
build_qt() {
    local prefix=$1 build=$2
    shift 2
    cache_lock "$prefix"
    [ -e "$prefix/.complete" ] && return 0
    if [ ! -e "$build/.configured" ]; then
        rm -rf "$build"
        mkdir -p "$build"
        (cd "$build" && nice -n 10 "$@")
        touch "$build/.configured"
    fi
    (cd "$build" && nice -n 10 cmake --build . --parallel "$(nproc)" && cmake --install .)
    touch "$prefix/.complete"
    rm -rf "$build"
}
