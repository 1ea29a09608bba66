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
    // Moving hands the tiles over; the list moved from is left empty.
    CTileList(CTileList&& other) noexcept;
    CTileList& operator=(CTileList&& other) noexcept;

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
    // Puts a filled tile back at number n (0..GetCount()), moving the tiles
    // from n on up one number; false (the tile stays the caller's) when the
    // tile is null or empty or n is out of range.
    bool InsertAt(int n, CSprite* tile);
    CSprite* RemoveHead() { return RemoveAt(0); }
    // Frees and deletes every tile.
    void DeleteAll();

    auto begin() const { return m_tiles.begin(); }
    auto end() const { return m_tiles.end(); }

private:
    std::vector<CSprite*> m_tiles;
};
