#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Zorbelin contributors
# SPDX-License-Identifier: GPL-3.0-or-later
# Run by scripts/test-debian as root inside a fresh minimal chroot, from the
# clone /root/zorbelin with the upstream tarball beside it: builds the source
# and binary packages as Debian does, from build-essential and the
# Build-Depends alone, then checks them with lintian and autopkgtest.
# --source-checks adds what depends on the source more than on the release:
# a left-out Build-Depend fails the build, and a second build gives the same .deb.
# --nocheck builds without the tests (the nocheck profile and option), where
# the whole suite runs on the same release anyway.
#   deb-build.sh [--source-checks] [--nocheck]
set -euo pipefail
source_checks=0
for option; do
    case $option in
    --source-checks) source_checks=1 ;;
    --nocheck) export DEB_BUILD_PROFILES=nocheck DEB_BUILD_OPTIONS=nocheck ;;
    *) echo "usage: deb-build.sh [--source-checks] [--nocheck]" >&2; exit 2 ;;
    esac
done
export DEBIAN_FRONTEND=noninteractive
cd /root/zorbelin
lap=$SECONDS
timing() {
    printf '  %s: %dm%02ds\n' "$1" $(((SECONDS - lap) / 60)) $(((SECONDS - lap) % 60))
    lap=$SECONDS
}
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
# build dir log [dpkg-buildpackage option...]: builds the package in dir.
build() {
    local dir=$1 log=$2
    shift 2
    (cd "$dir" && dpkg-buildpackage -us -uc "$@") >"$log" 2>&1
}

# Two more copies of the clean tree before anything is built in it.
mkdir -p /root/missing /root/again
cp -a . /root/missing/zorbelin
cp -a . /root/again/zorbelin-elsewhere

apt-get update -qq
apt-get install -y -qq --no-install-recommends build-essential >/dev/null
timing "build-essential"

if [ "$source_checks" -eq 1 ]; then
    # Every Build-Depend is needed: a copy whose control file leaves out
    # qt6-base-dev gets only the others, and its build fails.
    sed -i '/^ *qt6-base-dev,$/d' /root/missing/zorbelin/debian/control
    ! grep -q qt6-base-dev /root/missing/zorbelin/debian/control || fail "qt6-base-dev is still in the copy's Build-Depends"
    (cd /root/missing/zorbelin && apt-get build-dep -y -qq ./ >/dev/null)
    ! build /root/missing/zorbelin /root/missing/log -b || fail "the package built without qt6-base-dev"
    grep -q 'Qt6Config.cmake' /root/missing/log || { tail -n 30 /root/missing/log >&2; fail "that build failed for another reason"; }
    echo "ok: without qt6-base-dev in Build-Depends the build fails, on CMake's find_package(Qt6)"
    timing "the build without qt6-base-dev"
fi

apt-get build-dep -y -qq ./ >/dev/null
build . /root/build.log || { tail -n 60 /root/build.log >&2; fail "dpkg-buildpackage -us -uc"; }
grep -E '^(100% tests passed|[0-9]+% tests passed)' /root/build.log || true
(cd /root && ls zorbelin_*)
timing "dpkg-buildpackage -us -uc (source and binary packages${DEB_BUILD_OPTIONS:+, $DEB_BUILD_OPTIONS})"

# Debian's names and places, as the .deb has always had them.
deb=$(echo /root/zorbelin_*_*.deb)
[ -f "$deb" ] || fail "no single .deb: $deb"
app=example.zorbelin.Zorbelin
for path in usr/bin/zorbelin usr/share/applications/$app.desktop usr/share/icons/hicolor/32x32/apps/$app.png \
    usr/share/icons/hicolor/256x256/apps/$app.png usr/share/metainfo/$app.metainfo.xml \
    usr/share/doc/zorbelin/copyright usr/share/doc/zorbelin/changelog.gz usr/share/doc/zorbelin/changelog.Debian.gz \
    usr/share/man/man1/zorbelin.1.gz \
    usr/share/man/bg/man1/zorbelin.1.gz; do
    dpkg-deb -c "$deb" | awk '{ print $6 }' | grep -qxF "./$path" || fail "the .deb lacks /$path"
done
echo "ok: the .deb holds the program, menu entry, icons, metainfo, copyright, changelogs and manual pages"

if [ "$source_checks" -eq 1 ]; then
    # The same .deb must come from a second build of the same source in
    # another folder, without the tests (the program alone, as
    # DEB_BUILD_OPTIONS=nocheck builds it). It compiles while lintian and
    # autopkgtest are installed and run, which mostly wait on the disk;
    # nothing they install is read by the build.
    DEB_BUILD_OPTIONS=nocheck build /root/again/zorbelin-elsewhere /root/again.log -b &
    again=$!
fi

apt-get install -y -qq --no-install-recommends lintian autopkgtest >/dev/null
changes=$(echo /root/zorbelin_*_"$(dpkg --print-architecture)".changes)
timing "installing lintian and autopkgtest"
# Any error or warning fails; the informational and pedantic tags are shown.
lintian --pedantic --display-info "$changes" 2>&1 |
    grep -v '^running with root privileges is not recommended!$' | tee /root/lintian.log || true
! grep -Eq '^[EW]: ' /root/lintian.log || fail "lintian reports errors or warnings"
echo "ok: lintian $(dpkg-query -W -f='${Version}' lintian): no errors, no warnings"
timing "lintian --pedantic"

autopkgtest --output-dir /root/autopkgtest "$changes" -- null \
    >/root/autopkgtest.log 2>&1 || { cat /root/autopkgtest.log >&2; fail "autopkgtest"; }
sed -n '/^command-line/p; /^window/p; /^ok: /p; /^zorbelin --version/p; /^window [0-9]/p' /root/autopkgtest.log
echo "ok: autopkgtest $(dpkg-query -W -f='${Version}' autopkgtest) passes"
timing "autopkgtest (null runner)"

if [ "$source_checks" -eq 1 ]; then
    wait "$again" || { tail -n 40 /root/again.log >&2; fail "the second build"; }
    cmp "$deb" "/root/again/$(basename "$deb")" || fail "two builds of one source give different .debs"
    echo "ok: two builds give the same $(stat -c %s "$deb") bytes of $(basename "$deb")"
    timing "the rest of the second build, run alongside lintian and autopkgtest"
fi
