// The map pane's picture of the map away from 1:1: above it each map pixel
// is an exact square of screen pixels; below it each screen pixel is the
// rounded average of the n x n map pixels it covers.
#pragma once

#include "maprender.h"

class CMapModel;

// Every pixel of the window (in the zoomed picture's coordinates, where map
// pixel p lands on floor(p * num / den)) that lies on the zoomed picture.
// Either num or den is 1.
void RenderZoomedMapRegion(const MapPixels& target, const CMapModel& map, int num, int den);
