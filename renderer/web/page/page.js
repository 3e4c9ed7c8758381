// The page around the storm (raivel.js and raivel.wasm, built from the
// renderer's C++): it starts the storm over the sample desktop, runs it on
// every animation frame (or shows one still frame until asked to play, for
// a visitor who asked for less motion), makes the visitor's picture or one
// frame of their screen the floor, and goes full screen. Every picture
// stays in the page.
'use strict';

(() => {
  const stage = document.getElementById('stage');
  const canvas = document.getElementById('storm');
  const status = document.getElementById('status');
  const pictureInput = document.getElementById('picture');
  const screenButton = document.getElementById('screen');
  const fullScreenButton = document.getElementById('full-screen');
  const playButton = document.getElementById('play');

  // The most pixels a picture may have: a larger one takes long to
  // decode, even shrunk as it comes.
  const mostPixels = 50e6;
  // The most bytes of a file read at once.
  const blockBytes = 1 << 20;
  // How long the pointer stays still before it hides in full screen.
  const cursorHideMs = 2000;

  let storm = null; // the WebAssembly module, once started
  let largestSide = 0; // a floor picture's, as the storm says
  let running = false;
  // Standing on one frame between flashes, as a visitor who asked their
  // system for less motion first sees the storm.
  let standingStill = false;

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
    if (standingStill) storm._raivel_still_frame();
  }

  // A picture's size as the floor takes it: smaller where a side is past
  // the largest.
  function floorSize(width, height) {
    const scale = Math.min(1, largestSide / Math.max(width, height));
    return [Math.max(1, Math.round(width * scale)), Math.max(1, Math.round(height * scale))];
  }

  // Hands a picture (anything a 2D canvas draws) to the storm as its floor.
  function setFloor(picture, width, height) {
    const [w, h] = floorSize(width, height);
    const board = document.createElement('canvas');
    board.width = w;
    board.height = h;
    const context = board.getContext('2d', { willReadFrequently: true });
    context.drawImage(picture, 0, 0, w, h);
    const rgba = context.getImageData(0, 0, w, h).data;
    const at = storm._malloc(rgba.length);
    if (!at) return false;
    storm.HEAPU8.set(rgba, at);
    const set = setFloorPixels(at, w, h);
    storm._free(at);
    return set;
  }

  // Hands the storm a floor of width x height pixels of red, green, blue
  // and alpha at `at` in its memory, top row first.
  function setFloorPixels(at, width, height) {
    const set = storm._raivel_set_floor(at, width, height);
    if (set && standingStill) storm._raivel_still_frame();
    return set;
  }

  // A picture file's kind, width and height, read from its first bytes
  // before anything decodes it; null where they are no PNG, JPEG, GIF,
  // WebP or BMP picture's header.
  function pictureSize(bytes) {
    const data = new DataView(bytes);
    const text = (at, length) => (at + length <= bytes.byteLength
      ? String.fromCharCode(...new Uint8Array(bytes, at, length)) : '');
    const fits = (end) => end <= bytes.byteLength;
    if (text(0, 8) === '\x89PNG\r\n\x1a\n' && text(12, 4) === 'IHDR' && fits(29)) {
      return [data.getUint8(28) ? 'interlaced PNG' : 'PNG', data.getUint32(16), data.getUint32(20)];
    }
    if ((text(0, 6) === 'GIF87a' || text(0, 6) === 'GIF89a') && fits(10)) {
      return ['GIF', data.getUint16(6, true), data.getUint16(8, true)];
    }
    if (text(0, 2) === 'BM' && fits(26)) {
      if (data.getUint32(14, true) === 12) return ['BMP', data.getUint16(18, true), data.getUint16(20, true)];
      return ['BMP', Math.abs(data.getInt32(18, true)), Math.abs(data.getInt32(22, true))];
    }
    if (text(0, 4) === 'RIFF' && text(8, 4) === 'WEBP' && fits(30)) {
      const chunk = text(12, 4);
      if (chunk === 'VP8 ') return ['WebP', data.getUint16(26, true) & 0x3fff, data.getUint16(28, true) & 0x3fff];
      if (chunk === 'VP8L') {
        const bits = data.getUint32(21, true);
        return ['WebP', (bits & 0x3fff) + 1, ((bits >>> 14) & 0x3fff) + 1];
      }
      if (chunk === 'VP8X') {
        const u24 = (at) => data.getUint16(at, true) + (data.getUint8(at + 2) << 16);
        return ['WebP', u24(24) + 1, u24(27) + 1];
      }
      return null;
    }
    if (data.byteLength > 2 && data.getUint16(0) === 0xffd8) {
      // The segments up to the first frame header, which holds the size.
      for (let at = 2; fits(at + 4);) {
        const marker = data.getUint16(at);
        if (marker >> 8 !== 0xff) return null;
        const code = marker & 0xff;
        if (code === 0xff) { at += 1; continue; }
        const frame = code >= 0xc0 && code <= 0xcf && code !== 0xc4 && code !== 0xc8 && code !== 0xcc;
        if (frame) return fits(at + 9) ? ['JPEG', data.getUint16(at + 7), data.getUint16(at + 5)] : null;
        at += 2 + data.getUint16(at + 2);
      }
    }
    return null;
  }

  // The floor from a picture no larger than it, decoded by the browser at
  // the floor's size.
  async function smallPicture(file, width, height) {
    const picture = await createImageBitmap(file, { resizeWidth: width, resizeHeight: height, resizeQuality: 'medium' });
    const set = setFloor(picture, picture.width, picture.height);
    picture.close();
    return set;
  }

  // The bytes of `file` from byte `from` on, a block of at most
  // `blockBytes` at a time, each valid until the next is asked for: read
  // into one buffer again and again where the browser reads a file into the
  // page's buffer (a BYOB reader), else each block read alone. A block read
  // alone is garbage the browser may free late.
  async function* fileBlocks(file, from) {
    let reader = null;
    try {
      reader = file.slice(from).stream().getReader({ mode: 'byob' });
    } catch (error) {
      for (let at = from; at < file.size; at += blockBytes) {
        yield new Uint8Array(await file.slice(at, at + blockBytes).arrayBuffer());
      }
      return;
    }
    try {
      let buffer = new ArrayBuffer(blockBytes);
      for (;;) {
        const { done, value } = await reader.read(new Uint8Array(buffer));
        if (done) return;
        yield value;
        buffer = value.buffer;
      }
    } finally {
      reader.cancel().catch(() => {});
    }
  }

  // The chunks of a PNG file, read a block at a time, never whole: [kind,
  // data] for each, a long chunk's data in pieces of at most a block (each
  // valid until the next chunk is asked for), the header and palette whole.
  // Throws where a chunk reaches past the file's end, or a header or
  // palette is longer than any.
  async function* pngChunks(file) {
    const blocks = fileBlocks(file, 8);
    let block = new Uint8Array(0);
    let at = 0; // the block's next byte
    // Whether the block has a byte left, reading the next where it has not.
    const more = async () => {
      while (at === block.length) {
        const { done, value } = await blocks.next();
        if (done) return false;
        block = value;
        at = 0;
      }
      return true;
    };
    // The next `count` bytes of the file into `bytes` (null: skipped);
    // false where the file ends first. Into a buffer the caller keeps, and
    // with no wait where the block holds them: a chunk's head is read for
    // every chunk, and an array or a promise for each would be garbage the
    // browser may free late.
    const takeNow = (bytes, count) => {
      if (bytes) bytes.set(block.subarray(at, at + count));
      at += count;
      return true;
    };
    const takeAcross = async (bytes, count) => {
      for (let taken = 0; taken < count; taken += 1) {
        if (at === block.length && !await more()) return false;
        if (bytes) bytes[taken] = block[at];
        at += 1;
      }
      return true;
    };
    const head = new Uint8Array(8);
    const headView = new DataView(head.buffer);
    const cutShort = (kind) => new Error(`${kind} cut short`);
    try {
      for (;;) {
        if (!(at + 8 <= block.length ? takeNow(head, 8) : await takeAcross(head, 8))) return;
        let left = headView.getUint32(0);
        const kind = String.fromCharCode(head[4], head[5], head[6], head[7]);
        if (kind === 'IHDR' || kind === 'PLTE') {
          const data = new Uint8Array(Math.min(left, 3 * 256));
          if (left > data.length || !await takeAcross(data, left)) throw cutShort(kind);
          yield [kind, data];
          left = 0;
        }
        while (left) {
          if (!await more()) throw cutShort(kind);
          const piece = block.subarray(at, at + Math.min(left, block.length - at));
          at += piece.length;
          left -= piece.length;
          yield [kind, piece];
        }
        if (!(at + 4 <= block.length ? takeNow(null, 4) : await takeAcross(null, 4))) throw cutShort(kind); // its checksum
        if (kind === 'IEND') return;
      }
    } finally {
      await blocks.return();
    }
  }

  // The floor from a PNG picture larger than it: its pixels' zlib stream
  // goes from the file straight to the storm, which inflates it, decodes
  // the rows and shrinks them as they come to width x height, never holding
  // the picture whole. Throws where its chunks or pixels are damaged or fall
  // short.
  async function largePng(file, width, height) {
    const damaged = () => new Error('damaged PNG');
    const chunks = pngChunks(file);
    let at = 0;
    let png = 0;
    try {
      // The chunks up to the first of the pixels' pieces.
      let header = null;
      let palette = new Uint8Array(0);
      let pixels = null;
      while (!pixels) {
        const { done, value } = await chunks.next();
        if (done) throw damaged();
        const [kind, data] = value;
        if (kind === 'IHDR') header = data;
        else if (!header) throw damaged(); // the header comes first
        else if (kind === 'PLTE') palette = data;
        else if (kind === 'IDAT') pixels = data;
      }

      at = storm._malloc(header.length + palette.length + blockBytes);
      if (!at) return false;
      storm.HEAPU8.set(header, at);
      storm.HEAPU8.set(palette, at + header.length);
      const piece = at + header.length + palette.length;
      png = storm._raivel_png_start(at, header.length, at + header.length, palette.length, width, height);
      if (!png) throw damaged();
      // Piece by piece until the last row is in or the pixels end.
      let picture = 0;
      while (pixels && !picture) {
        storm.HEAPU8.set(pixels, piece);
        if (!storm._raivel_png_pixels(png, piece, pixels.length, 0)) throw damaged();
        picture = storm._raivel_png_picture(png);
        if (!picture) {
          const { done, value } = await chunks.next();
          pixels = !done && value[0] === 'IDAT' ? value[1] : null;
        }
      }
      if (!picture && storm._raivel_png_pixels(png, piece, 0, 1)) picture = storm._raivel_png_picture(png);
      if (!picture) throw damaged();
      return setFloorPixels(picture, width, height);
    } finally {
      chunks.return().catch(() => {});
      if (png) storm._raivel_png_end(png);
      if (at) storm._free(at);
    }
  }

  // The floor from a JPEG picture larger than it, decoded already shrunk
  // where the browser can (to about width x height, never larger).
  async function largeJpeg(file, width, height) {
    const decoder = new ImageDecoder({ data: file.stream(), type: 'image/jpeg', desiredWidth: width, desiredHeight: height });
    try {
      const { image } = await decoder.decode();
      try {
        return setFloor(image, image.displayWidth, image.displayHeight);
      } finally {
        image.close();
      }
    } finally {
      decoder.close();
    }
  }

  // The visitor's picture as the floor: its size read first; decoded already
  // shrunk to the floor's size, and refused when it is no picture, has no
  // pixels or is too large to read at all.
  async function takePicture(file) {
    if (!storm) return; // the line already says why there is no storm
    const name = `"${file.name}"`;
    const unreadable = `${name} cannot be read as a picture: choose a PNG, JPEG, GIF, WebP or BMP image.`;
    // A JPEG's size may follow its comments and thumbnails: the first
    // 256 KB hold it in any camera's picture.
    const size = pictureSize(await file.slice(0, 256 * 1024).arrayBuffer());
    if (!size) {
      say(unreadable);
      return;
    }
    const [kind, width, height] = size;
    if (!width || !height || width * height > mostPixels) {
      say(`${name} is ${width} x ${height} pixels: the storm takes pictures of up to ${mostPixels / 1e6} million pixels.`);
      return;
    }
    // A picture larger than the floor is decoded shrunk where the page or
    // the browser can, never whole.
    const decodeLarge = { PNG: largePng };
    if ('ImageDecoder' in window) decodeLarge.JPEG = largeJpeg;
    const small = width <= largestSide && height <= largestSide;
    if (!small && !decodeLarge[kind]) {
      const larger = Object.keys(decodeLarge).join(' or ').replace('PNG', 'non-interlaced PNG');
      say(`${name} is ${width} x ${height} pixels: in this browser the storm takes ${kind} pictures of up to ${largestSide} x ${largestSide} pixels, and larger ones as ${larger}.`);
      return;
    }
    let set;
    try {
      set = await (small ? smallPicture : decodeLarge[kind])(file, ...floorSize(width, height));
    } catch (error) {
      say(`${name} (${width} x ${height} pixels) could not be decoded by this browser: its pixels may be damaged.`);
      return;
    }
    say(set ? `The floor shows ${name}, mirrored.` : `${name} could not be made the floor.`);
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
    storm._raivel_animation_frame(time);
    requestAnimationFrame(frame);
  }

  function run() {
    standingStill = false;
    playButton.hidden = true;
    running = true;
    fitCanvas();
    requestAnimationFrame(frame);
  }

  // One frame between flashes, and a button that starts the storm.
  function standStill() {
    standingStill = true;
    fitCanvas();
    playButton.hidden = false;
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
    // Said in one line where it is missing: what the storm cannot run
    // without (and WebGL, below).
    if (typeof WebAssembly !== 'object') {
      say('This browser has no WebAssembly, which the storm needs to run.');
      return;
    }
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
    largestSide = storm._raivel_largest_floor_side();
    try {
      const desktop = await sample;
      setFloor(desktop, desktop.width, desktop.height);
      desktop.close();
      say('');
    } catch (error) {
      say('The sample desktop could not be read: the storm has a plain floor.');
    }
    if (matchMedia('(prefers-reduced-motion: reduce)').matches) standStill();
    else run();
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
  playButton.addEventListener('click', run);
  document.addEventListener('keydown', (event) => {
    if (event.target instanceof HTMLInputElement || event.ctrlKey || event.altKey || event.metaKey) return;
    if (event.key === 'Escape' && document.fullscreenElement) document.exitFullscreen();
    else if (event.key === 'f' || event.key === 'F') toggleFullScreen();
  });
  document.addEventListener('fullscreenchange', pointerMoved);
  stage.addEventListener('pointermove', pointerMoved);
  new ResizeObserver(() => { if (running || standingStill) fitCanvas(); }).observe(canvas);

  // Once visited, the page opens with no network: its worker keeps its
  // files. Where a browser keeps no worker, it opens as before.
  if ('serviceWorker' in navigator) navigator.serviceWorker.register('worker.js').catch(() => {});
  start();
})();
