# SPDX-FileCopyrightText: 2026 Zorbelin contributors
# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by scripts/test-web and scripts/bench-web: Debian's Chromium, Firefox
# and WebKit (MiniBrowser and its WebDriver), the X server the last two draw
# on, and puppeteer-core, the library that drives the first two, installed by
# npm into a cache outside the checkout. Sourced, not run, after
# scripts/lib/qt-build.sh.

install_missing chromium firefox-esr webkit2gtk-driver xvfb python3
command -v npm >/dev/null || install_missing npm

puppeteer_version=24.43.1
modules=${ZORBELIN_CACHE:-$HOME/.cache/zorbelin}/web-test
if [ "$(node -p "require('$modules/node_modules/puppeteer-core/package.json').version" 2>/dev/null)" != "$puppeteer_version" ]; then
    echo "Installing puppeteer-core $puppeteer_version into $modules"
    mkdir -p "$modules"
    (cd "$modules" && npm install --no-audit --no-fund --loglevel=error "puppeteer-core@$puppeteer_version" >/dev/null)
fi
export NODE_PATH=$modules/node_modules
