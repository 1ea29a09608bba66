// The tile set: tiles in order, a tile's number being its position. Holds
// only filled tiles, so whatever draws or measures a tile from the list
// never meets an empty one. Tiles are shared: a tile taken out of the list
// lives on while an undo step or a background save still holds it.
#pragma once

#include "sprite.h"

#include <memory>
#include <vector>

using SharedSprite = std::shared_ptr<CSprite>;

// The most tiles a tile set may hold: map cells, the picked block and the
// map file keep tile numbers as signed 16-bit values.
inline constexpr int kMaxTiles = 32767;

// A tile made with new, freed with its own free operation.
SharedSprite ShareSprite(CSprite* tile);

class CTileList {
public:
    CTileList() = default;
    CTileList(const CTileList&) = delete;
    CTileList& operator=(const CTileList&) = delete;
    // Moving hands the tiles over; the list moved from is left empty.
    CTileList(CTileList&& other) noexcept;
    CTileList& operator=(CTileList&& other) noexcept;

    int GetCount() const { return int(m_tiles.size()); }
    bool IsEmpty() const { return m_tiles.empty(); }
    // The tile with number n, or null when there is none.
    CSprite* GetAt(int n) const;
    SharedSprite SharedAt(int n) const;

    // Appends a filled tile and returns its number. A null or empty tile is
    // refused (-1); the raw form then leaves it to the caller to free.
    int AddTail(CSprite* tile);
    int AddTail(SharedSprite tile);
    // Takes a tile out of the list; the tiles behind it move up one number.
    // Null when there is no such tile.
    SharedSprite RemoveAt(int n);
    // Puts a filled tile at number n (0..GetCount()), moving the tiles from
    // n on up one number; false when the tile is null or empty or n is out
    // of range.
    bool InsertAt(int n, SharedSprite tile);
    // Lets go of every tile.
    void DeleteAll() { m_tiles.clear(); }

    // Iterates the tiles as CSprite pointers, in number order.
    class Iterator {
    public:
        using Base = std::vector<SharedSprite>::const_iterator;
        using iterator_category = std::forward_iterator_tag;
        using value_type = CSprite*;
        using difference_type = std::ptrdiff_t;
        using pointer = CSprite* const*;
        using reference = CSprite*;
        Iterator() = default;
        explicit Iterator(Base at) : m_at(at) {}
        CSprite* operator*() const { return m_at->get(); }
        Iterator& operator++()
        {
            ++m_at;
            return *this;
        }
        Iterator operator++(int)
        {
            Iterator before = *this;
            ++m_at;
            return before;
        }
        bool operator==(const Iterator&) const = default;

    private:
        Base m_at;
    };
    Iterator begin() const { return Iterator(m_tiles.begin()); }
    Iterator end() const { return Iterator(m_tiles.end()); }

private:
    std::vector<SharedSprite> m_tiles;
};
