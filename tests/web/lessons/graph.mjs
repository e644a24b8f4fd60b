// The first lesson (index.html, one equation a·x + b·y = c) for the lessons'
// driver, test_lessons.mjs: its rows, and how to read what it shows. The
// head of test_lessons.mjs says what each table holds.
import assert from 'node:assert/strict';

import { MESSAGES } from '../harness.mjs';

const dark = ([r, g, b]) => 0.299 * r + 0.587 * g + 0.114 * b < 80;
const red = ([r, g, b]) => r === 255 && g === 0 && b === 0;

// The whole-number points of a·x + b·y = c (x = −38 … 38) whose dots show on
// a plane of 22 pixels a unit around (300, 300), in the plane's pixels.
function dotsOf([a, b, c]) {
  const points = [];
  for (let x = -38; x <= 38; ++x) {
    const y = (c - a * x) / b;
    if (!Number.isInteger(y)) continue;
    const X = 300 + 22 * x, Y = 300 - 22 * y;
    if (X + 4.5 >= 0 && X - 4.5 <= 600 && Y + 4.5 >= 0 && Y - 4.5 <= 600) points.push([X, Y]);
  }
  return points;
}

// What the lesson shows beside the plane: the equation, a fraction as
// (upper/lower) with "/" only where its bar is seen, and its reading.
async function seen(l) {
  return { equation: await l.equation(), reading: await l.reading() };
}

// Whether the row's red line is on the plane at this origin and unit: three
// pixels across it red, where it crosses six columns of the plane.
async function drawn(l, row, [ox, oy] = [300, 300], unit = 22) {
  const [a, b, c] = row.boxes.map(Number);
  for (const X of [50, 150, 250, 350, 450, 550]) {
    const Y = Math.round(oy - unit * ((c - a * ((X - ox) / unit)) / b));
    if (Y < 2 || Y > 597) continue;
    for (const y of [Y - 1, Y, Y + 1]) if (!red(await l.pixel(X, y))) return false;
  }
  return true;
}

// What each step shows of the row, checked after it: the dots of the whole
// numbers and the first two points; more dots; the red line; the equation's
// slots, bars and fractions.
async function check(l, row, step) {
  const s = await l.state();
  const dots = dotsOf(row.boxes.map(Number));
  if (step === 0) {
    assert.equal(s.pointsShown.v, 1);
    assert.equal(s.dotsShown, dots.length);
    for (const [X, Y] of dots) {
      if (X + 2 < 0 || X + 2 >= 600 || Y + 2 < 0 || Y + 2 >= 600) continue;
      assert.ok(dark(await l.pixel(X + 2, Y + 2)), `a dot at (${X}, ${Y})`);
    }
    assert.deepEqual([s.firstX.v, s.firstY.v, s.secondX.v, s.secondY.v], row.first);
  } else if (step === 1) {
    assert.equal(s.morePointsShown.v, 1);
    assert.ok(s.dotsShown > dots.length, 'the half-unit dots added to the whole-number ones');
  } else if (step === 2) {
    assert.equal(s.lineShown, 1);
    assert.ok(await drawn(l, row), 'the red line');
  } else {
    assert.deepEqual(s.slots, row.slots);
    assert.deepEqual(s.bars, row.bars);
    assert.deepEqual([s.slopeNum.v, s.slopeDen.v, s.interceptNum.v, s.interceptDen], row.fractions);
  }
}

const EQUATION_236 = 'ｙ＝－( 2/ 3)ｘ＋ 2';
const READING_236 = 'ｙ＝マイナス３分の２ｘプラス２';

export default {
  seen,
  drawn,
  check,

  runs: [
    { name: '2x + 3y = 6', boxes: ['2', '3', '6'], ways: ['mouse', 'touch', 'pen', 'http'], first: [-36, 26, -33, 24],
      slots: ['ｙ＝', '－', null, ' 2', ' 3', 'ｘ', '＋', ' 2', null, null], bars: [true, false], fractions: [-2, 3, 2, 1],
      seen: { equation: EQUATION_236, reading: READING_236 } },
    { name: 'x + 3y = 1', boxes: ['1', '3', '1'], ways: ['Enter', 'Space'], first: [-38, 13, -35, 12],
      slots: ['ｙ＝', '－', null, ' 1', ' 3', 'ｘ', '＋', null, ' 1', ' 3'], bars: [true, true], fractions: [-1, 3, 1, 3],
      seen: { equation: 'ｙ＝－( 1/ 3)ｘ＋( 1/ 3)', reading: 'ｙ＝マイナス３分の１ｘプラス３分の１' } },
  ],

  links: [
    { name: 'three numbers', query: '?a=2&b=3&c=6', boxes: ['2', '3', '6'], run: '2x + 3y = 6' },
    { name: 'as typed: full width, a point, a slash', query: '?a=%EF%BC%8D%EF%BC%93&b=0.5&c=1/2', boxes: ['－３', '0.5', '1/2'] },
    { name: 'only b', query: '?b=-4', boxes: ['', '-4', ''] },
    { name: 'markup is text', query: '?a=%3Cimg%20src%3Dx%20onerror%3D%22window.hacked%3D1%22%3E&b=1&c=%22%3E%3Cb%3E',
      boxes: ['<img src=x onerror="window.hacked=1">', '1', '"><b>'] },
    { name: 'longer than a box holds', query: `?a=${'7'.repeat(40000)}&b=1&c=1`, boxes: ['7'.repeat(32767), '1', '1'] },
  ],

  chains: [],

  refused: [
    { name: 'b = 0', boxes: ['1', '0', '1'], box: 1, message: MESSAGES.bIsZero, close: 'click' },
    { name: '0x + 0y = 5', boxes: ['0', '0', '5'], box: 1, message: MESSAGES.bIsZero, close: 'Enter' },
    { name: 'all empty', boxes: ['', '', ''], box: 1, message: MESSAGES.bIsZero, close: 'Escape' },
    { name: 'full-width ０ for b', boxes: ['１', '０', '１'], box: 1, message: MESSAGES.bIsZero, close: 'Space' },
    { name: 'a = 1e300', boxes: ['1e300', '1', '1'], box: 0, message: MESSAGES.tooLarge, close: 'click' },
    { name: 'c = 1e999', boxes: ['1', '1', '1e999'], box: 2, message: MESSAGES.tooLarge, close: 'Enter' },
    { name: 'b = 1e-40', boxes: ['1', '1e-40', '1'], box: 1, message: MESSAGES.bNearZero, close: 'Escape' },
  ],

  redraws: [{ run: 'x + 3y = 1' }],
  pointers: [{ run: 'x + 3y = 1' }],

  saves: [
    { modifier: 'Control', boxes: ['2', '3', '6'], file: '2x+3y=6.png' },
    { modifier: 'Meta', boxes: ['－１', '１', '０．５'], file: '-x+y=0.5.png' },
  ],

  heard: [],
  names: ['ａの値', 'ｂの値', 'ｃの値'],
  description: '１目もり22ピクセルの座標平面（中）。点は打っていません。直線は引いていません。',
  // The tab order from the first box on, the disabled buttons passed over.
  tabs: ['Command2', 'Command1', 'Picture1', 'Text1(1)', 'Command4(0)', 'Text1(2)', 'Command4(1)',
    'Command3(0)', 'Command3(1)', 'Command3(2)'],
};
