// The pictures of the teachers' guide (docs/guide.md), shot from the real page
// in the machine's Chromium, headless, driven as a learner drives it: by keys
// on a Chromebook's 1366 × 768, by a finger on a 10.2-inch iPad's 1080 × 810
// (the model most classes have), full screen, as the guide says. Each
// state is checked before it is shot, so that a picture shows what the guide
// says of it; a page that does not reach it fails the run and makes nothing.
//
//   LG_SITE=<the lesson's folder> node scripts/guide-pictures.mjs OUT-FOLDER
//
// scripts/guide-pictures.sh builds the folder, runs this, optimises the PNGs
// and puts them in docs/guide/. puppeteer-core comes from tests/web (npm ci).
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';

import { FIRST, LESSONS, Lesson, MESSAGES, NOTICES, SYSTEM, SYSTEM_STATEMENTS, launch } from '../tests/web/harness.mjs';

const out = process.argv[2];
if (!out) {
  console.error('usage: LG_SITE=<site> node scripts/guide-pictures.mjs OUT-FOLDER');
  process.exit(2);
}
fs.mkdirSync(out, { recursive: true });

const CHROMEBOOK = { width: 1366, height: 768 };
const IPAD = { width: 1080, height: 810, touch: true, mobile: true };

// The place of a shot: the whole window, or a part of the form in its own
// pixels (left, top, width, height), or the message with a margin around it.
const AREAS = {
  form: [0, 0, 876, 650],
  plane: [16, 32, 600, 600],
  panel: [642, 0, 234, 400],  // 「初期画面」 down to 「すべての点を打つ」
};
async function area(page, which) {
  if (which === 'window') return undefined;
  let r;
  if (which === 'message') {
    r = await page.$eval('#message', (el) => {
      const b = el.getBoundingClientRect();
      return [b.left - 24, b.top - 24, b.right + 24, b.bottom + 24];
    });
  } else {
    r = await page.$eval('#form', (el, [l, t, w, h]) => {
      const b = el.getBoundingClientRect(), k = b.width / 876;
      return [b.left + l * k, b.top + t * k, b.left + (l + w) * k, b.top + (t + h) * k];
    }, AREAS[which]);
  }
  const x = Math.round(r[0]), y = Math.round(r[1]);
  return { x, y, width: Math.round(r[2]) - x, height: Math.round(r[3]) - y };
}

const made = [];
async function shot(page, name, which) {
  // Painted as the learner sees it, with the lesson's face.
  await page.evaluate(() => document.fonts.ready.then(() => new Promise((r) => requestAnimationFrame(() => setTimeout(r, 50)))));
  const file = path.join(out, `${name}.png`);
  // (Of the window as it stands: no other size laid out for the shot.)
  await page.screenshot({ path: file, clip: await area(page, which), captureBeyondViewport: false });
  made.push(file);
}

// A text box's blinking caret would make each run's pictures differ.
const still = (page) => page.addStyleTag({ content: 'input { caret-color: transparent !important; }' });

async function open(browser, view, url = undefined) {
  const l = await Lesson.open(browser, view, url);
  await still(l.page);
  return l;
}

