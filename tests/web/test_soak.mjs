// A long, seeded run of random use of the lesson in the browser, checked
// after every step against a model of the lesson kept here: the flags, the
// enabled buttons, the size and its highlight, the origin, the messages, the
// red line and, whenever an equation is shown, that it is exactly the line of
// the equation that was plotted, worked out here with exact fractions
// (BigInt) from the decimals as they were typed.
//
// The actions: typing coefficients into the boxes (decimals, exponents,
// full-width forms, blanks, tails that end a number, empty boxes, numbers too
// large), clicking the buttons (disabled ones too), Enter, Space, Tab and the
// arrow keys on whatever has the focus, drags by any mouse button and by a
// finger, in and out of the plane and past its limits, and now and then the
// end of the lesson and its new start.
//
// A failure names the seed and the step; LG_SOAK_SEED and LG_SOAK_STEPS replay
// or lengthen a run, LG_SOAK_TRACE=1 prints every action.
import assert from 'node:assert/strict';
import { test } from 'node:test';

import { Lesson, MESSAGES, useBrowser } from './harness.mjs';

const browser = useBrowser();

const SEED = Number(process.env.LG_SOAK_SEED || 20261208) >>> 0;
const STEPS = Number(process.env.LG_SOAK_STEPS || 1200);
const TRACE = process.env.LG_SOAK_TRACE === '1';
const KNOWN = Object.values(MESSAGES);

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

// --- The exact model of a typed number and of the equation's fractions ----

// A coefficient: its text, the value the program computes with, and the exact
// decimal mantissa × 10^exp it stands for (known false when the program keeps
// no exact form of it: too many digits, an infinite reading).
const coefficient = (text, value, mantissa, exp = 0, known = true) => ({ text, value, exact: { known, mantissa: BigInt(mantissa), exp } });
const EMPTY = coefficient('', 0, 0);

const gcd = (a, b) => {
  a = a < 0n ? -a : a;
  b = b < 0n ? -b : b;
  while (b) [a, b] = [b, a % b];
  return a;
};

// p / q (or −p / q) in lowest terms, and whether it can be shown: a
// denominator up to 32767, a numerator of up to 15 digits.
function quotient(p, q, negate) {
  const f = { shown: false, num: 0n, den: 1n };
  if (!p.known || !q.known || q.mantissa === 0n) return f;
  if (p.mantissa === 0n) return { shown: true, num: 0n, den: 1n };
  const shift = p.exp - q.exp;
  if (shift > 33 || shift < -33) return f;
  let num = negate ? -p.mantissa : p.mantissa, den = q.mantissa;
  if (shift > 0) num *= 10n ** BigInt(shift); else den *= 10n ** BigInt(-shift);
  if (den < 0n) [num, den] = [-num, -den];
  const g = gcd(num, den);
  num /= g;
  den /= g;
  const most = 999999999999999n;
  return { shown: den <= 32767n && num <= most && num >= -most, num, den };
}

// Texts a learner may type, each with the value it stands for.
function typist(rng) {
  const { pick, pickOf } = rng;
  // Full-width forms, blanks inside the number, and a tail that ends it.
  const dress = (text) => {
    if (pick(4) === 0) {
      text = [...text].map((ch) => {
        if (ch >= '0' && ch <= '9') return String.fromCharCode(0xFF10 + ch.charCodeAt(0) - 48);
        if (ch === '-') return pick(2) ? '\uFF0D' : '\u2212';
        if (ch === '+') return '\uFF0B';
        if (ch === '.') return '\uFF0E';
        return ch;
      }).join('');
    }
    if (pick(6) === 0 && text.length > 1) {
      const at = 1 + pick(text.length - 1);
      text = text.slice(0, at) + (pick(3) ? ' ' : '\u3000') + text.slice(at);
    }
    if (pick(8) === 0) text += pickOf(['x', '/3', ',5', 'ｙ', '?']);
    return text;
  };
  // n / 10^places written as a decimal, then dressed.
  const decimal = (n, places) => {
    let digits = String(Math.abs(n));
    while (digits.length <= places) digits = '0' + digits;
    let text = places ? `${digits.slice(0, digits.length - places)}.${digits.slice(digits.length - places)}` : digits;
    if (text.startsWith('0.') && pick(2)) text = text.slice(1);  // ".5"
    if (n < 0) text = '-' + text; else if (pick(5) === 0) text = '+' + text;
    return coefficient(dress(text), Number(text), n, -places);
  };
  const exponent = () => {
    const m = pick(99) + 1, e = pick(17) - 6;  // 10^-6 … 10^10
    const text = `${m}${pick(2) ? 'e' : 'E'}${e}`;
    return coefficient(pick(3) === 0 ? text.replace(/[eE]/, 'D') : text, Number(text), m, e);
  };
  const huge = () => {
    const texts = ['1e300', '-1e300', '1e999', '1e-300', '1e30', '12345678901234567890123'];
    const i = pick(6), exps = [300, 300, 999, -300, 30, 0];
    return coefficient(texts[i], Number(texts[i]), i === 1 ? -1 : 1, exps[i], !(i === 2 || i === 5));
  };
  return () => {
    switch (pick(14)) {
    case 0: return EMPTY;
    case 1: return coefficient(pickOf(['-', '+', 'x', 'ｘ', '.']), 0, 0);
    case 2: return coefficient('0', 0, 0);
    case 3: return pick(2) ? coefficient('&H1F', 31, 31) : coefficient('&h10', 16, 16);
    case 4: return huge();
    case 5: return decimal(pick(2000) - 1000, 3);
    case 6: return decimal(pick(200) - 100, 1);
    case 7: return exponent();
    default: return decimal(pick(25) - 12, 0);
    }
  };
}

