# SPDX-FileCopyrightText: 2026 Zorbelin contributors
# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by scripts/test-web and scripts/bench-web: Debian's Chromium, and
# puppeteer-core, the library that drives it, installed by npm into a cache
# outside the checkout. Sourced, not run, after scripts/lib/qt-build.sh.

install_missing chromium python3
command -v npm >/dev/null || install_missing npm

puppeteer_version=24.43.1
modules=${ZORBELIN_CACHE:-$HOME/.cache/zorbelin}/web-test
if [ "$(node -p "require('$modules/node_modules/puppeteer-core/package.json').version" 2>/dev/null)" != "$puppeteer_version" ]; then
    echo "Installing puppeteer-core $puppeteer_version into $modules"
    mkdir -p "$modules"
    (cd "$modules" && npm install --no-audit --no-fund --loglevel=error "puppeteer-core@$puppeteer_version" >/dev/null)
fi
export NODE_PATH=$modules/node_modules
