"""Factory (ROM) banks of the demo models: read-only banks of presets built
from a few musical recipes (split and layered keyboards, synth edits, mixer
and DAW templates, drum and program pads), written in the bank-file layout
the program reads and writes itself."""

from . import libraries as L
from . import plist

# General MIDI program numbers (0-based) used by the recipes.
PIANO, EPIANO, ORGAN, NYLON, BASS, SYNTH_BASS = 0, 4, 16, 24, 33, 38
STRINGS, CHOIR, BRASS, SYNTH_BRASS, LEAD, PAD, VIBES = 48, 52, 61, 62, 81, 88, 11

CREATED = '0:9:14:3:2026'  # fixed, so the generated files do not change between runs


class Preset:
    def __init__(self, model, name):
        self.model = model
        self.name = name
        mi = model.midi
        self.variables = {v['name']: v['default'] for v in mi['variables']}
        self.zones = [{z['tag name']: z['default'] for z in mi['zone fields']}
                      for _ in range(mi['zones'])]
        self.controls = [{'channel': 0, 'MIDICC': 255, 'program': 0, 'msb': 127, 'lsb': 0,
                          'desc': '', 'origin': -1} for _ in model.controls]

    # -- finding controls ---------------------------------------------------

    def index(self, name, zone=None):
        for i, c in enumerate(self.model.controls):
            if c.name == name and (zone is None or c.zone == zone):
                return i
        raise KeyError(name)

    def names(self, prefix):
        return [c.name for c in self.model.controls if c.name.startswith(prefix)]

    def has(self, name):
        return any(c.name == name for c in self.model.controls)

    # -- assigning ----------------------------------------------------------

    def set(self, name, zone=None, **values):
        c = self.controls[self.index(name, zone)]
        for k, v in values.items():
            c[k] = v

    def assign(self, name, text, zone=None, desc=None, origin=-1):
        """Apply an assignment text as the library drop does."""
        c = self.controls[self.index(name, zone)]
        for part in text.split():
            key, _, value = part.partition('=')
            key = key.lower()
            c['MIDICC' if key == 'midicc' else key] = int(value)
        if desc is not None:
            c['desc'] = desc
        c['origin'] = origin

    def from_library(self, name, entries, uid, entry_name, zone=None, channel=None):
        for e in entries:
            if e[0] == entry_name:
                self.assign(name, e[2], zone, origin=L.origin(uid, entries, entry_name))
                if channel is not None:
                    self.set(name, zone, channel=channel)
                return
        raise KeyError(entry_name)

    def zone(self, z, **values):
        for k, v in values.items():
            self.zones[z][k.replace('_', ' ')] = v

    def enable_zones(self, *zones):
        self.variables['Zones'] = sum(1 << (z - 1) for z in zones)

    # -- output -------------------------------------------------------------

    def to_plist(self):
        model = self.model
        mi = model.midi
        slots = len(mi['variables'])
        by_slot = {v['slot']: self.variables[v['name']] for v in mi['variables']}
        out = {'name': self.name,
               'variables': [{'value': by_slot.get(k, 0)} for k in range(slots)]}
        if mi['zone fields']:
            out['zones'] = [{z['tag name']: self.zones[i][z['tag name']]
                             for z in mi['zone fields']} for i in range(mi['zones'])]
        controls = []
        for ctl, c in zip(model.controls, self.controls):
            d = {}
            if c['origin'] != -1:
                d['origin'] = c['origin']
            d['channel'] = c['channel']
            d['MIDICC'] = c['MIDICC']
            if ctl.type.program:
                d['program'] = c['program']
            d['msb'] = c['msb']
            d['lsb'] = c['lsb']
            if c['desc']:
                d['desc'] = c['desc']
            controls.append(d)
        out['controls'] = controls
        return out


