// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

// The lesson in the real page, as a pupil uses it, in each browser engine
// (tests/web/browser.js): scripts/test-web runs it with the folder to serve,
// where to save a screenshot, and optionally the engines to run (names,
// comma-separated). Prints one line per check and engine ("ok", "FAILED", or
// "cannot" where an engine cannot do a check); exits 1 if any failed.
'use strict';
const assert = require('assert/strict');
const { engines, serve, shows, ink, until, revealed, windowLooks } = require('./browser');

const [folder, screenshot, only] = process.argv.slice(2);
const topRight = 'Ред: 1, Колона: 3 /  / Ред: 8 + 1 + 6 = 15 / Колона: 6 + 7 + 2 = 15 / ';
// Interior points of the 3 × 3 board's cells on the diagonal.
const diagonal = [[76, 28, 0x8080ff], [100, 50, 0x8080ff], [125, 71, 0x8080ff]];
// Captions that must be drawn (window pixels): the title, "3" in the size list, "Горе".
const captions = [[262, 4, 60, 12], [10, 60, 20, 12], [24, 256, 30, 13]];
// Sizes a window must fit whole at every ratio, from a small phone to a projector.
const sizes = [[320, 480], [390, 844], [447, 844], [1024, 400], [800, 400], [1280, 720], [1920, 1080]];
const ratios = [1, 1.5, 2, 3];
let failed = 0;

async function check(engine, name, body) {
    const reason = engine.cannot && engine.cannot[body.needs];
    if (reason)
        return console.log(`cannot: ${engine.name} ${reason}: ${name}`);
    try {
        await body();
        console.log(`ok: ${engine.name}: ${name}`);
    } catch (error) {
        failed += 1;
        console.log(`FAILED: ${engine.name}: ${name}: ${error.message}`);
    }
}
const needing = (needs, body) => Object.assign(body, { needs });

// Where the canvas is and how large the window is drawn, once the whole
// window shows, fitted to the page: as large as fits, centred.
async function fitted(page, looks = windowLooks) {
    await (page.bringToFront && page.bringToFront());
    const [width, height] = await page.run(() => [innerWidth, innerHeight]);
    const place = await until(async () => {
        const box = await page.run(() => document.querySelector('canvas').getBoundingClientRect().toJSON());
        return box.width > 0 && box;
    }, 'the canvas');
    const scale = place.width / 604;
    assert.ok(place.x >= 0 && place.y >= 0 && place.right <= width && place.bottom <= height,
        `the window ${JSON.stringify(place)} outside the page ${width} × ${height}`);
    assert.ok(place.width === width || place.bottom - place.top >= height - 1, `the window does not fill ${width} × ${height}`);
    assert.ok(Math.abs(place.x * 2 + place.width - width) <= 1 && Math.abs(place.y * 2 + place.height - height) <= 1, 'not centred');
    const drawn = { place, scale, ratio: page.ratio, looks: scale < 1 ? looks.slice(0, -1) : looks };
    await until(async () => {
        const png = await page.screenshot();
        return shows(png, drawn) && captions.every((box) => ink(png, box, drawn) >= 4);
    }, `the whole window at ${width} × ${height}, ratio ${page.ratio}`, 30);
    return drawn;
}

// The board as rows of numbers, from revealed cells that must come in the walk's order.
function board(cells) {
    assert.deepEqual(cells.map((c) => c.number), [1, 2, 3, 4, 5, 6, 7, 8, 9]);
    const rows = [[], [], []];
    cells.forEach((c) => { rows[c.row - 1][c.column - 1] = c.number; });
    return rows;
}

const report = (page, text) => until(async () => {
    await page.refresh();
    return page.lines.includes(`справка: ${text}`);
}, `the report "${text}"`, 10);
const click = (page, { place, scale }, x, y) => page.click(place.x + x * scale, place.y + y * scale);

