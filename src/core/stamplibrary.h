// The stamp library: blocks of tiles a user keeps to paint with again, each
// under a name, kept per user in one JSON file. A stamp names its tiles by
// their pictures, so it outlives tile numbers: deleting or inserting tiles,
// reloading, or opening another map with the same pictures leaves it
// usable. A stamp may hold several variations; painting picks one at random
// by weight (a variation added k times weighs k).
#pragma once

#include "cellblock.h"
#include "tilefingerprint.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class CTileList;

// A block of pictures: row-major, none for a hole.
struct PictureBlock {
    int cols = 0;
    int rows = 0;
    std::vector<std::optional<TileFingerprint>> cells;

    bool IsEmpty() const { return cols <= 0 || rows <= 0 || cells.size() != std::size_t(cols) * std::size_t(rows); }
    bool operator==(const PictureBlock&) const = default;
};

struct StampVariation {
    PictureBlock block;
    int weight = 1;
    bool operator==(const StampVariation&) const = default;
};

struct Stamp {
    std::string name;
    int slot = 0;  // the number key it is stored under, 1..9, or 0
    std::vector<StampVariation> variations;
    bool operator==(const Stamp&) const = default;
};

struct StampLibrary {
    std::vector<Stamp> stamps;
    bool operator==(const StampLibrary&) const = default;
};

// A brush's tiles as pictures of tiles (its attributes are not kept).
PictureBlock PictureBlockOf(const CCellBlock& brush, const CTileList& tiles);
// The block of tile numbers showing the pictures (the first of twins), a
// map block whose holes leave their cells; none when tiles lacks a picture.
std::optional<CCellBlock> CellBlockOf(const PictureBlock& block, const CTileList& tiles);
// How many different pictures of the stamp's variations tiles lacks; 0: usable.
int MissingTiles(const Stamp& stamp, const CTileList& tiles);
// The variation whose share of the total weight holds roll (0 <= roll < 1).
const StampVariation* PickVariation(const Stamp& stamp, double roll);
// Adds a block as a variation of the stamp; the same block added again
// weighs one more instead of being kept twice.
void AddVariation(Stamp& stamp, PictureBlock block);
// Puts the stamp under number key slot (1..9): the stamp already there is
// replaced, and no other stamp keeps that slot. Returns the stamp's place.
std::size_t StoreInSlot(StampLibrary& library, int slot, Stamp stamp);
// The stamp under number key slot, or null.
const Stamp* StampInSlot(const StampLibrary& library, int slot);
// "스탬프 n" with the lowest n no stamp is named yet.
std::string NextStampName(const StampLibrary& library);

// The file's text, and back. Reading ignores what it does not know and
// takes a missing weight as 1 and a missing slot as 0; anything else out of
// shape makes the whole text unreadable (none), so that nothing of a
// damaged file is half taken and later saved over.
std::string StampLibraryToJson(const StampLibrary& library);
std::optional<StampLibrary> StampLibraryFromJson(std::string_view text);

// $XDG_DATA_HOME/pellin-map-tool/stamps.json, or ~/.local/share/pellin-map-tool/stamps.json.
std::string DefaultStampLibraryPath();

struct StampLibraryLoad {
    StampLibrary library;
    std::string note;  // for the status bar when the file was damaged and set aside, else empty
};
// Reads the library at path; no file is an empty library. A damaged file
// is renamed (path + ".damaged", or ".damaged-2", ...) and the library
// starts empty, with a note saying where the old file went.
StampLibraryLoad LoadStampLibrary(const std::string& path);
// Writes the library through a safe save, making its folder when needed.
bool SaveStampLibrary(const std::string& path, const StampLibrary& library);
