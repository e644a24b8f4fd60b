// What reaches the lesson from its address and what leaves it: a problem in
// the link (index.html?a=2&b=3&c=6) typed into the boxes with the focus on
// 「点を打つ」, never run as markup; and the plane copied (Ctrl+C, ⌘C) to the
// clipboard or saved (Ctrl+S, ⌘S) as a download, as a PNG twice as dense as
// the form, with a message where the page may not write the clipboard.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { test } from 'node:test';
import { pathToFileURL } from 'node:url';

import { Lesson, MESSAGES, SITE, serve, useBrowser } from './harness.mjs';

const browser = useBrowser();
const page = pathToFileURL(path.join(SITE, 'index.html')).href;

// A case on the lesson opened at this address (and view), closed after it.
function at(url, view, body) {
  return async () => {
    const l = await Lesson.open(browser(), view, url);
    try {
      await body(l);
    } finally {
      await l.close();
    }
  };
}

const LINKS = [
  { name: 'three numbers', query: '?a=2&b=3&c=6', boxes: ['2', '3', '6'] },
  { name: 'as typed: full width, a point, a slash', query: '?a=%EF%BC%8D%EF%BC%93&b=0.5&c=1/2', boxes: ['－３', '0.5', '1/2'] },
  { name: 'only b', query: '?b=-4', boxes: ['', '-4', ''] },
  { name: 'markup is text', query: '?a=%3Cimg%20src%3Dx%20onerror%3D%22window.hacked%3D1%22%3E&b=1&c=%22%3E%3Cb%3E', boxes: ['<img src=x onerror="window.hacked=1">', '1', '"><b>'] },
  { name: 'longer than a box holds', query: `?a=${'7'.repeat(40000)}&b=1&c=1`, boxes: ['7'.repeat(32767), '1', '1'] },
];

for (const row of LINKS) {
  test(`a problem by link: ${row.name}`, at(page + row.query, {}, async (l) => {
    assert.deepEqual(await l.boxes(), row.boxes);
    assert.equal(await l.focused(), 'Command4(0)');
    assert.equal(await l.page.evaluate(() => window.hacked === undefined && !document.querySelector('img, b')), true);
    // Enter begins: the run reads the boxes as they stand.
    await l.press('Enter');
    const s = await l.state();
    assert.equal(s.pointsShown.v === 1 || (await l.shown()).length === 1, true, 'plotted, or told why not');
    if (s.pointsShown.v === 1) assert.equal(await l.focused(), 'Command4(1)');
  }));
}

test('without a problem the lesson starts as ever', at(page, {}, async (l) => {
  assert.deepEqual(await l.boxes(), ['', '', '']);
  assert.equal(await l.focused(), 'Text1(0)');
}));

// The whole lesson of 2x + 3y = 6, then the plane focused by a press on it.
async function lessonOnPlane(l) {
  await l.enter('2', '3', '6');
  for (const name of ['Command4(0)', 'Command4(1)', 'Command5', 'Command6']) await l.click(name);
  const { x, y } = await l.onPlane(590, 590);
  await l.page.mouse.click(x, y);
  assert.equal(await l.focused(), 'Picture1');
}

// The pixels of a PNG as the page decodes them, digested as pictureDigest digests the canvas.
async function digestOfPng(l, bytes) {
  return l.page.evaluate(async (b64) => {
    const blob = await (await fetch(`data:image/png;base64,${b64}`)).blob();
    const image = await createImageBitmap(blob);
    const c = new OffscreenCanvas(image.width, image.height);
    const x = c.getContext('2d');
    x.drawImage(image, 0, 0);
    const h = await crypto.subtle.digest('SHA-256', x.getImageData(0, 0, c.width, c.height).data);
    return `${c.width}x${c.height}:` + [...new Uint8Array(h)].map((v) => v.toString(16).padStart(2, '0')).join('');
  }, Buffer.from(bytes).toString('base64'));
}

// The plane of the same lesson as a page twice as dense shows it.
async function shownAtTwice() {
  const l = await Lesson.open(browser(), { dpr: 2 }, page);
  try {
    await lessonOnPlane(l);
    return await l.pictureDigest();
  } finally {
    await l.close();
  }
}

