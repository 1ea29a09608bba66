#include "sessionfiles.h"

#include <random>

#include "bmpwriter.h"
#include "mapfile.h"
#include "pngwriter.h"
#include "testtiles.h"

namespace {

std::vector<std::uint8_t> Text(const std::string& text) { return {text.begin(), text.end()}; }

// A map file of w x h cells of tile-pixel tiles, with cells that name
// tiles, none, and numbers past the set, and scattered attributes.
std::vector<std::uint8_t> MapBytes(int w, int h, int tile, WORD bits, int tiles, unsigned seed)
{
    const auto colours = TestColours(seed);
    CMapModel map = ModelOf(w, h, tile, tile);
    AddTestTiles(map.m_tileList, tiles, tile, tile, bits, seed, bits == 8 ? colours.data() : nullptr);
    std::mt19937 random(seed);
    for (int row = 0; row < h; ++row)
        for (int col = 0; col < w; ++col) {
            map.m_cells.SetTile(col, row, short(int(random() % unsigned(tiles + 4)) - 2));
            if (random() % 4 == 0) map.m_cells.SetAttr(col, row, short(random()));
        }
    MapSaveInput input;
    input.map = &map;
    input.bitmapBitCount = bits;
    input.bitmapColours = colours.data();
    std::vector<std::uint8_t> bytes;
    EncodeMapFile(input, bytes);
    return bytes;
}

PngPicture Png(int colourType, unsigned seed)
{
    PngPicture png{64, 64, colourType, 8, seed % 2 == 0, {}, {}, {}};
    std::mt19937 random(seed);
    for (int i = 0; i < 64 * 64 * png.Channels(); ++i) png.samples.push_back(std::uint16_t(random() % 256));
    if (colourType == 3) {
        for (int i = 0; i < 256; ++i) png.palette.push_back({std::uint8_t(i), std::uint8_t(random()), 40});
    }
    return png;
}

std::string Tmx(const std::string& orientation, const std::string& picture, const std::string& cells)
{
    return "<?xml version=\"1.0\"?>\n<map version=\"1.8\" orientation=\"" + orientation +
           "\" renderorder=\"right-down\" "
           "width=\"4\" height=\"3\" tilewidth=\"32\" tileheight=\"32\" infinite=\"0\">\n"
           " <tileset firstgid=\"1\" name=\"art\" tilewidth=\"32\" tileheight=\"32\" tilecount=\"4\" columns=\"2\">\n"
           "  <image source=\"" +
           picture +
           "\" width=\"64\" height=\"64\"/>\n </tileset>\n"
           " <layer id=\"1\" name=\"ground\" width=\"4\" height=\"3\">\n  <data encoding=\"csv\">\n" +
           cells + "\n</data>\n </layer>\n</map>\n";
}

}  // namespace

SessionFiles::SessionFiles()
{
    const auto put = [this](std::vector<std::string>& list, const std::string& name,
                            const std::vector<std::uint8_t>& bytes) {
        WriteBytes(folder.File(name), bytes);
        list.push_back(folder.File(name));
    };
    const auto a8 = EncodeBmp(MakePicture(160, 96, 8, 3));
    put(pictures, "a8.bmp", a8);
    put(pictures, "b8.bmp", EncodeBmp(MakePicture(96, 64, 8, 4, 200)));  // another, shorter colour table
    put(pictures, "c24.bmp", EncodeBmp(MakePicture(128, 128, 24, 5)));
    put(pictures, "d16.bmp", EncodeBmp(MakePicture(64, 48, 16, 6)));
    put(pictures, "e32.bmp", EncodeBmp(MakePicture(64, 64, 32, 7)));  // shows, cannot be cut
    put(pictures, "odd.bmp", EncodeBmp(MakePicture(50, 37, 24, 8)));
    const auto rgb = EncodePng(Png(2, 9));
    put(pictures, "rgb.png", rgb);
    put(pictures, "pal.png", EncodePng(Png(3, 10)));
    put(pictures, "rgba.png", EncodePng(Png(6, 11)));
    put(pictures, "short.bmp", std::vector<std::uint8_t>(a8.begin(), a8.begin() + 70));
    put(pictures, "junk.bmp", TestBytes(300, 1));
    auto spoiled = rgb;
    for (std::size_t i = 60; i < 90; ++i) spoiled[i] ^= 0x5A;
    put(pictures, "spoiled.png", spoiled);
    put(pictures, "empty.png", {});

    const auto m24 = MapBytes(12, 9, 32, 24, 6, 12);
    put(maps, "m24.Map", m24);
    put(maps, "m8.Map", MapBytes(30, 20, 16, 8, 10, 13));
    put(maps, "m64.Map", MapBytes(3, 2, 64, 16, 2, 14));
    put(maps, "bare.Map", MapBytes(5, 4, 24, 24, 0, 15));
    put(maps, "short.Map", std::vector<std::uint8_t>(m24.begin(), m24.end() - 7));
    auto longer = m24;
    longer.insert(longer.end(), {1, 2, 3});
    put(maps, "long.Map", longer);
    auto huge = m24;
    Put32(huge, 8, 100000);
    Put32(huge, 12, 100000);
    put(maps, "huge.Map", huge);
    put(maps, "junk.Map", TestBytes(500, 2));
    put(maps, "t.tmx", Text(Tmx("orthogonal", "rgb.png", "1,2,3,4,\n0,4,3,2,\n1,1,0,0")));
    put(maps, "lost.tmx", Text(Tmx("orthogonal", "gone.png", "1,2,3,4,\n0,4,3,2,\n1,1,0,0")));
    put(maps, "beyond.tmx", Text(Tmx("orthogonal", "rgb.png", "1,2,3,4,\n0,4,3,2,\n1,1,0,9")));
    put(maps, "hex.tmx", Text(Tmx("hexagonal", "rgb.png", "1,2,3,4,\n0,4,3,2,\n1,1,0,0")));
    put(maps, "bad.tmx", Text("<map orientation=\"orthogonal\" width=\"4\"><layer"));

    put(others, "notes.txt", Text("hi"));
    others.push_back(folder.File("gone.Map"));
    others.push_back(folder.Path().string());

    saves = {folder.File("out1.Map"), folder.File("out2.Map"), folder.File("out3"),   folder.File("missing/out.Map"),
             folder.File("m24.Map"),  folder.File("out.tmx"),  folder.Path().string()};
}
