// 「小」「中」「大」: the highlight and the checked one of the three, the grid
// unit, the plane drawn afresh around the origin where it stands, and what
// was plotted plotted again.
import assert from 'node:assert/strict';
import { test } from 'node:test';

import { Lesson, SIZES, inLesson, useBrowser } from './harness.mjs';

const browser = useBrowser();

// The chosen size's button in bold at 20 points (27 pixels), the others plain
// at 12 (16 pixels); the chosen one checked.
async function checkHighlight(l, chosen) {
  const looks = await l.page.evaluate(() => [0, 1, 2].map((i) => {
    const el = document.querySelector(`[data-name="Command3(${i})"]`), style = getComputedStyle(el);
    return [style.fontSize, Number(style.fontWeight) >= 700, el.getAttribute('role'), el.getAttribute('aria-checked')];
  }));
  assert.deepEqual(looks, [0, 1, 2].map((i) => (i === chosen ? ['27px', true, 'radio', 'true'] : ['16px', false, 'radio', 'false'])));
}

async function lessonOf(l, { more, line }) {
  await l.enter('1', '3', '1');
  await l.click('Command4(0)');
  if (more) await l.click('Command4(1)');
  if (line) await l.click('Command5');
}

test('中 is chosen at the start', inLesson(browser, async (l) => {
  await checkHighlight(l, 1);
  assert.equal((await l.state()).unitSize, 22);
}));

for (const [index, size] of SIZES.entries()) {
  test(`${size.caption}: ${size.unit} pixels a unit, drawn afresh`, inLesson(browser, async (l) => {
    await l.click(size.button);
    await checkHighlight(l, index);
    const s = await l.state();
    assert.equal(s.unitSize, size.unit);
    assert.deepEqual([s.originX.v, s.originY.v], [300, 300]);
    assert.deepEqual((await l.planeFaults(size.unit, 300, 300)).faults, []);
    assert.ok((await l.description()).includes(`１目もり${size.unit}ピクセル`), await l.description());
  }));
}

// After a drag to (400, 250) the new size is drawn around that same pixel.
test('a size keeps the moved origin', inLesson(browser, async (l) => {
  await l.drag([[100, 100], [200, 50]]);
  assert.deepEqual(await l.origin(), [400, 250]);
  await l.click('Command3(0)');
  assert.deepEqual(await l.origin(), [400, 250]);
  assert.deepEqual((await l.planeFaults(40, 400, 250)).faults, []);
}));

// The replays are whole runs: the picture is the one the same runs give on a
// plane of that size from the start; the points and fractions are stored
// again, the next buttons enabled and the focus moved on.
const REPLAYS = [
  { name: '小, all three', index: 0, more: true, line: true, focus: 'Command6' },
  { name: '大, all three', index: 2, more: true, line: true, focus: 'Command6' },
  { name: '大, 点を打つ only', index: 2, more: false, line: false, focus: 'Command4(1)' },
  { name: '小, both point runs', index: 0, more: true, line: false, focus: 'Command5' },
];
for (const row of REPLAYS) {
  test(`replays: ${row.name}`, async () => {
    const size = SIZES[row.index];
    const first = await Lesson.open(browser());
    const replayed = await Lesson.open(browser());
    try {
      // (A page in the background gets no frames: each is brought to the front for its part.)
      await first.page.bringToFront();
      await first.click(size.button);
      await lessonOf(first, row);

      await replayed.page.bringToFront();
      await lessonOf(replayed, row);
      await replayed.click(size.button);
      const s = await replayed.state();
      assert.equal(s.unitSize, size.unit);
      assert.equal(await replayed.pictureDigest(), await first.pictureDigest(), 'the picture of the same runs at that size');
      assert.deepEqual([s.firstX.v, s.firstY.v, s.secondX.v, s.secondY.v], [-38, 13, -35, 12]);
      assert.equal(await replayed.enabled('Command5'), true);
      assert.equal(await replayed.enabled('Command6'), row.line);
      assert.equal(await replayed.focused(), row.focus);
      assert.deepEqual(await replayed.shown(), []);
      await replayed.close();
      await first.close();
    } finally {
      for (const l of [first, replayed]) if (!l.page.isClosed()) await l.page.close();
    }
  });
}

// 「中」 clicked again draws afresh what was there.
test('the highlighted size clicked again', inLesson(browser, async (l) => {
  await lessonOf(l, { more: true, line: true });
  const before = await l.pictureDigest();
  await l.click('Command3(1)');
  await checkHighlight(l, 1);
  assert.equal((await l.state()).unitSize, 22);
  assert.equal(await l.pictureDigest(), before);
  assert.equal(await l.focused(), 'Command6');
}));

// 「初期画面」 keeps the size and its highlight; after it nothing is replayed.
test('the size outlives 初期画面', inLesson(browser, async (l) => {
  await l.click('Command3(2)');
  await lessonOf(l, { more: true, line: true });
  await l.click('Command2');
  assert.equal((await l.state()).unitSize, 14);
  await checkHighlight(l, 2);
  assert.deepEqual((await l.planeFaults(14, 300, 300)).faults, []);
  await l.click('Command3(0)');
  assert.deepEqual((await l.planeFaults(40, 300, 300)).faults, []);
  assert.equal((await l.state()).dotsShown, 0);
  assert.equal(await l.enabled('Command5'), false);
  assert.equal(await l.enabled('Command6'), false);
  assert.deepEqual(await l.shown(), []);
}));

// The sizes from the keyboard: Space or Enter on the focused button.
test('a size chosen by the keyboard', inLesson(browser, async (l) => {
  await l.page.focus('[data-name="Command3(2)"]');
  await l.press('Space');
  await checkHighlight(l, 2);
  await l.chord('Shift', 'Tab');
  await l.chord('Shift', 'Tab');
  assert.equal(await l.focused(), 'Command3(0)');
  await l.press('Enter');
  await checkHighlight(l, 0);
  assert.equal((await l.state()).unitSize, 40);
}));
