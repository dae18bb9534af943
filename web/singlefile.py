# SPDX-FileCopyrightText: 2026 Zorbelin contributors
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the page of a built folder as one file that works opened from disk
(a USB stick, an e-mail): the model, the scripts, the font, the picture and
the icon inside it. Nothing is kept offline or installed from it; it needs
nothing else.

    python3 web/singlefile.py FOLDER OUTPUT
"""

import base64
import pathlib
import re
import sys


def main():
    folder, output = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
    page = (folder / 'index.html').read_text(encoding='utf-8')

    def data(name, kind):
        return f'data:{kind};base64,' + base64.b64encode((folder / name).read_bytes()).decode('ascii')

    def script(name, squeeze=False):
        text = (folder / name).read_text(encoding='utf-8')
        # The page's own script is read by people in its own file; here its
        # comment lines and indentation only take room.
        if squeeze:
            text = '\n'.join(line.strip() for line in text.splitlines() if not line.strip().startswith('//'))
        # A script's text ends at the first "</script", whatever it means.
        return text.replace('</script', '<\\/script')

    def replace(old, new):
        nonlocal page
        if old not in page:
            sys.exit(f'singlefile: the page no longer has {old!r}')
        page = page.replace(old, new)

    replace('<link rel="manifest" href="manifest.webmanifest">\n', '')
    replace('<link rel="preload" href="serif.woff2" as="font" type="font/woff2" crossorigin>\n', '')
    replace('href="zorbelin.png"', f'href="{data("zorbelin.png", "image/png")}"')
    replace('url(serif.woff2)', f'url({data("serif.woff2", "font/woff2")})')
    # One picture, the sharper one, for every screen.
    page, sources = re.subn(r'\s*<source [^>]*srcset="melencolia@2x\.jpg">', '', page)
    if sources != 1:
        sys.exit('singlefile: the page no longer has the picture source it replaces')
    replace('src="melencolia.jpg"', f'src="{data("melencolia@2x.jpg", "image/jpeg")}"')
    wasm = base64.b64encode((folder / 'zorbelin.wasm').read_bytes()).decode('ascii')
    replace('<script defer src="zorbelin.js"></script>',
            f'<script id="zorbelin-wasm" type="application/octet-stream">{wasm}</script>\n'
            f'<script>{script("zorbelin.js")}</script>')
    replace('<script type="module" src="page.js"></script>', f'<script type="module">{script("page.js", squeeze=True)}</script>')
    output.write_text(page, encoding='utf-8')


main()
