// The player's files in the browser: progress and settings outlive a reload, a damaged progress
// file is set aside as on the desktop, and remapped keys and pad buttons (a stand-in pad through
// the Gamepad API) play as the settings say.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import {
  webSuite, inFreshProfile, waitReady, liveState, waitForState, writeProfileFile, waitSaved, savedCount, pause,
} from './harness.mjs';

const suite = webSuite();

const titleReady = (s) => s.game_state === 'Title' && s.menu_counter > 20;

async function reload(page) {
  await page.reload();
  await waitReady(page);
}

test('progress outlives a reload: the title offers CONTINUE, which starts level 1', async () => {
  await inFreshProfile(suite, {}, async ({ page }) => {
    assert.equal((await liveState(page)).menu_choice, 0, 'a new player is offered START');
    await waitForState(page, titleReady);
    const saved = await savedCount(page);
    await page.keyboard.press('Enter');
    await waitForState(page, (s) => s.game_state === 'LevelMap' && s.current_level === 1);
    await waitSaved(page, saved + 1);
    await reload(page);
    const title = await liveState(page);
    assert.equal(title.game_state, 'Title');
    assert.equal(title.menu_choice, 2, 'CONTINUE is chosen');
    await waitForState(page, titleReady);
    await page.keyboard.press('Enter');
    await waitForState(page, (s) => s.game_state === 'LevelMap');
    await pause(300);
    await page.keyboard.press('Space');
    await waitForState(page, (s) => s.game_state === 'Playing');
    const playing = await liveState(page);
    assert.equal(playing.current_level, 1);
    assert.equal(playing.loaded_level, 1);
  });
});

test('a volume changed on the options screen (Tab) outlives a reload and is in force', async () => {
  await inFreshProfile(suite, {}, async ({ page }) => {
    await waitForState(page, titleReady);
    await page.keyboard.press('Tab');
    await waitForState(page, (s) => s.game_state === 'Options');
    assert.equal(await page.evaluate(() => document.activeElement.id), 'canvas', 'Tab keeps the focus on the game');
    const saved = await savedCount(page);
    await pause(200);
    await page.keyboard.press('ArrowLeft');
    await waitSaved(page, saved + 1);
    await page.keyboard.press('Escape');
    await waitForState(page, (s) => s.game_state === 'Title');
    assert.ok(Math.abs(await page.evaluate(() => Module.qmAudio.musicLevel.gain.value) - 0.9) < 1e-6, 'the music plays at 9 at once');
    await reload(page);
    assert.match(await page.evaluate(() => Module.FS.readFile('/profile/settings.ini', { encoding: 'utf8' })), /^music_volume = 9$/m);
    await page.waitForFunction(() => Module.qmAudio.musicLevel !== null);
    assert.ok(Math.abs(await page.evaluate(() => Module.qmAudio.musicLevel.gain.value) - 0.9) < 1e-6, 'the music plays at 9');
  });
});

test('a damaged progress file is set aside as NAME.bad, once, and the title offers START', async () => {
  await inFreshProfile(suite, {}, async ({ page, warnings }) => {
    await writeProfileFile(page, 'progress.ini', 'level = 7\nlives = 3\nbow = no\n');
    await reload(page);
    await waitSaved(page, 1);
    assert.equal((await liveState(page)).menu_choice, 0);
    assert.ok(warnings.some((w) => /progress\.ini: line 1: level must be 1, 2 or 3.*progress\.ini\.bad/.test(w)), warnings.join('\n'));
    assert.deepEqual(await page.evaluate(() => Module.FS.readdir('/profile').filter((n) => n.startsWith('progress'))), ['progress.ini.bad']);
    const told = warnings.length;
    await reload(page);
    assert.equal(warnings.slice(told).filter((w) => /progress/.test(w)).length, 0, 'told once');
  });
});

// A pad the page reads through navigator.getGamepads(); the test presses its buttons.
function installTestPad() {
  const pad = {
    id: 'test pad', index: 0, connected: true, mapping: 'standard', timestamp: 0, axes: [0, 0, 0, 0],
    buttons: Array.from({ length: 17 }, () => ({ pressed: false, touched: false, value: 0 })),
  };
  globalThis.testPad = pad;
  Object.defineProperty(Navigator.prototype, 'getGamepads', { value: () => [pad, null, null, null], configurable: true });
}

// Standard-layout button numbers.
const PAD = { south: 0, east: 1, west: 2, north: 3, back: 8, start: 9 };

async function padPress(page, button) {
  await page.evaluate((b) => { testPad.buttons[b].pressed = true; }, button);
  await pause(120);
  await page.evaluate((b) => { testPad.buttons[b].pressed = false; }, button);
  await pause(120);
}

// From the title (START or CONTINUE chosen) through the opening lines of level 1 with the pad.
async function padIntoLevel(page) {
  await waitForState(page, titleReady);
  await padPress(page, PAD.start);
  await waitForState(page, (s) => s.game_state === 'LevelMap');
  await pause(200);
  await padPress(page, PAD.east);
  await waitForState(page, (s) => s.game_state === 'Playing');
  for (let line = 0; line < 3; ++line) {
    await pause(400);
    await padPress(page, PAD.east);
  }
  await waitForState(page, (s) => s.speech.length === 0);
  // The hero stands a moment after the last line.
  await pause(500);
}

const swings = (s) => s.sounds['useSword.WAV'] || 0;

test('a pad plays with the desktop\'s buttons, then with the ones the settings remap, as do the keys', async () => {
  await inFreshProfile(suite, { viewport: { width: 800, height: 600 }, beforeLoad: installTestPad }, async ({ page }) => {
    await padIntoLevel(page);
    assert.match(await page.$eval('#status', (e) => e.textContent), /D-pad walk.*A sword.*X bow.*B next.*Start choose/);
    let before = await liveState(page);
    await page.evaluate(() => { testPad.axes[0] = 1; });
    await pause(400);
    await page.evaluate(() => { testPad.axes[0] = 0; });
    await padPress(page, PAD.south);
    let after = await liveState(page);
    assert.ok(after.hero.world_x > before.hero.world_x + 20, 'the stick walks');
    assert.ok(swings(after) > swings(before), 'South swings the sword');

    // The sword on North and on the key S: South (now the options button) and A do nothing in play.
    await writeProfileFile(page, 'settings.ini', 'pad_sword = North\nkey_sword = S\n');
    await reload(page);
    await padIntoLevel(page);
    assert.match(await page.$eval('#status', (e) => e.textContent), /Y sword/);
    before = await liveState(page);
    await padPress(page, PAD.south);
    await page.keyboard.press('KeyA');
    await pause(200);
    after = await liveState(page);
    assert.equal(swings(after), swings(before), 'South and A no longer swing');
    await padPress(page, PAD.north);
    await pause(600);
    await page.keyboard.press('KeyS');
    await pause(200);
    after = await liveState(page);
    assert.equal(swings(after), swings(before) + 2, 'North and S swing');
    assert.match(await page.$eval('#status', (e) => e.textContent), /S sword/);
  });
});
