#include "celllayers.h"

#include <algorithm>
#include <cstring>

namespace {
// 32 KiB a chunk (128 x 128 cells): an edit copies little more than the
// cells it writes, and a map of 2^28 cells has 16,384 chunks a layer, few
// enough that comparing them all after an edit costs microseconds. A map
// narrower than a chunk gets chunks as tall as make the same number of cells.
constexpr int kChunkCells = kChunkColumns * kChunkColumns;
}  // namespace

std::optional<std::size_t> LayerCellCount(int mapWidth, int mapHeight)
{
    if (mapWidth < 0 || mapHeight < 0 || mapWidth > kMaxMapSide || mapHeight > kMaxMapSide) return std::nullopt;
    // Both factors are below 2^31, so the product fits in 64 bits.
    const std::int64_t cells = std::int64_t(mapWidth) * std::int64_t(mapHeight);
    if (cells > kMaxLayerCells) return std::nullopt;
    return std::size_t(cells);
}

const char* LayerAllocMessage(LayerAllocResult result)
{
    switch (result) {
    case LayerAllocResult::TooLarge: return kMsgMapTooLarge;
    case LayerAllocResult::TileLayerFailed: return kMsgTileLayerAllocFailed;
    case LayerAllocResult::AttrLayerFailed: return kMsgAttrLayerAllocFailed;
    case LayerAllocResult::Ok: break;
    }
    return nullptr;
}

int CCellLayers::ChunkWidth(int chunkCol) const
{
    return std::min(m_chunkWidth, m_width - (chunkCol << kChunkColumnShift));
}

int CCellLayers::ChunkHeight(int chunkRow) const
{
    return std::min(m_chunkHeight, m_height - chunkRow * m_chunkHeight);
}

std::size_t CCellLayers::ChunkCells(std::size_t chunk) const
{
    const std::size_t across = std::size_t(std::max(1, m_chunksAcross));
    return std::size_t(ChunkWidth(int(chunk % across))) * std::size_t(ChunkHeight(int(chunk / across)));
}

bool CCellLayers::MakeLayer(Layer& layer, std::optional<short> fill) const
{
    layer.chunks.clear();
    layer.present = false;
    if (!LayerCellCount(m_width, m_height)) return false;
    const std::size_t down =
        m_width == 0 ? 0 : (std::size_t(m_height) + std::size_t(m_chunkHeight) - 1) / std::size_t(m_chunkHeight);
    const std::size_t count = down * std::size_t(m_chunksAcross);
    try {
        layer.chunks.reserve(count);
    } catch (const std::bad_alloc&) {
        return false;
    }
    for (std::size_t chunk = 0; chunk < count; ++chunk) {
        const std::size_t cells = ChunkCells(chunk);
        CellChunk block = CellChunk::Make(cells);
        if (!block) {
            layer.chunks.clear();
            return false;
        }
        // Empty (-1) and 0 are one byte repeated: memset fills the layer of
        // a large map several times faster than a loop of shorts.
        // Without a fill the reader writes every cell itself.
        const auto bits = static_cast<unsigned short>(fill.value_or(0));
        if (fill && (bits & 0xFF) == bits >> 8)
            std::memset(block.get(), bits & 0xFF, cells * sizeof(short));
        else if (fill)
            std::fill_n(block.get(), cells, *fill);
        layer.chunks.push_back(std::move(block));
    }
    layer.present = true;
    return true;
}

LayerAllocResult CCellLayers::Create(int width, int height, Fill fill)
{
    // The old cells go first, so a large map is never held twice.
    m_tiles = {false, {}, {}};
    m_attrs = {false, {}, {}};
    m_editing = false;  // an edit's kept chunks belong to the old layers
    m_editFailed = false;
    m_kept.clear();
    m_width = std::max(0, width);
    m_height = std::max(0, height);
    m_chunkWidth = std::clamp(m_width, 1, kChunkColumns);
    m_chunkHeight = kChunkCells / m_chunkWidth;
    m_chunksAcross = int((std::int64_t(m_width) + m_chunkWidth - 1) / m_chunkWidth);  // the width may be INT_MAX
    if (!LayerCellCount(width, height)) return LayerAllocResult::TooLarge;
    const bool set = fill == Fill::Empty;
    if (!MakeLayer(m_tiles, set ? std::optional<short>(kEmptyTileCell) : std::nullopt))
        return LayerAllocResult::TileLayerFailed;
    if (!MakeLayer(m_attrs, set ? std::optional<short>(kNoAttrCell) : std::nullopt))
        return LayerAllocResult::AttrLayerFailed;
    return LayerAllocResult::Ok;
}

bool CCellLayers::WriteChunk(CellLayer layer, std::size_t index, const short* cells)
{
    if (index >= ChunkCount(layer)) return false;
    short* own = OwnChunk(layer, index, true);
    if (!own) return false;
    std::memcpy(own, cells, ChunkCells(index) * sizeof(short));
    return true;
}

CellRow CCellLayers::RowOf(CellLayer which, int row) const
{
    const Layer& layer = Of(which);
    if (!layer.present || row < 0 || row >= m_height || m_width == 0) return {};
    const int chunkRow = row / m_chunkHeight;
    const int last = m_chunksAcross - 1;
    return {layer.chunks.data() + std::size_t(chunkRow) * std::size_t(m_chunksAcross),
            std::size_t(row - chunkRow * m_chunkHeight), m_chunkWidth, last, ChunkWidth(last)};
}

