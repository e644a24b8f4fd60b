// The second lesson in the browser (system.html): two equations on one plane
// and where their lines meet, as a learner runs it. A problem by its link; the
// Enter chain a₁ → … → c₂ → 「点を打つ」; a table of systems through the four
// steps by the mouse and by the keys (a whole-number solution that both runs
// mark, fractional ones, parallel lines, one line twice, decimals read
// exactly), each checked as the page shows it: the marks on the plane, the two
// equations, the intersection or what the lesson says instead, and what a
// screen reader reads; the messages that name the equation; the plane drawn
// again with the intersection's ring after a size change and a drag by the
// mouse, a finger and a pen; the picture saved under both equations' name.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { test } from 'node:test';

import { Lesson, SYSTEM, SYSTEM_MESSAGES, SYSTEM_STATEMENTS, inSystem, useBrowser } from './harness.mjs';

const browser = useBrowser();

const STEPS = ['Command4(0)', 'Command4(1)', 'Command5', 'Command6'];
const { parallel: PARALLEL, same: SAME_LINE } = SYSTEM_STATEMENTS;
const { plot, cannotShow, pointTooLarge } = SYSTEM_MESSAGES;

// What the lesson shows beside the plane, as the page shows it: each equation
// and the intersection with a fraction as (upper/lower), "/" only where its
// bar is seen; the statement; the texts a screen reader reads.
async function seen(l) {
  return l.page.evaluate(() => {
    const byName = (n) => document.querySelector(`[data-name="${n}"]`);
    const visible = (el) => getComputedStyle(el).visibility !== 'hidden';
    const row = (label, line, offset, barOffset, order) => {
      const part = (i) => { const el = byName(`${label}(${offset + i})`); return visible(el) ? el.textContent : ''; };
      const bar = (b) => visible(byName(`${line}(${barOffset + b})`));
      return order.map((item) => {
        if (typeof item === 'number') return part(item);
        const [upper, lower, b] = item;
        if (!part(upper) && !part(lower) && !bar(b)) return '';
        return `(${part(upper)}${bar(b) ? '/' : ' '}${part(lower)})`;
      }).join('');
    };
    const equation = [0, 1, 2, [3, 4, 0], 5, 6, 7, [8, 9, 1]];
    const named = (e) => visible(byName(`Label8(${e})`)) ? byName(`Label8(${e})`).textContent : '';
    return {
      one: named(0) + row('Label4', 'Line1', 0, 0, equation),
      two: named(1) + row('Label4', 'Line1', 10, 2, equation),
      point: row('Label9', 'Line2', 0, 0, [0, 1, 2, [3, 4, 0], 5, 6, 7, [8, 9, 1], 10]),
      statement: visible(byName('Label10')) ? byName('Label10').textContent : '',
      readings: [...document.querySelectorAll('#form > .reading')].map((el) => el.textContent),
    };
  });
}

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

// The plane's place of the point (x, y) at this origin and unit.
const place = ([x, y], [ox, oy] = [300, 300], unit = 22) => [ox + unit * x, oy - unit * y];

// Whether a point both equations mark is ringed: black where the ring of
// radius 7 crosses the diagonals through it (dots and squares are smaller).
async function ringed(l, at, origin, unit) {
  const [X, Y] = place(at, origin, unit);
  for (const [dx, dy] of [[5, 5], [-5, -5], [5, -5], [-5, 5]])
    if ((await l.pixel(X + dx, Y + dy)).join() !== '0,0,0') return false;
  return true;
}

// Whether the intersection's magenta ring (radius 10) is around the point:
// magenta where it crosses the grid lines and axes through it.
async function marked(l, at, origin, unit) {
  const [X, Y] = place(at, origin, unit);
  for (const [dx, dy] of [[10, 0], [-10, 0], [0, 10], [0, -10]])
    if ((await l.pixel(X + dx, Y + dy)).join() !== '255,0,255') return false;
  return true;
}

