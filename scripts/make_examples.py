#!/usr/bin/env python3
"""Draws the example tileset (examples/tileset.bmp, 8 bits per pixel) and a
small map painted from it (examples/sample.Map). Run from the repository
root; the results are committed, so this is needed only to change them."""
import random
import struct

TILE = 32
COLS, ROWS = 4, 2          # tiles in the tileset picture
MAP_W, MAP_H = 20, 15

# Colour table: index -> (r, g, b). Unused entries stay black.
PALETTE = {
    0: (0, 0, 0), 1: (34, 139, 34), 2: (50, 170, 60), 3: (30, 90, 200), 4: (70, 130, 230),
    5: (230, 210, 140), 6: (200, 180, 110), 7: (128, 128, 128), 8: (170, 170, 170),
    9: (110, 70, 30), 10: (20, 100, 20), 11: (240, 220, 60), 12: (200, 40, 40), 13: (255, 255, 255),
    14: (90, 90, 90), 15: (160, 100, 60),
}


def tile_pixels(kind, rng):
    """Returns TILE rows (top row first) of palette indices."""
    px = [[0] * TILE for _ in range(TILE)]
    for y in range(TILE):
        for x in range(TILE):
            if kind == "grass":
                px[y][x] = 2 if rng.random() < 0.8 else 1
            elif kind == "water":
                px[y][x] = 4 if (x + 2 * y) % 11 < 2 else 3
            elif kind == "sand":
                px[y][x] = 6 if rng.random() < 0.15 else 5
            elif kind == "stone":
                px[y][x] = 14 if x % 16 == 0 or y % 8 == 0 else (8 if rng.random() < 0.7 else 7)
            elif kind == "flowers":
                px[y][x] = 2 if rng.random() < 0.85 else 1
            elif kind == "tree":
                px[y][x] = 2
            elif kind == "road":
                px[y][x] = 14 if y in (3, 28) else (13 if y == 16 and x % 8 < 4 else 7)
            elif kind == "roof":
                px[y][x] = 12 if (x + y) % 8 else 15
    if kind == "flowers":
        for _ in range(10):
            fx, fy = rng.randrange(2, TILE - 2), rng.randrange(2, TILE - 2)
            px[fy][fx] = 11
            px[fy - 1][fx] = px[fy + 1][fx] = px[fy][fx - 1] = px[fy][fx + 1] = 13
    if kind == "tree":
        for y in range(TILE):
            for x in range(TILE):
                if (x - 16) ** 2 + (y - 12) ** 2 < 110:
                    px[y][x] = 10 if (x + y) % 5 else 1
                elif 14 <= x <= 17 and y >= 20:
                    px[y][x] = 9
    return px


KINDS = ["grass", "water", "sand", "stone", "flowers", "tree", "road", "roof"]


def make_tiles():
    rng = random.Random(7)
    return [tile_pixels(kind, rng) for kind in KINDS]


def write_bmp(path, tiles):
    width, height = COLS * TILE, ROWS * TILE
    picture = [[0] * width for _ in range(height)]
    for n, px in enumerate(tiles):
        ox, oy = (n % COLS) * TILE, (n // COLS) * TILE
        for y in range(TILE):
            picture[oy + y][ox:ox + TILE] = px[y]
    stride = (width + 3) & ~3
    colours = b"".join(struct.pack("<BBBB", *PALETTE.get(i, (0, 0, 0))[::-1], 0) for i in range(256))
    rows = b"".join(bytes(picture[y]) + b"\0" * (stride - width) for y in range(height - 1, -1, -1))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, len(rows), 2835, 2835, 256, 0)
    offset = 14 + len(info) + len(colours)
    header = struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset)
    with open(path, "wb") as f:
        f.write(header + info + colours + rows)


def layout():
    grass, water, sand, stone, flowers, tree, road, roof = range(8)
    rng = random.Random(11)
    cells = [[grass if rng.random() < 0.8 else flowers for _ in range(MAP_W)] for _ in range(MAP_H)]
    attrs = [[0] * MAP_W for _ in range(MAP_H)]
    for y in range(MAP_H):
        for x in range(MAP_W):
            if (x - 14) ** 2 / 16 + (y - 4) ** 2 / 6 < 1:
                cells[y][x], attrs[y][x] = water, 1
            elif (x - 14) ** 2 / 25 + (y - 4) ** 2 / 9 < 1:
                cells[y][x] = sand
    for x in range(MAP_W):
        cells[10][x] = road
    for x, y in [(2, 2), (3, 3), (5, 2), (2, 6), (8, 13), (12, 12), (17, 13), (6, 7)]:
        cells[y][x], attrs[y][x] = tree, 2
    for x in range(3, 7):
        for y in range(11, 14):
            cells[y][x], attrs[y][x] = (roof if y < 13 else stone), 3
    return cells, attrs


def write_map(path, tiles):
    cells, attrs = layout()
    out = bytearray(b"QZTF1.0\0")
    out += struct.pack("<iiBBHH", MAP_W, MAP_H, TILE, TILE, 8, len(tiles))
    for i in range(256):
        r, g, b = PALETTE.get(i, (0, 0, 0))
        out += bytes((r, g, b, 0))
    tile_attrs = {1: 1, 5: 2, 7: 3}
    for n, px in enumerate(tiles):
        for y in range(TILE - 1, -1, -1):
            out += bytes(px[y])
        out.append(tile_attrs.get(n, 0))
    for row in cells:
        out += struct.pack("<%dh" % MAP_W, *row)
    for row in attrs:
        out += struct.pack("<%dh" % MAP_W, *row)
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    tiles = make_tiles()
    write_bmp("examples/tileset.bmp", tiles)
    write_map("examples/sample.Map", tiles)
