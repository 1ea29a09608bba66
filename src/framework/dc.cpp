#include "dc.h"

#include <QFontMetrics>
#include <algorithm>
#include <cstring>

#include "fonts.h"

CDC::CDC(QImage* target, QPoint origin) : m_target(target), m_origin(origin) {}

CDC::~CDC() { EndPainter(); }

CPen CDC::SelectPen(const CPen& pen) { return std::exchange(m_pen, pen); }
CBrush CDC::SelectBrush(const CBrush& brush) { return std::exchange(m_brush, brush); }
int CDC::SetROP2(int mode) { return std::exchange(m_rop, mode); }
int CDC::SetBkMode(int mode) { return std::exchange(m_bkMode, mode); }
COLORREF CDC::SetTextColor(COLORREF color) { return std::exchange(m_textColor, color); }

void CDC::SetViewportOrg(QPoint origin)
{
    m_origin = origin;
    if (m_painter) m_painter->setTransform(QTransform::fromTranslate(origin.x(), origin.y()));
}

// A pane folded away to nothing has an empty surface, which a painter
// refuses (with a warning per call): drawing there draws nothing.
bool CDC::CanPaint() const { return m_target && !m_target->isNull(); }

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
    if (!CanPaint() || r <= l || b <= t) return;
    QPainter& p = Painter();
    p.setCompositionMode(m_rop == R2_NOT ? QPainter::RasterOp_NotDestination : QPainter::CompositionMode_SourceOver);
    if (!m_brush.null && m_rop != R2_NOT) p.fillRect(QRect(l, t, r - l, b - t), Color(m_brush.color));
    QPen pen(Color(m_pen.color), m_pen.width <= 1 ? 0 : m_pen.width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(l, t, r - l - 1, b - t - 1));
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void CDC::FillSolidRect(const CRect& rc, COLORREF color)
{
    if (!CanPaint() || rc.IsRectEmpty()) return;
    Painter().fillRect(QRect(rc.left, rc.top, rc.Width(), rc.Height()), Color(color));
}

void CDC::TextOut(int x, int y, const std::string& utf8) { TextOut(x, y, QString::fromUtf8(utf8.c_str())); }

void CDC::TextOut(int x, int y, const QString& text)
{
    if (!CanPaint()) return;
    QPainter& p = Painter();
    const QFontMetrics fm(p.font());
    if (m_bkMode == OPAQUE) p.fillRect(QRect(x, y, fm.horizontalAdvance(text), fm.height()), Color(m_bkColor));
    p.setPen(Color(m_textColor));
    p.drawText(x, y + fm.ascent(), text);
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
