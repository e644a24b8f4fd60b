// The lessons' pages as a learner runs them, every lesson of lessons.json by
// the same cases: a problem by its link; the Enter chain from the first box
// to the first step; the steps by the mouse, a finger, a pen, served over
// HTTP, by Enter and by Space, each step checked as the page shows it; a
// held key that presses a step once; typing through an input method; the
// messages of a run that cannot plot, which select the box to correct and
// change nothing; the plane drawn again after a size change and after drags
// by the mouse, a finger and a pen; Ctrl+S naming the picture; what a screen
// reader reads; 「終　了」 and the start anew.
//
// LG_LESSON names the lesson (CTest runs one entry for each); without it,
// every lesson that has a table. LG_SINGLE runs the same on the pages made
// into one file (harness.mjs), but for the runs that cannot plot: how the
// program reads the boxes does not depend on what holds the page. A lesson
// of lessons.json without a table here is reported as having none
// ("test_lessons: no rows for NAME"), which CTest counts as skipped.
//
// What each case checks of a lesson is the same for all; what differs is
// values. A lesson's own behaviour beyond these cases has a test file of its
// own (test_system.mjs; the first lesson's test_equation, test_messages …).
//
// A lesson's table is lessons/NAME.mjs, whose default export gives:
//
//   steps     [button, the control focused after it] for each step, in order
//             (optional: the four of every lesson so far, STEPS)
//   readers   the steps that read the boxes, which refuse what they cannot
//             read (optional: the first two steps)
//   planeTaps true where a press on the plane takes a point: the plane is
//             then focused without one (optional)
//   seen(l)   what the lesson shows beside the plane, as plain data (texts),
//             read from the page: equal data, equal showing
//   check(l, row, k)  asserts what step k (from 0) shows of a run's row
//   drawn(l, row, origin, unit)  whether the row's mark of the last step
//             (a line, a ring …) is on the plane drawn at that origin and unit
//             (default (300, 300) and 22): true there, false elsewhere
//   runs      rows through every step: name, boxes (the texts typed, one per
//             box), ways (of 'mouse', 'touch', 'pen', 'http', 'Enter',
//             'Space': how it is typed and pressed), seen (what seen(l) reads
//             after the last step), and the values check and drawn read.
//             The first row also runs in the cases of an input method, a
//             held key, Ctrl+S and 「終　了」
//   links     a problem by link: name, query (?…), boxes (as the page types
//             them), run (optional: the row whose first step Enter then shows).
//             The link without a problem and the one with another lesson's
//             names (none of them typed) are made here for every lesson
//   chains    rows of the Enter chain: name, texts (typed into the boxes,
//             Enter after each); the chain of empty boxes led on by Enter and
//             the keypad's Enter is made here for every lesson
//   refused   runs that cannot plot: name, boxes, message (word for word),
//             box (the index of the box selected to correct), close (how the
//             message is closed: 'click', 'tap', 'Enter', 'Space', 'Escape';
//             default Enter)
//   redraws   rows of the plane drawn again at 「小」 and after a mouse drag:
//             run (the name of a run's row)
//   pointers  rows of drags by a finger and a pen on a touch screen: run
//   saves     Ctrl+S (⌘S): modifier ('Control', 'Meta'), boxes typed after
//             the first run, file (the name of the picture saved)
//   heard     what a screen reader hears of the plane after the steps: name,
//             boxes, then (optional: box and text typed, size clicked, which
//             cannot plot; gone: the texts no longer printed on the plane),
//             said and unsaid (words of the plane's description)
//   names     the names a screen reader reads for the boxes
//   description  what it reads of the plane at the start
//   tabs      the tab order from the first box on (null: not checked)
import assert from 'node:assert/strict';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { test } from 'node:test';

import { LESSONS, Lesson, inLesson, serve, useBrowser } from './harness.mjs';

// The browser of the cases, launched only where there are cases to run.
let browser = null;

// The views of a touch screen: a finger's (a phone's or a tablet's page) and a pen's.
const VIEWS = { touch: { touch: true, mobile: true }, pen: { touch: true } };

