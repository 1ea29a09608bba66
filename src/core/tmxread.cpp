#include "tmxread.h"
#include "messagetext.h"

#include "celllayers.h"
#include "picturedecode.h"
#include "screenform.h"
#include "sprite.h"
#include "tmxlayerdata.h"

#include <pugixml.hpp>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <cstdio>
#include <memory>
#include <new>
#include <optional>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Tiled keeps flips and rotations in the top bits of a gid.
constexpr std::uint32_t kGidFlagBits = 0xF0000000u;

struct Geometry {
    int width = 0;
    int height = 0;
    int tileWidth = 0;
    int tileHeight = 0;
};

struct Tileset {
    std::uint32_t firstGid = 1;
    WORD bitCount = 0;
    std::array<RGBQUAD, 256> colours{};
    std::vector<SpritePtr> tiles;
    std::vector<BYTE> attributes;  // one per tile
};

bool Refuse(TmxReadReport& report, TmxReadResult result, std::string message)
{
    report.result = result;
    report.message = std::move(message);
    return false;
}

std::string Cell(std::size_t index, int mapWidth)
{
    return TrFill(QT_TRANSLATE_NOOP("Pellin", "(칸 %1, %2)"),
                  {std::to_string(index % std::size_t(mapWidth)), std::to_string(index / std::size_t(mapWidth))});
}

std::optional<long long> WholeNumber(const char* text)
{
    if (text == nullptr || *text == '\0') return std::nullopt;
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(text, &end, 10);
    if (errno != 0 || *end != '\0') return std::nullopt;
    return value;
}

// An integer attribute within [low, high]; a missing one takes fallback
// when there is one.
bool IntAttribute(const pugi::xml_node& node, const char* name, long long low, long long high, long long& value,
                  TmxReadReport& report, std::optional<long long> fallback = std::nullopt)
{
    const pugi::xml_attribute attribute = node.attribute(name);
    if (!attribute && fallback) {
        value = *fallback;
        return true;
    }
    const auto number = WholeNumber(attribute.value());
    if (!number || *number < low || *number > high) {
        return Refuse(report, TmxReadResult::Invalid,
                      TrFill(QT_TRANSLATE_NOOP("Pellin", "<%1>의 %2 값 \"%3\"이(가) 올바르지 않습니다"),
                             {node.name(), name, attribute.value()}));
    }
    value = *number;
    return true;
}

// The value of the named custom property, or null.
const char* Property(const pugi::xml_node& node, const char* name)
{
    const pugi::xml_node property = node.child("properties").find_child_by_attribute("property", "name", name);
    return property ? property.attribute("value").value() : nullptr;
}

bool ReadDiskFile(const std::string& path, std::vector<std::uint8_t>& bytes)
{
    std::error_code error;
    if (fs::is_directory(path, error)) return false;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) return false;
    bytes.clear();
    std::uint8_t buffer[65536];
    while (const std::size_t got = std::fread(buffer, 1, sizeof buffer, file.get()))
        bytes.insert(bytes.end(), buffer, buffer + got);
    return !std::ferror(file.get());
}

bool LoadXml(pugi::xml_document& doc, const fs::path& path, const char* root, const char* what,
             const TmxFileSource& files, TmxReadReport& report)
{
    std::vector<std::uint8_t> bytes;
    if (!files(path.string(), bytes))
        return Refuse(report, TmxReadResult::CannotOpen,
                      TrFill(QT_TRANSLATE_NOOP("Pellin", "%1\n화일을 열 수 없습니다"), {path.string()}));
    const pugi::xml_parse_result parsed = doc.load_buffer(bytes.data(), bytes.size());
    if (parsed.status == pugi::status_out_of_memory)
        return Refuse(report, TmxReadResult::NoMemory,
                      TrMessage(QT_TRANSLATE_NOOP("Pellin", "메모리가 부족해 화일을 읽을 수 없습니다")));
    if (!parsed)
        return Refuse(report, TmxReadResult::Invalid,
                      TrFill(QT_TRANSLATE_NOOP("Pellin", "%1\n%2이 아닙니다 (XML 오류: %3, %4번째 바이트)"),
                             {path.string(), TrMessage(what), parsed.description(), std::to_string(parsed.offset)}));
    if (!doc.child(root))
        return Refuse(report, TmxReadResult::Invalid,
                      TrFill(QT_TRANSLATE_NOOP("Pellin", "%1\n%2이 아닙니다"), {path.string(), TrMessage(what)}));
    return true;
}

