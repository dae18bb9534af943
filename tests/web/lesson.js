// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

// The lesson in the real page, as a pupil uses it, in each browser engine
// (tests/web/browser.js), through the page's elements and Chromium's
// accessibility tree: scripts/test-web runs it with the folder to serve and
// optionally the engines to run (names, comma-separated). Prints one line per
// check and engine ("ok", "FAILED", or "cannot" where an engine cannot do a
// check) and a closing count; exits 1 if any failed.
'use strict';
const assert = require('assert/strict');
const { execFileSync } = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const { engines, serve, colours, near, until, click, watchReveal } = require('./browser');

const [folder, only] = process.argv.slice(2);
const reports = Object.fromEntries(fs.readFileSync(path.join(__dirname, '..', 'reports.txt'), 'utf8').split('\n')
    .filter((line) => /^\d/.test(line)).map((line) => line.split('\t'))
    .map(([n, side, cell, text]) => [`${n} ${side} ${cell}`, text.replace(/\\r\\n/g, '\n')]));
const square3 = [[8, 1, 6], [3, 5, 7], [4, 9, 2]];
const transposed = (rows) => rows.map((row, i) => row.map((_, j) => rows[j][i]));
// squareText of the 3 × 3 board, each orientation (tests/tst_square.cpp).
const printed = { top: ' 8  1  6 = 15\n 3  5  7 = 15\n 4  9  2 = 15\n15 15 15\n', left: ' 8  3  4 = 15\n 1  5  9 = 15\n 6  7  2 = 15\n15 15 15\n' };
// The window's design (square/windowlayout.h): twips rectangles in the window or, for the options, the frame.
const layout = { List1: [120, 840, 735, 2340], Command2: [0, 4560, 975, 375], Text1_0: [120, 5520, 8775, 1575],
    Label1_0: [1080, 0, 6615, 300], Label1_1: [120, 480, 735, 375], Frame1: [0, 3480, 975, 975], Image1: [3120, 1080, 3300, 3435],
    Option1_0: [60, 3780, 855, 300], Option1_1: [60, 4080, 855, 300] };
const cellTwips = (k, n) => [1080 + Math.floor(k / n) * 365, 360 + (k % n) * 325, 365, 325];
// Viewports × the reports each clicks (reports.txt); WebKit: ratio 1 and 447 px wide at least.
const viewports = [[604, 481, 1, 4, 4], [1024, 768, 1, 6, 6], [1280, 1024, 1, 0, 4], [1920, 1080, 1, 4, 6],
    [1024, 768, 2, 6, 4], [412, 915, 3, 0, 6], [915, 412, 3, 4, 4]];
let passed = 0, failed = 0;

async function check(engine, name, body, needs) {
    const reason = engine.cannot && engine.cannot[needs];
    if (reason)
        return console.log(`cannot: ${engine.name} ${reason}: ${name}`);
    try {
        await body();
        passed++;
        console.log(`ok: ${engine.name}: ${name}`);
    } catch (error) {
        failed++;
        console.log(`FAILED: ${engine.name}: ${name}: ${error.message}`);
    }
}

// In the page: what a pupil sees of the lesson. The window is the smallest
// element holding every control; a cell counts once it shows its number.
function seen() {
    const $ = (id) => document.getElementById(id);
    let win = $('List1');
    while (!win.contains($('Text1_0')))
        win = win.parentElement;
    const shown = (e) => e.checkVisibility({ visibilityProperty: true, opacityProperty: true });
    const box = (e) => e.getBoundingClientRect().toJSON();
    const boxes = Object.fromEntries(['List1', 'Command2', 'Text1_0', 'Label1_0', 'Label1_1', 'Frame1', 'Image1', 'Option1_0', 'Option1_1']
        .filter((id) => shown($(id))).map((id) => [id, box(($(id).labels || [])[0] || $(id))]));
    // A board's cells are laid out, shown or not; a removed board's are not.
    const cells = [...document.querySelectorAll('[id^="Command1_"]')].filter((e) => e.checkVisibility()).map((e) => ({ k: +e.id.slice(9),
        number: +e.textContent, shown: shown(e) && e.textContent.trim() !== '', box: box(e), tab: e.tabIndex }));
    const active = document.activeElement, cursor = active && active.getAttribute('aria-activedescendant');
    return { win: box(win), width: document.documentElement.clientWidth, height: document.documentElement.clientHeight, boxes,
        cells, text: $('Text1_0').value.replace(/\r\n/g, '\n'), left: $('Option1_1').checked,
        focus: active ? active.id + (cursor ? `:${$(cursor).textContent.trim()}` : '') : '' };
}

