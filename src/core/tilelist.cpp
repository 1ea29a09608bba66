#include "tilelist.h"

SharedSprite ShareSprite(CSprite* tile)
{
    return SharedSprite(tile, [](const CSprite* sprite) { delete sprite; });
}

CTileList::CTileList(CTileList&& other) noexcept : m_tiles(std::move(other.m_tiles)) { other.m_tiles.clear(); }

CTileList& CTileList::operator=(CTileList&& other) noexcept
{
    if (this != &other) {
        m_tiles = std::move(other.m_tiles);
        other.m_tiles.clear();
    }
    return *this;
}

CTileList CTileList::Share() const
{
    CTileList copy;
    copy.m_tiles = m_tiles;
    return copy;
}

const CSprite* CTileList::GetAt(int n) const { return Contains(n) ? m_tiles[std::size_t(n)].picture.get() : nullptr; }

SharedSprite CTileList::SharedAt(int n) const { return Contains(n) ? m_tiles[std::size_t(n)].picture : nullptr; }

BYTE CTileList::AttributeAt(int n) const { return Contains(n) ? m_tiles[std::size_t(n)].attribute : 0; }

bool CTileList::SetAttributeAt(int n, BYTE value)
{
    if (!Contains(n)) return false;
    m_tiles[std::size_t(n)].attribute = value;
    return true;
}

int CTileList::AddTail(CSprite* tile, BYTE attribute)
{
    if (tile == nullptr || tile->IsEmpty()) return -1;
    return AddTail(ShareSprite(tile), attribute);
}

int CTileList::AddTail(SharedSprite tile, BYTE attribute)
{
    if (!tile || tile->IsEmpty()) return -1;
    m_tiles.push_back({std::move(tile), attribute});
    return GetCount() - 1;
}

TileEntry CTileList::RemoveAt(int n)
{
    if (!Contains(n)) return {};
    TileEntry tile = std::move(m_tiles[std::size_t(n)]);
    m_tiles.erase(m_tiles.begin() + n);
    return tile;
}

bool CTileList::InsertAt(int n, TileEntry tile)
{
    if (!tile.picture || tile.picture->IsEmpty() || n < 0 || n > GetCount()) return false;
    m_tiles.insert(m_tiles.begin() + n, std::move(tile));
    return true;
}