// How many of the plane's pixels are magenta.
const magenta = (l) => l.page.evaluate(() => {
  const c = document.querySelector('[data-name="Picture1"]');
  const d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
  let n = 0;
  for (let i = 0; i < d.length; i += 4) if (d[i] === 255 && d[i + 1] === 0 && d[i + 2] === 255) ++n;
  return n;
});

// Systems through the whole lesson: the boxes; the points both runs mark,
// ringed after 「点を打つ」 and after 「さらに点を打つ」; the equations; the
// intersection (its place `at` too) or the statement; what is read.
const ONE_236 = '①ｙ＝－( 2/ 3)ｘ＋ 2';
const READ_236 = '①　ｙ＝マイナス３分の２ｘプラス２';
const SYSTEMS = [
  { name: 'a whole-number solution', boxes: ['2', '3', '6', '1', '-1', '-2'], rings: [[[0, 2]], [[0, 2]]],
    one: ONE_236, two: '②ｙ＝ｘ＋ 2', point: '（ｘ，ｙ）＝（ 0， 2）', at: [0, 2], meeting: [[0, 1], [2, 1]],
    readings: [READ_236, '②　ｙ＝ｘプラス２', '交点は、ｘ＝０、ｙ＝２'] },
  { name: 'a fractional solution', boxes: ['2', '3', '6', '1', '-1', '-3'], rings: [[], []],
    one: ONE_236, two: '②ｙ＝ｘ＋ 3', point: '（ｘ，ｙ）＝（－( 3/ 5)，( 12/ 5)）', at: [-3 / 5, 12 / 5],
    meeting: [[-3, 5], [12, 5]], readings: [READ_236, '②　ｙ＝ｘプラス３', '交点は、ｘ＝マイナス５分の３、ｙ＝５分の１２'] },
  // x a half: not one of 「点を打つ」's points, one of 「さらに点を打つ」's.
  { name: 'a solution at half a unit', boxes: ['1', '1', '1', '1', '-1', '0'], rings: [[], [[0.5, 0.5]]],
    one: '①ｙ＝－ｘ＋ 1', two: '②ｙ＝ｘ', point: '（ｘ，ｙ）＝（( 1/ 2)，( 1/ 2)）', at: [0.5, 0.5],
    meeting: [[1, 2], [1, 2]], readings: ['①　ｙ＝マイナスｘプラス１', '②　ｙ＝ｘ', '交点は、ｘ＝２分の１、ｙ＝２分の１'] },
  { name: 'parallel lines', boxes: ['2', '3', '6', '4', '6', '5'], rings: [[], []],
    one: ONE_236, two: '②ｙ＝－( 2/ 3)ｘ＋( 5/ 6)', statement: PARALLEL,
    readings: [READ_236, '②　ｙ＝マイナス３分の２ｘプラス６分の５', PARALLEL] },
  // Every point of ① is one of ②.
  { name: 'one line twice', boxes: ['2', '3', '6', '-4', '-6', '-12'], rings: [[[0, 2], [3, 0], [-3, 4]], [[0, 2], [3, 0], [1.5, 1]]],
    one: ONE_236, two: '②ｙ＝－( 2/ 3)ｘ＋ 2', statement: SAME_LINE, readings: [READ_236, '②　ｙ＝マイナス３分の２ｘプラス２', SAME_LINE] },
  // 0.1 + 0.2 is not 0.3 in floating point; the lesson reads the decimals as typed.
  { name: 'decimals read exactly', boxes: ['0.1', '0.2', '0.3', '１', '－１', '０'], rings: [[[1, 1]], [[1, 1]]],
    one: '①ｙ＝－( 1/ 2)ｘ＋( 3/ 2)', two: '②ｙ＝ｘ', point: '（ｘ，ｙ）＝（ 1， 1）', at: [1, 1], meeting: [[1, 1], [1, 1]],
    readings: ['①　ｙ＝マイナス２分の１ｘプラス２分の３', '②　ｙ＝ｘ', '交点は、ｘ＝１、ｙ＝１'] },
  { name: 'decimals, a fractional solution', boxes: ['0.5', '1.5', '-2', '.25', '-0.75', '0.1'], rings: [[], []],
    one: '①ｙ＝－( 1/ 3)ｘ－( 4/ 3)', two: '②ｙ＝( 1/ 3)ｘ－( 2/ 15)', point: '（ｘ，ｙ）＝（－( 9/ 5)，－( 11/ 15)）',
    at: [-9 / 5, -11 / 15], meeting: [[-9, 5], [-11, 15]],
    readings: ['①　ｙ＝マイナス３分の１ｘマイナス３分の４', '②　ｙ＝３分の１ｘマイナス１５分の２', '交点は、ｘ＝マイナス５分の９、ｙ＝マイナス１５分の１１'] },
];

