"""Control libraries shipped in data/Library and each device's MIDICC.xml.

- GM.ell: the standard MIDI controller numbers 0-127 with their usual names.
- Synth Parameters.ell, Mixer Strips.ell, Drum Pads.ell: list libraries the
  user drags onto controls.
- MIDICC.xml of a device: the Corvanith family's numbers above 127 (pitch
  bend, pressure, program change, notes, machine control, NRPN/RPN) and the
  model's second readings of numbers the GM library names for switches only.

Type filters name the family's controller types; a filter fits a control
when the control's type name occurs in it ("!" reverses it).
"""

import os

from . import plist

CONTINUOUS = 'Knob Fader Pitch Wheel Mod Wheel Touch Strip'
SWITCHES = 'Button Transport Pad'

# Unique ids (an assignment's origin is unique id x 65536 + control index).
GM_ID = 1
SYNTH_ID = 101
MIXER_ID = 102
DRUMS_ID = 103

_GM_NAMES = {
    0: 'Bank Select', 1: 'Modulation Wheel', 2: 'Breath Controller', 4: 'Foot Pedal',
    5: 'Portamento Time', 6: 'Data Entry', 7: 'Channel Volume', 8: 'Balance', 10: 'Pan',
    11: 'Expression', 12: 'Effect Control 1', 13: 'Effect Control 2',
    16: 'General Purpose 1', 17: 'General Purpose 2', 18: 'General Purpose 3',
    19: 'General Purpose 4',
    64: 'Sustain Pedal', 65: 'Portamento Switch', 66: 'Sostenuto Pedal', 67: 'Soft Pedal',
    68: 'Legato Switch', 69: 'Hold 2', 70: 'Sound Variation', 71: 'Resonance',
    72: 'Release Time', 73: 'Attack Time', 74: 'Cutoff', 75: 'Decay Time', 76: 'Vibrato Rate',
    77: 'Vibrato Depth', 78: 'Vibrato Delay', 79: 'Sound Controller 10',
    80: 'General Purpose 5', 81: 'General Purpose 6', 82: 'General Purpose 7',
    83: 'General Purpose 8', 84: 'Portamento Control', 88: 'High Resolution Velocity',
    91: 'Reverb Send', 92: 'Tremolo Depth', 93: 'Chorus Send', 94: 'Detune Depth',
    95: 'Phaser Depth', 96: 'Data Increment', 97: 'Data Decrement', 98: 'NRPN Select (fine)',
    99: 'NRPN Select (coarse)', 100: 'RPN Select (fine)', 101: 'RPN Select (coarse)',
    120: 'All Sound Off', 121: 'Reset All Controllers', 122: 'Local Control',
    123: 'All Notes Off', 124: 'Omni Mode Off', 125: 'Omni Mode On', 126: 'Mono Mode',
    127: 'Poly Mode',
}

_GM_DESC = {
    0: 'Chooses the sound bank (coarse)', 1: 'Vibrato or other modulation depth',
    7: 'Loudness of the whole channel', 10: 'Position in the stereo field',
    11: 'Volume within the channel volume', 64: 'Holds notes while down',
    71: 'Filter emphasis at the cutoff', 74: 'Filter cutoff, brightness of the tone',
    91: 'Amount of reverb', 93: 'Amount of chorus', 120: 'Silences the channel at once',
    121: 'Returns controllers to their rest values', 123: 'Releases every held note',
}

# Numbers the GM library names for switches only: the two pedals a device
# file may read differently on continuous controls, and the channel mode
# messages, which continuous controls do not send.
_SWITCH_CCS = {64, 65} | set(range(120, 128))


def gm_name(n):
    if n in _GM_NAMES:
        return _GM_NAMES[n]
    if 32 <= n <= 63:
        base = n - 32
        return '%s (fine)' % _GM_NAMES.get(base, 'Controller %d' % base)
    return 'Controller %d' % n


