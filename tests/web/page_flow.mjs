// What a player does in the page, step by step, through its data-testid hooks.
import { readFile, mkdir } from 'node:fs/promises';
import path from 'node:path';
import assert from 'node:assert/strict';
import { repo, waitForState } from './browser.mjs';

export const byTestId = (id) => `[data-testid="${id}"]`;
export const world = path.join(repo, 'examples', 'world.kst');
export const worldPlan = path.join(repo, 'examples', 'world-plan.txt');

const logLength = (page) => page.evaluate(() => window.testLog.length);

// Gives the save to the page and waits for the conversion it starts to stop for the player
// ("placing") or end; answers that state.
export async function pickSave(page, file) {
  const since = await logLength(page);
  await page.setInputFiles(byTestId('save-input'), file);
  return waitForState(page, ['placing', 'done', 'failed'], since);
}

// Activates a hook with the mouse, or with the keyboard alone (Tab to it, then Enter).
export const click = (page, id) => page.click(byTestId(id));
export async function keyboard(page, id) {
  await tabTo(page, id);
  await page.keyboard.press('Enter');
}

// Presses "finish" once every province has a country and waits for the end.
export async function finish(page, activate = click) {
  const since = await logLength(page);
  await activate(page, 'finish-button');
  return waitForState(page, ['done', 'failed'], since);
}

// The world example placed with its plan, imported in the page.
export async function convertWorld(page) {
  if (await pickSave(page, world) !== 'placing') throw new Error('the world example asked for no placement');
  await page.setInputFiles(byTestId('plan-input'), worldPlan);
  return finish(page);
}

// The scenario the page offers must be tools/convert-example.sh's out/world.kst, byte for byte.
export async function expectWorldScenario(page) {
  const scenario = await download(page, 'scenario-download');
  assert.equal(scenario.name, 'world.kst');
  assert.ok(scenario.bytes.equals(await readFile(path.join(repo, 'out', 'world.kst'))), 'the scenario differs from out/world.kst');
}

// The number of provinces still without a country, as the page shows it.
export async function missingCount(page) {
  return Number((await page.textContent(byTestId('missing-count'))).match(/\d+/)[0]);
}

// Activates a download: its file name and bytes.
export async function download(page, id, activate = click) {
  const [file] = await Promise.all([page.waitForEvent('download'), activate(page, id)]);
  return { name: file.suggestedFilename(), bytes: await readFile(await file.path()) };
}

// Whether the page offers any of the three results for download.
export async function offersDownload(page) {
  const links = ['scenario-download', 'report-md-download', 'report-json-download'];
  const shown = await Promise.all(links.map((id) => page.locator(byTestId(id)).isVisible()));
  return shown.some(Boolean);
}

// A screenshot of the whole page kept with the test output, and of the window (1280x800)
// wherever else it is wanted.
export async function screenshot(page, name, ...copies) {
  const folder = path.join(repo, 'build-web', 'screenshots');
  await mkdir(folder, { recursive: true });
  await page.screenshot({ path: path.join(folder, `${name}.png`), fullPage: true });
  for (const copy of copies) await page.screenshot({ path: path.join(repo, copy) });
}

// The entries of the list of provinces without a country that the page shows: id and text.
export function shownProvinces(page) {
  return page.$$eval(`${byTestId('missing-list')} [data-province-id]`, (entries) => entries
    .filter((entry) => entry.checkVisibility())
    .map((entry) => ({ id: Number(entry.dataset.provinceId), text: entry.textContent })));
}

export const province = (page, id) => page.locator(`${byTestId('missing-list')} [data-province-id="${id}"]`);

// The tags the country box offers.
export function offeredCountries(page) {
  return page.$$eval(`${byTestId('country-select')} option`, (options) => options.map((o) => o.value));
}

// Moves the keyboard focus with Tab alone until it is on the hook or inside it.
export async function tabTo(page, id) {
  for (let presses = 0; presses < 100; presses++) {
    if (await page.evaluate((hook) => Boolean(document.activeElement?.closest(`[data-testid="${hook}"]`)), id)) return;
    await page.keyboard.press('Tab');
  }
  throw new Error(`Tab never reaches ${id}`);
}
