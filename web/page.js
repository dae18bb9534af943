// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

// Brings the window of the static page to life over the lesson's model
// (web/bind.cpp): every event calls one of the model's verbs, then
// showLesson() draws the model's picture. The page keeps no lesson state of
// its own, only focus, the list's cursor and the timer's next beat.

const byId = (id) => document.getElementById(id);
const windowBox = byId('window');
const list = byId('List1');
const board = byId('board');
const clearButton = byId('Command2');
const textBox = byId('Text1_0');
const frame = byId('Frame1');
const options = [byId('Option1_0'), byId('Option1_1')];
const picture = byId('Image1');
const report = byId('report');
const printout = byId('printout');
const entries = [...list.querySelectorAll('[role=option]')];
const explanation = textBox.defaultValue;

let model;
// Where each of the picture's fields stands, as the model says.
let fieldAt = {};
let stopped = false;
// Focus and geometry: the view's own.
let cursor = 0;
let lastFocusedCell = -1;
let cells = [];
let boardKey = '';
let printedKey = '';
// The timer: the model says whether it runs; the page keeps its beat.
let beat = 0;
let nextBeat = 0;

function stop(message) {
    if (stopped)
        return;
    stopped = true;
    clearTimeout(beat);
    console.error('Zorbelin:', message);
    for (const control of windowBox.querySelectorAll('button, textarea, input, [tabindex]'))
        control.setAttribute('tabindex', '-1');
    byId('fatal').hidden = false;
}

// One event: the verb, then the picture. An error in the model ends the lesson visibly.
function act(verb) {
    if (stopped || !model)
        return;
    try {
        verb();
        showLesson();
    } catch (error) {
        stop(String(error && error.message || error));
    }
}

function readView() {
    const at = model._zorbelinView();
    const value = (index) => model.getValue(at + 4 * index, 'i32');
    const field = (name) => value(fieldAt[name]);
    const count = field('CellCount');
    const view = {
        listEnabled: field('ListEnabled') !== 0,
        selection: field('Selection'),
        orientation: field('OrientationField'),
        frameEnabled: field('FrameEnabled') !== 0,
        clearEnabled: field('ClearEnabled') !== 0,
        imageVisible: field('ImageVisible') !== 0,
        textVisible: field('TextVisible') !== 0,
        explanationShown: field('ExplanationShown') !== 0,
        timerRunning: field('TimerRunning') !== 0,
        order: field('Order'),
        text: model.UTF8ToString(field('TextPointer'), field('TextBytes')),
        cells: [],
    };
    const first = fieldAt.FirstCell;
    for (let k = 0; k < count; ++k)
        view.cells.push({ visible: value(first + 2 * k) !== 0, caption: value(first + 2 * k + 1) });
    return view;
}

// Draws everything the model's picture says, and nothing else.
function showLesson() {
    const view = readView();
    // A locked frame with the focus in it would give it to the page itself,
    // which a screen reader reads on from the top: the board takes it first.
    if (frame.contains(document.activeElement) && !view.frameEnabled)
        parkFocus();
    const focused = document.activeElement;

    // Unlocked with nothing chosen, the list's cursor starts again at the top.
    if (view.listEnabled && view.selection < 0 && list.getAttribute('aria-disabled') === 'true')
        cursor = 0;
    list.setAttribute('aria-disabled', String(!view.listEnabled));
    list.tabIndex = view.listEnabled ? 0 : -1;
    entries.forEach((entry, index) => entry.setAttribute('aria-selected', String(index === view.selection)));
    if (view.selection >= 0)
        cursor = view.selection;
    showCursor();

    frame.disabled = !view.frameEnabled;
    options[view.orientation].checked = true;
    // Locked, "Чисти" keeps a focus it has, as the list does: it only stops acting.
    clearButton.setAttribute('aria-disabled', String(!view.clearEnabled));
    clearButton.tabIndex = view.clearEnabled || document.activeElement === clearButton ? 0 : -1;
    picture.hidden = !view.imageVisible;

    textBox.hidden = !view.textVisible;
    const text = view.explanationShown ? explanation : view.text.replace(/\r\n/g, '\n');
    if (textBox.value !== text) {
        textBox.value = text;
        textBox.scrollTop = 0;
        // A report is read out; an emptied box is not.
        report.textContent = view.explanationShown ? '' : text;
    }

    showBoard(view);
    showPrintout(view);
    keepTimer(view);
    keepFocus(focused);
}

