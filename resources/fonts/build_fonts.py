#!/usr/bin/python3
"""Builds the program's TrueType fonts from the system's DejaVu and
FreeFont files:

  Kavdiag.ttf                  board pieces                 (board_font.py)
  VelmoraChessSwiss.ttf        notation text, sans serif    (text_font.py)
  VelmoraChessSwiss-Bold.ttf   its bold face
  VelmoraChessTimes.ttf        notation text, serif         (text_font.py)
  VelmoraChessTimes-Bold.ttf   its bold face
  VelmoraDiagram.ttf           board diagrams of the notes  (diagram_font.py)

Usage: build_fonts.py OUTPUT_DIR [--dejavu DIR] [--freefont DIR]
"""

import argparse
import os
import sys

# The helper modules sit beside this script; keep the source tree free of
# compiled caches.
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import board_font  # noqa: E402
import diagram_font  # noqa: E402
import text_font  # noqa: E402
from fontfile import save  # noqa: E402


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("output_dir")
    parser.add_argument("--dejavu", default="/usr/share/fonts/truetype/dejavu")
    parser.add_argument("--freefont", default="/usr/share/fonts/truetype/freefont")
    args = parser.parse_args(argv)

    sans = os.path.join(args.dejavu, "DejaVuSans.ttf")
    serif = os.path.join(args.dejavu, "DejaVuSerif.ttf")
    sans_bold = os.path.join(args.dejavu, "DejaVuSans-Bold.ttf")
    serif_bold = os.path.join(args.dejavu, "DejaVuSerif-Bold.ttf")
    free_serif = os.path.join(args.freefont, "FreeSerif.ttf")
    for path in (sans, serif, sans_bold, serif_bold, free_serif):
        if not os.path.isfile(path):
            print(f"build_fonts: missing source font {path}", file=sys.stderr)
            return 1
    os.makedirs(args.output_dir, exist_ok=True)

    def out(name):
        return os.path.join(args.output_dir, name)

    save(board_font.build(sans, free_serif), out("Kavdiag.ttf"))
    swiss = ("VelmoraChess Swiss",
             "Notation text font of Velmora Chess with figurines and "
             "evaluation symbols, derived from DejaVu Sans.")
    times = ("VelmoraChess Times",
             "Notation text font of Velmora Chess with figurines and "
             "evaluation symbols, derived from DejaVu Serif and DejaVu Sans.")
    save(text_font.build(sans, sans, *swiss), out("VelmoraChessSwiss.ttf"))
    save(text_font.build(sans_bold, sans_bold, *swiss, style="Bold"),
         out("VelmoraChessSwiss-Bold.ttf"))
    save(text_font.build(serif, sans, *times), out("VelmoraChessTimes.ttf"))
    save(text_font.build(serif_bold, sans_bold, *times, style="Bold"),
         out("VelmoraChessTimes-Bold.ttf"))
    save(diagram_font.build(sans), out("VelmoraDiagram.ttf"))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
