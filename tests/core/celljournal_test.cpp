// The journal of changed chunks against a simple model: applied to the base,
// it gives the cells as they were after its last batch; cut short or
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

std::vector<short> AllCells(const CCellLayers& cells)
{
    std::vector<short> all;
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
    std::vector<std::vector<short>> states{AllCells(cells)};
    std::vector<std::uintmax_t> ends{std::filesystem::file_size(path)};  // where each batch ends
    for (int batch = 0; batch < 6; ++batch) {
        const CCellLayers written = cells;
        for (int edit = 0; edit < 3; ++edit) {
            const int col = int(random() % 300), row = int(random() % 200);
            const CellLayer layer = random() % 2 ? CellLayer::Tiles : CellLayer::Attributes;
            cells.FillRect(layer, col, row, col + int(random() % 140), row + int(random() % 140), short(random()));
        }
        ASSERT_TRUE(AppendJournal(path, ChangedChunks(written, cells)));
        states.push_back(AllCells(cells));
        ends.push_back(std::filesystem::file_size(path));
    }
    const std::vector<std::uint8_t> whole = ReadBytes(path);
    const auto applied = [&](const std::vector<std::uint8_t>& journal) {
        WriteBytes(path, journal);
        CCellLayers copy = base;
        ApplyJournal(path, copy);
        return AllCells(copy);
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
