// The page's test hooks, loaded before the page's own scripts in its test
// variant only: what the page reports (its first frame, its steps frame by
// frame, the floors it took, its errors, what it fetched) and any frame of
// the storm on request, read the same way in every browser engine.
'use strict';

(() => {
  const state = { firstFrameAt: null, steps: 0, floors: 0, errors: [], frames: [], captures: [] };
  let storm = null;
  const entries = {}; // the module's own entry points, under the watches
  let lastFrameAt = 0; // the page's clock at its last animation frame

  const report = (text) => state.errors.push(String(text));
  const consoleError = console.error.bind(console);
  console.error = (...words) => { report(words.join(' ')); consoleError(...words); };
  // In the capture phase: a script, picture or style that fails to load
  // says so on its element, not on the window.
  window.addEventListener('error', (event) => {
    const what = event.target && event.target !== window ? `${event.target.tagName} ${event.target.src || event.target.href} failed to load` : event.message;
    report(what);
  }, true);
  window.addEventListener('unhandledrejection', (event) => report(`unhandled: ${event.reason}`));
  document.addEventListener('securitypolicyviolation', (event) => report(`refused by the page's policy: ${event.blockedURI}`));

  // The module's entry point `name` through `around(entry, ...arguments)`;
  // the module may put its entry in place later (Emscripten's exports
  // replace themselves on their first call), never the watch.
  function watch(name, around) {
    entries[name] = storm[name];
    Object.defineProperty(storm, name, {
      get: () => (...args) => around(entries[name], ...args),
      set: (replaced) => { entries[name] = replaced; },
    });
  }

  // raivel.js defines createRaivel after this script: the page gets the
  // module through this wrapper, which watches its entry points.
  let create = null;
  Object.defineProperty(window, 'createRaivel', {
    configurable: true,
    set: (made) => { create = made; },
    get: () => create && (async (...options) => {
      storm = await create(...options);
      watch('_raivel_animation_frame', (frame, time) => {
        if (time < lastFrameAt) return -1;
        lastFrameAt = time;
        const steps = frame(time);
        if (steps >= 0) {
          if (state.firstFrameAt === null) state.firstFrameAt = performance.now();
          state.steps += steps;
        }
        state.frames.push([time, steps]);
        return steps;
      });
      watch('_raivel_set_floor', (setFloor, ...picture) => {
        const set = setFloor(...picture);
        if (set) state.floors += 1;
        return set;
      });
      return storm;
    }),
  });

  // Every screen capture the page starts, to see that it stops them.
  if (navigator.mediaDevices && navigator.mediaDevices.getDisplayMedia) {
    const capture = navigator.mediaDevices.getDisplayMedia.bind(navigator.mediaDevices);
    navigator.mediaDevices.getDisplayMedia = async (...options) => {
      const stream = await capture(...options);
      state.captures.push(stream);
      return stream;
    };
  }

  const canvas = () => document.getElementById('storm');

  window.raivelTestHook = {
    state,
    // Whether every capture the page started has stopped.
    capturesStopped: () => state.captures.every((stream) => stream.getTracks().every((track) => track.readyState === 'ended')),
    // The page's time now and its animation frames from now on, after
    // `ms` of them: [time, steps] each, steps -1 for a frame not drawn.
    frames(ms) {
      const from = state.frames.length;
      return new Promise((resolve) => setTimeout(() => resolve(state.frames.slice(from)), ms));
    },
    // Every resource the page fetched, by address.
    fetched() {
      return performance.getEntriesByType('navigation').concat(performance.getEntriesByType('resource')).map((entry) => entry.name);
    },
    // Frame `number` (from 2) of the storm started afresh, drawn by the
    // page's own animation frames at width x height from two bitmap files
    // (base64; none: the pictures it has): its pixels in base64, bottom row
    // first. The frames come one step apart on the page's clock, ahead of
    // the browser's: the page's own frames wait until it has caught up.
    renderFrame(number, width, height, cloudBase64, desktopBase64) {
      const shown = [canvas().width, canvas().height];
      canvas().width = width;
      canvas().height = height;
      storm._raivel_resize(width, height);
      if (cloudBase64) {
        const files = [cloudBase64, desktopBase64].map((text) => Uint8Array.from(atob(text), (c) => c.charCodeAt(0)));
        const at = files.map((bytes) => { const p = storm._malloc(bytes.length); storm.HEAPU8.set(bytes, p); return p; });
        storm._raivel_load_pictures(at[0], files[0].length, at[1], files[1].length);
        at.forEach((p) => storm._free(p));
      }
      const frame = () => { lastFrameAt += 1000 / 60; return entries._raivel_animation_frame(lastFrameAt); };
      // A display at 60 a second, as the page's pace learns it: then every
      // frame takes one step.
      for (let i = 0; i < 12; i += 1) frame();
      storm._raivel_restart_storm();
      for (let i = 1; i < number; i += 1) {
        const steps = frame();
        if (steps !== 1) throw new Error(`the page took ${steps} steps on a frame one step after the last`);
      }
      const pixels = storm.HEAPU8.subarray(storm._raivel_read_frame(width, height)).subarray(0, 4 * width * height);
      let text = '';
      for (let i = 0; i < pixels.length; i += 0x8000) text += String.fromCharCode.apply(null, pixels.subarray(i, i + 0x8000));
      [canvas().width, canvas().height] = shown;
      storm._raivel_resize(...shown);
      return btoa(text);
    },
  };
})();