def bank_document(model, name, unique_id, presets, rom=True):
    """rom: a factory bank (read only, ROM); else a user bank as the
    program saves it."""
    mi = model.midi
    assert len(presets) == mi['presets'], (name, len(presets))
    return {'preset': {
        'name': name,
        'created': CREATED,
        'PID': mi['PID'],
        'VID': mi['VID'],
        'Group ID': mi['Group ID'],
        'unique id': unique_id,
        'read only': rom,
        'ROM': rom,
        'presets': [p.to_plist() for p in presets],
    }}


# ---------------------------------------------------------------------------
# Recipes shared by both models


def transport_mmc(p):
    for name, n in (('Rewind', 136), ('Fast Forward', 137), ('Stop', 133), ('Play', 134),
                    ('Record', 135)):
        p.assign(name, 'midicc=%d' % n)
    p.assign('Loop', 'midicc=86 msb=127 lsb=0', desc='Cycle on/off in the DAW')


def transport_daw_cc(p, channel=16):
    for k, name in enumerate(('Rewind', 'Fast Forward', 'Stop', 'Play', 'Record', 'Loop')):
        p.assign(name, 'channel=%d midicc=%d msb=127 lsb=0' % (channel, 112 + k),
                 desc='DAW remote')


SYNTH_KNOBS = ['Filter Cutoff', 'Filter Resonance', 'Filter Env Depth', 'Attack Time',
               'Decay Time', 'Sustain Level', 'Release Time', 'LFO Rate']


def knobs_synth(p, channel=0, params=SYNTH_KNOBS):
    for name, entry in zip(p.names('Knob '), params):
        p.from_library(name, L.SYNTH, L.SYNTH_ID, entry, channel=channel or None)


def knobs_generic(p, first_cc, channel=0):
    for k, name in enumerate(p.names('Knob ')):
        p.assign(name, 'channel=%d midicc=%d' % (channel, first_cc + k))


def knobs_mixer(p, what, first_channel):
    mix = L.mixer()
    for k, name in enumerate(p.names('Knob ')):
        p.from_library(name, mix, L.MIXER_ID, '%s %d' % (what, first_channel + k))


def pads_drums(p, notes, channel=10):
    names = {n: nm for n, nm in L.DRUM_NOTES}
    drums = L.drums()
    for pad, note in zip(p.names('Pad '), notes):
        p.from_library(pad, drums, L.DRUMS_ID, names[note])
        if channel != 10:
            p.set(pad, channel=channel)


def pads_notes(p, first_note, channel, step=1):
    for k, pad in enumerate(p.names('Pad ')):
        p.assign(pad, 'channel=%d midicc=131 program=%d msb=127 lsb=0' % (channel,
                                                                          first_note + k * step))


def pads_programs(p, programs, channel=1, bank_msb=0):
    for pad, prog in zip(p.names('Pad '), programs):
        p.assign(pad, 'channel=%d midicc=130 program=%d msb=%d lsb=0' % (channel, prog, bank_msb))


KIT = [36, 38, 42, 46, 41, 45, 49, 51, 37, 39, 44, 48, 54, 56, 57, 53]
PERCUSSION = [60, 61, 62, 63, 64, 65, 66, 69, 70, 75, 76, 77, 54, 56, 67, 68]


# ---------------------------------------------------------------------------
# Meridian 49


def _m_wheels(p, channels):
    for z in range(1, 5):
        ch = channels[z - 1]
        p.assign('Pitch Wheel', 'channel=%d midicc=128' % ch, zone=z)
        p.assign('Mod Wheel', 'channel=%d midicc=1' % ch, zone=z)


