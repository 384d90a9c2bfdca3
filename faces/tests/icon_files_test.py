#!/usr/bin/env python3

# SPDX-FileCopyrightText: 2026 森　結
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""Reads the committed icon files as Windows and Qt would: every image holds the data of the
size its file declares, and icons hide nothing but black under their transparent pixels.

usage: icon_files_test.py <faces/icons directory>
"""

import struct
import sys
import unittest
import zlib
from pathlib import Path

ICONS = Path(sys.argv.pop(1) if len(sys.argv) > 1 else Path(__file__).parents[1] / "icons")


def read_ico(data):
    """Yields (width, colours under transparent pixels) per image, after checking that the
    directory agrees with each image and that images follow each other without gaps."""
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    assert (reserved, kind) == (0, 1), "not an icon file"
    end = 6 + 16 * count
    for i in range(count):
        entry = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        width, height, bits, size, offset = entry[0] or 256, entry[1] or 256, *entry[5:]
        hsize, hwidth, hheight, _, hbits = struct.unpack_from("<IiiHH", data, offset)
        assert (hwidth, hheight, hbits) == (width, 2 * height, bits), f"image {i}: header"
        palette_at = offset + hsize
        xor_stride, and_stride = (width * bits + 31) // 32 * 4, (width + 31) // 32 * 4
        xor_at = palette_at + (4 << bits)
        and_at = xor_at + xor_stride * height
        assert (offset, size) == (end, and_at + and_stride * height - offset), f"image {i}: size"
        end = offset + size
        hidden = set()
        for y in range(height):
            for x in range(width):
                if data[and_at + y * and_stride + x // 8] >> (7 - x % 8) & 1:
                    byte = data[xor_at + y * xor_stride + bits * x // 8]
                    index = (byte >> (8 - bits - bits * x % 8)) & ((1 << bits) - 1)
                    hidden.add(data[palette_at + 4 * index : palette_at + 4 * index + 3])
        yield width, hidden
    assert end == len(data), "data after the last image"


def png_size(data):
    """The width and height of a PNG after checking every chunk's CRC and that its image data
    holds exactly the rows of that size (8-bit RGBA, not interlaced)."""
    assert data[:8] == b"\x89PNG\r\n\x1a\n", "not a PNG file"
    pos, header, idat = 8, None, b""
    while pos < len(data):
        (length,) = struct.unpack_from(">I", data, pos)
        kind, body = data[pos + 4 : pos + 8], data[pos + 8 : pos + 8 + length]
        assert zlib.crc32(kind + body) == struct.unpack_from(">I", data, pos + 8 + length)[0]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    width, height, depth, colour_type, _, _, interlace = header
    assert (depth, colour_type, interlace) == (8, 6, 0), f"unexpected PNG format {header}"
    assert len(zlib.decompress(idat)) == height * (width * 4 + 1), "wrong amount of image data"
    return width, height


class IconFileTest(unittest.TestCase):
    def test_pngs_decode_at_their_sizes(self):
        about_size, _ = next(read_ico((ICONS / "about.ico").read_bytes()))  # its one image
        sizes = {png: int(png.parts[-3].split("x")[0]) for png in ICONS.glob("hicolor/*/apps/*")}
        for png, size in [*sizes.items(), (ICONS / "about.png", about_size)]:
            with self.subTest(png=str(png)):
                self.assertEqual(png_size(png.read_bytes()), (size, size))

    def test_icons_hide_only_black_under_transparent_pixels(self):
        # Elsewhere Windows would invert the screen instead of letting it show through.
        for icon in ("about.ico", "pokotama.ico"):
            for width, hidden in read_ico((ICONS / icon).read_bytes()):
                with self.subTest(icon=icon, size=width):
                    self.assertLessEqual(hidden, {b"\0\0\0"})


if __name__ == "__main__":
    unittest.main()
