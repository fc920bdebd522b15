#!/usr/bin/env python3
"""cmake --install into a fresh prefix, then the installed files: the program,
the menu entry (its keys, valid under desktop-file-validate) and the icon in
every hicolor size, each PNG of its size and drawn (an opaque centre, clear
corners), and the scalable SVG.

    install_check.py CMAKE BUILD_DIR
"""
import configparser
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import zlib

SIZES = [16, 22, 24, 32, 48, 64, 128, 256]
ICON = "orvakse"
failures = []


def check(ok, what):
    if not ok:
        failures.append(what)


def png_pixels(path):
    """Width, height and rows of RGBA bytes of an 8-bit RGBA, non-interlaced PNG."""
    data = open(path, "rb").read()
    assert data[:8] == b"\x89PNG\r\n\x1a\n", path + ": not a PNG"
    pos, idat, header = 8, b"", None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    width, height, depth, colour, _, _, interlace = header
    assert (depth, colour, interlace) == (8, 6, 0), f"{path}: not 8-bit RGBA {header}"
    raw, stride, rows, prev = zlib.decompress(idat), width * 4, [], bytearray(width * 4)
    for y in range(height):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            left = line[i - 4] if i >= 4 else 0
            up, upleft = prev[i], prev[i - 4] if i >= 4 else 0
            if kind == 1:
                line[i] = (line[i] + left) & 255
            elif kind == 2:
                line[i] = (line[i] + up) & 255
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 255
            elif kind == 4:
                p = left + up - upleft
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - upleft)
                line[i] = (line[i] + (left if pa <= pb and pa <= pc else up if pb <= pc else upleft)) & 255
        rows.append(line)
        prev = line
    return width, height, rows


def check_icons(prefix):
    hicolor = os.path.join(prefix, "share/icons/hicolor")
    for size in SIZES:
        path = os.path.join(hicolor, f"{size}x{size}/apps/{ICON}.png")
        if not os.path.isfile(path):
            failures.append(f"missing {path}")
            continue
        width, height, rows = png_pixels(path)
        check((width, height) == (size, size), f"{path}: {width}x{height}")
        alpha = lambda x, y: rows[y][x * 4 + 3]
        check(alpha(0, 0) == 0 and alpha(size - 1, size - 1) == 0, f"{path}: corners not clear")
        check(alpha(size // 2, size * 20 // 32) == 255, f"{path}: tile not opaque")
    svg = os.path.join(hicolor, f"scalable/apps/{ICON}.svg")
    check(os.path.isfile(svg), f"missing {svg}")
    if os.path.isfile(svg):
        text = open(svg, encoding="utf-8").read()
        check(text.startswith("<svg ") and 'viewBox="0 0 32 32"' in text and "<circle" in text,
              f"{svg}: not the icon")


def check_desktop_entry(prefix, exec_value):
    """exec_value: what Exec must hold, the installed program's full path."""
    path = os.path.join(prefix, "share/applications", ICON + ".desktop")
    if not os.path.isfile(path):
        failures.append(f"missing {path}")
        return
    entry = configparser.ConfigParser(interpolation=None, strict=True)
    entry.optionxform = str
    entry.read(path, encoding="utf-8")
    keys = entry["Desktop Entry"]
    check(keys.get("Type") == "Application", "Type")
    check(keys.get("Name") == "Orvak SE", "Name")
    check(keys.get("Exec") == exec_value, f"Exec {keys.get('Exec')!r}, not {exec_value!r}")
    check(keys.get("Icon") == ICON, "Icon")
    check(keys.get("Terminal") == "false", "Terminal")
    categories = keys.get("Categories", "").split(";")
    check("Education" in categories and "Science" in categories, "Categories")
    result = subprocess.run(["desktop-file-validate", path], capture_output=True, text=True)
    report = result.stdout + result.stderr
    check(result.returncode == 0 and "error:" not in report and "warning:" not in report,
          f"desktop-file-validate: {report}")


def install(cmake, build, prefix):
    subprocess.run([cmake, "--install", build, "--prefix", prefix], check=True,
                   stdout=subprocess.DEVNULL)
    program = os.path.join(prefix, "bin/OrvakSE")
    check(os.path.isfile(program) and os.access(program, os.X_OK), f"missing {program}")
    return program


def main():
    cmake, build = sys.argv[1], sys.argv[2]
    folder = tempfile.mkdtemp(prefix="orvak-install-")
    try:
        prefix = os.path.join(folder, "plain")
        program = install(cmake, build, prefix)
        check_desktop_entry(prefix, program)
        check_icons(prefix)
        # A prefix with a space: the path is quoted, as the menu entry's rules ask.
        prefix = os.path.join(folder, "with space")
        program = install(cmake, build, prefix)
        check_desktop_entry(prefix, f'"{program}"')
    finally:
        shutil.rmtree(folder)
    for failure in failures:
        print("FAILED:", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
