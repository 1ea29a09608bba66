// Draws the program's icon at the sizes of the desktop's icon theme: a
// small map of four by four tiles with a grid and a "Z" across it, the
// picture the editor shows in its title bar. At 16 and 32 pixels the
// result is the editor's own icon, pixel for pixel; larger sizes keep the
// same proportions with smoothed lines.
//
// Usage: pellin-icon-maker OUTDIR SIZE...  (writes OUTDIR/SIZE.png)
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

QImage MakeIcon(int size)
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

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s OUTDIR SIZE...\n", argv[0]);
        return 2;
    }
    for (int i = 2; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        const std::string path = std::string(argv[1]) + "/" + std::to_string(size) + ".png";
        if (size < 16 || !MakeIcon(size).save(QString::fromStdString(path), "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
