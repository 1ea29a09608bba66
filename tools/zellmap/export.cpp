// zellmap export: the map as a TMX map for the Tiled editor, with a PNG of
// all tiles beside it.
#include "commands.h"
#include "messagetext.h"
#include "imagesink.h"
#include "mapinput.h"
#include "outputfile.h"
#include "progress.h"
#include "toolsupport.h"

#include "celllayers.h"
#include "sprite.h"
#include "tmxread.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <new>
#include <string>
#include <vector>

const char* const kExportHelp =
    QT_TRANSLATE_NOOP("Pellin",
                      "사용법: zellmap export MAP --tmx OUT.tmx\n"
                      "\n"
                      "맵을 Tiled가 여는 TMX 맵으로 내보냅니다. 모든 타일을 담은 타일셋 그림\n"
                      "OUT-tiles.png(8비트 맵은 그 색 표를 팔레트로 쓴 PNG)를 OUT.tmx 옆에 씁니다.\n"
                      "zellmap import로 다시 가져오면 같은 맵 화일이 됩니다.\n"
                      "  - 타일 층 \"tiles\" (CSV): 칸의 값은 타일 번호 + 1, 빈 칸은 0\n"
                      "  - 숨긴 객체 층 \"map attributes\": 속성이 0이 아닌 칸마다 칸 크기의 사각형\n"
                      "    하나, 정수 속성 attribute에 그 값\n"
                      "  - 타일 속성: 타일마다 정수 속성 attribute\n"
                      "  - 맵 속성 bitcount: 맵의 색 비트 수 (타일이 없는 8비트 맵은 colours에 색 표)\n"
                      "\n"
                      "맵을 읽지 못하거나, 맵에 없는 타일을 가리키는 칸(-1보다 작은 값도)이 있어\n"
                      "TMX에 담을 수 없으면 그 까닭을 표준 오류에 쓰고, 화일을 만들지 않고 1로\n"
                      "끝납니다.\n");

