#include "overlaytext.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace {

std::int64_t KeyOf(CellLabel label) { return label.cross ? std::int64_t(1) << 40 : std::int64_t(label.value); }

// colour * a + pixel * (255 - a), divided by 255 with rounding, red and
// blue side by side in one word (neither product reaches 16 bits).
inline std::uint32_t Blend(std::uint32_t pixel, std::uint32_t colourRB, std::uint32_t colourG, std::uint32_t a)
{
    const std::uint32_t na = 255 - a;
    std::uint32_t rb = colourRB * a + (pixel & 0x00FF00FFu) * na + 0x00800080u;
    rb = ((rb + ((rb >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
    std::uint32_t g = colourG * a + ((pixel >> 8) & 0xFFu) * na + 0x80u;
    g = ((g + (g >> 8)) >> 8) & 0xFFu;
    return 0xFF000000u | rb | (g << 8);
}

}  // namespace

OverlayTextCache::OverlayTextCache(const QFont& font) : m_font(font) {}

OverlayTextCache::Mask OverlayTextCache::Render(const QString& text) const
{
    const QFontMetrics metrics(m_font);
    // Room around the text's box for glyphs that reach past their advance.
    const int pad = metrics.height() / 2 + 2;
    QImage image(metrics.horizontalAdvance(text) + 2 * pad, metrics.height() + 2 * pad, QImage::Format_Alpha8);
    image.fill(0);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::TextAntialiasing, true);
        painter.setFont(m_font);
        painter.setPen(QColor(0, 0, 0, 255));
        painter.drawText(pad, pad + metrics.ascent(), text);
    }
    Mask mask;
    for (int y = 0; y < image.height(); ++y) {
        const uchar* line = image.constScanLine(y);
        for (int x = 0; x < image.width();) {
            if (line[x] == 0) {
                ++x;
                continue;
            }
            const bool solid = line[x] == 255;
            int end = x + 1;
            while (end < image.width() && line[end] != 0 && (line[end] == 255) == solid) ++end;
            mask.spans.push_back({x - pad, y - pad, end - x, solid, mask.coverage.size()});
            if (!solid) mask.coverage.insert(mask.coverage.end(), line + x, line + end);
            mask.bounds |= QRect(x - pad, y - pad, end - x, 1);
            x = end;
        }
    }
    return mask;
}

const OverlayTextCache::Mask& OverlayTextCache::MaskFor(CellLabel label)
{
    const std::int64_t key = KeyOf(label);
    if (auto found = m_masks.find(key); found != m_masks.end()) return found->second;
    if (m_masks.size() >= kMaxLabels) m_masks.clear();
    const QString text = label.cross ? QStringLiteral("X") : QString::number(label.value);
    return m_masks.emplace(key, Render(text)).first->second;
}

QRect OverlayTextCache::Reach()
{
    if (m_reach.isNull()) {
        // The widest labels: five digits of each kind, with a sign, and the cross.
        m_reach = Render(QStringLiteral("X")).bounds;
        for (QChar digit = u'0'; digit <= u'9'; digit = QChar(digit.unicode() + 1))
            m_reach |= Render(QStringLiteral("-") + QString(5, digit)).bounds;
    }
    return m_reach;
}

void OverlayTextCache::Draw(QImage& target, const QRect& clip, int x, int y, CellLabel label, COLORREF colour)
{
    const QRect area = clip & target.rect();
    const Mask& mask = MaskFor(label);
    if (mask.spans.empty() || !area.intersects(mask.bounds.translated(x, y))) return;
    const std::uint32_t colourRB = (std::uint32_t(GetRValue(colour)) << 16) | GetBValue(colour);
    const std::uint32_t colourG = GetGValue(colour);
    const std::uint32_t solid = 0xFF000000u | (colourRB & 0x00FF00FFu) | (colourG << 8);
    uchar* bits = target.bits();
    const qsizetype stride = target.bytesPerLine();
    for (const Span& span : mask.spans) {
        const int py = y + span.dy;
        if (py < area.top() || py > area.bottom()) continue;
        const int from = std::max(x + span.dx, area.left());
        const int to = std::min(x + span.dx + span.length - 1, area.right());
        if (from > to) continue;
        auto* pixel = reinterpret_cast<std::uint32_t*>(bits + py * stride) + from;
        if (span.solid) {
            std::fill(pixel, pixel + (to - from + 1), solid);
            continue;
        }
        const std::uint8_t* coverage = mask.coverage.data() + span.offset + (from - (x + span.dx));
        for (int i = 0; i <= to - from; ++i) pixel[i] = Blend(pixel[i], colourRB, colourG, coverage[i]);
    }
}
