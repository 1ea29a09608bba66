#include "ruledifferences.h"

#include <algorithm>
#include <bit>

void RuleDifferences::Clear()
{
    m_width = m_height = m_words = 0;
    m_bits.clear();
    m_count = 0;
}

void RuleDifferences::Recount(const CCellLayers& cells, const CompiledRules& rules)
{
    Clear();
    if (!cells.IsComplete()) return;
    m_width = cells.Width();
    m_height = cells.Height();
    m_words = (m_width + 63) / 64;
    ForEachDifferingCell(cells, rules, CRect(0, 0, m_width, m_height), [this](int col, int row) { Mark(col, row); });
}

void RuleDifferences::Update(const CCellLayers& cells, const CompiledRules& rules, const CRect& requested)
{
    if (cells.Width() != m_width || cells.Height() != m_height || !cells.IsComplete()) {
        Recount(cells, rules);
        return;
    }
    CRect area;
    area.IntersectRect(requested, CRect(0, 0, m_width, m_height));
    if (area.IsRectEmpty()) return;
    for (int row = area.top; row < area.bottom && !m_bits.empty(); ++row)
        for (int col = area.left; col < area.right; ++col) {
            std::uint64_t& word = m_bits[Word(col, row)];
            // A whole word inside the area is cleared at once.
            if (col % 64 == 0 && col + 64 <= area.right) {
                m_count -= std::popcount(word);
                word = 0;
                col += 63;
                continue;
            }
            const std::uint64_t bit = std::uint64_t(1) << (col % 64);
            if (word & bit) {
                word &= ~bit;
                --m_count;
            }
        }
    ForEachDifferingCell(cells, rules, area, [this](int col, int row) { Mark(col, row); });
}
