// The tool's own building blocks: the image writers and the command-line
// parser.
#include "imagesink.h"
#include "outputfile.h"
#include "toolsupport.h"
#include "tooltesting.h"

#include <gtest/gtest.h>

#include <string>

struct SinkCase {
    ImageFormat format;
    int width;
    int height;
    int rowsPerWrite;
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
