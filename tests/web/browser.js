// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

// Shared by scripts/test-web and scripts/bench-web: the three browser engines
// as rows (Debian's Chromium and Firefox driven by puppeteer-core, WebKit's
// MiniBrowser by WebKitWebDriver), each on a fresh profile, behind one small
// page interface; the web server; the window recognised in screenshots.
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

// The colours of a screenshot at points: browsers give 8-bit RGB(A) PNGs.
function colours(png, points) {
    const width = png.readUInt32BE(16), channels = png[25] === 6 ? 4 : 3, stride = width * channels + 1;
    const idat = [];
    for (let at = 8; at < png.length; at += 12 + png.readUInt32BE(at))
        if (png.toString('latin1', at + 4, at + 8) === 'IDAT')
            idat.push(png.subarray(at + 8, at + 8 + png.readUInt32BE(at)));
    const data = zlib.inflateSync(Buffer.concat(idat));
    for (let y = 0; y * stride < data.length; y++)   // undoes the rows' filters in place
        for (let i = 1; i < stride; i++) {
            const a = i > channels ? data[y * stride + i - channels] : 0, b = y ? data[(y - 1) * stride + i] : 0;
            const c = y && i > channels ? data[(y - 1) * stride + i - channels] : 0, p = a + b - c;
            const paeth = Math.abs(p - a) <= Math.abs(p - b) && Math.abs(p - a) <= Math.abs(p - c) ? a
                : Math.abs(p - b) <= Math.abs(p - c) ? b : c;
            data[y * stride + i] += [0, a, b, (a + b) >> 1, paeth][data[y * stride]];
        }
    return points.map(([x, y]) => (x < 0 || x >= width || (y + 1) * stride > data.length ? -1
        : data.readUIntBE(y * stride + 1 + x * channels, 3)));
}

// Where window pixels fall in a screenshot of a page whose canvas is at
// `place` (CSS pixels), drawn `scale` times the window's size, `ratio` device
// pixels per CSS pixel.
const onScreen = (looks, { place, scale = 1, ratio = 1 }) => looks.map(([x, y]) =>
    [Math.floor((place.x + (x + 0.5) * scale) * ratio), Math.floor((place.y + (y + 0.5) * scale) * ratio)]);

// Whether a screenshot shows `looks` (default: the whole window as it opens).
function shows(png, { looks = windowLooks, ...where }) {
    const found = colours(png, onScreen(looks, where));
    const near = (a, b) => a >= 0 && [16, 8, 0].every((s) => Math.abs(((a >> s) & 255) - ((b >> s) & 255)) <= 24);
    return looks.every(([, , colour], i) => near(found[i], colour));
}

// The nearly black pixels (a caption's ink) of a rectangle of the window.
function ink(png, [left, top, width, height], where) {
    const grid = Array.from({ length: width * height }, (_, i) => [left + (i % width), top + Math.floor(i / width)]);
    return colours(png, onScreen(grid, where)).filter((c) => c >= 0 && (c >> 16) + ((c >> 8) & 255) + (c & 255) < 400).length;
}

