#!/usr/bin/env python3
"""Copies C++ sources for the clang fuzz build with their string and character
literals already in code page 932.

The main build stores literals as Shift-JIS through -fexec-charset=CP932,
which clang does not have; compiled as they stand, "ゴミ箱" would be UTF-8
bytes in a fuzzer and the code would compare and cut other bytes than the
program does. Here every non-ASCII run inside an ordinary literal becomes the
CP932 bytes (converted by iconv, as GCC does) written as octal escapes (a raw
literal is closed around them), so the fuzzers run byte for byte the literals
of the program. Comments, u8/u/U/L literals and everything else are copied
unchanged. A `#line` keeps compiler
messages and sanitizer reports pointing at the original file.

usage: cp932_literals.py SOURCE_ROOT OUTPUT_ROOT FILE...   (FILE relative to SOURCE_ROOT)
"""
import os
import subprocess
import sys


class LiteralError(Exception):
    pass


def to_cp932(runs):
    """The CP932 bytes of each text in `runs`, in one iconv call."""
    if not runs:
        return []
    joined = "\n".join(runs).encode("utf-8")
    done = subprocess.run(["iconv", "-f", "UTF-8", "-t", "CP932"], input=joined,
                          capture_output=True)
    if done.returncode != 0:
        raise LiteralError("iconv cannot convert a literal: " + done.stderr.decode(errors="replace"))
    # 0x0A is never part of a double-byte character, so the split is exact.
    return done.stdout.split(b"\n")


def split_literals(text):
    """Pieces of `text`: (False, code) or (True, body of an ordinary literal)."""
    pieces = []
    i, n, start = 0, len(text), 0
    while i < n:
        c = text[i]
        if text.startswith("//", i):
            end = text.find("\n", i)
            i = n if end < 0 else end
        elif text.startswith("/*", i):
            end = text.find("*/", i + 2)
            i = n if end < 0 else end + 2
        elif c == '"' or c == "'":
            j = i
            while j > 0 and (text[j - 1].isalnum() or text[j - 1] == "_"):
                j -= 1
            prefix = text[j:i]
            if c == "'" and prefix not in ("", "u8", "u", "U", "L"):
                i += 1  # a digit separator such as 1'000
                continue
            if c == '"' and prefix.endswith("R"):
                close = text.find("(", i)
                delim = text[i + 1:close]
                end = text.find(")" + delim + '"', close)
                if close < 0 or end < 0:
                    raise LiteralError("unterminated raw string")
                if prefix == "R":
                    # Raw text has no escapes: each run closes the literal and
                    # follows as an escaped one, then the raw one goes on.
                    pieces.append((False, text[start:close + 1]))
                    pieces.append(("raw", (text[close + 1:end], delim)))
                    start = end
                i = end + len(delim) + 2
                continue
            k = i + 1
            while k < n and text[k] != c:
                if text[k] == "\\":
                    k += 1
                elif text[k] == "\n":
                    raise LiteralError("unterminated literal")
                k += 1
            if prefix == "":
                pieces.append((False, text[start:i + 1]))
                pieces.append((True, text[i + 1:k]))
                start = k
            i = k + 1
        else:
            i += 1
    pieces.append((False, text[start:]))
    return pieces


def convert(text):
    pieces = split_literals(text)
    runs = []
    for is_literal, body in pieces:
        if not is_literal:
            continue
        if is_literal == "raw":
            body = body[0]
        run = ""
        for ch in body:
            if ord(ch) > 127:
                run += ch
            elif run:
                runs.append(run)
                run = ""
        if run:
            runs.append(run)
    encoded = iter(to_cp932(runs))
    out = []
    for is_literal, body in pieces:
        if not is_literal:
            out.append(body)
            continue
        close, reopen = "", ""
        if is_literal == "raw":
            body, delim = body
            close, reopen = ')%s" "' % delim, '" R"%s(' % delim
        run_open = False
        for ch in body:
            if ord(ch) > 127:
                if not run_open:
                    # Octal escapes take at most three digits, so whatever
                    # follows (even a trail byte 0x5C) cannot join them.
                    escaped = "".join("\\%03o" % b for b in next(encoded))
                    out.append(close + escaped + reopen)
                    run_open = True
            else:
                run_open = False
                out.append(ch)
    return "".join(out)


def main(argv):
    if len(argv) < 3:
        sys.stderr.write(__doc__)
        return 2
    source_root, output_root = argv[1], argv[2]
    for name in argv[3:]:
        source = os.path.join(source_root, name)
        with open(source, encoding="utf-8") as f:
            text = f.read()
        try:
            quoted = os.path.abspath(source).replace("\\", "\\\\").replace('"', '\\"')
            converted = '#line 1 "%s"\n' % quoted + convert(text)
        except LiteralError as error:
            sys.stderr.write("%s: %s\n" % (source, error))
            return 1
        target = os.path.join(output_root, name)
        os.makedirs(os.path.dirname(target), exist_ok=True)
        old = None
        if os.path.exists(target):
            with open(target, encoding="utf-8") as f:
                old = f.read()
        if old != converted:  # untouched files keep their time, so nothing rebuilds
            with open(target, "w", encoding="utf-8") as f:
                f.write(converted)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
