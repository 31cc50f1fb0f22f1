"""Corvanith Sprite 25: a compact controller with 25 mini keys, 16 pads,
8 knobs, two touch strips and transport buttons; no keyboard zones.

The picture is 1240 x 384, much wider than high: in the graphic view's
586 x 409 pane it is shown at the height-based scale, (409 - 8 - 17) / 384 =
1.0 with the usual 17-pixel scroll bar, and scrolls horizontally. All geometry is here; the definition's positions are written
from it.
"""

from .. import font, hardware, raster
from .. import palette as P
from ..raster import rect, circle, polygon, linear, rgb
from .base import Control, ControllerType, Model

W, H = 1240, 384
PANEL = rgb('#2c3642')

RIM = 12                                  # body rim round the panel
KEYS_X0, WHITE_W = 630, 39                # 15 white keys: 630 .. 1215
KEYS_TOP, WHITE_LEN, BLACK_LEN = 152, 206, 128
KNOB_X0, KNOB_PITCH, KNOB_Y = 380, 114, 70
PAD_X0, PAD_Y0, PAD_PITCH = 380, 150, 62
TRANSPORT_X = (68, 133, 198)
TRANSPORT_Y = (212, 282)
STRIP_X = (268, 312)
STRIP_Y = 262


def _types():
    knob = hardware.knob(PANEL, cap_r=18.5, tick_r=26.0, ticks=11)
    strip = hardware.touch_strip(PANEL, 22, 180, 15)
    pad = hardware.pad(PANEL, 54)
    trn = hardware.button(PANEL, 40, 20, led=False)
    cont = '0-119, 128-129, 140-141, 255'
    return {
        'Knob': ControllerType('Knob', True, False, 0, 127, cont, knob, 'knob'),
        'Touch Strip': ControllerType('Touch Strip', True, False, 0, 127, '0-119, 128-129, 255', strip,
                                      'touch_strip'),
        'Pad': ControllerType('Pad', False, True, 0, 127, '0-127, 129-131, 255', pad, 'pad'),
        'Transport': ControllerType('Transport', False, True, 0, 127, '0-127, 130, 133-138, 255',
                                    trn, 'transport'),
    }


TRANSPORT = ['Rewind', 'Fast Forward', 'Stop', 'Play', 'Record', 'Loop']


