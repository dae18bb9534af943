# SPDX-FileCopyrightText: 2026 Zorbelin contributors
# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by scripts/test-web and scripts/bench-web: Debian's Chromium, Firefox
# and WebKit (MiniBrowser and its WebDriver), the X server the last two draw
# on, nginx with its brotli module, and the npm packages the tests and the
# measurements use, each at an exact version, installed by npm into a cache
# outside the checkout. Sourced, not run, after scripts/lib/packages.sh and
# scripts/lib/cache.sh.

install_missing chromium firefox-esr webkit2gtk-driver xvfb nginx-light libnginx-mod-http-brotli-static curl poppler-utils python3
command -v npm >/dev/null || install_missing npm

modules=$cache/web-test
# npm_package name version: installs it into the cache unless it is there at that version.
npm_package() {
    [ "$(node -p "require('$modules/node_modules/$1/package.json').version" 2>/dev/null)" = "$2" ] && return 0
    echo "Installing $1 $2 into $modules"
    mkdir -p "$modules"
    (cd "$modules" && npm install --no-audit --no-fund --loglevel=error "$1@$2" >/dev/null)
}
npm_package puppeteer-core 24.43.1
npm_package axe-core 4.10.2
export NODE_PATH=$modules/node_modules
