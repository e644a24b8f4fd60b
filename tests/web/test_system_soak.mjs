// A long, seeded run of random use of the second lesson (system.html),
// checked after every action against a model of the lesson kept here: the
// flags and the enabled steps, the size and the origin, the messages and the
// equation they name, and above all every intersection shown, which must be
// exactly where the two lines of the last run meet, worked out here by
// Cramer's rule over BigInt from the decimals as typed. The statement of
// parallel lines or of one line, the rows of the equations shown or left
// empty, and the magenta ring on the plane where the lesson has just drawn
// it are checked with it.
//
// The actions: whole numbers and decimals (up to three places, now and then in
// full-width forms, or an empty box) typed into the six boxes; the buttons
// clicked (disabled ones too) and Enter on the focused one; the arrow keys on
// the plane; drags by the mouse and by a finger.
//
// A failure names the seed and the step; LG_SOAK_SEED and LG_SOAK_STEPS replay
// or lengthen a run, LG_SOAK_TRACE=1 prints every action.
import assert from 'node:assert/strict';
import { test } from 'node:test';

import { Lesson, SYSTEM, SYSTEM_MESSAGES, SYSTEM_STATEMENTS, useBrowser } from './harness.mjs';

const browser = useBrowser();

const SEED = Number(process.env.LG_SOAK_SEED || 20261209) >>> 0;
const STEPS = Number(process.env.LG_SOAK_STEPS || 800);
const TRACE = process.env.LG_SOAK_TRACE === '1';
const NAMES = ['①', '②'];
const { parallel: PARALLEL, same: SAME_LINE } = SYSTEM_STATEMENTS;

// A small seeded generator (mulberry32).
function generator(seed) {
  let a = seed;
  const next = () => {
    a = (a + 0x6D2B79F5) >>> 0;
    let t = a;
    t = Math.imul(t ^ (t >>> 15), t | 1);
    t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
    return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
  };
  const pick = (n) => Math.floor(next() * n);
  return { pick, pickOf: (list) => list[pick(list.length)] };
}

// --- Exact numbers ------------------------------------------------------------

// A typed number: its text and its value in thousandths (every text typed here
// has at most three places), exactly.
const EMPTY = { text: '', milli: 0n };
const abs = (n) => (n < 0n ? -n : n);
const gcd = (a, b) => {
  a = abs(a);
  b = abs(b);
  while (b) [a, b] = [b, a % b];
  return a;
};
// p / q in lowest terms, the denominator positive.
function fraction(p, q) {
  if (q < 0n) [p, q] = [-p, -q];
  const g = gcd(p, q) || 1n;
  return { num: p / g, den: q / g };
}

// Where a₁x + b₁y = c₁ and a₂x + b₂y = c₂ meet, by Cramer's rule (all six in
// thousandths, which changes no solution): a point, parallel lines or one line.
// A coordinate whose numerator or denominator has more than seven digits
// cannot be shown.
function meeting(boxes) {
  const [a1, b1, c1, a2, b2, c2] = boxes.map((b) => b.milli);
  const d = a1 * b2 - a2 * b1;
  if (d === 0n) return { kind: a1 * c2 === a2 * c1 && b1 * c2 === b2 * c1 ? 'same' : 'parallel' };
  const x = fraction(c1 * b2 - c2 * b1, d), y = fraction(a1 * c2 - a2 * c1, d);
  const big = (f) => abs(f.num) >= 10000000n || f.den >= 10000000n;
  return big(x) || big(y) ? { kind: 'tooLarge' } : { kind: 'point', x, y };
}

// Whether the equation a·x + b·y = c solved for y can be shown: both its
// fractions with a denominator up to 32767 and a numerator of up to 15 digits.
function showable([a, b, c]) {
  const fits = (f) => f.den <= 32767n && abs(f.num) <= 999999999999999n;
  return fits(fraction(-a.milli, b.milli)) && fits(fraction(c.milli, b.milli));
}

// A typed number times a whole number, as the learner would type it.
function multiple({ milli }, k) {
  const n = milli * BigInt(k), digits = String(abs(n)).padStart(4, '0');
  const text = `${digits.slice(0, -3)}.${digits.slice(-3)}`.replace(/\.?0+$/, '');
  return { text: (n < 0n ? '-' : '') + text, milli: n };
}