function showCursor() {
    entries.forEach((entry, index) => entry.classList.toggle('cursor', index === cursor));
    list.setAttribute('aria-activedescendant', entries[cursor].id);
}

// Only a key moves the cursor out of sight; reading the layout is left to then.
function scrollToCursor() {
    const entry = entries[cursor];
    if (entry.offsetTop < list.scrollTop)
        list.scrollTop = entry.offsetTop;
    else if (entry.offsetTop + entry.offsetHeight > list.scrollTop + list.clientHeight)
        list.scrollTop = entry.offsetTop + entry.offsetHeight - list.clientHeight;
}

// A new board gets its cells placed once, in rows for the grid's reading;
// after that only their captions, visibility and tab stop change.
function showBoard(view) {
    const n = view.order;
    const key = n ? n + ':' + view.orientation : '';
    if (key !== boardKey) {
        boardKey = key;
        lastFocusedCell = -1;
        board.replaceChildren();
        cells = [];
        const rowWord = board.dataset.cellRow, columnWord = board.dataset.cellColumn;
        const rows = [];
        for (let row = 0; row < n; ++row) {
            const line = document.createElement('div');
            line.setAttribute('role', 'row');
            rows.push(line);
        }
        for (let k = 0; k < n * n; ++k) {
            const box = model._zorbelinCellBox(k, n);
            const [left, top, width, height] = [0, 1, 2, 3].map((i) => model.getValue(box + 4 * i, 'i32'));
            const place = document.createElement('div');
            place.setAttribute('role', 'gridcell');
            place.style.cssText = `left:${left}px;top:${top}px;width:${width}px;height:${height}px`;
            const cell = document.createElement('button');
            cell.type = 'button';
            cell.id = 'Command1_' + k;
            cell.className = 'bevel';
            cell.tabIndex = -1;
            cell.dataset.shown = 'false';
            cell.setAttribute('aria-hidden', 'true');
            cell.dataset.index = String(k);
            cell.setAttribute('aria-description', rowWord + (k % n + 1) + columnWord + (Math.floor(k / n) + 1));
            place.append(cell);
            rows[k % n].append(place);
            cells.push(cell);
        }
        // Each row lists its cells from left to right.
        for (const line of rows)
            board.append(line);
        board.hidden = n === 0;
    }
    // Only what changed is touched: a tick of the largest board changes one cell of 441.
    const tabStop = n ? model._zorbelinBoardTabStop(lastFocusedCell) : -1;
    cells.forEach((cell, k) => {
        const shown = view.cells[k];
        const caption = shown.caption ? String(shown.caption) : '';
        if (cell.textContent !== caption)
            cell.textContent = caption;
        if (cell.dataset.shown !== String(shown.visible)) {
            cell.dataset.shown = String(shown.visible);
            cell.setAttribute('aria-hidden', String(!shown.visible));
        }
        const tabIndex = k === tabStop ? 0 : -1;
        if (cell.tabIndex !== tabIndex)
            cell.tabIndex = tabIndex;
    });
}

// The worksheet that printing shows, made when the board it shows changes.
function showPrintout(view) {
    const key = view.order ? view.order + ':' + view.orientation : '';
    if (key === printedKey)
        return;
    printedKey = key;
    document.body.classList.toggle('has-board', view.order > 0);
    printout.replaceChildren();
    if (!view.order)
        return;
    const lines = model.UTF8ToString(model._zorbelinSquareText()).split('\n').filter((line) => line.trim());
    const table = document.createElement('table');
    for (const line of lines) {
        const row = table.insertRow();
        const parts = line.trim().split(/\s+/);
        const sumAt = parts.indexOf('=');
        parts.forEach((part, index) => {
            const cell = row.insertCell();
            cell.textContent = part;
            if (part === '=')
                cell.className = 'equals';
            else if (sumAt >= 0 && index > sumAt)
                cell.className = 'sum';
        });
    }
    // One A4 page for every order: the largest board has 23 columns.
    printout.style.setProperty('--print-size', Math.min(16, Math.floor(220 / (view.order + 2))) + 'pt');
    printout.append(table);
}

