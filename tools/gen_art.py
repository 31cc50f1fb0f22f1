#!/usr/bin/env python3
"""Draws every picture the program ships and writes the demo data set.

Rerun from the repository root with the Python 3 standard library only:

    python3 tools/gen_art.py             # everything
    python3 tools/gen_art.py ui          # interface pictures -> resources/
    python3 tools/gen_art.py devices     # device folders -> data/Devices/
    python3 tools/gen_art.py libraries   # control libraries -> data/Library/
    python3 tools/gen_art.py --sheet /tmp/sheet.png ui   # plus a contact sheet

The output is deterministic: the same sources give the same pixels. Device
geometry lives only in tools/art/models/*.py; the definitions' positions are
written from it, so the pictures and the definitions cannot disagree.
"""

import argparse
import os
import sys

sys.dont_write_bytecode = True

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

from art import sheet  # noqa: E402


def main():
    parser = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    parser.add_argument('parts', nargs='*', default=['ui', 'devices', 'libraries'],
                        help='ui, devices, libraries (default: all)')
    parser.add_argument('--root', default=os.path.dirname(HERE), help='repository root')
    parser.add_argument('--sheet', help='also write a contact sheet PNG of what was drawn')
    args = parser.parse_args()

    made = {}
    for part in args.parts:
        print('drawing %s' % part)
        if part == 'ui':
            from art import ui
            made.update(ui.write_all(args.root))
        elif part == 'devices':
            from art import devices
            made.update(devices.write_all(args.root))
        elif part == 'libraries':
            from art import libraries
            libraries.write_all(args.root)
        else:
            parser.error('unknown part %r' % part)
    if args.sheet and made:
        items = [(k, v) for k, v in made.items() if len(v[0]) <= 1400]
        sheet.contact_sheet(items, args.sheet)
        print('contact sheet: %s' % args.sheet)


if __name__ == '__main__':
    main()
