// What the browser tests share: the builds' folders, headless Chromium, pages opened in a fresh
// browser profile of their own, the native game's headless runs, the page's controls touched
// through Chromium's touch events, and BMP reading.
import { before, after } from 'node:test';
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, dirname } from 'node:path';
import { fileURLToPath } from 'node:url';
import puppeteer from 'puppeteer-core';
import { serveFolder } from '../../scripts/serve-web.mjs';

export const root = join(dirname(fileURLToPath(import.meta.url)), '..', '..');
export const nativeBuild = process.env.QUILLMOOR_NATIVE_BUILD || join(root, 'build');
export const webBuild = join(root, 'build-web');
export const keysDir = join(root, 'tests', 'keys');
const chromiumPath = process.env.QUILLMOOR_CHROMIUM || '/usr/bin/chromium';

export const PHONE_PORTRAIT = { width: 390, height: 844, deviceScaleFactor: 3, isMobile: true, hasTouch: true };
export const PHONE_LANDSCAPE = { width: 844, height: 390, deviceScaleFactor: 3, isMobile: true, hasTouch: true, isLandscape: true };
export const DESKTOP = { width: 1280, height: 720 };

export const pause = (ms) => new Promise((r) => setTimeout(r, ms));

export function launchBrowser() {
  return puppeteer.launch({
    executablePath: chromiumPath,
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--mute-audio'],
  });
}

// One headless Chromium for a test file, with the web build served on a local port (unless `serve`
// is false) and a scratch folder for native runs (if `scratch`). The record's fields are filled in
// before the file's first test runs.
export function webSuite({ serve = true, scratch = false } = {}) {
  const suite = {};
  before(async () => {
    if (scratch) suite.work = mkdtempSync(join(tmpdir(), 'quillmoor-web-'));
    if (serve) {
      suite.server = await serveFolder(webBuild);
      suite.origin = `http://127.0.0.1:${suite.server.address().port}`;
    }
    suite.browser = await launchBrowser();
  });
  after(async () => {
    if (suite.browser) await suite.browser.close();
    if (suite.server) suite.server.close();
    if (suite.work) rmSync(suite.work, { recursive: true, force: true });
  });
  return suite;
}

// Plays `play({ page, problems, warnings })` on the game's page in a browser profile of its own
// (`query`, `viewport` and `beforeLoad` as for openGame), then checks that the page reported no
// problem, and closes the profile whatever happened.
export async function inFreshProfile(suite, { query = '', viewport, beforeLoad } = {}, play) {
  const context = await suite.browser.createBrowserContext();
  try {
    const game = await openGame(context, suite.origin, query, viewport, beforeLoad);
    await play(game);
    assert.deepEqual(game.problems, []);
  } finally {
    await context.close();
  }
}

// A page in `context` (a browser profile: its storage and offline copy are its own), on the
// game's page with `query`, ready once the game shows its first picture (test pages: once the
// module runs). `beforeLoad` runs in the page before its scripts. `problems` gathers the page's
// errors, console errors and failed requests; `warnings` its console warnings.
export async function openGame(context, origin, query = '', viewport = { width: 800, height: 600 }, beforeLoad = null) {
  const page = await context.newPage();
  if (beforeLoad) await page.evaluateOnNewDocument(beforeLoad);
  const problems = [];
  const warnings = [];
  page.on('pageerror', (e) => problems.push(String(e)));
  page.on('console', (m) => {
    if (m.type() === 'error') problems.push(m.text());
    if (m.type() === 'warn' || m.type() === 'warning') warnings.push(m.text());
  });
  page.on('requestfailed', (r) => problems.push(`${r.url()}: ${r.failure()?.errorText}`));
  page.on('response', (r) => {
    if (r.status() >= 400) problems.push(`${r.url()}: HTTP ${r.status()}`);
  });
  await page.setViewport(viewport);
  await page.goto(`${origin}/quillmoor.html${query}`);
  await waitReady(page);
  return { page, problems, warnings };
}

export async function waitReady(page) {
  await page.waitForFunction(() => globalThis.Module && Module.quillmoorReady, { timeout: 60000 });
}

export async function liveState(page) {
  return page.evaluate(() => JSON.parse(Module.ccall('quillmoor_live_state', 'string', [], [])));
}

// Waits until the live game's state report passes `check` (a function of the report, run in the page).
export async function waitForState(page, check, timeout = 10000) {
  await page.waitForFunction(
    (source) => new Function('s', `return (${source})(s);`)(JSON.parse(Module.ccall('quillmoor_live_state', 'string', [], []))),
    { timeout, polling: 50 }, check.toString());
}

