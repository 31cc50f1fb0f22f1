"""A small anti-aliased rasteriser: signed-distance shapes filled onto a
supersampled canvas of premultiplied RGBA floats, then box-filtered down.

Shapes are described by a signed distance function in output pixels
(negative inside) and a bounding box; the coverage of one canvas sample is
0.5 - distance (in sample units), clamped, which gives smooth edges even
before the supersampling averages them again. Paints map a point to a
straight (not premultiplied) RGBA colour.

Everything is deterministic: noise comes from an integer hash, never from
the clock or a global random state.
"""

import math

# ---------------------------------------------------------------------------
# Colours


def rgb(hex_text, alpha=1.0):
    """'#rrggbb' -> (r, g, b, a) floats."""
    h = hex_text.lstrip('#')
    return (int(h[0:2], 16) / 255.0, int(h[2:4], 16) / 255.0, int(h[4:6], 16) / 255.0, alpha)


def mix(c0, c1, t):
    return tuple(c0[i] + (c1[i] - c0[i]) * t for i in range(4))


def clamp01(v):
    return 0.0 if v < 0.0 else (1.0 if v > 1.0 else v)


# ---------------------------------------------------------------------------
# Deterministic noise


def hash01(x, y, seed=0):
    """Integer lattice hash -> [0, 1)."""
    h = (x * 374761393 + y * 668265263 + seed * 2147483647) & 0xFFFFFFFF
    h = ((h ^ (h >> 13)) * 1274126177) & 0xFFFFFFFF
    h ^= h >> 16
    return (h & 0xFFFFFF) / float(0x1000000)


def value_noise(x, y, seed=0, period_x=0, period_y=0):
    """Smooth value noise on a unit lattice, optionally periodic (for tiles)."""
    x0 = math.floor(x)
    y0 = math.floor(y)
    fx = x - x0
    fy = y - y0
    x1 = x0 + 1
    y1 = y0 + 1
    if period_x:
        x0 %= period_x
        x1 %= period_x
    if period_y:
        y0 %= period_y
        y1 %= period_y
    sx = fx * fx * (3 - 2 * fx)
    sy = fy * fy * (3 - 2 * fy)
    a = hash01(x0, y0, seed)
    b = hash01(x1, y0, seed)
    c = hash01(x0, y1, seed)
    d = hash01(x1, y1, seed)
    return (a + (b - a) * sx) + ((c + (d - c) * sx) - (a + (b - a) * sx)) * sy


# ---------------------------------------------------------------------------
# Shapes: (sdf(x, y) -> distance, bbox (x0, y0, x1, y1))


class Shape:
    def __init__(self, sdf, bbox):
        self.sdf = sdf
        self.bbox = bbox

    def __or__(self, other):
        return union(self, other)

    def __and__(self, other):
        return intersect(self, other)

    def __sub__(self, other):
        return subtract(self, other)


def circle(cx, cy, r):
    def sdf(x, y):
        return math.hypot(x - cx, y - cy) - r

    return Shape(sdf, (cx - r, cy - r, cx + r, cy + r))


def rect(x0, y0, x1, y1, r=0.0):
    """Rounded rectangle from corner to corner, corner radius r."""
    cx = (x0 + x1) * 0.5
    cy = (y0 + y1) * 0.5
    hx = (x1 - x0) * 0.5 - r
    hy = (y1 - y0) * 0.5 - r

    def sdf(x, y):
        qx = abs(x - cx) - hx
        qy = abs(y - cy) - hy
        ox = qx if qx > 0 else 0.0
        oy = qy if qy > 0 else 0.0
        inside = qx if qx > qy else qy
        if inside > 0:
            inside = 0.0
        return math.hypot(ox, oy) + inside - r

    return Shape(sdf, (x0, y0, x1, y1))


