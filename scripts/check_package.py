#!/usr/bin/env python3
"""check_package.py ZIP OUT_DIR: unpacks the release package into OUT_DIR and checks what it holds.

The zip's name is kestrune-<version>-win64.zip; it holds one folder of that name with exactly
kestrune.exe, README-ja.txt, README-en.txt and LICENSE.txt. The texts open by double-click on any
Windows: UTF-8 (the guides with the byte-order mark), CR LF line ends and no lone CR or LF; the
English guide, besides its byte-order mark, is printable ASCII, which every code page shows alike.
The guides' lines are at most 78 columns wide (a Japanese character takes two), so that Notepad
without word wrap shows them whole.
kestrune.exe is at most 1,000,000 bytes and imports only Windows' known DLLs, which Windows always
takes from System32 (any other DLL would first be looked for in the folder the program was unpacked
to, where anything may lie); it asks for ASLR (DYNAMIC_BASE with its relocations, HIGH_ENTROPY_VA) and DEP (NX_COMPAT); and a
load configuration, where the linker wrote one, narrows the search for its imports to System32
(DependentLoadFlags 0x800).
Prints one line per check ("ok: ..." or "FAIL: ...") and the version on the last line as
"version: X.Y.Z"; exits 1 when a check failed.
"""
import os
import re
import shutil
import struct
import sys
import unicodedata
import zipfile

NAME = re.compile(r"^kestrune-(\d+\.\d+\.\d+)-win64\.zip$")
BOM = b"\xef\xbb\xbf"
COLUMNS = 78


# Windows' known DLLs (the KnownDLLs key of Windows 10 and 11, without the WOW64 and driver-setup
# entries) and ntdll, which every process has mapped from System32 before anything else.
KNOWN_DLLS = {
    "advapi32.dll", "clbcatq.dll", "combase.dll", "comdlg32.dll", "coml2.dll", "gdi32.dll", "imagehlp.dll",
    "imm32.dll", "kernel32.dll", "msctf.dll", "msvcrt.dll", "normaliz.dll", "nsi.dll", "ntdll.dll", "ole32.dll",
    "oleaut32.dll", "psapi.dll", "rpcrt4.dll", "sechost.dll", "setupapi.dll", "shcore.dll", "shell32.dll",
    "shlwapi.dll", "user32.dll", "wldap32.dll", "ws2_32.dll",
}
LOAD_LIBRARY_SEARCH_SYSTEM32 = 0x800
MOST_EXE_BYTES = 1_000_000
HIGH_ENTROPY_VA, DYNAMIC_BASE, NX_COMPAT = 0x20, 0x40, 0x100
RELOCS_STRIPPED = 0x1


class PeImage:
    """What a 64-bit PE file says of its imports, its security flags and its load configuration."""

    def __init__(self, data):
        self.data = data
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[:2] != b"MZ" or data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("not a PE file")
        sections, optional_size, self.characteristics = struct.unpack_from("<2xH12xHH", data, pe + 4)
        optional = pe + 24
        if struct.unpack_from("<H", data, optional)[0] != 0x20B:
            raise ValueError("not a 64-bit image")
        self.dll_characteristics = struct.unpack_from("<H", data, optional + 70)[0]
        count = struct.unpack_from("<I", data, optional + 108)[0]
        self.directories = [struct.unpack_from("<II", data, optional + 112 + 8 * i) for i in range(count)]
        table = optional + optional_size
        self.sections = [struct.unpack_from("<8xIIII", data, table + 40 * i) for i in range(sections)]

    def offset(self, rva):
        for size, address, raw_size, raw in self.sections:
            if address <= rva < address + max(size, raw_size):
                return raw + rva - address
        raise ValueError(f"RVA {rva:#x} lies in no section")

    def directory(self, index):
        return self.directories[index] if index < len(self.directories) else (0, 0)

    def name_at(self, rva):
        start = self.offset(rva)
        return self.data[start:self.data.index(b"\0", start)].decode("ascii")

    def imported_dlls(self):
        """Every DLL named by the import and the delay-import tables."""
        names = []
        for index, entry_size, name_field in ((1, 20, 12), (13, 32, 4)):
            rva, _ = self.directory(index)
            if rva == 0:
                continue
            entry = self.offset(rva)
            while any(self.data[entry:entry + entry_size]):
                names.append(self.name_at(struct.unpack_from("<I", self.data, entry + name_field)[0]))
                entry += entry_size
        return names

    def dependent_load_flags(self):
        """The load configuration's DependentLoadFlags (0 in one too old to hold them); None without one."""
        rva, size = self.directory(10)
        if rva == 0 or size == 0:
            return None
        start = self.offset(rva)
        if struct.unpack_from("<I", self.data, start)[0] < 80:
            return 0
        return struct.unpack_from("<H", self.data, start + 78)[0]


def exe_results(data):
    """The checks of kestrune.exe's own header, each as (passed, what)."""
    try:
        image = PeImage(data)
        dlls = image.imported_dlls()
    except (ValueError, struct.error) as error:
        return [(False, f"kestrune.exe is a 64-bit PE image ({error})")]
    others = sorted(name for name in dlls if name.lower() not in KNOWN_DLLS)
    flags = image.dll_characteristics
    relocatable = not image.characteristics & RELOCS_STRIPPED and image.directory(5)[0] != 0
    aslr = relocatable and flags & DYNAMIC_BASE and flags & HIGH_ENTROPY_VA
    load_flags = image.dependent_load_flags()
    return [
        (not others, f"kestrune.exe imports only known DLLs ({', '.join(sorted(dlls))})" +
         (f" (others: {', '.join(others)})" if others else "")),
        (bool(aslr), "kestrune.exe asks for ASLR (DYNAMIC_BASE with relocations, HIGH_ENTROPY_VA)"),
        (bool(flags & NX_COMPAT), "kestrune.exe asks for DEP (NX_COMPAT)"),
        (load_flags in (None, LOAD_LIBRARY_SEARCH_SYSTEM32),
         "kestrune.exe's load configuration: " + ("none written" if load_flags is None else
                                                   f"DependentLoadFlags {load_flags:#x}, wanted 0x800")),
    ]


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
    results.append((os.path.getsize(exe) <= MOST_EXE_BYTES,
                    f"kestrune.exe is at most {MOST_EXE_BYTES:,} bytes ({os.path.getsize(exe):,})"))
    with open(exe, "rb") as f:
        results.extend(exe_results(f.read()))
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
