// Inputs made in code, so the benchmarks need no files: tiles of random
// 24-bit pixels, maps of random cells, a 24-bit .bmp and map files.
#pragma once

#include "mapmodel.h"

#include "wintypes.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CTileList;

// A fast, seedable source of random bits (splitmix64): the inputs are
// large, and their content only has to defeat compression-like shortcuts.
class RandomBits {
public:
    explicit RandomBits(std::uint64_t seed) : m_state(seed) {}
    std::uint64_t Next();
    // Uniform in [0, bound).
    int Below(int bound) { return int(Next() % std::uint64_t(bound)); }
    void Fill(std::uint8_t* bytes, std::size_t count);

private:
    std::uint64_t m_state;
};

// Appends count 24-bit tiles of width x height random pixels.
void AddRandomTiles(CTileList& tiles, int count, int width, int height, std::uint64_t seed);

// mapWidth x mapHeight cells, each a random tile number of tileCount, with
// about one cell in a thousand left empty (-1).
std::vector<short> RandomCells(int mapWidth, int mapHeight, int tileCount, std::uint64_t seed);

// A map of random tiles and random cells (as RandomCells), no attributes.
CMapModel RandomMap(int mapWidth, int mapHeight, int tileSize, int tileCount, std::uint64_t seed);

// Fills the attribute layer with runs of 1 to 8 cells of one value, as
// painted areas give; the values are valueCount numbers around 0, so
// nearly every cell has a nonzero attribute.
void AddRandomAttributes(CCellLayers& cells, int valueCount, std::uint64_t seed);

// The bytes of a 24-bit bottom-up .bmp file of random pixels.
std::vector<std::uint8_t> MakeBmpFile24(int width, int height, std::uint64_t seed);

// Writes a whole file; false on any failure.
bool WriteWholeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

// A map of random cells over a set of random 24-bit tiles, saved as a .Map
// file; false when the file could not be written.
bool WriteRandomMapFile(const std::string& path, int mapWidth, int mapHeight, int tileSize, int tileCount,
                        std::uint64_t seed);
