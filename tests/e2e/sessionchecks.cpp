#include "sessionchecks.h"

#include <QImage>
#include <QRect>
#include <algorithm>
#include <cstring>
#include <vector>

#include "mapfile.h"
#include "maprender.h"
#include "mapview.h"
#include "smallmapview.h"
#include "tmxread.h"
#include "zelldoc.h"

namespace {

template <class T>
void Append(std::string& out, const T* data, std::size_t count)
{
    if (data)
        out.append(reinterpret_cast<const char*>(data), count * sizeof(T));
    else
        out.append(1, '\0');
}

std::string Where(const char* what, int x, int y)
{
    return std::string(what) + " (" + std::to_string(x) + ", " + std::to_string(y) + ")";
}

// "20 x 15 cells of 32 x 32, 6 tiles", read back from ModelBytes, and
// where two such byte strings part.
std::string Shape(const std::string& bytes)
{
    int sizes[5] = {};
    std::memcpy(sizes, bytes.data(), std::min(bytes.size(), sizeof sizes));
    return std::to_string(sizes[0]) + " x " + std::to_string(sizes[1]) + " cells of " + std::to_string(sizes[2]) +
           " x " + std::to_string(sizes[3]) + ", " + std::to_string(sizes[4]) + " tiles";
}
std::string Difference(const std::string& now, const std::string& wanted)
{
    const auto parted = std::mismatch(now.begin(), now.end(), wanted.begin(), wanted.end());
    return " (" + Shape(now) + " against " + Shape(wanted) + ", parting at byte " +
           std::to_string(parted.first - now.begin()) + " of " + std::to_string(now.size()) + ")";
}

}  // namespace

std::string ModelBytes(const CMapModel& map)
{
    std::string out;
    const int sizes[] = {map.MapWidth(), map.MapHeight(), map.m_nTileWidth, map.m_nTileHeight,
                         map.m_tileList.GetCount()};
    Append(out, sizes, 5);
    for (const CellLayer layer : {CellLayer::Tiles, CellLayer::Attributes})
        for (int row = 0; row < map.MapHeight(); ++row)
            map.m_cells.ForEachRun(layer, row, 0, map.MapWidth(),
                                   [&](int, const short* cells, int count) { Append(out, cells, std::size_t(count)); });
    for (int i = 0; i < map.m_tileList.GetCount(); ++i) {
        const CSprite* tile = map.m_tileList.GetAt(i);
        const int shape[] = {tile->GetWidth(), tile->GetHeight(), tile->m_pBMI->bmiHeader.biBitCount,
                             map.m_tileList.AttributeAt(i)};
        Append(out, shape, 4);
        Append(out, tile->m_pBits, std::size_t(tile->GetStride()) * std::size_t(tile->GetHeight()));
        Append(out, tile->GetScreenBits(), std::size_t(tile->GetWidth()) * std::size_t(tile->GetHeight()));
    }
    return out;
}

std::string CheckMapPane(CMapView& view, const CZellDoc& doc)
{
    view.UpdateWindow();
    const CMapModel& map = doc.Map();
    if (!map.HasCellSize() || !map.m_cells.IsComplete()) return {};
    // What a whole refresh shows, marks included: they are drawn from the
    // pane's state however the cells under them were composed.
    const QImage shown = view.Surface().copy();
    view.RefreshScreen();
    view.UpdateWindow();
    const QImage whole = view.Surface().copy();

    const CPoint scroll = view.GetDeviceScrollPosition();
    QImage drawn(shown.size(), QImage::Format_RGB32);
    RenderMapRegion({reinterpret_cast<std::uint32_t*>(drawn.bits()), drawn.width(), drawn.height(),
                     drawn.bytesPerLine() / 4, scroll.x, scroll.y},
                    map);
    // The cells' own picture is what the pane shows at 100% without numbers,
    // attribute colours or a selection's outline; otherwise the whole
    // refresh is the measure.
    const bool cellsOnly =
        !(doc.ShowTileNumbers() || doc.ShowTileAttr() || doc.ShowMapAttr() || doc.ShowAttrColours()) &&
        view.Zoom() == MapZoom{0} && doc.MapSelection().IsRectEmpty();
    const QRegion marked = view.MarkedArea();
    const int w = std::min(shown.width(), map.PixelWidth() - scroll.x);
    const int h = std::min(shown.height(), map.PixelHeight() - scroll.y);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (shown.pixel(x, y) != whole.pixel(x, y))
                return Where("the map pane differs from a whole refresh of it at", x, y);
            if (marked.contains(QPoint(x, y))) continue;
            if (cellsOnly && shown.pixel(x, y) != drawn.pixel(x, y))
                return Where("the map pane differs from the map's cells at", x, y);
        }
    return {};
}