// --- The run ---------------------------------------------------------------

const BUTTONS = ['Command2', 'Command3(0)', 'Command3(1)', 'Command3(2)', 'Command4(0)', 'Command4(1)', 'Command5', 'Command6', 'Command4(0)'];

class Soak {
  constructor(lesson, seed) {
    this.l = lesson;
    this.rng = generator(seed);
    this.next = typist(this.rng);
    this.step = 0;
    this.seen = 0;  // messages accounted for
    this.counts = { messages: 0, equations: 0, lines: 0, arrows: 0, drags: 0, swipes: 0, ends: 0 };
    this.reset(22);
  }

  // The model of the lesson at its start (the size outlives 「初期画面」, not the end).
  reset(unit) {
    this.m = { unit, ox: 300, oy: 300, dragging: false, lastX: 0, lastY: 0, points: false, morePoints: false, line: false,
      c5: false, c6: false, box: [EMPTY, EMPTY, EMPTY], lastRun: null, drawn: null, displayed: null, lineJustDrawn: false };
  }

  trace(...what) {
    if (TRACE) console.log(`step ${this.step}:`, ...what);
  }

  fail(what) {
    assert.fail(`seed ${SEED}, step ${this.step}: ${what}`);
  }

  // New messages since the last look, each a known one; closed as a learner
  // would (its button, Enter, Escape), but not while a pointer drags: the
  // learner lets go first.
  async messages(close = true) {
    const shown = await this.l.shown();
    const fresh = shown.slice(this.seen);
    this.seen = shown.length;
    for (const text of fresh) if (!KNOWN.includes(text)) this.fail(`an unexpected message: ${text}`);
    this.counts.messages += fresh.length;
    while (close && await this.l.messageOpen()) {
      const how = this.rng.pickOf(['click', 'Enter', 'Escape']);
      this.trace('  message closed by', how);
      await this.l.closeMessage(how);
      // (One closed, the next waiting is shown.)
      const more = (await this.l.shown()).slice(this.seen);
      if (more.length) this.fail(`a message more for one action: ${more[0]}`);
    }
    if (fresh.length) this.trace('  told', JSON.stringify(fresh));
    return fresh;
  }

  // After an action that tells nothing.
  async quiet(what) {
    const fresh = await this.messages();
    if (fresh.length) this.fail(`a message from ${what}: ${fresh[0]}`);
  }

  // After a plotting run: whether it plotted, judged by its messages.
  async observeRun(fresh) {
    if (fresh.length > 1) this.fail(`${fresh.length} messages for one run`);
    const plotted = fresh.length === 0;
    const [a, b, c] = this.m.box.map((x) => x.value);
    const names = this.m.box.map((x) => JSON.stringify(x.text)).join(', ');
    if (b === 0 && plotted) this.fail(`plotted with b = 0: ${names}`);
    if (b !== 0) {
      // Every y of the run, times the grid unit, within the 32-bit float range.
      const s = -a / b, t = c / b;
      const worst = Math.max(Math.abs(s * 38 + t), Math.abs(s * -38 + t)) * 40;
      const finite = [a, b, c, worst].every(Number.isFinite);
      if (finite && worst < 1e36 && !plotted) this.fail(`refused to plot a small equation: ${names} (${fresh[0]})`);
      if ((!finite || worst > 1e40) && plotted) this.fail(`plotted numbers beyond the float range: ${names}`);
    }
    if (b === 0 && !plotted && fresh[0] !== MESSAGES.bIsZero) this.fail(`b = 0 without its message: ${fresh[0]}`);
    return plotted;
  }

