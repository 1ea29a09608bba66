// Files that are malformed, truncated or of a kind the program does not
// read: each gives the one message and leaves no bitmap (not even the one
// held before), and nothing reads outside the file.
#include "bmpwriter.h"
#include "dib.h"
#include "scratchfolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <functional>
#include <memory>
#include <string>

namespace {

using Bytes = std::vector<std::uint8_t>;

// A small valid 8-bit file (8 x 4, full table) to spoil.
Bytes Base8() { return EncodeBmp(MakePicture(8, 4, 8)); }
Bytes Base24() { return EncodeBmp(MakePicture(5, 3, 24)); }
Bytes Base16() { return EncodeBmp(MakePicture(4, 3, 16)); }

Bytes With32(Bytes bytes, std::size_t offset, std::uint32_t value)
{
    Put32(bytes, offset, value);
    return bytes;
}

Bytes With16(Bytes bytes, std::size_t offset, std::uint16_t value)
{
    Put16(bytes, offset, value);
    return bytes;
}

Bytes Truncated(Bytes bytes, std::size_t size)
{
    bytes.resize(size);
    return bytes;
}

Bytes WithMasks(DWORD infoSize, std::uint32_t r, std::uint32_t g, std::uint32_t b)
{
    BmpLayout layout;
    layout.infoSize = infoSize;
    layout.compression = BI_BITFIELDS;
    layout.masks[0] = r;
    layout.masks[1] = g;
    layout.masks[2] = b;
    return EncodeBmp(MakePicture(4, 3, 16), layout);
}

struct RejectCase {
    const char* name;
    std::function<Bytes()> make;
};

std::vector<RejectCase> RejectCases()
{
    using namespace bmpfield;
    return {
        {"Empty", [] { return Bytes{}; }},
        {"OneByte", [] { return Bytes{'B'}; }},
        {"ShorterThanFileHeader", [] { return Truncated(Base8(), 13); }},
        {"OnlyFileHeader", [] { return Truncated(Base8(), 14); }},
        {"InfoSizeCutShort", [] { return Truncated(Base8(), 17); }},
        {"InfoHeaderCutShort", [] { return Truncated(Base8(), 14 + 39); }},
        {"SignatureMB", [] { return With16(Base8(), 0, 0x424D); }},
        {"SignatureZero", [] { return With16(Base8(), 0, 0); }},
        {"SignatureLowercase", [] { return With16(Base8(), 0, 0x6D62); }},
        {"InfoHeaderZero", [] { return With32(Base8(), kInfoSize, 0); }},
        {"InfoHeaderCore12", [] { return With32(Base8(), kInfoSize, 12); }},
        {"InfoHeader39", [] { return With32(Base8(), kInfoSize, 39); }},
        {"InfoHeaderPastEnd",
         [] {
             Bytes b = Base8();
             return With32(b, kInfoSize, std::uint32_t(b.size() - 14 + 1));
         }},
        {"InfoHeaderHuge", [] { return With32(Base8(), kInfoSize, 0xFFFFFFFF); }},
        {"WidthZero", [] { return With32(Base8(), kWidth, 0); }},
        {"WidthNegative", [] { return With32(Base8(), kWidth, std::uint32_t(-8)); }},
        {"WidthMin", [] { return With32(Base8(), kWidth, 0x80000000u); }},
        {"HeightZero", [] { return With32(Base8(), kHeight, 0); }},
        {"HeightMin", [] { return With32(Base8(), kHeight, 0x80000000u); }},
        {"WidthMax8Bit", [] { return With32(Base8(), kWidth, 0x7FFFFFFF); }},
        {"WidthWraps24BitRow", [] { return With32(With32(Base24(), kWidth, 0x55555556), kHeight, 1); }},
        {"WidthWraps32BitRow", [] { return With32(With16(Base24(), kBitCount, 32), kWidth, 0x40000001); }},
        {"HeightMax", [] { return With32(Base8(), kHeight, 0x7FFFFFFF); }},
        {"HeightMaxTopDown", [] { return With32(Base8(), kHeight, std::uint32_t(-0x7FFFFFFF)); }},
        {"AreaWraps", [] { return With32(With32(Base8(), kWidth, 0x10000), kHeight, 0x10000); }},
        {"PixelsShortByOneByte",
         [] {
             Bytes b = Base8();
             return Truncated(b, b.size() - 1);
         }},
        {"PixelsShortByOneRow",
         [] {
             Bytes b = Base24();
             return Truncated(b, b.size() - 16);
         }},
        {"TopDownPixelsShort",
         [] {
             Bytes b = With32(Base8(), kHeight, std::uint32_t(-4));
             return Truncated(b, b.size() - 1);
         }},
        {"NoPixelsAtAll", [] { return Truncated(Base8(), 14 + 40 + 1024); }},
        {"ColourTableCutShort", [] { return Truncated(Base8(), 14 + 40 + 500); }},
        {"PixelOffsetPastEnd",
         [] {
             Bytes b = Base8();
             return With32(b, kOffBits, std::uint32_t(b.size() + 1));
         }},
        {"PixelOffsetHuge", [] { return With32(Base8(), kOffBits, 0xFFFFFFFF); }},
        {"PixelOffsetZero", [] { return With32(Base8(), kOffBits, 0); }},
        {"PixelOffsetInsideHeader", [] { return With32(Base24(), kOffBits, 30); }},
        {"PixelOffsetInsideColourTable", [] { return With32(Base8(), kOffBits, 14 + 40 + 1000); }},
        {"ColoursUsed257", [] { return With32(Base8(), kClrUsed, 257); }},
        {"ColoursUsed257WithThatManyEntries",
         [] { return With32(EncodeBmp(MakePicture(4, 2, 8, 1, 257)), kClrUsed, 257); }},
        {"ColoursUsedHuge", [] { return With32(Base8(), kClrUsed, 0xFFFFFFFF); }},
        {"BitCount0", [] { return With16(Base8(), kBitCount, 0); }},
        {"BitCount1", [] { return With16(Base8(), kBitCount, 1); }},
        {"BitCount2", [] { return With16(Base8(), kBitCount, 2); }},
        {"BitCount4", [] { return With16(Base8(), kBitCount, 4); }},
        {"BitCount15", [] { return With16(Base24(), kBitCount, 15); }},
        {"BitCount48", [] { return With16(Base24(), kBitCount, 48); }},
        {"BitCount64", [] { return With16(Base24(), kBitCount, 64); }},
        {"BitCountHuge", [] { return With16(Base24(), kBitCount, 0xFFFF); }},
        {"Rle8", [] { return With32(Base8(), kCompression, BI_RLE8); }},
        {"Rle4", [] { return With16(With32(Base8(), kCompression, BI_RLE4), kBitCount, 4); }},
        {"Jpeg", [] { return With32(Base24(), kCompression, 4); }},
        {"Png", [] { return With32(Base24(), kCompression, 5); }},
        {"AlphaBitfields", [] { return With32(Base16(), kCompression, 6); }},
        {"CompressionHuge", [] { return With32(Base24(), kCompression, 0xFFFFFFFF); }},
        {"Bitfields8Bit", [] { return With32(Base8(), kCompression, BI_BITFIELDS); }},
        {"Bitfields24Bit", [] { return With32(Base24(), kCompression, BI_BITFIELDS); }},
        {"Bitfields565", [] { return WithMasks(40, 0xF800, 0x07E0, 0x001F); }},
        {"Bitfields565V5", [] { return WithMasks(124, 0xF800, 0x07E0, 0x001F); }},
        {"BitfieldsSwapped", [] { return WithMasks(40, 0x001F, 0x03E0, 0x7C00); }},
        {"BitfieldsMasksPastEnd", [] { return Truncated(With32(Base16(), kCompression, BI_BITFIELDS), 14 + 40 + 8); }},
    };
}

class MalformedBitmap : public ::testing::TestWithParam<RejectCase> {};

TEST_P(MalformedBitmap, GivesTheMessageAndLeavesNoBitmap)
{
    const Bytes bad = GetParam().make();
    CDib dib;
    const Bytes good = EncodeBmp(MakePicture(6, 6, 24));
    ASSERT_TRUE(dib.LoadFromMemory(good.data(), good.size()));

    // Copied to a buffer of its exact size so that a read past the end is caught.
    const std::unique_ptr<std::uint8_t[]> exact(new std::uint8_t[bad.size() + (bad.empty() ? 1 : 0)]);
    std::copy(bad.begin(), bad.end(), exact.get());
    EXPECT_EQ(dib.LoadFromMemory(exact.get(), bad.size()).message, "비트맵 화일이 아닙니다");
    EXPECT_FALSE(dib.m_bLoaded);
    EXPECT_EQ(dib.m_pBMI, nullptr);
    EXPECT_EQ(dib.m_pBits, nullptr);
    EXPECT_EQ(dib.GetScreenBits(), nullptr);
    EXPECT_EQ(dib.GetWidth(), 0);
}

// Reading from a path takes the headers first and the rows straight into
// the block; a file it cannot take that way must still get the same verdict.
TEST_P(MalformedBitmap, FromDiskGivesTheSameMessage)
{
    const Bytes bad = GetParam().make();
    const ScratchFolder folder;
    WriteBytes(folder.File("bad.bmp"), bad);
    CDib dib;
    const Bytes good = EncodeBmp(MakePicture(6, 6, 24));
    ASSERT_TRUE(dib.LoadFromMemory(good.data(), good.size()));

    EXPECT_EQ(dib.Load(folder.File("bad.bmp")).message, "비트맵 화일이 아닙니다");
    EXPECT_FALSE(dib.m_bLoaded);
    EXPECT_EQ(dib.m_pBMI, nullptr);
    EXPECT_EQ(dib.GetScreenBits(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Files, MalformedBitmap, ::testing::ValuesIn(RejectCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DibReject, NullDataIsNotABitmap)
{
    CDib dib;
    EXPECT_EQ(dib.LoadFromMemory(nullptr, 100).message, "비트맵 화일이 아닙니다");
}

// The checks must not be stricter than the format: exactly enough bytes loads.
TEST(DibReject, FileWithExactlyItsPixelsLoads)
{
    for (const Bytes& file : {Base8(), Base16(), Base24()}) {
        CDib dib;
        EXPECT_TRUE(dib.LoadFromMemory(file.data(), file.size()));
    }
}

}  // namespace
