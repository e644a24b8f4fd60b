// Where the browser cannot run the lesson, the page says what it needs
// instead: without WebAssembly, without WebAssembly's exceptions (as on
// iPadOS before 15.2), without the message box <dialog> (before 15.4) and
// without JavaScript; opened from the disk and served, and every other
// lesson's page of lessons.json alike. The lesson's program is never
// fetched, the form never shown, and nothing goes wrong in the console. Where
// the browser can, the lesson starts and no notice is seen.
//
// Chromium hides WebAssembly when V8 runs without its compilers (--jitless,
// as where a setting turns the JIT off); --noexpose_wasm no longer does.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { test } from 'node:test';

import { FIRST, LESSONS, Lesson, NOTICES, SITE, inLesson, launch, serve, useBrowser } from './harness.mjs';

// The first lesson's program's own module, out of its NAME.js, where the build puts it.
function programModule() {
  const program = LESSONS[0].program;
  const found = /data:application\/octet-stream;base64,([A-Za-z0-9+/=]+)/.exec(
    fs.readFileSync(path.join(SITE, program), 'latin1'));
  assert.ok(found, `${program} holds the program's module`);
  return [...Buffer.from(found[1], 'base64')];
}

// Whether this browser can compile the program's module: false where it
// lacks WebAssembly or what the module uses.
function compiles(page, bytes) {
  return page.evaluate((bytes) => typeof WebAssembly === 'object' && WebAssembly.validate(new Uint8Array(bytes)),
    bytes);
}

// What the page shows the learner: the texts seen, line by line.
function seenText(page) {
  return page.evaluate(() => document.body.innerText.split('\n').map((t) => t.trim()).filter((t) => t));
}

const BROWSERS = [
  { what: 'without WebAssembly', args: ['--js-flags=--jitless'], notice: NOTICES.wasm },
  { what: 'without WebAssembly\'s exceptions', args: ['--js-flags=--no-wasm-legacy-eh'], notice: NOTICES.old },
  { what: 'without JavaScript', args: [], script: false, notice: NOTICES.script },
  // (The browser's own interface taken away before the page runs.)
  { what: 'without the message box', args: [], compiles: true, notice: NOTICES.old,
    before: () => { delete window.HTMLDialogElement; } },
];

for (const b of BROWSERS) {
  test(`the page ${b.what} says what it needs and does not start the lesson`, async (t) => {
    const browser = await launch(b.args);
    const server = await serve();
    try {
      // (Every other lesson's page says the same.)
      const pages = LESSONS.slice(1).map((l) => [`${l.page}, from the disk`, l.url]);
      for (const [where, url] of [['from the disk', FIRST], ['served', server.url], ...pages]) {
        await t.test(where, async () => {
          const page = await browser.newPage();
          const lesson = new Lesson(page);  // records every error of the page
          const fetched = [];
          page.on('request', (r) => fetched.push(path.basename(new URL(r.url()).pathname)));
          await page.setViewport({ width: 1366, height: 768 });
          if (b.script === false) await page.setJavaScriptEnabled(false);
          if (b.before) await page.evaluateOnNewDocument(b.before);
          await page.goto(url, { waitUntil: 'load' });
          // A program would have been asked for before the page's load.
          assert.ok(!LESSONS.some((l) => fetched.includes(l.program)), `a program fetched: ${fetched.join(' ')}`);
          assert.deepEqual(await seenText(page), b.notice);
          // The notice covers the window; the form stays hidden under it.
          const seen = await page.evaluate(() => {
            const at = document.elementFromPoint(innerWidth / 2, innerHeight / 2);
            const notice = at && at.closest('.notice');
            const r = notice && notice.getBoundingClientRect();
            return { covers: !!r && r.left <= 0 && r.top <= 0 && r.right >= innerWidth && r.bottom >= innerHeight,
              form: getComputedStyle(document.getElementById('form')).visibility };
          });
          assert.deepEqual(seen, { covers: true, form: 'hidden' });
          if (b.script !== false) {
            // Whether the browser can compile the program: the page judged it rightly.
            assert.equal(await compiles(page, programModule()), !!b.compiles);
            // Every character of the notice is drawn with the lesson's face.
            await page.evaluate(() => document.fonts.ready);
            assert.deepEqual(await facesOf(page, '#unsupported *'), ['LessonGothic']);
          }
          await lesson.close();
        });
      }
    } finally {
      await server.close();
      await browser.close();
    }
  });
}

// The families Chrome drew the texts of these elements with.
async function facesOf(page, selector) {
  const cdp = await page.createCDPSession();
  await cdp.send('DOM.enable');
  await cdp.send('CSS.enable');
  const { root } = await cdp.send('DOM.getDocument', { depth: -1 });
  const { nodeIds } = await cdp.send('DOM.querySelectorAll', { nodeId: root.nodeId, selector });
  const families = new Set();
  for (const nodeId of nodeIds) {
    const { fonts } = await cdp.send('CSS.getPlatformFontsForNode', { nodeId });
    for (const f of fonts) families.add(f.familyName);
  }
  await cdp.detach();
  return [...families];
}

const browser = useBrowser();

test('where the browser can run it, the lesson starts and no notice is seen', inLesson(browser,
  { width: 1180, height: 820 }, async (l) => {
    assert.equal(await compiles(l.page, programModule()), true);
    const notices = await l.page.$$eval('.notice, noscript', (els) => els.map((el) => {
      const r = el.getBoundingClientRect();
      return r.width * r.height;
    }));
    assert.equal(notices.length, 2, 'the notice and the block for a page without JavaScript');
    assert.deepEqual(notices, [0, 0]);
    const seen = await seenText(l.page);
    for (const line of [...NOTICES.wasm, ...NOTICES.old, ...NOTICES.script])
      assert.ok(!seen.includes(line), `seen: ${line}`);
    assert.equal(await l.focused(), 'Text1(0)');
  }));
