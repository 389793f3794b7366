'use strict';
// The page: the options as the converter's command line gives them, each change converted at
// once in the worker, the original and the result side by side, Save for the result's bytes.
const $ = (id) => document.getElementById(id);
const lists = self.PixmosaicLists;
const worker = new Worker('worker.js');

// Each select lists the converter's values from lists.js; one with data-default first offers
// the option left out (the converter's default, which depends on the input).
for (const select of document.querySelectorAll('select[data-option]')) {
  if (select.dataset.default) select.add(new Option(select.dataset.default, ''));
  for (const [value, label] of lists[select.dataset.option]) select.add(new Option(label, value));
}
$('container').value = 'prg';

// Replies from the worker by request number.
let requests = 0;
const pending = new Map();
worker.onmessage = ({ data }) => {
  pending.get(data.id)(data);
  pending.delete(data.id);
};
function ask(message) {
  const id = ++requests;
  return new Promise((resolve) => {
    pending.set(id, resolve);
    worker.postMessage({ id, ...message });
  });
}

const state = {
  file: null,         // the File chosen
  picture: false,     // a picture to koalize (not a C64 file)
  strengthSet: false, // the dither strength moved from its default
  result: null,       // the last conversion
  busy: false,
  again: false,       // options changed while a conversion ran
};

// The input's name without its extension, as the converter names an output after it.
function stem(name) {
  const dot = name.lastIndexOf('.');
  return dot > 0 ? name.slice(0, dot) : name;
}

// The options that differ from the converter's defaults, as [name, value] pairs in the order
// a command line would give them.
function commandOptions() {
  const options = [];
  const given = (name, value) => options.push([name, value]);
  const picture = state.picture;
  const nearest = picture && $('nearest').checked;
  const multicolour = $('mode').value === lists.mode[0][0];
  if (picture) {
    if (!multicolour) given('mode', $('mode').value);
    // The background and the list of those that work are the multicolour mode's alone.
    if (multicolour && $('background').value !== 'auto') given('background', $('background').value);
    if ($('palette').value) given('palette', $('palette').value);
    if (multicolour && !nearest) given('backgrounds', '1');
    if (nearest) {
      given('nearest', '1');
      if ($('scale').value) given('scale', $('scale').value);
      if ($('dither').value) given('dither', $('dither').value);
      if (state.strengthSet) given('dither-strength', $('strength').value);
    }
  }
  if ($('format').value) given('format', $('format').value);
  if ($('name').value) given('name', $('name').value);
  if ($('executable').checked) given('executable', '1');
  return options;
}

function saveName() {
  return `${stem(state.file.name)}.${$('container').value}`;
}

// The options the page gives that take no value on the command line.
const Switches = new Set(['backgrounds', 'nearest', 'executable']);

// The command that writes the same file, for those who use the converter too.
function commandLine(options) {
  const quoted = (text) => (/^[\w.,+-]+$/.test(text) ? text : `"${text}"`);
  const words = ['pixmosaic-cli', quoted(state.file.name)];
  for (const [name, value] of options) words.push(Switches.has(name) ? `--${name}` : `--${name} ${quoted(value)}`);
  words.push('-o', quoted(saveName()));
  return words.join(' ');
}

function enableKoalizing() {
  for (const set of document.querySelectorAll('.koalizing')) set.disabled = !state.picture;
  const nearest = $('nearest').checked;
  for (const id of ['scale', 'dither', 'strength']) $(id).disabled = !state.picture || !nearest;
  $('background').disabled = !state.picture || $('mode').value !== lists.mode[0][0];
}

