// Reading a map file. Everything the header promises is compared with the
// file's length before anything is allocated, and the result is built aside:
// the caller's content changes only when the whole file was read.
#include "mapfile.h"

#include "celllayers.h"
#include "sprite.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <new>
#include <span>
#include <vector>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

namespace {

constexpr std::size_t kReadPieceBytes = std::size_t(64) << 10;
constexpr std::uint64_t kProgressEveryBytes = std::uint64_t(1) << 20;

std::uint16_t Uint16At(const std::uint8_t* p) { return std::uint16_t(p[0] | (p[1] << 8)); }

std::uint32_t Uint32At(const std::uint8_t* p)
{
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24);
}

// Where the bytes come from: a buffer (the fuzzer, tests) or a file, read
// in pieces so a large file never has to sit in memory twice.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::uint64_t Size() const = 0;
    // The next n bytes, valid until the next call; nullptr if they cannot be read.
    virtual const std::uint8_t* Next(std::size_t n) = 0;
    // Copies the next bytes into the pieces, one after another (so a tile's
    // rows go straight to where the tile keeps them); false if they cannot
    // all be read. The pieces are used up in the process.
    virtual bool ReadInto(std::span<iovec> pieces) = 0;
};

// Takes n bytes off the front of a piece.
void Consume(iovec& piece, std::size_t n)
{
    piece.iov_base = static_cast<std::uint8_t*>(piece.iov_base) + n;
    piece.iov_len -= n;
}

