#include "celljournal.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <optional>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char kJournalMagic[8] = {'P', 'E', 'L', 'L', 'I', 'N', 'J', '1'};
constexpr char kBatchMagic[4] = {'P', 'J', 'B', '1'};
constexpr std::size_t kJournalHeader = 16;
constexpr std::size_t kBatchHeader = 16;
constexpr std::size_t kChunkHeader = 12;
constexpr std::size_t kBatchTrailer = 8;

void Put(std::vector<std::uint8_t>& out, std::uint64_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i) out.push_back(std::uint8_t(value >> (8 * i)));
}

std::uint64_t Get(const std::uint8_t* in, int bytes)
{
    std::uint64_t value = 0;
    for (int i = 0; i < bytes; ++i) value |= std::uint64_t(in[i]) << (8 * i);
    return value;
}

std::uint64_t Fnv1a(const std::uint8_t* data, std::size_t size)
{
    std::uint64_t hash = 14695981039346656037ull;
    for (std::size_t i = 0; i < size; ++i) hash = (hash ^ data[i]) * 1099511628211ull;
    return hash;
}

bool WriteAll(int fd, const std::uint8_t* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        data += written;
        size -= std::size_t(written);
    }
    return true;
}

// Exactly size bytes, or false at the end of the file or an error.
bool ReadAll(int fd, std::uint8_t* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t got = ::read(fd, data, size);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        data += got;
        size -= std::size_t(got);
    }
    return true;
}

class File {
public:
    File(const std::string& path, int flags) : m_fd(::open(path.c_str(), flags | O_CLOEXEC, 0600)) {}
    ~File()
    {
        if (m_fd >= 0) ::close(m_fd);
    }
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    int fd() const { return m_fd; }

private:
    int m_fd;
};

constexpr std::uint8_t kTileAttributesRecord = 2;

struct ChunkRecord {
    std::uint8_t kind;  // 0 tiles, 1 attributes, kTileAttributesRecord
    std::size_t index;
    const std::uint8_t* cells;
    std::size_t count;
};

// The payload's chunks, each checked against the layers' shape; nothing
// when any of them does not fit.
std::optional<std::vector<ChunkRecord>> ParsePayload(const std::vector<std::uint8_t>& payload, std::size_t count,
                                                     const CCellLayers& cells, const TileAttributes* tileAttributes)
{
    std::vector<ChunkRecord> records;
    std::size_t at = 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (payload.size() - at < kChunkHeader) return std::nullopt;
        const std::uint8_t* head = payload.data() + at;
        const std::uint8_t kind = head[0];
        const std::size_t index = std::size_t(Get(head + 4, 4));
        const std::size_t cellCount = std::size_t(Get(head + 8, 4));
        at += kChunkHeader;
        if ((payload.size() - at) / 2 < cellCount) return std::nullopt;
        if (kind == kTileAttributesRecord) {
            if (index != 0 || (tileAttributes && cellCount != tileAttributes->size())) return std::nullopt;
            for (std::size_t i = 0; i < cellCount; ++i)
                if (Get(payload.data() + at + 2 * i, 2) > 0xFF) return std::nullopt;
        } else {
            if (kind > 1) return std::nullopt;
            const CellLayer layer = kind == 0 ? CellLayer::Tiles : CellLayer::Attributes;
            if (index >= cells.ChunkCount(layer) || cellCount != cells.ChunkCellCount(index)) return std::nullopt;
        }
        records.push_back({kind, index, payload.data() + at, cellCount});
        at += 2 * cellCount;
    }
    if (at != payload.size()) return std::nullopt;
    return records;
}

}  // namespace

bool SameLayerShape(const CCellLayers& a, const CCellLayers& b)
{
    return a.Width() == b.Width() && a.Height() == b.Height() &&
           a.HasLayer(CellLayer::Tiles) == b.HasLayer(CellLayer::Tiles) &&
           a.HasLayer(CellLayer::Attributes) == b.HasLayer(CellLayer::Attributes);
}

std::vector<JournalChunk> ChangedChunks(const CCellLayers& then, const CCellLayers& now)
{
    std::vector<JournalChunk> changed;
    for (const CellLayer layer : {CellLayer::Tiles, CellLayer::Attributes}) {
        const std::size_t count = std::min(then.ChunkCount(layer), now.ChunkCount(layer));
        for (std::size_t index = 0; index < count; ++index) {
            const CellChunk& chunk = now.Chunk(layer, index);
            if (!(chunk == then.Chunk(layer, index)))
                changed.push_back({layer, index, chunk, now.ChunkCellCount(index)});
        }
    }
    return changed;
}

std::size_t JournalBatchBytes(const std::vector<JournalChunk>& chunks,
                              const std::optional<TileAttributes>& tileAttributes)
{
    std::size_t bytes = kBatchHeader + kBatchTrailer;
    for (const JournalChunk& chunk : chunks) bytes += kChunkHeader + 2 * chunk.count;
    if (tileAttributes) bytes += kChunkHeader + 2 * tileAttributes->size();
    return bytes;
}