short* CCellLayers::OwnChunk(CellLayer which, std::size_t index, bool fresh)
{
    Layer& layer = Of(which);
    CellChunk& chunk = layer.chunks[index];
    if (m_editing && !layer.kept[index]) {
        // The edit's first write here: the chunk as it was stays aside, and
        // the write goes into a new one.
        m_kept.push_back({which, index, chunk});
        layer.kept[index] = true;
    }
    if (chunk.Sole()) return chunk.get();
    // Another copy still sees this chunk: write into one of our own.
    const std::size_t cells = ChunkCells(index);
    CellChunk own = CellChunk::Make(cells);
    if (!own) {
        if (m_editing) m_editFailed = true;
        return nullptr;
    }
    if (!fresh) std::copy_n(chunk.get(), cells, own.get());
    chunk = std::move(own);
    return chunk.get();
}

short* CCellLayers::MutableChunk(CellLayer layer, int chunkCol, int chunkRow, bool fresh)
{
    if (!HasLayer(layer) || chunkCol < 0 || chunkRow < 0 || chunkCol >= m_chunksAcross ||
        std::int64_t(chunkRow) * m_chunkHeight >= m_height)
        return nullptr;
    return OwnChunk(layer, std::size_t(chunkRow) * std::size_t(m_chunksAcross) + std::size_t(chunkCol), fresh);
}

bool CCellLayers::ReadRow(CellLayer layer, int row, short* out) const
{
    return ForEachRun(layer, row, 0, m_width,
                      [&](int col, const short* cells, int count) { std::copy_n(cells, count, out + col); });
}

bool CCellLayers::WriteRow(CellLayer layer, int row, const short* in)
{
    return ForEachMutableRun(layer, row, 0, m_width,
                             [&](int col, short* cells, int count) { std::copy_n(in + col, count, cells); });
}

bool CCellLayers::FillRect(CellLayer which, int left, int top, int right, int bottom, short value)
{
    Layer& layer = Of(which);
    if (!layer.present) return false;
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, m_width);
    bottom = std::min(bottom, m_height);
    if (left >= right || top >= bottom) return true;
    for (int chunkRow = top / m_chunkHeight; chunkRow * m_chunkHeight < bottom; ++chunkRow) {
        const int firstRow = chunkRow * m_chunkHeight;
        const int height = ChunkHeight(chunkRow);
        const int rowA = std::max(top, firstRow);
        const int rowB = std::min(bottom, firstRow + height);
        for (int chunkCol = left >> kChunkColumnShift; (chunkCol << kChunkColumnShift) < right; ++chunkCol) {
            const int firstCol = chunkCol << kChunkColumnShift;
            const int width = ChunkWidth(chunkCol);
            const int colA = std::max(left, firstCol);
            const int colB = std::min(right, firstCol + width);
            const bool whole =
                rowA == firstRow && rowB == firstRow + height && colA == firstCol && colB == firstCol + width;
            const std::size_t index = std::size_t(chunkRow) * std::size_t(m_chunksAcross) + std::size_t(chunkCol);
            short* cells = OwnChunk(which, index, whole);
            if (!cells) return false;
            for (int row = rowA; row < rowB; ++row)
                std::fill_n(cells + std::size_t(row - firstRow) * std::size_t(width) + std::size_t(colA - firstCol),
                            colB - colA, value);
        }
    }
    return true;
}

std::optional<short> CCellLayers::Get(CellLayer layer, int col, int row) const
{
    if (!Contains(col, row)) return std::nullopt;
    const CellRow cells = RowOf(layer, row);
    if (!cells) return std::nullopt;
    return cells[col];
}

bool CCellLayers::Set(CellLayer layer, int col, int row, short value)
{
    if (!Contains(col, row)) return false;
    return ForEachMutableRun(layer, row, col, col + 1, [&](int, short* cells, int) { *cells = value; });
}

void CCellLayers::BeginEdit()
{
    // The marks are all clear outside an edit; only a new size sets them up.
    m_kept.clear();
    for (Layer* layer : {&m_tiles, &m_attrs})
        if (layer->kept.size() != layer->chunks.size()) layer->kept.assign(layer->chunks.size(), false);
    m_editing = true;
    m_editFailed = false;
}

std::vector<ChunkChange> CCellLayers::EndEdit()
{
    std::vector<ChunkChange> changes;
    // Taken first: running out of memory here leaves the edit open, to be abandoned.
    changes.reserve(m_kept.size());
    for (KeptChunk& kept : m_kept) {
        Layer& layer = Of(kept.layer);
        layer.kept[kept.index] = false;
        CellChunk& chunk = layer.chunks[kept.index];
        const std::size_t cells = ChunkCells(kept.index);
        if (chunk == kept.before || std::equal(chunk.get(), chunk.get() + cells, kept.before.get())) {
            chunk = kept.before;  // written with what it held: share it again
            continue;
        }
        changes.push_back({kept.layer, kept.index, cells, std::move(kept.before), chunk});
    }
    m_kept.clear();
    m_editing = false;
    return changes;
}

void CCellLayers::AbandonEdit() noexcept
{
    if (!m_editing) return;
    for (KeptChunk& kept : m_kept) {
        Layer& layer = Of(kept.layer);
        layer.kept[kept.index] = false;
        layer.chunks[kept.index] = std::move(kept.before);
    }
    m_kept.clear();
    m_editing = false;
    m_editFailed = false;
}

void CCellLayers::PutChunks(const std::vector<ChunkChange>& changes, bool after)
{
    for (const ChunkChange& change : changes) {
        Layer& layer = Of(change.layer);
        // A chunk of another map's shape never goes in.
        if (change.index < layer.chunks.size() && change.cells == ChunkCells(change.index))
            layer.chunks[change.index] = after ? change.after : change.before;
    }
}
