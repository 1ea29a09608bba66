// PNG files of every kind through the bitmap loader, each checked against a
// plain model of what the picture shows composited over black; damaged
// files give the .bmp reader's message and leave nothing loaded.
#include "dib.h"
#include "imagingmessages.h"
#include "scratchfolder.h"
#include "pngwriter.h"
#include "testtiles.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct PngKind {
    const char* name;
    int colourType;
    int bitDepth;
    bool interlaced;
    int paletteSize;  // indexed only
    bool keyed;       // a tRNS chunk: palette alphas, or a grey / RGB key
};

const PngKind kKinds[] = {
    {"indexed_1bit", 3, 1, false, 2, false},        {"indexed_2bit_short", 3, 2, true, 3, false},
    {"indexed_4bit_alphas", 3, 4, false, 11, true}, {"indexed_8bit_interlaced", 3, 8, true, 200, true},
    {"grey_1bit", 0, 1, false, 0, false},           {"grey_2bit_interlaced", 0, 2, true, 0, false},
    {"grey_4bit", 0, 4, false, 0, false},           {"grey_8bit_key", 0, 8, false, 0, true},
    {"grey_16bit", 0, 16, true, 0, false},          {"grey_alpha_8bit", 4, 8, false, 0, false},
    {"grey_alpha_16bit", 4, 16, true, 0, false},    {"rgb_8bit", 2, 8, false, 0, false},
    {"rgb_8bit_key", 2, 8, true, 0, true},          {"rgb_16bit_interlaced", 2, 16, true, 0, false},
    {"rgba_8bit", 6, 8, false, 0, false},           {"rgba_16bit", 6, 16, false, 0, false},
};

PngPicture MakePicture(const PngKind& kind, unsigned seed)
{
    PngPicture p{13, 11, kind.colourType, kind.bitDepth, kind.interlaced, {}, {}, {}};
    const unsigned limit = kind.colourType == 3 ? unsigned(kind.paletteSize) : 1u << kind.bitDepth;
    const auto random = TestBytes(std::size_t(p.width * p.height * p.Channels()) * 2, seed);
    for (std::size_t i = 0; i < random.size(); i += 2)
        p.samples.push_back(std::uint16_t((random[i] << 8 | random[i + 1]) % limit));
    const auto colours = TestBytes(std::size_t(kind.paletteSize) * 3, seed + 1);
    for (int i = 0; i < kind.paletteSize; ++i)
        p.palette.push_back({colours[3 * i], colours[3 * i + 1], colours[3 * i + 2]});
    if (kind.keyed && kind.colourType == 3) p.trns = {0, 128, 255, 7};  // shorter than the palette: the rest are opaque
    for (int c = 0; kind.keyed && kind.colourType != 3 && c < p.Channels(); ++c)  // the first pixel's colour is the key
        p.trns.insert(p.trns.end(),
                      {std::uint8_t(p.samples[std::size_t(c)] >> 8), std::uint8_t(p.samples[std::size_t(c)])});
    return p;
}

// Pixel i over black, from the samples alone; alpha says how opaque it was.
std::uint32_t Expected(const PngPicture& p, int i, double& alpha)
{
    const std::uint16_t* s = &p.samples[std::size_t(i * p.Channels())];
    const double max = double((1 << p.bitDepth) - 1);
    double rgb[3];
    alpha = 1;
    if (p.colourType == 3) {
        for (int c = 0; c < 3; ++c) rgb[c] = p.palette[s[0]][std::size_t(c)] / 255.0;
        if (s[0] < p.trns.size()) alpha = p.trns[s[0]] / 255.0;
    } else {
        for (int c = 0; c < 3; ++c) rgb[c] = s[p.Channels() < 3 ? 0 : c] / max;
        if (p.colourType == 4 || p.colourType == 6) alpha = s[p.Channels() - 1] / max;
        bool keyed = !p.trns.empty();
        for (int c = 0; c < p.Channels() && keyed; ++c)
            keyed = (p.trns[std::size_t(2 * c)] << 8 | p.trns[std::size_t(2 * c + 1)]) == s[c];
        if (keyed) alpha = 0;
    }
    std::uint32_t pixel = 0xFF000000u;
    for (int c = 0; c < 3; ++c) pixel |= std::uint32_t(std::lround(rgb[c] * alpha * 255)) << (16 - 8 * c);
    return pixel;
}

