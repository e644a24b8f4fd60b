// The lesson in the browser as a learner runs it: by the keyboard (the Enter
// chain a → b → c → 「点を打つ」, Enter or Space on each focused button), by
// the mouse, by touch and by a pen, from the disk and from a server; and the
// end of the lesson.
import assert from 'node:assert/strict';
import { test } from 'node:test';

import { Lesson, inLesson, serve, useBrowser } from './harness.mjs';

const browser = useBrowser();

const EQUATION_236 = 'ｙ＝－( 2/ 3)ｘ＋ 2';
const SLOTS_236 = ['ｙ＝', '－', null, ' 2', ' 3', 'ｘ', '＋', ' 2', null, null];
const READING_236 = 'ｙ＝マイナス３分の２ｘプラス２';

// The whole-number points of 2x + 3y = 6 (x = −38 … 38) whose dots show on a
// plane of 22 pixels a unit around (300, 300).
function pointsOf236() {
  const points = [];
  for (let x = -38; x <= 38; ++x) {
    if ((6 - 2 * x) % 3 !== 0) continue;
    const X = 300 + 22 * x, Y = 300 - 22 * ((6 - 2 * x) / 3);
    if (X + 4.5 >= 0 && X - 4.5 <= 600 && Y + 4.5 >= 0 && Y - 4.5 <= 600) points.push([X, Y]);
  }
  return points;
}

const dark = ([r, g, b]) => 0.299 * r + 0.587 * g + 0.114 * b < 80;
const red = ([r, g, b]) => r === 255 && g === 0 && b === 0;

// 2x + 3y = 6 through its three runs and its equation, each button pressed by
// `press`; checked after every step, and after 「初期画面」 back at the start.
async function lesson236(l, press) {
  const fresh = await l.pictureDigest();
  for (const [i, v] of ['2', '3', '6'].entries()) {
    await press(`Text1(${i})`);
    assert.equal(await l.focused(), `Text1(${i})`);
    await l.type(v);
  }
  assert.deepEqual(await l.boxes(), ['2', '3', '6']);
  assert.equal(await l.enabled('Command5'), false);
  assert.equal(await l.enabled('Command6'), false);

  await press('Command4(0)');
  let s = await l.state();
  assert.equal(s.pointsShown.v, 1);
  const points = pointsOf236();
  assert.equal(s.dotsShown, points.length);
  for (const [X, Y] of points) {
    if (X + 2 < 0 || X + 2 >= 600 || Y + 2 < 0 || Y + 2 >= 600) continue;
    assert.ok(dark(await l.pixel(X + 2, Y + 2)), `a dot at (${X}, ${Y})`);
  }
  assert.deepEqual([s.firstX.v, s.firstY.v, s.secondX.v, s.secondY.v], [-36, 26, -33, 24]);
  assert.equal(await l.enabled('Command5'), true);
  assert.equal(await l.focused(), 'Command4(1)');

  await press('Command4(1)');
  s = await l.state();
  assert.equal(s.morePointsShown.v, 1);
  assert.ok(s.dotsShown > points.length, 'the half-unit dots added to the whole-number ones');
  assert.equal(await l.focused(), 'Command5');

  await press('Command5');
  s = await l.state();
  assert.equal(s.lineShown, 1);
  // The red line y = 2 − 2x/3, in the plane's pixels.
  for (const X of [50, 150, 250, 350, 450, 550]) {
    const Y = Math.round(300 - 22 * (2 - (2 / 3) * ((X - 300) / 22)));
    for (const y of [Y - 1, Y, Y + 1]) assert.ok(red(await l.pixel(X, y)), `red line at (${X}, ${y})`);
  }
  assert.equal(await l.enabled('Command6'), true);
  assert.equal(await l.focused(), 'Command6');

  await press('Command6');
  s = await l.state();
  assert.deepEqual(s.slots, SLOTS_236);
  assert.deepEqual(s.bars, [true, false]);
  assert.deepEqual([s.slopeNum.v, s.slopeDen.v, s.interceptNum.v, s.interceptDen], [-2, 3, 2, 1]);
  assert.equal(await l.equation(), EQUATION_236);
  assert.equal(await l.reading(), READING_236);
  assert.equal(await l.focused(), 'Command2');
  assert.deepEqual(await l.shown(), []);

  await press('Command2');
  assert.equal(await l.focused(), 'Text1(0)');
  assert.deepEqual(await l.boxes(), ['', '', '']);
  assert.equal(await l.enabled('Command5'), false);
  assert.equal(await l.enabled('Command6'), false);
  assert.equal(await l.equation(), '');
  assert.equal(await l.reading(), '');
  assert.equal(await l.pictureDigest(), fresh, 'the plane as at the start');
  s = await l.state();
  assert.deepEqual([s.pointsShown.v, s.morePointsShown.v, s.lineShown, s.dotsShown], [0, 0, 0, 0]);
}

