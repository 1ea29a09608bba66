// The edits the rules dock makes to a rule set, each on a copy that the
// document then takes as one undo step. A place names a group, or a rule
// inside it; every edit returns the place to select afterwards, and a
// place that names nothing leaves the set as it is.
#pragma once

#include "autorules.h"

#include <string>

struct RulePlace {
    int group = -1;
    int rule = -1;  // -1: the group itself
    bool IsGroup() const { return group >= 0 && rule < 0; }
    bool operator==(const RulePlace&) const = default;
};

const RuleGroup* GroupAt(const RuleSet& set, RulePlace place);
RuleGroup* GroupAt(RuleSet& set, RulePlace place);
const AutoRule* RuleAt(const RuleSet& set, RulePlace place);
AutoRule* RuleAt(RuleSet& set, RulePlace place);
// The rule's place counted over the whole set, as CompiledRules::Resolved()
// lists the rules; -1 when place names no rule.
int RuleOrdinal(const RuleSet& set, RulePlace place);

// A blank 3 x 3 rule after the rule at place, or at the end of the group at
// place; in a new group when the set has none.
RulePlace AddRule(RuleSet& set, RulePlace place, const std::string& name);
// A new group after the group of place, or at the end.
RulePlace AddGroup(RuleSet& set, RulePlace place, const std::string& name);
// A copy of the rule, or of the group with its rules, just after it.
RulePlace Duplicate(RuleSet& set, RulePlace place);
// Removes the rule or the group; the place to select next (its neighbour).
RulePlace Remove(RuleSet& set, RulePlace place);
// One step up (-1) or down (+1): a rule within its group, passing into the
// group before or after at its ends; a group among the groups.
RulePlace MoveBy(RuleSet& set, RulePlace place, int step);
// A rule taken to group `group` before its rule `before` (as the group is
// with the rule taken out; its size or more: at the end); a group taken
// before group `before`.
RulePlace MoveTo(RuleSet& set, RulePlace from, int group, int before);

// A click on a pattern position: "any" -> "= value" -> "≠ value" -> "any".
void CyclePatternCell(AutoRule& rule, int index, short value);
// A new pattern size (1, 3 or 5) keeping the tests around the centre.
void ResizePattern(AutoRule& rule, int size);
