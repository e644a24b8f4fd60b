// The teachers' guide (docs/guide.md) as the code host shows it: the README
// leads to it from its first lines; every picture it shows is in docs/guide/
// and every picture there is shown; its links within the page find their
// headings; and it quotes every message of the lesson and every notice of the
// page word for word, so that a changed text cannot leave it behind.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { test } from 'node:test';
import { fileURLToPath } from 'node:url';

import { MESSAGES, NOTICES, SYSTEM_MESSAGES, SYSTEM_STATEMENTS } from './harness.mjs';

const ROOT = path.join(path.dirname(fileURLToPath(import.meta.url)), '..', '..');
const DOCS = path.join(ROOT, 'docs');
const guide = fs.readFileSync(path.join(DOCS, 'guide.md'), 'utf8');

// A heading's anchor as the code host makes it: lower case, blanks to
// hyphens, every other sign left out.
const anchor = (heading) => heading.trim().toLowerCase().replace(/[^\p{L}\p{N}\p{M}\s_-]/gu, '').replace(/\s/g, '-');

test('the README leads to the guide in Japanese before its English', () => {
  const readme = fs.readFileSync(path.join(ROOT, 'README.md'), 'utf8');
  const top = readme.slice(0, readme.search(/^## /m));
  const link = top.search(/\]\(docs\/guide\.md\)/);
  assert.ok(link > 0, 'a link to docs/guide.md before the first section');
  assert.match(top.slice(0, link), /[\p{Script=Hiragana}]{2}/u, 'Japanese before the link');
});

test('every picture the guide shows is there, and every picture there is shown', () => {
  const shown = [...guide.matchAll(/!\[[^\]]+\]\(([^)\s]+)\)/g)].map((m) => m[1]);
  assert.ok(shown.length > 0);
  for (const file of shown) {
    const bytes = fs.readFileSync(path.join(DOCS, file));
    assert.equal(bytes.subarray(1, 4).toString(), 'PNG', file);
  }
  const there = fs.readdirSync(path.join(DOCS, 'guide')).map((f) => `guide/${f}`);
  assert.deepEqual([...new Set(shown)].sort(), there.sort());
});

