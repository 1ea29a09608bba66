#!/usr/bin/env python3
"""Writes the seed corpus of the .bmp fuzzer: small bitmaps in the variants
the loader knows (depths, short colour tables, gaps, larger info headers,
top-down rows, colour masks) and a few broken ones next to them.

Usage: scripts/make_bmp_corpus.py [output folder]   (default fuzz/bmp/corpus)
The output is deterministic, so re-running it changes nothing.
"""
import os
import struct
import sys

BI_RGB, BI_RLE8, BI_BITFIELDS = 0, 1, 3


def picture(width, height, bits, seed):
    """Top-down pixel values: colour index, 5-5-5 word or 0xRRGGBB."""
    state = seed * 2654435761 + 17
    values = []
    for _ in range(width * height):
        state = (state * 1664525 + 1013904223) & 0xFFFFFFFF
        values.append((state >> 8) & ((1 << min(bits, 24)) - 1))
    return values


def bmp(width, height, bits, seed=1, colours=256, info_size=40, top_down=False,
        compression=BI_RGB, masks=(0, 0, 0), gap=0):
    stride = (width * bits + 31) // 32 * 4
    masks_after = compression == BI_BITFIELDS and info_size == 40
    table = b""
    if bits == 8:
        table = b"".join(struct.pack("<BBBB", (i * 37) & 255, (i * 91) & 255, (i * 13 + seed) & 255, 0)
                         for i in range(colours))
    off_bits = 14 + info_size + (12 if masks_after else 0) + len(table) + gap
    values = picture(width, height, bits, seed)
    rows = []
    for row in range(height):
        y = row if top_down else height - 1 - row
        line = b"".join((values[y * width + x] & ((1 << bits) - 1)).to_bytes(bits // 8, "little")
                        for x in range(width))
        rows.append(line + b"\0" * (stride - len(line)))
    pixels = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", info_size, width, -height if top_down else height, 1, bits,
                       compression, len(pixels), 2835, 2835,
                       colours if bits == 8 and colours < 256 else 0, 0)
    extra = b""
    for offset in range(40, info_size, 4):
        in_masks = offset < 52 and compression == BI_BITFIELDS
        extra += struct.pack("<I", masks[(offset - 40) // 4] if in_masks else 0)
    mask_block = struct.pack("<III", *masks) if masks_after else b""
    body = info + extra + mask_block + table + b"\xee" * gap + pixels
    return b"BM" + struct.pack("<IHHI", 14 + len(body), 0, 0, off_bits) + body


def corpus():
    m555 = (0x7C00, 0x03E0, 0x001F)
    m888 = (0xFF0000, 0xFF00, 0xFF)
    files = {
        "8bit_full_table.bmp": bmp(9, 5, 8),
        "8bit_short_table.bmp": bmp(7, 3, 8, seed=2, colours=16),
        "8bit_gap.bmp": bmp(5, 4, 8, seed=3, colours=4, gap=5),
        "8bit_v4.bmp": bmp(4, 4, 8, seed=4, colours=8, info_size=108),
        "8bit_v5_top_down.bmp": bmp(6, 3, 8, seed=5, colours=2, info_size=124, top_down=True),
        "8bit_32x32.bmp": bmp(32, 32, 8, seed=6, colours=32),
        "16bit.bmp": bmp(5, 3, 16, seed=7),
        "16bit_top_down.bmp": bmp(3, 3, 16, seed=8, top_down=True),
        "16bit_bitfields.bmp": bmp(4, 2, 16, seed=9, compression=BI_BITFIELDS, masks=m555),
        "16bit_bitfields_v5.bmp": bmp(4, 2, 16, seed=10, info_size=124, compression=BI_BITFIELDS, masks=m555),
        "16bit_bitfields_565.bmp": bmp(4, 2, 16, seed=11, compression=BI_BITFIELDS, masks=(0xF800, 0x07E0, 0x1F)),
        "24bit_width1.bmp": bmp(1, 2, 24, seed=12),
        "24bit_width3.bmp": bmp(3, 3, 24, seed=13),
        "24bit_35x33.bmp": bmp(35, 33, 24, seed=14),
        "24bit_v2_gap.bmp": bmp(6, 2, 24, seed=15, info_size=52, gap=3),
        "32bit.bmp": bmp(4, 3, 32, seed=16),
        "32bit_bitfields.bmp": bmp(3, 2, 32, seed=17, compression=BI_BITFIELDS, masks=m888),
    }
    good = files["8bit_short_table.bmp"]
    files["broken_truncated.bmp"] = good[:-1]
    files["broken_rle8.bmp"] = good[:30] + struct.pack("<I", BI_RLE8) + good[34:]
    files["broken_4bit.bmp"] = good[:28] + struct.pack("<H", 4) + good[30:]
    files["broken_huge_width.bmp"] = good[:18] + struct.pack("<i", 0x7FFFFFFF) + good[22:]
    files["broken_core_header.bmp"] = good[:14] + struct.pack("<I", 12) + good[18:]
    return files


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "fuzz", "bmp", "corpus")
    os.makedirs(out, exist_ok=True)
    for name, data in sorted(corpus().items()):
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)
    print(f"wrote {len(corpus())} files to {out}")


if __name__ == "__main__":
    main()
