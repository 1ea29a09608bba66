#include "bmpdecode.h"

#include "screenform.h"

#include <cstring>
#include <new>

namespace {
constexpr std::uint64_t kFileHeaderBytes = kBmpFileHeaderBytes;
constexpr std::uint64_t kInfoHeaderBytes = 40;
// Info headers from this size on (the V2 header and later, V4, V5) carry
// the colour masks themselves; the 40-byte header keeps them after it.
constexpr std::uint64_t kHeaderWithMasksBytes = 52;
constexpr std::uint64_t kMaskBytes = 12;

std::uint16_t Read16(const std::uint8_t* p) { return std::uint16_t(p[0] | (p[1] << 8)); }

std::uint32_t Read32(const std::uint8_t* p)
{
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24);
}

// Colour masks are read only when they describe the plain layout that
// uncompressed pixels of that depth already have; any other arrangement
// (5-6-5, alpha-first, ...) cannot be held without changing the depth.
bool MasksArePlain(WORD bitCount, const std::uint8_t* masks)
{
    const std::uint32_t red = Read32(masks), green = Read32(masks + 4), blue = Read32(masks + 8);
    if (bitCount == 16) return red == 0x7C00 && green == 0x03E0 && blue == 0x001F;
    if (bitCount == 32) return red == 0x00FF0000 && green == 0x0000FF00 && blue == 0x000000FF;
    return false;
}

}  // namespace

// Checks everything the file promises against what it holds; 64-bit
// arithmetic throughout so that no field value can wrap a size. Headers are
// read from the first size bytes only, the pixel rows measured against the
// file's length.
bool ReadBmpLayout(const std::uint8_t* data, std::uint64_t size, std::uint64_t fileBytes, BmpFileLayout& layout)
{
    if (data == nullptr || size < kFileHeaderBytes + 4 || size > fileBytes) return false;
    if (data[0] != 'B' || data[1] != 'M') return false;
    const std::uint64_t pixelOffset = Read32(data + 10);
    const std::uint8_t* info = data + kFileHeaderBytes;
    const std::uint64_t infoBytes = Read32(info);
    if (infoBytes < kInfoHeaderBytes || kFileHeaderBytes + infoBytes > size) return false;

    const std::int32_t width = std::int32_t(Read32(info + 4));
    const std::int32_t height = std::int32_t(Read32(info + 8));
    const WORD bitCount = Read16(info + 14);
    const DWORD compression = Read32(info + 16);
    const DWORD coloursUsed = Read32(info + 32);
    if (bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32) return false;
    if (width <= 0 || height == 0 || height == INT32_MIN) return false;

    std::uint64_t tableStart = kFileHeaderBytes + infoBytes;
    if (compression == BI_BITFIELDS) {
        const std::uint8_t* masks = info + kInfoHeaderBytes;
        if (infoBytes < kHeaderWithMasksBytes) {
            if (tableStart + kMaskBytes > size) return false;
            tableStart += kMaskBytes;
        }
        if (!MasksArePlain(bitCount, masks)) return false;
    } else if (compression != BI_RGB) {
        return false;
    }

    std::uint64_t colourCount = 0;
    if (bitCount == 8) {
        colourCount = coloursUsed == 0 ? 256 : coloursUsed;
        if (colourCount > 256) return false;
    }
    const std::uint64_t tableEnd = tableStart + colourCount * sizeof(RGBQUAD);
    if (tableEnd > size || pixelOffset < tableEnd || pixelOffset > fileBytes) return false;

    const std::uint64_t rows = height < 0 ? std::uint64_t(-std::int64_t(height)) : std::uint64_t(height);
    const std::uint64_t stride = std::uint64_t(PackedStride(width, bitCount));
    const std::uint64_t available = fileBytes - pixelOffset;
    if (stride > available || rows > available / stride) return false;

    layout.width = width;
    layout.rows = rows;
    layout.topDown = height < 0;
    layout.bitCount = bitCount;
    layout.xPelsPerMeter = LONG(Read32(info + 24));
    layout.yPelsPerMeter = LONG(Read32(info + 28));
    layout.colourOffset = tableStart;
    layout.colourCount = colourCount;
    layout.pixelOffset = pixelOffset;
    layout.stride = stride;
    return true;
}

std::uint64_t BmpPixelOffset(const std::uint8_t* fileHeader) { return Read32(fileHeader + 10); }

BmpDecodeStatus NewBmpBlock(const BmpFileLayout& layout, const std::uint8_t* head, BYTE*& block, BYTE*& bits)
{
    block = nullptr;
    bits = nullptr;
    if (std::uint64_t(layout.width) * layout.rows > kMaxBitmapPixels) return BmpDecodeStatus::NoMemory;

    const std::size_t tableBytes = PackedColourTableBytes(layout.bitCount);
    const std::size_t pixelBytes = std::size_t(layout.stride * layout.rows);
    const std::size_t blockBytes = sizeof(BITMAPINFOHEADER) + tableBytes + pixelBytes;
    block = new (std::nothrow) BYTE[blockBytes];
    if (block == nullptr) return BmpDecodeStatus::NoMemory;

    BITMAPINFOHEADER header{};
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = layout.width;
    header.biHeight = LONG(layout.rows);
    header.biPlanes = 1;
    header.biBitCount = layout.bitCount;
    header.biCompression = BI_RGB;
    header.biSizeImage = DWORD(pixelBytes);
    header.biXPelsPerMeter = layout.xPelsPerMeter;
    header.biYPelsPerMeter = layout.yPelsPerMeter;
    std::memcpy(block, &header, sizeof header);

    // A short colour table is padded with zero (black) entries.
    BYTE* table = block + sizeof(BITMAPINFOHEADER);
    std::memset(table, 0, tableBytes);
    if (layout.colourCount > 0)
        std::memcpy(table, head + layout.colourOffset, std::size_t(layout.colourCount) * sizeof(RGBQUAD));
    bits = table + tableBytes;
    return BmpDecodeStatus::Ok;
}

BmpDecodeStatus DecodeBmp(const std::uint8_t* data, std::size_t size, BYTE*& block)
{
    block = nullptr;
    BmpFileLayout layout;
    if (!ReadBmpLayout(data, size, size, layout)) return BmpDecodeStatus::NotBitmap;
    BYTE* bits = nullptr;
    const BmpDecodeStatus status = NewBmpBlock(layout, data, block, bits);
    if (status != BmpDecodeStatus::Ok) return status;

    const std::uint8_t* pixels = data + layout.pixelOffset;
    const std::size_t stride = std::size_t(layout.stride);
    const std::size_t rows = std::size_t(layout.rows);
    if (!layout.topDown) {
        std::memcpy(bits, pixels, stride * rows);
    } else {
        for (std::size_t r = 0; r < rows; ++r) std::memcpy(bits + r * stride, pixels + (rows - 1 - r) * stride, stride);
    }
    return BmpDecodeStatus::Ok;
}
