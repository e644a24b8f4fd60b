// Checks the lesson's folder as a teacher would use it, in the machine's
// Chromium (headless; none is downloaded), for every lesson that lessons.json
// lists, each with its page (index.html the first lesson's), its manifest and
// its program (NAME.js):
//
//   size      the lesson's files at most 1 MB (1,000,000 bytes), file by file;
//             the teachers' guide beside them (guide.html, its pictures in
//             guide/) counted apart, at most 2 MB, and linked from no file of
//             the lesson
//   pages     each page names its lesson, the names of its problem, its
//             manifest and its program as lessons.json has them
//   http      served from 127.0.0.1: the program starts, the service worker
//             installs and caches every file of the lesson; each page starts
//             its own lesson under it; with the server stopped every page
//             loads again, all from the cache; a new build on the server
//             replaces the cache
//   file      opened from the disk (file://…/PAGE): the face and the program
//             load, and every text of the lesson, its equations and a message
//             included, is drawn with the lesson's face
//   manifest  Chrome finds each page's app installable, each an app of its
//             own, the icons as declared
//
// and how long the page takes to become interactive (the form shown, the
// first box with the focus). Any error in the console fails a check.
//
//   node web/check_site.mjs <site-folder>
//
// puppeteer-core comes from tests/web/node_modules (npm ci there); CHROME
// names the browser (default /usr/bin/chromium). Exits 1 on any failure.
import { createRequire } from 'node:module';
import { fileURLToPath, pathToFileURL } from 'node:url';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';

const LIMIT = 1000000;
// The teachers' guide is in the folder but not part of the lesson: the service
// worker does not keep it, and its pictures have a limit of their own.
const GUIDE_LIMIT = 2000000;
const GUIDE = 'guide.html';
const isGuide = (name) => name === GUIDE || name.startsWith('guide/');
const here = path.dirname(fileURLToPath(import.meta.url));
const site = path.resolve(process.argv[2] || '');
if (!process.argv[2] || !fs.existsSync(path.join(site, 'index.html'))) {
  console.error('usage: node web/check_site.mjs <site-folder> [version]   (the folder with index.html)');
  process.exit(2);
}

const require = createRequire(import.meta.url);
const puppeteer = (await import(pathToFileURL(require.resolve('puppeteer-core', {
  paths: [path.join(here, '..', 'tests', 'web'), process.cwd()],
})).href)).default;

let failures = 0;
function check(ok, what, detail) {
  console.log(`${ok ? 'ok  ' : 'FAIL'} ${what}${detail ? ': ' + detail : ''}`);
  if (!ok) ++failures;
  return ok;
}
const filesOf = (dir) => fs.readdirSync(dir, { withFileTypes: true })
  .filter((e) => e.isFile()).map((e) => e.name).sort();

// --- Size -------------------------------------------------------------------
{
  const total = { lesson: 0, guide: 0 };
  const everything = fs.readdirSync(site, { recursive: true })
    .filter((name) => fs.statSync(path.join(site, name)).isFile()).sort();
  for (const name of everything) {
    const size = fs.statSync(path.join(site, name)).size;
    total[isGuide(name) ? 'guide' : 'lesson'] += size;
    console.log(`     ${String(size).padStart(9)}  ${name}`);
  }
  const dirs = fs.readdirSync(site, { withFileTypes: true }).filter((e) => e.isDirectory()).map((d) => d.name);
  check(dirs.every((d) => d === 'guide'), 'the lesson\'s files are at the top, the guide\'s pictures in guide/',
        dirs.join(' '));
  check(total.lesson <= LIMIT, `the lesson is at most ${LIMIT} bytes`, `${total.lesson} bytes`);
  check(everything.includes(GUIDE) && total.guide <= GUIDE_LIMIT,
        `the guide beside it, ${GUIDE} and its pictures, is at most ${GUIDE_LIMIT} bytes`, `${total.guide} bytes`);
  const linking = filesOf(site).filter((f) => !isGuide(f) && fs.readFileSync(path.join(site, f), 'latin1').includes(GUIDE));
  check(linking.length === 0, 'no file of the lesson leads to the guide', linking.join(' '));
}