// Texts a learner may type: whole numbers, decimals, empty boxes.
function typist({ pick, pickOf }) {
  const wide = (text) => [...text].map((ch) => (ch >= '0' && ch <= '9' ? String.fromCharCode(0xFF10 + ch.charCodeAt(0) - 48)
    : ch === '-' ? '－' : ch === '.' ? '．' : ch)).join('');
  return () => {
    const kind = pick(20);
    if (kind === 0) return EMPTY;
    if (kind === 1) return { text: '0', milli: 0n };
    const places = kind < 6 ? pickOf([1, 1, 2, 3]) : 0;
    const n = places ? pick(places === 3 ? 4001 : 401) - (places === 3 ? 2000 : 200)
      : pickOf([pick(25) - 12, pick(25) - 12, pick(25) - 12, pick(121) - 60]);
    let digits = String(Math.abs(n)).padStart(places + 1, '0');
    if (places) digits = `${digits.slice(0, digits.length - places)}.${digits.slice(digits.length - places)}`;
    let text = (n < 0 ? '-' : '') + digits;
    if (pick(6) === 0) text = wide(text);
    return { text, milli: BigInt(n) * 10n ** BigInt(3 - places) };
  };
}

// --- The run -------------------------------------------------------------------

const BUTTONS = ['Command2', 'Command3(0)', 'Command3(1)', 'Command3(2)', 'Command4(0)', 'Command4(1)', 'Command5', 'Command6',
  'Command4(0)', 'Command4(1)', 'Command5', 'Command6', 'Command5', 'Command6'];

class Soak {
  constructor(lesson, seed) {
    this.l = lesson;
    this.rng = generator(seed);
    this.next = typist(this.rng);
    this.step = 0;
    this.seen = 0;
    this.counts = { runs: 0, refused: 0, points: 0, looks: 0, parallel: 0, same: 0, tooLarge: 0, rows: 0, rings: 0, drags: 0, swipes: 0, arrows: 0 };
    this.reset(22);
  }

  // The lesson as 「初期画面」 leaves it (the size kept).
  reset(unit) {
    this.m = { unit, ox: 300, oy: 300, dragging: false, lastX: 0, lastY: 0, points: false, morePoints: false, line: false,
      solution: false, c5: false, c6: false, box: Array(6).fill(EMPTY), lastRun: null, shown: null, ringFresh: false };
  }

  trace(...what) { if (TRACE) console.log(`step ${this.step}:`, ...what); }
  fail(what) { assert.fail(`seed ${SEED}, step ${this.step}: ${what}`); }

  // The messages since the last look, each closed in turn as a learner does
  // (the next is shown once the one before is closed); not while a pointer
  // drags, when the learner lets go first.
  async messages(close = true) {
    const told = [];
    for (;;) {
      const shown = await this.l.shown();
      told.push(...shown.slice(this.seen));
      this.seen = shown.length;
      if (!close || !(await this.l.messageOpen())) break;
      await this.l.closeMessage(this.rng.pickOf(['click', 'Enter', 'Escape']));
    }
    if (told.length) this.trace('  told', JSON.stringify(told));
    return told;
  }

  expect(told, want, what) {
    if (JSON.stringify(told) !== JSON.stringify(want))
      this.fail(`${what}: told ${JSON.stringify(told)}, expected ${JSON.stringify(want)}`);
  }

  // A plotting run of the boxes as they are: both equations plot unless one
  // has b = 0 (① is named first); true when it plotted.
  run(told, what) {
    const zero = [1, 4].findIndex((i) => this.m.box[i].milli === 0n);
    if (zero >= 0) {
      this.expect(told, [SYSTEM_MESSAGES.plot(NAMES[zero], 'bIsZero')], what);
      ++this.counts.refused;
      return false;
    }
    this.expect(told, [], what);
    this.m.lastRun = [...this.m.box];
    this.m.c5 = true;
    ++this.counts.runs;
    return true;
  }

  // The plane drawn afresh (a size, a step of a drag, an arrow key): the runs
  // shown are run again, then the lines and the ring.
  replay(told, what) {
    this.m.ringFresh = false;
    if (this.m.points || this.m.morePoints) {
      if (!this.run(told, what)) return false;
    } else {
      this.expect(told, [], what);
    }
    this.m.ringFresh = this.m.solution;
    return true;
  }

