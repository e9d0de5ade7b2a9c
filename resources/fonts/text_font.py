"""The two text fonts of the notation ("VelmoraChess Swiss" from DejaVu Sans,
"VelmoraChess Times" from DejaVu Serif), each as a Regular and a Bold face
(the Bold built the same way from the Bold source fonts).

They carry the text of names and comments (every character of code pages
1252 and 1250, Latin, Greek and Cyrillic) with the source font's own glyphs,
and the chess glyphs of the notation, each for one byte:
  0xA2..0xA7        figurines king, queen, knight, bishop, rook, pawn
  "~"               the check sign
  0xBD              one half
  the bytes of the evaluation-symbol table (see SYMBOLS)
Each chess glyph is mapped three ways:
  U+F000 + byte     where the program's RTF reader puts the bytes of its own
                    documents;
  its meaning       the Unicode sign it draws (a figurine U+265A..U+265F, an
                    arrow ...), where there is one: text taken out of a PDF
                    names a glyph by the lowest code point mapped to it;
  cp1252 of byte    a copy of the glyph at the code point the byte has in
                    code page 1252 (U+00A4 for 0xA4, U+2019 for 0x92), where
                    a word processor looks for it, as in figurine fonts.
So the characters of a file's text at those cp1252 code points ("~", the
closing quote, z caron, Thorn, the copyright sign ...) are drawn in a plain
text font by the program and written in one by its RTF writer.
Ligatures are left out, so that text taken out of a PDF reads as shown.
"""

import copy
import math

from fontTools import subset
from fontTools.ttLib import TTFont

import outlines as ol
from naming import set_names

EM = 2048
PRIVATE_BASE = 0xF000

# Figurines: byte -> solid chess glyph of DejaVu Sans.
FIGURINES = {0xA2: 0x265A, 0xA3: 0x265B, 0xA4: 0x265E, 0xA5: 0x265D, 0xA6: 0x265C, 0xA7: 0x265F}

# Evaluation symbols whose shape a Unicode character of the sources has:
# byte -> code point.
SYMBOLS = {
    0x99: 0x25A1,  # only move
    0xF7: 0x221E,  # unclear
    0xB1: 0x00B1,  # White has the upper hand
    0xB5: 0x2213,  # Black has the upper hand
    0xB7: 0x25CB,  # more space for White
    0x9E: 0x25CF,  # more space for Black
    0x89: 0x27F3,  # development advantage
    0x82: 0x2192,  # attack
    0x84: 0x21C6,  # counterplay
    0x85: 0x2206,  # with the idea
    0xD7: 0x00D7,  # weak point
    0xAC: 0x22A5,  # ending
    0x91: 0x21D4,  # file
    0x92: 0x21D7,  # diagonal
    0xA0: 0x2713,  # Black is OK
    0x80: 0x25B2,  # threatening with the intention of
    0xBD: 0x00BD,  # one half
    0x7E: 0x002B,  # check
}

# Symbols drawn from parts: byte -> builder name (see _composites).
COMPOSITES = {
    0xB2: "plus_over_equal",     # White stands slightly better
    0xB3: "equal_over_plus",     # Black stands slightly better
    0xA9: "compensation",        # with compensation
    0xB9: "better_is",           # better is
    0xAD: "bishop_pair",         # the two bishops
    0xAE: "bishops_opposite",    # bishops of opposite colours
    0xAF: "bishops_same",        # bishops of the same colour
    0xDE: "doubled_pawns",       # doubled pawns
}

# The Unicode sign of a drawn symbol, where there is one.
COMPOSITE_MEANINGS = {0xB2: 0x2A72, 0xB3: 0x2A71, 0xB9: 0x2313}

# Substitutions that would join letters into one glyph.
LIGATURE_FEATURES = ("liga", "clig")

SIDE_BEARING = 100


def text_repertoire():
    """Code points of the text: printable ASCII, everything that cp1252 and
    cp1250 decode to, Latin-1, Latin Extended-A, -B and Additional, Greek,
    Cyrillic, general punctuation and the replacement character."""
    cps = set(range(0x20, 0x7F)) | set(range(0xA0, 0x250))
    for enc in ("cp1252", "cp1250"):
        for b in range(0x80, 0x100):
            try:
                cps.add(ord(bytes([b]).decode(enc)))
            except UnicodeDecodeError:
                pass
    cps |= {0x2010, 0x2011, 0x2012, 0x2013, 0x2014, 0x2026, 0x2212}
    cps |= set(range(0x370, 0x530))    # Greek, Cyrillic and its supplement
    cps |= set(range(0x1E00, 0x1F00))  # Latin Extended Additional
    cps |= set(range(0x2000, 0x2070)) | {0x20AC, 0x2116, 0x2122, 0xFFFD}
    return cps