  async run(index, fresh) {
    if (!(await this.observeRun(fresh))) return;
    this.m.lastRun = [...this.m.box];
    if (index === 0) this.m.points = true; else this.m.morePoints = true;
    this.m.c5 = true;
    this.m.lineJustDrawn = false;
  }

  drawLine() {
    Object.assign(this.m, { drawn: this.m.lastRun, line: true, c6: true, lineJustDrawn: true });
  }

  // A replay after the plane was drawn afresh; false when a run could not plot.
  async replay(fresh) {
    this.m.lineJustDrawn = false;
    if (this.m.points || this.m.morePoints) {
      if (!(await this.observeRun(fresh))) return false;
      this.m.lastRun = [...this.m.box];
      this.m.c5 = true;
    } else if (fresh.length) {
      this.fail(`a message with nothing to replay: ${fresh[0]}`);
    }
    if (this.m.line) this.drawLine();
    return true;
  }

  // 「式を表示」: the equation of the line last drawn, or the message that it is too large to show.
  show(fresh) {
    this.m.displayed = this.m.drawn;
    const [a, b, c] = this.m.displayed;
    const fits = quotient(a.exact, b.exact, true).shown && quotient(c.exact, b.exact, false).shown;
    if (fits && fresh.length) this.fail(`a message for an equation that can be shown: ${fresh[0]}`);
    if (!fits && (fresh.length !== 1 || fresh[0] !== MESSAGES.cannotShow))
      this.fail(`no message for an equation too large to show (${a.text}, ${b.text}, ${c.text})`);
  }

  // The model's side of a pressed button (a click, or Enter or Space on it).
  async pressed(name, enabled) {
    const fresh = await this.messages();
    if (name === 'Command2') {
      this.reset(this.m.unit);
      if (fresh.length) this.fail(`a message from 初期画面: ${fresh[0]}`);
    } else if (name.startsWith('Command3(')) {
      this.m.unit = [40, 22, 14][Number(name[9])];
      await this.replay(fresh);
    } else if (name.startsWith('Command4(')) {
      await this.run(Number(name[9]), fresh);
    } else if (name === 'Command5' && enabled) {
      this.drawLine();
    } else if (name === 'Command6' && enabled) {
      this.show(fresh);
    } else if (fresh.length) {
      this.fail(`a message from ${name}${enabled ? '' : ' disabled'}: ${fresh[0]}`);
    }
  }

  async act() {
    const { pick, pickOf } = this.rng;
    const l = this.l;
    const what = pick(1000);
    if (what < 220) {
      // Type a new text into one of the boxes.
      const i = pick(3);
      const c = this.next();
      this.trace('type', i, JSON.stringify(c.text));
      await l.fill(i, c.text);
      const typed = (await l.boxes())[i];
      if (typed !== c.text) this.fail(`box ${i} holds ${JSON.stringify(typed)}, typed ${JSON.stringify(c.text)}`);
      this.m.box[i] = c;
      await this.quiet('typing');
    } else if (what < 600) {
      // Click a button, enabled or not.
      const name = pickOf(BUTTONS);
      const enabled = await l.enabled(name);
      this.trace('click', name, enabled ? '' : '(disabled)');
      await l.click(name);
      await this.pressed(name, enabled);
    } else if (what < 720) {
      // Enter, Space, Tab or an arrow key on whatever has the focus; now and
      // then the learner goes to the plane first, to move it by keys.
      if (pick(4) === 0) await l.page.focus('[data-name="Picture1"]');
      const focus = await l.focused();
      const key = pick(4);
      this.trace('key', ['Enter', 'Space', 'Tab', 'arrow'][key], 'on', focus);
      if (key === 3) {
        const which = pick(4);
        await l.press(['ArrowLeft', 'ArrowUp', 'ArrowRight', 'ArrowDown'][which]);
        if (focus === 'Picture1') {
          ++this.counts.arrows;
          this.m.ox = Math.min(540, Math.max(60, this.m.ox + [-1, 0, 1, 0][which] * this.m.unit));
          this.m.oy = Math.min(540, Math.max(60, this.m.oy + [0, -1, 0, 1][which] * this.m.unit));
          await this.replay(await this.messages());
        } else {
          await this.quiet(`an arrow key on ${focus}`);
        }
      } else if (key === 2) {
        await l.press('Tab');
        await this.quiet('Tab');
      } else if (focus === 'Command1') {
        await this.end(() => l.press(key === 0 ? 'Enter' : 'Space'));
      } else if (focus && focus.startsWith('Command')) {
        // A focused button is pressed by Enter and by Space: as a click.
        await l.press(key === 0 ? 'Enter' : 'Space');
        await this.pressed(focus, true);
      } else if (key === 0) {
        await l.press('Enter');
        await this.quiet(`Enter on ${focus}`);
      } else {
        await l.press('Space');
        await this.quiet(`Space on ${focus}`);
        const box = focus && focus.startsWith('Text1(') ? Number(focus[6]) : -1;
        if (box >= 0) {
          // A blank does not change what the box reads, unless it replaced the selected text.
          const now = (await l.boxes())[box], bare = (t) => t.replace(/[ \u3000]/g, '');
          if (bare(now) !== bare(this.m.box[box].text)) {
            if (bare(now) !== '') this.fail('a blank changed a number');
            this.m.box[box] = EMPTY;
          }
          this.m.box[box] = { ...this.m.box[box], text: now };
        }
      }
    } else if (what < 995) {
      await (pick(4) === 0 ? this.swipe() : this.drag());
    } else {
      await this.end();
    }
  }

