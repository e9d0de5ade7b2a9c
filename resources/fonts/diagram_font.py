"""The diagram font "Velmora Diagram": a board as rows of one-em cells.

  X I Y        top frame: left corner, edge, right corner
  9, 1..8      left frame cell, plain or with its rank number
  0            right frame cell
  x i y        bottom frame: left corner, edge, right corner
  a..h         bottom frame cell with its file letter
  -  +         empty light square, empty dark square
  P N L R Q K  White pawn, knight, bishop, rook, queen, king (light square)
  p n l r q k  Black pieces, same order
  z s v t w m  zero-width overlays for pawn .. king: drawn before a piece
               letter they hatch the cell around that piece, making it a
               dark square

Every cell is one em wide and ascent + descent is one em, so that rows stack
into a square grid. Dark squares are diagonal hatching that runs on across
cell edges. Each character is also mapped at U+F000 + its code, the place
where readers look for the characters of a symbol font.
"""

import math
from collections import OrderedDict

from fontTools.ttLib import TTFont

import outlines as ol
from fontfile import assemble
from naming import set_names

EM = 2048
ASCENT = 1638
DESCENT = EM - ASCENT
FRAME = 110            # thickness of the frame line
HATCH_STEP = 256       # horizontal distance between hatch lines (divides EM)
HATCH_WIDTH = 62       # thickness of a hatch line
HALO = 70              # hatch-free margin around a piece on a dark square
PIECE_HEIGHT = 0.84 * EM
PRIVATE_BASE = 0xF000

# Piece order pawn .. king, with the source code points and the letters.
WHITE_CODES = [0x2659, 0x2658, 0x2657, 0x2656, 0x2655, 0x2654]
BLACK_CODES = [0x265F, 0x265E, 0x265D, 0x265C, 0x265B, 0x265A]
WHITE_LETTERS = "PNLRQK"
BLACK_LETTERS = "pnlrqk"
OVERLAY_LETTERS = "zsvtwm"


def _cell_to_font(points):
    """Cell coordinates (0..EM from the cell's bottom) to font units."""
    return [(x, y - DESCENT) for x, y in points]


def _add_polygon(pen, points, clockwise=True):
    ol.draw_polygon(pen, _cell_to_font(points), clockwise)


class _Pieces:
    """Piece outlines of DejaVu Sans placed in the middle of a cell."""

    def __init__(self, font):
        self.glyph_set = font.getGlyphSet()
        self.cmap = font.getBestCmap()
        names = [self.cmap[c] for c in WHITE_CODES + BLACK_CODES]
        boxes = [ol.bounds(self.glyph_set, n) for n in names]
        y_min = min(b[1] for b in boxes)
        y_max = max(b[3] for b in boxes)
        self.scale = PIECE_HEIGHT / (y_max - y_min)
        # Cell middle in font units is EM / 2 - DESCENT.
        self.dy = EM / 2 - DESCENT - self.scale * (y_min + y_max) / 2

    def transform(self, code):
        x_min, _, x_max, _ = ol.bounds(self.glyph_set, self.cmap[code])
        dx = EM / 2 - self.scale * (x_min + x_max) / 2
        return ol.transform_of(self.scale, dx, self.dy)

    def draw(self, pen, code):
        ol.draw_source(pen, self.glyph_set, self.cmap[code], self.transform(code))

    def silhouette(self, code):
        """Outer contour of a piece, in cell coordinates."""
        contour = ol.outer_contour(self.glyph_set, self.cmap[code], self.transform(code))
        return [(x, y + DESCENT) for x, y in contour]


_DIAG = (1 / math.sqrt(2), 1 / math.sqrt(2))
_NORMAL = (-1 / math.sqrt(2), 1 / math.sqrt(2))
_REACH = 2 * EM * math.sqrt(2)


