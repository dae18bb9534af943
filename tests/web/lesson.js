// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

// The lesson in the real page, as a pupil uses it: scripts/test-web runs it
// with the folder to serve and where to save a screenshot. Prints one line
// per check; exits 1 if any failed.
'use strict';
const assert = require('assert/strict');
const fs = require('fs');
const path = require('path');
const { launch, serve, shows, until, revealed, windowLooks } = require('./browser');

const [folder, screenshot] = process.argv.slice(2);
const problems = [];
// The report of the cell right of "1" on the 3 × 3 board, as the page logs it.
const topRight = fs.readFileSync(path.join(__dirname, '..', 'reports.txt'), 'utf8').split('\n')
    .map((line) => line.split('\t')).find((fields) => fields.slice(0, 3).join(' ') === '3 top 6')[3]
    .replace(/\\r\\n/g, ' / ');
let failed = 0;

async function check(name, body) {
    try {
        await body();
        console.log(`ok: ${name}`);
    } catch (error) {
        failed += 1;
        console.log(`FAILED: ${name}: ${error.message}`);
    }
}

async function open(browser, address, viewport) {
    const page = await browser.newPage();
    page.lines = [];
    page.on('console', (m) => (m.type() === 'error' ? problems : page.lines).push(m.text()));
    page.on('pageerror', (error) => problems.push(error.message));
    page.on('requestfailed', (request) => problems.push(`${request.url()} ${request.failure().errorText}`));
    await page.setViewport(viewport);
    await page.goto(address + '?log');
    return page;
}

