// The map's two cell layers: tile numbers and map attributes, one signed
// 16-bit entry per cell.
//
// The layers are held in square chunks of cells (128 x 128; a narrow map's
// are as wide as the map and taller) shared between copies: a copy of the
// layers costs a few pointers, and the first write to a chunk that a copy
// still sees gives the writer a chunk of its own. So a background task
// (saving a recovery copy, say) can take a consistent picture of a map of
// millions of cells at once, while the user goes on editing; and an edit's
// undo step keeps about the cells it reached, whatever the map's width.
#pragma once

#include <cstddef>
#include <algorithm>
#include <cstdint>
#include <optional>
#include <type_traits>
#include <vector>

#include "cellchunk.h"
#include "messagetext.h"

inline constexpr const char* kMsgTileLayerAllocFailed = QT_TRANSLATE_NOOP("Pellin", "지도를 생성할수 없습니다.");
inline constexpr const char* kMsgAttrLayerAllocFailed = QT_TRANSLATE_NOOP("Pellin", "지도 속성을 생성할수 없습니다.");
// A map beyond kMaxLayerCells: the message says how far a map may go.
inline constexpr const char* kMsgMapTooLarge =
    QT_TRANSLATE_NOOP("Pellin", "지도가 너무 큽니다. 16384 x 16384칸(268,435,456칸)까지 만들 수 있습니다.");

inline constexpr short kEmptyTileCell = -1;  // tile layer: no tile
inline constexpr short kNoAttrCell = 0;      // attribute layer: no attribute

// The largest layer we agree to allocate: a world of 16384 x 16384 cells
// (512 MiB per layer). Linux overcommits memory, so a huge request may
// "succeed" and kill the process only when it is filled; refusing beyond
// this many cells keeps that from happening.
inline constexpr std::int64_t kMaxLayerCells = std::int64_t(1) << 28;
// The longest side a map may have: with tiles of up to 255 pixels the map's
// size in pixels then always fits in an int.
inline constexpr int kMaxMapSide = 1 << 23;

// Cells of a mapWidth x mapHeight map, or nothing when a side is negative
// or longer than kMaxMapSide, or the count is beyond kMaxLayerCells.
std::optional<std::size_t> LayerCellCount(int mapWidth, int mapHeight);

// TooLarge: the size is refused before anything is allocated.
enum class LayerAllocResult { Ok, TooLarge, TileLayerFailed, AttrLayerFailed };

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

// The columns of a chunk: column c of the map lies in chunk column
// c >> kChunkColumnShift. A map narrower than this has chunks of its width.
inline constexpr int kChunkColumnShift = 7;
inline constexpr int kChunkColumns = 1 << kChunkColumnShift;

// One row of a layer to read cell by cell across its chunks; valid until the
// next write to the layers it came from. Empty when the layer is missing or
// the row is outside the map; columns must lie within the map.
class CellRow {
public:
    CellRow() = default;
    CellRow(const CellChunk* chunks, std::size_t rowInChunk, int chunkWidth, int lastChunk, int lastWidth)
        : m_chunks(chunks),
          m_rowInChunk(rowInChunk),
          m_chunkWidth(chunkWidth),
          m_lastChunk(lastChunk),
          m_lastWidth(lastWidth)
    {
    }
    explicit operator bool() const { return m_chunks != nullptr; }
    short operator[](int col) const
    {
        const int chunk = col >> kChunkColumnShift;
        const int width = chunk == m_lastChunk ? m_lastWidth : m_chunkWidth;
        return m_chunks[chunk].get()[m_rowInChunk * std::size_t(width) + std::size_t(col & (kChunkColumns - 1))];
    }

private:
    const CellChunk* m_chunks = nullptr;  // the first chunk of the row's row of chunks
    std::size_t m_rowInChunk = 0;
    int m_chunkWidth = 0;
    int m_lastChunk = 0;  // the chunk at the map's right edge, maybe narrower
    int m_lastWidth = 0;
};
class CCellLayers {
public:
    // A map of no cells: both layers exist and are empty.
    CCellLayers() = default;

    // Replaces both layers with width x height cells, the tile layer all -1
    // and the attribute layer all 0, the tile layer first. The size is taken
    // even on failure; the layer that could not be made (and the attribute
    // layer after a failed tile layer) is then missing. Unset leaves the
    // cells as the allocator gave them, for a reader that writes them all.
    enum class Fill { Empty, Unset };
    LayerAllocResult Create(int width, int height, Fill fill = Fill::Empty);

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

    // One row of a layer to read by column; empty when the layer is missing
    // or the row is outside the map.
    CellRow RowOf(CellLayer layer, int row) const;