def gm_library():
    controls = []
    for n in range(128):
        c = {'MIDICC': n, 'name': gm_name(n),
             'desc': _GM_DESC.get(n, 'MIDI controller %d' % n), 'control': 'midicc=%d' % n}
        if n in _SWITCH_CCS:
            c['ctrl_type'] = SWITCHES
        if n in (0, 32):
            c['labels'] = 'msb=Bank MSB:lsb=Bank LSB'
        controls.append(c)
    return {'library': {'name': 'General MIDI Controllers', 'short name': 'GM', 'priority': 0,
                        'PID': 0, 'VID': 0, 'unique id': GM_ID, 'controls': controls}}


# ---------------------------------------------------------------------------
# List libraries: (name, short name, assignment, type filter, labels, desc)

SYNTH = [
    ('Filter Cutoff', 'FLT', 'midicc=74', CONTINUOUS, '', 'Brightness of the tone'),
    ('Filter Resonance', 'FLT', 'midicc=71', CONTINUOUS, '', 'Emphasis at the cutoff'),
    ('Filter Env Depth', 'FLT', 'midicc=140 msb=1 lsb=32', CONTINUOUS,
     'msb=Param MSB:lsb=Param LSB', 'How far the envelope opens the filter'),
    ('Attack Time', 'ENV', 'midicc=73', CONTINUOUS, '', 'Rise of each note'),
    ('Decay Time', 'ENV', 'midicc=75', CONTINUOUS, '', 'Fall to the sustain level'),
    ('Sustain Level', 'ENV', 'midicc=79', CONTINUOUS, '', 'Level while the key is held'),
    ('Release Time', 'ENV', 'midicc=72', CONTINUOUS, '', 'Fade after the key is released'),
    ('LFO Rate', 'LFO', 'midicc=76', CONTINUOUS, '', 'Speed of the vibrato'),
    ('LFO Depth', 'LFO', 'midicc=77', CONTINUOUS, '', 'Amount of the vibrato'),
    ('LFO Delay', 'LFO', 'midicc=78', CONTINUOUS, '', 'Time before the vibrato starts'),
    ('Osc Detune', 'OSC', 'midicc=94', CONTINUOUS, '', 'Spread between the oscillators'),
    ('Osc Mix', 'OSC', 'midicc=140 msb=1 lsb=8', CONTINUOUS, 'msb=Param MSB:lsb=Param LSB',
     'Balance of oscillator 1 and 2'),
    ('Glide Time', 'OSC', 'midicc=5', CONTINUOUS, '', 'Portamento between notes'),
    ('Glide On/Off', 'OSC', 'midicc=65 msb=127 lsb=0', SWITCHES, '', 'Portamento switch'),
    ('Sound Variation', 'FX', 'midicc=70', CONTINUOUS, '', ''),
    ('Chorus Send', 'FX', 'midicc=93', CONTINUOUS, '', ''),
    ('Reverb Send', 'FX', 'midicc=91', CONTINUOUS, '', ''),
    ('Phaser Depth', 'FX', 'midicc=95', CONTINUOUS, '', ''),
    ('Tremolo Depth', 'FX', 'midicc=92', CONTINUOUS, '', ''),
    ('Pitch Bend Range', 'RPN', 'midicc=141 msb=0 lsb=0', CONTINUOUS,
     'msb=Param MSB:lsb=Param LSB', 'Registered parameter 0'),
    ('Fine Tuning', 'RPN', 'midicc=141 msb=0 lsb=1', CONTINUOUS, 'msb=Param MSB:lsb=Param LSB',
     'Registered parameter 1'),
    ('Coarse Tuning', 'RPN', 'midicc=141 msb=0 lsb=2', CONTINUOUS, 'msb=Param MSB:lsb=Param LSB',
     'Registered parameter 2'),
    ('Mod Wheel', '', 'midicc=1', 'Mod Wheel Knob Fader Touch Strip', '', 'Modulation depth'),
    ('Pitch Bend', '', 'midicc=128', 'Pitch Wheel Touch Strip Knob', '', 'Bends every note'),
    ('Sustain', '', 'midicc=64 msb=127 lsb=0', SWITCHES, '', 'Holds notes while on'),
]


