#!/usr/bin/env python3
"""read_captions.py ARTIFACTS: reads what the English pass drew, with text recognition.

The end-to-end test English.* saves parts of the window's picture as read_<name>.png, each beside
read_<name>.txt that lists the words it must show, one a line (the tab row with the five tab
captions, each button with its caption, at 96 and 144 dpi). Each part is read by tesseract, and every
listed word must be found whole in it: letters drawn as empty boxes, or a caption cut off at the edge
of its control, read as nothing. Prints one line per part and ends with READ or UNREAD; the exit code
says the same. Fails when no part was saved.
"""
import glob
import os
import re
import subprocess
import sys
import tempfile

# Interface text is some 12 pixels high at 96 dpi; tesseract reads letters of 30 and more. A black
# and white picture keeps the tab pictures and the button's gradient from being read as letters;
# two thresholds, since a caption on a pale and one on a coloured background need different ones.
PREPARATIONS = (
    ["-resize", "300%", "-threshold", "60%", "-bordercolor", "white", "-border", "20"],
    ["-resize", "400%", "-threshold", "50%", "-bordercolor", "white", "-border", "20"],
)


def words_read(png):
    """Every word tesseract finds in the picture under any of the preparations, in lower case."""
    found = set()
    with tempfile.TemporaryDirectory() as work:
        for preparation in PREPARATIONS:
            prepared = os.path.join(work, "prepared.png")
            subprocess.run(["convert", png, "-colorspace", "Gray", *preparation, prepared], check=True)
            text = subprocess.run(["tesseract", prepared, "-", "--psm", "6"], check=True, capture_output=True,
                                  text=True).stdout
            found.update(word.lower() for word in re.findall(r"[A-Za-z]+", text))
    return found


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else "."
    parts = sorted(glob.glob(os.path.join(folder, "read_*.png")))
    failed = 0
    for png in parts:
        with open(png[:-4] + ".txt", encoding="utf-8") as listed:
            wanted = [line.strip() for line in listed if line.strip()]
        found = words_read(png)
        missing = [word for word in wanted if word.lower() not in found]
        failed += bool(missing)
        name = os.path.basename(png)
        print(f"{name}: " + ("all read" if not missing else "not read: " + " ".join(missing)))
    print(f"captions read: {len(parts) - failed} of {len(parts)} pictures")
    ok = parts and not failed
    print("READ" if ok else "UNREAD")
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
