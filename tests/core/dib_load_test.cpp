// Bitmaps the program must read, in the variants real files come in, and
// the form it holds them in: 40-byte header, 256 colours for 8-bit,
// bottom-up rows; the screen form must show exactly the file's picture.
#include "bmpwriter.h"
#include "dib.h"
#include "picturecheck.h"
#include "scratchfolder.h"
#include "tilecut.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

struct ReadableCase {
    const char* name;
    TestPicture picture;
    BmpLayout layout;
};

BmpLayout Layout(DWORD infoSize, bool topDown = false, DWORD gap = 0)
{
    BmpLayout layout;
    layout.infoSize = infoSize;
    layout.topDown = topDown;
    layout.gap = gap;
    return layout;
}

BmpLayout Masks(DWORD infoSize, std::uint32_t r, std::uint32_t g, std::uint32_t b, bool topDown = false)
{
    BmpLayout layout = Layout(infoSize, topDown);
    layout.compression = BI_BITFIELDS;
    layout.masks[0] = r;
    layout.masks[1] = g;
    layout.masks[2] = b;
    return layout;
}

std::vector<ReadableCase> ReadableCases()
{
    return {
        {"Bit8FullTable", MakePicture(37, 23, 8, 1), {}},
        {"Bit8ShortTable16", MakePicture(20, 9, 8, 2, 16), {}},
        {"Bit8ShortTable2", MakePicture(9, 5, 8, 3, 2), {}},
        {"Bit8ShortTable255", MakePicture(11, 4, 8, 4, 255), {}},
        {"Bit8GapBeforePixels", MakePicture(13, 7, 8, 5), Layout(40, false, 7)},
        {"Bit8ShortTableAndGap", MakePicture(13, 7, 8, 6, 100), Layout(40, false, 300)},
        {"Bit8V4Header", MakePicture(10, 6, 8, 7), Layout(108)},
        {"Bit8V5HeaderShortTable", MakePicture(10, 6, 8, 8, 30), Layout(124)},
        {"Bit8TopDown", MakePicture(15, 8, 8, 9), Layout(40, true)},
        {"Bit8OnePixel", MakePicture(1, 1, 8, 10), {}},
        {"Bit16", MakePicture(17, 6, 16, 11), {}},
        {"Bit16OddWidth", MakePicture(3, 5, 16, 12), {}},
        {"Bit16OnePixel", MakePicture(1, 1, 16, 13), {}},
        {"Bit16TopDown", MakePicture(6, 4, 16, 14), Layout(40, true)},
        {"Bit16V5Header", MakePicture(7, 3, 16, 15), Layout(124)},
        {"Bit16BitfieldsPlain", MakePicture(7, 3, 16, 16), Masks(40, 0x7C00, 0x03E0, 0x001F)},
        {"Bit16BitfieldsPlainV5", MakePicture(7, 3, 16, 17), Masks(124, 0x7C00, 0x03E0, 0x001F, true)},
        {"Bit24", MakePicture(21, 10, 24, 18), {}},
        {"Bit24Gap", MakePicture(5, 5, 24, 19), Layout(40, false, 3)},
        {"Bit24V4Header", MakePicture(6, 4, 24, 20), Layout(108)},
        {"Bit24V5HeaderTopDown", MakePicture(6, 4, 24, 21), Layout(124, true)},
        {"Bit24V2Header", MakePicture(4, 4, 24, 22), Layout(52)},
        {"Bit32", MakePicture(9, 7, 32, 23), {}},
        {"Bit32TopDown", MakePicture(9, 7, 32, 24), Layout(40, true)},
        {"Bit32BitfieldsPlain", MakePicture(4, 3, 32, 25), Masks(40, 0xFF0000, 0xFF00, 0xFF)},
        {"Bit32BitfieldsPlainV5", MakePicture(4, 3, 32, 26), Masks(124, 0xFF0000, 0xFF00, 0xFF)},
    };
}

class ReadableBitmap : public ::testing::TestWithParam<ReadableCase> {};

