// Writing a map file. The input is checked first (nothing is written on a
// refusal); the file is then saved safely (safesave.h), so a failed save
// never damages the file that was there.
#include "mapfile.h"

#include "celllayers.h"
#include "safesave.h"
#include "sprite.h"
#include "tilelist.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <span>
#include <sys/uio.h>
#include <vector>

namespace {

// The bit count and colour table the file declares for its tiles.
struct TileFormat {
    WORD bitCount = 0;
    const RGBQUAD* colours = nullptr;  // 8-bit only; null writes a table of zeros
};

WORD SpriteBitCount(const CSprite& tile) { return tile.m_pBMI->bmiHeader.biBitCount; }

// A file is readable only when one header describes every tile: the same
// size, the same bit count and, for 8 bits, the same colour table. Without
// tiles the loaded bitmap's format is stored.
MapWriteResult CheckInput(const MapSaveInput& input, TileFormat& format)
{
    if (!input.map) return MapWriteResult::CannotWrite;
    const CMapModel& map = *input.map;
    // A size no cell layer can have is not a map we hold.
    if (!LayerCellCount(map.MapWidth(), map.MapHeight())) return MapWriteResult::CannotWrite;
    const int count = map.m_tileList.GetCount();
    if (count > kMaxMapTiles) return MapWriteResult::TooManyTiles;
    if (count == 0) {
        format = {input.bitmapBitCount, input.bitmapBitCount == 8 ? input.bitmapColours : nullptr};
        return MapWriteResult::Ok;
    }
    const CSprite* first = map.m_tileList.GetAt(0);
    if (!first || first->IsEmpty()) return MapWriteResult::TileFormatsDiffer;
    format = {SpriteBitCount(*first), SpriteBitCount(*first) == 8 ? first->m_pColors : nullptr};
    const int rowSize = MapFileRowSize(map.m_nTileWidth, format.bitCount);
    for (int i = 0; i < count; ++i) {
        const CSprite* tile = map.m_tileList.GetAt(i);
        if (!tile || tile->IsEmpty() || SpriteBitCount(*tile) != format.bitCount ||
            tile->GetWidth() != map.m_nTileWidth || tile->GetHeight() != map.m_nTileHeight ||
            tile->GetStride() != rowSize)
            return MapWriteResult::TileFormatsDiffer;
        if (format.bitCount == 8 && std::memcmp(tile->m_pColors, format.colours, kMapColourTableSize) != 0)
            return MapWriteResult::TileFormatsDiffer;
    }
    return MapWriteResult::Ok;
}

class ByteSink {
public:
    virtual ~ByteSink() = default;
    virtual bool Put(const void* data, std::size_t size) = 0;
    // The pieces' bytes one after another.
    virtual bool PutPieces(std::span<const iovec> pieces)
    {
        for (const iovec& piece : pieces)
            if (!Put(piece.iov_base, piece.iov_len)) return false;
        return true;
    }
};

class MemorySink final : public ByteSink {
public:
    explicit MemorySink(std::vector<std::uint8_t>& out) : m_out(out) {}
    bool Put(const void* data, std::size_t size) override
    {
        const auto* bytes = static_cast<const std::uint8_t*>(data);
        try {
            m_out.insert(m_out.end(), bytes, bytes + size);
        } catch (const std::bad_alloc&) {
            return false;
        }
        return true;
    }

private:
    std::vector<std::uint8_t>& m_out;
};

class FileSink final : public ByteSink {
public:
    FileSink(std::FILE* file, std::uint64_t total, const MapFileProgress& progress)
        : m_file(file), m_total(total), m_progress(progress)
    {
    }
    bool Put(const void* data, std::size_t size) override
    {
        Count(size);
        return size == 0 || std::fwrite(data, 1, size, m_file) == size;
    }
    // Gathered into a band of our own that stays in the cache and goes to
    // the file in one write, past the stream's buffer (a write of at least
    // its size skips it): small pieces handed to the system one by one cost
    // more than the copy.
    bool PutPieces(std::span<const iovec> pieces) override
    {
        std::size_t total = 0;
        for (const iovec& piece : pieces) total += piece.iov_len;
        try {
            if (m_band.size() < total) m_band.resize(total);
        } catch (const std::bad_alloc&) {
            return false;
        }
        std::size_t at = 0;
        for (const iovec& piece : pieces) {
            std::memcpy(m_band.data() + at, piece.iov_base, piece.iov_len);
            at += piece.iov_len;
        }
        return Put(m_band.data(), total);
    }

private:
    void Count(std::size_t size)
    {
        m_done += size;
        if (m_progress && m_done - m_reported >= (std::uint64_t(1) << 20)) {
            m_reported = m_done;
            m_progress(m_done, m_total);
        }
    }

