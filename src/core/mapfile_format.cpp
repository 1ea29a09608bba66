// Sizes of the map file and the messages of its results.
#include "mapfile.h"

#include "celllayers.h"
#include "sprite.h"

#include <limits>

int MapFileRowSize(int tileWidth, int bitCount) { return ((tileWidth * bitCount) / 8 + 3) & ~3; }

std::optional<std::uint64_t> MapFileLength(int mapWidth, int mapHeight, int tileWidth, int tileHeight, int bitCount,
                                           int tileCount)
{
    if (mapWidth < 0 || mapHeight < 0 || tileWidth < 0 || tileHeight < 0 || bitCount < 0 || tileCount < 0 ||
        tileWidth > 255 || tileHeight > 255 || bitCount > 0xFFFF || tileCount > 0xFFFF)
        return std::nullopt;
    std::uint64_t length = kMapHeaderSize + (bitCount == 8 ? kMapColourTableSize : 0);
    // With the field widths checked above every term is far below 2^64;
    // only the cell layers (up to 4 x (2^31)^2 bytes) can overflow the sum.
    const std::uint64_t record = std::uint64_t(tileHeight) * std::uint64_t(MapFileRowSize(tileWidth, bitCount)) + 1;
    length += std::uint64_t(tileCount) * record;
    const std::uint64_t layers = 4 * std::uint64_t(mapWidth) * std::uint64_t(mapHeight);
    if (layers > std::numeric_limits<std::uint64_t>::max() - length) return std::nullopt;
    return length + layers;
}

void SpriteDeleter::operator()(CSprite* sprite) const noexcept
{
    if (!sprite) return;
    sprite->Free();
    delete sprite;
}

const char* MapReadMessage(MapReadResult result)
{
    switch (result) {
    case MapReadResult::CannotOpen: return kMsgMapOpenFailed;
    case MapReadResult::Invalid: return kMsgMapInvalid;
    case MapReadResult::TooLarge: return kMsgMapTooLarge;
    case MapReadResult::TileLayerAllocFailed: return kMsgTileLayerAllocFailed;
    case MapReadResult::AttrLayerAllocFailed: return kMsgAttrLayerAllocFailed;
    case MapReadResult::TileCreateFailed: return kMsgSpriteCreateError;
    case MapReadResult::Ok: break;
    }
    return nullptr;
}

const char* MapWriteMessage(MapWriteResult result)
{
    switch (result) {
    case MapWriteResult::TooManyTiles: return kMsgMapTooManyTiles;
    case MapWriteResult::TileFormatsDiffer: return kMsgMapTileFormatsDiffer;
    case MapWriteResult::CannotWrite: return kMsgMapSaveFailed;
    case MapWriteResult::Ok: break;
    }
    return nullptr;
}