def _hatch_lines():
    """Origins of the hatch lines y = x + k * HATCH_STEP that cross a cell."""
    return [(0.0, float(k * HATCH_STEP)) for k in range(-EM // HATCH_STEP, EM // HATCH_STEP + 1)]


def _band(origin, s0, s1):
    """The hatch line piece between parameters s0 and s1, as a polygon."""
    h = HATCH_WIDTH / 2
    pts = []
    for s, side in ((s0, -h), (s1, -h), (s1, h), (s0, h)):
        pts.append((origin[0] + s * _DIAG[0] + side * _NORMAL[0],
                    origin[1] + s * _DIAG[1] + side * _NORMAL[1]))
    return pts


def _draw_hatch(pen, silhouette=None):
    """Hatches the cell; with a silhouette, leaves it and a margin free."""
    for origin in _hatch_lines():
        free = [(-_REACH, _REACH)]
        if silhouette:
            inside = []
            for offset in (-HATCH_WIDTH / 2, 0.0, HATCH_WIDTH / 2):
                o = (origin[0] + offset * _NORMAL[0], origin[1] + offset * _NORMAL[1])
                inside += ol.line_inside_intervals(silhouette, o, _DIAG)
            free, start = [], -_REACH
            for a, b in ol.merge_intervals(inside, HALO):
                free.append((start, a))
                start = b
            free.append((start, _REACH))
        for s0, s1 in free:
            if s1 - s0 <= 1:
                continue
            clipped = ol.clip_convex(_band(origin, s0, s1), 0, 0, EM, EM)
            if len(clipped) >= 3 and abs(ol.polygon_area(clipped)) > 200:
                _add_polygon(pen, clipped)


def _frame_glyph(rects):
    pen = ol.new_glyph_pen()
    for r in rects:
        _add_polygon(pen, ol.rect_points(*r))
    return pen


class _Labels:
    """Rank digits and file letters of DejaVu Sans for the frame cells."""

    def __init__(self, font):
        self.glyph_set = font.getGlyphSet()
        self.cmap = font.getBestCmap()

    def draw(self, pen, char, centre_x, centre_y, height):
        name = self.cmap[ord(char)]
        x_min, y_min, x_max, y_max = ol.bounds(self.glyph_set, name)
        if char.isdigit():
            scale = height / (y_max - y_min)
            mid_y = (y_min + y_max) / 2
        else:
            # Letters are placed by their x-height so that a row lines up.
            scale = height / 1120
            mid_y = 560
        dx = centre_x - scale * (x_min + x_max) / 2
        dy = centre_y - DESCENT - scale * mid_y
        ol.draw_source(pen, self.glyph_set, name, ol.transform_of(scale, dx, dy))


def build(dejavu_sans):
    """The diagram font, from the DejaVu Sans file."""
    font = TTFont(dejavu_sans)
    pieces = _Pieces(font)
    labels = _Labels(font)
    E, T = EM, FRAME

    glyphs = OrderedDict()
    glyphs[".notdef"] = (ol.empty_glyph(), EM)
    cmap = {}

    def add(char, pen_or_glyph, advance=EM):
        name = f"cell.{ord(char):02X}"
        glyph = pen_or_glyph.glyph() if hasattr(pen_or_glyph, "glyph") else pen_or_glyph
        glyphs[name] = (glyph, advance)
        cmap[ord(char)] = name
        cmap[PRIVATE_BASE + ord(char)] = name

    add(" ", ol.empty_glyph())
    # The frame line runs along the side of each frame cell that faces the board.
    add("X", _frame_glyph([(E - T, 0, E, T)]))
    add("I", _frame_glyph([(0, 0, E, T)]))
    add("Y", _frame_glyph([(0, 0, T, T)]))
    add("9", _frame_glyph([(E - T, 0, E, E)]))
    add("0", _frame_glyph([(0, 0, T, E)]))
    add("x", _frame_glyph([(E - T, E - T, E, E)]))
    add("i", _frame_glyph([(0, E - T, E, E)]))
    add("y", _frame_glyph([(0, E - T, T, E)]))
    for rank in "12345678":
        pen = _frame_glyph([(E - T, 0, E, E)])
        labels.draw(pen, rank, (E - T) / 2, E / 2, 0.46 * E)
        add(rank, pen)
    for file in "abcdefgh":
        pen = _frame_glyph([(0, E - T, E, E)])
        labels.draw(pen, file, E / 2, (E - T) / 2, 0.40 * E)
        add(file, pen)

    add("-", ol.empty_glyph())
    pen = ol.new_glyph_pen()
    _draw_hatch(pen)
    add("+", pen)

    for letter, code in zip(WHITE_LETTERS + BLACK_LETTERS, WHITE_CODES + BLACK_CODES):
        pen = ol.new_glyph_pen()
        pieces.draw(pen, code)
        add(letter, pen)
    for letter, white, black in zip(OVERLAY_LETTERS, WHITE_CODES, BLACK_CODES):
        # One overlay serves both colours: leave free what either piece covers.
        outline = pieces.silhouette(white)
        solid = pieces.silhouette(black)
        pen = ol.new_glyph_pen()
        _draw_hatch(pen, _union_silhouette(outline, solid))
        add(letter, pen, advance=0)

    result = assemble(glyphs, cmap, ASCENT, DESCENT, EM)
    set_names(result, "Velmora Diagram",
              "Board diagrams for the notation documents of Velmora Chess. Pieces, "
              "digits and letters are derived from DejaVu Sans.", [font])
    return result


def _union_silhouette(a, b):
    """The larger of two nearly equal silhouettes (they differ by a few units,
    which the halo covers)."""
    return a if abs(ol.polygon_area(a)) >= abs(ol.polygon_area(b)) else b