// Where the canvas is, and that the window is drawn in it.
async function shown(browser, page, scale = 1, looks = windowLooks) {
    const place = await page.$eval('canvas', (c) => c.getBoundingClientRect().toJSON());
    const ratio = page.viewport().deviceScaleFactor || 1;
    await until(async () => shows(browser, await page.screenshot(), { place, scale, ratio, looks }), 'the window');
    return place;
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

const report = (page, text) => until(() => page.lines.includes(`справка: ${text}`), `the report "${text}"`, 10);

(async () => {
    const { url, server } = await serve(folder);
    const browser = await launch();
    const page = await open(browser, url, { width: 800, height: 600 });
    let place;
    const click = (x, y) => page.mouse.click(place.x + x, place.y + y);
    // Interior points of the 3 × 3 board's cells on the diagonal.
    const diagonal = [[76, 28, 0x8080ff], [100, 50, 0x8080ff], [125, 71, 0x8080ff]];

    await check('the window at its size and colours, centred on the page', async () => {
        place = await shown(browser, page);
        assert.deepEqual([place.x, place.y, place.width, place.height], [98, 59, 604, 481]);
        assert.ok(await shows(browser, await page.screenshot(), { place: { x: 0, y: 0 }, looks: [[4, 4, 0xc0c0ff]] }));
    });
    await check('the accessibility tree before a board: controls, names, states, no cells', async () => {
        const { nodes, find, focused } = await until(async () => { const t = await tree(page); return t.focused && t; }, 'a tree');
        assert.equal(find('listbox', 'Брой').description, 'Дължина на страната на магическия квадрат');
        assert.deepEqual(nodes.filter((n) => n.role === 'option').map((n) => n.name), ['3', '5', '7', '9', '11', '13', '15', '17', '19', '21']);
        assert.deepEqual([find('button', 'Чисти').disabled, find('radio', 'Горе').checked, find('radio', 'Ляво').checked], [true, true, false]);
        assert.ok(find('group', 'Начало').role && nodes.find((n) => n.role === 'image').name.startsWith('Магическият квадрат 4 × 4'));
        assert.match(find('textbox', 'Обяснение и справка').value, /^Магически квадрат с дължина на страната N/);
        assert.deepEqual([nodes.filter((n) => n.role === 'button').map((n) => n.name), focused], [['Чисти'], '3']);
    });
    await check('"3" reveals 8 1 6 / 3 5 7 / 4 9 2 one number every 300 ms', async () => {
        await click(30, 66);
        const cells = await revealed(page, 0, 9);
        assert.deepEqual(board(cells), [[8, 1, 6], [3, 5, 7], [4, 9, 2]]);
        const mean = (cells[8].time - cells[0].time) / 8;
        assert.ok(Math.abs(mean - 300) <= 3, `mean interval ${mean} ms`);
        assert.ok(await shows(browser, await page.screenshot(), { place, looks: diagonal }), 'the board on screen');
    });
    await check('the tree has each revealed cell as a button named by its number, described by its place', async () => {
        const { nodes } = await tree(page);
        const places = (await revealed(page, 0, 9)).map((c) => [`${c.number}`, `Ред ${c.row}, Колона ${c.column}`]);
        const cells = nodes.filter((n) => n.role === 'button' && n.name !== 'Чисти');
        assert.deepEqual(cells.map((n) => [n.name, n.description]).sort(), places.sort());
    });
    await check('a cell click writes its report', async () => {
        await click(132, 35);
        await report(page, topRight);
        // Spoken from the live region; the focus stays on the cell.
        const spoken = async () => { const t = await tree(page); return [t.focused, t.find('textbox', 'Обяснение и справка').value,
            await page.$eval('[aria-live]', (e) => e.textContent)]; };
        const text = topRight.replaceAll(' / ', '\n');
        await until(async () => (await spoken()).join() === ['6', text, text].join(), `the report in the tree: ${await spoken()}`, 10);
        if (screenshot)
            await page.screenshot({ path: screenshot });
    });
    await check('"Чисти" clears the board and the report', async () => {
        await click(32, 316);
        await report(page, '');
        const empty = diagonal.map(([x, y]) => [x, y, 0xc0c0ff]);
        await until(async () => shows(browser, await page.screenshot(), { place, looks: empty }), 'an empty board');
    });
    await check('"Ляво" gives the transposed square', async () => {
        const from = page.lines.length;
        await click(36, 282);
        await click(30, 66);
        assert.deepEqual(board(await revealed(page, from, 9)), [[8, 3, 4], [1, 5, 9], [6, 7, 2]]);
    });
    await check('the browser can install it as an app', async () => {
        const session = await page.createCDPSession();
        assert.deepEqual((await session.send('Page.getInstallabilityErrors')).installabilityErrors, []);
    });
    await check('a 390 × 844 phone shows the whole window, sharp, and a tap starts the reveal', async () => {
        const phone = await open(browser, url, { width: 390, height: 844, deviceScaleFactor: 2, isMobile: true, hasTouch: true });
        const scale = 390 / 604;
        const at = await shown(browser, phone, scale, windowLooks.slice(0, -1));
        assert.ok(at.x >= 0 && at.y >= 0 && at.right <= 390 && at.bottom <= 844 && at.height >= 481 * scale);
        assert.equal(await phone.$eval('canvas', (c) => c.width), 780);
        await phone.touchscreen.tap(at.x + 30 * scale, at.y + 66 * scale);
        await revealed(phone, 0, 9);
        await phone.touchscreen.tap(at.x + 132 * scale, at.y + 35 * scale);
        await report(phone, topRight);
        await phone.close();
    });
    await check('without WebAssembly the page says so in Bulgarian', async () => {
        const old = await browser.newPage();
        await old.evaluateOnNewDocument(() => { delete window.WebAssembly; });
        await old.goto(url);
        assert.match(await old.$eval('#message', (m) => (m.hidden ? '' : m.textContent)), /не може да изпълнява WebAssembly/);
        await old.close();
    });
    await check('with the server gone and no HTTP cache, a reload still opens the lesson', async () => {
        await page.evaluate(() => navigator.serviceWorker.ready);
        server.kill();
        await (await page.createCDPSession()).send('Network.clearBrowserCache');
        await page.reload();
        await shown(browser, page);
    });
    await check('the keyboard alone: the first number takes the focus, the report leaves it, Tab reaches each control', async () => {
        const keys = await open(browser, url, { width: 800, height: 600 });
        await shown(browser, keys);
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
    });
    await check('no errors in the console', () => assert.deepEqual(problems, []));
    await browser.close();
    server.kill();
    process.exitCode = failed ? 1 : 0;
})();
