// The picture files the program reads, told apart by their first bytes:
// .png by its signature, everything else as a .bmp. Both become the same
// packed block (bmpdecode.h), without any message: callers say what failed.
#pragma once

#include "bmpdecode.h"

#include <cstddef>
#include <cstdint>

// On Ok, block receives a new[]-allocated packed block owned by the caller
// and transparencyFlattened tells whether transparent pixels were composited
// over black (only a PNG has any).
BmpDecodeStatus DecodePictureFile(const std::uint8_t* data, std::size_t size, BYTE*& block,
                                  bool& transparencyFlattened);
