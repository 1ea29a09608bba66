#include "mapzoom.h"

#include "mapmodel.h"
#include "sprite.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {
using Pixel = std::uint32_t;

// Per channel (a + b + c + d + 2) / 4, red and blue side by side in 16-bit lanes.
inline Pixel Average4(Pixel a, Pixel b, Pixel c, Pixel d)
{
    const Pixel rb = ((a & 0xFF00FFu) + (b & 0xFF00FFu) + (c & 0xFF00FFu) + (d & 0xFF00FFu) + 0x20002u) >> 2;
    const Pixel g = ((a & 0xFF00u) + (b & 0xFF00u) + (c & 0xFF00u) + (d & 0xFF00u) + 0x200u) >> 2;
    return 0xFF000000u | (rb & 0xFF00FFu) | (g & 0xFF00u);
}

// A colour in 16 bits (5 red, 6 green, 5 blue), rounded to the nearest.
inline std::uint16_t To565(Pixel p)
{
    const auto channel = [&](int shift, std::uint32_t max) { return (((p >> shift) & 0xFF) * max + 127) / 255; };
    return std::uint16_t((channel(16, 31) << 11) | (channel(8, 63) << 5) | channel(0, 31));
}
// Back to 8 bits a channel, the high bits repeated below.
inline Pixel From565(std::uint32_t v)
{
    const std::uint32_t r = v >> 11, g = (v >> 5) & 63, b = v & 31;
    return 0xFF000000u | (((r << 3) | (r >> 2)) << 16) | (((g << 2) | (g >> 4)) << 8) | ((b << 3) | (b >> 2));
}
void From565Row(Pixel* out, const std::uint16_t* in, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i) out[i] = From565(in[i]);
}

// A width x height picture (both even) halved each way.
std::vector<Pixel> Halve(const Pixel* source, int width, int height)
{
    const int w = width / 2;
    const int h = height / 2;
    std::vector<Pixel> half(std::size_t(w) * std::size_t(h));
    for (int y = 0; y < h; ++y) {
        const Pixel* a = source + std::size_t(2 * y) * std::size_t(width);
        const Pixel* b = a + width;
        Pixel* out = half.data() + std::size_t(y) * std::size_t(w);
        for (int x = 0; x < w; ++x) out[x] = Average4(a[2 * x], a[2 * x + 1], b[2 * x], b[2 * x + 1]);
    }
    return half;
}

// Sums of the three channels, for averages of any number of pixels.
struct Sum {
    std::uint64_t r = 0, g = 0, b = 0;
    void Add(Pixel p, std::uint64_t weight)
    {
        r += ((p >> 16) & 0xFF) * weight;
        g += ((p >> 8) & 0xFF) * weight;
        b += (p & 0xFF) * weight;
    }
    Pixel Average(std::uint64_t total) const
    {
        if (total == 0) return 0xFF000000u;
        const auto channel = [&](std::uint64_t v) { return Pixel((v + total / 2) / total); };
        return 0xFF000000u | (channel(r) << 16) | (channel(g) << 8) | channel(b);
    }
};

// The largest power of two (as its exponent) that divides n, at most limit.
int TwosIn(int n, int limit)
{
    int k = 0;
    while (k < limit && n % (2 << k) == 0) ++k;
    return k;
}

// Zoomed out by 2^k, the map is drawn from cell or block colours (not from
// the tiles' reduced looks): where a tile is a pixel or less, or where its
// sides halve too seldom to reach the zoom through a few averagings.
bool DrawsFromColours(int tw, int th, int k)
{
    const int l = std::min(TwosIn(tw, k), TwosIn(th, k));
    return l != k && k >= 2 && ((std::int64_t(std::min(tw, th)) >> (k - 1)) <= 1 || (std::int64_t(1) << (k - l)) > 8);
}
// The coarsest level of blocks (2^j x 2^j cells) that still fit in a screen
// pixel of s x s map pixels; 0 for single cells.
int ColourLevel(int tw, int th, std::int64_t s)
{
    int j = 0;
    while ((std::int64_t(std::max(tw, th)) << (j + 1)) <= s) ++j;
    return j;
}
}  // namespace

// ---------------------------------------------------------------------------

std::int64_t MapZoom::ScreenLength(std::int64_t mapPixels) const
{
    if (log2 >= 0) return mapPixels << log2;
    const std::int64_t s = std::int64_t(1) << -log2;
    return (mapPixels + s - 1) / s;
}

double MapZoom::Percent() const { return std::ldexp(100.0, log2); }

std::vector<MapZoom> ZoomSteps()
{
    std::vector<MapZoom> steps;
    for (int k = MapZoom::kMinLog2; k <= MapZoom::kMaxLog2; ++k) steps.push_back({k});
    return steps;
}

std::optional<PictureSize> ZoomedPictureSize(const CMapModel& map, MapZoom zoom)
{
    const auto size = MapPictureSize(map);
    if (!size) return std::nullopt;
    return PictureSize{zoom.ScreenLength(size->width), zoom.ScreenLength(size->height)};
}

// ---------------------------------------------------------------------------

struct ZoomCache::Impl {
    // The geometry the kept forms were made for; another drops them all.
    int tileWidth = 0;
    int tileHeight = 0;
    bool grid = true;

    // A cell's look reduced by halves: level l is (w >> l) x (h >> l).
    struct Look {
        const CSprite* tile = nullptr;  // what it was made from (null: the empty cell)
        bool made = false;
        Pixel average = 0;
        std::vector<std::vector<Pixel>> levels;  // levels[l - 1] for l >= 1
    };
    std::vector<Look> tiles;  // by tile number
    Look empty;

    // Average colours of blocks of 2^j x 2^j cells, j >= kFirstLevel.
    static constexpr int kFirstLevel = 2;
    int mapWidth = -1;
    int mapHeight = -1;
    std::vector<std::vector<Pixel>> pyramid;  // pyramid[j - kFirstLevel]
    // And of blocks of 2 x 2 cells (j = 1) in 16 bits each: half a byte a
    // cell, so that with the pyramid it stays under a quarter of the cells.
    std::vector<std::uint16_t> pairs;
    bool HasBlocks() const { return !pyramid.empty() || !pairs.empty(); }

