// For tests and benchmarks that set up a map behind the views' backs: what
// they change through it makes no undo step and no view hears of it.
// Production code never reaches the map this way.
#pragma once

#include "zelldoc.h"

class CZellDocBackstage {
public:
    static CMapModel& Map(CZellDoc& doc) { return doc.m_map; }
};

inline CMapModel& BackstageMap(CZellDoc& doc) { return CZellDocBackstage::Map(doc); }
