// Chromium and the served site for the tests of one file: started before the first test (then
// `andThen` runs with them), stopped after the last.
import { before, after } from 'node:test';
import { launchBrowser, serveSite } from './browser.mjs';

export function browserAndSite(andThen = async () => {}) {
  const session = {};
  before(async () => {
    [session.browser, session.server] = await Promise.all([launchBrowser(), serveSite()]);
    await andThen(session);
  });
  after(async () => {
    await session.browser?.close();
    session.server?.stop();
  });
  return session;
}
