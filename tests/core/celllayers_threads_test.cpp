// The cell layers shared with another thread, as the recovery writer shares
// them: that thread reads its copy and lets go of it, and the editor's next
// write to a chunk only it holds then goes in place. Nothing but the chunks'
// holder counts orders the two (the flag below is relaxed and orders
// nothing), so under ThreadSanitizer this is the race check of those counts.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "celllayers.h"

namespace {

TEST(CellLayersAcrossThreads, AWriteAfterTheOtherHolderLetGoGoesInPlace)
{
    constexpr int kWidth = 300, kHeight = 700;  // several chunks
    static constexpr CellLayer kLayers[] = {CellLayer::Tiles, CellLayer::Attributes};
    CCellLayers layers;
    ASSERT_EQ(layers.Create(kWidth, kHeight), LayerAllocResult::Ok);
    const short* firstChunk = nullptr;
    layers.ForEachRun(CellLayer::Tiles, 0, 0, 1, [&](int, const short* cells, int) { firstChunk = cells; });
    std::atomic<bool> letGo{false};
    long long sum = 0;
    std::thread reader([copy = layers, &letGo, &sum]() mutable {
        for (CellLayer layer : kLayers)
            for (int row = 0; row < kHeight; ++row)
                for (int col = 0; col < kWidth; ++col) sum += copy.RowOf(layer, row)[col];
        copy = CCellLayers();
        letGo.store(true, std::memory_order_relaxed);
    });
    while (!letGo.load(std::memory_order_relaxed)) std::this_thread::yield();
    for (CellLayer layer : kLayers)
        for (int row = 0; row < kHeight; ++row)
            layers.ForEachMutableRun(layer, row, 0, kWidth, [](int, short* cells, int count) {
                for (int col = 0; col < count; ++col) cells[col] = 5;
            });
    reader.join();
    EXPECT_EQ(sum, -1LL * kWidth * kHeight) << "the copy saw the cells as they were";
    const short* firstNow = nullptr;
    layers.ForEachRun(CellLayer::Tiles, 0, 0, 1, [&](int, const short* cells, int) { firstNow = cells; });
    EXPECT_EQ(firstNow, firstChunk) << "written in place, not copied";
    EXPECT_EQ(layers.Attr(kWidth - 1, kHeight - 1), 5);
}

}  // namespace
