#include "attrvalues.h"

#include "celllayers.h"
#include "messagetext.h"

#include <algorithm>
#include <cmath>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {
constexpr std::size_t kValueCount = 1 << 16;
}  // namespace

AttrColour DefaultAttrColour(short value)
{
    // Hue steps of the golden ratio's fraction of a turn: the hues of
    // neighbouring numbers lie more than a third of a turn apart, those of
    // numbers up to four apart more than a seventh.
    constexpr double kGoldenTurn = 0.6180339887498949;
    constexpr double kSaturation = 0.65;
    constexpr double kBrightness = 0.92;
    const double turns = double(value) * kGoldenTurn;
    const double hue = (turns - std::floor(turns)) * 6.0;
    const int sector = int(hue) % 6;
    const double within = hue - std::floor(hue);
    const double top = kBrightness;
    const double bottom = kBrightness * (1.0 - kSaturation);
    const double falling = kBrightness * (1.0 - kSaturation * within);
    const double rising = kBrightness * (1.0 - kSaturation * (1.0 - within));
    double r = top, g = rising, b = bottom;
    switch (sector) {
    case 0: r = top, g = rising, b = bottom; break;
    case 1: r = falling, g = top, b = bottom; break;
    case 2: r = bottom, g = top, b = rising; break;
    case 3: r = bottom, g = falling, b = top; break;
    case 4: r = rising, g = bottom, b = top; break;
    default: r = top, g = bottom, b = falling; break;
    }
    const auto byte = [](double channel) { return std::uint8_t(std::lround(channel * 255.0)); };
    return {byte(r), byte(g), byte(b)};
}

CAttrValueTable::CAttrValueTable() : m_counts(kValueCount, 0) {}

void CAttrValueTable::Recount(const CCellLayers& cells)
{
    const std::atomic<bool> never{false};
    m_counts = CountAttrValues(AttrLayerChunksOf(cells), never);
    m_counting = false;
}

void CAttrValueTable::StartCounting()
{
    std::fill(m_counts.begin(), m_counts.end(), 0);
    m_counting = true;
}

void CAttrValueTable::AddCounts(const std::vector<std::uint32_t>& counts)
{
    // The edits' changes may have taken counts below zero: the sum wraps
    // back to the true count.
    for (std::size_t i = 0; i < std::min(counts.size(), m_counts.size()); ++i) m_counts[i] += counts[i];
    m_counting = false;
}

AttrLayerChunks AttrLayerChunksOf(const CCellLayers& cells)
{
    AttrLayerChunks layer;
    for (std::size_t index = 0; index < cells.ChunkCount(CellLayer::Attributes); ++index) {
        layer.chunks.push_back(cells.Chunk(CellLayer::Attributes, index));
        layer.cells.push_back(cells.ChunkCellCount(index));
    }
    return layer;
}

std::vector<std::uint32_t> CountAttrValues(const AttrLayerChunks& layer, const std::atomic<bool>& stop)
{
    std::vector<std::uint32_t> counts(kValueCount, 0);
    for (std::size_t chunk = 0; chunk < layer.chunks.size(); ++chunk) {
        // Between chunks: some microseconds apart.
        if (stop.load(std::memory_order_relaxed)) return {};
        const short* values = layer.chunks[chunk].get();
        for (std::size_t i = 0; i < layer.cells[chunk]; ++i) ++counts[std::size_t(std::uint16_t(values[i]) ^ 0x8000u)];
    }
    return counts;
}

namespace {
// The end of the run of cells equal to cells[from] within [from, to): eight
// cells compared at a time.
std::size_t RunEnd(const short* cells, std::size_t from, std::size_t to)
{
    const short v = cells[from];
    std::size_t i = from + 1;
#if defined(__SSE2__)
    const __m128i value = _mm_set1_epi16(v);
    for (; i + 8 <= to; i += 8) {
        const int equal =
            _mm_movemask_epi8(_mm_cmpeq_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(cells + i)), value));
        if (equal != 0xFFFF) return i + std::size_t(__builtin_ctz(unsigned(~equal))) / 2;
    }
#endif
    while (i < to && cells[i] == v) ++i;
    return i;
}

// A run this long is counted at once rather than cell by cell.
constexpr std::size_t kLongRun = 16;
}  // namespace

void CAttrValueTable::Update(const short* before, const short* after, std::size_t count)
{
    // An edit mostly writes runs of one value over runs of others: what a
    // value gains or loses over a long run is counted once for the run; in
    // short runs the old values are taken off cell by cell, without a branch.
    for (std::size_t i = 0; i < count;) {
        const short value = after[i];
        const std::size_t end = RunEnd(after, i, count);
        std::uint32_t gained = 0;
        while (i < end) {
            const std::size_t runEnd = RunEnd(before, i, end);
            if (runEnd - i >= kLongRun) {
                if (before[i] != value) {
                    m_counts[Index(before[i])] -= std::uint32_t(runEnd - i);
                    gained += std::uint32_t(runEnd - i);
                }
                i = runEnd;
                continue;
            }
            for (const std::size_t stop = std::min(end, i + kLongRun); i < stop; ++i) {
                const std::uint32_t changed = before[i] != value;
                m_counts[Index(before[i])] -= changed;
                gained += changed;
            }
        }
        m_counts[Index(value)] += gained;
    }
}

std::vector<AttrValueInfo> CAttrValueTable::Values() const
{
    std::vector<AttrValueInfo> values;
    for (std::size_t index = 0; index < kValueCount; ++index) {
        const short value = short(std::uint16_t(index ^ 0x8000u));
        if (!IsListed(value)) continue;
        const auto kept = m_kept.find(value);
        const bool chosen = kept != m_kept.end() && kept->second.colour.has_value();
        values.push_back({value, Name(value), Colour(value), chosen, Count(value)});
    }
    return values;
}

std::string CAttrValueTable::Name(short value) const
{
    if (value == 0) return TrMessage(kAttrNoneName);
    const auto kept = m_kept.find(value);
    return kept == m_kept.end() ? std::string() : kept->second.name;
}

AttrColour CAttrValueTable::Colour(short value) const
{
    const auto kept = m_kept.find(value);
    if (kept != m_kept.end() && kept->second.colour) return *kept->second.colour;
    return DefaultAttrColour(value);
}

bool CAttrValueTable::Add(const AttrValueDetails& details)
{
    if (IsListed(details.value)) return false;
    m_kept[details.value] = details;
    return true;
}

bool CAttrValueTable::SetName(short value, const std::string& name)
{
    if (value == 0) return false;
    AttrValueDetails& kept = m_kept[value];
    kept.value = value;
    kept.name = name;
    return true;
}

void CAttrValueTable::SetColour(short value, std::optional<AttrColour> colour)
{
    AttrValueDetails& kept = m_kept[value];
    kept.value = value;
    kept.colour = colour;
}

bool CAttrValueTable::Remove(short value)
{
    if (value == 0 || m_counting || Count(value) > 0) return false;
    return m_kept.erase(value) > 0;
}

std::vector<AttrValueDetails> CAttrValueTable::Kept() const
{
    std::vector<AttrValueDetails> kept;
    kept.reserve(m_kept.size());
    for (const auto& [value, details] : m_kept) kept.push_back(details);
    return kept;
}

void CAttrValueTable::Keep(const std::vector<AttrValueDetails>& kept)
{
    m_kept.clear();
    for (AttrValueDetails details : kept) {
        // 0 keeps its fixed name whatever a file says.
        if (details.value == 0) details.name.clear();
        m_kept[details.value] = std::move(details);
    }
}
