// A map file read by the editor's own reader, with its tiles in a tile list
// as the document holds them, so the rasteriser and the cell helpers see
// exactly what the editor sees.
#pragma once

#include "mapfile.h"
#include "maprender.h"
#include "tilelist.h"

#include <string>

struct LoadedMap {
    MapFileContent content;  // sizes and layers (its tile vector is empty once loaded)
    CTileList tiles;

    MapRenderSource RenderSource() const;
    std::size_t CellCount() const { return std::size_t(content.mapWidth) * std::size_t(content.mapHeight); }
};

// Reads the file with the editor's reader; shows nothing itself.
MapReadResult ReadLoadedMap(const std::string& path, LoadedMap& map);

// Reads the file; on failure shows the editor's message (if the reader has
// not shown one already) and returns the result.
MapReadResult LoadMapForTool(const std::string& path, LoadedMap& map);
