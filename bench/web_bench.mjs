// The web page in Chromium against the native program: page load to ready, the conversion in
// the page of the world example and of generated 5 MB and 40 MB saves beside the native time
// for the same saves, and the site's size. Run through bench/web_bench.sh, which builds what it
// needs (quillmere_bench_inprocess gives the native times); `node bench/web_bench.mjs [--repeat 3]`
// when everything is built.
import { spawnSync } from 'node:child_process';
import { existsSync, mkdirSync, readdirSync, readFileSync, statSync } from 'node:fs';
import { loadavg } from 'node:os';
import path from 'node:path';
import { launchBrowser, serveSite, openPage, repo, site } from '../tests/web/browser.mjs';
import { byTestId, pickSave, finish, download, world, worldPlan } from '../tests/web/page_flow.mjs';

const repeat = Number(process.argv[process.argv.indexOf('--repeat') + 1]) || 3;
const pause = 2000;  // ms from ready to the save given, for the paced first conversion
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

// One conversion in the page, on the page's clock: from the save given to the page to the
// placement asked for, and from "finish" pressed to the results (the player's own part, the
// plan imported or the rest given, is not counted); when the save was given; and the times of
// the page's own JSON report.
async function convertInPage(page, save) {
  const since = await page.evaluate(() => window.testLog.length);
  if (await pickSave(page, save.file) === 'placing') {
    if (save.plan) await page.setInputFiles(byTestId('plan-input'), save.plan);
    else {
      await page.selectOption(byTestId('country-select'), 'ENG');
      await page.click(byTestId('rest-button'));
    }
    await finish(page);
  }
  const log = (await page.evaluate(() => window.testLog)).slice(since);
  const last = log.at(-1);
  if (last.state !== 'done') throw new Error(`${save.name}: the page ended "${last.state}"`);
  const given = log.find((entry) => entry.input === 'save-input').at;
  const placing = log.find((entry) => entry.state === 'placing')?.at ?? last.at;
  const pressed = log.find((entry) => entry.click === 'finish-button')?.at ?? last.at;
  const reported = reportedTime(JSON.parse((await download(page, 'report-json-download')).bytes));
  return { preparing: placing - given, finishing: last.at - pressed, converting: placing - given + last.at - pressed,
    given, reported };
}

// A freshly opened page: its load to ready, then the save converted twice, cold (the page's
// first conversion, as a player opening the page has it) and warm. The save is given to the
// page as soon as it is ready; how soon that is depends on the test driver (picking a file
// takes a player longer), so the time from opening the page to the world example converted is
// the page's own: its load to ready and its cold conversion. A second fresh page is given the
// save after a pause, as a player picking it would (paced): the page warms up meanwhile.
async function measure(browser, address, save) {
  const { page } = await openPage(browser, address);
  const ready = await page.evaluate(() => window.testLog.find((entry) => entry.state === 'ready').at);
  const cold = await convertInPage(page, save);
  const warm = await convertInPage(page, save);
  await page.context().close();
  const { page: pacedPage } = await openPage(browser, address);
  await pacedPage.waitForTimeout(pause);
  const paced = await convertInPage(pacedPage, save);
  await pacedPage.context().close();
  return { ready, cold, warm, paced, opened: ready + cold.converting, given: cold.given - ready };
}

// The time a run's JSON report gives its loading, conversion and saving, in milliseconds.
const reportedTime = (report) => 1000 * Object.values(report.run.seconds).reduce((sum, s) => sum + s, 0);

// The native time of each save: the median of quillmere_bench_inprocess, the conversion from
// the save's bytes to the scenario's inside one process, the reference data loaded before.
function nativeTimes(list) {
  const run = spawnSync(inProcess, ['Data', ...list.map((save) => save.file)], { cwd: repo, encoding: 'utf8' });
  if (run.status !== 0) throw new Error(`quillmere_bench_inprocess failed:\n${run.stderr}`);
  return run.stdout.trim().split('\n').map((line) => Number(line.match(/median ([\d.]+) ms/)[1]));
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
const runs = [];
for (const save of list) {
  const ofSave = [];
  for (let run = 0; run < repeat; run++) ofSave.push(await measure(browser, server.url, save));
  runs.push(ofSave);
}
await browser.close();
server.stop();
const native = nativeTimes(list);
const middle = (i, pick) => median(runs[i].map(pick));

console.log(`Chromium ${version}: ${repeat} fresh pages per save, each converting it twice, and ${repeat} more `
  + `given it ${pause / 1000} s after they are ready (paced); medians`);
console.log(`page load to ready: ${ms(median(runs.flat().map((r) => r.ready)))}; the save given to the page `
  + `${ms(median(runs.flat().map((r) => r.given)))} after it is ready (the test driver's time, not counted)`);
console.log('in page: cold (the first conversion of the page), warm (the second) and paced (the first, given after');
console.log('  the pause): to the placement asked for');
console.log('  + from "finish" to the results; its report: load + convert + save as the page\'s JSON report');
console.log(`  gives them (warm); native: quillmere_bench_inprocess, median`);
console.log('save'.padEnd(16) + 'MB'.padStart(6) + 'cold'.padStart(20) + 'warm'.padStart(18) + 'paced'.padStart(18)
  + 'its report'.padStart(11) + 'native'.padStart(8) + 'cold/n'.padStart(8) + 'warm/n'.padStart(8) + 'paced/n'.padStart(9));
const split = (i, run) => `${ms(middle(i, (r) => r[run].preparing))} + ${ms(middle(i, (r) => r[run].finishing))}`;
const ratio = (i, run) => middle(i, (r) => r[run].converting) / native[i];
list.forEach((save, i) => {
  console.log(save.name.padEnd(16) + (statSync(save.file).size / 1e6).toFixed(2).padStart(6)
    + split(i, 'cold').padStart(20) + split(i, 'warm').padStart(18) + split(i, 'paced').padStart(18)
    + ms(middle(i, (r) => r.warm.reported)).padStart(11) + ms(native[i]).padStart(8)
    + ['cold', 'warm', 'paced'].map((run, k) => `${ratio(i, run).toFixed(2)}x`.padStart(k === 2 ? 9 : 8)).join(''));
});
const size = siteSize();
console.log(`site: ${size.files} files, ${size.raw} bytes raw, ${size.gzip} bytes gzip -9`);
const opened = middle(0, (r) => r.opened);
console.log(`target world example converted within 1 s of opening the page: ${ms(opened)} ${verdict(opened < 1000)}`);
console.log(`target 40 MB save within 2x native (cold): ${ratio(2, 'cold').toFixed(2)}x ${verdict(ratio(2, 'cold') <= 2)}`);
console.log(`target site under 1 MB gzip -9: ${size.gzip} bytes ${verdict(size.gzip < 1e6)}`);
console.log(`load average ${loadavg().map((x) => x.toFixed(2)).join(' ')}`);