bool StartJournal(const std::string& path, int width, int height)
{
    const File file(path, O_WRONLY | O_CREAT | O_TRUNC);
    if (file.fd() < 0) return false;
    std::vector<std::uint8_t> header(kJournalMagic, kJournalMagic + sizeof kJournalMagic);
    Put(header, std::uint32_t(width), 4);
    Put(header, std::uint32_t(height), 4);
    return WriteAll(file.fd(), header.data(), header.size()) && ::fdatasync(file.fd()) == 0;
}

bool AppendJournal(const std::string& path, const std::vector<JournalChunk>& chunks,
                   const std::optional<TileAttributes>& tileAttributes)
{
    if (chunks.empty() && !tileAttributes) return true;
    const std::size_t bytes = JournalBatchBytes(chunks, tileAttributes);
    std::vector<std::uint8_t> batch;
    batch.reserve(bytes);
    batch.insert(batch.end(), kBatchMagic, kBatchMagic + sizeof kBatchMagic);
    Put(batch, chunks.size() + (tileAttributes ? 1 : 0), 4);
    Put(batch, bytes - kBatchHeader - kBatchTrailer, 8);
    if (tileAttributes) {
        Put(batch, kTileAttributesRecord, 4);
        Put(batch, 0, 4);
        Put(batch, tileAttributes->size(), 4);
        for (const std::uint8_t value : *tileAttributes) Put(batch, value, 2);
    }
    for (const JournalChunk& chunk : chunks) {
        Put(batch, chunk.layer == CellLayer::Tiles ? 0 : 1, 4);
        Put(batch, chunk.index, 4);
        Put(batch, chunk.count, 4);
        const short* cells = chunk.cells.get();
        for (std::size_t i = 0; i < chunk.count; ++i) Put(batch, std::uint16_t(cells[i]), 2);
    }
    Put(batch, Fnv1a(batch.data() + kBatchHeader, batch.size() - kBatchHeader), 8);

    const File file(path, O_WRONLY | O_APPEND);
    if (file.fd() < 0) return false;
    struct stat info {};
    if (::fstat(file.fd(), &info) != 0) return false;
    if (WriteAll(file.fd(), batch.data(), batch.size()) && ::fdatasync(file.fd()) == 0) return true;
    // Whatever part of the batch went in would end the journal for a reader.
    if (::ftruncate(file.fd(), info.st_size) == 0) ::fdatasync(file.fd());
    return false;
}

bool ApplyJournal(const std::string& path, CCellLayers& cells, TileAttributes* tileAttributes)
{
    const File file(path, O_RDONLY);
    if (file.fd() < 0) return false;
    std::uint8_t header[kJournalHeader];
    if (!ReadAll(file.fd(), header, sizeof header) || std::memcmp(header, kJournalMagic, sizeof kJournalMagic) != 0 ||
        Get(header + 8, 4) != std::uint32_t(cells.Width()) || Get(header + 12, 4) != std::uint32_t(cells.Height()))
        return false;
    struct stat info {};
    if (::fstat(file.fd(), &info) != 0) return false;
    std::uint64_t left = std::uint64_t(info.st_size) - kJournalHeader;
    std::vector<std::uint8_t> payload;
    for (;;) {
        std::uint8_t head[kBatchHeader];
        if (left < kBatchHeader || !ReadAll(file.fd(), head, sizeof head) ||
            std::memcmp(head, kBatchMagic, sizeof kBatchMagic) != 0)
            return true;
        left -= kBatchHeader;
        const std::size_t count = std::size_t(Get(head + 4, 4));
        const std::uint64_t bytes = Get(head + 8, 8);
        // A length the file cannot hold is a damaged batch, not an allocation.
        if (bytes > left || left - bytes < kBatchTrailer) return true;
        payload.resize(std::size_t(bytes));
        std::uint8_t trailer[kBatchTrailer];
        if (!ReadAll(file.fd(), payload.data(), payload.size()) || !ReadAll(file.fd(), trailer, sizeof trailer))
            return true;
        left -= bytes + kBatchTrailer;
        if (Get(trailer, 8) != Fnv1a(payload.data(), payload.size())) return true;
        const auto records = ParsePayload(payload, count, cells, tileAttributes);
        if (!records) return true;
        std::vector<short> chunk;
        for (const ChunkRecord& record : *records) {
            if (record.kind == kTileAttributesRecord) {
                if (!tileAttributes) continue;
                for (std::size_t i = 0; i < record.count; ++i)
                    (*tileAttributes)[i] = std::uint8_t(Get(record.cells + 2 * i, 2));
                continue;
            }
            chunk.resize(record.count);
            for (std::size_t i = 0; i < chunk.size(); ++i) chunk[i] = short(Get(record.cells + 2 * i, 2));
            const CellLayer layer = record.kind == 0 ? CellLayer::Tiles : CellLayer::Attributes;
            if (!cells.WriteChunk(layer, record.index, chunk.data())) return false;
        }
    }
}
