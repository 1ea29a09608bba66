// The 40 rules of 3 x 3 the rules' figures are measured with: walls (1) and
// water (2) with edges, outer and inner corners, and a floor (0) with a wall
// shadow and random variants; tiles 0..40 of the list given.
#pragma once

#include "autorules.h"
#include "mapmodel.h"

#include <vector>

RuleSet BenchRuleSet(const std::vector<TileFingerprint>& tiles);

// The same rules for the map's own tiles (it needs 41 or more).
RuleSet BenchRuleSet(const CMapModel& map);

// A side x side map of 48 random tiles of tileSize pixels whose walls and
// water are painted areas: some 60,000 rectangles of attributes 0..2 over a
// floor of 0, the same for every call.
CMapModel BenchRulesMap(int side, int tileSize);
