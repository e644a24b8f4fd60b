// The page where a class pushes it: a held Enter that opens a message, a
// drag whose pointer is lost, a paste as long as a box holds, numbers shrunk
// far in the equation's one-line slots.
import assert from 'node:assert/strict';
import { test } from 'node:test';

import { Lesson, MESSAGES, inLesson, serve, useBrowser } from './harness.mjs';

const browser = useBrowser();

// A message opened by a held Enter stays open: its button, like every
// button, is pressed once per key press, not by the key's repeats.
test('a held Enter opens a message and leaves it open', inLesson(browser, async (l) => {
  await l.enter('1', '0', '1');
  await l.press('Enter');
  assert.equal(await l.focused(), 'Command4(0)');
  await l.hold('Enter', 8);
  assert.deepEqual(await l.shown(), [MESSAGES.bIsZero]);
  assert.equal(await l.messageOpen(), true);
  assert.equal(await l.focused(), 'OK');
  await l.closeMessage('Enter');
  assert.equal(await l.focused(), 'Text1(1)');
}));

// A finger whose drag the plane lost (the browser let go of the pointer, and
// the finger was lifted away from the plane, where the plane cannot see it):
// the next finger drags as ever.
test('a drag whose pointer was lost leaves the plane to the next finger', inLesson(browser, { touch: true, mobile: true }, async (l) => {
  await l.page.evaluate(() => document.addEventListener('pointerdown', (e) => { window.lastPointer = e.pointerId; }, true));
  let at = await l.onPlane(100, 100);
  await l.page.touchscreen.touchStart(at.x, at.y);
  at = await l.onPlane(130, 100);
  await l.touchMove(at.x, at.y);
  await l.page.$eval('[data-name="Picture1"]', (el) => el.releasePointerCapture(window.lastPointer));
  const away = await l.centre('Command1');
  await l.touchMove(away.x, away.y);
  await l.page.touchscreen.touchEnd();
  assert.equal((await l.state()).dragging.v, 0, 'the drag is over');
  const [x0, y0] = await l.origin();
  await l.swipe([[200, 200], [220, 230]]);
  assert.deepEqual(await l.origin(), [x0 + 20, y0 + 30]);
}));

// A paste of as much as a box holds (in full-width digits, three bytes each
// in the program's text: larger than the program's stack) reaches the
// program whole; the lesson goes on.
test('a paste of 32,767 characters into a box', async () => {
  const server = await serve();
  await browser().defaultBrowserContext().overridePermissions(server.url,
    ['clipboard-read', 'clipboard-write', 'clipboard-sanitized-write']);
  const l = await Lesson.open(browser(), {}, server.url);
  try {
    const long = '７'.repeat(32767);
    await l.page.evaluate((text) => navigator.clipboard.writeText(text), long + '７７７');
    await l.click('Text1(0)');
    await l.chord('Control', 'v');
    assert.equal((await l.boxes())[0], long);
    await l.fill(1, '1');
    await l.fill(2, '1');
    await l.click('Command4(0)');
    assert.deepEqual(await l.shown(), [MESSAGES.tooLarge]);
    await l.closeMessage('Enter');
    assert.equal(await l.focused(), 'Text1(0)');
    await l.enter('2', '3', '6');
    for (const name of ['Command4(0)', 'Command4(1)', 'Command5', 'Command6']) await l.click(name);
    assert.equal(await l.equation(), 'ｙ＝－( 2/ 3)ｘ＋ 2');
  } finally {
    await l.close();
    await server.close();
  }
});

// Numbers shrunk far in the slots laid out one line high stay on one line,
// however low the shrunk number stands in them.
const SHRUNK = [['99999', '1', '99999'], ['7654321', '3', '7654321'], ['1234567.5', '7', '1234567.5']];
for (const abc of SHRUNK) {
  test(`the equation's numbers on one line: ${abc.join(', ')}`, inLesson(browser, async (l) => {
    await l.enter(...abc);
    for (const name of ['Command4(0)', 'Command5', 'Command6']) await l.click(name);
    const lines = await l.page.$$eval('[data-name^="Label4("]', (slots) => slots
      .filter((el) => getComputedStyle(el).visibility !== 'hidden' && /[0-9]/.test(el.textContent))
      .map((el) => {
        const range = document.createRange();
        range.selectNodeContents(el);
        return `${el.dataset.name} ${new Set([...range.getClientRects()].map((r) => Math.round(r.top))).size}`;
      }));
    assert.ok(lines.length >= 2, 'numbers shown');
    assert.deepEqual(lines.filter((line) => !line.endsWith(' 1')), []);
  }));
}
