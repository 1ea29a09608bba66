#include "mapthumbnail.h"

#include "mapfile.h"
#include "screenform.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::uint32_t kEmptyCellColour = 0xFFFFFFFFu;
// Samples a thumbnail pixel takes along each side when it covers more than
// one map pixel: 16 in all, enough to average a cell's tile with its
// neighbours' without reading every cell of a large map.
constexpr int kSamplesPerSide = 4;
constexpr std::size_t kTileBatchBytes = std::size_t(1) << 20;

bool ReadAt(int file, void* to, std::size_t n, std::uint64_t offset)
{
    auto* p = static_cast<std::uint8_t*>(to);
    while (n > 0) {
        const ssize_t got = ::pread(file, p, n, off_t(offset));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        p += got;
        n -= std::size_t(got);
        offset += std::uint64_t(got);
    }
    return true;
}

std::uint16_t Uint16At(const std::uint8_t* p) { return std::uint16_t(p[0] | (p[1] << 8)); }

std::int32_t Int32At(const std::uint8_t* p)
{
    return std::int32_t(std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
                        (std::uint32_t(p[3]) << 24));
}

struct Header {
    int mapWidth = 0;
    int mapHeight = 0;
    int tileWidth = 0;
    int tileHeight = 0;
    WORD bitCount = 0;
    int tileCount = 0;
};

// The same checks as the map reader's, before anything is allocated.
ThumbnailResult ReadHeader(int file, std::uint64_t fileSize, Header& header)
{
    std::uint8_t bytes[kMapHeaderSize];
    if (fileSize < kMapHeaderSize) return ThumbnailResult::Invalid;
    if (!ReadAt(file, bytes, sizeof bytes, 0)) return ThumbnailResult::CannotOpen;
    if (std::memcmp(bytes, kMapMagic, 7) != 0) return ThumbnailResult::Invalid;
    header.mapWidth = Int32At(bytes + 8);
    header.mapHeight = Int32At(bytes + 12);
    header.tileWidth = bytes[16];
    header.tileHeight = bytes[17];
    header.bitCount = Uint16At(bytes + 18);
    header.tileCount = std::int16_t(Uint16At(bytes + 20));
    if (header.mapWidth < 0 || header.mapHeight < 0 || header.tileWidth == 0 || header.tileHeight == 0 ||
        header.tileCount < 0)
        return ThumbnailResult::Invalid;
    const WORD bits = header.bitCount;
    if (header.tileCount > 0 && bits != 8 && bits != 16 && bits != 24) return ThumbnailResult::Invalid;
    const auto length =
        MapFileLength(header.mapWidth, header.mapHeight, header.tileWidth, header.tileHeight, bits, header.tileCount);
    if (!length || *length != fileSize) return ThumbnailResult::Invalid;
    return ThumbnailResult::Ok;
}

// Every tile reduced to levelWidth x levelHeight pixels, each the average of
// the tile pixels it stands for.
class ReducedTiles {
public:
    ReducedTiles(int levelWidth, int levelHeight) : m_width(levelWidth), m_height(levelHeight) {}

    ThumbnailResult Read(int file, const Header& header)
    {
        std::uint64_t offset = kMapHeaderSize;
        RGBQUAD colours[256]{};
        if (header.bitCount == 8 && header.tileCount > 0) {
            std::uint8_t table[kMapColourTableSize];
            if (!ReadAt(file, table, sizeof table, offset)) return ThumbnailResult::CannotOpen;
            for (int i = 0; i < 256; ++i) {
                colours[i].rgbRed = table[4 * i];
                colours[i].rgbGreen = table[4 * i + 1];
                colours[i].rgbBlue = table[4 * i + 2];
            }
        }
        if (header.bitCount == 8) offset += kMapColourTableSize;

        const std::size_t rowsBytes =
            std::size_t(header.tileHeight) * std::size_t(MapFileRowSize(header.tileWidth, header.bitCount));
        const std::size_t tileBytes = rowsBytes + 1;  // and the attribute byte
        const std::size_t perBatch = std::max<std::size_t>(1, kTileBatchBytes / tileBytes);
        BITMAPINFOHEADER info{};
        info.biSize = sizeof(BITMAPINFOHEADER);
        info.biWidth = header.tileWidth;
        info.biHeight = header.tileHeight;
        info.biPlanes = 1;
        info.biBitCount = header.bitCount;
        try {
            m_pixels.resize(std::size_t(header.tileCount) * std::size_t(m_width) * std::size_t(m_height));
            std::vector<std::uint8_t> batch(perBatch * tileBytes);
            std::vector<std::uint32_t> screen(std::size_t(header.tileWidth) * std::size_t(header.tileHeight));
            for (int first = 0; first < header.tileCount; first += int(perBatch)) {
                const std::size_t count = std::min<std::size_t>(perBatch, std::size_t(header.tileCount - first));
                if (!ReadAt(file, batch.data(), count * tileBytes, offset)) return ThumbnailResult::CannotOpen;
                offset += count * tileBytes;
                for (std::size_t k = 0; k < count; ++k) {
                    ConvertToScreen(info, colours, batch.data() + k * tileBytes, screen.data());
                    Reduce(screen.data(), header.tileWidth, header.tileHeight, int(first + int(k)));
                }
            }
        } catch (const std::bad_alloc&) {
            return ThumbnailResult::CannotOpen;
        }
        m_count = header.tileCount;
        return ThumbnailResult::Ok;
    }

