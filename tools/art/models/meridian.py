"""Corvanith Meridian 49: a 49-key keyboard controller with four keyboard
zones, 8 knobs, 9 faders with buttons, 8 pads, transport buttons, and pitch
and modulation wheels whose assignments are kept per zone.

The picture is drawn 578 x 236, so that the graphic view (578 x 309 pixels
inside its frame when the keyboard pane is shown) shows it at scale 1.0.
All geometry is here; the definition's positions are written from it.
"""

from .. import font, hardware, raster
from .. import palette as P
from ..raster import rect, circle, segment, polygon, linear, rgb
from .base import Control, ControllerType, Model

W, H = 578, 236
PANEL = rgb('#30353d')

# Layout (device-picture pixels)
PANEL_TOP, PANEL_BOTTOM = 5, 150
CHEEK = 11                       # side cheek width
KEYS_X0, WHITE_W = 72, 17        # 29 white keys: 72 .. 565
KEYS_TOP, WHITE_LEN, BLACK_LEN = 156, 71, 45
KNOB_X0, KNOB_PITCH, KNOB_Y = 150, 28, 36
PAD_Y = 110
FADER_X0, FADER_PITCH, FADER_Y = 380, 21, 52
FADER_TRAVEL = 58
FADER_BUTTON_Y = 113
# Where each fader cap rests (offset from the slot centre), as on a mix.
FADER_CAPS = [6, -4, 12, -10, 2, 16, -8, 8, -20]
TRANSPORT_X = (37, 67, 97)
TRANSPORT_Y = (88, 121)
WHEEL_X = (30, 52)
WHEEL_Y = 193

ZONES = 4


def _types():
    knob = hardware.knob(PANEL, cap_r=8.5, tick_r=12.0)
    fad = hardware.fader(PANEL, FADER_TRAVEL, cap_w=15, cap_h=8, width=FADER_PITCH,
                         tick_every=FADER_TRAVEL / 8.0)
    pitch = hardware.wheel(PANEL, 12, 50, centre_mark=True)
    mod = hardware.wheel(PANEL, 12, 50, centre_mark=False)
    btn = hardware.button(PANEL, 13, 7, led=True)
    trn = hardware.button(PANEL, 18, 9, led=False)
    pad = hardware.pad(PANEL, 21)
    cont = '0-119, 128-129, 140-141, 255'
    return {
        'Knob': ControllerType('Knob', True, False, 0, 127, cont, knob, 'knob'),
        'Fader': ControllerType('Fader', True, False, 0, 127, cont, fad, 'fader'),
        'Pitch Wheel': ControllerType('Pitch Wheel', True, False, 0, 127, '0-119, 128, 255', pitch,
                                      'pitch_wheel'),
        'Mod Wheel': ControllerType('Mod Wheel', True, False, 0, 127, '0-119, 128-129, 255', mod,
                                    'mod_wheel'),
        'Button': ControllerType('Button', False, True, 0, 127, '0-127, 130-138, 255', btn,
                                 'button'),
        'Transport': ControllerType('Transport', False, True, 0, 127, '0-127, 130, 133-138, 255',
                                    trn, 'transport'),
        'Pad': ControllerType('Pad', False, True, 0, 127, '0-127, 129-131, 255', pad, 'pad'),
    }


TRANSPORT = ['Rewind', 'Fast Forward', 'Stop', 'Play', 'Record', 'Loop']