def _m_zones(p, layout, programs, channels=(1, 2, 3, 4)):
    """layout: 'single', 'split', 'layer', 'quad'."""
    ranges = {
        'single': [(36, 84), (36, 84), (36, 84), (36, 84)],
        'split': [(60, 84), (36, 59), (36, 84), (36, 84)],
        'layer': [(36, 84), (36, 84), (36, 84), (36, 84)],
        'quad': [(36, 47), (48, 59), (60, 71), (72, 84)],
    }[layout]
    for z in range(4):
        lo, hi = ranges[z]
        prog = programs[z] if z < len(programs) else 0
        p.zone(z, channel=channels[z], note_low=lo, note_high=hi, program=prog,
               volume=100 if z < len(programs) else 90, pan=64)
    p.enable_zones(*{'single': (1,), 'split': (1, 2), 'layer': (1, 2),
                     'quad': (1, 2, 3, 4)}[layout])
    _m_wheels(p, channels)


def _m_faders_volume(p, first_channel, master=True):
    mix = L.mixer()
    faders = p.names('Fader ')
    for k, name in enumerate(faders[:8]):
        p.from_library(name, mix, L.MIXER_ID, 'Volume %d' % (first_channel + k))
    if master:
        p.assign(faders[8], 'midicc=7', desc='Master level on the global channel')


def _m_buttons_mute(p, first_channel):
    mix = L.mixer()
    buttons = p.names('Button ')
    for k, name in enumerate(buttons[:8]):
        p.from_library(name, mix, L.MIXER_ID, 'Mute %d' % (first_channel + k))
    p.assign(buttons[8], 'midicc=64 msb=127 lsb=0', desc='Sustain latch')


def _m_drawbars(p, channel):
    feet = ["16'", "5 1/3'", "8'", "4'", "2 2/3'", "2'", "1 3/5'", "1 1/3'", "1'"]
    for k, name in enumerate(p.names('Fader ')):
        p.assign(name, 'channel=%d midicc=%d' % (channel, 12 + k), desc='Drawbar %s' % feet[k])
    for k, (name, what) in enumerate(zip(p.names('Button '), [
            'Percussion on', 'Percussion soft', 'Percussion fast', 'Percussion 3rd',
            'Vibrato on', 'Chorus on', 'Rotary fast', 'Rotary stop', 'Overdrive'])):
        p.assign(name, 'channel=%d midicc=%d msb=127 lsb=0' % (channel, 80 + k), desc=what)