// The files the service worker keeps: every file of the lesson but itself.
const workerText = fs.readFileSync(path.join(site, 'sw.js'), 'utf8');
const listed = JSON.parse('[' + ((workerText.match(/var FILES = \[(.*)\];/) || [])[1] || '').replace(/'/g, '"') + ']');
const version = (workerText.match(/var VERSION = '([^']*)'/) || [])[1];
const folder = filesOf(site).filter((f) => f !== 'sw.js' && !isGuide(f));
check(JSON.stringify([...listed].sort()) === JSON.stringify(folder), 'sw.js lists every file of the lesson',
      `listed ${listed.length}, in the folder ${folder.length}`);
check(/^[0-9a-f]{16}$/.test(version || ''), 'sw.js carries a version', version);
// The program's version, in the page and in the worker's cache name (the
// build's PROJECT_VERSION, when given after the folder).
const release = (workerText.match(/var RELEASE = '([^']*)'/) || [])[1];
// Each page of the folder, from lessons.json: its file, the lesson it starts
// (its title, the names of its problem), its manifest and program, and how
// that lesson is run through on it so that every kind of its texts is shown
// (RUNS, by the lesson's name): each run types into some boxes (by their
// order) and presses the steps by their captions; then a box typed so that
// the first step cannot run, and the first words of its message. A lesson without runs
// here is opened from the disk and checked as it starts.
const STEPS = ['点を打つ', 'さらに点を打つ', 'すべての点を打つ'];
const RUNS = {
  graph: { runs: [{ boxes: ['2', '3', '6'], steps: [...STEPS, '式を表示'] }], refused: [1, '0'], message: 'ｂが０なので' },
  // The intersection as a fraction, then what it says of parallel lines.
  system: { runs: [{ boxes: ['2', '3', '6', '1', '-1', '-3'], steps: [...STEPS, '交点を求める'] },
                   { boxes: ['2', '3', '6', '4', '6', '5'], steps: [...STEPS, '交点を求める'] }],
            refused: [4, '0'], message: '②の式で、ｂが０なので' },
  // The working of a fraction, the line and its equation; a coordinate of too many digits.
  twopoints: { runs: [{ boxes: ['-1', '2', '2', '4'], steps: ['２点をとる', '変化の割合', '直線を引く', '式を求める'] }],
               refused: [0, '12345678'], message: 'Ａのｘ座標は、けたが多すぎます' },
};
const PAGES = JSON.parse(fs.readFileSync(path.join(here, '..', 'lessons.json'), 'utf8')).lessons.map((l, i) => ({
  name: l.name, file: l.page, title: l.title, problem: l.problem, program: `${l.name}.js`,
  manifest: i === 0 ? 'manifest.webmanifest' : `${l.name}.webmanifest`, ...(RUNS[l.name] || { runs: [] }),
}));
const pageOf = (file) => fs.readFileSync(path.join(site, file), 'utf8');
const pageVersion = (pageOf(PAGES[0].file).match(/<meta name="version" content="([^"]*)">/) || [])[1];
for (const { name, file, problem, program, manifest } of PAGES) {
  if (!check(fs.existsSync(path.join(site, file)) && fs.existsSync(path.join(site, program))
             && fs.existsSync(path.join(site, manifest)), `${file}, ${program} and ${manifest} are in the folder`)) continue;
  const text = pageOf(file);
  const version = (text.match(/<meta name="version" content="([^"]*)">/) || [])[1];
  check(/^[0-9]+(\.[0-9]+)+$/.test(version || '') && (!process.argv[3] || version === process.argv[3]),
        `${file} names the program's version`, version);
  const named = [(text.match(/<html[^>]* data-lesson="([^"]*)"/) || [])[1], (text.match(/ data-problem="([^"]*)"/) || [])[1],
    (text.match(/ data-manifest="([^"]*)"/) || [])[1], (text.match(/<meta name="program" content="([^"]*)">/) || [])[1]];
  check(JSON.stringify(named) === JSON.stringify([name, problem.join(' '), manifest, program]),
        `${file} names its lesson, problem, manifest and program`, named.join(' | '));
}
check(release === pageVersion, 'sw.js names the same version', release);

// --- A server of a folder, on 127.0.0.1, that can be stopped ------------------
const TYPES = { '.html': 'text/html; charset=utf-8', '.js': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8', '.png': 'image/png', '.txt': 'text/plain; charset=utf-8',
  '.webmanifest': 'application/manifest+json' };
function serve(dir, port = 0) {
  const sockets = new Set();
  const requests = [];
  const server = http.createServer((req, res) => {
    const name = decodeURIComponent(new URL(req.url, 'http://x').pathname).replace(/^\/+/, '') || 'index.html';
    requests.push(name);
    const file = path.join(dir, name);
    if (name.includes('..') || name.includes('/') || !fs.existsSync(file)) { res.writeHead(404); res.end(); return; }
    res.writeHead(200, { 'Content-Type': TYPES[path.extname(name)] || 'application/octet-stream' });
    res.end(fs.readFileSync(file));
  });
  server.on('connection', (s) => { sockets.add(s); s.on('close', () => sockets.delete(s)); });
  return new Promise((resolve) => server.listen(port, '127.0.0.1', () => resolve({
    port: server.address().port,
    requests,
    stop: () => new Promise((done) => { server.close(done); for (const s of sockets) s.destroy(); }),
  })));
}

// --- The browser ----------------------------------------------------------------
const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'lesson-chromium-'));
const browser = await puppeteer.launch({
  executablePath: process.env.CHROME || '/usr/bin/chromium',
  headless: true,
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
         '--disable-component-update', '--disable-sync', `--user-data-dir=${profile}`],
});

