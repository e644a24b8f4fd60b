// The third lesson (twopoints.html, the line through two points) for the
// lessons' driver, test_lessons.mjs: its rows, and how to read what it shows.
// The head of test_lessons.mjs says what each table holds. The expected
// values are those of the worked examples in docs/twopoints.md, worked out
// there in exact fractions apart from the lesson's code.
import assert from 'node:assert/strict';

const red = ([r, g, b]) => r > 200 && g < 60 && b < 60;

// What the lesson shows beside the plane: the equation in the first lesson's
// slots (a fraction as (upper/lower)), the line as a·x＋b·y＝c, what it says
// where x₁ ＝ x₂ (its words, apart from where its lines break), and the three
// texts a screen reader reads.
async function seen(l) {
  const texts = await l.page.evaluate(() => {
    const byName = (n) => document.querySelector(`[data-name="${n}"]`);
    const shown = (n) => getComputedStyle(byName(n)).visibility !== 'hidden' ? byName(n).textContent : '';
    return { form: shown('Label13'), statement: shown('Label10').replace(/\n/g, ''),
      readings: [...document.querySelectorAll('#form > .reading')].map((el) => el.textContent) };
  });
  return { equation: await l.equation(), ...texts };
}

// Whether the row's red line through both points is on the plane at this
// origin and unit, where it crosses six columns of the plane (a line ｘ＝h
// where it crosses six rows), away from the points and the triangle of the
// increases between them, which are drawn over it.
async function drawn(l, row, [ox, oy] = [300, 300], unit = 22) {
  const [x1, y1, x2, y2] = row.boxes.map(Number);
  const between = (k, a, b) => k >= Math.min(a, b) - 16 && k <= Math.max(a, b) + 16;
  for (const k of [50, 150, 250, 350, 450, 550]) {
    let X = k, Y = k;
    if (x1 === x2) {
      X = Math.round(ox + unit * x1);
      if (between(k, oy - unit * y1, oy - unit * y2)) continue;
    } else {
      Y = Math.round(oy - unit * (y1 + ((y2 - y1) / (x2 - x1)) * ((k - ox) / unit - x1)));
      if (between(k, ox + unit * x1, ox + unit * x2)) continue;
    }
    if (X < 2 || X > 597 || Y < 2 || Y > 597) continue;
    if (!red(await l.pixel(X, Y))) return false;
  }
  return true;
}

// What each step keeps of the row: the step reached; after the last, the
// line's fractions and its whole-number form.
async function check(l, row, step) {
  const s = await l.state();
  assert.equal(s.step, step + 1);
  if (step === 3) {
    assert.deepEqual([s.rate, s.intercept, s.form], [row.rate, row.intercept, row.form]);
    assert.equal(s.vertical, !!row.seen.statement);
    assert.equal(s.check, true, '「確かめる」 shown');
  }
}

const MESSAGES = {
  same: 'ＡとＢが同じ点です。\nＢには、Ａとちがう点の座標を入力してください。',
  digits: 'Ａのｘ座標は、けたが多すぎます。\n７けたまでの数を入力してください。',
  increase: 'ｘの増加量は、数が大きすぎて表示できません。\n２点の座標を変えてください。',
  rate: '変化の割合は、数が大きすぎて表示できません。\n２点の座標を変えてください。',
};
const VERTICAL = 'ｘの増加量が０なので、変化の割合は求められません。この２点を通る直線は、ｙ軸に平行で、一次関数のグラフではありません。';