def meridian_studio(model):
    presets = []

    def new(name):
        p = Preset(model, name)
        presets.append(p)
        transport_mmc(p)
        return p

    def synth(name, programs, layout='single', params=SYNTH_KNOBS, velocity=2):
        p = new(name)
        _m_zones(p, layout, programs)
        knobs_synth(p, params=params)
        _m_faders_volume(p, 1)
        _m_buttons_mute(p, 1)
        pads_drums(p, KIT[:8])
        p.variables['Velocity Curve'] = velocity
        return p

    p = synth('Studio Split', [PIANO, BASS], 'split')
    p.zone(1, volume=110)
    synth('Grand Piano', [PIANO], params=['Reverb Send', 'Chorus Send', 'Tremolo Depth',
                                          'Sound Variation', 'Attack Time', 'Release Time',
                                          'Filter Cutoff', 'Filter Resonance'])
    synth('EP and Pad Layer', [EPIANO, PAD], 'layer')
    p = new('Drawbar Organ')
    _m_zones(p, 'split', [ORGAN, BASS])
    _m_drawbars(p, 1)
    knobs_synth(p, params=['Sound Variation', 'Chorus Send', 'Reverb Send', 'Tremolo Depth',
                           'LFO Rate', 'LFO Depth', 'Filter Cutoff', 'Release Time'])
    pads_programs(p, [16, 17, 18, 19, 20, 21, 22, 23])
    synth('Analog Bass', [SYNTH_BASS], velocity=4)
    synth('Poly Synth', [PAD + 2], params=SYNTH_KNOBS)
    synth('String Section', [STRINGS], params=['Attack Time', 'Release Time', 'Filter Cutoff',
                                               'Reverb Send', 'LFO Rate', 'LFO Depth',
                                               'Chorus Send', 'Tremolo Depth'])
    synth('Brass Stack', [BRASS, SYNTH_BRASS], 'layer')
    synth('Lead Synth', [LEAD], params=['Filter Cutoff', 'Filter Resonance', 'Glide Time',
                                        'LFO Rate', 'LFO Depth', 'Osc Detune', 'Osc Mix',
                                        'Release Time'])
    synth('Ambient Pad', [PAD + 1, CHOIR], 'layer')
    p = new('Drum Kit')
    _m_zones(p, 'single', [0], channels=(10, 2, 3, 4))
    pads_drums(p, KIT[:8])
    for k, name in enumerate(p.names('Fader ')):
        p.assign(name, 'channel=10 midicc=140 msb=26 lsb=%d' % (36 + k * 2),
                 desc='Drum level (NRPN)')
    for k, name in enumerate(p.names('Knob ')):
        p.assign(name, 'channel=10 midicc=140 msb=24 lsb=%d' % (36 + k * 2),
                 desc='Drum tuning (NRPN)')
    p = new('Percussion Pads')
    _m_zones(p, 'split', [PIANO, BASS])
    pads_drums(p, PERCUSSION[:8])
    knobs_synth(p)
    _m_faders_volume(p, 1)
    for first in (1, 9):
        p = new('DAW Mixer %d-%d' % (first, first + 7))
        _m_zones(p, 'single', [PIANO])
        _m_faders_volume(p, first)
        knobs_mixer(p, 'Pan', first)
        _m_buttons_mute(p, first)
        pads_programs(p, list(range(8)), channel=first)
    p = new('DAW Sends')
    _m_zones(p, 'single', [PIANO])
    knobs_mixer(p, 'Reverb', 1)
    _m_faders_volume(p, 1)
    _m_buttons_mute(p, 1)
    p = new('Four Zone Split')
    _m_zones(p, 'quad', [BASS, PIANO, STRINGS, LEAD])
    knobs_generic(p, 70)
    _m_faders_volume(p, 1)
    p = new('Bass and Lead')
    _m_zones(p, 'split', [LEAD, SYNTH_BASS])
    knobs_synth(p)
    p = new('Piano and Strings')
    _m_zones(p, 'layer', [PIANO, STRINGS])
    p.zone(1, volume=80)
    knobs_synth(p, params=['Reverb Send', 'Chorus Send', 'Attack Time', 'Release Time',
                           'Filter Cutoff', 'Tremolo Depth', 'LFO Rate', 'LFO Depth'])
    _m_faders_volume(p, 1)
    synth('Choir and Pad', [CHOIR, PAD], 'layer')
    synth('Filter Sweeps', [PAD + 3], params=['Filter Cutoff', 'Filter Resonance',
                                              'Filter Env Depth', 'LFO Rate', 'LFO Depth',
                                              'Osc Mix', 'Osc Detune', 'Phaser Depth'])
    synth('Arp Synth', [LEAD + 3])
    p = new('Generic CC')
    _m_zones(p, 'single', [PIANO])
    knobs_generic(p, 21)
    for k, name in enumerate(p.names('Fader ')):
        p.assign(name, 'midicc=%d' % (41 + k))
    for k, name in enumerate(p.names('Button ')):
        p.assign(name, 'midicc=%d msb=127 lsb=0' % (51 + k))
    pads_notes(p, 36, 10)
    p = new('Program Pads')
    _m_zones(p, 'single', [PIANO])
    pads_programs(p, [PIANO, EPIANO, ORGAN, NYLON, STRINGS, CHOIR, BRASS, PAD])
    knobs_synth(p)
    _m_faders_volume(p, 1)
    p = new('Live Looper')
    _m_zones(p, 'single', [PIANO])
    transport_daw_cc(p)
    knobs_generic(p, 102)
    for k, name in enumerate(p.names('Button ')):
        p.assign(name, 'channel=16 midicc=%d msb=127 lsb=0' % (20 + k),
                 desc='Loop track %d record' % (k + 1))
    p = new('Modular Voltages')
    _m_zones(p, 'single', [0])
    knobs_generic(p, 102)
    for k, name in enumerate(p.names('Fader ')):
        p.assign(name, 'midicc=%d' % (110 + k), desc='CV output %d' % (k + 1))
    synth('Mono Lead Glide', [LEAD], params=['Glide Time', 'Filter Cutoff', 'Filter Resonance',
                                             'LFO Rate', 'LFO Depth', 'LFO Delay', 'Osc Detune',
                                             'Release Time'])
    p = new('Jazz Trio')
    _m_zones(p, 'split', [PIANO, BASS - 1])
    pads_drums(p, [51, 53, 59, 44, 38, 37, 36, 42])
    knobs_synth(p, params=['Reverb Send', 'Chorus Send', 'Tremolo Depth', 'Sound Variation',
                           'Attack Time', 'Release Time', 'Filter Cutoff', 'Decay Time'])
    _m_faders_volume(p, 1)
    synth('Orchestral Layers', [STRINGS, BRASS, CHOIR], 'layer')
    p = presets[-1]
    p.enable_zones(1, 2, 3)
    p.zone(2, channel=3, note_low=36, note_high=84)
    synth('Synth Brass', [SYNTH_BRASS])
    synth('Vibes and Bass', [VIBES, BASS], 'split')
    synth('EP Tremolo', [EPIANO], params=['Tremolo Depth', 'LFO Rate', 'Chorus Send',
                                          'Reverb Send', 'Filter Cutoff', 'Attack Time',
                                          'Release Time', 'Sound Variation'])
    p = Preset(model, 'Init Preset')
    _m_zones(p, 'single', [PIANO])
    presets.append(p)
    return presets


