// The web page in Chromium against the native program: page load to ready, the conversion in
// the page of the world example and of generated 5 MB and 40 MB saves beside the native time
// for the same saves, and the site's size. Run through bench/web_bench.sh, which builds what it
// needs; `node bench/web_bench.mjs [--repeat 3]` when everything is built.
import { spawnSync } from 'node:child_process';
import { existsSync, mkdirSync, readdirSync, readFileSync, statSync } from 'node:fs';
import { loadavg } from 'node:os';
import path from 'node:path';
import { launchBrowser, serveSite, openPage, repo, site } from '../tests/web/browser.mjs';
import { byTestId, pickSave, finish, world, worldPlan } from '../tests/web/page_flow.mjs';

const repeat = Number(process.argv[process.argv.indexOf('--repeat') + 1]) || 3;
const folder = path.join(repo, 'build-web', 'bench');
const inProcess = path.join(repo, 'build', 'bench', 'quillmere_bench_inprocess');
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const ms = (value) => `${value.toFixed(0)} ms`;

// The saves and how each is placed: the world example by its plan, the generated saves by
// giving everything missing to ENG.
function saves() {
  mkdirSync(folder, { recursive: true });
  const generated = [5, 40].map((mb) => {
    const file = path.join(folder, `save${mb}.kst`);
    if (!existsSync(file)) spawnSync(path.join(repo, 'build', 'bench', 'quillmere_gen_save'), [file, String(mb)]);
    return { name: `generated ${mb} MB`, file, plan: null, options: ['--assign-rest', 'ENG'] };
  });
  return [{ name: 'world example', file: world, plan: worldPlan, options: ['--assign', worldPlan] }, ...generated];
}

// One conversion on a freshly opened page, on the page's clock: from the save given to the
// page to the placement asked for, and from "finish" pressed to the results; and from the
// page's opening to the results. The player's own part (the plan imported, the rest given) is
// not counted.
async function convertInPage(browser, address, save) {
  const { page } = await openPage(browser, address);
  const state = await pickSave(page, save.file);
  if (state === 'placing') {
    if (save.plan) await page.setInputFiles(byTestId('plan-input'), save.plan);
    else {
      await page.selectOption(byTestId('country-select'), 'ENG');
      await page.click(byTestId('rest-button'));
    }
    await finish(page);
  }
  const log = await page.evaluate(() => window.testLog);
  await page.context().close();
  const at = (found) => log.find(found).at;
  const given = at((entry) => entry.input === 'save-input');
  const ready = at((entry) => entry.state === 'ready');
  const last = log.at(-1);
  if (last.state !== 'done') throw new Error(`${save.name}: the page ended "${last.state}"`);
  const placing = log.find((entry) => entry.state === 'placing');
  const pressed = log.find((entry) => entry.click === 'finish-button');
  const converting = placing ? placing.at - given + last.at - pressed.at : last.at - given;
  return { ready, converting, opened: last.at - (pressed ? pressed.at - placing.at : 0) };
}

// The native time of each save: the in-process benchmark's median where it is built, else the
// command line's whole run (start-up, reading and writing included) as a stand-in.
function nativeTimes(list) {
  if (existsSync(inProcess)) {
    const lines = spawnSync(inProcess, ['Data', ...list.map((save) => save.file)], { cwd: repo, encoding: 'utf8' })
      .stdout.trim().split('\n');
    return { how: 'in process (quillmere_bench_inprocess, median)', times: lines.map((line) => Number(line.match(/([\d.]+)\s*ms/)[1])) };
  }
  const times = list.map((save) => median(Array.from({ length: repeat }, () => {
    const start = process.hrtime.bigint();
    spawnSync(path.join(repo, 'build', 'quillmere'),
      ['convert', save.file, path.join(folder, 'scenario.kst'), '--data', 'Data', ...save.options], { cwd: repo });
    return Number(process.hrtime.bigint() - start) / 1e6;
  })));
  return { how: 'stand-in: the whole `quillmere convert` run, start-up and files included, median', times };
}

// Every file of the site, raw and compressed with gzip -9.
function siteSize() {
  const files = readdirSync(site, { recursive: true }).map((name) => path.join(site, name))
    .filter((file) => statSync(file).isFile());
  const raw = files.reduce((sum, file) => sum + statSync(file).size, 0);
  const gzip = files.reduce((sum, file) => sum + spawnSync('gzip', ['-9', '-c', file]).stdout.length, 0);
  return { files: files.length, raw, gzip };
}

const verdict = (ok) => (ok ? 'PASS' : 'FAIL');
console.log(`load average ${loadavg().map((x) => x.toFixed(2)).join(' ')}`);
const list = saves();
const [browser, server] = await Promise.all([launchBrowser(), serveSite()]);
const version = browser.version();
const page = [];
for (const save of list) {
  const runs = [];
  for (let run = 0; run < repeat; run++) runs.push(await convertInPage(browser, server.url, save));
  page.push({ ready: median(runs.map((r) => r.ready)), converting: median(runs.map((r) => r.converting)),
    opened: median(runs.map((r) => r.opened)), first: runs[0].converting });
}
await browser.close();
server.stop();
const native = nativeTimes(list);

console.log(`Chromium ${version}, ${repeat} fresh pages per save; times are medians (first run in brackets)`);
console.log(`page load to ready: ${ms(median(page.map((p) => p.ready)))}`);
console.log(`native: ${native.how}`);
console.log('save'.padEnd(20) + 'MB'.padStart(7) + 'in page'.padStart(16) + 'native'.padStart(10) + 'ratio'.padStart(8));
list.forEach((save, i) => {
  const mb = statSync(save.file).size / 1e6;
  console.log(save.name.padEnd(20) + mb.toFixed(2).padStart(7)
    + `${ms(page[i].converting)} (${ms(page[i].first)})`.padStart(16) + ms(native.times[i]).padStart(10)
    + `${(page[i].converting / native.times[i]).toFixed(2)}x`.padStart(8));
});
const size = siteSize();
console.log(`site: ${size.files} files, ${size.raw} bytes raw, ${size.gzip} bytes gzip -9`);
console.log(`target world example converted within 1 s of opening the page: ${ms(page[0].opened)} ${verdict(page[0].opened < 1000)}`);
const ratio40 = page[2].converting / native.times[2];
console.log(`target 40 MB save within 2x native: ${ratio40.toFixed(2)}x ${verdict(ratio40 <= 2)}`);
console.log(`target site under 1 MB gzip -9: ${size.gzip} bytes ${verdict(size.gzip < 1e6)}`);
console.log(`load average ${loadavg().map((x) => x.toFixed(2)).join(' ')}`);
