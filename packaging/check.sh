#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Zorbelin contributors
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a scratch prefix and checks that it holds a valid
# desktop entry, the icons, the AppStream metainfo and the manual pages, that
# these agree with the program and each other, and that debian/copyright and
# debian/changelog are well formed and for this version. The package itself is
# built and checked with lintian by scripts/test-debian.
#   packaging/check.sh <build-dir> <source-dir>
# Needs desktop-file-utils, appstream, dpkg-dev, file, groff-base and
# python3-debian; no root, no network.
set -euo pipefail

[ $# -eq 2 ] || { echo "usage: $0 <build-dir> <source-dir>" >&2; exit 2; }
build=$(cd "$1" && pwd)
source=$(cd "$2" && pwd)
app=example.zorbelin.Zorbelin

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }
ok() { echo "ok: $*"; }

# Width and height from the PNG header: the signature, then the IHDR chunk
# whose first eight data bytes are the two big-endian 32-bit sizes.
png_size() {
    local signature w h
    signature=$(od -An -tx1 -N8 "$1" | tr -d ' \n')
    [ "$signature" = 89504e470d0a1a0a ] || return 1
    w=$(od -An -tu4 --endian=big -j16 -N4 "$1" | tr -d ' ')
    h=$(od -An -tu4 --endian=big -j20 -N4 "$1" | tr -d ' ')
    echo "${w}x${h}"
}

# --- cmake --install into a scratch prefix -------------------------------

root=$tmp/root
cmake --install "$build" --prefix "$root" >"$tmp/install.log" 2>&1 ||
    { cat "$tmp/install.log" >&2; fail "cmake --install $build"; }
ok "cmake --install into a scratch prefix"

[ -f "$root/bin/zorbelin" ] && [ -x "$root/bin/zorbelin" ] || fail "bin/zorbelin missing or not executable"
file -b "$root/bin/zorbelin" | grep -q '^ELF .*executable' ||
    fail "bin/zorbelin is not an ELF executable: $(file -b "$root/bin/zorbelin")"
ok "bin/zorbelin is an executable"

desktop=$root/share/applications/$app.desktop
metainfo=$root/share/metainfo/$app.metainfo.xml
[ -f "$desktop" ] || fail "share/applications/$app.desktop missing"
[ -f "$metainfo" ] || fail "share/metainfo/$app.metainfo.xml missing"
ok "desktop entry and metainfo installed"

for size in 32 256; do
    icon=$root/share/icons/hicolor/${size}x${size}/apps/$app.png
    [ -f "$icon" ] || fail "icon ${size}x${size} missing"
    actual=$(png_size "$icon") || fail "${size}x${size} icon is not a PNG: $(file -b "$icon")"
    [ "$actual" = "${size}x${size}" ] || fail "${size}x${size} icon is $actual"
    ok "icon ${size}x${size} is a ${actual} PNG"
done

# What was installed is what the source tree holds.
cmp -s "$desktop" "$source/packaging/$app.desktop" || fail "installed desktop entry differs from packaging/"
cmp -s "$metainfo" "$source/packaging/$app.metainfo.xml" || fail "installed metainfo differs from packaging/"
cmp -s "$root/share/icons/hicolor/32x32/apps/$app.png" "$source/resources/zorbelin.png" ||
    fail "32x32 icon is not resources/zorbelin.png"
cmp -s "$root/share/icons/hicolor/256x256/apps/$app.png" "$source/resources/zorbelin-256.png" ||
    fail "256x256 icon is not resources/zorbelin-256.png"
ok "installed files match the source tree"

# --- the manual pages and debian/copyright --------------------------------

# Uncompressed: debhelper compresses them in the package.
cmp -s "$root/share/man/man1/zorbelin.1" "$source/packaging/zorbelin.1" || fail "share/man/man1/zorbelin.1 missing or differs"
cmp -s "$root/share/man/bg/man1/zorbelin.1" "$source/packaging/zorbelin.bg.1" ||
    fail "share/man/bg/man1/zorbelin.1 missing or differs"
ok "manual pages installed"

# The copyright file parses as Debian's machine-readable format and puts the
# whole tree under GPL-3+, pointing to the licence text every Debian system has.
/usr/bin/python3 - "$source/debian/copyright" <<'PY' || fail "debian/copyright"
import sys
from debian.copyright import Copyright
with open(sys.argv[1], encoding="utf-8") as f:
    c = Copyright(f, strict=True)
assert c.header.format, "no Format: line"
every = c.find_files_paragraph("zorbelin-never-named-file.cpp")
assert every is not None and "*" in every.files, "no Files: * paragraph"
assert every.license.synopsis == "GPL-3+", f"Files: * is under {every.license.synopsis}"
assert every.copyright, "Files: * has no Copyright:"
named = {p.license.synopsis for p in c.all_files_paragraphs()}
texts = {p.license.synopsis: p.license.text for p in c.all_license_paragraphs()}
missing = named - texts.keys()
assert not missing, f"no License: paragraph for {missing}"
assert "/usr/share/common-licenses/GPL-3" in texts["GPL-3+"], "GPL-3+ does not point to common-licenses"
print("ok: copyright is DEP-5:", ", ".join(sorted(named)))
PY