    // Counts the times the blocks were dropped: a preparation started before
    // is not adopted. While one runs, edits are kept in `dirty` for it.
    std::uint64_t generation = 0;
    bool preparing = false;
    // Set on a preparation's copy: the making ends early once it holds.
    const std::atomic<bool>* stop = nullptr;
    bool Stopped() const { return stop && stop->load(std::memory_order_relaxed); }
    void DropBlocks()
    {
        pyramid.clear();
        pairs.clear();
        ++generation;
        preparing = false;
    }

    void Reset()
    {
        tiles.clear();
        empty = {};
        colours.clear();
        packed.clear();
        DropBlocks();
        dirty.clear();
        mapWidth = mapHeight = -1;
    }

    // Drops what does not fit the map and options any more.
    void Check(const CMapModel& map, const MapDrawOptions& options)
    {
        if (map.m_nTileWidth != tileWidth || map.m_nTileHeight != tileHeight || options.grid != grid) {
            Reset();
            tileWidth = map.m_nTileWidth;
            tileHeight = map.m_nTileHeight;
            grid = options.grid;
        }
        if (HasBlocks() && (map.MapWidth() != mapWidth || map.MapHeight() != mapHeight)) DropBlocks();
        if (tiles.size() != std::size_t(map.m_tileList.GetCount())) {
            tiles.resize(std::size_t(map.m_tileList.GetCount()));
            // Blocks, or a preparation, made from the old colours go.
            if (!colours.empty()) DropBlocks();
            colours.clear();
            packed.clear();
        }
        Colours(map);
        // The edits told of since the last drawing (kept for the blocks being prepared).
        if (preparing) return;
        for (const CRect& cells : dirty) UpdatePyramid(map, cells);
        dirty.clear();
    }

    // The cell drawn 1:1 as RenderMapRegion draws it: the tile, or the empty
    // look with a tile of another size over it.
    std::vector<Pixel> CellPicture(const CSprite* tile) const
    {
        std::vector<Pixel> cell = MakeEmptyCellPattern(tileWidth, tileHeight);
        if (!grid) std::fill(cell.begin(), cell.end(), kCellBackground);
        if (tile) {
            const MapPixels window{cell.data(), tileWidth, tileHeight, tileWidth, 0, 0};
            DrawTile(window, *tile, 0, 0);
        }
        return cell;
    }

    Look& LookOf(const CMapModel& map, short value)
    {
        const CSprite* tile = map.TileForCell(value);
        Look& look = tile ? tiles[std::size_t(value)] : empty;
        if (look.tile != tile || !look.made) {
            look = {};
            look.tile = tile;
            look.made = true;
            const std::vector<Pixel> cell = CellPicture(tile);
            Sum sum;
            for (Pixel p : cell) sum.Add(p, 1);
            look.average = sum.Average(cell.size());
        }
        return look;
    }

    // The look at level l >= 1 (both tile sides divisible by 2^l).
    const Pixel* LookAt(const CMapModel& map, short value, int level)
    {
        Look& look = LookOf(map, value);
        while (int(look.levels.size()) < level) {
            const int l = int(look.levels.size());  // making level l + 1
            if (l == 0) {
                const std::vector<Pixel> cell = CellPicture(look.tile);
                look.levels.push_back(Halve(cell.data(), tileWidth, tileHeight));
            } else {
                look.levels.push_back(Halve(look.levels.back().data(), tileWidth >> l, tileHeight >> l));
            }
        }
        return look.levels[std::size_t(level - 1)].data();
    }

    // Per tile number, the last entry for every other value: each tile's
    // look at one level, and each tile's average colour.
    std::vector<const Pixel*> LevelTable(const CMapModel& map, int level)
    {
        std::vector<const Pixel*> table(tiles.size() + 1);
        for (std::size_t t = 0; t < tiles.size(); ++t) table[t] = LookAt(map, short(t), level);
        table.back() = LookAt(map, kEmptyTileCell, level);
        return table;
    }
    // Every tile's look at one level side by side, the empty cell's last:
    // the small looks of the far zooms read from one place, not a thousand.
    std::vector<Pixel> packed;
    int packedLevel = 0;
    const std::vector<Pixel>& PackedLooks(const CMapModel& map, int level)
    {
        if (packedLevel != level || packed.empty()) {
            const std::vector<const Pixel*> table = LevelTable(map, level);
            const std::size_t lookSize = std::size_t(tileWidth >> level) * std::size_t(tileHeight >> level);
            packed.resize(table.size() * lookSize);
            for (std::size_t t = 0; t < table.size(); ++t)
                std::copy_n(table[t], lookSize, packed.data() + t * lookSize);
            packedLevel = level;
        }
        return packed;
    }

    // By cell value (all 65536, as unsigned), its tile's average colour or
    // the empty cell's: the passes over every cell, and the zoom that shows
    // a cell as a pixel, look up without a branch.
    std::vector<Pixel> colours;  // empty until needed
    const std::vector<Pixel>& Colours(const CMapModel& map)
    {
        if (colours.empty()) {
            colours.assign(std::size_t(1) << 16, LookOf(map, kEmptyTileCell).average);
            for (std::size_t t = 0; t < tiles.size(); ++t) colours[t] = LookOf(map, short(t)).average;
        }
        return colours;
    }
    Pixel CellColour(const CellRow& row, int col) const
    {
        return colours[std::uint16_t(row ? row[col] : kEmptyTileCell)];
    }
    // The colours of row y's cells in columns [x0, x1), into out[0 ..):
    // a chunk's part of the row at a time, for the loops over many cells.
    void CellColours(const CCellLayers& cells, int y, int x0, int x1, Pixel* out) const
    {
        const bool present = cells.ForEachRun(CellLayer::Tiles, y, x0, x1, [&](int col, const short* run, int count) {
            Pixel* to = out + (col - x0);
            for (int i = 0; i < count; ++i) to[i] = colours[std::uint16_t(run[i])];
        });
        if (!present) std::fill(out, out + (x1 - x0), colours[std::uint16_t(kEmptyTileCell)]);
    }

