// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

// Shared by scripts/test-web and scripts/bench-web: the three browser engines
// as rows (Debian's Chromium and Firefox driven by puppeteer-core, WebKit's
// MiniBrowser by WebKitWebDriver), each on a fresh profile, behind one small
// page interface; Debian's nginx serving the folder as a school would; the
// colours of a screenshot. `node browser.js serve FOLDER` serves it until
// stopped and prints the address (tests/atspi/orca.sh).
'use strict';
const assert = require('assert/strict');
const { spawn } = require('child_process');
const fs = require('fs');
const net = require('net');
const os = require('os');
const path = require('path');
const zlib = require('zlib');

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
const near = (a, b) => a >= 0 && [16, 8, 0].every((s) => Math.abs(((a >> s) & 255) - ((b >> s) & 255)) <= 24);

async function until(condition, what, seconds = 60) {
    for (const end = Date.now() + seconds * 1000; Date.now() < end;) {
        const result = await condition();
        if (result)
            return result;
        await new Promise((resolve) => setTimeout(resolve, 50));
    }
    throw new Error(`${typeof what === 'function' ? await what() : what}: nothing after ${seconds} s`);
}

const freePort = () => new Promise((resolve) => {
    const probe = net.createServer().listen(0, '127.0.0.1', () => { const { port } = probe.address(); probe.close(() => resolve(port)); });
});

// Serves `folder` with nginx in the foreground on a free loopback port, its
// files and pid in a temporary folder; the .br and .gz copies go to clients
// that accept them. `served()` lists each request as [path, status, bytes].
async function serve(folder) {
    const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'zorbelin-nginx-'));
    const port = await freePort();
    const temp = ['client_body', 'proxy', 'fastcgi', 'uwsgi', 'scgi'].map((k) => `${k}_temp_path ${dir}/${k};`).join(' ');
    // Its workers run as the test's user, who can read the folder (nobody,
    // nginx's own choice for root, cannot read a checkout under /root).
    fs.writeFileSync(`${dir}/nginx.conf`, `load_module /usr/lib/nginx/modules/ngx_http_brotli_static_module.so;
user ${os.userInfo().username}; daemon off; pid ${dir}/nginx.pid; error_log ${dir}/error.log; events {}
http { include /etc/nginx/mime.types; types { application/manifest+json webmanifest; } ${temp}
       log_format visit '$uri $status $body_bytes_sent'; access_log ${dir}/access.log visit;
       server { listen 127.0.0.1:${port}; root ${path.resolve(folder)}; brotli_static on; gzip_static on; } }\n`);
    const server = spawn('nginx', ['-e', `${dir}/error.log`, '-p', dir, '-c', `${dir}/nginx.conf`], { stdio: 'ignore' });
    const ended = new Promise((resolve) => server.once('exit', resolve));
    process.once('exit', () => server.exitCode === null && server.kill());   // a test that died stops its server too
    const url = `http://127.0.0.1:${port}/`;
    // Asks for a file that is not there, so the visit's own requests are all that the log has with 200.
    await until(() => Promise.race([fetch(`${url}.ready`).then(() => true, () => false),
        ended.then((code) => { throw new Error(`nginx ended (${code}): ${fs.readFileSync(`${dir}/error.log`, 'utf8')}`); })]), 'nginx', 10);
    const log = () => (fs.existsSync(`${dir}/access.log`) ? fs.readFileSync(`${dir}/access.log`, 'utf8') : '');
    return { url, served: () => log().split('\n').filter(Boolean).map((line) => line.split(' ')).map(([f, s, b]) => [f, +s, +b]),
        stop: async () => {
            if (server.exitCode === null)
                process.kill(+fs.readFileSync(`${dir}/nginx.pid`, 'utf8'));
            await ended;
            fs.rmSync(dir, { recursive: true, force: true });
        } };
}

// In the page: the centre of an element (the list's entry with that text)
// and whether a click there reaches it.
function centre(id, entry) {
    const target = entry ? [...document.getElementById(id).querySelectorAll('option, [role="option"]')]
        .find((e) => e.textContent.trim() === entry) : document.getElementById(id);
    target.scrollIntoView({ block: 'nearest' });
    const { left, top, width, height } = target.getBoundingClientRect(), x = left + width / 2, y = top + height / 2;
    const there = document.elementFromPoint(x, y);
    return { x, y, covered: target.contains(there) ? '' : `${there && (there.id || there.tagName)}` };
}
async function click(page, id, entry) {
    const { x, y, covered } = await page.run(centre, id, entry);
    assert.equal(covered, '', `${id} ${entry || ''} at ${x}, ${y} is under another element`);
    await page.click(x, y);
}

