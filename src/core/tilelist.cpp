#include "tilelist.h"

CTileList::~CTileList() { DeleteAll(); }

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

void CTileList::DeleteAll()
{
    for (CSprite* tile : m_tiles) {
        tile->Free();
        delete tile;
    }
    m_tiles.clear();
}
