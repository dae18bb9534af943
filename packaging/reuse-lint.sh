#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Zorbelin contributors
# SPDX-License-Identifier: GPL-3.0-or-later

# Checks that every file of the source tree states its copyright and licence
# (REUSE: a header in the file or a stanza of .reuse/dep5), and that every
# licence named has its text in LICENSES/.
#   packaging/reuse-lint.sh <source-dir>
# Needs reuse and git. reuse takes the file list from git, so a tree that is
# not a git checkout (an unpacked tarball) is skipped with exit 77.
set -euo pipefail

if [ $# -ne 1 ]; then
    echo "usage: $0 <source-dir>" >&2
    exit 2
fi
source=$(cd "$1" && pwd)

# The tree itself must be the checkout's top, not a tarball unpacked somewhere
# inside another repository.
top=$(git -C "$source" rev-parse --show-toplevel 2>/dev/null || true)
if [ -z "$top" ] || [ "$(cd "$top" && pwd -P)" != "$(cd "$source" && pwd -P)" ]; then
    echo "SKIPPED: $source is not a git checkout; reuse lint needs git to tell source files from build output"
    exit 77
fi
command -v reuse >/dev/null || { echo "FAIL: reuse is not installed (apt-get install reuse)" >&2; exit 1; }

reuse --root "$source" lint