def _controls(t):
    cs = []
    cid = 1
    # Linear controls first: the device's SysEx image keeps them as one group.
    for i in range(8):
        cs.append(Control('Knob %d' % (i + 1), t['Knob'], cid, KNOB_X0 + i * KNOB_PITCH, KNOB_Y))
        cid += 1
    for i in range(9):
        cs.append(Control('Fader %d' % (i + 1), t['Fader'], cid, FADER_X0 + i * FADER_PITCH,
                          FADER_Y, 0, FADER_CAPS[i]))
        cid += 1
    for wheel_name, ctype, x in (('Pitch Wheel', t['Pitch Wheel'], WHEEL_X[0]),
                                 ('Mod Wheel', t['Mod Wheel'], WHEEL_X[1])):
        for z in range(1, ZONES + 1):
            cs.append(Control(wheel_name, ctype, cid, x, WHEEL_Y, zone=z,
                              description='Zone %d' % z))
        cid += 1
    for i in range(9):
        cs.append(Control('Button %d' % (i + 1), t['Button'], cid, FADER_X0 + i * FADER_PITCH,
                          FADER_BUTTON_Y))
        cid += 1
    for i, name in enumerate(TRANSPORT):
        cs.append(Control(name, t['Transport'], cid, TRANSPORT_X[i % 3], TRANSPORT_Y[i // 3]))
        cid += 1
    for i in range(8):
        cs.append(Control('Pad %d' % (i + 1), t['Pad'], cid, KNOB_X0 + i * KNOB_PITCH, PAD_Y))
        cid += 1
    return cs


def _transport_symbol(c, kind, x, y, colour):
    """Small legends printed above the transport buttons."""
    s = 3.2
    if kind == 'Rewind':
        c.fill(polygon([(x, y - s), (x, y + s), (x - s * 1.3, y)]), colour)
        c.fill(polygon([(x + s * 1.3, y - s), (x + s * 1.3, y + s), (x, y)]), colour)
    elif kind == 'Fast Forward':
        c.fill(polygon([(x - s * 1.3, y - s), (x - s * 1.3, y + s), (x, y)]), colour)
        c.fill(polygon([(x, y - s), (x, y + s), (x + s * 1.3, y)]), colour)
    elif kind == 'Stop':
        c.fill(rect(x - s * 0.9, y - s * 0.9, x + s * 0.9, y + s * 0.9, 0.4), colour)
    elif kind == 'Play':
        c.fill(polygon([(x - s * 0.8, y - s), (x - s * 0.8, y + s), (x + s * 1.0, y)]), colour)
    elif kind == 'Record':
        c.fill(circle(x, y, s * 0.95), rgb('#e05a4f'))
    elif kind == 'Loop':
        c.fill(raster.arc(x, y, s * 0.95, 1.1, 30, 300), colour)
        c.fill(polygon([(x + s * 1.55, y - s * 0.5), (x + s * 0.35, y - s * 0.5),
                        (x + s * 0.95, y + s * 0.35)]), colour)


class Meridian(Model):
    folder = 'Meridian 49.eld'
    name = 'Corvanith Meridian 49'
    width = W
    height = H
    panel = PANEL

    def __init__(self):
        t = _types()
        self.type_map = t
        self.types = list(t.values())
        self.controls = _controls(t)
        self.keyboard = {'size': 49, 'base note': 36, 'base index': 0, 'octaves': 4}
        self.zone_keyboard = zone_keyboard()

    def draw_body(self, c):
        # Chassis: dark anodised cheeks round a flat graphite panel.
        body = rect(0.5, 0.5, W - 0.5, H - 0.5, 7)
        c.fill(body, linear(0, 0, 0, H, [(0, rgb('#3c424b')), (1, rgb('#1b1e23'))]))
        for x0, x1 in ((0.5, CHEEK), (W - 0.5, W - CHEEK)):
            cheek = raster.intersect(body, rect(min(x0, x1), 0, max(x0, x1), H))
            c.fill(cheek, linear(x0, 0, x1, 0, [(0, rgb('#2a2e34')), (0.45, rgb('#565e69')),
                                                 (1, rgb('#2f343b'))]))
        c.fill(raster.subtract(body, rect(0, 1.4, W, H + 8, 7)), rgb('#ffffff', 0.35))
        # The flat control panel (exactly the definition's colour).
        c.fill(rect(CHEEK, PANEL_TOP, W - CHEEK, H - 8), PANEL)
        c.fill(rect(CHEEK, PANEL_TOP, W - CHEEK, PANEL_TOP + 1), rgb('#ffffff', 0.14))
        # Key slip and keybed.
        c.fill(rect(KEYS_X0 - 2, PANEL_BOTTOM, W - CHEEK, KEYS_TOP + 1), rgb('#121418'))
        c.fill(rect(KEYS_X0 - 2, PANEL_BOTTOM, W - CHEEK, PANEL_BOTTOM + 1), rgb('#000000', 0.6))
        c.fill(rect(KEYS_X0 - 2, KEYS_TOP, W - CHEEK, KEYS_TOP + WHITE_LEN + 1), rgb('#0c0d10'))
        hardware.draw_keyboard(c, KEYS_X0, KEYS_TOP, WHITE_W, WHITE_LEN, BLACK_LEN, 49)
        # Front lip below the keys.
        c.fill(rect(CHEEK, H - 8, W - CHEEK, H - 0.5),
               linear(0, H - 8, 0, H, [(0, rgb('#23272d')), (1, rgb('#15171b'))]))
        c.fill(rect(CHEEK, H - 8, W - CHEEK, H - 7.2), rgb('#ffffff', 0.1))
        c.fill(rect(KEYS_X0 - 2, KEYS_TOP + WHITE_LEN + 1, W - CHEEK, H - 8), rgb('#0c0d10'))
        self._silkscreen(c)

    def _silkscreen(self, c):
        ink = rgb('#c9d0d8')
        dim = rgb('#8c95a0')
        # Brand and model.
        font.draw_text(c, 'CORVANITH', 20, 13, 5.2, ink, weight=0.95, tracking=1.9)
        font.draw_text(c, 'MERIDIAN', 20, 23, 4.2, P.ACCENT, weight=0.8, tracking=1.7)
        font.draw_text(c, '49', 20 + font.text_width('MERIDIAN ', 4.2, 1.7), 23, 4.2, ink,
                       weight=0.8, tracking=1.7)
        # Screen.
        scr = rect(19.5, 34.5, 118.5, 62.5, 2)
        c.fill(raster.grow(scr, 0.8), rgb('#ffffff', 0.08))
        c.fill(scr, rgb('#06080a'))
        font.draw_pixel_text(c, '01 STUDIO SPLIT', 24, 39, P.ACCENT_HI)
        font.draw_pixel_text(c, 'Z1 CH1  Z2 CH2', 24, 47, rgb('#5fb9e8'))
        c.fill(rect(24, 55, 24 + 60, 57), rgb('#1b5f86'))
        c.fill(rect(24, 55, 24 + 38, 57), P.ACCENT)
        # Transport legends.
        for i, name in enumerate(TRANSPORT):
            _transport_symbol(c, name, TRANSPORT_X[i % 3], TRANSPORT_Y[i // 3] - 13, ink)
        # Section rules.
        for x in (128, 364):
            c.fill(rect(x, 14, x + 1, 140), rgb('#000000', 0.35))
            c.fill(rect(x + 1, 14, x + 2, 140), rgb('#ffffff', 0.06))
        # Numbers under knobs and pads, faders and their buttons.
        for i in range(8):
            x = KNOB_X0 + i * KNOB_PITCH
            font.draw_pixel_text(c, str(i + 1), x, 52, dim, align='center')
            font.draw_pixel_text(c, str(i + 1), x, 126, dim, align='center')
        font.draw_text(c, 'KNOBS', 246, 62, 3.6, dim, weight=0.7, tracking=1.6, align='center')
        font.draw_text(c, 'PADS', 246, 135, 3.6, dim, weight=0.7, tracking=1.6, align='center')
        for i in range(9):
            x = FADER_X0 + i * FADER_PITCH
            font.draw_pixel_text(c, str(i + 1) if i < 8 else 'M', x, 91, dim, align='center')
        font.draw_text(c, 'FADERS', 464, 135, 3.6, dim, weight=0.7, tracking=1.6, align='center')
        for x, label in zip(WHEEL_X, ('PITCH', 'MOD')):
            font.draw_pixel_text(c, label, x, 153, dim, align='center')
        # Octave markers on the key slip.
        for octave in range(5):
            x = KEYS_X0 + octave * 7 * WHITE_W + WHITE_W / 2.0
            c.fill(circle(x, 153, 0.9), rgb('#5b636e'))


# ---------------------------------------------------------------------------
# The zone keyboard picture: drawn at the keyboard pane's design size, so the
# pane shows it at scale 1. Its octave template (picture coordinates) is what
# the definition's `octave` entries give.

ZK_W, ZK_H = 586, 84
ZK_LEFT, ZK_TOP = 3, 3
ZK_WHITE, ZK_WHITE_LEN, ZK_BLACK_LEN = 20, 78, 48


def octave_template():
    whites = []
    blacks = []
    for wi in range(7):
        whites.append((ZK_LEFT + wi * ZK_WHITE, ZK_TOP, ZK_WHITE, ZK_WHITE_LEN))
    bw = 12
    for pc in hardware.BLACK_PCS:
        left = ZK_LEFT + int(round(hardware.BLACK_LEFT[pc] * ZK_WHITE))
        blacks.append((left, ZK_TOP, bw, ZK_BLACK_LEN))
    return {
        'bounds': (ZK_LEFT, ZK_TOP, 7 * ZK_WHITE, ZK_WHITE_LEN),
        'whites': whites,
        'blacks': blacks,
    }


def zone_keyboard():
    tpl = octave_template()
    c = raster.Canvas(ZK_W, ZK_H, ss=3, fill=rgb('#ffffff'))
    c.fill(rect(0, 0, ZK_W, ZK_H), linear(0, 0, 0, ZK_H, [(0, rgb('#2a2f36')), (1, rgb('#16191d'))]))
    total_w = 29 * ZK_WHITE
    for i in range(29):
        x = ZK_LEFT + i * ZK_WHITE
        key = rect(x + 0.5, ZK_TOP, x + ZK_WHITE - 0.5, ZK_TOP + ZK_WHITE_LEN, 1.5)
        c.fill(key, linear(0, ZK_TOP, 0, ZK_TOP + ZK_WHITE_LEN,
                           [(0, rgb('#d9dde2')), (0.08, rgb('#f4f6f8')), (1, rgb('#fbfcfc'))]))
        if i % 7 == 0:
            font.draw_pixel_text(c, 'C%d' % (1 + i // 7), x + ZK_WHITE // 2, ZK_TOP + ZK_WHITE_LEN - 8,
                                 rgb('#8a939e'), align='center')
    for octave in range(4):
        for (bx, by, bw, bh) in tpl['blacks']:
            x = bx + octave * 7 * ZK_WHITE
            key = rect(x, by - 1, x + bw, by + bh, 1.5)
            c.fill(raster.translate(key, 0.8, 1.2), rgb('#000000', 0.4), soft=2)
            c.fill(key, linear(0, by, 0, by + bh, [(0, rgb('#15181c')), (0.85, rgb('#2a2f36')),
                                                   (1, rgb('#444b54'))]))
    c.fill(rect(ZK_LEFT - 3, 0, ZK_LEFT + total_w + 3, ZK_TOP), rgb('#0b0c0f'))
    return {'rows': raster.flatten(c.pixels(), (255, 255, 255)), 'template': tpl,
            'bounds': (ZK_LEFT, ZK_TOP, total_w, ZK_WHITE_LEN)}


def build():
    return Meridian()


# ---------------------------------------------------------------------------
# MIDI description of the model (written into definition.xml)

MIDI = {
    'description': '49-key controller with four keyboard zones',
    'VID': 7413,
    'PID': 2609,
    'Group ID': 49,
    'presets': 32,
    'zones': ZONES,
    'variable slots': 8,
    'supported cc': '0-141, 255',
    'variables': [
        # The first variable with options holds the zones' enable bits.
        {'name': 'Zones', 'ID': 1, 'min': 0, 'max': 15, 'slot': 0, 'default': 1,
         'masks': [('Zone 1', 1), ('Zone 2', 2), ('Zone 3', 4), ('Zone 4', 8)]},
        {'name': 'Velocity Curve', 'ID': 2, 'min': 1, 'max': 8, 'slot': 1, 'default': 2,
         'always one': True, 'masks': [('Soft', 1), ('Medium', 2), ('Hard', 4), ('Fixed', 8)]},
        {'name': 'Fixed Velocity', 'ID': 3, 'min': 1, 'max': 127, 'slot': 2, 'default': 100},
        {'name': 'Global Channel', 'ID': 4, 'min': 1, 'max': 16, 'slot': 3, 'default': 1},
        # The firmware keeps these two in the opposite order of the editor.
        {'name': 'Aftertouch', 'ID': 5, 'min': 0, 'max': 1, 'slot': 5, 'default': 1},
        {'name': 'MIDI Clock Out', 'ID': 6, 'min': 0, 'max': 1, 'slot': 4, 'default': 0},
    ],
    'zone fields': [
        {'name': 'Channel', 'tag name': 'channel', 'min': 1, 'max': 16, 'default': 1},
        {'name': 'Low Note', 'tag name': 'note low', 'min': 0, 'max': 127, 'default': 36},
        {'name': 'High Note', 'tag name': 'note high', 'min': 0, 'max': 127, 'default': 84},
        {'name': 'Volume', 'tag name': 'volume', 'min': 0, 'max': 127, 'default': 100},
        {'name': 'Pan', 'tag name': 'pan', 'min': 0, 'max': 127, 'default': 64},
        {'name': 'Bank MSB', 'tag name': 'bank msb', 'min': 0, 'max': 127, 'default': 0},
        {'name': 'Bank LSB', 'tag name': 'bank lsb', 'min': 0, 'max': 127, 'default': 0},
        {'name': 'Program', 'tag name': 'program', 'min': 0, 'max': 127, 'default': 0},
    ],
}
Meridian.midi = MIDI
