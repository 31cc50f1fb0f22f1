"""Hardware parts shared by the device models: the four pictures of each
controller type (background, background selected, normal, selected), the
keyboard, and the finishing of a device picture.

How the program draws a control (graphic view): the type's background
picture is copied opaquely, centred on the control's first centre; the
normal (or selected) picture is drawn on top, centred on the second centre,
with the definition's `colour` as the transparent colour. So:

- backgrounds are drawn here on a flat field of exactly the panel colour,
  which the device panel must show around every control;
- overlays are drawn over the very background content they will sit on, and
  every pixel the overlay does not touch is left fully transparent (it
  becomes the key colour when the program composites it). The overlay's
  soft edges and shadows are therefore already mixed with what is under
  them, and no halo of the key colour appears round a knob.
"""

import math

from . import raster
from . import palette as P
from .raster import Canvas, rect, circle, ring, segment, polyline, polygon, linear, radial, rgb

SS = 4  # samples per pixel for control pictures


class Pictures:
    """The four pictures of one controller type and their geometry."""

    def __init__(self, background, background_selected, normal, selected, overlay_offset=(0, 0)):
        self.background = background
        self.background_selected = background_selected
        self.normal = normal
        self.selected = selected
        # Offset of the overlay centre from the background centre used when
        # the overlay was drawn (the definition may move it per control).
        self.overlay_offset = overlay_offset

    def size(self, which):
        rows = getattr(self, which)
        return (len(rows[0]), len(rows)) if rows else (0, 0)


