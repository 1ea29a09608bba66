// The map's two cell layers: tile numbers and map attributes, one signed
// 16-bit entry per cell, row-major (cell (c, r) is entry r * width + c).
//
// The layers are held in chunks of whole rows shared between copies: a copy
// of the layers costs a few pointers, and the first write to a chunk that a
// copy still sees gives the writer a chunk of its own. So a background task
// (saving a recovery copy, say) can take a consistent picture of a map of
// millions of cells at once, while the user goes on editing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "cellchunk.h"

inline constexpr const char* kMsgTileLayerAllocFailed = "지도를 생성할수 없습니다.";
inline constexpr const char* kMsgAttrLayerAllocFailed = "지도 속성을 생성할수 없습니다.";

inline constexpr short kEmptyTileCell = -1;  // tile layer: no tile
inline constexpr short kNoAttrCell = 0;      // attribute layer: no attribute

// The largest layer we agree to allocate. Linux overcommits memory, so a
// huge request may "succeed" and kill the process only when it is filled;
// refusing beyond this many cells (128 MiB per layer) keeps that from
// happening.
inline constexpr std::int64_t kMaxLayerCells = std::int64_t(1) << 26;
// The longest side a map may have: with tiles of up to 255 pixels the map's
// size in pixels then always fits in an int.
inline constexpr int kMaxMapSide = 1 << 23;

// Cells of a mapWidth x mapHeight map, or nothing when a side is negative
// or longer than kMaxMapSide, or the count is beyond kMaxLayerCells.
std::optional<std::size_t> LayerCellCount(int mapWidth, int mapHeight);

enum class LayerAllocResult { Ok, TileLayerFailed, AttrLayerFailed };

// The message for a failed allocation; nullptr for Ok.
const char* LayerAllocMessage(LayerAllocResult result);

enum class CellLayer { Tiles, Attributes };

// One chunk that an edit changed: as it was and as it became. An undo step
// keeps these instead of the cells themselves; the after chunk is the one
// the map holds until it changes again, so it costs nothing extra.
struct ChunkChange {
    CellLayer layer;
    std::size_t index;
    std::size_t cells;  // entries in the chunk
    CellChunk before;
    CellChunk after;
};

inline bool CellInMap(int col, int row, int mapWidth, int mapHeight)
{
    return col >= 0 && row >= 0 && col < mapWidth && row < mapHeight;
}

class CCellLayers {
public:
    // A map of no cells: both layers exist and are empty.
    CCellLayers() = default;

    // Replaces both layers with width x height cells, the tile layer all -1
    // and the attribute layer all 0, the tile layer first. The size is taken
    // even on failure; the layer that could not be made (and the attribute
    // layer after a failed tile layer) is then missing.
    LayerAllocResult Create(int width, int height);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    std::size_t CellCount() const { return std::size_t(m_width) * std::size_t(m_height); }
    bool Contains(int col, int row) const { return CellInMap(col, row, m_width, m_height); }

    bool HasLayer(CellLayer layer) const { return Of(layer).present; }
    // Both layers exist (a map whose cells could be made).
    bool IsComplete() const { return m_tiles.present && m_attrs.present; }

    // Bounds-checked access: a missing layer or a cell outside the map reads
    // as nothing and is not written.
    std::optional<short> Get(CellLayer layer, int col, int row) const;
    bool Set(CellLayer layer, int col, int row, short value);
    std::optional<short> Tile(int col, int row) const { return Get(CellLayer::Tiles, col, row); }
    std::optional<short> Attr(int col, int row) const { return Get(CellLayer::Attributes, col, row); }
    bool SetTile(int col, int row, short value) { return Set(CellLayer::Tiles, col, row, value); }
    bool SetAttr(int col, int row, short value) { return Set(CellLayer::Attributes, col, row, value); }

    // One row of a layer, Width() entries; null when the layer is missing or
    // the row is outside the map. A pointer from Row stays valid until the
    // next write to these layers; MutableRow makes the row's chunk this
    // object's own first.
    const short* Row(CellLayer layer, int row) const;
    short* MutableRow(CellLayer layer, int row);

    // The chunks of both layers that now hold other cells than in earlier,
    // a copy of these layers taken before an edit (of the same size). A
    // chunk the edit wrote but left as it was is shared with earlier again.
    std::vector<ChunkChange> ChangesSince(const CCellLayers& earlier);
    // Puts each change's chunk back in place: the after chunks to redo an
    // edit, the before chunks to undo it. Later writes copy them first, so
    // the changes stay as they are.
    void PutChunks(const std::vector<ChunkChange>& changes, bool after);

    // The cells of a change's chunk (of a chunk of these layers' shape) in
    // columns [left, right) and rows [top, bottom): calls each(offset,
    // count) with where each row's part starts in the chunk and its length.
    template <class Each>
    void ForEachRowPart(const ChunkChange& change, int left, int top, int right, int bottom, Each each) const;

private:
    struct Layer {
        bool present = true;
        std::vector<CellChunk> chunks;
    };
    const Layer& Of(CellLayer layer) const { return layer == CellLayer::Tiles ? m_tiles : m_attrs; }
    Layer& Of(CellLayer layer) { return layer == CellLayer::Tiles ? m_tiles : m_attrs; }
    bool MakeLayer(Layer& layer, short fill) const;
    std::size_t ChunkCells(std::size_t chunk) const;

    int m_width = 0;
    int m_height = 0;
    int m_rowsPerChunk = 1;
    Layer m_tiles;
    Layer m_attrs;
};

template <class Each>
void CCellLayers::ForEachRowPart(const ChunkChange& change, int left, int top, int right, int bottom, Each each) const
{
    if (change.index >= Of(change.layer).chunks.size() || change.cells != ChunkCells(change.index)) return;
    const int firstRow = int(change.index) * m_rowsPerChunk;
    const int rows = int(change.cells / std::size_t(m_width));
    left = left < 0 ? 0 : left;
    right = right > m_width ? m_width : right;
    top = top < firstRow ? firstRow : top;
    bottom = bottom > firstRow + rows ? firstRow + rows : bottom;
    if (left >= right) return;
    for (int row = top; row < bottom; ++row)
        each(std::size_t(row - firstRow) * std::size_t(m_width) + std::size_t(left), std::size_t(right - left));
}
