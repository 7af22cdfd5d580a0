#!/usr/bin/env python3
"""Draws the toolbar icons and the application icon as pixel art and writes them as .ico files.

Each picture is a 16 x 16 grid of palette letters ('.' is transparent). The application icon is
also written at 32 x 32 and 48 x 48 by scaling its grid. The toolbar icons are also drawn at
24 x 24 and 32 x 32 for screens of more dots per inch, by an edge-following pixel-art scaler
(diagonals stay one stroke, not stairs of blocks); the program picks the size it shows and never
stretches a picture. Run from anywhere:
    python3 tools/make_icons.py [--preview out.png]
The .ico files are committed, so the build itself does not need Python.
"""
import os
import struct
import sys
import zlib

PALETTE = {
    'k': (32, 32, 40),     # outline
    'w': (255, 255, 255),  # paper
    'g': (150, 150, 160),  # grey text lines
    'd': (96, 96, 104),    # dark grey
    's': (206, 208, 214),  # silver
    'y': (250, 214, 100),  # folder back, light
    'o': (226, 160, 48),   # folder front
    'n': (150, 96, 40),    # brown board
    'b': (46, 92, 190),    # blue
    'l': (160, 200, 240),  # light blue glass
    'r': (208, 48, 48),    # red
    'G': (40, 160, 70),    # green
    'L': (130, 215, 140),  # light green
}

