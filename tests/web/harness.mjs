// What the browser tests share: the machine's Chromium, headless, one per test
// file, and the lesson opened in a fresh page for each case, driven as a
// learner drives it (real mouse, key, touch and pen input through the
// browser) and read back from the page: the program's state (lg_inspect), the
// controls as elements, the messages, the plane's pixels.
//
// LG_SITE names the lesson's folder (the build's site/), LG_CHROMIUM the
// browser (default /usr/bin/chromium). LG_SINGLE names instead a folder of
// the pages made each into one file (the build's single/, under the pages'
// own names): they are opened in place of the folder's, and one opened from
// the disk may fetch nothing but itself and data: URLs. The lessons, their
// pages and programs are those of lessons.json (LESSONS).
import assert from 'node:assert/strict';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import { after, before } from 'node:test';
import { fileURLToPath, pathToFileURL } from 'node:url';

import puppeteer from 'puppeteer-core';

const here = path.dirname(fileURLToPath(import.meta.url));

const SINGLE = !!process.env.LG_SINGLE;
export const SITE = path.resolve(process.env.LG_SINGLE || process.env.LG_SITE || path.join(here, '..', '..', 'build-web', 'site'));

// The lessons, as lessons.json lists them, in its order: NAME, its page
// (PAGE) and the page's address in SITE (URL), the names of a problem's texts
// (PROBLEM, the boxes' order), its TITLE, and its program (PROGRAM, NAME.js)
// and manifest as the build names them.
export const LESSONS = JSON.parse(fs.readFileSync(path.join(here, '..', '..', 'lessons.json'), 'utf8')).lessons
  .map((l, i) => ({
    name: l.name, page: l.page, url: pathToFileURL(path.join(SITE, l.page)).href, problem: l.problem,
    title: l.title, program: `${l.name}.js`, manifest: i === 0 ? 'manifest.webmanifest' : `${l.name}.webmanifest`,
  }));
// The first lesson's page, the folder's own (index.html), and the second
// lesson's (two equations).
export const FIRST = LESSONS[0].url;
export const SYSTEM = LESSONS.find((l) => l.name === 'system').url;
const PROGRAMS = new Set(['start.js', ...LESSONS.map((l) => l.program)]);
const CHROMIUM = process.env.LG_CHROMIUM || '/usr/bin/chromium';

// The messages of the lesson, word for word.
export const MESSAGES = {
  bIsZero: 'ｂが０なので、式をｙについて解くことができません。\nｂには０でない数を入れてください。',
  bNearZero: 'ｂが０に近すぎて、点を打つことができません。\nｂには、もっと０から離れた数を入れてください。',
  tooLarge: '数が大きすぎて、点を打つことができません。\nａ，ｂ，ｃには、もっと小さな数を入れてください。',
  cannotShow: 'この直線の式は、数が大きすぎて表示できません。',
  // The plane as a picture: copying it where the browser may not write the
  // clipboard; saving it where the desktop cannot write the file.
  notCopied: '図をコピーできませんでした。\nかわりに、Ctrl＋S で画像として保存できます。',
  notSaved: '図を保存できませんでした。\n保存する場所を変えて、もう一度ためしてください。',
};

// The second lesson's messages: the first lesson's, naming the equation
// (「①の式で、」), and its own of an equation and of the intersection.
export const SYSTEM_MESSAGES = {
  plot: (which, name) => `${which}の式で、${MESSAGES[name]}`,
  cannotShow: (which) => `${which}の直線の式は、数が大きすぎて表示できません。`,
  pointTooLarge: '交点の座標は、数が大きすぎて表示できません。',
};
// What the second lesson says instead of an intersection.
export const SYSTEM_STATEMENTS = {
  parallel: '２つの式のグラフは平行です。\n交わらないので、\n解はありません。',
  same: '２つの式のグラフは\n同じ直線です。\n直線上のすべての点の\n座標が解になります。',
};

// What the page says where the browser cannot run the lesson, as seen:
// what it lacks, WebAssembly, what is newer (WebAssembly's exceptions, the
// message box) or JavaScript.
const CANNOT = 'このブラウザーでは、この教材を使うことができません。';
export const NOTICES = {
  wasm: [CANNOT, 'この教材には、WebAssembly（ウェブアセンブリ）が使えるブラウザーが必要です。ブラウザーを最新にするか、別のブラウザーで開いてください。iPad の「ロックダウンモード」のように WebAssembly を止める設定がオンのときは、このページを対象外にしてください。'],
  old: [CANNOT, 'ブラウザーが古いため、この教材は動きません。Chromebook は ChromeOS 95 以降に、iPad は iPadOS 15.4 以降に更新してから、もう一度開いてください。パソコンでは、最新のブラウザーで開いてください。'],
  script: ['JavaScript がオフになっているため、この教材を使うことができません。',
    'ブラウザーの設定で JavaScript をオンにしてから、もう一度開いてください。学校で管理している端末では、管理の担当者にたずねてください。'],
};

