// The tool bars (buttons in order, separators as ID_SEPARATOR) and their
// button pictures: a strip of 16 x 15 images a bar in the 16 standard
// colours, drawn here so that no binary picture has to be kept in the sources.
#include <QPainter>
#include <algorithm>

#include "resource.h"
#include "resources.h"

namespace {
// The 16-colour palette the pictures keep to.
const QColor kBlack(0, 0, 0), kMaroon(128, 0, 0), kGreen(0, 128, 0), kOlive(128, 128, 0), kNavy(0, 0, 128),
    kPurple(128, 0, 128), kTeal(0, 128, 128), kGray(128, 128, 128), kSilver(192, 192, 192), kRed(255, 0, 0),
    kLime(0, 255, 0), kYellow(255, 255, 0), kBlue(0, 0, 255), kFuchsia(255, 0, 255), kAqua(0, 255, 255),
    kWhite(255, 255, 255);

// A 3 x 5 pixel font for the few letters and digits on the buttons.
const char* Glyph(char c)
{
    switch (c) {
    case '1': return ".#.##..#..#.###";
    case '2': return "###..####..####";
    case 'A': return "####.#####.##.#";
    case 'T': return "###.#..#..#..#.";
    case 'M': return "#.#####.##.##.#";
    default: return "...............";
    }
}

void DrawText3x5(QPainter& p, int x, int y, const char* text, const QColor& color)
{
    for (int i = 0; text[i]; ++i) {
        const char* g = Glyph(text[i]);
        for (int r = 0; r < 5; ++r)
            for (int c = 0; c < 3; ++c)
                if (g[r * 3 + c] == '#') p.fillRect(x + i * 4 + c, y + r, 1, 1, color);
    }
}

void Page(QPainter& p)
{
    p.setPen(kBlack);
    p.setBrush(kWhite);
    p.drawPolygon(QPolygon({QPoint(3, 1), QPoint(9, 1), QPoint(12, 4), QPoint(12, 13), QPoint(3, 13)}));
    p.drawLine(9, 1, 9, 4);
    p.drawLine(9, 4, 12, 4);
}

void Folder(QPainter& p)
{
    p.setPen(kBlack);
    p.setBrush(kOlive);
    p.drawRect(1, 4, 12, 9);
    p.setBrush(kYellow);
    p.drawPolygon(QPolygon({QPoint(3, 7), QPoint(15, 7), QPoint(13, 13), QPoint(1, 13)}));
    p.setPen(kNavy);
    p.drawLine(8, 1, 12, 1);
    p.drawLine(12, 1, 12, 4);
}

void Floppy(QPainter& p)
{
    p.setPen(kBlack);
    p.setBrush(kNavy);
    p.drawRect(1, 1, 13, 12);
    p.setBrush(kWhite);
    p.drawRect(4, 1, 7, 5);
    p.setBrush(kSilver);
    p.drawRect(4, 9, 7, 4);
    p.fillRect(5, 10, 2, 3, kNavy);
}

void Picture(QPainter& p, int x, int y, int w, int h)
{
    p.setPen(kBlack);
    p.setBrush(kAqua);
    p.drawRect(x, y, w, h);
    p.setPen(Qt::NoPen);
    p.setBrush(kGreen);
    p.drawPolygon(QPolygon({QPoint(x + 1, y + h), QPoint(x + w / 3, y + h / 2), QPoint(x + w / 2, y + h * 2 / 3),
                            QPoint(x + w * 3 / 4, y + h / 3), QPoint(x + w, y + h)}));
    p.fillRect(x + w - 4, y + 2, 2, 2, kYellow);
}

void TileGrid(QPainter& p, int cols, int rows, const QColor& a, const QColor& b)
{
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) p.fillRect(1 + c * 5, 1 + r * 5, 4, 4, (r + c) % 2 ? a : b);
}

void RedCross(QPainter& p, int x, int y, int size)
{
    p.setPen(QPen(kRed, 2));
    p.drawLine(x, y, x + size, y + size);
    p.drawLine(x + size, y, x, y + size);
}

