// Edits of a whole large map in the whole editor with its panes: a fill of
// every cell, its undo and redo, and a fill across the map as a long drag
// makes it. Their memory must follow the cells they change (the layers'
// chunks), never the map's pixels: a 2048 x 2048-cell map of 32-pixel tiles
// is 4 GiB of pixels even at the overview's half size. Outside
// AddressSanitizer (whose shadow memory needs the address space) the
// process's address space is also bounded, so that a regression ends the
// test rather than the machine's memory.
#include <sys/resource.h>

#include <fstream>
#include <string>

#include "editorfixture.h"
#include "mapview.h"
#include "resource.h"
#include "smallmapview.h"

#if defined(__SANITIZE_ADDRESS__)
#define PELLIN_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PELLIN_UNDER_ASAN 1
#endif
#endif

namespace {

// A figure of /proc/self/status in bytes ("VmHWM:   1234 kB"), or -1.
long long StatusBytes(const std::string& key)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(key + ":", 0) == 0) return std::stoll(line.substr(key.size() + 1)) * 1024;
    return -1;
}

// Resets the peak of resident memory to what is resident now.
void ResetPeakMemory() { std::ofstream("/proc/self/clear_refs") << "5"; }

class AddressSpaceLimit {
public:
    explicit AddressSpaceLimit(long long headroom)
    {
#ifndef PELLIN_UNDER_ASAN
        if (getrlimit(RLIMIT_AS, &m_old) != 0) return;
        rlimit bounded = m_old;
        bounded.rlim_cur = rlim_t(StatusBytes("VmSize") + headroom);
        m_set = setrlimit(RLIMIT_AS, &bounded) == 0;
#else
        (void)headroom;
#endif
    }
    ~AddressSpaceLimit()
    {
        if (m_set) setrlimit(RLIMIT_AS, &m_old);
    }

private:
    rlimit m_old{};
    bool m_set = false;
};

TEST_F(EditorTest, EditsOfAWholeLargeMapCostMemoryByTheCellsTheyChange)
{
    constexpr int kSide = 2048;
    constexpr long long kLayerBytes = 2LL * kSide * kSide;
    frame->resize(1280, 1024);
    LoadBitmap(MakePicture(64, 32, 8, 1));
    ModalAnswerer answer;
    answer.Then(AnswerNewMap(kSide, kSide));
    Send(ID_FILE_NEW);
    ASSERT_EQ(doc->MapWidth(), kSide);
    ASSERT_EQ(doc->TileWidth(), 32);
    Send(ID_BITMAP_ALLTILES);
    SelectBlock(2, 1, {0, 1});
    frame->m_pSmallMapView->UpdateWindow();
    Map()->UpdateWindow();

    const long long before = StatusBytes("VmRSS");
    ResetPeakMemory();
    {
        const AddressSpaceLimit limit(1LL << 30);
        Send(ID_TILE_FILLALL);
        Send(ID_EDIT_UNDO);
        Send(ID_EDIT_REDO);
        Send(ID_EDIT_UNDO);
        doc->FillWithBrush(CRect(0, 0, kSide, kSide));  // what a drag over the whole map asks for
        frame->m_pSmallMapView->UpdateWindow();
        Map()->UpdateWindow();
    }
    const long long peak = StatusBytes("VmHWM");
    ASSERT_GT(before, 0);
    EXPECT_EQ(doc->Cells().Tile(kSide - 1, kSide - 1), 1);
    EXPECT_EQ(doc->UndoStack().count(), 1);
    // Two layers' worth: the new chunks of a fill and those the discarded
    // step gave back, with room for the allocator and the panes. Under
    // AddressSanitizer freed chunks wait in its quarantine instead of being
    // used again: up to four more layers. A drawing sized by the map's
    // pixels would still be a hundred times over.
#ifdef PELLIN_UNDER_ASAN
    constexpr long long kQuarantined = 4 * kLayerBytes;
#else
    constexpr long long kQuarantined = 0;
#endif
    EXPECT_LT(peak - before, 2 * kLayerBytes + kQuarantined + (24LL << 20)) << "peak growth in bytes";
}

}  // namespace
