// The second lesson in the browser (system.html): what is its own beyond
// what every lesson does (test_lessons.mjs, with lessons/system.mjs, runs it
// through its steps, links, messages, drags, picture and readings). Here:
// 「交点を求める」 with numbers too large to show, its messages one after the
// other; and what is read and ringed staying with the intersection shown
// while ② is edited and plotted again.
import assert from 'node:assert/strict';
import { test } from 'node:test';

import { SYSTEM_MESSAGES, inSystem, useBrowser } from './harness.mjs';
import table, { ONE_236, magenta, marked, seen } from './lessons/system.mjs';

const browser = useBrowser();

const STEPS = ['Command4(0)', 'Command4(1)', 'Command5', 'Command6'];
const { cannotShow, pointTooLarge } = SYSTEM_MESSAGES;
const WHOLE = table.runs[0];

// The steps of a system by the mouse.
async function throughSystem(l, row) {
  for (const [i, text] of row.boxes.entries()) await l.fill(i, text);
  for (const step of STEPS) await l.click(step);
}

// 「交点を求める」 with numbers it cannot show: the message(s), one after the
// other, and what is shown all the same.
const NOT_SHOWN = [
  { name: 'the intersection', boxes: ['1', '1', '123456789', '1', '-1', '0'], told: [pointTooLarge],
    one: '①ｙ＝－ｘ＋ 123456789', two: '②ｙ＝ｘ', point: '' },
  { name: 'equation ②', boxes: ['0', '1', '0', '1', '0.000123457', '1'], told: [cannotShow('②')],
    one: '①ｙ＝ 0', two: '', point: '（ｘ，ｙ）＝（ 1， 0）' },
  { name: 'equation ② and the intersection', boxes: ['2', '3', '6', '1', '0.000123457', '1'],
    told: [cannotShow('②'), pointTooLarge], one: ONE_236, two: '', point: '' },
];
for (const row of NOT_SHOWN) {
  test(`too large to show: ${row.name}`, inSystem(browser, async (l) => {
    for (const [i, text] of row.boxes.entries()) await l.fill(i, text);
    for (const step of STEPS.slice(0, 3)) await l.click(step);
    assert.deepEqual(await l.shown(), []);
    await l.click('Command6');
    for (const [k, message] of row.told.entries()) {
      assert.deepEqual(await l.shown(), row.told.slice(0, k + 1));
      await l.closeMessage('Enter');
    }
    assert.equal(await l.messageOpen(), false);
    const v = await seen(l);
    assert.deepEqual([v.one, v.two, v.point, v.statement], [row.one, row.two, row.point, '']);
    assert.equal(await l.focused(), 'Command2');
  }));
}

// What is read and ringed goes with the intersection shown: with ② edited
// and plotted again after 「交点を求める」 (to another point, then to a line
// parallel to ①), then the plane dragged, the reading and the ring are those
// of the point on show, or there is none of either.
test('the reading and the ring stay with the intersection shown',
  inSystem(browser, async (l) => {
    await throughSystem(l, WHOLE);
    for (const c2 of ['-3', '5']) {
      await l.fill(5, c2);
      if (c2 === '5') await l.fill(4, '1.5');  // ② x + 1.5y = 5: parallel to ①
      await l.click('Command4(0)');
      await l.drag([[100, 100], [110, 100]]);
      const origin = await l.origin(), v = await seen(l);
      if (v.point) {
        assert.equal(v.point, WHOLE.seen.point);
        assert.equal(v.readings[2], WHOLE.seen.readings[2], `the reading with c₂ = ${c2}`);
        assert.ok(await marked(l, WHOLE.at, origin), `the ring with c₂ = ${c2}`);
      } else {
        assert.equal(v.readings[2], '');
        assert.equal(await magenta(l), 0);
      }
    }
  }));