def _glyph_name_for(font, cp):
    return font.getBestCmap().get(cp)


class _Composer:
    """Draws shapes from glyphs of the text font, falling back to DejaVu Sans
    for characters that the text font lacks."""

    def __init__(self, font, sans):
        self.sources = [(font, font.getGlyphSet()), (sans, sans.getGlyphSet())]

    def source(self, cp):
        for font, glyph_set in self.sources:
            name = _glyph_name_for(font, cp)
            if name:
                return glyph_set, name
        raise KeyError(f"no source glyph for U+{cp:04X}")

    def draw(self, pen, cp, scale=1.0, dx=0.0, dy=0.0):
        glyph_set, name = self.source(cp)
        ol.draw_source(pen, glyph_set, name, ol.transform_of(scale, dx, dy))

    def box(self, cp):
        glyph_set, name = self.source(cp)
        return ol.bounds(glyph_set, name)

    def placed(self, cp, scale, x, y_bottom):
        """Draw arguments that put the ink's left edge at x, bottom at y_bottom."""
        x0, y0, _, _ = self.box(cp)
        return scale, x - x0 * scale, y_bottom - y0 * scale


def _finish(pen):
    """A glyph with even side bearings: (glyph, advance)."""
    glyph = pen.glyph()
    if glyph.numberOfContours == 0:
        return glyph, EM // 2
    xs = [x for x, _ in glyph.coordinates]
    shift = SIDE_BEARING - min(xs)
    glyph.coordinates.translate((shift, 0))
    return glyph, max(xs) - min(xs) + 2 * SIDE_BEARING


def _stacked(c, top_cp, bottom_cp):
    """Two signs one above the other, together as tall as a capital."""
    pen = ol.new_glyph_pen()
    total, gap = 1500, 110
    boxes = [c.box(cp) for cp in (top_cp, bottom_cp)]
    heights = [b[3] - b[1] for b in boxes]
    s = (total - gap) / sum(heights)
    widths = [(b[2] - b[0]) * s for b in boxes]
    width = max(widths)
    bottoms = (heights[1] * s + gap, 0)
    for cp, w, bottom in zip((top_cp, bottom_cp), widths, bottoms):
        c.draw(pen, cp, *c.placed(cp, s, (width - w) / 2, bottom))
    return pen


def _side_by_side(c, cps, scale, gap, bottom=0):
    pen = ol.new_glyph_pen()
    x = 0.0
    for cp in cps:
        x0, _, x1, _ = c.box(cp)
        c.draw(pen, cp, *c.placed(cp, scale, x, bottom))
        x += (x1 - x0) * scale + gap
    return pen


def _better_is(c):
    """An arc over a bar: a segment of a circle standing on its chord."""
    pen = ol.new_glyph_pen()
    r, t, cx, base = 640, 130, 640, 0
    outer = [(cx + r * math.cos(math.pi * i / 24), base + t + r * math.sin(math.pi * i / 24))
             for i in range(25)]
    inner = [(cx + (r - t) * math.cos(math.pi * i / 24), base + t + (r - t) * math.sin(math.pi * i / 24))
             for i in range(24, -1, -1)]
    ol.draw_polygon(pen, outer + inner, clockwise=True)
    ol.draw_polygon(pen, ol.rect_points(cx - r, base, cx + r, base + t), clockwise=True)
    return pen


def _squares(filled):
    """Two squares side by side; filled says which are solid."""
    pen = ol.new_glyph_pen()
    size, t, gap = 900, 110, 160
    for i, solid in enumerate(filled):
        x = i * (size + gap)
        box = ol.rect_points(x, 0, x + size, size)
        ol.draw_polygon(pen, box, clockwise=True)
        if not solid:
            ol.draw_polygon(pen, ol.rect_points(x + t, t, x + size - t, size - t),
                            clockwise=False)
    return pen


def _composites(c):
    bishop, pawn = 0x265D, 0x265F
    return {
        "plus_over_equal": lambda: _stacked(c, 0x2B, 0x3D),
        "equal_over_plus": lambda: _stacked(c, 0x3D, 0x2B),
        "compensation": lambda: _side_by_side(c, [0x3D, 0x221E], 0.8, 60, 250),
        "better_is": lambda: _better_is(c),
        "bishop_pair": lambda: _side_by_side(c, [bishop, bishop], 0.62, 40),
        "bishops_opposite": lambda: _squares([True, False]),
        "bishops_same": lambda: _squares([True, True]),
        "doubled_pawns": lambda: _doubled_pawns(c, pawn),
    }


