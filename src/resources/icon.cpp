#include "icon.h"

#include <QColor>
#include <QPainter>
#include <QPen>

#include <algorithm>

QImage DrawProgramIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    // Cell edges spread over the whole size, also when it is not a multiple of 4.
    const auto edge = [size](int i) { return i * size / 4; };
    const QColor colours[] = {QColor(0, 128, 0), QColor(0, 128, 128), QColor(128, 128, 0), QColor(0, 0, 128)};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            p.fillRect(edge(c), edge(r), edge(c + 1) - edge(c), edge(r + 1) - edge(r), colours[(r * 3 + c) % 4]);
    p.setPen(QPen(QColor(192, 192, 192), std::max(1, size / 32)));
    for (int i = 0; i <= 4; ++i) {
        const int at = edge(i) - (i == 4);
        p.drawLine(at, 0, at, size - 1);
        p.drawLine(0, at, size - 1, at);
    }
    p.setRenderHint(QPainter::Antialiasing, size > 32);
    p.setPen(QPen(QColor(255, 255, 0), size / 8));
    const int m = size / 5;
    p.drawLine(m, m, size - m, m);
    p.drawLine(size - m, m, m, size - m);
    p.drawLine(m, size - m, size - m, size - m);
    return image;
}