  // A pointer's move to the plane's (x, y) while it drags (or not).
  async moved(x, y) {
    if (TRACE) this.trace('    origin', await this.l.origin(), 'model', this.m.ox, this.m.oy, this.m.dragging ? 'dragging' : '');
    if (!this.m.dragging) return;
    this.m.ox = Math.min(540, Math.max(60, this.m.ox + (x - this.m.lastX)));
    this.m.oy = Math.min(540, Math.max(60, this.m.oy + (y - this.m.lastY)));
    if (!(await this.replay(await this.messages(false)))) {
      this.m.dragging = false;
      return;
    }
    this.m.lastX = x;
    this.m.lastY = y;
  }

  // Somewhere a pointer may go while it drags: near the last point, or
  // anywhere in the page, on the plane or off it.
  whereNext() {
    const { pick } = this.rng;
    const clampX = (x) => Math.min(859, Math.max(-16, x)), clampY = (y) => Math.min(617, Math.max(-32, y));
    if (pick(3)) return [clampX(this.m.lastX + pick(41) - 20), clampY(this.m.lastY + pick(41) - 20)];
    return [pick(876) - 16, pick(650) - 32];
  }

  // A drag with any mouse button.
  async drag() {
    const { pick, pickOf } = this.rng;
    const l = this.l;
    const button = pickOf(['left', 'right', 'middle']);
    const x = pick(600), y = pick(600);
    this.trace('drag', button, 'from', x, y);
    await l.page.mouse.move(16 + x, 32 + y);
    await l.page.mouse.down({ button });
    Object.assign(this.m, { dragging: true, lastX: x, lastY: y });
    ++this.counts.drags;
    await this.check();
    for (let k = 1 + pick(8); k > 0; --k) {
      const [nx, ny] = this.whereNext();
      this.trace('  to', nx, ny);
      await l.page.mouse.move(16 + nx, 32 + ny);
      await this.moved(nx, ny);
      await this.check();
    }
    // Released anywhere in the page, moved there first with the button held.
    const [rx, ry] = [pick(876) - 16, pick(650) - 32];
    this.trace('  released at', rx, ry);
    await l.page.mouse.move(16 + rx, 32 + ry);
    await this.moved(rx, ry);
    await l.page.mouse.up({ button });
    this.m.dragging = false;
    await this.quiet('the release of a drag');
    // A move with no button held changes nothing.
    await l.page.mouse.move(16 + Math.min(859, rx + 5), 32 + Math.min(617, ry + 5));
  }

  // A finger's drag.
  async swipe() {
    const { pick } = this.rng;
    const l = this.l;
    const x = pick(600), y = pick(600);
    this.trace('swipe from', x, y);
    await l.page.touchscreen.touchStart(16 + x, 32 + y);
    Object.assign(this.m, { dragging: true, lastX: x, lastY: y });
    ++this.counts.swipes;
    for (let k = 1 + pick(8); k > 0; --k) {
      const [nx, ny] = this.whereNext();
      this.trace('  to', nx, ny);
      await l.touchMove(16 + nx, 32 + ny);
      await this.moved(nx, ny);
      await this.check();
    }
    await l.page.touchscreen.touchEnd();
    this.m.dragging = false;
    await this.quiet('the lifted finger');
  }

