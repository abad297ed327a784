"""PNG reading, writing and comparison for the web tests, standard library only.

Reads what Chromium writes: 8-bit RGB or RGBA, not interlaced, any of the five row filters.
Alpha is dropped: tests compare what an opaque page shows.
"""
import struct, zlib

SIGNATURE = b"\x89PNG\r\n\x1a\n"


class Image:
    """An RGB picture: `data` holds width*height*3 bytes, rows top to bottom."""

    def __init__(self, width, height, data=None):
        self.width, self.height = width, height
        self.data = bytearray(data if data is not None else width * height * 3)
        if len(self.data) != width * height * 3:
            raise ValueError("%d bytes are no %dx%d RGB picture" % (len(self.data), width, height))

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.data[i:i + 3])

    def set_pixel(self, x, y, rgb):
        i = (y * self.width + x) * 3
        self.data[i:i + 3] = bytes(rgb)


def _unfilter(kind, row, prev, bpp):
    """Undoes a row's filter; `row` and `prev` (the decoded row above) start with bpp zeros, which
    stand for the pixels left of the picture."""
    if kind == 2:
        row[bpp:] = bytes((a + b) & 255 for a, b in zip(row[bpp:], prev[bpp:]))
    elif kind in (1, 3, 4):
        for i in range(bpp, len(row)):
            a, b, c = row[i - bpp], prev[i], prev[i - bpp]
            if kind == 1:
                row[i] = (row[i] + a) & 255
            elif kind == 3:
                row[i] = (row[i] + ((a + b) >> 1)) & 255
            else:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                row[i] = (row[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
    elif kind:
        raise ValueError("unknown PNG row filter %d" % kind)


def read_png(data):
    if data[:8] != SIGNATURE:
        raise ValueError("not a PNG file")
    pos, idat, header, ctype = 8, [], None, None
    while pos < len(data) and ctype != b"IEND":
        length, ctype = struct.unpack(">I4s", data[pos:pos + 8])
        body, pos = data[pos + 8:pos + 8 + length], pos + 12 + length
        if data[pos - 4:pos] != struct.pack(">I", zlib.crc32(ctype + body)):
            raise ValueError("PNG chunk %r has a bad checksum" % ctype)
        header = struct.unpack(">IIBBBBB", body) if ctype == b"IHDR" else header
        idat += [body] if ctype == b"IDAT" else []
    width, height, depth, colour, _, _, interlace = header or (0, 0, 0, 0, 0, 0, 0)
    if depth != 8 or colour not in (2, 6) or interlace:
        raise ValueError("unsupported PNG: depth %d, colour type %d, interlace %d" % (depth, colour, interlace))
    bpp = 3 if colour == 2 else 4
    raw, stride = zlib.decompress(b"".join(idat)), width * bpp + 1
    out, prev = bytearray(), bytearray(stride - 1 + bpp)
    for y in range(height):
        row = bytearray(bpp) + raw[y * stride + 1:(y + 1) * stride]
        _unfilter(raw[y * stride], row, prev, bpp)
        rgb = row[bpp:]
        if bpp == 4:
            del rgb[3::4]
        out += rgb
        prev = row
    return Image(width, height, out)


def load_png(path):
    with open(path, "rb") as f:
        return read_png(f.read())


def write_png(path, image):
    """Writes 8-bit RGB, rows unfiltered."""
    def chunk(ctype, body):
        return struct.pack(">I", len(body)) + ctype + body + struct.pack(">I", zlib.crc32(ctype + body))
    n = image.width * 3
    raw = b"".join(b"\0" + image.data[y * n:(y + 1) * n] for y in range(image.height))
    with open(path, "wb") as f:
        f.write(SIGNATURE + chunk(b"IHDR", struct.pack(">IIBBBBB", image.width, image.height, 8, 2, 0, 0, 0))
                + chunk(b"IDAT", zlib.compress(raw, 6)) + chunk(b"IEND", b""))


def compare(actual, golden, tolerance=2):
    """The (x, y) of every pixel where some channel differs by more than `tolerance`."""
    if (actual.width, actual.height) != (golden.width, golden.height):
        raise ValueError("picture of %dx%d against a golden of %dx%d"
                         % (actual.width, actual.height, golden.width, golden.height))
    n, differing = actual.width * 3, []
    for y in range(actual.height):
        a, g = actual.data[y * n:(y + 1) * n], golden.data[y * n:(y + 1) * n]
        if a != g:  # most rows match exactly; skip them at C speed
            differing += [(i // 3, y) for i in range(0, n, 3)
                          if max(abs(a[i] - g[i]), abs(a[i + 1] - g[i + 1]), abs(a[i + 2] - g[i + 2])) > tolerance]
    return differing


def write_diff(path, actual, differing):
    """Writes `actual` dimmed to grey, with every differing pixel pure red."""
    d, grey = actual.data, bytearray()
    for i in range(0, len(d), 3):
        grey += bytes([64 + (d[i] * 3 + d[i + 1] * 6 + d[i + 2]) // 30]) * 3
    diff = Image(actual.width, actual.height, grey)
    for x, y in differing:
        diff.set_pixel(x, y, (255, 0, 0))
    write_png(path, diff)
