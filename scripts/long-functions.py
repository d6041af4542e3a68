#!/usr/bin/env python3
"""Lists the functions of C++ sources that are longer than a limit, longest first.

    python3 scripts/long-functions.py [--limit 100] [--top N] [FOLDER_OR_FILE ...]

A function's length is the number of lines holding code from the line of its opening brace to the
line of its closing brace (blank lines and lines holding only a comment are not counted). A lambda counts twice: as lines of the function it is written in (a function made
of lambdas is as long as all of them), and as a function of its own (a table of lambdas at
namespace scope is no way around the limit). Comments, string literals and preprocessor lines are
blanked before the braces are read, so a brace inside them counts for nothing.

With folders, their .cpp, .h and .mm files are read (a folder named tests is skipped). Prints one
line a function, "LINES  FILE:LINE  NAME"; exits with 1 when any is over the limit (with --top,
the N longest are printed whatever their length, and the exit status still follows the limit).
"""

import argparse
import os
import re
import sys

DEFAULT_FOLDERS = ["platform", "device", "tweak", "ovrimoprefs", "zarnekprefs", "sim"]
SOURCE_SUFFIXES = (".cpp", ".h", ".mm")
IDENTIFIER = re.compile(r"[A-Za-z_]\w*")
KEYWORDS_BEFORE_PAREN = {"if", "for", "while", "switch", "catch", "return", "sizeof", "decltype", "alignof", "noexcept"}


def blank(text, start, end):
    """The text with [start, end) turned into spaces, newlines kept so line numbers hold."""
    return text[:start] + re.sub(r"[^\n]", " ", text[start:end]) + text[end:]


def strip_code(text):
    """Comments, string and character literals and preprocessor lines blanked; line numbers kept."""
    out = []
    i = 0
    n = len(text)
    at_line_start = True
    while i < n:
        c = text[i]
        if at_line_start and c == "#":
            # A preprocessor line, with its continuations.
            j = i
            while j < n and text[j] != "\n":
                if text[j] == "\\" and j + 1 < n and text[j + 1] == "\n":
                    out.append(" \n")
                    j += 2
                    continue
                out.append(" ")
                j += 1
            i = j
            continue
        if c == "\n":
            at_line_start = True
            out.append(c)
            i += 1
            continue
        if c in " \t\r":
            out.append(c)
            i += 1
            continue
        at_line_start = False
        if text.startswith("//", i):
            j = text.find("\n", i)
            j = n if j < 0 else j
            out.append(" " * (j - i))
            i = j
            continue
        if text.startswith("/*", i):
            j = text.find("*/", i + 2)
            j = n if j < 0 else j + 2
            out.append(re.sub(r"[^\n]", " ", text[i:j]))
            i = j
            continue
        raw = re.match(r'(?:u8|u|U|L)?R"([^ ()\\\t\n]{0,16})\(', text[i:i + 40])
        if raw and (i == 0 or not (text[i - 1].isalnum() or text[i - 1] == "_")):
            closing = ")" + raw.group(1) + '"'
            j = text.find(closing, i + raw.end())
            j = n if j < 0 else j + len(closing)
            out.append(re.sub(r"[^\n]", " ", text[i:j]))
            i = j
            continue
        if c == '"' or (c == "'" and not (i > 0 and text[i - 1].isalnum())):
            # A literal; a quote after a digit is a digit separator (1'000), not a character.
            j = i + 1
            while j < n and text[j] != c and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            j = min(j + 1, n)
            out.append(c + " " * (j - i - 2) + c if j - i >= 2 else " " * (j - i))
            i = j
            continue
        out.append(c)
        i += 1
    return "".join(out)


def match_braces(code):
    """Opening brace position -> closing brace position."""
    pairs = {}
    stack = []
    for i, c in enumerate(code):
        if c == "{":
            stack.append(i)
        elif c == "}" and stack:
            pairs[stack.pop()] = i
    return pairs


def drop_template_prefix(header):
    """The header without leading `template <...>` clauses."""
    while True:
        m = re.match(r"\s*template\s*<", header)
        if not m:
            return header
        depth = 1
        i = m.end()
        while i < len(header) and depth:
            depth += {"<": 1, ">": -1}.get(header[i], 0)
            i += 1
        header = header[i:]


