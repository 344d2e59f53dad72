// Files the page cannot convert: it shows the command line's own message, offers nothing for
// download, and converts the next file.
import { test, after } from 'node:test';
import assert from 'node:assert/strict';
import { readdirSync, writeFileSync } from 'node:fs';
import path from 'node:path';
import { openPage, repo } from './browser.mjs';
import { browserAndSite } from './test_session.mjs';
import {
  byTestId, pickSave, convertWorld, expectWorldScenario, offersDownload, screenshot, world,
} from './page_flow.mjs';
import { quillmere, scratch } from './command_line.mjs';

const golden = (name) => path.join(repo, 'tests', 'golden', name);

// Gives the page a data folder as its own data, its files picked one by one (data-input) or
// the folder itself (data-folder-input), and waits for the findings of their check.
async function giveData(page, folder, hook) {
  const findings = page.locator(byTestId('data-findings'));
  const before = await findings.evaluate((shown) => (shown.hidden ? null : shown.textContent));
  const files = hook === 'data-input' ? readdirSync(folder).map((file) => path.join(folder, file)) : folder;
  await page.setInputFiles(byTestId(hook), files);
  await findings.evaluate((shown, was) => new Promise((resolve) => {
    const changed = () => !shown.hidden && shown.textContent !== was && resolve();
    new MutationObserver(changed).observe(shown, { attributes: true, childList: true, characterData: true, subtree: true });
    changed();
  }), before);
}

// 64 KiB of bytes from a fixed seed: a binary file, the same on every run.
function randomFile() {
  const bytes = Buffer.alloc(65536);
  let state = 2463534242;
  for (let i = 0; i < bytes.length; i++) {
    state ^= state << 13; state ^= state >>> 17; state ^= state << 5;
    bytes[i] = state & 0xff;
  }
  const file = path.join(scratch(), 'random.kst');
  writeFileSync(file, bytes);
  return file;
}

// What the command line says of the same files: the first line of its standard error, and
// the findings of the data (FILE:LINE: ...) it printed, with the data folder's path left out (the
// page has files, not a folder).
function commandLineMessages(save, data = path.join(repo, 'Data')) {
  const run = quillmere('convert', save, path.join(scratch(), 'scenario.kst'), '--data', data, '--assign-rest', 'ENG');
  assert.notEqual(run.status, 0);
  const findings = run.stdout.split('\n').filter((line) => /^\S+:\d+: (error|warning): /.test(line));
  return { message: run.stderr.split('\n')[0], findings: findings.map((line) => line.replace(`${data}/`, '')) };
}

// One page for all the cases, one after the other.
let opened;
browserAndSite(async ({ browser, server }) => {
  opened = await openPage(browser, server.url);
});
after(() => assert.deepEqual(opened?.faults, []));

const cases = [
  { name: 'a file that is not a save', shot: 'failed-not-a-save', save: golden('not-a-save/save.kst') },
  { name: 'a binary file', shot: 'failed-binary', save: randomFile() },
  { name: 'a save that offers no country', shot: 'failed-no-country', save: golden('no-country/save.kst') },
  { name: 'own data with an error', shot: 'failed-data', save: world, data: golden('check-data-syntax/Data') },
];

for (const { name, shot, save, data } of cases) {
  test(`${name}: the command line's message, no download, then the world example converts`, async () => {
    const { page } = opened;
    if (data) await giveData(page, data, 'data-input');
    const state = await pickSave(page, save);
    await screenshot(page, shot);
    assert.equal(state, 'failed');
    const expected = commandLineMessages(save, data);
    const shown = await page.textContent(byTestId('error'));
    assert.ok(shown.includes(expected.message), `the page says "${shown}", the command line "${expected.message}"`);
    const text = await page.textContent('body');
    for (const finding of expected.findings) assert.ok(text.includes(finding), `the page does not show "${finding}"`);
    assert.equal(await offersDownload(page), false);

    // After the data's error, the bundled data's folder given as own data.
    if (data) await giveData(page, path.join(repo, 'Data'), 'data-folder-input');
    assert.equal(await convertWorld(page), 'done');
    await expectWorldScenario(page);
  });
}
