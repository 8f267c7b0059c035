// The page around the game: the game module's set-up, the picture's size and the places of the
// line and the touch controls, full screen, the line that names the controls in use, the
// browser's lasting storage and the offline copy (sw.js). Module.qmFrameTimes keeps when each
// picture was shown (milliseconds from the page's start), for the tests' figures.
'use strict';
(() => {
  const BUILD = document.querySelector('meta[name="quillmoor-build"]').content;
  const FRAME_W = 640, FRAME_H = 480;
  const MARGIN = 8;
  const canvas = document.getElementById('canvas');
  const line = document.getElementById('line');
  const statusText = document.getElementById('status');
  const fullscreenButton = document.getElementById('fullscreen');
  const touchBox = document.getElementById('touch');
  const pad = document.getElementById('pad');
  const control = (key) => touchBox.querySelector(`[data-key="${key}"]`);
  const query = new URLSearchParams(location.search);
  const testHook = query.has('test');

  // 'keys', 'touch' or 'pad': what the player uses, which the line names. Touch screens that are
  // the device's main pointer (phones, tablets) start with the touch controls.
  let input = matchMedia('(pointer: coarse)').matches ? 'touch' : 'keys';
  let pictureUp = false;
  let names = null;  // {keys: [...], buttons: [...]} bound to each action, from the game

  // CSS pixels per game pixel: whole steps of the screen's own pixels while they fill most of
  // the room, else the largest fit; either way square pixels.
  function pictureScale(roomW, roomH) {
    const ratio = window.devicePixelRatio || 1;
    const fit = Math.min((roomW * ratio) / FRAME_W, (roomH * ratio) / FRAME_H);
    let steps = Math.floor(fit);
    if (steps < 1 || steps < fit * 0.8) steps = fit;
    return Math.max(steps, 0.1) / ratio;
  }

  function place(element, x, y, w, h) {
    element.style.left = `${Math.round(x)}px`;
    element.style.top = `${Math.round(y)}px`;
    element.style.width = `${Math.round(w)}px`;
    if (h !== undefined) element.style.height = `${Math.round(h)}px`;
  }

  // The line's height when it is `width` wide (it wraps on narrow screens).
  function lineHeight(width) {
    line.style.width = `${Math.round(width)}px`;
    return line.offsetHeight;
  }

  // One column of touch controls, `width` wide from `x`: two plaques above the big control (the
  // pad, or the sword and bow), side by side or, in a narrow column, one above the other; all
  // placed low, where thumbs rest.
  function placeColumn(x, width, top, bottom, plaques, big, stacked) {
    const plaqueW = stacked ? Math.min(120, width) : Math.min(100, (width - MARGIN) / 2);
    const plaqueH = (plaqueW * 22) / 56;
    const plaquesH = stacked ? 2 * plaqueH + MARGIN : plaqueH;
    const size = Math.max(60, Math.min(width, 200, bottom - top - plaquesH - 3 * MARGIN));
    const total = plaquesH + 2 * MARGIN + size;
    const y0 = top + Math.max(0, (bottom - top - total) * 0.75);
    plaques.forEach((key, i) => {
      if (stacked) place(control(key), x + (width - plaqueW) / 2, y0 + i * (plaqueH + MARGIN), plaqueW, plaqueH);
      else place(control(key), x + (width - 2 * plaqueW - MARGIN) / 2 + i * (plaqueW + MARGIN), y0, plaqueW, plaqueH);
    });
    const bigX = x + (width - size) / 2, bigY = y0 + plaquesH + 2 * MARGIN;
    if (big === 'pad') {
      place(pad, bigX, bigY, size, size);
      const third = size / 3;
      place(control('up'), third, 0, third, third + 2);
      place(control('down'), third, 2 * third - 2, third, third + 2);
      place(control('left'), 0, third, third + 2, third);
      place(control('right'), 2 * third - 2, third, third + 2, third);
    } else {
      // The bow up and to the left of the sword, like a pad's face buttons.
      const round = size * 0.48;
      place(control('z'), bigX, bigY + size * 0.02, round, round);
      place(control('a'), bigX + size - round, bigY + size * 0.5, round, round);
    }
  }

  function layout() {
    const w = document.documentElement.clientWidth, h = document.documentElement.clientHeight;
    const touch = input === 'touch';
    touchBox.hidden = !touch;
    // The controls' pictures are fetched the first time they show, not before the game's files.
    for (const img of touch ? touchBox.querySelectorAll('img[data-src]') : []) {
      img.src = img.dataset.src;
      img.removeAttribute('data-src');
    }
    let scale, x, y, lineX, lineW;
    if (!touch) {
      const lineH = lineHeight(w);
      scale = pictureScale(w, h - lineH);
      x = (w - FRAME_W * scale) / 2;
      y = Math.max(0, (h - lineH - FRAME_H * scale) / 2);
      lineX = 0;
      lineW = w;
    } else if (w > h) {
      // Landscape: a column of controls at each side, the picture between them.
      const column = Math.round(Math.min(220, Math.max(150, w * 0.2)));
      const middle = w - 2 * column;
      const lineH = lineHeight(middle);
      scale = pictureScale(middle - 2 * MARGIN, h - lineH);
      x = (w - FRAME_W * scale) / 2;
      y = Math.max(0, (h - lineH - FRAME_H * scale) / 2);
      lineX = column;
      lineW = middle;
      placeColumn(MARGIN, column - 2 * MARGIN, MARGIN, h - MARGIN, ['escape', 'tab'], 'pad', true);
      placeColumn(w - column + MARGIN, column - 2 * MARGIN, MARGIN, h - MARGIN, ['space', 'enter'], 'strike', true);
    } else {
      // Portrait: the picture on top, the line under it, the controls below.
      const lineH = lineHeight(w);
      const column = (w - 3 * MARGIN) / 2;
      const controlsH = Math.min(column, 200) + ((Math.min(100, (column - MARGIN) / 2) * 22) / 56) + 4 * MARGIN;
      scale = pictureScale(w, h - lineH - controlsH);
      x = (w - FRAME_W * scale) / 2;
      y = 0;
      lineX = 0;
      lineW = w;
      const top = y + FRAME_H * scale + lineH;
      placeColumn(MARGIN, column, top, h - MARGIN, ['escape', 'tab'], 'pad', false);
      placeColumn(w - MARGIN - column, column, top, h - MARGIN, ['space', 'enter'], 'strike', false);
    }
    place(canvas, x, y, FRAME_W * scale, FRAME_H * scale);
    place(line, lineX, y + FRAME_H * scale, lineW);
  }

  // The line: what each control does, in the words of the controls in use.
  const KEY_WORDS = {Return: 'Enter', Escape: 'Esc'};
  const BUTTON_WORDS = {South: 'A', East: 'B', West: 'X', North: 'Y', LeftShoulder: 'LB', RightShoulder: 'RB',
                        LeftStick: 'L3', RightStick: 'R3', DpadUp: 'Up', DpadDown: 'Down', DpadLeft: 'Left', DpadRight: 'Right'};
  function controlItems() {
    if (input === 'touch')
      return [['Cross', 'walk'], ['Sword', 'strike'], ['Bow', 'shoot'], ['NEXT', 'talk on, set out'], ['OK', 'choose'],
              ['BACK', 'title'], ['OPTIONS', '']];
    const pad = input === 'pad';
    const bound = names ? (pad ? names.buttons : names.keys) : pad ? ['DpadUp', 'DpadDown', 'DpadLeft', 'DpadRight', 'South', 'West', 'East', 'Start', 'Back', 'North']
                                                               : ['Up', 'Down', 'Left', 'Right', 'A', 'Z', 'Space', 'Return', 'Escape', 'Tab'];
    const word = (name) => (pad ? BUTTON_WORDS[name] : KEY_WORDS[name]) || name;
    const walk = pad ? ['DpadUp', 'DpadDown', 'DpadLeft', 'DpadRight'] : ['Up', 'Down', 'Left', 'Right'];
    const items = [[walk.every((n, i) => bound[i] === n) ? (pad ? 'D-pad' : 'Arrows') : bound.slice(0, 4).map(word).join(' '), 'walk']];
    ['sword', 'bow', 'next', 'choose', 'title', 'options'].forEach((what, i) => items.push([word(bound[4 + i]), what]));
    if (!pad) items.push(['Alt+Enter', 'full screen']);
    return items;
  }

  function showControls() {
    if (!pictureUp) return;
    statusText.textContent = '';
    const audio = Module.qmAudio;
    if (audio && !(audio.context && audio.context.state === 'running'))
      statusText.append(input === 'touch' ? 'Sound starts with your first tap. ' : 'Sound starts with your first key. ');
    controlItems().forEach(([control, what], i) => {
      if (i) statusText.append(' \u00b7 ');
      const b = document.createElement('b');
      b.textContent = control;
      statusText.append(b, what ? ` ${what}` : '');
    });
    layout();
  }

  function readNames() {
    const [keys, buttons] = Module.ccall('quillmoor_control_names', 'string', [], []).split('\n');
    return {keys: keys.split('|'), buttons: buttons.split('|')};
  }

  function setInput(kind) {
    if (kind === input) return;
    input = kind;
    showControls();
    layout();
  }

  const fullscreenElement = () => document.fullscreenElement || document.webkitFullscreenElement || null;
  function setFullscreen(on) {
    const root = document.documentElement;
    const request = root.requestFullscreen || root.webkitRequestFullscreen;
    const exit = document.exitFullscreen || document.webkitExitFullscreen;
    const ignore = () => {};
    if (on && !fullscreenElement() && request) Promise.resolve(request.call(root, {navigationUI: 'hide'})).catch(ignore);
    else if (!on && fullscreenElement() && exit) Promise.resolve(exit.call(document)).catch(ignore);
  }
  fullscreenButton.hidden = !(document.fullscreenEnabled || document.webkitFullscreenEnabled);
  fullscreenButton.addEventListener('click', () => {
    if (Module.qmUnlockAudio) Module.qmUnlockAudio();
    setFullscreen(!fullscreenElement());
    canvas.focus();
  });
  document.addEventListener('fullscreenchange', layout);
  document.addEventListener('webkitfullscreenchange', layout);
  window.addEventListener('resize', layout);
  window.addEventListener('keydown', () => setInput('keys'), true);

  function firstPicture() {
    pictureUp = true;
    Module.quillmoorReady = true;
    showControls();
    canvas.focus();
    if (testHook) return;
    // Settings and progress should outlive the browser's clean-ups of storage it needs back.
    if (navigator.storage && navigator.storage.persist) navigator.storage.persist().catch(() => {});
    // The offline copy is made once the game runs and its title music is in, so it never slows the start.
    if ('serviceWorker' in navigator)
      setTimeout(() => navigator.serviceWorker.register('sw.js').catch((e) => console.warn(`quillmoor: no offline copy: ${e}`)), 3000);
  }

  // The keyboard's layout (which key types "a"), asked for now so that it is there when the game starts.
  const keyboard = navigator.keyboard;
  const layoutMap = keyboard && keyboard.getLayoutMap ? keyboard.getLayoutMap().catch(() => null) : Promise.resolve(null);

  window.Module = {
    canvas,
    arguments: testHook ? ['--test-hook'] : query.has('classic') ? ['--classic'] : [],
    // Every file of a build carries its id, so a cached file of another build is never taken for it.
    locateFile: (path) => `${path}?v=${BUILD}`,
    print: (text) => console.log(text),
    printErr: (text) => console.warn(text),
    qmBuild: BUILD,
    qmLayoutMap: layoutMap,
    qmFrameTimes: [],
    qmOnFirstPicture: [firstPicture],
    qmAssetUrl: (path) => `${path}?v=${BUILD}`,
    qmInputUsed: setInput,
    qmSetFullscreen: setFullscreen,
    qmToggleFullscreen: () => setFullscreen(!fullscreenElement()),
    qmIsFullscreen: () => fullscreenElement() !== null,
    qmAudioStateChanged: () => showControls(),
    qmControlsChanged: () => {
      names = readNames();
      showControls();
    },
    onRuntimeInitialized: () => {
      if (testHook) {
        statusText.textContent = '';
        Module.quillmoorReady = true;
      }
    },
    onGameQuit: () => {
      statusText.textContent = 'Thanks for playing. Reload the page to play again.';
    },
  };
  layout();
})();
