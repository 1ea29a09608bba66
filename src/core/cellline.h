// The cells on the straight line between two cells, as the eraser takes
// them between two pointer events: every step goes to a neighbouring cell
// (sideways or diagonally), so a fast stroke leaves no gap.
#pragma once

#include "wintypes.h"

#include <vector>

// From from to to, both included, in order; one cell when they are the same.
std::vector<CPoint> LineCells(CPoint from, CPoint to);
