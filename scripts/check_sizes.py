#!/usr/bin/env python3
"""Fails on a file of src/ over 400 lines or a function over 80 lines.

Tables of data do not count: an initialiser list at namespace scope is left out of a file's count,
and a function whose body is mostly data (fewer statements than a quarter of its lines) is not
measured. Prints every offender with its place and size and exits 1.
"""
import os
import re
import sys

FILE_MAX, FUNCTION_MAX = 400, 80
FUNCTION_HEAD = re.compile(r"\)\s*(?:const|noexcept|override|final|mutable|->\s*[\w:<>,\s*&]+|\s)*$")
CONTROL_HEAD = re.compile(r"\b(?:if|for|while|switch|catch)\s*\(")


def code_of(text):
    """The text with comments, string and character literals blanked, newlines kept."""
    out, i, n = [], 0, len(text)
    while i < n:
        c = text[i]
        if text.startswith("//", i):
            j = text.find("\n", i)
            i = n if j < 0 else j
        elif text.startswith("/*", i):
            j = text.find("*/", i + 2)
            j = n if j < 0 else j + 2
            out.append("\n" * text.count("\n", i, j))
            i = j
        elif c in "\"'":
            raw = c == '"' and re.search(r'R$', text[max(0, i - 3):i]) is not None
            if raw:
                m = re.match(r'"([^(]*)\(', text[i:])
                end = text.find(")" + m.group(1) + '"', i) if m else -1
                j = n if end < 0 else end + len(m.group(1)) + 2
            else:
                j = i + 1
                while j < n and text[j] != c:
                    j += 2 if text[j] == "\\" else 1
                j += 1
            out.append(c + "\n" * text.count("\n", i, j) + c)
            i = j
        else:
            out.append(c)
            i += 1
    return "".join(out)


def measure(path):
    code = code_of(open(path, encoding="utf-8", errors="replace").read())
    lines = code.split("\n")
    # Block stack: (kind, start line, semicolons at start); kind is "function", "table" or "block".
    stack, head, semicolons, table_lines, functions = [], "", 0, 0, []
    line_no = 1
    for ch in code:
        if ch == "\n":
            line_no += 1
            head += " "
            continue
        if ch == "{":
            inside_function = any(kind == "function" for kind, _, _ in stack)
            stripped = head.strip()
            if not inside_function and FUNCTION_HEAD.search(stripped) and not CONTROL_HEAD.search(stripped):
                kind = "function"
            elif not inside_function and re.search(r"=\s*$", stripped) and all(k != "table" for k, _, _ in stack):
                kind = "table"
            else:
                kind = "block"
            stack.append((kind, line_no, semicolons))
            head = ""
        elif ch == "}":
            if stack:
                kind, start, semis = stack.pop()
                length = line_no - start + 1
                if kind == "function" and length > FUNCTION_MAX and (semicolons - semis) * 4 >= length:
                    functions.append((start, length, lines[start - 1].strip()[:70]))
                elif kind == "table":
                    table_lines += length
            head = ""
        elif ch == ";":
            semicolons += 1
            head = ""
        else:
            head += ch
    code_lines = len(lines) - table_lines
    return code_lines, functions


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    offenders = []
    for directory, _, names in os.walk(os.path.join(root, "src")):
        for name in sorted(names):
            if not name.endswith((".h", ".cpp")):
                continue
            path = os.path.join(directory, name)
            where = os.path.relpath(path, root)
            code_lines, functions = measure(path)
            if code_lines > FILE_MAX:
                offenders.append(f"{where}: {code_lines} lines (at most {FILE_MAX})")
            for start, length, head in functions:
                offenders.append(f"{where}:{start}: function of {length} lines (at most {FUNCTION_MAX}): {head}")
    for line in offenders:
        print(line)
    if offenders:
        print(f"size check: {len(offenders)} file(s) or function(s) too large")
        return 1
    print(f"size check: no file over {FILE_MAX} lines, no function over {FUNCTION_MAX} lines")
    return 0


if __name__ == "__main__":
    sys.exit(main())
