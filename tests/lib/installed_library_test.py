#!/usr/bin/env python3
"""The library as another program uses it: installed with `cmake --install` into a prefix, the
example C program compiled against that prefix alone through `pkg-config --static pixmosaic`,
and its conversions, run in threads at once, compared byte for byte with the converter's file,
words and preview.

usage: installed_library_test.py BUILD_DIR SOURCE_DIR
"""
import os
import pathlib
import shutil
import subprocess
import sys
import tempfile


def run(*args, **kwargs):
    return subprocess.run([str(a) for a in args], capture_output=True, check=False, **kwargs)


def rgba_of(picture):
    """Width, height and the RGBA bytes of a picture, as ImageMagick reads it."""
    size = run("identify", "-format", "%w %h", picture).stdout.decode().split()
    pixels = run("convert", picture, "-depth", "8", "rgba:-").stdout
    return int(size[0]), int(size[1]), pixels


def pam_pixels(path):
    data = path.read_bytes()
    return data[data.index(b"ENDHDR\n") + 7:]


def main():
    build, source = pathlib.Path(sys.argv[1]).resolve(), pathlib.Path(sys.argv[2]).resolve()
    cli = build / "src" / "cli" / "pixmosaic-cli"
    failures = []
    with tempfile.TemporaryDirectory() as folder:
        work = pathlib.Path(folder)
        prefix = work / "prefix"
        installed = run("cmake", "--install", build, "--prefix", prefix)
        if installed.returncode != 0:
            sys.exit("cmake --install failed:\n" + installed.stderr.decode())
        pc = next(prefix.rglob("pixmosaic.pc"))
        environment = dict(os.environ, PKG_CONFIG_PATH=str(pc.parent))
        flags = run("pkg-config", "--static", "--cflags", "--libs", "pixmosaic", env=environment)
        if flags.returncode != 0:
            sys.exit("pkg-config found no pixmosaic:\n" + flags.stderr.decode())
        example = work / "pixmosaic-example"
        compiled = run("cc", "-std=c11", "-Wall", "-Werror", source / "examples" / "c" / "pixmosaic_example.c",
                       "-o", example, *flags.stdout.decode().split())
        if compiled.returncode != 0:
            sys.exit("the example did not compile against the installed library:\n" + compiled.stderr.decode())

        # The pictures: a photograph, a C64 picture made of it (a BMP of C64 colours) and the
        # photograph in C64 colours without the cells' rules (it clashes).
        photo = work / "rose.png"
        run("convert", "rose:", photo)
        bmp = work / "rose.bmp"
        run(cli, "-q", "-n", photo, "-o", bmp)
        clash_png = work / "clash.png"
        run("convert", photo, "-resize", "320x200!", "-dither", "None", "-remap", bmp, clash_png)
        clash = work / "clash.bmp"
        run("convert", clash_png, "-type", "Palette", "BMP3:" + str(clash))
        # The BMP's pixels as RGBA rows with 12 bytes of padding after each.
        width, height, pixels = rgba_of(bmp)
        stride = width * 4 + 12
        padded = work / "rose.rgba"
        padded.write_bytes(b"".join(pixels[y * width * 4:(y + 1) * width * 4] + b"\xee" * 12 for y in range(height)))
        as_png = work / "rose-rgba.png"
        run("convert", "-size", f"{width}x{height}", "-depth", "8", "rgba:-", as_png, input=pixels)

        # Each: the input given to the converter, the example's input and its words.
        jobs = [
            ("koala", bmp, bmp, []),
            ("artstudio", bmp, bmp, ["format=artstudio", "container=p00"]),
            ("rgba", as_png, padded, [f"rgba={width}x{height}x{stride}"]),
            ("clash", clash, clash, []),
            ("nearest", photo, photo, ["nearest=1", "container=tap"]),
            ("program", bmp, bmp, ["executable=1", "name=ROSE", "container=d64", "border=blue"]),
            ("grey", bmp, bmp, ["mode=grey5", "background=red"]),
        ]
        lines = []
        for name, _, given, words in jobs:
            lines.append(" ".join([str(given), str(work / f"{name}.out")] + words))
        (work / "jobs").write_text("\n".join(lines) + "\n")
        ran = run(example, work / "jobs")
        if ran.stderr:
            failures.append("the example said: " + ran.stderr.decode())

        for name, converted, _, words in jobs:
            options = []
            for word in words:
                key, value = word.split("=", 1)
                if key == "rgba":
                    continue
                options += [f"--{key}"] if value == "1" else [f"--{key}={value}"]
            out = work / f"{name}.out"
            status = int((work / f"{name}.out.status").read_text())
            side = ["--preview", work / f"{name}.png"]
            expected = run(cli, *options, *side, "-", "-o", "-", stdin=open(converted, "rb"))
            if expected.returncode != status:
                failures.append(f"{name}: status {status}, the converter's {expected.returncode}")
            words_said = (work / f"{name}.out.txt").read_bytes()
            if words_said != expected.stderr:
                failures.append(f"{name}: said {words_said!r}, the converter {expected.stderr!r}")
            if status == 0:
                if out.read_bytes() != expected.stdout:
                    failures.append(f"{name}: the file differs from the converter's")
                shown = pam_pixels(work / f"{name}.out.pam")
                if shown != rgba_of(work / f"{name}.png")[2]:
                    failures.append(f"{name}: the preview differs from the converter's --preview")
            elif out.exists():
                failures.append(f"{name}: a refused picture left a file")
            if status == 2:
                continue
            if name == "clash":
                mapped = run(cli, *options, "--clash-map", work / "clash-map.png", "-", "-o", work / "x.prg",
                             stdin=open(converted, "rb"))
                if mapped.returncode != 1 or pam_pixels(work / "clash.out.pam") != rgba_of(work / "clash-map.png")[2]:
                    failures.append("clash: the refused picture's preview is not the converter's clash map")
        # The padded RGBA rows are the BMP's picture: the same Koala bytes as the BMP.
        if (work / "rgba.out").read_bytes() != (work / "koala.out").read_bytes():
            failures.append("rgba: the pixels did not give the BMP's bytes")
        if ran.returncode != 2:
            failures.append(f"the example's exit status is {ran.returncode}, not the worst of its conversions (2)")
        # Bad options and bytes of no known kind come back as results.
        (work / "bad").write_text(f"{work / 'jobs'} {work / 'bad.out'}\n{bmp} {work / 'bad2.out'} format=nonesuch\n")
        bad = run(example, work / "bad")
        said = (work / "bad.out.txt").read_text()
        if "Error: standard input:" not in said or b"unknown format 'nonesuch'" not in bad.stderr:
            failures.append(f"bad input: {said!r}, {bad.stderr!r}")
    for failure in failures:
        print("FAIL:", failure)
    print(f"{len(jobs)} conversions through the installed library, {len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
