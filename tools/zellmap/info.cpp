// zellmap info: the map file checked by the editor's reader, its header,
// and what its cells hold.
#include "commands.h"
#include "messagetext.h"
#include "mapinput.h"
#include "toolsupport.h"

#include "celllayers.h"
#include "sprite.h"
#include "tilelist.h"

#include <QCryptographicHash>

#include <algorithm>
#include <cstdio>
#include <sys/stat.h>

const char* const kInfoHelp =

    QT_TRANSLATE_NOOP(
        "Pellin",
        "사용법: zellmap info MAP [--json] [--cells]\n"
        "\n"
        "맵 화일을 편집기가 읽는 그대로 읽어 검사하고, 머리말(맵 크기, 타일 크기,\n"
        "색 비트 수, 타일 수), 올바른 화일인지, 그리고 타일을 쓴 칸, 빈 칸, 없는\n"
        "타일을 가리키는 칸(범위 밖)의 수를 보여 줍니다.\n"
        "\n"
        "  --json    기계가 읽는 JSON 객체 하나로 출력합니다. 키: sound, map_width,\n"
        "            map_height, tile_width, tile_height, bits_per_pixel, tile_count,\n"
        "            tile_attributes, tile_sha256 (타일마다 화일에 저장된 픽셀 행의\n"
        "            SHA-256), tile_fingerprints (타일마다 그림의 지문: 편집기의\n"
        "            클립보드와 스탬프가 타일을 가리키는 32자리 16진수), cells_used, cells_empty, cells_out_of_range,\n"
        "            cells_with_attribute; 올바르지 않은 화일이면 error와 problem\n"
        "  --cells   두 칸 층도 출력합니다 (JSON에서는 cells와 attributes: 행 순서의\n"
        "            숫자 목록)\n"
        "\n"
        "올바른 화일이면 0으로, 아니면 편집기의 메시지를 표준 오류에 쓰고 1로 끝납니다.\n");

