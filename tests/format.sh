#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Zorbelin contributors
# SPDX-License-Identifier: GPL-3.0-or-later
# Every C++ file of the source tree is laid out as .clang-format says.
#   format.sh <source dir>
set -euo pipefail
cd "$1"
command -v clang-format >/dev/null || { echo "FAIL: clang-format is not installed"; exit 1; }
mapfile -t files < <(find . \( -name 'build*' -o -name '.*' ! -name . \) -prune -o \
    \( -name '*.cpp' -o -name '*.h' \) -print | sort)
[ "${#files[@]}" -gt 20 ] || { echo "FAIL: only ${#files[@]} C++ files found under $1"; exit 1; }
clang-format --version
if clang-format --dry-run --Werror "${files[@]}"; then
    echo "${#files[@]} files laid out as .clang-format says"
else
    echo "FAIL: run clang-format -i on the files above"
    exit 1
fi
