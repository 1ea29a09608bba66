// The clipboard's two forms: the editor's own round trip and its refusal
// of anything malformed, and text as spreadsheets and text editors give it.
#include "cellclipboard.h"
#include "testtiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

TEST(ClipboardCells, OwnFormRoundTripsAndRefusesDamage)
{
    ClipboardCells cells;
    cells.tileWidth = 32;
    cells.tileHeight = 24;
    cells.origin = {7, 1234567};
    cells.block = {3, 2, {-1, 0, 5, 32767, -32768, 9}, {0, -300, 1, 2, 3, 4}, BlockSource::Map};
    cells.source = 0x0123456789abcdefull;
    cells.pictures = {{5, {1, 2}}, {9, {~0ull, 3}}};
    const std::vector<std::uint8_t> bytes = EncodeClipboardCells(cells);
    const auto back = DecodeClipboardCells(bytes.data(), bytes.size());
    ASSERT_TRUE(back);
    EXPECT_EQ(back->tileWidth, 32);
    EXPECT_EQ(back->tileHeight, 24);
    EXPECT_EQ(back->origin, cells.origin);
    EXPECT_EQ(back->block, cells.block);
    EXPECT_EQ(back->source, cells.source);
    EXPECT_EQ(back->pictures, cells.pictures);

    // Every shorter prefix, a longer tail, and each header byte changed: refused or read whole, never a crash.
    for (std::size_t n = 0; n < bytes.size(); ++n) EXPECT_FALSE(DecodeClipboardCells(bytes.data(), n)) << n;
    std::vector<std::uint8_t> longer = bytes;
    longer.push_back(0);
    EXPECT_FALSE(DecodeClipboardCells(longer.data(), longer.size()));
    for (std::size_t i = 0; i < 28; ++i)
        for (int bit = 0; bit < 8; ++bit) {
            std::vector<std::uint8_t> damaged = bytes;
            damaged[i] ^= std::uint8_t(1 << bit);
            const auto read = DecodeClipboardCells(damaged.data(), damaged.size());
            if (read) {
                EXPECT_EQ(read->block.Count(), read->block.m_tiles.size());
            }
            // The signature, version, flags and size must all be right; the tile size and origin are any numbers.
            EXPECT_EQ(bool(read), i >= 8 && i < 20) << i << "/" << bit;
        }
    EXPECT_FALSE(DecodeClipboardCells(nullptr, 0));
}

// A block copied from one set pasted into another holding some of its
// pictures in another order, twins included: the same pictures, the first
// of twins, or a refusal counting the pictures the set lacks, block untouched.
TEST(ClipboardCells, PicturesFindTheirTilesInAnotherSet)
{
    std::mt19937 random(11);
    for (int round = 0; round < 60; ++round) {
        // Twelve pictures told apart by their seed; a set draws from them with repeats.
        const auto drawSet = [&](int count, int kinds) {
            CTileList set;
            for (int i = 0; i < count; ++i) AddTestTiles(set, 1, 8, 8, 24, unsigned(random() % unsigned(kinds)));
            return set;
        };
        const CTileList from = drawSet(10, 12);
        const CTileList into = drawSet(int(random() % 16), 12);
        ClipboardCells cells;
        cells.tileWidth = cells.tileHeight = 8;
        cells.block = {4, 3, std::vector<short>(12), {}, BlockSource::Map};
        // Tile 10 is beyond the set, as cells read from a file may be.
        for (short& tile : cells.block.m_tiles) tile = short(int(random() % 12) - 1);
        NameClipboardTiles(cells, from);
        const auto bytes = EncodeClipboardCells(cells);
        ClipboardCells pasted = *DecodeClipboardCells(bytes.data(), bytes.size());
        ASSERT_EQ(pasted.pictures, cells.pictures);

        std::vector<TileFingerprint> lacking;
        for (short tile : cells.block.m_tiles)
            if (tile >= 0 && into.FindFingerprint(from.FingerprintAt(tile)) < 0)
                lacking.push_back(from.FingerprintAt(tile));
        std::sort(lacking.begin(), lacking.end());
        lacking.erase(std::unique(lacking.begin(), lacking.end()), lacking.end());

        const std::string refusal = MatchClipboardTiles(pasted, into, 8, 8, false);
        if (!lacking.empty()) {
            EXPECT_EQ(refusal, "붙여넣을 타일 " + std::to_string(lacking.size()) + "개가 이 타일 세트에 없습니다");
            EXPECT_EQ(pasted.block, cells.block);
            continue;
        }
        ASSERT_EQ(refusal, "");
        for (std::size_t i = 0; i < 12; ++i) {
            const short was = cells.block.m_tiles[i], now = pasted.block.m_tiles[i];
            if (was < 0) {
                EXPECT_EQ(now, was);
                continue;
            }
            EXPECT_EQ(into.FingerprintAt(now), from.FingerprintAt(was));
            EXPECT_EQ(now, into.FindFingerprint(into.FingerprintAt(now)));  // the first of twins
        }
        // From the very same set, a number keeps its tile even where a twin comes first.
        ClipboardCells again = *DecodeClipboardCells(bytes.data(), bytes.size());
        EXPECT_EQ(MatchClipboardTiles(again, from, 8, 8, true), "");
        EXPECT_EQ(again.block, cells.block);
        EXPECT_EQ(MatchClipboardTiles(again, from, 16, 8, true), "타일 크기가 다릅니다 (8 x 8, 이 맵은 16 x 8)");
    }
}