def segment(ax, ay, bx, by, width):
    """A stroke of the given width with round caps (a capsule)."""
    hw = width * 0.5
    dx = bx - ax
    dy = by - ay
    ll = dx * dx + dy * dy

    def sdf(x, y):
        px = x - ax
        py = y - ay
        t = (px * dx + py * dy) / ll if ll else 0.0
        t = 0.0 if t < 0 else (1.0 if t > 1 else t)
        return math.hypot(px - dx * t, py - dy * t) - hw

    return Shape(sdf, (min(ax, bx) - hw, min(ay, by) - hw, max(ax, bx) + hw, max(ay, by) + hw))


def polyline(points, width, closed=False):
    """A stroked open (or closed) path with round joins and caps."""
    pts = list(points)
    if closed:
        pts.append(pts[0])
    segs = []
    for i in range(len(pts) - 1):
        ax, ay = pts[i]
        bx, by = pts[i + 1]
        dx = bx - ax
        dy = by - ay
        ll = dx * dx + dy * dy
        segs.append((ax, ay, dx, dy, 1.0 / ll if ll else 0.0, min(ax, bx), min(ay, by), max(ax, bx),
                     max(ay, by)))
    if not segs:
        segs.append((pts[0][0], pts[0][1], 0.0, 0.0, 0.0, pts[0][0], pts[0][1], pts[0][0],
                     pts[0][1]))
    hw = width * 0.5

    def sdf(x, y):
        best = 1e18
        for ax, ay, dx, dy, il, bx0, by0, bx1, by1 in segs:
            ex = bx0 - x if x < bx0 else (x - bx1 if x > bx1 else 0.0)
            ey = by0 - y if y < by0 else (y - by1 if y > by1 else 0.0)
            if ex * ex + ey * ey >= best:
                continue
            px = x - ax
            py = y - ay
            t = (px * dx + py * dy) * il
            if t < 0.0:
                t = 0.0
            elif t > 1.0:
                t = 1.0
            qx = px - dx * t
            qy = py - dy * t
            d = qx * qx + qy * qy
            if d < best:
                best = d
        return math.sqrt(best) - hw

    xs = [p[0] for p in pts]
    ys = [p[1] for p in pts]
    return Shape(sdf, (min(xs) - hw, min(ys) - hw, max(xs) + hw, max(ys) + hw))


def polygon(points):
    """Filled polygon (non-zero winding) with an exact signed distance."""
    pts = list(points)
    n = len(pts)

    def sdf(x, y):
        best = 1e18
        winding = 0
        for i in range(n):
            ax, ay = pts[i]
            bx, by = pts[(i + 1) % n]
            ex = bx - ax
            ey = by - ay
            wx = x - ax
            wy = y - ay
            ll = ex * ex + ey * ey
            t = (wx * ex + wy * ey) / ll if ll else 0.0
            t = 0.0 if t < 0 else (1.0 if t > 1 else t)
            qx = wx - ex * t
            qy = wy - ey * t
            d = qx * qx + qy * qy
            if d < best:
                best = d
            if ay <= y:
                if by > y and ex * wy - ey * wx > 0:
                    winding += 1
            elif by <= y and ex * wy - ey * wx < 0:
                winding -= 1
        d = math.sqrt(best)
        return -d if winding else d

    xs = [p[0] for p in pts]
    ys = [p[1] for p in pts]
    return Shape(sdf, (min(xs), min(ys), max(xs), max(ys)))


def arc_points(cx, cy, rx, ry, a0, a1, steps=None):
    """Points along an elliptical arc, angles in degrees (0 = right, 90 = down)."""
    if steps is None:
        steps = max(4, int(abs(a1 - a0) / 6))
    out = []
    for i in range(steps + 1):
        a = math.radians(a0 + (a1 - a0) * i / steps)
        out.append((cx + rx * math.cos(a), cy + ry * math.sin(a)))
    return out


def ring(cx, cy, r, width):
    hw = width * 0.5

    def sdf(x, y):
        return abs(math.hypot(x - cx, y - cy) - r) - hw

    R = r + hw
    return Shape(sdf, (cx - R, cy - R, cx + R, cy + R))