    // The cells of one row in columns [left, right) (clipped to the map), a
    // chunk's part at a time: each(col, cells, count) with the first column
    // of the part, its cells and their number. False, having called nothing,
    // when the layer is missing or the row is outside the map. The mutable
    // form makes each chunk it hands out this object's own first; it stops
    // with false when memory for that runs out. An each that returns bool
    // ends the walk by returning false. Pointers stay valid until the next
    // write to these layers.
    template <class Each>
    bool ForEachRun(CellLayer layer, int row, int left, int right, Each each) const;
    template <class Each>
    bool ForEachMutableRun(CellLayer layer, int row, int left, int right, Each each);

    // Edits rows [top, bottom) of columns [left, right) (clipped to the map)
    // a row at a time: edit(y, cells) gets the row's cells in an array where
    // cells[col] is column col's, for the columns of the area; what it leaves
    // there goes back into the layer. For edits whose rows are easiest
    // written whole; a row that cannot be made this object's own keeps what
    // it held. False when the layer is missing.
    template <class Edit>
    bool EditRows(CellLayer layer, int left, int top, int right, int bottom, Edit edit);

    // A whole row (Width() entries) copied out of or into a layer.
    bool ReadRow(CellLayer layer, int row, short* out) const;
    bool WriteRow(CellLayer layer, int row, const short* in);

    // For a writer that goes a chunk at a time: the rows of every chunk but
    // the bottom edge's (column c of the map lies in chunk column
    // c >> kChunkColumnShift), a chunk column's width, and chunk (chunkCol,
    // chunkRow) of a layer this object's own, row r of it at r * width. A
    // shared chunk is copied first, unless fresh: the caller then writes
    // every cell of it. Null when the layer is missing, the chunk outside
    // or memory runs out.
    int ChunkRows() const { return m_chunkHeight; }
    int ChunkColumnWidth(int chunkCol) const { return ChunkWidth(chunkCol); }
    short* MutableChunk(CellLayer layer, int chunkCol, int chunkRow, bool fresh);

    // Every cell of columns [left, right) and rows [top, bottom) (clipped to
    // the map) set to value. A shared chunk the area covers whole is replaced
    // by a new one without copying what it held. False when the layer is
    // missing or memory runs out (the cells set so far stay set).
    bool FillRect(CellLayer layer, int left, int top, int right, int bottom, short value);

    // An edit's changes, as chunks: between BeginEdit and EndEdit the first
    // write to each chunk keeps the chunk as it was and writes into a new
    // one. EndEdit returns the chunks that now hold other cells than before
    // (a chunk written with what it held is shared with its earlier self
    // again), at a cost that follows the chunks written, not the map.
    void BeginEdit();
    std::vector<ChunkChange> EndEdit();
    // An edit is open, and whether a write of it found no memory for a
    // chunk of its own (that write, and the edit, are then incomplete).
    bool Editing() const { return m_editing; }
    bool EditFailed() const { return m_editFailed; }
    // Ends the open edit taking it back: every chunk it wrote is again the
    // one it was at the edit's first write there. Allocates nothing, so it
    // serves when memory ran out.
    void AbandonEdit() noexcept;
    // Puts each change's chunk back in place: the after chunks to redo an
    // edit, the before chunks to undo it. Later writes copy them first, so
    // the changes stay as they are.
    void PutChunks(const std::vector<ChunkChange>& changes, bool after);

    // The chunks themselves, for a writer that keeps a copy of the layers
    // and follows what changed since: a chunk another copy still holds is
    // never written in place, so a chunk that differs from the copy's is a
    // chunk that changed. ChunkCount is 0 for a missing layer.
    std::size_t ChunkCount(CellLayer layer) const { return Of(layer).chunks.size(); }
    const CellChunk& Chunk(CellLayer layer, std::size_t index) const { return Of(layer).chunks[index]; }
    std::size_t ChunkCellCount(std::size_t index) const { return ChunkCells(index); }
    // Chunk index's cells replaced by ChunkCellCount(index) entries; false
    // when the layer is missing, the index outside it or memory runs out.
    bool WriteChunk(CellLayer layer, std::size_t index, const short* cells);

    // The cells of a change's chunk (of a chunk of these layers' shape) in
    // columns [left, right) and rows [top, bottom): calls each(offset,
    // count) with where each row's part starts in the chunk and its length.
    template <class Each>
    void ForEachRowPart(const ChunkChange& change, int left, int top, int right, int bottom, Each each) const;

private:
    struct Layer {
        bool present = true;
        std::vector<CellChunk> chunks;
        std::vector<bool> kept;  // during an edit: the chunk as it was is kept in m_kept
    };
    struct KeptChunk {
        CellLayer layer;
        std::size_t index;
        CellChunk before;
    };
    const Layer& Of(CellLayer layer) const { return layer == CellLayer::Tiles ? m_tiles : m_attrs; }
    Layer& Of(CellLayer layer) { return layer == CellLayer::Tiles ? m_tiles : m_attrs; }
    bool MakeLayer(Layer& layer, std::optional<short> fill) const;
    // The chunks' shape: chunk (cx, cy) is entry cy * m_chunksAcross + cx.
    int ChunkWidth(int chunkCol) const;
    int ChunkHeight(int chunkRow) const;
    std::size_t ChunkCells(std::size_t chunk) const;
    // Chunk `index` of a layer, this object's own (copied first if shared;
    // made anew, not copied, when fresh); null when memory runs out.
    short* OwnChunk(CellLayer layer, std::size_t index, bool fresh = false);

