"""The board piece font "Kavdiag".

Letters (lower case modern, upper case classic):
  p n b r q k   outline pieces (light set): pawn knight bishop rook queen king
  o m v t w l   solid pieces (dark set), same order
  g h           colour-chess pawn, outline and solid
  i j           colour-chess shape shared by every other piece, outline and solid
  space, u, U   blank (u/U fill the unused entry 0 of the letter tables)

The board draws a glyph with its cell's top-left corner at an offset that
leaves the cell somewhat left of and above the middle of the square, and
fills only the enclosed white space of a glyph with the inner colour. So
every glyph is one em wide, ascent + descent is one em, and each set is
scaled so that its tallest piece is 88 % of the em, with the ink centred on
the point (0.53 em, 0.44 em from the top), close to where the square's middle
falls for every piece size the board uses. Taller or wider pieces would
touch the top row or the right column of the smaller squares, and the
background they cut off there would be coloured like the inside of a piece.
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
HEIGHT_SHARE = 0.88
CENTRE_X = 0.53 * EM
CENTRE_Y = ASCENT - 0.44 * EM  # in font units above the baseline
# The top-left square of the cell, this share of the em on each side, stays
# free of ink.
CORNER = 0.17

# Source code points by piece, pawn .. king.
OUTLINE_CODES = [0x2659, 0x2658, 0x2657, 0x2656, 0x2655, 0x2654]
SOLID_CODES = [0x265F, 0x265E, 0x265D, 0x265C, 0x265B, 0x265A]
LIGHT_LETTERS = "pnbrqk"
DARK_LETTERS = "omvtwl"


def _set_placement(glyph_set, names):
    """One scale for a whole design, so that pieces keep their relative sizes,
    and the vertical shift that centres the design's height band."""
    boxes = [ol.bounds(glyph_set, n) for n in names]
    y_min = min(b[1] for b in boxes)
    y_max = max(b[3] for b in boxes)
    scale = HEIGHT_SHARE * EM / (y_max - y_min)
    dy = CENTRE_Y - scale * (y_min + y_max) / 2
    return scale, dy


def _placed_piece(glyph_set, name, scale, dy):
    """A piece scaled, centred on CENTRE_X, and narrowed where its top would
    reach into the cell's top-left corner: at the smallest board squares that
    corner holds pixel (1, 1), from which the board keys out the background."""
    x_min, _, x_max, _ = ol.bounds(glyph_set, name)
    flat = ol.FlattenPen(glyph_set)
    ol.draw_source(flat, glyph_set, name, ol.transform_of(scale, 0, dy))
    top_band = ASCENT - CORNER * EM
    x_centre = scale * (x_min + x_max) / 2
    top_left = min((x for c in flat.contours for x, y in c if y >= top_band), default=x_centre)
    narrowing = 1.0
    if x_centre - top_left > CENTRE_X - CORNER * EM:
        narrowing = (CENTRE_X - CORNER * EM) / (x_centre - top_left)
    sx = scale * narrowing
    dx = CENTRE_X - sx * (x_min + x_max) / 2
    pen = ol.new_glyph_pen()
    ol.draw_source(pen, glyph_set, name, (sx, 0, 0, scale, dx, dy))
    return pen.glyph()


def _design(path):
    """Glyphs of one design: {letter index 0..11: glyph}, outline set first."""
    font = TTFont(path)
    cmap = font.getBestCmap()
    glyph_set = font.getGlyphSet()
    names = [cmap[c] for c in OUTLINE_CODES + SOLID_CODES]
    scale, dy = _set_placement(glyph_set, names)
    return font, [_placed_piece(glyph_set, n, scale, dy) for n in names]


def _arc(cx, cy, rx, ry, x_from, x_to, steps=12):
    """Points of the upper half of an ellipse (y from the cell top grows
    downward) from x = x_from to x = x_to, both on its right half."""
    a_from = math.acos(max(-1.0, min(1.0, (x_from - cx) / rx)))
    a_to = math.acos(max(-1.0, min(1.0, (x_to - cx) / rx)))
    return [(cx + rx * math.cos(a_from + (a_to - a_from) * i / steps),
             cy - ry * math.sin(a_from + (a_to - a_from) * i / steps)) for i in range(steps + 1)]


