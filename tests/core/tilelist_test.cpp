// The tile set: numbers are positions, lookups are checked, only filled
// tiles get in, and each tile's attribute moves with its picture.
#include "screenform.h"
#include "tilelist.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <utility>
#include <vector>

namespace {

// Pictures told apart by their width.
CSprite* MakeTile(int width)
{
    const std::vector<BYTE> bits(std::size_t(PackedStride(width, 24)) * 2, 0);
    CSprite* tile = new CSprite;
    tile->CreateFromData(BYTE(width), 2, nullptr, bits.data(), 24);
    return tile;
}

// Each tile as (picture width, attribute).
std::vector<std::pair<int, int>> Contents(const CTileList& tiles)
{
    std::vector<std::pair<int, int>> contents;
    int n = 0;
    for (const CSprite* tile : tiles) contents.emplace_back(tile->GetWidth(), tiles.AttributeAt(n++));
    return contents;
}

// Random appends, removals, re-insertions and attribute changes, against
// a plain vector; a shared copy taken halfway stays as it was.
TEST(TileList, NumbersAndAttributesFollowAPlainList)
{
    std::mt19937 random(7);
    CTileList tiles;
    std::vector<std::pair<int, int>> model;
    std::vector<TileEntry> removed;
    CTileList copy;
    std::vector<std::pair<int, int>> copied;
    for (int step = 0; step < 400; ++step) {
        const int n = int(random() % unsigned(model.size() + 2)) - 1;  // -1 .. size
        const bool inside = n >= 0 && n < int(model.size());
        switch (random() % 4) {
        case 0: {
            const int width = int(random() % 40) + 1, attribute = int(random() % 256);
            EXPECT_EQ(tiles.AddTail(MakeTile(width), BYTE(attribute)), int(model.size()));
            model.emplace_back(width, attribute);
            break;
        }
        case 1: {
            TileEntry entry = tiles.RemoveAt(n);
            EXPECT_EQ(entry.picture != nullptr, inside);
            if (!inside) break;
            EXPECT_EQ(std::pair(entry.picture->GetWidth(), int(entry.attribute)), model[std::size_t(n)]);
            model.erase(model.begin() + n);
            removed.push_back(std::move(entry));
            break;
        }
        case 2:
            if (removed.empty()) break;
            EXPECT_EQ(tiles.InsertAt(n, removed.back()), n >= 0);
            if (n >= 0) model.insert(model.begin() + n, {removed.back().picture->GetWidth(), removed.back().attribute});
            removed.pop_back();
            break;
        case 3: {
            const BYTE attribute = BYTE(random());
            EXPECT_EQ(tiles.SetAttributeAt(n, attribute), inside);
            if (inside) model[std::size_t(n)].second = attribute;
            break;
        }
        }
        ASSERT_EQ(Contents(tiles), model) << "step " << step;
        // Each tile keeps its picture's fingerprint, and a fingerprint finds the first tile of that width.
        for (int i = 0; i < int(model.size()); ++i) {
            ASSERT_EQ(tiles.FingerprintAt(i), FingerprintOf(*tiles.GetAt(i))) << "step " << step;
            const auto first = std::find_if(model.begin(), model.end(), [&](const auto& tile) {
                return tile.first == model[std::size_t(i)].first;
            });
            ASSERT_EQ(tiles.FindFingerprint(tiles.FingerprintAt(i)), int(first - model.begin())) << "step " << step;
        }
        const bool held = n >= 0 && n < int(model.size());
        EXPECT_EQ(tiles.GetAt(n) != nullptr, held);
        EXPECT_EQ(tiles.AttributeAt(n), held ? model[std::size_t(n)].second : 0);
        if (step == 200) {
            copy = tiles.Share();
            copied = model;
        }
    }
    EXPECT_EQ(Contents(copy), copied);
    EXPECT_EQ(copy.FindFingerprint(FingerprintOf(*copy.GetAt(0))), 0);
    EXPECT_EQ(tiles.FindFingerprint(FingerprintOf(CSprite())), -1);
    EXPECT_FALSE(tiles.InsertAt(tiles.GetCount() + 1, TileEntry{tiles.SharedAt(0)}));
}

TEST(TileList, EmptyTilesAreRefused)
{
    CTileList tiles;
    CSprite empty;
    EXPECT_EQ(tiles.AddTail(&empty), -1);
    EXPECT_EQ(tiles.AddTail(static_cast<CSprite*>(nullptr)), -1);
    EXPECT_EQ(tiles.AddTail(SharedSprite()), -1);
    EXPECT_FALSE(tiles.InsertAt(0, TileEntry{}));
    EXPECT_TRUE(tiles.IsEmpty());
}

TEST(TileList, DeleteAllEmptiesTheList)
{
    CTileList tiles;
    for (int w = 1; w < 4; ++w) tiles.AddTail(MakeTile(w));
    tiles.DeleteAll();
    EXPECT_TRUE(tiles.IsEmpty());
    EXPECT_EQ(tiles.GetAt(0), nullptr);
    tiles.AddTail(MakeTile(9), 9);
    EXPECT_EQ(Contents(tiles), (std::vector<std::pair<int, int>>{{9, 9}}));
}

}  // namespace
