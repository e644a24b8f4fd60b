// Moving the plane: dragged by the mouse (any button), a finger or a pen, the
// origin follows within 60 … 540 and what was plotted is plotted again; a
// release anywhere ends the drag; the page neither scrolls nor zooms under a
// finger on the plane; the arrow keys move the focused plane by a unit.
import assert from 'node:assert/strict';
import { test } from 'node:test';

import { Lesson, inLesson, useBrowser } from './harness.mjs';

const browser = useBrowser();

async function allThree(l, abc = ['1', '3', '1']) {
  await l.enter(...abc);
  for (const name of ['Command4(0)', 'Command4(1)', 'Command5']) await l.click(name);
}

test('the first step of a drag', inLesson(browser, async (l) => {
  await l.drag([[100, 100], [130, 90]], { release: false });
  const s = await l.state();
  assert.deepEqual([s.originX.v, s.originY.v, s.originX.k], [330, 290, 'S']);
  assert.equal(s.dragging.v, 1);
  // The axis names stand beside the axes.
  const [left, top] = await l.page.evaluate(() => [
    document.querySelector('[data-name="Label5(0)"]').style.left, document.querySelector('[data-name="Label5(1)"]').style.top]);
  assert.deepEqual([left, top], ['334px', '318px']);
  assert.deepEqual((await l.planeFaults(22, 330, 290)).faults, []);
  await l.page.mouse.up();
  assert.equal((await l.state()).dragging.v, 0);
}));

// The origin is held inside 60 … 540; the pointer itself is the reference for
// the next move, so a move back counts at once. Every button drags.
const STEPS = [
  { name: '300 right', path: [[100, 100], [150, 100], [250, 100], [350, 100], [400, 100]], origin: [540, 300], held: true },
  { name: '300 right, 20 back', path: [[100, 100], [250, 100], [400, 100], [380, 100]], origin: [520, 300], held: false },
  { name: 'up-left beyond', path: [[300, 300], [100, 120], [0, 0]], origin: [60, 60], held: true },
  { name: 'down beyond, 1 back', path: [[100, 100], [100, 500], [100, 499]], origin: [300, 539], held: false },
  { name: 'left beyond, 10 back', path: [[300, 100], [-10, 100], [0, 100]], origin: [70, 300], held: false },
  { name: 'right button', path: [[100, 100], [130, 90]], origin: [330, 290], held: false, button: 'right' },
  { name: 'middle button', path: [[100, 100], [130, 90]], origin: [330, 290], held: false, button: 'middle' },
];
for (const row of STEPS) {
  test(`a mouse drag: ${row.name}`, inLesson(browser, async (l) => {
    await l.drag(row.path, { button: row.button || 'left' });
    const s = await l.state();
    assert.deepEqual([s.originX.v, s.originY.v], row.origin);
    // Held at the limit, originX is the limit itself, a 16-bit integer.
    assert.equal(s.originX.k, row.held ? 'I' : 'S');
    assert.equal(s.dragging.v, 0);
    assert.deepEqual((await l.planeFaults(22, ...row.origin)).faults, []);
  }));
}

// The same drags by a finger and by a pen.
for (const row of STEPS.filter((r) => !r.button)) {
  test(`a finger's drag: ${row.name}`, inLesson(browser, { touch: true, mobile: true }, async (l) => {
    await l.swipe(row.path);
    const s = await l.state();
    assert.deepEqual([s.originX.v, s.originY.v], row.origin);
    assert.equal(s.dragging.v, 0);
  }));
}

test('a pen\'s drag', inLesson(browser, { touch: true }, async (l) => {
  const at = async (x, y) => l.onPlane(x, y);
  let p = await at(100, 100);
  await l.pen('mousePressed', p.x, p.y, 1);
  p = await at(250, 100);
  await l.pen('mouseMoved', p.x, p.y, 1);
  p = await at(230, 80);
  await l.pen('mouseMoved', p.x, p.y, 1);
  assert.equal((await l.state()).dragging.v, 1);
  await l.pen('mouseReleased', p.x, p.y, 0);
  const s = await l.state();
  assert.deepEqual([s.originX.v, s.originY.v, s.dragging.v], [430, 280, 0]);
  // Hovering afterwards moves nothing.
  p = await at(300, 300);
  await l.pen('mouseMoved', p.x, p.y, 0);
  assert.deepEqual(await l.origin(), [430, 280]);
}));

