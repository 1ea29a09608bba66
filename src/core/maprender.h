// Drawing the map: every cell either its tile, 1:1, or the look of an empty
// cell (white with a grey dotted outline inside the cell). The map pane, the
// overview and command-line tools all draw through these, into a
// caller-owned window onto the map's picture, 0xFFRRGGBB pixels, top-down.
// No picture of the whole map is ever made: a caller asks for the part it
// shows, and gets exactly the pixels a picture of the whole map would hold
// there.
#pragma once

#include "wintypes.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

class CMapModel;
class CSprite;

inline constexpr std::uint32_t kCellBackground = 0xFFFFFFFFu;  // white
inline constexpr std::uint32_t kCellGridDot = 0xFF646464u;     // RGB(100, 100, 100)

// A window onto a picture: bits[0] shows picture pixel (originX, originY).
struct MapPixels {
    std::uint32_t* bits = nullptr;
    int width = 0;
    int height = 0;
    std::ptrdiff_t stride = 0;  // pixels from one row to the next
    std::int64_t originX = 0;
    std::int64_t originY = 0;
};

struct MapDrawOptions {
    bool grid = true;  // false: empty cells plain white, without their dotted outline
};

// The empty cell, width x height pixels, row by row.
std::vector<std::uint32_t> MakeEmptyCellPattern(int width, int height);

// A tile 1:1 from its screen form with its top-left at picture pixel (left,
// top), clipped to the window. An empty tile draws nothing.
void DrawTile(const MapPixels& target, const CSprite& tile, std::int64_t left, std::int64_t top);

// Every pixel of the window that lies on the map, at one pixel per map
// pixel: cell (c, r) covers [c x tile width, (c + 1) x tile width) x [r x
// tile height, (r + 1) x tile height). Window pixels off the map are left
// alone. A missing tile layer draws every cell empty; a tile of another
// size than the cells is drawn over the empty look and kept to its cell.
void RenderMapRegion(const MapPixels& target, const CMapModel& map, const MapDrawOptions& options = {});

struct PictureSize {
    std::int64_t width = 0;
    std::int64_t height = 0;
};

// The map's picture at one pixel per map pixel; nothing for a map with no pixels.
std::optional<PictureSize> MapPictureSize(const CMapModel& map);
// The overview's picture: (map pixels / 10) x 5 on each side; nothing when
// either side comes to 0.
std::optional<PictureSize> ReducedPictureSize(const CMapModel& map);

// The source pixels that reduced pixel d of a side covers: [first, end).
struct SourceSpan {
    std::int64_t first;
    std::int64_t end;
};
SourceSpan ReducedSourceSpan(std::int64_t d, std::int64_t sourceSize, std::int64_t reducedSize);

// Every pixel of the window (in the overview picture's coordinates) that
// lies on that picture: each the AND of the map pixels it covers, with the
// alpha byte set. The map pixels behind the window are drawn a band at a
// time into at most bandBytes of scratch memory. False when that memory
// cannot be had or the map has no overview picture.
bool RenderReducedRegion(const MapPixels& target, const CMapModel& map, const MapDrawOptions& options = {},
                         std::size_t bandBytes = std::size_t(16) << 20);