// The whole lesson of a system: typed by clicks and pressed by clicks, or
// typed and led on by Enter and pressed by Enter where the focus goes.
async function throughSystem(l, row, how) {
  if (how === 'keys') {
    assert.equal(await l.focused(), 'Text1(0)');
    for (const text of row.boxes) {
      await l.type(text);
      await l.press('Enter');
    }
    assert.equal(await l.focused(), 'Command4(0)');
  } else {
    for (const [i, text] of row.boxes.entries()) await l.fill(i, text);
  }
  assert.deepEqual(await l.boxes(6), row.boxes);
  const then = ['Command4(1)', 'Command5', 'Command6', 'Command2'];
  for (const [k, step] of STEPS.entries()) {
    if (how === 'keys') await l.press('Enter'); else await l.click(step);
    assert.equal(await l.focused(), then[k], `the focus after ${step}`);
    if (k < 2) {
      // The points both equations mark, ringed; the intersection only where it is one of the run's points.
      for (const p of row.rings[k]) assert.ok(await ringed(l, p), `a ring at (${p}) after ${step}`);
      if (row.at && !row.rings[k].length) assert.equal(await ringed(l, row.at), false, `no ring at (${row.at}) after ${step}`);
    }
  }
}

for (const row of SYSTEMS) {
  for (const how of ['mouse', 'keys']) {
    test(`a system by the ${how}: ${row.name}`, inSystem(browser, async (l) => {
      await throughSystem(l, row, how);
      const v = await seen(l);
      assert.deepEqual([v.one, v.two], [row.one, row.two]);
      assert.equal(v.point, row.point || '');
      assert.equal(v.statement, row.statement || '');
      assert.deepEqual(v.readings, row.readings);
      assert.deepEqual(await outside(l), [], 'every caption seen whole');
      const s = await l.state();
      assert.deepEqual([s.pointsShown.v, s.morePointsShown.v, s.lineShown], [1, 1, 1]);
      // Each line named on the plane, once.
      assert.deepEqual(['①', '②'].map((n) => s.printed.filter(([t]) => t === n).length), [1, 1]);
      if (row.at) {
        assert.deepEqual([s.meeting.kind, s.meeting.x, s.meeting.y], ['point', ...row.meeting]);
        assert.ok(await marked(l, row.at), 'the intersection ringed in magenta');
        assert.match(await l.description(), /交点に印があります。/);
      } else {
        assert.equal(s.meeting.kind, row.statement === PARALLEL ? 'parallel' : 'same');
        assert.equal(await magenta(l), 0, 'no intersection ringed');
      }
      assert.deepEqual(await l.shown(), []);

      // 「初期画面」: all of it gone, the boxes empty, the plane as at the start.
      await l.press('Enter');
      assert.equal(await l.focused(), 'Text1(0)');
      assert.deepEqual(await l.boxes(6), Array(6).fill(''));
      assert.deepEqual(await seen(l), { one: '', two: '', point: '', statement: '', readings: ['', '', ''] });
      assert.deepEqual((await l.planeFaults(22, 300, 300)).faults, []);
      assert.deepEqual([await l.enabled('Command5'), await l.enabled('Command6')], [false, false]);
    }));
  }
}