def meridian_templates(model):
    """One preset per MIDI channel with the same generic layout, then mixer
    and drum templates."""
    presets = []
    for ch in range(1, 17):
        p = Preset(model, 'Instrument Ch %d' % ch)
        _m_zones(p, 'single', [PIANO], channels=(ch, ch, ch, ch))
        knobs_synth(p, channel=ch)
        for k, name in enumerate(p.names('Fader ')):
            p.assign(name, 'channel=%d midicc=%d' % (ch, [7, 10, 11, 91, 93, 94, 95, 73, 72][k]))
        for k, name in enumerate(p.names('Button ')):
            p.assign(name, 'channel=%d midicc=%d msb=127 lsb=0' % (ch, 80 + k))
        pads_notes(p, 36, ch)
        transport_mmc(p)
        presets.append(p)
    for first in (1, 9):
        for what in ('Volume', 'Pan', 'Reverb'):
            p = Preset(model, 'Mixer %s %d-%d' % (what, first, first + 7))
            _m_zones(p, 'single', [PIANO])
            if what == 'Volume':
                _m_faders_volume(p, first)
                knobs_mixer(p, 'Pan', first)
            else:
                knobs_mixer(p, what, first)
                _m_faders_volume(p, first)
            _m_buttons_mute(p, first)
            transport_mmc(p)
            presets.append(p)
    for name, notes in (('Drums Kit Pads', KIT[:8]), ('Drums Toms Pads', [41, 43, 45, 47, 48, 50,
                                                                         49, 57]),
                        ('Drums Latin Pads', PERCUSSION[:8]), ('Drums Cymbals', [42, 44, 46, 49,
                                                                                 51, 52, 55,
                                                                                 57])):
        p = Preset(model, name)
        _m_zones(p, 'single', [0], channels=(10, 10, 10, 10))
        pads_drums(p, notes)
        for k, kn in enumerate(p.names('Knob ')):
            p.assign(kn, 'channel=10 midicc=140 msb=24 lsb=%d' % notes[k], desc='Tuning (NRPN)')
        for k, fd in enumerate(p.names('Fader ')[:8]):
            p.assign(fd, 'channel=10 midicc=140 msb=26 lsb=%d' % notes[k], desc='Level (NRPN)')
        transport_mmc(p)
        presets.append(p)
    for name, layout, chans in (('Zones Split 1/2', 'split', (1, 2, 3, 4)),
                                ('Zones Split 3/4', 'split', (3, 4, 5, 6)),
                                ('Zones Layer 1+2', 'layer', (1, 2, 3, 4)),
                                ('Zones Four Way', 'quad', (1, 2, 3, 4))):
        p = Preset(model, name)
        _m_zones(p, layout, [PIANO, BASS, STRINGS, LEAD], channels=chans)
        knobs_synth(p, channel=chans[0])
        _m_faders_volume(p, chans[0])
        transport_mmc(p)
        presets.append(p)
    p = Preset(model, 'Program Browser')
    _m_zones(p, 'single', [PIANO])
    pads_programs(p, list(range(0, 64, 8)))
    for k, name in enumerate(p.names('Button ')):
        p.assign(name, 'midicc=130 program=%d msb=%d lsb=0' % (k, k), desc='Bank %d' % k)
    transport_mmc(p)
    presets.append(p)
    p = Preset(model, 'Init Template')
    _m_zones(p, 'single', [PIANO])
    presets.append(p)
    return presets


