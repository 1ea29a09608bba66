// Running the built zellmap, and making the maps and folders it works on.
#pragma once

#include "mapmodel.h"

#include "mapfile.h"
#include "maprender.h"
#include "scratchfolder.h"
#include "tilelist.h"
#include "wintypes.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

struct ToolRun {
    int status = -1;  // the exit status; -1 when it did not exit normally
    std::string out;
    std::string err;
};

// Runs the built program with the arguments, in folder.
ToolRun RunZellmap(const std::vector<std::string>& args, const std::filesystem::path& folder);

// A map with varied tiles (tile i has attribute 10 + i) and cells the test sets.
struct TestMap {
    int mapWidth = 6;
    int mapHeight = 4;
    int tileWidth = 16;
    int tileHeight = 16;
    WORD bitCount = 24;
    int tileCount = 5;
    unsigned seed = 1;
    std::vector<short> cells;  // empty: every cell names tile (index % (tileCount + 2)) - 1
    std::vector<short> attrs;  // empty: every fifth cell has an attribute

    // The file the program's writer makes of it.
    std::vector<std::uint8_t> Encode() const;
    // The same map as the document would hold it.
    void MakeTiles(CTileList& tiles) const;
    std::vector<short> Cells() const;
    // The map as the editor holds it.
    CMapModel Model() const;
    std::vector<short> Attrs() const;
};

// A picture as top-down 0xFFRRGGBB pixels.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    std::uint32_t At(int x, int y) const { return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
    bool operator==(const Picture&) const = default;
};

// An image file read by Qt (an independent reader of PNG and BMP); empty on failure.
Picture ReadPicture(const std::string& path);

// The map view's map image of the map: the whole map drawn at once.
Picture MapViewImage(const TestMap& map);

// Where two pictures first differ, for failure messages.
std::string FirstDifference(const Picture& a, const Picture& b);
