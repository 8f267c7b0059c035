// The page on a desktop browser: the picture as large as the page allows with square pixels,
// full screen from its button, Alt+Enter and F11, its icons and manifest, and nothing missing.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { join } from 'node:path';
import { webSuite, inFreshProfile, liveState, waitForState, pause, DESKTOP } from './harness.mjs';

const suite = webSuite();

const pictureBox = (page) => page.$eval('#canvas', (e) => {
  const r = e.getBoundingClientRect();
  return { left: r.left, top: r.top, width: r.width, height: r.height };
});

test('at 1280 x 720 the picture fills the height left by the line, 4:3, with the line under it', async () => {
  await inFreshProfile(suite, { viewport: DESKTOP }, async ({ page }) => {
    const box = await pictureBox(page);
    const line = await page.$eval('#line', (e) => e.getBoundingClientRect().toJSON());
    assert.ok(box.height > 650 && box.height <= 720 - line.height + 1, `the picture is ${box.width} x ${box.height}`);
    assert.ok(Math.abs(box.width / box.height - 4 / 3) < 0.01, 'square pixels');
    assert.ok(line.top >= box.top + box.height - 1 && line.bottom <= 721, 'the line is under the picture');
    assert.equal(await page.evaluate(() => document.getElementById('touch').hidden), true, 'no touch controls on a desktop');
    if (process.env.QUILLMOOR_SHOTS) await page.screenshot({ path: join(process.env.QUILLMOOR_SHOTS, 'desktop-1280x720.png') });
    // At 1920 x 1080 two whole steps fit.
    await page.setViewport({ width: 1920, height: 1080 });
    await pause(200);
    const big = await pictureBox(page);
    assert.equal(big.width, 1280);
    assert.equal(big.height, 960);
  });
});

test('full screen: the page\'s button, Alt+Enter and F11 switch it, and Alt+Enter chooses nothing on the title', async () => {
  await inFreshProfile(suite, { viewport: DESKTOP }, async ({ page }) => {
    const fullscreen = () => page.evaluate(() => document.fullscreenElement !== null);
    await waitForState(page, (s) => s.game_state === 'Title' && s.menu_counter > 20);
    await page.click('#fullscreen');
    await page.waitForFunction(() => document.fullscreenElement !== null);
    await page.keyboard.down('Alt');
    await page.keyboard.press('Enter');
    await page.keyboard.up('Alt');
    await page.waitForFunction(() => document.fullscreenElement === null);
    await page.keyboard.press('F11');
    await page.waitForFunction(() => document.fullscreenElement !== null);
    assert.equal(await fullscreen(), true);
    await pause(300);
    assert.equal((await liveState(page)).game_state, 'Title', 'Alt+Enter and F11 are no game keys');
    await page.keyboard.press('F11');
    await page.waitForFunction(() => document.fullscreenElement === null);
  });
});

test('the page has its icon and an installable manifest with the game\'s icons', async () => {
  await inFreshProfile(suite, { viewport: DESKTOP }, async ({ page }) => {
    const icon = await page.$eval('link[rel=icon]', (e) => e.href);
    const manifestUrl = await page.$eval('link[rel=manifest]', (e) => e.href);
    const fetched = async (url) => Buffer.from(await page.evaluate(async (u) => Array.from(new Uint8Array(await (await fetch(u)).arrayBuffer())), url));
    // A PNG's size, from its header.
    const size = (png) => {
      assert.equal(png.toString('latin1', 12, 16), 'IHDR');
      return [png.readUInt32BE(16), png.readUInt32BE(20)];
    };
    assert.deepEqual(size(await fetched(icon)), [32, 32]);
    const manifest = JSON.parse((await fetched(manifestUrl)).toString('utf8'));
    assert.equal(manifest.name, 'Quillmoor');
    assert.ok(['fullscreen', 'standalone'].includes(manifest.display));
    assert.ok(manifest.theme_color && manifest.background_color && manifest.start_url);
    for (const entry of manifest.icons) {
      const [w, h] = entry.sizes.split('x').map(Number);
      assert.deepEqual(size(await fetched(new URL(entry.src, manifestUrl).href)), [w, h], entry.src);
    }
    assert.ok(manifest.icons.some((i) => i.sizes === '192x192') && manifest.icons.some((i) => i.sizes === '512x512'));
  });
});
