#!/usr/bin/env python3
"""Reads the committed icon files as Windows and Qt would: every image decodes at the size its
file declares, icons hide nothing under their transparent pixels, and each icon image shows the
same pixels as the PNG of its size.

usage: icon_files_test.py <faces/icons directory>
"""

import struct
import sys
import unittest
import zlib
from pathlib import Path

ICONS = Path(sys.argv.pop(1) if len(sys.argv) > 1 else Path(__file__).parents[1] / "icons")


def read_ico(data):
    """Yields (bits, width, RGBA rows, colours under transparent pixels) per image, after
    checking that the directory agrees with each image and that images follow without gaps."""
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    assert (reserved, kind) == (0, 1), "not an icon file"
    end = 6 + 16 * count
    for i in range(count):
        entry = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        width, height, bits, size, offset = entry[0], entry[1], entry[5], entry[6], entry[7]
        width, height = width or 256, height or 256  # a byte each: 0 stands for 256
        hsize, hwidth, hheight, _, hbits = struct.unpack_from("<IiiHH", data, offset)
        assert (hwidth, hheight, hbits) == (width, 2 * height, bits), f"image {i}: header"
        palette_at = offset + hsize
        xor_stride, and_stride = (width * bits + 31) // 32 * 4, (width + 31) // 32 * 4
        xor_at = palette_at + (4 << bits)
        and_at = xor_at + xor_stride * height
        assert (offset, size) == (end, and_at + and_stride * height - offset), f"image {i}: size"
        end = offset + size
        rows, hidden = [], set()
        for y in reversed(range(height)):  # stored bottom up
            row = []
            for x in range(width):
                byte = data[xor_at + y * xor_stride + bits * x // 8]
                index = (byte >> (8 - bits - bits * x % 8)) & ((1 << bits) - 1)
                colour = tuple(data[palette_at + 4 * index + c] for c in (2, 1, 0))
                if data[and_at + y * and_stride + x // 8] >> (7 - x % 8) & 1:
                    row.append((0, 0, 0, 0))
                    hidden.add(colour)
                else:
                    row.append(colour + (255,))
            rows.append(row)
        yield bits, width, rows, hidden
    assert end == len(data), "data after the last image"


def read_png(data):
    """Decodes an 8-bit RGBA PNG into rows of (r, g, b, a) after checking every chunk's CRC."""
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
    raw, stride = zlib.decompress(idat), width * 4
    assert len(raw) == height * (stride + 1), "wrong amount of image data"
    rows, previous = [], bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        kind, line = raw[start], bytearray(raw[start + 1 : start + 1 + stride])
        for i in range(stride):
            a, b, c = line[i - 4] if i >= 4 else 0, previous[i], previous[i - 4] if i >= 4 else 0
            p = a + b - c
            paeth = min((abs(p - a), 0, a), (abs(p - b), 1, b), (abs(p - c), 2, c))[2]
            line[i] = (line[i] + [0, a, b, (a + b) // 2, paeth][kind]) & 0xFF
        rows.append([tuple(line[i : i + 4]) for i in range(0, stride, 4)])
        previous = line
    return rows


class IconFileTest(unittest.TestCase):
    def test_pngs_decode_at_their_sizes(self):
        for png in ICONS.glob("hicolor/*/apps/pokotama.png"):
            with self.subTest(png=str(png)):
                size = int(png.parts[-3].split("x")[0])
                rows = read_png(png.read_bytes())
                self.assertEqual((len(rows[0]), len(rows)), (size, size))

    def test_icons_show_their_pngs_with_black_under_transparent_pixels(self):
        hicolor = {
            int(png.parts[-3].split("x")[0]): read_png(png.read_bytes())
            for png in ICONS.glob("hicolor/*/apps/pokotama.png")
        }
        about = {32: read_png((ICONS / "about.png").read_bytes())}
        for icon, pngs in (("about.ico", about), ("pokotama.ico", hicolor)):
            for bits, width, rows, hidden in read_ico((ICONS / icon).read_bytes()):
                with self.subTest(icon=icon, size=width, bits=bits):
                    # Under a transparent pixel the colour must be black, or Windows inverts
                    # the screen there instead of letting it show through.
                    self.assertLessEqual(hidden, {(0, 0, 0)})
                    if bits > 1:  # the 2-colour image is drawn apart
                        self.assertEqual(rows, pngs[width])


if __name__ == "__main__":
    unittest.main()
