#!/usr/bin/env python3
"""guide_images.py [ROOT]: puts the end-to-end tests' screenshots into the Japanese guide.

Every picture that docs/ja/*.md shows is named images/<name>.png; it is copied from the screenshots
the end-to-end run has just written (build/win/artifacts/<name>.png: scripts/e2e.sh empties that
folder before the run). Fails when a picture the guide shows was not made by the run, or when
docs/ja/images holds a picture the guide does not show.
"""
import glob
import os
import re
import struct
import sys
import zlib

PICTURE = re.compile(r"!\[[^\]]*\]\(images/([\w-]+\.png)\)")
PNG = b"\x89PNG\r\n\x1a\n"


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


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    guide = os.path.join(root, "docs", "ja")
    artifacts = os.path.join(root, "build", "win", "artifacts")
    images = os.path.join(guide, "images")
    shown = set()
    for page in sorted(glob.glob(os.path.join(guide, "*.md"))):
        with open(page, encoding="utf-8") as f:
            shown |= set(PICTURE.findall(f.read()))
    errors = []
    os.makedirs(images, exist_ok=True)
    for name in sorted(shown):
        made = os.path.join(artifacts, name)
        if not os.path.isfile(made):
            errors.append(f"{name}: the guide shows it, but the end-to-end run made no such screenshot")
            continue
        with open(made, "rb") as f:
            data = f.read()
        if not data.startswith(PNG):
            errors.append(f"{name}: the screenshot is no PNG file")
            continue
        with open(os.path.join(images, name), "wb") as f:
            f.write(compressed_png(data))
    for stale in sorted(set(os.listdir(images)) - shown):
        errors.append(f"docs/ja/images/{stale}: the guide does not show it")
    for error in errors:
        print(error)
    if errors:
        print(f"guide images: {len(errors)} problem(s)")
        return 1
    print(f"guide images: {len(shown)} screenshots from this run copied to docs/ja/images")
    return 0


if __name__ == "__main__":
    sys.exit(main())