// The window whole, centred, as large as fits (but without a script), each
// control where the design puts it.
async function fits(page, grown = true) {
    const s = await until(async () => { const s = await page.run(seen); return s.win.width > 0 && s; }, 'the window', 10);
    const { win, width, height } = s, scale = win.width / 604, slack = 1 + 0.75 * scale;
    assert.ok(win.left >= -0.5 && win.top >= -0.5 && win.right <= width + 0.5 && win.bottom <= height + 0.5,
        `the window ${JSON.stringify(win)} is not whole in ${width} × ${height}`);
    // Placed on whole pixels: each margin within a pixel of the other.
    assert.ok(Math.abs(win.left + win.right - width) <= 2 && Math.abs(win.top + win.bottom - height) <= 2, `not centred: ${JSON.stringify(win)}`);
    assert.ok(!grown || Math.abs(win.width - width) <= 1.5 || Math.abs(win.height - height) <= 1.5, `smaller than fits: ${JSON.stringify(win)}`);
    assert.ok(Math.abs(win.height - 481 * scale) <= slack, `not 604 × 481 in shape: ${JSON.stringify(win)}`);
    const misplaced = (box, [x, y, w, h]) => [box.left - win.left, box.top - win.top, box.width, box.height]
        .some((v, i) => Math.abs(v - [x, y, w, h][i] / 15 * scale) > slack);
    for (const [id, box] of Object.entries(s.boxes))
        assert.ok(!misplaced(box, layout[id]), `${id} at ${JSON.stringify(box)}, not ${layout[id]} twips at scale ${scale}`);
    for (const cell of s.cells.filter((c) => c.shown))
        assert.ok(!misplaced(cell.box, cellTwips(cell.k, Math.sqrt(s.cells.length))), `cell ${cell.k} at ${JSON.stringify(cell.box)}`);
    return s;
}

// After a click on the size list: the cells that show their numbers in the
// walk's order, 300 ms apart, until all n * n show; the board as rows.
async function reveal(page, n) {
    const s = await until(async () => { const s = await page.run(seen); return s.cells.length && s.cells.every((c) => c.shown) && s; },
        async () => `the ${n} × ${n} board revealed (${JSON.stringify((await page.run(seen)).cells.map((c) => c.shown && c.number))})`, 10 + n * n * 0.4);
    assert.equal(s.cells.length, n * n);
    const times = await page.run(() => window.zorbelinReveal);
    assert.deepEqual(times.map(([number]) => number), s.cells.map((_, i) => i + 1), 'not revealed one by one in order');
    // The median: one tick late on a busy machine does not move it, a wrong beat does.
    const beat = times.slice(1).map(([, t], i) => t - times[i][1]).sort((a, b) => a - b)[(n * n) >> 1];
    assert.ok(Math.abs(beat - 300) <= 3, `a number every ${beat.toFixed(1)} ms`);
    const rows = Array.from({ length: n }, () => []);
    s.cells.forEach((c) => { rows[c.k % n][Math.floor(c.k / n)] = c.number; });
    return rows;
}
// In the page: whether its script has drawn the model's picture; till then
// the list (enabled, says the picture) has no state of its own, and a click is lost.
const alive = () => document.getElementById('List1').getAttribute('aria-disabled') === 'false';
async function choose(page, entry) {
    await until(() => page.run(alive), 'the list enabled by the page\'s script', 10);
    await page.run(watchReveal);
    await click(page, 'List1', entry);
}
const reported = (page, text) => until(async () => (await page.run(seen)).text === text,
    async () => `the report ${JSON.stringify(text)} (the box has ${JSON.stringify((await page.run(seen)).text)})`, 10);

// The board printed: one page whose text has squareText's lines.
async function prints(page, side) {
    const pdf = path.join(os.tmpdir(), `zorbelin-print-${process.pid}.pdf`);
    fs.writeFileSync(pdf, await page.pdf({ format: 'A4' }));
    const pages = execFileSync('pdfinfo', [pdf], { encoding: 'utf8' }).match(/^Pages:\s+(\d+)/m)[1];
    const text = execFileSync('pdftotext', ['-layout', pdf, '-'], { encoding: 'utf8' });
    fs.rmSync(pdf);
    const lines = (t) => t.split('\n').map((l) => l.trim().replace(/\s+/g, ' ')).filter(Boolean).join('\n');
    assert.equal(pages, '1', 'printed pages');
    assert.ok(lines(text).includes(lines(printed[side])), `the printout has not\n${printed[side]}but\n${text}`);
}

