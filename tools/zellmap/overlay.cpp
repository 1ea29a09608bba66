#include "overlay.h"

#include "celllayers.h"
#include "fonts.h"
#include "overlaytext.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>

#include <algorithm>
#include <cstdio>

namespace {

// Qt's start-up notes (no runtime folder, no screen) mean nothing to a
// command-line run; only its real errors reach standard error.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(text));
}

}  // namespace

std::optional<OverlayKind> OverlayKindFromName(const std::string& name)
{
    if (name == "numbers") return OverlayKind::TileNumbers;
    if (name == "tile-attributes") return OverlayKind::TileAttributes;
    if (name == "map-attributes") return OverlayKind::MapAttributes;
    return std::nullopt;
}

struct OverlayPrinter::Impl {
    // The application object keeps references to argc and argv: they go after it.
    int argc = 1;
    char name[8] = "zellmap";
    char* argv[2] = {name, nullptr};
    std::unique_ptr<QGuiApplication> app;

    const LoadedMap& map;
    OverlayKind kind;
    COLORREF colour;
    std::unique_ptr<OverlayTextCache> text;
    int margin = 0;  // pixels a label may reach beyond its cell

    Impl(const LoadedMap& m, OverlayKind k, COLORREF c) : map(m), kind(k), colour(c)
    {
        if (!QGuiApplication::instance()) {
            // Fonts need the application object, not a screen.
            qputenv("QT_QPA_PLATFORM", "offscreen");
            qInstallMessageHandler(QuietQtMessages);
            app = std::make_unique<QGuiApplication>(argc, argv);
        }
        const QFont font = AfxContextFont();
        text = std::make_unique<OverlayTextCache>(font);
        margin = 2 * QFontMetrics(font).height() + 8;
    }

    CellLabel LabelOf(int col, int row) const
    {
        const short tile = map.Cell(CellLayer::Tiles, col, row);
        switch (kind) {
        case OverlayKind::TileAttributes:
            if (map.Map().TileForCell(tile)) return CellLabel::Number(map.Tiles().AttributeAt(tile));
            return CellLabel::Cross();
        case OverlayKind::TileNumbers: return tile == kEmptyTileCell ? CellLabel::Cross() : CellLabel::Number(tile);
        case OverlayKind::MapAttributes: {
            const short attr = map.Cell(CellLayer::Attributes, col, row);
            return attr == kNoAttrCell ? CellLabel::Cross() : CellLabel::Number(attr);
        }
        }
        return CellLabel::Cross();
    }
};

OverlayPrinter::OverlayPrinter(const LoadedMap& map, OverlayKind kind, COLORREF colour)
    : m_impl(std::make_unique<Impl>(map, kind, colour))
{
}

OverlayPrinter::~OverlayPrinter() = default;

void OverlayPrinter::Decorate(const MapPixels& band)
{
    const CMapModel& map = m_impl->map.Map();
    const int tw = map.m_nTileWidth;
    const int th = map.m_nTileHeight;
    if (!map.m_cells.IsComplete() || tw <= 0 || th <= 0) return;
    QImage image(reinterpret_cast<uchar*>(band.bits), band.width, band.height, band.stride * 4, QImage::Format_RGB32);
    if (image.isNull()) return;
    // Labels of the cell rows above and below the band may reach into it.
    const std::int64_t first = std::max<std::int64_t>(0, (band.originY - m_impl->margin) / th);
    const std::int64_t end =
        std::min<std::int64_t>(map.MapHeight(), (band.originY + band.height + m_impl->margin) / th + 1);
    const QRect clip(0, 0, band.width, band.height);
    for (std::int64_t row = first; row < end; ++row) {
        const int y = int(row * th - band.originY);
        for (int col = 0; col < map.MapWidth(); ++col)
            m_impl->text->Draw(image, clip, col * tw, y, m_impl->LabelOf(col, int(row)), m_impl->colour);
    }
}
