#!/usr/bin/env python3
"""Writes the TMX fuzzer's tileset pictures (art/) and seed corpus (corpus/):
maps in every form the TMX reader takes, each built here field by field.
A seed for a map with an external tileset holds the map, a NUL byte and
the .tsx file, which the fuzzer writes beside the map as external.tsx."""
import base64
import gzip
import os
import struct
import subprocess
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
W, H = 4, 3  # map cells; tiles of 16 px


def noise(n, seed):
    out, state = bytearray(), seed
    for _ in range(n):
        state = (state * 1103515245 + 12345) & 0x7FFFFFFF
        out.append(state >> 16 & 255)
    return bytes(out)


def png(width, height, colour_type, pixels, palette=b""):
    channels = {0: 1, 2: 3, 3: 1, 6: 4}[colour_type]
    rows = b"".join(b"\0" + pixels[y * width * channels:(y + 1) * width * channels] for y in range(height))

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    out = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, colour_type, 0, 0, 0))
    if palette:
        out += chunk(b"PLTE", palette)
    return out + chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b"")


def bmp24(width, height, pixels):
    stride = (width * 3 + 3) & ~3
    rows = b"".join(pixels[y * width * 3:(y + 1) * width * 3].ljust(stride, b"\0") for y in reversed(range(height)))
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    return b"BM" + struct.pack("<IHHI", 14 + len(header) + len(rows), 0, 0, 14 + len(header)) + header + rows


def art():
    return {
        # 3 x 2 tiles with margin 1 and spacing 2.
        "tiles24.png": png(54, 36, 2, noise(54 * 36 * 3, 1)),
        "tiles8.png": png(32, 32, 3, noise(32 * 32, 2), noise(256 * 3, 3)),
        "tilesa.png": png(32, 16, 6, noise(32 * 16 * 4, 4)),
        "tiles.bmp": bmp24(48, 16, noise(48 * 16 * 3, 5)),
    }


GIDS = [1, 2, 3, 4, 0, 6, 5, 4, 3, 2, 1, 0]


def raw(gids):
    return b"".join(struct.pack("<I", g) for g in gids)


def zstd(data):
    return subprocess.run(["zstd", "-q", "-c", "-19"], input=data, stdout=subprocess.PIPE, check=True).stdout


def data(form, gids=GIDS):
    if form == "xml":
        return "<data>" + "".join('<tile gid="%d"/>' % g for g in gids) + "</data>"
    if form == "csv":
        return '<data encoding="csv">\n' + ",".join(map(str, gids)) + "\n</data>"
    packed = {"base64": raw(gids), "zlib": zlib.compress(raw(gids)), "gzip": gzip.compress(raw(gids), mtime=0),
              "zstd": zstd(raw(gids)) if form == "zstd" else b""}[form]
    compression = "" if form == "base64" else ' compression="%s"' % form
    return '<data encoding="base64"%s>\n%s\n</data>' % (compression, base64.b64encode(packed).decode())


def tileset(picture="tiles24.png", width=54, height=36, margin=1, spacing=2, attributes=True, tag="tileset",
            first=' firstgid="1"'):
    props = ""
    if attributes:
        props = ('<tile id="1"><properties><property name="attribute" type="int" value="200"/></properties></tile>'
                 '<tile id="4"><properties><property name="attribute" type="int" value="7"/></properties></tile>')
    return ('<%s%s name="art" tilewidth="16" tileheight="16" margin="%d" spacing="%d" columns="3">'
            '<image source="%s" width="%d" height="%d"/>%s</%s>'
            % (tag, first, margin, spacing, picture, width, height, props, tag))


def tmx(body, props="", orientation="orthogonal", infinite=0):
    return ('<?xml version="1.0" encoding="UTF-8"?>\n<map version="1.8" orientation="%s" renderorder="right-down" '
            'width="%d" height="%d" tilewidth="16" tileheight="16" infinite="%d">%s%s</map>\n'
            % (orientation, W, H, infinite, props, body)).encode()


def layer(form, gids=GIDS):
    return '<layer id="1" name="tiles" width="%d" height="%d">%s</layer>' % (W, H, data(form, gids))


ATTRIBUTES = ('<objectgroup id="2" name="map attributes">'
              '<object id="1" x="16" y="0" width="32" height="16"><properties>'
              '<property name="attribute" type="int" value="-5"/></properties></object>'
              '<object id="2" x="0" y="32"><properties><property name="attribute" type="int" value="32767"/>'
              '</properties></object></objectgroup>')


def corpus():
    files = {"%s.tmx" % form: tmx(tileset() + layer(form) + ATTRIBUTES)
             for form in ("xml", "csv", "base64", "zlib", "gzip", "zstd")}
    external = tileset("tiles8.png", 32, 32, 0, 0, True, "tileset", ' version="1.8"')
    files["external-tsx.tmx"] = tmx('<tileset firstgid="3" source="external.tsx"/>' +
                                    layer("csv", [3, 4, 5, 6, 0, 0, 6, 5, 4, 3, 0, 0])) + b"\0" + \
        b'<?xml version="1.0" encoding="UTF-8"?>\n' + external.encode()
    files["group-layers.tmx"] = tmx(tileset("tiles.bmp", 48, 16, 0, 0, False) +
                                    '<group id="3" name="g">' + layer("zlib", [1, 2, 3] * 4) + ATTRIBUTES + "</group>")
    files["alpha-16bit.tmx"] = tmx(tileset("tilesa.png", 32, 16, 0, 0) + layer("gzip", [1, 2] * 6),
                                   '<properties><property name="bitcount" type="int" value="16"/></properties>')
    files["no-tileset-8bit.tmx"] = tmx(ATTRIBUTES, '<properties><property name="bitcount" type="int" value="8"/>'
                                       '<property name="colours" value="%s"/></properties>' % noise(768, 6).hex())
    files["bad-flipped.tmx"] = tmx(tileset() + layer("csv", [0x80000001] + GIDS[1:]))
    files["bad-count.tmx"] = tmx(tileset() + layer("base64", GIDS[:-1]))
    files["bad-infinite.tmx"] = tmx(tileset() + layer("csv"), infinite=1)
    files["bad-isometric.tmx"] = tmx(tileset() + layer("csv"), orientation="isometric")
    return files


def main():
    for folder, made in (("art", art()), ("corpus", corpus())):
        path = os.path.join(HERE, folder)
        os.makedirs(path, exist_ok=True)
        for name, content in sorted(made.items()):
            with open(os.path.join(path, name), "wb") as f:
                f.write(content)
        print("wrote %d files to %s" % (len(made), path))


if __name__ == "__main__":
    sys.exit(main())