TEST(ClipboardCells, TextRoundTrips)
{
    const CCellBlock block{3, 2, {-1, 0, 5, 9, 9, -1}, {}, BlockSource::Map};
    const std::string text = CellsAsText(block);
    EXPECT_EQ(text, "-1\t0\t5\n9\t9\t-1\n");
    const PastedText back = ParseCellsText(text, 10, 3, 2);
    ASSERT_TRUE(back.Accepted()) << back.refusal;
    EXPECT_EQ(back.block, block);
}

struct TextCase {
    const char* text;
    const char* refusal;       // empty: accepted
    std::vector<short> tiles;  // when accepted
    int cols;
};

class PastedTextCases : public ::testing::TestWithParam<TextCase> {};

// Ten tiles, a map of 4 x 3 cells.
TEST_P(PastedTextCases, AcceptsOrSaysWhatAndWhere)
{
    const TextCase& c = GetParam();
    const PastedText result = ParseCellsText(c.text, 10, 4, 3);
    EXPECT_EQ(result.refusal, c.refusal);
    if (!*c.refusal) {
        EXPECT_EQ(result.block.m_tiles, c.tiles);
        EXPECT_EQ(result.block.m_nCols, c.cols);
        EXPECT_TRUE(result.block.FromMap());
        EXPECT_FALSE(result.block.HasAttributes());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, PastedTextCases,
    ::testing::Values(TextCase{"1\t2\r\n3\t4\r\n", "", {1, 2, 3, 4}, 2},                  // a spreadsheet's copy
                      TextCase{"1,2,3\n4, 5 ,6", "", {1, 2, 3, 4, 5, 6}, 3},              // commas, no last newline
                      TextCase{"1 2   3\n\n7", "", {1, 2, 3, -1, -1, -1, 7, -1, -1}, 3},  // blanks; an empty row
                      TextCase{"1\t\t3\n4", "", {1, -1, 3, 4, -1, -1}, 3},                // an empty field; a short row
                      TextCase{
                          "\xEF\xBB\xBF+9\t-1\t\n\n\n", "", {9, -1}, 2},  // a byte order mark, trailing tab and lines
                      TextCase{"1\t2\n3\tabc", "붙여넣을 수 없는 값입니다: 2행 2열 \"abc\"", {}, 0},
                      TextCase{"1\n\n1 2 3.5", "붙여넣을 수 없는 값입니다: 3행 3열 \"3.5\"", {}, 0},
                      TextCase{"0,10", "붙여넣을 수 없는 값입니다: 1행 2열 \"10\" (타일 세트에 없는 번호)", {}, 0},
                      TextCase{"-2", "붙여넣을 수 없는 값입니다: 1행 1열 \"-2\" (타일 세트에 없는 번호)", {}, 0},
                      TextCase{"99999999999999999999",
                               "붙여넣을 수 없는 값입니다: 1행 1열 \"99999999999999999999\" (타일 세트에 없는 번호)",
                               {},
                               0},
                      TextCase{"1 2 3 4 5", "붙여넣을 셀이 지도보다 많습니다: 5 x 1 (지도 4 x 3)", {}, 0},
                      TextCase{"1\n2\n3\n4\n", "붙여넣을 셀이 지도보다 많습니다: 1 x 4 (지도 4 x 3)", {}, 0},
                      TextCase{" \n \r\n", "붙여넣을 셀이 없습니다", {}, 0}));

}  // namespace