// The original as the C64 would shape it: a picture of one pixel per double-wide pixel drawn
// twice as wide, enlarged without smoothing.
function showOriginal(image) {
  const canvas = $('original');
  const wide = (image.width === 160 && image.height === 200) || (image.width === 192 && image.height === 272);
  canvas.width = image.width * (wide ? 2 : 1);
  canvas.height = image.height;
  const context = canvas.getContext('2d');
  if (image instanceof ImageData && !wide) {
    context.putImageData(image, 0, 0);
    return;
  }
  const source = document.createElement('canvas');
  source.width = image.width;
  source.height = image.height;
  if (image instanceof ImageData) source.getContext('2d').putImageData(image, 0, 0);
  else source.getContext('2d').drawImage(image, 0, 0);
  context.imageSmoothingEnabled = false;
  context.drawImage(source, 0, 0, canvas.width, canvas.height);
}

function showResult(converted) {
  const canvas = $('result');
  const context = canvas.getContext('2d');
  if (converted.preview) {
    canvas.width = converted.preview.width;
    canvas.height = converted.preview.height;
    context.putImageData(converted.preview, 0, 0);
  } else {
    context.clearRect(0, 0, canvas.width, canvas.height);
  }
  canvas.classList.toggle('refused', converted.status !== 0);
  $('status').textContent = converted.optionError ?? converted.message;
  $('time').textContent = converted.milliseconds === undefined ? ''
    : `${converted.status === 0 ? 'converted' : 'refused'} in ${converted.milliseconds.toFixed(0)} ms`;
  $('save').disabled = !converted.file;
}

async function convert() {
  if (!state.file) return;
  if (state.busy) {
    state.again = true;
    return;
  }
  state.busy = true;
  document.body.dataset.busy = 'yes';
  enableKoalizing();
  const options = commandOptions();
  // The output's name gives the container and a program's C64 name, as the converter's -o does.
  const { converted, failed } = await ask({ convert: [...options, ['output', saveName()]] });
  state.result = converted ?? { status: 1, message: failed, file: null, preview: null };
  $('command').textContent = commandLine(options);
  showResult(state.result);
  state.busy = false;
  // For scripts and tests: how many conversions have been shown, and whether one is under way.
  document.body.dataset.conversions = String(Number(document.body.dataset.conversions ?? 0) + 1);
  if (state.again) {
    state.again = false;
    convert();
  } else {
    document.body.dataset.busy = 'no';
  }
}

async function open(file) {
  if (!file) return;
  state.file = file;
  $('status').textContent = `Reading ${file.name}…`;
  const { opened, failed } = await ask({ open: file });
  if (failed) {
    $('status').textContent = failed;
    return;
  }
  state.picture = opened.picture;
  const figure = $('original').closest('figure');
  figure.hidden = !opened.picture;
  if (opened.original) showOriginal(opened.original);
  else if (opened.picture) {
    // A BMP: shown by the browser when it can, converted from its bytes either way.
    try {
      showOriginal(await createImageBitmap(file, { colorSpaceConversion: 'none', premultiplyAlpha: 'none' }));
    } catch {
      figure.hidden = true;
    }
  }
  await convert();
}

$('input').addEventListener('change', () => open($('input').files[0]));
// A file dropped anywhere on the page is opened (the browser would otherwise leave the page
// to show it); the drop zone lights up while one is held over the page.
document.addEventListener('dragover', (event) => {
  event.preventDefault();
  $('drop').classList.add('over');
});
document.addEventListener('dragleave', (event) => {
  if (!event.relatedTarget) $('drop').classList.remove('over');
});
document.addEventListener('drop', (event) => {
  event.preventDefault();
  $('drop').classList.remove('over');
  open(event.dataTransfer.files[0]);
});
$('strength').addEventListener('input', () => {
  state.strengthSet = true;
  $('strength-value').textContent = $('strength').value;
});
$('options').addEventListener('input', (event) => {
  if (event.target !== $('input')) convert();
});
$('options').addEventListener('submit', (event) => event.preventDefault());

$('save').addEventListener('click', () => {
  const link = document.createElement('a');
  link.href = URL.createObjectURL(new Blob([state.result.file], { type: 'application/octet-stream' }));
  link.download = saveName();
  link.click();
  setTimeout(() => URL.revokeObjectURL(link.href), 0);
});

ask({}).then(({ version }) => {
  $('version').textContent = version;
});
