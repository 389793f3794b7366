// Runs Dithertron headless, the way its own unit tests do: its Dithertron class with the
// c64.multi system, iterated until it reports it is done. Used by tools/compare-peers only.
//
//   tsx dithertron-run.ts DITHERTRON_DIR INPUT.png SETTING OUTPUT.png [SETTING OUTPUT.png ...]
//
// INPUT: a 320 x 200 picture (neighbouring pixel pairs are averaged to the 160 x 200 the
// system works at). SETTING: kernel:diffuse:ordered:noise:errfn, e.g. FLOYD:0.75:0:5:perceptual
// (the kernel by its name in Dithertron's kernels module). OUTPUT: the result at 320 x 200 in
// pepto's colours, each multicolour pixel doubled. Several pairs share one start of Node.
import fs from "fs";
import path from "path";
import { PNG } from "pngjs";

// pepto's PAL colours, as the converter's own palette table holds them.
const PEPTO = [0x000000, 0xffffff, 0x68372b, 0x70a4b2, 0x6f3d86, 0x588d43, 0x352879, 0xb8c76f,
               0x6f4f25, 0x433900, 0x9a6759, 0x444444, 0x6c6c6c, 0x9ad284, 0x6c5eb5, 0x959595];
const MAX_ITERATIONS = 200; // Dithertron stops itself after 100; this only guards a hang

// Dithertron packs a colour as 0xAABBGGRR (red in the low byte, as canvas ImageData bytes).
const packed = (rgb: number) => ((rgb >> 16) & 0xff) | (rgb & 0xff00) | ((rgb & 0xff) << 16);

function halved(png: PNG): Uint32Array {
    if (png.width !== 320 || png.height !== 200)
        throw new Error(`dithertron-run: the input is ${png.width}x${png.height}, not 320x200`);
    const out = new Uint32Array(160 * 200);
    for (let y = 0; y < 200; y++)
        for (let x = 0; x < 160; x++) {
            const a = (y * 320 + 2 * x) * 4, b = a + 4;
            const channel = (i: number) => Math.round((png.data[a + i] + png.data[b + i]) / 2);
            out[y * 160 + x] = channel(0) | (channel(1) << 8) | (channel(2) << 16) | (0xff << 24);
        }
    return out;
}

function doubled(img: Uint32Array, target: string) {
    const png = new PNG({ width: 320, height: 200 });
    for (let i = 0; i < 320 * 200; i++) {
        const c = img[Math.floor(i / 320) * 160 + Math.floor((i % 320) / 2)];
        png.data[i * 4] = c & 0xff;
        png.data[i * 4 + 1] = (c >> 8) & 0xff;
        png.data[i * 4 + 2] = (c >> 16) & 0xff;
        png.data[i * 4 + 3] = 0xff;
    }
    fs.writeFileSync(target, PNG.sync.write(png));
}

async function main() {
    const [dir, input, ...pairs] = process.argv.slice(2);
    if (!dir || !input || pairs.length === 0 || pairs.length % 2 !== 0)
        throw new Error("usage: dithertron-run.ts DITHERTRON_DIR INPUT.png SETTING OUTPUT.png ...");
    const { Dithertron } = await import(path.resolve(dir, "src/dither/dithertron.ts"));
    const { SYSTEM_LOOKUP } = await import(path.resolve(dir, "src/settings/systems.ts"));
    const kernels = await import(path.resolve(dir, "src/dither/kernels.ts"));
    const source = halved(PNG.sync.read(fs.readFileSync(input)));
    for (let i = 0; i < pairs.length; i += 2) {
        const [kernel, diffuse, ordered, noise, errfn] = pairs[i].split(":");
        if (!(kernel in kernels) || errfn === undefined)
            throw new Error(`dithertron-run: no such setting ${pairs[i]}`);
        const dt = new Dithertron();
        dt.setSettings(SYSTEM_LOOKUP["c64.multi"]);
        Object.assign(dt.sysparams, {
            pal: PEPTO.map(packed), ditherfn: kernels[kernel], diffuse: parseFloat(diffuse),
            ordered: parseFloat(ordered), noise: parseFloat(noise), errfn,
        });
        dt.setSourceImage(source);
        let iterations = 0;
        while (dt.iterate() && ++iterations < MAX_ITERATIONS) { /* until it reports it is done */ }
        doubled(dt.dithcanv.img, pairs[i + 1]);
    }
}

main().catch((e) => { console.error(e.message ?? e); process.exit(1); });
