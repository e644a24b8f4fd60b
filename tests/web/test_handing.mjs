// What leaves the lesson: the plane copied (Ctrl+C, ⌘C) to the clipboard,
// as a PNG twice as dense as the form, as the page shows it, with a message
// where the page may not write the clipboard. (A problem by link and the
// picture saved by Ctrl+S are every lesson's: test_lessons.mjs.)
import assert from 'node:assert/strict';
import { test } from 'node:test';

import { FIRST as page, Lesson, MESSAGES, serve, useBrowser } from './harness.mjs';

const browser = useBrowser();

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