  async pressed(name, enabled) {
    const m = this.m;
    const told = await this.messages();
    const what = `${name}${enabled ? '' : ' (disabled)'}`;
    if (name === 'Command2') {
      this.reset(m.unit);
      this.expect(told, [], what);
    } else if (name.startsWith('Command3(')) {
      m.unit = [40, 22, 14][Number(name[9])];
      this.replay(told, what);
    } else if (name.startsWith('Command4(')) {
      if (this.run(told, what)) {
        if (name === 'Command4(0)') m.points = true; else m.morePoints = true;
        m.ringFresh = false;
      }
    } else if (name === 'Command5' && enabled) {
      this.expect(told, [], what);
      Object.assign(m, { line: true, c6: true, ringFresh: false });
    } else if (name === 'Command6' && enabled) {
      // Both equations of the last run, then where they meet.
      const want = [0, 1].filter((e) => !showable(m.lastRun.slice(3 * e, 3 * e + 3)))
        .map((e) => SYSTEM_MESSAGES.cannotShow(NAMES[e]));
      const at = meeting(m.lastRun);
      if (at.kind === 'tooLarge') want.push(SYSTEM_MESSAGES.pointTooLarge);
      this.expect(told, want, what);
      m.shown = { rows: [0, 1].map((e) => showable(m.lastRun.slice(3 * e, 3 * e + 3))), at, of: m.lastRun };
      m.solution = at.kind === 'point';
      m.ringFresh = m.solution;
    } else {
      this.expect(told, [], what);
    }
  }

  async act() {
    const { pick, pickOf } = this.rng;
    const l = this.l;
    const what = pick(100);
    if (what < 28) {
      // One box, or the three of an equation, or all six.
      const first = what < 16 ? pick(6) : what < 22 ? 3 * pick(2) : 0;
      const count = what < 16 ? 1 : what < 22 ? 3 : 6;
      // Now and then ② is ① times a whole number, its c kept or not:
      // one line twice, or parallel lines.
      const times = count === 3 && first === 3 && pick(2) ? pickOf([2, -1, 3, -2, 10]) : 0;
      for (let i = first; i < first + count; ++i) {
        let value = this.next();
        if (times && (i < 5 || pick(2))) value = multiple(this.m.box[i - 3], times);
        this.trace('type', i, JSON.stringify(value.text));
        await l.fill(i, value.text);
        this.m.box[i] = value;
      }
      this.expect(await this.messages(), [], 'typing');
    } else if (what < 72) {
      const name = pickOf(BUTTONS);
      const enabled = await l.enabled(name);
      this.trace('click', name, enabled ? '' : '(disabled)');
      await l.click(name);
      await this.pressed(name, enabled);
    } else if (what < 80) {
      const focus = await l.focused();
      if (!focus || !/^Command[2-6]/.test(focus)) return;
      this.trace('Enter on', focus);
      await l.press('Enter');
      await this.pressed(focus, true);
    } else if (what < 85) {
      await l.page.focus('[data-name="Picture1"]');
      const which = pick(4);
      this.trace('arrow', which);
      await l.press(['ArrowLeft', 'ArrowUp', 'ArrowRight', 'ArrowDown'][which]);
      ++this.counts.arrows;
      this.m.ox = Math.min(540, Math.max(60, this.m.ox + [-1, 0, 1, 0][which] * this.m.unit));
      this.m.oy = Math.min(540, Math.max(60, this.m.oy + [0, -1, 0, 1][which] * this.m.unit));
      this.replay(await this.messages(), 'an arrow key');
    } else {
      await this.drag(pick(4) === 0);
    }
  }

