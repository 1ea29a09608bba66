// The map picture written a band of rows at a time: the map pane's picture
// (scale 1) or the overview's reduction of it (scale 2), both drawn by the
// editor's own rasteriser. Only one band is ever in memory, however large
// the map.
#pragma once

#include "imagesink.h"
#include "mapmodel.h"
#include "maprender.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>

struct RenderSettings {
    int scale = 1;     // 1: one pixel per map pixel; 2: the overview's half size
    bool grid = true;  // false: empty cells plain white, without their dotted outline
    // Memory for one band of the full-size picture; a band holds at least
    // one row of pixels (scale 1) or the rows behind one reduced row.
    std::size_t bandBytes = std::size_t(4) << 20;
    // A map whose smallest band needs more than this is refused.
    std::size_t maxBandBytes = std::size_t(256) << 20;
    // Told the rows written so far and the picture's rows, after each band.
    std::function<void(std::int64_t done, std::int64_t total)> progress{};
};

// Draws over one band of the full-size picture (bits[0] is map pixel
// (0, band.originY)) before the band is written: the text overlay.
using BandDecorator = std::function<void(const MapPixels& band)>;

// The size of the picture, or nothing when the map has none (no cells, or
// too small to reduce). The reduction keeps the overview's rounding:
// (map pixels / 10) x 5 on each side.
std::optional<PictureSize> RenderedSize(const CMapModel& map, int scale);

enum class RenderResult { Ok, NoPicture, TooLarge, WriteFailed };

// Whether the picture can be made within the settings' memory, before
// anything is allocated or written: NoPicture, TooLarge or Ok.
RenderResult CheckRender(const CMapModel& map, const RenderSettings& settings);

RenderResult RenderMapPicture(const CMapModel& map, const RenderSettings& settings, const BandDecorator& decorate,
                              ImageSink& sink);
