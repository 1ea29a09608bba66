// The brush the map's tools paint with: the block picked in the palette,
// or a block taken from the map (picker, capture, paste), and whether the
// tools scatter its entries at random (off unless the person turns it on).
// A block from the map leaves the palette's block picked, for the tile
// commands. Whoever lets the person paint hears when a block from the map
// becomes the brush (the map pane then takes its stamp).
#pragma once

#include <QObject>
#include <cstdint>
#include <random>

#include <vector>

#include "cellblock.h"
#include "tileblock.h"

class CPaintBrush : public QObject {
    Q_OBJECT
public:
    bool IsEmpty() const { return m_block.IsEmpty(); }
    const CCellBlock& Block() const { return m_block; }
    bool FromPalette() const { return !IsEmpty() && !m_block.FromMap(); }
    const CTileBlock& PaletteBlock() const { return m_palette; }
    bool HasPaletteBlock() const { return !m_palette.IsEmpty(); }

    // The palette's block, and the brush made from it.
    void PickFromPalette(CTileBlock block);
    // A block from the map or the clipboard; the palette's block stays.
    void TakeFromMap(CCellBlock block);
    // Both go.
    void Drop();
    // The tile set changed: the palette's block goes, and a block from the
    // map too unless its numbers still name the same pictures.
    void TilesChanged(bool picturesChanged);

    // A brush from a stamp with several variations: each click, band or
    // stroke step of a tool paints one of these, drawn by weight; empty for
    // an ordinary brush. Set after the brush's first block became the brush.
    struct Variation {
        CCellBlock block;
        int weight = 1;
    };
    void SetVariations(std::vector<Variation> variations) { m_variations = std::move(variations); }
    const std::vector<Variation>& Variations() const { return m_variations; }
    // The tools call this at the start of each click, band or stroke step:
    // with variations, Block() becomes the next one drawn (from the same
    // generator as NextSeed, so Reseed repeats it); otherwise nothing changes.
    void DrawNextVariation();

    bool RandomMode() const { return m_bRandom; }
    void SetRandomMode(bool on) { m_bRandom = on; }
    // A new seed for one random draw of the brush's entries (a click, a
    // band, a stroke step); Reseed makes the draws repeatable.
    std::uint64_t NextSeed() { return m_random(); }
    void Reseed(std::uint64_t seed) { m_random.seed(seed); }

signals:
    void TakenFromMap();

private:
    CTileBlock m_palette;
    CCellBlock m_block;
    bool m_bRandom = false;
    std::mt19937_64 m_random{std::random_device{}()};
    std::vector<Variation> m_variations;
};