// What a screen reader finds in the page's accessibility tree for the plane
// is what the plane shows: after a change that could not plot again, an
// empty plane; a ring only where the intersection is in view.
const LINES = '①の直線（赤）と②の直線（青）が引いてあります。', RING = '交点に印があります。';
const OUTSIDE = '交点は、いま見えている範囲の外にあります。';
const HEARD = [
  { name: 'the point outside the view', boxes: ['1', '-1', '0', '1', '1', '60'], said: [LINES, OUTSIDE], unsaid: [RING] },
  { name: 'b₁ = 0, then 小', boxes: ['2', '3', '6', '1', '-1', '-2'], then: true,
    said: ['点は打っていません。', '直線は引いていません。'], unsaid: [LINES, RING, OUTSIDE] },
];
for (const row of HEARD) {
  test(`the plane as a screen reader hears it: ${row.name}`, inSystem(browser, async (l) => {
    for (const [i, text] of row.boxes.entries()) await l.fill(i, text);
    for (const step of STEPS) await l.click(step);
    if (row.then) {
      await l.fill(1, '0');
      await l.click('Command3(0)');
      await l.closeMessage();
      assert.deepEqual((await l.state()).printed.filter(([t]) => t === '①' || t === '②'), []);
    }
    const tree = await l.page.accessibility.snapshot({ interestingOnly: false });
    const find = (node) => (node.description || '').includes('目もり') ? node : (node.children || []).map(find).find(Boolean);
    const heard = find(tree)?.description || '';
    for (const words of row.said) assert.ok(heard.includes(words), heard);
    for (const words of row.unsaid) assert.ok(!heard.includes(words), heard);
  }));
}

// A problem by its link: the six texts as given, the missing ones empty; the
// first lesson's names mean nothing here.
const LINKS = [
  { name: 'six numbers', query: '?a1=2&b1=3&c1=6&a2=1&b2=-1&c2=-2', boxes: ['2', '3', '6', '1', '-1', '-2'], focus: 'Command4(0)' },
  { name: 'only b₂', query: '?b2=5', boxes: ['', '', '', '', '5', ''], focus: 'Command4(0)' },
  { name: 'as typed, never markup', query: '?a1=%EF%BC%8D%EF%BC%93&c1=1/2&c2=%3Cb%3E', boxes: ['－３', '', '1/2', '', '', '<b>'], focus: 'Command4(0)' },
  { name: 'the first lesson\'s names', query: '?a=2&b=3&c=6', boxes: Array(6).fill(''), focus: 'Text1(0)' },
  { name: 'none', query: '', boxes: Array(6).fill(''), focus: 'Text1(0)' },
];
for (const row of LINKS) {
  test(`the second lesson by link: ${row.name}`, async () => {
    const l = await Lesson.open(browser(), {}, SYSTEM + row.query);
    try {
      assert.deepEqual(await l.boxes(6), row.boxes);
      assert.equal(await l.focused(), row.focus);
      assert.equal(await l.page.evaluate(() => !document.querySelector('#form b')), true);
      assert.match(await l.page.title(), /^連立方程式のグラフ/);
      if (row.name === 'six numbers') {
        await l.press('Enter');
        assert.equal((await l.state()).pointsShown.v, 1);
        assert.ok(await ringed(l, [0, 2]));
      }
    } finally {
      await l.close();
    }
  });
}

// Enter leads from box to box and on to 「点を打つ」, and only moves the focus:
// nothing is read, not even a b of 0.
test('Enter leads from a₁ to c₂ and on to 点を打つ', inSystem(browser, async (l) => {
  const order = [];
  for (const text of ['1', '0', '1', '1', '0', '1']) {
    order.push(await l.focused());
    await l.type(text);
    await l.press('Enter');
  }
  order.push(await l.focused());
  assert.deepEqual(order, ['Text1(0)', 'Text1(1)', 'Text1(2)', 'Text1(3)', 'Text1(4)', 'Text1(5)', 'Command4(0)']);
  assert.deepEqual(await l.shown(), []);
  assert.notEqual((await l.state()).pointsShown.v, 1);
}));