// In the page: from now on, each number as it shows, with the time, and
// each element the focus comes to.
function watchReveal() {
    const times = window.zorbelinReveal = [];
    window.zorbelinFocus = [];
    if (!window.zorbelinTrail)
        window.zorbelinTrail = document.addEventListener('focusin', (event) => window.zorbelinFocus.push(event.target.id)) || true;
    let before = new Set();
    (window.zorbelinWatch || { disconnect() {} }).disconnect();
    (window.zorbelinWatch = new MutationObserver(() => {
        const now = new Set([...document.querySelectorAll('[id^="Command1_"]')]
            .filter((e) => e.checkVisibility({ visibilityProperty: true }) && e.textContent.trim()).map((e) => +e.textContent));
        [...now].filter((n) => !before.has(n)).forEach((n) => times.push([n, performance.now()]));
        before = now;
    })).observe(document.body, { subtree: true, childList: true, attributes: true, characterData: true });
}

// A fresh profile folder, and a browser's environment that keeps it there.
function profile(name) {
    const folder = fs.mkdtempSync(path.join(os.tmpdir(), `zorbelin-${name}-`));
    return { folder, env: { ...process.env, HOME: folder, XDG_DATA_HOME: folder, XDG_CACHE_HOME: folder } };
}

async function launchPuppeteer(name, options) {
    const { folder } = profile(name);
    const browser = await require('puppeteer-core').launch({ headless: true, userDataDir: folder, protocolTimeout: 60000, ...options });
    const problems = [];
    const newPage = async (viewport) => {
        const page = await browser.newPage();
        page.on('console', (m) => m.type() === 'error' && problems.push(m.text()));
        page.on('pageerror', (error) => problems.push(error.message));
        // A request is aborted when its page goes: not the page's fault.
        page.on('requestfailed', (request) => request.failure().errorText !== 'net::ERR_ABORTED'
            && problems.push(`${request.url()} ${request.failure().errorText}`));
        await page.setViewport(viewport);
        return Object.assign(page, { ratio: viewport.deviceScaleFactor || 1, run: page.evaluate.bind(page),
            click: (x, y) => page.mouse.click(x, y),
            press: async (keys) => {
                const [last, ...held] = keys.replace('Space', ' ').split('+').reverse();
                for (const key of held) await page.keyboard.down(key);
                await page.keyboard.press(last);
                for (const key of held) await page.keyboard.up(key);
            },
            resize: (size) => page.setViewport({ ...viewport, ...size }) });
    };
    return { problems, newPage, close: () => browser.close().then(() => fs.rmSync(folder, { recursive: true })) };
}

// WebKit through plain WebDriver, which has no console: a hook put in after
// each load keeps what comes later. Only one page, MiniBrowser's window; its
// viewport is the window less the tool bar.
const minibrowser = '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser';
function keepConsole() {
    const kept = window.zorbelinConsole = window.zorbelinConsole || [];
    const original = console.error.bind(console);
    console.error = (...parts) => { kept.push(parts.join(' ')); original(...parts); };
    addEventListener('error', (e) => kept.push(e.message));
    addEventListener('unhandledrejection', (e) => kept.push(`unhandled rejection: ${e.reason}`));
}
const webdriverKeys = { Enter: '\uE007', Tab: '\uE004', Shift: '\uE008', Escape: '\uE00C', Home: '\uE011', End: '\uE010',
    ArrowLeft: '\uE012', ArrowUp: '\uE013', ArrowRight: '\uE014', ArrowDown: '\uE015', Space: ' ' };