namespace {

// What the header says, read apart from the editor's reader so that a file
// it refuses can still be described.
struct RawHeader {
    bool present = false;  // the file has at least a header's bytes
    bool magic = false;
    std::int32_t mapWidth = 0;
    std::int32_t mapHeight = 0;
    int tileWidth = 0;
    int tileHeight = 0;
    int bitCount = 0;
    int tileCount = 0;  // signed 16 bits, as the readers take it
};

struct FileFacts {
    bool readable = false;
    std::uint64_t size = 0;
    RawHeader header;
};

FileFacts ExamineFile(const std::string& path)
{
    FileFacts facts;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return facts;
    struct stat info {};
    if (::fstat(fileno(file), &info) == 0 && S_ISREG(info.st_mode)) {
        facts.readable = true;
        facts.size = std::uint64_t(info.st_size);
        std::uint8_t bytes[kMapHeaderSize];
        if (std::fread(bytes, 1, sizeof bytes, file) == sizeof bytes) {
            const auto u16 = [&](int at) { return int(bytes[at] | (bytes[at + 1] << 8)); };
            const auto i32 = [&](int at) {
                return std::int32_t(std::uint32_t(u16(at)) | (std::uint32_t(u16(at + 2)) << 16));
            };
            RawHeader& h = facts.header;
            h.present = true;
            h.magic = std::equal(bytes, bytes + 7, kMapMagic);
            h.mapWidth = i32(8);
            h.mapHeight = i32(12);
            h.tileWidth = bytes[16];
            h.tileHeight = bytes[17];
            h.bitCount = u16(18);
            h.tileCount = std::int16_t(u16(20));
        }
    }
    std::fclose(file);
    return facts;
}

// Why the reader refused a file, as far as the header shows it.
std::string ProblemOf(const FileFacts& facts)
{
    const RawHeader& h = facts.header;
    if (!facts.readable) return {};
    if (!h.present) return TrMessage(QT_TRANSLATE_NOOP("Pellin", "머리말(22바이트)보다 짧은 화일입니다"));
    if (!h.magic) return TrMessage(QT_TRANSLATE_NOOP("Pellin", "\"QZTF1.0\"으로 시작하지 않습니다"));
    if (h.mapWidth < 0 || h.mapHeight < 0) return TrMessage(QT_TRANSLATE_NOOP("Pellin", "맵 크기가 음수입니다"));
    if (h.tileWidth == 0 || h.tileHeight == 0) return TrMessage(QT_TRANSLATE_NOOP("Pellin", "타일 크기가 0입니다"));
    if (h.tileCount < 0) return TrMessage(QT_TRANSLATE_NOOP("Pellin", "타일 수가 32767보다 큽니다"));
    if (h.tileCount > 0 && h.bitCount != 8 && h.bitCount != 16 && h.bitCount != 24)
        return TrMessage(QT_TRANSLATE_NOOP("Pellin", "색 비트 수가 8, 16, 24가 아닙니다"));
    const auto length = MapFileLength(h.mapWidth, h.mapHeight, h.tileWidth, h.tileHeight, h.bitCount, h.tileCount);
    if (!length) return TrMessage(QT_TRANSLATE_NOOP("Pellin", "머리말의 크기로는 화일 길이를 셀 수 없습니다"));
    if (*length != facts.size)
        return TrFill(QT_TRANSLATE_NOOP("Pellin", "머리말대로라면 %1바이트여야 하지만 %2바이트입니다"),
                      {std::to_string(*length), std::to_string(facts.size)});
    return {};
}

struct CellCounts {
    std::uint64_t used = 0;
    std::uint64_t empty = 0;
    std::uint64_t outOfRange = 0;
    std::uint64_t withAttribute = 0;
};

// A row of the file's cells counted as they come: a cell names a tile when
// its number is one of the file's tiles (every tile of a sound file has a
// picture).
void CountRow(CellCounts& counts, CellLayer layer, const std::uint8_t* cells, int width, int tileCount)
{
    std::uint64_t hits = 0, empty = 0;
    if (layer == CellLayer::Tiles) {
        for (int i = 0; i < width; ++i) {
            const unsigned value = unsigned(cells[2 * i] | (cells[2 * i + 1] << 8));
            empty += value == 0xFFFFu;
            hits += value < unsigned(tileCount);
        }
        counts.used += hits;
        counts.empty += empty;
        counts.outOfRange += std::uint64_t(width) - hits - empty;
        return;
    }
    for (int i = 0; i < width; ++i) hits += (cells[2 * i] | cells[2 * i + 1]) != 0;
    counts.withAttribute += hits;
}

CellCounts CountCells(const LoadedMap& map)
{
    CellCounts counts;
    const CCellLayers& cells = map.Map().m_cells;
    for (int row = 0; row < cells.Height(); ++row) {
        const CellRow tiles = cells.RowOf(CellLayer::Tiles, row);
        const CellRow attrs = cells.RowOf(CellLayer::Attributes, row);
        for (int col = 0; col < cells.Width(); ++col) {
            if (tiles[col] == kEmptyTileCell)
                ++counts.empty;
            else if (map.Map().TileForCell(tiles[col]))
                ++counts.used;
            else
                ++counts.outOfRange;
            if (attrs[col] != kNoAttrCell) ++counts.withAttribute;
        }
    }
    return counts;
}

// The stored pixel rows of a tile, exactly as the file holds them.
std::string TileDigest(const CSprite& tile)
{
    const QByteArrayView rows(tile.m_pBits, qsizetype(tile.GetStride()) * qsizetype(tile.GetHeight()));
    return QCryptographicHash::hash(rows, QCryptographicHash::Sha256).toHex().toStdString();
}

// A JSON object written as it goes; large lists never sit in memory.
class JsonOut {
public:
    explicit JsonOut(std::FILE* out) : m_out(out) { std::fputc('{', m_out); }
    void Finish() { std::fputs("\n}\n", m_out); }

