// Tile numbers found by picture: what a rule or a stored block names by
// fingerprint, resolved against the map's tile set, from the fingerprints
// the set keeps; make a new one after the tile set changes.
#pragma once

#include "tilefingerprint.h"

#include <cstddef>
#include <optional>
#include <unordered_map>

class CTileList;

class TileFinder {
public:
    TileFinder() = default;
    explicit TileFinder(const CTileList& tiles);

    // The first tile of the set with this picture, or nothing.
    std::optional<short> Find(const TileFingerprint& fingerprint) const;

private:
    struct Hash {
        std::size_t operator()(const TileFingerprint& f) const { return std::size_t(f.low ^ (f.high * 31)); }
    };
    std::unordered_map<TileFingerprint, short, Hash> m_numbers;
};
