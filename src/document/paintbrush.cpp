#include "paintbrush.h"

#include <algorithm>
#include <random>

void CPaintBrush::PickFromPalette(CTileBlock block)
{
    m_palette = std::move(block);
    m_block = CCellBlock::FromPalette(m_palette);
    m_variations.clear();
}

void CPaintBrush::TakeFromMap(CCellBlock block)
{
    m_block = std::move(block);
    m_variations.clear();
    if (!m_block.IsEmpty()) emit TakenFromMap();
}

void CPaintBrush::Drop()
{
    m_palette = {};
    m_block = {};
    m_variations.clear();
}

void CPaintBrush::TilesChanged(bool picturesChanged)
{
    m_palette = {};
    if (!m_block.FromMap() || picturesChanged) {
        m_block = {};
        m_variations.clear();
    }
}

void CPaintBrush::DrawNextVariation()
{
    if (m_variations.size() < 2) return;
    long long total = 0;
    for (const Variation& variation : m_variations) total += std::max(variation.weight, 0);
    if (total <= 0) return;
    // The variation whose share of the total weight holds the roll.
    double left = std::uniform_real_distribution<double>(0.0, 1.0)(m_random) * double(total);
    for (const Variation& variation : m_variations) {
        left -= std::max(variation.weight, 0);
        if (left < 0 || &variation == &m_variations.back()) {
            m_block = variation.block;
            return;
        }
    }
}