// A 24-bit packed block as 16-bit 5-5-5 (each channel's top five bits):
// the form of a map saved from a 16-bit picture, whose export widened it.
std::unique_ptr<BYTE[]> To555(const BYTE* block)
{
    BITMAPINFOHEADER header;
    std::memcpy(&header, block, sizeof header);
    const std::size_t from = std::size_t(PackedStride(header.biWidth, 24));
    const std::size_t to = std::size_t(PackedStride(header.biWidth, 16));
    const std::size_t rows = std::size_t(header.biHeight);
    std::unique_ptr<BYTE[]> converted(new (std::nothrow) BYTE[sizeof header + to * rows]());
    if (!converted) return nullptr;
    header.biBitCount = 16;
    header.biSizeImage = DWORD(to * rows);
    std::memcpy(converted.get(), &header, sizeof header);
    for (std::size_t y = 0; y < rows; ++y) {
        const BYTE* in = block + sizeof header + y * from;
        BYTE* out = converted.get() + sizeof header + y * to;
        for (int x = 0; x < header.biWidth; ++x, in += 3, out += 2) {
            const unsigned word = unsigned(in[2] >> 3) << 10 | unsigned(in[1] >> 3) << 5 | unsigned(in[0] >> 3);
            out[0] = BYTE(word);
            out[1] = BYTE(word >> 8);
        }
    }
    return converted;
}

bool ReadTileAttributes(const pugi::xml_node& node, Tileset& tileset, TmxReadReport& report)
{
    for (const pugi::xml_node& tile : node.children("tile")) {
        const long long id = tile.attribute("id").as_llong(-1);
        const char* value = Property(tile, kTmxAttributeProperty);
        if (value == nullptr || id < 0 || id >= (long long)tileset.tiles.size()) continue;
        const auto attribute = WholeNumber(value);
        if (!attribute || *attribute < 0 || *attribute > 255)
            return Refuse(
                report, TmxReadResult::Unsupported,
                TrFill(QT_TRANSLATE_NOOP("Pellin", "타일 %1의 속성 \"%2\"은(는) 0에서 255 사이의 정수여야 합니다"),
                       {std::to_string(id), value}));
        tileset.attributes[std::size_t(id)] = BYTE(*attribute);
    }
    return true;
}

