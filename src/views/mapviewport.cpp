#include "mapviewport.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {
std::int64_t FloorDiv(std::int64_t a, std::int64_t b)
{
    const std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}
}  // namespace

std::string ZoomText(MapZoom zoom)
{
    const double percent = zoom.Percent();
    char text[32];
    if (percent == std::floor(percent))
        std::snprintf(text, sizeof text, "%d%%", int(percent));
    else
        std::snprintf(text, sizeof text, "%.1f%%", percent);
    return text;
}

MapZoom NextZoomStep(MapZoom zoom, bool in)
{
    return {std::clamp(zoom.log2 + (in ? 1 : -1), MapZoom::kMinLog2, MapZoom::kMaxLog2)};
}

std::int64_t MapViewport::Zoomed(std::int64_t mapPixel) const { return zoom.ScreenLength(mapPixel); }

std::int64_t MapViewport::Unzoomed(std::int64_t zoomedPixel) const { return zoom.MapPixelAt(zoomedPixel); }

std::optional<CPoint> MapViewport::CellAt(CPoint client) const
{
    if (!HasCells()) return std::nullopt;
    const std::int64_t zx = std::int64_t(client.x) + scroll.x;
    const std::int64_t zy = std::int64_t(client.y) + scroll.y;
    if (zx < 0 || zy < 0 || zx >= ZoomedWidth() || zy >= ZoomedHeight()) return std::nullopt;
    // The cell whose zoomed span [Zoomed(c * tw), Zoomed((c + 1) * tw)) holds
    // the pixel: the map pixel under the pixel's left edge may belong to an
    // earlier cell when several map pixels share one screen pixel, so the
    // cell is found from the spans themselves.
    auto cellOf = [&](std::int64_t z, int tile, int count) {
        std::int64_t c = std::min<std::int64_t>(count - 1, FloorDiv(Unzoomed(z), tile));
        while (c + 1 < count && Zoomed((c + 1) * tile) <= z) ++c;
        while (c > 0 && Zoomed(c * tile) > z) --c;
        return int(c);
    };
    return CPoint(cellOf(zx, tileWidth, columns), cellOf(zy, tileHeight, rows));
}

CPoint MapViewport::ClampedCellAt(CPoint client) const
{
    const std::int64_t zx = std::clamp<std::int64_t>(std::int64_t(client.x) + scroll.x, 0, ZoomedWidth() - 1);
    const std::int64_t zy = std::clamp<std::int64_t>(std::int64_t(client.y) + scroll.y, 0, ZoomedHeight() - 1);
    return CellAt(CPoint(int(zx - scroll.x), int(zy - scroll.y))).value_or(CPoint(0, 0));
}

CRect MapViewport::ClientRectOfCells(const CRect& cells) const
{
    auto clip = [](std::int64_t v) { return int(std::clamp<std::int64_t>(v, -(1 << 30), 1 << 30)); };
    return {clip(Zoomed(std::int64_t(cells.left) * tileWidth) - scroll.x),
            clip(Zoomed(std::int64_t(cells.top) * tileHeight) - scroll.y),
            clip(Zoomed(std::int64_t(cells.right) * tileWidth) - scroll.x),
            clip(Zoomed(std::int64_t(cells.bottom) * tileHeight) - scroll.y)};
}

int MapViewport::SnapToCell(int pos, bool across) const
{
    const int tile = across ? tileWidth : tileHeight;
    if (tile <= 0) return pos;
    const double cell = tile * zoom.Percent() / 100;
    const std::int64_t index = std::llround(pos / cell);
    return int(Zoomed(index * tile));
}

MapViewport MapViewport::Device() const
{
    MapViewport device = *this;
    for (int r = pixelRatio; r > 1; r /= 2) ++device.zoom.log2;
    device.scroll = CPoint(scroll.x * pixelRatio, scroll.y * pixelRatio);
    device.pixelRatio = 1;
    return device;
}

int PixelRatioStep(double devicePixelRatio)
{
    int step = 1;
    while (step < 8 && devicePixelRatio >= step * 1.5) step *= 2;
    return step;
}
