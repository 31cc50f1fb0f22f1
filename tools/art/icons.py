"""Pictograms of the toolbar buttons, drawn about a centre in a box of
`size` pixels (about 14), in one colour."""

from . import raster
from .raster import rect, segment, polygon, polyline, circle, ring, arc


def _arrow_down(cx, top, bottom, head, width):
    return raster.union(
        segment(cx, top, cx, bottom - head * 0.6, width),
        polygon([(cx - head, bottom - head), (cx + head, bottom - head), (cx, bottom + 0.3)]))


def _arrow_up(cx, top, bottom, head, width):
    return raster.union(
        segment(cx, bottom, cx, top + head * 0.6, width),
        polygon([(cx - head, top + head), (cx + head, top + head), (cx, top - 0.3)]))


def download(c, cx, cy, colour):
    """Device to computer: an arrow coming down into a tray."""
    c.fill(_arrow_down(cx, cy - 7, cy + 2.5, 4.2, 2.2), colour)
    c.fill(polyline([(cx - 7, cy + 2), (cx - 7, cy + 6), (cx + 7, cy + 6), (cx + 7, cy + 2)], 1.8),
           colour)


def upload(c, cx, cy, colour):
    """Changes to the device: an arrow leaving the tray, with a change mark."""
    c.fill(_arrow_up(cx - 1.5, cy - 7, cy + 3, 4.2, 2.2), colour)
    c.fill(polyline([(cx - 7, cy + 2), (cx - 7, cy + 6), (cx + 7, cy + 6), (cx + 7, cy + 2)], 1.8),
           colour)
    c.fill(circle(cx + 5, cy - 4.5, 1.9), colour)


def send(c, cx, cy, colour):
    """The whole bank to the device: a stack of presets with an arrow."""
    for k in range(3):
        y = cy - 4 + k * 4
        c.fill(rect(cx - 9, y - 1, cx + 1, y + 1, 0.9), colour)
    c.fill(segment(cx + 3, cy, cx + 9, cy, 2.2), colour)
    c.fill(polygon([(cx + 6.5, cy - 4.2), (cx + 11, cy), (cx + 6.5, cy + 4.2)]), colour)


def library(c, cx, cy, colour):
    """Books on a shelf."""
    c.fill(rect(cx - 8, cy - 6, cx - 5, cy + 5, 0.6), colour)
    c.fill(rect(cx - 4, cy - 4, cx - 1, cy + 5, 0.6), colour)
    c.fill(rect(cx, cy - 6, cx + 3, cy + 5, 0.6), colour)
    book = polygon([(cx + 4, cy - 4.6), (cx + 6.6, cy - 5.4), (cx + 9.4, cy + 4.4), (cx + 6.8, cy + 5.2)])
    c.fill(book, colour)
    c.fill(rect(cx - 9, cy + 6, cx + 10, cy + 7.6, 0.6), colour)


def new_file(c, cx, cy, colour):
    """A blank page with a plus."""
    page = polyline([(cx + 4, cy - 7), (cx - 6, cy - 7), (cx - 6, cy + 7), (cx + 6, cy + 7),
                     (cx + 6, cy - 5), (cx + 4, cy - 7)], 1.6)
    c.fill(page, colour)
    c.fill(segment(cx - 2.5, cy + 1, cx + 2.5, cy + 1, 1.8), colour)
    c.fill(segment(cx, cy - 1.5, cx, cy + 3.5, 1.8), colour)


def rescan(c, cx, cy, colour):
    """Two arrows chasing round a circle."""
    c.fill(arc(cx, cy, 6, 2.0, 200, 330), colour)
    c.fill(arc(cx, cy, 6, 2.0, 20, 150), colour)
    for ang, sgn in ((330, 1), (150, 1)):
        import math
        a = math.radians(ang)
        px = cx + 6 * math.cos(a)
        py = cy + 6 * math.sin(a)
        # Tangent direction of travel (clockwise on screen).
        tx = -math.sin(a)
        ty = math.cos(a)
        nx = math.cos(a)
        ny = math.sin(a)
        tip = (px + tx * 3.6, py + ty * 3.6)
        c.fill(polygon([(px + nx * 3.2, py + ny * 3.2), tip, (px - nx * 3.2, py - ny * 3.2)]),
               colour)


def editor(c, cx, cy, colour):
    """Control details: three sliders."""
    for k, pos in enumerate((-2.5, 3, -0.5)):
        x = cx - 5 + k * 5
        c.fill(segment(x, cy - 6.5, x, cy + 6.5, 1.3), colour, alpha=0.75)
        c.fill(rect(x - 2.2, cy + pos - 1.6, x + 2.2, cy + pos + 1.6, 0.8), colour)


def view_toggle(c, cx, cy, colour):
    """Picture and list side by side."""
    c.fill(polyline([(cx - 9, cy - 6), (cx - 1, cy - 6), (cx - 1, cy + 6), (cx - 9, cy + 6)],
                    1.5, closed=True), colour)
    c.fill(circle(cx - 5, cy - 1.5, 2.0), colour)
    c.fill(rect(cx - 7.5, cy + 2.5, cx - 2.5, cy + 4, 0.5), colour)
    for k in range(4):
        y = cy - 5 + k * 3.3
        c.fill(rect(cx + 2, y - 0.8, cx + 9, y + 0.8, 0.5), colour)


def midi_socket(c, cx, cy, r, colour, pin_colour, width=1.3):
    """A five-pin DIN socket face."""
    import math
    c.fill(ring(cx, cy, r, width), colour)
    c.fill(rect(cx - 1.6, cy - r - 0.2, cx + 1.6, cy - r + 2.0, 0.4), colour)
    # Five pins on a half circle opposite the key notch.
    for ang in (0, 45, 90, 135, 180):
        a = math.radians(ang)
        c.fill(circle(cx + math.cos(a) * r * 0.55, cy + math.sin(a) * r * 0.55, r * 0.14),
               pin_colour)