// Chromium's accessibility tree, as a list of nodes.
async function tree(page) {
    const nodes = [];
    const walk = (node) => { nodes.push(node); (node.children || []).forEach(walk); };
    walk(await page.accessibility.snapshot({ interestingOnly: false }));
    return { nodes, find: (role, name) => nodes.find((n) => n.role === role && n.name === name) || {} };
}

// axe-core's rules on the page as it is.
const axeScript = fs.readFileSync(require.resolve('axe-core/axe.min.js'), 'utf8');
async function accessible(page) {
    assert.deepEqual(await page.run((script) => { if (!window.axe) (0, eval)(script);
        return window.axe.run(document).then((r) => r.violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(' ')}`)); }, axeScript), []);
}

// The keyboard alone, from the page as it opens: keys, where the focus must
// then be, and what else must hold.
const s3 = (page) => page.run(seen);
const keyboard = [
    ['', 'List1:3'], ['End', 'List1:21'], ['Home', 'List1:3'], ['ArrowDown', 'List1:5'],
    ['ArrowUp', 'List1:3', async (page) => assert.deepEqual((await s3(page)).cells, [], 'a cursor move built a board')],
    // The focus goes to "Чисти", then, on the first tick, straight to the first number.
    ['Enter', 'Command1_3', async (page) => {
        assert.deepEqual(await reveal(page, 3), square3);
        assert.deepEqual(await page.run(() => window.zorbelinFocus), ['Command2', 'Command1_3'], 'where the focus went');
    }],
    ['ArrowRight', 'Command1_6'], ['Space', 'Command1_6', (page) => reported(page, reports['3 top 6'])],
    ['Tab', 'Command2'], ['Tab', 'Text1_0'], ['Tab', 'Option1_0'],
    ['Tab', 'Command1_6', async (page) => assert.equal((await s3(page)).cells.filter((c) => c.tab >= 0).length, 1, 'tab stops on the board')],
    ['Shift+Tab', 'Option1_0'],
    ['ArrowDown', 'List1:3', async (page) => { const s = await s3(page); assert.deepEqual([s.left, s.cells, s.text], [true, [], '']); }],
    ['ArrowDown', 'List1:5'], ['Space', 'Command1_2'],   // 1 of the 5 × 5 board from the left: row 3, column 1
];

async function lesson(engine) {
    const server = await serve(folder);
    const { url } = server;
    const browser = await engine.launch();
    const problems = browser.problems;
    let visit;
    if (engine.firstVisit) {   // WebKit's first visit is made apart (browser.js)
        problems.push(...await engine.firstVisit(url, server.served));
        visit = server.served();
    }
    const page = await browser.newPage({ width: 1024, height: 768 });
    await page.goto(url);

    await check(engine, 'the window fits whole and centred, each control in its place, the font loaded, no WebGL needed', async () => {
        await fits(page);
        assert.ok(await page.run(() => document.fonts.ready.then((fonts) => [...fonts].some((f) => f.status === 'loaded'
            && getComputedStyle(document.getElementById('Label1_0')).fontFamily.includes(f.family.replace(/"/g, ''))))), 'the page\'s font');
        if (engine === engines[0])
            assert.ok(!await page.run(() => document.createElement('canvas').getContext('webgl')), 'WebGL is on');
    });
    await check(engine, 'the screenshot: the window\'s colour at its corners, the title\'s colour and ink', async () => {
        const { win, boxes: { Label1_0: label } } = await page.run(seen), r = page.ratio;
        const at = (x, y) => [Math.floor(x * r), Math.floor(y * r)];
        const corners = [at(win.left + 2, win.top + 2), at(win.right - 3, win.top + 2), at(win.left + 2, win.bottom - 3), at(win.right - 3, win.bottom - 3)];
        const png = await page.screenshot();
        const found = colours(png, [...corners, at(label.left + 2, label.top + 2)]);
        assert.deepEqual(found.map((c, i) => near(c, i < 4 ? 0xc0c0ff : 0xffc080)), [true, true, true, true, true], found.map((c) => c.toString(16)).join());
        const grid = Array.from({ length: Math.floor(label.width) * Math.floor(label.height) },
            (_, i) => at(label.left + (i % Math.floor(label.width)), label.top + Math.floor(i / Math.floor(label.width))));
        assert.ok(colours(png, grid).filter((c) => c >= 0 && (c >> 16) + ((c >> 8) & 255) + (c & 255) < 200).length >= 20, 'no title drawn');
    });
    await check(engine, 'each file comes from the server once on a first visit, the service worker\'s copies too', async () => {
        await page.run(() => navigator.serviceWorker.ready.then(() => true));
        const sent = (visit || server.served()).filter(([, status]) => status === 200).map(([file]) => file);
        assert.deepEqual(sent.filter((file, i) => sent.indexOf(file) < i), [], JSON.stringify(sent));
        assert.ok(sent.includes('/index.html') && sent.includes('/sw.js'), JSON.stringify(sent));
    });
    await check(engine, 'axe-core finds nothing on the page as it opens', () => accessible(page));
    await check(engine, 'the accessibility tree before a board: controls, names, states, no cells', async () => {
        const { nodes, find } = await tree(page);
        assert.equal(find('listbox', 'Брой').description, 'Дължина на страната на магическия квадрат');
        assert.deepEqual(nodes.filter((n) => n.role === 'option').map((n) => n.name), ['3', '5', '7', '9', '11', '13', '15', '17', '19', '21']);
        assert.deepEqual([find('button', 'Чисти').disabled, find('radio', 'Горе').checked, find('radio', 'Ляво').checked], [true, true, false]);
        assert.ok(find('group', 'Начало').role && nodes.find((n) => n.role === 'image').name.startsWith('Магическият квадрат 4 × 4'));
        assert.match(find('textbox', 'Обяснение и справка').value, /^Магически квадрат с дължина на страната N/);
        assert.deepEqual(nodes.filter((n) => n.role === 'button').map((n) => n.name), ['Чисти']);
    }, 'a11y');
    for (const [keys, focus, also] of keyboard)
        await check(engine, `keyboard: ${keys || 'the page opens'}, the focus on ${focus}`, async () => {
            if (keys) {
                await page.run(watchReveal);
                await page.press(keys);
            }
            await until(async () => (await s3(page)).focus === focus, async () => `the focus on ${(await s3(page)).focus}`, 10);
            if (also)
                await also(page);
            if (keys === 'Enter')
                await check(engine, 'axe-core finds nothing with a board', () => accessible(page));
            if (keys === 'Space' && focus === 'Command1_6') {
                await check(engine, 'axe-core finds nothing with a report', () => accessible(page));
                await check(engine, 'the tree has each cell as a button named by its number, described by its place; the report in it and in the live region', async () => {
                    const { nodes, find } = await tree(page);
                    const cells = nodes.filter((n) => n.role === 'button' && n.name !== 'Чисти').map((n) => `${n.name} ${n.description}`);
                    assert.deepEqual(cells.sort(), square3.flatMap((row, i) => row.map((v, j) => `${v} Ред ${i + 1}, Колона ${j + 1}`)).sort());
                    assert.equal(find('textbox', 'Обяснение и справка').value, reports['3 top 6']);
                    assert.equal(await page.run(() => document.querySelector('[aria-live]').textContent.trim()), reports['3 top 6'].trim());
                }, 'a11y');
            }
        });

    for (const [width, height, ratio, top, left] of viewports) {
        const mobile = ratio > 2, where = `${width} × ${height} at ratio ${ratio}`;
        await check(engine, `${where}: the list, a cell, "Чисти", "Ляво" and "Горе" clicked where they show, each doing its part`, async () => {
            const sized = await browser.newPage({ width, height, deviceScaleFactor: ratio, isMobile: mobile, hasTouch: mobile });
            await sized.goto(url);
            await fits(sized);
            for (const side of ['top', 'left']) {
                await choose(sized, '3');
                assert.deepEqual(await reveal(sized, 3), side === 'top' ? square3 : transposed(square3));
                await fits(sized);
                if (width === 604)
                    await check(engine, `${where}: the board from the ${side} printed on one page, with squareText's sums`, () => prints(sized, side), 'print');
                const cell = side === 'top' ? top : left;
                await click(sized, `Command1_${cell}`);
                await reported(sized, reports[`3 ${side} ${cell}`]);
                await click(sized, side === 'top' ? 'Command2' : 'Option1_0');
                await until(async () => { const s = await s3(sized); return !s.cells.length && s.text === '' && !s.left; }, 'the board cleared', 10);
                if (side === 'top') {
                    await click(sized, 'Option1_1');
                    await until(async () => (await s3(sized)).left, '"Ляво" chosen', 10);
                }
            }
            await sized.resize({ width: Math.max(height, engine.narrowest || 0), height: width });
            await until(() => fits(sized).then(() => true, () => false), () => fits(sized).then(() => 'refit'), 10);
            if (sized !== page)
                await sized.close();
        }, ratio > 1 ? 'ratios' : undefined);
    }

    await check(engine, 'zorbelin.html opened as a file from a folder of its own: a board, a cell\'s report', async () => {
        const alone = fs.mkdtempSync(path.join(os.tmpdir(), 'zorbelin-file-'));
        fs.copyFileSync(path.join(folder, 'zorbelin.html'), path.join(alone, 'zorbelin.html'));
        const file = await browser.newPage({ width: 1024, height: 768 });
        await file.goto(`file://${alone}/zorbelin.html`);
        await choose(file, '5');
        await until(async () => (await s3(file)).cells.find((c) => c.k === 10 && c.shown), 'the 1 of the 5 × 5 board', 10);
        await click(file, 'Command1_10');
        await reported(file, reports['5 top 10']);
        if (file !== page)
            await file.close();
        fs.rmSync(alone, { recursive: true });
    });
    await check(engine, 'the browser can install it as an app', async () => {
        const session = await page.createCDPSession();
        assert.deepEqual((await session.send('Page.getInstallabilityErrors')).installabilityErrors, []);
    }, 'install');
    await check(engine, 'without JavaScript: the window, the explanation and a Bulgarian message', async () => {
        const off = await engine.launch({ noScript: true }), plain = await off.newPage({ width: 1024, height: 768 });
        await plain.goto(url);
        assert.match((await fits(plain, false)).text, /^Магически квадрат с дължина на страната N/);
        assert.ok(!await plain.run(alive), 'the page\'s script ran');
        assert.match(await plain.run(() => document.body.innerText), /JavaScript[^\n]*[а-я]|[а-я][^\n]*JavaScript/);
        await off.close();
    });
    await check(engine, 'with the server gone, a reload opens the lesson from the service worker, and it builds a board', async () => {
        await page.goto(url);
        await page.run(() => navigator.serviceWorker.ready.then(() => true));
        await server.stop();
        if (engine.clearCache)
            await engine.clearCache(page);
        await page.reload();
        await fits(page);
        assert.ok(await page.run(() => navigator.serviceWorker.controller !== null), 'not served by the service worker');
        await choose(page, '3');
        await until(async () => (await s3(page)).cells.some((c) => c.shown), 'a number shown', 10);
    });
    await check(engine, 'no errors in the console', () => assert.deepEqual(problems, []));
    await browser.close();
}