def mixer():
    out = []
    for ch in range(1, 17):
        out.append(('Volume %d' % ch, 'CH%d' % ch, 'channel=%d midicc=7' % ch,
                    'Fader Knob Touch Strip', '', 'Channel %d level' % ch))
        out.append(('Pan %d' % ch, 'CH%d' % ch, 'channel=%d midicc=10' % ch, 'Knob Fader',
                    '', 'Channel %d position' % ch))
        out.append(('Mute %d' % ch, 'CH%d' % ch, 'channel=%d midicc=7 msb=100 lsb=0' % ch,
                    'Button Pad', 'msb=On Level:lsb=Muted Level', 'Toggles channel %d' % ch))
        out.append(('Reverb %d' % ch, 'CH%d' % ch, 'channel=%d midicc=91' % ch, 'Knob Fader',
                    '', 'Channel %d reverb send' % ch))
    return out


DRUM_NOTES = [
    (35, 'Acoustic Bass Drum'), (36, 'Bass Drum 1'), (37, 'Side Stick'), (38, 'Acoustic Snare'),
    (39, 'Hand Clap'), (40, 'Electric Snare'), (41, 'Low Floor Tom'), (42, 'Closed Hi-Hat'),
    (43, 'High Floor Tom'), (44, 'Pedal Hi-Hat'), (45, 'Low Tom'), (46, 'Open Hi-Hat'),
    (47, 'Low-Mid Tom'), (48, 'Hi-Mid Tom'), (49, 'Crash Cymbal 1'), (50, 'High Tom'),
    (51, 'Ride Cymbal 1'), (52, 'Chinese Cymbal'), (53, 'Ride Bell'), (54, 'Tambourine'),
    (55, 'Splash Cymbal'), (56, 'Cowbell'), (57, 'Crash Cymbal 2'), (58, 'Vibraslap'),
    (59, 'Ride Cymbal 2'), (60, 'High Bongo'), (61, 'Low Bongo'), (62, 'Muted High Conga'),
    (63, 'Open High Conga'), (64, 'Low Conga'), (65, 'High Timbale'), (66, 'Low Timbale'),
    (67, 'High Agogo'), (68, 'Low Agogo'), (69, 'Cabasa'), (70, 'Maracas'),
    (71, 'Short Whistle'), (72, 'Long Whistle'), (73, 'Short Guiro'), (74, 'Long Guiro'),
    (75, 'Claves'), (76, 'High Wood Block'), (77, 'Low Wood Block'), (78, 'Muted Cuica'),
    (79, 'Open Cuica'), (80, 'Muted Triangle'), (81, 'Open Triangle'),
]

NOTE_LABELS = 'program=Note:msb=Velocity:lsb=Release'


def drums():
    return [(name, '', 'channel=10 midicc=131 program=%d' % note, 'Pad Button', NOTE_LABELS,
             'Percussion key %d' % note) for note, name in DRUM_NOTES]


def list_library(name, short, priority, uid, entries):
    controls = []
    for cname, cshort, assign, ctype, labels, desc in entries:
        c = {'name': cname}
        # MIDICC mirrors the assignment so the library window can show it.
        for part in assign.split():
            if part.startswith('midicc='):
                c['MIDICC'] = int(part[7:])
        c['short name'] = cshort
        if desc:
            c['desc'] = desc
        if labels:
            c['labels'] = labels
        c['control'] = assign
        if ctype:
            c['ctrl_type'] = ctype
        controls.append(c)
    return {'library': {'name': name, 'short name': short, 'priority': priority, 'PID': 0,
                        'VID': 0, 'unique id': uid, 'controls': controls}}