// The characters of the captions that lie outside their control (cut off or
// hidden under the next one), by control.
const outside = (l) => l.page.evaluate(() => {
  const out = [];
  for (const el of document.querySelectorAll('#form > .label, #form > .button')) {
    const t = el.firstChild;
    if (!t || t.nodeType !== 3 || getComputedStyle(el).visibility !== 'visible') continue;
    const box = el.getBoundingClientRect();
    let lost = '';
    for (let i = 0; i < t.length; ++i) {
      if (/\s/.test(t.data[i])) continue;
      const range = document.createRange();
      range.setStart(t, i);
      range.setEnd(t, i + 1);
      const r = range.getBoundingClientRect(), x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
      if (x < box.left || x > box.right || y < box.top || y > box.bottom) lost += t.data[i];
    }
    if (lost) out.push(`${el.dataset.name} hides ${lost}`);
  }
  return out;
});

// The plane's part of the program's state (lessons::Panel).
const PLANE = ['originX', 'originY', 'unitSize', 'dotsShown', 'printed', 'description'];

// Full-width forms of a typed number, as an input method converts them.
const fullWidth = (text) => text.replace(/[0-9.\-]/g, (c) => ({ '-': '－', '.': '．' })[c]
  || String.fromCharCode(c.charCodeAt(0) + 0xfee0));

// The steps of every lesson so far: 「…」 Command4(0) and Command4(1), then
// Command5 and Command6, the focus moving on to the next, and from the last
// to 初期画面 (Command2).
const STEPS = [['Command4(0)', 'Command4(1)'], ['Command4(1)', 'Command5'], ['Command5', 'Command6'], ['Command6', 'Command2']];

