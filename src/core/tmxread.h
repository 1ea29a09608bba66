// Reading a map made in the peer editor Tiled, a TMX file, into what a .Map
// file holds, so that it can be saved with WriteMapFile or taken over by
// the document like a map file that was read.
//
// What is read: an orthogonal, finite map whose tiles are 16, 24, 32 or 64
// pixels square, with at most one tileset (embedded, or an external .tsx
// file) cut from one picture (.png or .bmp, found relative to the file that
// names it; margin and spacing as Tiled uses them), and at most one tile
// layer:
//   - cells: the tile layer's gid minus the tileset's firstgid, 0 as -1;
//     layer data as XML <tile> elements, CSV, or base64, uncompressed or
//     compressed with zlib, gzip or (when built with it) zstd;
//   - tile attributes: the integer property "attribute" (0 to 255) of the
//     tileset's tiles;
//   - cell attributes: the objects of the object layer "map attributes"
//     with the integer property "attribute" (-32768 to 32767); each object
//     covers whole cells, and every cell it covers gets the value;
//   - the map properties "bitcount" and "colours" that zellmap export
//     writes: with "bitcount" 16 a truecolour picture becomes 5-5-5 tiles;
//     a map without tiles takes its bit count from it, and an 8-bit one its
//     colour table from "colours" (256 RRGGBB hex triples).
// A tileset picture's transparency is composited over black as for any
// picture the program loads (pngdecode.h). Everything else (other layers,
// objects, properties) is left out.
#pragma once

#include "mapfile.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Names shared with zellmap export, which writes what this reads.
inline constexpr const char* kTmxAttributeProperty = "attribute";
inline constexpr const char* kTmxAttributeLayer = "map attributes";
inline constexpr const char* kTmxBitCountProperty = "bitcount";
inline constexpr const char* kTmxColoursProperty = "colours";

enum class TmxReadResult {
    Ok,
    CannotOpen,   // the TMX file, its .tsx or its tileset picture cannot be read
    Invalid,      // not well-formed: XML errors, missing or wrong values, damaged
                  // layer data, a tileset picture that is not a bitmap
    Unsupported,  // well formed, but not a map a .Map file can hold
    NoMemory,
};

struct TmxReadReport {
    TmxReadResult result = TmxReadResult::Ok;
    // For the message box: Korean, says what was refused and where; empty on Ok.
    std::string message;
    // The tileset picture had transparent pixels, now black (kMsgTransparencyFlattened).
    bool transparencyFlattened = false;
};

// Reads the TMX file at path (UTF-8). Only on Ok is out replaced, with
// content as ReadMapFile gives it (the map with its tiles, their attributes
// and both layers; the bit count and colour table to save it with);
// otherwise it is left as it was. Shows no message box.
TmxReadReport ReadTmxFile(const std::string& path, MapFileContent& out);

// Where the reader takes the bytes of the map, its .tsx and its tileset
// picture from, by path as the map names them (joined to the folder of the
// file that names them): false when there is no such file to read.
using TmxFileSource = std::function<bool(const std::string& path, std::vector<std::uint8_t>& bytes)>;

// ReadTmxFile with the files from files instead of the disk.
TmxReadReport ReadTmx(const std::string& path, const TmxFileSource& files, MapFileContent& out);
