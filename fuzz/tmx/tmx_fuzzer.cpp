// Untrusted TMX maps through the reader, as "맵 열기" and zellmap import
// take them. The input is the map file; after a NUL byte, the rest is the
// file external.tsx beside it. Both go into a folder that also holds the
// tileset pictures of art/, so a map can name them. A map that is read must
// be one the program can hold: its tiles all of the map's tile size and bit
// count, its cells naming tiles that exist, and it must save as a .Map file
// that reads back to the same bytes and draws without straying outside the
// picture.
#include "mapfile.h"
#include "maprender.h"
#include "tmxread.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

namespace {

namespace fs = std::filesystem;

// A fresh folder with copies of the tileset pictures, removed at exit.
class Folder {
public:
    Folder()
    {
        std::string pattern = (fs::temp_directory_path() / "pellin-tmx-fuzz-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) std::abort();
        m_path = pattern;
        for (const auto& entry : fs::directory_iterator(PELLIN_TMX_ART))
            fs::copy_file(entry.path(), m_path / entry.path().filename());
    }
    ~Folder()
    {
        std::error_code ignored;
        fs::remove_all(m_path, ignored);
    }
    const fs::path& Path() const { return m_path; }

private:
    fs::path m_path;
};

void Write(const fs::path& path, const std::uint8_t* data, std::size_t size)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file || (size > 0 && std::fwrite(data, 1, size, file) != size) || std::fclose(file) != 0) std::abort();
}

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
    for (int row = 0; row < map.MapHeight(); ++row) {
        const short* cells = map.m_cells.Row(CellLayer::Tiles, row);
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
    static const Folder folder;
    const auto* nul = static_cast<const std::uint8_t*>(std::memchr(data, 0, size));
    const std::size_t mapSize = nul ? std::size_t(nul - data) : size;
    const fs::path tsx = folder.Path() / "external.tsx";
    if (nul) {
        Write(tsx, nul + 1, size - mapSize - 1);
    } else {
        std::error_code ignored;
        fs::remove(tsx, ignored);
    }
    const fs::path tmx = folder.Path() / "map.tmx";
    Write(tmx, data, mapSize);

    MapFileContent content;
    const TmxReadReport report = ReadTmxFile(tmx.string(), content);
    Check((report.result == TmxReadResult::Ok) == report.message.empty());
    if (report.result == TmxReadResult::Ok) CheckMap(content);
    return 0;
}
