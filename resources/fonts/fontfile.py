"""Assembling a TrueType font from built glyphs, and writing it so that the
same inputs always give the same bytes."""

from fontTools.fontBuilder import FontBuilder

from outlines import left_bearing

# A fixed creation date (seconds since 1904) keeps the output reproducible.
FIXED_TIMESTAMP = 3_800_000_000


def assemble(glyphs, cmap, ascent, descent, em=2048):
    """glyphs: ordered dict name -> (glyph, advance), '.notdef' first.
    cmap: code point -> glyph name. ascent + descent is the line height and
    the line gap is 0."""
    fb = FontBuilder(em, isTTF=True)
    fb.setupGlyphOrder(list(glyphs))
    fb.setupCharacterMap(cmap)
    fb.setupGlyf({name: glyph for name, (glyph, _) in glyphs.items()})
    fb.setupHorizontalMetrics({name: (advance, left_bearing(glyph))
                               for name, (glyph, advance) in glyphs.items()})
    fb.setupHorizontalHeader(ascent=ascent, descent=-descent, lineGap=0)
    fb.setupOS2(version=4, sTypoAscender=ascent, sTypoDescender=-descent, sTypoLineGap=0,
                usWinAscent=ascent, usWinDescent=descent,
                # Regular, and line metrics from the typographic values.
                fsSelection=0x40 | 0x80, achVendID="VLMR",
                ulCodePageRange1=1, ulUnicodeRange1=1)
    fb.setupPost()
    return fb.font


def save(font, path):
    font["head"].created = FIXED_TIMESTAMP
    font["head"].modified = FIXED_TIMESTAMP
    font.recalcTimestamp = False
    font.save(path)
