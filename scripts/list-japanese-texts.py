#!/usr/bin/env python3
"""Lists the Japanese string literals of the program's C++ sources.

Run once, before the texts moved into texts/Texts.cpp, to record what a
Japanese user saw; tests/texts/japanese-texts.txt is its output, and the
texts test checks that every line is still part of a Japanese text of the
table. Comments are skipped, adjacent literals are joined as the compiler
joins them, escapes are decoded, and the line feeds at either end of a
literal (glue between composed pieces) are dropped. A line feed inside a
text is written as \\n, a backslash as \\\\.

    scripts/list-japanese-texts.py [root] > tests/texts/japanese-texts.txt
"""
import os
import re
import sys

FOLDERS = ("core", "settings", "ui")

# Literals that are not texts shown to the user: the face of the windows'
# font and the full-width digits a sequence number is written in.
NOT_TEXTS = {"ＭＳ Ｐゴシック"}
NOT_TEXT_FILES = {os.path.join("core", "SequenceNumber.cpp"): lambda text: len(text) == 1}

ESCAPES = {"n": "\n", "t": "\t", "\\": "\\", '"': '"', "'": "'", "0": "\0", "r": "\r"}


def literals(source):
    """Yields (line, text) for each string literal outside comments, with
    adjacent literals joined."""
    i, line, n = 0, 1, len(source)
    pending, pending_line = None, 0
    while i < n:
        c = source[i]
        if source.startswith("//", i):
            end = source.find("\n", i)
            i = n if end < 0 else end
            continue
        if source.startswith("/*", i):
            end = source.find("*/", i + 2)
            end = n if end < 0 else end + 2
            line += source.count("\n", i, end)
            i = end
            continue
        if c == "'":
            j = i + 1
            while j < n and source[j] != "'":
                j += 2 if source[j] == "\\" else 1
            i = j + 1
            continue
        if c == '"':
            j, text = i + 1, []
            while source[j] != '"':
                if source[j] == "\\":
                    text.append(ESCAPES.get(source[j + 1], source[j + 1]))
                    j += 2
                else:
                    text.append(source[j])
                    j += 1
            if pending is None:
                pending, pending_line = "", line
            pending += "".join(text)
            i = j + 1
            continue
        if c == "\n":
            line += 1
        if not c.isspace() and pending is not None:
            yield pending_line, pending
            pending = None
        i += 1
    if pending is not None:
        yield pending_line, pending


def escaped(text):
    return text.replace("\\", "\\\\").replace("\n", "\\n")


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..")
    seen = set()
    for folder in FOLDERS:
        for directory, _, files in sorted(os.walk(os.path.join(root, folder))):
            for name in sorted(files):
                if not name.endswith((".cpp", ".h")):
                    continue
                path = os.path.join(directory, name)
                relative = os.path.relpath(path, root)
                with open(path, encoding="utf-8") as f:
                    source = f.read()
                skip = NOT_TEXT_FILES.get(relative, lambda text: False)
                found = []
                for _, text in literals(source):
                    text = text.strip("\n")
                    if text.isascii() or text in NOT_TEXTS or skip(text) or text in seen:
                        continue
                    seen.add(text)
                    found.append(text)
                if found:
                    print("# " + relative.replace(os.sep, "/"))
                    for text in found:
                        print(escaped(text))


if __name__ == "__main__":
    main()