# The colour-chess shape: a plinth, a slim body, a collar and a dome with a
# knob. Right halves from the bottom centre to the top centre, as (x from the
# centre line, y from the cell top) in em; drawn 0.88 em tall like the pieces.
GENERIC_OUTER = ([(0.0, 0.88), (0.38, 0.88), (0.38, 0.815), (0.28, 0.775), (0.22, 0.765),
                  (0.20, 0.47), (0.30, 0.42), (0.30, 0.35)]
                 + _arc(0.0, 0.35, 0.30, 0.25, 0.30, 0.04)
                 + _arc(0.0, 0.06, 0.055, 0.055, 0.04, 0.0, 6)[1:])
GENERIC_HOLE = ([(0.0, 0.72), (0.15, 0.72), (0.14, 0.48), (0.24, 0.43), (0.24, 0.35)]
                + _arc(0.0, 0.35, 0.24, 0.19, 0.24, 0.0))
GENERIC_SLITS = [(0.15, 0.70, 0.74), (0.20, 0.375, 0.395)]  # half-width, top, bottom


def _mirrored(profile):
    """A right-half profile mirrored into a closed polygon in font units."""
    def point(x, y):
        return CENTRE_X + x * EM, ASCENT - y * EM

    right = [point(x, y) for x, y in profile]
    left = [point(-x, y) for x, y in reversed(profile)]
    poly = right + left
    return [p for i, p in enumerate(poly) if i == 0 or p != poly[i - 1]]


def _generic_shapes():
    """(outline glyph, solid glyph) of the shape shared by the colour-chess
    pieces other than pawns."""
    outer = _mirrored(GENERIC_OUTER)

    pen = ol.new_glyph_pen()
    ol.draw_polygon(pen, outer, clockwise=True)
    ol.draw_polygon(pen, _mirrored(GENERIC_HOLE), clockwise=False)
    outline = pen.glyph()

    pen = ol.new_glyph_pen()
    ol.draw_polygon(pen, outer, clockwise=True)
    # Enclosed highlights, so that a solid piece shows a little inner colour.
    for half, top, bottom in GENERIC_SLITS:
        ol.draw_polygon(pen, ol.rect_points(CENTRE_X - half * EM, ASCENT - bottom * EM,
                                            CENTRE_X + half * EM, ASCENT - top * EM),
                        clockwise=False)
    solid = pen.glyph()
    return outline, solid


def build(dejavu_sans, free_serif):
    """The board font, from the two source font files."""
    modern_font, modern = _design(dejavu_sans)
    classic_font, classic = _design(free_serif)
    generic_outline, generic_solid = _generic_shapes()

    glyphs = OrderedDict()
    glyphs[".notdef"] = (ol.empty_glyph(), EM)
    glyphs["space"] = (ol.empty_glyph(), EM)
    cmap = {0x20: "space", ord("u"): "space", ord("U"): "space"}

    def add(letter, glyph):
        name = f"piece.{letter}" if letter.islower() else f"piece.{letter}.classic"
        glyphs[name] = (glyph, EM)
        cmap[ord(letter)] = name

    for design, upper in ((modern, False), (classic, True)):
        for index, letter in enumerate(LIGHT_LETTERS + DARK_LETTERS):
            add(letter.upper() if upper else letter, design[index])
    add("g", modern[0])
    add("h", modern[6])
    add("i", generic_outline)
    add("j", generic_solid)

    font = assemble(glyphs, cmap, ASCENT, DESCENT, EM)
    set_names(font, "Kavdiag",
              "Chess pieces for the board of Velmora Chess. Modern pieces are derived "
              "from DejaVu Sans, classic pieces from GNU FreeFont FreeSerif.",
              [modern_font, classic_font])
    return font
