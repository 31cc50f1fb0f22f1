"""Two lettering styles, both drawn from data here so the pictures do not
depend on any font installed on the machine:

- a stroke font of squared, rounded-corner capitals in the manner of panel
  silkscreen lettering, defined on a grid six units tall, drawn at any size;
- a 5-pixel bitmap font for the tiniest labels, where strokes must sit on
  whole pixels to stay legible.
"""

from . import raster

R = 1.4  # corner rounding of the stroke font, in grid units

# Each glyph: (advance width, [paths]); a path is (points, rounded corner
# indexes or 'all'), points on the grid with y down, cap top 0, baseline 6.
_ALL = 'all'


def _g(width, *paths):
    return (width, [p if isinstance(p, tuple) and len(p) == 2 and isinstance(p[1], (list, str))
                    else (p, []) for p in paths])


STROKE_GLYPHS = {
    'A': _g(4, ([(0, 6), (0, 0), (4, 0), (4, 6)], [1, 2]), [(0, 3.4), (4, 3.4)]),
    'B': _g(4, ([(0, 3), (3.3, 3), (3.3, 0), (0, 0), (0, 6), (4, 6), (4, 3), (3, 3)], [1, 2, 5, 6])),
    'C': _g(4, ([(4, 0), (0, 0), (0, 6), (4, 6)], [1, 2])),
    'D': _g(4, ([(0, 0), (4, 0), (4, 6), (0, 6), (0, 0)], [1, 2])),
    'E': _g(4, [(4, 0), (0, 0), (0, 6), (4, 6)], [(0, 3), (3.2, 3)]),
    'F': _g(4, [(4, 0), (0, 0), (0, 6)], [(0, 3), (3.2, 3)]),
    'G': _g(4, ([(4, 0), (0, 0), (0, 6), (4, 6), (4, 3), (2.2, 3)], [1, 2, 3])),
    'H': _g(4, [(0, 0), (0, 6)], [(4, 0), (4, 6)], [(0, 3), (4, 3)]),
    'I': _g(0, [(0, 0), (0, 6)]),
    'J': _g(4, ([(4, 0), (4, 6), (0, 6), (0, 4.4)], [1, 2])),
    'K': _g(4, [(0, 0), (0, 6)], [(4, 0), (1.2, 3), (4, 6)], [(0, 3), (1.2, 3)]),
    'L': _g(4, [(0, 0), (0, 6), (4, 6)]),
    'M': _g(5, [(0, 6), (0, 0), (2.5, 3.6), (5, 0), (5, 6)]),
    'N': _g(4, [(0, 6), (0, 0), (4, 6), (4, 0)]),
    'O': _g(4, ([(0, 0), (4, 0), (4, 6), (0, 6)], _ALL)),
    'P': _g(4, ([(0, 6), (0, 0), (4, 0), (4, 3.2), (0, 3.2)], [2, 3])),
    'Q': _g(4, ([(0, 0), (4, 0), (4, 6), (0, 6)], _ALL), [(2.6, 4.6), (4.3, 6.3)]),
    'R': _g(4, ([(0, 6), (0, 0), (4, 0), (4, 3.2), (0, 3.2)], [2, 3]), [(2.2, 3.2), (4, 6)]),
    'S': _g(4, ([(4, 0), (0, 0), (0, 3), (4, 3), (4, 6), (0, 6)], [1, 2, 3, 4])),
    'T': _g(4, [(0, 0), (4, 0)], [(2, 0), (2, 6)]),
    'U': _g(4, ([(0, 0), (0, 6), (4, 6), (4, 0)], [1, 2])),
    'V': _g(4, [(0, 0), (2, 6), (4, 0)]),
    'W': _g(5.6, [(0, 0), (1.4, 6), (2.8, 1.4), (4.2, 6), (5.6, 0)]),
    'X': _g(4, [(0, 0), (4, 6)], [(4, 0), (0, 6)]),
    'Y': _g(4, [(0, 0), (2, 3), (4, 0)], [(2, 3), (2, 6)]),
    'Z': _g(4, [(0, 0), (4, 0), (0, 6), (4, 6)]),
    '0': _g(4, ([(0, 0), (4, 0), (4, 6), (0, 6)], _ALL)),
    '1': _g(2, [(0, 1.2), (1.6, 0), (1.6, 6)]),
    '2': _g(4, ([(0, 0), (4, 0), (4, 3), (0, 3), (0, 6), (4, 6)], [1, 2, 3])),
    '3': _g(4, ([(0, 0), (4, 0), (4, 6), (0, 6)], [1, 2]), [(1.2, 3), (4, 3)]),
    '4': _g(4, [(0, 0), (0, 3.8), (4, 3.8)], [(3, 1.8), (3, 6)]),
    '5': _g(4, ([(4, 0), (0, 0), (0, 2.8), (4, 2.8), (4, 6), (0, 6)], [3, 4])),
    '6': _g(4, ([(4, 0), (0, 0), (0, 6), (4, 6), (4, 3), (0, 3)], [1, 2, 3, 4])),
    '7': _g(4, [(0, 0), (4, 0), (1.6, 6)]),
    '8': _g(4, ([(0.3, 3), (0.3, 0), (3.7, 0), (3.7, 3)], [1, 2]),
            ([(0, 3), (4, 3), (4, 6), (0, 6), (0, 3)], [1, 2, 3])),
    '9': _g(4, ([(4, 3), (0, 3), (0, 0), (4, 0), (4, 6), (0, 6)], [1, 2, 3, 4])),
    '-': _g(3, [(0.3, 3.4), (2.7, 3.4)]),
    '+': _g(4, [(0, 3), (4, 3)], [(2, 1), (2, 5)]),
    '/': _g(3, [(0, 6), (3, 0)]),
    '.': _g(0, [(0, 6), (0, 6.01)]),
    ':': _g(0, [(0, 2), (0, 2.01)], [(0, 5.6), (0, 5.61)]),
    "'": _g(0, [(0, 0), (0, 1.6)]),
    ' ': _g(2.4),
}


