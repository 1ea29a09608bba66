// The journal of changed chunks (and of the tiles' attributes) against a
// simple model: applied to the base, it gives the cells and attributes as
// they were after its last batch; cut short or
// damaged anywhere, it gives them as they were after the last whole batch
// before the damage, and never anything else.
#include "celljournal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <vector>

#include "scratchfolder.h"

namespace {

std::vector<short> AllCells(const CCellLayers& cells, const TileAttributes& attributes)
{
    std::vector<short> all(attributes.begin(), attributes.end());
    for (const CellLayer layer : {CellLayer::Tiles, CellLayer::Attributes})
        for (int row = 0; row < cells.Height(); ++row) {
            std::vector<short> values(std::size_t(cells.Width()));
            cells.ReadRow(layer, row, values.data());
            all.insert(all.end(), values.begin(), values.end());
        }
    return all;
}

TEST(CellJournal, GivesBackTheLastWholeBatch)
{
    const ScratchFolder folder;
    const std::string path = folder.File("copy.journal");
    std::mt19937 random(29);
    CCellLayers cells;
    ASSERT_EQ(cells.Create(300, 200), LayerAllocResult::Ok);
    const CCellLayers base = cells;
    ASSERT_TRUE(StartJournal(path, 300, 200));
    TileAttributes attributes(5, 0);
    std::vector<std::vector<short>> states{AllCells(cells, attributes)};
    std::vector<std::uintmax_t> ends{std::filesystem::file_size(path)};  // where each batch ends
    for (int batch = 0; batch < 6; ++batch) {
        const CCellLayers written = cells;
        for (int edit = 0; edit < 3; ++edit) {
            const int col = int(random() % 300), row = int(random() % 200);
            const CellLayer layer = random() % 2 ? CellLayer::Tiles : CellLayer::Attributes;
            cells.FillRect(layer, col, row, col + int(random() % 140), row + int(random() % 140), short(random()));
        }
        // Every other batch sets the tiles' attributes too.
        std::optional<TileAttributes> changed;
        if (batch % 2) {
            for (std::uint8_t& value : attributes) value = std::uint8_t(random());
            changed = attributes;
        }
        ASSERT_TRUE(AppendJournal(path, ChangedChunks(written, cells), changed));
        states.push_back(AllCells(cells, attributes));
        ends.push_back(std::filesystem::file_size(path));
    }
    const std::vector<std::uint8_t> whole = ReadBytes(path);
    const auto applied = [&](const std::vector<std::uint8_t>& journal) {
        WriteBytes(path, journal);
        CCellLayers copy = base;
        TileAttributes restored(5, 0);
        ApplyJournal(path, copy, &restored);
        return AllCells(copy, restored);
    };
    EXPECT_EQ(applied(whole), states.back());
    for (int trial = 0; trial < 40; ++trial) {
        const std::size_t at = random() % whole.size();
        // The batches that end at or before the damage stay.
        const std::size_t kept = std::size_t(std::upper_bound(ends.begin(), ends.end(), at) - ends.begin()) - 1;
        std::vector<std::uint8_t> damaged = whole;
        if (trial % 2) {
            damaged.resize(at);
        } else {
            damaged[at] ^= std::uint8_t(1 + random() % 255);
        }
        EXPECT_EQ(applied(damaged), states[at < ends[0] ? 0 : kept]) << "byte " << at;
    }
}

}  // namespace
