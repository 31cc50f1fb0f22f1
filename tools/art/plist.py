"""Property-list XML in the exact layout the program writes: the XML
declaration, DOCTYPE and plist lines, tab indentation, each key on the line
of its value, CR LF line ends.

Values: dict -> <dict>, list -> <array>, str -> <string>, bool -> <true/>
or <false/>, int -> <integer>, float -> <real> ("%f"). Dicts keep their
insertion order, which is the order keys are written in.
"""

HEADER = ('<?xml version="1.0" encoding="UTF-8"?>\n'
          '<!DOCTYPE plist PUBLIC "-//Apple Computer//DTD PLIST 1.0//EN" '
          '"http://www.apple.com/DTDs/PropertyList-1.0.dtd">\n'
          '<plist version="1.0">\n')
FOOTER = '</plist>\n'


def escape(text):
    return (text.replace('&', '&amp;').replace('<', '&lt;').replace('>', '&gt;')
            .replace('"', '&quot;').replace("'", '&apos;'))


def _value(out, value, depth):
    tabs = '\t' * depth
    if isinstance(value, bool):
        out.append('<%s/>\n' % ('true' if value else 'false'))
    elif isinstance(value, int):
        out.append('<integer>%d</integer>\n' % value)
    elif isinstance(value, float):
        out.append('<real>%f</real>\n' % value)
    elif isinstance(value, str):
        out.append('<string>%s</string>\n' % escape(value))
    elif isinstance(value, dict):
        if not value:
            out.append('<dict/>\n')
            return
        out.append('<dict>\n')
        for k, v in value.items():
            out.append('\t' * (depth + 1) + '<key>%s</key>' % escape(k))
            _value(out, v, depth + 1)
        out.append(tabs + '</dict>\n')
    elif isinstance(value, (list, tuple)):
        if not value:
            out.append('<array/>\n')
            return
        out.append('<array>\n')
        for v in value:
            out.append('\t' * (depth + 1))
            _value(out, v, depth + 1)
        out.append(tabs + '</array>\n')
    else:
        raise TypeError('cannot write %r' % (value,))


def dumps(root):
    """The document as bytes (UTF-8, CR LF line ends)."""
    out = [HEADER]
    _value(out, root, 0)
    out.append(FOOTER)
    return ''.join(out).replace('\n', '\r\n').encode('utf-8')


def write(path, root):
    with open(path, 'wb') as f:
        f.write(dumps(root))
