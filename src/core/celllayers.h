// The map's two cell layers: tile numbers and map attributes, one signed
// 16-bit entry per cell, row-major (cell (c, r) is entry r * mapWidth + c).
// The map view owns them as raw arrays made with array new; these helpers
// allocate, release, replace and address them without ever throwing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

inline constexpr const char* kMsgTileLayerAllocFailed = "지도를 생성할수 없습니다.";
inline constexpr const char* kMsgAttrLayerAllocFailed = "지도 속성을 생성할수 없습니다.";

inline constexpr short kEmptyTileCell = -1;  // tile layer: no tile
inline constexpr short kNoAttrCell = 0;      // attribute layer: no attribute

// The largest layer we agree to allocate. Linux overcommits memory, so a
// huge request may "succeed" and kill the process only when it is filled;
// refusing beyond this many cells (128 MiB per layer) keeps that from
// happening.
inline constexpr std::int64_t kMaxLayerCells = std::int64_t(1) << 26;
// The longest side a map may have: with tiles of up to 255 pixels the map's
// size in pixels then always fits in an int.
inline constexpr int kMaxMapSide = 1 << 23;

// Cells of a mapWidth x mapHeight map, or nothing when a side is negative
// or longer than kMaxMapSide, or the count is beyond kMaxLayerCells.
std::optional<std::size_t> LayerCellCount(int mapWidth, int mapHeight);

// A new layer of mapWidth x mapHeight entries, all set to fill; nullptr when
// the size is refused or memory runs out. Release with delete[].
short* AllocateLayer(int mapWidth, int mapHeight, short fill);

enum class LayerAllocResult { Ok, TileLayerFailed, AttrLayerFailed };

// Allocates each layer that is null (tile layer first, filled with -1, then
// the attribute layer, filled with 0); an existing layer is kept as it is.
// Stops at the first failure, leaving that layer null.
LayerAllocResult AllocateMissingLayers(short*& tileLayer, short*& attrLayer, int mapWidth, int mapHeight);

// The message for a failed allocation; nullptr for Ok.
const char* LayerAllocMessage(LayerAllocResult result);

// Array-deletes both layers and sets them to null.
void ReleaseLayers(short*& tileLayer, short*& attrLayer);

// Releases both layers and takes over the new ones (which may be null).
void ReplaceLayers(short*& tileLayer, short*& attrLayer, short* newTileLayer, short* newAttrLayer);

inline bool CellInMap(int col, int row, int mapWidth, int mapHeight)
{
    return col >= 0 && row >= 0 && col < mapWidth && row < mapHeight;
}

// Entry of cell (col, row); the cell must be inside the map.
inline std::size_t CellIndex(int col, int row, int mapWidth)
{
    return std::size_t(row) * std::size_t(mapWidth) + std::size_t(col);
}

// Bounds-checked access: a null layer or a cell outside the map reads as
// nothing and is not written.
std::optional<short> ReadCell(const short* layer, int mapWidth, int mapHeight, int col, int row);
bool WriteCell(short* layer, int mapWidth, int mapHeight, int col, int row, short value);
