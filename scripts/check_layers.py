#!/usr/bin/env python3
"""Fails on any include in src/ that goes the wrong way through the layers.

The layers are the kestrune_module(name folder deps...) lines of CMakeLists.txt: a module's files
may include its own headers and those of the modules it names, never those of a module above it.
A win32/ folder inside a module may also use that module's Windows code, the Windows code of the
modules the module names, and the Windows platform code (src/platform/win32/). Portable code
includes no Windows header at all. Prints every offending include as file:line and exits 1.
"""
import os
import re
import sys

WINDOWS_HEADERS = {
    "windows.h", "windowsx.h", "winuser.h", "wingdi.h", "winbase.h", "winreg.h", "commctrl.h", "commdlg.h",
    "cderr.h", "shellapi.h", "shlobj.h", "shlwapi.h", "uxtheme.h", "vssym32.h", "objbase.h", "ole2.h",
    "olectl.h", "psapi.h", "tlhelp32.h", "winternl.h", "dwmapi.h", "mmsystem.h",
}
MODULE_LINE = re.compile(r"^\s*kestrune_module\(\s*([\w-]+)\s+(\S+)((?:\s+[\w-]+)*)\s*\)", re.M)
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def read_modules(root):
    with open(os.path.join(root, "CMakeLists.txt"), encoding="utf-8") as f:
        text = re.sub(r"#.*", "", f.read())
    modules = {}
    for name, folder, deps in MODULE_LINE.findall(text):
        modules[name] = (folder.rstrip("/"), deps.split())
    return modules


def place(path, folders):
    """(module, in_win32) of a path relative to the root, or (None, False) outside every module."""
    best = None
    for name, folder in folders.items():
        if (path + "/").startswith(folder + "/") and (best is None or len(folder) > len(folders[best])):
            best = name
    if best is None:
        return None, False
    rest = path[len(folders[best]) + 1:].split("/")
    return best, "win32" in rest[:-1]


def check(root):
    modules = read_modules(root)
    if "platform" not in modules:
        return ["CMakeLists.txt: no kestrune_module(platform ...) line"], 0, 0
    folders = {name: folder for name, (folder, _) in modules.items()}
    for name, (_, deps) in modules.items():
        for dep in deps:
            if dep not in modules:
                return [f"CMakeLists.txt: module {name} names unknown module {dep}"], 0, 0
    errors, files, includes = [], 0, 0
    for directory, _, names in os.walk(os.path.join(root, "src")):
        for file_name in sorted(names):
            if not file_name.endswith((".h", ".cpp")):
                continue
            path = os.path.relpath(os.path.join(directory, file_name), root).replace(os.sep, "/")
            module, win32 = place(path, folders)
            if module is None:
                errors.append(f"{path}: lies in no module of CMakeLists.txt")
                continue
            files += 1
            allowed = {module} | set(modules[module][1])
            with open(os.path.join(root, path), encoding="utf-8", errors="replace") as f:
                for number, line in enumerate(f, 1):
                    m = INCLUDE.match(line)
                    if not m:
                        continue
                    kind, target = m.groups()
                    where = f"{path}:{number}"
                    if kind == "<":
                        if not win32 and target.lower() in WINDOWS_HEADERS:
                            errors.append(f"{where}: portable code of {module} includes <{target}>")
                        continue
                    includes += 1
                    target_path = "src/" + target
                    if not os.path.isfile(os.path.join(root, target_path)):
                        errors.append(f'{where}: "{target}" is no file under src/')
                        continue
                    to_module, to_win32 = place(target_path, folders)
                    if to_module not in allowed:
                        errors.append(f'{where}: "{target}" belongs to {to_module}, which {module} may not use '
                                      f"(it may use: {' '.join(sorted(allowed))})")
                    elif to_win32 and not win32:
                        errors.append(f'{where}: portable code of {module} includes Windows code "{target}"')
    return errors, files, includes


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    errors, files, includes = check(root)
    for error in errors:
        print(error)
    if errors:
        print(f"include check: {len(errors)} include(s) against the layers")
        return 1
    print(f"include check: {files} files, {includes} includes, all down the layers")
    return 0


if __name__ == "__main__":
    sys.exit(main())