ICONS = {
    'new16': [
        "................",
        "..kkkkkkkk......",
        "..kwwwwwwkk.....",
        "..kwwwwwwkwk....",
        "..kwwwwwwkwwk...",
        "..kwwwwwwkkkkk..",
        "..kwwwwwwwwwwk..",
        "..kwwwwwwwwwwk..",
        "..kwwwwwwwwwwk..",
        "..kwwwwwwwwwwk..",
        "..kwwwwwwwwwwk..",
        "..kwwwwwwwwwwk..",
        "..kwwwwwwwwwwk..",
        "..kwwwwwwwwwwk..",
        "..kkkkkkkkkkkk..",
        "................",
    ],
    'open16': [
        "................",
        "................",
        "................",
        ".kkkk...........",
        "kyyyyk..........",
        "kyyyykkkkkkkk...",
        "kyyyyyyyyyyyk...",
        "kyyyyyyyyyyyk...",
        "kyykkkkkkkkkkkkk",
        "kyykoooooooooook",
        "kykoooooooooook.",
        "kykooooooooook..",
        "kkoooooooooook..",
        "kkooooooooook...",
        "kkkkkkkkkkkkk...",
        "................",
    ],
    'save16': [
        "................",
        ".kkkkkkkkkkkkkk.",
        ".kbbssssssssbbk.",
        ".kbbssssdsssbbk.",
        ".kbbssssdsssbbk.",
        ".kbbssssssssbbk.",
        ".kbbbbbbbbbbbbk.",
        ".kbbbbbbbbbbbbk.",
        ".kbwwwwwwwwwwbk.",
        ".kbwggggggggwbk.",
        ".kbwwwwwwwwwwbk.",
        ".kbwggggggggwbk.",
        ".kbwwwwwwwwwwbk.",
        ".kbwwwwwwwwwwbk.",
        ".kkkkkkkkkkkkkk.",
        "................",
    ],
    'print16': [
        "................",
        "....kkkkkkkk....",
        "....kwwwwwwk....",
        "....kwggggwk....",
        "....kwwwwwwk....",
        "..kkkkkkkkkkkk..",
        ".kssssssssssssk.",
        ".ksssssssssGGsk.",
        ".kssssssssssssk.",
        ".kddddddddddddk.",
        ".kdkkkkkkkkkkdk.",
        ".kkkwwwwwwwwkkk.",
        "...kwggggggwk...",
        "...kwwwwwwwwk...",
        "...kkkkkkkkkk...",
        "................",
    ],
    'cut16': [
        "................",
        "...d.......d....",
        "...sd.....ds....",
        "...sd.....ds....",
        "....sd...ds.....",
        "....sd...ds.....",
        ".....sd.ds......",
        "......sks.......",
        ".......k........",
        "......r.r.......",
        ".....r...r......",
        "..rrrr...rrrr...",
        ".r...r...r...r..",
        ".r...r...r...r..",
        "..rrr.....rrr...",
        "................",
    ],
    'copy16': [
        "................",
        "kkkkkkkk........",
        "kwwwwwwkk.......",
        "kwggggwkwk......",
        "kwwwwwkkkkkkkk..",
        "kwgggkwwwwwwkk..",
        "kwwwwkwgggggkwk.",
        "kwgggkwwwwwwkkkk",
        "kwwwwkwggggggwwk",
        "kwgggkwwwwwwwwwk",
        "kwwwwkwggggggwwk",
        "kkkkkkwwwwwwwwwk",
        ".....kwggggggwwk",
        ".....kwwwwwwwwwk",
        ".....kkkkkkkkkkk",
        "................",
    ],
    'paste16': [
        "................",
        ".....kkkkkk.....",
        "..kkkkssssskkk..",
        ".knnnkskkskknnk.",
        ".knnnnkkkkknnnk.",
        ".knnkkkkkkkknnk.",
        ".knnkwwwwwwkknk.",
        ".knnkwggggwkwkk.",
        ".knnkwwwwwwkkkk.",
        ".knnkwgggggwwwk.",
        ".knnkwwwwwwwwwk.",
        ".knnkwgggggggwk.",
        ".knnkwwwwwwwwwk.",
        ".kkkkwwwwwwwwwk.",
        ".....kkkkkkkkkk.",
        "................",
    ],
    'find16': [
        "................",
        "....kkkkk.......",
        "...kllllwk......",
        "..kllwwllllk....",
        "..klwwllllk.....",
        ".kllwlllllk.....",
        ".klllllllllk....",
        ".klllllllllk....",
        ".kllllllllk.....",
        "..kllllllk......",
        "...kkkkkkdk.....",
        ".........kdk....",
        "..........kdk...",
        "...........kdk..",
        "............kk..",
        "................",
    ],
    'findRepl16': [
        "................",
        "..kkkk..........",
        ".kllwlk.........",
        "kllwlllk........",
        "kllllllk........",
        "kllllllk........",
        ".kllllk.........",
        "..kkkkdk........",
        "......kdk.......",
        ".......kk.......",
        "...........G....",
        ".....GGGGGGGG...",
        "...........G....",
        "......r.........",
        ".....rrrrrrrr...",
        "......r.........",
    ],
    'bkMark16': [
        "................",
        "..kk............",
        "..kdkkkkkkkk....",
        "..kdbbbbbbbbk...",
        "..kdbbbbbbbbbk..",
        "..kdbbbbbbbbk...",
        "..kdbbbbbbbk....",
        "..kdbbbbbbbbk...",
        "..kdbbbbbbbbbk..",
        "..kdkkkkkkkkkk..",
        "..kdk...........",
        "..kdk...........",
        "..kdk...........",
        "..kdk...........",
        ".kkkkk..........",
        "................",
    ],
    'bkMarkGo16': [
        "................",
        ".kk.............",
        ".kdkkkkkk.......",
        ".kdbbbbbbk......",
        ".kdbbbbbbbk.....",
        ".kdbbbbbbk......",
        ".kdbbbbbk....k..",
        ".kdbbbbbbk...kk.",
        ".kdkkkkkkkkkkLGk",
        ".kdkGGGGGGGGGGGk",
        ".kdkkkkkkkkkkGk.",
        ".kdk.........k..",
        ".kdk............",
        ".kdk............",
        "kkkkk...........",
        "................",
    ],
    'execute16': [
        "................",
        ".....kkkkkk.....",
        "...kkGGGGGGkk...",
        "..kGGGGGGGGGGk..",
        ".kGGGGwGGGGGGGk.",
        ".kGGGGwwGGGGGGk.",
        "kGGGGGwwwGGGGGGk",
        "kGGGGGwwwwGGGGGk",
        "kGGGGGwwwwwGGGGk",
        "kGGGGGwwwwGGGGGk",
        "kGGGGGwwwGGGGGGk",
        ".kGGGGwwGGGGGGk.",
        ".kGGGGwGGGGGGGk.",
        "..kGGGGGGGGGGk..",
        "...kkGGGGGGkk...",
        ".....kkkkkk.....",
    ],
    'app': [
        "..kkkkkkkkkk....",
        "..kwwwwwwwwkk...",
        "..kwggggwwwkwk..",
        "..kwwwwwwwwkkkk.",
        "..kwgggggggwwwk.",
        "..kwwwwwwwwwwwk.",
        "bbbbbbbbbbbbbbk.",
        "bwwbbbbbbbbwwbk.",
        "bwbbbbbwbbbbwbk.",
        "wbbbbbwbbbbbbwk.",
        "bwbbbwbbbbbbwbk.",
        "bwwbwbbbbbbwwbk.",
        "bbbbbbbbbbbbbbk.",
        "..kwgggggggwwwk.",
        "..kwwwwwwwwwwwk.",
        "..kkkkkkkkkkkkk.",
    ],
}


def check(name, grid):
    if len(grid) != 16 or any(len(row) != 16 for row in grid):
        sys.exit(f"{name}: the grid must be 16 x 16")
    for row in grid:
        for c in row:
            if c != '.' and c not in PALETTE:
                sys.exit(f"{name}: unknown colour letter {c!r}")


def scaled(grid, factor):
    return [''.join(c * factor for c in row) for row in grid for _ in range(factor)]


