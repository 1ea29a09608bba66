#include "tilefinder.h"

#include "tilelist.h"

TileFinder::TileFinder(const CTileList& tiles)
{
    m_numbers.reserve(std::size_t(tiles.GetCount()));
    for (int n = 0; n < tiles.GetCount(); ++n) {
        if (!tiles.GetAt(n)) continue;
        // The set keeps each tile's fingerprint from when the tile arrived.
        m_numbers.try_emplace(tiles.FingerprintAt(n), short(n));
    }
}

std::optional<short> TileFinder::Find(const TileFingerprint& fingerprint) const
{
    const auto at = m_numbers.find(fingerprint);
    if (at == m_numbers.end()) return std::nullopt;
    return at->second;
}
