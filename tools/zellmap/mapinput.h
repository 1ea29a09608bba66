// A map file read by the editor's own reader into the editor's own map
// model, so the rasteriser and the cell helpers see exactly what the
// editor sees.
#pragma once

#include "mapfile.h"

#include <string>

struct LoadedMap {
    MapFileContent content;  // the map, and the format its tiles were stored in

    const CMapModel& Map() const { return content.map; }
    const CTileList& Tiles() const { return content.map.m_tileList; }
    std::size_t CellCount() const { return content.map.m_cells.CellCount(); }
    // Cell (col, row) of a layer; the cell must be on the map.
    short Cell(CellLayer layer, int col, int row) const { return content.map.m_cells.RowOf(layer, row)[col]; }
};

// Reads the file with the editor's reader; shows nothing itself.
MapReadResult ReadLoadedMap(const std::string& path, LoadedMap& map);

// Reads the file; on failure shows the editor's message (if the reader has
// not shown one already) and returns the result.
MapReadResult LoadMapForTool(const std::string& path, LoadedMap& map);
