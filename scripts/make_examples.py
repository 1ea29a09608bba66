#!/usr/bin/env python3
"""Draws the example tileset (examples/tileset.bmp, 8 bits per pixel), a
small map painted from it (examples/sample.Map), and a map painted by its
auto-tiling rules (examples/autotile.Map with autotile.Map.rules.json:
walls, water with coasts and corners, a floor with random variants). Run
from the repository root with zellmap built (ZELLMAP names it, default
build/tools/zellmap/zellmap): the rules name tiles by the fingerprints
zellmap prints, and zellmap applies them. The results are committed, so
this is needed only to change them."""
import json
import os
import random
import struct
import subprocess

TILE = 32
COLS, ROWS = 4, 7          # tiles in the tileset picture (25 used)
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
    if kind.startswith("coast"):
        # Water with sand on the sides (n, s, w, e) and in the corners
        # (nw, ne, sw, se) named after "coast_"; 6 pixels of sand.
        sides, corners = kind.split("_")[1], kind.split("_")[2] if kind.count("_") > 1 else ""
        for y in range(TILE):
            for x in range(TILE):
                land = ("n" in sides and y < 6) or ("s" in sides and y >= TILE - 6) or \
                       ("w" in sides and x < 6) or ("e" in sides and x >= TILE - 6)
                for corner in (corners[i:i + 2] for i in range(0, len(corners), 2)):
                    land = land or ((y < 6 if corner[0] == "n" else y >= TILE - 6) and
                                    (x < 6 if corner[1] == "w" else x >= TILE - 6))
                px[y][x] = (6 if rng.random() < 0.15 else 5) if land else (4 if (x + 2 * y) % 11 < 2 else 3)
    elif kind in ("wall_top", "wall_face"):
        for y in range(TILE):
            for x in range(TILE):
                if kind == "wall_top":
                    px[y][x] = 14 if x in (0, TILE - 1) or y in (0, TILE - 1) else 15
                else:
                    px[y][x] = 14 if y % 8 == 7 or (x + (y // 8) * 8) % 16 == 0 else 9
    elif kind.startswith("floor"):
        for y in range(TILE):
            for x in range(TILE):
                px[y][x] = 14 if x % 16 == 0 or y % 16 == 0 else 8
        if kind == "floor_crack":
            for i in range(4, 26):
                px[i][i // 2 + 8] = 14
        elif kind == "floor_moss":
            for _ in range(60):
                px[rng.randrange(2, TILE - 2)][rng.randrange(2, TILE - 2)] = 1
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
COASTS = ["coast_nw", "coast_ne", "coast_sw", "coast_se", "coast_n", "coast_s", "coast_w", "coast_e",
          "coast__nw", "coast__ne", "coast__sw", "coast__se"]
RULE_KINDS = ["wall_top", "wall_face"] + COASTS + ["floor", "floor_crack", "floor_moss"]


def make_tiles():
    rng = random.Random(7)
    return [tile_pixels(kind, rng) for kind in KINDS + RULE_KINDS]


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


def write_map(path, tiles, cells, attrs, tile_attrs):
    out = bytearray(b"QZTF1.0\0")
    out += struct.pack("<iiBBHH", len(cells[0]), len(cells), TILE, TILE, 8, len(tiles))
    for i in range(256):
        r, g, b = PALETTE.get(i, (0, 0, 0))
        out += bytes((r, g, b, 0))
    for n, px in enumerate(tiles):
        for y in range(TILE - 1, -1, -1):
            out += bytes(px[y])
        out.append(tile_attrs.get(n, 0))
    for row in cells:
        out += struct.pack("<%dh" % len(row), *row)
    for row in attrs:
        out += struct.pack("<%dh" % len(row), *row)
    with open(path, "wb") as f:
        f.write(out)


AUTO_W, AUTO_H = 24, 16
WALL, WATER = 1, 2


def autotile_layout():
    """A room of walls with a door and a lake with a bay, on a floor of 0."""
    attrs = [[0] * AUTO_W for _ in range(AUTO_H)]
    for x in range(2, 12):
        attrs[2][x] = attrs[9][x] = WALL
    for y in range(2, 10):
        attrs[y][2] = attrs[y][11] = WALL
    attrs[9][6] = attrs[9][7] = 0
    for y in range(AUTO_H):
        for x in range(AUTO_W):
            if (x - 17) ** 2 / 20 + (y - 9) ** 2 / 12 < 1 or (13 <= x <= 15 and 11 <= y <= 13):
                attrs[y][x] = WATER
    return [[-1] * AUTO_W for _ in range(AUTO_H)], attrs


def rule(name, pattern, tiles, chance=100, weights=None):
    outputs = [{"tiles": [t], "width": 1, "height": 1, "weight": (weights or [1] * len(tiles))[i]}
               for i, t in enumerate(tiles)]
    return {"name": name, "enabled": True, "size": 3, "pattern": pattern.split(), "outputs": outputs,
            "chance": chance, "stop": True}


def autotile_rules(fingerprint):
    """The rule set, tiles named by kind."""
    f = {kind: fingerprint[len(KINDS) + i] for i, kind in enumerate(RULE_KINDS)}
    f["water"] = fingerprint[KINDS.index("water")]
    w, n = "=%d" % WATER, "!%d" % WATER
    water = [
        rule("물가 왼쪽 위", "* %s * %s %s * * * *" % (n, n, w), [f["coast_nw"]]),
        rule("물가 오른쪽 위", "* %s * * %s %s * * *" % (n, w, n), [f["coast_ne"]]),
        rule("물가 왼쪽 아래", "* * * %s %s * * %s *" % (n, w, n), [f["coast_sw"]]),
        rule("물가 오른쪽 아래", "* * * * %s %s * %s *" % (w, n, n), [f["coast_se"]]),
        rule("물가 위", "* %s * * %s * * * *" % (n, w), [f["coast_n"]]),
        rule("물가 아래", "* * * * %s * * %s *" % (w, n), [f["coast_s"]]),
        rule("물가 왼쪽", "* * * %s %s * * * *" % (n, w), [f["coast_w"]]),
        rule("물가 오른쪽", "* * * * %s %s * * *" % (w, n), [f["coast_e"]]),
        rule("안쪽 모서리 왼쪽 위", "%s * * * %s * * * *" % (n, w), [f["coast__nw"]]),
        rule("안쪽 모서리 오른쪽 위", "* * %s * %s * * * *" % (n, w), [f["coast__ne"]]),
        rule("안쪽 모서리 왼쪽 아래", "* * * * %s * %s * *" % (w, n), [f["coast__sw"]]),
        rule("안쪽 모서리 오른쪽 아래", "* * * * %s * * * %s" % (w, n), [f["coast__se"]]),
        rule("물", "* * * * %s * * * *" % w, [f["water"]]),
    ]
    walls = [
        rule("벽 앞면", "* * * * =%d * * !%d *" % (WALL, WALL), [f["wall_face"]]),
        rule("벽 위", "* * * * =%d * * * *" % WALL, [f["wall_top"]]),
    ]
    floor = [
        rule("바닥", "* * * * =0 * * * *", [f["floor"], f["floor_crack"], f["floor_moss"]], weights=[8, 1, 1]),
    ]
    groups = [{"name": "벽", "enabled": True, "rules": walls},
              {"name": "물", "enabled": True, "rules": water},
              {"name": "바닥", "enabled": True, "rules": floor}]
    return {"version": 1, "outside": 0, "seed": 7, "groups": groups}


def write_autotile_map(tiles):
    zellmap = os.environ.get("ZELLMAP", "build/tools/zellmap/zellmap")
    path = "examples/autotile.Map"
    cells, attrs = autotile_layout()
    write_map(path, tiles, cells, attrs, {})
    info = json.loads(subprocess.run([zellmap, "info", path, "--json"], check=True,
                                     capture_output=True).stdout)
    with open(path + ".rules.json", "w", encoding="utf-8") as f:
        json.dump(autotile_rules(info["tile_fingerprints"]), f, ensure_ascii=False, indent=2)
        f.write("\n")
    subprocess.run([zellmap, "rules", path, "--apply", "-o", path], check=True)


if __name__ == "__main__":
    tiles = make_tiles()
    write_bmp("examples/tileset.bmp", tiles)
    cells, attrs = layout()
    write_map("examples/sample.Map", tiles[:len(KINDS)], cells, attrs, {1: 1, 5: 2, 7: 3})
    write_autotile_map(tiles)