async function lesson(engine) {
    const { url, server, served } = await serve(folder);
    const browser = await engine.launch();
    const problems = browser.problems;
    // The requests of the first visit: WebKit's is made apart (browser.js).
    let visit;
    if (engine.firstVisit) {
        problems.push(...await engine.firstVisit(url, served));
        visit = served.slice();
    }
    const page = await browser.newPage({ width: 800, height: 600 });
    await page.goto(url + '?log');
    let drawn;

    await check(engine, 'the window fills the page\'s height, centred, in its colours', async () => {
        drawn = await fitted(page);
        assert.ok(shows(await page.screenshot(), { place: { x: 0, y: 0 }, looks: [[4, 4, 0xc0c0ff]] }));
    });
    await check(engine, 'each file comes from the server once on a first visit, the service worker\'s copies too', async () => {
        await page.run(() => navigator.serviceWorker.ready.then(() => true));
        const times = {};
        for (const [file] of (visit || served).filter(([, status]) => status === 200))
            times[file] = (times[file] || 0) + 1;
        assert.deepEqual(Object.keys(times).filter((file) => times[file] > 1), [], JSON.stringify(visit || served));
        assert.ok(times['/zorbelin.wasm'] === 1 && times['/sw.js'] === 1, JSON.stringify(visit || served));
    });
    await check(engine, '"3" reveals 8 1 6 / 3 5 7 / 4 9 2 one number every 300 ms', async () => {
        await click(page, drawn, 30, 66);
        const cells = await revealed(page, 0, 9);
        assert.deepEqual(board(cells), [[8, 1, 6], [3, 5, 7], [4, 9, 2]]);
        const mean = (cells[8].time - cells[0].time) / 8;
        assert.ok(Math.abs(mean - 300) <= 3, `mean interval ${mean} ms`);
        assert.ok(shows(await page.screenshot(), { ...drawn, looks: diagonal }), 'the board on screen');
    });
    await check(engine, 'a cell click writes its report', async () => {
        await click(page, drawn, 132, 35);
        await report(page, topRight);
        if (screenshot && engine === engines[0])
            require('fs').writeFileSync(screenshot, await page.screenshot());
    });
    await check(engine, '"Чисти" clears the board and the report', async () => {
        await click(page, drawn, 32, 316);
        await report(page, '');
        const empty = diagonal.map(([x, y]) => [x, y, 0xc0c0ff]);
        await until(async () => shows(await page.screenshot(), { ...drawn, looks: empty }), 'an empty board');
    });
    await check(engine, '"Ляво" gives the transposed square', async () => {
        const from = page.lines.length;
        await click(page, drawn, 36, 282);
        await click(page, drawn, 30, 66);
        assert.deepEqual(board(await revealed(page, from, 9)), [[8, 3, 4], [1, 5, 9], [6, 7, 2]]);
    });
    await check(engine, 'the browser can install it as an app', needing('install', async () => {
        const session = await page.createCDPSession();
        assert.deepEqual((await session.send('Page.getInstallabilityErrors')).installabilityErrors, []);
    }));
    const small = { width: Math.max(390, engine.narrowest || 0), height: 844 };
    await check(engine, `a ${small.width} × ${small.height} window at ratio 1 shows the whole window, clicks land on cells,`
        + ' and it fits again at 800 × 600 without a reload', async () => {
        await page.resize(small);
        await page.goto(url + '?log');
        let at = await fitted(page);
        const from = page.lines.length;
        await click(page, at, 30, 66);
        await revealed(page, from, 9);
        await click(page, at, 132, 35);
        await report(page, topRight);
        await page.resize({ width: 800, height: 600 });
        at = await fitted(page);
        await click(page, at, 32, 316);
        await report(page, '');
    });
    await check(engine, `at ratios ${ratios.join(', ')} each size from 320 × 480 to 1920 × 1080 shows the whole window`,
        needing('ratios', async () => {
            for (const ratio of ratios) {
                const sized = await browser.newPage({ width: 320, height: 480, deviceScaleFactor: ratio });
                await sized.goto(url);
                for (const [width, height] of sizes) {
                    await sized.resize({ width, height });
                    await fitted(sized);
                }
                await sized.close();
            }
        }));
    await check(engine, 'a 390 × 844 phone at ratio 2: a tap starts the reveal and a tap on a cell reports it', needing('ratios', async () => {
        const phone = await browser.newPage({ width: 390, height: 844, deviceScaleFactor: 2, isMobile: true, hasTouch: true });
        await phone.goto(url + '?log');
        const at = await fitted(phone);
        assert.equal(await phone.run(() => document.querySelector('canvas').width), 780);
        await phone.touchscreen.tap(at.place.x + 30 * at.scale, at.place.y + 66 * at.scale);
        await revealed(phone, 0, 9);
        await phone.touchscreen.tap(at.place.x + 132 * at.scale, at.place.y + 35 * at.scale);
        await report(phone, topRight);
        await phone.close();
    }));
    await check(engine, 'without WebAssembly the page says so in Bulgarian', needing('noWasm', async () => {
        const old = await browser.newPage({ width: 800, height: 600 });
        await old.evaluateOnNewDocument(() => { delete window.WebAssembly; });
        await old.goto(url);
        assert.match(await old.run(() => { const m = document.querySelector('#message'); return m.hidden ? '' : m.textContent; }),
            /не може да изпълнява WebAssembly/);
        await old.close();
    }));
    await check(engine, 'with the server gone, a reload opens the lesson from the service worker', async () => {
        await page.run(() => navigator.serviceWorker.ready.then(() => true));
        server.kill();
        if (engine.clearCache)
            await engine.clearCache(page);
        await page.reload();
        await fitted(page);
        assert.ok(await page.run(() => navigator.serviceWorker.controller !== null), 'not served by the service worker');
    });
    await check(engine, 'no errors in the console', () => assert.deepEqual(problems, []));
    await browser.close();
    server.kill();
}

(async () => {
    for (const engine of engines.filter((e) => !only || only.toLowerCase().split(',').includes(e.name.toLowerCase())))
        await lesson(engine);
    process.exitCode = failed ? 1 : 0;
})();
