// The .Map file: reading, checking and writing it, without any windowing.
//
// Layout (little-endian, no gaps):
//   0  8 bytes  "QZTF1.0" and a NUL
//   8  int32    map width in cells        12 int32  map height in cells
//   16 uint8    tile width in pixels      17 uint8  tile height in pixels
//   18 uint16   bits per pixel            20 uint16 tile count
//   22 colour table, 8 bits per pixel only: 256 x (red, green, blue, 0)
//   then per tile: tile height rows of MapFileRowSize bytes, bottom row
//   first, and the attribute byte
//   then the tile layer and the attribute layer, int16 per cell, row-major.
#pragma once

#include "mapmodel.h"
#include "tilelist.h"
#include "wintypes.h"
#include "messagetext.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CSprite;

inline constexpr const char* kMsgMapOpenFailed = QT_TRANSLATE_NOOP("Pellin", "맵 화일을 열 수 없습니다");
inline constexpr const char* kMsgMapInvalid = QT_TRANSLATE_NOOP("Pellin", "올바른 맵 화일이 아닙니다");
inline constexpr const char* kMsgMapSaveFailed = QT_TRANSLATE_NOOP("Pellin", "맵 화일을 저장할 수 없습니다");
inline constexpr const char* kMsgMapTooManyTiles = QT_TRANSLATE_NOOP("Pellin", "타일이 너무 많아 저장할 수 없습니다");
inline constexpr const char* kMsgMapTileFormatsDiffer =
    QT_TRANSLATE_NOOP("Pellin", "타일의 색 형식이 서로 달라 저장할 수 없습니다");

inline constexpr char kMapMagic[8] = {'Q', 'Z', 'T', 'F', '1', '.', '0', '\0'};
inline constexpr std::size_t kMapHeaderSize = 22;
inline constexpr std::size_t kMapColourTableSize = 256 * 4;
// Readers take the tile count as a signed 16-bit number.
inline constexpr int kMaxMapTiles = kMaxTiles;

// Bytes of one stored pixel row: the row's pixel bytes rounded up to 4.
int MapFileRowSize(int tileWidth, int bitCount);

// The length a file with this header must have; nothing when a size is
// negative or the length does not fit in 64 bits.
std::optional<std::uint64_t> MapFileLength(int mapWidth, int mapHeight, int tileWidth, int tileHeight, int bitCount,
                                           int tileCount);

// Frees a tile's image, then the tile: how the tile list disposes of tiles.
struct SpriteDeleter {
    void operator()(CSprite* sprite) const noexcept;
};
using SpritePtr = std::unique_ptr<CSprite, SpriteDeleter>;

// Everything a valid file holds: the map, and the format its tiles were
// stored in.
struct MapFileContent {
    CMapModel map;  // geometry, tiles in file order, both layers
    WORD bitCount = 0;
    std::array<RGBQUAD, 256> colours{};  // 8 bits per pixel only; reserved bytes 0
};

enum class MapReadResult {
    Ok,
    CannotOpen,            // the file cannot be opened or read
    Invalid,               // not a complete and consistent map file
    TooLarge,              // more cells than a map may have (kMaxLayerCells)
    TileLayerAllocFailed,  // no memory for the cell layers
    AttrLayerAllocFailed,
    TileCreateFailed,  // a tile could not be made
};

// Reads and checks the whole file. Only on Ok is out replaced; on any
// refusal it is left exactly as it was. A file must be exactly as long as
// its header says: trailing bytes mean the header does not describe the
// data (for instance tiles of another size), so they are refused too.
// Cells naming no tile are kept as they are.
MapReadResult ParseMapFile(const std::uint8_t* data, std::size_t size, MapFileContent& out);
// Told now and then (about every MiB) how many of a file's bytes are read or
// written, of how many: what the editor's progress bar shows.
using MapFileProgress = std::function<void(std::uint64_t done, std::uint64_t total)>;

MapReadResult ReadMapFile(const std::string& path, MapFileContent& out, const MapFileProgress& progress = {});

// A row of a layer as the file holds it: width little-endian int16 entries.
using MapRowVisitor = std::function<void(CellLayer layer, int row, const std::uint8_t* cells, int width)>;
// Reads and checks the file as ReadMapFile does, but hands the cells to
// rows a row at a time (the tile layer's, then the attribute layer's)
// instead of keeping them: for a tool that only looks at the cells, at the
// cost of reading the file and in little memory. out's layers stay empty.
MapReadResult ScanMapFile(const std::string& path, MapFileContent& out, const MapRowVisitor& rows);

// What the document saves: the map, and the loaded bitmap's format, which
// the file declares when there are no tiles to take it from.
struct MapSaveInput {
    const CMapModel* map = nullptr;  // a missing layer is written as -1s / 0s
    WORD bitmapBitCount = 0;
    const RGBQUAD* bitmapColours = nullptr;  // 256 entries (8-bit)
};

enum class MapWriteResult {
    Ok,
    TooManyTiles,       // more than kMaxMapTiles
    TileFormatsDiffer,  // tiles that one header cannot describe
    CannotWrite,        // the file could not be created or written
};

// Checks the input, then writes the file through a temporary file beside
// it that replaces the target only when every byte was written. On a
// refusal or failure the target is untouched.
MapWriteResult WriteMapFile(const std::string& path, const MapSaveInput& input, const MapFileProgress& progress = {});

// The same bytes into memory (for checks and tools).
MapWriteResult EncodeMapFile(const MapSaveInput& input, std::vector<std::uint8_t>& out);

// The message the document shows for a result, or nullptr when there is
// nothing to show (Ok, or a failure already reported where it happened).
const char* MapReadMessage(MapReadResult result);
const char* MapWriteMessage(MapWriteResult result);
