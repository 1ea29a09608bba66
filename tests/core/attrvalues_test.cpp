// The attribute value table against a plain recount, and the file of names
// and colours beside the map: its round trip and the damaged forms of the
// committed corpus.
#include "attrvalues.h"
#include "attrvaluesfile.h"
#include "celllayers.h"
#include "scratchfolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>

namespace {

std::map<short, std::uint64_t> PlainCount(const CCellLayers& cells)
{
    std::map<short, std::uint64_t> counts;
    for (int row = 0; row < cells.Height(); ++row)
        for (int col = 0; col < cells.Width(); ++col) ++counts[*cells.Attr(col, row)];
    return counts;
}

std::map<short, std::uint64_t> TableCounts(const CAttrValueTable& table)
{
    std::map<short, std::uint64_t> counts;
    for (const AttrValueInfo& info : table.Values())
        if (info.count > 0) counts[info.value] = info.count;
    return counts;
}

std::string ReadText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

// Counted at once, or apart: a count of the layer as it was at the start
// (as a thread does it) added at the end to the edits counted meanwhile.
class AttrValueCounts : public ::testing::TestWithParam<bool> {};

TEST_P(AttrValueCounts, FollowRandomRectangleEditsAsARecountWould)
{
    const bool apart = GetParam();
    std::mt19937 random(20);
    CCellLayers cells;
    ASSERT_EQ(cells.Create(37, 23), LayerAllocResult::Ok);
    const CCellLayers start = cells;
    CAttrValueTable table;
    if (apart)
        table.StartCounting();
    else
        table.Recount(cells);
    // Few values, extremes among them, so that counts reach 0 and come back.
    const short values[] = {0, 1, 2, -1, 7, 32767, -32768};
    for (int edit = 0; edit < 400; ++edit) {
        const int left = int(random() % 37), top = int(random() % 23);
        const int right = left + 1 + int(random() % (37 - left)), bottom = top + 1 + int(random() % (23 - top));
        for (int row = top; row < bottom; ++row) {
            std::vector<short> before, after;
            for (int col = left; col < right; ++col) {
                before.push_back(*cells.Attr(col, row));
                if (random() % 3 != 0) cells.SetAttr(col, row, values[random() % std::size(values)]);
                after.push_back(*cells.Attr(col, row));
            }
            table.Update(before.data(), after.data(), before.size());
        }
        if (!apart && (edit % 50 == 0 || edit == 399)) {
            ASSERT_EQ(TableCounts(table), PlainCount(cells)) << "after edit " << edit;
        }
    }
    if (apart) {
        EXPECT_TRUE(TableCounts(table).empty()) << "no counts while counting";
        table.AddCounts(CountAttrValues(AttrLayerChunksOf(start), std::atomic<bool>(false)));
        EXPECT_EQ(TableCounts(table), PlainCount(cells));
    }
    // The incremental counts are the ones a fresh count gives.
    CAttrValueTable recounted;
    recounted.Recount(cells);
    for (const short value : values) EXPECT_EQ(table.Count(value), recounted.Count(value)) << value;
}
INSTANTIATE_TEST_SUITE_P(AttrValueTable, AttrValueCounts, ::testing::Bool());

TEST(AttrValueTable, ListsZeroCountedAndKeptValuesWithTheirNamesAndColours)
{
    CCellLayers cells;
    ASSERT_EQ(cells.Create(4, 2), LayerAllocResult::Ok);
    cells.SetAttr(0, 0, 5);
    cells.SetAttr(1, 0, 5);
    cells.SetAttr(2, 1, -3);
    CAttrValueTable table;
    table.Recount(cells);

    EXPECT_FALSE(table.SetName(0, "벽"));    // 0 is always "없음"
    EXPECT_FALSE(table.Add({5, "물", {}}));  // listed already
    EXPECT_TRUE(table.Add({9, "출구", AttrColour{1, 2, 3}}));
    EXPECT_TRUE(table.SetName(5, "물"));
    EXPECT_FALSE(table.Remove(5));  // cells hold it
    EXPECT_FALSE(table.Remove(0));

    const std::vector<AttrValueInfo> listed = table.Values();
    ASSERT_EQ(listed.size(), 4u);
    const auto row = [&](std::size_t i) {
        return std::make_tuple(listed[i].value, listed[i].name, listed[i].count, listed[i].colourChosen);
    };
    EXPECT_EQ(row(0), std::make_tuple(short(-3), std::string(), std::uint64_t(1), false));
    EXPECT_EQ(row(1), std::make_tuple(short(0), std::string("없음"), std::uint64_t(5), false));
    EXPECT_EQ(row(2), std::make_tuple(short(5), std::string("물"), std::uint64_t(2), false));
    EXPECT_EQ(row(3), std::make_tuple(short(9), std::string("출구"), std::uint64_t(0), true));
    EXPECT_EQ(listed[3].colour, (AttrColour{1, 2, 3}));
    EXPECT_EQ(listed[0].colour, DefaultAttrColour(-3));

    // A value no cell holds any more stays listed only while someone keeps it.
    const short before[] = {5, 5, -3}, after[] = {0, 0, 0};
    table.Update(before, after, 3);
    EXPECT_TRUE(table.IsListed(5));
    EXPECT_FALSE(table.IsListed(-3));
    EXPECT_TRUE(table.Remove(5));
    EXPECT_TRUE(table.Remove(9));
    EXPECT_EQ(table.Values().size(), 1u);
}

TEST(AttrValueTable, DefaultColoursAreFixedAndNeighboursClearlyDiffer)
{
    const auto distance = [](AttrColour a, AttrColour b) {
        return std::abs(a.red - b.red) + std::abs(a.green - b.green) + std::abs(a.blue - b.blue);
    };
    for (int value = -32768; value < 32767; ++value) {
        const AttrColour colour = DefaultAttrColour(short(value));
        ASSERT_EQ(colour, DefaultAttrColour(short(value)));
        ASSERT_GE(distance(colour, DefaultAttrColour(short(value + 1))), 250) << value;
    }
}

TEST(AttrValuesFile, KeptValuesRoundTripThroughTheFileBesideTheMap)
{
    const ScratchFolder folder;
    const std::string map = folder.File("level1.Map");
    EXPECT_EQ(AttrValuesFilePath(map), map + ".attrs.json");

    CAttrValueTable table;
    table.Add({-32768, "바닥 \"아래\"\n\\", AttrColour{0, 0x80, 0xff}});
    table.Add({7, "", AttrColour{0xab, 0xcd, 0xef}});
    table.Add({32767, "끝", {}});
    table.Add({12, "", {}});  // added, neither named nor coloured: still kept
    ASSERT_TRUE(WriteAttrValuesFile(AttrValuesFilePath(map), table));

    CAttrValueTable read;
    read.Add({3, "사라질 값", {}});
    EXPECT_EQ(ReadAttrValuesFile(AttrValuesFilePath(map), read), AttrValuesReadResult::Ok);
    EXPECT_EQ(read.Kept(), table.Kept());
    EXPECT_EQ(ReadText(AttrValuesFilePath(map)), EncodeAttrValues(table.Kept()));

    std::filesystem::remove(AttrValuesFilePath(map));
    EXPECT_EQ(ReadAttrValuesFile(AttrValuesFilePath(map), read), AttrValuesReadResult::Missing);
    EXPECT_EQ(read.Kept(), table.Kept());
}

// Every damaged form (bad-*) is refused and leaves the table alone; every
// other file reads, and writes back to values that read the same.
TEST(AttrValuesFile, CorpusOfGoodAndDamagedFiles)
{
    int seen = 0;
    for (const auto& entry : std::filesystem::directory_iterator(PELLIN_ATTRS_CORPUS)) {
        const std::string name = entry.path().filename().string();
        SCOPED_TRACE(name);
        const std::vector<AttrValueDetails> untouched = {{4, "그대로", AttrColour{1, 1, 1}}};
        std::vector<AttrValueDetails> values = untouched;
        const bool accepted = ParseAttrValues(ReadText(entry.path()), values);
        EXPECT_EQ(accepted, name.rfind("bad-", 0) != 0);
        CAttrValueTable table;
        table.Keep(untouched);
        EXPECT_EQ(ReadAttrValuesFile(entry.path().string(), table),
                  accepted ? AttrValuesReadResult::Ok : AttrValuesReadResult::Damaged);
        if (!accepted) {
            EXPECT_EQ(values, untouched);
            EXPECT_EQ(table.Kept(), untouched);
        } else {
            std::vector<AttrValueDetails> again;
            EXPECT_TRUE(ParseAttrValues(EncodeAttrValues(values), again));
            EXPECT_EQ(again, values);
        }
        ++seen;
    }
    EXPECT_GE(seen, 12);
}
