// The tool's own building blocks: the image writers, the PNG row filter
// and the command-line parser.
#include "imagesink.h"
#include "outputfile.h"
#include "pngfilter.h"
#include "toolsupport.h"
#include "tooltesting.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

namespace {

// The standard's Paeth predictor, as a decoder computes it.
int PaethModel(int a, int b, int c)
{
    const int p = a + b - c;
    const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    if (pa <= pb && pa <= pc) return a;
    return pb <= pc ? b : c;
}

// What filter type `type` predicts for byte i of an RGB row, from the
// bytes already decoded.
int Predicted(int type, const std::uint8_t* row, const std::uint8_t* above, std::size_t i)
{
    const int a = i >= 3 ? row[i - 3] : 0, b = above[i], c = i >= 3 ? above[i - 3] : 0;
    const int predictions[5] = {0, a, b, (a + b) / 2, PaethModel(a, b, c)};
    return predictions[type];
}

// RGB rows in a cycle of ten: random bytes, and after each of them a row
// that one filter turns into nothing but zeros: the same bytes again
// (up), halfway between left and above (average), Paeth's prediction,
// all zeros (none: sub gives zeros as well, and none comes first), a
// ramp (sub). Returns the rows and, for each, the filter that suits it
// (-1 for the random rows).
std::vector<std::uint8_t> RowsForEachFilter(std::size_t rowBytes, int rows, std::vector<int>& expected)
{
    std::vector<std::uint8_t> bytes(rowBytes * std::size_t(rows));
    std::uint32_t state = 777;
    const int kinds[5] = {2, 3, 4, 0, 1};
    for (int y = 0; y < rows; ++y) {
        std::uint8_t* row = bytes.data() + std::size_t(y) * rowBytes;
        const std::uint8_t* above = row - rowBytes;
        const int kind = y % 2 == 0 ? -1 : kinds[y / 2 % 5];
        expected.push_back(kind);
        for (std::size_t i = 0; i < rowBytes; ++i) {
            state = state * 1664525u + 1013904223u;
            // Paeth's prediction from a first pixel of its own (from the
            // one above, it would copy the row above all along).
            if (kind == -1 || (kind == 4 && i < 3)) row[i] = std::uint8_t(state >> 24);
            if (kind == 1) row[i] = std::uint8_t(5 * i + std::size_t(y));
            if (kind >= 2 && !(kind == 4 && i < 3)) row[i] = std::uint8_t(Predicted(kind, row, above, i));
            if (kind == 0) row[i] = 0;
        }
    }
    return bytes;
}

}  // namespace

// Each row gets the filter with the smallest sum of magnitudes, and its
// filtered bytes give the row back through a decoder's arithmetic.
TEST(PngRowFilter, ChoosesTheSmallestSumAndDecodesBack)
{
    for (const std::size_t width : {1u, 2u, 37u, 200u}) {
        const std::size_t rowBytes = 3 * width;
        std::vector<int> expected;
        const std::vector<std::uint8_t> rows = RowsForEachFilter(rowBytes, 40, expected);
        PngRowFilter filter(rowBytes, 3);
        const std::vector<std::uint8_t> zeros(rowBytes, 0);
        std::vector<std::uint8_t> out(rowBytes + 1), decoded(rowBytes);
        int seen[5] = {};
        for (int y = 0; y < 40; ++y) {
            const std::uint8_t* row = rows.data() + std::size_t(y) * rowBytes;
            const std::uint8_t* above = y == 0 ? zeros.data() : row - rowBytes;
            filter.Filter(row, above, out.data());
            const int type = out[0];
            ASSERT_LT(type, 5);
            ++seen[type];
            if (width > 2 && expected[std::size_t(y)] >= 0) {
                EXPECT_EQ(type, expected[std::size_t(y)]) << "row " << y;
            }
            std::size_t sums[5] = {};
            for (std::size_t i = 0; i < rowBytes; ++i) {
                decoded[i] = std::uint8_t(out[i + 1] + Predicted(type, decoded.data(), above, i));
                for (int t = 0; t < 5; ++t)
                    sums[t] += std::size_t(std::abs(std::int8_t(std::uint8_t(row[i] - Predicted(t, row, above, i)))));
            }
            ASSERT_TRUE(std::equal(decoded.begin(), decoded.end(), row)) << width << " wide, row " << y;
            EXPECT_EQ(sums[type], *std::min_element(sums, sums + 5)) << "row " << y;
        }
        if (width > 2) {
            EXPECT_EQ(std::count(seen, seen + 5, 0), 0) << width << " wide: not every filter was used";
        }
    }
}

struct SinkCase {
    ImageFormat format;
    int width;
    int height;
    int rowsPerWrite;
    bool filterRows = false;  // rows that suit each PNG filter in turn, instead of random pixels
};

void PrintTo(const SinkCase& c, std::ostream* os)
{
    *os << (c.format == ImageFormat::Png ? "PNG " : "BMP ") << c.width << "x" << c.height;
}

class ImageSinkRoundTrip : public ::testing::TestWithParam<SinkCase> {};