  // 「終　了」 (clicked, or pressed by a key): the end screen, and the lesson
  // started anew from it.
  async end(press = () => this.l.click('Command1')) {
    const l = this.l;
    await press();
    await l.page.waitForFunction(() => !document.getElementById('ended').hidden, { timeout: 5000 });
    if ((await l.focused()) !== 'again') this.fail(`the end screen without the focus on its button: ${await l.focused()}`);
    await Promise.all([l.page.waitForNavigation(), l.press('Enter')]);
    await l.ready();
    ++this.counts.ends;
    this.seen = 0;
    this.reset(22);
  }

  // Everything the learner sees, against the model.
  async check() {
    const m = this.m;
    const seen = await this.l.page.evaluate(() => {
      const byName = (n) => document.querySelector(`[data-name="${n}"]`);
      const visible = (el) => getComputedStyle(el).visibility !== 'hidden';
      return {
        state: JSON.parse(Module.ccall('lg_inspect', 'string', [], [])),
        sizes: [0, 1, 2].map((i) => {
          const el = byName(`Command3(${i})`), style = getComputedStyle(el);
          return [style.fontSize, Number(style.fontWeight) >= 700, el.getAttribute('aria-checked')];
        }),
        enabled: ['Command1', 'Command2', 'Command3(0)', 'Command3(1)', 'Command3(2)', 'Command4(0)', 'Command4(1)', 'Command5', 'Command6']
          .map((n) => byName(n).getAttribute('aria-disabled') !== 'true'),
        slots: [...Array(10).keys()].map((i) => { const el = byName(`Label4(${i})`); return visible(el) ? el.textContent : ''; }),
        bars: [0, 1].map((i) => visible(byName(`Line1(${i})`))),
        shown: window.__lgShown.length,
        form: getComputedStyle(document.getElementById('form')).visibility === 'visible' && !document.getElementById('stage').hidden,
      };
    });
    const s = seen.state;
    if (s.unitSize !== m.unit) this.fail(`unitSize ${s.unitSize}, expected ${m.unit}`);
    const chosen = [40, 22, 14].indexOf(m.unit);
    seen.sizes.forEach(([px, bold, checked], i) => {
      const want = i === chosen ? ['27px', true, 'true'] : ['16px', false, 'false'];
      if (px !== want[0] || bold !== want[1] || checked !== want[2]) this.fail(`the highlight of size button ${i}: ${px}, ${bold}, ${checked}`);
    });
    if (s.originX.v !== m.ox || s.originY.v !== m.oy) this.fail(`origin (${s.originX.v}, ${s.originY.v}), expected (${m.ox}, ${m.oy})`);
    if ((s.dragging.v === 1) !== m.dragging) this.fail(`dragging ${s.dragging.v}`);
    if ((s.pointsShown.v === 1) !== m.points) this.fail(`pointsShown ${s.pointsShown.v}`);
    if ((s.morePointsShown.v === 1) !== m.morePoints) this.fail(`morePointsShown ${s.morePointsShown.v}`);
    if ((s.lineShown === 1) !== m.line) this.fail(`lineShown ${s.lineShown}`);
    const [c1, c2, s0, s1, s2, p0, p1, c5, c6] = seen.enabled;
    if (![c1, c2, s0, s1, s2, p0, p1].every(Boolean)) this.fail('a button of the lesson was disabled');
    if (c5 !== m.c5) this.fail(`すべての点を打つ ${c5 ? 'enabled' : 'disabled'}`);
    if (c6 !== m.c6) this.fail(`式を表示 ${c6 ? 'enabled' : 'disabled'}`);
    if (seen.shown !== this.seen) this.fail('a message nobody accounted for');
    if (!seen.form) this.fail('the lesson went away');
    this.checkEquation(seen.slots, seen.bars);
    if (m.lineJustDrawn) await this.checkLine();
  }