def _overlay(cap_rows, base_rows):
    """Keyed overlay: cap composited over base where the cap has coverage,
    fully transparent elsewhere."""
    out = []
    for crow, brow in zip(cap_rows, base_rows):
        line = []
        for c, b in zip(crow, brow):
            a = c[3]
            if a == 0:
                line.append((0, 0, 0, 0))
            else:
                line.append(((c[0] * a + b[0] * (255 - a) + 127) // 255,
                             (c[1] * a + b[1] * (255 - a) + 127) // 255,
                             (c[2] * a + b[2] * (255 - a) + 127) // 255, 255))
        out.append(line)
    return out


def build(panel, bg_size, ov_size, draw_bg, draw_cap, draw_base=None, offset=(0, 0)):
    """Render a type's four pictures.

    draw_bg(canvas, selected) draws the background content over the panel
    colour; draw_cap(canvas, selected) the overlay on a transparent canvas;
    draw_base(canvas, selected), when given, draws what the overlay sits on
    (for overlays that move along their background, like fader caps),
    otherwise the background under the overlay's place is used."""
    bw, bh = bg_size
    ow, oh = ov_size
    result = {}
    for sel in (False, True):
        bgc = Canvas(bw, bh, ss=SS, fill=panel)
        draw_bg(bgc, sel)
        bg_rows = bgc.pixels()
        if draw_base is not None:
            basec = Canvas(ow, oh, ss=SS, fill=panel)
            draw_base(basec, sel)
            base_rows = basec.pixels()
        else:
            ox = int((bw / 2.0 + offset[0]) - ow / 2.0 + 0.5)
            oy = int((bh / 2.0 + offset[1]) - oh / 2.0 + 0.5)
            base_rows = raster.crop(bg_rows, ox, oy, ow, oh)
        capc = Canvas(ow, oh, ss=SS)
        draw_cap(capc, sel)
        result[sel] = (bg_rows, _overlay(capc.pixels(), base_rows))
    return Pictures(result[False][0], result[True][0], result[False][1], result[True][1], offset)


# ---------------------------------------------------------------------------
# Knob


def knob(panel, cap_r, tick_r, ticks=11, pointer_deg=270.0):
    """A knob with a dotted scale. cap_r: radius of the cap; tick_r: radius
    of the scale dots. Background and overlay share their centre."""
    dot = max(0.75, cap_r * 0.09)
    bs = int(math.ceil(2 * (tick_r + dot * 1.4) + 1.5))
    bs += bs % 2
    os_ = int(math.ceil(cap_r * 2 + cap_r * 0.35 + 3))
    os_ += os_ % 2

    def draw_bg(c, sel):
        m = bs / 2.0
        # The well the knob stands in.
        c.fill(circle(m, m + cap_r * 0.08, cap_r * 1.08), rgb('#000000', 0.55), soft=cap_r * 0.3)
        for i in range(ticks):
            a = math.radians(135 + 270.0 * i / (ticks - 1))
            x = m + math.cos(a) * tick_r
            y = m + math.sin(a) * tick_r
            big = i in (0, ticks // 2, ticks - 1)
            d = dot * (1.35 if big else 1.0)
            if sel:
                c.fill(circle(x, y, d * 1.8), P.ACCENT, alpha=0.5, soft=d * 1.6)
                c.fill(circle(x, y, d), P.ACCENT_HI)
            else:
                c.fill(circle(x, y, d), rgb('#a3acb6', 0.9 if big else 0.7))

    def draw_cap(c, sel):
        m = os_ / 2.0
        r = cap_r
        # Contact shadow.
        c.fill(circle(m, m + r * 0.12, r * 1.02), rgb('#000000', 0.6), soft=r * 0.25)
        # Skirt with fine knurling.
        c.fill(circle(m, m, r), linear(0, m - r, 0, m + r, [(0, rgb('#3b414a')), (1, rgb('#15181c'))]))
        knurl = []
        for i in range(36):
            a = math.radians(i * 10)
            knurl.append(segment(m + math.cos(a) * r * 0.84, m + math.sin(a) * r * 0.84,
                                 m + math.cos(a) * r * 0.98, m + math.sin(a) * r * 0.98, r * 0.05))
        c.fill(raster.union(*knurl), rgb('#000000', 0.35))
        # Cap top: a soft dome lit from above left.
        top = r * 0.76
        c.fill(circle(m, m, top), radial(m - top * 0.35, m - top * 0.45, top * 1.7,
                                         [(0, rgb('#6b7480')), (0.55, rgb('#3c424b')),
                                          (1, rgb('#262a30'))]))
        c.fill(ring(m, m, top - 0.3, 0.6), rgb('#ffffff', 0.18))
        c.fill(raster.arc(m, m, r - 0.45, 0.7, 200, 340), rgb('#ffffff', 0.22))
        a = math.radians(pointer_deg)
        x0 = m + math.cos(a) * top * 0.25
        y0 = m + math.sin(a) * top * 0.25
        x1 = m + math.cos(a) * (r - 0.9)
        y1 = m + math.sin(a) * (r - 0.9)
        if sel:
            c.fill(segment(x0, y0, x1, y1, r * 0.34), P.ACCENT, alpha=0.55, soft=r * 0.3)
            c.fill(segment(x0, y0, x1, y1, max(1.3, r * 0.16)), P.ACCENT_HI)
            c.fill(ring(m, m, r + 0.2, max(1.0, r * 0.09)), P.ACCENT, alpha=0.9)
        else:
            c.fill(segment(x0, y0, x1, y1, max(1.3, r * 0.16)), rgb('#eef1f4'))

    return build(panel, (bs, bs), (os_, os_), draw_bg, draw_cap)


# ---------------------------------------------------------------------------
# Fader


def fader(panel, travel, cap_w, cap_h, width, tick_every=None):
    """A vertical fader: background = slot with its scale, overlay = cap.
    travel: slot length in pixels; width: background width."""
    bw = width
    bh = int(travel + cap_h + 4)
    bh += bh % 2
    ow = int(cap_w + 4)
    oh = int(cap_h + 5)
    slot_w = max(3.0, cap_w * 0.22)
    if tick_every is None:
        tick_every = travel / 10.0

    def slot(c, x, y0, y1, sel):
        c.fill(rect(x - slot_w / 2 - 0.6, y0 - 0.6, x + slot_w / 2 + 0.6, y1 + 0.6, slot_w / 2 + 0.6),
               rgb('#ffffff', 0.07))
        c.fill(rect(x - slot_w / 2, y0, x + slot_w / 2, y1, slot_w / 2), rgb('#07080a'))
        if sel:
            c.fill(rect(x - slot_w * 0.22, y0 + 1, x + slot_w * 0.22, y1 - 1, slot_w * 0.2), P.ACCENT,
                   alpha=0.9)
            c.fill(rect(x - slot_w, y0, x + slot_w, y1, slot_w), P.ACCENT, alpha=0.25,
                   soft=slot_w * 1.5)

    def draw_bg(c, sel):
        x = bw / 2.0
        y0 = bh / 2.0 - travel / 2.0
        y1 = bh / 2.0 + travel / 2.0
        slot(c, x, y0, y1, sel)
        n = int(round(travel / tick_every))
        for i in range(n + 1):
            y = y0 + travel * i / n
            long_ = i in (0, n // 2, n)
            length = (bw / 2.0 - cap_w / 2.0 - 1.0) * (1.0 if long_ else 0.6)
            colour = P.ACCENT_HI if sel else rgb('#9ca5af', 0.85 if long_ else 0.6)
            for sgn in (-1, 1):
                xa = x + sgn * (cap_w / 2.0 + 1.0)
                c.fill(segment(xa, y, xa + sgn * length, y, 0.8), colour)

    def draw_base(c, sel):
        slot(c, ow / 2.0, -4, oh + 4, sel)

    def draw_cap(c, sel):
        mx = ow / 2.0
        my = oh / 2.0
        body = rect(mx - cap_w / 2, my - cap_h / 2, mx + cap_w / 2, my + cap_h / 2, 1.6)
        c.fill(raster.translate(body, 0, 1.2), rgb('#000000', 0.6), soft=2.0)
        c.fill(body, linear(0, my - cap_h / 2, 0, my + cap_h / 2,
                            [(0, rgb('#5a626d')), (0.45, rgb('#353b43')), (0.55, rgb('#2a2f36')),
                             (1, rgb('#1a1d22'))]))
        c.fill(rect(mx - cap_w / 2, my - cap_h / 2, mx + cap_w / 2, my - cap_h / 2 + 0.8, 0.4),
               rgb('#ffffff', 0.25))
        line = rect(mx - cap_w / 2 + 1.2, my - 0.55, mx + cap_w / 2 - 1.2, my + 0.55)
        if sel:
            c.fill(line, P.ACCENT, alpha=0.7, soft=2.2)
            c.fill(line, P.ACCENT_HI)
            c.fill(raster.subtract(body, raster.grow(body, -0.9)), P.ACCENT, alpha=0.85)
        else:
            c.fill(line, rgb('#eef1f4'))

    return build(panel, (bw, bh), (ow, oh), draw_bg, draw_cap, draw_base)


# ---------------------------------------------------------------------------
# Wheels (pitch and modulation) and touch strips


def wheel(panel, w, h, centre_mark):
    bw = int(w + 8)
    bh = int(h + 10)
    ow = int(w + 2)
    oh = int(h + 2)

    def draw_bg(c, sel):
        mx = bw / 2.0
        my = bh / 2.0
        well = rect(mx - w / 2 - 2, my - h / 2 - 3, mx + w / 2 + 2, my + h / 2 + 3, 3.0)
        c.fill(raster.grow(well, 0.8), rgb('#ffffff', 0.07))
        c.fill(well, rgb('#0a0b0d'))
        if sel:
            c.fill(raster.subtract(well, raster.grow(well, -1.1)), P.ACCENT)
            c.fill(well, P.ACCENT, alpha=0.35, soft=3.0, clip=raster.grow(well, 3))

    def draw_cap(c, sel):
        mx = ow / 2.0
        my = oh / 2.0
        body = rect(mx - w / 2, my - h / 2, mx + w / 2, my + h / 2, w * 0.3)
        c.fill(body, linear(0, my - h / 2, 0, my + h / 2,
                            [(0, rgb('#121418')), (0.3, rgb('#4a525c')), (0.5, rgb('#5a636e')),
                             (0.7, rgb('#4a525c')), (1, rgb('#121418'))]))
        ribs = []
        k = 3.0
        y = my - h / 2 + k
        while y < my + h / 2 - k / 2:
            ribs.append(segment(mx - w / 2 + 1.0, y, mx + w / 2 - 1.0, y, 0.8))
            y += k
        c.fill(raster.union(*ribs), rgb('#000000', 0.35), clip=body)
        if centre_mark:
            c.fill(rect(mx - w / 2 + 0.6, my - 0.8, mx + w / 2 - 0.6, my + 0.8),
                   P.ACCENT_HI if sel else rgb('#e6eaee'))
        elif sel:
            c.fill(rect(mx - w / 2 + 0.6, my - 0.6, mx + w / 2 - 0.6, my + 0.6), P.ACCENT_HI)
        if sel:
            c.fill(raster.subtract(body, raster.grow(body, -0.9)), P.ACCENT)

    return build(panel, (bw, bh), (ow, oh), draw_bg, draw_cap)


def touch_strip(panel, w, h, leds):
    """A glass strip with a column of LEDs; the overlay is the lit segment
    that marks the strip's rest position (its centre)."""
    bw = int(w + 6)
    bh = int(h + 6)
    seg_h = h / float(leds)
    ow = int(w + 2)
    oh = int(seg_h * 3 + 2)

    def draw_bg(c, sel):
        mx = bw / 2.0
        my = bh / 2.0
        body = rect(mx - w / 2, my - h / 2, mx + w / 2, my + h / 2, w / 2.0)
        c.fill(raster.grow(body, 1.0), rgb('#ffffff', 0.08))
        c.fill(body, linear(mx - w / 2, 0, mx + w / 2, 0,
                            [(0, rgb('#0b0c0f')), (0.5, rgb('#1b1f24')), (1, rgb('#0b0c0f'))]))
        for i in range(leds):
            y = my - h / 2 + seg_h * (i + 0.5)
            c.fill(rect(mx - w * 0.18, y - seg_h * 0.22, mx + w * 0.18, y + seg_h * 0.22, 0.8),
                   P.ACCENT if sel else rgb('#2c333b'), alpha=0.55 if sel else 1.0)
        if sel:
            c.fill(raster.subtract(body, raster.grow(body, -1.0)), P.ACCENT)

    def draw_cap(c, sel):
        mx = ow / 2.0
        my = oh / 2.0
        for k in (-1, 0, 1):
            y = my + k * seg_h
            lvl = 1.0 if k == 0 else 0.45
            c.fill(rect(mx - w * 0.18, y - seg_h * 0.22, mx + w * 0.18, y + seg_h * 0.22, 0.8),
                   P.ACCENT_HI if (sel or k == 0) else P.ACCENT, alpha=lvl)
        c.fill(rect(mx - w * 0.3, my - seg_h * 0.5, mx + w * 0.3, my + seg_h * 0.5, 1.0),
               P.ACCENT, alpha=0.35, soft=seg_h)

    return build(panel, (bw, bh), (ow, oh), draw_bg, draw_cap)


# ---------------------------------------------------------------------------
# Buttons and pads


def button(panel, w, h, led=False):
    """A rubber button in a shallow well, optionally with a status LED above."""
    led_space = 5 if led else 0
    bw = int(w + 6)
    bh = int(h + 6 + led_space * 2)
    ow = int(w + 2)
    oh = int(h + 3)

    def draw_bg(c, sel):
        mx = bw / 2.0
        my = bh / 2.0
        well = rect(mx - w / 2 - 1.2, my - h / 2 - 1.2, mx + w / 2 + 1.2, my + h / 2 + 1.2, 2.6)
        c.fill(well, rgb('#0c0d10'))
        c.fill(raster.subtract(raster.grow(well, 0.7), well), rgb('#ffffff', 0.06))
        if led:
            ly = my - h / 2 - 1.2 - led_space / 2.0 - 0.5
            if sel:
                c.fill(circle(mx, ly, 3.0), P.ACCENT, alpha=0.6, soft=3.0)
                c.fill(circle(mx, ly, 1.2), P.ACCENT_HI)
            else:
                c.fill(circle(mx, ly, 1.2), rgb('#14171b'))
                c.fill(circle(mx, ly - 0.3, 0.6), rgb('#ffffff', 0.18))
        if sel:
            c.fill(well, P.ACCENT, alpha=0.5, soft=2.5, clip=raster.grow(well, 2.5))

    def draw_cap(c, sel):
        mx = ow / 2.0
        my = oh / 2.0 - 0.5
        body = rect(mx - w / 2, my - h / 2, mx + w / 2, my + h / 2, 2.0)
        c.fill(raster.translate(body, 0, 1.0), rgb('#000000', 0.55), soft=1.2)
        if sel:
            c.fill(body, linear(0, my - h / 2, 0, my + h / 2, [(0, rgb('#7fd0fa')),
                                                               (1, rgb('#1c8fcf'))]))
            c.fill(rect(mx - w / 2 + 1, my - h / 2 + 0.6, mx + w / 2 - 1, my - h / 2 + 1.4, 0.5),
                   rgb('#ffffff', 0.45))
        else:
            c.fill(body, linear(0, my - h / 2, 0, my + h / 2, [(0, rgb('#5b636e')),
                                                               (1, rgb('#343a42'))]))
            c.fill(rect(mx - w / 2 + 1, my - h / 2 + 0.6, mx + w / 2 - 1, my - h / 2 + 1.4, 0.5),
                   rgb('#ffffff', 0.2))

    return build(panel, (bw, bh), (ow, oh), draw_bg, draw_cap)


def pad(panel, size):
    """A velocity pad: a soft square in a recessed well, backlit when selected."""
    s = size
    bs = int(s + 6)
    os_ = int(s + 2)
    rr = s * 0.12

    def draw_bg(c, sel):
        m = bs / 2.0
        well = rect(m - s / 2 - 1.6, m - s / 2 - 1.6, m + s / 2 + 1.6, m + s / 2 + 1.6, rr + 1.6)
        c.fill(raster.subtract(raster.grow(well, 0.8), well), rgb('#ffffff', 0.07))
        c.fill(well, rgb('#0b0c0f'))
        if sel:
            c.fill(well, P.ACCENT, alpha=0.9, soft=2.2, clip=raster.grow(well, 2.2))

    def draw_cap(c, sel):
        m = os_ / 2.0
        body = rect(m - s / 2, m - s / 2, m + s / 2, m + s / 2, rr)
        if sel:
            c.fill(body, radial(m, m, s * 0.75, [(0, rgb('#b9e6ff')), (0.55, rgb('#3cb3f0')),
                                                 (1, rgb('#137cc0'))]))
        else:
            c.fill(body, radial(m, m - s * 0.2, s * 0.85, [(0, rgb('#4d555f')), (1, rgb('#2c3138'))]))
        c.fill(raster.subtract(body, raster.translate(body, 0, 0.9)), rgb('#ffffff', 0.22))
        c.fill(raster.subtract(body, raster.translate(body, 0, -0.9)), rgb('#000000', 0.35))

    return build(panel, (bs, bs), (os_, os_), draw_bg, draw_cap)


# ---------------------------------------------------------------------------
# Keyboard

BLACK_PCS = (1, 3, 6, 8, 10)
# Offsets of the black keys' left edges within their octave, as fractions of
# a white key (C#, D#, F#, G#, A#), as on a real keybed.
BLACK_LEFT = {1: 0.60, 3: 1.78, 6: 3.58, 8: 4.68, 10: 5.78}


def key_layout(x0, white_w, count, first_pc=0, black_w_ratio=0.58):
    """Key rectangles (x0, x1, is_black) left to right for `count` keys."""
    keys = []
    wi = 0
    octave_x = x0
    pc = first_pc
    bw = white_w * black_w_ratio
    for _ in range(count):
        if pc in BLACK_PCS:
            left = octave_x + BLACK_LEFT[pc] * white_w
            keys.append((left, left + bw, True))
        else:
            left = octave_x + wi * white_w
            keys.append((left, left + white_w, False))
            wi += 1
        pc += 1
        if pc == 12:
            pc = 0
            wi = 0
            octave_x += 7 * white_w
    return keys


def draw_keyboard(c, x0, y0, white_w, white_len, black_len, count, first_pc=0, gap=1.0):
    keys = key_layout(x0, white_w, count, first_pc)
    for kx0, kx1, black in keys:
        if black:
            continue
        body = rect(kx0 + gap / 2, y0, kx1 - gap / 2, y0 + white_len, white_w * 0.08)
        c.fill(body, linear(0, y0, 0, y0 + white_len,
                            [(0, rgb('#c9ced4')), (0.06, rgb('#eef0f2')), (0.9, rgb('#fbfbfc')),
                             (1, rgb('#dfe2e6'))]))
        c.fill(rect(kx0 + gap / 2, y0 + white_len - white_len * 0.05, kx1 - gap / 2, y0 + white_len,
                    white_w * 0.08), rgb('#9aa1aa', 0.45))
    for kx0, kx1, black in keys:
        if not black:
            continue
        w = kx1 - kx0
        body = rect(kx0, y0 - 1, kx1, y0 + black_len, w * 0.12)
        c.fill(raster.translate(body, 0.8, 1.5), rgb('#000000', 0.45), soft=2.5)
        c.fill(body, linear(0, y0, 0, y0 + black_len,
                            [(0, rgb('#111316')), (0.85, rgb('#24282e')), (1, rgb('#3a4048'))]))
        top = rect(kx0 + w * 0.14, y0, kx1 - w * 0.14, y0 + black_len * 0.86, w * 0.1)
        c.fill(top, linear(kx0, 0, kx1, 0, [(0, rgb('#1d2126')), (0.5, rgb('#2c3138')),
                                             (1, rgb('#1d2126'))]))
    return keys


# ---------------------------------------------------------------------------
# Composing a device picture


def place(control_rect_left_top, rows, dst):
    """Composite straight RGBA rows at an integer position (alpha-aware)."""
    x, y = control_rect_left_top
    for j, row in enumerate(rows):
        if not 0 <= y + j < len(dst):
            continue
        d = dst[y + j]
        for i, p in enumerate(row):
            if not 0 <= x + i < len(d):
                continue
            a = p[3]
            if a == 255:
                d[x + i] = p
            elif a:
                q = d[x + i]
                qa = q[3]
                oa = a + qa * (255 - a) // 255
                if oa == 0:
                    continue
                d[x + i] = tuple((p[k] * a + q[k] * qa * (255 - a) // 255) // oa
                                 for k in range(3)) + (oa,)


def rect_for(centre, size, scale=1.0):
    """The rectangle the graphic view computes for a picture of `size`
    centred on `centre` (picture coordinates with bounds at 0, 0)."""
    cx, cy = centre
    w, h = size
    return (int((cx - w / 2.0) * scale + 0.5), int((cy - h / 2.0) * scale + 0.5),
            int((cx + w / 2.0) * scale + 0.5), int((cy + h / 2.0) * scale + 0.5))