// Odd widths exercise BMP row padding; a wide picture makes the PNG writer
// split its compressed data over several chunks.
TEST_P(ImageSinkRoundTrip, QtReadsBackEveryPixel)
{
    const SinkCase c = GetParam();
    ScratchFolder folder;
    const std::string path = folder.File(c.format == ImageFormat::Png ? "p.png" : "p.bmp");
    Picture picture{c.width, c.height, {}};
    std::uint32_t state = 12345;
    for (int i = 0; i < c.width * c.height; ++i) {
        state = state * 1664525u + 1013904223u;
        picture.pixels.push_back(0xFF000000u | (state >> 8));
    }
    if (c.filterRows) {
        std::vector<int> expected;
        const auto rgb = RowsForEachFilter(3 * std::size_t(c.width), c.height, expected);
        for (std::size_t i = 0; i < picture.pixels.size(); ++i)
            picture.pixels[i] = 0xFF000000u | std::uint32_t(rgb[3 * i] << 16 | rgb[3 * i + 1] << 8 | rgb[3 * i + 2]);
    }
    {
        OutputFile file(path);
        ASSERT_TRUE(file.Open());
        std::string error;
        auto sink = MakeImageSink(c.format, file.Stream(), c.width, c.height, error);
        ASSERT_TRUE(sink) << error;
        for (int y = 0; y < c.height; y += c.rowsPerWrite)
            ASSERT_TRUE(sink->WriteRows(picture.pixels.data() + std::size_t(y) * std::size_t(c.width),
                                        std::min(c.rowsPerWrite, c.height - y), c.width));
        ASSERT_TRUE(sink->Finish());
        ASSERT_TRUE(file.Commit());
    }
    const Picture read = ReadPicture(path);
    EXPECT_TRUE(read == picture) << FirstDifference(read, picture);
}

INSTANTIATE_TEST_SUITE_P(Formats, ImageSinkRoundTrip,
                         ::testing::Values(SinkCase{ImageFormat::Png, 1, 1, 1}, SinkCase{ImageFormat::Png, 5, 3, 2},
                                           SinkCase{ImageFormat::Png, 100000, 3, 1},
                                           // Several pairs of deflated pieces, every filter type.
                                           SinkCase{ImageFormat::Png, 1000, 1200, 7, true},
                                           SinkCase{ImageFormat::Bmp, 1, 1, 1}, SinkCase{ImageFormat::Bmp, 3, 5, 2},
                                           SinkCase{ImageFormat::Bmp, 7, 9, 4}));

TEST(ImageSink, RefusesSizesTheFormatCannotHold)
{
    std::string error;
    EXPECT_FALSE(MakeImageSink(ImageFormat::Png, nullptr, 0, 10, error));
    EXPECT_FALSE(MakeImageSink(ImageFormat::Png, nullptr, std::int64_t(1) << 31, 1, error));
    // A BMP file cannot be longer than 4 GiB.
    EXPECT_FALSE(MakeImageSink(ImageFormat::Bmp, nullptr, 40000, 40000, error));
    EXPECT_NE(error.find("BMP"), std::string::npos);
}

TEST(OutputFile, LeavesTheTargetAloneUntilCommitted)
{
    ScratchFolder folder;
    const std::string path = folder.File("target.txt");
    WriteBytes(path, {'o', 'l', 'd'});
    {
        OutputFile file(path);
        ASSERT_TRUE(file.Open());
        std::fputs("new", file.Stream());
    }  // not committed
    EXPECT_EQ(ReadBytes(path), (std::vector<std::uint8_t>{'o', 'l', 'd'}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1) << "temporary file left";
    {
        OutputFile file(path);
        ASSERT_TRUE(file.Open());
        std::fputs("new", file.Stream());
        ASSERT_TRUE(file.Commit());
    }
    EXPECT_EQ(ReadBytes(path), (std::vector<std::uint8_t>{'n', 'e', 'w'}));
}

// Usage errors are checked through the program; these are the forms a
// script may use.
TEST(ParseArgs, TakesValuesInBothFormsAndPositionalsAnywhere)
{
    std::string error;
    const auto parsed = ParseArgs({"a.Map", "--tile", "32", "--map=4x5", "-o", "out.Map", "--", "-odd"},
                                  {{"--tile", true}, {"--map", true}, {"--output", true, "-o"}}, error);
    ASSERT_TRUE(parsed) << error;
    EXPECT_EQ(parsed->positional, (std::vector<std::string>{"a.Map", "-odd"}));
    EXPECT_EQ(parsed->Value("--tile"), "32");
    EXPECT_EQ(parsed->Value("--map"), "4x5");
    EXPECT_EQ(parsed->Value("--output"), "out.Map");
}

namespace {
// zellmap speaks English with --lang en (or an English locale) and Korean
// otherwise; the usage that follows a mistake is translated as a whole.
TEST(ZellmapLanguageTest, LangOptionChoosesTheMessagesLanguage)
{
    const auto folder = std::filesystem::temp_directory_path();
    const ToolRun english = RunZellmap({"--lang", "en", "bogus"}, folder);
    EXPECT_EQ(english.status, kExitUsage);
    EXPECT_EQ(english.err.rfind("zellmap: unknown command: bogus\n\nUsage: zellmap <command>", 0), 0u) << english.err;
    const ToolRun korean = RunZellmap({"bogus", "--lang=ko"}, folder);
    EXPECT_EQ(korean.err.rfind("zellmap: 알 수 없는 명령입니다: bogus\n\n사용법: zellmap <명령>", 0), 0u) << korean.err;
}
}  // namespace