def scale2x(grid):
    """Each pixel becomes 2 x 2; a corner takes its neighbours' colour where they agree (EPX)."""
    h, w = len(grid), len(grid[0])
    at = lambda y, x: grid[min(max(y, 0), h - 1)][min(max(x, 0), w - 1)]
    out = [[''] * (2 * w) for _ in range(2 * h)]
    for y in range(h):
        for x in range(w):
            p, a, b, c, d = at(y, x), at(y - 1, x), at(y, x + 1), at(y, x - 1), at(y + 1, x)
            e = [p] * 4
            if c == a and c != d and a != b: e[0] = a
            if a == b and a != c and b != d: e[1] = b
            if d == c and d != b and c != a: e[2] = c
            if b == d and b != a and d != c: e[3] = d
            out[2 * y][2 * x], out[2 * y][2 * x + 1], out[2 * y + 1][2 * x], out[2 * y + 1][2 * x + 1] = e
    return [''.join(row) for row in out]


def scale3x(grid):
    """Each pixel becomes 3 x 3, corners and edges following the neighbours (Scale3x)."""
    h, w = len(grid), len(grid[0])
    at = lambda y, x: grid[min(max(y, 0), h - 1)][min(max(x, 0), w - 1)]
    out = [[''] * (3 * w) for _ in range(3 * h)]
    for y in range(h):
        for x in range(w):
            A, B, C = at(y - 1, x - 1), at(y - 1, x), at(y - 1, x + 1)
            D, E, F = at(y, x - 1), at(y, x), at(y, x + 1)
            G, H, I = at(y + 1, x - 1), at(y + 1, x), at(y + 1, x + 1)
            e = [E] * 9
            if B != H and D != F:
                e[0] = D if D == B else E
                e[1] = B if (D == B and E != C) or (B == F and E != A) else E
                e[2] = F if B == F else E
                e[3] = D if (D == B and E != G) or (D == H and E != A) else E
                e[5] = F if (B == F and E != I) or (H == F and E != C) else E
                e[6] = D if D == H else E
                e[7] = H if (D == H and E != I) or (H == F and E != G) else E
                e[8] = F if H == F else E
            for i in range(9):
                out[3 * y + i // 3][3 * x + i % 3] = e[i]
    return [''.join(row) for row in out]


def toolbar_sizes(grid):
    """16, 24 and 32 pixels: 24 is every other pixel of the 48 that Scale3x draws."""
    big = scale3x(grid)
    return [grid, [row[::2] for row in big[::2]], scale2x(grid)]


def ico_image(grid):
    """One 32-bit BMP image with its AND mask, as an .ico entry stores it (rows bottom-up)."""
    size = len(grid)
    pixels = bytearray()
    for row in reversed(grid):
        for c in row:
            if c == '.':
                pixels += bytes((0, 0, 0, 0))
            else:
                r, g, b = PALETTE[c]
                pixels += bytes((b, g, r, 255))
    stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(grid):
        bits = bytearray(stride)
        for x, c in enumerate(row):
            if c == '.':
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    return header + bytes(pixels) + bytes(mask)


def write_ico(path, grids):
    images = [ico_image(g) for g in grids]
    out = bytearray(struct.pack('<HHH', 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for grid, image in zip(grids, images):
        size = len(grid)
        out += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    for image in images:
        out += image
    with open(path, 'wb') as f:
        f.write(out)


def write_preview(path, names, scale=6):
    """All icons side by side on a grey ground, enlarged, for a person to look at."""
    cell = 16 * scale + 8
    width, height = cell * len(names), cell
    rows = []
    for y in range(height):
        row = bytearray([0])
        for x in range(width):
            i, px, py = x // cell, (x % cell) - 4, y - 4
            colour = (192, 192, 192)
            if 0 <= px < 16 * scale and 0 <= py < 16 * scale:
                c = ICONS[names[i]][py // scale][px // scale]
                if c != '.':
                    colour = PALETTE[c]
            row += bytes(colour)
        rows.append(bytes(row))

    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data) & 0xffffffff)

    png = b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 2, 0, 0, 0))
    png += chunk(b'IDAT', zlib.compress(b''.join(rows), 9)) + chunk(b'IEND', b'')
    with open(path, 'wb') as f:
        f.write(png)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out_dir = os.path.join(here, '..', 'src', 'resources', 'icons')
    os.makedirs(out_dir, exist_ok=True)
    for name, grid in ICONS.items():
        check(name, grid)
    for name, grid in ICONS.items():
        grids = [grid, scaled(grid, 2), scaled(grid, 3)] if name == 'app' else toolbar_sizes(grid)
        write_ico(os.path.join(out_dir, name + '.ico'), grids)
    if len(sys.argv) == 3 and sys.argv[1] == '--preview':
        write_preview(sys.argv[2], list(ICONS))


if __name__ == '__main__':
    main()
