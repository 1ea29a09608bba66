// The short labels printed over the map's cells: a number, or "X" for a
// cell that has none. A pane of small cells shows thousands of them and a
// refresh must stay well inside one frame, far too many to shape as text
// each time. So each distinct label is rendered once, as the coverage of
// its pixels, and every later print only blends those pixels in the
// requested colour.
#pragma once

#include <QFont>
#include <QImage>
#include <QRect>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "wintypes.h"

// What a cell shows: a signed number, or the cross of a cell without one.
struct CellLabel {
    bool cross = false;
    int value = 0;

    static CellLabel Cross() { return {true, 0}; }
    static CellLabel Number(int value) { return {false, value}; }
};

class OverlayTextCache {
public:
    explicit OverlayTextCache(const QFont& font);

    // Prints the label with its top-left at (x, y), on a transparent
    // background, touching only the pixels of target inside clip. The
    // target must be a 32-bit RGB picture.
    void Draw(QImage& target, const QRect& clip, int x, int y, CellLabel label, COLORREF colour);

    // A rectangle, relative to a label's top-left, that holds the pixels of
    // every label: redrawing part of the map must print the labels of the
    // cells around it that reach into it.
    QRect Reach();

    // Distinct labels kept at most; beyond it the cache starts over.
    static constexpr std::size_t kMaxLabels = 16384;

private:
    // A run of covered pixels in one row, relative to the label's top-left:
    // either all fully covered (solid), or all partly, with their coverage
    // from offset on. Uncovered pixels are in no run.
    struct Span {
        int dx;
        int dy;
        int length;
        bool solid;
        std::size_t offset;
    };
    struct Mask {
        std::vector<Span> spans;
        std::vector<std::uint8_t> coverage;
        QRect bounds;
    };

    const Mask& MaskFor(CellLabel label);
    Mask Render(const QString& text) const;

    QFont m_font;
    QRect m_reach;
    std::unordered_map<std::int64_t, Mask> m_masks;
};
