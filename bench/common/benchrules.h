// The 40 rules of 3 x 3 the rules' figures are measured with: walls (1) and
// water (2) with edges, outer and inner corners, and a floor (0) with a wall
// shadow and random variants; tiles 0..40 of the list given.
#pragma once

#include "autorules.h"

#include <vector>

RuleSet BenchRuleSet(const std::vector<TileFingerprint>& tiles);
