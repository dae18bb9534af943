#!/usr/bin/env bash
# Installs the build into a scratch prefix and packs it as a .deb, then checks
# that both carry a valid desktop entry, the icons and the AppStream metainfo,
# and that the package depends on what the program needs at run time.
#   packaging/check.sh <build-dir> <source-dir>
# Needs desktop-file-utils, appstream, dpkg-dev and file; no root, no network.
set -euo pipefail

if [ $# -ne 2 ]; then
    echo "usage: $0 <build-dir> <source-dir>" >&2
    exit 2
fi
build=$(cd "$1" && pwd)
source=$(cd "$2" && pwd)
app=example.zorbelin.Zorbelin

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
ok() {
    echo "ok: $*"
}

# Width and height from the PNG header: the signature, then the IHDR chunk
# whose first eight data bytes are the two big-endian 32-bit sizes.
png_size() {
    local signature
    signature=$(od -An -tx1 -N8 "$1" | tr -d ' \n')
    [ "$signature" = 89504e470d0a1a0a ] || return 1
    local w h
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

# --- the installed files are valid and agree with each other --------------

desktop-file-validate "$desktop" >"$tmp/dfv.log" 2>&1 || true
cat "$tmp/dfv.log"
if grep -Eq ': (error|warning):' "$tmp/dfv.log"; then
    fail "desktop-file-validate reports errors or warnings"
fi
ok "desktop-file-validate"

# Warnings make appstreamcli fail as well; infos do not.
appstreamcli validate --no-net "$metainfo" >"$tmp/as.log" 2>&1 || {
    cat "$tmp/as.log" >&2
    fail "appstreamcli validate --no-net"
}
grep '^[IP]:' "$tmp/as.log" || true
ok "appstreamcli validate --no-net"

key() {
    sed -n "s/^$1=//p" "$desktop" | head -n1
}
exec_command=$(key Exec)
exec_command=${exec_command%% *}
[ -x "$root/bin/$exec_command" ] || fail "Exec=$exec_command is not an installed program"
[ "$(key Icon)" = "$app" ] || fail "Icon=$(key Icon), the icons are installed as $app"
grep -q "<launchable type=\"desktop-id\">$app.desktop</launchable>" "$metainfo" ||
    fail "the metainfo does not launch $app.desktop"
grep -q "<id>$app</id>" "$metainfo" || fail "the metainfo's id is not $app"
grep -q "<binary>$exec_command</binary>" "$metainfo" || fail "the metainfo does not provide the binary $exec_command"
ok "Exec, Icon, launchable and provided binary agree"

# --- the .deb -------------------------------------------------------------

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$tmp/deb" >"$tmp/cpack.log" 2>&1 ||
    { cat "$tmp/cpack.log" >&2; fail "cpack -G DEB"; }
debs=("$tmp"/deb/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "cpack made no single .deb: ${debs[*]}"
deb=${debs[0]}
ok "cpack -G DEB made $(basename "$deb")"

[ "$(dpkg-deb -f "$deb" Package)" = zorbelin ] || fail "package name is $(dpkg-deb -f "$deb" Package)"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
# Package names alone, without version constraints or alternatives' bars.
names=$(tr ',|' '\n\n' <<<"$depends" | sed 's/(.*)//; s/:any//; s/^ *//; s/ *$//')
for needed in libqt6widgets6 libqt6gui6 libqt6core6 fonts-liberation2; do
    grep -qx "$needed" <<<"$names" || fail "Depends does not name $needed"
done
ok "Depends names the Qt libraries and fonts-liberation2"

dpkg-deb -c "$deb" | awk '{print $NF}' >"$tmp/contents"
for path in \
    ./usr/bin/zorbelin \
    ./usr/share/applications/$app.desktop \
    ./usr/share/icons/hicolor/32x32/apps/$app.png \
    ./usr/share/icons/hicolor/256x256/apps/$app.png \
    ./usr/share/metainfo/$app.metainfo.xml; do
    grep -qxF "$path" "$tmp/contents" || fail "the .deb lacks $path"
done
ok "the .deb holds the program, desktop entry, icons and metainfo under /usr"

echo "packaging: all checks passed"