    void Key(const char* key)
    {
        std::fprintf(m_out, "%s\n  \"%s\": ", m_first ? "" : ",", key);
        m_first = false;
    }
    void Number(const char* key, long long value)
    {
        Key(key);
        std::fprintf(m_out, "%lld", value);
    }
    void Bool(const char* key, bool value)
    {
        Key(key);
        std::fputs(value ? "true" : "false", m_out);
    }
    void String(const char* key, const std::string& value)
    {
        Key(key);
        Quoted(value);
    }
    template <typename Each>
    void List(const char* key, std::size_t count, Each each)
    {
        Key(key);
        std::fputc('[', m_out);
        for (std::size_t i = 0; i < count; ++i) {
            if (i > 0) std::fputc(',', m_out);
            each(i);
        }
        std::fputc(']', m_out);
    }
    void Quoted(const std::string& value)
    {
        std::fputc('"', m_out);
        for (unsigned char c : value) {
            if (c == '"' || c == '\\')
                std::fprintf(m_out, "\\%c", c);
            else if (c < 0x20)
                std::fprintf(m_out, "\\u%04x", c);
            else
                std::fputc(c, m_out);
        }
        std::fputc('"', m_out);
    }
    std::FILE* Stream() const { return m_out; }

private:
    std::FILE* m_out;
    bool m_first = true;
};

void JsonHeader(JsonOut& json, int mapWidth, int mapHeight, int tileWidth, int tileHeight, int bitCount, int tileCount)
{
    json.Number("map_width", mapWidth);
    json.Number("map_height", mapHeight);
    json.Number("tile_width", tileWidth);
    json.Number("tile_height", tileHeight);
    json.Number("bits_per_pixel", bitCount);
    json.Number("tile_count", tileCount);
}

void TextHeader(int mapWidth, int mapHeight, int tileWidth, int tileHeight, int bitCount, int tileCount)
{
    const std::string text = TrFill(
        QT_TRANSLATE_NOOP("Pellin", "맵 크기: %1 x %2 칸\n타일 크기: %3 x %4 픽셀\n색 비트 수: %5\n타일 수: %6\n"),
        {std::to_string(mapWidth), std::to_string(mapHeight), std::to_string(tileWidth), std::to_string(tileHeight),
         std::to_string(bitCount), std::to_string(tileCount)});
    std::fputs(text.c_str(), stdout);
}

void TextLayer(const char* title, const CCellLayers& cells, CellLayer layer)
{
    std::printf("%s:\n", TrMessage(title).c_str());
    for (int row = 0; row < cells.Height(); ++row) {
        const CellRow entries = cells.RowOf(layer, row);
        for (int col = 0; col < cells.Width(); ++col) std::printf(col == 0 ? "%d" : " %d", entries[col]);
        std::putchar('\n');
    }
}

// Cell i of a layer in row-major order.
short CellAt(const LoadedMap& map, CellLayer layer, std::size_t i)
{
    const std::size_t width = std::size_t(map.Map().MapWidth());
    return map.Cell(layer, int(i % width), int(i / width));
}

void ReportRefused(const std::string& path, const FileFacts& facts, const char* message, bool json)
{
    const std::string problem = ProblemOf(facts);
    const RawHeader& h = facts.header;
    if (json) {
        JsonOut out(stdout);
        out.String("file", path);
        out.Bool("sound", false);
        out.String("error", message ? message : "");
        if (!problem.empty()) out.String("problem", problem);
        if (facts.readable) out.Number("file_size", (long long)facts.size);
        if (h.present) JsonHeader(out, h.mapWidth, h.mapHeight, h.tileWidth, h.tileHeight, h.bitCount, h.tileCount);
        out.Finish();
        return;
    }
    const std::string state = facts.readable ? TrMessage(QT_TRANSLATE_NOOP("Pellin", "올바르지 않음"))
                                             : TrMessage(QT_TRANSLATE_NOOP("Pellin", "열 수 없음"));
    std::fputs(TrFill(QT_TRANSLATE_NOOP("Pellin", "화일: %1\n상태: %2%3\n"),
                      {path, state, problem.empty() ? "" : " - " + problem})
                   .c_str(),
               stdout);
    if (h.present && h.magic) TextHeader(h.mapWidth, h.mapHeight, h.tileWidth, h.tileHeight, h.bitCount, h.tileCount);
}

// The cells are in map only withCells; the counts are made apart.
void ReportReadableMap(const std::string& path, const LoadedMap& map, const RawHeader& header, const CellCounts& counts,
                       std::uint64_t size, bool json, bool withCells)
{
    const MapFileContent& c = map.content;
    const CMapModel& m = map.Map();
    const int tileCount = map.Tiles().GetCount();
    if (json) {
        JsonOut out(stdout);
        out.String("file", path);
        out.Bool("sound", true);
        out.Number("file_size", (long long)size);
        JsonHeader(out, header.mapWidth, header.mapHeight, m.m_nTileWidth, m.m_nTileHeight, c.bitCount, tileCount);
        out.List("tile_attributes", std::size_t(tileCount),
                 [&](std::size_t i) { std::fprintf(out.Stream(), "%d", map.Tiles().AttributeAt(int(i))); });
        out.List("tile_sha256", std::size_t(tileCount),
                 [&](std::size_t i) { out.Quoted(TileDigest(*map.Tiles().GetAt(int(i)))); });
        out.List("tile_fingerprints", std::size_t(tileCount),
                 [&](std::size_t i) { out.Quoted(map.Tiles().FingerprintAt(int(i)).Hex()); });
        out.Number("cells_used", (long long)counts.used);
        out.Number("cells_empty", (long long)counts.empty);
        out.Number("cells_out_of_range", (long long)counts.outOfRange);
        out.Number("cells_with_attribute", (long long)counts.withAttribute);
        if (withCells) {
            out.List("cells", map.CellCount(),
                     [&](std::size_t i) { std::fprintf(out.Stream(), "%d", CellAt(map, CellLayer::Tiles, i)); });
            out.List("attributes", map.CellCount(),
                     [&](std::size_t i) { std::fprintf(out.Stream(), "%d", CellAt(map, CellLayer::Attributes, i)); });
        }
        out.Finish();
        return;
    }
    std::fputs(TrFill(QT_TRANSLATE_NOOP("Pellin", "화일: %1\n상태: 정상\n"), {path}).c_str(), stdout);
    TextHeader(header.mapWidth, header.mapHeight, m.m_nTileWidth, m.m_nTileHeight, c.bitCount, tileCount);
    const std::string cellCounts =
        TrFill(QT_TRANSLATE_NOOP("Pellin", "칸: 사용 %1, 빈 칸 %2, 범위 밖 %3\n속성 있는 칸: %4\n"),
               {std::to_string(counts.used), std::to_string(counts.empty), std::to_string(counts.outOfRange),
                std::to_string(counts.withAttribute)});
    std::fputs(cellCounts.c_str(), stdout);
    if (withCells) {
        TextLayer(QT_TRANSLATE_NOOP("Pellin", "타일 칸"), m.m_cells, CellLayer::Tiles);
        TextLayer(QT_TRANSLATE_NOOP("Pellin", "맵 속성"), m.m_cells, CellLayer::Attributes);
    }
}

}  // namespace