const browser = await launch();
try {
  // --- The lesson by the keyboard, on a Chromebook -----------------------------
  {
    const l = await open(browser, CHROMEBOOK);
    assert.equal(await l.focused(), 'Text1(0)');
    await shot(l.page, 'start', 'window');

    for (const v of ['2', '3', '6']) {
      await l.type(v);
      await l.press('Enter');
    }
    assert.deepEqual(await l.boxes(), ['2', '3', '6']);
    assert.equal(await l.focused(), 'Command4(0)');
    await shot(l.page, 'typed', 'panel');

    await l.press('Enter');  // 点を打つ
    assert.equal((await l.state()).pointsShown.v, 1);
    assert.equal(await l.focused(), 'Command4(1)');
    await shot(l.page, 'points', 'form');

    await l.press('Enter');  // さらに点を打つ
    assert.equal((await l.state()).morePointsShown.v, 1);
    assert.equal(await l.focused(), 'Command5');
    await shot(l.page, 'more-points', 'form');

    await l.press('Enter');  // すべての点を打つ
    assert.equal((await l.state()).lineShown, 1);
    assert.equal(await l.focused(), 'Command6');
    await shot(l.page, 'line', 'form');

    await l.press('Enter');  // 式を表示
    assert.equal(await l.reading(), 'ｙ＝マイナス３分の２ｘプラス２');
    assert.equal(await l.focused(), 'Command2');
    await shot(l.page, 'equation', 'form');

    // The plane with the focus, as for copying or saving it: Tab past 「終　了」.
    await l.press('Tab');
    await l.press('Tab');
    assert.equal(await l.focused(), 'Picture1');
    await shot(l.page, 'plane-focus', 'plane');

    // 「初期画面」, then b = 0: the message, its box to correct selected after it.
    await l.click('Command2');
    assert.deepEqual(await l.boxes(), ['', '', '']);
    assert.equal(await l.focused(), 'Text1(0)');
    for (const v of ['1', '0', '2']) {
      await l.type(v);
      await l.press('Enter');
    }
    await l.press('Enter');  // 点を打つ
    assert.deepEqual(await l.shown(), [MESSAGES.bIsZero]);
    await shot(l.page, 'message', 'message');
    await l.closeMessage('Enter');
    await l.close();
  }

  // --- A problem by its link: the guide says it opens as ① leaves it ----------
  {
    const l = await Lesson.open(browser, CHROMEBOOK, `${FIRST}?a=2&b=3&c=6`);
    assert.deepEqual(await l.boxes(), ['2', '3', '6']);
    assert.equal(await l.focused(), 'Command4(0)');
    await l.close();
  }

  // --- The second lesson (system.html) by the keyboard, on a Chromebook ---------
  {
    const l = await open(browser, CHROMEBOOK, SYSTEM);
    // A system typed and led on by Enter, then its steps by Enter; 「初期画面」 between systems.
    const system = async (boxes, steps) => {
      assert.equal(await l.focused(), 'Text1(0)');
      for (const v of boxes) {
        await l.type(v);
        await l.press('Enter');
      }
      assert.equal(await l.focused(), 'Command4(0)');
      for (let i = 0; i < steps; ++i) await l.press('Enter');
      return l.state();
    };
    // 2x + 3y = 6 and x − y = −2: after 「点を打つ」 the point both mark, (0, 2), is ringed.
    let s = await system(['2', '3', '6', '1', '-1', '-2'], 1);
    assert.equal(s.pointsShown.v, 1);
    assert.deepEqual([s.meeting.kind, s.meeting.x, s.meeting.y], ['point', [0, 1], [2, 1]]);
    await shot(l.page, 'system-points', 'form');
    for (let i = 0; i < 3; ++i) await l.press('Enter');
    s = await l.state();
    assert.deepEqual(s.readings, ['①　ｙ＝マイナス３分の２ｘプラス２', '②　ｙ＝ｘプラス２', '交点は、ｘ＝０、ｙ＝２']);
    assert.equal(await l.focused(), 'Command2');
    await shot(l.page, 'system-whole', 'form');

    // x − y = −3 instead: they meet at (−3/5, 12/5).
    await l.press('Enter');  // 初期画面
    s = await system(['2', '3', '6', '1', '-1', '-3'], 4);
    assert.equal(s.readings[2], '交点は、ｘ＝マイナス５分の３、ｙ＝５分の１２');
    await shot(l.page, 'system-fraction', 'form');

    // 4x + 6y = 5: parallel to 2x + 3y = 6.
    await l.press('Enter');
    s = await system(['2', '3', '6', '4', '6', '5'], 4);
    assert.equal(s.statement, SYSTEM_STATEMENTS.parallel);
    assert.deepEqual(await l.shown(), []);
    await shot(l.page, 'system-parallel', 'form');

    // 4x + 6y = 12: the same line twice, ②'s blue drawn over ①'s red; every
    // point both mark is ringed.
    await l.press('Enter');
    s = await system(['2', '3', '6', '4', '6', '12'], 4);
    assert.equal(s.statement, SYSTEM_STATEMENTS.same);
    assert.equal(s.lineShown, 1);
    assert.deepEqual(await l.shown(), []);
    await shot(l.page, 'system-same', 'form');
    await l.close();
  }

  // --- The third lesson (twopoints.html): two points by the keyboard on a ------
  // Chromebook, then the line x = h; two points tapped on an iPad.
  {
    const twopoints = LESSONS.find((l) => l.name === 'twopoints').url;
    // Four texts typed and led on by Enter to 「２点をとる」, then `steps` steps by Enter.
    const twoPoints = async (l, texts, steps) => {
      assert.equal(await l.focused(), 'Text1(0)');
      for (const v of texts) {
        await l.type(v);
        await l.press('Enter');
      }
      assert.deepEqual(await l.boxes(4), texts);
      assert.equal(await l.focused(), 'Command4(0)');
      for (let i = 0; i < steps; ++i) await l.press('Enter');
      return l.state();
    };
    const l = await open(browser, CHROMEBOOK, twopoints);
    // A(−1, 2), B(2, 4): 「変化の割合」, the triangle and ＋2／＋3 ＝ 2/3.
    let s = await twoPoints(l, ['-1', '2', '2', '4'], 2);
    assert.deepEqual([s.step, s.rate], [2, [2, 3]]);
    assert.equal(s.readings[0], 'ｙの増加量はプラス２、ｘの増加量はプラス３、変化の割合は３分の２');
    assert.equal(await l.focused(), 'Command5');
    await shot(l.page, 'twopoints-rate', 'form');
    // 「直線を引く」 and 「式を求める」: the ring at (0, 8/3), the 切片 worked out, 2ｘ－3ｙ＝－8.
    await l.press('Enter');
    await l.press('Enter');
    s = await l.state();
    assert.deepEqual([s.step, s.ringOnPlane, s.intercept, s.wholeForm, s.check], [4, 1, [8, 3], '2ｘ－3ｙ＝－8', true]);
    assert.equal(s.readings[1], '２＝３分の２かけるマイナス１プラスｂ、ｂ＝３分の８、直線の式はｙ＝３分の２ｘプラス３分の８');
    assert.equal(await l.focused(), 'Command2');
    await shot(l.page, 'twopoints-equation', 'form');
    // 「確かめる」: the first lesson in a new tab, 2, −3, −8 in its boxes.
    const opened = new Promise((resolve) => browser.once('targetcreated', resolve));
    await l.click('Command7');
    const tab = await (await opened).page();
    assert.match(tab.url(), /\/index\.html\?a=2&b=-3&c=-8$/);
    await tab.close();

    // A(0.5, 1), B(0.5, 3): the same x, the line x ＝ 1/2 and what the lesson says of it.
    await l.click('Command2');
    s = await twoPoints(l, ['0.5', '1', '0.5', '3'], 4);
    assert.deepEqual([s.step, s.vertical, s.ringOnPlane, s.h, s.wholeForm], [4, true, 0, [1, 2], '2ｘ＋0ｙ＝1']);
    assert.match(s.statement, /^ｘの増加量が０なので、\n変化の割合は求められません。/);
    assert.equal(s.readings[1], '直線の式はｘ＝２分の１');
    await shot(l.page, 'twopoints-vertical', 'form');
    await l.close();

    // On an iPad: a tap puts A(−4, 6), the next B(2, 2) and takes both
    // (at 中: 22 pixels to a unit, the origin at (300, 300) of the plane).
    const t = await open(browser, IPAD, twopoints);
    const tapAt = async (x, y) => {
      const at = await t.onPlane(300 + 22 * x, 300 - 22 * y);
      await t.page.touchscreen.tap(at.x, at.y);
    };
    await tapAt(-4, 6);
    s = await t.state();
    assert.deepEqual([s.aAlone, s.step], [1, 0]);
    assert.deepEqual(await t.boxes(4), ['-4', '6', '', '']);
    await tapAt(2, 2);
    s = await t.state();
    assert.deepEqual([s.aAlone, s.step], [0, 1]);
    assert.deepEqual(await t.boxes(4), ['-4', '6', '2', '2']);
    assert.equal(await t.focused(), 'Command4(1)');
    await shot(t.page, 'twopoints-ipad-tap', 'form');
    // Its steps by a finger: −4／＋6 ＝ −2/3 and a 切片 of 10/3 between the grid lines.
    for (const name of ['Command4(1)', 'Command5', 'Command6']) await t.tap(name);
    s = await t.state();
    assert.deepEqual([s.step, s.rate, s.intercept, s.ringOnPlane, s.wholeForm], [4, [-2, 3], [10, 3], 1, '2ｘ＋3ｙ＝10']);
    await shot(t.page, 'twopoints-ipad-equation', 'form');
    await t.close();
  }

  // --- Sizes and a drag by a finger, on an iPad --------------------------------
  {
    const l = await open(browser, IPAD);
    await l.enter('2', '3', '6', 'tap');
    for (const name of ['Command4(0)', 'Command4(1)', 'Command5']) await l.tap(name);
    assert.equal((await l.state()).lineShown, 1);

    await l.tap('Command3(0)');  // 小
    assert.equal((await l.state()).unitSize, 40);
    await shot(l.page, 'ipad-small', 'form');

    await l.tap('Command3(2)');  // 大
    assert.equal((await l.state()).unitSize, 14);
    await shot(l.page, 'ipad-large', 'window');

    // Back at 中, the plane moved by a finger: the origin to the lower left.
    await l.tap('Command3(1)');
    await l.swipe([[300, 300], [260, 340], [200, 400], [160, 440]]);
    const s = await l.state();
    // (A finger on the scaled form moves it by fractions of the form's pixels.)
    assert.deepEqual([s.unitSize, Math.round(s.originX.v), Math.round(s.originY.v)], [22, 160, 440]);
    await shot(l.page, 'ipad-drag', 'form');

    // 「初期画面」 at 「大」: the lesson cleared, the size kept. (A moment
    // after the swipe first, as a learner takes: headless Chromium lets a tap
    // that comes within about a second of a swipe stop the swipe's fling
    // instead of pressing the button.)
    await new Promise((resolve) => setTimeout(resolve, 1500));
    await l.tap('Command3(2)');
    await l.tap('Command2');
    const r = await l.state();
    assert.deepEqual([r.unitSize, r.pointsShown.v, r.morePointsShown.v, r.lineShown], [14, 0, 0, 0]);
    assert.deepEqual(await l.boxes(), ['', '', '']);
    assert.equal(await l.equation(), '');
    await shot(l.page, 'ipad-reset', 'form');
    await l.close();
  }
} finally {
  await browser.close();
}

// --- Where the browser cannot run the lesson: without WebAssembly --------------
{
  const b = await launch(['--js-flags=--jitless']);
  try {
    const page = await b.newPage();
    await page.setViewport(CHROMEBOOK);
    await page.goto(FIRST, { waitUntil: 'load' });
    const seen = await page.evaluate(() => document.body.innerText.split('\n').map((t) => t.trim()).filter((t) => t));
    assert.deepEqual(seen, NOTICES.wasm);
    await shot(page, 'unsupported', 'window');
  } finally {
    await b.close();
  }
}

console.log(`${made.length} pictures shot: ${made.map((f) => path.basename(f)).join(' ')}`);