def _controls(t):
    cs = []
    cid = 1
    for i in range(8):
        cs.append(Control('Knob %d' % (i + 1), t['Knob'], cid, KNOB_X0 + i * KNOB_PITCH, KNOB_Y))
        cid += 1
    for name, x in zip(('Pitch Strip', 'Mod Strip'), STRIP_X):
        cs.append(Control(name, t['Touch Strip'], cid, x, STRIP_Y))
        cid += 1
    # Pads numbered from the bottom-left, as on most pad grids.
    for i in range(16):
        row = 3 - i // 4
        col = i % 4
        cs.append(Control('Pad %d' % (i + 1), t['Pad'], cid, PAD_X0 + col * PAD_PITCH,
                          PAD_Y0 + row * PAD_PITCH))
        cid += 1
    for i, name in enumerate(TRANSPORT):
        cs.append(Control(name, t['Transport'], cid, TRANSPORT_X[i % 3], TRANSPORT_Y[i // 3]))
        cid += 1
    return cs


def _symbol(c, kind, x, y, colour, s=6.0):
    if kind == 'Rewind':
        c.fill(polygon([(x, y - s), (x, y + s), (x - s * 1.3, y)]), colour)
        c.fill(polygon([(x + s * 1.3, y - s), (x + s * 1.3, y + s), (x, y)]), colour)
    elif kind == 'Fast Forward':
        c.fill(polygon([(x - s * 1.3, y - s), (x - s * 1.3, y + s), (x, y)]), colour)
        c.fill(polygon([(x, y - s), (x, y + s), (x + s * 1.3, y)]), colour)
    elif kind == 'Stop':
        c.fill(rect(x - s * 0.85, y - s * 0.85, x + s * 0.85, y + s * 0.85, 0.8), colour)
    elif kind == 'Play':
        c.fill(polygon([(x - s * 0.8, y - s), (x - s * 0.8, y + s), (x + s * 1.0, y)]), colour)
    elif kind == 'Record':
        c.fill(circle(x, y, s * 0.95), rgb('#e05a4f'))
    elif kind == 'Loop':
        c.fill(raster.arc(x, y, s * 0.95, 2.0, 30, 300), colour)
        c.fill(polygon([(x + s * 1.6, y - s * 0.5), (x + s * 0.3, y - s * 0.5),
                        (x + s * 0.95, y + s * 0.4)]), colour)


class Sprite(Model):
    folder = 'Sprite 25.eld'
    name = 'Corvanith Sprite 25'
    width = W
    height = H
    panel = PANEL

    def __init__(self):
        t = _types()
        self.type_map = t
        self.types = list(t.values())
        self.controls = _controls(t)
        self.keyboard = {'size': 25, 'base note': 48, 'base index': 0, 'octaves': 2}
        self.zone_keyboard = None

    def draw_body(self, c):
        body = rect(0.5, 0.5, W - 0.5, H - 0.5, 16)
        c.fill(body, linear(0, 0, 0, H, [(0, rgb('#46505c')), (0.5, rgb('#2a323c')),
                                         (1, rgb('#171c22'))]))
        c.fill(raster.subtract(body, rect(0, 2, W, H + 16, 16)), rgb('#ffffff', 0.3))
        panel = rect(RIM, RIM - 2, W - RIM, H - RIM - 4, 9)
        c.fill(raster.grow(panel, 1.0), rgb('#0b0e12', 0.7))
        c.fill(panel, PANEL)
        c.fill(raster.subtract(panel, raster.translate(panel, 0, 1.2)), rgb('#ffffff', 0.12))
        # Keybed.
        bed = rect(KEYS_X0 - 6, KEYS_TOP - 10, W - RIM - 6, H - RIM - 8, 4)
        c.fill(bed, rgb('#0c0e11'))
        c.fill(rect(KEYS_X0 - 6, KEYS_TOP - 10, W - RIM - 6, KEYS_TOP - 9), rgb('#000000', 0.6))
        hardware.draw_keyboard(c, KEYS_X0, KEYS_TOP, WHITE_W, WHITE_LEN, BLACK_LEN, 25, gap=1.6)
        self._silkscreen(c)

    def _silkscreen(self, c):
        ink = rgb('#cdd5de')
        dim = rgb('#8d98a5')
        font.draw_text(c, 'CORVANITH', 40, 30, 11.0, ink, weight=1.9, tracking=1.9)
        font.draw_text(c, 'SPRITE', 40, 52, 8.5, P.ACCENT, weight=1.5, tracking=1.8)
        font.draw_text(c, '25', 40 + font.text_width('SPRITE ', 8.5, 1.8), 52, 8.5, ink,
                       weight=1.5, tracking=1.8)
        # Dot-matrix screen.
        scr = rect(38.5, 82.5, 228.5, 144.5, 4)
        c.fill(raster.grow(scr, 1.2), rgb('#ffffff', 0.08))
        c.fill(scr, rgb('#05070a'))
        font.draw_pixel_text(c, 'BEATS KIT', 50, 92, P.ACCENT_HI, scale=2, dot=1.7)
        font.draw_pixel_text(c, 'PADS CH10', 50, 108, rgb('#5fb9e8'), scale=2, dot=1.7)
        c.fill(rect(50, 128, 216, 132, 1), rgb('#1b5f86'))
        c.fill(rect(50, 128, 140, 132, 1), P.ACCENT)
        for i, name in enumerate(TRANSPORT):
            _symbol(c, name, TRANSPORT_X[i % 3], TRANSPORT_Y[i // 3] - 27, ink)
        # Octave buttons (fixed function, not assignable).
        for x, label in ((96, 'OCT -'), (172, 'OCT +')):
            cap = rect(x - 26, 334, x + 26, 352, 4)
            c.fill(raster.grow(cap, 1.4), rgb('#0c0d10'))
            c.fill(cap, linear(0, 334, 0, 352, [(0, rgb('#4e5865')), (1, rgb('#2d343d'))]))
            font.draw_pixel_text(c, label, x, 339, ink, align='center', scale=1)
        font.draw_pixel_text(c, 'OCTAVE', 134, 320, dim, align='center')
        for x, label in zip(STRIP_X, ('PITCH', 'MOD')):
            font.draw_pixel_text(c, label, x, 150, dim, align='center')
        for i in range(8):
            x = KNOB_X0 + i * KNOB_PITCH
            font.draw_pixel_text(c, str(i + 1), x, 104, dim, align='center', scale=2)
        # Section rules.
        for x in (242, 338):
            c.fill(rect(x, 140, x + 1, 362), rgb('#000000', 0.35))
            c.fill(rect(x + 1, 140, x + 2, 362), rgb('#ffffff', 0.06))
        c.fill(rect(40, 300, 230, 301), rgb('#000000', 0.3))
        c.fill(rect(40, 301, 230, 302), rgb('#ffffff', 0.06))
        for octave in range(3):
            x = KEYS_X0 + octave * 7 * WHITE_W + WHITE_W / 2.0
            font.draw_pixel_text(c, 'C%d' % (2 + octave), int(x), KEYS_TOP - 8, dim, align='center')


def build():
    return Sprite()


# ---------------------------------------------------------------------------
# MIDI description of the model (written into definition.xml)

MIDI = {
    'description': 'Compact 25-key controller with 16 pads',
    'VID': 7413,
    'PID': 2585,
    'Group ID': 25,
    'presets': 16,
    'zones': 0,
    'variable slots': 8,
    'supported cc': '0-141, 255',
    'variables': [
        {'name': 'Global Channel', 'ID': 1, 'min': 1, 'max': 16, 'slot': 0, 'default': 1},
        {'name': 'Pad Channel', 'ID': 2, 'min': 1, 'max': 16, 'slot': 1, 'default': 10},
        {'name': 'Velocity Curve', 'ID': 3, 'min': 1, 'max': 8, 'slot': 2, 'default': 2,
         'always one': True, 'masks': [('Soft', 1), ('Medium', 2), ('Hard', 4), ('Fixed', 8)]},
        {'name': 'Fixed Velocity', 'ID': 4, 'min': 1, 'max': 127, 'slot': 3, 'default': 100},
        {'name': 'Pad Sensitivity', 'ID': 5, 'min': 1, 'max': 10, 'slot': 4, 'default': 6},
        {'name': 'Strip Return', 'ID': 6, 'min': 0, 'max': 1, 'slot': 5, 'default': 1},
    ],
    'zone fields': [],
}
Sprite.midi = MIDI
