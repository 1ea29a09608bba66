// Image files written a band of rows at a time, so that a map picture far
// larger than memory can still be written: PNG (deflated as it goes) and
// 24-bit BMP (rows placed bottom-up as they arrive).
#pragma once

#include "wintypes.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

enum class ImageFormat { Png, Bmp };

// The format a file name asks for, from its extension.
std::optional<ImageFormat> ImageFormatForPath(const std::string& path);

class ImageSink {
public:
    virtual ~ImageSink() = default;
    // Appends rows, top first: each row width pixels of 0xFFRRGGBB, stride
    // pixels apart. False when the file could not be written.
    virtual bool WriteRows(const std::uint32_t* pixels, int rows, std::ptrdiff_t stride) = 0;
    // Completes the file once every row was given.
    virtual bool Finish() = 0;
};

// A writer of a width x height picture into file, or null with the reason
// in error when the format cannot hold that size.
std::unique_ptr<ImageSink> MakeImageSink(ImageFormat format, std::FILE* file, std::int64_t width, std::int64_t height,
                                         std::string& error);

// An indexed PNG (8 bits a pixel) with a 256-entry palette, for the tiles
// of an 8-bit map, whose pixels are indices into their one colour table.
class IndexedImageSink {
public:
    virtual ~IndexedImageSink() = default;
    // Appends rows, top first: each row width indices, stride bytes apart.
    virtual bool WriteRows(const std::uint8_t* indices, int rows, std::ptrdiff_t stride) = 0;
    virtual bool Finish() = 0;
};

std::unique_ptr<IndexedImageSink> MakeIndexedPngSink(std::FILE* file, std::int64_t width, std::int64_t height,
                                                     const RGBQUAD* colours, std::string& error);
