// Auto-tiling rules: a map's rule set, from attribute values to tiles.
//
// A rule looks at the attribute values around a cell (a 1 x 1, 3 x 3 or
// 5 x 5 pattern centred on it; a position outside the map reads as the set's
// "outside" value) and, when they fit and the rule's chance lets it, writes
// one of its output tiles into the cell. Rules are tried in the order of
// their groups and of the rules in a group; the first that fits, passes its
// chance and stops decides the cell, and a cell no rule decides keeps its
// tile. Tiles are named by fingerprint, so a rule set survives tiles being
// cut again or moved in the palette.
#pragma once

#include "tilefingerprint.h"

#include <cstdint>
#include <string>
#include <vector>

enum class PatternTest : std::uint8_t { Any, Equal, NotEqual };

struct PatternCell {
    PatternTest test = PatternTest::Any;
    short value = 0;
    bool Accepts(short attr) const
    {
        return test == PatternTest::Any || (test == PatternTest::Equal) == (attr == value);
    }
    // "any" is one test whatever value it holds.
    bool operator==(const PatternCell& other) const
    {
        return test == other.test && (test == PatternTest::Any || value == other.value);
    }
};

// One choice of a rule: a block of tiles laid repeated from the map's top
// left corner (a 1 x 1 block is one tile), picked in proportion to weight.
struct RuleOutput {
    int width = 1;
    int height = 1;
    std::vector<TileFingerprint> tiles;  // row by row, width x height
    int weight = 1;
    bool operator==(const RuleOutput&) const = default;
};

inline constexpr int kMaxPatternSize = 5;

struct AutoRule {
    std::string name;
    bool enabled = true;
    int size = 1;                      // 1, 3 or 5
    std::vector<PatternCell> pattern;  // size x size, row by row from the top left
    std::vector<RuleOutput> outputs;
    int chance = 100;  // percent, 1..100
    bool stop = true;  // "여기서 멈춤": a rule that writes ends the cell's search
    bool operator==(const AutoRule&) const = default;

    int Radius() const { return size / 2; }
    // The test at (dx, dy) from the centre, both in -Radius()..Radius().
    const PatternCell& At(int dx, int dy) const { return pattern[std::size_t((dy + Radius()) * size + dx + Radius())]; }
};

struct RuleGroup {
    std::string name;
    bool enabled = true;
    std::vector<AutoRule> rules;
    bool operator==(const RuleGroup&) const = default;
};

struct RuleSet {
    short outside = 0;  // "맵 밖": the value positions outside the map read as
    std::uint32_t seed = 0;
    std::vector<RuleGroup> groups;
    bool operator==(const RuleSet&) const = default;

    // Counts every rule, switched off or not.
    int RuleCount() const;
    bool HasRules() const { return RuleCount() > 0; }
};

// A rule that matches everything: a pattern of `size` all "any", no output.
AutoRule MakeBlankRule(int size);
