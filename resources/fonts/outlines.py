"""Outline helpers for the font build: copying source glyphs through a
transform, flattening them to polygons, and building TrueType glyphs from
polygons and circles.

Coordinates are font units with y up. TrueType fills by the non-zero rule, so
outer contours run clockwise and holes counter-clockwise.
"""

from fontTools.pens.basePen import BasePen
from fontTools.pens.transformPen import TransformPen
from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.pens.boundsPen import BoundsPen
from fontTools.pens.recordingPen import DecomposingRecordingPen


class FlattenPen(BasePen):
    """Records every contour as a list of (x, y) points, curves sampled."""

    def __init__(self, glyphSet=None, steps=8):
        super().__init__(glyphSet)
        self.steps = steps
        self.contours = []
        self._current = None

    def _moveTo(self, pt):
        self._current = [pt]
        self.contours.append(self._current)

    def _lineTo(self, pt):
        self._current.append(pt)

    def _qCurveToOne(self, pt1, pt2):
        x0, y0 = self._current[-1]
        for i in range(1, self.steps + 1):
            t = i / self.steps
            a, b, c = (1 - t) ** 2, 2 * t * (1 - t), t * t
            self._current.append((a * x0 + b * pt1[0] + c * pt2[0],
                                  a * y0 + b * pt1[1] + c * pt2[1]))

    def _curveToOne(self, pt1, pt2, pt3):
        x0, y0 = self._current[-1]
        for i in range(1, self.steps + 1):
            t = i / self.steps
            a, b, c, d = (1 - t) ** 3, 3 * t * (1 - t) ** 2, 3 * t * t * (1 - t), t ** 3
            self._current.append((a * x0 + b * pt1[0] + c * pt2[0] + d * pt3[0],
                                  a * y0 + b * pt1[1] + c * pt2[1] + d * pt3[1]))

    def _closePath(self):
        if len(self._current) > 1 and self._current[0] == self._current[-1]:
            self._current.pop()
        self._current = None

    _endPath = _closePath


def bounds(glyph_set, name):
    """Ink bounds (xMin, yMin, xMax, yMax) of a source glyph."""
    pen = BoundsPen(glyph_set)
    glyph_set[name].draw(pen)
    return pen.bounds


def transform_of(scale, dx, dy):
    """The affine transform x' = scale*x + dx, y' = scale*y + dy."""
    return (scale, 0, 0, scale, dx, dy)


def draw_source(pen, glyph_set, name, transform):
    """Draws a source glyph into pen through an affine transform, with its
    components resolved, so that the copy does not refer to the source."""
    recording = DecomposingRecordingPen(glyph_set)
    glyph_set[name].draw(recording)
    recording.replay(TransformPen(pen, transform))


def polygon_area(points):
    """Signed area: positive for counter-clockwise polygons."""
    area = 0.0
    for i, (x0, y0) in enumerate(points):
        x1, y1 = points[(i + 1) % len(points)]
        area += x0 * y1 - x1 * y0
    return area / 2


def outer_contour(glyph_set, name, transform):
    """The flattened contour with the largest area: a piece's silhouette."""
    flat = FlattenPen(glyph_set)
    draw_source(flat, glyph_set, name, transform)
    return max(flat.contours, key=lambda c: abs(polygon_area(c)))


def draw_polygon(pen, points, clockwise=True):
    """Adds one closed polygon, turned to the wanted direction."""
    pts = [(round(x), round(y)) for x, y in points]
    # Drop repeated points left by rounding; TrueType needs none.
    cleaned = [p for i, p in enumerate(pts) if p != pts[i - 1]]
    if len(cleaned) < 3:
        return
    if (polygon_area(cleaned) < 0) != clockwise:
        cleaned.reverse()
    pen.moveTo(cleaned[0])
    for p in cleaned[1:]:
        pen.lineTo(p)
    pen.closePath()


def rect_points(x0, y0, x1, y1):
    return [(x0, y0), (x0, y1), (x1, y1), (x1, y0)]


def clip_convex(points, x0, y0, x1, y1):
    """Sutherland-Hodgman clip of a polygon against an axis-aligned box."""
    def clip(pts, inside, cut):
        out = []
        for i, cur in enumerate(pts):
            prev = pts[i - 1]
            if inside(cur):
                if not inside(prev):
                    out.append(cut(prev, cur))
                out.append(cur)
            elif inside(prev):
                out.append(cut(prev, cur))
        return out

    def at_x(x):
        return lambda a, b: (x, a[1] + (b[1] - a[1]) * (x - a[0]) / (b[0] - a[0]))

    def at_y(y):
        return lambda a, b: (a[0] + (b[0] - a[0]) * (y - a[1]) / (b[1] - a[1]), y)

    pts = list(points)
    for inside, cut in ((lambda p: p[0] >= x0, at_x(x0)), (lambda p: p[0] <= x1, at_x(x1)),
                        (lambda p: p[1] >= y0, at_y(y0)), (lambda p: p[1] <= y1, at_y(y1))):
        if not pts:
            break
        pts = clip(pts, inside, cut)
    return pts


def line_inside_intervals(polygon, origin, direction):
    """Parameter intervals t where origin + t*direction lies inside polygon
    (even-odd), direction being a unit vector."""
    ox, oy = origin
    dx, dy = direction
    hits = []
    n = len(polygon)
    for i in range(n):
        (ax, ay), (bx, by) = polygon[i], polygon[(i + 1) % n]
        ex, ey = bx - ax, by - ay
        det = dx * ey - dy * ex
        if abs(det) < 1e-12:
            continue
        # Solve origin + t*d = a + s*e for t and s.
        t = ((ax - ox) * ey - (ay - oy) * ex) / det
        s = ((ax - ox) * dy - (ay - oy) * dx) / det
        if 0 <= s < 1:
            hits.append(t)
    hits.sort()
    return [(hits[i], hits[i + 1]) for i in range(0, len(hits) - 1, 2)]


def merge_intervals(intervals, margin):
    """Widens every interval by margin on both sides and joins overlaps."""
    merged = []
    for a, b in sorted((a - margin, b + margin) for a, b in intervals):
        if merged and a <= merged[-1][1]:
            merged[-1] = (merged[-1][0], max(merged[-1][1], b))
        else:
            merged.append((a, b))
    return merged


def new_glyph_pen():
    return TTGlyphPen(None)


def empty_glyph():
    return TTGlyphPen(None).glyph()


def left_bearing(glyph):
    """xMin of a built glyph, 0 for an empty one."""
    if glyph.numberOfContours == 0:
        return 0
    return min(x for x, _ in glyph.coordinates)
