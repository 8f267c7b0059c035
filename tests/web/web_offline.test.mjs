// Offline: a new player on a phone taps through the title into level 1, closes the page, and
// with the server gone comes back to CONTINUE where they were; then a new build's page and
// offline worker replace the kept copy.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { serveFolder } from '../../scripts/serve-web.mjs';
import { webBuild, webSuite, openGame, liveState, waitForState, touchHand, waitSaved, savedCount, pause, PHONE_PORTRAIT } from './harness.mjs';

// The test runs its own server, which it stops and starts again.
const suite = webSuite({ serve: false });

function stop(server) {
  return new Promise((resolve) => {
    server.close(resolve);
    server.closeAllConnections();
  });
}

const keptCopies = (page) => page.evaluate(async () => {
  const names = await caches.keys();
  const copies = {};
  for (const name of names) copies[name] = (await (await caches.open(name)).keys()).length;
  return copies;
});

test('after one visit the game starts and continues with no network, and a new build replaces the kept copy', async () => {
  let server = await serveFolder(webBuild);
  const port = server.address().port;
  const origin = `http://127.0.0.1:${port}`;
  const build = readFileSync(join(webBuild, 'page.stamp'), 'utf8').trim();
  const context = await suite.browser.createBrowserContext();
  try {
    // The first visit: into level 1 with touch; the offline copy is made meanwhile.
    let { page, problems } = await openGame(context, origin, '', PHONE_PORTRAIT);
    let hand = await touchHand(page);
    await waitForState(page, (s) => s.game_state === 'Title' && s.menu_counter > 20);
    const saved = await savedCount(page);
    await hand.tap('enter');
    await waitForState(page, (s) => s.game_state === 'LevelMap');
    await waitSaved(page, saved + 1);
    await pause(300);
    await hand.tap('space');
    await waitForState(page, (s) => s.game_state === 'Playing' && s.current_level === 1);
    await page.waitForFunction(() => navigator.serviceWorker.controller !== null, { timeout: 60000 });
    const files = await page.evaluate(() => fetch('sw.js').then((r) => r.text()).then((t) => t.match(/^const FILES = \[(.*)\];$/m)[1].split(', ').length));
    assert.deepEqual(await keptCopies(page), { [`quillmoor-${build}`]: files });
    assert.deepEqual(problems, []);
    await page.close();

    // No network: the page, the game, its music and the saved progress all come from the browser.
    await stop(server);
    ({ page, problems } = await openGame(context, origin, '', PHONE_PORTRAIT));
    hand = await touchHand(page);
    const title = await liveState(page);
    assert.equal(title.game_state, 'Title');
    assert.equal(title.menu_choice, 2, 'CONTINUE is offered');
    await waitForState(page, (s) => s.game_state === 'Title' && s.menu_counter > 20);
    await hand.tap('enter');
    await waitForState(page, (s) => s.game_state === 'LevelMap' && s.current_level === 1);
    await pause(300);
    await hand.tap('space');
    await waitForState(page, (s) => s.game_state === 'Playing' && s.loaded_level === 1);
    await page.waitForFunction(() => Module.qmAudio.tracks.filter((t) => t && t.buffer).length === 6, { timeout: 30000 });
    assert.deepEqual(problems.filter((p) => !/sw\.js/.test(p)), []);

    // A new build on the same address: its page names its own files and its worker its own copy.
    const next = 'feedfacefeedface';
    const overrides = new Map([
      ['/sw.js', readFileSync(join(webBuild, 'sw.js'), 'utf8').replaceAll(build, next)],
      ['/quillmoor.html', readFileSync(join(webBuild, 'quillmoor.html'), 'utf8').replaceAll(build, next)],
    ]);
    server = await serveFolder(webBuild, { port, overrides });
    await page.reload();
    await page.waitForFunction(async (name) => {
      const names = await caches.keys();
      return names.length === 1 && names[0] === name;
    }, { timeout: 60000, polling: 200 }, `quillmoor-${next}`);
    assert.equal(await page.evaluate(() => Module.qmBuild), next);
  } finally {
    await context.close();
    if (server.listening) await stop(server);
  }
});
