// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

// The lesson in the real page, as a pupil uses it, in each browser engine
// (tests/web/browser.js): scripts/test-web runs it with the folder to serve,
// where to save a screenshot, and optionally the engines to run (names,
// comma-separated). Prints one line per check and engine ("ok", "FAILED", or
// "cannot" where an engine cannot do a check); exits 1 if any failed.
'use strict';
const assert = require('assert/strict');
const fs = require('fs');
const path = require('path');
const { engines, serve, shows, ink, until, revealed, windowLooks } = require('./browser');

const [folder, screenshot, only] = process.argv.slice(2);
// The report of the cell right of "1" on the 3 × 3 board, as the page logs it.
const topRight = fs.readFileSync(path.join(__dirname, '..', 'reports.txt'), 'utf8').split('\n')
    .map((line) => line.split('\t')).find((fields) => fields.slice(0, 3).join(' ') === '3 top 6')[3]
    .replace(/\\r\\n/g, ' / ');
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
        failed++;
        console.log(`FAILED: ${engine.name}: ${name}: ${error.message}`);
    }
}
const needing = (needs, body) => Object.assign(body, { needs });

// Where the canvas is and how large the window is drawn, once the whole
// window shows, fitted to the page: as large as fits, centred.
async function fitted(page, looks = windowLooks, boxes = captions) {
    await (page.bringToFront && page.bringToFront());
    // A resize reaches the page's script a frame after the driver returns.
    let width, height, box;
    const place = await until(async () => {
        [width, height, box] = await page.run(() =>
            [innerWidth, innerHeight, document.querySelector('canvas').getBoundingClientRect().toJSON()]);
        return box.width > 0 && (box.width === width || box.bottom - box.top >= height - 1) && box;
    }, () => `the window filling ${width} × ${height} (${JSON.stringify(box)})`, 10);
    const scale = place.width / 604;
    assert.ok(place.x >= 0 && place.y >= 0 && place.right <= width && place.bottom <= height,
        `the window ${JSON.stringify(place)} outside the page ${width} × ${height}`);
    assert.ok(Math.abs(place.x * 2 + place.width - width) <= 1 && Math.abs(place.y * 2 + place.height - height) <= 1, 'not centred');
    const drawn = { place, scale, ratio: page.ratio, looks: scale < 1 ? looks.slice(0, -1) : looks };
    await until(async () => {
        const png = await page.screenshot();
        return shows(png, drawn) && boxes.every((box) => ink(png, box, drawn) >= 4);
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

// The page's accessibility tree as Chromium gives it to screen readers, as a
// list of nodes, with the name of the focused one.
async function tree(page) {
    const nodes = [];
    const walk = (node) => { nodes.push(node); (node.children || []).forEach(walk); };
    walk(await page.accessibility.snapshot({ interestingOnly: false }));
    const find = (role, name) => nodes.find((n) => n.role === role && n.name === name) || {};
    return { nodes, find, focused: (nodes.find((n) => n.focused) || {}).name };
}
const focusIs = (page, name) => until(async () => (await tree(page)).focused === name, `the focus on "${name}"`, 10)
    .catch(async (error) => { throw new Error(`${error.message}; it is on "${(await tree(page)).focused}"`); });

// The report written, as a line logged after the first `from` lines.
const report = (page, text, from = 0) => until(async () => {
    await page.refresh();
    return page.lines.slice(from).includes(`справка: ${text}`);
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
    await check(engine, 'the accessibility tree before a board: controls, names, states, no cells', needing('a11y', async () => {
        const { nodes, find, focused } = await until(async () => { const t = await tree(page); return t.focused && t; }, 'a tree');
        assert.equal(find('listbox', 'Брой').description, 'Дължина на страната на магическия квадрат');
        assert.deepEqual(nodes.filter((n) => n.role === 'option').map((n) => n.name), ['3', '5', '7', '9', '11', '13', '15', '17', '19', '21']);
        assert.deepEqual([find('button', 'Чисти').disabled, find('radio', 'Горе').checked, find('radio', 'Ляво').checked], [true, true, false]);
        assert.ok(find('group', 'Начало').role && nodes.find((n) => n.role === 'image').name.startsWith('Магическият квадрат 4 × 4'));
        assert.match(find('textbox', 'Обяснение и справка').value, /^Магически квадрат с дължина на страната N/);
        assert.deepEqual([nodes.filter((n) => n.role === 'button').map((n) => n.name), focused], [['Чисти'], '3']);
    }));
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
    await check(engine, 'the tree has each revealed cell as a button named by its number, described by its place', needing('a11y', async () => {
        const { nodes } = await tree(page);
        const places = (await revealed(page, 0, 9)).map((c) => [`${c.number}`, `Ред ${c.row}, Колона ${c.column}`]);
        const cells = nodes.filter((n) => n.role === 'button' && n.name !== 'Чисти');
        assert.deepEqual(cells.map((n) => [n.name, n.description]).sort(), places.sort());
    }));
    await check(engine, 'a cell click writes its report', async () => {
        await click(page, drawn, 132, 35);
        await report(page, topRight);
        if (screenshot && engine === engines[0])
            fs.writeFileSync(screenshot, await page.screenshot());
    });
    await check(engine, 'the report is in the tree and spoken from the live region; the focus stays on the cell', needing('a11y', async () => {
        const spoken = async () => { const t = await tree(page); return [t.focused, t.find('textbox', 'Обяснение и справка').value,
            await page.$eval('[aria-live]', (e) => e.textContent)]; };
        const text = topRight.replaceAll(' / ', '\n');
        await until(async () => (await spoken()).join() === ['6', text, text].join(), `the report in the tree: ${await spoken()}`, 10);
    }));
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
        await report(page, topRight, from);
        await page.resize({ width: 800, height: 600 });
        // Drawn anew at the new scale: the board instead of the picture, "3" chosen.
        at = await fitted(page, [...windowLooks.slice(0, 7), ...diagonal], [captions[0], captions[2]]);
        const cleared = page.lines.length;
        await click(page, at, 32, 316);
        await report(page, '', cleared);
    });
    await check(engine, `at ratios ${ratios.join(', ')} each size from 320 × 480 to 1920 × 1080, loaded at that size, shows the whole window`,
        needing('ratios', async () => {
            for (const ratio of ratios) {
                const sized = await browser.newPage({ width: 320, height: 480, deviceScaleFactor: ratio });
                for (const [width, height] of sizes) {
                    await sized.resize({ width, height });
                    await sized.goto(url);
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
    await check(engine, 'without WebAssembly the page says so in Bulgarian, as an alert, with no application layer',
        needing('noWasm', async () => {
        const old = await browser.newPage({ width: 800, height: 600 });
        await old.evaluateOnNewDocument(() => { delete window.WebAssembly; });
        await old.goto(url);
        assert.match(await old.run(() => { const m = document.querySelector('#message');
            return m.hidden || m.role !== 'alert' || document.querySelector('#accessible') ? '' : m.textContent; }),
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
    await check(engine, 'the keyboard alone: the first number takes the focus, the report leaves it, Tab reaches each control', needing('a11y', async () => {
        const keys = await browser.newPage({ width: 800, height: 600 });
        await keys.goto(url + '?log');
        await fitted(keys);
        for (const [key, name] of [['', '3'], ['End', '21'], ['Home', '3'], ['Enter', '1'], ['ArrowRight', '6'], ['Space', '6'],
            ['Tab', 'Чисти'], ['Tab', 'Обяснение и справка'], ['Tab', 'Горе'], ['Tab', '6'], ['Shift+Tab', 'Горе']]) {
            const [modifier, last] = key.includes('+') ? key.split('+') : [null, key];
            if (modifier)
                await keys.keyboard.down(modifier);
            if (last)
                await keys.keyboard.press(last);
            if (modifier)
                await keys.keyboard.up(modifier);
            await focusIs(keys, name);
            if (last === 'Enter')  // the arrow keys move among the numbers shown
                await revealed(keys, 0, 9);
        }
        await report(keys, topRight);
        await keys.keyboard.press('ArrowDown');
        await until(async () => (await tree(keys)).find('radio', 'Ляво').checked, '"Ляво" chosen by its key', 10);
        await focusIs(keys, '3');
        await keys.close();
    }));
    await check(engine, 'no errors in the console', () => assert.deepEqual(problems, []));
    await browser.close();
    server.kill();
}

(async () => {
    for (const engine of engines.filter((e) => !only || only.toLowerCase().split(',').includes(e.name.toLowerCase())))
        await lesson(engine);
    process.exitCode = failed ? 1 : 0;
})();
