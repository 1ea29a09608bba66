// Feeds arbitrary bytes to the map file reader. A file it accepts must
// save back to the same bytes (apart from the two bytes the reader ignores)
// and must draw without touching memory outside the picture.
#include "mapfile.h"
#include "maprender.h"

#include <cstdint>
#include <vector>

namespace {

// The bytes a save of what was read gives: the magic's last byte and the
// colour table's fourth bytes are not kept.
std::vector<std::uint8_t> AsSaved(const std::uint8_t* data, std::size_t size, WORD bitCount)
{
    std::vector<std::uint8_t> bytes(data, data + size);
    bytes[7] = 0;
    if (bitCount == 8)
        for (std::size_t i = 0; i < 256; ++i) bytes[kMapHeaderSize + 4 * i + 3] = 0;
    return bytes;
}

void Render(const CMapModel& map, std::int64_t originX, std::int64_t originY)
{
    constexpr int kSize = 48;
    std::vector<std::uint32_t> pixels(kSize * kSize);
    RenderMapRegion(MapPixels{pixels.data(), kSize, kSize, kSize, originX, originY}, map);
    RenderReducedRegion(MapPixels{pixels.data(), kSize, kSize, kSize, originX / 2, originY / 2}, map);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    MapFileContent content;
    if (ParseMapFile(data, size, content) != MapReadResult::Ok) return 0;

    const CMapModel& map = content.map;
    Render(map, 0, 0);
    Render(map, std::int64_t(map.MapWidth()) * map.m_nTileWidth - 20,
           std::int64_t(map.MapHeight()) * map.m_nTileHeight - 20);

    MapSaveInput input;
    input.map = &map;
    input.bitmapBitCount = content.bitCount;
    input.bitmapColours = content.colours.data();
    std::vector<std::uint8_t> saved;
    if (EncodeMapFile(input, saved) != MapWriteResult::Ok || saved != AsSaved(data, size, content.bitCount))
        __builtin_trap();
    return 0;
}
