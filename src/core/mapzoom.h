// Drawing the map's picture zoomed, for the map pane. A zoom is a power of
// two: 2^log2 screen pixels for a map pixel's side, from 1/512 (a 4096 x
// 4096 map of 32-pixel tiles fits a pane of 256 x 256) up to 800%.
//
//  - 100% is RenderMapRegion's picture, pixel for pixel.
//  - Above 100% each map pixel is a square of screen pixels (no smoothing).
//  - Below 100% each screen pixel stands for the s x s map pixels it covers
//    (s = 1 / zoom). At 50% it is exactly their average, each channel
//    (a + b + c + d + 2) / 4; further out it is a weighted average.
//
// What makes zooming out fast is kept in a ZoomCache: each tile's picture
// reduced by halves (a third of the tile's own pixels at most), each
// tile's average colour (in a table of all 64K cell values, also what the
// zoom that shows a cell as a pixel draws), and for very small zooms the
// average colours of blocks of 2 x 2 cells (in 16 bits) and of 4 x 4,
// 8 x 8, ... cells (in 32 bits): under 0.85 bytes a cell, less than a
// quarter of what the cells themselves take. Nothing is kept in
// proportion to the map's pixels. The owner tells the cache of edits:
// CellsChanged for cells (a cost proportional to the cells), TilesChanged
// for tile pictures, a new map or new tile size.
//
// The block colours of a large map take tens of milliseconds to make, so
// the owner may have them made on another thread (StartPreparing, Run,
// Adopt): the thread reads only a copy of the cells (their chunks shared,
// taken in no time) and the tiles' colours, made beforehand on the owner's
// thread, since a tile converts its picture on first use. Until the blocks
// are adopted a far zoom draws each screen pixel as the cell at its middle.
#pragma once

#include "maprender.h"
#include "wintypes.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class CMapModel;
class ZoomPreparation;

struct MapZoom {
    static constexpr int kMinLog2 = -9;  // 1/512
    static constexpr int kMaxLog2 = 3;   // 800%
    // The largest drawn: 800% on a screen of 4 x 4 device pixels to a pixel.
    static constexpr int kMaxDrawLog2 = kMaxLog2 + 2;
    int log2 = 0;

    // Screen pixels for a map length: map pixels x 2^log2, a part of a
    // screen pixel counting as one when zoomed out.
    std::int64_t ScreenLength(std::int64_t mapPixels) const;
    // The map pixel under screen pixel p (of the zoomed picture).
    std::int64_t MapPixelAt(std::int64_t p) const { return log2 >= 0 ? p >> log2 : p << -log2; }
    // The zoom in percent (100 for 1:1; 0.1953125 for 1/512).
    double Percent() const;
    bool operator==(const MapZoom&) const = default;
};

// The steps from the smallest to the largest, 1/512 ... 50%, 100%, 200%, 400%, 800%.
std::vector<MapZoom> ZoomSteps();

// The zoomed picture of the whole map; nothing for a map with no pixels.
std::optional<PictureSize> ZoomedPictureSize(const CMapModel& map, MapZoom zoom);

class ZoomCache {
public:
    ZoomCache();
    ~ZoomCache();
    ZoomCache(const ZoomCache&) = delete;
    ZoomCache& operator=(const ZoomCache&) = delete;

    // The tiles of these cells changed (cells, right and bottom exclusive).
    void CellsChanged(const CRect& cells);
    // The tile pictures, the tile size or the map were replaced: everything
    // goes. With madeElsewhere the owner starts preparing soon: until then
    // the far zooms draw as while it runs, rather than make blocks here.
    void TilesChanged(bool madeElsewhere = false);
    // Builds now what the zoomed-out steps keep of the map, so that the
    // first step out to each of them costs no more than the next one.
    void Prepare(const CMapModel& map);
    // Bytes held now.
    std::size_t Bytes() const;

    // The making of the block colours for another thread, or null when the
    // map has none to make or they are made already. Edits told from now on
    // are kept and made over the adopted blocks.
    std::shared_ptr<ZoomPreparation> StartPreparing(const CMapModel& map);
    // Takes the blocks of the latest preparation started; false (nothing
    // changes) when it was stopped or the tiles, map or geometry changed since.
    bool Adopt(ZoomPreparation& preparation);

    struct Impl;

private:
    friend void RenderZoomedRegion(const MapPixels&, const CMapModel&, ZoomCache&, MapZoom, const MapDrawOptions&);
    std::unique_ptr<Impl> m_impl;
};

// The block colours made from a copy of a map's cells, on any thread.
class ZoomPreparation {
public:
    ZoomPreparation();
    ~ZoomPreparation();
    // Makes the blocks; returns early after Stop.
    void Run();
    // Any thread: Run ends soon and its blocks are never adopted.
    void Stop() { m_stop = true; }
    // Any thread: Run has ended, what it made may be read.
    bool Done() const { return m_done.load(std::memory_order_acquire); }

private:
    friend class ZoomCache;
    std::unique_ptr<ZoomCache::Impl> m_impl;
    std::unique_ptr<CMapModel> m_cells;  // the copy: geometry and cells, no tiles
    std::uint64_t m_generation = 0;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_done{false};
};

// Every pixel of the window (in the zoomed picture's coordinates) that lies
// on the zoomed picture; pixels off it are left alone.
void RenderZoomedRegion(const MapPixels& target, const CMapModel& map, ZoomCache& cache, MapZoom zoom,
                        const MapDrawOptions& options = {});