# ---------------------------------------------------------------------------
# Sprite 25


def _s_strips(p, channel=0):
    p.assign('Pitch Strip', 'channel=%d midicc=128' % channel)
    p.assign('Mod Strip', 'channel=%d midicc=1' % channel)


def sprite_beats(model):
    presets = []

    def new(name, pad_channel=10):
        p = Preset(model, name)
        p.variables['Pad Channel'] = pad_channel
        transport_mmc(p)
        _s_strips(p)
        presets.append(p)
        return p

    p = new('Beats Kit')
    pads_drums(p, KIT)
    knobs_synth(p)
    p = new('Finger Drums')
    pads_drums(p, [36, 36, 38, 40, 42, 44, 46, 39, 41, 43, 45, 47, 49, 51, 55, 57])
    p.variables['Pad Sensitivity'] = 8
    knobs_mixer(p, 'Volume', 1)
    p = new('Latin Percussion')
    pads_drums(p, PERCUSSION)
    knobs_synth(p, params=['Reverb Send', 'Chorus Send', 'Attack Time', 'Release Time',
                           'Filter Cutoff', 'Filter Resonance', 'Sound Variation', 'Decay Time'])
    p = new('Synth Bass', pad_channel=2)
    pads_notes(p, 36, 2)
    knobs_synth(p, channel=2)
    p = new('Keys and Pads', pad_channel=1)
    pads_programs(p, [PIANO, EPIANO, ORGAN, VIBES, STRINGS, CHOIR, PAD, PAD + 1,
                      BRASS, SYNTH_BRASS, LEAD, LEAD + 1, NYLON, BASS, SYNTH_BASS, PAD + 2])
    knobs_synth(p)
    p = new('DAW Control')
    transport_daw_cc(p)
    knobs_mixer(p, 'Pan', 1)
    for k, pad in enumerate(p.names('Pad ')):
        p.assign(pad, 'channel=16 midicc=%d msb=127 lsb=0' % (20 + k), desc='Clip launch')
    p = new('Mixer 1-8')
    knobs_mixer(p, 'Volume', 1)
    mix = L.mixer()
    for k, pad in enumerate(p.names('Pad ')[:8]):
        p.from_library(pad, mix, L.MIXER_ID, 'Mute %d' % (k + 1))
    for k, pad in enumerate(p.names('Pad ')[8:]):
        p.assign(pad, 'channel=%d midicc=64 msb=127 lsb=0' % (k + 1), desc='Sustain latch')
    p = new('Chromatic Sampler', pad_channel=3)
    pads_notes(p, 48, 3)
    knobs_generic(p, 70, channel=3)
    p = new('Chord Pads', pad_channel=1)
    pads_notes(p, 48, 1, step=2)
    knobs_synth(p)
    p = new('Program Pads', pad_channel=1)
    pads_programs(p, list(range(0, 128, 8)))
    knobs_synth(p)
    p = new('Filter FX')
    pads_drums(p, KIT)
    knobs_synth(p, params=['Filter Cutoff', 'Filter Resonance', 'Filter Env Depth', 'Osc Mix',
                           'LFO Rate', 'LFO Depth', 'Phaser Depth', 'Osc Detune'])
    p = new('Generic CC')
    knobs_generic(p, 21)
    for k, pad in enumerate(p.names('Pad ')):
        p.assign(pad, 'midicc=%d msb=127 lsb=0' % (51 + k))
    p = new('Lead Synth', pad_channel=1)
    pads_notes(p, 60, 1)
    knobs_synth(p, params=['Filter Cutoff', 'Filter Resonance', 'Glide Time', 'LFO Rate',
                           'LFO Depth', 'Osc Detune', 'Osc Mix', 'Release Time'])
    p = new('Drum Tuning')
    pads_drums(p, KIT)
    for k, kn in enumerate(p.names('Knob ')):
        p.assign(kn, 'channel=10 midicc=140 msb=24 lsb=%d' % KIT[k], desc='Tuning (NRPN)')
    p = new('Live Set')
    pads_drums(p, KIT[:8] + PERCUSSION[:8])
    knobs_mixer(p, 'Reverb', 1)
    p = Preset(model, 'Init Preset')
    presets.append(p)
    return presets