def arc(cx, cy, r, width, a0, a1):
    """A stroked circular arc with round ends, angles in degrees clockwise from +x."""
    return polyline(arc_points(cx, cy, r, r, a0, a1, max(8, int(abs(a1 - a0) / 3))), width)


def union(*shapes):
    """Union; children whose box is farther than the best distance so far are
    not evaluated (their box distance is a lower bound of their distance)."""
    items = [(s.sdf, s.bbox) for s in shapes]

    def sdf(x, y):
        best = 1e18
        for f, (bx0, by0, bx1, by1) in items:
            dx = bx0 - x if x < bx0 else (x - bx1 if x > bx1 else 0.0)
            dy = by0 - y if y < by0 else (y - by1 if y > by1 else 0.0)
            if dx > best or dy > best or (dx or dy) and math.hypot(dx, dy) > best:
                continue
            d = f(x, y)
            if d < best:
                best = d
        return best

    return Shape(sdf, bbox_union([s.bbox for s in shapes]))


def intersect(a, b):
    fa = a.sdf
    fb = b.sdf
    return Shape(lambda x, y: max(fa(x, y), fb(x, y)), bbox_intersect(a.bbox, b.bbox))


def subtract(a, b):
    fa = a.sdf
    fb = b.sdf
    return Shape(lambda x, y: max(fa(x, y), -fb(x, y)), a.bbox)


def grow(s, amount):
    f = s.sdf
    x0, y0, x1, y1 = s.bbox
    return Shape(lambda x, y: f(x, y) - amount,
                 (x0 - amount, y0 - amount, x1 + amount, y1 + amount))


def translate(s, dx, dy):
    f = s.sdf
    x0, y0, x1, y1 = s.bbox
    return Shape(lambda x, y: f(x - dx, y - dy), (x0 + dx, y0 + dy, x1 + dx, y1 + dy))


def bbox_union(boxes):
    return (min(b[0] for b in boxes), min(b[1] for b in boxes), max(b[2] for b in boxes),
            max(b[3] for b in boxes))


def bbox_intersect(a, b):
    return (max(a[0], b[0]), max(a[1], b[1]), min(a[2], b[2]), min(a[3], b[3]))


# ---------------------------------------------------------------------------
# Paints: callables (x, y) -> (r, g, b, a), or a plain colour tuple


def linear(x0, y0, x1, y1, stops):
    """Linear gradient; stops is a list of (t, colour)."""
    dx = x1 - x0
    dy = y1 - y0
    ll = dx * dx + dy * dy or 1.0

    def paint(x, y):
        return ramp(stops, ((x - x0) * dx + (y - y0) * dy) / ll)

    return paint


def radial(cx, cy, r, stops, sx=1.0, sy=1.0):
    def paint(x, y):
        return ramp(stops, math.hypot((x - cx) / sx, (y - cy) / sy) / r)

    return paint


def ramp(stops, t):
    if t <= stops[0][0]:
        return stops[0][1]
    for i in range(1, len(stops)):
        if t <= stops[i][0]:
            t0, c0 = stops[i - 1]
            t1, c1 = stops[i]
            f = (t - t0) / (t1 - t0) if t1 > t0 else 0.0
            return (c0[0] + (c1[0] - c0[0]) * f, c0[1] + (c1[1] - c0[1]) * f,
                    c0[2] + (c1[2] - c0[2]) * f, c0[3] + (c1[3] - c0[3]) * f)
    return stops[-1][1]


# ---------------------------------------------------------------------------
# Canvas