    // --- the pyramid of block colours ---
    int LevelWidth(int j) const { return int((std::int64_t(mapWidth) + (1 << j) - 1) >> j); }
    int LevelHeight(int j) const { return int((std::int64_t(mapHeight) + (1 << j) - 1) >> j); }
    // Cells of block (bx, by) of level j, along one side.
    static int Span(int b, int j, int size) { return std::min(size, (b + 1) << j) - (b << j); }

    void MakeBlock(const CMapModel& map, int j, int bx, int by)
    {
        Sum sum;
        std::uint64_t total = 0;
        if (j == kFirstLevel) {
            const int x0 = bx << j;
            const int x1 = std::min(mapWidth, (bx + 1) << j);
            Pixel row[1 << kFirstLevel];
            for (int y = by << j; y < std::min(mapHeight, (by + 1) << j); ++y) {
                CellColours(map.m_cells, y, x0, x1, row);
                for (int x = 0; x < x1 - x0; ++x) sum.Add(row[x], 1);
                total += std::uint64_t(x1 - x0);
            }
        } else {
            const std::vector<Pixel>& below = pyramid[std::size_t(j - 1 - kFirstLevel)];
            const int w = LevelWidth(j - 1);
            for (int cy = 2 * by; cy < std::min(LevelHeight(j - 1), 2 * by + 2); ++cy)
                for (int cx = 2 * bx; cx < std::min(w, 2 * bx + 2); ++cx) {
                    const std::uint64_t cells =
                        std::uint64_t(Span(cx, j - 1, mapWidth)) * std::uint64_t(Span(cy, j - 1, mapHeight));
                    sum.Add(below[std::size_t(cy) * std::size_t(w) + std::size_t(cx)], cells);
                    total += cells;
                }
        }
        pyramid[std::size_t(j - kFirstLevel)][std::size_t(by) * std::size_t(LevelWidth(j)) + std::size_t(bx)] =
            sum.Average(total);
    }

    void MakeBlocks(const CMapModel& map, int j, int bx0, int by0, int bx1, int by1)
    {
        for (int by = by0; by < by1; ++by)
            for (int bx = bx0; bx < bx1 && !Stopped(); ++bx) MakeBlock(map, j, bx, by);
    }

    // The 2 x 2 blocks of these rows and columns of blocks.
    void MakePairs(const CMapModel& map, int bx0, int by0, int bx1, int by1)
    {
        const int w = LevelWidth(1);
        // The two rows' cell colours over the blocks' columns, read a chunk's
        // part at a time; top[x - first] is column x's.
        const int first = 2 * bx0;
        const int end = std::min(mapWidth, 2 * bx1);
        if (first >= end) return;
        std::vector<Pixel> topColours(std::size_t(end - first)), bottomColours(std::size_t(end - first));
        for (int by = by0; by < by1 && !Stopped(); ++by) {
            const int rows = Span(by, 1, mapHeight);
            CellColours(map.m_cells, 2 * by, first, end, topColours.data());
            if (rows == 2) CellColours(map.m_cells, 2 * by + 1, first, end, bottomColours.data());
            const auto top = [&](int x) { return topColours[std::size_t(x - first)]; };
            const auto bottom = [&](int x) { return bottomColours[std::size_t(x - first)]; };
            for (int bx = bx0; bx < bx1; ++bx) {
                const int x = 2 * bx;
                Pixel average;
                if (rows == 2 && x + 1 < mapWidth) {
                    average = Average4(top(x), top(x + 1), bottom(x), bottom(x + 1));
                } else {
                    // At the map's last row or column: the cells there only.
                    Sum sum;
                    const int columns = Span(bx, 1, mapWidth);
                    for (int cx = x; cx < x + columns; ++cx) {
                        sum.Add(top(cx), 1);
                        if (rows == 2) sum.Add(bottom(cx), 1);
                    }
                    average = sum.Average(std::uint64_t(rows * columns));
                }
                pairs[std::size_t(by) * std::size_t(w) + std::size_t(bx)] = To565(average);
            }
        }
    }
    void NeedPairs(const CMapModel& map)
    {
        mapWidth = map.MapWidth();
        mapHeight = map.MapHeight();
        if (!pairs.empty()) return;
        pairs.resize(std::size_t(LevelWidth(1)) * std::size_t(LevelHeight(1)));
        MakePairs(map, 0, 0, LevelWidth(1), LevelHeight(1));
    }

    // The first level over the whole map, a row of blocks at a time.
    void MakeFirstLevel(const CMapModel& map)
    {
        constexpr int j = kFirstLevel;
        const int w = LevelWidth(j);
        std::vector<std::uint32_t> sums(std::size_t(w) * 3);
        std::vector<Pixel> row(static_cast<std::size_t>(mapWidth));
        std::vector<Pixel>& level = pyramid[0];
        for (int by = 0; by < LevelHeight(j) && !Stopped(); ++by) {
            std::fill(sums.begin(), sums.end(), 0u);
            const int y1 = std::min(mapHeight, (by + 1) << j);
            for (int y = by << j; y < y1; ++y) {
                CellColours(map.m_cells, y, 0, mapWidth, row.data());
                for (int x = 0; x < mapWidth; ++x) {
                    const Pixel v = row[std::size_t(x)];
                    std::uint32_t* sum = sums.data() + std::size_t(x >> j) * 3;
                    sum[0] += (v >> 16) & 0xFF;
                    sum[1] += (v >> 8) & 0xFF;
                    sum[2] += v & 0xFF;
                }
            }
            for (int bx = 0; bx < w; ++bx) {
                const std::uint32_t n = std::uint32_t(Span(bx, j, mapWidth) * (y1 - (by << j)));
                const std::uint32_t* sum = sums.data() + std::size_t(bx) * 3;
                const auto channel = [&](std::uint32_t v) { return (v + n / 2) / n; };
                level[std::size_t(by) * std::size_t(w) + std::size_t(bx)] =
                    0xFF000000u | (channel(sum[0]) << 16) | (channel(sum[1]) << 8) | channel(sum[2]);
            }
        }
    }

