// Tiles and colour tables with known, varied contents for the map tests.
#pragma once

#include "mapmodel.h"
#include "sprite.h"
#include "tilelist.h"
#include "wintypes.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// Deterministic bytes: a small linear congruential generator.
inline std::vector<std::uint8_t> TestBytes(std::size_t count, unsigned seed)
{
    std::vector<std::uint8_t> bytes(count);
    std::uint32_t state = seed * 2654435761u + 12345u;
    for (auto& b : bytes) {
        state = state * 1664525u + 1013904223u;
        b = std::uint8_t(state >> 24);
    }
    return bytes;
}

inline std::array<RGBQUAD, 256> TestColours(unsigned seed)
{
    const auto bytes = TestBytes(256 * 3, seed);
    std::array<RGBQUAD, 256> colours{};
    for (std::size_t i = 0; i < 256; ++i) colours[i] = RGBQUAD{bytes[3 * i], bytes[3 * i + 1], bytes[3 * i + 2], 0};
    return colours;
}

// Stored rows of a tile: bottom-up, ((width x bits) / 8 + 3) & ~3 bytes each.
inline std::vector<std::uint8_t> TestTileRows(int width, int height, WORD bitCount, unsigned seed)
{
    const std::size_t stride = std::size_t(((width * bitCount) / 8 + 3) & ~3);
    return TestBytes(stride * std::size_t(height), seed);
}

// Appends count tiles of varied pixels; tile i has attribute 10 + i.
inline void AddTestTiles(CTileList& tiles, int count, int width, int height, WORD bitCount, unsigned seed,
                         const RGBQUAD* colours = nullptr)
{
    for (int i = 0; i < count; ++i) {
        const auto rows = TestTileRows(width, height, bitCount, seed + unsigned(i));
        auto* tile = new CSprite;
        tile->CreateFromData(BYTE(width), BYTE(height), colours, rows.data(), bitCount);
        tiles.AddTail(tile, BYTE(10 + i));
    }
}

// A map of the given geometry whose layers hold the values, row-major
// (empty vectors: a fresh map).
inline CMapModel ModelOf(int mapWidth, int mapHeight, int tileWidth, int tileHeight,
                         const std::vector<short>& tileLayer = {}, const std::vector<short>& attrLayer = {})
{
    CMapModel map;
    map.m_nTileWidth = BYTE(tileWidth);
    map.m_nTileHeight = BYTE(tileHeight);
    map.m_cells.Create(mapWidth, mapHeight);
    if (mapWidth <= 0) return map;
    for (std::size_t i = 0; i < tileLayer.size(); ++i)
        map.m_cells.SetTile(int(i % std::size_t(mapWidth)), int(i / std::size_t(mapWidth)), tileLayer[i]);
    for (std::size_t i = 0; i < attrLayer.size(); ++i)
        map.m_cells.SetAttr(int(i % std::size_t(mapWidth)), int(i / std::size_t(mapWidth)), attrLayer[i]);
    return map;
}

// Appends a copy of every tile of from (pixels, colours, attribute).
inline void CopyTiles(const CTileList& from, CTileList& to)
{
    for (int i = 0; i < from.GetCount(); ++i) {
        const CSprite* tile = from.GetAt(i);
        auto* copy = new CSprite;
        copy->CreateFromData(BYTE(tile->GetWidth()), BYTE(tile->GetHeight()), tile->m_pColors, tile->m_pBits,
                             tile->m_pBMI->bmiHeader.biBitCount);
        to.AddTail(copy, from.AttributeAt(i));
    }
}

// Every cell of a layer, row-major.
inline std::vector<short> LayerValues(const CCellLayers& cells, CellLayer layer)
{
    std::vector<short> values;
    for (int row = 0; row < cells.Height(); ++row) {
        cells.ForEachRun(layer, row, 0, cells.Width(), [&](int, const short* entries, int count) {
            values.insert(values.end(), entries, entries + count);
        });
    }
    return values;
}
