#include "bandrender.h"

#include "celllayers.h"

#include <algorithm>
#include <memory>
#include <new>

namespace {

std::unique_ptr<std::uint32_t[]> AllocatePixels(std::int64_t count)
{
    return std::unique_ptr<std::uint32_t[]>(new (std::nothrow) std::uint32_t[std::size_t(count)]);
}

// Map pixels [originY, originY + rows) of the full-size image into band.
void DrawBand(const MapRenderSource& map, bool grid, const MapPixels& band)
{
    if (grid) {
        RenderMapCells(band, map, CRect(0, 0, map.mapWidth, map.mapHeight));
        return;
    }
    for (int y = 0; y < band.height; ++y) std::fill_n(band.bits + y * band.stride, band.width, kCellBackground);
    if (!map.tileLayer) return;
    const std::int64_t firstRow = band.originY / map.tileHeight;
    const std::int64_t lastRow = (band.originY + band.height - 1) / map.tileHeight;
    const std::int64_t endRow = std::min<std::int64_t>(map.mapHeight, lastRow + 1);
    for (int col = 0; col < map.mapWidth; ++col) {
        for (std::int64_t row = firstRow; row < endRow; ++row) {
            const short value = map.tileLayer[CellIndex(col, int(row), map.mapWidth)];
            if (const CSprite* tile = TileForCell(map.tiles, value))
                DrawTile(band, *tile, std::int64_t(col) * map.tileWidth, row * map.tileHeight);
        }
    }
}

// Source rows behind one reduced row, at most.
std::int64_t SourceRowsPerReducedRow(PictureSize source, PictureSize reduced)
{
    return (source.height + reduced.height - 1) / reduced.height + 1;
}

RenderResult RenderFullSize(const MapRenderSource& map, const RenderSettings& settings, const BandDecorator& decorate,
                            ImageSink& sink, PictureSize size)
{
    const std::int64_t rowBytes = size.width * 4;
    // Whole cell rows when they fit, so no cell is drawn twice.
    std::int64_t rows = std::max<std::int64_t>(1, std::int64_t(settings.bandBytes) / rowBytes);
    rows = std::min<std::int64_t>({rows, std::int64_t(256) * map.tileHeight, size.height});
    if (rows >= map.tileHeight) rows -= rows % map.tileHeight;
    const auto pixels = AllocatePixels(size.width * rows);
    if (!pixels) return RenderResult::TooLarge;

    for (std::int64_t top = 0; top < size.height; top += rows) {
        const int height = int(std::min(rows, size.height - top));
        const MapPixels band{pixels.get(), int(size.width), height, std::ptrdiff_t(size.width), 0, top};
        DrawBand(map, settings.grid, band);
        if (decorate) decorate(band);
        if (!sink.WriteRows(band.bits, height, band.stride)) return RenderResult::WriteFailed;
    }
    return sink.Finish() ? RenderResult::Ok : RenderResult::WriteFailed;
}

// The overview's reduction: reduced pixel d covers source pixels
// [d * source / reduced, max(that + 1, (d + 1) * source / reduced)) on each
// axis, and takes the AND of all of them.
struct Span {
    std::int64_t first;
    std::int64_t end;
};

Span SourceSpan(std::int64_t d, std::int64_t source, std::int64_t reduced)
{
    const std::int64_t first = d * source / reduced;
    return {first, std::max(first + 1, (d + 1) * source / reduced)};
}

RenderResult RenderReduced(const MapRenderSource& map, const RenderSettings& settings, ImageSink& sink,
                           PictureSize source, PictureSize size)
{
    const std::int64_t perRow = SourceRowsPerReducedRow(source, size);
    const std::int64_t rowBytes = source.width * 4;
    const std::int64_t reducedRows =
        std::clamp<std::int64_t>(std::int64_t(settings.bandBytes) / rowBytes / perRow, 1, size.height);
    const std::int64_t sourceRows = reducedRows * perRow + 2;

    const auto sourcePixels = AllocatePixels(source.width * sourceRows);
    const auto column = AllocatePixels(source.width);
    const auto reduced = AllocatePixels(size.width * reducedRows);
    if (!sourcePixels || !column || !reduced) return RenderResult::TooLarge;

    for (std::int64_t top = 0; top < size.height; top += reducedRows) {
        const std::int64_t count = std::min(reducedRows, size.height - top);
        const std::int64_t sourceTop = SourceSpan(top, source.height, size.height).first;
        const std::int64_t sourceEnd = SourceSpan(top + count - 1, source.height, size.height).end;
        const MapPixels band{sourcePixels.get(), int(source.width), int(sourceEnd - sourceTop),
                             std::ptrdiff_t(source.width), 0, sourceTop};
        DrawBand(map, settings.grid, band);

        for (std::int64_t d = 0; d < count; ++d) {
            // First the AND down the source rows, then across.
            const Span rows = SourceSpan(top + d, source.height, size.height);
            const std::uint32_t* first = band.bits + (rows.first - sourceTop) * band.stride;
            std::copy_n(first, source.width, column.get());
            for (std::int64_t y = rows.first + 1; y < rows.end; ++y) {
                const std::uint32_t* line = band.bits + (y - sourceTop) * band.stride;
                for (std::int64_t x = 0; x < source.width; ++x) column[std::size_t(x)] &= line[x];
            }
            std::uint32_t* out = reduced.get() + d * size.width;
            // x spans step by source / reduced with a running remainder.
            const std::int64_t step = source.width / size.width;
            const std::int64_t extra = source.width % size.width;
            std::int64_t x0 = 0;
            std::int64_t remainder = 0;
            for (std::int64_t dx = 0; dx < size.width; ++dx) {
                std::int64_t next = x0 + step;
                remainder += extra;
                if (remainder >= size.width) {
                    remainder -= size.width;
                    ++next;
                }
                const std::int64_t x1 = std::max(x0 + 1, next);
                std::uint32_t value = 0xFFFFFFFFu;
                for (std::int64_t x = x0; x < x1; ++x) value &= column[std::size_t(x)];
                out[dx] = value | 0xFF000000u;
                x0 = next;
            }
        }
        if (!sink.WriteRows(reduced.get(), int(count), std::ptrdiff_t(size.width))) return RenderResult::WriteFailed;
    }
    return sink.Finish() ? RenderResult::Ok : RenderResult::WriteFailed;
}

}  // namespace

