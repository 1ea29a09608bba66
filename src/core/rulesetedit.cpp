#include "rulesetedit.h"

#include <algorithm>
#include <cstdlib>

namespace {
bool HasGroup(const RuleSet& set, int group) { return group >= 0 && group < int(set.groups.size()); }
}  // namespace

const RuleGroup* GroupAt(const RuleSet& set, RulePlace place)
{
    return HasGroup(set, place.group) ? &set.groups[std::size_t(place.group)] : nullptr;
}

RuleGroup* GroupAt(RuleSet& set, RulePlace place)
{
    return HasGroup(set, place.group) ? &set.groups[std::size_t(place.group)] : nullptr;
}

const AutoRule* RuleAt(const RuleSet& set, RulePlace place)
{
    const RuleGroup* group = GroupAt(set, place);
    if (!group || place.rule < 0 || place.rule >= int(group->rules.size())) return nullptr;
    return &group->rules[std::size_t(place.rule)];
}

AutoRule* RuleAt(RuleSet& set, RulePlace place)
{
    return const_cast<AutoRule*>(RuleAt(static_cast<const RuleSet&>(set), place));
}

int RuleOrdinal(const RuleSet& set, RulePlace place)
{
    if (!RuleAt(set, place)) return -1;
    int ordinal = place.rule;
    for (int g = 0; g < place.group; ++g) ordinal += int(set.groups[std::size_t(g)].rules.size());
    return ordinal;
}

RulePlace AddRule(RuleSet& set, RulePlace place, const std::string& name)
{
    if (set.groups.empty()) place = AddGroup(set, {}, name);
    if (!HasGroup(set, place.group)) place = {int(set.groups.size()) - 1, -1};
    RuleGroup& group = set.groups[std::size_t(place.group)];
    AutoRule rule = MakeBlankRule(3);
    rule.name = name;
    const int at = place.rule >= 0 ? std::min(place.rule + 1, int(group.rules.size())) : int(group.rules.size());
    group.rules.insert(group.rules.begin() + at, std::move(rule));
    return {place.group, at};
}

RulePlace AddGroup(RuleSet& set, RulePlace place, const std::string& name)
{
    const int at = HasGroup(set, place.group) ? place.group + 1 : int(set.groups.size());
    RuleGroup group;
    group.name = name;
    set.groups.insert(set.groups.begin() + at, std::move(group));
    return {at, -1};
}

RulePlace Duplicate(RuleSet& set, RulePlace place)
{
    if (const AutoRule* rule = RuleAt(set, place)) {
        AutoRule copy = *rule;
        auto& rules = set.groups[std::size_t(place.group)].rules;
        rules.insert(rules.begin() + place.rule + 1, std::move(copy));
        return {place.group, place.rule + 1};
    }
    if (!place.IsGroup() || !HasGroup(set, place.group)) return place;
    RuleGroup copy = set.groups[std::size_t(place.group)];
    set.groups.insert(set.groups.begin() + place.group + 1, std::move(copy));
    return {place.group + 1, -1};
}

RulePlace Remove(RuleSet& set, RulePlace place)
{
    if (RuleAt(set, place)) {
        auto& rules = set.groups[std::size_t(place.group)].rules;
        rules.erase(rules.begin() + place.rule);
        if (rules.empty()) return {place.group, -1};
        return {place.group, std::min(place.rule, int(rules.size()) - 1)};
    }
    if (!place.IsGroup() || !HasGroup(set, place.group)) return place;
    set.groups.erase(set.groups.begin() + place.group);
    if (set.groups.empty()) return {};
    return {std::min(place.group, int(set.groups.size()) - 1), -1};
}

RulePlace MoveBy(RuleSet& set, RulePlace place, int step)
{
    if (place.IsGroup() && HasGroup(set, place.group)) {
        const int to = place.group + step;
        if (!HasGroup(set, to)) return place;
        std::swap(set.groups[std::size_t(place.group)], set.groups[std::size_t(to)]);
        return {to, -1};
    }
    if (!RuleAt(set, place)) return place;
    const int count = int(set.groups[std::size_t(place.group)].rules.size());
    const int to = place.rule + step;
    if (to >= 0 && to < count) return MoveTo(set, place, place.group, to);
    // Past the group's end: into the neighbouring group, at its near end.
    const int group = place.group + step;
    if (!HasGroup(set, group)) return place;
    return MoveTo(set, place, group, step < 0 ? int(set.groups[std::size_t(group)].rules.size()) : 0);
}

RulePlace MoveTo(RuleSet& set, RulePlace from, int group, int before)
{
    if (from.IsGroup()) {
        if (!HasGroup(set, from.group)) return from;
        RuleGroup moved = std::move(set.groups[std::size_t(from.group)]);
        set.groups.erase(set.groups.begin() + from.group);
        const int at = std::clamp(before, 0, int(set.groups.size()));
        set.groups.insert(set.groups.begin() + at, std::move(moved));
        return {at, -1};
    }
    if (!RuleAt(set, from) || !HasGroup(set, group)) return from;
    auto& source = set.groups[std::size_t(from.group)].rules;
    AutoRule moved = std::move(source[std::size_t(from.rule)]);
    source.erase(source.begin() + from.rule);
    auto& target = set.groups[std::size_t(group)].rules;
    const int at = std::clamp(before, 0, int(target.size()));
    target.insert(target.begin() + at, std::move(moved));
    return {group, at};
}

void CyclePatternCell(AutoRule& rule, int index, short value)
{
    if (index < 0 || index >= int(rule.pattern.size())) return;
    PatternCell& cell = rule.pattern[std::size_t(index)];
    switch (cell.test) {
    case PatternTest::Any: cell = {PatternTest::Equal, value}; break;
    case PatternTest::Equal: cell = {PatternTest::NotEqual, value}; break;
    case PatternTest::NotEqual: cell = {}; break;
    }
}

void ResizePattern(AutoRule& rule, int size)
{
    if (size != 1 && size != 3 && size != 5) return;
    AutoRule resized = MakeBlankRule(size);
    const int radius = size / 2;
    const bool whole = rule.pattern.size() == std::size_t(rule.size * rule.size);
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx)
            if (whole && std::abs(dx) <= rule.Radius() && std::abs(dy) <= rule.Radius())
                resized.pattern[std::size_t((dy + radius) * size + dx + radius)] = rule.At(dx, dy);
    rule.size = size;
    rule.pattern = std::move(resized.pattern);
}
