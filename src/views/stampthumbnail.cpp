#include "stampthumbnail.h"

#include <QPainter>
#include <algorithm>

#include "sprite.h"
#include "tilelist.h"

namespace {
// The tile's screen form as an image sharing its pixels; null for an empty tile.
QImage TileImage(const CSprite* tile)
{
    const std::uint32_t* bits = tile ? tile->GetScreenBits() : nullptr;
    if (!bits) return {};
    return QImage(reinterpret_cast<const uchar*>(bits), tile->GetWidth(), tile->GetHeight(), tile->GetWidth() * 4,
                  QImage::Format_RGB32);
}
}  // namespace

QImage StampThumbnail(const PictureBlock& block, const CTileList& tiles, int side, bool greyed)
{
    QImage picture(side, side, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    if (block.IsEmpty() || side <= 0) return picture;
    // The first picture the tile set has gives the tile's shape.
    QSize tileSize;
    for (const auto& print : block.cells) {
        const int number = print ? tiles.FindFingerprint(*print) : -1;
        if (const CSprite* tile = number >= 0 ? tiles.GetAt(number) : nullptr; tile && !tile->IsEmpty()) {
            tileSize = QSize(tile->GetWidth(), tile->GetHeight());
            break;
        }
    }
    if (tileSize.isEmpty()) tileSize = QSize(1, 1);
    const double scale = std::min(double(side) / (double(block.cols) * tileSize.width()),
                                  double(side) / (double(block.rows) * tileSize.height()));
    const double cellWidth = scale * tileSize.width();
    const double cellHeight = scale * tileSize.height();
    const double left = (side - cellWidth * block.cols) / 2;
    const double top = (side - cellHeight * block.rows) / 2;
    // A block larger than the picture draws one cell of each step, so that
    // a huge stamp costs no more than a picture's worth of tiles.
    const int step = std::max(1, int(std::max(block.cols, block.rows) / side));
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (int row = 0; row < block.rows; row += step) {
        for (int col = 0; col < block.cols; col += step) {
            const auto& print = block.cells[std::size_t(row) * std::size_t(block.cols) + std::size_t(col)];
            const int number = print ? tiles.FindFingerprint(*print) : -1;
            const QImage tile = number >= 0 ? TileImage(tiles.GetAt(number)) : QImage();
            if (tile.isNull()) continue;
            painter.drawImage(
                QRectF(left + col * cellWidth, top + row * cellHeight, cellWidth * step, cellHeight * step), tile);
        }
    }
    painter.end();
    if (!greyed) return picture;
    // Greyed: the grey of each pixel, mostly see-through.
    QImage faded = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < side; ++y) {
        auto* line = reinterpret_cast<QRgb*>(faded.scanLine(y));
        for (int x = 0; x < side; ++x) {
            const int grey = qGray(line[x]);
            line[x] = qRgba(grey, grey, grey, qAlpha(line[x]) * 2 / 5);
        }
    }
    return faded;
}
