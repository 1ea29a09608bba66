// The <data> element of a TMX tile layer as a list of global tile ids,
// whatever encoding and compression it was written with.
#pragma once

#include <pugixml.hpp>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

enum class LayerDataResult { Ok, Damaged, Unsupported, NoMemory };

// Exactly cells gids into gids on Ok; otherwise a Korean reason in error.
LayerDataResult DecodeLayerData(const pugi::xml_node& data, std::size_t cells, std::vector<std::uint32_t>& gids,
                                std::string& error);
