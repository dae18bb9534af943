#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Zorbelin contributors
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the program as a packager would, with neither the tests nor Google
# Benchmark, in a scratch directory: it must configure, say in one line that
# the benchmarks are skipped, build the program, and install it with its
# documentation.
#   packaging/minimal-build.sh <source-dir>
set -euo pipefail

if [ $# -ne 1 ]; then
    echo "usage: $0 <source-dir>" >&2
    exit 2
fi
source=$(cd "$1" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

build=$tmp/build
cmake -S "$source" -B "$build" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON -DZORBELIN_BUILD_TESTS=OFF >"$tmp/configure.log" 2>&1 ||
    { cat "$tmp/configure.log" >&2; fail "configure without Google Benchmark and tests"; }
skipped=$(grep -i 'benchmark' "$tmp/configure.log" || true)
echo "configure said: $skipped"
[ "$(grep -c . <<<"$skipped")" -eq 1 ] || fail "expected one line about the benchmarks, got: $skipped"
grep -q 'Benchmarks skipped' <<<"$skipped" || fail "the line does not say the benchmarks are skipped"

cmake --build "$build" --parallel "$(nproc)" >"$tmp/build.log" 2>&1 ||
    { tail -n 40 "$tmp/build.log" >&2; fail "build without Google Benchmark and tests"; }
[ -x "$build/zorbelin" ] || fail "the build made no zorbelin"
# Neither a benchmark nor a test was built or registered.
for target in boardbench startup cadence growth tst_square tst_layout; do
    if find "$build" -name "$target" -type f -perm -u+x | grep -q .; then
        fail "$target was built"
    fi
done
[ ! -e "$build/CTestTestfile.cmake" ] || ! grep -q add_test "$build/CTestTestfile.cmake" ||
    fail "tests were registered with ZORBELIN_BUILD_TESTS=OFF"
echo "ok: the program alone built"

cmake --install "$build" --prefix "$tmp/root" >"$tmp/install.log" 2>&1 ||
    { cat "$tmp/install.log" >&2; fail "cmake --install"; }
for path in bin/zorbelin share/doc/zorbelin/copyright share/doc/zorbelin/changelog.gz \
    share/man/man1/zorbelin.1.gz share/man/bg/man1/zorbelin.1.gz; do
    [ -f "$tmp/root/$path" ] || fail "the install lacks $path"
done
echo "ok: it installs the program, copyright, changelog and manual pages"
echo "minimal build: all checks passed"