// The tileset: its picture cut into tiles as Tiled cuts it (tiles at
// margin + n x (tile size + spacing), as many as fit), no more than
// tilecount when it says fewer.
bool ReadTileset(const pugi::xml_node& mapTileset, const fs::path& folder, const Geometry& map,
                 long long bitCountWanted, const TmxFileSource& files, Tileset& tileset, TmxReadReport& report)
{
    long long value = 0;
    if (!IntAttribute(mapTileset, "firstgid", 1, kGidFlagBits - 1, value, report)) return false;
    tileset.firstGid = std::uint32_t(value);
    pugi::xml_document external;
    pugi::xml_node node = mapTileset;
    fs::path base = folder;
    if (const char* source = mapTileset.attribute("source").value(); *source) {
        const fs::path path = folder / fs::path(source);
        if (!LoadXml(external, path, "tileset", QT_TRANSLATE_NOOP("Pellin", "타일셋 화일(.tsx)"), files, report))
            return false;
        node = external.child("tileset");
        base = path.parent_path();
    }
    long long tileWidth = 0, tileHeight = 0, margin = 0, spacing = 0, tileCount = 0;
    if (!IntAttribute(node, "tilewidth", 1, 65535, tileWidth, report) ||
        !IntAttribute(node, "tileheight", 1, 65535, tileHeight, report) ||
        !IntAttribute(node, "margin", 0, 65535, margin, report, 0) ||
        !IntAttribute(node, "spacing", 0, 65535, spacing, report, 0) ||
        !IntAttribute(node, "tilecount", 0, INT32_MAX, tileCount, report, INT32_MAX))
        return false;
    if (tileWidth != map.tileWidth || tileHeight != map.tileHeight)
        return Refuse(
            report, TmxReadResult::Unsupported,
            TrFill(QT_TRANSLATE_NOOP("Pellin", "타일셋의 타일 크기(%1x%2)가 맵의 타일 크기(%3x%4)와 다릅니다"),
                   {std::to_string(tileWidth), std::to_string(tileHeight), std::to_string(map.tileWidth),
                    std::to_string(map.tileHeight)}));
    const pugi::xml_node image = node.child("image");
    if (!image || !*image.attribute("source").value())
        return Refuse(report, TmxReadResult::Unsupported,
                      TrMessage(QT_TRANSLATE_NOOP("Pellin", "타일마다 그림이 따로 있는 타일셋은 가져올 수 없습니다")));

    const fs::path picturePath = base / fs::path(image.attribute("source").value());
    std::vector<std::uint8_t> bytes;
    if (!files(picturePath.string(), bytes))
        return Refuse(report, TmxReadResult::CannotOpen,
                      TrFill(QT_TRANSLATE_NOOP("Pellin", "%1\n타일셋 그림을 열 수 없습니다"), {picturePath.string()}));
    BYTE* decoded = nullptr;
    bool flattened = false;
    const BmpDecodeStatus status = DecodePictureFile(bytes.data(), bytes.size(), decoded, flattened);
    std::unique_ptr<BYTE[]> block(decoded);
    if (status == BmpDecodeStatus::NoMemory)
        return Refuse(report, TmxReadResult::NoMemory,
                      TrMessage(QT_TRANSLATE_NOOP("Pellin", "메모리가 부족해 타일셋 그림을 읽을 수 없습니다")));
    if (status != BmpDecodeStatus::Ok)
        return Refuse(
            report, TmxReadResult::Invalid,
            TrFill(QT_TRANSLATE_NOOP("Pellin", "%1\n타일셋 그림이 비트맵 화일이 아닙니다"), {picturePath.string()}));
    report.transparencyFlattened = flattened;
    BITMAPINFOHEADER header;
    std::memcpy(&header, block.get(), sizeof header);
    if (header.biBitCount == 32)
        return Refuse(report, TmxReadResult::Unsupported,
                      TrMessage(QT_TRANSLATE_NOOP(
                          "Pellin", "32비트 타일셋 그림은 타일로 자를 수 없습니다 (8, 16, 24비트만 됩니다)")));
    if (header.biBitCount == 24 && bitCountWanted == 16) {
        block = To555(block.get());
        if (!block)
            return Refuse(report, TmxReadResult::NoMemory,
                          TrMessage(QT_TRANSLATE_NOOP("Pellin", "메모리가 부족해 타일셋 그림을 읽을 수 없습니다")));
        header.biBitCount = 16;
    }

    const auto fitting = [&](long long size, long long tile) {
        return size - margin < tile ? 0 : (size - margin + spacing) / (tile + spacing);
    };
    const long long columns = fitting(header.biWidth, tileWidth);
    const long long count = std::min(columns * fitting(header.biHeight, tileHeight), tileCount);
    if (columns == 0 || count == 0)
        return Refuse(
            report, TmxReadResult::Unsupported,
            TrMessage(QT_TRANSLATE_NOOP(
                "Pellin", "타일셋 그림에서 여백(margin)과 간격(spacing)을 빼면 온전한 타일이 하나도 없습니다")));
    if (count > kMaxMapTiles)
        return Refuse(report, TmxReadResult::Unsupported,
                      TrFill(QT_TRANSLATE_NOOP("Pellin", "타일셋의 타일이 %1개보다 많아 가져올 수 없습니다"),
                             {std::to_string(kMaxMapTiles)}));
    const auto* source = reinterpret_cast<const BITMAPINFO*>(block.get());
    for (long long i = 0; i < count; ++i) {
        const int left = int(margin + i % columns * (tileWidth + spacing));
        const int top = int(margin + i / columns * (tileHeight + spacing));
        SpritePtr tile(new (std::nothrow) CSprite);
        if (!tile || !tile->Create(left, top, left + int(tileWidth), top + int(tileHeight), source) || tile->IsEmpty())
            return Refuse(report, TmxReadResult::NoMemory,
                          TrMessage(QT_TRANSLATE_NOOP("Pellin", "메모리가 부족해 타일을 만들 수 없습니다")));
        tileset.tiles.push_back(std::move(tile));
    }
    tileset.attributes.assign(tileset.tiles.size(), 0);
    tileset.bitCount = header.biBitCount;
    if (header.biBitCount == 8)
        std::memcpy(tileset.colours.data(), block.get() + sizeof header, sizeof tileset.colours);
    return ReadTileAttributes(node, tileset, report);
}