# The version the changelog and the manual pages state is the project's.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || fail "no project version in $build/CMakeCache.txt"
changelog_version=$(dpkg-parsechangelog -l "$source/debian/changelog" -S Version) ||
    fail "dpkg-parsechangelog cannot read debian/changelog"
[ "${changelog_version%-*}" = "$version" ] ||
    fail "debian/changelog's latest entry is $changelog_version, the project is $version"
for page in zorbelin.1 zorbelin.bg.1; do
    grep -q "^\.TH ZORBELIN 1 .* \"zorbelin $version\"" "$source/packaging/$page" ||
        fail "packaging/$page does not say zorbelin $version in .TH"
done
ok "changelog and manual pages are for version $version"

# groff with every warning on reports nothing. The English page is plain
# ASCII, checked as is; the Bulgarian one is UTF-8 Cyrillic, which groff's
# default PostScript device has no glyphs for, so both are also checked
# through preconv (-k) on the UTF-8 terminal device, as man shows them.
groff_quiet() {
    local out
    out=$("$@" 2>&1) || fail "$* exited $?: $out"
    [ -z "$out" ] || { echo "$out" >&2; fail "$* warns"; }
}
groff_quiet groff -man -ww -z "$source/packaging/zorbelin.1"
for page in zorbelin.1 zorbelin.bg.1; do
    groff_quiet groff -k -man -ww -z -Tutf8 "$source/packaging/$page"
done
for heading in NAME SYNOPSIS DESCRIPTION OPTIONS "EXIT STATUS" ENVIRONMENT EXAMPLES; do
    grep -qx "\.SH $heading" "$source/packaging/zorbelin.1" || fail "zorbelin.1 has no $heading section"
done
# The translation documents the same options.
options() { grep -o '\\-\\-[a-z]*' "$1" | sort -u; }
[ "$(options "$source/packaging/zorbelin.1")" = "$(options "$source/packaging/zorbelin.bg.1")" ] ||
    fail "the English and Bulgarian manual pages name different options"
ok "groff -man -ww reports nothing on either manual page"

# The manual pages describe the installed program: its version, every option
# its --help lists, and the example output of --print 3. None of these needs
# a display.
program=$root/bin/zorbelin
[ "$("$program" --version)" = "zorbelin $version" ] || fail "zorbelin --version says $("$program" --version)"
help_options=$("$program" --help | grep -o -- '--[a-z]*' | sort -u)
[ -n "$help_options" ] || fail "zorbelin --help names no options"
[ "$help_options" = "$(options "$source/packaging/zorbelin.1" | sed 's/\\//g')" ] ||
    fail "zorbelin --help names $(echo $help_options), the manual page $(options "$source/packaging/zorbelin.1" | sed 's/\\//g' | tr '\n' ' ')"
# The lines between .EX and .EE right after "--print 3" in each page.
for page in zorbelin.1 zorbelin.bg.1; do
    example=$(awk '/zorbelin \\-\\-print 3$/ { seen = 1 } seen && /^\.EE/ { exit } seen && inside { print } seen && /^\.EX/ { inside = 1 }' \
        "$source/packaging/$page")
    [ -n "$example" ] || fail "$page has no example output of zorbelin --print 3"
    [ "$example" = "$("$program" --print 3)" ] || fail "$page shows another --print 3 output than the program prints"
done
ok "the manual pages match zorbelin $version's options and its --print 3 output"

# --- the installed files are valid and agree with each other --------------

desktop-file-validate "$desktop" >"$tmp/dfv.log" 2>&1 || true
cat "$tmp/dfv.log"
! grep -Eq ': (error|warning):' "$tmp/dfv.log" || fail "desktop-file-validate reports errors or warnings"
ok "desktop-file-validate"

# Warnings make appstreamcli fail as well; infos do not.
appstreamcli validate --no-net "$metainfo" >"$tmp/as.log" 2>&1 ||
    { cat "$tmp/as.log" >&2; fail "appstreamcli validate --no-net"; }
grep '^[IP]:' "$tmp/as.log" || true
ok "appstreamcli validate --no-net"

key() { sed -n "s/^$1=//p" "$desktop" | head -n1; }
exec_command=$(key Exec)
exec_command=${exec_command%% *}
[ -x "$root/bin/$exec_command" ] || fail "Exec=$exec_command is not an installed program"
[ "$(key Icon)" = "$app" ] || fail "Icon=$(key Icon), the icons are installed as $app"
grep -q "<launchable type=\"desktop-id\">$app.desktop</launchable>" "$metainfo" ||
    fail "the metainfo does not launch $app.desktop"
grep -q "<id>$app</id>" "$metainfo" || fail "the metainfo's id is not $app"
grep -q "<binary>$exec_command</binary>" "$metainfo" || fail "the metainfo does not provide the binary $exec_command"
ok "Exec, Icon, launchable and provided binary agree"

echo "packaging: all checks passed"
