#include "dc.h"

#include <QApplication>
#include <QFontMetrics>
#include <algorithm>
#include <cstring>

#include "fonts.h"

BOOL CBitmap::CreateCompatibleBitmap(CDC*, int width, int height)
{
    m_image = QImage();
    if (width <= 0 || height <= 0) return FALSE;
    if (qint64(width) * qint64(height) * 4 > kMaxBytes) return FALSE;
    m_image = QImage(width, height, QImage::Format_RGB32);
    if (m_image.isNull()) return FALSE;
    m_image.fill(Qt::black);
    return TRUE;
}

BOOL CBitmap::DeleteObject()
{
    const BOOL had = !m_image.isNull();
    m_image = QImage();
    return had;
}

CDC::CDC(QImage* target, QPoint origin) : m_target(target), m_origin(origin) {}

CDC::~CDC() { EndPainter(); }

BOOL CDC::CreateCompatibleDC(CDC*)
{
    EndPainter();
    m_memory = true;
    m_valid = true;
    m_target = nullptr;
    m_pSelected = nullptr;
    return TRUE;
}

CBitmap* CDC::SelectObject(CBitmap* pBitmap)
{
    EndPainter();
    CBitmap* previous = m_pSelected;
    m_pSelected = pBitmap;
    m_target = pBitmap ? &pBitmap->Image() : nullptr;
    return previous;
}

BOOL CDC::DeleteDC()
{
    EndPainter();
    m_target = nullptr;
    m_pSelected = nullptr;
    m_valid = false;
    return TRUE;
}

CPen CDC::SelectPen(const CPen& pen) { return std::exchange(m_pen, pen); }
CBrush CDC::SelectBrush(const CBrush& brush) { return std::exchange(m_brush, brush); }
int CDC::SetROP2(int mode) { return std::exchange(m_rop, mode); }
int CDC::SetBkMode(int mode) { return std::exchange(m_bkMode, mode); }
COLORREF CDC::SetTextColor(COLORREF color) { return std::exchange(m_textColor, color); }
COLORREF CDC::SetBkColor(COLORREF color) { return std::exchange(m_bkColor, color); }

void CDC::SetViewportOrg(QPoint origin)
{
    m_origin = origin;
    if (m_painter) m_painter->setTransform(QTransform::fromTranslate(origin.x(), origin.y()));
}

QPainter& CDC::Painter()
{
    if (!m_painter) {
        m_painter = std::make_unique<QPainter>(m_target);
        m_painter->setRenderHint(QPainter::Antialiasing, false);
        m_painter->setRenderHint(QPainter::TextAntialiasing, true);
        m_painter->setTransform(QTransform::fromTranslate(m_origin.x(), m_origin.y()));
        m_painter->setFont(AfxContextFont());
    }
    return *m_painter;
}

void CDC::EndPainter() { m_painter.reset(); }

