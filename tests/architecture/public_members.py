#!/usr/bin/env python3
"""Prints the public member functions of one class as its header declares them, one a line.

Usage: public_members.py HEADER CLASS. Comments and string literals are dropped, inline bodies
are skipped, and each declaration that takes parameters counts once; deleted ones do not count.
"""
import re
import sys


def strip(text):
    text = re.sub(r"//[^\n]*", "", text)
    text = re.sub(r"/\*.*?\*/", "", text, flags=re.S)
    return re.sub(r'"(?:\\.|[^"\\])*"', '""', text)


def class_body(text, name):
    match = re.search(r"\b(?:class|struct)\s+" + re.escape(name) + r"\b[^;{]*\{", text)
    if not match:
        sys.exit(f"public_members: no class {name}")
    depth, start = 1, match.end()
    for i in range(start, len(text)):
        depth += {"{": 1, "}": -1}.get(text[i], 0)
        if depth == 0:
            return text[start:i], match.group(0).lstrip().startswith("struct")
    sys.exit(f"public_members: class {name} does not close")


def declarations(body, public):
    """Yields (access, declaration) for each member at the class's own level."""
    access = "public" if public else "private"
    current, depth, i = "", 0, 0
    while i < len(body):
        ch = body[i]
        if depth == 0:
            label = re.match(r"\s*(public|protected|private)\s*:(?!:)", body[i:])
            if label and not current.strip():
                access = label.group(1)
                i += label.end()
                continue
        if ch == "{":
            if depth == 0 and "(" not in current and re.search(r"\b(class|struct|enum|union)\b", current):
                current += "{}"  # a nested type: kept whole, never a function
            depth += 1
        elif ch == "}":
            depth -= 1
            if depth == 0 and "(" in current and not re.search(r"=\s*$", current):
                yield access, current.strip()  # an inline body ends the declaration
                current = ""
        elif ch == ";" and depth == 0:
            yield access, current.strip()
            current = ""
        elif depth == 0:
            current += ch
        i += 1


def is_function(decl):
    if re.search(r"=\s*delete\s*$", decl) or re.match(r"(using|friend|typedef)\b", decl):
        return False
    if re.search(r"\b(class|struct|enum|union)\b", decl) and "{}" in decl:
        return False
    head = decl.split("=")[0] if "(" not in decl.split("=")[0] else decl
    return "(" in head and not re.match(r"(static\s+)?constexpr\s+\w+\s+\w+\s*=", decl)


def main():
    header, name = sys.argv[1], sys.argv[2]
    with open(header, encoding="utf-8") as f:
        body, is_struct = class_body(strip(f.read()), name)
    for access, decl in declarations(body, is_struct):
        if access == "public" and is_function(decl):
            print(" ".join(decl.split()))


if __name__ == "__main__":
    main()