// A run that cannot plot names its equation (① first), selects the box to
// correct and changes nothing; on a fresh plane and after a whole lesson, by
// either plotting button.
const REFUSED = [
  { name: 'b = 0 in ②', boxes: ['2', '3', '6', '1', '0', '-2'], message: plot('②', 'bIsZero'), box: 4 },
  { name: 'numbers too large in ①', boxes: ['1e300', '3', '6', '1', '-1', '-2'], message: plot('①', 'tooLarge'), box: 0 },
  { name: 'c₂ too large', boxes: ['2', '3', '6', '1', '-1', '1e999'], message: plot('②', 'tooLarge'), box: 5 },
  { name: 'b too near 0 in ②', boxes: ['2', '3', '6', '1', '1e-40', '1'], message: plot('②', 'bNearZero'), box: 4 },
  { name: 'both cannot: ① is named', boxes: ['1', '0', '1', '', '', ''], message: plot('①', 'bIsZero'), box: 1 },
];
async function snapshot(l) {
  const s = await l.state();
  delete s.dragging;
  return { state: s, picture: await l.pictureDigest(), seen: await seen(l), boxes: await l.boxes(6),
    enabled: [await l.enabled('Command5'), await l.enabled('Command6')] };
}
for (const row of REFUSED) {
  test(`a run that cannot plot: ${row.name}`, inSystem(browser, async (l) => {
    for (const round of [0, 1]) {
      if (round === 1) await throughSystem(l, SYSTEMS[1], 'mouse');
      for (const [i, text] of row.boxes.entries()) await l.fill(i, text);
      for (const button of ['Command4(0)', 'Command4(1)']) {
        const before = await snapshot(l);
        const told = (await l.shown()).length;
        await l.click(button);
        assert.deepEqual((await l.shown()).slice(told), [row.message], `${button}, round ${round}`);
        await l.closeMessage('Enter');
        assert.deepEqual(await snapshot(l), before, 'nothing changed');
        assert.equal(await l.focused(), `Text1(${row.box})`);
        const [start, end, length] = await l.page.$eval(`[data-name="Text1(${row.box})"]`,
          (el) => [el.selectionStart, el.selectionEnd, el.value.length]);
        assert.deepEqual([start, end], [0, length], 'the whole text selected');
      }
    }
  }));
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

// A size change and a drag draw the plane again with everything shown on
// it, the intersection's ring at its new place: the same picture as the
// same lesson run on a plane already so.
test('a size change and a drag redraw everything, the ring with the intersection', async () => {
  const moved = await Lesson.open(browser(), {}, SYSTEM);
  const placed = await Lesson.open(browser(), {}, SYSTEM);
  try {
    const row = SYSTEMS[1];
    await throughSystem(moved, row, 'mouse');
    const before = await seen(moved);
    assert.ok(await marked(moved, row.at));
    await moved.click('Command3(0)');  // 小: 40 pixels a unit
    assert.ok(await marked(moved, row.at, [300, 300], 40), 'ringed at 小');
    assert.equal(await marked(moved, row.at), false, 'not at its place at 中');
    await moved.drag([[100, 100], [120, 95], [130, 90]]);
    assert.deepEqual(await moved.origin(), [330, 290]);
    assert.ok(await marked(moved, row.at, [330, 290], 40), 'ringed after the drag');
    assert.equal(await marked(moved, row.at, [300, 300], 40), false, 'not at its place before the drag');
    assert.deepEqual(await seen(moved), before, 'the equations and the intersection as they were');
    assert.deepEqual(await moved.shown(), []);

    await placed.click('Command3(0)');
    await placed.drag([[200, 200], [230, 190]]);
    await throughSystem(placed, row, 'mouse');
    assert.equal(await moved.pictureDigest(), await placed.pictureDigest());
    await moved.close();
    await placed.close();
  } finally {
    for (const l of [moved, placed]) if (!l.page.isClosed()) await l.page.close();
  }
});

// The same by a finger and by a pen, on a touch screen.
const POINTERS = [
  { name: 'a finger', drag: (l) => l.swipe([[300, 300], [280, 320], [260, 340]]), origin: [260, 340] },
  { name: 'a pen', origin: [330, 280], drag: async (l) => {
    for (const [type, x, y, held] of [['mousePressed', 100, 100, 1], ['mouseMoved', 120, 90, 1], ['mouseMoved', 130, 80, 1],
      ['mouseReleased', 130, 80, 0]]) {
      const p = await l.onPlane(x, y);
      await l.pen(type, p.x, p.y, held);
    }
  } },
];
for (const row of POINTERS) {
  test(`a drag by ${row.name} takes the intersection's ring along`, inSystem(browser, { touch: true, mobile: true }, async (l) => {
    const system = SYSTEMS[2];
    for (const [i, text] of system.boxes.entries()) await l.fill(i, text, 'tap');
    for (const step of STEPS) await l.tap(step);
    assert.ok(await marked(l, system.at));
    await row.drag(l);
    const s = await l.state();
    assert.deepEqual([s.originX.v, s.originY.v, s.dragging.v], [...row.origin, 0]);
    assert.ok(await marked(l, system.at, row.origin), 'ringed at its new place');
    assert.equal(await marked(l, system.at), false);
    assert.equal((await seen(l)).point, system.point);
  }));
}

// What is read and ringed goes with the intersection shown: with ② edited
// and plotted again after 「交点を求める」 (to another point, then to a line
// parallel to ①), then the plane dragged, the reading and the ring are those
// of the point on show, or there is none of either.
test('the reading and the ring stay with the intersection shown',
  inSystem(browser, async (l) => {
    await throughSystem(l, SYSTEMS[0], 'mouse');
    for (const c2 of ['-3', '5']) {
      await l.fill(5, c2);
      if (c2 === '5') await l.fill(4, '1.5');  // ② x + 1.5y = 5: parallel to ①
      await l.click('Command4(0)');
      await l.drag([[100, 100], [110, 100]]);
      const origin = await l.origin(), v = await seen(l);
      if (v.point) {
        assert.equal(v.point, SYSTEMS[0].point);
        assert.equal(v.readings[2], SYSTEMS[0].readings[2], `the reading with c₂ = ${c2}`);
        assert.ok(await marked(l, SYSTEMS[0].at, origin), `the ring with c₂ = ${c2}`);
      } else {
        assert.equal(v.readings[2], '');
        assert.equal(await magenta(l), 0);
      }
    }
  }));

// Ctrl+S on the plane saves it under the name of both equations.
test('Ctrl+S names the picture after both equations', inSystem(browser, async (l) => {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'lg-save-'));
  try {
    const cdp = await l.page.createCDPSession();
    await cdp.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: folder });
    await throughSystem(l, SYSTEMS[0], 'mouse');
    const { x, y } = await l.onPlane(590, 590);
    await l.page.mouse.click(x, y);
    assert.equal(await l.focused(), 'Picture1');
    await l.chord('Control', 's');
    const file = path.join(folder, '2x+3y=6,x-y=-2.png');
    for (let i = 0; i < 100 && !fs.existsSync(file); ++i) await new Promise((r) => setTimeout(r, 50));
    assert.deepEqual(fs.readdirSync(folder), [path.basename(file)]);
    const png = fs.readFileSync(file);
    assert.deepEqual([png.readUInt32BE(16), png.readUInt32BE(20)], [1200, 1200]);
    assert.deepEqual(await l.shown(), []);
  } finally {
    fs.rmSync(folder, { recursive: true, force: true });
  }
}));

// What a screen reader is told of the boxes and of the plane.
test('the six boxes are named after their equation', inSystem(browser, async (l) => {
  const names = await l.page.evaluate(() => [0, 1, 2, 3, 4, 5].map(
    (i) => document.querySelector(`[data-name="Text1(${i})"]`).getAttribute('aria-label')));
  assert.deepEqual(names, ['①のａの値', '①のｂの値', '①のｃの値', '②のａの値', '②のｂの値', '②のｃの値']);
  assert.match(await l.description(), /^１目もり22ピクセルの座標平面（中）。点は打っていません。直線は引いていません。$/);
}));
