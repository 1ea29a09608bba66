#include "bandrender.h"

#include <algorithm>
#include <memory>
#include <new>

namespace {

std::unique_ptr<std::uint32_t[]> AllocatePixels(std::int64_t count)
{
    return std::unique_ptr<std::uint32_t[]>(new (std::nothrow) std::uint32_t[std::size_t(count)]);
}

// Source rows behind one reduced row, at most.
std::int64_t SourceRowsPerReducedRow(PictureSize source, PictureSize reduced)
{
    return (source.height + reduced.height - 1) / reduced.height + 1;
}

RenderResult RenderFullSize(const CMapModel& map, const RenderSettings& settings, const BandDecorator& decorate,
                            ImageSink& sink, PictureSize size)
{
    const std::int64_t rowBytes = size.width * 4;
    // Whole cell rows when they fit, so no cell is drawn twice.
    std::int64_t rows = std::max<std::int64_t>(1, std::int64_t(settings.bandBytes) / rowBytes);
    rows = std::min<std::int64_t>({rows, std::int64_t(256) * map.m_nTileHeight, size.height});
    if (rows >= map.m_nTileHeight) rows -= rows % map.m_nTileHeight;
    const auto pixels = AllocatePixels(size.width * rows);
    if (!pixels) return RenderResult::TooLarge;

    const MapDrawOptions options{settings.grid};
    for (std::int64_t top = 0; top < size.height; top += rows) {
        const int height = int(std::min(rows, size.height - top));
        const MapPixels band{pixels.get(), int(size.width), height, std::ptrdiff_t(size.width), 0, top};
        RenderMapRegion(band, map, options);
        if (decorate) decorate(band);
        if (!sink.WriteRows(band.bits, height, band.stride)) return RenderResult::WriteFailed;
        if (settings.progress) settings.progress(top + height, size.height);
    }
    return sink.Finish() ? RenderResult::Ok : RenderResult::WriteFailed;
}

RenderResult RenderReduced(const CMapModel& map, const RenderSettings& settings, ImageSink& sink, PictureSize size)
{
    // Reduced rows a piece, each piece drawn by the overview's own reduction.
    const std::int64_t rows = std::clamp<std::int64_t>(std::int64_t(settings.bandBytes) / (size.width * 4), 1, 256);
    const auto reduced = AllocatePixels(size.width * rows);
    if (!reduced) return RenderResult::TooLarge;
    const MapDrawOptions options{settings.grid};
    for (std::int64_t top = 0; top < size.height; top += rows) {
        const int count = int(std::min(rows, size.height - top));
        const MapPixels piece{reduced.get(), int(size.width), count, std::ptrdiff_t(size.width), 0, top};
        if (!RenderReducedRegion(piece, map, options, settings.bandBytes)) return RenderResult::TooLarge;
        if (!sink.WriteRows(reduced.get(), count, std::ptrdiff_t(size.width))) return RenderResult::WriteFailed;
        if (settings.progress) settings.progress(top + count, size.height);
    }
    return sink.Finish() ? RenderResult::Ok : RenderResult::WriteFailed;
}

}  // namespace

std::optional<PictureSize> RenderedSize(const CMapModel& map, int scale)
{
    return scale == 2 ? ReducedPictureSize(map) : MapPictureSize(map);
}

RenderResult CheckRender(const CMapModel& map, const RenderSettings& settings)
{
    const auto size = RenderedSize(map, settings.scale);
    if (!size) return RenderResult::NoPicture;
    const auto source = MapPictureSize(map);
    // The smallest band: one row, or the rows behind one reduced row.
    const std::int64_t rows = settings.scale == 2 ? SourceRowsPerReducedRow(*source, *size) + 2 : 1;
    const std::int64_t limit = std::int64_t(settings.maxBandBytes);
    return source->width > limit / 4 / rows ? RenderResult::TooLarge : RenderResult::Ok;
}

RenderResult RenderMapPicture(const CMapModel& map, const RenderSettings& settings, const BandDecorator& decorate,
                              ImageSink& sink)
{
    if (const RenderResult check = CheckRender(map, settings); check != RenderResult::Ok) return check;
    const auto size = RenderedSize(map, settings.scale);
    if (settings.scale == 2) return RenderReduced(map, settings, sink, *size);
    return RenderFullSize(map, settings, decorate, sink, *size);
}
