// Untrusted .png bytes through the bitmap loader, as "Bitmap 열기" and
// zellmap cut read them: load, then read every screen pixel and cut every
// tile at two tile sizes. A picture that loads must be one the rest of the
// program can hold: 8 or 24 bits, its stored rows zero past the pixels.
#include "dib.h"
#include "pngdecode.h"
#include "tilecut.h"
#include "tilelist.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {
volatile std::uint32_t g_sink;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Other bytes are the .bmp reader's, which its own fuzzer covers.
    if (!HasPngSignature(data, size)) return 0;
    CDib dib;
    if (!dib.LoadFromMemory(data, size)) return 0;
    const int w = dib.GetWidth(), h = dib.GetHeight(), bits = dib.GetBitCount();
    if ((bits != 8 && bits != 24) || w <= 0 || h <= 0) std::abort();
    const long used = long(w) * bits / 8;
    for (int y = 0; y < h; ++y)
        for (long x = used; x < dib.GetStride(); ++x)
            if (dib.m_pBits[std::size_t(y) * std::size_t(dib.GetStride()) + std::size_t(x)] != 0) std::abort();

    std::uint32_t sum = 0;
    const std::uint32_t* screen = dib.GetScreenBits();
    for (long i = 0; screen != nullptr && i < long(w) * h; ++i) sum += screen[i];
    for (int size2 : {16, 3}) {
        if (long(w / size2) * (h / size2) > 4096) continue;
        CTileList tiles;
        if (CutWholeBitmap(dib, size2, size2, tiles).appended != (w / size2) * (h / size2)) std::abort();
        for (const CSprite* tile : tiles) sum += tile->GetScreenBits()[0];
    }
    g_sink = sum;
    return 0;
}