    // The reduced pixel of tile n at (x, y) of its level; white for no tile.
    std::uint32_t At(int n, int x, int y) const
    {
        if (n < 0 || n >= m_count) return kEmptyCellColour;
        return m_pixels[(std::size_t(n) * std::size_t(m_height) + std::size_t(y)) * std::size_t(m_width) +
                        std::size_t(x)];
    }

private:
    void Reduce(const std::uint32_t* screen, int tileWidth, int tileHeight, int n)
    {
        std::uint32_t* out = m_pixels.data() + std::size_t(n) * std::size_t(m_width) * std::size_t(m_height);
        for (int ly = 0; ly < m_height; ++ly) {
            const int y0 = ly * tileHeight / m_height;
            const int y1 = (ly + 1) * tileHeight / m_height;
            for (int lx = 0; lx < m_width; ++lx) {
                const int x0 = lx * tileWidth / m_width;
                const int x1 = (lx + 1) * tileWidth / m_width;
                std::uint32_t sum[3]{};
                for (int y = y0; y < y1; ++y)
                    for (int x = x0; x < x1; ++x) {
                        const std::uint32_t p = screen[y * tileWidth + x];
                        sum[0] += (p >> 16) & 0xFF;
                        sum[1] += (p >> 8) & 0xFF;
                        sum[2] += p & 0xFF;
                    }
                const std::uint32_t n2 = std::uint32_t((y1 - y0) * (x1 - x0));
                *out++ = 0xFF000000u | ((sum[0] + n2 / 2) / n2) << 16 | ((sum[1] + n2 / 2) / n2) << 8 |
                         ((sum[2] + n2 / 2) / n2);
            }
        }
    }

    int m_width;
    int m_height;
    int m_count = 0;
    std::vector<std::uint32_t> m_pixels;
};

// The side of the thumbnail for a map side, when the longer map side becomes size.
int ReducedSide(std::int64_t side, std::int64_t longer, int size)
{
    return int(std::max<std::int64_t>(1, (side * size + longer / 2) / longer));
}

// The map pixel of sample i along a side of `out` thumbnail pixels for
// `full` map pixels: the centres of an even grid inside each thumbnail pixel.
std::int64_t SampleAt(int pixel, int i, int samples, int out, std::int64_t full)
{
    return (2 * (std::int64_t(pixel) * samples + i) + 1) * full / (2 * std::int64_t(samples) * out);
}

// How many reduced pixels a tile side needs so that neighbouring samples
// fall on different ones (at most the tile's own pixels).
int LevelSide(int tileSide, int out, int samples, std::int64_t full)
{
    const std::int64_t wanted = (std::int64_t(tileSide) * out * samples + full - 1) / full;
    return int(std::clamp<std::int64_t>(wanted, 1, tileSide));
}