// The form's layout, in its own pixels (left, top, width, height).
export const PLACES = {
  Picture1: [16, 32, 600, 600],
  Command2: [768, 16, 89, 33],
  'Command3(0)': [672, 88, 57, 33],
  'Command3(1)': [736, 88, 57, 33],
  'Command3(2)': [800, 88, 57, 33],
  Label6: [648, 128, 209, 57],
  'Text1(0)': [648, 216, 41, 42],
  'Text1(1)': [744, 216, 41, 42],
  'Text1(2)': [832, 216, 41, 42],
  'Command4(0)': [688, 272, 169, 33],
  'Command4(1)': [688, 312, 169, 33],
  Command5: [688, 352, 169, 33],
  Command6: [656, 424, 145, 33],
  Command1: [736, 600, 121, 33],
};

export const SIZES = [
  { button: 'Command3(0)', caption: '小', unit: 40 },
  { button: 'Command3(1)', caption: '中', unit: 22 },
  { button: 'Command3(2)', caption: '大', unit: 14 },
];

const ARGS = ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
  '--disable-component-update', '--disable-sync'];

// One browser with a profile of its own, removed when the browser closes;
// args: further switches of the browser.
export async function launch(args = []) {
  if (!fs.existsSync(path.join(SITE, LESSONS[0].page)))
    throw new Error(`no lesson in ${SITE}: build the target '${SINGLE ? 'single' : 'site'}' and set ${SINGLE ? 'LG_SINGLE' : 'LG_SITE'}`);
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'lg-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: CHROMIUM, headless: true, userDataDir: profile, args: [...ARGS, ...args],
  });
  const close = browser.close.bind(browser);
  browser.close = async () => {
    try { await close(); } finally { fs.rmSync(profile, { recursive: true, force: true }); }
  };
  return browser;
}

