#include "paintbrush.h"

void CPaintBrush::PickFromPalette(CTileBlock block)
{
    m_palette = std::move(block);
    m_block = CCellBlock::FromPalette(m_palette);
}

void CPaintBrush::TakeFromMap(CCellBlock block)
{
    m_block = std::move(block);
    if (!m_block.IsEmpty()) emit TakenFromMap();
}

void CPaintBrush::Drop()
{
    m_palette = {};
    m_block = {};
}

void CPaintBrush::TilesChanged(bool picturesChanged)
{
    m_palette = {};
    if (!m_block.FromMap() || picturesChanged) m_block = {};
}
