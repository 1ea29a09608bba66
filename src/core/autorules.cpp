#include "autorules.h"

int RuleSet::RuleCount() const
{
    int count = 0;
    for (const RuleGroup& group : groups) count += int(group.rules.size());
    return count;
}

AutoRule MakeBlankRule(int size)
{
    AutoRule rule;
    rule.size = size;
    rule.pattern.assign(std::size_t(size * size), PatternCell{});
    return rule;
}