// The lesson's folder over HTTP from 127.0.0.1, as a teacher's server gives it.
export async function serve() {
  const types = { '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.css': 'text/css',
    '.png': 'image/png', '.webmanifest': 'application/manifest+json', '.txt': 'text/plain; charset=utf-8' };
  const server = http.createServer((req, res) => {
    const name = decodeURIComponent(new URL(req.url, 'http://x').pathname).replace(/^\/+/, '') || 'index.html';
    const file = path.join(SITE, path.normalize(name));
    if (!file.startsWith(SITE) || !fs.existsSync(file) || !fs.statSync(file).isFile()) {
      res.writeHead(404).end();
      return;
    }
    res.writeHead(200, { 'Content-Type': types[path.extname(file)] || 'application/octet-stream' });
    fs.createReadStream(file).pipe(res);
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  return { url: `http://127.0.0.1:${server.address().port}/`, close: () => new Promise((r) => { server.closeAllConnections(); server.close(r); }) };
}

// Every message the page shows, recorded as it is shown.
function recordMessages() {
  const show = HTMLDialogElement.prototype.showModal;
  window.__lgShown = [];
  HTMLDialogElement.prototype.showModal = function () {
    const text = this.querySelector('.text');
    window.__lgShown.push(text ? text.textContent : '');
    return show.call(this);
  };
}

export class Lesson {
  // The lesson in a fresh page. view: { width, height, dpr, touch, mobile }; url: another address of the page.
  static async open(browser, view = {}, url = FIRST) {
    const page = await browser.newPage();
    const lesson = new Lesson(page);
    await page.evaluateOnNewDocument(recordMessages);
    if (SINGLE && url.startsWith('file:')) await lesson.offline(url);
    await page.setViewport({
      width: view.width || 876, height: view.height || 650, deviceScaleFactor: view.dpr || 1,
      hasTouch: !!view.touch, isMobile: !!view.mobile,
    });
    await page.goto(url);
    await lesson.ready().catch((e) => {
      if (lesson.errors.length) e.message += `; in the page: ${lesson.errors.join('; ')}`;
      throw e;
    });
    return lesson;
  }

  constructor(page) {
    this.page = page;
    this.errors = [];
    page.on('pageerror', (e) => this.errors.push(String(e.message || e)));
    page.on('console', (m) => {
      // The program's own output on its error stream (an abort, an uncaught
      // exception), and any error of the page; not the browser's hints about
      // the tests' own reading of the canvas, nor its word that
      // window.close() was refused, which 「終　了」 expects.
      const text = m.text(), from = (m.location() && m.location().url) || '';
      if (/Failed to load resource|net::ERR_|^Scripts may close only the windows/.test(text)) return;
      if (m.type() === 'error' || (m.type() === 'warn' && PROGRAMS.has(from.replace(/^.*\//, '')))) this.errors.push(text);
    });
  }

  // Every request but for the page's own file and data: URLs refused, and
  // counted as an error of the page.
  async offline(url) {
    const file = url.replace(/[?#].*/, '');
    await this.page.setRequestInterception(true);
    this.page.on('request', (request) => {
      const wanted = request.url();
      if (wanted.startsWith('data:') || wanted.replace(/[?#].*/, '') === file) {
        request.continue();
      } else {
        this.errors.push(`a request of the single file: ${wanted}`);
        request.abort();
      }
    });
  }

  async ready() {
    await this.page.waitForFunction(() => typeof Module !== 'undefined' && Module.calledRun &&
      document.getElementById('form').style.visibility === 'visible', { timeout: 30000 });
  }

  // Nothing went wrong in the page; closes it.
  async close() {
    const errors = this.errors;
    await this.page.close();
    assert.deepEqual(errors, [], 'errors in the page');
  }

  // The program's state (origin, unit, flags, fractions, the slots of the equation …).
  async state() {
    return JSON.parse(await this.page.evaluate(() => Module.ccall('lg_inspect', 'string', [], [])));
  }

  async origin() {
    const s = await this.state();
    return [s.originX.v, s.originY.v];
  }

  // The name of what has the keyboard focus: a control's layout name, 'OK'
  // for the message's button, or the element's id or tag.
  async focused() {
    return this.page.evaluate(() => {
      const el = document.activeElement;
      if (!el) return null;
      if (el.closest('#message')) return el.tagName === 'BUTTON' ? 'OK' : 'message';
      return el.dataset.name || el.id || el.tagName;
    });
  }

  control(name) {
    return this.page.$(`[data-name="${name}"]`);
  }

  // The page's CSS pixels of a control's centre, from where it is drawn.
  async centre(name) {
    const r = await this.page.$eval(`[data-name="${name}"]`, (el) => {
      const b = el.getBoundingClientRect();
      return [b.left + b.width / 2, b.top + b.height / 2];
    });
    return { x: r[0], y: r[1] };
  }

  async click(name) {
    const { x, y } = await this.centre(name);
    await this.page.mouse.click(x, y);
  }

  async tap(name) {
    const { x, y } = await this.centre(name);
    await this.page.touchscreen.tap(x, y);
  }

  // A pen's tap: pressed and lifted at the control's centre.
  async penTap(name) {
    const { x, y } = await this.centre(name);
    await this.pen('mousePressed', x, y, 1);
    await this.pen('mouseReleased', x, y, 0);
  }

  async pen(type, x, y, buttons) {
    if (!this.cdp) this.cdp = await this.page.createCDPSession();
    await this.cdp.send('Input.dispatchMouseEvent', {
      type, x, y, buttons, button: type === 'mouseMoved' && !buttons ? 'none' : 'left', clickCount: 1,
      pointerType: 'pen', force: buttons ? 0.5 : 0,
    });
  }

  async touch(type, points) {
    if (!this.cdp) this.cdp = await this.page.createCDPSession();
    await this.cdp.send('Input.dispatchTouchEvent', { type, touchPoints: points });
    await this.frame();
  }

  async press(key) { await this.page.keyboard.press(key); }
  async chord(modifier, key) {
    await this.page.keyboard.down(modifier);
    await this.page.keyboard.press(key);
    await this.page.keyboard.up(modifier);
  }
  async type(text) { await this.page.keyboard.type(text); }

  // A key held down for `repeats` repeats of the keyboard, then let go.
  async hold(key, repeats) {
    for (let i = 0; i <= repeats; ++i) await this.page.keyboard.down(key);
    await this.page.keyboard.up(key);
  }

  // A box's text replaced: clicked, all of it selected, the new text typed.
  async fill(index, text, how = 'click') {
    const name = `Text1(${index})`;
    if (how === 'tap') await this.tap(name); else await this.click(name);
    await this.chord('Control', 'KeyA');
    if (text === '') await this.press('Delete'); else await this.type(text);
  }

  async enter(a, b, c, how = 'click') {
    await this.fill(0, a, how);
    await this.fill(1, b, how);
    await this.fill(2, c, how);
  }

  // The boxes' texts: the first lesson's three, or as many as asked (the second lesson's six).
  async boxes(count = 3) {
    return this.page.evaluate((count) => [...Array(count).keys()].map(
      (i) => document.querySelector(`[data-name="Text1(${i})"]`).value), count);
  }

  async enabled(name) {
    // A greyed button says so to assistive technology (it stays an element
    // that takes the mouse); a box is disabled as boxes are.
    return this.page.$eval(`[data-name="${name}"]`,
      (el) => !el.disabled && el.getAttribute('aria-disabled') !== 'true');
  }

  // The equation as the labels and bars show it: a fraction is (upper/lower),
  // with "/" only where its bar is seen.
  async equation() {
    return this.page.evaluate(() => {
      const seen = (el) => getComputedStyle(el).visibility !== 'hidden';
      const part = (i) => {
        const el = document.querySelector(`[data-name="Label4(${i})"]`);
        return seen(el) ? el.textContent : '';
      };
      const bar = (i) => seen(document.querySelector(`[data-name="Line1(${i})"]`));
      const fraction = (upper, lower, b) => {
        if (!part(upper) && !part(lower) && !bar(b)) return '';
        return `(${part(upper)}${bar(b) ? '/' : ' '}${part(lower)})`;
      };
      return part(0) + part(1) + part(2) + fraction(3, 4, 0) + part(5) + part(6) + part(7) + fraction(8, 9, 1);
    });
  }

  // The equation read as one text, as assistive technology gets it.
  async reading() {
    return this.page.$eval('#form > .reading', (el) => el.textContent);
  }

  // What the plane tells assistive technology it shows.
  async description() {
    return this.page.$eval('[data-name="Picture1"]',
      (el) => document.getElementById(el.getAttribute('aria-describedby')).textContent);
  }

  // Every message shown so far.
  async shown() { return this.page.evaluate(() => window.__lgShown.slice()); }

  async messageOpen() {
    return this.page.evaluate(() => { const d = document.getElementById('message'); return !!(d && d.open); });
  }

  // Closes the message on show, by its OK button (a click, Enter or Space on
  // it, a tap) or by Escape, and waits until the page has handled its closing.
  async closeMessage(how = 'click') {
    assert.ok(await this.messageOpen(), 'a message is on show');
    // (Registered before the key or click is sent: the two take different ways into the page.)
    await this.page.evaluate(() => {
      window.__lgClosed = false;
      document.getElementById('message').addEventListener('close', () => setTimeout(() => { window.__lgClosed = true; }, 0),
        { once: true });
    });
    if (how === 'click' || how === 'tap') {
      const ok = await this.page.$('#message button');
      const b = await ok.boundingBox();
      if (how === 'tap') await this.page.touchscreen.tap(b.x + b.width / 2, b.y + b.height / 2);
      else await this.page.mouse.click(b.x + b.width / 2, b.y + b.height / 2);
    } else {
      await this.press(how);
    }
    await this.page.waitForFunction(() => window.__lgClosed, { timeout: 5000 });
  }

  // The page's pixel of the plane's pixel (x, y), wherever and however large the plane is drawn.
  async onPlane(x, y) {
    const r = await this.page.$eval('[data-name="Picture1"]', (el) => {
      const b = el.getBoundingClientRect();
      return [b.left, b.top, b.width / 600, b.height / 600];
    });
    return { x: r[0] + x * r[2], y: r[1] + y * r[3] };
  }

  // A mouse drag on the plane: pressed at the first point with the button,
  // moved through the rest, in the plane's pixels; released unless told not to.
  async drag(pathOnPlane, { button = 'left', release = true } = {}) {
    const [first, ...rest] = pathOnPlane;
    let at = await this.onPlane(...first);
    await this.page.mouse.move(at.x, at.y);
    await this.page.mouse.down({ button });
    for (const p of rest) {
      at = await this.onPlane(...p);
      await this.page.mouse.move(at.x, at.y);
    }
    if (release) await this.page.mouse.up({ button });
  }

  // A finger's drag on the plane, in the plane's pixels.
  async swipe(pathOnPlane) {
    const [first, ...rest] = pathOnPlane;
    let at = await this.onPlane(...first);
    await this.page.touchscreen.touchStart(at.x, at.y);
    for (const p of rest) {
      at = await this.onPlane(...p);
      await this.touchMove(at.x, at.y);
    }
    await this.page.touchscreen.touchEnd();
  }

  // A finger moved: the page gets its moves with the next frame, one by one.
  async touchMove(x, y) {
    await this.page.touchscreen.touchMove(x, y);
    await this.frame();
  }

  async frame() {
    await this.page.evaluate(() => new Promise((r) => requestAnimationFrame(() => setTimeout(r, 0))));
  }

  // A digest of the plane's pixels: equal pictures, equal digests.
  async pictureDigest() {
    return this.page.evaluate(async () => {
      const c = document.querySelector('[data-name="Picture1"]');
      const d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
      const h = await crypto.subtle.digest('SHA-256', d);
      return `${c.width}x${c.height}:` + [...new Uint8Array(h)].map((b) => b.toString(16).padStart(2, '0')).join('');
    });
  }

  // The colour [r, g, b] of the plane's pixel (x, y), at the middle of its device pixels.
  async pixel(x, y) {
    return this.page.evaluate((x, y) => {
      const c = document.querySelector('[data-name="Picture1"]');
      const k = c.width / 600;
      const d = c.getContext('2d').getImageData(Math.floor((x + 0.5) * k), Math.floor((y + 0.5) * k), 1, 1).data;
      return [d[0], d[1], d[2]];
    }, x, y);
  }

  // How the plane departs from the grid of this unit and origin: outside the
  // places of its texts every pixel is the background or black, black exactly
  // on the 3-pixel axes and the 1-pixel grid lines, whole device pixels.
  // Returns the first few pixels that are not (empty when none), and how many were checked.
  async planeFaults(unit, ox, oy) {
    return this.page.evaluate(planeFaults, unit, ox, oy, (await this.state()).printed);
  }

  // What is wrong with the numbers of the scale (empty when nothing): each
  // printed must be whole in the canvas and reach across its grid line, and
  // each that its place by the scale alone would show whole must be printed.
  async numberFaults(unit, ox, oy) {
    return this.page.evaluate(numberFaults, unit, ox, oy, (await this.state()).printed, scalePlaces(unit, ox, oy));
  }
}

// The numbers of the scale at their places by the scale alone: [text, x, y, axis, grid line].
function scalePlaces(unit, ox, oy) {
  const places = [];
  const [step, count] = { 40: [2, 7], 22: [5, 5], 14: [5, 8] }[unit] || [0, 0];
  for (let j = 1; j <= count; ++j) {
    const v = step * j, dd = v * unit, w = v >= 10 ? 1 : 0;
    places.push([` ${v}`, ox - 15 + dd - 8 * w, oy - 2, 'x', ox + dd], [`-${v}`, ox - 20 - dd - 8 * w, oy - 2, 'x', ox - dd],
      [` ${v}`, ox - 25 - 13 * w, oy - 12 - dd, 'y', oy - dd], [`-${v}`, ox - 30 - 13 * w, oy - 12 + dd, 'y', oy + dd]);
  }
  return places;
}

// In the page: see Lesson.numberFaults. Each text is drawn alone, as the
// canvas draws it, where nothing cuts it, and its ink found pixel by pixel.
function numberFaults(unit, ox, oy, printed, places) {
  const c = document.querySelector('[data-name="Picture1"]');
  const k = c.width / 600, font = `bold ${27 * k}px "LessonGothic"`;
  const scratch = document.createElement('canvas').getContext('2d', { willReadFrequently: true });
  scratch.font = `bold 27px "LessonGothic"`;
  const ascent = scratch.measureText('Ｏ0').fontBoundingBoxAscent;
  const ink = (text, x, y) => {
    const w = Math.ceil(80 * k), h = Math.ceil(60 * k), left = Math.floor((x - 10) * k), top = Math.floor((y - 10) * k);
    scratch.canvas.width = w;
    scratch.canvas.height = h;
    scratch.font = font;
    scratch.fillText(text, x * k - left, (y + ascent) * k - top);
    const d = scratch.getImageData(0, 0, w, h).data;
    let box = null;
    for (let i = 3; i < d.length; i += 4) {
      if (!d[i]) continue;
      const px = left + ((i >> 2) % w), py = top + Math.floor((i >> 2) / w);
      box = box ? [Math.min(box[0], px), Math.min(box[1], py), Math.max(box[2], px), Math.max(box[3], py)] : [px, py, px, py];
    }
    return box;
  };
  const inside = (b) => b && b[0] >= 0 && b[1] >= 0 && b[2] < c.width && b[3] < c.height;
  const faults = [], shown = new Set();
  for (const [text, x, y] of printed) {
    if (text === 'Ｏ' || !/^[ -]\d+$/.test(text)) continue;
    const axis = y === oy - 2 ? 'x' : 'y', v = Number(text), line = axis === 'x' ? ox + v * unit : oy - v * unit;
    const b = ink(text, x, y);
    if (!inside(b)) faults.push(`${text} at (${x}, ${y}) is cut`);
    const [from, to] = axis === 'x' ? [b[0] / k, (b[2] + 1) / k] : [b[1] / k, (b[3] + 1) / k];
    if (line < from || line > to) faults.push(`${text} at (${x}, ${y}) stands away from its grid line ${line}`);
    shown.add(axis + text);
  }
  for (const [text, x, y, axis] of places)
    if (inside(ink(text, x, y)) && !shown.has(axis + text)) faults.push(`${text} was whole at its place, and is no longer shown`);
  return faults;
}

// In the page: see Lesson.planeFaults.
function planeFaults(unit, ox, oy, printed) {
  const c = document.querySelector('[data-name="Picture1"]');
  const W = c.width, H = c.height, k = W / 600;
  const d = c.getContext('2d').getImageData(0, 0, W, H).data;
  const lines = (o) => {
    const on = new Uint8Array(600);
    const mark = (p) => { if (p >= 0 && p < 600) on[p] = 1; };
    for (let p = o - 1; p <= o + 1; ++p) mark(p);
    for (let i = 1; i <= Math.floor(600 / unit); ++i) { mark(o + i * unit); mark(o - i * unit); }
    return on;
  };
  const cols = lines(ox), rows = lines(oy);
  // Where the plane printed: the origin mark and the numbers on the axes,
  // each with room for a number of three characters at 20 points.
  const texts = printed.map(([, x, y]) => [Math.round(x), Math.round(y)]);
  const inText = new Uint8Array(600 * 600);
  for (const [tx, ty] of texts)
    for (let y = Math.max(0, ty - 3); y <= Math.min(599, ty + 38); ++y)
      for (let x = Math.max(0, tx - 3); x <= Math.min(599, tx + 52); ++x) inText[y * 600 + x] = 1;
  const faults = [];
  let checked = 0;
  for (let Y = 0; Y < H; ++Y) {
    const y = Math.floor(Y / k);
    for (let X = 0; X < W; ++X) {
      const x = Math.floor(X / k);
      if (inText[y * 600 + x]) continue;
      ++checked;
      const i = (Y * W + X) * 4;
      const line = cols[x] || rows[y];
      const ok = line ? d[i] === 0 && d[i + 1] === 0 && d[i + 2] === 0
        : d[i] === 255 && d[i + 1] === 255 && d[i + 2] === 192;
      if (!ok && faults.length < 8) faults.push(`device (${X}, ${Y}) = plane (${x}, ${y}): rgb(${d[i]}, ${d[i + 1]}, ${d[i + 2]}), ${line ? 'a line' : 'background'} expected`);
    }
  }
  return { faults, checked, width: W, height: H };
}

// A case on the second lesson (system.html), as inLesson.
export function inSystem(browser, view, body) {
  if (!body) [view, body] = [{}, view];
  return inLesson(browser, view, body, SYSTEM);
}

// The browser of this test file: launched before its first case, closed after its last.
export function useBrowser(args = []) {
  let browser = null;
  before(async () => { browser = await launch(args); });
  after(async () => { if (browser) await browser.close(); });
  return () => browser;
}

// A case on a lesson of its own: the page opened with this view (at this
// address: the first lesson's, or SYSTEM), closed after it; a case that
// passed also had no error in the page.
export function inLesson(browser, view, body, url = undefined) {
  if (!body) [view, body] = [{}, view];
  return async (t) => {
    const lesson = await Lesson.open(browser(), view, url);
    let passed = false;
    try {
      await body(lesson, t);
      passed = true;
    } finally {
      if (passed) await lesson.close();
      else await lesson.page.close().catch(() => {});
    }
  };
}
