#include "synthetic.h"

#include "mapfile.h"
#include "sprite.h"
#include "tilelist.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

std::uint64_t RandomBits::Next()
{
    std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

void RandomBits::Fill(std::uint8_t* bytes, std::size_t count)
{
    std::size_t i = 0;
    for (; i + 8 <= count; i += 8) {
        const std::uint64_t word = Next();
        std::memcpy(bytes + i, &word, 8);
    }
    if (i < count) {
        const std::uint64_t word = Next();
        std::memcpy(bytes + i, &word, count - i);
    }
}

void AddRandomTiles(CTileList& tiles, int count, int width, int height, std::uint64_t seed)
{
    RandomBits random(seed);
    const std::size_t stride = std::size_t((width * 3 + 3) & ~3);
    std::vector<std::uint8_t> rows(stride * std::size_t(height));
    for (int k = 0; k < count; ++k) {
        random.Fill(rows.data(), rows.size());
        auto* tile = new CSprite;
        tile->CreateFromData(BYTE(width), BYTE(height), nullptr, rows.data(), 24);
        tiles.AddTail(tile);
    }
}

std::vector<short> RandomCells(int mapWidth, int mapHeight, int tileCount, std::uint64_t seed)
{
    RandomBits random(seed);
    std::vector<short> cells(std::size_t(mapWidth) * std::size_t(mapHeight));
    for (short& cell : cells) cell = random.Below(1000) == 0 ? short(-1) : short(random.Below(tileCount));
    return cells;
}

namespace {
void Put16(std::uint8_t* p, std::uint16_t v)
{
    p[0] = std::uint8_t(v);
    p[1] = std::uint8_t(v >> 8);
}
void Put32(std::uint8_t* p, std::uint32_t v)
{
    Put16(p, std::uint16_t(v));
    Put16(p + 2, std::uint16_t(v >> 16));
}
}  // namespace

std::vector<std::uint8_t> MakeBmpFile24(int width, int height, std::uint64_t seed)
{
    constexpr std::size_t kHeaders = 14 + 40;
    const std::size_t stride = std::size_t((width * 3 + 3) & ~3);
    const std::size_t pixelBytes = stride * std::size_t(height);
    std::vector<std::uint8_t> file(kHeaders + pixelBytes, 0);
    std::uint8_t* p = file.data();
    p[0] = 'B';
    p[1] = 'M';
    Put32(p + 2, std::uint32_t(file.size()));
    Put32(p + 10, kHeaders);
    Put32(p + 14, 40);
    Put32(p + 18, std::uint32_t(width));
    Put32(p + 22, std::uint32_t(height));
    Put16(p + 26, 1);
    Put16(p + 28, 24);
    Put32(p + 34, std::uint32_t(pixelBytes));
    RandomBits random(seed);
    for (int y = 0; y < height; ++y) random.Fill(p + kHeaders + std::size_t(y) * stride, std::size_t(width) * 3);
    return file;
}

bool WriteWholeFile(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

CMapModel RandomMap(int mapWidth, int mapHeight, int tileSize, int tileCount, std::uint64_t seed)
{
    CMapModel map;
    map.m_nTileWidth = map.m_nTileHeight = BYTE(tileSize);
    AddRandomTiles(map.m_tileList, tileCount, tileSize, tileSize, seed);
    map.m_cells.Create(mapWidth, mapHeight);
    const std::vector<short> cells = RandomCells(mapWidth, mapHeight, tileCount, seed + 1);
    for (int row = 0; row < map.MapHeight(); ++row)
        map.m_cells.WriteRow(CellLayer::Tiles, row, cells.data() + std::ptrdiff_t(row) * mapWidth);
    return map;
}

void AddRandomAttributes(CCellLayers& cells, int valueCount, std::uint64_t seed)
{
    RandomBits random(seed);
    std::vector<short> values(std::size_t(cells.Width()));
    for (int row = 0; row < cells.Height(); ++row) {
        for (int col = 0; col < cells.Width();) {
            const short value = short(random.Below(valueCount) - valueCount / 2);
            const int run = std::min(cells.Width() - col, 1 + random.Below(8));
            std::fill_n(values.begin() + col, run, value);
            col += run;
        }
        if (!cells.WriteRow(CellLayer::Attributes, row, values.data())) return;
    }
}

bool WriteRandomMapFile(const std::string& path, int mapWidth, int mapHeight, int tileSize, int tileCount,
                        std::uint64_t seed)
{
    const CMapModel map = RandomMap(mapWidth, mapHeight, tileSize, tileCount, seed);
    MapSaveInput input;
    input.map = &map;
    input.bitmapBitCount = 24;
    return WriteMapFile(path, input) == MapWriteResult::Ok;
}
