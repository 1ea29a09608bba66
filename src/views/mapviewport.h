// Where the map pane's window lies on the map: the tile size, the zoom and
// the scroll position. Every conversion between a client point and a cell
// goes through here, so that a click lands on the cell drawn under the
// pointer at every zoom.
//
// The zoom is a power of two (mapzoom.h). Screen pixel p of the zoomed
// picture shows map pixel MapPixelAt(p), so cell c covers the screen
// pixels [ScreenLength(c x tile), ScreenLength((c + 1) x tile)); the scroll
// position is in those screen pixels. At 1:1 every conversion is the plain
// one the pane always made.
//
// Screen pixels here are the window's logical pixels. A screen of several
// device pixels to a logical one (pixelRatio, a power of two) is drawn
// through Device(): the same window at that many times the zoom.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "mapzoom.h"
#include "wintypes.h"

// The zoom as the status bar shows it ("100%", "12.5%").
std::string ZoomText(MapZoom zoom);
// The next step in or out from zoom (the zoom itself at the end of the steps).
MapZoom NextZoomStep(MapZoom zoom, bool in);
inline bool IsOneToOne(MapZoom zoom) { return zoom.log2 == 0; }

struct MapViewport {
    int tileWidth = 0;
    int tileHeight = 0;
    int columns = 0;
    int rows = 0;
    MapZoom zoom;
    CPoint scroll;       // zoomed pixels
    int pixelRatio = 1;  // device pixels to a logical pixel, a power of two

    bool HasCells() const { return tileWidth > 0 && tileHeight > 0 && columns > 0 && rows > 0; }

    // Map pixel <-> zoomed pixel on one axis.
    std::int64_t Zoomed(std::int64_t mapPixel) const;
    std::int64_t Unzoomed(std::int64_t zoomedPixel) const;
    // The zoomed picture's size.
    std::int64_t ZoomedWidth() const { return Zoomed(std::int64_t(columns) * tileWidth); }
    std::int64_t ZoomedHeight() const { return Zoomed(std::int64_t(rows) * tileHeight); }
    // A cell's width on screen, in (possibly fractional) pixels.
    double CellScreenWidth() const { return tileWidth * zoom.Percent() / 100; }

    // The cell shown under a client point; none off the map.
    std::optional<CPoint> CellAt(CPoint client) const;
    // The same, with a point past the map's edges taken to its nearest cell.
    CPoint ClampedCellAt(CPoint client) const;
    // The client rectangle that shows a rectangle of cells (right and
    // bottom exclusive).
    CRect ClientRectOfCells(const CRect& cells) const;
    CRect ClientRectOfCell(CPoint cell) const { return ClientRectOfCells({cell.x, cell.y, cell.x + 1, cell.y + 1}); }
    // The zoomed scroll position nearest to pos whose edge is a cell's
    // edge, on one axis (horizontal when across).
    int SnapToCell(int pos, bool across) const;
    // The same window in device pixels: the zoom and the scroll position
    // pixelRatio times larger, one device pixel to a screen pixel.
    MapViewport Device() const;
};

// The power of two nearest to a screen's device pixel ratio (1 at the least).
int PixelRatioStep(double devicePixelRatio);
