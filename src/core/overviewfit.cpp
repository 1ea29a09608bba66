#include "overviewfit.h"

#include <algorithm>
#include <vector>

#include "mapmodel.h"
#include "sprite.h"

std::optional<PictureSize> FitPicture(PictureSize source, PictureSize room)
{
    if (source.width <= 0 || source.height <= 0 || room.width <= 0 || room.height <= 0) return std::nullopt;
    // Compared without division: the side that runs out of room first sets the scale.
    if (source.width * room.height <= source.height * room.width)
        return PictureSize{std::max<std::int64_t>(1, source.width * room.height / source.height), room.height};
    return PictureSize{room.width, std::max<std::int64_t>(1, source.height * room.width / source.width)};
}

std::int64_t SourcePixelOf(std::int64_t d, std::int64_t sourceSize, std::int64_t pictureSize)
{
    if (sourceSize <= 0 || pictureSize <= 0) return 0;
    d = std::clamp<std::int64_t>(d, 0, pictureSize - 1);
    const SourceSpan span = ReducedSourceSpan(d, sourceSize, pictureSize);
    return std::min(sourceSize - 1, span.first + (span.end - span.first) / 2);
}

std::int64_t PicturePixelOf(std::int64_t s, std::int64_t sourceSize, std::int64_t pictureSize)
{
    if (sourceSize <= 0) return 0;
    return s * pictureSize / sourceSize;
}

bool RenderSampledRegion(const MapPixels& target, const CMapModel& map, PictureSize picture,
                         const MapDrawOptions& options)
{
    const auto source = MapPictureSize(map);
    if (!source || picture.width <= 0 || picture.height <= 0) return false;
    if (!target.bits || target.width <= 0 || target.height <= 0) return true;
    const std::int64_t x0 = std::max<std::int64_t>(target.originX, 0);
    const std::int64_t y0 = std::max<std::int64_t>(target.originY, 0);
    const std::int64_t x1 = std::min(target.originX + target.width, picture.width);
    const std::int64_t y1 = std::min(target.originY + target.height, picture.height);
    if (x0 >= x1 || y0 >= y1) return true;

    const int tw = map.m_nTileWidth;
    const int th = map.m_nTileHeight;
    std::vector<std::uint32_t> empty = MakeEmptyCellPattern(tw, th);
    if (!options.grid) std::fill(empty.begin(), empty.end(), kCellBackground);
    // Each column's map pixel, found once for every row.
    std::vector<std::int64_t> columns;
    columns.reserve(std::size_t(x1 - x0));
    for (std::int64_t x = x0; x < x1; ++x) columns.push_back(SourcePixelOf(x, source->width, picture.width));

    for (std::int64_t y = y0; y < y1; ++y) {
        const std::int64_t sy = SourcePixelOf(y, source->height, picture.height);
        const int row = int(sy / th);
        const int ty = int(sy % th);
        const CellRow cells = map.m_cells.RowOf(CellLayer::Tiles, row);
        std::uint32_t* line = target.bits + (y - target.originY) * target.stride;
        for (std::int64_t x = x0; x < x1; ++x) {
            const std::int64_t sx = columns[std::size_t(x - x0)];
            const int col = int(sx / tw);
            const int tx = int(sx % tw);
            std::uint32_t pixel = empty[std::size_t(ty) * std::size_t(tw) + std::size_t(tx)];
            // A tile of another size than the cells covers what of the cell it reaches.
            const CSprite* tile = cells ? map.TileForCell(cells[col]) : nullptr;
            if (tile && tile->GetScreenBits() && tx < tile->GetWidth() && ty < tile->GetHeight())
                pixel = tile->GetScreenBits()[std::size_t(ty) * std::size_t(tile->GetWidth()) + std::size_t(tx)];
            line[x - target.originX] = pixel;
        }
    }
    return true;
}
