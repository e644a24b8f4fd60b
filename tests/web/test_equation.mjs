// 「式を表示」: the equation of the drawn line solved for y, in lowest terms,
// on the ten slots and two bars; read as one text; its numbers shown whole.
import assert from 'node:assert/strict';
import { test } from 'node:test';

import { inLesson, useBrowser } from './harness.mjs';

const browser = useBrowser();

// The equations typed, and the slots they must show (null: hidden), with the
// reduced fractions kept: slope num / den, intercept num / den.
const EQUATIONS = [
  // Sloped lines.
  { abc: ['2', '3', '6'], slots: ['ｙ＝', '－', null, ' 2', ' 3', 'ｘ', '＋', ' 2', null, null], after: [-2, 3, 2, 1] },
  { abc: ['1', '-2', '1'], slots: ['ｙ＝', null, null, ' 1', ' 2', 'ｘ', '－', null, ' 1', ' 2'], after: [1, 2, -1, 2] },
  { abc: ['1', '1', '1'], slots: ['ｙ＝', '－', null, null, null, 'ｘ', '＋', ' 1', null, null], after: [-1, 1, 1, 1] },
  { abc: ['-1', '1', '0'], slots: ['ｙ＝', null, null, null, null, 'ｘ', null, null, null, null], after: [1, 1, 0, 1] },
  { abc: ['2', '4', '-3'], slots: ['ｙ＝', '－', null, ' 1', ' 2', 'ｘ', '－', null, ' 3', ' 4'], after: [-1, 2, -3, 4] },
  { abc: ['-2', '1', '2'], slots: ['ｙ＝', null, ' 2', null, null, 'ｘ', '＋', ' 2', null, null], after: [2, 1, 2, 1] },
  { abc: ['15', '5', '-6'], slots: ['ｙ＝', '－', ' 3', null, null, 'ｘ', '－', null, ' 6', ' 5'], after: [-3, 1, -6, 5] },
  // Horizontal lines.
  { abc: ['0', '1', '0'], slots: ['ｙ＝', null, ' 0', null, null, null, null, null, null, null], after: [0, 1, 0, 1] },
  { abc: ['0', '1', '-5'], slots: ['ｙ＝', '－', ' 5', null, null, null, null, null, null, null], after: [0, 1, -5, 1] },
  { abc: ['0', '2', '3'], slots: ['ｙ＝', null, null, ' 3', ' 2', null, null, null, null, null], after: [0, 1, 3, 2] },
  { abc: ['0', '4', '-6'], slots: ['ｙ＝', '－', null, ' 3', ' 2', null, null, null, null, null], after: [0, 1, -3, 2] },
  // Decimals, full-width forms and blanks as a Japanese input method types them, one whole point only.
  { abc: ['0.2', '0.4', '0.1'], slots: ['ｙ＝', '－', null, ' 1', ' 2', 'ｘ', '＋', null, ' 1', ' 4'], after: [-1, 2, 1, 4] },
  { abc: ['２', '－４', '１'], slots: ['ｙ＝', null, null, ' 1', ' 2', 'ｘ', '－', null, ' 1', ' 4'], after: [1, 2, -1, 4] },
  { abc: ['1', '1 00', '.5e0'], slots: ['ｙ＝', '－', null, ' 1', ' 100', 'ｘ', '＋', null, ' 1', ' 200'], after: [-1, 100, 1, 200] },
];

// The slots as the page shows them, from the elements: caption where visible.
async function shownSlots(l) {
  return l.page.evaluate(() => [...Array(10).keys()].map((i) => {
    const el = document.querySelector(`[data-name="Label4(${i})"]`);
    return getComputedStyle(el).visibility === 'hidden' ? null : el.textContent;
  }));
}

for (const row of EQUATIONS) {
  test(`the equation of ${row.abc.join(', ')}`, inLesson(browser, async (l) => {
    await l.enter(...row.abc);
    await l.click('Command4(0)');
    await l.click('Command5');
    await l.click('Command6');
    const s = await l.state();
    assert.deepEqual(s.slots, row.slots);
    assert.deepEqual(await shownSlots(l), row.slots);
    assert.deepEqual(s.bars, [row.slots[3] !== null, row.slots[8] !== null]);
    assert.deepEqual([s.slopeNum.v, s.slopeDen.v, s.interceptNum.v, s.interceptDen], row.after);
    assert.equal(await l.focused(), 'Command2');
    assert.deepEqual(await l.shown(), []);
    // A second click shows the same and leaves the values as they are.
    const equation = await l.equation();
    await l.page.focus('[data-name="Command4(0)"]');
    await l.click('Command6');
    assert.equal(await l.equation(), equation);
    const again = await l.state();
    assert.deepEqual([again.slopeNum.v, again.slopeDen.v, again.interceptNum.v, again.interceptDen], row.after);
    assert.equal(await l.focused(), 'Command2');
  }));
}

