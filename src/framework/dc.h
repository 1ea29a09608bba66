// Device contexts: drawing onto a QImage with the pixel footprints of the
// Windows graphics calls the program was designed around. A view's client
// context draws into the view's screen surface; a memory context draws
// into the bitmap selected into it.
#pragma once

#include <QImage>
#include <QPainter>
#include <memory>
#include <string>

#include "wintypes.h"

class CDC;

// An off-screen picture that can be selected into a memory context.
class CBitmap {
public:
    // Fails (returns FALSE) when the picture cannot be had, e.g. too large.
    BOOL CreateCompatibleBitmap(CDC* pDC, int width, int height);
    BOOL DeleteObject();
    BOOL IsNull() const { return m_image.isNull(); }
    QImage& Image() { return m_image; }
    const QImage& Image() const { return m_image; }

    // Larger pictures are refused rather than attempted.
    static constexpr qint64 kMaxBytes = qint64(1) << 30;

private:
    QImage m_image;
};

constexpr int PS_SOLID = 0;
constexpr int PS_DOT = 2;
constexpr int PS_NULL = 5;
constexpr int R2_NOT = 6;
constexpr int R2_COPYPEN = 13;
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;
constexpr DWORD SRCCOPY = 0x00CC0020;
constexpr UINT DIB_RGB_COLORS = 0;

struct CPen {
    int style = PS_SOLID;
    int width = 1;
    COLORREF color = RGB(0, 0, 0);
};

struct CBrush {
    bool null = false;
    COLORREF color = RGB(255, 255, 255);
    static CBrush Null() { return {true, 0}; }
    static CBrush Solid(COLORREF c) { return {false, c}; }
};

class CDC {
public:
    CDC() = default;
    // Draws into target; logical (0, 0) lands at device point origin.
    explicit CDC(QImage* target, QPoint origin = {});
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    // Memory contexts.
    BOOL CreateCompatibleDC(CDC* pDC);
    CBitmap* SelectObject(CBitmap* pBitmap);  // returns the previous bitmap
    BOOL DeleteDC();
    BOOL IsValid() const { return m_valid; }

    CPen SelectPen(const CPen& pen);
    CBrush SelectBrush(const CBrush& brush);
    int SetROP2(int mode);
    int SetBkMode(int mode);
    COLORREF SetTextColor(COLORREF color);
    COLORREF SetBkColor(COLORREF color);
    void SetViewportOrg(QPoint origin);
    QPoint GetViewportOrg() const { return m_origin; }

    // Outline x = l..r-1, y = t..b-1 with the pen, inside filled with the brush.
    void Rectangle(int l, int t, int r, int b);
    void FillSolidRect(const CRect& rc, COLORREF color);
    // Text with its top-left at (x, y).
    void TextOut(int x, int y, const std::string& utf8);
    void TextOut(int x, int y, const QString& text);
    BOOL BitBlt(int x, int y, int w, int h, CDC* pSrc, int sx, int sy, DWORD rop = SRCCOPY);
    // Shrinking combines the dropped pixels with AND, as a fresh context's
    // default stretch mode does; enlarging repeats pixels.
    BOOL StretchBlt(int x, int y, int w, int h, CDC* pSrc, int sx, int sy, int sw, int sh, DWORD rop = SRCCOPY);
    // Copies a top-down 32-bit picture (0xFFRRGGBB, stride = width) 1:1.
    void DrawScreenBits(int x, int y, const std::uint32_t* bits, int width, int height);

    QImage* Target() const { return m_target; }

private:
    QPainter& Painter();
    void EndPainter();
    QColor Color(COLORREF c) const { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }

    QImage* m_target = nullptr;
    QPoint m_origin;
    std::unique_ptr<QPainter> m_painter;
    CBitmap* m_pSelected = nullptr;
    bool m_valid = true;
    bool m_memory = false;
    CPen m_pen;
    CBrush m_brush;
    int m_rop = R2_COPYPEN;
    int m_bkMode = OPAQUE;
    COLORREF m_bkColor = RGB(255, 255, 255);
    COLORREF m_textColor = RGB(0, 0, 0);
};
