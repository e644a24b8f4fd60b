// What the learner is told, in the page's message, beyond a run that cannot
// plot (every lesson's: test_lessons.mjs): an equation too large to show; b
// set to 0 after plotting, found by a drag, a size or an arrow key, told once;
// and the message closed by a tap.
import assert from 'node:assert/strict';
import { test } from 'node:test';

import { MESSAGES, inLesson, useBrowser } from './harness.mjs';

const browser = useBrowser();

async function fullLesson(l, a = '1', b = '3', c = '1') {
  await l.enter(a, b, c);
  for (const name of ['Command4(0)', 'Command4(1)', 'Command5', 'Command6']) await l.click(name);
}

// The box to correct has the focus, its whole text selected.
async function correcting(l, box) {
  assert.equal(await l.focused(), `Text1(${box})`);
  const [start, end, length] = await l.page.$eval(`[data-name="Text1(${box})"]`,
    (el) => [el.selectionStart, el.selectionEnd, el.value.length]);
  assert.deepEqual([start, end], [0, length], 'the whole text selected');
}

// x + b·y = 1 and the like: plotted and drawn, but its equation's numbers are
// too large to show; the next line that fits is shown again.
const TOO_LARGE_TO_SHOW = [
  { name: 'b = 0.000123457', abc: ['1', '0.000123457', '1'], red: [322, 100] },
  { name: 'b of 20 digits', abc: ['1', '12345678901234567890', '1'], red: [100, 300] },
  { name: 'a of 20 digits', abc: ['12345678901234567890', '3', '1'], red: [300, 100] },
  { name: 'c of 20 digits', abc: ['1', '1', '12345678901234567890'], red: null },
];

for (const row of TOO_LARGE_TO_SHOW) {
  test(`an equation too large to show: ${row.name}`, inLesson(browser, async (l) => {
    await fullLesson(l);
    assert.notEqual(await l.equation(), '');
    await l.enter(...row.abc);
    await l.click('Command4(0)');
    await l.click('Command5');
    if (row.red) assert.deepEqual(await l.pixel(...row.red), [255, 0, 0], 'the line is drawn');
    assert.deepEqual(await l.shown(), []);
    await l.click('Command6');
    assert.deepEqual(await l.shown(), [MESSAGES.cannotShow]);
    await l.closeMessage('Enter');
    assert.equal(await l.equation(), '', 'nothing of the equation shown');
    const s = await l.state();
    assert.deepEqual(s.slots, Array(10).fill(null));
    assert.deepEqual(s.bars, [false, false]);
    assert.equal(await l.reading(), '');
    assert.equal(await l.focused(), 'Command2');

    await fullLesson(l);
    assert.equal(await l.equation(), 'ｙ＝－( 1/ 3)ｘ＋( 1/ 3)');
    assert.equal((await l.shown()).length, 1);
  }));
}

// b set to 0 after plotting: a drag or a size click tells the learner once;
// the plane is drawn afresh and nothing else changes; the next action tells again.
for (const by of ['drag', 'size click']) {
  test(`a replay that cannot plot, by a ${by}`, inLesson(browser, async (l) => {
    await fullLesson(l);
    await l.fill(1, '0');
    if (by === 'size click') {
      await l.click('Command3(2)');
      assert.equal((await l.state()).unitSize, 14);
      assert.equal(await l.messageOpen(), true);
    } else {
      const path = [[100, 100]];
      for (let i = 1; i <= 12; ++i) path.push([100 + 10 * i, 100]);
      await l.drag(path);
      assert.deepEqual(await l.origin(), [310, 300]);
    }
    assert.deepEqual(await l.shown(), [MESSAGES.bIsZero]);
    await l.closeMessage('click');
    await correcting(l, 1);
    const s = await l.state();
    assert.equal(s.dragging.v, 0);
    assert.deepEqual([s.pointsShown.v, s.morePointsShown.v, s.lineShown], [1, 1, 1]);
    assert.deepEqual([s.firstX.v, s.secondX.v, s.slopeNum.v, s.slopeDen.v], [-38, -35, -1, 3]);
    assert.deepEqual([await l.enabled('Command5'), await l.enabled('Command6')], [true, true]);
    // The plane was drawn afresh, without the dots and the line.
    const fresh = by === 'drag' ? [22, 310, 300] : [14, 300, 300];
    assert.deepEqual((await l.planeFaults(...fresh)).faults, []);

    if (by === 'size click') await l.click('Command3(0)');
    else await l.drag([[100, 100], [90, 100], [80, 100]]);
    assert.equal((await l.shown()).length, 2);
  }));
}

// An arrow key on the plane with b = 0: told once; the box to correct takes
// the next press, which tells nothing again.
test('an arrow key on the plane with b = 0 tells once', inLesson(browser, async (l) => {
  await l.enter('1', '3', '1');
  await l.click('Command4(0)');
  await l.fill(1, '0');
  await l.page.focus('[data-name="Picture1"]');
  await l.press('ArrowRight');
  assert.deepEqual(await l.shown(), [MESSAGES.bIsZero]);
  assert.deepEqual(await l.origin(), [322, 300]);
  await l.closeMessage('Enter');
  await correcting(l, 1);
  await l.press('ArrowRight');
  assert.equal((await l.shown()).length, 1);
  assert.deepEqual(await l.origin(), [322, 300]);
}));

// On a touch screen: the message closed by a tap on its button.
test('a message closed by a tap', inLesson(browser, { touch: true }, async (l) => {
  await l.enter('1', '0', '1', 'tap');
  await l.tap('Command4(1)');
  assert.deepEqual(await l.shown(), [MESSAGES.bIsZero]);
  await l.closeMessage('tap');
  await correcting(l, 1);
}));