TEST_P(ReadableBitmap, HeldInPackedFormAndShownExactly)
{
    const ReadableCase& c = GetParam();
    const TestPicture& picture = c.picture;
    const std::vector<std::uint8_t> file = EncodeBmp(picture, c.layout);
    CDib dib;
    const ImagingResult loaded = dib.LoadFromMemory(file.data(), file.size());
    ASSERT_TRUE(loaded) << loaded.message;
    ASSERT_TRUE(dib.m_bLoaded);

    EXPECT_EQ(dib.GetWidth(), picture.width);
    EXPECT_EQ(dib.GetHeight(), picture.height);
    EXPECT_EQ(dib.GetBitCount(), picture.bitCount);
    const int stride = (picture.width * picture.bitCount / 8 + 3) & ~3;
    EXPECT_EQ(dib.GetStride(), stride);

    const BYTE* block = reinterpret_cast<const BYTE*>(dib.m_pBMI);
    EXPECT_EQ(reinterpret_cast<const BYTE*>(dib.m_pBMIH), block);
    EXPECT_EQ(dib.m_pBMIH->biSize, 40u);
    EXPECT_EQ(dib.m_pBMIH->biCompression, BI_RGB);
    EXPECT_EQ(reinterpret_cast<const BYTE*>(dib.m_pColors), block + 40);
    EXPECT_EQ(dib.m_pBits, block + (picture.bitCount == 8 ? 1064 : 40));

    if (picture.bitCount == 8) {
        for (std::size_t i = 0; i < 256; ++i) {
            const RGBQUAD expected = i < picture.colours.size() ? picture.colours[i] : RGBQUAD{0, 0, 0, 0};
            EXPECT_EQ(std::memcmp(&dib.m_pColors[i], &expected, 4), 0) << "colour " << i;
        }
    }
    EXPECT_TRUE(RowsMatch(dib.m_pBits, stride, picture.width, picture.height, picture, 0, 0, false));
    EXPECT_TRUE(ScreenMatches(dib.GetScreenBits(), picture.width, picture.height, picture, 0, 0));

    if (picture.bitCount == 32) return;  // shown, but not cut (see the tile tests)
    CTileList tiles;
    const int tileW = picture.width > 2 ? 3 : 1, tileH = picture.height > 1 ? 2 : 1;
    const BitmapCutResult cut = CutWholeBitmap(dib, tileW, tileH, tiles);
    EXPECT_TRUE(cut) << cut.message;
    ASSERT_EQ(cut.appended, (picture.width / tileW) * (picture.height / tileH));
    for (int n = 0; n < tiles.GetCount(); ++n) {
        const CSprite* tile = tiles.GetAt(n);
        const int x0 = n % (picture.width / tileW) * tileW, y0 = n / (picture.width / tileW) * tileH;
        EXPECT_TRUE(ScreenMatches(tile->GetScreenBits(), tileW, tileH, picture, x0, y0)) << "tile " << n;
        EXPECT_TRUE(RowsMatch(tile->m_pBits, tile->GetStride(), tileW, tileH, picture, x0, y0, true)) << "tile " << n;
    }
}

// What a view converts to draw the part it shows: the picture's own pixels,
// at the edges too (a row's last pixel may end the block).
TEST_P(ReadableBitmap, AnyRectangleConvertsExactly)
{
    const ReadableCase& c = GetParam();
    const TestPicture& picture = c.picture;
    const std::vector<std::uint8_t> file = EncodeBmp(picture, c.layout);
    CDib dib;
    ASSERT_TRUE(dib.LoadFromMemory(file.data(), file.size()));
    const int w = picture.width, h = picture.height;
    const struct {
        int left, top, width, height;
    } rects[] = {{0, 0, w, h},
                 {w - 1, 0, 1, h},
                 {0, h - 1, w, 1},
                 {w - 1, h - 1, 1, 1},
                 {w / 2, h / 3, w - w / 2, h - h / 3},
                 {0, 0, (w + 1) / 2, (h + 1) / 2}};
    for (const auto& r : rects) {
        std::vector<std::uint32_t> out(std::size_t(r.width) * std::size_t(r.height));
        ASSERT_TRUE(dib.ConvertToScreen(r.left, r.top, r.width, r.height, out.data()));
        EXPECT_TRUE(ScreenMatches(out.data(), r.width, r.height, picture, r.left, r.top))
            << r.left << "," << r.top << " " << r.width << "x" << r.height;
    }
}

