// PNG files made byte by byte for the tests, in every colour type, depth
// and interlacing, so the reader is checked against files no other
// program had a say in.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct PngPicture {
    int width = 0;
    int height = 0;
    int colourType = 2;  // 0 grey, 2 RGB, 3 indexed, 4 grey + alpha, 6 RGBA
    int bitDepth = 8;
    bool interlaced = false;
    std::vector<std::uint16_t> samples;                // row-major, Channels() per pixel
    std::vector<std::array<std::uint8_t, 3>> palette;  // indexed only
    std::vector<std::uint8_t> trns;                    // the tRNS chunk's bytes, if any

    int Channels() const { return colourType == 2 ? 3 : colourType == 4 ? 2 : colourType == 6 ? 4 : 1; }
};

std::vector<std::uint8_t> EncodePng(const PngPicture& picture);

// A chunk with its length and CRC, for spoiling files by hand.
void AppendPngChunk(std::vector<std::uint8_t>& file, const std::string& type, const std::vector<std::uint8_t>& body);