test('Ctrl+C and ⌘C copy the plane, at twice the form, as the page shows it', async () => {
  const server = await serve();
  try {
    await browser().defaultBrowserContext().overridePermissions(server.url,
      ['clipboard-read', 'clipboard-write', 'clipboard-sanitized-write']);
    const want = await shownAtTwice();
    for (const modifier of ['Control', 'Meta']) {
      const l = await Lesson.open(browser(), {}, server.url);
      try {
        await lessonOnPlane(l);
        await l.page.evaluate(() => navigator.clipboard.writeText(''));
        const before = { picture: await l.pictureDigest(), state: await l.state() };
        await l.chord(modifier, 'c');
        // (The browser writes the clipboard a moment after the key.)
        const copied = await l.page.evaluate(async () => {
          for (let i = 0; i < 100; ++i) {
            const [item] = await navigator.clipboard.read();
            if (item && item.types.includes('image/png'))
              return [...new Uint8Array(await (await item.getType('image/png')).arrayBuffer())];
            await new Promise((r) => setTimeout(r, 50));
          }
          return [];
        });
        assert.equal(await digestOfPng(l, copied), want, modifier);
        assert.deepEqual({ picture: await l.pictureDigest(), state: await l.state() }, before, 'nothing else changed');
        assert.equal(await l.focused(), 'Picture1');
        assert.deepEqual(await l.shown(), []);
      } finally {
        await l.close();
      }
    }
  } finally {
    await server.close();
  }
});

// Where the page may not write the clipboard: told once, nothing else
// changes, the focus back on the plane once the message is closed.
const REFUSALS = [
  { name: 'no clipboard (an older browser, a page not served securely)',
    setUp: () => Object.defineProperty(navigator, 'clipboard', { value: undefined }) },
  { name: 'the browser says no',
    setUp: () => { navigator.clipboard.write = () => Promise.reject(new DOMException('denied', 'NotAllowedError')); } },
];

for (const row of REFUSALS) {
  test(`a copy refused: ${row.name}`, async () => {
    const l = await Lesson.open(browser(), {}, page);
    await l.page.evaluate(row.setUp);
    try {
      await lessonOnPlane(l);
      const before = { picture: await l.pictureDigest(), state: await l.state() };
      await l.chord('Control', 'c');
      await l.page.waitForFunction(() => window.__lgShown.length > 0);
      assert.deepEqual(await l.shown(), [MESSAGES.notCopied]);
      await l.closeMessage('Enter');
      assert.equal(await l.focused(), 'Picture1');
      assert.deepEqual({ picture: await l.pictureDigest(), state: await l.state() }, before);
    } finally {
      await l.close();
    }
  });
}

// Ctrl+S downloads the picture, named after the equation typed; the page
// (its own Save Page) does nothing else.
const SAVES = [
  { modifier: 'Control', abc: ['2', '3', '6'], name: '2x+3y=6.png' },
  { modifier: 'Meta', abc: ['－１', '１', '０．５'], name: '-x+y=0.5.png' },
];

for (const row of SAVES) {
  test(`a save by ${row.modifier}+S: ${row.name}`, async () => {
    const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'lg-save-'));
    const l = await Lesson.open(browser(), {}, page);
    try {
      const cdp = await l.page.createCDPSession();
      await cdp.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: folder });
      await lessonOnPlane(l);
      await l.enter(...row.abc);
      const { x, y } = await l.onPlane(590, 590);
      await l.page.mouse.click(x, y);
      await l.chord(row.modifier, 's');
      const file = path.join(folder, row.name);
      for (let i = 0; i < 100 && !fs.existsSync(file); ++i) await new Promise((r) => setTimeout(r, 50));
      assert.deepEqual(fs.readdirSync(folder), [row.name]);
      const png = fs.readFileSync(file);
      assert.deepEqual([png.readUInt32BE(16), png.readUInt32BE(20)], [1200, 1200], 'its width and height');
      assert.deepEqual(await l.shown(), []);
      assert.equal(await l.focused(), 'Picture1');
    } finally {
      await l.close();
      fs.rmSync(folder, { recursive: true, force: true });
    }
  });
}