async function launchWebKit(args = []) {
    const { folder, env } = profile('webkit');
    const port = await freePort();
    const driver = spawn('WebKitWebDriver', [`--port=${port}`], { stdio: 'ignore', env });
    process.once('exit', () => driver.exitCode === null && driver.kill());
    const call = (method, where, body) => fetch(`http://127.0.0.1:${port}${where}`, { method, body: body && JSON.stringify(body) })
        .then((r) => r.json()).then(({ value }) => {
            if (value && value.error)
                throw new Error(`WebDriver ${where}: ${value.error} ${value.message}`);
            return value;
        });
    const { sessionId } = await until(() => call('POST', '/session', { capabilities: { alwaysMatch: { browserName: 'MiniBrowser',
        'webkitgtk:browserOptions': { binary: minibrowser, args: ['--automation', ...args] } } } }).catch(() => null), 'WebKitWebDriver', 30);
    const session = (where, body) => call(body ? 'POST' : 'GET', `/session/${sessionId}${where}`, body);
    const problems = [];
    const run = (f, ...args) => session('/execute/async', { args, script: `const done = arguments[arguments.length - 1];
        Promise.resolve((${f})(...Array.from(arguments).slice(0, -1))).then(done, (e) => done({ failed: String(e) }));` })
        .then((value) => { if (value && value.failed) throw new Error(value.failed); return value; });
    const collect = async () => problems.push(...await run(() => (window.zorbelinConsole || []).splice(0)).catch(() => []));
    const loaded = async (where, body) => { await collect(); await session(where, body); await run(keepConsole); };
    const actions = (type, steps) => session('/actions', { actions: [{ type, id: type, actions: steps }] });
    const page = { ratio: 1, run,
        goto: (url) => loaded('/url', { url }),
        reload: () => loaded('/refresh', {}),
        resize: async ({ width, height }) => {
            const [innerW, innerH] = await run(() => [innerWidth, innerHeight]), rect = await session('/window/rect');
            await session('/window/rect', { width: rect.width + width - innerW, height: rect.height + height - innerH });
        },
        screenshot: async () => Buffer.from(await session('/screenshot'), 'base64'),
        click: (x, y) => actions('pointer', [{ type: 'pointerMove', origin: 'viewport', x: Math.round(x), y: Math.round(y) },
            { type: 'pointerDown', button: 0 }, { type: 'pointerUp', button: 0 }]),
        press: (keys) => {
            const codes = keys.split('+').map((k) => webdriverKeys[k] || k);
            return actions('key', [...codes.map((value) => ({ type: 'keyDown', value })),
                ...codes.reverse().map((value) => ({ type: 'keyUp', value }))]);
        },
        close: async () => {},
    };
    return { problems, newPage: async (viewport) => { await page.resize(viewport); return page; },
        close: async () => {
            await collect();
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
        const now = served().length;
        quiet = now === count ? quiet + 1 : 0;
        count = now;
        return served().some(([file]) => file === '/sw.js') && quiet >= 60;
    }, 'the service worker', 90);
    browser.kill();
    await new Promise((resolve) => browser.once('exit', resolve));
    fs.rmSync(folder, { recursive: true });
    return output.split('\n').filter((line) => / CONSOLE (JS )?ERROR /.test(` ${line}`));
}

// The engines, as rows: how each starts (`options.noScript`: with
// JavaScript off), and what it cannot do.
const chromiumArgs = ['--no-sandbox', '--disable-gpu', '--disable-3d-apis', '--disable-background-networking',
    '--disable-component-update', '--disable-sync', '--no-first-run', '--disable-quic'];
const engines = [
    { name: 'Chromium', launch: ({ noScript } = {}) => launchPuppeteer('chromium', { executablePath: '/usr/bin/chromium',
        args: [...chromiumArgs, ...(noScript ? ['--blink-settings=scriptEnabled=false'] : [])] }),
      clearCache: async (page) => (await page.createCDPSession()).send('Network.clearBrowserCache') },
    { name: 'Firefox', launch: ({ noScript } = {}) => launchPuppeteer('firefox', { browser: 'firefox', executablePath: '/usr/bin/firefox-esr',
        extraPrefsFirefox: noScript ? { 'javascript.enabled': false } : {} }),
      cannot: { install: 'has no installability report', a11y: 'gives its driver no accessibility tree' } },
    { name: 'WebKit', launch: ({ noScript } = {}) => launchWebKit(noScript ? ['--enable-javascript=false'] : []),
      firstVisit: webkitFirstVisit, narrowest: 447,
      cannot: { install: 'has no installability report', a11y: 'gives its driver no accessibility tree', ratios: 'has ratio 1 only, no touch',
                print: 'cannot emulate print media or print (WebDriver)' } },
];

module.exports = { engines, serve, colours, near, until, click, watchReveal };

if (require.main === module && process.argv[2] === 'serve')
    serve(process.argv[3]).then(({ url, stop }) => {
        console.log(url);
        for (const signal of ['SIGTERM', 'SIGINT'])
            process.on(signal, () => stop().then(() => process.exit(0)));
    });
