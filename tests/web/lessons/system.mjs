// The second lesson (system.html, two equations and where their lines meet)
// for the lessons' driver, test_lessons.mjs: its rows, and how to read what
// it shows (also for its own cases, test_system.mjs). The head of
// test_lessons.mjs says what each table holds.
import assert from 'node:assert/strict';

import { SYSTEM_MESSAGES, SYSTEM_STATEMENTS } from '../harness.mjs';

const { parallel: PARALLEL, same: SAME_LINE } = SYSTEM_STATEMENTS;
const { plot } = SYSTEM_MESSAGES;

// What the lesson shows beside the plane, as the page shows it: each equation
// and the intersection with a fraction as (upper/lower), "/" only where its
// bar is seen; the statement; the texts a screen reader reads.
export async function seen(l) {
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

// The plane's place of the point (x, y) at this origin and unit.
const place = ([x, y], [ox, oy] = [300, 300], unit = 22) => [ox + unit * x, oy - unit * y];

// Whether a point both equations mark is ringed: black where the ring of
// radius 7 crosses the diagonals through it (dots and squares are smaller).
export async function ringed(l, at, origin, unit) {
  const [X, Y] = place(at, origin, unit);
  for (const [dx, dy] of [[5, 5], [-5, -5], [5, -5], [-5, 5]])
    if ((await l.pixel(X + dx, Y + dy)).join() !== '0,0,0') return false;
  return true;
}

// Whether the intersection's magenta ring (radius 10) is around the point:
// magenta where it crosses the grid lines and axes through it.
export async function marked(l, at, origin, unit) {
  const [X, Y] = place(at, origin, unit);
  for (const [dx, dy] of [[10, 0], [-10, 0], [0, 10], [0, -10]])
    if ((await l.pixel(X + dx, Y + dy)).join() !== '255,0,255') return false;
  return true;
}

// How many of the plane's pixels are magenta.
export const magenta = (l) => l.page.evaluate(() => {
  const c = document.querySelector('[data-name="Picture1"]');
  const d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
  let n = 0;
  for (let i = 0; i < d.length; i += 4) if (d[i] === 255 && d[i + 1] === 0 && d[i + 2] === 255) ++n;
  return n;
});

// What each step shows of the row: after 「点を打つ」 and 「さらに点を打つ」 the
// points both equations mark, ringed (the intersection only where it is one
// of the run's points); after 「交点を求める」 the intersection ringed in
// magenta and told of, or no ring where there is none; each line named on
// the plane, once.
async function check(l, row, step) {
  if (step < 2) {
    for (const p of row.rings[step]) assert.ok(await ringed(l, p), `a ring at (${p})`);
    if (row.at && !row.rings[step].length) assert.equal(await ringed(l, row.at), false, `no ring at (${row.at})`);
  }
  if (step < 3) return;
  const s = await l.state();
  assert.deepEqual([s.pointsShown.v, s.morePointsShown.v, s.lineShown], [1, 1, 1]);
  assert.deepEqual(['①', '②'].map((n) => s.printed.filter(([t]) => t === n).length), [1, 1]);
  if (row.at) {
    assert.deepEqual([s.meeting.kind, s.meeting.x, s.meeting.y], ['point', ...row.meeting]);
    assert.ok(await marked(l, row.at), 'the intersection ringed in magenta');
    assert.match(await l.description(), /交点に印があります。/);
  } else {
    assert.equal(s.meeting.kind, row.seen.statement === PARALLEL ? 'parallel' : 'same');
    assert.equal(await magenta(l), 0, 'no intersection ringed');
  }
}

// Whether the row's intersection is ringed in magenta at this origin and unit.
const drawn = (l, row, origin, unit) => marked(l, row.at, origin, unit);

// What is seen of a system: its equations, the intersection or the
// statement, and what is read (the two equations, then the third text).
const system = (one, two, point, statement, readings) => ({ one, two, point, statement, readings });
export const ONE_236 = '①ｙ＝－( 2/ 3)ｘ＋ 2';
const READ_236 = '①　ｙ＝マイナス３分の２ｘプラス２';

// What a screen reader finds said of the plane.
const LINES = '①の直線（赤）と②の直線（青）が引いてあります。', RING = '交点に印があります。';
const OUTSIDE = '交点は、いま見えている範囲の外にあります。';

export default {
  seen,
  drawn,
  check,

  // Systems through the whole lesson: a whole-number solution that both runs
  // mark, fractional ones, parallel lines, one line twice, decimals read
  // exactly. rings: the points both runs mark, after each; at: the
  // intersection's place, meeting: its fractions.
  runs: [
    { name: 'a whole-number solution', boxes: ['2', '3', '6', '1', '-1', '-2'], ways: ['mouse', 'Enter'],
      rings: [[[0, 2]], [[0, 2]]], at: [0, 2], meeting: [[0, 1], [2, 1]],
      seen: system(ONE_236, '②ｙ＝ｘ＋ 2', '（ｘ，ｙ）＝（ 0， 2）', '', [READ_236, '②　ｙ＝ｘプラス２', '交点は、ｘ＝０、ｙ＝２']) },
    { name: 'a fractional solution', boxes: ['2', '3', '6', '1', '-1', '-3'], ways: ['mouse', 'Enter'],
      rings: [[], []], at: [-3 / 5, 12 / 5], meeting: [[-3, 5], [12, 5]],
      seen: system(ONE_236, '②ｙ＝ｘ＋ 3', '（ｘ，ｙ）＝（－( 3/ 5)，( 12/ 5)）', '',
        [READ_236, '②　ｙ＝ｘプラス３', '交点は、ｘ＝マイナス５分の３、ｙ＝５分の１２']) },
    // x a half: not one of 「点を打つ」's points, one of 「さらに点を打つ」's.
    { name: 'a solution at half a unit', boxes: ['1', '1', '1', '1', '-1', '0'], ways: ['mouse', 'Enter'],
      rings: [[], [[0.5, 0.5]]], at: [0.5, 0.5], meeting: [[1, 2], [1, 2]],
      seen: system('①ｙ＝－ｘ＋ 1', '②ｙ＝ｘ', '（ｘ，ｙ）＝（( 1/ 2)，( 1/ 2)）', '',
        ['①　ｙ＝マイナスｘプラス１', '②　ｙ＝ｘ', '交点は、ｘ＝２分の１、ｙ＝２分の１']) },
    { name: 'parallel lines', boxes: ['2', '3', '6', '4', '6', '5'], ways: ['mouse', 'Enter'], rings: [[], []],
      seen: system(ONE_236, '②ｙ＝－( 2/ 3)ｘ＋( 5/ 6)', '', PARALLEL,
        [READ_236, '②　ｙ＝マイナス３分の２ｘプラス６分の５', PARALLEL]) },
    // Every point of ① is one of ②.
    { name: 'one line twice', boxes: ['2', '3', '6', '-4', '-6', '-12'], ways: ['mouse', 'Enter'],
      rings: [[[0, 2], [3, 0], [-3, 4]], [[0, 2], [3, 0], [1.5, 1]]],
      seen: system(ONE_236, '②ｙ＝－( 2/ 3)ｘ＋ 2', '', SAME_LINE, [READ_236, '②　ｙ＝マイナス３分の２ｘプラス２', SAME_LINE]) },
    // 0.1 + 0.2 is not 0.3 in floating point; the lesson reads the decimals as typed.
    { name: 'decimals read exactly', boxes: ['0.1', '0.2', '0.3', '１', '－１', '０'], ways: ['mouse', 'Enter'],
      rings: [[[1, 1]], [[1, 1]]], at: [1, 1], meeting: [[1, 1], [1, 1]],
      seen: system('①ｙ＝－( 1/ 2)ｘ＋( 3/ 2)', '②ｙ＝ｘ', '（ｘ，ｙ）＝（ 1， 1）', '',
        ['①　ｙ＝マイナス２分の１ｘプラス２分の３', '②　ｙ＝ｘ', '交点は、ｘ＝１、ｙ＝１']) },
    { name: 'decimals, a fractional solution', boxes: ['0.5', '1.5', '-2', '.25', '-0.75', '0.1'], ways: ['mouse', 'Enter'],
      rings: [[], []], at: [-9 / 5, -11 / 15], meeting: [[-9, 5], [-11, 15]],
      seen: system('①ｙ＝－( 1/ 3)ｘ－( 4/ 3)', '②ｙ＝( 1/ 3)ｘ－( 2/ 15)', '（ｘ，ｙ）＝（－( 9/ 5)，－( 11/ 15)）', '',
        ['①　ｙ＝マイナス３分の１ｘマイナス３分の４', '②　ｙ＝３分の１ｘマイナス１５分の２', '交点は、ｘ＝マイナス５分の９、ｙ＝マイナス１５分の１１']) },
  ],

  links: [
    { name: 'six numbers', query: '?a1=2&b1=3&c1=6&a2=1&b2=-1&c2=-2', boxes: ['2', '3', '6', '1', '-1', '-2'],
      run: 'a whole-number solution' },
    { name: 'only b₂', query: '?b2=5', boxes: ['', '', '', '', '5', ''] },
    { name: 'as typed, never markup', query: '?a1=%EF%BC%8D%EF%BC%93&c1=1/2&c2=%3Cb%3E', boxes: ['－３', '', '1/2', '', '', '<b>'] },
  ],

  // Enter only moves the focus: nothing is read, not even a b of 0.
  chains: [{ name: 'b₁ and b₂ of 0', texts: ['1', '0', '1', '1', '0', '1'] }],

  // A run that cannot plot names its equation, ① first.
  refused: [
    { name: 'b = 0 in ②', boxes: ['2', '3', '6', '1', '0', '-2'], message: plot('②', 'bIsZero'), box: 4 },
    { name: 'numbers too large in ①', boxes: ['1e300', '3', '6', '1', '-1', '-2'], message: plot('①', 'tooLarge'), box: 0 },
    { name: 'c₂ too large', boxes: ['2', '3', '6', '1', '-1', '1e999'], message: plot('②', 'tooLarge'), box: 5 },
    { name: 'b too near 0 in ②', boxes: ['2', '3', '6', '1', '1e-40', '1'], message: plot('②', 'bNearZero'), box: 4 },
    { name: 'both cannot: ① is named', boxes: ['1', '0', '1', '', '', ''], message: plot('①', 'bIsZero'), box: 1 },
  ],

  redraws: [{ run: 'a fractional solution' }],
  pointers: [{ run: 'a solution at half a unit' }],

  saves: [{ modifier: 'Control', boxes: ['2', '3', '6', '1', '-1', '-2'], file: '2x+3y=6,x-y=-2.png' }],

  // After a change that could not plot again, an empty plane; a ring only
  // where the intersection is in view.
  heard: [
    { name: 'the point outside the view', boxes: ['1', '-1', '0', '1', '1', '60'], said: [LINES, OUTSIDE], unsaid: [RING] },
    { name: 'b₁ = 0, then 小', boxes: ['2', '3', '6', '1', '-1', '-2'], then: { box: 1, text: '0', size: 'Command3(0)', gone: ['①', '②'] },
      said: ['点は打っていません。', '直線は引いていません。'], unsaid: [LINES, RING, OUTSIDE] },
  ],
  names: ['①のａの値', '①のｂの値', '①のｃの値', '②のａの値', '②のｂの値', '②のｃの値'],
  description: '１目もり22ピクセルの座標平面（中）。点は打っていません。直線は引いていません。',
  tabs: null,
};
