#include "tilefinder.h"

#include "sprite.h"
#include "tilelist.h"

TileFinder::TileFinder(const CTileList& tiles)
{
    m_numbers.reserve(std::size_t(tiles.GetCount()));
    for (int n = 0; n < tiles.GetCount(); ++n) {
        const CSprite* tile = tiles.GetAt(n);
        if (!tile) continue;
        m_numbers.try_emplace(FingerprintOf(*tile), short(n));
    }
}

std::optional<short> TileFinder::Find(const TileFingerprint& fingerprint) const
{
    const auto at = m_numbers.find(fingerprint);
    if (at == m_numbers.end()) return std::nullopt;
    return at->second;
}
