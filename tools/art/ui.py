"""The interface pictures of the program's resources: toolbar buttons and
their pressed twins, editor tabs, zone buttons, logos, the status display
panel, file icons, textures, check boxes, the activity indicator strip, the
cursors and the About icon. Sizes are the ones the panels place them at."""

import math
import os

from . import encode, font, icons, raster
from . import palette as P
from .raster import Canvas, rect, circle, ring, segment, polyline, polygon, linear, radial, rgb

# Toolbar buttons: name -> (width, height, pictogram).
BUTTONS = [
    ('PNG_BUT_RESCAN', 52, 26, icons.rescan),
    ('PNG_BUT_NEW', 33, 26, icons.new_file),
    ('PNG_BUT_SEND', 50, 27, icons.send),
    ('PNG_BUT_UPLOAD', 36, 26, icons.upload),
    ('PNG_BUT_DOWNLOAD', 38, 26, icons.download),
    ('PNG_BUT_VIEW', 57, 24, icons.view_toggle),
    ('PNG_BUT_LIBRARY', 48, 26, icons.library),
    ('PNG_BUT_INFO', 57, 24, icons.editor),
]

TABS = [('PNG_TAB_LEFT', 115, 18, 'left'), ('PNG_TAB_MID', 107, 18, 'mid'),
        ('PNG_TAB_RIGHT', 115, 18, 'right')]

ZONE_BUTTON_W = 66
ZONE_BUTTON_H = 15
ZONE_BUTTON_PITCH = 18
ZONE_BUTTONS = 8  # the largest zone limit a definition may give


# ---------------------------------------------------------------------------
# Textures (tileable in both directions)