// Without a press on the plane, and after the release, moves change and draw nothing.
for (const dragFirst of [false, true]) {
  test(`moves outside a drag (${dragFirst ? 'after the release' : 'never pressed'})`, inLesson(browser, async (l) => {
    await allThree(l);
    if (dragFirst) await l.drag([[100, 100], [130, 90]]);
    const origin = await l.origin();
    const before = await l.pictureDigest();
    await l.page.focus('[data-name="Command4(0)"]');
    for (const [x, y] of [[200, 200], [20, 580]]) {
      const p = await l.onPlane(x, y);
      await l.page.mouse.move(p.x, p.y);
    }
    assert.equal(await l.focused(), 'Command4(0)');
    // Pressed on the green beside the plane, then moved over it.
    await l.page.mouse.move(650, 60);
    await l.page.mouse.down();
    const p = await l.onPlane(400, 50);
    await l.page.mouse.move(p.x, p.y);
    await l.page.mouse.up();
    assert.deepEqual(await l.origin(), origin);
    assert.equal(await l.pictureDigest(), before);
  }));
}

// A click beside the controls (on the form's green, on a label, on a
// disabled button) leaves the keyboard focus where it was, as on the
// desktop: the next Enter still presses the focused button.
for (const [where, at] of [['the green', { x: 650, y: 60 }], ['a label', 'Label6'], ['a disabled button', 'Command6']]) {
  test(`a click on ${where} leaves the focus where it was`, inLesson(browser, async (l) => {
    await l.enter('1', '3', '1');
    await l.click('Command4(0)');
    assert.equal(await l.focused(), 'Command4(1)');
    const { x, y } = typeof at === 'string' ? await l.centre(at) : at;
    await l.page.mouse.click(x, y);
    assert.equal(await l.focused(), 'Command4(1)');
    await l.press('Enter');
    assert.equal((await l.state()).morePointsShown.v, 1);
  }));
}

// Released away from the plane, the drag is over all the same: moves over the
// plane afterwards move nothing, and the next press starts a new drag.
for (const where of ['on a button', 'on the green']) {
  test(`a drag released ${where}`, inLesson(browser, async (l) => {
    await l.drag([[100, 100], [130, 90]], { release: false });
    const away = where === 'on a button' ? await l.centre('Command4(0)') : { x: 650, y: 60 };
    await l.page.mouse.move(away.x, away.y);
    await l.page.mouse.up();
    const s = await l.state();
    assert.equal(s.dragging.v, 0);
    const origin = [s.originX.v, s.originY.v];
    assert.notDeepEqual(origin, [300, 300], 'the drag followed the mouse off the plane');
    const p = await l.onPlane(300, 300);
    await l.page.mouse.move(p.x, p.y);
    await l.page.mouse.move(p.x + 50, p.y + 50);
    assert.deepEqual(await l.origin(), origin);
    await l.drag([[300, 300], [310, 300]]);
    assert.deepEqual(await l.origin(), [Math.min(540, origin[0] + 10), origin[1]]);
  }));
}

// The replays read the boxes as they are now: the edited equation's points,
// and the line and fractions through them.
test('a drag after an edit plots the edited equation', async () => {
  const dragged = await Lesson.open(browser());
  const placed = await Lesson.open(browser(), { touch: true });
  try {
    // (A page in the background gets no frames: each is brought to the front for its part.)
    await dragged.page.bringToFront();
    await allThree(dragged);
    await dragged.fill(0, '2');
    await dragged.fill(1, '-5');
    await dragged.drag([[100, 100], [130, 90]]);
    const s = await dragged.state();
    assert.deepEqual([s.firstX.v, s.firstY.v, s.secondX.v, s.secondY.v], [-37, -15, -32, -13]);
    // (The same origin reached by a finger.)
    await placed.page.bringToFront();
    await placed.swipe([[300, 300], [330, 290]]);
    await allThree(placed, ['2', '-5', '1']);
    assert.equal(await dragged.pictureDigest(), await placed.pictureDigest());
    await dragged.click('Command6');
    assert.equal(await dragged.equation(), 'ｙ＝( 2/ 5)ｘ－( 1/ 5)');
    await dragged.close();
    await placed.close();
  } finally {
    for (const l of [dragged, placed]) if (!l.page.isClosed()) await l.page.close();
  }
});

// A finger on the plane moves the plane, never the page: a swipe and a
// spread of two fingers leave the page unscrolled and unzoomed, and the
// browser does not take the touch over (no pointercancel).
test('the page neither scrolls nor zooms under a finger on the plane', inLesson(browser, { touch: true, mobile: true }, async (l) => {
  await l.page.evaluate(() => {
    window.__cancels = 0;
    document.querySelector('[data-name="Picture1"]').addEventListener('pointercancel', () => ++window.__cancels);
  });
  const view = () => l.page.evaluate(() => [window.scrollX, window.scrollY, visualViewport.scale, visualViewport.offsetLeft,
    visualViewport.offsetTop, window.__cancels]);
  const path = [[300, 500]];
  for (let y = 480; y >= 100; y -= 20) path.push([300, y]);
  await l.swipe(path);
  assert.deepEqual(await view(), [0, 0, 1, 0, 0, 0]);
  assert.deepEqual(await l.origin(), [300, 60], 'the whole swipe moved the plane');

  await spread(l, [300, 300]);
  assert.deepEqual(await view(), [0, 0, 1, 0, 0, 0]);
}));

