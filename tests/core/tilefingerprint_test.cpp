// Tile fingerprints on random pictures: the same picture gives the same
// fingerprint however it is stored (row padding, palette order, a colour
// twice in the palette), and any change a person could see gives another.
#include "sprite.h"
#include "tilefingerprint.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <vector>

namespace {

// A picture as a map file stores it: bottom-up rows of stride bytes and,
// for 8-bit, 256 colours.
struct Stored {
    int width = 0, height = 0;
    WORD bitCount = 0;
    std::vector<RGBQUAD> colours = std::vector<RGBQUAD>(256);
    std::vector<BYTE> bits;
    int Stride() const { return (width * bitCount / 8 + 3) & ~3; }
    BYTE* Pixel(int x, int y) { return &bits[std::size_t(y * Stride() + x * bitCount / 8)]; }
    TileFingerprint Print() const
    {
        CSprite tile;
        tile.CreateFromData(BYTE(width), BYTE(height), colours.data(), bits.data(), bitCount);
        EXPECT_FALSE(tile.IsEmpty());
        return FingerprintOf(tile);
    }
};

Stored RandomPicture(std::mt19937& random, WORD bitCount)
{
    Stored s;
    s.width = 1 + int(random() % 40);
    s.height = 1 + int(random() % 40);
    s.bitCount = bitCount;
    for (RGBQUAD& c : s.colours) c = {BYTE(random()), BYTE(random()), BYTE(random()), 0};
    s.bits.resize(std::size_t(s.Stride() * s.height));
    for (BYTE& b : s.bits) b = BYTE(random());
    // 8-bit pictures use a few colours, as tiles do.
    if (bitCount == 8)
        for (int y = 0; y < s.height; ++y)
            for (int x = 0; x < s.width; ++x) *s.Pixel(x, y) %= 12;
    return s;
}

class Fingerprint : public ::testing::TestWithParam<WORD> {};

TEST_P(Fingerprint, FollowsWhatThePictureShows)
{
    std::mt19937 random(GetParam());
    for (int round = 0; round < 200; ++round) {
        const Stored a = RandomPicture(random, GetParam());
        const TileFingerprint print = a.Print();

        // Other padding, and for 8-bit the palette shuffled (the pixels
        // following their colours) with a colour in two entries.
        Stored same = a;
        for (int y = 0; y < same.height; ++y)
            for (int p = same.width * same.bitCount / 8; p < same.Stride(); ++p)
                same.bits[std::size_t(y * same.Stride() + p)] ^= 0xA5;
        if (GetParam() == 8) {
            std::vector<int> order(256);
            std::iota(order.begin(), order.end(), 0);
            std::shuffle(order.begin(), order.end(), random);
            for (int i = 0; i < 256; ++i) same.colours[std::size_t(order[std::size_t(i)])] = a.colours[std::size_t(i)];
            same.colours[std::size_t(order[200])] = a.colours[0];
            for (int y = 0; y < same.height; ++y)
                for (int x = 0; x < same.width; ++x) {
                    const int index = order[*same.Pixel(x, y)];
                    *same.Pixel(x, y) = BYTE(index == order[0] && (x + y) % 2 ? order[200] : index);
                }
        }
        if (GetParam() == 16)  // the unused top bit of a 5-5-5 pixel
            for (int y = 0; y < same.height; ++y) same.Pixel(0, y)[1] ^= 0x80;
        EXPECT_EQ(same.Print(), print);

        // One pixel showing another colour.
        Stored pixel = a;
        const int x = int(random() % unsigned(a.width)), y = int(random() % unsigned(a.height));
        if (GetParam() == 8)
            *pixel.Pixel(x, y) = BYTE(*pixel.Pixel(x, y) == 12 ? 13 : 12);
        else
            pixel.Pixel(x, y)[0] ^= 0x01;
        EXPECT_NE(pixel.Print(), print);

        // A used colour changed (8-bit), or the picture one column narrower.
        if (GetParam() == 8) {
            Stored colour = a;
            colour.colours[*colour.Pixel(x, y)].rgbGreen ^= 0x40;
            EXPECT_NE(colour.Print(), print);
        }
        if (a.width > 1) {
            Stored narrower = a;
            narrower.width -= 1;
            narrower.bits.resize(std::size_t(narrower.Stride() * narrower.height));
            for (int row = 0; row < a.height; ++row)
                std::copy_n(&a.bits[std::size_t(row * a.Stride())], narrower.width * a.bitCount / 8,
                            &narrower.bits[std::size_t(row * narrower.Stride())]);
            EXPECT_NE(narrower.Print(), print);
        }
        ASSERT_EQ(TileFingerprint::FromHex(print.Hex()), print);
    }
}

INSTANTIATE_TEST_SUITE_P(Depths, Fingerprint, ::testing::Values(WORD(8), WORD(16), WORD(24)));

TEST(FingerprintText, IsThirtyTwoHexDigits)
{
    const TileFingerprint print{0x0123456789abcdefULL, 0xfedcba9876543210ULL};
    EXPECT_EQ(print.Hex(), "0123456789abcdeffedcba9876543210");
    EXPECT_EQ(TileFingerprint::FromHex("0123456789ABCDEFFEDCBA9876543210"), print);
    for (const char* bad : {"", "0123", "0123456789abcdeffedcba987654321g", "0123456789abcdeffedcba98765432100"})
        EXPECT_FALSE(TileFingerprint::FromHex(bad)) << bad;
}

}  // namespace
