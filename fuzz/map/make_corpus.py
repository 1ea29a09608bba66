#!/usr/bin/env python3
"""Writes the seed corpus of the map fuzzer: small .Map files, valid ones of
every pixel depth and a few damaged ones, each built field by field here."""
import os
import struct
import sys


def row_size(tile_width, bits):
    return ((tile_width * bits) // 8 + 3) & ~3


def map_file(map_w, map_h, tile_w, tile_h, bits, tiles, cells=None, attrs=None, seed=1):
    """tiles: list of attribute bytes; pixels are made from the seed."""
    out = bytearray(b"QZTF1.0\0")
    out += struct.pack("<iiBBHH", map_w, map_h, tile_w, tile_h, bits, len(tiles))
    if bits == 8:
        for i in range(256):
            out += bytes(((i * 7 + seed) & 255, (i * 13) & 255, (255 - i) & 255, 0))
    state = seed
    for attr in tiles:
        for _ in range(tile_h * row_size(tile_w, bits)):
            state = (state * 1103515245 + 12345) & 0x7FFFFFFF
            out.append(state >> 16 & 255)
        out.append(attr)
    count = map_w * map_h
    cells = cells if cells is not None else [-1] * count
    attrs = attrs if attrs is not None else [0] * count
    out += struct.pack("<%dh" % count, *cells)
    out += struct.pack("<%dh" % count, *attrs)
    return bytes(out)


def corpus():
    files = {
        "empty-8bit-3x2.Map": map_file(3, 2, 32, 32, 8, []),
        "empty-24bit-2x2.Map": map_file(2, 2, 16, 16, 24, []),
        "no-cells.Map": map_file(0, 5, 16, 16, 16, []),
        "8bit-two-tiles.Map": map_file(3, 2, 4, 4, 8, [0, 200], [0, 1, -1, 1, 0, -1], [0, 5, -5, 0, 32767, -32768]),
        "16bit-tiles.Map": map_file(2, 2, 4, 3, 16, [1, 2, 3], [2, 1, 0, -1], [1, 2, 3, 4]),
        "24bit-padded-rows.Map": map_file(2, 3, 5, 4, 24, [7, 9], [1, 0, 1, -1, 0, 0], seed=3),
        "cells-naming-no-tile.Map": map_file(4, 1, 2, 2, 24, [1], [0, 1, -2, 32767], [0, 0, 0, 0]),
        "narrow-tall-tiles.Map": map_file(2, 1, 1, 6, 8, [4], [0, 0]),
    }
    valid = files["8bit-two-tiles.Map"]
    files["bad-truncated.Map"] = valid[:-3]
    files["bad-trailing.Map"] = valid + b"\0"
    files["bad-magic.Map"] = b"QZTF1.1" + valid[7:]
    files["bad-negative-count.Map"] = valid[:20] + struct.pack("<H", 0x8001) + valid[22:]
    files["bad-huge-header.Map"] = valid[:8] + struct.pack("<ii", 100000, 100000) + valid[16:]
    return files


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus")
    os.makedirs(folder, exist_ok=True)
    for name, data in sorted(corpus().items()):
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)
    print("wrote %d files to %s" % (len(corpus()), folder))


if __name__ == "__main__":
    main()