  // A drag by the mouse (any button) or a finger, through a few points of the
  // plane; each move draws everything again.
  async drag(finger) {
    const { pick, pickOf } = this.rng;
    const l = this.l;
    const button = pickOf(['left', 'right', 'middle']);
    const start = [pick(600), pick(600)];
    this.trace(finger ? 'swipe' : `drag ${button}`, 'from', start);
    if (finger) await l.page.touchscreen.touchStart(16 + start[0], 32 + start[1]);
    else {
      await l.page.mouse.move(16 + start[0], 32 + start[1]);
      await l.page.mouse.down({ button });
    }
    Object.assign(this.m, { dragging: true, lastX: start[0], lastY: start[1] });
    ++this.counts[finger ? 'swipes' : 'drags'];
    for (let k = 1 + pick(5); k > 0; --k) {
      const x = Math.min(620, Math.max(-10, this.m.lastX + pick(81) - 40));
      const y = Math.min(620, Math.max(-10, this.m.lastY + pick(81) - 40));
      this.trace('  to', x, y);
      if (finger) await l.touchMove(16 + x, 32 + y); else await l.page.mouse.move(16 + x, 32 + y);
      if (this.m.dragging) {
        this.m.ox = Math.min(540, Math.max(60, this.m.ox + (x - this.m.lastX)));
        this.m.oy = Math.min(540, Math.max(60, this.m.oy + (y - this.m.lastY)));
        if (this.replay(await this.messages(false), 'a step of a drag')) Object.assign(this.m, { lastX: x, lastY: y });
        else this.m.dragging = false;
      }
      await this.check();
    }
    if (finger) await l.page.touchscreen.touchEnd(); else await l.page.mouse.up({ button });
    this.m.dragging = false;
    await this.messages();
  }

  // What the learner sees, against the model.
  async check() {
    const m = this.m;
    const page = await this.l.page.evaluate(() => {
      const byName = (n) => document.querySelector(`[data-name="${n}"]`);
      const visible = (el) => getComputedStyle(el).visibility !== 'hidden';
      const text = (n) => (visible(byName(n)) ? byName(n).textContent : '');
      return {
        state: JSON.parse(Module.ccall('lg_inspect', 'string', [], [])),
        enabled: ['Command5', 'Command6'].map((n) => byName(n).getAttribute('aria-disabled') !== 'true'),
        rows: [0, 1].map((e) => text(`Label8(${e})`) !== ''),
        point: [...Array(11).keys()].map((i) => text(`Label9(${i})`)),
        bars: [0, 1].map((i) => visible(byName(`Line2(${i})`))),
        statement: text('Label10'),
        shown: window.__lgShown.length,
      };
    });
    const s = page.state;
    const now = [s.unitSize, s.originX.v, s.originY.v, s.dragging.v === 1, s.pointsShown.v === 1, s.morePointsShown.v === 1,
      s.lineShown === 1, s.solutionShown === 1, ...page.enabled];
    const want = [m.unit, m.ox, m.oy, m.dragging, m.points, m.morePoints, m.line, m.solution, m.c5, m.c6];
    if (JSON.stringify(now) !== JSON.stringify(want))
      this.fail(`the lesson stands at ${JSON.stringify(now)}, expected ${JSON.stringify(want)} ` +
        '(unit, origin, dragging, points, more points, line, solution, すべての点を打つ, 交点を求める); ' +
        `the last run ${m.lastRun && m.lastRun.map((b) => JSON.stringify(b.text)).join(', ')}, its meeting ${JSON.stringify(s.meeting)}`);
    if (page.shown !== this.seen) this.fail('a message nobody accounted for');
    this.checkShown(page);
    if (m.ringFresh && m.lastRun) await this.checkRing();
  }

