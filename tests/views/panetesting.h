// What the palette and bitmap view tests share: driving a view's window
// with the mouse, and comparing its screen surface pixel by pixel.
#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QTest>
#include <QWidget>
#include <cstdint>
#include <vector>

#include "sprite.h"
#include "wintypes.h"

namespace panetest {

inline void Press(QWidget* w, QPoint p) { QTest::mousePress(w, Qt::LeftButton, {}, p); }
inline void MoveTo(QWidget* w, QPoint p) { QTest::mouseMove(w, p); }
inline void Release(QWidget* w, QPoint p) { QTest::mouseRelease(w, Qt::LeftButton, {}, p); }

inline void Drag(QWidget* w, QPoint from, QPoint to)
{
    Press(w, from);
    MoveTo(w, to);
    Release(w, to);
}

// What a window delivers for a double-click: down, up, double-click, up.
inline void DoubleClick(QWidget* w, QPoint p)
{
    Press(w, p);
    Release(w, p);
    QTest::mouseDClick(w, Qt::LeftButton, {}, p);
    Release(w, p);
}

// The pixels a 4-pixel inverting frame of Rectangle(l, t, r, b) covers: a
// band 4 pixels wide centred on the outline x = l..r-1, y = t..b-1.
inline bool InFrame(const CRect& rc, int x, int y)
{
    const bool inOuter = x >= rc.left - 2 && x < rc.right + 1 && y >= rc.top - 2 && y < rc.bottom + 1;
    const bool inInner = x >= rc.left + 2 && x < rc.right - 3 && y >= rc.top + 2 && y < rc.bottom - 3;
    return inOuter && !inInner;
}

// after must equal before with exactly the pixels of the frames inverted
// (a pixel under two frames is inverted twice, so unchanged).
inline ::testing::AssertionResult ShowsFrames(const QImage& before, const QImage& after,
                                              const std::vector<CRect>& frames)
{
    if (before.size() != after.size()) return ::testing::AssertionFailure() << "surface size changed";
    for (int y = 0; y < after.height(); ++y) {
        for (int x = 0; x < after.width(); ++x) {
            bool inverted = false;
            for (const CRect& rc : frames) inverted ^= InFrame(rc, x, y);
            const QRgb was = before.pixel(x, y);
            const QRgb want = inverted ? (0xFF000000u | (~was & 0x00FFFFFFu)) : was;
            if (after.pixel(x, y) != want)
                return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is " << std::hex
                                                     << after.pixel(x, y) << ", expected " << want;
        }
    }
    return ::testing::AssertionSuccess();
}

inline ::testing::AssertionResult ShowsNoFrame(const QImage& before, const QImage& after)
{
    return ShowsFrames(before, after, {});
}

// The w x h block of the surface at (x, y) must hold the tile's pixels.
inline ::testing::AssertionResult ShowsTile(const QImage& surface, int x, int y, const CSprite& tile)
{
    const std::uint32_t* bits = tile.GetScreenBits();
    for (int ty = 0; ty < tile.GetHeight(); ++ty)
        for (int tx = 0; tx < tile.GetWidth(); ++tx)
            if (surface.pixel(x + tx, y + ty) != bits[ty * tile.GetWidth() + tx])
                return ::testing::AssertionFailure() << "tile pixel (" << tx << ", " << ty << ") differs";
    return ::testing::AssertionSuccess();
}

}  // namespace panetest