void DrawButton(QPainter& p, UINT id)
{
    switch (id) {
    case ID_FILE_NEW: Page(p); break;
    case ID_FILE_OPEN: Folder(p); break;
    case ID_FILE_SAVE: Floppy(p); break;
    case ID_OPEN_BITMAP:
        Folder(p);
        Picture(p, 7, 0, 8, 7);
        break;
    case ID_BITMAP_ALLTILES:
        Picture(p, 0, 0, 15, 14);
        p.setPen(kRed);
        p.drawLine(5, 0, 5, 14);
        p.drawLine(10, 0, 10, 14);
        p.drawLine(0, 5, 15, 5);
        p.drawLine(0, 10, 15, 10);
        break;
    case ID_TILE_ARRANGE:
        TileGrid(p, 3, 2, kTeal, kGreen);
        p.setPen(kBlue);
        p.drawLine(1, 12, 13, 12);
        p.drawLine(11, 10, 13, 12);
        p.drawLine(11, 14, 13, 12);
        break;
    case ID_TILE_SETATTR:
        p.fillRect(1, 1, 13, 13, kGreen);
        p.setPen(kBlack);
        p.setBrush(Qt::NoBrush);
        p.drawRect(1, 1, 13, 13);
        DrawText3x5(p, 6, 5, "A", kYellow);
        break;
    case ID_SHOW_PALETTEATTR:
        TileGrid(p, 3, 3, kTeal, kGreen);
        DrawText3x5(p, 4, 5, "A", kWhite);
        break;
    case ID_TILE_ERASEALL:
        TileGrid(p, 3, 3, kTeal, kGreen);
        RedCross(p, 2, 2, 11);
        break;
    case ID_TILE_ERASESEL:
        TileGrid(p, 3, 3, kSilver, kGray);
        p.fillRect(6, 6, 4, 4, kGreen);
        RedCross(p, 5, 5, 6);
        break;
    case ID_SHOW_TILENUMBERS:
        p.fillRect(0, 2, 16, 10, kWhite);
        p.setPen(kGray);
        p.setBrush(Qt::NoBrush);
        p.drawRect(0, 2, 15, 10);
        DrawText3x5(p, 3, 5, "12", kBlack);
        break;
    case ID_SHOW_TILEATTR:
        p.fillRect(1, 2, 14, 11, kGreen);
        DrawText3x5(p, 6, 5, "T", kWhite);
        break;
    case ID_SHOW_MAPATTR:
        p.fillRect(1, 2, 14, 11, kNavy);
        DrawText3x5(p, 6, 5, "M", kWhite);
        break;
    case ID_TILE_FILLALL:
        TileGrid(p, 3, 3, kGreen, kGreen);
        p.setPen(kBlack);
        p.setBrush(kYellow);
        p.drawPolygon(QPolygon({QPoint(8, 3), QPoint(14, 9), QPoint(10, 13), QPoint(4, 7)}));
        break;
    case ID_TEXT_COLOR:
        DrawText3x5(p, 6, 2, "A", kBlack);
        p.fillRect(2, 10, 4, 3, kRed);
        p.fillRect(6, 10, 4, 3, kLime);
        p.fillRect(10, 10, 4, 3, kBlue);
        break;
    default: break;
    }
    (void)kPurple;
}

const std::vector<UINT> kButtons = {
    ID_FILE_NEW,        ID_FILE_OPEN,     ID_FILE_SAVE,     ID_SEPARATOR,    ID_OPEN_BITMAP,
    ID_BITMAP_ALLTILES, ID_SEPARATOR,     ID_TILE_ARRANGE,  ID_TILE_SETATTR, ID_SHOW_PALETTEATTR,
    ID_SEPARATOR,       ID_TILE_ERASEALL, ID_TILE_ERASESEL, ID_SEPARATOR,    ID_SHOW_TILENUMBERS,
    ID_SHOW_TILEATTR,   ID_SHOW_MAPATTR,  ID_TILE_FILLALL,  ID_SEPARATOR,    ID_TEXT_COLOR,
};

// The map pane's tools, then the layer they paint and the attribute colours.
const std::vector<UINT> kToolButtons = {ID_TOOL_STAMP,  ID_TOOL_ERASER,       ID_TOOL_FILL,     ID_TOOL_SELECT,
                                        ID_TOOL_PICKER, ID_TOOL_PENCIL,       ID_TOOL_SHAPE,    ID_SEPARATOR,
                                        ID_SHAPE_RECT,  ID_SHAPE_FILLED_RECT, ID_SHAPE_ELLIPSE, ID_SHAPE_FILLED_ELLIPSE,
                                        ID_SEPARATOR,   ID_LAYER_TILES,       ID_LAYER_ATTRS,   ID_SHOW_ATTRCOLOURS,
                                        ID_AUTO_RULES,  ID_SEPARATOR,         ID_TOOL_RANDOM};

// A shape's button: a rectangle or an ellipse, outlined or filled.
void ShapeButton(QPainter& p, bool ellipse, bool filled)
{
    p.setPen(kBlack);
    p.setBrush(filled ? QBrush(kNavy) : QBrush(Qt::NoBrush));
    if (ellipse)
        p.drawEllipse(1, 2, 13, 10);
    else
        p.drawRect(2, 3, 11, 8);
}

