// The tile set: tiles in order, a tile's number being its position. Holds
// only filled tiles, so whatever draws or measures a tile from the list
// never meets an empty one. Owns the tiles it holds.
#pragma once

#include "sprite.h"

#include <vector>

class CTileList {
public:
    CTileList() = default;
    ~CTileList();
    CTileList(const CTileList&) = delete;
    CTileList& operator=(const CTileList&) = delete;

    int GetCount() const { return int(m_tiles.size()); }
    bool IsEmpty() const { return m_tiles.empty(); }
    // The tile with number n, or null when there is none.
    CSprite* GetAt(int n) const;

    // Appends a filled tile and returns its number. A null or empty tile is
    // refused (-1) and stays the caller's.
    int AddTail(CSprite* tile);
    // Take a tile out of the list (the caller frees it); the tiles behind
    // it move up one number. Null when there is no such tile.
    CSprite* RemoveAt(int n);
    CSprite* RemoveHead() { return RemoveAt(0); }
    // Frees and deletes every tile.
    void DeleteAll();

    auto begin() const { return m_tiles.begin(); }
    auto end() const { return m_tiles.end(); }

private:
    std::vector<CSprite*> m_tiles;
};