std::optional<PictureSize> RenderedSize(const MapRenderSource& map, int scale)
{
    if (map.tileWidth <= 0 || map.tileHeight <= 0 || map.mapWidth <= 0 || map.mapHeight <= 0) return std::nullopt;
    PictureSize size{std::int64_t(map.tileWidth) * map.mapWidth, std::int64_t(map.tileHeight) * map.mapHeight};
    if (scale == 2) size = {size.width / 10 * 5, size.height / 10 * 5};
    if (size.width <= 0 || size.height <= 0) return std::nullopt;
    return size;
}

RenderResult CheckRender(const MapRenderSource& map, const RenderSettings& settings)
{
    const auto size = RenderedSize(map, settings.scale);
    if (!size) return RenderResult::NoPicture;
    const auto source = RenderedSize(map, 1);
    // The smallest band: one row, or the rows behind one reduced row.
    const std::int64_t rows = settings.scale == 2 ? SourceRowsPerReducedRow(*source, *size) + 2 : 1;
    const std::int64_t limit = std::int64_t(settings.maxBandBytes);
    return source->width > limit / 4 / rows ? RenderResult::TooLarge : RenderResult::Ok;
}

RenderResult RenderMapPicture(const MapRenderSource& map, const RenderSettings& settings,
                              const BandDecorator& decorate, ImageSink& sink)
{
    if (const RenderResult check = CheckRender(map, settings); check != RenderResult::Ok) return check;
    const auto size = RenderedSize(map, settings.scale);
    if (settings.scale == 2) return RenderReduced(map, settings, sink, *RenderedSize(map, 1), *size);
    return RenderFullSize(map, settings, decorate, sink, *size);
}