class MemorySource final : public ByteSource {
public:
    MemorySource(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    std::uint64_t Size() const override { return m_size; }
    const std::uint8_t* Next(std::size_t n) override
    {
        if (n > m_size - m_pos) return nullptr;
        const std::uint8_t* p = m_data + m_pos;
        m_pos += n;
        return p;
    }
    bool ReadInto(std::span<iovec> pieces) override
    {
        for (const iovec& piece : pieces) {
            const std::uint8_t* p = Next(piece.iov_len);
            if (!p) return false;
            std::memcpy(piece.iov_base, p, piece.iov_len);
        }
        return true;
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

// Reads the file a large piece at a time, straight into its own buffer,
// and hands out records from there; what goes into pieces of the caller's
// is read straight into them. Either way each byte is copied once on its
// way from the file to its place.
class FileSource final : public ByteSource {
public:
    FileSource(int file, std::uint64_t size, const MapFileProgress& progress)
        : m_file(file), m_size(size), m_progress(progress)
    {
    }
    std::uint64_t Size() const override { return m_size; }
    const std::uint8_t* Next(std::size_t n) override
    {
        if (m_end - m_pos < n && !Refill(n)) return nullptr;
        const std::uint8_t* p = m_buffer.get() + m_pos;
        m_pos += n;
        Advance(n);
        return p;
    }
    bool ReadInto(std::span<iovec> pieces) override
    {
        std::size_t total = 0;
        for (const iovec& piece : pieces) total += piece.iov_len;
        Advance(total);
        // What the buffer holds already comes first.
        std::size_t i = 0;
        while (i < pieces.size() && m_pos < m_end) {
            const std::size_t n = std::min(pieces[i].iov_len, m_end - m_pos);
            std::memcpy(pieces[i].iov_base, m_buffer.get() + m_pos, n);
            m_pos += n;
            Consume(pieces[i], n);
            if (pieces[i].iov_len == 0) ++i;
        }
        while (i < pieces.size()) {
            const int count = int(std::min<std::size_t>(pieces.size() - i, IOV_MAX));
            const ssize_t got = ::readv(m_file, &pieces[i], count);
            if (got < 0 && errno == EINTR) continue;
            if (got < 0 || (got == 0 && pieces[i].iov_len > 0)) return false;
            // A short read leaves the rest for the next turn.
            std::size_t left = std::size_t(got);
            for (; i < pieces.size() && left >= pieces[i].iov_len; ++i) left -= pieces[i].iov_len;
            if (left > 0) Consume(pieces[i], left);
        }
        return true;
    }

private:
    void Advance(std::size_t n)
    {
        m_done += n;
        if (m_progress && m_done - m_reported >= kProgressEveryBytes) {
            m_reported = m_done;
            m_progress(m_done, m_size);
        }
    }

    // Keeps the unread bytes, moved to the front, and reads after them
    // until the buffer is full or the file ends; true once n bytes are held.
    bool Refill(std::size_t n)
    {
        const std::size_t kept = m_end - m_pos;
        const std::size_t capacity = std::max(n, kReadPieceBytes);
        if (capacity > m_capacity) {
            std::unique_ptr<std::uint8_t[]> larger(new (std::nothrow) std::uint8_t[capacity]);
            if (!larger) return false;
            if (kept > 0) std::memcpy(larger.get(), m_buffer.get() + m_pos, kept);
            m_buffer = std::move(larger);
            m_capacity = capacity;
        } else if (kept > 0) {
            std::memmove(m_buffer.get(), m_buffer.get() + m_pos, kept);
        }
        m_pos = 0;
        m_end = kept;
        while (m_end < m_capacity) {
            const ssize_t got = ::read(m_file, m_buffer.get() + m_end, m_capacity - m_end);
            if (got < 0 && errno == EINTR) continue;
            if (got <= 0) break;
            m_end += std::size_t(got);
        }
        return m_end >= n;
    }

    int m_file;
    std::uint64_t m_size;
    const MapFileProgress& m_progress;
    std::uint64_t m_done = 0;      // bytes handed out
    std::uint64_t m_reported = 0;  // m_done when progress was last told
    std::unique_ptr<std::uint8_t[]> m_buffer;
    std::size_t m_capacity = 0;
    std::size_t m_pos = 0;  // the next byte handed out
    std::size_t m_end = 0;  // one past the last byte read
};

// Memory for every tile's block, in one piece. A map's tiles are tens of
// MiB written once, at load: taken page by page, each first touch of a page
// is a fault of its own, and those faults cost several times the reading.
// So a large piece is mapped with its pages made at once, in huge pages
// where the system has them. Null without the memory.
std::shared_ptr<BYTE[]> TileStorage(std::size_t bytes)
{
    constexpr std::size_t kMappedFrom = std::size_t(1) << 20;
    if (bytes < kMappedFrom) return std::shared_ptr<BYTE[]>(new (std::nothrow) BYTE[bytes]);
    void* memory = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) return nullptr;
    ::madvise(memory, bytes, MADV_HUGEPAGE);
    // Made now rather than at each first touch; a system that cannot is left to fault them in.
    ::madvise(memory, bytes, MADV_POPULATE_WRITE);
    return std::shared_ptr<BYTE[]>(static_cast<BYTE*>(memory), [bytes](BYTE* p) { ::munmap(p, bytes); });
}

// Fills a layer from the source. Where the file's entries are the layer's
// own (a little-endian machine), they are read straight into the chunks, a
// band of rows at a time: a copy through a buffer of ours would cost as
// much again as the reading. Rows of a narrow map are pieces too small for
// that, and go through the buffer.
bool ReadLayer(ByteSource& source, CCellLayers& cells, CellLayer layer)
{
    const std::size_t width = std::size_t(cells.Width());
    constexpr std::size_t kPiecesPerRead = 1024;
    constexpr std::size_t kDirectFromWidth = 64;
    if (std::endian::native == std::endian::little && width >= kDirectFromWidth) {
        const std::size_t perRow = (width + kChunkColumns - 1) / kChunkColumns;
        const int rowsPerRead = int(std::max<std::size_t>(1, kPiecesPerRead / perRow));
        std::vector<iovec> pieces;
        try {
            pieces.reserve(std::size_t(rowsPerRead) * perRow);
        } catch (const std::bad_alloc&) {
            return false;
        }
        for (int top = 0; top < cells.Height(); top += rowsPerRead) {
            pieces.clear();
            const int bottom = std::min(cells.Height(), top + rowsPerRead);
            for (int row = top; row < bottom; ++row) {
                const bool own = cells.ForEachMutableRun(layer, row, 0, cells.Width(), [&](int, short* entries, int n) {
                    pieces.push_back({entries, 2 * std::size_t(n)});
                });
                if (!own) return false;
            }
            if (!source.ReadInto(pieces)) return false;
        }
        return true;
    }
    for (int row = 0; row < cells.Height(); ++row) {
        const std::uint8_t* p = source.Next(width * 2);
        if (!p) return false;
        const bool written =
            cells.ForEachMutableRun(layer, row, 0, cells.Width(), [&](int col, short* entries, int count) {
                const std::uint8_t* from = p + 2 * std::size_t(col);
                for (int i = 0; i < count; ++i) entries[i] = short(Uint16At(from + 2 * std::size_t(i)));
            });
        if (!written) return false;
    }
    return true;
}

// Hands a layer's rows, as the file holds them, to rows: read a band at a
// time straight into a buffer of ours, so each byte is copied once.
bool ScanLayer(ByteSource& source, int width, int height, CellLayer layer, const MapRowVisitor& rows)
{
    constexpr std::size_t kBandBytes = std::size_t(1) << 20;
    const std::size_t rowBytes = std::size_t(width) * 2;
    if (rowBytes == 0) return true;
    const int bandRows = int(std::clamp<std::size_t>(kBandBytes / rowBytes, 1, std::size_t(std::max(height, 1))));
    std::unique_ptr<std::uint8_t[]> band(new (std::nothrow) std::uint8_t[rowBytes * std::size_t(bandRows)]);
    if (!band) return false;
    for (int top = 0; top < height; top += bandRows) {
        const int count = std::min(bandRows, height - top);
        iovec piece{band.get(), rowBytes * std::size_t(count)};
        if (!source.ReadInto(std::span(&piece, 1))) return false;
        for (int i = 0; i < count; ++i) rows(layer, top + i, band.get() + rowBytes * std::size_t(i), width);
    }
    return true;
}

// rows null: the cells go into out's layers; otherwise they go to rows and
// out's layers stay empty.
MapReadResult Parse(ByteSource& source, MapFileContent& out, const MapRowVisitor* rows = nullptr)
{
    if (source.Size() < kMapHeaderSize) return MapReadResult::Invalid;
    const std::uint8_t* header = source.Next(kMapHeaderSize);
    if (!header) return MapReadResult::CannotOpen;
    // The NUL after the seven characters is not part of the check.
    if (std::memcmp(header, kMapMagic, 7) != 0) return MapReadResult::Invalid;

    MapFileContent content;
    CMapModel& map = content.map;
    const int mapWidth = std::int32_t(Uint32At(header + 8));
    const int mapHeight = std::int32_t(Uint32At(header + 12));
    map.m_nTileWidth = header[16];
    map.m_nTileHeight = header[17];
    content.bitCount = Uint16At(header + 18);
    const int tileCount = std::int16_t(Uint16At(header + 20));
    if (mapWidth < 0 || mapHeight < 0 || map.m_nTileWidth == 0 || map.m_nTileHeight == 0 || tileCount < 0)
        return MapReadResult::Invalid;
    const WORD bits = content.bitCount;
    if (tileCount > 0 && bits != 8 && bits != 16 && bits != 24) return MapReadResult::Invalid;

    const auto length = MapFileLength(mapWidth, mapHeight, map.m_nTileWidth, map.m_nTileHeight, bits, tileCount);
    if (!length || *length != source.Size()) return MapReadResult::Invalid;

    // The file really holds this many cells; the layers may still be more
    // than we are willing to allocate.
    // Every cell is read into the layers, so they are not filled first.
    const LayerAllocResult made =
        rows ? (LayerCellCount(mapWidth, mapHeight) ? LayerAllocResult::Ok : LayerAllocResult::TooLarge)
             : map.m_cells.Create(mapWidth, mapHeight, CCellLayers::Fill::Unset);
    switch (made) {
    case LayerAllocResult::TooLarge: return MapReadResult::TooLarge;
    case LayerAllocResult::TileLayerFailed: return MapReadResult::TileLayerAllocFailed;
    case LayerAllocResult::AttrLayerFailed: return MapReadResult::AttrLayerAllocFailed;
    case LayerAllocResult::Ok: break;
    }

    if (bits == 8) {
        const std::uint8_t* table = source.Next(kMapColourTableSize);
        if (!table) return MapReadResult::CannotOpen;
        for (std::size_t i = 0; i < content.colours.size(); ++i) {
            RGBQUAD& entry = content.colours[i];
            entry.rgbRed = table[4 * i];
            entry.rgbGreen = table[4 * i + 1];
            entry.rgbBlue = table[4 * i + 2];
            entry.rgbReserved = 0;
        }
    }

    const std::size_t pixelBytes = std::size_t(map.m_nTileHeight) * std::size_t(MapFileRowSize(map.m_nTileWidth, bits));
    // Every tile's block in one piece (see TileStorage), the rows read
    // straight into it, a batch of tiles at a time. Without the memory for
    // it, each tile gets a block of its own.
    const std::size_t blockBytes = CSprite::BlockBytes(map.m_nTileWidth, map.m_nTileHeight, bits);
    const std::size_t rowsOffset = CSprite::RowsOffset(bits);
    std::shared_ptr<BYTE[]> storage;
    if (tileCount > 0) storage = TileStorage(blockBytes * std::size_t(tileCount));
    // The tiles themselves in one allocation as well, which each tile shares:
    // one small allocation per tile costs more than its rows.
    std::shared_ptr<CSprite[]> tiles;
    if (tileCount > 0) {
        tiles.reset(new (std::nothrow) CSprite[std::size_t(tileCount)]);
        if (!tiles) return MapReadResult::TileCreateFailed;
        map.m_tileList.Reserve(tileCount);
    }
    constexpr int kTilesPerRead = 512;  // two pieces each, within what one readv takes
    std::array<iovec, 2 * kTilesPerRead> pieces;
    std::array<BYTE, kTilesPerRead> attributes;
    for (int first = 0; first < tileCount; first += kTilesPerRead) {
        const int count = std::min(kTilesPerRead, tileCount - first);
        const auto blockAt = [&](int k) { return storage.get() + blockBytes * std::size_t(first + k); };
        if (storage) {
            for (int k = 0; k < count; ++k) {
                pieces[std::size_t(2 * k)] = {blockAt(k) + rowsOffset, pixelBytes};
                pieces[std::size_t(2 * k + 1)] = {&attributes[std::size_t(k)], 1};
            }
            if (!source.ReadInto(std::span(pieces.data(), std::size_t(2 * count)))) return MapReadResult::CannotOpen;
            // The headers go in front of rows that have left the cache: ask
            // for all of a batch's at once rather than wait for each in turn.
            for (int k = 0; k < count; ++k) __builtin_prefetch(blockAt(k), 1);
        }
        for (int k = 0; k < count; ++k) {
            BYTE* block = storage ? blockAt(k) : nullptr;
            const std::uint8_t* rows = block ? block + rowsOffset : source.Next(pixelBytes + 1);
            if (!rows) return MapReadResult::CannotOpen;
            const BYTE attribute = block ? attributes[std::size_t(k)] : rows[pixelBytes];
            CSprite& tile = tiles[std::size_t(first + k)];
            tile.CreateFromData(map.m_nTileWidth, map.m_nTileHeight, bits == 8 ? content.colours.data() : nullptr, rows,
                                bits, storage, block);
            if (tile.IsEmpty()) return MapReadResult::TileCreateFailed;
            map.m_tileList.AddTail(SharedSprite(tiles, &tile), attribute);
        }
    }

    if (rows) {
        if (!ScanLayer(source, mapWidth, mapHeight, CellLayer::Tiles, *rows) ||
            !ScanLayer(source, mapWidth, mapHeight, CellLayer::Attributes, *rows))
            return MapReadResult::CannotOpen;
    } else if (!ReadLayer(source, map.m_cells, CellLayer::Tiles) ||
               !ReadLayer(source, map.m_cells, CellLayer::Attributes)) {
        return MapReadResult::CannotOpen;
    }

    out = std::move(content);
    return MapReadResult::Ok;
}

}  // namespace

MapReadResult ParseMapFile(const std::uint8_t* data, std::size_t size, MapFileContent& out)
{
    if (!data) size = 0;
    MemorySource source(data, size);
    return Parse(source, out);
}

namespace {
MapReadResult ReadFile(const std::string& path, MapFileContent& out, const MapFileProgress& progress,
                       const MapRowVisitor* rows)
{
    const int file = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0) return MapReadResult::CannotOpen;
    struct stat info {};
    MapReadResult result = MapReadResult::CannotOpen;
    if (::fstat(file, &info) == 0 && S_ISREG(info.st_mode)) {
        FileSource source(file, std::uint64_t(info.st_size), progress);
        result = Parse(source, out, rows);
    }
    ::close(file);
    return result;
}
}  // namespace

MapReadResult ReadMapFile(const std::string& path, MapFileContent& out, const MapFileProgress& progress)
{
    return ReadFile(path, out, progress, nullptr);
}

MapReadResult ScanMapFile(const std::string& path, MapFileContent& out, const MapRowVisitor& rows)
{
    return ReadFile(path, out, {}, &rows);
}