// What nginx sends for each file that has compressed copies, to a client
// that takes brotli, one that takes only gzip, and one that takes neither.
const types = { html: 'text/html', js: 'application/javascript', wasm: 'application/wasm', css: 'text/css',
    woff2: 'font/woff2', webmanifest: 'application/manifest+json', svg: 'image/svg+xml', json: 'application/json' };
async function served() {
    const server = await serve(folder);
    for (const file of fs.readdirSync(folder).filter((f) => f.endsWith('.br')).map((f) => f.slice(0, -3))) {
        const copies = [['br, gzip', 'br', `${file}.br`], ['gzip', 'gzip', `${file}.gz`], ['', undefined, file]];
        await check({ name: 'nginx' }, `${file}: ${types[file.split('.').pop()]}, brotli, gzip or as it is, by what the client takes`, () => {
            for (const [accepts, encoding, copy] of copies) {
                const head = execFileSync('curl', ['-sfI', '-H', `Accept-Encoding: ${accepts}`, server.url + file], { encoding: 'utf8' });
                const field = (name) => (head.match(new RegExp(`^${name}: *(.*?)\\r?$`, 'mi')) || [])[1];
                assert.deepEqual([field('Content-Type'), field('Content-Encoding'), +field('Content-Length')],
                    [types[file.split('.').pop()], encoding, fs.statSync(path.join(folder, copy)).size], `Accept-Encoding: ${accepts}`);
            }
        });
    }
    await server.stop();
}

(async () => {
    await served();
    for (const engine of engines.filter((e) => !only || only.toLowerCase().split(',').includes(e.name.toLowerCase())))
        await lesson(engine).catch((error) => { failed++; console.log(`FAILED: ${engine.name}: ${error.stack}`); });
    console.log(`${passed} passed, ${failed} failed`);
    process.exitCode = failed ? 1 : 0;
})();
