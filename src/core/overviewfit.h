// The overview's picture when it is fitted to its pane: the whole map at
// whatever scale fits, each picture pixel showing the map pixel in the
// middle of the ones it stands for. The same mapping takes a point of the
// picture back to the map, so a click lands on the map point its pixel shows.
#pragma once

#include <cstdint>
#include <optional>

#include "maprender.h"

// The largest picture of the source's proportions that fits in room, each
// side at least one pixel; none when the source or the room is empty.
std::optional<PictureSize> FitPicture(PictureSize source, PictureSize room);

// The source pixel that picture pixel d of a side shows (the middle of the
// source pixels it stands for), kept to the source.
std::int64_t SourcePixelOf(std::int64_t d, std::int64_t sourceSize, std::int64_t pictureSize);
// The picture pixel that shows source pixel s (right and bottom edges map past the last pixel).
std::int64_t PicturePixelOf(std::int64_t s, std::int64_t sourceSize, std::int64_t pictureSize);

// Every pixel of the window (in the picture's coordinates) that lies on a
// picture of the given size: the map pixel SourcePixelOf gives, as
// RenderMapRegion draws it. False when the map has no picture.
bool RenderSampledRegion(const MapPixels& target, const CMapModel& map, PictureSize picture,
                         const MapDrawOptions& options = {});