    // Builds the levels up to j when they are missing.
    void NeedPyramid(const CMapModel& map, int j)
    {
        mapWidth = map.MapWidth();
        mapHeight = map.MapHeight();
        while (int(pyramid.size()) + kFirstLevel <= j) {
            const int level = int(pyramid.size()) + kFirstLevel;
            pyramid.emplace_back(std::size_t(LevelWidth(level)) * std::size_t(LevelHeight(level)));
            if (level == kFirstLevel)
                MakeFirstLevel(map);
            else
                MakeBlocks(map, level, 0, 0, LevelWidth(level), LevelHeight(level));
        }
    }

    void UpdatePyramid(const CMapModel& map, const CRect& cells)
    {
        CRect r;
        if (!HasBlocks() || !r.IntersectRect(cells, CRect(0, 0, mapWidth, mapHeight))) return;
        if (!pairs.empty())
            MakePairs(map, r.left >> 1, r.top >> 1, ((r.right - 1) >> 1) + 1, ((r.bottom - 1) >> 1) + 1);
        for (int j = kFirstLevel; j < kFirstLevel + int(pyramid.size()); ++j)
            MakeBlocks(map, j, r.left >> j, r.top >> j, ((r.right - 1) >> j) + 1, ((r.bottom - 1) >> j) + 1);
    }

    // Cells changed since the last drawing; many become their bounding rectangle.
    std::vector<CRect> dirty;
    void Dirty(const CRect& cells)
    {
        if ((!HasBlocks() && !preparing) || cells.IsRectEmpty()) return;
        if (dirty.size() >= 64) {
            CRect all;
            for (const CRect& r : dirty) all.UnionRect(all, r);
            dirty.assign(1, all);
        }
        dirty.push_back(cells);
    }
};

ZoomCache::ZoomCache() : m_impl(std::make_unique<Impl>()) {}
ZoomCache::~ZoomCache() = default;

void ZoomCache::CellsChanged(const CRect& cells) { m_impl->Dirty(cells); }

void ZoomCache::TilesChanged(bool madeElsewhere)
{
    m_impl->Reset();
    m_impl->preparing = madeElsewhere;
}

void ZoomCache::Prepare(const CMapModel& map)
{
    // One pixel at every step out: each step builds what it keeps.
    std::uint32_t pixel = 0;
    for (int log2 = -1; log2 >= MapZoom::kMinLog2; --log2)
        RenderZoomedRegion(MapPixels{&pixel, 1, 1, 1, 0, 0}, map, *this, MapZoom{log2});
}

std::shared_ptr<ZoomPreparation> ZoomCache::StartPreparing(const CMapModel& map)
{
    Impl& impl = *m_impl;
    if (!MapPictureSize(map)) return nullptr;
    // The tiles' colours, here: making them reads the tile pictures.
    impl.Check(map, MapDrawOptions{});
    if (impl.HasBlocks()) {
        impl.preparing = false;
        return nullptr;
    }
    auto preparation = std::make_shared<ZoomPreparation>();
    Impl& copy = *preparation->m_impl;
    copy.tileWidth = impl.tileWidth;
    copy.tileHeight = impl.tileHeight;
    copy.grid = impl.grid;
    copy.colours = impl.colours;
    copy.stop = &preparation->m_stop;
    CMapModel& cells = *preparation->m_cells;
    cells.m_nTileWidth = map.m_nTileWidth;
    cells.m_nTileHeight = map.m_nTileHeight;
    cells.m_cells = map.m_cells;
    // The copy holds every edit so far.
    impl.DropBlocks();
    impl.preparing = true;
    impl.dirty.clear();
    preparation->m_generation = impl.generation;
    return preparation;
}

bool ZoomCache::Adopt(ZoomPreparation& preparation)
{
    Impl& impl = *m_impl;
    Impl& made = *preparation.m_impl;
    if (!impl.preparing || preparation.m_stop || preparation.m_generation != impl.generation ||
        made.tileWidth != impl.tileWidth || made.tileHeight != impl.tileHeight || made.grid != impl.grid)
        return false;
    impl.pairs = std::move(made.pairs);
    impl.pyramid = std::move(made.pyramid);
    impl.mapWidth = made.mapWidth;
    impl.mapHeight = made.mapHeight;
    impl.preparing = false;
    return true;
}

ZoomPreparation::ZoomPreparation() : m_impl(std::make_unique<ZoomCache::Impl>()), m_cells(std::make_unique<CMapModel>())
{
}
ZoomPreparation::~ZoomPreparation() = default;

void ZoomPreparation::Run()
{
    // What Prepare makes, block levels only: each far step's level.
    const int tw = m_cells->m_nTileWidth;
    const int th = m_cells->m_nTileHeight;
    for (int k = 1; k <= -MapZoom::kMinLog2; ++k) {
        if (!DrawsFromColours(tw, th, k)) continue;
        const int j = ColourLevel(tw, th, std::int64_t(1) << k);
        if (j == 1)
            m_impl->NeedPairs(*m_cells);
        else if (j > 1)
            m_impl->NeedPyramid(*m_cells, j);
    }
    m_done.store(true, std::memory_order_release);
}

std::size_t ZoomCache::Bytes() const
{
    std::size_t bytes = 0;
    const auto lookBytes = [](const Impl::Look& look) {
        std::size_t n = 0;
        for (const auto& level : look.levels) n += level.size() * sizeof(Pixel);
        return n;
    };
    for (const auto& look : m_impl->tiles) bytes += lookBytes(look);
    bytes += lookBytes(m_impl->empty);
    for (const auto& level : m_impl->pyramid) bytes += level.size() * sizeof(Pixel);
    bytes += m_impl->pairs.size() * sizeof(std::uint16_t);
    bytes += m_impl->colours.size() * sizeof(Pixel);
    bytes += m_impl->packed.size() * sizeof(Pixel);
    return bytes;
}

