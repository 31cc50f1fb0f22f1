"""What a device model is made of, and how its folder is written: the
pictures (device, controller types, zone keyboard) and the definition whose
positions come from the same numbers the pictures were drawn from."""

import os

from .. import encode, hardware, raster


class ControllerType:
    def __init__(self, name, linear, program, value_min, value_max, supported_cc, pictures, stem):
        self.name = name
        self.linear = linear
        self.program = program
        self.value_min = value_min
        self.value_max = value_max
        self.supported_cc = supported_cc
        self.pictures = pictures  # hardware.Pictures
        self.stem = stem          # file name stem of its four pictures

    def file(self, which):
        suffix = {'background': '_bg', 'background_selected': '_bg_sel', 'normal': '',
                  'selected': '_sel'}[which]
        return '%s%s.png' % (self.stem, suffix)


class Control:
    """One control: its background centre (x, y) and the overlay's offset
    (dx, dy) from it, in device-picture pixels."""

    def __init__(self, name, ctype, cid, x, y, dx=0, dy=0, zone=0, description=''):
        self.name = name
        self.type = ctype
        self.id = cid
        self.x = x
        self.y = y
        self.dx = dx
        self.dy = dy
        self.zone = zone
        self.description = description

    def position_text(self):
        return '%d, %d, %d, %d' % (self.x, self.y, self.dx, self.dy)


class Model:
    """Filled in by each model module."""
    folder = ''          # "<Model>.eld"
    name = ''
    width = 0
    height = 0
    panel = None         # panel colour (r, g, b, a) floats; the definition's `colour`
    types = []
    controls = []
    keyboard = None      # dict: size, base note, base index, octaves
    zone_keyboard = None  # dict: picture rows, bounds, octave template

    def draw_body(self, canvas):
        raise NotImplementedError

    def panel8(self):
        return tuple(raster.to8(v) for v in self.panel[:3])


def device_picture(model, ss=3):
    """The device picture: the body, then every control's background and
    overlay exactly where the graphic view draws them at scale 1."""
    c = raster.Canvas(model.width, model.height, ss=ss)
    model.draw_body(c)
    rows = c.pixels()
    seen = set()
    for ctl in model.controls:
        key = (ctl.x, ctl.y, ctl.dx, ctl.dy, ctl.type.name)
        if key in seen:  # per-zone copies of one physical control
            continue
        seen.add(key)
        pics = ctl.type.pictures
        bw, bh = pics.size('background')
        left, top, _r, _b = hardware.rect_for((ctl.x, ctl.y), (bw, bh))
        hardware.place((left, top), pics.background, rows)
        ow, oh = pics.size('normal')
        left, top, _r, _b = hardware.rect_for((ctl.x + ctl.dx, ctl.y + ctl.dy), (ow, oh))
        hardware.place((left, top), pics.normal, rows)
    return rows


def check_layout(model):
    """Backgrounds are copied opaquely, so two controls' backgrounds must not
    overlap (unless they are zone copies at the same place) and every
    picture must lie on the device picture."""
    boxes = []
    for ctl in model.controls:
        pics = ctl.type.pictures
        r = hardware.rect_for((ctl.x, ctl.y), pics.size('background'))
        o = hardware.rect_for((ctl.x + ctl.dx, ctl.y + ctl.dy), pics.size('normal'))
        for box in (r, o):
            if box[0] < 0 or box[1] < 0 or box[2] > model.width or box[3] > model.height:
                raise ValueError('%s: picture %r leaves the device picture' % (ctl.name, box))
        for other, obox in boxes:
            same_place = (other.x, other.y) == (ctl.x, ctl.y)
            if same_place:
                continue
            if r[0] < obox[2] and obox[0] < r[2] and r[1] < obox[3] and obox[1] < r[3]:
                raise ValueError('backgrounds of %s and %s overlap' % (ctl.name, other.name))
        boxes.append((ctl, r))


def write_pictures(model, root, log=print):
    """Write graphics/ of the device folder; returns {label: rows} for sheets."""
    check_layout(model)
    gdir = os.path.join(root, 'data', 'Devices', model.folder, 'graphics')
    os.makedirs(gdir, exist_ok=True)
    made = {}
    for t in model.types:
        for which in ('background', 'background_selected', 'normal', 'selected'):
            rows = getattr(t.pictures, which)
            encode.write_png(os.path.join(gdir, t.file(which)), rows)
            made['%s/%s' % (model.folder, t.file(which))] = rows
    device = device_picture(model)
    encode.write_png(os.path.join(gdir, 'device.png'), device)
    made['%s/device.png' % model.folder] = device
    log('  %s/graphics/device.png (%d x %d)' % (model.folder, model.width, model.height))
    if model.zone_keyboard is not None:
        kb = model.zone_keyboard['rows']
        encode.write_png(os.path.join(gdir, 'keyboard.png'), kb)
        made['%s/keyboard.png' % model.folder] = kb
    return made
