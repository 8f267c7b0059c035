// The page on an emulated phone: the touch controls sit inside the screen and beside the picture
// in both orientations, play the game with several fingers at once, and a touch script gives the
// native game's very states and frames for the same keys.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { join } from 'node:path';
import {
  webSuite, inFreshProfile, nativeRun, liveState, waitForState, touchHand, scriptSteps, pause,
  PHONE_PORTRAIT, PHONE_LANDSCAPE,
} from './harness.mjs';

const suite = webSuite({ scratch: true });

// Every control's box, the picture's and the viewport's, in CSS pixels.
async function boxes(page) {
  return page.evaluate(() => {
    const box = (e) => {
      const r = e.getBoundingClientRect();
      return { left: r.left, top: r.top, right: r.right, bottom: r.bottom, key: e.dataset.key };
    };
    return {
      controls: Array.from(document.querySelectorAll('#touch [data-key]'), box),
      picture: box(document.getElementById('canvas')),
      width: document.documentElement.clientWidth,
      height: document.documentElement.clientHeight,
      shown: !document.getElementById('touch').hidden,
    };
  });
}

for (const [name, viewport] of [['portrait', PHONE_PORTRAIT], ['landscape', PHONE_LANDSCAPE]]) {
  test(`on a phone held ${name}, every control is inside the screen and none covers the picture`, async () => {
    await inFreshProfile(suite, { viewport }, async ({ page }) => {
      const b = await boxes(page);
      if (process.env.QUILLMOOR_SHOTS) await page.screenshot({ path: join(process.env.QUILLMOOR_SHOTS, `phone-${name}.png`) });
      assert.ok(b.shown, 'a touch screen shows the touch controls');
      assert.deepEqual(b.controls.map((c) => c.key).sort(), ['a', 'down', 'enter', 'escape', 'left', 'right', 'space', 'tab', 'up', 'z']);
      for (const c of b.controls) {
        assert.ok(c.left >= 0 && c.top >= 0 && c.right <= b.width && c.bottom <= b.height, `${c.key} is outside the screen: ${JSON.stringify(c)}`);
        const apart = c.right <= b.picture.left || c.left >= b.picture.right || c.bottom <= b.picture.top || c.top >= b.picture.bottom;
        assert.ok(apart, `${c.key} covers the picture: ${JSON.stringify(c)} and ${JSON.stringify(b.picture)}`);
        assert.ok(c.right - c.left >= 40 && c.bottom - c.top >= 30, `${c.key} is too small for a thumb`);
      }
      // The picture takes what the controls leave: at least half the screen's width or height.
      assert.ok(b.picture.right - b.picture.left >= Math.min(b.width, 1.33 * b.height) * 0.5, JSON.stringify(b.picture));
      assert.match(await page.$eval('#status', (e) => e.textContent), /Cross walk.*Sword strike.*OK choose/);
    });
  });
}

test('on a phone, tapping OK then NEXT starts level 1, and walking while striking does both', async () => {
  await inFreshProfile(suite, { viewport: PHONE_PORTRAIT }, async ({ page }) => {
    const hand = await touchHand(page);
    await waitForState(page, (s) => s.game_state === 'Title' && s.menu_counter > 20);
    await hand.tap('enter');
    await waitForState(page, (s) => s.game_state === 'LevelMap');
    assert.equal((await liveState(page)).current_level, 1);
    await pause(300);
    await hand.tap('space');
    await waitForState(page, (s) => s.game_state === 'Playing');
    // The opening lines, one tap of NEXT each.
    for (let line = 0; line < 3; ++line) {
      await pause(500);
      await hand.tap('space');
    }
    await pause(500);
    const before = await liveState(page);
    assert.deepEqual(before.speech, [], 'the opening lines are read');
    await hand.hold(['right']);
    await pause(400);
    await hand.hold(['right', 'a']);
    await pause(200);
    await hand.hold([]);
    const after = await liveState(page);
    assert.equal(after.current_level, 1);
    assert.ok(after.hero.world_x > before.hero.world_x + 20, `the hero walked from ${before.hero.world_x} to ${after.hero.world_x}`);
    assert.ok((after.sounds['useSword.WAV'] || 0) > (before.sounds['useSword.WAV'] || 0), 'the sword swung');
  });
});

// The key script's steps played by fingers on the page's controls, a frame at a time through
// the test hooks, against the native game given the same keys.
test('a touch script gives the native game\'s states and frames for the same keys', async () => {
  const script = '20 -\n1 enter\n5 -\n1 space\n12 -\n1 space\n12 -\n1 space\n10 -\n30 right\n10 right+a\n5 -\n20 down+a\n'
    + '8 left\n1 z\n6 up+left\n1 escape\n10 -\n1 enter\n15 -\n';
  const steps = scriptSteps(script);
  const frames = steps.reduce((n, [count]) => n + count, 0);
  const native = nativeRun(suite.work, 'touch', script, frames, ['--enhanced']);
  await inFreshProfile(suite, { query: '?test', viewport: PHONE_PORTRAIT }, async ({ page }) => {
    const hand = await touchHand(page);
    assert.equal(await page.evaluate(() => Module.ccall('quillmoor_test_begin', 'number', ['number'], [1])), 1);
    for (const [count, keys] of steps) {
      await hand.hold(keys);
      await page.evaluate((n) => Module.ccall('quillmoor_test_frames', null, ['number'], [n]), count);
    }
    await hand.hold([]);
    const web = await page.evaluate(() => JSON.parse(Module.ccall('quillmoor_test_end', 'string', [], [])));
    assert.deepEqual(web.state, native.state);
    assert.equal(web.hashes.length, native.hashes.length);
    const firstDifferent = web.hashes.findIndex((h, i) => h !== native.hashes[i]);
    assert.equal(firstDifferent, -1, `frame ${firstDifferent + 1} differs`);
  });
});