std::string CheckOverview(CSmallMapView& view, const CZellDoc& doc)
{
    view.UpdateWindow();
    // Fitted to its pane, the overview shows the map's sampled picture.
    const auto size = view.FitsPane() ? std::optional<PictureSize>(view.Picture()) : ReducedPictureSize(doc.Map());
    // Attribute colours tint the reduced picture.
    if (doc.ShowAttrColours()) return {};
    if (!size || !doc.Map().HasCellSize() || !doc.Map().m_cells.IsComplete()) return {};
    const QImage& shown = view.Surface();
    const CPoint scroll = view.GetDeviceScrollPosition();
    const int w = int(std::min<std::int64_t>(shown.width(), size->width - scroll.x));
    const int h = int(std::min<std::int64_t>(shown.height(), size->height - scroll.y));
    if (w <= 0 || h <= 0) return {};
    std::vector<std::uint32_t> want(std::size_t(w) * std::size_t(h));
    const MapPixels target{want.data(), w, h, w, scroll.x, scroll.y};
    if (!(view.FitsPane() ? RenderSampledRegion(target, doc.Map(), *size) : RenderReducedRegion(target, doc.Map())))
        return {};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (shown.pixel(x, y) != want[std::size_t(y) * std::size_t(w) + std::size_t(x)])
                return Where("the overview differs from the map's picture at", x, y);
    return {};
}

std::string CheckSaveAndRead(const CZellDoc& doc)
{
    MapSaveInput input;
    input.map = &doc.Map();
    input.bitmapBitCount = doc.Bitmap().m_bLoaded ? doc.Bitmap().GetBitCount() : WORD(24);
    input.bitmapColours = doc.Bitmap().m_bLoaded && input.bitmapBitCount == 8 ? doc.Bitmap().m_pColors : nullptr;
    std::vector<std::uint8_t> bytes;
    // A map the writer refuses (and says so) has nothing to compare.
    if (EncodeMapFile(input, bytes) != MapWriteResult::Ok) return {};
    MapFileContent back;
    if (ParseMapFile(bytes.data(), bytes.size(), back) != MapReadResult::Ok) return "a saved map does not read back";
    if (const std::string read = ModelBytes(back.map); read != ModelBytes(doc.Map()))
        return "a saved map reads back different" + Difference(read, ModelBytes(doc.Map()));
    return {};
}

std::string CheckHistory(CZellDoc& doc, const std::string* origin)
{
    CEditHistory& history = doc.UndoStack();
    if (bool(doc.IsModified()) == history.isClean()) return "the modified flag disagrees with the history";
    const std::string now = ModelBytes(doc.Map());
    const int index = history.index();
    const bool clean = history.isClean();
    history.setIndex(0);
    if (const std::string first = ModelBytes(doc.Map()); origin && first != *origin)
        return "undoing every step does not give back the first map" + Difference(first, *origin);
    history.setIndex(history.count());
    history.setIndex(index);
    if (const std::string back = ModelBytes(doc.Map()); back != now)
        return "undoing and redoing every step does not give back the same map" + Difference(back, now);
    if (history.isClean() != clean) return "undoing and redoing every step changes the clean state";
    return {};
}

std::string CheckCleanMatchesFile(const CZellDoc& doc)
{
    const std::string& path = doc.GetPathName();
    if (doc.IsModified() || path.empty()) return {};
    MapFileContent file;
    // A Tiled map as the editor opens one: when it is not a map file.
    const bool tmx = path.size() > 4 && path.compare(path.size() - 4, 4, ".tmx") == 0;
    const bool read =
        ReadMapFile(path, file) == MapReadResult::Ok || (tmx && ReadTmxFile(path, file).result == TmxReadResult::Ok);
    if (!read) return "the file of a document without unsaved changes does not read: " + path;
    if (const std::string read = ModelBytes(file.map); read != ModelBytes(doc.Map()))
        return "a document without unsaved changes differs from its file " + path +
               Difference(read, ModelBytes(doc.Map()));
    return {};
}
