// The small picture of a stamp in the stamp library's list: its block of
// tiles drawn from the tile set's pictures, scaled down to fit a square.
#pragma once

#include <QImage>

#include "stamplibrary.h"

class CTileList;

// A side x side picture, transparent where the block has a hole, a picture
// the tile set lacks, or nothing to cover; greyed when asked.
QImage StampThumbnail(const PictureBlock& block, const CTileList& tiles, int side, bool greyed);
