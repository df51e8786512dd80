#!/usr/bin/env python3
"""find-text.py TEXT...: every place in the tracked files where one of the TEXTs is written, in
whatever spelling: plain UTF-8, or with its letters escaped as C, C++, Python and shell write them
(\\u00ed, \\U000000ed, \\xC3\\xAD, octal \\303\\255), as the manual page writes them (\\[u00ED],
\\- for -), as HTML writes them (&#xED; &#237;), with a C string split in two ("Conclu" "ído")
and with a blank that became a line break. Prints FILE:LINE: and the line where each starts;
exits 1 when there is none. `make find-text TEXT="..."` runs it."""
import re
import subprocess
import sys


def hex_digits(number, width):
    # An escape's hex digits may be written in either case; the text's own letters may not.
    return "".join("[%s%s]" % (d, d.upper()) if d.isalpha() else d for d in "%0*x" % (width, number))


def char_pattern(c):
    if c.isspace():
        return r"\s+"
    if c == "-":
        return r"\\?-"
    if ord(c) < 0x80:
        return re.escape(c)
    code, data = ord(c), c.encode("utf-8")
    spellings = [
        re.escape(c),
        r"\\U" + hex_digits(code, 8),
        "".join(r"\\x" + hex_digits(b, 2) for b in data),
        "".join(r"\\%03o" % b for b in data),
        r"\\\[u" + hex_digits(code, 4) + r"\]",
        r"&#x0*" + hex_digits(code, 1) + ";",
        r"&#0*%d;" % code,
    ]
    if code <= 0xFFFF:
        spellings.append(r"\\u" + hex_digits(code, 4))
    return "(?:" + "|".join(spellings) + ")"


def text_pattern(text):
    # Between two letters: nothing, the end and start of two C string pieces, or a
    # backslash-newline.
    joint = r'(?:"\s*"|\\\n)?'
    return re.compile(joint.join(char_pattern(c) for c in text))


def main():
    texts = sys.argv[1:]
    if not texts or any(not t for t in texts):
        sys.exit("usage: find-text.py TEXT...   (make find-text TEXT=\"...\")")
    files = subprocess.run(["git", "ls-files", "-z"], capture_output=True, check=False)
    if files.returncode != 0 or not files.stdout:
        sys.exit("find-text: git cannot list the files here: " + files.stderr.decode(errors="replace").strip())
    patterns = [text_pattern(t) for t in texts]
    found = 0
    for name in files.stdout.decode().split("\0"):
        try:
            with open(name, "rb") as f:
                data = f.read()
        except OSError:
            continue
        if b"\0" in data:
            continue  # a binary file
        content = data.decode("utf-8", errors="replace")
        for pattern in patterns:
            for match in pattern.finditer(content):
                line = content.count("\n", 0, match.start()) + 1
                shown = content.splitlines()[line - 1].strip()
                print("%s:%d: %s" % (name, line, shown))
                found += 1
    sys.exit(0 if found else 1)


if __name__ == "__main__":
    main()
