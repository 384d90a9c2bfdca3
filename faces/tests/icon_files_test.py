#!/usr/bin/env python3
"""Reads the committed icon files as Windows and Qt would and checks their formats.

usage: icon_files_test.py <faces/icons directory>
"""

import struct
import sys
import unittest
import zlib
from pathlib import Path

ICONS = Path(sys.argv.pop(1) if len(sys.argv) > 1 else Path(__file__).parents[1] / "icons")
HICOLOR_SIZES = (16, 32, 48, 64, 128, 256)


def read_ico(data):
    """Returns a list of images: dicts with the directory entry, header and RGBA pixels."""
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    if (reserved, kind) != (0, 1):
        raise ValueError("not an icon file")
    images = []
    for i in range(count):
        width, height, colours, reserved, planes, bits, size, offset = struct.unpack_from(
            "<BBBBHHII", data, 6 + 16 * i
        )
        width, height = width or 256, height or 256  # a byte each: 0 stands for 256
        header = struct.unpack_from("<IiiHHIIiiII", data, offset)
        (hsize, hwidth, hheight, hplanes, hbits, compression, image_size) = header[:7]
        palette_bytes = 4 << hbits if hbits <= 8 else 0
        xor_stride = (hwidth * hbits + 31) // 32 * 4
        and_stride = (hwidth + 31) // 32 * 4
        rows = hheight // 2
        xor_at = offset + hsize + palette_bytes
        and_at = xor_at + xor_stride * rows
        palette = [
            tuple(data[offset + hsize + 4 * n + c] for c in (2, 1, 0))
            for n in range(palette_bytes // 4)
        ]
        pixels, indices = [], []
        for y in range(rows):
            stored = rows - 1 - y
            row, index_row = [], []
            for x in range(hwidth):
                bit = (hbits * x) % 8
                byte = data[xor_at + stored * xor_stride + hbits * x // 8]
                index = (byte >> (8 - hbits - bit)) & ((1 << hbits) - 1)
                mask = data[and_at + stored * and_stride + x // 8] >> (7 - x % 8) & 1
                index_row.append(index)
                row.append((0, 0, 0, 0) if mask else palette[index] + (255,))
            pixels.append(row)
            indices.append(index_row)
        images.append(
            dict(
                entry=(width, height, colours, reserved, planes, bits, size, offset),
                header=(hsize, hwidth, hheight, hplanes, hbits, compression, image_size),
                expected_size=hsize + palette_bytes + (xor_stride + and_stride) * rows,
                palette=palette,
                indices=indices,
                pixels=pixels,
            )
        )
    return images


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    return a if pa <= pb and pa <= pc else b if pb <= pc else c


def read_png(data):
    """Decodes an 8-bit RGBA PNG into rows of (r, g, b, a) after checking every chunk CRC."""
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG file")
    pos, header, idat = 8, None, b""
    while pos < len(data):
        (length,) = struct.unpack_from(">I", data, pos)
        kind, body = data[pos + 4 : pos + 8], data[pos + 8 : pos + 8 + length]
        (crc,) = struct.unpack_from(">I", data, pos + 8 + length)
        if zlib.crc32(kind + body) != crc:
            raise ValueError(f"bad CRC in {kind!r}")
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    width, height, depth, colour_type, _, _, interlace = header
    if (depth, colour_type, interlace) != (8, 6, 0):
        raise ValueError(f"unexpected PNG format {header}")
    raw, stride = zlib.decompress(idat), width * 4
    if len(raw) != height * (stride + 1):
        raise ValueError("wrong amount of image data")
    rows, previous = [], bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        kind, line = raw[start], bytearray(raw[start + 1 : start + 1 + stride])
        for i in range(stride):
            left = line[i - 4] if i >= 4 else 0
            up, corner = previous[i], previous[i - 4] if i >= 4 else 0
            predictor = [0, left, up, (left + up) // 2, paeth(left, up, corner)][kind]
            line[i] = (line[i] + predictor) & 0xFF
        rows.append([tuple(line[i : i + 4]) for i in range(0, stride, 4)])
        previous = line
    return rows


class IconFileTest(unittest.TestCase):
    def check_images(self, data, images, wanted):
        """wanted: (width, height, bits) per image, in file order."""
        self.assertEqual([(i["entry"][0], i["entry"][1], i["entry"][5]) for i in images], wanted)
        end = 6 + 16 * len(images)
        for image in images:
            width, height, colours, reserved, planes, bits, size, offset = image["entry"]
            with self.subTest(size=(width, height, bits)):
                self.assertEqual((colours, reserved, planes), (1 << bits, 0, 1))
                self.assertEqual(offset, end, "images follow each other without gaps")
                self.assertEqual(size, image["expected_size"])
                hsize, hwidth, hheight, hplanes, hbits, compression, image_size = image["header"]
                self.assertEqual(
                    (hsize, hwidth, hheight, hplanes, hbits), (40, width, 2 * height, 1, bits)
                )
                self.assertEqual(compression, 0)
                self.assertIn(image_size, (0, size - 40 - (4 << bits)))
                end = offset + size
                # Under a transparent pixel the colour must be black, or Windows inverts the
                # screen there instead of letting it show through.
                for y, row in enumerate(image["pixels"]):
                    for x, pixel in enumerate(row):
                        if pixel[3] == 0:
                            colour = image["palette"][image["indices"][y][x]]
                            self.assertEqual(colour, (0, 0, 0), (x, y))
                self.assertEqual(image["pixels"][0][0][3], 0, "the corners are transparent")
                opaque = {p[:3] for row in image["pixels"] for p in row if p[3]}
                self.assertGreaterEqual(len(opaque), 2, "the picture is more than a blot")
        self.assertEqual(end, len(data))

    def test_program_icon_holds_its_five_images(self):
        data = (ICONS / "pokotama.ico").read_bytes()
        images = read_ico(data)
        self.check_images(
            data, images, [(32, 32, 1), (32, 32, 4), (16, 16, 4), (48, 48, 4), (256, 256, 4)]
        )
        self.assertEqual(images[0]["palette"], [(0, 0, 0), (255, 255, 255)])

    def test_about_picture_is_one_766_byte_16_colour_icon(self):
        data = (ICONS / "about.ico").read_bytes()
        self.assertEqual(len(data), 766)
        self.check_images(data, read_ico(data), [(32, 32, 4)])

    def test_about_picture_is_not_the_program_icon(self):
        about = read_ico((ICONS / "about.ico").read_bytes())[0]["pixels"]
        program = read_ico((ICONS / "pokotama.ico").read_bytes())[1]["pixels"]
        self.assertNotEqual(about, program)

    def test_pngs_have_their_sizes_and_show_the_icon_pictures(self):
        program = read_ico((ICONS / "pokotama.ico").read_bytes())
        sizes = (32, 16, 48, 256)  # of the 16-colour images, in file order
        same_as_icon = {size: image["pixels"] for size, image in zip(sizes, program[1:])}
        for size in HICOLOR_SIZES:
            with self.subTest(size=size):
                rows = read_png((ICONS / f"hicolor/{size}x{size}/apps/pokotama.png").read_bytes())
                self.assertEqual((len(rows[0]), len(rows)), (size, size))
                if size in same_as_icon:
                    self.assertEqual(rows, same_as_icon[size])
        about = read_png((ICONS / "about.png").read_bytes())
        self.assertEqual(about, read_ico((ICONS / "about.ico").read_bytes())[0]["pixels"])


if __name__ == "__main__":
    unittest.main()