test('every link within the guide finds its heading', () => {
  const headings = new Set([...guide.matchAll(/^#{1,4} (.+)$/gm)].map((m) => anchor(m[1])));
  const links = [...guide.matchAll(/\]\(#([^)]+)\)/g)].map((m) => m[1]);
  assert.ok(links.length > 0);
  assert.deepEqual(links.filter((l) => !headings.has(l)), []);
});

// The quick start, before the first numbered section: the lesson's address as
// the publishing step finds it (it puts the real one in its place) and the
// line it turns into the address's QR code, each once; and a link to every
// section after it.
const quick = guide.slice(guide.search(/^## /m), guide.search(/^## 1\. /m));
const times = (text, part) => text.split(part).length - 1;
const IN_QUICK_START = [
  // what, text, times in the quick start, times in the whole guide (null: any)
  ['the placeholder of the address', 'https://OWNER.github.io/REPOSITORY/', 1, null],
  ['the line of the QR code', '\n<!-- qr-code -->\n', 1, 1],
];
for (const [what, part, inQuick, inGuide] of IN_QUICK_START) {
  test(`the quick start holds ${what}`, () => {
    assert.equal(times(quick, part), inQuick);
    if (inGuide !== null) assert.equal(times(guide, part), inGuide);
  });
}

test('the quick start leads to every section', () => {
  const sections = [...guide.slice(guide.indexOf(quick) + quick.length).matchAll(/^## (.+)$/gm)].map((m) => anchor(m[1]));
  const links = new Set([...quick.matchAll(/\]\(#([^)]+)\)/g)].map((m) => m[1]));
  assert.ok(sections.length > 10);
  assert.deepEqual(sections.filter((s) => !links.has(s)), []);
});

// One wording throughout: the window's title is quoted as it stands, the rest
// is the textbooks'.
const NEVER = [
  ['２元１次 but in the window\'s title', /２元１次方程式(?!のグラフ」)/],
  ['整数の点 without both coordinates named', /(?<!ともに)整数の点/],
  ['a point, not its coordinates, as a solution', /点(が\s*|（)(連立方程式の)?解/],
  ['a slope-intercept form of its own', /y ＝ mx/],
];
for (const [what, pattern] of NEVER) {
  test(`the guide never writes ${what}`, () => {
    assert.equal(guide.replace(/<br>/g, '\n').match(pattern), null);
  });
}

// A table's cell breaks its lines with <br>.
const text = guide.replace(/<br>/g, '\n');

// The third lesson's texts as its sources hold them: every message its
// MessageOf (twopoints/working.cpp) gives, and its statement of a line x = h
// (twopoints/working.h). A C++ string literal of these is a JSON string.
const twopoints = (() => {
  const source = (name) => fs.readFileSync(path.join(ROOT, 'twopoints', name), 'utf8');
  const LITERAL = /"(?:[^"\\]|\\.)*"/g;
  const literals = (code) => (code.match(LITERAL) || []).map((l) => JSON.parse(l)).join('');
  const cpp = source('working.cpp');
  const from = cpp.indexOf('std::string MessageOf(');
  const body = cpp.slice(from, cpp.indexOf('\n}\n', from));
  const tooLarge = literals(body.match(/tooLarge = ([^;]+);/)[1]);
  const names = body.match(/names\[4\] = \{([^}]*)\}/)[1].match(LITERAL).map((l) => JSON.parse(l));
  const coordinate = literals(body.match(/names\[[^\]]+\]\) \+ ([^;]+);/)[1]);
  const returned = [...body.matchAll(/return ("[^;]*?")( \+ tooLarge)?;/g)].map((m) => literals(m[1]) + (m[2] ? tooLarge : ''));
  // Every fault but None and Coordinate returns one message of its own.
  assert.equal(returned.length, (body.match(/case Working::Fault::/g) || []).length - 2, 'MessageOf read whole');
  const vertical = literals(source('working.h').match(/kVerticalStatement\[\] =([^;]+);/)[1]);
  return { messages: [...names.map((n) => n + coordinate), ...returned], vertical };
})();
const QUOTED = [
  ...Object.entries(MESSAGES).map(([name, message]) => [`the message ${name}`, message]),
  ...Object.entries(NOTICES).map(([lack, lines]) => [`the notice where the browser lacks ${lack}`, lines.join('\n')]),
  // The second lesson's: one of the first's naming its equation, and its own.
  ['the second lesson\'s message naming ②', SYSTEM_MESSAGES.plot('②', 'bIsZero')],
  ['the second lesson\'s message of an equation', SYSTEM_MESSAGES.cannotShow('①')],
  ['the second lesson\'s message of the intersection', SYSTEM_MESSAGES.pointTooLarge],
  ...Object.entries(SYSTEM_STATEMENTS).map(([kind, words]) => [`what the second lesson says of ${kind} lines`, words]),
  ['what the third lesson says of two points with the same x', twopoints.vertical],
];
for (const [what, words] of QUOTED) {
  test(`the guide quotes ${what}`, () => {
    assert.ok(text.includes(words), words);
  });
}

// The third lesson's messages, each word for word, or, where it differs from
// one quoted so only in what it names before 「は、」, by that beginning in 「」.
test('the guide quotes every message of the third lesson', () => {
  const { messages } = twopoints;
  assert.ok(messages.length >= 10, messages.join(' / '));
  const unquoted = messages.filter((m) => {
    if (text.includes(m)) return false;
    const [head, ...rest] = m.split('は、');
    const tail = rest.join('は、');
    return !(text.includes(`「${head}は、」`) && messages.some((q) => q !== m && q.endsWith(`は、${tail}`) && text.includes(q)));
  });
  assert.deepEqual(unquoted, []);
});

// --- The guide as the lesson's folder publishes it ---------------------------
// guide.html of the built folder (LG_SITE), filled in by scripts/publish-guide.sh
// with an address given as GitHub Pages gives it (without the last slash), then
// read as a teacher reads it: on a Chromebook's screen, its QR code scanned.
import { execFileSync, spawnSync } from 'node:child_process';
import os from 'node:os';

import { SITE, launch } from './harness.mjs';

const PUBLISH = path.join(ROOT, 'scripts', 'publish-guide.sh');
const PLACEHOLDER = 'https://OWNER.github.io/REPOSITORY/';
const ADDRESS = 'https://example.github.io/lesson/';
const NOTE = /<!-- placeholder-note -->[\s\S]*?<!-- \/placeholder-note -->/g;
const count = (text, words) => text.split(words).length - 1;

// A copy of the built guide, to fill in.
function guideCopy() {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'lg-guide-'));
  fs.copyFileSync(path.join(SITE, 'guide.html'), path.join(folder, 'guide.html'));
  fs.cpSync(path.join(SITE, 'guide'), path.join(folder, 'guide'), { recursive: true });
  return folder;
}
const publish = (address, folder) => spawnSync('bash', [PUBLISH, address, folder], { encoding: 'utf8' });

test('the published guide names its address everywhere and shows its QR code', async () => {
  const folder = guideCopy();
  const built = fs.readFileSync(path.join(folder, 'guide.html'), 'utf8');
  const run = publish(ADDRESS.slice(0, -1), folder);
  assert.equal(run.status, 0, run.stderr);
  const published = fs.readFileSync(path.join(folder, 'guide.html'), 'utf8');

  const places = count(built.replace(NOTE, ''), PLACEHOLDER);
  assert.ok(places > 0, 'the built guide holds the placeholder address');
  assert.equal(count(published, ADDRESS), places, 'the address wherever the placeholder stood');
  for (const left of [PLACEHOLDER, 'OWNER.github.io', '<!-- qr-code -->', 'placeholder-note'])
    assert.ok(!published.includes(left), `${left} is left in the published guide`);

  const qr = path.join(folder, 'guide', 'address-qr.png');
  assert.equal(execFileSync('zbarimg', ['--raw', '-q', qr], { encoding: 'utf8' }), ADDRESS + '\n',
               'the QR code reads as the address');

  const browser = await launch();
  try {
    const page = await browser.newPage();
    await page.setViewport({ width: 1366, height: 768 });
    await page.goto(`file://${path.join(folder, 'guide.html')}`, { waitUntil: 'load' });
    const seen = await page.evaluate(() => {
      const code = document.querySelector('img.qr');
      return {
        broken: [...document.images].filter((img) => !img.complete || img.naturalWidth === 0).map((img) => img.src),
        pictures: document.images.length,
        lost: [...document.querySelectorAll('a[href^="#"]')].map((a) => decodeURIComponent(a.hash.slice(1)))
          .filter((id) => !document.getElementById(id)),
        links: document.querySelectorAll('a[href^="#"]').length,
        // Markdown the renderer did not take as such, shown as text.
        raw: [...document.querySelectorAll('p, li, th, td')].map((el) => el.textContent)
          .filter((text) => /\*\*|\]\(|^\s*([-*+]|\d+\.) /m.test(text)),
        code: code && { src: code.getAttribute('src'), alt: code.alt, width: code.getBoundingClientRect().width,
                        top: code.getBoundingClientRect().top },
        overflow: document.documentElement.scrollWidth - innerWidth,
        wider: [...document.images].filter((img) => img.getBoundingClientRect().right > innerWidth).map((img) => img.src),
      };
    });
    assert.ok(seen.pictures > 1 && seen.links > 0);
    assert.deepEqual(seen.broken, [], 'every picture is in the folder');
    assert.deepEqual(seen.lost, [], 'every link within the guide finds its heading');
    assert.deepEqual(seen.raw, [], 'no Markdown is left as text');
    assert.equal(seen.code?.src, 'guide/address-qr.png');
    assert.match(seen.code.alt, /QRコード/);
    assert.ok(seen.code.width >= 200, `the QR code is ${seen.code.width} px wide`);
    assert.ok(seen.code.top < 2 * 768, 'the QR code is among the first lines');
    assert.equal(seen.overflow, 0, 'nothing is wider than the screen');
    assert.deepEqual(seen.wider, []);
  } finally {
    await browser.close();
    fs.rmSync(folder, { recursive: true, force: true });
  }
});

// What the script refuses, leaving the guide as it was: addresses that are
// not plain http(s) addresses of a folder, and a guide filled in already.
const REFUSED = [
  ['a query', 'https://example.github.io/lesson/?a=1'],
  ['a blank', 'https://example.github.io/my lesson/'],
  ['markup', 'https://example.github.io/"><b>/'],
  ['another scheme', 'javascript:alert(1)//'],
  ['a guide filled in already', ADDRESS, true],
];
for (const [what, address, twice] of REFUSED) {
  test(`publishing the guide refuses ${what}`, () => {
    const folder = guideCopy();
    try {
      if (twice) assert.equal(publish(ADDRESS, folder).status, 0);
      const before = fs.readFileSync(path.join(folder, 'guide.html'), 'utf8');
      const run = publish(address, folder);
      assert.equal(run.status, 1, run.stdout);
      assert.match(run.stderr, /publish-guide\.sh: /);
      assert.equal(fs.readFileSync(path.join(folder, 'guide.html'), 'utf8'), before);
    } finally {
      fs.rmSync(folder, { recursive: true, force: true });
    }
  });
}
