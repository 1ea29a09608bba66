// The values of the map's attribute layer as the editor lists them: every
// value some cell holds and every value the user keeps (added, named or
// coloured), each with an optional name, an optional chosen colour and the
// number of cells that hold it. Value 0 is always listed, as "없음".
//
// The counts follow the map at the cost of the cells that change: Recount
// once when a map is made or loaded, then Update with the cells of each
// edit as they were and as they became.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>
#include "cellchunk.h"
#include "messagetext.h"

class CCellLayers;

inline constexpr const char* kAttrNoneName = QT_TRANSLATE_NOOP("Pellin", "없음");

struct AttrColour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const AttrColour&) const = default;
};

// The colour of a value nobody chose one for: the same number always gives
// the same colour, and neighbouring numbers lie far apart on the colour
// wheel (hues a golden-ratio turn apart, saturation and brightness fixed).
AttrColour DefaultAttrColour(short value);

// What the user says about a value; what the file beside the map keeps.
struct AttrValueDetails {
    short value = 0;
    std::string name;                  // empty: no name
    std::optional<AttrColour> colour;  // nothing: the default colour
    bool operator==(const AttrValueDetails&) const = default;
};

// One listed value as a palette shows it.
struct AttrValueInfo {
    short value = 0;
    std::string name;   // "없음" for 0
    AttrColour colour;  // the chosen one, or the default
    bool colourChosen = false;
    std::uint64_t count = 0;
};

class CAttrValueTable {
public:
    CAttrValueTable();

    // Counts every cell of the attribute layer anew; what the user said
    // about values stays.
    void Recount(const CCellLayers& cells);
    // count cells changed from before[i] to after[i].
    void Update(const short* before, const short* after, std::size_t count);

    // Counting a large layer apart (CountAttrValues, on another thread):
    // StartCounting clears the counts, which then take only the edits made
    // meanwhile (Update); AddCounts adds the layer's counts as they were at
    // the start, which gives the counts of the layer now. Until then every
    // value counts as held by no cell.
    void StartCounting();
    void AddCounts(const std::vector<std::uint32_t>& counts);
    bool Counting() const { return m_counting; }

    std::uint64_t Count(short value) const { return m_counting ? 0 : m_counts[Index(value)]; }
    // 0, a value some cell holds, or one the user keeps.
    bool IsListed(short value) const { return value == 0 || Count(value) > 0 || m_kept.count(value) > 0; }
    // The listed values, ascending.
    std::vector<AttrValueInfo> Values() const;
    std::string Name(short value) const;
    AttrColour Colour(short value) const;

    // The user's changes. Add refuses a value already listed; SetName
    // refuses 0; Remove refuses 0 and a value some cell holds.
    bool Add(const AttrValueDetails& details);
    bool SetName(short value, const std::string& name);
    void SetColour(short value, std::optional<AttrColour> colour);
    bool Remove(short value);

    // The values the user keeps (the content of the file beside the map),
    // ascending; Keep replaces them all.
    std::vector<AttrValueDetails> Kept() const;
    void Keep(const std::vector<AttrValueDetails>& kept);

private:
    static std::size_t Index(short value) { return std::size_t(std::uint16_t(value) ^ 0x8000u); }

    std::vector<std::uint32_t> m_counts;  // by value + 32768; a map has at most 2^28 cells
    std::map<short, AttrValueDetails> m_kept;
    bool m_counting = false;
};

// The attribute layer's chunks held apart from the layers: what a count on
// another thread keeps, so that the tile layer's chunks stay the map's own.
struct AttrLayerChunks {
    std::vector<CellChunk> chunks;
    std::vector<std::size_t> cells;  // each chunk's
};
AttrLayerChunks AttrLayerChunksOf(const CCellLayers& cells);

// The cells of the attribute layer holding each value, indexed by value +
// 32768; empty when stop was set before the end.
std::vector<std::uint32_t> CountAttrValues(const AttrLayerChunks& layer, const std::atomic<bool>& stop);
