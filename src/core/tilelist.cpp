#include "tilelist.h"

namespace {
void TakeFingerprint(TileEntry& tile)
{
    if (!tile.fingerprint) tile.fingerprint = FingerprintOf(*tile.picture);
}
}  // namespace

SharedSprite ShareSprite(CSprite* tile)
{
    return SharedSprite(tile, [](const CSprite* sprite) { delete sprite; });
}

CTileList::CTileList(CTileList&& other) noexcept : m_tiles(std::move(other.m_tiles)), m_index(std::move(other.m_index))
{
    other.m_tiles.clear();
    other.m_index.clear();
}

CTileList& CTileList::operator=(CTileList&& other) noexcept
{
    if (this != &other) {
        m_tiles = std::move(other.m_tiles);
        m_index = std::move(other.m_index);
        other.m_tiles.clear();
        other.m_index.clear();
    }
    return *this;
}

CTileList CTileList::Share() const
{
    CTileList copy;
    copy.m_tiles = m_tiles;
    return copy;
}

const CSprite* CTileList::GetAt(int n) const { return Contains(n) ? m_tiles[std::size_t(n)].picture.get() : nullptr; }

SharedSprite CTileList::SharedAt(int n) const { return Contains(n) ? m_tiles[std::size_t(n)].picture : nullptr; }

BYTE CTileList::AttributeAt(int n) const { return Contains(n) ? m_tiles[std::size_t(n)].attribute : 0; }

bool CTileList::SetAttributeAt(int n, BYTE value)
{
    if (!Contains(n)) return false;
    m_tiles[std::size_t(n)].attribute = value;
    return true;
}

TileEntry CTileList::EntryAt(int n) const { return Contains(n) ? m_tiles[std::size_t(n)] : TileEntry{}; }

TileFingerprint CTileList::FingerprintAt(int n) const
{
    if (!Contains(n)) return FingerprintOf(CSprite());
    return *m_tiles[std::size_t(n)].fingerprint;
}

int CTileList::FindFingerprint(const TileFingerprint& print) const
{
    if (m_index.empty() && !m_tiles.empty()) {
        m_index.reserve(m_tiles.size());
        for (int n = 0; n < GetCount(); ++n) m_index.try_emplace(*m_tiles[std::size_t(n)].fingerprint, n);
    }
    const auto found = m_index.find(print);
    return found == m_index.end() ? -1 : found->second;
}

int CTileList::AddTail(CSprite* tile, BYTE attribute)
{
    if (tile == nullptr || tile->IsEmpty()) return -1;
    return AddTail(ShareSprite(tile), attribute);
}

int CTileList::AddTail(SharedSprite tile, BYTE attribute)
{
    if (!tile || tile->IsEmpty()) return -1;
    TileEntry entry(std::move(tile), attribute);
    TakeFingerprint(entry);
    // A tile at the end never moves the first of its twins: the index stays good.
    if (!m_index.empty()) m_index.try_emplace(*entry.fingerprint, GetCount());
    m_tiles.push_back(std::move(entry));
    return GetCount() - 1;
}

TileEntry CTileList::RemoveAt(int n)
{
    if (!Contains(n)) return {};
    TileEntry tile = std::move(m_tiles[std::size_t(n)]);
    m_tiles.erase(m_tiles.begin() + n);
    m_index.clear();
    return tile;
}

bool CTileList::InsertAt(int n, TileEntry tile)
{
    if (!tile.picture || tile.picture->IsEmpty() || n < 0 || n > GetCount()) return false;
    TakeFingerprint(tile);
    m_tiles.insert(m_tiles.begin() + n, std::move(tile));
    m_index.clear();
    return true;
}