// The moment the page is interactive, in ms from the start of its navigation.
const WATCH = `(() => {
  const seen = () => {
    if (window.__interactive !== undefined) return;
    const form = document.getElementById('form');
    const first = form && form.querySelector('input.box');
    if (first && getComputedStyle(form).visibility === 'visible' && document.activeElement === first)
      window.__interactive = performance.now();
  };
  new MutationObserver(seen).observe(document, { subtree: true, attributes: true, childList: true });
  document.addEventListener('focusin', seen, true);
})();`;

async function open(url) {
  const page = await browser.newPage();
  await page.setViewport({ width: 1024, height: 768 });
  const errors = [];
  page.on('console', (m) => { if (m.type() === 'error') errors.push(m.text()); });
  page.on('pageerror', (e) => errors.push(String(e)));
  page.on('requestfailed', (r) => errors.push(`${r.url()}: ${r.failure() && r.failure().errorText}`));
  await page.evaluateOnNewDocument(WATCH);
  return { page, errors };
}
async function interactive(page, url) {
  await page.goto(url, { waitUntil: 'load', timeout: 30000 });
  await page.waitForFunction(() => window.__interactive !== undefined, { timeout: 30000 });
  return page.evaluate(() => window.__interactive);
}
const faceLoaded = (page) => page.evaluate(() => [...document.fonts]
  .some((f) => f.family.replace(/"/g, '') === 'LessonGothic' && f.status === 'loaded'));
const cached = (page) => page.evaluate(async () => {
  const out = {};
  for (const name of await caches.keys())
    out[name] = (await (await caches.open(name)).keys()).map((r) => decodeURIComponent(new URL(r.url).pathname.slice(1)));
  return out;
});
const times = {};

// The manifest of the page on show: Chrome reads it without errors, finds its
// app installable, under the name the page's lesson has, with the icons it
// declares in the folder at their sizes.
async function installable(page, { file, title, manifest: name }) {
  const cdp = await page.createCDPSession();
  const manifest = await cdp.send('Page.getAppManifest');
  check(manifest.url.endsWith('/' + name) && manifest.errors.length === 0, `manifest: ${file}: ${name} parsed without errors`,
        manifest.url + ' ' + manifest.errors.map((e) => e.message).join(' | '));
  const { installabilityErrors } = await cdp.send('Page.getInstallabilityErrors');
  check(installabilityErrors.length === 0, `manifest: ${file}: Chrome finds the app installable`,
        installabilityErrors.map((e) => e.errorId).join(' | '));
  const declared = JSON.parse(fs.readFileSync(path.join(site, name), 'utf8'));
  check(declared.name === title, `manifest: ${name} names the app ${title}`, declared.name);
  for (const icon of declared.icons) {
    const png = fs.readFileSync(path.join(site, icon.src));
    const size = `${png.readUInt32BE(16)}x${png.readUInt32BE(20)}`;
    check(png.toString('latin1', 1, 4) === 'PNG' && size === icon.sizes, `manifest: ${name}: ${icon.src} is ${icon.sizes}`, size);
  }
  const { appId } = await cdp.send('Page.getAppId');
  return { appId, declared };
}

try {
  // --- Served over http, then offline, then a new build ------------------------
  let server = await serve(site);
  const url = `http://127.0.0.1:${server.port}/`;
  {
    const { page, errors } = await open(url);
    times['http, first visit'] = await interactive(page, url);
    check(await faceLoaded(page), 'http: the face is loaded');
    await page.waitForFunction(async () => (await navigator.serviceWorker.ready).active.state === 'activated'
      && !!navigator.serviceWorker.controller, { timeout: 30000 });
    const caches1 = await cached(page);
    const names = Object.keys(caches1);
    check(names.length === 1 && names[0].endsWith(` ${release} ${version}`), 'http: one cache, of this build',
          names.join(' | '));
    const kept = (caches1[names[0]] || []).slice().sort();
    check(JSON.stringify(kept) === JSON.stringify(folder), 'http: the cache holds every file of the lesson',
          `${kept.length} of ${folder.length}`);
    check(errors.length === 0, 'http: no error in the console', errors.join(' | '));

    // The other pages, under the same worker: each its own lesson, with its
    // own title and boxes.
    const lessonOf = () => page.evaluate(() => [document.title.split(' (')[0],
      document.querySelectorAll('#form input.box').length, !!navigator.serviceWorker.controller]);
    for (const { file, title, problem } of PAGES.slice(1)) {
      await page.evaluate(() => { window.__interactive = undefined; });
      times[`http, ${file}`] = await interactive(page, url + file);
      check(JSON.stringify(await lessonOf()) === JSON.stringify([title, problem.length, true]),
            `http: ${file} starts its lesson, under the service worker`, JSON.stringify(await lessonOf()));
      check(await faceLoaded(page), `http: ${file}: the face is loaded`);
      check(errors.length === 0, `http: ${file}: no error in the console`, errors.join(' | '));
    }

    // Offline: the server stopped, every page loaded again.
    await server.stop();
    errors.length = 0;
    const before = server.requests.length;
    const network = [];
    let total = 0;
    page.on('response', (r) => {
      if (r.url().startsWith('data:')) return;  // the program's module, inside its NAME.js
      ++total;
      if (!r.fromServiceWorker()) network.push(r.url());
    });
    for (const [i, { file, title }] of PAGES.entries()) {
      const at = i === 0 ? url : url + file;
      await page.evaluate(() => { window.__interactive = undefined; });
      times[i === 0 ? 'http, offline' : `http, offline, ${file}`] = await interactive(page, at);
      check(await faceLoaded(page), `offline: ${file}: the face is loaded`);
      check((await page.title()).startsWith(title), `offline: ${file} starts its lesson`, await page.title());
    }
    check(total > 0 && network.length === 0, 'offline: every file from the service worker',
          `${total - network.length} of ${total}` + (network.length ? `; not: ${network.join(' ')}` : ''));
    check(server.requests.length === before, 'offline: nothing reached the stopped server');
    check(errors.length === 0, 'offline: no error in the console', errors.join(' | '));

    // A new build on the server: its worker replaces the cache.
    const next = fs.mkdtempSync(path.join(os.tmpdir(), 'lesson-site-'));
    for (const name of filesOf(site)) fs.copyFileSync(path.join(site, name), path.join(next, name));
    fs.appendFileSync(path.join(next, 'lesson.css'), '\n/* the next build */\n');
    fs.writeFileSync(path.join(next, 'sw.js'), workerText.replace(version, 'f'.repeat(16)));
    server = await serve(next, server.port);
    await page.evaluate(async () => {
      const registration = await navigator.serviceWorker.ready;
      const changed = new Promise((resolve) => navigator.serviceWorker.addEventListener('controllerchange', resolve));
      await registration.update();
      await changed;
    });
    await page.waitForFunction(async () => (await caches.keys()).length === 1
      && (await caches.keys())[0].endsWith(' ffffffffffffffff'), { timeout: 30000 }).catch(() => {});
    const caches2 = await cached(page);
    check(Object.keys(caches2).length === 1 && Object.keys(caches2)[0].endsWith(' ' + 'f'.repeat(16)),
          'update: the new build\'s cache replaces the old one', Object.keys(caches2).join(' | '));
    const css = await page.evaluate(async () => (await caches.match('lesson.css')).text());
    check(css.includes('the next build'), 'update: the cache holds the new build\'s files');
    await server.stop();
    fs.rmSync(next, { recursive: true, force: true });
    await page.close();
  }

  // --- The manifest: installable, served from 127.0.0.1 --------------------------
  server = await serve(site);
  {
    const { page, errors } = await open(`http://127.0.0.1:${server.port}/`);
    // A tab with a page before the lesson: the page may not close it.
    await page.goto('data:text/html,<title>before</title>');
    await interactive(page, `http://127.0.0.1:${server.port}/`);
    const first = await installable(page, PAGES[0]);
    // Each other page: an app of its own, with the first one's icons.
    const apps = [first.appId];
    for (const lesson of PAGES.slice(1)) {
      const { file, manifest } = lesson;
      const { page: other, errors: otherErrors } = await open(`http://127.0.0.1:${server.port}/${file}`);
      await interactive(other, `http://127.0.0.1:${server.port}/${file}`);
      const { appId, declared } = await installable(other, lesson);
      check(!apps.includes(appId), `manifest: ${file} is an app of its own`, `${appId} | ${apps.join(' | ')}`);
      apps.push(appId);
      check(JSON.stringify(first.declared.icons) === JSON.stringify(declared.icons), `manifest: ${manifest} has the same icons`);
      check(declared.id === file && declared.start_url === file, `manifest: ${manifest} starts and names its app by ${file}`,
            `id ${declared.id}, start_url ${declared.start_url}`);
      check(otherErrors.length === 0, `http: ${file}: no error in the console`, otherErrors.join(' | '));
      await other.close();
    }

    // 「終　了」 where the tab cannot be closed: the closing screen, and from it the lesson again.
    await page.evaluate(() => [...document.querySelectorAll('#form button')].find((b) => b.textContent === '終　了').click());
    const ended = await page.waitForFunction(() => {
      const screen = document.getElementById('ended');
      return !screen.hidden && screen.offsetHeight > 0 && document.activeElement === document.getElementById('again');
    }, { timeout: 5000 }).then(() => true, () => false);
    check(ended, 'http: 「終　了」 shows the closing screen, its button focused');
    await page.evaluate(() => { window.__interactive = undefined; });
    await Promise.all([page.waitForNavigation(), page.click('#again')]);
    const again = await page.waitForFunction(() => window.__interactive !== undefined, { timeout: 30000 })
      .then(() => true, () => false);
    check(again, 'http: 「もう一度はじめる」 starts the lesson again');
    check(errors.length === 0, 'http: no error in the console', errors.join(' | '));
    await page.close();
  }
  await server.stop();

  // --- Opened from the disk ------------------------------------------------------
  for (const [i, { file, runs, refused, message: told }] of PAGES.entries()) {
    const fileUrl = pathToFileURL(path.join(site, file)).href;
    const { page, errors } = await open(fileUrl);
    times[i === 0 ? 'file://' : `file://, ${file}`] = await interactive(page, fileUrl);
    check(await faceLoaded(page), `file: ${file}: the face is loaded`);
    const press = async (caption) => {
      const pressed = await page.evaluate((caption) => {
        const button = [...document.querySelectorAll('#form button')].find((b) => b.textContent === caption);
        if (!button || button.classList.contains('disabled')) return false;  // greyed
        button.click();
        return true;
      }, caption);
      check(pressed, `file: ${file}: 「${caption}」 can be pressed`);
    };
    const type = async (box, text) => {
      await page.evaluate((box) => {
        const input = document.querySelectorAll('#form input.box')[box];
        input.focus();
        input.select();
      }, box);
      await page.keyboard.type(text);
    };
    // What Chrome drew each text with, summed over every look.
    const cdp = await page.createCDPSession();
    await cdp.send('DOM.enable');
    await cdp.send('CSS.enable');
    const families = new Map();
    const look = async () => {
      const { root } = await cdp.send('DOM.getDocument', { depth: -1 });
      const { nodeIds } = await cdp.send('DOM.querySelectorAll', { nodeId: root.nodeId, selector: '#form > *, dialog#message *' });
      for (const nodeId of nodeIds) {
        const { fonts } = await cdp.send('CSS.getPlatformFontsForNode', { nodeId });
        for (const f of fonts) families.set(f.familyName, (families.get(f.familyName) || 0) + f.glyphCount);
      }
    };
    // The lesson through, then a message, so that every kind of text is on the page.
    for (const run of runs) {
      for (const [box, text] of run.boxes.entries()) await type(box, text);
      for (const caption of run.steps) await press(caption);
      await look();
    }
    if (refused) {
      await type(...refused);
      await press(runs[0].steps[0]);
      const message = await page.waitForSelector('dialog#message[open]', { timeout: 5000 }).catch(() => null);
      const text = message && await page.$eval('dialog#message .text', (el) => el.textContent);
      check(!!text && text.startsWith(told), `file: ${file}: the lesson runs (a box it cannot read gives its message)`, text);
    } else {
      console.log(`note file: ${file}: no run of its lesson here; the texts it shows at the start checked`);
    }
    await look();
    const names = [...families.keys()];
    check(names.length === 1 && names[0] === 'LessonGothic', `file: ${file}: every text is drawn with the lesson's face`,
          [...families].map(([n, c]) => `${n} ${c} glyphs`).join(', '));
    check(errors.length === 0, `file: ${file}: no error in the console`, errors.join(' | '));
    await page.close();
  }
  {
    const fileUrl = pathToFileURL(path.join(site, PAGES[0].file)).href;
    // A tab opened on the lesson alone (as a double-click opens it): 「終　了」 closes it.
    const session = await browser.target().createCDPSession();
    const { targetId } = await session.send('Target.createTarget', { url: fileUrl });
    const tab = await (await browser.waitForTarget((t) => t._targetId === targetId)).page();
    await tab.waitForFunction(() => document.activeElement && document.activeElement.matches('input.box'),
                              { timeout: 30000 });
    const closed = new Promise((resolve) => tab.once('close', () => resolve(true)));
    await tab.evaluate(() => [...document.querySelectorAll('#form button')].find((b) => b.textContent === '終　了').click())
      .catch(() => {});  // the tab may be gone before the answer
    check(await Promise.race([closed, new Promise((resolve) => setTimeout(resolve, 5000, false))]),
          'file: 「終　了」 closes a tab that holds the lesson alone');
  }
} catch (e) {
  check(false, 'the checks ran to the end', e && e.stack || String(e));
} finally {
  await browser.close();
  fs.rmSync(profile, { recursive: true, force: true });
}

for (const [what, ms] of Object.entries(times)) console.log(`     interactive after ${ms.toFixed(0)} ms (${what})`);
console.log(failures ? `${failures} check(s) failed` : 'all checks passed');
process.exit(failures ? 1 : 0);