int RunInfo(const Arguments& args)
{
    std::string error;
    const auto parsed = ParseArgs(args, {{"--json"}, {"--cells"}}, error);
    if (!parsed) return UsageError("info", error);
    if (parsed->positional.size() != 1)
        return UsageError("info", QT_TRANSLATE_NOOP("Pellin", "맵 화일 하나를 주십시오"));
    const std::string& path = parsed->positional[0];
    const bool json = parsed->Has("--json");

    const bool withCells = parsed->Has("--cells");

    // Only --cells needs the layers themselves; the counts are made from the
    // file's rows as they are read, without building the map's 1 GiB.
    const FileFacts facts = ExamineFile(path);
    LoadedMap map;
    CellCounts counts;
    MapReadResult result = MapReadResult::Ok;
    if (withCells) {
        result = ReadLoadedMap(path, map);
        if (result == MapReadResult::Ok) counts = CountCells(map);
    } else {
        const int tileCount = facts.header.tileCount;
        result = ScanMapFile(path, map.content, [&](CellLayer layer, int, const std::uint8_t* cells, int width) {
            CountRow(counts, layer, cells, width, tileCount);
        });
    }
    if (result != MapReadResult::Ok) {
        const char* message = MapReadMessage(result);
        ReportRefused(path, facts, message, json);
        std::fflush(stdout);
        return Fail(message ? message : kMsgMapInvalid);
    }
    ReportReadableMap(path, map, facts.header, counts, facts.size, json, withCells);
    return kExitOk;
}
