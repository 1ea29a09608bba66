#include "tilelist.h"

SharedSprite ShareSprite(CSprite* tile)
{
    return SharedSprite(tile, [](CSprite* sprite) {
        if (!sprite) return;
        sprite->Free();
        delete sprite;
    });
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

CSprite* CTileList::GetAt(int n) const
{
    if (n < 0 || n >= GetCount()) return nullptr;
    return m_tiles[std::size_t(n)].get();
}

SharedSprite CTileList::SharedAt(int n) const
{
    if (n < 0 || n >= GetCount()) return nullptr;
    return m_tiles[std::size_t(n)];
}

int CTileList::AddTail(CSprite* tile)
{
    if (tile == nullptr || tile->IsEmpty()) return -1;
    return AddTail(ShareSprite(tile));
}

int CTileList::AddTail(SharedSprite tile)
{
    if (!tile || tile->IsEmpty()) return -1;
    m_tiles.push_back(std::move(tile));
    return GetCount() - 1;
}

SharedSprite CTileList::RemoveAt(int n)
{
    if (n < 0 || n >= GetCount()) return nullptr;
    SharedSprite tile = std::move(m_tiles[std::size_t(n)]);
    m_tiles.erase(m_tiles.begin() + n);
    return tile;
}

bool CTileList::InsertAt(int n, SharedSprite tile)
{
    if (!tile || tile->IsEmpty() || n < 0 || n > GetCount()) return false;
    m_tiles.insert(m_tiles.begin() + n, std::move(tile));
    return true;
}
