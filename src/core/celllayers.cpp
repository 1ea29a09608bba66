#include "celllayers.h"

#include <algorithm>
#include <new>

std::optional<std::size_t> LayerCellCount(int mapWidth, int mapHeight)
{
    if (mapWidth < 0 || mapHeight < 0 || mapWidth > kMaxMapSide || mapHeight > kMaxMapSide) return std::nullopt;
    // Both factors are below 2^31, so the product fits in 64 bits.
    const std::int64_t cells = std::int64_t(mapWidth) * std::int64_t(mapHeight);
    if (cells > kMaxLayerCells) return std::nullopt;
    return std::size_t(cells);
}

short* AllocateLayer(int mapWidth, int mapHeight, short fill)
{
    const auto cells = LayerCellCount(mapWidth, mapHeight);
    if (!cells) return nullptr;
    short* layer = new (std::nothrow) short[*cells];
    if (layer) std::fill_n(layer, *cells, fill);
    return layer;
}

LayerAllocResult AllocateMissingLayers(short*& tileLayer, short*& attrLayer, int mapWidth, int mapHeight)
{
    if (!tileLayer) {
        tileLayer = AllocateLayer(mapWidth, mapHeight, kEmptyTileCell);
        if (!tileLayer) return LayerAllocResult::TileLayerFailed;
    }
    if (!attrLayer) {
        attrLayer = AllocateLayer(mapWidth, mapHeight, kNoAttrCell);
        if (!attrLayer) return LayerAllocResult::AttrLayerFailed;
    }
    return LayerAllocResult::Ok;
}

const char* LayerAllocMessage(LayerAllocResult result)
{
    switch (result) {
    case LayerAllocResult::TileLayerFailed: return kMsgTileLayerAllocFailed;
    case LayerAllocResult::AttrLayerFailed: return kMsgAttrLayerAllocFailed;
    case LayerAllocResult::Ok: break;
    }
    return nullptr;
}

void ReleaseLayers(short*& tileLayer, short*& attrLayer)
{
    delete[] tileLayer;
    tileLayer = nullptr;
    delete[] attrLayer;
    attrLayer = nullptr;
}

void ReplaceLayers(short*& tileLayer, short*& attrLayer, short* newTileLayer, short* newAttrLayer)
{
    if (tileLayer != newTileLayer) delete[] tileLayer;
    if (attrLayer != newAttrLayer) delete[] attrLayer;
    tileLayer = newTileLayer;
    attrLayer = newAttrLayer;
}

std::optional<short> ReadCell(const short* layer, int mapWidth, int mapHeight, int col, int row)
{
    if (!layer || !CellInMap(col, row, mapWidth, mapHeight)) return std::nullopt;
    return layer[CellIndex(col, row, mapWidth)];
}

bool WriteCell(short* layer, int mapWidth, int mapHeight, int col, int row, short value)
{
    if (!layer || !CellInMap(col, row, mapWidth, mapHeight)) return false;
    layer[CellIndex(col, row, mapWidth)] = value;
    return true;
}