// Serves `folder` on a free loopback port; resolves to the address, the
// server, and `served`: each request as [path, status], from the server's log.
function serve(folder) {
    const server = spawn('python3', ['-u', '-m', 'http.server', '0', '--bind', '127.0.0.1', '--directory', folder],
                         { stdio: ['ignore', 'pipe', 'pipe'] });
    const served = [];
    server.stderr.on('data', (data) => {
        for (const m of String(data).matchAll(/"GET (\S+) HTTP\/[\d.]+" (\d+)/g))
            served.push([m[1], +m[2]]);
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
    throw new Error(`${typeof what === 'function' ? what() : what}: nothing after ${seconds} s`);
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

// A fresh profile folder, and a browser's environment that keeps it there.
function profile(name) {
    const folder = fs.mkdtempSync(path.join(os.tmpdir(), `zorbelin-${name}-`));
    return { folder, env: { ...process.env, HOME: folder, XDG_DATA_HOME: folder, XDG_CACHE_HOME: folder } };
}

async function launchPuppeteer(name, options) {
    const { folder } = profile(name);
    const browser = await puppeteer.launch({ headless: true, userDataDir: folder, protocolTimeout: 60000, ...options });
    const problems = [];
    const newPage = async (viewport) => {
        const page = await browser.newPage();
        page.lines = [];
        page.on('console', (m) => (m.type() === 'error' ? problems : page.lines).push(m.text()));
        page.on('pageerror', (error) => problems.push(error.message));
        page.on('requestfailed', (request) => problems.push(`${request.url()} ${request.failure().errorText}`));
        await page.setViewport(viewport);
        return Object.assign(page, { ratio: viewport.deviceScaleFactor || 1, refresh: async () => {},
            run: page.evaluate.bind(page), click: (x, y) => page.mouse.click(x, y),
            resize: (size) => page.setViewport({ ...viewport, ...size }) });
    };
    return { problems, newPage, close: () => browser.close().then(() => fs.rmSync(folder, { recursive: true })) };
}

// WebKit through plain WebDriver, which has no console: a hook put in after
// each load keeps it (the lesson's lines come later, on clicks). Only one
// page, MiniBrowser's window; its viewport is the window less the tool bar.
const minibrowser = '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser';
function keepConsole() {
    const kept = window.zorbelinConsole = window.zorbelinConsole || [];
    for (const kind of ['log', 'error']) {
        const original = console[kind].bind(console);
        console[kind] = (...parts) => { kept.push([kind, parts.join(' ')]); original(...parts); };
    }
    addEventListener('error', (e) => kept.push(['error', e.message]));
    addEventListener('unhandledrejection', (e) => kept.push(['error', `unhandled rejection: ${e.reason}`]));
}

async function launchWebKit() {
    const { folder, env } = profile('webkit');
    const port = 20000 + Math.floor(Math.random() * 20000);
    const driver = spawn('WebKitWebDriver', [`--port=${port}`], { stdio: 'ignore', env });
    const call = (method, where, body) => fetch(`http://127.0.0.1:${port}${where}`, { method, body: body && JSON.stringify(body) })
        .then((r) => r.json()).then(({ value }) => {
            if (value && value.error)
                throw new Error(`WebDriver ${where}: ${value.error} ${value.message}`);
            return value;
        });
    const { sessionId } = await until(() => call('POST', '/session', { capabilities: { alwaysMatch: { browserName: 'MiniBrowser',
        'webkitgtk:browserOptions': { binary: minibrowser, args: ['--automation'] } } } }).catch(() => null), 'WebKitWebDriver', 30);
    const session = (where, body) => call(body ? 'POST' : 'GET', `/session/${sessionId}${where}`, body);
    const problems = [];
    const run = (f, ...args) => session('/execute/async', { args, script: `const done = arguments[arguments.length - 1];
        Promise.resolve((${f})(...Array.from(arguments).slice(0, -1))).then(done, (e) => done({ failed: String(e) }));` })
        .then((value) => { if (value && value.failed) throw new Error(value.failed); return value; });
    let seen = 0;
    const loaded = async (where, body) => { await session(where, body); seen = 0; await run(keepConsole); };
    const page = { lines: [], ratio: 1, run,
        goto: (url) => loaded('/url', { url }),
        reload: () => loaded('/refresh', {}),
        resize: async ({ width, height }) => {
            const [innerW, innerH] = await run(() => [innerWidth, innerHeight]), rect = await session('/window/rect');
            await session('/window/rect', { width: rect.width + width - innerW, height: rect.height + height - innerH });
        },
        refresh: async () => {
            const kept = await run((from) => (window.zorbelinConsole || []).slice(from), seen);
            seen += kept.length;
            kept.forEach(([kind, text]) => (kind === 'error' ? problems : page.lines).push(text));
        },
        screenshot: async () => Buffer.from(await session('/screenshot'), 'base64'),
        click: (x, y) => session('/actions', { actions: [{ type: 'pointer', id: 'mouse', actions: [
            { type: 'pointerMove', origin: 'viewport', x: Math.round(x), y: Math.round(y) },
            { type: 'pointerDown', button: 0 }, { type: 'pointerUp', button: 0 }] }] }),
    };
    return { problems, newPage: async (viewport) => { await page.resize(viewport); return page; },
        close: async () => {
            await call('DELETE', `/session/${sessionId}`).catch(() => {});
            driver.kill();
            fs.rmSync(folder, { recursive: true });
        } };
}

// WebKit's first visit, in MiniBrowser run by itself with its console on
// stdout, which prints what WebDriver cannot: errors at start-up. Resolves to
// those errors once the server has been quiet for 3 s after the service
// worker's script.
async function webkitFirstVisit(address, served) {
    const { folder, env } = profile('webkit-visit');
    const browser = spawn(minibrowser, ['--enable-write-console-messages-to-stdout=true', address], { stdio: ['ignore', 'pipe', 'ignore'], env });
    let output = '', count = -1, quiet = 0;
    browser.stdout.on('data', (data) => { output += data; });
    await until(() => {
        quiet = served.length === count ? quiet + 1 : 0;
        count = served.length;
        return served.some(([file]) => file === '/sw.js') && quiet >= 60;
    }, 'the service worker', 90);
    browser.kill();
    await new Promise((resolve) => browser.once('exit', resolve));
    fs.rmSync(folder, { recursive: true });
    return output.split('\n').filter((line) => / CONSOLE (JS )?ERROR /.test(` ${line}`));
}

// The engines, as rows: how each starts, and what it cannot do.
const engines = [
    { name: 'Chromium', launch: () => launchPuppeteer('chromium', { executablePath: '/usr/bin/chromium',
        args: ['--no-sandbox', '--disable-gpu', '--enable-unsafe-swiftshader', '--disable-background-networking',
               '--disable-component-update', '--disable-sync', '--no-first-run', '--disable-quic'] }),
      clearCache: async (page) => (await page.createCDPSession()).send('Network.clearBrowserCache') },
    { name: 'Firefox', launch: () => launchPuppeteer('firefox', { browser: 'firefox', executablePath: '/usr/bin/firefox-esr' }),
      cannot: { install: 'has no installability report', a11y: 'gives its driver no accessibility tree' } },
    { name: 'WebKit', launch: launchWebKit, firstVisit: webkitFirstVisit, narrowest: 447,
      cannot: { install: 'has no installability report', a11y: 'gives its driver no accessibility tree', ratios: 'has ratio 1 only, no touch',
                noWasm: 'cannot run a script before the page\'s own (WebDriver)' } },
];

module.exports = { engines, serve, shows, ink, until, revealed, windowLooks };
