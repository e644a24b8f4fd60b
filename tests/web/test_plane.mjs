// The plane's pixels in the canvas, at a screen density of 1 and of 2: the
// background RGB(255, 255, 192), the axes 3 pixels of the form wide and the
// grid lines 1, black, exactly at origin + k·unit, whole device pixels
// (nothing blended), at the three sizes and wherever the plane was dragged;
// texts drawn at the screen's own density.
import assert from 'node:assert/strict';
import { test } from 'node:test';

import { SIZES, inLesson, useBrowser } from './harness.mjs';

const browser = useBrowser();

for (const dpr of [1, 2]) {
  for (const size of SIZES) {
    test(`density ${dpr}: the grid at ${size.unit} pixels a unit`, inLesson(browser, { dpr }, async (l) => {
      await l.click(size.button);
      const { faults, checked, width, height } = await l.planeFaults(size.unit, 300, 300);
      assert.deepEqual([width, height], [600 * dpr, 600 * dpr]);
      assert.deepEqual(faults, []);
      assert.ok(checked > 0.8 * width * height, `only ${checked} pixels away from the texts`);
    }));
  }

  // Dragged (to (400, 250) at 22, and to the corner (60, 540) at 14): the
  // lines at the new origin, none left where they were.
  for (const [unit, button, path, origin] of [
    [22, 'Command3(1)', [[100, 100], [200, 50]], [400, 250]],
    [14, 'Command3(2)', [[300, 300], [0, 599], [-10, 610]], [60, 540]],
  ]) {
    test(`density ${dpr}: the grid at ${unit} dragged to (${origin})`, inLesson(browser, { dpr }, async (l) => {
      await l.click(button);
      await l.drag(path);
      assert.deepEqual(await l.origin(), origin);
      assert.deepEqual((await l.planeFaults(unit, ...origin)).faults, []);
    }));
  }
}

// A number of the scale is whole or not there, beside its grid line: at each
// size, with a grid line just inside each edge (the plane dragged there), at
// densities 1 and 2.
for (const dpr of [1, 2]) {
  for (const size of SIZES) {
    const step = (size.unit === 40 ? 2 : 5) * size.unit;
    for (const [ox, oy] of [[300, 300], [1 + step, 1 + step], [5 + step, 599 - step], [595 - step, 3 + step], [599 - step, 597 - step]]) {
      test(`density ${dpr}: the numbers at ${size.unit} with the origin at (${ox}, ${oy})`, inLesson(browser, { dpr }, async (l) => {
        await l.click(size.button);
        if (ox !== 300 || oy !== 300) await l.drag([[300, 300], [ox, oy]]);
        assert.deepEqual(await l.origin(), [ox, oy]);
        assert.deepEqual(await l.numberFaults(size.unit, ox, oy), []);
        assert.deepEqual((await l.planeFaults(size.unit, ox, oy)).faults, []);
      }));
    }
  }
}

// The origin mark 「Ｏ」, drawn at (280, 298): at density 2 its ink has smooth
// (grey) edges at the device's own pixels, not doubled pixels, which would
// come in 2 × 2 blocks.
test('density 2: texts at the device\'s resolution', inLesson(browser, { dpr: 2 }, async (l) => {
  const { ink, greys, oddEdge } = await l.page.evaluate(() => {
    const c = document.querySelector('[data-name="Picture1"]');
    const d = c.getContext('2d').getImageData(2 * 280, 2 * 298, 2 * 20, 2 * 34);
    const grey = (x, y) => { const i = (y * d.width + x) * 4; return 0.299 * d.data[i] + 0.587 * d.data[i + 1] + 0.114 * d.data[i + 2]; };
    let ink = 0, greys = 0, oddEdge = false;
    for (let y = 0; y < d.height; ++y)
      for (let x = 0; x < d.width; ++x) {
        const g = grey(x, y);
        // Ink away from the x axis (form rows 299 … 301).
        if (g < 128 && (y < 2 || y > 7)) ++ink;
        if (g > 40 && g < 200) ++greys;
      }
    for (let y = 0; y + 1 < d.height && !oddEdge; y += 2)
      for (let x = 0; x + 1 < d.width && !oddEdge; x += 2)
        oddEdge = grey(x, y) !== grey(x + 1, y) || grey(x, y) !== grey(x, y + 1);
    return { ink, greys, oddEdge };
  });
  assert.ok(ink > 40, `the mark's ink: ${ink} device pixels`);
  assert.ok(greys > 10, 'smoothed edges');
  assert.ok(oddEdge, 'drawn at the device\'s pixels, not doubled');
}));

// The dots and the line at density 2: the point (1, 0) of x + 3y = 1 is a dot
// around form pixel (322, 300), dark 2 pixels off its centre and background 4
// off; the red line passes (0, 1/3), at form (300, 292.67).
test('density 2: the dots and the line', inLesson(browser, { dpr: 2 }, async (l) => {
  await l.enter('1', '3', '1');
  await l.click('Command4(0)');
  const device = (X, Y) => l.page.evaluate((X, Y) => {
    const d = document.querySelector('[data-name="Picture1"]').getContext('2d').getImageData(X, Y, 1, 1).data;
    return [d[0], d[1], d[2]];
  }, X, Y);
  const [r, g, b] = await device(2 * 324 + 1, 2 * 298 + 1);
  assert.ok(0.299 * r + 0.587 * g + 0.114 * b < 60, `dark: rgb(${r}, ${g}, ${b})`);
  assert.deepEqual(await device(2 * 326 + 1, 2 * 296 + 1), [255, 255, 192]);
  await l.click('Command5');
  assert.deepEqual(await device(2 * 300 + 1, 586), [255, 0, 0]);
}));

// Moved to a screen of another density (a window dragged to a projector) in
// a window of the same size: the page hears of it only from the media query
// of its resolution, with no resize, and makes the plane again at each new
// density, as sharp, where it was dragged. (The browser's emulation changes
// the density without re-evaluating the media queries, as a browser does
// when the density changes; an emulated media feature changed and put back
// makes it do so.)
test('the plane made again when the density changes', inLesson(browser, async (l) => {
  await l.click('Command3(2)');
  await l.drag([[100, 100], [150, 60]]);
  const cdp = await l.page.createCDPSession();
  await l.page.evaluate(() => {
    window.__lgResized = 0;
    window.addEventListener('resize', () => { ++window.__lgResized; });
  });
  for (const dpr of [2, 3, 1]) {
    await cdp.send('Emulation.setDeviceMetricsOverride', { width: 876, height: 650, deviceScaleFactor: dpr, mobile: false });
    await cdp.send('Emulation.setEmulatedMedia', { features: [{ name: 'prefers-reduced-motion', value: 'reduce' }] });
    await cdp.send('Emulation.setEmulatedMedia', { features: [] });
    await l.page.waitForFunction((w) => document.querySelector('[data-name="Picture1"]').width === w,
      { timeout: 5000 }, 600 * dpr);
    assert.deepEqual((await l.planeFaults(14, 350, 260)).faults, [], `at density ${dpr}`);
  }
  assert.equal(await l.page.evaluate(() => window.__lgResized), 0, 'no resize told the page');
}));
