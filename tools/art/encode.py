"""File writers for finished pixel rows (lists of (r, g, b, a) 8-bit tuples):
PNG (RGBA or RGB, zlib), 24-bit BMP, and Windows .cur/.ico containers with
32-bit images plus AND masks (a 256-pixel icon as PNG)."""

import struct
import zlib


def png_bytes(rows, alpha=True):
    h = len(rows)
    w = len(rows[0])
    channels = 4 if alpha else 3
    raw = bytearray()
    prev = bytes(w * channels)
    for row in rows:
        line = bytearray()
        for p in row:
            line.extend(p[:channels])
        # Filter "Up" when it helps; deterministic choice per row.
        up = bytes((line[i] - prev[i]) & 0xFF for i in range(len(line)))
        if sum(1 for v in up if v) < sum(1 for v in line if v):
            raw.append(2)
            raw.extend(up)
        else:
            raw.append(0)
            raw.extend(line)
        prev = bytes(line)

    def chunk(kind, data):
        c = struct.pack('>I', len(data)) + kind + data
        return c + struct.pack('>I', zlib.crc32(kind + data) & 0xFFFFFFFF)

    colour_type = 6 if alpha else 2
    out = b'\x89PNG\r\n\x1a\n'
    out += chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, 8, colour_type, 0, 0, 0))
    out += chunk(b'IDAT', zlib.compress(bytes(raw), 9))
    out += chunk(b'IEND', b'')
    return out


def write_png(path, rows, alpha=True):
    with open(path, 'wb') as f:
        f.write(png_bytes(rows, alpha))


def bmp_bytes(rows):
    """24-bit bottom-up BMP, rows padded to 4 bytes (what LoadBitmap wants)."""
    h = len(rows)
    w = len(rows[0])
    stride = (w * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b, _a in row:
            line += bytes((b, g, r))
        line += bytes(stride - len(line))
        data += line
    header = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    file_header = struct.pack('<2sIHHI', b'BM', 14 + 40 + len(data), 0, 0, 14 + 40)
    return file_header + header + bytes(data)


def write_bmp(path, rows):
    with open(path, 'wb') as f:
        f.write(bmp_bytes(rows))


def _dib32(rows):
    """The image part of an icon/cursor entry: BITMAPINFOHEADER with double
    height, 32-bit BGRA bottom-up, then the 1-bit AND mask."""
    h = len(rows)
    w = len(rows[0])
    header = struct.pack('<IiiHHIIiiII', 40, w, h * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            xor += bytes((b, g, r, a))
    mask_stride = ((w + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(mask_stride)
        for x, p in enumerate(row):
            if p[3] < 128:  # transparent where a viewer ignores alpha
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    return header + bytes(xor) + bytes(mask)


def _container(kind, images, hotspots=None):
    """kind 1 = icon, 2 = cursor."""
    out = struct.pack('<HHH', 0, kind, len(images))
    offset = 6 + 16 * len(images)
    blobs = []
    for n, rows in enumerate(images):
        # The 256-pixel icon is stored as a PNG, as Windows has read it since
        # Vista: as a bitmap it would be a quarter of a megabyte.
        blob = png_bytes(rows) if len(rows) >= 256 else _dib32(rows)
        w = len(rows[0])
        h = len(rows)
        if kind == 2:
            hx, hy = hotspots[n]
            field1, field2 = hx, hy
        else:
            field1, field2 = 1, 32
        out += struct.pack('<BBBBHHII', w & 0xFF, h & 0xFF, 0, 0, field1, field2, len(blob), offset)
        offset += len(blob)
        blobs.append(blob)
    return out + b''.join(blobs)


def write_ico(path, images):
    with open(path, 'wb') as f:
        f.write(_container(1, images))


def write_cur(path, rows, hotspot):
    with open(path, 'wb') as f:
        f.write(_container(2, [rows], [hotspot]))
