#!/usr/bin/env python3

# SPDX-FileCopyrightText: 2026 森　結
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""Compiles a filled-in copy of the Windows resource script with windres and finds in it the
version it was filled in with: the four numbers of the fixed part and the version strings.

usage: version_resource_test.py <pokotama.rc> <source tree's root> <version it was filled in with>
Exits with 77 (skipped) where no windres is installed.
"""

import os
import shutil
import struct
import subprocess
import sys
import tempfile
from pathlib import Path

SCRIPT, ROOT, VERSION = Path(sys.argv[1]), Path(sys.argv[2]), sys.argv[3]


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


def main():
    windres = find_windres()
    if not windres:
        print("windres not found: skipped")
        return 77
    with tempfile.TemporaryDirectory() as scratch:
        output = Path(scratch) / "pokotama.res"
        compile_rc(windres, output)
        data = output.read_bytes()

    # VS_FIXEDFILEINFO: its signature, a structure version, then file and product version.
    fixed = data.find(struct.pack("<I", 0xFEEF04BD))
    numbers = struct.unpack_from("<4I", data, fixed + 8)
    major, minor, patch, tweak = (int(n) for n in VERSION.split("."))
    wanted = (major << 16 | minor, patch << 16 | tweak) * 2
    failures = [] if numbers == wanted else [f"fixed version {numbers}, not {wanted}"]
    # Each string: its UTF-16 key, padding to four bytes, its UTF-16 value.
    for key in ("FileVersion", "ProductVersion"):
        at = data.find((key + "\0").encode("utf-16-le"))
        value_at = (at + 2 * len(key) + 2 + 3) & ~3
        value = data[value_at:].decode("utf-16-le", "replace").split("\0")[0]
        if at < 0 or value != VERSION:
            failures.append(f"{key} is {value!r}, not {VERSION!r}")
    print("\n".join(failures) or f"version {VERSION} found")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
