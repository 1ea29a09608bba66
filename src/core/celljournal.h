// A journal of changed cell chunks: how a copy of the map kept on disk
// follows the edits without writing the whole map again. The copy is a
// whole .Map file written once (the base) and a journal beside it; each time
// the map changes, the chunks that differ from what the copy holds are
// appended to the journal as one batch. Reading the base and applying the
// journal's batches in order gives the map back exactly.
//
// A journal starts with "PELLINJ1" and the map's width and height (uint32
// each). A batch is "PJB1", the number of chunks (uint32) and the payload's
// length (uint64), the payload, and the payload's FNV-1a hash (uint64); the
// payload holds per chunk its layer (uint8, 0 tiles, 1 attributes, and three
// zero bytes), its index (uint32), its number of cells (uint32) and the
// cells (int16 each). A record of kind 2 in the chunks' place holds the
// tiles' attributes instead: index 0, the number of tiles, and each tile's
// attribute (int16 each, 0-255), so that a change of them never needs a new
// base. All little-endian. A batch cut short (the program died
// while appending it) or damaged ends the journal: it and what follows are
// left out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "celllayers.h"

struct JournalChunk {
    CellLayer layer;
    std::size_t index;
    CellChunk cells;  // shared with the map it came from, never written
    std::size_t count;
};

// Same width, height and layers: the chunks of one line up with the other's.
bool SameLayerShape(const CCellLayers& a, const CCellLayers& b);

// The chunks of now that are not then's (both of the same shape). Costs a
// comparison of pointers per chunk: a chunk then still holds is never
// written in place, so every changed chunk is a chunk of its own.
std::vector<JournalChunk> ChangedChunks(const CCellLayers& then, const CCellLayers& now);

// Every tile's attribute, in tile order.
using TileAttributes = std::vector<std::uint8_t>;

// Bytes a batch of these chunks (and attributes) adds to a journal.
std::size_t JournalBatchBytes(const std::vector<JournalChunk>& chunks,
                              const std::optional<TileAttributes>& tileAttributes = std::nullopt);

// A new, empty journal for a map of this size (replacing any file there).
bool StartJournal(const std::string& path, int width, int height);

// Appends one batch and syncs it to the disk. On failure the journal is cut
// back to what it held, so that later batches still follow whole ones.
// With tileAttributes, the batch also sets every tile's attribute.
bool AppendJournal(const std::string& path, const std::vector<JournalChunk>& chunks,
                   const std::optional<TileAttributes>& tileAttributes = std::nullopt);

// Applies the journal's whole batches to cells, in order. False when the
// journal cannot be read or is for a map of another size; a damaged or
// short batch just ends it (what came before stays applied). The tiles'
// attributes go into tileAttributes, which holds one per tile of the base
// (a batch with another number of them is a damaged one); without it they
// are passed over.
bool ApplyJournal(const std::string& path, CCellLayers& cells, TileAttributes* tileAttributes = nullptr);