test('the lesson by the mouse', inLesson(browser, (l) => lesson236(l, (name) => l.click(name))));

test('the lesson by touch', inLesson(browser, { touch: true, mobile: true }, (l) => lesson236(l, (name) => l.tap(name))));

test('the lesson by a pen', inLesson(browser, { touch: true }, (l) => lesson236(l, (name) => l.penTap(name))));

test('the lesson served over HTTP', async () => {
  const server = await serve();
  const l = await Lesson.open(browser(), {}, server.url);
  try {
    await lesson236(l, (name) => l.click(name));
    await l.close();
  } finally {
    await server.close();
  }
});

// Enter leads from box a to b to c and on to 「点を打つ」 without pressing it;
// then Enter (or Space) on each focused button runs the lesson to its end.
for (const [key, label] of [['Enter', 'Enter'], ['Space', 'Space']]) {
  test(`the lesson by the keyboard, the buttons pressed by ${label}`, inLesson(browser, async (l) => {
    assert.equal(await l.focused(), 'Text1(0)');
    await l.type('1');
    await l.press('Enter');
    assert.equal(await l.focused(), 'Text1(1)');
    await l.type('3');
    await l.press('Enter');
    assert.equal(await l.focused(), 'Text1(2)');
    await l.type('1');
    await l.press('Enter');
    assert.equal(await l.focused(), 'Command4(0)');
    // Enter added nothing to the boxes and only moved the focus: the button
    // has not been pressed.
    assert.deepEqual(await l.boxes(), ['1', '3', '1']);
    let s = await l.state();
    assert.notEqual(s.pointsShown.v, 1, '「点を打つ」 pressed by the Enter that led to it');
    assert.equal(await l.enabled('Command5'), false);

    await l.press(key);  // 点を打つ
    s = await l.state();
    assert.equal(s.pointsShown.v, 1);
    assert.equal(await l.enabled('Command5'), true);
    assert.equal(await l.focused(), 'Command4(1)');

    await l.press(key);  // さらに点を打つ
    assert.equal((await l.state()).morePointsShown.v, 1);
    assert.equal(await l.focused(), 'Command5');

    await l.press(key);  // すべての点を打つ
    assert.equal((await l.state()).lineShown, 1);
    assert.equal(await l.enabled('Command6'), true);
    assert.equal(await l.focused(), 'Command6');

    await l.press(key);  // 式を表示
    assert.equal(await l.focused(), 'Command2');
    assert.equal(await l.equation(), 'ｙ＝－( 1/ 3)ｘ＋( 1/ 3)');
    assert.deepEqual(await l.shown(), []);

    await l.press(key);  // 初期画面: back to the start of the lesson
    assert.equal(await l.focused(), 'Text1(0)');
    assert.deepEqual(await l.boxes(), ['', '', '']);
    assert.equal(await l.enabled('Command5'), false);
    assert.equal(await l.enabled('Command6'), false);
    assert.equal(await l.equation(), '');
  }));
}

test('Enter moves on from an empty box, the keypad\'s Enter too', inLesson(browser, async (l) => {
  await l.press('Enter');
  assert.equal(await l.focused(), 'Text1(1)');
  await l.press('NumpadEnter');
  assert.equal(await l.focused(), 'Text1(2)');
  await l.press('Enter');
  assert.equal(await l.focused(), 'Command4(0)');
  assert.deepEqual(await l.boxes(), ['', '', '']);
  assert.deepEqual(await l.shown(), []);
}));

test('other keys reach the box; Tab follows the tab order', inLesson(browser, async (l) => {
  await l.type('-2.5x+/,E');
  assert.deepEqual(await l.boxes(), ['-2.5x+/,E', '', '']);
  assert.equal(await l.focused(), 'Text1(0)');
  await l.press('Backspace');
  assert.deepEqual(await l.boxes(), ['-2.5x+/,', '', '']);
  // The tab order of the layout; the disabled buttons are passed over.
  const order = [];
  for (let i = 0; i < 10; ++i) {
    await l.press('Tab');
    order.push(await l.focused());
  }
  assert.deepEqual(order, ['Command2', 'Command1', 'Picture1', 'Text1(1)', 'Command4(0)', 'Text1(2)', 'Command4(1)',
    'Command3(0)', 'Command3(1)', 'Command3(2)']);
  assert.deepEqual(await l.origin(), [300, 300]);
}));