def top_level_paren(header):
    """Position of the first '(' outside parentheses and angle brackets, or -1."""
    angle = 0
    for i, c in enumerate(header):
        if c == "<" and not header[max(0, i - 8):i].rstrip().endswith("operator"):
            angle += 1
        elif c == ">" and angle and header[i - 1] != "-":
            angle -= 1
        elif c == "(" and angle == 0:
            if re.search(r"\boperator\s*$", header[:i]) and header[i + 1:i + 2] == ")":
                return top_level_paren_after(header, i + 2)
            if re.search(r"\b(decltype|alignas|__attribute__|__declspec)\s*$", header[:i]):
                depth = 0
                for j in range(i, len(header)):
                    depth += {"(": 1, ")": -1}.get(header[j], 0)
                    if depth == 0:
                        break
                return top_level_paren_after(header, j + 1)
            return i
    return -1


def top_level_paren_after(header, start):
    found = top_level_paren(header[start:])
    return -1 if found < 0 else start + found


def has_top_level_assignment(header):
    """Whether the header is `... = ` an initializer (not a default argument or operator=)."""
    depth = 0
    for i, c in enumerate(header):
        if c in "([":
            depth += 1
        elif c in ")]":
            depth -= 1
        elif c == "=" and depth == 0:
            before = header[max(0, i - 9):i]
            after = header[i + 1:i + 2]
            if before.rstrip().endswith("operator") or after == "=" or (before and before[-1] in "<>!=+-*/%&|^"):
                continue
            return True
    return False


def declaration(header):
    """The header without template clauses, access labels and a leading macro call (OBJC_CLASS(X))."""
    h = re.sub(r"^.*\b(public|private|protected)\s*:(?!:)", "", drop_template_prefix(header), flags=re.S)
    h = re.sub(r"^\s*[A-Z_][A-Z0-9_]*\s*\([^()]*\)\s*(?=\w)", "", h)
    return drop_template_prefix(h).strip()


def after_parameters(h):
    """What follows the parameter list of a declaration (empty when it has none)."""
    paren = top_level_paren(h)
    if paren < 0:
        return ""
    depth = 0
    for i in range(paren, len(h)):
        depth += {"(": 1, ")": -1}.get(h[i], 0)
        if depth == 0:
            return h[i + 1:]
    return ""


def classify(header):
    """What a brace at namespace or class scope opens: 'scope', 'function', 'member-init' or 'other'."""
    h = declaration(header)
    if re.match(r"(inline\s+)?namespace\b", h) or re.match(r"extern\s*(\"\s*\")?\s*$", h):
        return "scope"
    keyword = re.search(r"\b(class|struct|union|enum)\b", h)
    if keyword and top_level_paren(h[keyword.end():]) < 0 and not has_top_level_assignment(h):
        return "scope"
    if has_top_level_assignment(h):
        return "other"
    if top_level_paren(h) < 0:
        return "other"
    # In a constructor's initializer list a brace after a member's name initializes the member;
    # the body's brace follows a closing parenthesis or brace.
    if re.match(r"\s*:(?!:)", after_parameters(h)) and re.search(r"[\w>]$", h):
        return "member-init"
    return "function"


def function_name(header):
    h = declaration(header)
    paren = top_level_paren(h)
    m = re.search(r"((?:[\w~]+(?:<[^()]*?>)?::)*(?:operator\s*(?:\(\)|[^\s(]+)|~?\w+))\s*$", h[:paren])
    return m.group(1) if m else h[:paren].split()[-1] if h[:paren].split() else "?"