// The equation shown is read as one text, as a Japanese reader says it; the
// plane's description tells it too; the reset empties it.
const READINGS = [
  { abc: ['2', '3', '6'], said: 'ｙ＝マイナス３分の２ｘプラス２' },
  { abc: ['1', '-2', '1'], said: 'ｙ＝２分の１ｘマイナス２分の１' },
  { abc: ['-1', '1', '0'], said: 'ｙ＝ｘ' },
  { abc: ['0', '3', '-5'], said: 'ｙ＝マイナス３分の５' },
];
for (const row of READINGS) {
  test(`the equation read as one: ${row.said}`, inLesson(browser, async (l) => {
    await l.enter(...row.abc);
    await l.click('Command4(0)');
    await l.click('Command5');
    assert.equal(await l.reading(), '');
    await l.click('Command6');
    assert.equal(await l.reading(), row.said);
    const role = await l.page.$eval('#form > .reading', (el) => [el.getAttribute('role'), el.getAttribute('aria-live')]);
    assert.deepEqual(role, ['status', 'polite']);
    assert.ok((await l.description()).includes(`直線の式は${row.said}`), await l.description());
    await l.click('Command2');
    assert.equal(await l.reading(), '');
  }));
}

// The equation's numbers shown whole: not cut off by their slot, nor covered
// by another slot's text; what fits stays at the layout's 20 points (27 pixels).
const FITS = [
  { abc: ['2', '3', '6'], shown: 'ｙ＝－( 2/ 3)ｘ＋ 2', shrunk: [] },
  { abc: ['100', '1', '0'], shown: 'ｙ＝－ 100ｘ', shrunk: [2] },
  { abc: ['123456', '1', '654321'], shown: 'ｙ＝－ 123456ｘ＋ 654321', shrunk: [2, 7] },
  { abc: ['1', '7', '12345'], shown: 'ｙ＝－( 1/ 7)ｘ＋( 12345/ 7)', shrunk: [8] },
];
for (const row of FITS) {
  test(`the numbers shown whole: ${row.shown}`, row.todo ? { todo: row.todo } : {}, inLesson(browser, async (l) => {
    await l.enter(...row.abc);
    await l.click('Command4(0)');
    await l.click('Command5');
    await l.click('Command6');
    assert.equal(await l.equation(), row.shown);
    // Each slot's box, and the ink of its text: where the text starts, plus
    // where its glyphs' ink begins and ends from there in the slot's font.
    const slots = await l.page.evaluate(() => {
      const measure = document.createElement('canvas').getContext('2d');
      return [...Array(10).keys()].map((i) => {
        const el = document.querySelector(`[data-name="Label4(${i})"]`);
        if (getComputedStyle(el).visibility === 'hidden' || !el.textContent) return null;
        const range = document.createRange();
        range.selectNodeContents(el);
        const start = range.getBoundingClientRect().left, box = el.getBoundingClientRect();
        measure.font = getComputedStyle(el).font;
        const m = measure.measureText(el.textContent);
        const lines = new Set([...range.getClientRects()].map((r) => r.top)).size;
        return { i, px: parseFloat(getComputedStyle(el).fontSize), lines,
          ink: [start - m.actualBoundingBoxLeft, start + m.actualBoundingBoxRight], box: [box.left, box.top, box.right, box.bottom] };
      }).filter(Boolean);
    });
    for (const slot of slots) {
      if (![2, 3, 4, 7, 8, 9].includes(slot.i)) continue;  // the numbers
      const where = `slot ${slot.i}: ink ${slot.ink.map(Math.round)}, slot ${slot.box}, ${slot.px} px`;
      assert.equal(slot.px < 27, row.shrunk.includes(slot.i), where);
      assert.equal(slot.lines, 1, `on one line: ${where}`);
      assert.ok(slot.ink[0] >= slot.box[0] - 1 && slot.ink[1] <= slot.box[2] + 1, `cut off: ${where}`);
      for (const other of slots) {
        if (other.i === slot.i) continue;
        const across = Math.min(slot.ink[1], other.box[2]) - Math.max(slot.ink[0], other.box[0]);
        const down = Math.min(slot.box[3], other.box[3]) - Math.max(slot.box[1], other.box[1]);
        assert.ok(across <= 0.5 || down <= 0.5, `${where} under slot ${other.i} at ${other.box}`);
      }
    }
  }));
}

// Typed into a box: the whole text in view, from its first character to its
// last, unless it is too long even at the least size; emptied, the box is as laid out.
const BOXES = [
  { typed: '2', shrunk: false, whole: true },
  { typed: '－０．５', shrunk: true, whole: true },
  { typed: '-12.5', shrunk: true, whole: true },
  { typed: '0.0625', shrunk: true, whole: true },
  { typed: '-123456789012345678901234567890', shrunk: true, whole: false },
];
test('numbers typed into a box are shown whole', inLesson(browser, async (l) => {
  const look = () => l.page.$eval('[data-name="Text1(0)"]', (el) => ({
    value: el.value, px: parseFloat(getComputedStyle(el).fontSize), whole: el.scrollWidth <= el.clientWidth }));
  const laidOut = (await look()).px;
  assert.equal(laidOut, 32);  // 24 points
  for (const row of BOXES) {
    await l.fill(0, row.typed);
    const box = await look();
    assert.equal(box.value, row.typed);
    assert.equal(box.px < laidOut, row.shrunk, `${row.typed} at ${box.px} px`);
    assert.ok(box.px >= 8);
    assert.equal(box.whole, row.whole, `${row.typed} at ${box.px} px`);
  }
  await l.fill(0, '');
  assert.equal((await look()).px, laidOut);
}));
