// The web page (build/web, made by tools/build-web) in headless Chromium: every file it saves is
// compared byte for byte with what pixmosaic-cli writes when run with the command line the page
// shows for it; refusals, C64 files and the time a photo takes are checked against the
// converter too. Needs the native converter (build/native) and ImageMagick's convert.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync, spawnSync } from 'node:child_process';
import { createServer } from 'node:http';
import { copyFileSync, existsSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { extname, join, resolve } from 'node:path';
import puppeteer from 'puppeteer-core';

const root = resolve(import.meta.dirname, '../..');
const site = join(root, 'build/web');
const converterFolder = join(root, 'build/native/src/cli');
const scratch = mkdtempSync(join(tmpdir(), 'pixmosaic-web-'));
const downloadFolder = join(scratch, 'downloads');

// --- pictures made for the tests ---------------------------------------------------------------

// The pepto palette, the one a BMP's indexes are shown in.
const Pepto = [0x000000, 0xffffff, 0x68372b, 0x70a4b2, 0x6f3d86, 0x588d43, 0x352879, 0xb8c76f,
               0x6f4f25, 0x433900, 0x9a6759, 0x444444, 0x6c6c6c, 0x9ad284, 0x6c5eb5, 0x959595];

// A 320 x 200 BMP of 16 colours whose indexes are the C64 colour numbers given by colourAt(x, y).
function bmp16(colourAt) {
  const width = 320, height = 200, row = width / 2, pixelsAt = 14 + 40 + 64;
  const file = Buffer.alloc(pixelsAt + row * height);
  file.write('BM', 0, 'latin1');
  file.writeUInt32LE(file.length, 2);
  file.writeUInt32LE(pixelsAt, 10);
  file.writeUInt32LE(40, 14);
  file.writeInt32LE(width, 18);
  file.writeInt32LE(height, 22);
  file.writeUInt16LE(1, 26);
  file.writeUInt16LE(4, 28);
  file.writeUInt32LE(16, 46);  // colours used
  file.writeUInt32LE(16, 50);  // and important: the count Pixmosaic reads
  Pepto.forEach((rgb, i) => file.writeUInt32LE(rgb, 54 + 4 * i));
  for (let y = 0; y < height; ++y) {
    for (let x = 0; x < width; x += 2) {
      file[pixelsAt + (height - 1 - y) * row + x / 2] = (colourAt(x, y) << 4) | colourAt(x + 1, y);
    }
  }
  return file;
}

// Cells of 8 x 8 file pixels, each of the background and three colours of its own.
const cellColour = (x, y) => {
  const cell = (x >> 3) + 40 * (y >> 3);
  const pair = (x >> 1) & 3;
  return pair === 0 ? 0 : 1 + ((cell + pair * 5) % 15);
};
// The same with one cell of five colours.
const clashing = (x, y) => (x < 8 && y < 8 ? [0, 2, 5, 6, 7][((x >> 1) + y) % 5] : cellColour(x, y));

function picture(name, bytes) {
  const path = join(scratch, name);
  writeFileSync(path, bytes);
  return path;
}

function convert(...args) {
  execFileSync('convert', args, { cwd: scratch });
  return join(scratch, args.at(-1));
}

// --- the converter -----------------------------------------------------------------------------

// Runs the command line the page shows in a folder holding the input; the file it wrote.
function runShownCommand(command, input) {
  const folder = mkdtempSync(join(scratch, 'cli-'));
  copyFileSync(input, join(folder, input.split('/').at(-1)));
  const run = spawnSync('sh', ['-c', command], {
    cwd: folder, env: { ...process.env, PATH: `${converterFolder}:${process.env.PATH}` }, encoding: 'utf8',
  });
  assert.equal(run.status, 0, `${command}\n${run.stderr}`);
  return folder;
}

function cli(args, cwd = scratch) {
  return spawnSync(join(converterFolder, 'pixmosaic-cli'), args, { cwd, encoding: 'utf8' });
}

// --- the page ----------------------------------------------------------------------------------

let server, browser, page, origin, downloadStarted;
const downloads = new Map();
const foreignRequests = [];
const scriptErrors = [];

const Types = { '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css', '.wasm': 'application/wasm' };

before(async () => {
  assert.ok(existsSync(join(site, 'index.html')), 'build/web holds no page: run tools/build-web');
  assert.ok(existsSync(join(converterFolder, 'pixmosaic-cli')), 'no native converter: build the native preset');
  server = createServer((request, response) => {
    const path = join(site, new URL(request.url, 'http://x').pathname.replace(/\/$/, '/index.html'));
    if (!path.startsWith(site) || !existsSync(path)) {
      response.writeHead(404).end();
      return;
    }
    response.writeHead(200, { 'Content-Type': Types[extname(path)] ?? 'application/octet-stream' });
    response.end(readFileSync(path));
  });
  await new Promise((done) => server.listen(0, '127.0.0.1', done));
  origin = `http://127.0.0.1:${server.address().port}`;

  browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--disable-gpu'],
  });
  page = await browser.newPage();
  await page.setViewport({ width: 1280, height: 800 });
  const session = await browser.target().createCDPSession();
  await session.send('Browser.setDownloadBehavior', { behavior: 'allowAndName', downloadPath: downloadFolder, eventsEnabled: true });
  session.on('Browser.downloadWillBegin', (event) => {
    let finished;
    const completed = new Promise((resolveCompleted) => { finished = resolveCompleted; });
    downloads.set(event.guid, { guid: event.guid, name: event.suggestedFilename, completed, finished });
    downloadStarted?.(downloads.get(event.guid));
  });
  session.on('Browser.downloadProgress', (event) => {
    if (event.state === 'completed') downloads.get(event.guid).finished();
  });
  page.on('request', (request) => {
    const url = request.url();
    if (!url.startsWith(origin) && !url.startsWith('blob:') && !url.startsWith('data:')) foreignRequests.push(url);
  });
  page.on('pageerror', (error) => scriptErrors.push(String(error)));
  page.on('console', (message) => {
    if (message.type() === 'error' || message.type() === 'warning') scriptErrors.push(message.text());
  });
  page.on('workercreated', (worker) => worker.on('console', (message) => {
    if (message.type() === 'error' || message.type() === 'warning') scriptErrors.push(`worker: ${message.text()}`);
  }));
  await page.goto(`${origin}/`, { waitUntil: 'load' });
  await page.waitForFunction(() => document.getElementById('version').textContent !== '');
});

