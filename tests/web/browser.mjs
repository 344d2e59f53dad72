// Debian's Chromium driven by playwright-core (no browser of its own is downloaded), and the
// built site served on 127.0.0.1 as any static host would serve it. Shared by the tests of the
// page and by bench/web_bench.mjs.
import { spawn } from 'node:child_process';
import { fileURLToPath, pathToFileURL } from 'node:url';
import path from 'node:path';
import { chromium } from 'playwright-core';

export const repo = fileURLToPath(new URL('../..', import.meta.url));
export const site = path.join(repo, 'build-web', 'site');
export const siteFileUrl = pathToFileURL(path.join(site, 'index.html')).href;

export function launchBrowser() {
  return chromium.launch({ executablePath: '/usr/bin/chromium', headless: true });
}

// python3's http.server on a port the system picks; resolves once it prints its address.
export function serveSite() {
  const server = spawn('python3', ['-u', '-m', 'http.server', '0', '--bind', '127.0.0.1', '--directory', site],
    { stdio: ['ignore', 'pipe', 'ignore'] });
  return new Promise((resolve, reject) => {
    let said = '';
    server.on('exit', (code) => reject(new Error(`http.server exited with ${code}`)));
    server.stdout.on('data', (chunk) => {
      said += chunk;
      const port = said.match(/port (\d+)/);
      if (port) resolve({ url: `http://127.0.0.1:${port[1]}/`, stop: () => server.kill() });
    });
  });
}

// Runs in the page before its own scripts: keeps, with the page's clock, each state the body
// takes, each file given to an input and each click on a hook, for the waits and the timings.
function recordEvents() {
  window.testLog = [];
  const note = (entry) => window.testLog.push({ ...entry, at: performance.now() });
  new MutationObserver(() => note({ state: document.body.dataset.state }))
    .observe(document, { subtree: true, attributes: true, attributeFilter: ['data-state'] });
  const hook = (event) => event.target.closest?.('[data-testid]')?.dataset.testid;
  document.addEventListener('change', (event) => note({ input: hook(event) }), true);
  document.addEventListener('click', (event) => note({ click: hook(event) }), true);
}

// A page at 1280x800 opened at the address and ready, with what it did wrong kept for the
// test's end: requests to anywhere but its own origin (for a page opened from disk: files
// outside the site's folder; data: and blob: URLs are the page's own memory), and script errors
// it did not catch.
export async function openPage(browser, address) {
  const context = await browser.newContext({ viewport: { width: 1280, height: 800 }, acceptDownloads: true });
  await context.addInitScript(recordEvents);
  const page = await context.newPage();
  const faults = [];
  const own = (url) => /^(data|blob):/.test(url)
    || (address.startsWith('file:') ? url.startsWith(pathToFileURL(site).href + '/')
      : new URL(url).origin === new URL(address).origin);
  page.on('request', (request) => own(request.url()) || faults.push(`request to ${request.url()}`));
  page.on('pageerror', (error) => faults.push(`script error: ${error.message}`));
  await page.goto(address);
  await waitForState(page, ['ready']);
  return { page, faults };
}

// Resolves, with the state, when <body data-state> is one of the states (the page's contract
// with its tests) after the log's first `since` entries: a page that is already "done" has to
// convert again before a wait for "done" ends.
export async function waitForState(page, states, since = 0, timeout = 120000) {
  await page.waitForFunction(([wanted, from]) => wanted.includes(document.body.dataset.state)
    && (from === 0 || window.testLog.slice(from).some((entry) => entry.state)), [states, since], { timeout });
  return page.evaluate(() => document.body.dataset.state);
}
