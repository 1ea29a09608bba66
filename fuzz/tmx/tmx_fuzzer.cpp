// Untrusted TMX maps through the reader, as "맵 열기" and zellmap import
// take them. The input is the map file; after a NUL byte, the rest is the
// file external.tsx beside it. Both are read from a folder kept in memory
// that also holds the tileset pictures of art/, so a map can name them. A
// map that is read must be one the program can hold: its tiles all of the
// map's tile size and bit count, its cells naming tiles that exist, and it
// must save as a .Map file that reads back to the same bytes and draws
// without straying outside the picture.
#include "mapfile.h"
#include "maprender.h"
#include "tmxread.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The folder the map is read from, in memory: the tileset pictures of art/
// and, for each input, the map and its external.tsx. Nothing touches the
// disk after the pictures are read once, so an input costs only its parse.
class Folder {
public:
    Folder()
    {
        for (const auto& entry : fs::directory_iterator(PELLIN_TMX_ART)) {
            std::FILE* file = std::fopen(entry.path().c_str(), "rb");
            if (!file) std::abort();
            std::vector<std::uint8_t>& bytes = m_files[entry.path().filename().string()];
            for (int c; (c = std::fgetc(file)) != EOF;) bytes.push_back(std::uint8_t(c));
            std::fclose(file);
        }
    }
    void Set(const std::string& name, const std::uint8_t* data, std::size_t size)
    {
        m_files[name].assign(data, data + size);
    }
    void Remove(const std::string& name) { m_files.erase(name); }
    bool Read(const std::string& path, std::vector<std::uint8_t>& bytes) const
    {
        const fs::path normal = fs::path(path).lexically_normal();
        if (normal.parent_path() != kRoot) return false;
        const auto found = m_files.find(normal.filename().string());
        if (found == m_files.end()) return false;
        bytes = found->second;
        return true;
    }
    static inline const fs::path kRoot = "/fuzz";

private:
    std::map<std::string, std::vector<std::uint8_t>> m_files;
};

void Check(bool condition)
{
    if (!condition) __builtin_trap();
}

void CheckMap(const MapFileContent& content)
{
    const CMapModel& map = content.map;
    const int count = map.m_tileList.GetCount();
    Check(count <= kMaxMapTiles && map.m_cells.IsComplete());
    for (const CSprite* tile : map.m_tileList)
        Check(tile->GetWidth() == map.m_nTileWidth && tile->GetHeight() == map.m_nTileHeight &&
              tile->m_pBMI->bmiHeader.biBitCount == content.bitCount);
    // Past this size a map goes through the same code, only for longer: a
    // map of millions of cells would hold the fuzzer for seconds an input.
    constexpr std::int64_t kCheckedCells = 1 << 18;
    if (std::int64_t(map.MapWidth()) * map.MapHeight() > kCheckedCells) return;
    for (int row = 0; row < map.MapHeight(); ++row) {
        const CellRow cells = map.m_cells.RowOf(CellLayer::Tiles, row);
        for (int col = 0; col < map.MapWidth(); ++col) Check(cells[col] >= kEmptyTileCell && cells[col] < count);
    }

    constexpr int kSize = 40;
    std::vector<std::uint32_t> pixels(kSize * kSize);
    RenderMapRegion(MapPixels{pixels.data(), kSize, kSize, kSize, 8, 8}, map);

    MapSaveInput input;
    input.map = &map;
    input.bitmapBitCount = content.bitCount;
    input.bitmapColours = content.colours.data();
    std::vector<std::uint8_t> saved, again;
    Check(EncodeMapFile(input, saved) == MapWriteResult::Ok);
    MapFileContent read;
    Check(ParseMapFile(saved.data(), saved.size(), read) == MapReadResult::Ok);
    input.map = &read.map;
    Check(EncodeMapFile(input, again) == MapWriteResult::Ok && again == saved);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Folder folder;
    const auto* nul = static_cast<const std::uint8_t*>(std::memchr(data, 0, size));
    const std::size_t mapSize = nul ? std::size_t(nul - data) : size;
    if (nul)
        folder.Set("external.tsx", nul + 1, size - mapSize - 1);
    else
        folder.Remove("external.tsx");
    folder.Set("map.tmx", data, mapSize);

    MapFileContent content;
    const auto files = [](const std::string& path, std::vector<std::uint8_t>& bytes) {
        return folder.Read(path, bytes);
    };
    const TmxReadReport report = ReadTmx((Folder::kRoot / "map.tmx").string(), files, content);
    Check((report.result == TmxReadResult::Ok) == report.message.empty());
    if (report.result == TmxReadResult::Ok) CheckMap(content);
    return 0;
}