void CollectLayers(const pugi::xml_node& parent, std::vector<pugi::xml_node>& tileLayers,
                   std::vector<pugi::xml_node>& attributeLayers)
{
    for (const pugi::xml_node& child : parent.children()) {
        const std::string name = child.name();
        if (name == "layer") tileLayers.push_back(child);
        if (name == "objectgroup" && std::string(child.attribute("name").value()) == kTmxAttributeLayer)
            attributeLayers.push_back(child);
        if (name == "group") CollectLayers(child, tileLayers, attributeLayers);
    }
}

bool ReadCells(const pugi::xml_node& layer, const Geometry& map, const Tileset* tileset, CCellLayers& cells,
               TmxReadReport& report)
{
    long long width = 0, height = 0;
    if (!IntAttribute(layer, "width", map.width, map.width, width, report) ||
        !IntAttribute(layer, "height", map.height, map.height, height, report))
        return false;
    const pugi::xml_node data = layer.child("data");
    if (!data)
        return Refuse(report, TmxReadResult::Invalid,
                      TrMessage(QT_TRANSLATE_NOOP("Pellin", "타일 층에 데이터가 없습니다")));
    std::vector<std::uint32_t> gids;
    std::string error;
    const std::size_t count = std::size_t(map.width) * std::size_t(map.height);
    switch (DecodeLayerData(data, count, gids, error)) {
    case LayerDataResult::Ok: break;
    case LayerDataResult::Damaged: return Refuse(report, TmxReadResult::Invalid, error);
    case LayerDataResult::Unsupported: return Refuse(report, TmxReadResult::Unsupported, error);
    case LayerDataResult::NoMemory: return Refuse(report, TmxReadResult::NoMemory, error);
    }
    const std::size_t tiles = tileset ? tileset->tiles.size() : 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t gid = gids[i];
        const int col = int(i % std::size_t(map.width)), row = int(i / std::size_t(map.width));
        if (gid & kGidFlagBits)
            return Refuse(report, TmxReadResult::Unsupported,
                          TrFill(QT_TRANSLATE_NOOP("Pellin", "뒤집거나 돌린 타일은 가져올 수 없습니다 %1"),
                                 {Cell(i, map.width)}));
        if (gid == 0) {
            cells.SetTile(col, row, kEmptyTileCell);
        } else if (tileset && gid >= tileset->firstGid && gid - tileset->firstGid < tiles) {
            cells.SetTile(col, row, short(gid - tileset->firstGid));
        } else {
            return Refuse(report, TmxReadResult::Invalid,
                          TrFill(QT_TRANSLATE_NOOP("Pellin", "타일셋에 없는 타일(gid %1)을 가리키는 칸이 있습니다 %2"),
                                 {std::to_string(gid), Cell(i, map.width)}));
        }
    }
    return true;
}