// From a path the rows go straight from the file into the block: it must
// be the block reading the whole file gives, for every variant.
TEST_P(ReadableBitmap, FromDiskHoldsTheSameBlockAsFromMemory)
{
    const ReadableCase& c = GetParam();
    std::vector<std::uint8_t> file = EncodeBmp(c.picture, c.layout);
    CDib fromMemory;
    ASSERT_TRUE(fromMemory.LoadFromMemory(file.data(), file.size()));
    const std::size_t blockBytes = std::size_t(fromMemory.m_pBits - reinterpret_cast<const BYTE*>(fromMemory.m_pBMI)) +
                                   std::size_t(fromMemory.GetStride()) * std::size_t(fromMemory.GetHeight());

    // Bytes after the rows are not part of the picture.
    file.insert(file.end(), {1, 2, 3});
    const ScratchFolder folder;
    WriteBytes(folder.File("bitmap.bmp"), file);
    CDib fromDisk;
    EXPECT_TRUE(fromDisk.Load(folder.File("bitmap.bmp")));
    ASSERT_TRUE(fromDisk.m_bLoaded);
    EXPECT_EQ(fromDisk.m_pBits - reinterpret_cast<const BYTE*>(fromDisk.m_pBMI),
              fromMemory.m_pBits - reinterpret_cast<const BYTE*>(fromMemory.m_pBMI));
    EXPECT_EQ(std::memcmp(fromDisk.m_pBMI, fromMemory.m_pBMI, blockBytes), 0);
}

INSTANTIATE_TEST_SUITE_P(Variants, ReadableBitmap, ::testing::ValuesIn(ReadableCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DibLoad, Widths1To100At24BitMatchPixelForPixel)
{
    for (int width = 1; width <= 100; ++width) {
        SCOPED_TRACE(width);
        const TestPicture picture = MakePicture(width, 1 + width % 4, 24, unsigned(width));
        const std::vector<std::uint8_t> file = EncodeBmp(picture);
        CDib dib;
        ASSERT_TRUE(dib.LoadFromMemory(file.data(), file.size()));
        EXPECT_EQ(dib.GetStride(), (width * 3 + 3) & ~3);
        if (width == 3) {
            EXPECT_EQ(dib.GetStride(), 12);  // 9 bytes of pixels rounded up
        }
        // The held rows are the file's rows, padding included.
        EXPECT_EQ(std::memcmp(dib.m_pBits, file.data() + 54, std::size_t(dib.GetStride()) * picture.height), 0);
        EXPECT_TRUE(ScreenMatches(dib.GetScreenBits(), width, picture.height, picture, 0, 0));
        const TileCutResult cut = CutTile(dib, CRect(0, 0, width, picture.height));
        EXPECT_TRUE(cut) << cut.message;
        CSprite* tile = cut.tile;
        ASSERT_NE(tile, nullptr);
        EXPECT_TRUE(ScreenMatches(tile->GetScreenBits(), width, picture.height, picture, 0, 0));
        EXPECT_TRUE(RowsMatch(tile->m_pBits, tile->GetStride(), width, picture.height, picture, 0, 0, true));
        delete tile;
    }
}

TEST(DibLoad, SixteenBitChannelsWidenLikeTheScreen)
{
    // Full, empty and middle channel values: 31 -> 255, 0 -> 0, 16 -> 132, 1 -> 8.
    TestPicture picture = MakePicture(4, 1, 16);
    picture.pixels = {0x7FFF, 0x0000, (16u << 10) | (1u << 5) | 31u, 0x8000};
    const std::vector<std::uint8_t> file = EncodeBmp(picture);
    CDib dib;
    ASSERT_TRUE(dib.LoadFromMemory(file.data(), file.size()));
    const std::uint32_t* screen = dib.GetScreenBits();
    EXPECT_EQ(screen[0], 0xFFFFFFFFu);
    EXPECT_EQ(screen[1], 0xFF000000u);
    EXPECT_EQ(screen[2], 0xFF8408FFu);
    EXPECT_EQ(screen[3], 0xFF000000u);  // the unused top bit shows nothing
}

TEST(DibLoad, RectanglesNotInsideThePictureAreNotConverted)
{
    std::uint32_t out[4] = {7, 7, 7, 7};
    CDib empty;
    EXPECT_FALSE(empty.ConvertToScreen(0, 0, 1, 1, out));

    const std::vector<std::uint8_t> file = EncodeBmp(MakePicture(10, 6, 24));
    CDib dib;
    ASSERT_TRUE(dib.LoadFromMemory(file.data(), file.size()));
    const struct {
        int left, top, width, height;
    } rects[] = {{-1, 0, 1, 1},      {0, -1, 1, 1},      {0, 0, 0, 1},       {0, 0, 1, 0},
                 {10, 0, 1, 1},      {9, 0, 2, 1},       {0, 6, 1, 1},       {0, 5, 1, 2},
                 {INT_MAX, 0, 1, 1}, {1, 0, INT_MAX, 1}, {0, 1, 1, INT_MAX}, {0, INT_MIN, 1, 1}};
    for (const auto& r : rects)
        EXPECT_FALSE(dib.ConvertToScreen(r.left, r.top, r.width, r.height, out))
            << r.left << "," << r.top << " " << r.width << "x" << r.height;
    EXPECT_FALSE(dib.ConvertToScreen(0, 0, 1, 1, nullptr));
    EXPECT_EQ(out[0], 7u);
    EXPECT_EQ(out[3], 7u);
}

// Files on disk: a scratch folder of the test's own.
class DibFile : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes)
    {
        WriteBytes(m_folder.File(name), bytes);
        return m_folder.File(name);
    }

    void LoadGood(CDib& dib)
    {
        const std::vector<std::uint8_t> good = EncodeBmp(MakePicture(8, 8, 8));
        ASSERT_TRUE(dib.LoadFromMemory(good.data(), good.size()));
    }

    ScratchFolder m_folder;
};

