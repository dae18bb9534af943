// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

// Shared by scripts/test-web and scripts/bench-web: the three browser engines
// as rows (Debian's Chromium and Firefox driven by puppeteer-core, WebKit's
// MiniBrowser by WebKitWebDriver), each on a fresh profile, all behind one
// small page interface; the web server; the window recognised in screenshots.
'use strict';
const { spawn } = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const zlib = require('zlib');
const puppeteer = require('puppeteer-core');

// Places in the window (its own pixels) with their colours: the two labels,
// the window, "Горе", "Чисти", the size list, the text box, then the
// picture's paper and, last, one of its lines (too thin for a smaller scale).
const windowLooks = [[100, 10, 0xffc080], [10, 52, 0xffc080], [150, 200, 0xc0c0ff], [54, 256, 0x8080ff],
    [55, 316, 0x8080ff], [36, 100, 0xffffff], [20, 470, 0xffffff], [300, 90, 0xf2f2f2], [225, 150, 0x000000]];

// The RGB colours of a PNG (8 bits a channel, not interlaced: what browsers
// and Xvfb's screenshots are) at points.
function colours(png, points) {
    const width = png.readUInt32BE(16), depth = png[24], type = png[25];
    const channels = { 0: 1, 2: 3, 4: 2, 6: 4 }[type];
    if (depth !== 8 || !channels || png[28] !== 0)
        throw new Error(`a PNG of depth ${depth}, type ${type}, interlace ${png[28]}`);
    const chunks = [];
    for (let at = 8; at < png.length;) {
        const length = png.readUInt32BE(at), kind = png.toString('latin1', at + 4, at + 8);
        if (kind === 'IDAT')
            chunks.push(png.subarray(at + 8, at + 8 + length));
        at += 12 + length;
    }
    const data = zlib.inflateSync(Buffer.concat(chunks));
    const stride = width * channels;
    const rows = [];
    for (let y = 0, previous = Buffer.alloc(stride); y * (stride + 1) < data.length; y++) {
        const filter = data[y * (stride + 1)], row = Buffer.from(data.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1)));
        for (let i = 0; i < stride; i++) {
            const a = i >= channels ? row[i - channels] : 0, b = previous[i], c = i >= channels ? previous[i - channels] : 0;
            const p = a + b - c, pa = Math.abs(p - a), pb = Math.abs(p - b), pc = Math.abs(p - c);
            row[i] += [0, a, b, (a + b) >> 1, pa <= pb && pa <= pc ? a : pb <= pc ? b : c][filter];
        }
        rows.push(row);
        previous = row;
    }
    return points.map(([x, y]) => {
        const row = rows[y], i = x * channels;
        if (!row || x < 0 || x >= width)
            return -1;
        return channels < 3 ? row[i] * 0x10101 : (row[i] << 16) | (row[i + 1] << 8) | row[i + 2];
    });
}

// Where `looks` (window pixels) fall in a screenshot of a page whose canvas
// is at `place` (CSS pixels), drawn `scale` times the window's size on a
// screen of `ratio` device pixels per CSS pixel.
const onScreen = (looks, { place, scale = 1, ratio = 1 }) => looks.map(([x, y]) =>
    [Math.floor((place.x + (x + 0.5) * scale) * ratio), Math.floor((place.y + (y + 0.5) * scale) * ratio)]);

// Whether a screenshot shows `looks` (default: the whole window as it opens).
function shows(png, { looks = windowLooks, ...where }) {
    const found = colours(png, onScreen(looks, where));
    const near = (a, b) => a >= 0 && [16, 8, 0].every((s) => Math.abs(((a >> s) & 255) - ((b >> s) & 255)) <= 24);
    return looks.every(([, , colour], i) => near(found[i], colour));
}

// How many nearly black pixels a rectangle of the window (its own pixels)
// holds in a screenshot, on a grid of its own pixels: the ink of a caption.
function ink(png, [left, top, width, height], where) {
    const grid = [];
    for (let y = top; y < top + height; y++)
        for (let x = left; x < left + width; x++)
            grid.push([x, y]);
    return colours(png, onScreen(grid, where)).filter((c) => c >= 0 && ((c >> 16) + ((c >> 8) & 255) + (c & 255)) < 200).length;
}

