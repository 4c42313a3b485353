#!/usr/bin/env python3
"""Draws the application icon from one 16 x 16 pixel picture and writes every form of it:
the scalable SVG, PNGs at 16, 32, 48, 192, 256 and 512 pixels (nearest-neighbour, so the
pixels stay square), the Windows icon group (32 x 32 two-colour, 32 x 32 and 16 x 16 in 16
colours), and for the page installed as an app: a 512-pixel icon a phone may cut to any shape
(the picture inside the middle 56 %, the safe circle's square) and a 180-pixel home-screen icon,
both opaque.

    scripts/make-icons.py            (writes into data/icons/)
"""
import pathlib
import struct
import zlib

APP_ID = "org.fizzet.Fizzet"
OUT = pathlib.Path(__file__).resolve().parent.parent / "data" / "icons"
N = 16

# Trails of points falling in a white field: (column, first row, last row).
TRAILS = [(2, 2, 7), (4, 2, 11), (6, 4, 13), (8, 2, 9), (10, 5, 13), (12, 2, 12), (13, 7, 10)]
GREENS = [40, 200, 120, 230, 80, 170, 20, 140, 250, 60, 190, 100, 10, 210]
BORDER = (0x30, 0x30, 0x30)
FIELD = (0xFF, 0xFF, 0xFF)


def pixel(x, y):
    """The colour of one pixel of the 16 x 16 picture, or None where it is transparent."""
    corner = (x in (0, N - 1)) and (y in (0, N - 1))
    if corner:
        return None
    if x in (0, N - 1) or y in (0, N - 1):
        return BORDER
    for column, top, bottom in TRAILS:
        if x == column and top <= y <= bottom:
            # as in the program: more red lower down, more blue further right
            return (min(255, (y - 1) * 256 // 13), GREENS[(x + y) % len(GREENS)],
                    min(255, (x - 1) * 256 // 13))
    return FIELD


def grid():
    return [[pixel(x, y) for x in range(N)] for y in range(N)]


def write_svg(path, g):
    rects = []
    for y, row in enumerate(g):
        for x, c in enumerate(row):
            if c is not None and c != FIELD:
                rects.append(f'<rect x="{x}" y="{y}" width="1" height="1" fill="#{c[0]:02x}{c[1]:02x}{c[2]:02x}"/>')
    body = "\n  ".join(rects)
    path.write_text(
        f'<svg xmlns="http://www.w3.org/2000/svg" width="{N}" height="{N}" viewBox="0 0 {N} {N}" '
        f'shape-rendering="crispEdges">\n'
        f'  <rect x="1" y="1" width="{N - 2}" height="{N - 2}" fill="#ffffff"/>\n  {body}\n</svg>\n')


def scaled(g, size):
    k = size // N
    return [[g[y // k][x // k] for x in range(size)] for y in range(size)]


def framed(g, size, inner):
    """The picture at `inner` pixels, centred on an opaque square of `size` in the border's
    colour: a shape cut from it anywhere outside the picture shows only that colour."""
    k, margin = inner // N, (size - inner) // 2
    return [[(g[(y - margin) // k][(x - margin) // k] or BORDER)
             if margin <= x < margin + inner and margin <= y < margin + inner else BORDER
             for x in range(size)] for y in range(size)]


def write_png(path, rows):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    raw = b"".join(b"\0" + b"".join(bytes((*c, 255)) if c else b"\0\0\0\0" for c in row) for row in rows)
    size = len(rows)
    path.write_bytes(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
                     + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


# The Windows icon's palettes: the 16 basic colours, and black and white.
BASIC = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
         (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
         (255, 0, 255), (0, 255, 255), (255, 255, 255)]
MONO = [(0, 0, 0), (255, 255, 255)]


def nearest(palette, c):
    return min(range(len(palette)), key=lambda i: sum((a - b) ** 2 for a, b in zip(palette[i], c)))


def dib(rows, palette, bits):
    """One icon image: BITMAPINFOHEADER, palette, colour bits and transparency mask, bottom-up."""
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, bits, 0, 0, 0, 0, len(palette), 0)
    colours = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)

    def padded(data):
        return bytes(data) + b"\0" * (-len(data) % 4)

    def packed(values, width):
        """values of `width` bits each, most significant first, in whole bytes."""
        out = bytearray()
        per_byte = 8 // width
        for i in range(0, len(values), per_byte):
            byte = 0
            for j, v in enumerate(values[i:i + per_byte]):
                byte |= v << (8 - width * (j + 1))
            out.append(byte)
        return padded(out)

    image, mask = b"", b""
    for row in reversed(rows):
        image += packed([nearest(palette, c) if c else 0 for c in row], bits)
        mask += packed([int(c is None) for c in row], 1)
    return header + colours + image + mask


def write_ico(path, images):
    entries, data = b"", b""
    offset = 6 + 16 * len(images)
    for rows, palette, bits in images:
        blob = dib(rows, palette, bits)
        size = len(rows)
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, len(palette) % 256, 0, 1, bits,
                               len(blob), offset + len(data))
        data += blob
    path.write_bytes(struct.pack("<HHH", 0, 1, len(images)) + entries + data)


def main():
    g = grid()
    OUT.mkdir(parents=True, exist_ok=True)
    write_svg(OUT / f"{APP_ID}.svg", g)
    for size in (16, 32, 48, 192, 256, 512):
        write_png(OUT / f"{APP_ID}-{size}.png", scaled(g, size))
    write_png(OUT / f"{APP_ID}-maskable-512.png", framed(g, 512, 288))
    write_png(OUT / f"{APP_ID}-touch-180.png", framed(g, 180, 160))
    # in two colours every point is black on the white field
    mono = [[c if c in (None, FIELD) else (0, 0, 0) for c in row] for row in scaled(g, 32)]
    write_ico(OUT / "fizzet.ico", [(mono, MONO, 1), (scaled(g, 32), BASIC, 4), (g, BASIC, 4)])


if __name__ == "__main__":
    main()