TEST_F(DibFile, LoadsFromAPathWithHangul)
{
    const TestPicture picture = MakePicture(12, 5, 16);
    const std::string path = Write("타일 그림.bmp", EncodeBmp(picture, Layout(124, true)));
    CDib dib;
    EXPECT_TRUE(dib.Load(path));
    ASSERT_TRUE(dib.m_bLoaded);
    EXPECT_TRUE(ScreenMatches(dib.GetScreenBits(), 12, 5, picture, 0, 0));
}

TEST_F(DibFile, MissingFileIsNamedAndThePreviousBitmapIsGone)
{
    CDib dib;
    LoadGood(dib);
    const std::string path = m_folder.File("없는 화일.bmp");
    EXPECT_EQ(dib.Load(path).message, path + "\n화일을 열 수 없습니다.");
    EXPECT_FALSE(dib.m_bLoaded);
    EXPECT_EQ(dib.m_pBMI, nullptr);
    EXPECT_EQ(dib.GetScreenBits(), nullptr);
}

TEST_F(DibFile, UnreadableFileIsNamed)
{
    CDib dib;
    LoadGood(dib);
    const std::string path = m_folder.Path().string();  // a folder opens but does not read
    EXPECT_EQ(dib.Load(path).message, path + "\n화일을 읽을 수 없습니다.");
    EXPECT_FALSE(dib.m_bLoaded);
}

TEST_F(DibFile, FileHoldingOtherThanItsSizeIsUnreadable)
{
    // Kernel status files report size 0 but hold text: like a file that
    // changes while it is read, it must not load half-read.
    const std::string path = "/proc/self/status";
    if (!std::filesystem::exists(path)) GTEST_SKIP() << "no " << path;
    CDib dib;
    EXPECT_EQ(dib.Load(path).message, path + "\n화일을 읽을 수 없습니다.");
    EXPECT_FALSE(dib.m_bLoaded);
}

TEST_F(DibFile, MalformedFileOnDiskIsNotABitmap)
{
    CDib dib;
    LoadGood(dib);
    EXPECT_EQ(dib.Load(Write("text.bmp", {'h', 'e', 'l', 'l', 'o'})).message, "비트맵 화일이 아닙니다");
    EXPECT_FALSE(dib.m_bLoaded);
}

TEST_F(DibFile, HugeFileIsRefusedBeforeReadingIt)
{
    // A sparse file: its size is what matters, it takes no disk space.
    std::vector<std::uint8_t> header = EncodeBmp(MakePicture(1, 1, 24));
    const std::string path = Write("huge.bmp", header);
    std::filesystem::resize_file(path, (std::uintmax_t(1) << 31) + 1);
    CDib dib;
    EXPECT_EQ(dib.Load(path).message, "메모리 확보에 실패했습니다.(DIB)");
    EXPECT_FALSE(dib.m_bLoaded);
}

}  // namespace