// Typed through an input method: the Enter that ends a conversion is the
// input method's (the page sees key code 229) and stays in the box; the next
// Enter leads on, and the converted full-width digits are the numbers plotted.
test('the Enter that ends a conversion stays in the box', inLesson(browser, async (l) => {
  const cdp = await l.page.createCDPSession();
  const convert = async (text) => {
    await cdp.send('Input.imeSetComposition', { text, selectionStart: text.length, selectionEnd: text.length });
    await cdp.send('Input.dispatchKeyEvent', { type: 'rawKeyDown', windowsVirtualKeyCode: 229, key: 'Enter', code: 'Enter' });
    await cdp.send('Input.insertText', { text });
    await cdp.send('Input.dispatchKeyEvent', { type: 'keyUp', windowsVirtualKeyCode: 13, key: 'Enter', code: 'Enter' });
  };
  await convert('２');
  assert.equal(await l.focused(), 'Text1(0)');
  await l.press('Enter');
  assert.equal(await l.focused(), 'Text1(1)');
  await convert('３');
  assert.equal(await l.focused(), 'Text1(1)');
  await l.press('Enter');
  await convert('６');
  await l.press('Enter');
  assert.equal(await l.focused(), 'Command4(0)');
  assert.deepEqual(await l.boxes(), ['２', '３', '６']);
  await l.press('Enter');
  const s = await l.state();
  assert.deepEqual([s.firstX.v, s.firstY.v, s.secondX.v, s.secondY.v], [-36, 26, -33, 24]);
}));

// A held key repeats: a held Enter steps through the boxes as single presses
// do, but presses a button once per key press, never by its repeats.
test('a held Enter or Space presses a button once', inLesson(browser, async (l) => {
  await l.type('2');
  await l.press('Enter');
  await l.type('3');
  await l.press('Enter');
  await l.type('6');
  await l.hold('Enter', 45);  // about 1.5 s of repeats, from box c
  assert.equal(await l.focused(), 'Command4(0)');
  assert.notEqual((await l.state()).pointsShown.v, 1, '「点を打つ」 pressed by the Enter held in box c');
  assert.deepEqual(await l.boxes(), ['2', '3', '6']);

  await l.hold('Enter', 45);  // 点を打つ, once
  let s = await l.state();
  assert.equal(s.pointsShown.v, 1);
  assert.notEqual(s.morePointsShown.v, 1);
  assert.equal(await l.focused(), 'Command4(1)');
  await l.hold('Space', 45);  // さらに点を打つ, once
  s = await l.state();
  assert.equal(s.morePointsShown.v, 1);
  assert.equal(s.lineShown, 0);
  assert.equal(await l.focused(), 'Command5');
  assert.deepEqual(await l.shown(), []);
}));

// 「終　了」: the page cannot close a window it did not open, so the lesson
// ends on a screen of its own, from which it starts anew.
test('終了 ends the lesson; it starts anew from the end screen', inLesson(browser, async (l) => {
  await l.click('Command3(2)');
  await l.enter('1', '3', '1');
  await l.click('Command4(0)');
  await l.click('Command1');
  await l.page.waitForFunction(() => !document.getElementById('ended').hidden, { timeout: 5000 });
  assert.equal(await l.page.$eval('#stage', (el) => el.hidden), true);
  assert.equal(await l.focused(), 'again');
  await Promise.all([l.page.waitForNavigation(), l.press('Enter')]);
  await l.ready();
  const s = await l.state();
  assert.equal(s.unitSize, 22);
  assert.equal(s.pointsShown.v, 0);
  assert.deepEqual(await l.boxes(), ['', '', '']);
  assert.equal(await l.focused(), 'Text1(0)');
  assert.equal(await l.page.$eval('#ended', (el) => el.hidden), true);
}));

// The names assistive technology reads for the boxes and the plane.
test('the boxes and the plane are named', inLesson(browser, async (l) => {
  const names = await l.page.evaluate(() => ['Text1(0)', 'Text1(1)', 'Text1(2)', 'Picture1'].map(
    (n) => document.querySelector(`[data-name="${n}"]`).getAttribute('aria-label')));
  assert.deepEqual(names, ['ａの値', 'ｂの値', 'ｃの値', '座標平面']);
}));
