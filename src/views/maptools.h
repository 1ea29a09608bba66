// The map pane's tools other than the stamp on the tile layer: eraser,
// fill, rectangle selection and picker, and the stamp on the attribute
// layer (every tool asks the document which layer it paints). The stamp of
// tiles is in stamptool.h; what a tool is, in maptool.h.
#pragma once

#include <memory>

#include "maptool.h"

// The tool object for tool; the stamp made here paints attributes.
std::unique_ptr<CMapTool> MakeMapTool(MapTool tool, const MapToolHost& host);

// The rectangle of cells from a to b, both included, in any order.
CRect CellsBetween(CPoint a, CPoint b);
// The picker's block: the cells of the rectangle as a block from the map.
void PickCells(CZellDoc& doc, const CRect& cells);
