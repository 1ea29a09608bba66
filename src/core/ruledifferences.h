// Where a map's tiles differ from what its rules would give ("규칙 확인"):
// one bit a cell over the whole map and their count, counted once for new
// rules or tiles and then kept up by recounting only the cells an edit can
// change (its cells grown by the rules' reach). The bits are made at the
// first differing cell: a map without rules, or that follows them, keeps
// none (for the largest map they are 32 MiB).
#pragma once

#include "autoruleengine.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <vector>

class RuleDifferences {
public:
    // Every cell of the map anew.
    void Recount(const CCellLayers& cells, const CompiledRules& rules);
    // The cells of area (clipped to the map) anew; the map's size must be
    // the one of the last Recount.
    void Update(const CCellLayers& cells, const CompiledRules& rules, const CRect& area);
    void Clear();

    std::int64_t Count() const { return m_count; }
    bool At(int col, int row) const
    {
        if (col < 0 || row < 0 || col >= m_width || row >= m_height || m_bits.empty()) return false;
        return (m_bits[Word(col, row)] >> (col % 64)) & 1;
    }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // Calls each(col, row) for the differing cells of area, in rows from the
    // top; stops early when each returns false.
    template <class Each>
    void ForEachIn(const CRect& area, Each each) const
    {
        if (m_bits.empty()) return;
        const int left = std::max(0, area.left);
        const int right = std::min(m_width, area.right);
        for (int row = std::max(0, area.top); row < std::min(m_height, area.bottom); ++row)
            for (int col = left; col < right;) {
                const std::uint64_t word = m_bits[Word(col, row)] >> (col % 64);
                if (!word) {
                    col = (col / 64 + 1) * 64;
                    continue;
                }
                col += std::countr_zero(word);
                if (col >= right) break;
                if (!each(col, row)) return;
                ++col;
            }
    }

private:
    std::size_t Word(int col, int row) const { return std::size_t(row) * std::size_t(m_words) + std::size_t(col / 64); }
    void Mark(int col, int row)
    {
        if (m_bits.empty()) m_bits.assign(std::size_t(m_words) * std::size_t(m_height), 0);
        m_bits[Word(col, row)] |= std::uint64_t(1) << (col % 64);
        ++m_count;
    }

    int m_width = 0;
    int m_height = 0;
    int m_words = 0;  // a row's words
    std::vector<std::uint64_t> m_bits;
    std::int64_t m_count = 0;
};
