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


def _generic_profile(with_ball):
    """Right half of the colour-chess shape, bottom centre to top centre, as
    (x from the centre line, y from the cell top) in em."""
    pts = [(0.0, 0.915), (0.40, 0.915), (0.40, 0.865), (0.33, 0.80), (0.20, 0.775)]
    cap_y, cap_rx, cap_ry = 0.29, 0.30, 0.15
    start = math.acos(0.20 / cap_rx)       # where the body meets the cap
    end = math.acos(0.04 / cap_rx)         # where the neck of the ball starts
    steps = 14
    for i in range(steps + 1):
        # From the lower junction round the right side to the top.
        a = -start + (start + end) * i / steps
        pts.append((cap_rx * math.cos(a), cap_y - cap_ry * math.sin(a)))
    if with_ball:
        r, cy = 0.075, 0.075
        # Ball: an arc from the neck (x = 0.04) over its right side to the top.
        a_start = math.acos(0.04 / r)
        ball = []
        for i in range(10):
            a = -a_start + (a_start + math.pi / 2) * i / 9
            ball.append((r * math.cos(a), cy - r * math.sin(a)))
        # The neck joins the cap top to the ball's lower point.
        pts.extend(ball)
    else:
        pts.append((0.0, cap_y - cap_ry))
    return pts


# The profile is drawn 0.915 em tall; it is scaled to the pieces' height.
GENERIC_SCALE = HEIGHT_SHARE / 0.915


def _em_point(x, y):
    """A profile point (em, y from the cell top) in font units."""
    return CENTRE_X + x * GENERIC_SCALE * EM, ASCENT - y * GENERIC_SCALE * EM


def _to_font_units(profile):
    """Mirrors a right-half profile into a closed polygon in font units."""
    right = [_em_point(x, y) for x, y in profile]
    left = [_em_point(-x, y) for x, y in reversed(profile)]
    poly = right + left
    return [p for i, p in enumerate(poly) if i == 0 or p != poly[i - 1]]


def _generic_shapes():
    """(outline glyph, solid glyph) of the shape shared by the colour-chess
    pieces other than pawns."""
    stroke = 0.06 * EM
    outer = _to_font_units(_generic_profile(with_ball=True))
    hole = ol.inset_polygon(_to_font_units(_generic_profile(with_ball=False)), stroke)

    pen = ol.new_glyph_pen()
    ol.draw_polygon(pen, outer, clockwise=True)
    ol.draw_polygon(pen, hole, clockwise=False)
    outline = pen.glyph()

    pen = ol.new_glyph_pen()
    ol.draw_polygon(pen, outer, clockwise=True)
    # A slit between body and base, enclosed so that it takes the inner colour.
    slit = ol.rect_points(*_em_point(-0.15, 0.765), *_em_point(0.15, 0.715))
    ol.draw_polygon(pen, slit, clockwise=False)
    # A highlight across the cap.
    band = ol.rect_points(*_em_point(-0.19, 0.305), *_em_point(0.19, 0.255))
    ol.draw_polygon(pen, band, clockwise=False)
    solid = pen.glyph()
    return outline, solid


def build(dejavu_sans, free_serif, out_path):
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
