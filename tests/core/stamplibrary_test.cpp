// The stamp library: stamps found again by their pictures after the tile
// set changes, the weights of variations, the file's round trip, and
// damaged files set aside without stopping anything.
#include "scratchfolder.h"
#include "stamplibrary.h"
#include "testtiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

namespace {

TEST(StampLibrary, StampsFollowTheirPicturesThroughTileChanges)
{
    CTileList tiles;
    AddTestTiles(tiles, 6, 8, 8, 24, 1);
    const CCellBlock brush{3, 1, {4, -1, 2}, {}, BlockSource::Map};
    const Stamp stamp{"집", 0, {StampVariation{PictureBlockOf(brush, tiles), 1}}};

    tiles.RemoveAt(0);                                // 4 and 2 become 3 and 1
    tiles.InsertAt(0, TileEntry(tiles.SharedAt(1)));  // a twin of 2 in front: 4 and its first twin
    EXPECT_EQ(CellBlockOf(stamp.variations[0].block, tiles)->m_tiles, (std::vector<short>{4, -1, 0}));
    EXPECT_EQ(MissingTiles(stamp, tiles), 0);
    tiles.RemoveAt(2);
    tiles.RemoveAt(0);  // the picture of 2, lost
    EXPECT_FALSE(CellBlockOf(stamp.variations[0].block, tiles));
    EXPECT_EQ(MissingTiles(stamp, tiles), 1);
}

TEST(StampLibrary, VariationsWeighByTheirWeight)
{
    // Variations told apart by their width.
    const auto variation = [](int cols, int weight) {
        return StampVariation{PictureBlock{cols, 1, std::vector<std::optional<TileFingerprint>>(std::size_t(cols))},
                              weight};
    };
    const Stamp stamp{"나무", 0, {variation(1, 1), variation(2, 3), variation(3, 0)}};
    std::vector<int> picked(3);
    for (int i = 0; i < 400; ++i) ++picked[std::size_t(PickVariation(stamp, (i + 0.5) / 400)->block.cols - 1)];
    EXPECT_EQ(picked, (std::vector<int>{100, 300, 0}));
    EXPECT_EQ(PickVariation(stamp, 1.0)->block.cols, 2);
    StampLibrary library;
    library.stamps = {stamp, Stamp{"스탬프 1", 0, {}}};
    EXPECT_EQ(NextStampName(library), "스탬프 2");

    // The same block added again weighs one more; a slot holds one stamp.
    Stamp grown = stamp;
    AddVariation(grown, variation(2, 1).block);
    AddVariation(grown, variation(4, 1).block);
    EXPECT_EQ(grown.variations[1].weight, 4);
    EXPECT_EQ(grown.variations.size(), 4u);
    EXPECT_EQ(StoreInSlot(library, 3, grown), 2u);
    EXPECT_EQ(StoreInSlot(library, 3, stamp), 2u);
    EXPECT_EQ(library.stamps.size(), 3u);
    EXPECT_EQ(StampInSlot(library, 3)->variations, stamp.variations);
    EXPECT_EQ(StampInSlot(library, 4), nullptr);
}

// Random libraries through the file and back.
TEST(StampLibrary, FileRoundTrips)
{
    ScratchFolder folder;
    const std::string path = folder.File("data/pellin-map-tool/stamps.json");
    std::mt19937 random(5);
    for (int round = 0; round < 20; ++round) {
        StampLibrary library;
        for (int s = int(random() % 4); s > 0; --s) {
            Stamp stamp{"스탬프 \"" + std::to_string(random()), int(random() % 10), {}};
            for (int v = 1 + int(random() % 3); v > 0; --v) {
                PictureBlock block{1 + int(random() % 4), 1 + int(random() % 4), {}};
                for (int i = 0; i < block.cols * block.rows; ++i)
                    block.cells.push_back(random() % 4 ? std::optional(TileFingerprint{random(), random()})
                                                       : std::nullopt);
                stamp.variations.push_back({block, 1 + int(random() % 5)});
            }
            library.stamps.push_back(stamp);
        }
        ASSERT_TRUE(SaveStampLibrary(path, library));
        const StampLibraryLoad load = LoadStampLibrary(path);
        EXPECT_EQ(load.note, "");
        EXPECT_EQ(load.library, library);
    }
    EXPECT_TRUE(LoadStampLibrary(folder.File("none.json")).library.stamps.empty());
}

// Each damaged form is set aside under a name of its own, and the library starts empty.
TEST(StampLibrary, DamagedFilesAreSetAside)
{
    ScratchFolder folder;
    const std::string path = folder.File("stamps.json");
    const std::string good = R"("columns": 1, "rows": 1, "tiles": [null])";
    const std::vector<std::string> damaged = {
        "",
        "{\"stamps\": [",
        "[]",
        "{\"version\": 2, \"stamps\": []}",
        "{\"stamps\": [{\"name\": 5, \"variations\": [{" + good + "}]}]}",
        "{\"stamps\": [{\"name\": \"a\", \"variations\": []}]}",
        "{\"stamps\": [{\"name\": \"a\", \"slot\": 10, \"variations\": [{" + good + "}]}]}",
        "{\"stamps\": [{\"name\": \"a\", \"variations\": [{\"weight\": 0, " + good + "}]}]}",
        R"({"stamps": [{"name": "a", "variations": [{"columns": 2, "rows": 1, "tiles": [null]}]}]})",
        R"({"stamps": [{"name": "a", "variations": [{"columns": 1, "rows": 1, "tiles": ["12zz"]}]}]})",
    };
    for (std::size_t i = 0; i < damaged.size(); ++i) {
        WriteBytes(path, {damaged[i].begin(), damaged[i].end()});
        const StampLibraryLoad load = LoadStampLibrary(path);
        EXPECT_TRUE(load.library.stamps.empty()) << i;
        const std::string aside = path + (i == 0 ? ".damaged" : ".damaged-" + std::to_string(i + 1));
        EXPECT_EQ(load.note, "스탬프 모음 파일이 손상되어 " + aside + "(으)로 옮기고 빈 스탬프 모음으로 시작합니다");
        EXPECT_FALSE(std::filesystem::exists(path)) << i;
        const auto kept = ReadBytes(aside);
        EXPECT_EQ(std::string(kept.begin(), kept.end()), damaged[i]);
    }
    // What it does not know is passed over.
    const std::string extra =
        "{\"more\": 1, \"stamps\": [{\"name\": \"a\", \"x\": [], \"variations\": [{" + good + "}]}]}";
    WriteBytes(path, {extra.begin(), extra.end()});
    EXPECT_EQ(LoadStampLibrary(path).library.stamps.size(), 1u);
}

}  // namespace