// Each object with the attribute property sets every cell it covers; it
// must cover whole cells of the map.
bool ReadAttributes(const pugi::xml_node& layer, const Geometry& map, CCellLayers& cells, TmxReadReport& report)
{
    for (const pugi::xml_node& object : layer.children("object")) {
        const char* value = Property(object, kTmxAttributeProperty);
        if (value == nullptr) continue;
        const std::string where = TrFill(QT_TRANSLATE_NOOP("Pellin", "속성 객체 %1"), {object.attribute("id").value()});
        const auto attribute = WholeNumber(value);
        if (!attribute || *attribute < -32768 || *attribute > 32767)
            return Refuse(
                report, TmxReadResult::Unsupported,
                TrFill(QT_TRANSLATE_NOOP("Pellin", "%1의 속성 \"%2\"은(는) -32768에서 32767 사이의 정수여야 합니다"),
                       {where, value}));
        const double x = object.attribute("x").as_double(-1) / map.tileWidth;
        const double y = object.attribute("y").as_double(-1) / map.tileHeight;
        const double w = object.attribute("width").as_double(map.tileWidth) / map.tileWidth;
        const double h = object.attribute("height").as_double(map.tileHeight) / map.tileHeight;
        const auto whole = [](double v) { return v >= 0 && v <= double(kMaxMapSide) && v == double((long long)v); };
        if (!whole(x) || !whole(y) || !whole(w) || !whole(h) || w < 1 || h < 1)
            return Refuse(report, TmxReadResult::Unsupported,
                          TrFill(QT_TRANSLATE_NOOP("Pellin", "%1이(가) 칸에 맞게 놓여 있지 않습니다"), {where}));
        if (x + w > map.width || y + h > map.height)
            return Refuse(report, TmxReadResult::Unsupported,
                          TrFill(QT_TRANSLATE_NOOP("Pellin", "%1이(가) 맵 밖에 있습니다"), {where}));
        for (int row = int(y); row < int(y + h); ++row)
            for (int col = int(x); col < int(x + w); ++col) cells.SetAttr(col, row, short(*attribute));
    }
    return true;
}

