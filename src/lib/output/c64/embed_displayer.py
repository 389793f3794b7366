#!/usr/bin/env python3
"""Turns the assembled displayer into C++: its bytes and the addresses of its labels.

embed_displayer.py BINARY LABELS OUTPUT FIELD=LABEL...
BINARY is ld65's output, LABELS its label file (-Ln, lines "al 00080D .name"); each FIELD of
pxm::cli::DisplayerImage is set to the address of LABEL.
"""
import sys


def read_labels(path):
    labels = {}
    with open(path) as f:
        for line in f:
            parts = line.split()
            if len(parts) == 3 and parts[0] == "al":
                labels[parts[2].lstrip(".")] = int(parts[1], 16)
    return labels


def main(binary, label_file, output, *fields):
    code = open(binary, "rb").read()
    labels = read_labels(label_file)
    lines = [
        "// Generated at build time from src/lib/output/c64/displayer.s by embed_displayer.py.",
        '#include "lib/output/c64/displayer_image.h"',
        "",
        "#include <array>",
        "",
        "namespace pxm {",
        "",
        "namespace {",
        f"constexpr std::array<std::uint8_t, {len(code)}> Bytes{{{{",
    ]
    for at in range(0, len(code), 16):
        lines.append("    " + ", ".join(f"0x{b:02X}" for b in code[at:at + 16]) + ",")
    lines += ["}};", "}  // namespace", "", "const DisplayerImage Displayer{", "    .bytes = Bytes,"]
    for field in fields:
        name, label = field.split("=")
        if label not in labels:
            sys.exit(f"embed_displayer.py: the displayer has no label '{label}'")
        lines.append(f"    .{name} = 0x{labels[label]:04X},")
    lines += ["};", "", "}  // namespace pxm", ""]
    with open(output, "w") as f:
        f.write("\n".join(lines))


if __name__ == "__main__":
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    main(*sys.argv[1:])