export default {
  // Only 「２点をとる」 reads the boxes.
  readers: ['Command4(0)'],
  // A tap on the plane takes a point: the plane is focused without one.
  planeTaps: true,
  seen,
  drawn,
  check,

  runs: [
    { name: 'A(−1, 2), B(2, 4)', boxes: ['-1', '2', '2', '4'], ways: ['mouse', 'Enter'],
      rate: [2, 3], intercept: [8, 3], form: [2, -3, -8],
      seen: { equation: 'ｙ＝( 2/ 3)ｘ＋( 8/ 3)', form: '2ｘ－3ｙ＝－8', statement: '',
        readings: ['ｙの増加量はプラス２、ｘの増加量はプラス３、変化の割合は３分の２',
          '２＝３分の２かけるマイナス１プラスｂ、ｂ＝３分の８、直線の式はｙ＝３分の２ｘプラス３分の８', '２ｘマイナス３ｙ＝マイナス８'] } },
    { name: 'A(1, −2), B(−3, 4)', boxes: ['1', '-2', '-3', '4'], ways: ['touch', 'Space'],
      rate: [-3, 2], intercept: [-1, 2], form: [3, 2, -1],
      seen: { equation: 'ｙ＝－( 3/ 2)ｘ－( 1/ 2)', form: '3ｘ＋2ｙ＝－1', statement: '',
        readings: ['ｙの増加量はプラス６、ｘの増加量はマイナス４、変化の割合はマイナス２分の３',
          'マイナス２＝マイナス２分の３かける１プラスｂ、ｂ＝マイナス２分の１、直線の式はｙ＝マイナス２分の３ｘマイナス２分の１',
          '３ｘプラス２ｙ＝マイナス１'] } },
    { name: 'A(0.5, 1), B(2, 4)', boxes: ['0.5', '1', '2', '4'], ways: ['pen'],
      rate: [2, 1], intercept: [0, 1], form: [2, -1, 0],
      seen: { equation: 'ｙ＝ 2ｘ', form: '2ｘ－ｙ＝0', statement: '',
        readings: ['ｙの増加量はプラス３、ｘの増加量はプラス１．５、変化の割合は２', '１＝２かける０．５プラスｂ、ｂ＝０、直線の式はｙ＝２ｘ',
          '２ｘマイナスｙ＝０'] } },
    { name: 'A(1, 2), B(5, 2): a slope of 0', boxes: ['1', '2', '5', '2'], ways: ['http'],
      rate: [0, 1], intercept: [2, 1], form: [0, 1, 2],
      seen: { equation: 'ｙ＝ 2', form: '0ｘ＋ｙ＝2', statement: '',
        readings: ['ｙの増加量は０、ｘの増加量はプラス４、変化の割合は０', '２＝０かける１プラスｂ、ｂ＝２、直線の式はｙ＝２', '０ｘプラスｙ＝２'] } },
    { name: 'A(0.5, 1), B(0.5, 3): x₁ ＝ x₂', boxes: ['0.5', '1', '0.5', '3'], ways: ['mouse'],
      rate: [0, 1], intercept: [0, 1], form: [2, 0, 1],
      seen: { equation: 'ｘ＝( 1/ 2)', form: '2ｘ＋0ｙ＝1', statement: VERTICAL,
        readings: [`ｙの増加量はプラス２、ｘの増加量は０。${VERTICAL}`, '直線の式はｘ＝２分の１', '２ｘプラス０ｙ＝１'] } },
  ],

  links: [
    { name: 'four numbers', query: '?x1=-1&y1=2&x2=2&y2=4', boxes: ['-1', '2', '2', '4'], run: 'A(−1, 2), B(2, 4)' },
    { name: 'only y₂, as typed', query: '?y2=%EF%BC%94', boxes: ['', '', '', '４'] },
  ],

  chains: [{ name: 'the same point twice', texts: ['2', '3', '2', '3'] }],

  refused: [
    { name: 'the same point', boxes: ['2', '3', '2', '3'], message: MESSAGES.same, box: 2, close: 'Escape' },
    { name: 'all empty', boxes: ['', '', '', ''], message: MESSAGES.same, box: 2 },
    { name: 'eight digits', boxes: ['12345678', '0', '1', '1'], message: MESSAGES.digits, box: 0, close: 'click' },
    { name: 'an increase too large', boxes: ['9999999', '0', '-9999999', '1'], message: MESSAGES.increase, box: 2 },
    { name: 'a rate too large', boxes: ['0', '0', '0.000001', '1234567'], message: MESSAGES.rate, box: 2, close: 'Space' },
  ],

  redraws: [{ run: 'A(−1, 2), B(2, 4)' }],
  pointers: [{ run: 'A(1, −2), B(−3, 4)' }],

  saves: [{ modifier: 'Control', boxes: ['-1', '2', '2', '4'], file: 'A(-1,2)B(2,4).png' }],

  heard: [],
  names: ['Ａのｘ座標', 'Ａのｙ座標', 'Ｂのｘ座標', 'Ｂのｙ座標'],
  description: '１目もり22ピクセルの座標平面（中）。点はとっていません。',
  tabs: ['Text1(1)', 'Text1(2)', 'Text1(3)', 'Command4(0)', 'Command2', 'Command3(0)', 'Command3(1)', 'Command3(2)',
    'Picture1', 'Command1'],
};
