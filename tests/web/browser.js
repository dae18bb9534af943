// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

// Shared by scripts/test-web and scripts/bench-web: Debian's Chromium,
// headless, on a fresh profile, and the window recognised in screenshots.
'use strict';
const { spawn } = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const puppeteer = require('puppeteer-core');

// Places in the window (its own pixels) with their colours: the two labels,
// the window, "Горе", "Чисти", the size list, the text box, then the
// picture's paper and, last, one of its lines (too thin for a smaller scale).
const windowLooks = [[100, 10, 0xffc080], [10, 52, 0xffc080], [150, 200, 0xc0c0ff], [54, 256, 0x8080ff],
    [55, 316, 0x8080ff], [36, 100, 0xffffff], [20, 470, 0xffffff], [300, 90, 0xf2f2f2], [225, 150, 0x000000]];

async function launch() {
    const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'zorbelin-chromium-'));
    const browser = await puppeteer.launch({
        executablePath: '/usr/bin/chromium', headless: true, userDataDir: profile, protocolTimeout: 60000,
        args: ['--no-sandbox', '--disable-gpu', '--enable-unsafe-swiftshader', '--disable-background-networking',
               '--disable-component-update', '--disable-sync', '--no-first-run', '--disable-quic'],
    });
    const close = browser.close.bind(browser);
    browser.close = () => close().then(() => fs.rmSync(profile, { recursive: true, force: true }));
    const decoder = await browser.newPage();
    // The colours of a PNG at points, decoded by the browser itself.
    browser.colours = (png, points) => decoder.evaluate(async (data, points) => {
        const image = await createImageBitmap(await (await fetch('data:image/png;base64,' + data)).blob());
        const context = new OffscreenCanvas(image.width, image.height).getContext('2d');
        context.drawImage(image, 0, 0);
        return points.map(([x, y]) => context.getImageData(x, y, 1, 1).data);
    }, Buffer.from(png).toString('base64'), points).then((all) => all.map((c) => (c[0] << 16) | (c[1] << 8) | c[2]));
    return browser;
}

// Whether a screenshot shows `looks` (default: the whole window as it opens)
// with the window's top-left corner at `place` (CSS pixels), drawn `scale`
// times its size on a screen of `ratio` device pixels per CSS pixel.
async function shows(browser, png, { place, scale = 1, ratio = 1, looks = windowLooks }) {
    const points = looks.map(([x, y]) => [Math.floor((place.x + (x + 0.5) * scale) * ratio),
                                          Math.floor((place.y + (y + 0.5) * scale) * ratio)]);
    const found = await browser.colours(png, points);
    const near = (a, b) => [16, 8, 0].every((s) => Math.abs(((a >> s) & 255) - ((b >> s) & 255)) <= 24);
    return looks.every(([, , colour], i) => near(found[i], colour));
}

// Serves `folder` on a free loopback port; resolves to the address and the server.
function serve(folder) {
    const server = spawn('python3', ['-u', '-m', 'http.server', '0', '--bind', '127.0.0.1', '--directory', folder],
                         { stdio: ['ignore', 'pipe', 'ignore'] });
    return new Promise((resolve, reject) => {
        server.stdout.on('data', (data) => {
            const found = String(data).match(/\((http:\/\/127\.0\.0\.1:\d+\/)\)/);
            if (found)
                resolve({ url: found[1], server });
        });
        server.on('exit', (code) => reject(new Error(`the web server ended (${code})`)));
    });
}

async function until(condition, what, seconds = 60) {
    for (const end = Date.now() + seconds * 1000; Date.now() < end;) {
        const result = await condition();
        if (result)
            return result;
        await new Promise((resolve) => setTimeout(resolve, 50));
    }
    throw new Error(`${what}: nothing after ${seconds} s`);
}

// The cells a page with ?log reports as revealed from line `from` on, once
// there are `count` of them.
const cellLine = /^клетка: ред (\d+), колона (\d+), число (\d+), време ([\d.]+) мс$/;
function revealed(page, from, count) {
    return until(() => {
        const cells = page.lines.slice(from).map((line) => line.match(cellLine)).filter(Boolean)
            .map((m) => ({ row: +m[1], column: +m[2], number: +m[3], time: +m[4] }));
        return cells.length >= count && cells;
    }, `${count} cells revealed`);
}

module.exports = { launch, serve, shows, until, revealed, windowLooks };
