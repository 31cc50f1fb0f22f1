"""A contact sheet of generated pictures, for looking at them together."""

from . import encode, raster


def zoom(rows, k):
    out = []
    for row in rows:
        line = []
        for p in row:
            line.extend([p] * k)
        for _ in range(k):
            out.append(list(line))
    return out


def contact_sheet(items, path, background=(206, 211, 218), zoom_factor=2, width=1400):
    """items: list of (label, rows). Lays them out in rows, zoomed."""
    pad = 8
    width = max(width, max(len(r[0]) for _l, r in items) * zoom_factor + 2 * pad)
    placed = []
    x = y = pad
    line_h = 0
    for label, rows in items:
        z = zoom(rows, zoom_factor)
        w = len(z[0])
        h = len(z)
        if x + w + pad > width and x > pad:
            x = pad
            y += line_h + pad
            line_h = 0
        placed.append((x, y, z))
        x += w + pad
        line_h = max(line_h, h)
    total_h = y + line_h + pad
    sheet = raster.blank(width, total_h, background + (255,))
    for x, y, z in placed:
        for j, row in enumerate(z):
            d = sheet[y + j]
            for i, p in enumerate(row):
                a = p[3]
                if a == 255:
                    d[x + i] = p
                elif a:
                    q = d[x + i]
                    d[x + i] = tuple((p[c] * a + q[c] * (255 - a)) // 255 for c in range(3)) + (255,)
    encode.write_png(path, sheet, alpha=False)