class PngKinds : public ::testing::TestWithParam<PngKind> {};

TEST_P(PngKinds, LoadAsTheModelShowsThem)
{
    const PngPicture p = MakePicture(GetParam(), 5);
    ScratchFolder folder;
    WriteBytes(folder.File("p.png"), EncodePng(p));
    CDib dib;
    EXPECT_TRUE(dib.Load(folder.File("p.png")));
    ASSERT_TRUE(dib.m_bLoaded);
    EXPECT_EQ(dib.GetBitCount(), p.colourType == 2 || p.colourType == 6 ? 24 : 8);
    ASSERT_EQ(CSize(dib.GetWidth(), dib.GetHeight()), CSize(p.width, p.height));
    bool flattened = false;
    for (int i = 0; i < p.width * p.height; ++i) {
        double alpha = 1;
        ASSERT_EQ(dib.GetScreenBits()[i], Expected(p, i, alpha)) << "pixel " << i % p.width << ", " << i / p.width;
        flattened |= alpha < 1;
        // Indexed pictures keep their indices; the table is the palette padded with black.
        if (p.colourType == 3) {
            ASSERT_EQ(dib.m_pBits[std::size_t((p.height - 1 - i / p.width) * dib.GetStride() + i % p.width)],
                      p.samples[std::size_t(i)]);
        }
    }
    EXPECT_EQ(dib.TransparencyWasFlattened(), flattened);
    for (std::size_t i = p.palette.size(); p.colourType == 3 && i < 256; ++i)
        EXPECT_EQ(dib.m_pColors[i].rgbRed | dib.m_pColors[i].rgbGreen | dib.m_pColors[i].rgbBlue, 0);
}

INSTANTIATE_TEST_SUITE_P(Png, PngKinds, ::testing::ValuesIn(kKinds),
                         [](const auto& info) { return std::string(info.param.name); });

// Damaged files: cut short anywhere, a wrong checksum, deflate data that
// does not inflate, an indexed picture without a palette, a header that
// promises more than the file holds. Each leaves no bitmap, not even the
// one held before.
TEST(PngDamaged, GiveTheBitmapMessageAndLoadNothing)
{
    const std::vector<std::uint8_t> good = EncodePng(MakePicture(kKinds[14], 9));
    std::vector<std::vector<std::uint8_t>> damaged;
    for (std::size_t size = 8; size < good.size() - 12; size += 7)
        damaged.emplace_back(good.begin(), good.begin() + std::ptrdiff_t(size));
    damaged.push_back(good);
    damaged.back()[good.size() - 20] ^= 1;  // inside the IDAT chunk
    for (const auto& [side, idat] :
         {std::pair<std::uint8_t, std::vector<std::uint8_t>>{0, {0x78, 0x9C, 0xFF, 0xFF, 0xFF, 0}},
          {0xF0, {0x78, 0x9C, 3, 0, 0, 0, 0, 1}}}) {
        damaged.push_back({0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'});
        AppendPngChunk(damaged.back(), "IHDR", {0, side, 0, 0, 0, side, 0, 0, 8, 2, 0, 0, 0});
        AppendPngChunk(damaged.back(), "IDAT", idat);
        AppendPngChunk(damaged.back(), "IEND", {});
    }
    PngPicture indexed = MakePicture(kKinds[0], 9);
    indexed.palette.clear();
    damaged.push_back(EncodePng(indexed));

    for (const auto& bytes : damaged) {
        CDib dib;
        ASSERT_TRUE(dib.LoadFromMemory(good.data(), good.size()));
        EXPECT_EQ(dib.LoadFromMemory(bytes.data(), bytes.size()).message, kMsgNotBitmap) << bytes.size() << " bytes";
        EXPECT_FALSE(dib.m_bLoaded);
    }
}

}  // namespace
