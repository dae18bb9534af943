// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

// The browser version's timings (scripts/bench-web, with the folder to serve):
// from navigation to the first frame showing the whole window, five times on
// a first visit (a fresh profile) and again from the service worker's store,
// each on an idle machine; then the beat of a 7 × 7 reveal.
'use strict';
const fs = require('fs');
const { engines, serve, shows, until, revealed } = require('../tests/web/browser');

const median = (values) => [...values].sort((a, b) => a - b)[values.length >> 1];
// The window in an 800 × 600 page: as high as the page, centred.
const scale = 753 / 604;
const place = { x: 23, y: 0 };
const launch = engines[0].launch;

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

// Milliseconds from the start of navigation to the first screencast frame
// with the whole window in it. Frames are read as they come (only when the
// page changes), so the measuring takes little from the page.
async function firstFrame(page, address) {
    await page.goto('about:blank');
    const session = await page.createCDPSession();
    const frames = [];
    session.on('Page.screencastFrame', (frame) => {
        frames.push(frame);
        session.send('Page.screencastFrameAck', { sessionId: frame.sessionId }).catch(() => {});
    });
    await session.send('Page.startScreencast', { format: 'png', maxWidth: 800, maxHeight: 600 });
    await idle();
    await page.goto(address);
    const start = await page.evaluate(() => performance.timeOrigin);
    let seen = 0;
    const shown = await until(async () => {
        for (; seen < frames.length; seen++) {
            const frame = frames[seen];
            if (frame.metadata.timestamp * 1000 > start
                && shows(Buffer.from(frame.data, 'base64'), { place, scale }))
                return frame.metadata.timestamp * 1000;
        }
        return false;
    }, 'a frame with the window');
    await session.send('Page.stopScreencast');
    return shown - start;
}

(async () => {
    const { url, server } = await serve(process.argv[2]);
    const first = [];
    const stored = [];
    for (let run = 0; run < 5; run++) {
        const browser = await launch();
        const page = await browser.newPage({ width: 800, height: 600 });
        first.push(await firstFrame(page, url));
        await page.evaluate(() => navigator.serviceWorker.ready);
        stored.push(await firstFrame(page, url));
        await browser.close();
    }
    const show = (values) => `median ${median(values).toFixed(0)} ms (${values.map((v) => v.toFixed(0)).join(', ')})`;
    console.log(`first frame with the window, first visit: ${show(first)}`);
    console.log(`first frame with the window, from the service worker: ${show(stored)}`);

    const browser = await launch();
    const page = await browser.newPage({ width: 800, height: 600 });
    await page.goto(url + '?log');
    await until(async () => shows(await page.screenshot(), { place, scale }), 'the window');
    await page.mouse.click(place.x + 30 * scale, place.y + 102 * scale);   // "7"
    const cells = await revealed(page, 0, 49);
    const intervals = cells.slice(1).map((cell, i) => cell.time - cells[i].time);
    const mean = (cells[48].time - cells[0].time) / 48;
    const worst = intervals.reduce((a, b) => (Math.abs(b - 300) > Math.abs(a - 300) ? b : a));
    console.log(`7 × 7 reveal, 48 intervals: mean ${mean.toFixed(2)} ms, shortest ${Math.min(...intervals).toFixed(1)}`
        + ` ms, longest ${Math.max(...intervals).toFixed(1)} ms, worst ${worst.toFixed(1)} ms`);
    await browser.close();
    server.kill();
})();
