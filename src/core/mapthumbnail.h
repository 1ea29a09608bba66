// A small picture of a whole map, read straight from its .Map file: the
// tiles are reduced first, then a few cells under each thumbnail pixel are
// looked up, so the full-size picture (or even the whole cell layer) is never
// in memory. What file managers show for a map.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct MapThumbnail {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // top-down 0xFFRRGGBB, no padding
};

enum class ThumbnailResult {
    Ok,
    CannotOpen,  // the file cannot be opened or read
    Invalid,     // not a complete and consistent map file
    NoPicture,   // a map without cells
};

// The map's picture reduced to fit size x size pixels, keeping its
// proportions; a map smaller than that keeps its own size. Each pixel is the
// average of a grid of samples over the map pixels it covers; empty cells
// and cells naming no tile are white. `out` changes only on Ok.
ThumbnailResult MakeMapThumbnail(const std::string& path, int size, MapThumbnail& out);