after(async () => {
  await browser?.close();
  server?.close();
  rmSync(scratch, { recursive: true, force: true });
});

const conversions = () => page.evaluate(() => Number(document.body.dataset.conversions ?? 0));

// Waits until the page has finished the conversions an action started.
async function settled(action) {
  const before = await conversions();
  await action();
  await page.waitForFunction((n) => Number(document.body.dataset.conversions ?? 0) > n && document.body.dataset.busy === 'no', {}, before);
}

const choose = (path) => settled(async () => (await page.$('#input')).uploadFile(path));
// A file dropped on the page, as a file manager drops one.
const drop = (path) => settled(() => page.evaluate((name, base64) => {
  const transfer = new DataTransfer();
  transfer.items.add(new File([Uint8Array.from(atob(base64), (c) => c.charCodeAt(0))], name));
  document.getElementById('pictures').dispatchEvent(new DragEvent('drop', { dataTransfer: transfer, bubbles: true, cancelable: true }));
}, path.split('/').at(-1), readFileSync(path).toString('base64')));
const select = (id, value) => settled(() => page.select(`#${id}`, value));
const click = (id) => settled(() => page.click(`#${id}`));

const text = (id) => page.$eval(`#${id}`, (element) => element.textContent);

// Clicks Save; the downloaded file's name and bytes.
async function save() {
  const started = new Promise((resolveStarted) => { downloadStarted = resolveStarted; });
  await page.click('#save');
  const download = await started;
  await download.completed;
  // Each download is kept under its own id, so that a name saved twice is never read stale.
  return { name: download.name, bytes: readFileSync(join(downloadFolder, download.guid)) };
}

// A canvas's or a PNG's pixels (decoded by the browser): its size and RGBA values.
const resultPixels = () => page.$eval('#result', (canvas) => {
  const data = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
  return `${canvas.width}x${canvas.height}:${data.join(',')}`;
});
const pngPixels = (path) => page.evaluate(async (base64) => {
  const bytes = Uint8Array.from(atob(base64), (c) => c.charCodeAt(0));
  const bitmap = await createImageBitmap(new Blob([bytes]), { colorSpaceConversion: 'none', premultiplyAlpha: 'none' });
  const canvas = new OffscreenCanvas(bitmap.width, bitmap.height);
  const context = canvas.getContext('2d');
  context.drawImage(bitmap, 0, 0);
  const data = context.getImageData(0, 0, bitmap.width, bitmap.height).data;
  return `${bitmap.width}x${bitmap.height}:${data.join(',')}`;
}, readFileSync(path).toString('base64'));