void DrawToolButton(QPainter& p, UINT id)
{
    switch (id) {
    case ID_TOOL_STAMP:
        p.setPen(kBlack);
        p.setBrush(kMaroon);
        p.drawRect(5, 1, 5, 6);
        p.setBrush(kSilver);
        p.drawRect(2, 7, 11, 3);
        p.fillRect(2, 12, 12, 2, kGreen);
        break;
    case ID_TOOL_ERASER:
        p.setPen(kBlack);
        p.setBrush(kFuchsia);
        p.drawPolygon(QPolygon({QPoint(6, 2), QPoint(14, 2), QPoint(9, 12), QPoint(1, 12)}));
        p.setBrush(kWhite);
        p.drawPolygon(QPolygon({QPoint(3, 8), QPoint(11, 8), QPoint(9, 12), QPoint(1, 12)}));
        break;
    case ID_TOOL_FILL:
        p.setPen(kBlack);
        p.setBrush(kSilver);
        p.drawPolygon(QPolygon({QPoint(2, 6), QPoint(7, 1), QPoint(12, 6), QPoint(7, 11)}));
        p.fillRect(12, 7, 2, 6, kBlue);
        break;
    case ID_TOOL_SELECT:
        for (int i = 1; i < 14; i += 2) {
            p.fillRect(i, 2, 1, 1, kBlack);
            p.fillRect(i, 12, 1, 1, kBlack);
            p.fillRect(1, 2 + (i - 1) * 10 / 12, 1, 1, kBlack);
            p.fillRect(13, 2 + (i - 1) * 10 / 12, 1, 1, kBlack);
        }
        break;
    case ID_TOOL_PICKER:
        p.setPen(QPen(kBlack, 2));
        p.drawLine(3, 12, 10, 5);
        p.fillRect(10, 1, 4, 4, kNavy);
        p.fillRect(1, 12, 3, 3, kRed);
        break;
    case ID_TOOL_SHAPE:
        p.setPen(kBlack);
        p.drawRect(1, 1, 8, 7);
        p.setPen(kBlue);
        p.drawEllipse(5, 5, 9, 8);
        break;
    case ID_SHAPE_RECT: ShapeButton(p, false, false); break;
    case ID_SHAPE_FILLED_RECT: ShapeButton(p, false, true); break;
    case ID_SHAPE_ELLIPSE: ShapeButton(p, true, false); break;
    case ID_SHAPE_FILLED_ELLIPSE: ShapeButton(p, true, true); break;
    case ID_LAYER_TILES:
        TileGrid(p, 3, 3, kTeal, kGreen);
        DrawText3x5(p, 6, 5, "1", kWhite);
        break;
    case ID_LAYER_ATTRS:
        p.fillRect(1, 1, 14, 13, kNavy);
        DrawText3x5(p, 6, 5, "2", kYellow);
        break;
    case ID_SHOW_ATTRCOLOURS:
        p.fillRect(1, 1, 7, 7, kRed);
        p.fillRect(8, 1, 7, 7, kLime);
        p.fillRect(1, 8, 7, 6, kBlue);
        p.fillRect(8, 8, 7, 6, kYellow);
        break;
    case ID_AUTO_RULES:
        // A painted cell whose tiles follow: an attribute square, an arrow, a tile.
        p.fillRect(1, 4, 5, 5, kNavy);
        p.fillRect(6, 6, 3, 1, kBlack);
        p.fillRect(8, 5, 1, 3, kBlack);
        p.fillRect(10, 2, 5, 5, kTeal);
        p.fillRect(10, 8, 5, 5, kGreen);
        break;
    case ID_TOOL_PENCIL:
        // A pencil lying from bottom left to top right, its lead at the bottom.
        p.setPen(kBlack);
        p.setBrush(kYellow);
        p.drawPolygon(QPolygon({QPoint(4, 9), QPoint(11, 2), QPoint(13, 4), QPoint(6, 11)}));
        p.setBrush(kSilver);
        p.drawPolygon(QPolygon({QPoint(4, 9), QPoint(6, 11), QPoint(2, 13)}));
        p.fillRect(1, 13, 2, 1, kBlack);
        break;
    case ID_TOOL_RANDOM:
        // A die: five pips.
        p.setPen(kBlack);
        p.setBrush(kWhite);
        p.drawRect(2, 1, 11, 11);
        for (const QPoint pip : {QPoint(4, 3), QPoint(10, 3), QPoint(7, 6), QPoint(4, 9), QPoint(10, 9)})
            p.fillRect(pip.x(), pip.y(), 2, 2, kBlack);
        break;
    default: break;
    }
}

// A bar's pictures: a 16 x 15 image for each of its buttons, left to right.
QImage MakeStrip(const std::vector<UINT>& buttons, void (*drawButton)(QPainter&, UINT))
{
    const int images = int(std::count_if(buttons.begin(), buttons.end(), [](UINT id) { return id != ID_SEPARATOR; }));
    QImage strip(images * 16, 15, QImage::Format_RGB32);
    strip.fill(kSilver);
    QPainter p(&strip);
    p.setRenderHint(QPainter::Antialiasing, false);
    int index = 0;
    for (UINT id : buttons) {
        if (id == ID_SEPARATOR) continue;
        p.save();
        p.setClipRect(index * 16, 0, 16, 15);
        p.translate(index * 16, 0);
        drawButton(p, id);
        p.restore();
        ++index;
    }
    return strip;
}
}  // namespace

void RegisterProgramToolbar()
{
    AfxRegisterToolbar(IDR_MAINFRAME, {QSize(16, 15), kButtons, [] { return MakeStrip(kButtons, DrawButton); }});
    AfxRegisterToolbar(IDR_EDITBAR,
                       {QSize(16, 15), kToolButtons, [] { return MakeStrip(kToolButtons, DrawToolButton); }});
}
