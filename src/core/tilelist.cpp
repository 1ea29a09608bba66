#include "tilelist.h"

CTileList::~CTileList() { DeleteAll(); }

CTileList::CTileList(CTileList&& other) noexcept : m_tiles(std::move(other.m_tiles)) { other.m_tiles.clear(); }

CTileList& CTileList::operator=(CTileList&& other) noexcept
{
    if (this != &other) {
        DeleteAll();
        m_tiles = std::move(other.m_tiles);
        other.m_tiles.clear();
    }
    return *this;
}

CSprite* CTileList::GetAt(int n) const
{
    if (n < 0 || n >= GetCount()) return nullptr;
    return m_tiles[std::size_t(n)];
}

int CTileList::AddTail(CSprite* tile)
{
    if (tile == nullptr || tile->IsEmpty()) return -1;
    m_tiles.push_back(tile);
    return GetCount() - 1;
}

CSprite* CTileList::RemoveAt(int n)
{
    CSprite* tile = GetAt(n);
    if (tile != nullptr) m_tiles.erase(m_tiles.begin() + n);
    return tile;
}

bool CTileList::InsertAt(int n, CSprite* tile)
{
    if (tile == nullptr || tile->IsEmpty() || n < 0 || n > GetCount()) return false;
    m_tiles.insert(m_tiles.begin() + n, tile);
    return true;
}

void CTileList::DeleteAll()
{
    for (CSprite* tile : m_tiles) {
        tile->Free();
        delete tile;
    }
    m_tiles.clear();
}
