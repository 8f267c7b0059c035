// The touch controls: every finger on a control holds that control's key, several at once (walk
// and strike together), and a finger sliding over the cross changes direction as it goes. The
// game reads Module.qmTouch once a frame: the actions held, and those tapped since the last frame
// (bits in the order of the data-key names below), into the same key snapshot as the keyboard's.
'use strict';
(() => {
  const KEYS = ['up', 'down', 'left', 'right', 'a', 'z', 'space', 'enter', 'escape', 'tab'];
  const bit = (key) => 1 << KEYS.indexOf(key);
  const UP = bit('up'), DOWN = bit('down'), LEFT = bit('left'), RIGHT = bit('right');
  const touchBox = document.getElementById('touch');
  const pad = document.getElementById('pad');
  const buttons = Array.from(touchBox.querySelectorAll('.control[data-key]'));
  const arms = Array.from(pad.querySelectorAll('[data-key]'));
  const state = {held: 0, tapped: 0};
  const fingers = new Map();  // touch identifier -> the bits it holds

  // The cross answers in eight directions: within 30 degrees of an arm that arm alone, between
  // two arms both. A finger just off its edge still counts, as thumbs drift.
  function padBits(x, y) {
    const r = pad.getBoundingClientRect();
    const slack = r.width * 0.15;
    if (x < r.left - slack || x > r.right + slack || y < r.top - slack || y > r.bottom + slack) return -1;
    const dx = x - (r.left + r.width / 2), dy = y - (r.top + r.height / 2);
    if (Math.hypot(dx, dy) < r.width * 0.1) return 0;
    const degrees = (Math.atan2(dy, dx) * 180) / Math.PI;  // 0 right, 90 down
    const near = (target) => Math.abs(((degrees - target + 540) % 360) - 180) <= 60;
    return (near(0) ? RIGHT : 0) | (near(90) ? DOWN : 0) | (near(180) ? LEFT : 0) | (near(-90) ? UP : 0);
  }

  function bitsAt(x, y) {
    const onPad = padBits(x, y);
    if (onPad >= 0) return onPad;
    for (const button of buttons) {
      if (button === pad) continue;
      const r = button.getBoundingClientRect();
      if (button.classList.contains('round')) {
        const dx = x - (r.left + r.width / 2), dy = y - (r.top + r.height / 2);
        if (Math.hypot(dx, dy) <= r.width / 2 + 6) return bit(button.dataset.key);
      } else if (x >= r.left - 4 && x <= r.right + 4 && y >= r.top - 4 && y <= r.bottom + 4) {
        return bit(button.dataset.key);
      }
    }
    return 0;
  }

  function show() {
    let held = 0;
    for (const bits of fingers.values()) held |= bits;
    state.held = held;
    for (const element of buttons.concat(arms))
      element.classList.toggle('down', (held & bit(element.dataset.key)) !== 0);
  }

  function unlockSound() {
    if (window.Module && Module.qmUnlockAudio) Module.qmUnlockAudio();
  }

  function onTouch(event) {
    // The first touch brings the controls out; it presses nothing.
    if (touchBox.hidden) {
      if (Module.qmInputUsed) Module.qmInputUsed('touch');
      unlockSound();
      return;
    }
    let onControl = false;
    for (const touch of event.changedTouches) {
      if (event.type === 'touchend' || event.type === 'touchcancel') {
        if (fingers.delete(touch.identifier)) onControl = true;
        continue;
      }
      const bits = bitsAt(touch.clientX, touch.clientY);
      const before = fingers.get(touch.identifier);
      if (event.type === 'touchstart' && bits === 0) continue;
      if (before === undefined && event.type === 'touchmove') continue;
      onControl = true;
      state.tapped |= bits & ~(before || 0);
      fingers.set(touch.identifier, bits);
    }
    if (!onControl) return;
    // Neither scroll, zoom nor a mouse click follows a touch on a control.
    event.preventDefault();
    show();
    if (event.type === 'touchstart' || event.type === 'touchend') unlockSound();
  }

  for (const type of ['touchstart', 'touchmove', 'touchend', 'touchcancel'])
    document.addEventListener(type, onTouch, {passive: false});
  // Leaving the page lets go of every finger.
  window.addEventListener('blur', () => {
    fingers.clear();
    show();
  });
  window.Module.qmTouch = state;
})();
