#!/usr/bin/env python3
"""Writes the seed corpus of the .png fuzzer: small pictures in every colour
type, bit depth and interlacing, with palettes short and long, tRNS keys and
palette alphas, ancillary chunks, several IDAT chunks, and a few damaged
files next to them.

Usage: scripts/make_png_corpus.py [output folder]   (default fuzz/png/corpus)
The output is deterministic, so re-running it changes nothing.
"""
import os
import struct
import sys
import zlib

ADAM7 = [(0, 0, 8, 8), (4, 0, 8, 8), (0, 4, 4, 8), (2, 0, 4, 4), (0, 2, 2, 4), (1, 0, 2, 2), (0, 1, 1, 2)]
CHANNELS = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}


def chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)


def samples(count, limit, seed):
    state = seed * 2654435761 + 17
    out = []
    for _ in range(count):
        state = (state * 1664525 + 1013904223) & 0xFFFFFFFF
        out.append((state >> 8) % limit)
    return out


def scanline(values, width, y, x0, dx, channels, depth, filter_type):
    line = bytearray([filter_type])
    bits, held = 0, 0
    for x in range(x0, width, dx):
        for c in range(channels):
            v = values[(y * width + x) * channels + c]
            if depth == 16:
                line += struct.pack(">H", v)
            else:
                bits, held = (bits << depth) | v, held + depth
                if held == 8:
                    line.append(bits)
                    bits, held = 0, 0
    if held:
        line.append(bits << (8 - held))
    if filter_type == 1:  # "sub", so the seeds carry a filter other than none
        step = max(1, channels * depth // 8)
        raw = bytes(line[1:])
        line = bytearray([1]) + bytes((raw[i] - (raw[i - step] if i >= step else 0)) & 255 for i in range(len(raw)))
    return bytes(line)


def png(width, height, colour_type, depth, interlaced=False, palette=0, trns=None, seed=1, idat_pieces=1,
        extra=b""):
    channels = CHANNELS[colour_type]
    limit = (palette or 4) if colour_type == 3 else 1 << depth
    values = samples(width * height * channels, limit, seed)
    raw = b""
    passes = ADAM7 if interlaced else [(0, 0, 1, 1)]
    for x0, y0, dx, dy in passes:
        if x0 < width:
            for y in range(y0, height, dy):
                raw += scanline(values, width, y, x0, dx, channels, depth, y % 2)
    data = zlib.compress(raw, 9)
    out = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, depth, colour_type, 0, 0,
                                                             int(interlaced)))
    out += extra
    if palette:
        out += chunk(b"PLTE", bytes((i * 37 + c * 91 + seed) & 255 for i in range(palette) for c in range(3)))
    if trns is not None:
        out += chunk(b"tRNS", trns)
    step = (len(data) + idat_pieces - 1) // idat_pieces
    for i in range(0, len(data), step):
        out += chunk(b"IDAT", data[i:i + step])
    return out + chunk(b"IEND", b"")


def corpus():
    files = {}
    for depth in (1, 2, 4, 8):
        files[f"indexed_{depth}bit.png"] = png(9, 5, 3, depth, palette=min(1 << depth, 5))
        files[f"grey_{depth}bit_interlaced.png"] = png(11, 9, 0, depth, interlaced=True)
    files["indexed_8bit_alphas_interlaced.png"] = png(17, 10, 3, 8, True, palette=256, trns=bytes(range(0, 256, 9)))
    files["indexed_4bit_short_palette.png"] = png(6, 6, 3, 4, palette=3, trns=b"\x00\x80")
    files["grey_16bit.png"] = png(5, 4, 0, 16)
    files["grey_8bit_key.png"] = png(5, 4, 0, 8, trns=b"\x00\x07")
    files["grey_alpha_8bit.png"] = png(7, 3, 4, 8)
    files["grey_alpha_16bit_interlaced.png"] = png(9, 9, 4, 16, True)
    files["rgb_8bit.png"] = png(8, 8, 2, 8, idat_pieces=3)
    files["rgb_8bit_key.png"] = png(4, 4, 2, 8, trns=b"\x00\x10\x00\x20\x00\x30")
    files["rgb_16bit_interlaced.png"] = png(10, 7, 2, 16, True)
    files["rgba_8bit.png"] = png(16, 16, 6, 8, extra=chunk(b"tEXt", b"Comment\x00made for the fuzzer")
                                 + chunk(b"gAMA", struct.pack(">I", 45455)))
    files["rgba_16bit.png"] = png(3, 5, 6, 16)
    files["wide_1x1.png"] = png(1, 1, 2, 8)
    good = png(8, 8, 6, 8)
    files["broken_truncated.png"] = good[:60]
    files["broken_crc.png"] = good[:-20] + bytes([good[-20] ^ 1]) + good[-19:]
    files["broken_no_palette.png"] = png(4, 4, 3, 8, palette=0)
    files["broken_no_iend.png"] = good[:-12]
    return files


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "fuzz", "png",
                                                                   "corpus")
    os.makedirs(folder, exist_ok=True)
    for name, data in sorted(corpus().items()):
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