ROM_BANKS = {
    'Meridian 49.eld': [('Factory Studio.xml', 'Meridian Studio', 4901, meridian_studio),
                        ('Factory Templates.xml', 'Meridian Templates', 4902,
                         meridian_templates)],
    'Sprite 25.eld': [('Factory Beats.xml', 'Sprite Beats', 2501, sprite_beats)],
}


def write_rom_banks(model, folder_path, log=print):
    for file_name, bank_name, uid, recipe in ROM_BANKS[model.folder]:
        presets = recipe(model)
        plist.write(f'{folder_path}/{file_name}', bank_document(model, bank_name, uid, presets))
        log('  %s/%s (%d presets)' % (model.folder, file_name, len(presets)))


def _user_presets(model, picks):
    """A user's bank: a few presets taken from the factory recipes (renamed
    as a user would), the rest fresh."""
    presets = []
    for recipe, index, name in picks:
        p = recipe(model)[index]
        p.name = name
        presets.append(p)
    while len(presets) < model.midi['presets']:
        presets.append(Preset(model, 'Init %d' % (len(presets) + 1)))
    return presets


USER_BANKS = {
    'Meridian 49.eld': ('My Meridian Setups.xml', 'My Meridian Setups', 1201, [
        (meridian_studio, 0, 'Rehearsal Split'), (meridian_studio, 16, 'Gig Bass and Lead'),
        (meridian_studio, 3, 'Organ Set'), (meridian_studio, 12, 'Home Studio Mix'),
        (meridian_studio, 10, 'Practice Drums'), (meridian_templates, 20, 'Band Mixer'),
        (meridian_studio, 17, 'Ballad Layer'), (meridian_studio, 15, 'Four Hands'),
    ]),
    'Sprite 25.eld': ('My Sprite Kits.xml', 'My Sprite Kits', 1202, [
        (sprite_beats, 0, 'Boom Bap Kit'), (sprite_beats, 2, 'Latin Jam'),
        (sprite_beats, 5, 'Session Control'), (sprite_beats, 3, 'Bass Sketch'),
    ]),
}


def write_user_bank(model, folder_path, log=print):
    file_name, bank_name, uid, picks = USER_BANKS[model.folder]
    presets = _user_presets(model, picks)
    plist.write(f'{folder_path}/{file_name}', bank_document(model, bank_name, uid, presets,
                                                           rom=False))
    log('  User Preset Banks/%s (%d presets)' % (file_name, len(presets)))