def _doubled_pawns(c, pawn):
    pen = ol.new_glyph_pen()
    s = 0.47
    for bottom in (0, 790):
        c.draw(pen, pawn, *c.placed(pawn, s, 0, bottom))
    return pen


def _add_glyph(font, name, glyph, advance, left_bearing=None):
    font["glyf"][name] = glyph
    font["hmtx"][name] = (advance, ol.left_bearing(glyph) if left_bearing is None else left_bearing)
    order = font.getGlyphOrder()
    if name not in order:
        font.setGlyphOrder(order + [name])


def cp1252_code_point(byte):
    """The character a byte is in code page 1252; None where it has none."""
    try:
        return ord(bytes([byte]).decode("cp1252"))
    except UnicodeDecodeError:
        return None


def _chess_cmap(font, chess_glyphs, meanings):
    """Code point -> glyph for the chess glyphs (byte -> glyph name): at
    U+F000 + byte, at their meaning, and as a copy at their cp1252 code
    point (the glyph itself where that is already its meaning)."""
    mapping = {}
    for byte, name in chess_glyphs.items():
        mapping[PRIVATE_BASE + byte] = name
        meaning = meanings.get(byte)
        if meaning is not None:
            mapping[meaning] = name
        cp = cp1252_code_point(byte)
        if cp == meaning:
            continue
        twin = f"twin.{byte:02X}"
        _add_glyph(font, twin, copy.deepcopy(font["glyf"][name]), *font["hmtx"][name])
        mapping[cp] = twin
    return mapping


def _set_cmap(font, mapping):
    """Points every Unicode cmap subtable at the given glyphs; drops the
    legacy Macintosh subtable."""
    cmap = font["cmap"]
    cmap.tables = [t for t in cmap.tables if t.isUnicode()]
    for table in cmap.tables:
        for cp, name in mapping.items():
            if table.format == 4 and cp > 0xFFFF:
                continue
            table.cmap[cp] = name


def build(source_path, sans_path, family, description, style="Regular"):
    """A text font from source_path; glyphs it lacks come from sans_path.
    style names the face; its weight is the source font's."""
    font = TTFont(source_path)
    sans = TTFont(sans_path)
    composer = _Composer(font, sans)
    chess_glyphs = {}

    def glyph_from(cp):
        """A glyph for code point cp: the font's own or one copied from Sans."""
        name = _glyph_name_for(font, cp)
        if name:
            return name
        new_name = f"chess.u{cp:04X}"
        pen = ol.new_glyph_pen()
        composer.draw(pen, cp)
        glyph, advance = _finish(pen)
        _add_glyph(font, new_name, glyph, advance)
        return new_name

    for byte, cp in FIGURINES.items():
        name = f"figurine.{byte:02X}"
        pen = ol.new_glyph_pen()
        composer.draw(pen, cp)
        glyph, advance = _finish(pen)
        _add_glyph(font, name, glyph, advance)
        chess_glyphs[byte] = name
    for byte, cp in SYMBOLS.items():
        chess_glyphs[byte] = glyph_from(cp)
    builders = _composites(composer)
    for byte, key in COMPOSITES.items():
        glyph, advance = _finish(builders[key]())
        name = f"symbol.{key}"
        _add_glyph(font, name, glyph, advance)
        chess_glyphs[byte] = name

    meanings = dict(FIGURINES)
    meanings.update(SYMBOLS)
    meanings.update(COMPOSITE_MEANINGS)
    mapping = _chess_cmap(font, chess_glyphs, meanings)
    _set_cmap(font, mapping)

    options = subset.Options()
    options.hinting = False
    options.name_IDs = ["*"]
    options.name_languages = ["*"]
    options.notdef_outline = True
    options.recalc_timestamp = False
    options.drop_tables += ["FFTM", "MATH"]
    options.layout_features = [f for f in options.layout_features
                               if f not in LIGATURE_FEATURES]
    subsetter = subset.Subsetter(options)
    subsetter.populate(unicodes=sorted(text_repertoire() | set(mapping)))
    subsetter.subset(font)

    sources = [font] if source_path == sans_path else [font, sans]
    set_names(font, family, description, sources, style)
    return font

