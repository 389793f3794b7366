// The page's WebAssembly module (build/web) run by node: the option values it takes and refuses
// are the native converter's, number parsing included (Emscripten's older C++ library has no
// from_chars for float: web/libcxx14_gaps.h stands in for it).
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { createRequire } from 'node:module';
import { readFileSync } from 'node:fs';
import { resolve } from 'node:path';
import { runInNewContext } from 'node:vm';

const root = resolve(import.meta.dirname, '../..');
const converter = resolve(root, 'build/native/src/cli/pixmosaic-cli');
const createPixmosaic = createRequire(import.meta.url)(resolve(root, 'build/web/pixmosaic.js'));

// The page's lists (build/web/lists.js, written by page_lists).
function pageLists() {
  const context = { self: {} };
  runInNewContext(readFileSync(resolve(root, 'build/web/lists.js'), 'utf8'), context);
  return context.self.PixmosaicLists;
}

// What the converter says of the value: '' when it takes it.
function converterSays(name, value) {
  const run = spawnSync(converter, ['-n', `--${name}=${value}`, '--version'], { encoding: 'utf8' });
  return run.status === 0 ? '' : run.stderr.split('\n')[0].replace(/^pixmosaic-cli: /, '');
}

test('dither strengths taken and refused as the converter takes and refuses them', async () => {
  const module = await createPixmosaic();
  const set = module.cwrap('pxm_options_set', 'number', ['number', 'string', 'string']);
  const error = module.cwrap('pxm_options_error', 'string', ['number']);
  const options = module.cwrap('pxm_options_new', 'number', [])();
  // (An empty value is the interface's own: it clears the option.)
  const values = ['0', '1', '0.5', '.5', '5e-1', '1E0', '0.65', '1.0', '0.999999999', '1.0000001', '-0', '-0.5',
                  '+0.5', ' 0.5', '0.5 ', '0x1', '0x0p0', '.', 'e1', '0.5e', '0.5e+', 'inf', 'nan', '1,5', '0..5'];
  for (const value of values) {
    const taken = set(options, 'dither-strength', value) === 0;
    const said = converterSays('dither-strength', value);
    assert.equal(taken, said === '', `'${value}': the module ${taken ? 'takes' : 'refuses'} it, the converter: ${said || 'takes it'}`);
    if (!taken) assert.equal(error(options), said);
  }
});

test('every value the page offers is taken by the module and by the converter', async () => {
  const module = await createPixmosaic();
  const set = module.cwrap('pxm_options_set', 'number', ['number', 'string', 'string']);
  const error = module.cwrap('pxm_options_error', 'string', ['number']);
  const options = module.cwrap('pxm_options_new', 'number', [])();
  const lists = pageLists();
  assert.deepEqual(Object.keys(lists), ['mode', 'background', 'palette', 'format', 'container', 'scale', 'dither']);
  assert.equal(lists.palette.length, 36, 'auto and the 35 palettes');
  assert.equal(lists.background.length, 17, 'auto and the 16 colours');
  for (const [option, choices] of Object.entries(lists)) {
    for (const [value] of choices) {
      assert.equal(set(options, option, value), 0, `--${option} ${value}: ${error(options)}`);
      assert.equal(converterSays(option, value), '', `--${option} ${value}`);
    }
  }
});
