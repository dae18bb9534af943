#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Zorbelin contributors
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the program alone and packs it as a .deb twice, one after the other,
# from two copies of the source in different folders, with nothing set by the
# builder, and checks that the two .debs are the same bytes.
#   packaging/reproducible.sh <source-dir>
set -euo pipefail

if [ $# -ne 1 ]; then
    echo "usage: $0 <source-dir>" >&2
    exit 2
fi
source=$(cd "$1" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
unset SOURCE_DATE_EPOCH

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# The second copy: the files git would commit, or the whole tree outside a checkout.
mkdir "$tmp/copy"
if git -C "$source" rev-parse --show-toplevel >/dev/null 2>&1; then
    git -C "$source" ls-files -z --cached --others --exclude-standard |
        (cd "$source" && tar --null --files-from=- -cf -) | tar -xf - -C "$tmp/copy"
else
    cp -a "$source/." "$tmp/copy"
fi

package() {
    local from=$1 build=$2
    cmake -S "$from" -B "$build" -DCMAKE_BUILD_TYPE=Release \
        -DZORBELIN_BUILD_TESTS=OFF -DZORBELIN_BUILD_BENCHMARKS=OFF >"$build.log" 2>&1 &&
        cmake --build "$build" --parallel "$(nproc)" >>"$build.log" 2>&1 &&
        (cd "$build" && cpack -G DEB) >>"$build.log" 2>&1 ||
        { tail -n 40 "$build.log" >&2; fail "building and packing $build"; }
    date +"packed $(basename "$build") at %T"
}
package "$source" "$tmp/first"
package "$tmp/copy" "$tmp/second"

first=("$tmp"/first/*.deb)
second=("$tmp"/second/*.deb)
[ -f "${first[0]}" ] && [ -f "${second[0]}" ] || fail "cpack made no .deb"
cmp "${first[0]}" "${second[0]}" || fail "the two .debs differ"
echo "ok: both builds give the same $(stat -c %s "${first[0]}") bytes"

# The times inside are the changelog's, not the build's.
stamp=$(date -u -d "@$(dpkg-parsechangelog -l "$source/packaging/changelog" -S Timestamp)" '+%Y-%m-%d %H:%M')
other=$(TZ=UTC dpkg-deb -c "${first[0]}" | awk -v s="$stamp" '$4 " " $5 != s' | head -n 3)
[ -z "$other" ] || fail "files not dated $stamp (the changelog's date): $other"
echo "ok: every file is dated $stamp, the changelog's latest entry"