// Serves `folder` on a free loopback port; resolves to the address, the
// server, and `served`: each request as [path, status], as the server logs it.
function serve(folder) {
    const server = spawn('python3', ['-u', '-m', 'http.server', '0', '--bind', '127.0.0.1', '--directory', folder],
                         { stdio: ['ignore', 'pipe', 'pipe'] });
    const served = [];
    server.stderr.on('data', (data) => {
        for (const m of String(data).matchAll(/"GET (\S+) HTTP\/[\d.]+" (\d+)/g))
            served.push([m[1].replace(/\?.*/, ''), +m[2]]);
    });
    return new Promise((resolve, reject) => {
        server.stdout.on('data', (data) => {
            const found = String(data).match(/\((http:\/\/127\.0\.0\.1:\d+\/)\)/);
            if (found)
                resolve({ url: found[1], server, served });
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
    return until(async () => {
        await page.refresh();
        const cells = page.lines.slice(from).map((line) => line.match(cellLine)).filter(Boolean)
            .map((m) => ({ row: +m[1], column: +m[2], number: +m[3], time: +m[4] }));
        return cells.length >= count && cells;
    }, `${count} cells revealed`);
}

function profile(name) {
    return fs.mkdtempSync(path.join(os.tmpdir(), `zorbelin-${name}-`));
}

// A puppeteer page behind the shared interface; `problems` collects errors.
async function puppeteerPage(browser, problems, viewport) {
    const page = await browser.newPage();
    page.lines = [];
    page.on('console', (m) => (m.type() === 'error' ? problems : page.lines).push(m.text()));
    page.on('pageerror', (error) => problems.push(error.message));
    page.on('requestfailed', (request) => problems.push(`${request.url()} ${request.failure().errorText}`));
    await page.setViewport(viewport);
    return Object.assign(page, {
        ratio: viewport.deviceScaleFactor || 1,
        refresh: async () => {},
        run: (f, ...args) => page.evaluate(f, ...args),
        click: (x, y) => page.mouse.click(x, y),
        resize: (size) => page.setViewport({ ...viewport, ...size }),
    });
}

async function launchPuppeteer(name, options) {
    const folder = profile(name);
    const browser = await puppeteer.launch({ headless: true, userDataDir: folder, protocolTimeout: 60000, ...options });
    const problems = [];
    return {
        problems,
        newPage: (viewport) => puppeteerPage(browser, problems, viewport),
        close: () => browser.close().then(() => fs.rmSync(folder, { recursive: true, force: true })),
    };
}

// WebKit: WebKitWebDriver speaks plain WebDriver, which has no console. The
// page's console is kept by a hook put in after each load (the lesson's lines
// come later, on clicks); start-up errors are read from MiniBrowser's own
// console (webkitFirstVisit).
const minibrowser = '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser';
const consoleHook = `if (!window.zorbelinConsole) {
    const kept = window.zorbelinConsole = [];
    for (const kind of ['log', 'error', 'warn']) {
        const original = console[kind].bind(console);
        console[kind] = (...parts) => { kept.push([kind, parts.join(' ')]); original(...parts); };
    }
    addEventListener('error', (e) => kept.push(['error', e.message]));
    addEventListener('unhandledrejection', (e) => kept.push(['error', 'unhandled rejection: ' + e.reason]));
}`;

async function launchWebKit() {
    const folder = profile('webkit');
    const port = 20000 + Math.floor(Math.random() * 20000);
    const driver = spawn('WebKitWebDriver', [`--port=${port}`], {
        stdio: 'ignore', env: { ...process.env, HOME: folder, XDG_DATA_HOME: folder, XDG_CACHE_HOME: folder } });
    const call = async (method, where, body) => {
        const response = await fetch(`http://127.0.0.1:${port}${where}`, {
            method, headers: { 'content-type': 'application/json' }, body: body && JSON.stringify(body) });
        const { value } = await response.json();
        if (value && value.error)
            throw new Error(`WebDriver ${where}: ${value.error} ${value.message}`);
        return value;
    };
    const { sessionId } = await until(() => call('POST', '/session', { capabilities: { alwaysMatch: {
        browserName: 'MiniBrowser', 'webkitgtk:browserOptions': { binary: minibrowser, args: ['--automation'] } } } })
        .catch(() => null), 'WebKitWebDriver', 30);
    const session = (where, body) => call(body ? 'POST' : 'GET', `/session/${sessionId}${where}`, body);
    const problems = [];
    const run = (f, ...args) => session('/execute/async', { args, script:
        `const done = arguments[arguments.length - 1];
         Promise.resolve((${f}).apply(null, Array.from(arguments).slice(0, -1))).then(done, (e) => done({ failed: String(e) }));` })
        .then((value) => { if (value && value.failed) throw new Error(value.failed); return value; });
    let seen = 0;
    const page = {
        lines: [],
        ratio: 1,
        run,
        // The viewport's size comes from the window's, less the browser's own bar.
        resize: async ({ width, height }) => {
            for (let i = 0; i < 3; i++) {
                const [innerW, innerH] = await run(() => [innerWidth, innerHeight]);
                const rect = await session('/window/rect');
                if (innerW === width && innerH === height)
                    return;
                await session('/window/rect', { width: rect.width + width - innerW, height: rect.height + height - innerH });
            }
        },
        goto: async (address) => {
            await session('/url', { url: address });
            seen = 0;
            await run(new Function(consoleHook));
        },
        reload: async () => {
            await session('/refresh', {});
            seen = 0;
            await run(new Function(consoleHook));
        },
        refresh: async () => {
            const kept = await run((from) => (window.zorbelinConsole || []).slice(from), seen);
            seen += kept.length;
            for (const [kind, text] of kept)
                (kind === 'error' ? problems : page.lines).push(text);
        },
        screenshot: async () => Buffer.from(await session('/screenshot'), 'base64'),
        click: (x, y) => session('/actions', { actions: [{ type: 'pointer', id: 'mouse', parameters: { pointerType: 'mouse' },
            actions: [{ type: 'pointerMove', origin: 'viewport', x: Math.round(x), y: Math.round(y) },
                      { type: 'pointerDown', button: 0 }, { type: 'pointerUp', button: 0 }] }] }),
        close: async () => {},
    };
    return {
        problems,
        newPage: async (viewport) => { await page.resize(viewport); return page; },
        close: async () => {
            await call('DELETE', `/session/${sessionId}`).catch(() => {});
            driver.kill();
            fs.rmSync(folder, { recursive: true, force: true });
        },
    };
}

// WebKit's first visit, in MiniBrowser run directly with its console on
// stdout (which WebDriver cannot give): resolves to the console's errors once
// the server has been quiet for 3 s after the service worker's script.
async function webkitFirstVisit(address, served) {
    const folder = profile('webkit-visit');
    const browser = spawn(minibrowser, ['--enable-write-console-messages-to-stdout=true', address], {
        stdio: ['ignore', 'pipe', 'ignore'], env: { ...process.env, HOME: folder, XDG_DATA_HOME: folder, XDG_CACHE_HOME: folder } });
    let output = '';
    browser.stdout.on('data', (data) => { output += data; });
    let count = -1, quiet = 0;
    await until(() => {
        quiet = served.length === count ? quiet + 1 : 0;
        count = served.length;
        return served.some(([file]) => file === '/sw.js') && quiet >= 60;
    }, 'the service worker', 90);
    browser.kill();
    await new Promise((resolve) => browser.once('exit', resolve));
    fs.rmSync(folder, { recursive: true, force: true });
    return output.split('\n').filter((line) => / CONSOLE (JS )?ERROR /.test(` ${line}`));
}

// The engines, as rows: how each starts, and what it cannot do.
const engines = [
    { name: 'Chromium', launch: () => launchPuppeteer('chromium', { executablePath: '/usr/bin/chromium',
        args: ['--no-sandbox', '--disable-gpu', '--enable-unsafe-swiftshader', '--disable-background-networking',
               '--disable-component-update', '--disable-sync', '--no-first-run', '--disable-quic'] }),
      clearCache: async (page) => (await page.createCDPSession()).send('Network.clearBrowserCache') },
    { name: 'Firefox', launch: () => launchPuppeteer('firefox', { browser: 'firefox', executablePath: '/usr/bin/firefox-esr' }),
      cannot: { install: 'has no installability report' } },
    { name: 'WebKit', launch: launchWebKit, firstVisit: webkitFirstVisit, narrowest: 447,
      cannot: { install: 'has no installability report', ratios: 'has ratio 1 only',
                noWasm: 'cannot run a script before the page\'s own (WebDriver)' } },
];

module.exports = { engines, serve, shows, ink, until, revealed, windowLooks };
