#!/usr/bin/env python3

# SPDX-FileCopyrightText: 2026 森　結
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""Draws ぽこたま's icons from the pixel maps in artwork.txt.

Writes the program's icon group (pokotama.ico: 32 x 32 in 2 colours; 32 x 32,
16 x 16, 48 x 48 and 256 x 256 in 16 colours, the larger two scaled up as the
PNGs are), the About window's picture (about.ico, one 32 x 32 image in 16
colours, 766 bytes), and PNG renderings of both: the program's icon in the
hicolor sizes under hicolor/, the About picture as about.png. Larger PNGs are
the pixel art scaled up by whole factors.

    make_icons.py           rewrite every file
    make_icons.py --check   only report files that differ from artwork.txt

Python standard library only.
"""

import struct
import sys
import zlib
from pathlib import Path

HERE = Path(__file__).resolve().parent
TRANSPARENT = "."

# hicolor size -> (pixel map, whole scale factor)
HICOLOR_SIZES = {
    16: ("pokotama16", 1),
    32: ("pokotama32", 1),
    48: ("pokotama16", 3),
    64: ("pokotama32", 2),
    128: ("pokotama32", 4),
    256: ("pokotama32", 8),
}


class Palette:
    def __init__(self, name):
        self.name = name
        self.chars = []  # in index order
        self.rgb = {}
        self.mono_white = {}

    def index(self, char):
        if char == TRANSPARENT:
            return self.black_index()
        return self.chars.index(char)

    def black_index(self):
        for i, char in enumerate(self.chars):
            if self.rgb[char] == (0, 0, 0):
                return i
        raise ValueError(f"palette {self.name} has no black entry")


class Image:
    def __init__(self, name, palette):
        self.name = name
        self.palette = palette
        self.rows = []

    @property
    def width(self):
        return len(self.rows[0])

    @property
    def height(self):
        return len(self.rows)

    def rgba(self, scale=1):
        """Rows of RGBA bytes, each pixel repeated scale times both ways."""
        out = []
        for row in self.rows:
            line = bytearray()
            for char in row:
                if char == TRANSPARENT:
                    pixel = bytes(4)
                else:
                    pixel = bytes(self.palette.rgb[char]) + b"\xff"
                line += pixel * scale
            out.extend([bytes(line)] * scale)
        return out


def parse_artwork(text):
    palettes, images = {}, {}
    current = None
    for number, raw in enumerate(text.splitlines(), 1):
        line = raw.strip()
        where = f"artwork.txt:{number}"
        if isinstance(current, Image):
            if line and not line.startswith("#"):
                if current.rows and len(line) != current.width:
                    raise ValueError(f"{where}: row is {len(line)} pixels, not {current.width}")
                unknown = set(line) - set(current.palette.chars) - {TRANSPARENT}
                if unknown:
                    raise ValueError(f"{where}: colours {sorted(unknown)} not in the palette")
                current.rows.append(line)
                continue
            current = None
        if not line or line.startswith("#"):
            continue
        words = line.split()
        if words[0] == "palette":
            current = palettes[words[1]] = Palette(words[1])
        elif words[0] == "image":
            current = images[words[1]] = Image(words[1], palettes[words[2]])
        elif isinstance(current, Palette):
            char, hexcolour, mono = words[0], words[1], words[2]
            if len(char) != 1 or char == TRANSPARENT or mono not in ("k", "w"):
                raise ValueError(f"{where}: bad palette entry")
            current.chars.append(char)
            current.rgb[char] = tuple(bytes.fromhex(hexcolour))
            current.mono_white[char] = mono == "w"
            if len(current.chars) > 16:
                raise ValueError(f"{where}: more than 16 colours")
        else:
            raise ValueError(f"{where}: unexpected line")
    for image in images.values():
        image.palette.black_index()
    return palettes, images


# --- ICO -------------------------------------------------------------------


def row_stride(width, bits):
    return (width * bits + 31) // 32 * 4


def pack_rows(rows, bits):
    """Packs rows of small integers, bottom row first, padded to 4 bytes."""
    out = bytearray()
    for values in reversed(rows):
        packed = bytearray(row_stride(len(values), bits))
        per_byte = 8 // bits
        for x, value in enumerate(values):
            shift = 8 - bits * (x % per_byte + 1)
            packed[x // per_byte] |= value << shift
        out += packed
    return bytes(out)


def ico_image(image, bits, scale=1):
    """One icon image: BITMAPINFOHEADER, palette, colour bits, AND mask."""
    rows = ["".join(c * scale for c in row) for row in image.rows for _ in range(scale)]
    if bits == 1:
        palette = [(0, 0, 0), (255, 255, 255)]
        colours = [
            [0 if c == TRANSPARENT else int(image.palette.mono_white[c]) for c in row]
            for row in rows
        ]
    else:
        palette = [image.palette.rgb[c] for c in image.palette.chars]
        palette += [(0, 0, 0)] * (16 - len(palette))
        colours = [[image.palette.index(c) for c in row] for row in rows]
    mask = [[int(c == TRANSPARENT) for c in row] for row in rows]
    xor_bits = pack_rows(colours, bits)
    and_bits = pack_rows(mask, 1)
    header = struct.pack(
        "<IiiHHIIiiII",
        40,
        image.width * scale,
        image.height * scale * 2,
        1,
        bits,
        0,
        len(xor_bits) + len(and_bits),
        0,
        0,
        0,
        0,
    )
    quads = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    return header + quads + xor_bits + and_bits


def ico_file(entries):
    """entries: list of (image, bits, scale). A size of 256 is written as 0 in the directory."""
    blobs = [ico_image(image, bits, scale) for image, bits, scale in entries]
    out = struct.pack("<HHH", 0, 1, len(entries))
    offset = 6 + 16 * len(entries)
    for (image, bits, scale), blob in zip(entries, blobs):
        width, height = image.width * scale % 256, image.height * scale % 256
        out += struct.pack("<BBBBHHII", width, height, 1 << bits, 0, 1, bits, len(blob), offset)
        offset += len(blob)
    return out + b"".join(blobs)


# --- PNG -------------------------------------------------------------------


def png_chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def png_file(rows):
    width, height = len(rows[0]) // 4, len(rows)
    raw = b"".join(b"\x00" + row for row in rows)
    return (
        b"\x89PNG\r\n\x1a\n"
        + png_chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
        + png_chunk(b"IDAT", zlib.compress(raw, 9))
        + png_chunk(b"IEND", b"")
    )


def png_content(data):
    """IHDR and uncompressed scanlines: the same picture whatever zlib packed it."""
    pos, header, idat = 8, b"", b""
    while pos < len(data):
        (length,) = struct.unpack_from(">I", data, pos)
        kind = data[pos + 4 : pos + 8]
        body = data[pos + 8 : pos + 8 + length]
        if kind == b"IHDR":
            header = body
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    return header, zlib.decompress(idat)


# --- files -----------------------------------------------------------------


def outputs(images):
    """Relative path -> bytes of every generated file."""
    files = {
        "pokotama.ico": ico_file(
            [
                (images["pokotama32"], 1, 1),
                (images["pokotama32"], 4, 1),
                (images["pokotama16"], 4, 1),
            ]
            + [(images[HICOLOR_SIZES[size][0]], 4, HICOLOR_SIZES[size][1]) for size in (48, 256)]
        ),
        "about.ico": ico_file([(images["about32"], 4, 1)]),
        "about.png": png_file(images["about32"].rgba()),
    }
    for size, (name, scale) in HICOLOR_SIZES.items():
        image = images[name]
        assert image.width * scale == size and image.height * scale == size, name
        files[f"hicolor/{size}x{size}/apps/pokotama.png"] = png_file(image.rgba(scale))
    return files


def same(path, wanted):
    if not path.exists():
        return False
    actual = path.read_bytes()
    if path.suffix == ".png":
        try:
            return png_content(actual) == png_content(wanted)
        except (zlib.error, struct.error):
            return False
    return actual == wanted


def main(argv):
    check = "--check" in argv[1:]
    _, images = parse_artwork((HERE / "artwork.txt").read_text(encoding="utf-8"))
    stale = []
    for relative, data in outputs(images).items():
        path = HERE / relative
        if same(path, data):
            continue
        stale.append(relative)
        if not check:
            path.parent.mkdir(parents=True, exist_ok=True)
            path.write_bytes(data)
    if check and stale:
        print("out of date with artwork.txt (run make_icons.py):", *stale, sep="\n  ")
        return 1
    if not check:
        print(f"wrote {len(stale)} file(s)" if stale else "all files up to date")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