    std::FILE* m_file;
    std::vector<std::uint8_t> m_band;
    std::uint64_t m_total;
    const MapFileProgress& m_progress;
    std::uint64_t m_done = 0;
    std::uint64_t m_reported = 0;
};

void PutUint16(std::uint8_t* p, std::uint16_t v)
{
    p[0] = std::uint8_t(v);
    p[1] = std::uint8_t(v >> 8);
}

void PutUint32(std::uint8_t* p, std::uint32_t v)
{
    PutUint16(p, std::uint16_t(v));
    PutUint16(p + 2, std::uint16_t(v >> 16));
}

// A layer row by row; a missing layer goes out as fill. Where the layer's
// entries are the file's own (a little-endian machine), the rows' parts go
// to the sink as they lie in the chunks, a band of rows at a time.
bool PutLayer(ByteSink& sink, const CCellLayers& cells, CellLayer layer, short fill)
{
    const std::size_t width = std::size_t(cells.Width());
    constexpr std::size_t kPiecesPerWrite = 4096;  // 1 MiB of a wide map's rows, the stream buffer's size
    constexpr std::size_t kDirectFromWidth = 64;
    if (std::endian::native == std::endian::little && width >= kDirectFromWidth && cells.HasLayer(layer)) {
        const std::size_t perRow = (width + kChunkColumns - 1) / kChunkColumns;
        const int rowsPerWrite = int(std::max<std::size_t>(1, kPiecesPerWrite / perRow));
        std::vector<iovec> pieces;
        pieces.reserve(std::size_t(rowsPerWrite) * perRow);
        for (int top = 0; top < cells.Height(); top += rowsPerWrite) {
            pieces.clear();
            const int bottom = std::min(cells.Height(), top + rowsPerWrite);
            for (int row = top; row < bottom; ++row)
                cells.ForEachRun(layer, row, 0, cells.Width(), [&](int, const short* entries, int n) {
                    pieces.push_back({const_cast<short*>(entries), 2 * std::size_t(n)});
                });
            if (!sink.PutPieces(pieces)) return false;
        }
        return true;
    }
    std::vector<std::uint8_t> piece(2 * width);
    for (int row = 0; row < cells.Height(); ++row) {
        const bool present =
            cells.ForEachRun(layer, row, 0, cells.Width(), [&](int col, const short* entries, int count) {
                for (int i = 0; i < count; ++i) PutUint16(&piece[2 * std::size_t(col + i)], std::uint16_t(entries[i]));
            });
        if (!present)
            for (std::size_t i = 0; i < width; ++i) PutUint16(&piece[2 * i], std::uint16_t(fill));
        if (!sink.Put(piece.data(), piece.size())) return false;
    }
    return true;
}

bool PutMap(const MapSaveInput& input, const TileFormat& format, ByteSink& sink)
{
    const CMapModel& map = *input.map;
    const int count = map.m_tileList.GetCount();
    std::uint8_t header[kMapHeaderSize];
    std::memcpy(header, kMapMagic, sizeof kMapMagic);
    PutUint32(header + 8, std::uint32_t(map.MapWidth()));
    PutUint32(header + 12, std::uint32_t(map.MapHeight()));
    header[16] = map.m_nTileWidth;
    header[17] = map.m_nTileHeight;
    PutUint16(header + 18, format.bitCount);
    PutUint16(header + 20, std::uint16_t(count));
    if (!sink.Put(header, sizeof header)) return false;

    if (format.bitCount == 8) {
        std::uint8_t table[kMapColourTableSize] = {};
        if (format.colours) {
            for (std::size_t i = 0; i < 256; ++i) {
                table[4 * i] = format.colours[i].rgbRed;
                table[4 * i + 1] = format.colours[i].rgbGreen;
                table[4 * i + 2] = format.colours[i].rgbBlue;
            }
        }
        if (!sink.Put(table, sizeof table)) return false;
    }

    for (int i = 0; i < count; ++i) {
        const CSprite& tile = *map.m_tileList.GetAt(i);
        const std::size_t pixelBytes = std::size_t(tile.GetStride()) * std::size_t(tile.GetHeight());
        const BYTE attribute = map.m_tileList.AttributeAt(i);
        if (!sink.Put(tile.m_pBits, pixelBytes) || !sink.Put(&attribute, 1)) return false;
    }

    return PutLayer(sink, map.m_cells, CellLayer::Tiles, kEmptyTileCell) &&
           PutLayer(sink, map.m_cells, CellLayer::Attributes, kNoAttrCell);
}

constexpr std::size_t kWriteBufferBytes = std::size_t(1) << 20;

}  // namespace

MapWriteResult EncodeMapFile(const MapSaveInput& input, std::vector<std::uint8_t>& out)
{
    TileFormat format;
    const MapWriteResult check = CheckInput(input, format);
    if (check != MapWriteResult::Ok) return check;
    std::vector<std::uint8_t> bytes;
    MemorySink sink(bytes);
    if (!PutMap(input, format, sink)) return MapWriteResult::CannotWrite;
    out = std::move(bytes);
    return MapWriteResult::Ok;
}

MapWriteResult WriteMapFile(const std::string& path, const MapSaveInput& input, const MapFileProgress& progress)
{
    TileFormat format;
    const MapWriteResult check = CheckInput(input, format);
    if (check != MapWriteResult::Ok) return check;

    // Tiles go out 3 KiB at a time. Through the default 4 KiB buffer each
    // becomes a small write of its own, and the system takes those at half
    // the speed of large ones; a large buffer hands it large writes. Without
    // the memory for it, the default buffer still works. The buffer must
    // outlive the stream, which is closed when the save ends.
    std::unique_ptr<char[]> buffer(new (std::nothrow) char[kWriteBufferBytes]);
    SafeSave save(path);
    if (!save.Open()) return MapWriteResult::CannotWrite;
    std::FILE* file = save.Stream();
    if (buffer) std::setvbuf(file, buffer.get(), _IOFBF, kWriteBufferBytes);
    const CMapModel& map = *input.map;
    const std::uint64_t total = MapFileLength(map.MapWidth(), map.MapHeight(), map.m_nTileWidth, map.m_nTileHeight,
                                              format.bitCount, map.m_tileList.GetCount())
                                    .value_or(0);
    FileSink sink(file, total, progress);
    if (!PutMap(input, format, sink) || !save.Commit()) return MapWriteResult::CannotWrite;
    return MapWriteResult::Ok;
}
