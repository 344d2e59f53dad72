// The world example converted in the page with its plan, served over HTTP and opened from disk:
// the command line's scenario byte for byte and its report.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { browserAndSite } from './test_session.mjs';
import { openPage, siteFileUrl } from './browser.mjs';
import {
  byTestId, convertWorld, download, expectWorldScenario, screenshot, world, worldPlan,
} from './page_flow.mjs';
import { convert } from './command_line.mjs';

const session = browserAndSite();

// The reports without what differs between a browser and a command line by nature: the run's
// times, and the save, a path there and a file name here.
function withoutRunSpecifics(report) {
  const { seconds, save, ...run } = report.run;
  return { ...report, run };
}
const withoutRunRows = (markdown) => markdown.replace(/^\| (Save|Time) \|.*\n/gm, '');

test('the world example with its plan gives the scenario of tools/convert-example.sh and the same report', async () => {
  const { page, faults } = await openPage(session.browser, session.server.url);
  await screenshot(page, 'ready');
  assert.equal(await convertWorld(page), 'done');
  await screenshot(page, 'done');

  await expectWorldScenario(page);

  const commandLine = convert(world, '--assign', worldPlan);
  assert.equal(await page.textContent(byTestId('status')), commandLine.status);
  const json = await download(page, 'report-json-download');
  assert.equal(json.name, 'world-report.json');
  const expected = commandLine.report;
  assert.deepEqual(withoutRunSpecifics(JSON.parse(json.bytes)), withoutRunSpecifics(expected));

  // One province looked up: its owner and source provinces as the report has them.
  const [province] = expected.provinces;
  await page.fill(byTestId('province-lookup'), String(province.id));
  const found = await page.textContent(byTestId('province-lookup-result'));
  for (const fact of [province.owner, ...province.sources]) assert.match(found, new RegExp(`\\b${fact}\\b`));

  const markdown = await download(page, 'report-md-download');
  assert.equal(markdown.name, 'world-report.md');
  assert.equal(withoutRunRows(markdown.bytes.toString()), withoutRunRows(commandLine.markdown));
  assert.deepEqual(faults, []);
});

test('the site opened from disk converts the world example', async () => {
  const { page, faults } = await openPage(session.browser, siteFileUrl);
  assert.equal(await convertWorld(page), 'done');
  await expectWorldScenario(page);
  assert.deepEqual(faults, []);
});
