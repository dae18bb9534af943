// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

// The browser version's figures (scripts/bench-web, with the folder to serve
// with nginx): what a first visit transfers, file by file, with the .br
// copies sent; from navigation to the first frame showing the whole window,
// five times on a first visit (a fresh profile) and again from the service
// worker's store, each on an idle machine; the beat of a 7 × 7 reveal; then
// Lighthouse's default (mobile) run.
'use strict';
const { execFileSync } = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const { engines, serve, colours, near, until, click, watchReveal } = require('../tests/web/browser');

const median = (values) => [...values].sort((a, b) => a - b)[values.length >> 1];
const launch = engines[0].launch;
const viewport = { width: 800, height: 600 };

// Resolves once the processors have been at least 90 % idle for 0.6 s
// (/proc/stat), or after 15 s. A browser just launched goes on starting for a
// second or more, and a page opened meanwhile would pay for that.
async function idle() {
    const times = () => fs.readFileSync('/proc/stat', 'latin1').split('\n')[0].trim().split(/\s+/).slice(1).map(Number);
    let quiet = 0;
    for (let before = times(), waited = 0; quiet < 3 && waited < 15000; waited += 200) {
        await new Promise((resolve) => setTimeout(resolve, 200));
        const now = times(), spent = now.map((value, i) => value - before[i]);
        const total = spent.reduce((a, b) => a + b, 0);
        quiet = total && (spent[3] + spent[4]) / total >= 0.9 ? quiet + 1 : 0;
        before = now;
    }
    if (quiet < 3)
        console.log('the machine did not become idle within 15 s; timed anyway');
}

// Points over the window, 40 × 30, with their colours once the page has
// settled: a frame that has them all shows the whole window.
async function settledWindow(page) {
    await page.evaluate(() => Promise.all([document.fonts.ready, navigator.serviceWorker.ready]));
    await new Promise((resolve) => setTimeout(resolve, 500));
    const win = await page.evaluate(() => document.getElementById('window').getBoundingClientRect().toJSON());
    const points = Array.from({ length: 1200 }, (_, i) => [Math.floor(win.left + ((i % 40) + 0.5) * win.width / 40),
        Math.floor(win.top + (Math.floor(i / 40) + 0.5) * win.height / 30)]);
    return { points, looks: colours(await page.screenshot(), points) };
}

// Milliseconds from the start of navigation to the first screencast frame
// with the whole window in it. Frames are read as they come (only when the
// page changes), so the measuring takes little from the page.
async function firstFrame(page, address, { points, looks }) {
    await page.goto('about:blank');
    const session = await page.createCDPSession();
    const frames = [];
    session.on('Page.screencastFrame', (frame) => {
        frames.push(frame);
        session.send('Page.screencastFrameAck', { sessionId: frame.sessionId }).catch(() => {});
    });
    await session.send('Page.startScreencast', { format: 'png', maxWidth: viewport.width, maxHeight: viewport.height });
    await idle();
    await page.goto(address);
    const start = await page.evaluate(() => performance.timeOrigin);
    let seen = 0;
    const shown = await until(async () => {
        for (; seen < frames.length; seen++) {
            const frame = frames[seen];
            if (frame.metadata.timestamp * 1000 > start
                && colours(Buffer.from(frame.data, 'base64'), points).every((c, i) => near(c, looks[i])))
                return frame.metadata.timestamp * 1000;
        }
        return false;
    }, 'a frame with the whole window');
    await session.send('Page.stopScreencast');
    return shown - start;
}

(async () => {
    const server = await serve(process.argv[2]);
    const { url } = server;

    let browser = await launch();
    let page = await browser.newPage(viewport);
    await page.goto(url);
    const settled = await settledWindow(page);
    await until(() => { const n = server.served().length; return new Promise((r) => setTimeout(() => r(server.served().length === n), 1000)); }, 'a quiet server');
    const sent = server.served().filter(([, status]) => status === 200);
    for (const [file, , bytes] of sent)
        console.log(`${file.padEnd(24)} ${String(bytes).padStart(8)}`);
    const files = fs.readdirSync(process.argv[2]).filter((f) => !/\.(br|gz)$/.test(f) && !fs.statSync(path.join(process.argv[2], f)).isDirectory());
    const unsent = files.filter((f) => !sent.some(([file]) => file === `/${f}`));
    console.log(`first visit, brotli where there is a copy: ${sent.reduce((a, [, , b]) => a + b, 0)} bytes in ${sent.length} files`
        + ` (not asked for: ${unsent.join(', ') || 'none'})`);
    await browser.close();

    const first = [];
    const stored = [];
    for (let run = 0; run < 5; run++) {
        browser = await launch();
        page = await browser.newPage(viewport);
        first.push(await firstFrame(page, url, settled));
        await page.evaluate(() => navigator.serviceWorker.ready);
        stored.push(await firstFrame(page, url, settled));
        await browser.close();
    }
    const show = (values) => `median ${median(values).toFixed(0)} ms (${values.map((v) => v.toFixed(0)).join(', ')})`;
    console.log(`navigation to the whole window drawn, first visit: ${show(first)}; target 300 ms`);
    console.log(`navigation to the whole window drawn, from the service worker: ${show(stored)}`);

    browser = await launch();
    page = await browser.newPage(viewport);
    await page.goto(url);
    await page.evaluate(watchReveal);
    await click(page, 'List1', '7');
    const times = await until(() => page.evaluate(() => window.zorbelinReveal.length === 49 && window.zorbelinReveal), 'the 7 × 7 board', 60);
    const intervals = times.slice(1).map(([, time], i) => time - times[i][1]);
    const mean = (times[48][1] - times[0][1]) / 48;
    console.log(`7 × 7 reveal, 48 intervals: mean ${mean.toFixed(2)} ms (target 300 ± 3), shortest ${Math.min(...intervals).toFixed(1)}`
        + ` ms, longest ${Math.max(...intervals).toFixed(1)} ms`);
    await browser.close();

    // Lighthouse 12, its default mobile run, on an idle machine.
    await idle();
    const report = path.join(os.tmpdir(), `zorbelin-lighthouse-${process.pid}.json`);
    execFileSync(path.join(process.env.NODE_PATH, '.bin', 'lighthouse'), [url, '--quiet', '--chrome-flags=--headless=new --no-sandbox',
        '--only-categories=performance,accessibility,best-practices', '--output=json', `--output-path=${report}`],
    { env: { ...process.env, CHROME_PATH: '/usr/bin/chromium' }, stdio: 'inherit' });
    const { categories, audits } = JSON.parse(fs.readFileSync(report, 'utf8'));
    fs.rmSync(report);
    const score = (name) => Math.round(categories[name].score * 100);
    const ms = (name) => `${audits[name].numericValue.toFixed(0)} ms`;
    console.log(`Lighthouse (mobile): performance ${score('performance')}, FCP ${ms('first-contentful-paint')}, LCP ${ms('largest-contentful-paint')},`
        + ` TBT ${ms('total-blocking-time')}, accessibility ${score('accessibility')}, best practices ${score('best-practices')},`
        + ` ${audits['total-byte-weight'].numericValue} bytes`);
    await server.stop();
})();
