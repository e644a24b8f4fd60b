// The form scaled as a whole to fit the browser's window (a projector, a
// large screen, a small one), centred: every control at its scaled place,
// the plane drawn at the scale, sharp, and the handlers still in the form's
// own pixels.
import assert from 'node:assert/strict';
import { test } from 'node:test';

import { PLACES, inLesson, useBrowser } from './harness.mjs';

const browser = useBrowser();

const VIEWS = [
  { name: 'twice the form', width: 1752, height: 1300, scale: 2, corner: [0, 0] },
  { name: 'wide, by its height', width: 1920, height: 1080, scale: 1080 / 650, corner: [(1920 - 876 * 1080 / 650) / 2, 0] },
  { name: 'tall, by its width', width: 876, height: 1000, scale: 1, corner: [0, 175] },
  { name: 'half the form', width: 438, height: 325, scale: 0.5, corner: [0, 0] },
];

const near = (a, b, what) => assert.ok(Math.abs(a - b) <= 0.5, `${what}: ${a}, expected ${b}`);

for (const view of VIEWS) {
  test(`the form at ${view.width} × ${view.height}: ${view.name}`, inLesson(browser, view, async (l) => {
    const rects = await l.page.evaluate((names) => Object.fromEntries(names.map((n) => {
      const r = document.querySelector(`[data-name="${n}"]`).getBoundingClientRect();
      return [n, [r.left, r.top, r.width, r.height]];
    })), Object.keys(PLACES));
    const s = view.scale, [cx, cy] = view.corner;
    for (const [name, [left, top, width, height]] of Object.entries(PLACES)) {
      const r = rects[name];
      near(r[0], cx + left * s, `${name} left`);
      near(r[1], cy + top * s, `${name} top`);
      near(r[2], width * s, `${name} width`);
      near(r[3], height * s, `${name} height`);
    }
    // The canvas holds a pixel of the screen for each of its pixels shown.
    const backing = await l.page.$eval('[data-name="Picture1"]', (c) => [c.width, c.height]);
    assert.deepEqual(backing, [Math.round(600 * s), Math.round(600 * s)]);
    // The handlers still see a plane of 600 × 600: a drag across it moves the
    // origin by the distance in the form's pixels.
    await l.drag([[100, 100], [150, 80]]);
    const [x, y] = await l.origin();
    near(x, 350, 'originX');
    near(y, 280, 'originY');
  }));
}

// At twice the form the grid is sharp: each line of the form is 2 × 2 device
// pixels, black, nothing blended.
test('the grid at twice the form', inLesson(browser, { width: 1752, height: 1300 }, async (l) => {
  for (const size of ['Command3(0)', 'Command3(2)']) {
    await l.click(size);
    const unit = size === 'Command3(0)' ? 40 : 14;
    const { faults, width } = await l.planeFaults(unit, 300, 300);
    assert.equal(width, 1200);
    assert.deepEqual(faults, []);
  }
}));

// A drag at the scale moves the plane by the distance in the form's pixels:
// 60 × −20 pixels of the screen are 30 × −10 of the form.
test('a drag at twice the form', inLesson(browser, { width: 1752, height: 1300 }, async (l) => {
  const plane = await l.page.$eval('[data-name="Picture1"]', (el) => { const r = el.getBoundingClientRect(); return [r.left, r.top]; });
  await l.page.mouse.move(plane[0] + 200, plane[1] + 200);
  await l.page.mouse.down();
  await l.page.mouse.move(plane[0] + 260, plane[1] + 180);
  await l.page.mouse.up();
  assert.deepEqual(await l.origin(), [330, 290]);
  const label = await l.page.$eval('[data-name="Label5(0)"]', (el) => el.getBoundingClientRect().left);
  assert.equal(label, 2 * 334);
}));

// A lesson drawn before the window grows is drawn again at the new scale:
// each pixel of the form is 2 × 2 pixels of the canvas, of about its colour.
test('the plane drawn again when the window grows', inLesson(browser, async (l) => {
  await l.enter('1', '3', '1');
  for (const name of ['Command4(0)', 'Command4(1)', 'Command5']) await l.click(name);
  const sample = () => l.page.evaluate(() => {
    const c = document.querySelector('[data-name="Picture1"]'), k = c.width / 600;
    const d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
    const out = [];
    for (let y = 0; y < 600; y += 7)
      for (let x = 0; x < 600; x += 7) {
        const i = (Math.floor((y + 0.5) * k) * c.width + Math.floor((x + 0.5) * k)) * 4;
        out.push([d[i], d[i + 1], d[i + 2]]);
      }
    return { width: c.width, out };
  });
  const small = await sample();
  assert.equal(small.width, 600);
  await l.page.setViewport({ width: 1752, height: 1300 });
  await l.page.waitForFunction(() => document.querySelector('[data-name="Picture1"]').width === 1200, { timeout: 5000 });
  const large = await sample();
  let far = 0;
  small.out.forEach((a, i) => {
    const b = large.out[i];
    if (Math.abs(a[0] - b[0]) + Math.abs(a[1] - b[1]) + Math.abs(a[2] - b[2]) > 192) ++far;
  });
  assert.ok(far < 60, `${far} of ${small.out.length} sampled pixels far from the unscaled picture`);
  assert.deepEqual((await l.state()).dotsShown > 0, true);
  assert.deepEqual(await l.shown(), []);
}));

// The fraction bars where the desktop paints them: 3 pixels thick around row
// 502, from column 736 to 768 (and from 824 to 856), both ends included.
for (const view of [VIEWS[2], VIEWS[0]]) {
  test(`the fraction bars at scale ${view.scale}`, inLesson(browser, view, async (l) => {
    await l.enter('1', '7', '12345');
    for (const name of ['Command4(0)', 'Command5', 'Command6']) await l.click(name);
    assert.deepEqual((await l.state()).bars, [true, true]);
    const s = view.scale, [cx, cy] = view.corner;
    for (const [name, left] of [['Line1(0)', 736], ['Line1(1)', 824]]) {
      const r = await l.page.$eval(`[data-name="${name}"]`, (el) => { const b = el.getBoundingClientRect(); return [b.left, b.top, b.width, b.height]; });
      const want = [cx + left * s, cy + 501 * s, 33 * s, 3 * s];
      r.forEach((v, i) => near(v, want[i], `${name} [${['left', 'top', 'width', 'height'][i]}]`));
    }
  }));
}
