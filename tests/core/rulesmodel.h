// Random rule sets and a brute-force reading of the rules, cell by cell,
// straight from the rule set: what the compiled engine must agree with.
#pragma once

#include "autoruleengine.h"
#include "autorules.h"
#include "celllayers.h"
#include "tilefinder.h"

#include <optional>
#include <random>
#include <vector>

// Values 0..values-1 in patterns and maps (few, so that rules often fit);
// tiles from the fingerprints given (some may be missing from the map's
// tile set).
inline RuleSet RandomRuleSet(std::mt19937& random, const std::vector<TileFingerprint>& tiles, int values = 4)
{
    auto pick = [&](int below) { return int(random() % unsigned(below)); };
    RuleSet set;
    set.outside = short(pick(values));
    set.seed = std::uint32_t(random());
    for (int g = 1 + pick(3); g > 0; --g) {
        RuleGroup group;
        group.enabled = pick(6) != 0;
        for (int r = 1 + pick(6); r > 0; --r) {
            AutoRule rule = MakeBlankRule(1 + 2 * pick(3));
            for (PatternCell& cell : rule.pattern) cell = {PatternTest(pick(4) % 3), short(pick(values))};
            rule.enabled = pick(8) != 0;
            rule.chance = pick(3) ? 100 : 1 + pick(100);
            rule.stop = pick(4) != 0;
            for (int o = 1 + pick(3) - (pick(10) == 0); o > 0; --o) {
                RuleOutput output{1 + pick(2), 1 + pick(2), {}, 1 + pick(5)};
                for (int t = output.width * output.height; t > 0; --t)
                    output.tiles.push_back(tiles[pick(int(tiles.size()))]);
                rule.outputs.push_back(output);
            }
            group.rules.push_back(rule);
        }
        set.groups.push_back(group);
    }
    return set;
}

// The tile the rule set gives cell (col, row), nothing when no rule decides.
inline std::optional<short> ModelDecide(const RuleSet& set, const TileFinder& finder, const CCellLayers& cells, int col,
                                        int row)
{
    std::optional<short> tile;
    int index = -1;
    for (const RuleGroup& group : set.groups)
        for (const AutoRule& rule : group.rules) {
            ++index;
            bool usable = group.enabled && rule.enabled && !rule.outputs.empty();
            for (const RuleOutput& output : rule.outputs)
                for (const TileFingerprint& t : output.tiles) usable = usable && finder.Find(t).has_value();
            for (int dy = -rule.Radius(); usable && dy <= rule.Radius(); ++dy)
                for (int dx = -rule.Radius(); dx <= rule.Radius(); ++dx) {
                    const short value = cells.Attr(col + dx, row + dy).value_or(set.outside);
                    usable = usable && rule.At(dx, dy).Accepts(value);
                }
            if (!usable) continue;
            if (int(RuleRandom(set.seed, index, col, row, 0) % 100) >= rule.chance) continue;
            int total = 0;
            for (const RuleOutput& output : rule.outputs) total += output.weight;
            int pick = int(RuleRandom(set.seed, index, col, row, 1) % unsigned(total));
            std::size_t chosen = 0;
            while (pick >= rule.outputs[chosen].weight) pick -= rule.outputs[chosen++].weight;
            const RuleOutput& output = rule.outputs[chosen];
            tile = finder.Find(output.tiles[std::size_t((row % output.height) * output.width + col % output.width)]);
            if (rule.stop) return tile;
        }
    return tile;
}

// Every cell of area set to what the model decides, on a copy of the cells.
inline CCellLayers ModelApply(const RuleSet& set, const TileFinder& finder, const CCellLayers& cells, const CRect& area)
{
    CCellLayers result = cells;
    for (int row = std::max(area.top, 0); row < std::min(area.bottom, cells.Height()); ++row)
        for (int col = std::max(area.left, 0); col < std::min(area.right, cells.Width()); ++col)
            if (const auto tile = ModelDecide(set, finder, cells, col, row)) result.SetTile(col, row, *tile);
    return result;
}