// ---------------------------------------------------------------------------

namespace {

// The window's part of a picture of pictureWidth x pictureHeight pixels.
struct Clip {
    std::int64_t x0, y0, x1, y1;
    bool Empty() const { return x0 >= x1 || y0 >= y1; }
};
Clip ClipTo(const MapPixels& target, std::int64_t pictureWidth, std::int64_t pictureHeight)
{
    return {std::max<std::int64_t>(target.originX, 0), std::max<std::int64_t>(target.originY, 0),
            std::min(target.originX + target.width, pictureWidth),
            std::min(target.originY + target.height, pictureHeight)};
}

Pixel* TargetRow(const MapPixels& target, std::int64_t y) { return target.bits + (y - target.originY) * target.stride; }

// Asks for a row of cells (columns x0 to x1) ahead of its use: a row of a
// large map spans pages, where the processor's own fetching ahead stops,
// and without this the drawing waits for the cells more than it writes.
void PrefetchCells(const CMapModel& map, int row, std::int64_t x0, std::int64_t x1)
{
    if (row >= map.MapHeight()) return;
    map.m_cells.ForEachRun(CellLayer::Tiles, row, int(x0), int(x1), [](int, const short* cells, int count) {
        for (int x = 0; x < count; x += 64 / int(sizeof(short))) __builtin_prefetch(cells + x);
    });
}

// One pixel row of count whole cells side by side, cw pixels each, from
// offset in each cell's look: one load and store each for the usual widths.
template <int CW>
void CopyLooksOf(Pixel* to, const Pixel* const* looks, int count, std::int64_t offset)
{
    for (int k = 0; k < count; ++k, to += CW) std::memcpy(to, looks[k] + offset, CW * sizeof(Pixel));
}

void CopyWholeLooks(Pixel* to, const Pixel* const* looks, int count, int cw, std::int64_t offset)
{
    switch (cw) {
    case 2: return CopyLooksOf<2>(to, looks, count, offset);
    case 4: return CopyLooksOf<4>(to, looks, count, offset);
    case 8: return CopyLooksOf<8>(to, looks, count, offset);
    case 16: return CopyLooksOf<16>(to, looks, count, offset);
    default:
        for (int k = 0; k < count; ++k, to += cw) std::memcpy(to, looks[k] + offset, std::size_t(cw) * sizeof(Pixel));
    }
}

// The map at level l (1 / 2^l, both tile sides divisible by 2^l), each cell its reduced look.
void DrawReducedLooks(const MapPixels& target, const CMapModel& map, ZoomCache::Impl& cache, int level)
{
    const int cw = map.m_nTileWidth >> level;
    const int ch = map.m_nTileHeight >> level;
    const Clip c = ClipTo(target, std::int64_t(map.MapWidth()) * cw, std::int64_t(map.MapHeight()) * ch);
    if (c.Empty()) return;
    const int firstCol = int(c.x0 / cw);
    const int endCol = int((c.x1 - 1) / cw + 1);
    if (cw == 1 && ch == 1) {
        // A pixel a cell: each tile's average colour straight from a table.
        const std::vector<Pixel>& values = cache.colours;
        const auto colourOf = [&](short cell) -> std::uint64_t { return values[std::uint16_t(cell)]; };
        for (std::int64_t y = c.y0; y < c.y1; ++y) {
            Pixel* line = TargetRow(target, y) - target.originX;
            if (y + 1 < c.y1) PrefetchCells(map, int(y + 1), c.x0, c.x1);
            const bool present = map.m_cells.ForEachRun(
                CellLayer::Tiles, int(y), int(c.x0), int(c.x1), [&](int col, const short* cells, int count) {
                    Pixel* to = line + col;
                    // Two pixels a store: the loads and stores, not the arithmetic, bound this loop.
                    int i = 0;
                    for (; i + 1 < count; i += 2) {
                        const std::uint64_t two = colourOf(cells[i]) | colourOf(cells[i + 1]) << 32;
                        std::memcpy(to + i, &two, sizeof two);
                    }
                    if (i < count) to[i] = Pixel(colourOf(cells[i]));
                });
            if (!present) std::fill(line + c.x0, line + c.x1, values[std::uint16_t(kEmptyTileCell)]);
        }
        return;
    }
    const std::vector<Pixel>& packed = cache.PackedLooks(map, level);
    const std::size_t lookSize = std::size_t(cw) * std::size_t(ch);
    const std::uint32_t emptySlot = std::uint32_t(packed.size() / lookSize - 1);
    const auto lookOf = [&](short value) {
        // Negative values wrap past the last tile, to the empty cell's slot.
        const std::uint32_t v = std::uint16_t(value);
        return packed.data() + std::size_t(v < emptySlot ? v : emptySlot) * lookSize;
    };
    std::vector<const Pixel*> looks(std::size_t(endCol - firstCol));
    for (int row = int(c.y0 / ch); row < int((c.y1 - 1) / ch + 1); ++row) {
        PrefetchCells(map, row + 1, firstCol, endCol);
        const bool present = map.m_cells.ForEachRun(CellLayer::Tiles, row, firstCol, endCol,
                                                    [&](int col, const short* cells, int count) {
                                                        for (int i = 0; i < count; ++i)
                                                            looks[std::size_t(col + i - firstCol)] = lookOf(cells[i]);
                                                    });
        if (!present) std::fill(looks.begin(), looks.end(), lookOf(kEmptyTileCell));
        const std::int64_t rowTop = std::int64_t(row) * ch;
        for (std::int64_t y = std::max(c.y0, rowTop); y < std::min(c.y1, rowTop + ch); ++y) {
            Pixel* line = TargetRow(target, y);
            if (cw == 1) {
                // A pixel a cell: no copy calls.
                for (std::int64_t x = c.x0; x < c.x1; ++x)
                    line[x - target.originX] = looks[std::size_t(x - firstCol)][y - rowTop];
                continue;
            }
            // The first and last cells may be cut by the window; those between are whole.
            const int firstWhole = int((c.x0 + cw - 1) / cw);
            const int endWhole = int(c.x1 / cw);
            if (firstWhole >= endWhole) {
                for (std::int64_t x = c.x0; x < c.x1; ++x)
                    line[x - target.originX] = looks[std::size_t(x / cw - firstCol)][(y - rowTop) * cw + x % cw];
                continue;
            }
            for (std::int64_t x = c.x0; x < std::int64_t(firstWhole) * cw; ++x)
                line[x - target.originX] = looks[std::size_t(x / cw - firstCol)][(y - rowTop) * cw + x % cw];
            CopyWholeLooks(line + (std::int64_t(firstWhole) * cw - target.originX),
                           looks.data() + (firstWhole - firstCol), endWhole - firstWhole, cw, (y - rowTop) * cw);
            for (std::int64_t x = std::int64_t(endWhole) * cw; x < c.x1; ++x)
                line[x - target.originX] = looks[std::size_t(x / cw - firstCol)][(y - rowTop) * cw + x % cw];
        }
    }
}

// The map at level l: RenderMapRegion for level 0, the reduced looks above.
void DrawLevel(const MapPixels& target, const CMapModel& map, ZoomCache::Impl& cache, int level,
               const MapDrawOptions& options)
{
    if (level == 0)
        RenderMapRegion(target, map, options);
    else
        DrawReducedLooks(target, map, cache, level);
}

// Each of count pixels 2^K times side by side.
template <int K>
void Widen(Pixel* out, const Pixel* in, std::int64_t count)
{
    if constexpr (K == 1) {
        // Two pixels a store.
        for (std::int64_t i = 0; i < count; ++i) {
            const std::uint64_t two = std::uint64_t(in[i]) * 0x100000001ull;
            std::memcpy(out + 2 * i, &two, sizeof two);
        }
    } else {
        for (std::int64_t i = 0; i < count; ++i)
            for (int r = 0; r < (1 << K); ++r) out[(i << K) + r] = in[i];
    }
}

// Zoomed in: each map pixel a square of 2^k screen pixels. The 1:1 picture
// is drawn some rows at a time, then each row widened once and copied down.
void DrawEnlarged(const MapPixels& target, const CMapModel& map, int k, const MapDrawOptions& options)
{
    const auto size = MapPictureSize(map);
    const Clip c = ClipTo(target, size->width << k, size->height << k);
    if (c.Empty()) return;
    const std::int64_t mx0 = c.x0 >> k;
    const std::int64_t mx1 = ((c.x1 - 1) >> k) + 1;
    const std::int64_t my0 = c.y0 >> k;
    const std::int64_t my1 = ((c.y1 - 1) >> k) + 1;
    const int width = int(mx1 - mx0);
    // Some 64K pixels a band: it stays in the processor's nearer caches.
    const int bandRows = int(std::clamp<std::int64_t>(65536 / width, 1, my1 - my0));
    std::vector<Pixel> band(std::size_t(width) * std::size_t(bandRows));
    // The whole squares of a row; the first and last may be cut by the window.
    const std::int64_t wholeFrom = std::min(c.x1, ((c.x0 + (std::int64_t(1) << k) - 1) >> k) << k);
    const std::int64_t wholeTo = std::max(wholeFrom, (c.x1 >> k) << k);
    for (std::int64_t top = my0; top < my1; top += bandRows) {
        const int rows = int(std::min<std::int64_t>(bandRows, my1 - top));
        RenderMapRegion({band.data(), width, rows, width, mx0, top}, map, options);
        for (std::int64_t my = top; my < top + rows; ++my) {
            const Pixel* source = band.data() + std::size_t(my - top) * std::size_t(width) - mx0;
            const std::int64_t ya = std::max(c.y0, my << k);
            const std::int64_t yb = std::min(c.y1, (my + 1) << k);
            Pixel* first = TargetRow(target, ya) - target.originX;
            for (std::int64_t x = c.x0; x < wholeFrom; ++x) first[x] = source[x >> k];
            const Pixel* from = source + (wholeFrom >> k);
            const std::int64_t count = (wholeTo - wholeFrom) >> k;
            switch (k) {
            case 1: Widen<1>(first + wholeFrom, from, count); break;
            case 2: Widen<2>(first + wholeFrom, from, count); break;
            case 3: Widen<3>(first + wholeFrom, from, count); break;
            case 4: Widen<4>(first + wholeFrom, from, count); break;
            default: Widen<5>(first + wholeFrom, from, count); break;
            }
            for (std::int64_t x = wholeTo; x < c.x1; ++x) first[x] = source[x >> k];
            for (std::int64_t y = ya + 1; y < yb; ++y)
                std::memcpy(TargetRow(target, y) + (c.x0 - target.originX), first + c.x0,
                            std::size_t(c.x1 - c.x0) * sizeof(Pixel));
        }
    }
}

// Zoomed out by 2^k where the tiles do not halve that often: the map drawn
// at the nearest level they do (2^l), a band at a time, and each screen
// pixel the average of the 2^(k-l) x 2^(k-l) pixels of that it covers.
void DrawThroughBand(const MapPixels& target, const CMapModel& map, ZoomCache::Impl& cache, int k, int l,
                     const MapDrawOptions& options)
{
    const auto size = MapPictureSize(map);
    const std::int64_t levelWidth = size->width >> l;
    const std::int64_t levelHeight = size->height >> l;
    const int f = 1 << (k - l);
    const Clip c = ClipTo(target, (levelWidth + f - 1) / f, (levelHeight + f - 1) / f);
    if (c.Empty()) return;
    const std::int64_t bx0 = c.x0 * f;
    const int bandWidth = int(std::min(c.x1 * f, levelWidth) - bx0);
    // Output rows per band: some 4 million level pixels at a time.
    const std::int64_t rows =
        std::clamp<std::int64_t>((std::int64_t(4) << 20) / (std::int64_t(bandWidth) * f * f), 1, c.y1 - c.y0);
    std::vector<Pixel> band(std::size_t(bandWidth) * std::size_t(rows * f));
    for (std::int64_t top = c.y0; top < c.y1; top += rows) {
        const std::int64_t by0 = top * f;
        const int bandHeight = int(std::min((top + rows) * f, levelHeight) - by0);
        DrawLevel({band.data(), bandWidth, bandHeight, bandWidth, bx0, by0}, map, cache, l, options);
        for (std::int64_t y = top; y < std::min(top + rows, c.y1); ++y) {
            const int ya = int(y * f - by0);
            const int yb = std::min(ya + f, bandHeight);
            Pixel* out = TargetRow(target, y) - target.originX;
            if (f == 2 && yb - ya == 2) {
                // The common case: exactly (a + b + c + d + 2) / 4.
                const Pixel* a = band.data() + std::size_t(ya) * std::size_t(bandWidth);
                const Pixel* b = a + bandWidth;
                for (std::int64_t x = c.x0; x < c.x1; ++x) {
                    const int xa = int(x * 2 - bx0);
                    out[x] = xa + 1 < bandWidth ? Average4(a[xa], a[xa + 1], b[xa], b[xa + 1]) : [&] {
                        Sum s;
                        s.Add(a[xa], 1);
                        s.Add(b[xa], 1);
                        return s.Average(2);
                    }();
                }
                continue;
            }
            for (std::int64_t x = c.x0; x < c.x1; ++x) {
                const int xa = int(x * f - bx0);
                const int xb = std::min(xa + f, bandWidth);
                Sum s;
                for (int by = ya; by < yb; ++by) {
                    const Pixel* line = band.data() + std::size_t(by) * std::size_t(bandWidth);
                    for (int bx = xa; bx < xb; ++bx) s.Add(line[bx], 1);
                }
                out[x] = s.Average(std::uint64_t(xb - xa) * std::uint64_t(yb - ya));
            }
        }
    }
}

// While the blocks are being made elsewhere: each screen pixel the colour
// of the cell at its middle, a read a pixel.
void DrawCellsAtMiddles(const MapPixels& target, const CMapModel& map, ZoomCache::Impl& cache, const Clip& c,
                        std::int64_t s)
{
    const auto cellAt = [&s](std::int64_t p, std::int64_t cellSize, int cells) {
        return int(std::min<std::int64_t>(cells - 1, (p * s + s / 2) / cellSize));
    };
    std::vector<int> columns;
    for (std::int64_t x = c.x0; x < c.x1; ++x) columns.push_back(cellAt(x, map.m_nTileWidth, map.MapWidth()));
    for (std::int64_t y = c.y0; y < c.y1; ++y) {
        const CellRow cells = map.m_cells.RowOf(CellLayer::Tiles, cellAt(y, map.m_nTileHeight, map.MapHeight()));
        Pixel* out = TargetRow(target, y) + (c.x0 - target.originX);
        for (std::size_t i = 0; i < columns.size(); ++i) out[i] = cache.CellColour(cells, columns[i]);
    }
}

// The packed colours of the blocks of 2 x 2 cells in block row gy.
const std::uint16_t* PairsRow(const ZoomCache::Impl& cache, int gy)
{
    return cache.pairs.data() + std::size_t(gy) * std::size_t(cache.LevelWidth(1));
}

// Blocks of 2^j x 2^j cells that tile the screen pixels exactly, n x n
// blocks a screen pixel (n is 1 or 2): each screen pixel is one block, or
// the average of 2 x 2.
void DrawWholeBlocks(const MapPixels& target, const CMapModel& map, ZoomCache::Impl& cache, const Clip& c, int j,
                     std::int64_t n)
{
    const int gx0 = int(c.x0 * n);
    const std::size_t count = std::size_t((c.x1 - c.x0) * n);
    std::vector<Pixel> converted[2] = {std::vector<Pixel>(count), std::vector<Pixel>(count)};
    const auto rowOf = [&](int gy, int which) -> const Pixel* {
        if (j == 1) {
            From565Row(converted[which].data(), PairsRow(cache, gy) + gx0, count);
            return converted[which].data();
        }
        if (j > 1)
            return cache.pyramid[std::size_t(j - ZoomCache::Impl::kFirstLevel)].data() +
                   std::size_t(gy) * std::size_t(cache.LevelWidth(j)) + gx0;
        Pixel* out = converted[which].data();
        cache.CellColours(map.m_cells, gy, gx0, gx0 + int(count), out);
        return out;
    };
    for (std::int64_t y = c.y0; y < c.y1; ++y) {
        Pixel* out = TargetRow(target, y) + (c.x0 - target.originX);
        if (n == 1 && j == 1) {
            From565Row(out, PairsRow(cache, int(y)) + gx0, count);
            continue;
        }
        const Pixel* a = rowOf(int(y * n), 0);
        if (n == 1) {
            std::memcpy(out, a, count * sizeof(Pixel));
            continue;
        }
        const Pixel* b = rowOf(int(y * n + 1), 1);
        for (std::size_t i = 0; i < count / 2; ++i) out[i] = Average4(a[2 * i], a[2 * i + 1], b[2 * i], b[2 * i + 1]);
    }
}

// Blocks that do not tile the screen pixels, or the map's last part-covered
// pixels: each screen pixel the average of the blocks it covers, each
// weighted by the map pixels of it the screen pixel covers.
void DrawWeightedBlocks(const MapPixels& target, const CMapModel& map, ZoomCache::Impl& cache, const Clip& c, int j,
                        std::int64_t s)
{
    const auto size = MapPictureSize(map);
    const std::int64_t bw = std::int64_t(map.m_nTileWidth) << j;
    const std::int64_t bh = std::int64_t(map.m_nTileHeight) << j;

    // Which blocks each screen column and row covers, and by how many map pixels.
    struct Part {
        int block;
        std::uint32_t weight;
    };
    const auto parts = [](std::int64_t p, std::int64_t s, std::int64_t blockSize, std::int64_t picture,
                          std::vector<Part>& out) {
        const std::int64_t from = p * s;
        const std::int64_t to = std::min(from + s, picture);
        for (std::int64_t b = from / blockSize; b * blockSize < to; ++b)
            out.push_back({int(b), std::uint32_t(std::min(to, (b + 1) * blockSize) - std::max(from, b * blockSize))});
    };
    std::vector<Part> columnParts;
    std::vector<std::size_t> columnStart;
    for (std::int64_t x = c.x0; x < c.x1; ++x) {
        columnStart.push_back(columnParts.size());
        parts(x, s, bw, size->width, columnParts);
    }
    columnStart.push_back(columnParts.size());
    const int gx0 = columnParts.front().block;
    const int gx1 = columnParts.back().block + 1;

    std::vector<Pixel> colours(std::size_t(gx1 - gx0));
    std::vector<std::uint32_t> red(std::size_t(c.x1 - c.x0)), green(red.size()), blue(red.size()), across(red.size());
    for (std::size_t i = 0; i < across.size(); ++i) {
        std::uint32_t sum = 0;
        for (std::size_t p = columnStart[i]; p < columnStart[i + 1]; ++p) sum += columnParts[p].weight;
        across[i] = sum;
    }
    std::vector<double> perAcross(across.size());
    for (std::size_t i = 0; i < across.size(); ++i) perAcross[i] = 1.0 / double(across[i]);
    std::vector<Part> rowParts;
    for (std::int64_t y = c.y0; y < c.y1; ++y) {
        rowParts.clear();
        parts(y, s, bh, size->height, rowParts);
        std::fill(red.begin(), red.end(), 0u);
        std::fill(green.begin(), green.end(), 0u);
        std::fill(blue.begin(), blue.end(), 0u);
        std::uint32_t down = 0;
        for (const Part& rowPart : rowParts) {
            down += rowPart.weight;
            const Pixel* row;
            if (j == 0) {
                cache.CellColours(map.m_cells, rowPart.block, gx0, gx1, colours.data());
                row = colours.data() - gx0;
            } else if (j == 1) {
                From565Row(colours.data(), PairsRow(cache, rowPart.block) + gx0, colours.size());
                row = colours.data() - gx0;
            } else {
                row = cache.pyramid[std::size_t(j - ZoomCache::Impl::kFirstLevel)].data() +
                      std::size_t(rowPart.block) * std::size_t(cache.LevelWidth(j));
            }
            for (std::size_t i = 0; i < across.size(); ++i) {
                for (std::size_t p = columnStart[i]; p < columnStart[i + 1]; ++p) {
                    const Pixel v = row[columnParts[p].block];
                    const std::uint32_t w = columnParts[p].weight * rowPart.weight;
                    red[i] += ((v >> 16) & 0xFF) * w;
                    green[i] += ((v >> 8) & 0xFF) * w;
                    blue[i] += (v & 0xFF) * w;
                }
            }
        }
        Pixel* out = TargetRow(target, y) + (c.x0 - target.originX);
        // A multiplication by the reciprocal, not three divisions a pixel.
        const double perDown = 1.0 / double(down);
        for (std::size_t i = 0; i < across.size(); ++i) {
            const double scale = perDown * perAcross[i];
            const auto channel = [&](std::uint32_t v) {
                return std::min(255u, std::uint32_t(double(v) * scale + 0.5));
            };
            out[i] = 0xFF000000u | (channel(red[i]) << 16) | (channel(green[i]) << 8) | channel(blue[i]);
        }
    }
}

// Zoomed out so far that a screen pixel covers a cell or more: the average
// colours of cells (level 0) or of blocks of 2^j x 2^j cells.
void DrawFromColours(const MapPixels& target, const CMapModel& map, ZoomCache::Impl& cache, int k)
{
    const auto size = MapPictureSize(map);
    const std::int64_t s = std::int64_t(1) << k;
    const Clip c = ClipTo(target, (size->width + s - 1) / s, (size->height + s - 1) / s);
    if (c.Empty()) return;
    const int tw = map.m_nTileWidth;
    const int th = map.m_nTileHeight;
    const int j = ColourLevel(tw, th, s);
    if (j >= 1 && cache.preparing) {
        DrawCellsAtMiddles(target, map, cache, c, s);
        return;
    }
    if (j == 1)
        cache.NeedPairs(map);
    else if (j > 1)
        cache.NeedPyramid(map, j);
    const std::int64_t bw = std::int64_t(tw) << j;
    const std::int64_t bh = std::int64_t(th) << j;
    // Whole blocks only away from the map's last part-covered pixels.
    const std::int64_t n = s / bw;
    if (s % bw == 0 && s % bh == 0 && s / bh == n && (n == 1 || n == 2) && c.x1 * s <= size->width &&
        c.y1 * s <= size->height)
        DrawWholeBlocks(target, map, cache, c, j, n);
    else
        DrawWeightedBlocks(target, map, cache, c, j, s);
}

}  // namespace

void RenderZoomedRegion(const MapPixels& target, const CMapModel& map, ZoomCache& cache, MapZoom zoom,
                        const MapDrawOptions& options)
{
    if (!target.bits || target.width <= 0 || target.height <= 0 || !MapPictureSize(map)) return;
    const int log2 = std::clamp(zoom.log2, MapZoom::kMinLog2, MapZoom::kMaxDrawLog2);
    if (log2 == 0) {
        RenderMapRegion(target, map, options);
        return;
    }
    if (log2 > 0) {
        DrawEnlarged(target, map, log2, options);
        return;
    }
    ZoomCache::Impl& impl = *cache.m_impl;
    impl.Check(map, options);
    const int k = -log2;
    const int tw = map.m_nTileWidth;
    const int th = map.m_nTileHeight;
    // The halvings both tile sides allow.
    const int l = std::min(TwosIn(tw, k), TwosIn(th, k));
    if (l == k)
        DrawReducedLooks(target, map, impl, k);
    else if (DrawsFromColours(tw, th, k))
        DrawFromColours(target, map, impl, k);
    else
        DrawThroughBand(target, map, impl, k, l, options);
}
