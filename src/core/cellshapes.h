// The cells of the shapes the shape tool draws in a dragged box of cells:
// rectangles and ellipses, outlined or filled, as row spans ready for
// PaintSpans (floodfill.h).
//
// The ellipse is Alois Zingl's integer midpoint ellipse for a bounding box
// ("A Rasterizing Algorithm for Drawing Curves", 2012, plotEllipseRect),
// the formulation common pixel editors use because it fits boxes of even
// and odd sides alike: it walks one quadrant from the box's widest row to
// its top and bottom, stepping one cell across, down or both at a time
// (so the outline is 8-connected), and sets each cell with its mirror
// images, so the outline is symmetric in both axes. A box one cell wide or
// high gives a line, and 2 x 2 its four cells. The filled ellipse is the
// outline with every cell between its leftmost and rightmost cell of each
// row.
#pragma once

#include <vector>

#include "floodfill.h"
#include "wintypes.h"

enum class CellShape { Rectangle, FilledRectangle, Ellipse, FilledEllipse };

// The cells of the shape drawn in box (its corner cells included, right and
// bottom exclusive), as spans in order of row, then of column, no cell
// given twice. Only the cells inside clip are given, so that a box far
// larger than the map costs memory for the map's rows alone.
std::vector<CellSpan> ShapeSpans(CellShape shape, const CRect& box, const CRect& clip);
inline std::vector<CellSpan> ShapeSpans(CellShape shape, const CRect& box) { return ShapeSpans(shape, box, box); }

// The box a drag from cell press to cell now frames: the two corners, or
// with square a box whose sides are the longer of the two (towards the
// pointer), or with fromCentre one centred on press reaching the pointer.
CRect ShapeBox(CPoint press, CPoint now, bool square, bool fromCentre);
