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
import shutil
import sys

PICTURE = re.compile(r"!\[[^\]]*\]\(images/([\w-]+\.png)\)")
PNG = b"\x89PNG\r\n\x1a\n"


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
            if f.read(8) != PNG:
                errors.append(f"{name}: the screenshot is no PNG file")
                continue
        shutil.copyfile(made, os.path.join(images, name))
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