LIST_LIBRARIES = [
    ('Synth Parameters.ell', 'Synth Parameters', 'SYN', 10, SYNTH_ID, lambda: SYNTH),
    ('Mixer Strips.ell', 'Mixer Strips', 'MIX', 20, MIXER_ID, mixer),
    ('Drum Pads.ell', 'Drum Pads', 'DRM', 30, DRUMS_ID, drums),
]


def origin(uid, entries, name):
    """The origin an assignment taken from a list library carries."""
    for i, e in enumerate(entries):
        if e[0] == name:
            return uid * 65536 + i
    raise KeyError(name)


# ---------------------------------------------------------------------------
# A device's controller-number library

FAMILY_NUMBERS = [
    (128, 'Pitch Bend', '', '', 'Bends every note on the channel'),
    (129, 'Channel Pressure', '', '', 'Aftertouch for the whole channel'),
    (130, 'Program Change', SWITCHES, 'program=Program:msb=Bank MSB:lsb=Bank LSB',
     'Selects a sound, with bank select first'),
    (131, 'Note', SWITCHES, NOTE_LABELS, 'Plays one note'),
    (132, 'Note Latch', SWITCHES, NOTE_LABELS, 'Note on the first press, off on the second'),
    (133, 'MMC Stop', SWITCHES, '', 'Machine control'),
    (134, 'MMC Play', SWITCHES, '', 'Machine control'),
    (135, 'MMC Record', SWITCHES, '', 'Machine control'),
    (136, 'MMC Rewind', SWITCHES, '', 'Machine control'),
    (137, 'MMC Fast Forward', SWITCHES, '', 'Machine control'),
    (138, 'MMC Pause', SWITCHES, '', 'Machine control'),
    (140, 'NRPN', '!' + SWITCHES, 'msb=Param MSB:lsb=Param LSB', 'Non-registered parameter'),
    (141, 'RPN', '!' + SWITCHES, 'msb=Param MSB:lsb=Param LSB', 'Registered parameter'),
    (255, 'Not Assigned', '', '', 'The control sends nothing'),
]


def device_library(model_name, short, uid, pid, vid):
    controls = []
    for n, name, ctype, labels, desc in FAMILY_NUMBERS:
        c = {'MIDICC': n, 'name': name, 'short name': '', 'desc': desc}
        if labels:
            c['labels'] = labels
        if n != 255:
            c['control'] = 'midicc=%d' % n
        if ctype:
            c['ctrl_type'] = ctype
        controls.append(c)
    # Second readings: the GM library names these for switches only.
    controls.append({'MIDICC': 64, 'name': 'Half-Damper Sustain', 'short name': '',
                     'desc': 'Continuous sustain depth', 'control': 'midicc=64',
                     'ctrl_type': CONTINUOUS})
    controls.append({'MIDICC': 65, 'name': 'Glide Amount', 'short name': '',
                     'desc': 'Continuous portamento', 'control': 'midicc=65',
                     'ctrl_type': CONTINUOUS})
    return {'library': {'name': '%s Numbers' % model_name, 'short name': short, 'priority': 5,
                        'PID': pid, 'VID': vid, 'unique id': uid, 'controls': controls}}


def write_all(root, log=print):
    lib = os.path.join(root, 'data', 'Library')
    os.makedirs(os.path.join(lib, 'GM.ell'), exist_ok=True)
    plist.write(os.path.join(lib, 'GM.ell', 'definition.xml'), gm_library())
    log('  Library/GM.ell/definition.xml')
    for folder, name, short, prio, uid, entries in LIST_LIBRARIES:
        os.makedirs(os.path.join(lib, folder), exist_ok=True)
        plist.write(os.path.join(lib, folder, 'definition.xml'),
                    list_library(name, short, prio, uid, entries()))
        log('  Library/%s/definition.xml' % folder)
