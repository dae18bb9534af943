#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Zorbelin contributors
# SPDX-License-Identifier: GPL-3.0-or-later

# Checks that every file of the source tree states its copyright and licence
# (REUSE: a header in the file or an annotation in REUSE.toml), and that every
# licence named has its text in LICENSES/.
#   packaging/reuse-lint.sh <source-dir>
# Needs reuse and git. reuse takes the file list from git, so a tree that is
# not a git checkout (an unpacked tarball) is skipped with exit 77.
set -euo pipefail

[ $# -eq 1 ] || { echo "usage: $0 <source-dir>" >&2; exit 2; }
source=$(cd "$1" && pwd)

# The tree itself must be the checkout's top, not a tarball unpacked somewhere
# inside another repository.
top=$(git -C "$source" rev-parse --show-toplevel 2>/dev/null || true)
if [ -z "$top" ] || [ "$(cd "$top" && pwd -P)" != "$(cd "$source" && pwd -P)" ]; then
    echo "SKIPPED: $source is not a git checkout; reuse lint needs git to tell source files from build output"
    exit 77
fi
command -v reuse >/dev/null || { echo "FAIL: reuse is not installed (apt-get install reuse)" >&2; exit 1; }

version=$(reuse --version | grep -o '[0-9][0-9.]*' | head -n 1)
echo "reuse $version"
if [ "${version%%.*}" -ge 4 ]; then
    exec reuse --root "$source" lint
fi

# reuse before 4 (Debian 12 has 1.1) reads no REUSE.toml, only .reuse/dep5,
# which later versions deprecate. It lints a copy of the files git would
# commit, given a .reuse/dep5 that names, file by file, what each annotation
# of REUSE.toml covers.
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
git -C "$source" ls-files -z --cached --others --exclude-standard |
    (cd "$source" && tar --null --files-from=- -cf -) | tar -xf - -C "$tmp"
mkdir -p "$tmp/.reuse"
/usr/bin/python3 - "$tmp" >"$tmp/.reuse/dep5" <<'PY'
import os
import re
import sys
import tomllib

root = sys.argv[1]
with open(os.path.join(root, "REUSE.toml"), "rb") as f:
    toml = tomllib.load(f)
files = sorted(os.path.relpath(os.path.join(d, n), root) for d, _, names in os.walk(root) for n in names)


def pattern(glob):
    """REUSE.toml's globs: ** crosses folders, * does not, \\* is a star."""
    out = ""
    for token in re.findall(r"\\\*|\*\*|\*|[^*\\]+|\\", glob):
        out += {"\\*": r"\*", "**": ".*", "*": "[^/]*"}.get(token, re.escape(token))
    return re.compile(out + r"\Z")


print("Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/")
for note in toml["annotations"]:
    paths = note["path"] if isinstance(note["path"], list) else [note["path"]]
    matched = [f for f in files if any(pattern(p).match(f) for p in paths)]
    if not matched:
        continue
    texts = note["SPDX-FileCopyrightText"]
    texts = texts if isinstance(texts, list) else [texts]
    print("\nFiles: " + "\n ".join(matched))
    print("Copyright: " + "\n ".join(texts))
    print("License: " + note["SPDX-License-Identifier"])
PY
rm "$tmp/REUSE.toml"
# A repository of its own, so reuse lists the files through git as above.
git -C "$tmp" init -q && git -C "$tmp" add -A
reuse --root "$tmp" lint
