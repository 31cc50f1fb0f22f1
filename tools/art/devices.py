"""Writes each demo model's folder under data/Devices: graphics/, the
definition, the model's controller-number library and its ROM banks."""

import os

from . import banks, libraries, plist
from .models import base, definition, meridian, sprite

MODELS = [meridian.build, sprite.build]

DEVICE_LIBRARY = {
    'Meridian 49.eld': ('Meridian 49', 'M49', 201),
    'Sprite 25.eld': ('Sprite 25', 'S25', 202),
}


def write_all(root, log=print):
    made = {}
    for build in MODELS:
        model = build()
        folder = os.path.join(root, 'data', 'Devices', model.folder)
        os.makedirs(folder, exist_ok=True)
        made.update(base.write_pictures(model, root, log))
        plist.write(os.path.join(folder, 'definition.xml'), definition.build(model))
        log('  %s/definition.xml (%d controls)' % (model.folder, len(model.controls)))
        name, short, uid = DEVICE_LIBRARY[model.folder]
        plist.write(os.path.join(folder, 'MIDICC.xml'),
                    libraries.device_library(name, short, uid, model.midi['PID'],
                                             model.midi['VID']))
        log('  %s/MIDICC.xml' % model.folder)
        banks.write_rom_banks(model, folder, log)
        user = os.path.join(root, 'data', 'User Preset Banks')
        os.makedirs(user, exist_ok=True)
        banks.write_user_bank(model, user, log)
    return made
