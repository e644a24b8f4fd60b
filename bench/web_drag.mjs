// How long one step of a drag takes in the page, beside what one frame costs
// at the least, in the machine's own headless Chromium.
//
//   node bench/web_drag.mjs <site-folder> [steps]
//
// A step is measured from the handled pointer move until the canvas is drawn
// (its pixels read back, which makes the browser draw what it was asked to);
// the floor is filling the whole 600 × 600 canvas once, read back the same
// way. Every unit (40, 22, 14) with nothing shown and with both point runs
// and the line, at full speed and with the processor slowed 4 times (about a
// first-phase school Chromebook); beside them every other lesson of
// lessons.json on its own page, with everything shown (the second's: both
// equations' point runs, both lines and the intersection's ring; a lesson
// not in SHOWN below with nothing shown); then once more in a window of
// 1000 × 700 at a density of 1.5, where the form's scale is not whole and a
// slow drag moves the plane by fractions of a pixel. Also the time until each
// page is interactive.
import { fileURLToPath, pathToFileURL } from 'node:url';
import fs from 'node:fs';
import path from 'node:path';
import puppeteer from '../tests/web/node_modules/puppeteer-core/lib/esm/puppeteer/puppeteer-core.js';

const site = path.resolve(process.argv[2] || 'build-web/site');
const steps = Number(process.argv[3] || 300);
const browser = await puppeteer.launch({
  executablePath: '/usr/bin/chromium',
  headless: true,
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
         '--disable-component-update', '--disable-sync'],
});

const median = (xs) => { const s = [...xs].sort((a, b) => a - b); return s[Math.floor(s.length / 2)]; };

// What is typed and pressed on each lesson's page for everything to be shown.
const SHOWN = {
  graph: { boxes: ['1', '3', '1'], steps: ['Command4(0)', 'Command4(1)', 'Command5'] },
  system: { boxes: ['2', '3', '6', '1', '-1', '-3'], steps: ['Command4(0)', 'Command4(1)', 'Command5', 'Command6'] },
  twopoints: { boxes: ['-1', '2', '2', '4'], steps: ['Command4(0)', 'Command4(1)', 'Command5', 'Command6'] },
};
// The lessons of lessons.json, each on its page: the first also with nothing shown.
const here = path.dirname(fileURLToPath(import.meta.url));
const LESSONS = JSON.parse(fs.readFileSync(path.join(here, '..', 'lessons.json'), 'utf8')).lessons.map((l, i) => ({
  name: l.name, file: l.page, ...(SHOWN[l.name] || {}), nothing: i === 0 || !SHOWN[l.name],
}));

async function open(view = { width: 876, height: 650, deviceScaleFactor: 1 }, file = 'index.html') {
  const page = await browser.newPage();
  await page.setViewport(view);
  const started = Date.now();
  await page.goto(pathToFileURL(path.join(site, file)).href);
  await page.waitForFunction(() => document.getElementById('form').style.visibility === 'visible' &&
                                   document.activeElement && document.activeElement.dataset.name === 'Text1(0)');
  return { page, interactive: Date.now() - started };
}

// In the page: the steps of a drag, and the floor, in milliseconds.
async function measure(page, unit, shown, fractional) {
  return page.evaluate(async (unit, shown, steps, fractional) => {
    const q = (name) => document.querySelector(`[data-name="${name}"]`);
    q('Command2').click();
    q({ 40: 'Command3(0)', 22: 'Command3(1)', 14: 'Command3(2)' }[unit]).click();
    if (shown) {
      for (const [i, v] of shown.boxes.entries()) {
        const box = q(`Text1(${i})`);
        box.value = v;
        box.dispatchEvent(new Event('input'));
      }
      for (const step of shown.steps) q(step).click();
      // (Everything is shown: the line's button enabled, the intersection's slots seen.)
      const seen = (name) => getComputedStyle(q(name)).visibility !== 'hidden';
      if (q('Command5').getAttribute('aria-disabled') === 'true' || (shown.steps.includes('Command6') && !seen('Label9(0)')))
        throw new Error(`${shown.file}: not everything is shown`);
    }
    const canvas = q('Picture1');
    const ctx = canvas.getContext('2d');
    const r = canvas.getBoundingClientRect();
    const event = (type, x, y, buttons) => new PointerEvent(type, {
      pointerId: 1, pointerType: 'mouse', button: 0, buttons, bubbles: true,
      clientX: r.left + x * r.width / 600, clientY: r.top + y * r.height / 600,
    });
    // The page's clock is coarse (0.1 ms): steps are timed in batches of 20,
    // each batch giving the time of one of its steps.
    const batch = 20;
    let n = 0;
    canvas.dispatchEvent(event('pointerdown', 300, 300, 1));
    const times = [];
    for (let b = 0; b < steps / batch; ++b) {
      const t0 = performance.now();
      for (let i = 0; i < batch; ++i) {
        const away = i % 2 === 0;
        ++n;
        if (fractional) canvas.dispatchEvent(event('pointermove', 300 + (n * 0.37) % 30, 300 - (n * 0.23) % 20, 1));
        else canvas.dispatchEvent(event('pointermove', away ? 310 : 300, away ? 295 : 300, 1));
        ctx.getImageData(0, 0, 1, 1);
      }
      times.push((performance.now() - t0) / batch);
    }
    canvas.dispatchEvent(event('pointerup', 300, 300, 0));
    const floors = [];
    for (let b = 0; b < steps / batch; ++b) {
      const t0 = performance.now();
      for (let i = 0; i < batch; ++i) {
        ctx.fillStyle = i % 2 ? '#ffffc0' : '#ffffff';
        ctx.fillRect(0, 0, canvas.width, canvas.height);
        ctx.getImageData(0, 0, 1, 1);
      }
      floors.push((performance.now() - t0) / batch);
    }
    q('Command2').click();
    return { times, floors };
  }, unit, shown, steps, fractional);
}

const runs = [
  { title: '', view: undefined, fractional: false },
  { title: ', 1000 × 700 at density 1.5, moves by fractions', view: { width: 1000, height: 700, deviceScaleFactor: 1.5 },
    fractional: true },
];
for (const run of runs) {
  const pages = [];
  for (const lesson of LESSONS) {
    const { page, interactive } = await open(run.view, lesson.file);
    pages.push({ lesson, page, cdp: await page.target().createCDPSession() });
    if (!run.fractional) console.log(`${lesson.file}: interactive after ${interactive} ms`);
  }
  for (const rate of [1, 4]) {
    console.log(`\nprocessor slowed ${rate}x${run.title}`);
    for (const unit of [40, 22, 14]) {
      for (const { lesson, page, cdp } of pages) {
        await page.bringToFront();
        await cdp.send('Emulation.setCPUThrottlingRate', { rate });
        for (const shown of [...(lesson.nothing ? [false] : []), ...(lesson.boxes ? [true] : [])]) {
          const { times, floors } = await measure(page, unit, shown && lesson, run.fractional);
          const step = median(times), floor = median(floors);
          console.log(`  ${lesson.name.padEnd(10)} unit ${unit}, ${shown ? 'all shown   ' : 'nothing shown'}: step ${step.toFixed(3)} ms` +
                      ` (slowest batch ${Math.max(...times).toFixed(2)} ms), floor ${floor.toFixed(3)} ms, ${(step / floor).toFixed(1)}x`);
        }
        await cdp.send('Emulation.setCPUThrottlingRate', { rate: 1 });
      }
    }
  }
  for (const { page } of pages) await page.close();
}
await browser.close();