// setTimeout drifts; each beat is set against the clock, so the mean stays the model's interval.
function keepTimer(view) {
    if (!view.timerRunning) {
        clearTimeout(beat);
        beat = 0;
    } else if (!beat) {
        nextBeat = performance.now() + model._zorbelinRevealInterval();
        beat = setTimeout(onBeat, model._zorbelinRevealInterval());
    }
}

// The next beat is set from the schedule, not from when this one ran, so
// lateness does not add up; the beat stays set while the tick is drawn, so
// the drawing keeps that schedule.
function onBeat() {
    nextBeat += model._zorbelinRevealInterval();
    act(() => model._zorbelinTick());
    if (beat)
        beat = setTimeout(onBeat, Math.max(0, nextBeat - performance.now()));
}

// A control that can no longer be used hands the focus on in tab order, as
// the desktop window does; while none can, the board keeps it (a screen
// reader names the board, where the next number comes, not a locked control),
// and the first control that can again takes it (the first number revealed).
let parked = false;
function keepFocus(focused) {
    // Parked only while nothing else has taken the focus since.
    parked = parked && (!focused || focused === document.body || focused === board);
    if (!parked && (!focused || focused === document.body || usable(focused)))
        return;
    const order = tabOrder();
    const from = parked ? -1 : order.indexOf(focused);
    for (let step = 1; step <= order.length; ++step) {
        const next = order[(from + step + order.length) % order.length];
        if (usable(next)) {
            parked = false;
            moveFocus(next);
            return;
        }
    }
    // A locked "Чисти" keeps the focus until the first number takes it.
    if (!parked && focused !== clearButton)
        parkFocus();
}

// Two frames after the changes that came with it, so a screen reader hears
// them where they happened: a size chosen in the list as the focus leaves it
// would otherwise bring the whole list back into its speech.
let focusing = 0;
function moveFocus(element) {
    cancelAnimationFrame(focusing);
    focusing = requestAnimationFrame(() => {
        focusing = requestAnimationFrame(() => {
            if (usable(element))
                element.focus();
        });
    });
}

function parkFocus() {
    if (board.hidden)
        document.activeElement.blur();
    else
        board.focus();
    parked = true;
}

function onTab(event) {
    if (event.key !== 'Tab' || event.altKey || event.ctrlKey || event.metaKey)
        return;
    const order = tabOrder().filter(usable);
    if (!order.length)
        return;
    const last = event.shiftKey ? order[0] : order[order.length - 1];
    if (document.activeElement !== last && document.activeElement !== windowBox)
        return;
    event.preventDefault();
    (event.shiftKey ? order[order.length - 1] : order[0]).focus();
}

function tabOrder() {
    const stopCell = cells.find((cell) => cell.tabIndex === 0);
    const checked = options.find((option) => option.checked);
    return [list, ...(stopCell ? [stopCell] : cells.slice(0, 1)), clearButton, textBox, checked];
}

function usable(control) {
    if (!control || !control.isConnected || control.disabled || control.closest('[hidden]')
        || control.getAttribute('aria-disabled') === 'true')
        return false;
    if (control.closest('#board'))
        return control.dataset.shown === 'true' && model._zorbelinCellCanTakeFocus(Number(control.dataset.index));
    return !control.closest('fieldset:disabled');
}

// A new board's first tick comes one whole interval after it, even when a
// tick was due for a board cleared just before.
function chooseSize(index) {
    act(() => {
        if (model._zorbelinChooseSize(index)) {
            clearTimeout(beat);
            beat = 0;
        }
    });
}

// The list: a click chooses; the keys move the cursor, Space and Enter choose.
let typed = '', typedAt = 0;
function onListKey(event) {
    if (list.getAttribute('aria-disabled') === 'true')
        return;
    const last = entries.length - 1;
    const page = Math.max(1, Math.floor(list.clientHeight / entries[0].offsetHeight) - 1);
    const moves = {
        ArrowDown: cursor + 1, ArrowUp: cursor - 1, Home: 0, End: last,
        PageDown: cursor + page, PageUp: cursor - page,
    };
    if (event.key in moves) {
        cursor = Math.min(last, Math.max(0, moves[event.key]));
        showCursor();
        scrollToCursor();
    } else if (event.key === ' ' || event.key === 'Enter') {
        chooseSize(cursor);
    } else if (event.key.length === 1 && !event.ctrlKey && !event.altKey && !event.metaKey) {
        // Typing an order finds it: "1" then "5" is 15.
        const now = performance.now();
        typed = (now - typedAt < 700 ? typed : '') + event.key;
        typedAt = now;
        const found = entries.findIndex((entry) => entry.textContent.startsWith(typed));
        if (found < 0)
            return;
        cursor = found;
        showCursor();
        scrollToCursor();
    } else {
        return;
    }
    event.preventDefault();
}

