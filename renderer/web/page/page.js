// The page around the storm (raivel.js and raivel.wasm, built from the
// renderer's C++): it starts the storm over the sample desktop, runs it on
// every animation frame, makes the visitor's picture or one frame of their
// screen the floor, and goes full screen. Every picture stays in the page.
'use strict';

(() => {
  const stage = document.getElementById('stage');
  const canvas = document.getElementById('storm');
  const status = document.getElementById('status');
  const pictureInput = document.getElementById('picture');
  const screenButton = document.getElementById('screen');
  const fullScreenButton = document.getElementById('full-screen');

  // A floor picture's side at the most: plenty for a floor seen at a slant,
  // and little enough memory for the storm's textures in any browser.
  const largestSide = 2048;
  // How long the pointer stays still before it hides in full screen.
  const cursorHideMs = 2000;

  let storm = null; // the WebAssembly module, once started
  let running = false;
  // What the page's tests read (tests/renderer/web).
  const hook = { firstFrameAt: null, steps: 0, stepsAt: 0, floors: 0 };

  const say = (text) => { status.textContent = text; };

  // The canvas's drawing buffer follows its size on the page.
  function fitCanvas() {
    const ratio = window.devicePixelRatio || 1;
    const width = Math.max(1, Math.round(canvas.clientWidth * ratio));
    const height = Math.max(1, Math.round(canvas.clientHeight * ratio));
    if (canvas.width !== width || canvas.height !== height) {
      canvas.width = width;
      canvas.height = height;
    }
    storm._raivel_resize(width, height);
  }

  // Hands a picture (anything a 2D canvas draws) to the storm as its floor,
  // made smaller where a side is past the largest.
  function setFloor(picture, width, height) {
    const scale = Math.min(1, largestSide / Math.max(width, height));
    const w = Math.max(1, Math.round(width * scale));
    const h = Math.max(1, Math.round(height * scale));
    const board = document.createElement('canvas');
    board.width = w;
    board.height = h;
    const context = board.getContext('2d', { willReadFrequently: true });
    context.drawImage(picture, 0, 0, w, h);
    const rgba = context.getImageData(0, 0, w, h).data;
    const at = storm._malloc(rgba.length);
    if (!at) return false;
    storm.HEAPU8.set(rgba, at);
    const set = storm._raivel_set_floor(at, w, h);
    storm._free(at);
    if (set) hook.floors += 1;
    return set;
  }

  async function takePicture(file) {
    if (!storm) return; // the line already says why there is no storm
    let picture;
    try {
      picture = await createImageBitmap(file);
    } catch (error) {
      say(`"${file.name}" cannot be read as a picture: choose a PNG, JPEG, GIF, WebP or BMP image.`);
      return;
    }
    const set = setFloor(picture, picture.width, picture.height);
    picture.close();
    say(set ? `The floor shows "${file.name}", mirrored.` : `"${file.name}" is too large for the storm.`);
  }

  // One frame of the visitor's screen, the capture stopped at once.
  async function takeScreen() {
    let stream;
    try {
      stream = await navigator.mediaDevices.getDisplayMedia({ video: true, audio: false });
    } catch (error) {
      say(error.name === 'NotAllowedError'
        ? 'The screen capture was refused: the floor stays as it was.'
        : `The screen could not be captured (${error.name}): the floor stays as it was.`);
      return;
    }
    const video = document.createElement('video');
    video.muted = true;
    video.srcObject = stream;
    try {
      await video.play();
      if (!video.videoWidth) throw new DOMException('no frame came', 'NotReadableError');
      const set = setFloor(video, video.videoWidth, video.videoHeight);
      say(set ? 'The floor shows your screen, mirrored.' : 'The screen\'s picture is too large for the storm.');
    } catch (error) {
      say(`The screen's picture could not be read (${error.name}): the floor stays as it was.`);
    } finally {
      for (const track of stream.getTracks()) track.stop();
      video.srcObject = null;
    }
  }

  function frame(time) {
    if (!running) return;
    const steps = storm._raivel_animation_frame(time);
    if (steps >= 0) {
      if (hook.firstFrameAt === null) hook.firstFrameAt = performance.now();
      if (steps > 0) {
        hook.steps += steps;
        hook.stepsAt = time;
      }
    }
    requestAnimationFrame(frame);
  }

  function run() {
    running = true;
    fitCanvas();
    requestAnimationFrame(frame);
  }

  function toggleFullScreen() {
    if (document.fullscreenElement) document.exitFullscreen();
    else if (stage.requestFullscreen) stage.requestFullscreen().catch((error) => say(`Full screen was refused (${error.name}).`));
    else say('This browser cannot show the storm full screen.');
  }

  // In full screen the pointer hides once it stands still.
  let stillTimer = 0;
  function pointerMoved() {
    stage.classList.remove('still');
    clearTimeout(stillTimer);
    if (document.fullscreenElement) stillTimer = setTimeout(() => stage.classList.add('still'), cursorHideMs);
  }

  async function start() {
    const sample = fetch('desktop.png').then((answer) => answer.blob()).then((blob) => createImageBitmap(blob));
    sample.catch(() => {}); // answered below, once the storm has started
    try {
      storm = await createRaivel();
    } catch (error) {
      say(`The storm could not start (${error.message || error}); open the page through a web server, not as a file.`);
      return;
    }
    if (!storm._raivel_start()) {
      storm = null;
      say('This browser has no WebGL, which the storm needs to draw.');
      return;
    }
    try {
      const desktop = await sample;
      setFloor(desktop, desktop.width, desktop.height);
      desktop.close();
      say('');
    } catch (error) {
      say('The sample desktop could not be read: the storm has a plain floor.');
    }
    run();
  }

  pictureInput.addEventListener('change', () => {
    if (pictureInput.files.length) takePicture(pictureInput.files[0]);
  });
  document.addEventListener('dragover', (event) => event.preventDefault());
  document.addEventListener('drop', (event) => {
    event.preventDefault();
    if (event.dataTransfer.files.length) takePicture(event.dataTransfer.files[0]);
  });
  if (navigator.mediaDevices && navigator.mediaDevices.getDisplayMedia) screenButton.addEventListener('click', takeScreen);
  else screenButton.hidden = true;
  fullScreenButton.addEventListener('click', toggleFullScreen);
  document.addEventListener('keydown', (event) => {
    if (event.target instanceof HTMLInputElement || event.ctrlKey || event.altKey || event.metaKey) return;
    if (event.key === 'Escape' && document.fullscreenElement) document.exitFullscreen();
    else if (event.key === 'f' || event.key === 'F') toggleFullScreen();
  });
  document.addEventListener('fullscreenchange', pointerMoved);
  stage.addEventListener('pointermove', pointerMoved);
  new ResizeObserver(() => { if (running) fitCanvas(); }).observe(canvas);

  // For the page's tests: any frame of the storm, drawn afresh at width x
  // height from two bitmap files (base64; none: the pictures it has), its
  // pixels in base64, bottom row first; then the storm runs on.
  window.raivelTestHook = {
    state: hook,
    renderFrame(number, width, height, cloudBase64, desktopBase64) {
      running = false;
      canvas.width = width;
      canvas.height = height;
      storm._raivel_resize(width, height);
      if (cloudBase64) {
        const files = [cloudBase64, desktopBase64].map((text) => Uint8Array.from(atob(text), (c) => c.charCodeAt(0)));
        const at = files.map((bytes) => { const p = storm._malloc(bytes.length); storm.HEAPU8.set(bytes, p); return p; });
        storm._raivel_load_pictures(at[0], files[0].length, at[1], files[1].length);
        at.forEach((p) => storm._free(p));
      }
      const pixels = storm.HEAPU8.subarray(storm._raivel_render_frame(number)).subarray(0, 4 * width * height);
      let text = '';
      for (let i = 0; i < pixels.length; i += 0x8000) text += String.fromCharCode.apply(null, pixels.subarray(i, i + 0x8000));
      run();
      return btoa(text);
    },
    // Resolves with the page's time for the storm's next `steps` steps, and
    // how many animation frames meanwhile came more than two steps late (a
    // stall the storm does not make up for).
    pace(steps) {
      return new Promise((resolve) => {
        const from = hook.steps;
        let startedAt = null;
        let last = null;
        let late = 0;
        const watch = (time) => {
          if (startedAt && time - last > 2000 / 60) late += 1;
          last = time;
          if (startedAt === null && hook.steps > from) startedAt = { steps: hook.steps, at: hook.stepsAt };
          if (startedAt && hook.steps - startedAt.steps >= steps) resolve({ ms: hook.stepsAt - startedAt.at, late });
          else requestAnimationFrame(watch);
        };
        requestAnimationFrame(watch);
      });
    },
  };

  start();
})();
