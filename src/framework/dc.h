// Device contexts: drawing onto a QImage with the pixel footprints of the
// Windows graphics calls the program was designed around. A view's client
// context draws into the view's screen surface.
#pragma once

#include <QImage>
#include <QPainter>
#include <memory>
#include <string>

#include "wintypes.h"

constexpr int PS_SOLID = 0;
constexpr int R2_NOT = 6;
constexpr int R2_COPYPEN = 13;
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

struct CPen {
    int style = PS_SOLID;
    int width = 1;
    COLORREF color = RGB(0, 0, 0);
};

struct CBrush {
    bool null = false;
    COLORREF color = RGB(255, 255, 255);
    static CBrush Null() { return {true, 0}; }
};

class CDC {
public:
    // Draws into target; logical (0, 0) lands at device point origin.
    explicit CDC(QImage* target, QPoint origin = {});
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    CPen SelectPen(const CPen& pen);
    CBrush SelectBrush(const CBrush& brush);
    int SetROP2(int mode);
    int SetBkMode(int mode);
    COLORREF SetTextColor(COLORREF color);
    void SetViewportOrg(QPoint origin);

    // Outline x = l..r-1, y = t..b-1 with the pen, inside filled with the brush.
    void Rectangle(int l, int t, int r, int b);
    void FillSolidRect(const CRect& rc, COLORREF color);
    // Text with its top-left at (x, y).
    void TextOut(int x, int y, const std::string& utf8);
    void TextOut(int x, int y, const QString& text);
    // Copies a top-down 32-bit picture (0xFFRRGGBB, stride = width) 1:1.
    void DrawScreenBits(int x, int y, const std::uint32_t* bits, int width, int height);

    QImage* Target() const { return m_target; }

private:
    bool CanPaint() const;
    QPainter& Painter();
    void EndPainter();
    QColor Color(COLORREF c) const { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }

    QImage* m_target = nullptr;
    QPoint m_origin;
    std::unique_ptr<QPainter> m_painter;
    CPen m_pen;
    CBrush m_brush;
    int m_rop = R2_COPYPEN;
    int m_bkMode = OPAQUE;
    COLORREF m_bkColor = RGB(255, 255, 255);  // behind opaque text
    COLORREF m_textColor = RGB(0, 0, 0);
};