namespace {

std::string BaseName(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// OUT.tmx -> OUT-tiles.png, in the same folder.
std::string TilesetPathFor(const std::string& tmxPath)
{
    const auto slash = tmxPath.find_last_of('/');
    const auto dot = tmxPath.find_last_of('.');
    const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return (hasExtension ? tmxPath.substr(0, dot) : tmxPath) + "-tiles.png";
}

std::string XmlEscaped(const std::string& text)
{
    std::string escaped;
    for (char c : text) {
        switch (c) {
        case '&': escaped += "&amp;"; break;
        case '<': escaped += "&lt;"; break;
        case '>': escaped += "&gt;"; break;
        case '"': escaped += "&quot;"; break;
        default:
            // XML has no way to write most control characters.
            if (static_cast<unsigned char>(c) >= 0x20) escaped += c;
        }
    }
    return escaped;
}

// Cells that name no tile of the map (a number past the last tile, or below
// -1): a TMX layer has no way to hold them (Tiled refuses a gid no tileset
// has), and writing them as empty would lose them without a word.
struct StrayCells {
    std::size_t count = 0;
    int col = 0, row = 0;  // the first, in reading order
    short value = 0;
};

StrayCells FindStrayCells(const LoadedMap& map)
{
    const CMapModel& m = map.Map();
    StrayCells stray;
    for (int row = 0; row < m.MapHeight(); ++row) {
        for (int col = 0; col < m.MapWidth(); ++col) {
            const short value = map.Cell(CellLayer::Tiles, col, row);
            if (value == kEmptyTileCell || m.TileForCell(value)) continue;
            if (stray.count++ > 0) continue;
            stray.col = col;
            stray.row = row;
            stray.value = value;
        }
    }
    return stray;
}

std::string StrayCellsMessage(const StrayCells& stray, int tileCount)
{
    const std::string message =
        TrFill(QT_TRANSLATE_NOOP("Pellin", "TMX로 내보낼 수 없는 칸이 %1개 있습니다: 첫 칸 (%2, %3)의 값 %4"),
               {std::to_string(stray.count), std::to_string(stray.col), std::to_string(stray.row),
                std::to_string(stray.value)});
    if (tileCount == 0)
        return message + TrMessage(QT_TRANSLATE_NOOP("Pellin", "\n타일이 없는 맵의 칸은 모두 빈 칸(-1)이어야 합니다"));
    return message + TrFill(QT_TRANSLATE_NOOP("Pellin", "\n칸의 값은 타일 번호(0에서 %1)나 빈 칸(-1)이어야 합니다"),
                            {std::to_string(tileCount - 1)});
}

struct TilesetLayout {
    int columns = 0;
    int rows = 0;
};

TilesetLayout LayoutFor(int tileCount)
{
    const int columns = std::max(1, int(std::ceil(std::sqrt(double(tileCount)))));
    return {columns, (tileCount + columns - 1) / columns};
}

// A tile's screen pixels, or for an 8-bit map its colour indices, at its
// place (column) in a band of tile rows.
template <typename Sample>
void PlaceTile(const CSprite& tile, int column, std::int64_t bandWidth, Sample* band)
{
    const int w = tile.GetWidth(), h = tile.GetHeight();
    for (int y = 0; y < h; ++y) {
        Sample* to = band + std::size_t(y) * std::size_t(bandWidth) + std::size_t(column) * std::size_t(w);
        if constexpr (sizeof(Sample) == 1)
            std::copy_n(tile.m_pBits + std::size_t(h - 1 - y) * std::size_t(tile.GetStride()), w, to);
        else
            std::copy_n(tile.GetScreenBits() + std::size_t(y) * std::size_t(w), w, to);
    }
}

// All tiles in reading order, one band of tile rows at a time.
template <typename Sink, typename Sample>
bool WriteTileBands(Sink& sink, const LoadedMap& map, TilesetLayout layout, std::int64_t width, Sample blank)
{
    const int th = map.Map().m_nTileHeight;
    std::vector<Sample> band(std::size_t(width) * std::size_t(th));
    for (int row = 0; row < layout.rows; ++row) {
        std::fill(band.begin(), band.end(), blank);
        for (int col = 0; col < layout.columns; ++col)
            if (const CSprite* tile = map.Tiles().GetAt(row * layout.columns + col))
                PlaceTile(*tile, col, width, band.data());
        if (!sink.WriteRows(band.data(), th, std::ptrdiff_t(width))) return false;
    }
    return sink.Finish();
}

// The tileset picture: indexed with the map's colour table for an 8-bit map
// (so that import gets the same indices back), screen colours otherwise.
bool WriteTileset(const std::string& path, const LoadedMap& map, TilesetLayout layout, std::string& error)
{
    const std::int64_t width = std::int64_t(layout.columns) * map.Map().m_nTileWidth;
    const std::int64_t height = std::int64_t(layout.rows) * map.Map().m_nTileHeight;
    OutputFile file(path);
    if (!file.Open()) {
        error = TrFill(QT_TRANSLATE_NOOP("Pellin", "%1\n그림 화일을 만들 수 없습니다"), {path});
        return false;
    }
    bool written = false;
    try {
        if (map.content.bitCount == 8) {
            auto sink = MakeIndexedPngSink(file.Stream(), width, height, map.content.colours.data(), error);
            if (!sink) return false;
            written = WriteTileBands(*sink, map, layout, width, std::uint8_t(0));
        } else {
            auto sink = MakeImageSink(ImageFormat::Png, file.Stream(), width, height, error);
            if (!sink) return false;
            written = WriteTileBands(*sink, map, layout, width, 0xFFFFFFFFu);
        }
    } catch (const std::bad_alloc&) {
        error = QT_TRANSLATE_NOOP("Pellin", "메모리가 부족해 그림 화일을 쓸 수 없습니다");
        return false;
    }
    if (!written || !file.Commit()) {
        error = TrFill(QT_TRANSLATE_NOOP("Pellin", "%1\n그림 화일을 쓸 수 없습니다"), {path});
        return false;
    }
    return true;
}

// The map's own bit count, and without tiles its colour table, as map
// properties: what the tileset picture cannot say (a 16-bit map's tiles are
// widened to 8 bits a channel) and import needs to give the same file back.
void WriteMapProperties(std::FILE* out, const MapFileContent& c, bool hasTiles)
{
    std::fprintf(out, " <properties>\n  <property name=\"%s\" type=\"int\" value=\"%d\"/>\n", kTmxBitCountProperty,
                 c.bitCount);
    if (c.bitCount == 8 && !hasTiles) {
        std::fprintf(out, "  <property name=\"%s\" value=\"", kTmxColoursProperty);
        for (const RGBQUAD& colour : c.colours)
            std::fprintf(out, "%02x%02x%02x", colour.rgbRed, colour.rgbGreen, colour.rgbBlue);
        std::fprintf(out, "\"/>\n");
    }
    std::fprintf(out, " </properties>\n");
}

void WriteTmx(std::FILE* out, const LoadedMap& map, const std::string& name, const std::string& tilesetFile,
              TilesetLayout layout)
{
    const CMapModel& m = map.Map();
    const int tileCount = map.Tiles().GetCount();
    std::size_t attributed = 0;
    for (int row = 0; row < m.MapHeight(); ++row)
        for (int col = 0; col < m.MapWidth(); ++col)
            attributed += map.Cell(CellLayer::Attributes, col, row) != kNoAttrCell;

    std::fprintf(out, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
    std::fprintf(out,
                 "<map version=\"1.8\" orientation=\"orthogonal\" renderorder=\"right-down\" width=\"%d\" "
                 "height=\"%d\" tilewidth=\"%d\" tileheight=\"%d\" infinite=\"0\" nextlayerid=\"3\" "
                 "nextobjectid=\"%zu\">\n",
                 m.MapWidth(), m.MapHeight(), int(m.m_nTileWidth), int(m.m_nTileHeight), attributed + 1);
    WriteMapProperties(out, map.content, tileCount > 0);
    if (tileCount > 0) {
        std::fprintf(out,
                     " <tileset firstgid=\"1\" name=\"%s\" tilewidth=\"%d\" tileheight=\"%d\" tilecount=\"%d\" "
                     "columns=\"%d\">\n",
                     XmlEscaped(name).c_str(), int(m.m_nTileWidth), int(m.m_nTileHeight), tileCount, layout.columns);
        std::fprintf(out, "  <image source=\"%s\" width=\"%d\" height=\"%d\"/>\n", XmlEscaped(tilesetFile).c_str(),
                     layout.columns * int(m.m_nTileWidth), layout.rows * int(m.m_nTileHeight));
        for (int i = 0; i < tileCount; ++i)
            std::fprintf(out,
                         "  <tile id=\"%d\">\n   <properties>\n    <property name=\"attribute\" type=\"int\" "
                         "value=\"%d\"/>\n   </properties>\n  </tile>\n",
                         i, map.Tiles().AttributeAt(i));
        std::fprintf(out, " </tileset>\n");
    }

    std::fprintf(out, " <layer id=\"1\" name=\"tiles\" width=\"%d\" height=\"%d\">\n  <data encoding=\"csv\">\n",
                 m.MapWidth(), m.MapHeight());
    for (int row = 0; row < m.MapHeight(); ++row) {
        for (int col = 0; col < m.MapWidth(); ++col) {
            const short value = map.Cell(CellLayer::Tiles, col, row);
            const bool last = row == m.MapHeight() - 1 && col == m.MapWidth() - 1;
            const int gid = m.TileForCell(value) ? value + 1 : 0;
            std::fprintf(out, last ? "%d" : "%d,", gid);
        }
        std::fputc('\n', out);
    }
    std::fprintf(out, "</data>\n </layer>\n");

    std::fprintf(out, " <objectgroup id=\"2\" name=\"map attributes\" visible=\"0\">\n");
    std::size_t id = 1;
    for (int row = 0; row < m.MapHeight(); ++row) {
        for (int col = 0; col < m.MapWidth(); ++col) {
            const short attr = map.Cell(CellLayer::Attributes, col, row);
            if (attr == kNoAttrCell) continue;
            std::fprintf(out,
                         "  <object id=\"%zu\" x=\"%lld\" y=\"%lld\" width=\"%d\" height=\"%d\">\n   <properties>\n"
                         "    <property name=\"attribute\" type=\"int\" value=\"%d\"/>\n   </properties>\n"
                         "  </object>\n",
                         id++, (long long)col * int(m.m_nTileWidth), (long long)row * int(m.m_nTileHeight),
                         int(m.m_nTileWidth), int(m.m_nTileHeight), attr);
        }
    }
    std::fprintf(out, " </objectgroup>\n</map>\n");
}

}  // namespace

int RunExport(const Arguments& args)
{
    std::string error;
    const auto parsed = ParseArgs(args, {{"--tmx", true}}, error);
    if (!parsed) return UsageError("export", error);
    if (parsed->positional.size() != 1)
        return UsageError("export", QT_TRANSLATE_NOOP("Pellin", "맵 화일 하나를 주십시오"));
    const auto tmxPath = parsed->Value("--tmx");
    if (!tmxPath || tmxPath->empty())
        return UsageError("export", QT_TRANSLATE_NOOP("Pellin", "--tmx OUT.tmx가 필요합니다"));

    LoadedMap map;
    if (LoadMapForTool(parsed->positional[0], map) != MapReadResult::Ok) return kExitFailed;
    if (const StrayCells stray = FindStrayCells(map); stray.count > 0)
        return Fail(StrayCellsMessage(stray, map.Tiles().GetCount()));

    const ProgressLine progress(QT_TRANSLATE_NOOP("Pellin", "TMX로 내보내는 중"));
    const std::string tilesetPath = TilesetPathFor(*tmxPath);
    const TilesetLayout layout = LayoutFor(map.Tiles().GetCount());
    if (!map.Tiles().IsEmpty() && !WriteTileset(tilesetPath, map, layout, error)) return Fail(error);

    OutputFile file(*tmxPath);
    if (!file.Open()) return Fail(TrFill(QT_TRANSLATE_NOOP("Pellin", "%1\n화일을 만들 수 없습니다"), {*tmxPath}));
    std::string name = BaseName(parsed->positional[0]);
    if (const auto dot = name.find_last_of('.'); dot != std::string::npos && dot > 0) name.erase(dot);
    WriteTmx(file.Stream(), map, name, BaseName(tilesetPath), layout);
    if (!file.Commit()) return Fail(TrFill(QT_TRANSLATE_NOOP("Pellin", "%1\n화일을 쓸 수 없습니다"), {*tmxPath}));
    return kExitOk;
}