  // The intersection (or the statement) and the rows of the equations, against
  // the exact solution of the system of the last run before 「交点を求める」.
  checkShown({ rows, point, bars, statement }) {
    const shown = this.m.shown;
    const system = shown ? shown.of.map((b) => JSON.stringify(b.text)).join(', ') : '';
    if (!shown) {
      if (rows.some(Boolean) || point.some((t) => t) || statement) this.fail('something shown before 交点を求める');
      return;
    }
    if (JSON.stringify(rows) !== JSON.stringify(shown.rows)) this.fail(`rows ${rows} shown for ${system}`);
    const { at } = shown;
    const wantStatement = { parallel: PARALLEL, same: SAME_LINE }[at.kind] || '';
    if (statement !== wantStatement) this.fail(`the statement '${statement}' for ${system}`);
    if (at.kind !== 'point') {
      if (point.some((t) => t)) this.fail(`an intersection shown for ${system} (${at.kind})`);
      return;
    }
    // A coordinate as shown: its sign, then a whole number or a fraction over its bar.
    const coordinate = (first, bar) => {
      const number = (t) => {
        if (!/^ \d+$/.test(t)) this.fail(`not a whole number: '${t}' in ${point.join('|')}`);
        return BigInt(t.slice(1));
      };
      const sign = point[first] === '－' ? -1n : 1n;
      if (point[first] && sign === 1n) this.fail(`a sign '${point[first]}'`);
      if (point[first + 1]) {
        if (point[first + 2] || point[first + 3] || bars[bar]) this.fail(`a whole number and a fraction: ${point.join('|')}`);
        return { num: sign * number(point[first + 1]), den: 1n };
      }
      if (!bars[bar]) this.fail(`a fraction without its bar: ${point.join('|')}`);
      const num = number(point[first + 2]), den = number(point[first + 3]);
      if (den < 2n || gcd(num, den) !== 1n) this.fail(`a fraction not in lowest terms: ${point.join('|')}`);
      return { num: sign * num, den };
    };
    if (point[0] !== '（ｘ，ｙ）＝（' || point[5] !== '，' || point[10] !== '）') this.fail(`the frame of the point: ${point.join('|')}`);
    const x = coordinate(1, 0), y = coordinate(6, 1);
    if (x.num !== at.x.num || x.den !== at.x.den || y.num !== at.y.num || y.den !== at.y.den)
      this.fail(`(${x.num}/${x.den}, ${y.num}/${y.den}) shown for ${system}, which meet at ` +
        `(${at.x.num}/${at.x.den}, ${at.y.num}/${at.y.den})`);
    ++this.counts.looks;
  }

  // Right after the ring is drawn it is around the intersection shown (where
  // the lines of the last run before 「交点を求める」 meet).
  async checkRing() {
    const at = this.m.shown && this.m.shown.at;
    if (!at || at.kind !== 'point') return;
    const X = this.m.ox + this.m.unit * Number(at.x.num) / Number(at.x.den);
    const Y = this.m.oy - this.m.unit * Number(at.y.num) / Number(at.y.den);
    if (X < 12 || X > 588 || Y < 12 || Y > 588) return;
    const colours = await this.l.page.evaluate((X, Y) => {
      const g = document.querySelector('[data-name="Picture1"]').getContext('2d');
      return [[10, 0], [-10, 0], [0, 10], [0, -10]].map(([dx, dy]) =>
        [...g.getImageData(Math.floor(X + dx), Math.floor(Y + dy), 1, 1).data.slice(0, 3)]);
    }, X, Y);
    // (Magenta, or smoothed into what lies under it where its centre is not
    // on a whole pixel: no other mark has red and blue both.)
    if (!colours.every(([r, g, b]) => r >= 200 && g <= 40 && b >= 200))
      this.fail(`no magenta ring at (${X.toFixed(1)}, ${Y.toFixed(1)}): ${colours.join(' ')}`);
    ++this.counts.rings;
  }
}

test(`${STEPS} random actions on the second lesson (seed ${SEED})`, { timeout: 1800000 }, async () => {
  const lesson = await Lesson.open(browser(), { touch: true }, SYSTEM);
  const soak = new Soak(lesson, SEED);
  // What was shown, counted once for each 「交点を求める」.
  let last = null;
  for (soak.step = 1; soak.step <= STEPS; ++soak.step) {
    await soak.act();
    await soak.check();
    const shown = soak.m.shown;
    if (shown && shown !== last) {
      ++soak.counts[shown.at.kind === 'point' ? 'points' : shown.at.kind];
      soak.counts.rows += shown.rows.filter(Boolean).length;
      last = shown;
    }
  }
  const c = soak.counts;
  console.log(`soaked ${STEPS} actions on the second lesson (seed ${SEED}): ${c.runs} runs plotted and ${c.refused} refused; ` +
    `${c.points} intersections, ${c.parallel} parallel pairs, ${c.same} lines twice and ${c.tooLarge} too large checked ` +
    `against the exact solution (the point shown looked at ${c.looks} times), ${c.rows} equations shown; ` +
    `${c.rings} rings seen where drawn; ` +
    `${c.drags} drags, ${c.swipes} finger drags, ${c.arrows} arrow keys`);
  assert.ok(c.points > 0 && c.rings > 0 && c.refused > 0 && c.drags > 0 && c.swipes > 0, JSON.stringify(c));
  await lesson.close();
});
