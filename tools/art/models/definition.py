"""The definition.xml of a device model, built from the same model object the
pictures are drawn from (positions, picture names and sizes, keyboard
template), plus the model's MIDI description."""

# Per-control data columns of the list view and control editor: ID n names
# list column n - 1 (Name, Ctrl, Parameter, -, Ch, MSB, LSB, Prog, Comment).
CONTROL_FIELDS = [
    {'name': 'Control', 'short name': 'Name', 'tag name': 'name', 'ID': 1, 'editable': 0,
     'list view': 1, 'detailed view': 1},
    {'name': 'MIDI CC', 'short name': 'CC', 'tag name': 'MIDICC', 'ID': 2, 'value min': 0,
     'value max': 255, 'editable': 1, 'list view': 1, 'detailed view': 1},
    {'name': 'Assignment', 'short name': 'Parameter', 'tag name': 'parameter', 'ID': 3,
     'editable': 0, 'list view': 1, 'detailed view': 1},
    {'name': 'Channel', 'short name': 'Ch', 'tag name': 'channel', 'ID': 5, 'value min': 0,
     'value max': 16, 'editable': 1, 'list view': 1, 'detailed view': 1},
    {'name': 'Upper Value', 'short name': 'Hi', 'tag name': 'msb', 'ID': 6, 'value min': 0,
     'value max': 127, 'editable': 1, 'list view': 1, 'detailed view': 1},
    {'name': 'Lower Value', 'short name': 'Lo', 'tag name': 'lsb', 'ID': 7, 'value min': 0,
     'value max': 127, 'editable': 1, 'list view': 1, 'detailed view': 1},
    {'name': 'Program', 'short name': 'Prog', 'tag name': 'program', 'ID': 8, 'value min': 0,
     'value max': 127, 'editable': 1, 'list view': 1, 'detailed view': 1},
    {'name': 'Comment', 'short name': 'Comment', 'tag name': 'desc', 'ID': 9, 'editable': 1,
     'list view': 1, 'detailed view': 1},
]


def sysex_list(zone_tags):
    """Named fields of the device's preset image (the SysEx layout itself is
    fixed by the program; these name the groups for the bank files)."""
    out = []

    def add(sysex, array, tag, nibble, offset):
        out.append({'sysex': sysex, 'array': array, 'tag name': tag, 'nibble': nibble,
                    'offset': offset})

    add(2, 'linear', 'channel', 0, 32)
    add(3, 'linear', 'MIDICC', 1, 160)
    add(4, 'linear', 'msb', 0, 288)
    add(5, 'linear', 'lsb', 0, 416)
    add(6, 'buttons', 'channel', 0, 544)
    add(7, 'buttons', 'MIDICC', 1, 672)
    add(8, 'buttons', 'program', 0, 800)
    add(9, 'buttons', 'msb', 0, 928)
    add(10, 'buttons', 'lsb', 0, 1056)
    add(11, 'variables', 'value', 1, 1184)
    for f, tag in enumerate(zone_tags):
        add(12 + f, 'zones', tag, 1 if f >= 6 else 0, 1200 + 8 * f)
    return out


def _rect_text(r):
    return '%d, %d, %d, %d' % tuple(r)


def build(model):
    mi = model.midi
    graphic = {
        'background': 'device.png',
        'bounds': _rect_text((0, 0, model.width, model.height)),
        'colour': '%d, %d, %d' % model.panel8(),
    }
    keyboard = {'size': model.keyboard['size'], 'octaves': model.keyboard['octaves']}
    if model.zone_keyboard is not None:
        zk = model.zone_keyboard
        graphic['zone keyboard'] = {'background': 'keyboard.png',
                                    'bounds': _rect_text(zk['bounds'])}
        tpl = zk['template']
        keyboard['octave'] = {
            'base note': model.keyboard['base note'],
            'base index': model.keyboard['base index'],
            'bounds': _rect_text(tpl['bounds']),
            'blacks': [_rect_text(r) for r in tpl['blacks']],
            'whites': [_rect_text(r) for r in tpl['whites']],
        }
    else:
        keyboard['octave'] = {'base note': model.keyboard['base note'],
                              'base index': model.keyboard['base index']}

    controls = []
    for c in model.controls:
        d = {'name': c.name}
        if c.description:
            d['description'] = c.description
        d['ID'] = c.id
        d['zone'] = c.zone
        d['type'] = c.type.name
        d['position'] = c.position_text()
        controls.append(d)

    types = []
    for t in model.types:
        types.append({
            'name': t.name,
            'value min': t.value_min,
            'value max': t.value_max,
            'linear': t.linear,
            'MIDI': {'program': t.program, 'supported cc': t.supported_cc},
            'graphic': {'background': t.file('background'),
                        'background selected': t.file('background_selected'),
                        'normal': t.file('normal'), 'selected': t.file('selected')},
        })

    zone_tags = [z['tag name'] for z in mi['zone fields']]
    midi = {
        'input count': 1,
        'sysex input index': 0,
        'output count': 1,
        'limits': {'zones': mi['zones'], 'variables': mi['variable slots'],
                   'controls': len(model.controls)},
        'sysex': {'request': 'F0 00 20 08 00', 'data': 'F0 00 20 08 02', 'control': 'F0 00 20 08 7F'},
        'supported cc': mi['supported cc'],
        'sysex list': sysex_list(zone_tags),
        'default values': {
            'controls': {'channel': 0, 'MIDICC': 255, 'program': 0, 'msb': 127, 'lsb': 0},
            'variables': {v['name']: v['default'] for v in mi['variables']},
        },
    }
    if mi['zone fields']:
        midi['default values']['zones'] = {z['tag name']: z['default'] for z in mi['zone fields']}

    variables = []
    for v in mi['variables']:
        d = {'name': v['name'], 'ID': v['ID'], 'value min': v['min'], 'value max': v['max'],
             'target': 'variables[%d]' % v['slot']}
        if v.get('always one'):
            d['always_one_value'] = 1
        if v.get('masks'):
            d['mask'] = [{'name': n, 'mask': m} for n, m in v['masks']]
        variables.append(d)

    device = {
        'name': model.name,
        'manufacturer': 'Corvanith',
        'description': mi['description'],
        'VID': mi['VID'],
        'PID': mi['PID'],
        'Group ID': mi['Group ID'],
        'Software Version': '1.2',
        'Software Revision': 4,
        'firmware': {'minimum': '1.0', 'current': '1.2'},
        'graphic': graphic,
        'keyboard': keyboard,
        'preset': {'count': mi['presets']},
        'MIDI': midi,
        'controls': controls,
        'controller types': types,
        'variables': variables,
    }
    if mi['zone fields']:
        device['zone data fields'] = [
            {'name': z['name'], 'tag name': z['tag name'], 'ID': i + 1, 'value min': z['min'],
             'value max': z['max']} for i, z in enumerate(mi['zone fields'])]
    device['control data fields'] = CONTROL_FIELDS
    return {'device': device}
