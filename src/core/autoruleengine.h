// Applying a rule set to a map's tile layer.
//
// The rules are compiled once against the tile set (fingerprints become tile
// numbers; a rule with an output tile the set lacks is skipped), into one
// bit per rule for every pattern position and attribute value: the rules
// that fit a cell are the AND of the bits its neighbours' values give, so
// a cell costs about one lookup per pattern position (per pattern column
// when the values are few) whatever the number of rules. The rules of one
// such set of bits come to a plan, made once for every cell with that set:
// its tile when nothing is drawn, else the chances to draw. Random choices
// are a pure function of the seed, the rule's place in the set and the
// cell: the result never depends on the order cells or rules are applied in.
#pragma once

#include "autorules.h"
#include "celllayers.h"
#include "tilefinder.h"
#include "wintypes.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

// The random number a rule draws for a cell: salt 0 for its chance (it
// passes when the number mod 100 is below the chance), salt 1 for its
// output (the one whose weights' running sum first exceeds the number mod
// the total weight).
std::uint64_t RuleRandom(std::uint32_t seed, int ruleIndex, int col, int row, int salt);
// The same from its parts, each made once: the rule's key and the cell's hash.
std::uint64_t RuleRandomKey(std::uint32_t seed, int ruleIndex, int salt);
std::uint64_t CellHash(int col, int row);
std::uint64_t CellRandom(std::uint64_t ruleKey, std::uint64_t cellHash);

class CompiledRules {
public:
    CompiledRules() = default;
    CompiledRules(const RuleSet& rules, const TileFinder& finder);

    // No rule can write anything.
    bool Empty() const { return m_rules.empty(); }
    // The largest pattern radius among the rules that can write.
    int Radius() const { return m_radius; }
    // For every rule of the set in order: false when it is skipped because
    // an output tile is not in the tile set.
    const std::vector<bool>& Resolved() const { return m_resolved; }

private:
    friend class RuleRunner;
    struct Output {
        int width = 1;
        int height = 1;
        std::vector<short> tiles;
        int weight = 1;
    };
    struct Rule {
        std::uint64_t chanceKey = 0;  // RuleRandomKey of its place in the set
        std::uint64_t outputKey = 0;
        int chance = 100;
        bool stop = true;
        std::int64_t totalWeight = 0;
        std::vector<Output> outputs;
    };
    // What the rules of one mask (at most 64 rules) come to, made once for
    // every cell with that mask: its rules in order up to the first that
    // always writes and stops, as steps.
    struct Step {
        std::uint64_t chanceKey = 0;
        std::uint32_t chance = 100;
        std::uint16_t rule = 0;  // index into m_rules
        bool stop = true;
        std::optional<short> tile;  // its one tile, when it has one output of one tile
    };
    struct Plan {
        std::vector<Step> steps;
        std::uint64_t certain = 0;   // bit i: steps[i] always passes its chance
        bool draws = false;          // some choice depends on the cell's random numbers
        std::optional<short> fixed;  // the tile of every cell, when no choice depends on the cell
    };
    Plan MakePlan(std::uint64_t mask) const;
    std::optional<short> DecideByPlan(const Plan& plan, int col, int row) const;
    // The tile the rule writes into the cell, if its chance lets it.
    std::optional<short> RuleTile(const Rule& rule, int col, int row, std::uint64_t cellHash) const;
    // The tile the rule writes into the cell once its chance has let it.
    short OutputTile(const Rule& rule, int col, int row, std::uint64_t cellHash) const;
    // Decides a cell from the rules that fit it (bit i: m_rules[i]).
    std::optional<short> DecideFromMask(const std::uint64_t* mask, int col, int row) const;
    const std::uint64_t* MaskAt(int position, int valueClass) const
    {
        return m_masks.data() +
               (std::size_t(position) * std::size_t(m_classes) + std::size_t(valueClass)) * std::size_t(m_words);
    }

    int m_radius = 0;
    int m_span = 1;  // 2 x radius + 1
    int m_words = 0;
    int m_classes = 1;
    std::uint16_t m_outsideClass = 0;
    std::vector<std::uint16_t> m_classOf;      // per attribute value + 32768: the values' class
    std::vector<std::uint64_t> m_masks;        // [position][class][word]
    std::size_t m_columnCodes = 0;             // 0: no column masks
    std::vector<std::uint64_t> m_columnMasks;  // [column][code], one word
    std::vector<Rule> m_rules;
    std::vector<bool> m_resolved;
};

// The rules applied to the cells of area (clipped to the map): writes the
// tiles that differ and returns the cells written (empty when none).
CRect ApplyRules(CCellLayers& cells, const CompiledRules& rules, const CRect& area);

// The cells whose tile the rules would change, in rows from the top.
struct RulesCheck {
    std::int64_t count = 0;
    std::vector<CPoint> first;  // the first few
};
RulesCheck CheckRules(const CCellLayers& cells, const CompiledRules& rules, const CRect& area,
                      std::size_t firstCount = 10);
// Calls differs(col, row) for each cell of area whose tile the rules would
// change, in rows from the top.
void ForEachDifferingCell(const CCellLayers& cells, const CompiledRules& rules, const CRect& area,
                          const std::function<void(int col, int row)>& differs);

// The cells whose patterns can see a changed cell: changed grown by the
// rules' radius, clipped to the map.
CRect RulesReach(const CompiledRules& rules, const CRect& changed, int mapWidth, int mapHeight);
