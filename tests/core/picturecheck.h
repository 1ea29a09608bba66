// Comparisons of held bitmaps and tiles against the picture they came from.
#pragma once

#include "bmpwriter.h"
#include "sprite.h"

#include <gtest/gtest.h>

#include <cstdint>

// The screen form of a w x h region must equal the picture's region at (x0, y0).
inline ::testing::AssertionResult ScreenMatches(const std::uint32_t* screen, int w, int h, const TestPicture& picture,
                                                int x0, int y0)
{
    if (screen == nullptr) return ::testing::AssertionFailure() << "no screen form";
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (screen[y * w + x] != picture.ScreenPixel(x0 + x, y0 + y))
                return ::testing::AssertionFailure()
                       << "pixel (" << x << ", " << y << ") is " << std::hex << screen[y * w + x] << ", expected "
                       << picture.ScreenPixel(x0 + x, y0 + y);
    return ::testing::AssertionSuccess();
}

// The stored rows (bottom-up, stride-long) must hold the picture's region
// at (x0, y0) in file byte order, with zero padding when zeroPadding.
inline ::testing::AssertionResult RowsMatch(const BYTE* bits, int stride, int w, int h, const TestPicture& picture,
                                            int x0, int y0, bool zeroPadding)
{
    const int bytesPerPixel = picture.bitCount / 8;
    for (int row = 0; row < h; ++row) {
        const BYTE* stored = bits + (h - 1 - row) * stride;
        for (int x = 0; x < w; ++x) {
            const std::uint32_t v = picture.At(x0 + x, y0 + row);
            for (int b = 0; b < bytesPerPixel && b < 3; ++b)
                if (stored[x * bytesPerPixel + b] != BYTE(v >> (8 * b)))
                    return ::testing::AssertionFailure() << "row " << row << " pixel " << x << " byte " << b;
        }
        for (int p = w * bytesPerPixel; zeroPadding && p < stride; ++p)
            if (stored[p] != 0) return ::testing::AssertionFailure() << "padding of row " << row << " not 0";
    }
    return ::testing::AssertionSuccess();
}