def lambda_start(code, brace):
    """Whether the brace at `brace` opens a lambda's body."""
    i = brace - 1
    window = code[max(0, brace - 400):brace]
    # Trailing specifiers: mutable, noexcept, constexpr, a return type.
    window = re.sub(r"(\s*->\s*[\w:<>,\s\*&]+?)?\s*$", "", window, count=1) if "->" in window[-120:] else window.rstrip()
    window = re.sub(r"(\s*\b(mutable|constexpr|noexcept)\b)*\s*$", "", window)
    if window.endswith(")"):
        depth = 0
        for j in range(len(window) - 1, -1, -1):
            depth += {")": 1, "(": -1}.get(window[j], 0)
            if depth == 0:
                window = window[:j].rstrip()
                break
        else:
            return False
    if not window.endswith("]"):
        return False
    depth = 0
    for j in range(len(window) - 1, -1, -1):
        depth += {"]": 1, "[": -1}.get(window[j], 0)
        if depth == 0:
            before = window[:j].rstrip()
            if before.endswith("["):
                return False  # an attribute [[...]]
            word = re.search(r"(\w+)$", before)
            if word and word.group(1) != "return":
                return False  # an array or a subscript
            return not before.endswith((")", "]"))
    return False


class Scanner:
    def __init__(self, path, text):
        self.path = path
        self.code = strip_code(text)
        self.pairs = match_braces(self.code)
        self.found = []  # (lines, line, name)

    def line_of(self, pos):
        return self.code.count("\n", 0, pos) + 1

    def record(self, open_pos, name):
        close = self.pairs[open_pos]
        first = self.line_of(open_pos)
        lines = self.code[self.code.rfind("\n", 0, open_pos) + 1:close + 1].split("\n")
        self.found.append((sum(1 for line in lines if line.strip()), first, name))

    def scan_code(self, start, end, owner):
        """Records the lambdas inside [start, end)."""
        for pos in range(start, end):
            if self.code[pos] == "{" and pos in self.pairs and lambda_start(self.code, pos):
                self.record(pos, "lambda in " + owner)

    def scan_scope(self, start, end, owner=""):
        header_start = start
        pos = start
        while pos < end:
            c = self.code[pos]
            if c in ";}":
                header_start = pos + 1
            elif c == "{" and pos in self.pairs:
                close = self.pairs[pos]
                header = self.code[header_start:pos]
                kind = classify(header)
                if kind == "member-init":
                    self.scan_code(pos, close, owner or "a constructor")
                    pos = close + 1
                    continue
                if kind == "scope":
                    # Members are named after their class; namespaces add nothing to a name.
                    m = re.search(r"\b(?:class|struct|union)\s+(?:\[\[[^\]]*\]\]\s*)?(\w+)", declaration(header))
                    self.scan_scope(pos + 1, close, m.group(1) if m else owner)
                elif kind == "function":
                    name = function_name(header)
                    if owner and "::" not in name:
                        name = owner + "::" + name
                    self.record(pos, name)
                    self.scan_code(pos + 1, close, name)
                else:
                    self.scan_code(pos, close, owner or "namespace scope")
                pos = close + 1
                header_start = pos
                continue
            pos += 1

    def scan(self):
        self.scan_scope(0, len(self.code))
        return [(lines, "%s:%d" % (self.path, line), name) for lines, line, name in self.found]


def source_files(paths):
    for path in paths:
        if os.path.isfile(path):
            yield path
            continue
        for folder, subfolders, files in os.walk(path):
            subfolders[:] = sorted(d for d in subfolders if d != "tests")
            for name in sorted(files):
                if name.endswith(SOURCE_SUFFIXES):
                    yield os.path.join(folder, name)


def functions_of(path):
    with open(path, encoding="utf-8", errors="replace") as f:
        return Scanner(path, f.read()).scan()


def main(argv):
    parser = argparse.ArgumentParser(description="Lists C++ functions longer than a limit, longest first.")
    parser.add_argument("paths", nargs="*", help="folders or files (default: the system's and the simulator's folders)")
    parser.add_argument("--limit", type=int, default=100, help="the most lines a function may have (default 100)")
    parser.add_argument("--top", type=int, default=0, help="print the N longest functions whatever their length")
    args = parser.parse_args(argv)
    paths = args.paths or [p for p in DEFAULT_FOLDERS if os.path.exists(p)]
    found = []
    for path in source_files(paths):
        found.extend(functions_of(path))
    found.sort(key=lambda f: (-f[0], f[1]))
    over = [f for f in found if f[0] > args.limit]
    shown = found[:args.top] if args.top else over
    for lines, where, name in shown:
        print("%5d  %s  %s" % (lines, where, name))
    if over:
        print("%d function(s) over %d lines" % (len(over), args.limit), file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