def _rounded(points, corners, r):
    """Replace the listed corner points by quadratic curves of radius r."""
    if corners == _ALL:
        pts = list(points)
        closed = True
        corners = range(len(pts))
    else:
        pts = list(points)
        closed = False
    n = len(pts)
    out = []
    for i in range(n):
        p = pts[i]
        if i not in corners or (not closed and (i == 0 or i == n - 1)):
            out.append(p)
            continue
        a = pts[(i - 1) % n]
        b = pts[(i + 1) % n]
        la = ((p[0] - a[0]) ** 2 + (p[1] - a[1]) ** 2) ** 0.5
        lb = ((b[0] - p[0]) ** 2 + (b[1] - p[1]) ** 2) ** 0.5
        ra = min(r, la * 0.5)
        rb = min(r, lb * 0.5)
        s = (p[0] + (a[0] - p[0]) * ra / la, p[1] + (a[1] - p[1]) * ra / la)
        e = (p[0] + (b[0] - p[0]) * rb / lb, p[1] + (b[1] - p[1]) * rb / lb)
        steps = 5
        for k in range(steps + 1):
            t = k / steps
            u = 1 - t
            out.append((u * u * s[0] + 2 * u * t * p[0] + t * t * e[0],
                        u * u * s[1] + 2 * u * t * p[1] + t * t * e[1]))
    if closed:
        out.append(out[0])
    return out


def stroke_width_units(text, tracking=1.7):
    w = 0.0
    for i, ch in enumerate(text.upper()):
        g = STROKE_GLYPHS.get(ch, STROKE_GLYPHS[' '])
        w += g[0]
        if i < len(text) - 1:
            w += tracking
    return w


def text_shape(text, x, y, size, weight=None, tracking=1.7, rounding=R):
    """Shape of a line of capitals whose cap height is `size` pixels; (x, y)
    is the top-left of the caps (the strokes' centre lines). weight is the
    stroke width in pixels (default size / 6)."""
    u = size / 6.0
    if weight is None:
        weight = u
    shapes = []
    cx = x
    for ch in text.upper():
        width, paths = STROKE_GLYPHS.get(ch, STROKE_GLYPHS[' '])
        for pts, corners in paths:
            pp = _rounded(pts, corners, rounding)
            shapes.append(raster.polyline([(cx + px * u, y + py * u) for px, py in pp], weight))
        cx += (width + tracking) * u
    if not shapes:
        return None
    return raster.union(*shapes)


def draw_text(canvas, text, x, y, size, colour, weight=None, tracking=1.7, align='left',
              alpha=1.0, soft=0.0, rounding=R):
    """Draw capitals; align 'left', 'center' or 'right' about x. Glyphs are
    filled one by one so each distance function stays small."""
    width = stroke_width_units(text, tracking) * size / 6.0
    if align == 'center':
        x -= width / 2.0
    elif align == 'right':
        x -= width
    u = size / 6.0
    cx = x
    for ch in text.upper():
        g = STROKE_GLYPHS.get(ch, STROKE_GLYPHS[' '])
        if g[1]:
            s = text_shape(ch, cx, y, size, weight, tracking, rounding)
            canvas.fill(s, colour, alpha=alpha, soft=soft)
        cx += (g[0] + tracking) * u
    return width