def periodic_brushed(w, h, base, amount, seed, streak=32):
    """Brushed texture built only from periodic lattices (seamless tiles)."""
    cx = w // streak
    out = []
    for y in range(h):
        line = []
        for x in range(w):
            n = (0.45 * raster.value_noise(x / streak, y / 1.0, seed, cx, h) +
                 0.30 * raster.value_noise(x / (streak / 4.0), y / 2.0, seed + 1, cx * 4, h // 2) +
                 0.25 * raster.hash01(x % w, y % h, seed + 2))
            v = (n - 0.5) * amount
            line.append(tuple(raster.to8(raster.clamp01(base[i] + v)) for i in range(3)) + (255,))
        out.append(line)
    return out


def texture_background():
    return periodic_brushed(512, 64, P.ALU, 0.055, 11, 64)


def texture_light():
    return periodic_brushed(64, 64, P.ALU_LIGHT, 0.045, 21, 32)


def texture_dark():
    return periodic_brushed(64, 64, P.ALU_DARK, 0.05, 31, 32)


# ---------------------------------------------------------------------------
# Graphite buttons


def button_face(c, w, h, pressed, radius=4.0):
    """The button body filling the whole w x h image."""
    body = rect(0.5, 0.5, w - 0.5, h - 0.5, radius)
    # Contact shadow on the aluminium (inside the image: the rect is the item).
    if pressed:
        c.fill(body, linear(0, 0, 0, h, [(0, rgb('#1a1d22')), (1, rgb('#2a2f37'))]))
        c.fill(raster.subtract(body, rect(1.5, 2.6, w - 1.5, h - 0.5, radius - 1)),
               rgb('#000000', 0.35))
    else:
        c.fill(body, linear(0, 0, 0, h, [(0, rgb('#464d57')), (0.5, rgb('#353a42')),
                                          (1, rgb('#272b31'))]))
        # Top highlight and bottom edge.
        c.fill(raster.subtract(body, rect(0.5, 1.6, w - 0.5, h + 4, radius)),
               rgb('#ffffff', 0.16))
    c.fill(raster.subtract(body, rect(1.5, 1.5, w - 1.5, h - 1.5, radius - 1)),
           rgb('#0d0f12', 0.85))


def toolbar_button(w, h, pictogram, pressed):
    c = Canvas(w, h, ss=4)
    button_face(c, w, h, pressed)
    cx = w / 2.0
    cy = h / 2.0
    if pressed:
        # Lit pictogram with a soft glow, one pixel lower as if pushed.
        glow = Canvas(w, h, ss=4)
        pictogram(glow, cx, cy + 1, P.ACCENT)
        _glow_under(c, glow, P.ACCENT, 0.55)
        pictogram(c, cx, cy + 1, P.ACCENT_HI)
    else:
        pictogram(c, cx, cy + 0.6, rgb('#000000', 0.45))  # engraved shadow
        pictogram(c, cx, cy - 0.2, P.INK)
    return c.pixels()


def _glow_under(c, layer, colour, strength):
    """Add a blurred copy of layer's alpha in colour onto c (cheap box blur
    on samples, done at pixel resolution)."""
    rows = layer.pixels()
    h = len(rows)
    w = len(rows[0])
    alpha = [[p[3] / 255.0 for p in row] for row in rows]
    for _ in range(2):
        alpha = _box_blur(alpha, 2)
    for y in range(h):
        for x in range(w):
            a = alpha[y][x] * strength
            if a > 0.003:
                c.fill_rect_int(x, y, x + 1, y + 1, colour, alpha=min(1.0, a), mode='add')


def _box_blur(a, r):
    h = len(a)
    w = len(a[0])
    tmp = [[0.0] * w for _ in range(h)]
    for y in range(h):
        for x in range(w):
            s = 0.0
            n = 0
            for k in range(-r, r + 1):
                if 0 <= x + k < w:
                    s += a[y][x + k]
                    n += 1
            tmp[y][x] = s / (2 * r + 1)
    out = [[0.0] * w for _ in range(h)]
    for y in range(h):
        for x in range(w):
            s = 0.0
            for k in range(-r, r + 1):
                if 0 <= y + k < h:
                    s += tmp[y + k][x]
            out[y][x] = s / (2 * r + 1)
    return out


# ---------------------------------------------------------------------------
# Editor tabs: the program writes the label (dark text) centred at the top,
# so the faces stay light. The shown tab joins the white pane below it.


def tab(w, h, side, shown):
    c = Canvas(w, h, ss=4)
    r = 5.0
    # Rounded only at the strip's outer top corners.
    if side == 'left':
        body = raster.intersect(rect(0, 0, w + r, h + r, r), rect(0, 0, w, h))
    elif side == 'right':
        body = raster.intersect(rect(-r, 0, w, h + r, r), rect(0, 0, w, h))
    else:
        body = rect(0, 0, w, h)
    if shown:
        c.fill(body, linear(0, 0, 0, h, [(0, rgb('#fbfcfd')), (1, rgb('#ffffff'))]))
        c.fill(raster.intersect(body, rect(0, 0, w, 2.2)), P.ACCENT)
    else:
        c.fill(body, linear(0, 0, 0, h, [(0, rgb('#dfe4ea')), (1, rgb('#b9c1cb'))]))
        c.fill(raster.intersect(body, rect(0, 1, w, 2)), rgb('#ffffff', 0.55))
        # The pane's top edge runs under a tab that is not shown.
        c.fill(rect(0, h - 1, w, h), rgb('#2b3440', 0.55))
    c.fill(raster.subtract(body, _inner(side, w, h, r)), rgb('#2b3440', 0.65))
    return c.pixels()


def _inner(side, w, h, r):
    """The body shrunk by one pixel on the top and on the sides that carry a
    line (each tab draws its own right separator; the left tab also its left)."""
    x0 = 1 if side == 'left' else 0
    x1 = w - 1
    if side == 'left':
        return raster.intersect(rect(x0, 1, w + r, h + r, r - 1), rect(x0, 1, x1, h + 1))
    if side == 'right':
        return raster.intersect(rect(-r, 1, x1, h + r, r - 1), rect(0, 1, x1, h + 1))
    return rect(0, 1, x1, h + 1)


# ---------------------------------------------------------------------------
# Zone selector buttons: a vertical strip, one button per zone.


def zone_buttons(pressed):
    h = ZONE_BUTTON_PITCH * (ZONE_BUTTONS - 1) + ZONE_BUTTON_H
    c = Canvas(ZONE_BUTTON_W, h, ss=4)
    for z in range(ZONE_BUTTONS):
        y0 = z * ZONE_BUTTON_PITCH
        sub = Canvas(ZONE_BUTTON_W, ZONE_BUTTON_H, ss=4)
        button_face(sub, ZONE_BUTTON_W, ZONE_BUTTON_H, pressed, radius=3.5)
        label = 'ZONE %d' % (z + 1)
        if pressed:
            sub.fill(circle(9, ZONE_BUTTON_H / 2 + 0.5, 2.6), P.ACCENT, soft=3.0, alpha=0.8)
            sub.fill(circle(9, ZONE_BUTTON_H / 2 + 0.5, 1.9), P.ACCENT_HI)
            font.draw_pixel_text(sub, label, 38, 6, P.ACCENT_HI, align='center')
        else:
            sub.fill(circle(9, ZONE_BUTTON_H / 2, 1.9), rgb('#15181c'))
            sub.fill(circle(9, ZONE_BUTTON_H / 2, 1.2), rgb('#3d434c'))
            font.draw_pixel_text(sub, label, 38, 5, P.INK, align='center')
        c.draw(sub, 0, y0)
    return c.pixels()


# ---------------------------------------------------------------------------
# Logos and the status display


def emblem(c, cx, cy, r, accent=True):
    """The brand mark: a knob face with its value arc, a stylised pointer."""
    c.fill(circle(cx, cy, r), linear(0, cy - r, 0, cy + r, [(0, P.GRAPHITE_HI), (1, P.GRAPHITE_LO)]))
    c.fill(ring(cx, cy, r - 0.5, 1.0), rgb('#0d0f12', 0.7))
    arc_r = r * 0.68
    c.fill(raster.arc(cx, cy, arc_r, r * 0.16, 135, 405), rgb('#ffffff', 0.12))
    c.fill(raster.arc(cx, cy, arc_r, r * 0.16, 135, 330), P.ACCENT if accent else P.INK)
    a = math.radians(330)
    c.fill(segment(cx, cy, cx + math.cos(a) * r * 0.42, cy + math.sin(a) * r * 0.42, r * 0.14),
           P.INK)
    c.fill(circle(cx, cy, r * 0.12), P.INK)


def logo_top():
    w, h = 79, 47
    c = Canvas(w, h, ss=4)
    emblem(c, 39.5, 17, 14.5)
    font.draw_text(c, 'CORVANITH', 39.5, 37, 5.0, rgb('#1f2a36'), weight=1.0, tracking=1.5,
                   align='center')
    return c.pixels()


def logo_name():
    """The program's name; its first letter lit in the accent, like a
    power ring."""
    w, h = 58, 13
    c = Canvas(w, h, ss=4)
    size, weight, tracking = 8.2, 1.7, 1.9
    x = 29 - font.text_width('OSTREL', size, tracking) / 2.0
    rest = x + font.text_width('O ', size, tracking) - size / 6.0 * 2.4
    for dy, colour in ((0.8, rgb('#ffffff', 0.6)), (0.0, None)):
        font.draw_text(c, 'O', x, 1.6 + dy, size, colour or P.ACCENT_LO, weight=weight)
        font.draw_text(c, 'STREL', rest, 1.6 + dy, size, colour or rgb('#17212c'), weight=weight,
                       tracking=tracking)
    return c.pixels()


def logo_bottom():
    w, h = 200, 23
    c = Canvas(w, h, ss=4)
    x = 100
    font.draw_text(c, 'CORVANITH', x, 4.6, 6.0, rgb('#ffffff', 0.55), weight=1.15, tracking=2.6,
                   align='center')
    font.draw_text(c, 'CORVANITH', x, 4.0, 6.0, rgb('#1f2a36'), weight=1.15, tracking=2.6,
                   align='center')
    c.fill(rect(30, 13.5, 170, 14.3), rgb('#1f2a36', 0.35))
    c.fill(rect(93, 12.9, 107, 14.9, 0.9), P.ACCENT)
    font.draw_pixel_text(c, 'EDITOR AND LIBRARIAN', 100, 17, rgb('#3a4654'), align='center')
    return c.pixels()


def display_panel():
    """414 x 38: a dark bezel round a pale backlit glass. The middle columns
    are uniform left to right, because wider displays repeat them."""
    w, h = 414, 38
    c = Canvas(w, h, ss=3)
    c.fill(rect(0, 0, w, h, 5), linear(0, 0, 0, h, [(0, rgb('#1b1e23')), (1, rgb('#343a42'))]))
    c.fill(raster.subtract(rect(0, 0, w, h, 5), rect(0, 1, w, h, 5)), rgb('#000000', 0.3))
    c.fill(raster.subtract(rect(0, 0, w, h, 5), rect(0, 0, w, h - 1, 5)), rgb('#ffffff', 0.35))
    glass = rect(3.5, 3.5, w - 3.5, h - 2.5, 2.5)
    c.fill(glass, linear(0, 3, 0, h - 3, [(0, rgb('#e3eef0')), (0.45, rgb('#d3e3e6')),
                                           (1, rgb('#bcd1d6'))]))
    # Inner shadow along the top of the glass.
    c.fill(raster.subtract(glass, rect(3.5, 6.0, w - 3.5, h, 2.5)), rgb('#0b1a22', 0.22), soft=1.5)
    c.fill(raster.subtract(glass, rect(3.5, 4.6, w - 3.5, h, 2.5)), rgb('#0b1a22', 0.18))
    # A faint sheen in the upper half.
    c.fill(raster.intersect(glass, rect(0, 4.5, w, 15)), rgb('#ffffff', 0.18))
    return c.pixels()


# ---------------------------------------------------------------------------
# 12 x 12 file icons (drawn on white rows and on the title strip)


def file_icon(kind):
    c = Canvas(12, 12, ss=4)
    if kind in ('device', 'device_sel'):
        c.fill(rect(0, 2, 12, 11, 1.5), linear(0, 2, 0, 11, [(0, rgb('#4a515b')), (1, rgb('#23272d'))]))
        # Keys.
        c.fill(rect(1, 6.5, 11, 10, 0.5), rgb('#f4f6f8'))
        for x in (2.5, 4.0, 6.5, 8.0, 9.5):
            c.fill_rect_int(int(x), 7, int(x) + 1, 9, rgb('#23272d'))
        if kind == 'device_sel':
            c.fill(circle(2.5, 4.2, 1.9), P.ACCENT, soft=1.6)
            c.fill(circle(2.5, 4.2, 1.1), P.ACCENT_HI)
        else:
            c.fill(circle(2.5, 4.2, 1.1), rgb('#7d8792'))
        c.fill(rect(5, 3.6, 10.5, 4.8, 0.5), rgb('#8d97a3'))
    elif kind == 'user':
        page = polygon([(1.5, 0.5), (7.5, 0.5), (10.5, 3.5), (10.5, 11.5), (1.5, 11.5)])
        c.fill(page, rgb('#55616e'))
        c.fill(polygon([(2.5, 1.5), (7.0, 1.5), (9.5, 4.0), (9.5, 10.5), (2.5, 10.5)]), rgb('#ffffff'))
        c.fill(polygon([(7.0, 1.0), (7.0, 4.0), (10.0, 4.0)]), rgb('#c9d1da'))
        for y in (5.5, 7.5, 9.0):
            c.fill(rect(3.5, y - 0.45, 8.5, y + 0.45), P.ACCENT)
    elif kind == 'rom':
        c.fill(rect(2, 1, 10, 11, 1.2), linear(0, 1, 0, 11, [(0, rgb('#454c56')), (1, rgb('#1f2329'))]))
        for y in (2.5, 4.5, 6.5, 8.5):
            c.fill(rect(0, y, 2, y + 1), rgb('#9aa4af'))
            c.fill(rect(10, y, 12, y + 1), rgb('#9aa4af'))
        c.fill(circle(4, 3, 0.8), rgb('#9aa4af'))
        font.draw_pixel_text(c, 'R', 5, 5, rgb('#e4e9ee'))
    return c.pixels()


# ---------------------------------------------------------------------------
# 13 x 13 check boxes on the white editor pane (24-bit bitmaps)


def check_box(on, selected):
    c = Canvas(13, 13, ss=4, fill=P.WHITE)
    box = rect(0.5, 0.5, 12.5, 12.5, 2.5)
    if on:
        c.fill(box, linear(0, 0, 0, 13, [(0, rgb('#49b8f2')), (1, P.ACCENT_LO)]))
        c.fill(polyline([(3.3, 6.6), (5.5, 9.0), (9.8, 3.8)], 1.9), P.WHITE)
    else:
        c.fill(box, linear(0, 0, 0, 13, [(0, rgb('#e9edf1')), (1, rgb('#ffffff'))]))
    edge_colour = P.NAVY if selected else (P.ACCENT_LO if on else rgb('#7b8591'))
    width = 1.6 if selected else 1.0
    c.fill(raster.subtract(box, rect(0.5 + width, 0.5 + width, 12.5 - width, 12.5 - width,
                                     2.5 - width)), edge_colour)
    return raster.flatten(c.pixels(), (255, 255, 255))


# ---------------------------------------------------------------------------
# The activity indicator: 25 frames of 29 x 29, frame 24 idle.

FRAME = 29
LEDS = 12


def activity_frame(k):
    c = Canvas(FRAME, FRAME, ss=4, fill=rgb('#1a1d22'))
    mid = FRAME / 2.0
    c.fill(rect(0, 0, FRAME, FRAME), radial(mid, mid - 4, 22, [(0, rgb('#2b3038')), (1, rgb('#16191d'))]))
    active = k < 24
    if active:
        c.fill(circle(mid, mid, 8.5), P.ACCENT, alpha=0.16, soft=4)
    icons.midi_socket(c, mid, mid, 6.6, P.ACCENT_HI if active else rgb('#7e8893'),
                      P.ACCENT_HI if active else rgb('#7e8893'), 1.4)
    # A ring of LEDs; a bright head runs round in 24 steps with a fading tail.
    for i in range(LEDS):
        a = math.radians(-90 + i * 360.0 / LEDS)
        x = mid + math.cos(a) * 11.6
        y = mid + math.sin(a) * 11.6
        level = 0.0
        if active:
            head = k / 2.0  # LED position of the head, half-steps
            behind = (head - i) % LEDS
            level = max(0.0, 1.0 - behind / 4.0)
        c.fill(circle(x, y, 1.25), rgb('#0d0f12'))
        if level > 0:
            c.fill(circle(x, y, 2.4), P.ACCENT, alpha=level * 0.5, soft=2.0)
            c.fill(circle(x, y, 1.05), raster.mix(rgb('#20303c'), P.ACCENT_HI, level))
        else:
            c.fill(circle(x, y, 0.9), rgb('#39414b'))
    return c.pixels()


def activity_strip():
    return raster.hstack([activity_frame(k) for k in range(25)])


# ---------------------------------------------------------------------------
# Cursors (32 x 32, hotspot given with each)


def _arrow_pointer(c, x, y):
    pts = [(x, y), (x, y + 16), (x + 4, y + 12.2), (x + 6.8, y + 18.2), (x + 9.2, y + 17.1),
           (x + 6.5, y + 11.3), (x + 11.5, y + 11.3)]
    c.fill(raster.grow(polygon(pts), 1.0), P.BLACK)
    c.fill(polygon(pts), P.WHITE)


def cursor_drag(multiple):
    c = Canvas(32, 32, ss=4)
    _arrow_pointer(c, 1.5, 1.5)
    boxes = [(15, 19)] if not multiple else [(19, 15), (17, 17.5), (15, 20)]
    for bx, by in boxes:
        body = rect(bx, by, bx + 12, by + 9, 1.8)
        c.fill(raster.grow(body, 1.0), P.BLACK)
        c.fill(body, linear(0, by, 0, by + 9, [(0, rgb('#4a515b')), (1, rgb('#262a30'))]))
        c.fill(circle(bx + 4, by + 4.5, 2.2), P.ACCENT)
        c.fill(rect(bx + 7.5, by + 2.5, bx + 9.5, by + 6.5, 0.6), P.INK)
    return c.pixels(), (1, 1)


def _h_arrows(c, cx, cy, reach, gap, colour, outline):
    shapes = []
    for sgn in (-1, 1):
        tip = cx + sgn * reach
        base = cx + sgn * (reach - 5.5)
        shapes.append(polygon([(tip, cy), (base, cy - 5), (base, cy + 5)] if sgn > 0 else
                              [(tip, cy), (base, cy + 5), (base, cy - 5)]))
        shapes.append(rect(min(cx + sgn * gap, base), cy - 1.4, max(cx + sgn * gap, base), cy + 1.4))
    s = raster.union(*shapes)
    c.fill(raster.grow(s, 1.1), outline)
    c.fill(s, colour)


def cursor_zone_size():
    c = Canvas(32, 32, ss=4)
    bar = rect(14.5, 5, 17.5, 27, 0.6)
    c.fill(raster.grow(bar, 1.1), P.BLACK)
    c.fill(bar, P.WHITE)
    _h_arrows(c, 16, 16, 14, 2.6, P.WHITE, P.BLACK)
    return c.pixels(), (16, 16)


def cursor_zone_move():
    c = Canvas(32, 32, ss=4)
    bar = rect(9, 11.5, 23, 20.5, 2.2)
    c.fill(raster.grow(bar, 1.1), P.BLACK)
    c.fill(bar, rgb('#e05050'))
    c.fill(rect(10.2, 12.7, 21.8, 15.5, 1.4), rgb('#ffffff', 0.3))
    _h_arrows(c, 16, 16, 15, 8, P.WHITE, P.BLACK)
    return c.pixels(), (16, 16)


# ---------------------------------------------------------------------------
# The About icon at 16, 32 and 48 pixels


def app_icon(size):
    c = Canvas(size, size, ss=4)
    s = size / 48.0
    body = rect(2 * s, 2 * s, 46 * s, 46 * s, 9 * s)
    c.fill(body, linear(0, 0, 0, size, [(0, rgb('#4b535e')), (1, rgb('#1d2126'))]))
    c.fill(raster.subtract(body, rect(2 * s, 3.2 * s, 46 * s, 50 * s, 9 * s)), rgb('#ffffff', 0.25))
    # Keys along the bottom.
    keys = rect(7 * s, 31 * s, 41 * s, 42 * s, 1.6 * s)
    c.fill(keys, rgb('#f2f5f8'))
    for i in range(1, 6):
        x = 7 * s + i * 34 * s / 6
        c.fill(rect(x - 0.5 * max(s, 0.7), 31 * s, x + 0.5 * max(s, 0.7), 42 * s), rgb('#9aa3ad'))
    for i in (1, 2, 4, 5):
        x = 7 * s + i * 34 * s / 6
        c.fill(rect(x - 2.2 * s, 31 * s, x + 2.2 * s, 37.5 * s, 0.6 * s), rgb('#1d2126'))
    # A knob with its lit arc.
    cx, cy, r = 24 * s, 17.5 * s, 9.5 * s
    c.fill(raster.arc(cx, cy, r, 2.6 * s, 135, 405), rgb('#ffffff', 0.12))
    c.fill(raster.arc(cx, cy, r, 2.6 * s, 135, 320), P.ACCENT)
    c.fill(circle(cx, cy, 6 * s), linear(0, cy - 6 * s, 0, cy + 6 * s,
                                         [(0, rgb('#6a737e')), (1, rgb('#2b3037'))]))
    a = math.radians(320)
    c.fill(segment(cx, cy, cx + math.cos(a) * 4.6 * s, cy + math.sin(a) * 4.6 * s, 1.6 * s), P.INK)
    return c.pixels()


# ---------------------------------------------------------------------------


def write_all(root, log=print):
    """Write every interface picture under root/resources."""
    images = os.path.join(root, 'resources', 'images')
    bitmaps = os.path.join(root, 'resources', 'bitmaps')
    cursors = os.path.join(root, 'resources', 'cursors')
    icons_dir = os.path.join(root, 'resources', 'icons')
    for d in (images, bitmaps, cursors, icons_dir):
        os.makedirs(d, exist_ok=True)
    made = {}

    def png(name, rows):
        encode.write_png(os.path.join(images, name + '.png'), rows)
        made[name] = rows
        log('  ' + name)

    def bmp(name, rows):
        encode.write_bmp(os.path.join(bitmaps, name + '.bmp'), rows)
        made[name] = rows
        log('  ' + name)

    for name, w, h, pict in BUTTONS:
        png(name, toolbar_button(w, h, pict, False))
        png(name + '_PR', toolbar_button(w, h, pict, True))
    png('PNG_BUT_ZONES', zone_buttons(False))
    png('PNG_BUT_ZONES_PR', zone_buttons(True))
    for name, w, h, side in TABS:
        png(name, tab(w, h, side, False))
        png(name + '_PR', tab(w, h, side, True))
    png('PNG_LOGO_TOP', logo_top())
    png('PNG_LOGO_NAME', logo_name())
    png('PNG_LOGO_BOTTOM', logo_bottom())
    png('PNG_DISPLAY_PANEL', display_panel())
    png('PNG_FILE_DEVICE', file_icon('device'))
    png('PNG_FILE_DEVICE_SEL', file_icon('device_sel'))
    png('PNG_FILE_USER', file_icon('user'))
    png('PNG_FILE_ROM', file_icon('rom'))

    bmp('TEX_BACKGROUND', texture_background())
    bmp('TEX_ALLIGHT', texture_light())
    bmp('TEX_ALDARK', texture_dark())
    bmp('A_MIDIPLUG', activity_strip())
    bmp('BUT_OFF', check_box(False, False))
    bmp('BUT_ON', check_box(True, False))
    bmp('BUT_OFF_SEL', check_box(False, True))
    bmp('BUT_ON_SEL', check_box(True, True))

    for name, (rows, hot) in (('CUR_DRAG_SINGLE', cursor_drag(False)),
                              ('CUR_DRAG_MULTIPLE', cursor_drag(True)),
                              ('CUR_ZONESIZE', cursor_zone_size()),
                              ('CUR_ZONEMOVE', cursor_zone_move())):
        encode.write_cur(os.path.join(cursors, name + '.cur'), rows, hot)
        made[name] = rows
        log('  ' + name)
    # The program's icon at the sizes Explorer and the taskbar ask for.
    sizes = [app_icon(n) for n in (16, 24, 32, 48, 256)]
    encode.write_ico(os.path.join(icons_dir, 'IC_ABOUT.ico'), sizes)
    made['IC_ABOUT'] = sizes[3]
    log('  IC_ABOUT')
    return made