// Saves and checks the file against the converter run with the command line the page shows.
async function savedAsConverterWrites(input, expectedName) {
  const saved = await save();
  assert.equal(saved.name, expectedName);
  const command = await text('command');
  const folder = runShownCommand(command, input);
  assert.ok(command.endsWith(`-o ${expectedName}`), command);
  assert.deepEqual(saved.bytes, readFileSync(join(folder, expectedName)), `${command}: the bytes differ`);
}

// The same with a format and container chosen; the defaults chosen again after.
async function savedInFormat(input, format, container, expectedName) {
  await select('format', format);
  await select('container', container);
  await savedAsConverterWrites(input, expectedName);
  await select('format', '');
  await select('container', 'prg');
}

// --- the cases ---------------------------------------------------------------------------------

test('a BMP saved as Koala PRG and as Advanced Art Studio P00, as the converter writes them', async () => {
  const input = picture('cells.bmp', bmp16(cellColour));
  await choose(input);
  assert.match(await text('status'), /background/i);
  assert.equal(await page.$eval('#save', (b) => b.disabled), false);
  await savedAsConverterWrites(input, 'cells.prg');

  await savedInFormat(input, 'artstudio', 'p00', 'cells.p00');

  // A grey mode has no background to choose: the one chosen is not given, nor the list.
  await select('background', 'red');
  await select('mode', 'grey4');
  assert.equal(await text('command'), 'pixmosaic-cli cells.bmp --mode grey4 -o cells.prg');
  await select('mode', 'multicolour');
  await select('background', 'auto');
});

test('a photo\'s nearest picture, and a program showing it, as the converter writes them', async () => {
  const input = convert('rose:', '-resize', '200%', 'rose.png');
  await choose(input);
  assert.equal(await page.$eval('#save', (b) => b.disabled), true, 'a photo is refused without --nearest');
  await click('nearest');
  await savedAsConverterWrites(input, 'rose.prg');
  await select('dither', 'atkinson');
  await savedAsConverterWrites(input, 'rose.prg');
  // The strength as typed on the command line, read by the module's own number parsing.
  await settled(() => page.$eval('#strength', (slider) => {
    slider.value = '0.35';
    slider.dispatchEvent(new Event('input', { bubbles: true }));
  }));
  assert.match(await text('command'), /--dither-strength 0\.35 /);
  await savedAsConverterWrites(input, 'rose.prg');
  await click('executable');
  await savedAsConverterWrites(input, 'rose.prg');
  await click('executable');
  await select('dither', '');
  await click('nearest');
});

test('a clashing picture is refused: the clash map shown, nothing to save', async () => {
  const input = picture('clash.bmp', bmp16(clashing));
  await choose(input);
  assert.equal(await page.$eval('#save', (b) => b.disabled), true);
  const cliRun = cli(['clash.bmp', '--clash-map', 'clash-map.png', '-o', 'clash.prg']);
  assert.equal(cliRun.status, 1);
  assert.equal(existsSync(join(scratch, 'clash.prg')), false);
  assert.equal(await resultPixels(), await pngPixels(join(scratch, 'clash-map.png')));
  const status = await text('status');
  assert.match(status, /cell/);
  // The converter's refusal, as it words it for the same bytes from standard input.
  const fromStandardInput = spawnSync(join(converterFolder, 'pixmosaic-cli'), ['-', '--backgrounds', '-o', '-'],
                                      { input: readFileSync(input), encoding: 'utf8' });
  assert.equal(status, fromStandardInput.stdout + fromStandardInput.stderr);
});

test('a C64 file dropped on the page is shown as the converter renders it and saved in another format', async () => {
  assert.equal(cli(['cells.bmp', '-f', 'blazing', '-o', 'cells.tap']).status, 0);
  const input = join(scratch, 'cells.tap');
  await drop(input);
  assert.equal(cli(['cells.tap', '-o', 'cells-shown.png']).status, 0);
  assert.equal(await resultPixels(), await pngPixels(join(scratch, 'cells-shown.png')));
  assert.equal(await page.$eval('#nearest', (box) => box.closest('fieldset').disabled), true);
  await savedInFormat(input, 'koala', 'd64', 'cells.d64');
});

test('a JPEG photo converted within 500 ms of choosing it', async () => {
  const input = convert('rose:', '-resize', '640x420', '-quality', '85', 'photo.jpg');
  await page.$eval('#nearest', (box) => { box.checked = true; });
  const started = Date.now();
  await choose(input);
  const elapsed = Date.now() - started;
  assert.equal(await page.$eval('#save', (b) => b.disabled), false, await text('status'));
  assert.ok(elapsed < 500, `${elapsed} ms`);
  await click('nearest');
});

test('no request to another host and no script error', () => {
  assert.deepEqual(foreignRequests, []);
  assert.deepEqual(scriptErrors, []);
});