void CDC::Rectangle(int l, int t, int r, int b)
{
    // Corners may come in any order, as the graphics call accepts them.
    if (l > r) std::swap(l, r);
    if (t > b) std::swap(t, b);
    if (!m_target || r <= l || b <= t) return;
    QPainter& p = Painter();
    p.setCompositionMode(m_rop == R2_NOT ? QPainter::RasterOp_NotDestination : QPainter::CompositionMode_SourceOver);
    if (!m_brush.null && m_rop != R2_NOT) p.fillRect(QRect(l, t, r - l, b - t), Color(m_brush.color));
    if (m_pen.style != PS_NULL) {
        QPen pen(Color(m_pen.color), m_pen.width <= 1 ? 0 : m_pen.width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRect(l, t, r - l - 1, b - t - 1));
    }
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void CDC::FillSolidRect(const CRect& rc, COLORREF color)
{
    if (!m_target || rc.IsRectEmpty()) return;
    Painter().fillRect(QRect(rc.left, rc.top, rc.Width(), rc.Height()), Color(color));
}

void CDC::TextOut(int x, int y, const std::string& utf8) { TextOut(x, y, QString::fromUtf8(utf8.c_str())); }

void CDC::TextOut(int x, int y, const QString& text)
{
    if (!m_target) return;
    QPainter& p = Painter();
    const QFontMetrics fm(p.font());
    if (m_bkMode == OPAQUE)
        p.fillRect(QRect(x, y, fm.horizontalAdvance(text), fm.height()), Color(m_bkColor));
    p.setPen(Color(m_textColor));
    p.drawText(x, y + fm.ascent(), text);
}

BOOL CDC::BitBlt(int x, int y, int w, int h, CDC* pSrc, int sx, int sy, DWORD)
{
    if (!m_target || !pSrc || !pSrc->m_target || w <= 0 || h <= 0) return FALSE;
    const QPoint srcOrigin = pSrc->m_origin;
    pSrc->EndPainter();
    const QImage& src = *pSrc->m_target;
    const QRect from(sx + srcOrigin.x(), sy + srcOrigin.y(), w, h);
    if (m_target == &src) {
        Painter().drawImage(QPoint(x, y), src.copy(from));
        return TRUE;
    }
    Painter().drawImage(QPoint(x, y), src, from);
    return TRUE;
}

BOOL CDC::StretchBlt(int x, int y, int w, int h, CDC* pSrc, int sx, int sy, int sw, int sh, DWORD)
{
    if (!m_target || !pSrc || !pSrc->m_target || w <= 0 || h <= 0 || sw <= 0 || sh <= 0) return FALSE;
    pSrc->EndPainter();
    EndPainter();
    const QImage& src = *pSrc->m_target;
    // Only the destination pixels that land on the target are worked out.
    const int dx0 = x + m_origin.x();
    const int dy0 = y + m_origin.y();
    const int left = std::max(0, -dx0);
    const int right = std::min(w, m_target->width() - dx0);
    const int top = std::max(0, -dy0);
    const int bottom = std::min(h, m_target->height() - dy0);
    if (left >= right || top >= bottom) return TRUE;

    const auto* srcBits = reinterpret_cast<const std::uint32_t*>(src.constBits());
    const qsizetype srcStride = src.bytesPerLine() / 4;
    const int srcWidth = src.width();
    const int srcHeight = src.height();
    // Each destination pixel takes the AND of the source pixels that fall on it.
    for (int dy = top; dy < bottom; ++dy) {
        const int y0 = sy + int(qint64(dy) * sh / h);
        const int y1 = std::max(y0 + 1, sy + int(qint64(dy + 1) * sh / h));
        auto* line = reinterpret_cast<std::uint32_t*>(m_target->scanLine(dy0 + dy)) + dx0;
        for (int dx = left; dx < right; ++dx) {
            const int x0 = std::max(0, sx + int(qint64(dx) * sw / w));
            const int x1 = std::min(srcWidth, std::max(x0 + 1, sx + int(qint64(dx + 1) * sw / w)));
            std::uint32_t value = 0xFFFFFFFFu;
            for (int yy = std::max(0, y0); yy < std::min(y1, srcHeight); ++yy) {
                const std::uint32_t* srcLine = srcBits + yy * srcStride;
                for (int xx = x0; xx < x1; ++xx) value &= srcLine[xx];
            }
            line[dx] = value | 0xFF000000u;
        }
    }
    return TRUE;
}

void CDC::DrawScreenBits(int x, int y, const std::uint32_t* bits, int width, int height)
{
    if (!m_target || !bits || width <= 0 || height <= 0) return;
    EndPainter();
    const int dx0 = x + m_origin.x();
    const int dy0 = y + m_origin.y();
    const int left = std::max(0, dx0);
    const int right = std::min(m_target->width(), dx0 + width);
    const int top = std::max(0, dy0);
    const int bottom = std::min(m_target->height(), dy0 + height);
    if (left >= right || top >= bottom) return;
    for (int row = top; row < bottom; ++row) {
        auto* dst = reinterpret_cast<std::uint32_t*>(m_target->scanLine(row)) + left;
        const std::uint32_t* src = bits + std::size_t(row - dy0) * width + (left - dx0);
        std::memcpy(dst, src, std::size_t(right - left) * 4);
    }
}