ThumbnailResult Make(int file, std::uint64_t fileSize, int size, MapThumbnail& out)
{
    Header header;
    if (const ThumbnailResult checked = ReadHeader(file, fileSize, header); checked != ThumbnailResult::Ok)
        return checked;
    const std::int64_t fullWidth = std::int64_t(header.mapWidth) * header.tileWidth;
    const std::int64_t fullHeight = std::int64_t(header.mapHeight) * header.tileHeight;
    if (fullWidth == 0 || fullHeight == 0 || size < 1) return ThumbnailResult::NoPicture;

    MapThumbnail made;
    const bool reduced = fullWidth > size || fullHeight > size;
    const std::int64_t longer = std::max(fullWidth, fullHeight);
    made.width = reduced ? ReducedSide(fullWidth, longer, size) : int(fullWidth);
    made.height = reduced ? ReducedSide(fullHeight, longer, size) : int(fullHeight);
    const int samples = reduced ? kSamplesPerSide : 1;

    const int levelWidth = LevelSide(header.tileWidth, made.width, samples, fullWidth);
    const int levelHeight = LevelSide(header.tileHeight, made.height, samples, fullHeight);
    ReducedTiles tiles(levelWidth, levelHeight);
    if (const ThumbnailResult read = tiles.Read(file, header); read != ThumbnailResult::Ok) return read;

    const std::uint64_t rowBytes = std::uint64_t(header.mapWidth) * 2;
    const std::uint64_t cellsOffset = fileSize - 2 * rowBytes * std::uint64_t(header.mapHeight);
    try {
        made.pixels.resize(std::size_t(made.width) * std::size_t(made.height));
        std::vector<std::uint8_t> cellRow(rowBytes);
        // Where each column's samples fall: the cell, and the reduced pixel inside its tile.
        std::vector<int> sampleCol(std::size_t(made.width) * samples);
        std::vector<int> sampleLevelX(sampleCol.size());
        for (int x = 0; x < made.width; ++x)
            for (int i = 0; i < samples; ++i) {
                const std::int64_t mx = SampleAt(x, i, samples, made.width, fullWidth);
                sampleCol[std::size_t(x * samples + i)] = int(mx / header.tileWidth);
                sampleLevelX[std::size_t(x * samples + i)] = int(mx % header.tileWidth) * levelWidth / header.tileWidth;
            }
        std::vector<std::uint32_t> sums(std::size_t(made.width) * 3);
        int rowHeld = -1;
        for (int y = 0; y < made.height; ++y) {
            std::fill(sums.begin(), sums.end(), 0u);
            for (int j = 0; j < samples; ++j) {
                const std::int64_t my = SampleAt(y, j, samples, made.height, fullHeight);
                const int row = int(my / header.tileHeight);
                const int levelY = int(my % header.tileHeight) * levelHeight / header.tileHeight;
                if (row != rowHeld) {
                    if (!ReadAt(file, cellRow.data(), rowBytes, cellsOffset + rowBytes * std::uint64_t(row)))
                        return ThumbnailResult::CannotOpen;
                    rowHeld = row;
                }
                for (std::size_t s = 0; s < sampleCol.size(); ++s) {
                    const short tile = short(Uint16At(cellRow.data() + 2 * std::size_t(sampleCol[s])));
                    const std::uint32_t p = tiles.At(tile, sampleLevelX[s], levelY);
                    std::uint32_t* sum = &sums[s / std::size_t(samples) * 3];
                    sum[0] += (p >> 16) & 0xFF;
                    sum[1] += (p >> 8) & 0xFF;
                    sum[2] += p & 0xFF;
                }
            }
            const std::uint32_t n = std::uint32_t(samples * samples);
            std::uint32_t* to = made.pixels.data() + std::size_t(y) * std::size_t(made.width);
            for (int x = 0; x < made.width; ++x) {
                const std::uint32_t* sum = &sums[std::size_t(x) * 3];
                to[x] =
                    0xFF000000u | ((sum[0] + n / 2) / n) << 16 | ((sum[1] + n / 2) / n) << 8 | ((sum[2] + n / 2) / n);
            }
        }
    } catch (const std::bad_alloc&) {
        return ThumbnailResult::CannotOpen;
    }
    out = std::move(made);
    return ThumbnailResult::Ok;
}

}  // namespace

ThumbnailResult MakeMapThumbnail(const std::string& path, int size, MapThumbnail& out)
{
    const int file = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0) return ThumbnailResult::CannotOpen;
    struct stat info {};
    ThumbnailResult result = ThumbnailResult::CannotOpen;
    if (::fstat(file, &info) == 0 && S_ISREG(info.st_mode)) result = Make(file, std::uint64_t(info.st_size), size, out);
    ::close(file);
    return result;
}