// The centre of each touch control, by its data-key, in CSS pixels of the viewport.
export async function controlCentres(page) {
  return page.evaluate(() => {
    const centres = {};
    for (const e of document.querySelectorAll('#touch [data-key]')) {
      const r = e.getBoundingClientRect();
      centres[e.dataset.key] = { x: r.left + r.width / 2, y: r.top + r.height / 2 };
    }
    return centres;
  });
}

// Fingers on the page's touch controls through Chromium's own touch events: `hold(keys)` puts one
// finger on each control named and lifts every other, as a player's hand would.
export async function touchHand(page) {
  const cdp = await page.createCDPSession();
  // A device whose main pointer is not its touch screen shows the controls at the first touch.
  if (await page.evaluate(() => document.getElementById('touch').hidden)) {
    await cdp.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: [{ x: 1, y: 1 }] });
    await cdp.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
    await page.waitForFunction(() => !document.getElementById('touch').hidden);
  }
  const centres = await controlCentres(page);
  let down = [];
  const ids = new Map();
  let nextId = 1;
  const points = (keys) => keys.map((k) => ({ x: centres[k].x, y: centres[k].y, id: ids.get(k) }));
  return {
    centres,
    async hold(keys) {
      for (const key of down.filter((k) => !keys.includes(k))) {
        down = down.filter((k) => k !== key);
        await cdp.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: points(down) });
      }
      for (const key of keys.filter((k) => !down.includes(k))) {
        ids.set(key, nextId++);
        down.push(key);
        await cdp.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: points(down) });
      }
    },
    async tap(key) {
      await this.hold([...down, key]);
      await pause(60);
      await this.hold(down.filter((k) => k !== key));
    },
  };
}

// The native game's headless run of a key script: its state report, every frame's hash and
// the last frame as a BMP.
export function nativeRun(work, name, script, frames, extra = []) {
  const input = join(work, `${name}.keys`);
  const state = join(work, `${name}.json`);
  const hashes = join(work, `${name}.hashes`);
  const shot = join(work, `${name}.bmp`);
  writeFileSync(input, script);
  const result = spawnSync(join(nativeBuild, 'quillmoor'), [
    '--headless', '--frames', String(frames), '--input', input, '--state', state,
    '--hashes', hashes, '--shot', `${frames}:${shot}`, '--data', join(nativeBuild, 'data'), ...extra,
  ], { encoding: 'utf8' });
  assert.equal(result.status, 0, result.stderr);
  return {
    state: JSON.parse(readFileSync(state, 'utf8')),
    hashes: readFileSync(hashes, 'utf8').trim().split('\n'),
    bmp: readFileSync(shot),
  };
}

// The 8-bit pixel rows of an uncompressed BMP, top row first.
export function bmpPixelsTopDown(bmp) {
  const offset = bmp.readUInt32LE(10);
  const width = bmp.readInt32LE(18);
  const height = bmp.readInt32LE(22);
  const stride = (width + 3) & ~3;
  const rows = [];
  for (let y = 0; y < Math.abs(height); ++y) {
    const stored = height > 0 ? Math.abs(height) - 1 - y : y;
    rows.push(bmp.subarray(offset + stored * stride, offset + stored * stride + width));
  }
  return Buffer.concat(rows);
}

// Each pixel's colour of an 8-bit BMP, top row first, through its palette.
export function bmpColours(bmp) {
  const paletteAt = 14 + bmp.readUInt32LE(14);
  return Array.from(bmpPixelsTopDown(bmp), (v) => [bmp[paletteAt + v * 4 + 2], bmp[paletteAt + v * 4 + 1], bmp[paletteAt + v * 4]]);
}

// Parses a key script into steps of [frames, [data-key names]] (script key names are the touch
// controls' data-key names).
export function scriptSteps(script) {
  return script.split('\n').map((l) => l.replace(/#.*/, '').trim()).filter((l) => l)
    .map((l) => {
      const [count, keys] = l.split(/\s+/);
      return [Number(count), keys === '-' ? [] : keys.split('+')];
    });
}

// Writes the player's files the way the game keeps them (IndexedDB behind /profile), for tests
// that start from settings or a damaged file; resolves once the browser has them.
export async function writeProfileFile(page, name, text) {
  await page.evaluate((n, t) => new Promise((resolve, reject) => {
    Module.FS.writeFile(`/profile/${n}`, t);
    Module.FS.syncfs(false, (e) => (e ? reject(e) : resolve()));
  }), name, text);
}

// Resolves once every write of the player's files has reached the browser's storage.
export async function waitSaved(page, writes = 1) {
  await page.waitForFunction((n) => Module.qmSync && Module.qmSync.done >= n && !Module.qmSync.busy && !Module.qmSync.again,
    { timeout: 10000 }, writes);
}

// How many writes of the player's files have reached the browser's storage so far.
export async function savedCount(page) {
  return page.evaluate(() => (Module.qmSync ? Module.qmSync.done : 0));
}
