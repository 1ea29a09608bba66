// The tile set: tiles in order, a tile's number being its position. Each
// tile is a picture and an attribute byte. Holds only filled pictures, so
// whatever draws or measures a tile from the list never meets an empty
// one. Pictures are shared and never change once in a list: a picture taken
// out of the list lives on while an undo step or a background save still
// holds it, and a copy of the list (Share) is a true copy, attributes and
// all, made without copying a pixel.
#pragma once

#include "sprite.h"
#include "tilefingerprint.h"
#include "wintypes.h"

#include <algorithm>
#include <cstddef>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

using SharedSprite = std::shared_ptr<const CSprite>;

// The most tiles a tile set may hold: map cells, the picked block and the
// map file keep tile numbers as signed 16-bit values.
inline constexpr int kMaxTiles = 32767;

// A tile made with new, freed with its own free operation.
SharedSprite ShareSprite(CSprite* tile);

// One tile of the set. The fingerprint is taken when the tile enters a
// list without one, and travels with the entry (an undo step puts it back
// without hashing the picture again).
struct TileEntry {
    TileEntry() = default;
    explicit TileEntry(SharedSprite tile, BYTE value = 0, std::optional<TileFingerprint> print = std::nullopt)
        : picture(std::move(tile)), attribute(value), fingerprint(print)
    {
    }

    SharedSprite picture;
    BYTE attribute = 0;
    std::optional<TileFingerprint> fingerprint;
};

class CTileList {
public:
    CTileList() = default;
    CTileList(const CTileList&) = delete;
    CTileList& operator=(const CTileList&) = delete;
    // Moving hands the tiles over; the list moved from is left empty.
    CTileList(CTileList&& other) noexcept;
    CTileList& operator=(CTileList&& other) noexcept;
    // A copy that shares the pictures; later changes of either list do not
    // reach the other.
    CTileList Share() const;

    int GetCount() const { return int(m_tiles.size()); }
    bool IsEmpty() const { return m_tiles.empty(); }
    // The picture of tile n, or null when there is none.
    const CSprite* GetAt(int n) const;
    SharedSprite SharedAt(int n) const;
    // The attribute byte of tile n, 0 when there is none.
    BYTE AttributeAt(int n) const;
    // False when there is no tile n.
    bool SetAttributeAt(int n, BYTE value);
    // Tile n whole (picture, attribute, fingerprint); an empty entry when there is none.
    TileEntry EntryAt(int n) const;

    // The fingerprint of tile n's picture; that of an empty picture when there is no tile n.
    TileFingerprint FingerprintAt(int n) const;
    // The first tile showing that picture, or -1. The first call after a
    // change builds an index of the set; later ones look it up. Not for
    // two threads at once on one list.
    int FindFingerprint(const TileFingerprint& print) const;

    // Appends a filled tile and returns its number. A null or empty picture
    // is refused (-1); the raw form then leaves it to the caller to free.
    int AddTail(CSprite* tile, BYTE attribute = 0);
    int AddTail(SharedSprite tile, BYTE attribute = 0);
    // Takes a tile out of the list; the tiles behind it move up one number.
    // A null picture when there is no such tile.
    TileEntry RemoveAt(int n);
    // Puts a filled tile at number n (0..GetCount()), moving the tiles from
    // n on up one number; false when the picture is null or empty or n is
    // out of range.
    bool InsertAt(int n, TileEntry tile);
    // Makes room for count tiles in all, so that adding that many moves nothing.
    void Reserve(int count) { m_tiles.reserve(std::size_t(std::max(count, 0))); }
    // Lets go of every tile.
    void DeleteAll()
    {
        m_tiles.clear();
        m_index.clear();
    }

    // Iterates the pictures, in number order.
    class Iterator {
    public:
        using Base = std::vector<TileEntry>::const_iterator;
        using iterator_category = std::forward_iterator_tag;
        using value_type = const CSprite*;
        using difference_type = std::ptrdiff_t;
        using pointer = const CSprite* const*;
        using reference = const CSprite*;
        Iterator() = default;
        explicit Iterator(Base at) : m_at(at) {}
        const CSprite* operator*() const { return m_at->picture.get(); }
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
    bool Contains(int n) const { return n >= 0 && n < GetCount(); }

    struct PrintHash {
        std::size_t operator()(const TileFingerprint& print) const { return std::size_t(print.low ^ print.high); }
    };

    std::vector<TileEntry> m_tiles;
    // Fingerprint to first tile number; empty until FindFingerprint needs it.
    mutable std::unordered_map<TileFingerprint, int, PrintHash> m_index;
};
