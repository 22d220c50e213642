#!/usr/bin/env python3
"""check_package.py ZIP OUT_DIR: unpacks the release package into OUT_DIR and checks what it holds.

The zip's name is kestrune-<version>-win64.zip; it holds one folder of that name with exactly
kestrune.exe, README-ja.txt, README-en.txt and LICENSE.txt. The texts open by double-click on any
Windows: UTF-8 (the guides with the byte-order mark), CR LF line ends and no lone CR or LF; the
English guide, besides its byte-order mark, is printable ASCII, which every code page shows alike.
The guides' lines are at most 78 columns wide (a Japanese character takes two), so that Notepad
without word wrap shows them whole.
Prints one line per check ("ok: ..." or "FAIL: ...") and the version on the last line as
"version: X.Y.Z"; exits 1 when a check failed.
"""
import os
import re
import shutil
import sys
import unicodedata
import zipfile

NAME = re.compile(r"^kestrune-(\d+\.\d+\.\d+)-win64\.zip$")
BOM = b"\xef\xbb\xbf"
COLUMNS = 78


def columns(line):
    """The width of a line in Notepad with a Japanese font: wide and ambiguous characters take two."""
    return sum(2 if unicodedata.east_asian_width(c) in "WFA" else 1 for c in line)


def wide_lines(text):
    """The lines wider than COLUMNS, as "line N (W columns)"."""
    return [f"line {n} ({columns(line)} columns)" for n, line in enumerate(text.split("\r\n"), 1)
            if columns(line) > COLUMNS]


def text_problems(data, bom):
    problems = []
    if bom and not data.startswith(BOM):
        problems.append("no UTF-8 byte-order mark")
    if not bom and data.startswith(BOM):
        problems.append("a byte-order mark")
    try:
        data.decode("utf-8")
    except UnicodeDecodeError as error:
        problems.append(f"not UTF-8 ({error})")
    if b"\r\n" not in data:
        problems.append("no CR LF line end")
    if re.search(rb"\r(?!\n)|(?<!\r)\n", data):
        problems.append("a CR or LF that is not a CR LF pair")
    if not data.endswith(b"\r\n"):
        problems.append("no line end after the last line")
    return problems


def check(zip_path, out_dir):
    results = []
    match = NAME.match(os.path.basename(zip_path))
    results.append((match is not None, f"file name {os.path.basename(zip_path)} is kestrune-<version>-win64.zip"))
    if not match:
        return results, None
    version = match.group(1)
    folder = f"kestrune-{version}-win64"
    expected = {f"{folder}/kestrune.exe", f"{folder}/README-ja.txt", f"{folder}/README-en.txt",
                f"{folder}/LICENSE.txt"}
    with zipfile.ZipFile(zip_path) as archive:
        names = {n for n in archive.namelist() if not n.endswith("/")}
        results.append((names == expected, f"holds exactly {sorted(expected)} (holds {sorted(names)})"))
        shutil.rmtree(out_dir, ignore_errors=True)
        archive.extractall(out_dir)
    root = os.path.join(out_dir, folder)
    exe = os.path.join(root, "kestrune.exe")
    with open(exe, "rb") as f:
        head = f.read(2)
    results.append((head == b"MZ" and os.path.getsize(exe) > 100_000, "kestrune.exe is a Windows program"))
    for name, bom in (("README-ja.txt", True), ("README-en.txt", True), ("LICENSE.txt", False)):
        path = os.path.join(root, name)
        data = open(path, "rb").read() if os.path.isfile(path) else b""
        problems = text_problems(data, bom) if data else ["missing or empty"]
        results.append((not problems, f"{name}: UTF-8{' with BOM' if bom else ''}, CR LF" +
                        (f" (has {', '.join(problems)})" if problems else "")))
    guide = open(os.path.join(root, "README-ja.txt"), "rb").read().decode("utf-8", "replace")
    results.append(("加速" in guide and "リアルタイム" in guide and "![" not in guide,
                    "README-ja.txt is the Japanese guide without Markdown pictures"))
    english_path = os.path.join(root, "README-en.txt")
    english = open(english_path, "rb").read() if os.path.isfile(english_path) else b""
    english_text = english[len(BOM):].decode("ascii", "replace")
    results.append((re.fullmatch(rb"[\x20-\x7e\r\n]*", english[len(BOM):]) is not None and
                    "acceleration" in english_text and "Realtime" in english_text and "![" not in english_text,
                    "README-en.txt is the English guide in printable ASCII without Markdown pictures"))
    for name in ("README-ja.txt", "README-en.txt"):
        path = os.path.join(root, name)
        text = open(path, "rb").read().decode("utf-8-sig", "replace") if os.path.isfile(path) else ""
        wide = wide_lines(text)
        results.append((text != "" and not wide, f"{name}: every line at most {COLUMNS} columns" +
                        (f" (wider: {', '.join(wide[:5])})" if wide else "")))
    return results, version


def main():
    if len(sys.argv) != 3:
        print("usage: check_package.py ZIP OUT_DIR", file=sys.stderr)
        return 2
    results, version = check(sys.argv[1], sys.argv[2])
    for passed, what in results:
        print(("ok: " if passed else "FAIL: ") + what)
    if version:
        print(f"version: {version}")
    return 0 if all(passed for passed, _ in results) else 1


if __name__ == "__main__":
    sys.exit(main())
