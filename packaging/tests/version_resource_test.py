#!/usr/bin/env python3
"""Compiles a filled-in copy of the Windows resource script with windres and reads the version
and icon group back.

usage: version_resource_test.py <pokotama.rc> <source tree's root> <version it was filled in with>
Exits with 77 (skipped) where no windres is installed.
"""

import os
import shutil
import struct
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

SCRIPT, ROOT, VERSION = Path(sys.argv.pop(1)), Path(sys.argv.pop(1)), sys.argv.pop(1)
SKIPPED = 77

RT_ICON, RT_GROUP_ICON, RT_VERSION = 3, 14, 16
JAPANESE = 0x0411


def find_windres():
    candidates = ["x86_64-w64-mingw32-windres", "i686-w64-mingw32-windres", "windres"]
    for name in [os.environ.get("WINDRES")] + candidates:
        if name and shutil.which(name):
            return shutil.which(name)
    return None


def compile_rc(windres, output):
    """windres runs the .rc through a C preprocessor; without the MinGW compiler use cpp."""
    command = [windres, "-I", str(ROOT)]
    prefix = windres[: -len("windres")]
    if not shutil.which(prefix + "gcc") and shutil.which("cpp"):
        command.append("--preprocessor=" + shutil.which("cpp"))
    command += ["-i", str(SCRIPT), "-O", "res", "-o", str(output)]
    subprocess.run(command, check=True)


def read_res(data):
    """Returns {(type, name): (language, data)} from a .res file."""
    def read_id(pos):
        if struct.unpack_from("<H", data, pos)[0] == 0xFFFF:
            return struct.unpack_from("<H", data, pos + 2)[0], pos + 4
        end = pos
        while data[end : end + 2] != b"\0\0":
            end += 2
        return data[pos:end].decode("utf-16-le"), end + 2

    resources, pos = {}, 0
    while pos < len(data):
        size, header_size = struct.unpack_from("<II", data, pos)
        kind, at = read_id(pos + 8)
        name, at = read_id(at)
        at = (at + 3) & ~3
        _, _, language = struct.unpack_from("<IHH", data, at)
        body = data[pos + header_size : pos + header_size + size]
        if size:
            resources[(kind, name)] = (language, body)
        pos = (pos + header_size + size + 3) & ~3
    return resources


def read_version_node(data, pos=0):
    """One node of the version tree: (key, value bytes, value type, children)."""
    length, value_length, value_type = struct.unpack_from("<HHH", data, pos)
    end = pos + length
    at = pos + 6
    key_end = at
    while data[key_end : key_end + 2] != b"\0\0":
        key_end += 2
    key = data[at:key_end].decode("utf-16-le")
    at = (key_end + 2 + 3) & ~3
    value_bytes = value_length * 2 if value_type == 1 else value_length
    value = data[at : at + value_bytes]
    at = (at + value_bytes + 3) & ~3
    children = []
    while at < end:
        child, at = read_version_node(data, at)
        children.append(child)
        at = (at + 3) & ~3
    return (key, value, value_type, children), end


class VersionResourceTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        with tempfile.TemporaryDirectory() as scratch:
            output = Path(scratch) / "pokotama.res"
            compile_rc(WINDRES, output)
            cls.resources = read_res(output.read_bytes())

    def version_tree(self):
        language, body = self.resources[(RT_VERSION, 1)]
        self.assertEqual(language, JAPANESE)
        tree, _ = read_version_node(body)
        return tree

    def test_fixed_part_is_an_application_of_the_version_for_32_bit_windows(self):
        key, value, _, _ = self.version_tree()
        self.assertEqual(key, "VS_VERSION_INFO")
        signature, _, file_ms, file_ls, product_ms, product_ls, _, flags, os_, kind, subtype = (
            struct.unpack("<13I", value)[:11]
        )
        self.assertEqual(signature, 0xFEEF04BD)
        major, minor, patch, tweak = (int(n) for n in VERSION.split("."))
        wanted = (major << 16 | minor, patch << 16 | tweak)
        self.assertEqual((file_ms, file_ls), wanted)
        self.assertEqual((product_ms, product_ls), wanted)
        self.assertEqual(flags, 0)
        self.assertEqual((os_, kind, subtype), (0x4, 0x1, 0))  # VOS__WINDOWS32, VFT_APP

    def test_japanese_unicode_string_table(self):
        blocks = {key: children for key, _, _, children in self.version_tree()[3]}
        tables = blocks["StringFileInfo"]
        self.assertEqual([key for key, _, _, _ in tables], ["041104B0"])
        strings = {}
        for key, value, value_type, _ in tables[0][3]:
            self.assertEqual(value_type, 1, key)
            strings[key] = value.decode("utf-16-le").split("\0")[0]
        self.assertEqual(
            strings,
            {
                "CompanyName": "森\u3000結",
                "FileDescription": "ぽこたま",
                "FileVersion": VERSION,
                "InternalName": "ぽこたま",
                "OriginalFilename": "pokotama.exe",
                "ProductName": "ぽこたま",
                "ProductVersion": VERSION,
            },
        )
        (translation,) = blocks["VarFileInfo"]
        self.assertEqual(translation[0], "Translation")
        self.assertEqual(struct.unpack("<HH", translation[1]), (0x0411, 1200))

    def test_icon_group_holds_the_five_program_icon_images(self):
        groups = [body for (kind, _), (_, body) in self.resources.items() if kind == RT_GROUP_ICON]
        self.assertEqual(len(groups), 1)
        _, _, count = struct.unpack_from("<HHH", groups[0], 0)
        images = []
        for i in range(count):
            entry = struct.unpack_from("<BBBBHHIH", groups[0], 6 + 14 * i)
            width, height, _, _, _, bits, size, icon_id = entry
            self.assertEqual(len(self.resources[(RT_ICON, icon_id)][1]), size)
            images.append((width or 256, height or 256, bits))
        self.assertEqual(
            images, [(32, 32, 1), (32, 32, 4), (16, 16, 4), (48, 48, 4), (256, 256, 4)]
        )


if __name__ == "__main__":
    WINDRES = find_windres()
    if not WINDRES:
        print("windres not found: skipped")
        sys.exit(SKIPPED)
    unittest.main()
