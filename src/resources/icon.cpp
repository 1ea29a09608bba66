// The application icon, 32 x 32 and 16 x 16 in the 16 standard colours: a
// small map of tiles with a grid, drawn here rather than kept as a picture.
#include <QIcon>
#include <QPainter>
#include <QPixmap>

#include "resources.h"

namespace {
QPixmap MakeIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    const int cell = size / 4;
    const QColor colours[] = {QColor(0, 128, 0), QColor(0, 128, 128), QColor(128, 128, 0), QColor(0, 0, 128)};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) p.fillRect(c * cell, r * cell, cell, cell, colours[(r * 3 + c) % 4]);
    p.setPen(QColor(192, 192, 192));
    for (int i = 0; i <= 4; ++i) {
        p.drawLine(i * cell - (i == 4), 0, i * cell - (i == 4), size - 1);
        p.drawLine(0, i * cell - (i == 4), size - 1, i * cell - (i == 4));
    }
    // A "Z" across the tiles.
    p.setPen(QPen(QColor(255, 255, 0), size / 8));
    const int m = size / 5;
    p.drawLine(m, m, size - m, m);
    p.drawLine(size - m, m, m, size - m);
    p.drawLine(m, size - m, size - m, size - m);
    return QPixmap::fromImage(image);
}
}  // namespace

void RegisterProgramIcon()
{
    AfxRegisterAppIcon([] {
        QIcon icon;
        icon.addPixmap(MakeIcon(32));
        icon.addPixmap(MakeIcon(16));
        return icon;
    });
}
