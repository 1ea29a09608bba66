// Untrusted .bmp bytes: load them, then cut every tile at several tile
// sizes and read every screen pixel, as the bitmap view and the
// whole-bitmap command would.
#include "dib.h"
#include "tilecut.h"
#include "tilelist.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {
volatile std::uint32_t g_sink;

std::uint32_t Sum(const std::uint32_t* pixels, int width, int height)
{
    std::uint32_t sum = 0;
    for (long i = 0; pixels != nullptr && i < long(width) * height; ++i) sum += pixels[i];
    return sum;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CDib dib;
    if (!dib.LoadFromMemory(data, size)) return 0;
    g_sink = Sum(dib.GetScreenBits(), dib.GetWidth(), dib.GetHeight());

    // Tile sizes the document allows (1 to 255), kept to a few thousand cells.
    constexpr int kSizes[][2] = {{32, 32}, {16, 16}, {7, 3}, {1, 1}, {255, 255}};
    for (const auto& size2 : kSizes) {
        const long cells = long(dib.GetWidth() / size2[0]) * (dib.GetHeight() / size2[1]);
        if (cells > 4096) continue;
        CTileList tiles;
        const int made = CutWholeBitmap(dib, size2[0], size2[1], tiles).appended;
        if (made != tiles.GetCount()) std::abort();
        for (const CSprite* tile : tiles) {
            if (tile->IsEmpty() || tile->GetWidth() != size2[0] || tile->GetHeight() != size2[1]) std::abort();
            g_sink = g_sink + Sum(tile->GetScreenBits(), tile->GetWidth(), tile->GetHeight());
        }
    }
    // Cells at and past the edges, as the bitmap view may ask for them.
    const int w = dib.GetWidth(), h = dib.GetHeight();
    for (const CRect& cell : {CRect(w - 32, h - 32, w, h), CRect(w - 16, h - 16, w + 16, h + 16), CRect(-1, -1, 1, 1),
                              CRect(0, 0, w, h), CRect(w, h, w + 1, h + 1)}) {
        CSprite* tile = CutTile(dib, cell).tile;
        if (tile != nullptr) g_sink = g_sink + Sum(tile->GetScreenBits(), tile->GetWidth(), tile->GetHeight());
        delete tile;
    }
    return 0;
}