class Canvas:
    """w x h output pixels, held at ss x ss samples per pixel."""

    def __init__(self, w, h, ss=3, fill=None):
        self.w = w
        self.h = h
        self.ss = ss
        self.sw = w * ss
        self.sh = h * ss
        n = self.sw * self.sh
        c = fill or (0.0, 0.0, 0.0, 0.0)
        self.r = [c[0] * c[3]] * n
        self.g = [c[1] * c[3]] * n
        self.b = [c[2] * c[3]] * n
        self.a = [c[3]] * n

    # -- filling ------------------------------------------------------------

    def fill(self, shape, paint, alpha=1.0, soft=0.0, mode='over', clip=None):
        """Fill a shape. soft > 0 widens the edge ramp to that many output
        pixels (shadows, glows). mode: 'over', 'add' (light), 'erase',
        'tint' (recolour keeping alpha). clip: a shape to intersect with.

        The distance functions are true distances (or underestimates), so
        whole tiles and pixels far from the edge are decided from one
        evaluation; only edge pixels are sampled at every sample."""
        if clip is not None:
            shape = intersect(shape, clip)
        ss = self.ss
        inv = 1.0 / ss
        sdf = shape.sdf
        edge = soft if soft > 0 else inv
        half = edge * 0.5
        x0, y0, x1, y1 = shape.bbox
        px0 = max(0, int(math.floor(x0 - half - 1)))
        py0 = max(0, int(math.floor(y0 - half - 1)))
        px1 = min(self.w, int(math.ceil(x1 + half + 1)))
        py1 = min(self.h, int(math.ceil(y1 + half + 1)))
        if px0 >= px1 or py0 >= py1:
            return
        solid = isinstance(paint, tuple)
        T = 6
        tile_r = T * 0.7072
        pix_r = 0.7072
        offs = [(j * self.sw + i, (i + 0.5) * inv - 0.5, (j + 0.5) * inv - 0.5)
                for j in range(ss) for i in range(ss)]
        put = self._put
        for ty in range(py0, py1, T):
            for tx in range(px0, px1, T):
                tx1 = min(tx + T, px1)
                ty1 = min(ty + T, py1)
                cxm = (tx + tx1) * 0.5
                cym = (ty + ty1) * 0.5
                d = sdf(cxm, cym)
                if d > tile_r + half:
                    continue
                tile_inside = d < -(tile_r + half)
                for py in range(ty, ty1):
                    pyc = py + 0.5
                    for px in range(tx, tx1):
                        pxc = px + 0.5
                        base = (py * ss) * self.sw + px * ss
                        if tile_inside:
                            col = paint if solid else paint(pxc, pyc)
                            for o, _ox, _oy in offs:
                                put(base + o, col, alpha, mode)
                            continue
                        dp = sdf(pxc, pyc)
                        if dp > pix_r + half:
                            continue
                        if dp < -(pix_r + half):
                            col = paint if solid else paint(pxc, pyc)
                            for o, _ox, _oy in offs:
                                put(base + o, col, alpha, mode)
                            continue
                        if soft > 0:
                            cov = 0.5 - dp / edge
                            cov = 0.0 if cov < 0 else (1.0 if cov > 1 else cov)
                            if cov <= 0:
                                continue
                            col = paint if solid else paint(pxc, pyc)
                            a = alpha * cov
                            for o, _ox, _oy in offs:
                                put(base + o, col, a, mode)
                            continue
                        col = paint if solid else None
                        for o, ox, oy in offs:
                            ds = sdf(pxc + ox, pyc + oy)
                            if ds >= half:
                                continue
                            cov = 0.5 - ds / edge
                            if cov > 1.0:
                                cov = 1.0
                            c = col if solid else paint(pxc + ox, pyc + oy)
                            put(base + o, c, alpha * cov, mode)

    def _put(self, i, col, cov, mode):
        sa = col[3] * cov
        if sa <= 0.0:
            return
        R, G, B, A = self.r, self.g, self.b, self.a
        if mode == 'over':
            k = 1.0 - sa
            R[i] = col[0] * sa + R[i] * k
            G[i] = col[1] * sa + G[i] * k
            B[i] = col[2] * sa + B[i] * k
            A[i] = sa + A[i] * k
        elif mode == 'add':
            a = A[i]
            R[i] = min(a, R[i] + col[0] * sa * a)
            G[i] = min(a, G[i] + col[1] * sa * a)
            B[i] = min(a, B[i] + col[2] * sa * a)
        elif mode == 'erase':
            k = 1.0 - sa
            R[i] *= k
            G[i] *= k
            B[i] *= k
            A[i] *= k
        elif mode == 'tint':
            k = 1.0 - sa
            a = A[i]
            R[i] = col[0] * sa * a + R[i] * k
            G[i] = col[1] * sa * a + G[i] * k
            B[i] = col[2] * sa * a + B[i] * k

    def fill_rect_int(self, x0, y0, x1, y1, colour, alpha=1.0, mode='over'):
        """Whole output pixels x0 <= x < x1, y0 <= y < y1, full coverage."""
        ss = self.ss
        for py in range(max(0, y0), min(self.h, y1)):
            for px in range(max(0, x0), min(self.w, x1)):
                for j in range(ss):
                    base = (py * ss + j) * self.sw + px * ss
                    for i in range(base, base + ss):
                        self._put(i, colour, alpha, mode)

    def draw(self, other, dx, dy, alpha=1.0):
        """Composite another canvas of the same sample density at an integer
        output-pixel offset."""
        assert other.ss == self.ss
        ss = self.ss
        R, G, B, A = self.r, self.g, self.b, self.a
        oR, oG, oB, oA = other.r, other.g, other.b, other.a
        for oy in range(other.sh):
            ty = oy + dy * ss
            if ty < 0 or ty >= self.sh:
                continue
            for ox in range(other.sw):
                tx = ox + dx * ss
                if tx < 0 or tx >= self.sw:
                    continue
                j = oy * other.sw + ox
                sa = oA[j] * alpha
                if sa <= 0:
                    continue
                i = ty * self.sw + tx
                k = 1.0 - sa
                R[i] = oR[j] * alpha + R[i] * k
                G[i] = oG[j] * alpha + G[i] * k
                B[i] = oB[j] * alpha + B[i] * k
                A[i] = sa + A[i] * k

    # -- output -------------------------------------------------------------

    def pixels(self):
        """Box-filtered 8-bit straight RGBA rows: list of h lists of (r,g,b,a)."""
        ss = self.ss
        n = float(ss * ss)
        R, G, B, A = self.r, self.g, self.b, self.a
        rows = []
        for y in range(self.h):
            row = []
            for x in range(self.w):
                sr = sg = sb = sa = 0.0
                for j in range(ss):
                    base = (y * ss + j) * self.sw + x * ss
                    for i in range(base, base + ss):
                        sr += R[i]
                        sg += G[i]
                        sb += B[i]
                        sa += A[i]
                if sa <= 1e-9:
                    row.append((0, 0, 0, 0))
                    continue
                a = sa / n
                row.append((to8(sr / sa), to8(sg / sa), to8(sb / sa), to8(a)))
            rows.append(row)
        return rows


def to8(v):
    v = int(v * 255.0 + 0.5)
    return 0 if v < 0 else (255 if v > 255 else v)


# ---------------------------------------------------------------------------
# Helpers on finished 8-bit pixel rows


def flatten(rows, background):
    """Composite straight RGBA rows onto an opaque background colour (8-bit)."""
    br, bg, bb = background
    out = []
    for row in rows:
        o = []
        for r, g, b, a in row:
            o.append(((r * a + br * (255 - a) + 127) // 255, (g * a + bg * (255 - a) + 127) // 255,
                      (b * a + bb * (255 - a) + 127) // 255, 255))
        out.append(o)
    return out


def crop(rows, x, y, w, h):
    return [row[x:x + w] for row in rows[y:y + h]]


def blank(w, h, colour=(0, 0, 0, 0)):
    return [[colour] * w for _ in range(h)]


def hstack(images):
    h = max(len(im) for im in images)
    out = [[] for _ in range(h)]
    for im in images:
        w = len(im[0])
        for y in range(h):
            out[y].extend(im[y] if y < len(im) else [(0, 0, 0, 0)] * w)
    return out