// Two fingers spread apart from the plane's point (x, y).
async function spread(l, [x, y]) {
  const at = await l.onPlane(x, y);
  const points = (d) => [{ x: at.x - 40 - d, y: at.y, id: 1 }, { x: at.x + 40 + d, y: at.y, id: 2 }];
  await l.touch('touchStart', [points(0)[0]]);
  await l.touch('touchStart', points(0));
  for (let d = 10; d <= 150; d += 10) await l.touch('touchMove', points(d));
  await l.touch('touchEnd', []);
}

// That spread zooms a page that lets it: what the test above sees is not for want of a zoom.
test('the spread of two fingers zooms where the page lets it', inLesson(browser, { touch: true, mobile: true }, async (l) => {
  await l.page.addStyleTag({ content: 'html, body, #form > .picture { touch-action: auto !important; }' });
  await spread(l, [300, 300]);
  assert.ok(await l.page.evaluate(() => visualViewport.scale) > 1);
}));

// Only the first finger drags: a second one set down on the plane, as for a
// pinch, does not make the plane jump to it.
test('a second finger does not move the plane',
  inLesson(browser, { touch: true }, async (l) => {
    const a = await l.onPlane(200, 200), b = await l.onPlane(400, 400);
    await l.touch('touchStart', [{ x: a.x, y: a.y, id: 1 }]);
    await l.touch('touchStart', [{ x: a.x, y: a.y, id: 1 }, { x: b.x, y: b.y, id: 2 }]);
    await l.touch('touchMove', [{ x: a.x - 10, y: a.y - 10, id: 1 }, { x: b.x + 10, y: b.y + 10, id: 2 }]);
    await l.touch('touchMove', [{ x: a.x - 20, y: a.y - 20, id: 1 }, { x: b.x + 20, y: b.y + 20, id: 2 }]);
    assert.deepEqual(await l.origin(), [280, 280], 'the plane followed the first finger alone');
    await l.touch('touchEnd', []);
    assert.deepEqual(await l.origin(), [280, 280]);
  }));

// The arrow keys on the focused plane move it by one grid unit, as a drag
// would, with the same replays; every press, or every repeat of a held key,
// goes to the plane, which keeps the focus.
const ARROWS = [
  { name: 'right', key: 'ArrowRight', presses: 1, origin: [322, 300] },
  { name: 'left, three presses', key: 'ArrowLeft', presses: 3, origin: [234, 300] },
  { name: 'up', key: 'ArrowUp', presses: 1, origin: [300, 278] },
  { name: 'down to the limit', key: 'ArrowDown', presses: 20, origin: [300, 540] },
  { name: 'left held to the limit', key: 'ArrowLeft', presses: 20, origin: [60, 300], held: true },
];
for (const row of ARROWS) {
  test(`arrow keys on the plane: ${row.name}`, async () => {
    const keyed = await Lesson.open(browser());
    const placed = await Lesson.open(browser());
    try {
      await keyed.page.bringToFront();
      await allThree(keyed);
      // From 式を表示, Tab by Tab round to the plane, as a learner gets there.
      assert.equal(await keyed.focused(), 'Command6');
      for (let i = 0; i < 15 && (await keyed.focused()) !== 'Picture1'; ++i) await keyed.press('Tab');
      assert.equal(await keyed.focused(), 'Picture1');
      if (row.held) {
        await keyed.hold(row.key, row.presses - 1);
      } else {
        for (let i = 0; i < row.presses; ++i) await keyed.press(row.key);
      }
      assert.equal(await keyed.focused(), 'Picture1');
      assert.deepEqual(await keyed.origin(), row.origin);
      assert.equal(await keyed.page.$eval('[data-name="Label5(0)"]', (el) => el.style.left), `${row.origin[0] + 4}px`);
      // The same picture as the runs give with the plane already there.
      await placed.page.bringToFront();
      await placed.drag([[300, 300], [row.origin[0], row.origin[1]]]);
      await allThree(placed);
      assert.equal(await keyed.pictureDigest(), await placed.pictureDigest());
      await keyed.close();
      await placed.close();
    } finally {
      for (const l of [keyed, placed]) if (!l.page.isClosed()) await l.page.close();
    }
  });
}

test('arrow keys elsewhere do nothing to the plane', inLesson(browser, async (l) => {
  await l.press('ArrowRight');
  await l.page.focus('[data-name="Command4(0)"]');
  await l.press('ArrowDown');
  assert.deepEqual(await l.origin(), [300, 300]);
}));