  // The shown equation, read back from the slots and bars, against the exact
  // line of the equation that was drawn.
  checkEquation(slots, bars) {
    const visible = (i) => slots[i] !== '';
    const number = (i) => {
      const t = slots[i];
      if (!t.startsWith(' ')) this.fail(`a number's caption without its blank: '${t}'`);
      if (!/^ \d+$/.test(t)) this.fail(`not a whole number: '${t}'`);
      return BigInt(t.slice(1));
    };
    const any = slots.some((t) => t !== '');
    const shown = slots.join('|');
    if (!this.m.displayed) {
      if (any) this.fail(`an equation is shown where none should be: ${shown}`);
      return;
    }
    const [a, b, c] = this.m.displayed;
    const slope = quotient(a.exact, b.exact, true), intercept = quotient(c.exact, b.exact, false);
    const which = `${a.text}, ${b.text}, ${c.text}`;
    if (!slope.shown || !intercept.shown) {
      if (any) this.fail(`an equation too large to show was shown: ${which}: ${shown}`);
      return;
    }
    if (!any) this.fail(`no equation shown for ${which}`);
    if (slots[0] !== 'ｙ＝') this.fail(`left side '${slots[0]}'`);
    // A part: a whole number in `whole`, or a fraction in `upper` over the bar over `lower`.
    const part = (whole, upper, lower, bar) => {
      const w = visible(whole), frac = visible(upper) || visible(lower);
      if (w && frac) this.fail(`a whole number and a fraction in one place: ${shown}`);
      if (w) return { present: true, num: number(whole), den: 1n };
      if (frac) {
        if (!(visible(upper) && visible(lower) && bars[bar])) this.fail(`a fraction without its bar or a part: ${shown}`);
        const num = number(upper), den = number(lower);
        if (den <= 1n || gcd(num, den) !== 1n) this.fail(`a fraction not in lowest terms: ${shown}`);
        return { present: true, num, den };
      }
      return { present: false, num: 0n, den: 1n };
    };
    const minus = visible(1);
    const first = part(2, 3, 4, 0);
    if (visible(5)) {
      // y = m x + k
      const n1 = first.present ? first.num : 1n;
      const sn = minus ? -n1 : n1;
      const second = part(7, 8, 9, 1);
      if (second.present !== visible(6)) this.fail(`a constant without its sign, or a sign alone: ${shown}`);
      const kn = visible(6) && slots[6] === '－' ? -second.num : second.num;
      if (sn * slope.den !== slope.num * first.den || kn * intercept.den !== intercept.num * second.den)
        this.fail(`the equation shown is not the line of ${which}: ${shown}`);
    } else {
      // y = k
      if (!first.present) this.fail(`a horizontal line without its number: ${shown}`);
      const kn = minus ? -first.num : first.num;
      if (slope.num !== 0n || kn * intercept.den !== intercept.num * first.den)
        this.fail(`the equation shown is not the line of ${which}: ${shown}`);
    }
    ++this.counts.equations;
  }

  // Right after the red line was drawn it lies on the true line of the equation.
  async checkLine() {
    if (!this.m.drawn) return;
    const [a, b, c] = this.m.drawn.map((x) => x.value);
    const slope = -a / b, intercept = c / b;
    if (Math.abs(slope) > 2) return;  // steep lines: columns miss their centre
    const points = [];
    for (let px = 30; px < 600; px += 90) {
      const x = (px - this.m.ox) / this.m.unit;
      const py = this.m.oy - this.m.unit * (slope * x + intercept);
      if (py >= 4 && py <= 595) points.push([px, Math.round(py)]);
    }
    const colours = await this.l.page.evaluate((points) => {
      const g = document.querySelector('[data-name="Picture1"]').getContext('2d');
      return points.map(([x, y]) => [...g.getImageData(x, y, 1, 1).data.slice(0, 3)]);
    }, points);
    colours.forEach(([r, g, bl], i) => {
      if (r !== 255 || g !== 0 || bl !== 0)
        this.fail(`no red at (${points[i]}) on the line of ${this.m.drawn.map((x) => x.text).join(', ')}: rgb(${r}, ${g}, ${bl})`);
      ++this.counts.lines;
    });
  }
}

test(`${STEPS} random actions (seed ${SEED})`, { timeout: 1800000 }, async () => {
  const lesson = await Lesson.open(browser(), { touch: true });
  const soak = new Soak(lesson, SEED);
  for (soak.step = 1; soak.step <= STEPS; ++soak.step) {
    await soak.act();
    await soak.check();
  }
  const c = soak.counts;
  console.log(`soaked ${STEPS} actions (seed ${SEED}): ${c.messages} messages, ${c.drags} drags, ${c.swipes} finger drags, ` +
    `${c.arrows} arrow keys on the plane, ${c.ends} ends, ${c.equations} equations and ${c.lines} points of red lines checked`);
  assert.ok(c.equations > 0 && c.lines > 0 && c.arrows > 0 && c.drags > 0 && c.swipes > 0, JSON.stringify(c));
  await lesson.close();
});
