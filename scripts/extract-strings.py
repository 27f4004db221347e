#!/usr/bin/env python3
"""Mine numbered message texts from a Markdown reference text.

Usage: extract-strings.py REFERENCE.md [--cpp]

Finds string ids (4xxxx and 6xxxx) that stand next to a double-quoted text:
    42001 "..."        40014: "..."       | 42002 | "..." |
    "..." (42035)      "..." (string 40100)
and prints one row per id with every distinct text seen and the lines where it was seen.
Rows with more than one text are flagged CONFLICT. With --cpp the rows are printed as
initialisers for the string table (first text of each id; conflicts must be settled by hand).

A backslash-n inside a quoted text stands for a line feed, a backslash-t for a tab. Model names
given unquoted next to their id (a table cell before an id cell, or "(NAME, string ID)") are mined too.
"""

import re
import sys
from collections import OrderedDict

ID = r"(?:4[0-3]\d{3}|6\d{4})"
QUOTED = re.compile(r'"([^"]*)"')
# id, optional colon / table bar, then the quoted text
FOLLOWING = re.compile(r"(?<![\d.x])(" + ID + r")(?![\d])\s*(?::|\|)?\s*\"([^\"]*)\"")
# quoted text, then "(id" or "(string id"
PRECEDING = re.compile(r"\"([^\"]*)\"\s*\((?:string |text )?(" + ID + r")(?![\d])[),]")
# unquoted names: a table cell just before an id cell ("| QX-780 | 40103 |") or "(QX-950A, string 43002)"
NAMED_CELL = re.compile(r"\|\s*([A-Za-z][A-Za-z0-9-]*)\s*\|\s*(" + ID + r")\s*\|")
NAMED_PAREN = re.compile(r"\(([A-Za-z][A-Za-z0-9-]*), (?:string )?(" + ID + r")\)")


def quoted_spans(line):
    return [m.span() for m in QUOTED.finditer(line)]


def inside(pos, spans):
    return any(a <= pos < b for a, b in spans)


def mine(lines):
    found = OrderedDict()  # id -> OrderedDict(text -> [line numbers])

    def add(sid, text, lineno):
        text = text.replace("\\n", "\n").replace("\\t", "\t")
        found.setdefault(int(sid), OrderedDict()).setdefault(text, []).append(lineno)

    for lineno, line in enumerate(lines, 1):
        spans = quoted_spans(line)
        taken = set()
        for m in FOLLOWING.finditer(line):
            if inside(m.start(1), spans):
                continue
            add(m.group(1), m.group(2), lineno)
            taken.add(m.start(1))
        for m in PRECEDING.finditer(line):
            idpos = m.start(2)
            if inside(idpos, spans) or idpos in taken:
                continue
            add(m.group(2), m.group(1), lineno)
            taken.add(idpos)
        for pattern in (NAMED_CELL, NAMED_PAREN):
            for m in pattern.finditer(line):
                idpos = m.start(2)
                if inside(idpos, spans) or idpos in taken:
                    continue
                add(m.group(2), m.group(1), lineno)
    return found


def cpp_literal(text):
    out = []
    for ch in text:
        if ch == "\n":
            out.append("\\n")
        elif ch == "\t":
            out.append("\\t")
        elif ch in '"\\':
            out.append("\\" + ch)
        else:
            out.append(ch)
    return '"' + "".join(out) + '"'


def main(argv):
    if len(argv) < 2:
        print(__doc__, file=sys.stderr)
        return 2
    with open(argv[1], encoding="utf-8") as f:
        lines = f.read().splitlines()
    found = mine(lines)
    cpp = "--cpp" in argv
    for sid in sorted(found):
        texts = found[sid]
        if cpp:
            print("    {%d, %s}," % (sid, cpp_literal(next(iter(texts)))))
            continue
        flag = "CONFLICT " if len(texts) > 1 else ""
        for text, where in texts.items():
            print("%s%d\t%r\tlines %s" % (flag, sid, text, ",".join(map(str, where))))
    print("%d ids" % len(found), file=sys.stderr)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