function onListClick(event) {
    const entry = event.target.closest('[role=option]');
    if (!entry || list.getAttribute('aria-disabled') === 'true')
        return;
    cursor = entries.indexOf(entry);
    chooseSize(cursor);
}

function onBoardKey(event) {
    const cell = event.target.closest('button');
    if (!cell)
        return;
    const steps = { ArrowUp: [-1, 0], ArrowDown: [1, 0], ArrowLeft: [0, -1], ArrowRight: [0, 1] }[event.key];
    if (!steps)
        return;
    event.preventDefault();
    const next = model._zorbelinCellInDirection(Number(cell.dataset.index), steps[0], steps[1]);
    if (next >= 0)
        cells[next].focus();
}

function connect() {
    list.addEventListener('keydown', onListKey);
    list.addEventListener('click', onListClick);
    board.addEventListener('keydown', onBoardKey);
    board.addEventListener('click', (event) => {
        const cell = event.target.closest('button');
        if (cell && cell.dataset.shown === 'true')
            act(() => model._zorbelinReportCell(Number(cell.dataset.index)));
    });
    board.addEventListener('focusin', (event) => {
        const cell = event.target.closest('button');
        if (!cell)
            return;
        lastFocusedCell = Number(cell.dataset.index);
        cells.forEach((other) => { other.tabIndex = other === cell ? 0 : -1; });
    });
    // click, not change: a click on the button already chosen counts too.
    options.forEach((option, index) => option.addEventListener('click', () => {
        const focused = frame.contains(document.activeElement);
        act(() => {
            // The next step after a board is gone is a size: the focus goes
            // there, once the browser has moved it to the button an arrow chose.
            if (model._zorbelinChooseOrientation(index) && focused)
                setTimeout(() => list.focus());
        });
    }));
    clearButton.addEventListener('click', () => {
        if (clearButton.getAttribute('aria-disabled') === 'true')
            return;
        const focused = document.activeElement === clearButton;
        act(() => {
            if (model._zorbelinClear() && focused)
                list.focus();
        });
    });
    // As in the window, Tab goes round its controls.
    windowBox.addEventListener('keydown', onTab);
    // Until the model has drawn them, the radio buttons show the page's own state.
    options[0].checked = true;
}

// Keeps the lesson for use without a network, once the page has all it needs.
function keepOffline() {
    if (!('serviceWorker' in navigator) || location.protocol === 'file:')
        return;
    navigator.serviceWorker.register('sw.js').then(() => navigator.serviceWorker.ready).then((registration) => {
        // The picture this screen chose is the one to keep; the other one is kept when first shown.
        registration.active?.postMessage({ keep: [new URL(picture.currentSrc || picture.src).pathname] });
    }).catch(() => {});
}

async function start() {
    // Without the model the window stays as the page drew it, and says why
    // its board does not come.
    if (typeof WebAssembly !== 'object') {
        byId('no-wasm').hidden = false;
        return;
    }
    if (typeof createZorbelin !== 'function') {
        byId('no-model').hidden = false;
        return;
    }
    // An abort while loading is a load that failed, answered below.
    const settings = { onFatalError: stop, onAbort: (why) => { if (model) stop(String(why)); } };
    const embedded = document.getElementById('zorbelin-wasm');
    if (embedded)
        settings.wasmBinary = Uint8Array.from(atob(embedded.textContent.trim()), (c) => c.charCodeAt(0));
    try {
        model = await createZorbelin(settings);
        model._zorbelinStart();
        const names = model.UTF8ToString(model._zorbelinPictureFields()).trim().split(' ');
        fieldAt = Object.fromEntries(names.map((name, index) => [name, index]));
    } catch (error) {
        console.error('Zorbelin:', error);
        byId('no-model').hidden = false;
        return;
    }
    // The first drawing waits for a task of its own, so no task is long.
    await new Promise((resolve) => setTimeout(resolve));
    connect();
    act(() => {});
    if (document.readyState === 'complete')
        keepOffline();
    else
        addEventListener('load', keepOffline);
}

start();
