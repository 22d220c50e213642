#!/usr/bin/env python3
"""guide_images.py [ROOT]: puts the end-to-end tests' screenshots into the two guides.

Every picture that docs/ja/*.md or docs/en/*.md shows is named images/<name>.png; it is copied from
the screenshots the end-to-end runs have just written: the Japanese guide's from build/win/artifacts,
the English guide's from build/win/artifacts/en (the run under an English Wine; scripts/e2e.sh
empties each folder before its run). Fails when a picture a guide shows was not made by the run, or
when a guide's images folder holds a picture the guide does not show, or when a state page's picture
does not show the resource monitor's diagram. The chart of the benefit benchmark (benefit_*.png,
en_benefit_*.png) is no screenshot: scripts/benefit.sh draws it into the images folder, where it
must be a PNG file, and it is left as drawn. The read-me's picture, docs/screenshot.png, is the
Japanese guide's state page from the same run.
"""
import glob
import os
import re
import struct
import sys
import zlib

PICTURE = re.compile(r"!\[[^\]]*\]\(images/([\w-]+\.png)\)")
PNG = b"\x89PNG\r\n\x1a\n"
# The monitor on the state page draws its grid in this colour (its saved grid colour 0xE0E0E0). Until
# its first tick it shows its bare background: a picture taken then shows no diagram.
GRID = b"\xe0\xe0\xe0"
STATE_PAGES = ("pages_0_state.png", "guide_state.png")  # with any prefix, as the English pass names its pictures
DRAWN = re.compile(r"(en_)?benefit_[\w-]+\.png")
# Each guide's folder under docs/ and its screenshots' folder under build/win/artifacts.
GUIDES = (("ja", ""), ("en", "en"))
# The read-me's picture: this screenshot of the Japanese run, which the Japanese guide shows too.
README_PICTURE = ("guide_state.png", os.path.join("docs", "screenshot.png"))


def compressed_png(data):
    """The same picture with its pixel data deflated at the highest level: the driver's PNG writer
    stores the rows uncompressed (half a megabyte a screenshot), too much to keep in the repository."""
    chunks, at, idat = [], len(PNG), b""
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        body = data[at + 8:at + 8 + length]
        at += 12 + length
        if kind == b"IDAT":
            idat += body
        elif kind != b"IEND":
            chunks.append((kind, body))
    chunks.append((b"IDAT", zlib.compress(zlib.decompress(idat), 9)))
    chunks.append((b"IEND", b""))
    out = PNG
    for kind, body in chunks:
        out += struct.pack(">I4s", len(body), kind) + body + struct.pack(">I", zlib.crc32(kind + body))
    return out


def rgb_rows(data):
    """The rows of an 8-bit RGB picture as the driver's PNG writer stores them (each row filter 0)."""
    chunks, at = {}, len(PNG)
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        chunks[kind] = chunks.get(kind, b"") + data[at + 8:at + 8 + length]
        at += 12 + length
    width, height, depth, colour = struct.unpack(">IIBB", chunks[b"IHDR"][:10])
    if depth != 8 or colour != 2:
        return None
    raw, stride = zlib.decompress(chunks[b"IDAT"]), 1 + width * 3
    rows = [raw[y * stride:(y + 1) * stride] for y in range(height)]
    return None if any(row[0] != 0 for row in rows) else [row[1:] for row in rows]


def longest_grid_run(pixels):
    """The longest run of grid-coloured pixels in a sequence of RGB triples."""
    longest = run = 0
    for pixel in pixels:
        run = run + 1 if pixel == GRID else 0
        longest = max(longest, run)
    return longest


def shows_monitor_grid(data):
    """The diagram's grid is there: several long lines of its colour across and down the monitor
    (441 x 89 pixels; a curve may lie over a line or two)."""
    rows = rgb_rows(data)
    if rows is None:
        return False
    width = len(rows[0]) // 3
    triples = [[row[x * 3:x * 3 + 3] for x in range(width)] for row in rows]
    across = sum(1 for line in triples if longest_grid_run(line) >= 300)
    down = sum(1 for x in range(width) if longest_grid_run([line[x] for line in triples]) >= 60)
    return across >= 3 and down >= 5


def copy_guide_images(root, language, shots):
    """Copies one guide's pictures; returns the problems found and how many pictures it shows."""
    guide = os.path.join(root, "docs", language)
    artifacts = os.path.join(root, "build", "win", "artifacts", shots)
    images = os.path.join(guide, "images")
    shown = set()
    for page in sorted(glob.glob(os.path.join(guide, "*.md"))):
        with open(page, encoding="utf-8") as f:
            shown |= set(PICTURE.findall(f.read()))
    errors = []
    os.makedirs(images, exist_ok=True)
    for name in sorted(shown):
        if DRAWN.fullmatch(name):
            drawn = os.path.join(images, name)
            head = b""
            if os.path.isfile(drawn):
                with open(drawn, "rb") as f:
                    head = f.read(len(PNG))
            if head != PNG:
                errors.append(f"{name}: the {language} guide shows it, but scripts/benefit.sh has drawn no such chart")
            continue
        made = os.path.join(artifacts, name)
        if not os.path.isfile(made):
            errors.append(f"{name}: the {language} guide shows it, but the end-to-end run made no such screenshot")
            continue
        with open(made, "rb") as f:
            data = f.read()
        if not data.startswith(PNG):
            errors.append(f"{name}: the screenshot is no PNG file")
            continue
        if name.endswith(STATE_PAGES) and not shows_monitor_grid(data):
            errors.append(f"{name}: the resource monitor shows no diagram (no grid lines in it)")
            continue
        with open(os.path.join(images, name), "wb") as f:
            f.write(compressed_png(data))
    for stale in sorted(set(os.listdir(images)) - shown):
        errors.append(f"docs/{language}/images/{stale}: the guide does not show it")
    return errors, len([name for name in shown if not DRAWN.fullmatch(name)])


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    errors, copied = [], 0
    for language, shots in GUIDES:
        found, count = copy_guide_images(root, language, shots)
        errors += found
        copied += count
    shot, target = README_PICTURE
    made = os.path.join(root, "build", "win", "artifacts", shot)
    if os.path.isfile(made):
        with open(made, "rb") as f:
            data = f.read()
        with open(os.path.join(root, target), "wb") as f:
            f.write(compressed_png(data))
    else:
        errors.append(f"{shot}: {target} is this screenshot, but the end-to-end run made none")
    for error in errors:
        print(error)
    if errors:
        print(f"guide images: {len(errors)} problem(s)")
        return 1
    print(f"guide images: {copied} screenshots from this run copied to docs/ja/images and docs/en/images")
    return 0


if __name__ == "__main__":
    sys.exit(main())