// The cases of one lesson (an entry of LESSONS) by its table.
function lessonCases(lesson, table) {
  const { steps = STEPS, seen } = table;
  const count = lesson.problem.length;
  const empty = Array(count).fill('');
  const here = (body, view = {}) => inLesson(browser, view, body, lesson.url);
  const named = (name) => table.runs.find((r) => r.name === name);
  const first = table.runs[0];

  // Everything a run may change, as the page shows it; with start, of the
  // program's state only the plane's, which every lesson shares and a new
  // start makes again (a lesson may keep the rest of its numbers).
  const snapshot = async (l, start = false) => {
    const state = await l.state();
    for (const key of Object.keys(state))
      if (key === 'dragging' || (start && !PLANE.includes(key))) delete state[key];
    const enabled = [];
    for (const [button] of steps) enabled.push(await l.enabled(button));
    return { state, picture: await l.pictureDigest(), seen: await seen(l), boxes: await l.boxes(count), enabled };
  };

  // The row typed and every step pressed, each step checked (on a plane as
  // at the start; unless told not to): by the mouse, a
  // finger or a pen (each box pressed, then typed into), or by the keys (typed
  // and led on by Enter from the first box, each step pressed by the key
  // where the focus went).
  const run = async (l, row, way = 'mouse', checked = true) => {
    const told = (await l.shown()).length;
    const press = { mouse: (n) => l.click(n), http: (n) => l.click(n), touch: (n) => l.tap(n), pen: (n) => l.penTap(n) }[way]
      || (() => l.press(way));
    if (!['Enter', 'Space'].includes(way)) {
      for (const [i, text] of row.boxes.entries()) {
        await press(`Text1(${i})`);
        assert.equal(await l.focused(), `Text1(${i})`);
        await l.chord('Control', 'KeyA');
        if (text === '') await l.press('Delete'); else await l.type(text);
      }
    } else {
      assert.equal(await l.focused(), 'Text1(0)');
      const before = await snapshot(l);
      for (const text of row.boxes) {
        await l.type(text);
        await l.press('Enter');
      }
      assert.equal(await l.focused(), steps[0][0]);
      // Enter added nothing to the boxes and only moved the focus: no step pressed.
      assert.deepEqual({ ...await snapshot(l), boxes: before.boxes }, before, 'the Enter that led to the first step pressed it');
    }
    assert.deepEqual(await l.boxes(count), row.boxes);
    for (const [k, [button, then]] of steps.entries()) {
      await press(button);
      assert.equal(await l.focused(), then, `the focus after ${button}`);
      if (checked) await table.check(l, row, k);
    }
    assert.deepEqual(await seen(l), row.seen);
    assert.deepEqual((await l.shown()).slice(told), [], 'no message');
    return press;
  };

  // A case on the lesson in two pages at once, both closed after it.
  const inTwo = (body) => async () => {
    const pages = [await Lesson.open(browser(), {}, lesson.url), await Lesson.open(browser(), {}, lesson.url)];
    try {
      await body(...pages);
      for (const l of pages) await l.close();
    } finally {
      for (const l of pages) if (!l.page.isClosed()) await l.page.close();
    }
  };

  for (const row of table.runs) {
    for (const way of row.ways) {
      test(`${lesson.name}: a run ${way === 'http' ? 'served over HTTP' : `by ${way}`}: ${row.name}`, async () => {
        const server = way === 'http' ? await serve() : null;
        const l = await Lesson.open(browser(), VIEWS[way] || {}, server ? server.url + lesson.page : lesson.url);
        let passed = false;
        try {
          const start = await snapshot(l, true);
          const press = await run(l, row, way);
          assert.deepEqual(await outside(l), [], 'every caption seen whole');
          // 「初期画面」: all of it gone, the boxes empty, the plane as at the start.
          await press('Command2');
          assert.equal(await l.focused(), 'Text1(0)');
          assert.deepEqual(await snapshot(l, true), start, 'as at the start');
          passed = true;
        } finally {
          if (passed) await l.close(); else await l.page.close();
          if (server) await server.close();
        }
      });
    }
  }

  // Enter leads from box to box and on to the first step, and only moves the
  // focus: nothing is read, whatever the boxes hold.
  const chains = [{ name: 'empty boxes, by Enter and the keypad\'s Enter', texts: empty }, ...table.chains];
  for (const row of chains) {
    test(`${lesson.name}: the Enter chain: ${row.name}`, here(async (l) => {
      const start = await snapshot(l);
      const order = [];
      for (const [i, text] of row.texts.entries()) {
        order.push(await l.focused());
        await l.type(text);
        await l.press(i % 2 ? 'NumpadEnter' : 'Enter');
      }
      order.push(await l.focused());
      assert.deepEqual(order, [...row.texts.map((_, i) => `Text1(${i})`), steps[0][0]]);
      assert.deepEqual(await l.shown(), []);
      assert.deepEqual({ ...await snapshot(l), boxes: start.boxes }, start);
      assert.deepEqual(await l.boxes(count), row.texts);
    }));
  }

  // Typed through an input method: the Enter that ends a conversion is the
  // input method's (the page sees key code 229) and stays in the box; the next
  // Enter leads on, and the converted full-width numbers are the ones plotted.
  test(`${lesson.name}: the Enter that ends a conversion stays in the box`, here(async (l) => {
    const cdp = await l.page.createCDPSession();
    const texts = first.boxes.map(fullWidth);
    for (const [i, text] of texts.entries()) {
      await cdp.send('Input.imeSetComposition', { text, selectionStart: text.length, selectionEnd: text.length });
      await cdp.send('Input.dispatchKeyEvent', { type: 'rawKeyDown', windowsVirtualKeyCode: 229, key: 'Enter', code: 'Enter' });
      await cdp.send('Input.insertText', { text });
      await cdp.send('Input.dispatchKeyEvent', { type: 'keyUp', windowsVirtualKeyCode: 13, key: 'Enter', code: 'Enter' });
      assert.equal(await l.focused(), `Text1(${i})`);
      await l.press('Enter');
    }
    assert.equal(await l.focused(), steps[0][0]);
    assert.deepEqual(await l.boxes(count), texts);
    await l.press('Enter');
    assert.equal(await l.focused(), steps[0][1]);
    await table.check(l, first, 0);
  }));

  // A held key repeats: a held Enter steps through the boxes as single presses
  // do, but presses a step once per key press, never by its repeats.
  test(`${lesson.name}: a held Enter or Space presses a step once`, here(async (l) => {
    const start = await snapshot(l);
    for (const [i, text] of first.boxes.entries()) {
      await l.type(text);
      if (i < count - 1) await l.press('Enter');
    }
    await l.hold('Enter', 45);  // about 1.5 s of repeats, from the last box
    assert.equal(await l.focused(), steps[0][0]);
    assert.deepEqual({ ...await snapshot(l), boxes: start.boxes }, start, 'the first step pressed by the Enter held in the last box');
    for (const [k, key] of ['Enter', 'Space'].entries()) {
      await l.hold(key, 45);
      assert.equal(await l.focused(), steps[k][1], `${key} held on ${steps[k][0]}`);
      await table.check(l, first, k);
    }
    assert.deepEqual(await l.shown(), []);
  }));

  if (table.tabs) {
    test(`${lesson.name}: other keys reach the box; Tab follows the tab order`, here(async (l) => {
      await l.type('-2.5x+/,E');
      await l.press('Backspace');
      assert.deepEqual(await l.boxes(count), ['-2.5x+/,', ...empty.slice(1)]);
      const order = [];
      for (let i = 0; i < table.tabs.length; ++i) {
        await l.press('Tab');
        order.push(await l.focused());
      }
      assert.deepEqual(order, table.tabs);
      assert.deepEqual(await l.origin(), [300, 300]);
    }));
  }

  // 「終　了」: the page cannot close a window it did not open, so the lesson
  // ends on a screen of its own, from which it starts anew as at first.
  test(`${lesson.name}: 終了 ends the lesson; it starts anew from the end screen`, here(async (l) => {
    const start = await snapshot(l, true);
    await l.click('Command3(2)');
    for (const [i, text] of first.boxes.entries()) await l.fill(i, text);
    await l.click(steps[0][0]);
    await l.click('Command1');
    await l.page.waitForFunction(() => !document.getElementById('ended').hidden, { timeout: 5000 });
    assert.equal(await l.page.$eval('#stage', (el) => el.hidden), true);
    assert.equal(await l.focused(), 'again');
    await Promise.all([l.page.waitForNavigation(), l.press('Enter')]);
    await l.ready();
    assert.deepEqual(await snapshot(l, true), start);
    assert.equal(await l.focused(), 'Text1(0)');
    assert.equal(await l.page.$eval('#ended', (el) => el.hidden), true);
  }));

  // What a screen reader is told of the boxes and of the plane at the start.
  test(`${lesson.name}: the boxes and the plane are named`, here(async (l) => {
    const names = await l.page.evaluate((count) => [...Array(count).keys()].map((i) => `Text1(${i})`).concat('Picture1')
      .map((n) => document.querySelector(`[data-name="${n}"]`).getAttribute('aria-label')), count);
    assert.deepEqual(names, [...table.names, '座標平面']);
    assert.equal(await l.description(), table.description);
  }));

  // A problem by its link: the texts as given, the missing ones empty, never
  // markup; the focus on the first step, where Enter begins. Without a
  // problem, or with another lesson's names, the lesson starts as ever.
  const other = LESSONS.find((o) => o.problem.every((n) => !lesson.problem.includes(n)));
  const links = [...table.links, { name: 'none', query: '', boxes: empty }];
  if (other) {
    links.push({ name: `${other.name}'s names`, boxes: empty,
      query: '?' + other.problem.map((n, i) => `${n}=${i + 1}`).join('&') });
  }
  for (const row of links) {
    test(`${lesson.name}: a problem by link: ${row.name}`, async () => {
      const l = await Lesson.open(browser(), {}, lesson.url + row.query);
      try {
        assert.deepEqual(await l.boxes(count), row.boxes);
        assert.equal(await l.page.evaluate(() => window.hacked === undefined && !document.querySelector('img, b')), true);
        assert.ok((await l.page.title()).startsWith(lesson.title), await l.page.title());
        const given = row.boxes.some((t) => t !== '');
        assert.equal(await l.focused(), given ? steps[0][0] : 'Text1(0)');
        if (given) {
          // Enter begins: the step reads the boxes as they stand.
          await l.press('Enter');
          const told = (await l.shown()).length;
          assert.ok(told === 1 || await l.focused() === steps[0][1], 'the first step ran, or told why not');
          if (row.run) await table.check(l, named(row.run), 0);
        }
      } finally {
        await l.close();
      }
    });
  }

  // A run that cannot plot: one message, with the focus on its button;
  // closed, nothing changed and the box to correct focused, its whole text
  // selected. On a fresh plane and after a whole run, by each step that reads
  // the boxes.
  for (const row of process.env.LG_SINGLE ? [] : table.refused) {
    test(`${lesson.name}: a run that cannot plot: ${row.name}`, here(async (l) => {
      for (const round of [0, 1]) {
        if (round === 1) await run(l, first);
        for (const [i, text] of row.boxes.entries()) await l.fill(i, text);
        for (const button of table.readers || steps.slice(0, 2).map(([b]) => b)) {
          const before = await snapshot(l);
          const told = (await l.shown()).length;
          await l.click(button);
          assert.deepEqual((await l.shown()).slice(told), [row.message], `${button}, round ${round}`);
          assert.equal(await l.focused(), 'OK', 'the message has the focus');
          await l.closeMessage(row.close || 'Enter');
          assert.equal(await l.messageOpen(), false);
          assert.deepEqual(await snapshot(l), before, 'nothing changed');
          assert.equal(await l.focused(), `Text1(${row.box})`);
          const [start, end, length] = await l.page.$eval(`[data-name="Text1(${row.box})"]`,
            (el) => [el.selectionStart, el.selectionEnd, el.value.length]);
          assert.deepEqual([start, end], [0, length], 'the whole text selected');
        }
      }
    }));
  }

  // A size change and a drag draw the plane again with everything shown on
  // it, at its new place: the same picture as the same run on a plane
  // already so; what is shown beside it as it was.
  for (const row of table.redraws) {
    test(`${lesson.name}: a size change and a drag redraw everything: ${row.run}`, inTwo(async (moved, placed) => {
      const shown = named(row.run);
      // (A page in the background gets no frames: each is brought to the front for its part.)
      await moved.page.bringToFront();
      await run(moved, shown);
      assert.ok(await table.drawn(moved, shown));
      await moved.click('Command3(0)');  // 小: 40 pixels a unit
      assert.ok(await table.drawn(moved, shown, [300, 300], 40), 'drawn at 小');
      assert.equal(await table.drawn(moved, shown), false, 'not at its place at 中');
      await moved.drag([[100, 100], [120, 95], [130, 90]]);
      assert.deepEqual(await moved.origin(), [330, 290]);
      assert.ok(await table.drawn(moved, shown, [330, 290], 40), 'drawn after the drag');
      assert.equal(await table.drawn(moved, shown, [300, 300], 40), false, 'not at its place before the drag');
      assert.deepEqual(await seen(moved), shown.seen);
      assert.deepEqual(await moved.shown(), []);

      await placed.page.bringToFront();
      await placed.click('Command3(0)');
      await placed.drag([[200, 200], [230, 190]]);
      await run(placed, shown, 'mouse', false);
      assert.equal(await moved.pictureDigest(), await placed.pictureDigest());
    }));
  }

  // The same by a finger and by a pen, on a touch screen.
  const DRAGS = [
    { name: 'a finger', drag: (l) => l.swipe([[300, 300], [280, 320], [260, 340]]), origin: [260, 340] },
    { name: 'a pen', origin: [330, 280], drag: async (l) => {
      for (const [type, x, y, held] of [['mousePressed', 100, 100, 1], ['mouseMoved', 120, 90, 1],
        ['mouseMoved', 130, 80, 1], ['mouseReleased', 130, 80, 0]]) {
        const p = await l.onPlane(x, y);
        await l.pen(type, p.x, p.y, held);
      }
    } },
  ];
  for (const row of table.pointers) {
    for (const by of DRAGS) {
      test(`${lesson.name}: a drag by ${by.name} takes everything along: ${row.run}`, here(async (l) => {
        const shown = named(row.run);
        await run(l, shown, 'touch');
        await by.drag(l);
        const s = await l.state();
        assert.deepEqual([s.originX.v, s.originY.v, s.dragging.v], [...by.origin, 0]);
        assert.ok(await table.drawn(l, shown, by.origin), 'drawn at its new place');
        assert.equal(await table.drawn(l, shown), false);
        assert.deepEqual(await seen(l), shown.seen);
      }, VIEWS.touch));
    }
  }

  // Ctrl+S on the plane downloads the picture, named after what is typed;
  // the page (its own Save Page) does nothing else.
  for (const row of table.saves) {
    test(`${lesson.name}: a save by ${row.modifier}+S: ${row.file}`, here(async (l) => {
      const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'lg-save-'));
      try {
        const cdp = await l.page.createCDPSession();
        await cdp.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: folder });
        await run(l, first);
        for (const [i, text] of row.boxes.entries()) await l.fill(i, text);
        if (table.planeTaps) {
          await l.page.focus('[data-name="Picture1"]');
        } else {
          const { x, y } = await l.onPlane(590, 590);
          await l.page.mouse.click(x, y);
        }
        assert.equal(await l.focused(), 'Picture1');
        await l.chord(row.modifier, 's');
        const file = path.join(folder, row.file);
        for (let i = 0; i < 100 && !fs.existsSync(file); ++i) await new Promise((r) => setTimeout(r, 50));
        assert.deepEqual(fs.readdirSync(folder), [row.file]);
        const png = fs.readFileSync(file);
        assert.deepEqual([png.readUInt32BE(16), png.readUInt32BE(20)], [1200, 1200], 'its width and height');
        assert.deepEqual(await l.shown(), []);
        assert.equal(await l.focused(), 'Picture1');
      } finally {
        fs.rmSync(folder, { recursive: true, force: true });
      }
    }));
  }

  // What a screen reader finds in the page's accessibility tree for the plane
  // is what the plane shows.
  for (const row of table.heard) {
    test(`${lesson.name}: the plane as a screen reader hears it: ${row.name}`, here(async (l) => {
      for (const [i, text] of row.boxes.entries()) await l.fill(i, text);
      for (const [button] of steps) await l.click(button);
      if (row.then) {
        await l.fill(row.then.box, row.then.text);
        await l.click(row.then.size);
        await l.closeMessage();
        assert.deepEqual((await l.state()).printed.filter(([t]) => row.then.gone.includes(t)), []);
      }
      const tree = await l.page.accessibility.snapshot({ interestingOnly: false });
      const find = (node) => (node.description || '').includes('目もり') ? node : (node.children || []).map(find).find(Boolean);
      const heard = find(tree)?.description || '';
      for (const words of row.said) assert.ok(heard.includes(words), heard);
      for (const words of row.unsaid) assert.ok(!heard.includes(words), heard);
    }));
  }
}

const wanted = process.env.LG_LESSON ? LESSONS.filter((l) => l.name === process.env.LG_LESSON) : LESSONS;
assert.ok(wanted.length, `no lesson ${process.env.LG_LESSON} in lessons.json`);
const tables = [];
for (const lesson of wanted) {
  const file = new URL(`./lessons/${lesson.name}.mjs`, import.meta.url);
  if (fs.existsSync(file)) tables.push([lesson, (await import(file)).default]);
  else console.log(`test_lessons: no rows for ${lesson.name} (tests/web/lessons/${lesson.name}.mjs)`);
}
if (tables.length) browser = useBrowser();
for (const [lesson, table] of tables) lessonCases(lesson, table);
