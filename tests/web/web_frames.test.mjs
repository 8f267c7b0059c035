// The browser build in headless Chromium against the native headless game: the same key scripts
// must give the same state report and the same hash for every presented 8-bit frame, and the page
// itself must show the title and start its music on the first key.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { createHash } from 'node:crypto';
import { readFileSync, readdirSync } from 'node:fs';
import { join } from 'node:path';
import { decodePng } from './png_decode.mjs';
import { root, keysDir, webSuite, inFreshProfile, nativeRun, bmpPixelsTopDown, bmpColours, liveState, pause } from './harness.mjs';

const suite = webSuite({ scratch: true });

const sha = (bytes) => createHash('sha256').update(bytes).digest('hex');

const scripts = readdirSync(keysDir).filter((f) => f.endsWith('.keys')).sort();
// The committed whole-game run reaches all three bosses and the last line of the story.
const wholeGame = join(root, 'tests', 'replays', 'whole_game.txt');

test('every shared key script has a frame count', () => {
  assert.ok(scripts.length >= 3, 'the key scripts are in tests/keys');
  for (const file of scripts)
    assert.match(readFileSync(join(keysDir, file), 'utf8'), /^# frames: \d+\n/, file);
});

// Each run: its name, the key script and how many frames to play.
const runs = scripts.map((file) => {
  const script = readFileSync(join(keysDir, file), 'utf8');
  return { file, script, frames: Number(/^# frames: (\d+)/.exec(script)[1]) };
});
{
  const script = readFileSync(wholeGame, 'utf8');
  const frames = script.split('\n').filter((l) => /^\d/.test(l)).reduce((n, l) => n + Number(l.split(' ')[0]), 0);
  runs.push({ file: 'whole_game.txt', script, frames });
}

for (const { file, script, frames } of runs) {
  test(`${file}: the browser's states and frames equal the native game's`, async () => {
    const native = nativeRun(suite.work, file.replace(/\.(keys|txt)$/, ''), script, frames);
    await inFreshProfile(suite, { query: '?test' }, async ({ page }) => {
      const web = await page.evaluate((text, n) => {
        const answer = JSON.parse(Module.ccall('quillmoor_test_run', 'string', ['string', 'number', 'number'], [text, n, 0]));
        const at = Module._quillmoor_test_frame_pixels();
        const size = Module._quillmoor_test_frame_size();
        answer.pixels = Array.from(Module.HEAPU8.subarray(at, at + size));
        return answer;
      }, script, frames);
      assert.equal(web.error, undefined, web.error);
      assert.deepEqual(web.state, native.state);
      assert.equal(web.hashes.length, native.hashes.length);
      const firstDifferent = web.hashes.findIndex((h, i) => h !== native.hashes[i]);
      assert.equal(firstDifferent, -1, `frame ${firstDifferent + 1} differs`);
      assert.equal(sha(Buffer.from(web.pixels)), sha(bmpPixelsTopDown(native.bmp)), 'the last frame\'s 8-bit pixels');
    });
  });
}

test('the page shows the title, starts its music on the first key and plays from the keyboard at the game\'s pace', async () => {
  // The page plays enhanced and keeps the player's files, as the desktop game with a profile.
  const expected = bmpColours(nativeRun(suite.work, 'title', '30 -\n', 30, ['--enhanced', '--profile', join(suite.work, 'fresh-profile')]).bmp);
  // A profile of its own: the page keeps progress, which would offer CONTINUE to the next test.
  await inFreshProfile(suite, {}, async ({ page }) => {
    await pause(1500);
    // 800 x 600 leaves room for the picture at its own size above the line of controls.
    const picture = decodePng(await (await page.$('#canvas')).screenshot({ type: 'png' }));
    assert.equal(picture.width, 640);
    assert.equal(picture.height, 480);
    let same = 0;
    for (let i = 0; i < 640 * 480; ++i) {
      const [r, g, b] = expected[i];
      const p = i * 4;
      if (Math.abs(picture.rgba[p] - r) <= 2 && Math.abs(picture.rgba[p + 1] - g) <= 2 && Math.abs(picture.rgba[p + 2] - b) <= 2) ++same;
    }
    // The menu's pointer moves; everything else on the title is still.
    assert.ok(same / (640 * 480) > 0.98, `only ${same} of ${640 * 480} pixels match the native title`);
    assert.match(await page.$eval('#status', (e) => e.textContent), /Arrows walk.*A sword.*Z bow.*Space next.*Enter choose.*Esc title.*Tab options/);

    // Whether the context may sound before a gesture is the browser's choice (headless Chromium
    // allows it whatever the switches say); after a key it must run, playing the title's track.
    await page.keyboard.press('ArrowDown');
    await page.waitForFunction(() => Module.qmAudio.context && Module.qmAudio.context.state === 'running', { timeout: 10000 });
    await page.waitForFunction(() => Module.qmAudio.music !== null, { timeout: 20000 });
    const track = await page.evaluate(() => Module.qmAudio.music.buffer.duration);
    assert.ok(track > 20, `the title's track lasts ${track} s`);

    // The keyboard plays the game: Enter on START, Space on the map, then the hero walks right.
    // The menu takes a key only some frames after the last one.
    await pause(1000);
    await page.keyboard.press('ArrowUp');
    await pause(1000);
    await page.keyboard.press('Enter');
    await page.waitForFunction(() => Module.ccall('quillmoor_live_state', 'string', [], []).includes('"LevelMap"'), { timeout: 5000 });
    await pause(500);
    await page.keyboard.press('Space');
    await page.waitForFunction(() => Module.ccall('quillmoor_live_state', 'string', [], []).includes('"Playing"'), { timeout: 5000 });
    const start = await liveState(page);
    const startedAt = Date.now();
    await pause(2000);
    const later = await liveState(page);
    const perSecond = (later.frame - start.frame) / ((Date.now() - startedAt) / 1000);
    assert.ok(perSecond > 28 && perSecond < 36, `${perSecond.toFixed(1)} frames a second, not 33`);
    assert.equal(later.current_level, 1);
    assert.equal(later.music.current, 'level1.MID');
  });
});
