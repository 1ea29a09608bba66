// What must hold of the editor at any moment of a session. Each check
// returns what it found wrong, or an empty string.
#pragma once

#include <string>

class CMapModel;
class CMapView;
class CSmallMapView;
class CZellDoc;

// Everything a map file keeps of a map, as bytes to compare: sizes, each
// tile's pixels (stored and on screen) and attribute, both layers.
std::string ModelBytes(const CMapModel& map);

// The map pane shows the cells as the core's rasteriser draws them (with
// the numbers a whole refresh prints), apart from the block preview and a
// drag's frame; the overview shows the rasteriser's reduced picture.
std::string CheckMapPane(CMapView& view, const CZellDoc& doc);
std::string CheckOverview(CSmallMapView& view, const CZellDoc& doc);

// The map as the document would save it reads back the same.
std::string CheckSaveAndRead(const CZellDoc& doc);

// Undoing every step gives the map the history started from (origin, when
// known), and redoing them and returning gives back the same map, clean or
// not as before; the modified flag is the history's clean state.
std::string CheckHistory(CZellDoc& doc, const std::string* origin);

// A document without unsaved changes holds what its file holds.
std::string CheckCleanMatchesFile(const CZellDoc& doc);
