#include "celllayers.h"

#include <algorithm>
#include <cstring>

namespace {
// A little under 128 KiB a chunk: small enough that the first edit after a
// copy duplicates little, large enough that a map of 2^26 cells has ~1,000;
// with its count and the allocator's header it stays under the size that
// the allocator would map on its own, rounded up to whole pages.
constexpr int kChunkCells = (1 << 16) - 32;
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
    case LayerAllocResult::TileLayerFailed: return kMsgTileLayerAllocFailed;
    case LayerAllocResult::AttrLayerFailed: return kMsgAttrLayerAllocFailed;
    case LayerAllocResult::Ok: break;
    }
    return nullptr;
}

std::size_t CCellLayers::ChunkCells(std::size_t chunk) const
{
    const std::size_t firstRow = chunk * std::size_t(m_rowsPerChunk);
    const std::size_t rows = std::min<std::size_t>(std::size_t(m_rowsPerChunk), std::size_t(m_height) - firstRow);
    return rows * std::size_t(m_width);
}

bool CCellLayers::MakeLayer(Layer& layer, short fill) const
{
    layer.chunks.clear();
    layer.present = false;
    if (!LayerCellCount(m_width, m_height)) return false;
    const std::size_t count = m_height == 0 ? 0 : (std::size_t(m_height) + m_rowsPerChunk - 1) / m_rowsPerChunk;
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
        const auto bits = static_cast<unsigned short>(fill);
        if ((bits & 0xFF) == bits >> 8)
            std::memset(block.get(), bits & 0xFF, cells * sizeof(short));
        else
            std::fill_n(block.get(), cells, fill);
        layer.chunks.push_back(std::move(block));
    }
    layer.present = true;
    return true;
}

LayerAllocResult CCellLayers::Create(int width, int height)
{
    // The old cells go first, so a large map is never held twice.
    m_tiles = {false, {}};
    m_attrs = {false, {}};
    m_width = std::max(0, width);
    m_height = std::max(0, height);
    m_rowsPerChunk = std::max(1, kChunkCells / std::max(1, m_width));
    if (!MakeLayer(m_tiles, kEmptyTileCell)) return LayerAllocResult::TileLayerFailed;
    if (!MakeLayer(m_attrs, kNoAttrCell)) return LayerAllocResult::AttrLayerFailed;
    return LayerAllocResult::Ok;
}

const short* CCellLayers::Row(CellLayer which, int row) const
{
    const Layer& layer = Of(which);
    if (!layer.present || row < 0 || row >= m_height) return nullptr;
    const short* chunk = layer.chunks[std::size_t(row / m_rowsPerChunk)].get();
    return chunk + std::size_t(row % m_rowsPerChunk) * std::size_t(m_width);
}

short* CCellLayers::MutableRow(CellLayer which, int row)
{
    Layer& layer = Of(which);
    if (!layer.present || row < 0 || row >= m_height) return nullptr;
    const std::size_t index = std::size_t(row / m_rowsPerChunk);
    CellChunk& chunk = layer.chunks[index];
    if (!chunk.Sole()) {
        // Another copy still sees this chunk: write into one of our own.
        const std::size_t cells = ChunkCells(index);
        CellChunk own = CellChunk::Make(cells);
        if (!own) return nullptr;
        std::copy_n(chunk.get(), cells, own.get());
        chunk = std::move(own);
    }
    return chunk.get() + std::size_t(row % m_rowsPerChunk) * std::size_t(m_width);
}

std::optional<short> CCellLayers::Get(CellLayer layer, int col, int row) const
{
    if (!Contains(col, row)) return std::nullopt;
    const short* cells = Row(layer, row);
    if (!cells) return std::nullopt;
    return cells[col];
}

bool CCellLayers::Set(CellLayer layer, int col, int row, short value)
{
    if (!Contains(col, row)) return false;
    short* cells = MutableRow(layer, row);
    if (!cells) return false;
    cells[col] = value;
    return true;
}

std::vector<ChunkChange> CCellLayers::ChangesSince(const CCellLayers& earlier)
{
    std::vector<ChunkChange> changes;
    for (const CellLayer which : {CellLayer::Tiles, CellLayer::Attributes}) {
        Layer& now = Of(which);
        const Layer& then = earlier.Of(which);
        if (now.chunks.size() != then.chunks.size()) continue;  // a layer made or lost: no edit does that
        for (std::size_t index = 0; index < now.chunks.size(); ++index) {
            CellChunk& chunk = now.chunks[index];
            const CellChunk& old = then.chunks[index];
            if (chunk == old) continue;
            const std::size_t cells = ChunkCells(index);
            if (std::equal(chunk.get(), chunk.get() + cells, old.get())) {
                chunk = old;  // written with what it held: share it again
                continue;
            }
            changes.push_back({which, index, cells, old, chunk});
        }
    }
    return changes;
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
