#!/usr/bin/env python3
"""Writes large inputs (SIZE bytes) for one fuzz target: each seed repeated,
and runs of the tokens its reader treats specially after the start of the
first seed. Each goes to OUT_DIR/full at SIZE and to OUT_DIR/eighth at an
eighth of it, made the same way, so that check_linear_time.py can compare
their times: a reader whose time grows faster than its input shows on one.
Usage: make_big_inputs.py TARGET SIZE OUT_DIR SEED_DIR..."""
import os
import sys

PGN = ["(", ")", "{", "}", "[", "]", '"', "\\", '[a "', "1.", "1. e4 ", "$1 ", "{}", "} {",
       "1-0 ", "*", "0", "9", " ", "\n", "\r", "\0", "e4 ", "Nf3 Nf6 Ng1 Ng8 ", "(e4 ",
       "{[", '[Event "x"]\n', "[Event \"x\"]\n1. e4 *\n", "1.e4(", "e4 (e5 ", "O-O-O ", "=Q",
       '\\"', '[a "]', '[a "x"]', "$", "!?", "-", "/", "1/2-1/2 ", "exd6 ", "(1. d4 d5) ",
       "{c} ", "Nf3 Nf6 (Nc3) "]
TOKENS = {
    "index": PGN, "load": PGN, "movetext": PGN,
    "fen": ["/", "8", "p", " ", "K", "-", "w ", "1"],
    "rtf": ["{", "}", "\\", "\\b ", "\\'41", "\\u65?", "a", "\\par ", "{\\*\\x ", "\\bin1 a",
            "{\\fonttbl{\\f1 x;}", " ", "\\'", "\\u-1", "\\li99999999999 ", "\\f1 \\'a2",
            "{\\b ", "\\fcharset238 \\'e8", "\\*", "\\uc9 ", "}{", "\\ql\\par "],
    "ini": ["[", "]", "=", "a=b\n", "\r", "\n", "\r\n", "[s]\n", "[Game]\nFile=x\n", " ", ";",
            "[Layout]\r"],
    "elo": ["\n", " ", "\r\n", "x\n", "x" * 200 + "\n", "a b c d e f\n", "0"],
}


def main():
    target, size, out = sys.argv[1], int(sys.argv[2]), sys.argv[3]
    seeds = []
    for folder in sys.argv[4:]:
        for root, _, files in os.walk(folder):
            for name in sorted(files):
                with open(os.path.join(root, name), "rb") as f:
                    seeds.append(f.read())
    head = seeds[0][: min(len(seeds[0]), 200)] if seeds else b""
    if target == "elo" and seeds:
        head = seeds[0].split(b"\n")[0] + b"\n"
    if target == "rtf":
        head = b"{\\rtf1\\ansi "
    inputs = {}
    for i, token in enumerate(TOKENS.get(target, [])):
        inputs["token-%02d" % i] = (head, token.encode("latin-1"))
    for i, seed in enumerate(seeds):
        if seed:
            inputs["seed-%02d" % i] = (b"", seed)
    for folder, length in (("full", size), ("eighth", size // 8)):
        os.makedirs(os.path.join(out, folder), exist_ok=True)
        for name, (start, unit) in inputs.items():
            with open(os.path.join(out, folder, name), "wb") as f:
                f.write((start + unit * (length // len(unit) + 1))[:length])
    print("%s: %d inputs of %d bytes, and of an eighth of that" % (target, len(inputs), size))


if __name__ == "__main__":
    main()