def text_width(text, size, tracking=1.7):
    return stroke_width_units(text, tracking) * size / 6.0


# ---------------------------------------------------------------------------
# 5-pixel bitmap font

PIXEL_GLYPHS = {
    'A': ['010', '101', '111', '101', '101'],
    'B': ['110', '101', '110', '101', '110'],
    'C': ['011', '100', '100', '100', '011'],
    'D': ['110', '101', '101', '101', '110'],
    'E': ['111', '100', '110', '100', '111'],
    'F': ['111', '100', '110', '100', '100'],
    'G': ['011', '100', '101', '101', '011'],
    'H': ['101', '101', '111', '101', '101'],
    'I': ['111', '010', '010', '010', '111'],
    'J': ['001', '001', '001', '101', '010'],
    'K': ['101', '101', '110', '101', '101'],
    'L': ['100', '100', '100', '100', '111'],
    'M': ['10001', '11011', '10101', '10001', '10001'],
    'N': ['1001', '1101', '1011', '1001', '1001'],
    'O': ['0110', '1001', '1001', '1001', '0110'],
    'P': ['110', '101', '110', '100', '100'],
    'Q': ['0110', '1001', '1001', '1011', '0111'],
    'R': ['110', '101', '110', '101', '101'],
    'S': ['011', '100', '010', '001', '110'],
    'T': ['111', '010', '010', '010', '010'],
    'U': ['101', '101', '101', '101', '111'],
    'V': ['101', '101', '101', '101', '010'],
    'W': ['10001', '10001', '10101', '11011', '10001'],
    'X': ['101', '101', '010', '101', '101'],
    'Y': ['101', '101', '010', '010', '010'],
    'Z': ['111', '001', '010', '100', '111'],
    '0': ['010', '101', '101', '101', '010'],
    '1': ['010', '110', '010', '010', '111'],
    '2': ['110', '001', '010', '100', '111'],
    '3': ['110', '001', '010', '001', '110'],
    '4': ['101', '101', '111', '001', '001'],
    '5': ['111', '100', '110', '001', '110'],
    '6': ['011', '100', '110', '101', '010'],
    '7': ['111', '001', '010', '010', '010'],
    '8': ['010', '101', '010', '101', '010'],
    '9': ['010', '101', '011', '001', '110'],
    '-': ['000', '000', '111', '000', '000'],
    '+': ['000', '010', '111', '010', '000'],
    '/': ['001', '001', '010', '100', '100'],
    '.': ['0', '0', '0', '0', '1'],
    ':': ['0', '1', '0', '1', '0'],
    '<': ['001', '010', '100', '010', '001'],
    '>': ['100', '010', '001', '010', '100'],
    ' ': ['00', '00', '00', '00', '00'],
}


def pixel_text_width(text, spacing=1, scale=1):
    w = 0
    for i, ch in enumerate(text.upper()):
        w += len(PIXEL_GLYPHS.get(ch, PIXEL_GLYPHS[' '])[0])
        if i < len(text) - 1:
            w += spacing
    return w * scale


def draw_pixel_text(canvas, text, x, y, colour, align='left', spacing=1, scale=1, dot=None):
    """5-pixel capitals with whole-pixel strokes; (x, y) top-left, integers.
    scale > 1 draws each font pixel as a scale x scale block, or, with dot,
    as a round dot of that diameter (a dot-matrix display)."""
    w = pixel_text_width(text, spacing, scale)
    if align == 'center':
        x = x - w // 2
    elif align == 'right':
        x = x - w
    cx = x
    for ch in text.upper():
        rows = PIXEL_GLYPHS.get(ch, PIXEL_GLYPHS[' '])
        for j, row in enumerate(rows):
            for i, bit in enumerate(row):
                if bit != '1':
                    continue
                px = cx + i * scale
                py = y + j * scale
                if dot:
                    canvas.fill(raster.circle(px + scale / 2.0, py + scale / 2.0, dot / 2.0), colour)
                else:
                    canvas.fill_rect_int(px, py, px + scale, py + scale, colour)
        cx += (len(rows[0]) + spacing) * scale
    return w