// The bit count and colour table of a map without tiles, as export wrote them.
bool ReadFormatWithoutTiles(const pugi::xml_node& mapNode, long long bitCount, MapFileContent& content,
                            TmxReadReport& report)
{
    content.bitCount = WORD(bitCount);
    const char* colours = Property(mapNode, kTmxColoursProperty);
    if (bitCount != 8 || colours == nullptr) return true;
    const std::string hex = colours;
    if (hex.size() != 256 * 6 || hex.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
        return Refuse(report, TmxReadResult::Invalid,
                      TrMessage(QT_TRANSLATE_NOOP("Pellin", "맵 속성 colours가 올바르지 않습니다")));
    for (std::size_t i = 0; i < 256; ++i) {
        const unsigned long rgb = std::stoul(hex.substr(6 * i, 6), nullptr, 16);
        content.colours[i] = RGBQUAD{BYTE(rgb), BYTE(rgb >> 8), BYTE(rgb >> 16), 0};
    }
    return true;
}

bool ReadMap(const fs::path& path, const TmxFileSource& files, MapFileContent& content, TmxReadReport& report)
{
    pugi::xml_document doc;
    if (!LoadXml(doc, path, "map", QT_TRANSLATE_NOOP("Pellin", "TMX 맵 화일"), files, report)) return false;
    const pugi::xml_node mapNode = doc.child("map");
    const std::string orientation = mapNode.attribute("orientation").value();
    if (orientation != "orthogonal")
        return Refuse(report, TmxReadResult::Unsupported,
                      TrFill(QT_TRANSLATE_NOOP("Pellin", "직교(orthogonal) 맵만 가져올 수 있습니다 (이 맵은 %1)"),
                             {orientation}));
    if (mapNode.attribute("infinite").as_int(0) != 0)
        return Refuse(report, TmxReadResult::Unsupported,
                      TrMessage(QT_TRANSLATE_NOOP("Pellin", "무한(infinite) 맵은 가져올 수 없습니다")));

    long long width = 0, height = 0, tileWidth = 0, tileHeight = 0, bitCount = 0;
    if (!IntAttribute(mapNode, "width", 1, kMaxMapSide, width, report) ||
        !IntAttribute(mapNode, "height", 1, kMaxMapSide, height, report) ||
        !IntAttribute(mapNode, "tilewidth", 1, 65535, tileWidth, report) ||
        !IntAttribute(mapNode, "tileheight", 1, 65535, tileHeight, report))
        return false;
    if (tileWidth != tileHeight || (tileWidth != 16 && tileWidth != 24 && tileWidth != 32 && tileWidth != 64))
        return Refuse(
            report, TmxReadResult::Unsupported,
            TrFill(QT_TRANSLATE_NOOP("Pellin", "타일은 16, 24, 32, 64 픽셀의 정사각형이어야 합니다 (이 맵은 %1x%2)"),
                   {std::to_string(tileWidth), std::to_string(tileHeight)}));
    const Geometry map{int(width), int(height), int(tileWidth), int(tileHeight)};
    if (!LayerCellCount(map.width, map.height))
        return Refuse(report, TmxReadResult::Unsupported,
                      TrMessage(QT_TRANSLATE_NOOP("Pellin", "맵이 너무 커서 가져올 수 없습니다")));
    const auto property = WholeNumber(Property(mapNode, kTmxBitCountProperty));
    bitCount = property && *property >= 0 && *property <= 65535 ? *property : 24;

    const auto tilesets = mapNode.children("tileset");
    const auto tilesetCount = std::distance(tilesets.begin(), tilesets.end());
    if (tilesetCount > 1)
        return Refuse(report, TmxReadResult::Unsupported,
                      TrFill(QT_TRANSLATE_NOOP("Pellin", "타일셋이 %1개인 맵은 가져올 수 없습니다 (하나만 됩니다)"),
                             {std::to_string(tilesetCount)}));
    std::vector<pugi::xml_node> tileLayers, attributeLayers;
    CollectLayers(mapNode, tileLayers, attributeLayers);
    if (tileLayers.size() > 1)
        return Refuse(report, TmxReadResult::Unsupported,
                      TrFill(QT_TRANSLATE_NOOP("Pellin", "타일 층이 %1개인 맵은 가져올 수 없습니다 (하나만 됩니다)"),
                             {std::to_string(tileLayers.size())}));

    Tileset tileset;
    const bool hasTileset = tilesetCount == 1;
    if (hasTileset && !ReadTileset(mapNode.child("tileset"), path.parent_path(), map, bitCount, files, tileset, report))
        return false;
    CCellLayers& cells = content.map.m_cells;
    if (const LayerAllocResult made = cells.Create(map.width, map.height); made != LayerAllocResult::Ok)
        return Refuse(report, TmxReadResult::NoMemory, LayerAllocMessage(made));
    if (!tileLayers.empty() && !ReadCells(tileLayers.front(), map, hasTileset ? &tileset : nullptr, cells, report))
        return false;
    for (const pugi::xml_node& layer : attributeLayers)
        if (!ReadAttributes(layer, map, cells, report)) return false;

    content.map.m_nTileWidth = BYTE(map.tileWidth);
    content.map.m_nTileHeight = BYTE(map.tileHeight);
    if (tileset.tiles.empty()) return ReadFormatWithoutTiles(mapNode, bitCount, content, report);
    content.bitCount = tileset.bitCount;
    content.colours = tileset.colours;
    for (RGBQUAD& colour : content.colours) colour.rgbReserved = 0;
    for (std::size_t i = 0; i < tileset.tiles.size(); ++i)
        content.map.m_tileList.AddTail(tileset.tiles[i].release(), tileset.attributes[i]);
    return true;
}

}  // namespace

TmxReadReport ReadTmxFile(const std::string& path, MapFileContent& out) { return ReadTmx(path, ReadDiskFile, out); }

TmxReadReport ReadTmx(const std::string& path, const TmxFileSource& files, MapFileContent& out)
{
    TmxReadReport report;
    MapFileContent content;
    try {
        if (!ReadMap(fs::path(path), files, content, report)) return report;
    } catch (const std::bad_alloc&) {
        Refuse(report, TmxReadResult::NoMemory,
               TrMessage(QT_TRANSLATE_NOOP("Pellin", "메모리가 부족해 맵을 가져올 수 없습니다")));
        return report;
    }
    out = std::move(content);
    return report;
}
