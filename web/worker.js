'use strict';
// The conversions, off the page's thread: the picture decoded once by the browser (or kept as
// the file's bytes), then converted by the library for each set of options the page sends.
importScripts('pixmosaic.js');

const library = createPixmosaic().then((module) => ({
  module,
  version: module.cwrap('pxm_version', 'string', []),
  optionsNew: module.cwrap('pxm_options_new', 'number', []),
  optionsFree: module.cwrap('pxm_options_free', null, ['number']),
  optionsSet: module.cwrap('pxm_options_set', 'number', ['number', 'string', 'string']),
  optionsError: module.cwrap('pxm_options_error', 'string', ['number']),
  convert: module.cwrap('pxm_convert', 'number', ['number', 'number', 'number']),
  convertRgba: module.cwrap('pxm_convert_rgba', 'number', ['number', 'number', 'number', 'number', 'number']),
  status: module.cwrap('pxm_result_status', 'number', ['number']),
  file: module.cwrap('pxm_result_file', 'number', ['number', 'number']),
  message: module.cwrap('pxm_result_message', 'string', ['number']),
  preview: module.cwrap('pxm_result_preview', 'number', ['number', 'number', 'number']),
  resultFree: module.cwrap('pxm_result_free', null, ['number']),
}));

// The picture being converted: { bytes } or { rgba, width, height }, in the module's memory.
let input = null;

// A BMP goes to the library as its bytes: its palette indexes are the colour numbers.
const isBmp = (bytes) => bytes[0] === 0x42 && bytes[1] === 0x4d;

// The file's pixels as the file holds them: no colour management, alpha not premultiplied.
async function decode(blob) {
  const bitmap = await createImageBitmap(blob, { colorSpaceConversion: 'none', premultiplyAlpha: 'none' });
  const canvas = new OffscreenCanvas(bitmap.width, bitmap.height);
  const context = canvas.getContext('2d', { colorSpace: 'srgb', willReadFrequently: true });
  context.drawImage(bitmap, 0, 0);
  bitmap.close();
  return context.getImageData(0, 0, canvas.width, canvas.height);
}

function release(lib) {
  if (input) lib.module._free(input.pointer);
  input = null;
}

function copyIn(lib, bytes) {
  const pointer = lib.module._malloc(Math.max(bytes.length, 1));
  lib.module.HEAPU8.set(bytes, pointer);
  return pointer;
}

// A new file: decoded when the browser can; the original's pixels go back for the page to show.
async function open(lib, blob) {
  release(lib);
  const bytes = new Uint8Array(await blob.arrayBuffer());
  // Whatever the browser can show (PNG, JPEG, GIF, WebP, AVIF...) goes as its pixels.
  if (!isBmp(bytes)) {
    try {
      const image = await decode(blob);
      input = { pointer: copyIn(lib, image.data), width: image.width, height: image.height };
      return { picture: true, original: image };
    } catch {
      // Not a picture the browser can show (a C64 file, say): the library reads the bytes and
      // words any refusal.
    }
  }
  input = { pointer: copyIn(lib, bytes), size: bytes.length };
  return { picture: isBmp(bytes), original: null };
}

// One conversion with the options as the converter's command line gives them, name and value.
function convert(lib, options) {
  const handle = lib.optionsNew();
  try {
    for (const [name, value] of options) {
      if (lib.optionsSet(handle, name, value) !== 0) return { optionError: lib.optionsError(handle) };
    }
    const started = performance.now();
    const result = input.size === undefined
      ? lib.convertRgba(handle, input.pointer, input.width, input.height, input.width * 4)
      : lib.convert(handle, input.pointer, input.size);
    const milliseconds = performance.now() - started;
    try {
      return { ...read(lib, result), milliseconds };
    } finally {
      lib.resultFree(result);
    }
  } finally {
    lib.optionsFree(handle);
  }
}

// The result's parts copied out of the module's memory: status, message, file and preview.
function read(lib, result) {
  const { module } = lib;
  const sizes = module._malloc(8);
  try {
    const status = lib.status(result);
    const message = lib.message(result);
    const filePointer = lib.file(result, sizes);
    const file = filePointer ? module.HEAPU8.slice(filePointer, filePointer + module.HEAPU32[sizes >> 2]) : null;
    const previewPointer = lib.preview(result, sizes, sizes + 4);
    let preview = null;
    if (previewPointer) {
      const width = module.HEAP32[sizes >> 2];
      const height = module.HEAP32[(sizes >> 2) + 1];
      preview = new ImageData(new Uint8ClampedArray(module.HEAPU8.slice(previewPointer, previewPointer + width * height * 4).buffer), width, height);
    }
    return { status, message, file, preview };
  } finally {
    module._free(sizes);
  }
}

// One request at a time, in order: a conversion never meets a picture half opened.
let queue = Promise.resolve();
onmessage = ({ data }) => {
  queue = queue.then(() => answer(data));
};

async function answer(data) {
  try {
    const lib = await library;
    if (data.open) {
      postMessage({ id: data.id, opened: await open(lib, data.open) });
    } else if (data.convert) {
      postMessage({ id: data.id, converted: convert(lib, data.convert) });
    } else {
      postMessage({ id: data.id, version: lib.version() });
    }
  } catch (error) {
    postMessage({ id: data.id, failed: String(error) });
  }
}