    int m_width = 0;
    int m_height = 0;
    int m_chunkWidth = 1;   // every chunk's but the right edge's
    int m_chunkHeight = 1;  // every chunk's but the bottom edge's
    int m_chunksAcross = 0;
    Layer m_tiles;
    Layer m_attrs;
    bool m_editing = false;
    bool m_editFailed = false;
    std::vector<KeptChunk> m_kept;
};

template <class Each>
bool CCellLayers::ForEachRun(CellLayer which, int row, int left, int right, Each each) const
{
    const Layer& layer = Of(which);
    if (!layer.present || row < 0 || row >= m_height) return false;
    left = left < 0 ? 0 : left;
    right = right > m_width ? m_width : right;
    const int chunkRow = row / m_chunkHeight;
    const std::size_t rowInChunk = std::size_t(row - chunkRow * m_chunkHeight);
    const CellChunk* chunks = layer.chunks.data() + std::size_t(chunkRow) * std::size_t(m_chunksAcross);
    for (int col = left; col < right;) {
        const int chunkCol = col >> kChunkColumnShift;
        const int width = ChunkWidth(chunkCol);
        const int first = chunkCol << kChunkColumnShift;
        const int end = first + width < right ? first + width : right;
        const short* cells = chunks[chunkCol].get() + rowInChunk * std::size_t(width) + std::size_t(col - first);
        if constexpr (std::is_same_v<decltype(each(col, cells, end - col)), bool>) {
            if (!each(col, cells, end - col)) return true;
        } else {
            each(col, cells, end - col);
        }
        col = end;
    }
    return true;
}

template <class Each>
bool CCellLayers::ForEachMutableRun(CellLayer which, int row, int left, int right, Each each)
{
    Layer& layer = Of(which);
    if (!layer.present || row < 0 || row >= m_height) return false;
    left = left < 0 ? 0 : left;
    right = right > m_width ? m_width : right;
    const int chunkRow = row / m_chunkHeight;
    const std::size_t rowInChunk = std::size_t(row - chunkRow * m_chunkHeight);
    for (int col = left; col < right;) {
        const int chunkCol = col >> kChunkColumnShift;
        const int width = ChunkWidth(chunkCol);
        const int first = chunkCol << kChunkColumnShift;
        const int end = first + width < right ? first + width : right;
        short* cells = OwnChunk(which, std::size_t(chunkRow) * std::size_t(m_chunksAcross) + std::size_t(chunkCol));
        if (!cells) return false;
        each(col, cells + rowInChunk * std::size_t(width) + std::size_t(col - first), end - col);
        col = end;
    }
    return true;
}

template <class Each>
void CCellLayers::ForEachRowPart(const ChunkChange& change, int left, int top, int right, int bottom, Each each) const
{
    if (change.index >= Of(change.layer).chunks.size() || change.cells != ChunkCells(change.index)) return;
    const int chunkCol = int(change.index % std::size_t(m_chunksAcross));
    const int chunkRow = int(change.index / std::size_t(m_chunksAcross));
    const int firstCol = chunkCol << kChunkColumnShift;
    const int firstRow = chunkRow * m_chunkHeight;
    const int width = ChunkWidth(chunkCol);
    left = left < firstCol ? firstCol : left;
    right = right > firstCol + width ? firstCol + width : right;
    top = top < firstRow ? firstRow : top;
    bottom = bottom > firstRow + ChunkHeight(chunkRow) ? firstRow + ChunkHeight(chunkRow) : bottom;
    if (left >= right) return;
    for (int row = top; row < bottom; ++row)
        each(std::size_t(row - firstRow) * std::size_t(width) + std::size_t(left - firstCol),
             std::size_t(right - left));
}

template <class Edit>
bool CCellLayers::EditRows(CellLayer layer, int left, int top, int right, int bottom, Edit edit)
{
    if (!HasLayer(layer)) return false;
    left = left < 0 ? 0 : left;
    top = top < 0 ? 0 : top;
    right = right > m_width ? m_width : right;
    bottom = bottom > m_height ? m_height : bottom;
    if (left >= right) return true;
    std::vector<short> row(std::size_t(right), 0);
    for (int y = top; y < bottom; ++y) {
        ForEachRun(layer, y, left, right,
                   [&](int col, const short* cells, int count) { std::copy_n(cells, count, row.begin() + col); });
        edit(y, row.data());
        ForEachMutableRun(layer, y, left, right,
                          [&](int col, short* cells, int count) { std::copy_n(row.begin() + col, count, cells); });
    }
    return true;
}
