#include "sprite.h"

#include "imagingmessages.h"
#include "screenform.h"

#include <cstring>
#include <new>
#include <utility>

namespace {
bool IsTileDepth(WORD bitCount) { return bitCount == 8 || bitCount == 16 || bitCount == 24; }

// The source must be a packed block as bitmaps and tiles hold them: a
// 40-byte header, a positive size, and for 8-bit a 256-entry colour table.
bool IsPackedBlock(const BITMAPINFOHEADER& header)
{
    return header.biSize == sizeof(BITMAPINFOHEADER) && header.biWidth > 0 && header.biHeight > 0;
}
}  // namespace

CSprite::CSprite() { Init(); }

CSprite::~CSprite() { Free(); }

void CSprite::Init()
{
    m_pBMI = nullptr;
    m_pColors = nullptr;
    m_pBits = nullptr;
    m_storage.reset();
    m_pScreenBits.reset();
}

void CSprite::Free()
{
    if (!m_storage) delete[] reinterpret_cast<BYTE*>(m_pBMI);
    Init();
}

std::size_t CSprite::BlockBytes(int width, int height, WORD bitCount)
{
    const std::size_t pixelBytes = std::size_t(PackedStride(width, bitCount)) * std::size_t(height);
    return (RowsOffset(bitCount) + pixelBytes + 7) / 8 * 8;
}

std::size_t CSprite::RowsOffset(WORD bitCount) { return sizeof(BITMAPINFOHEADER) + PackedColourTableBytes(bitCount); }

void CSprite::Place(BYTE* block, WORD bitCount)
{
    m_pBMI = reinterpret_cast<BITMAPINFO*>(block);
    m_pColors = bitCount == 8 ? reinterpret_cast<RGBQUAD*>(block + sizeof(BITMAPINFOHEADER)) : nullptr;
    m_pBits = block + RowsOffset(bitCount);
}

bool CSprite::Allocate(int width, int height, WORD bitCount)
{
    BYTE* block = new (std::nothrow) BYTE[BlockBytes(width, height, bitCount)];
    if (block == nullptr) return false;
    Place(block, bitCount);
    return true;
}

bool CSprite::MakeScreenForm() const
{
    const BITMAPINFOHEADER& header = m_pBMI->bmiHeader;
    m_pScreenBits.reset(new (std::nothrow) std::uint32_t[std::size_t(header.biWidth) * std::size_t(header.biHeight)]);
    if (!m_pScreenBits) return false;
    ConvertToScreen(header, m_pColors, m_pBits, m_pScreenBits.get());
    return true;
}

ImagingResult CSprite::Create(int left, int top, int right, int bottom, const BITMAPINFO* source)
{
    Free();
    if (source == nullptr || !IsPackedBlock(source->bmiHeader)) return {};
    const BITMAPINFOHEADER& sourceHeader = source->bmiHeader;
    const WORD bitCount = sourceHeader.biBitCount;
    if (!IsTileDepth(bitCount)) return {kMsgSpriteNoMemory};
    // Only rectangles inside the picture are cut: nothing outside its rows is read.
    if (left < 0 || top < 0 || right <= left || bottom <= top || right > sourceHeader.biWidth ||
        bottom > sourceHeader.biHeight)
        return {};

    const int width = right - left;
    const int height = bottom - top;
    if (!Allocate(width, height, bitCount)) {
        Init();
        return {kMsgSpriteNoMemory};
    }

    const BYTE* sourceBlock = reinterpret_cast<const BYTE*>(source);
    const std::size_t tableBytes = PackedColourTableBytes(bitCount);
    std::memcpy(m_pBMI, sourceBlock, sizeof(BITMAPINFOHEADER) + tableBytes);
    BITMAPINFOHEADER& header = m_pBMI->bmiHeader;
    const std::size_t stride = std::size_t(PackedStride(width, bitCount));
    header.biWidth = width;
    header.biHeight = height;
    header.biSizeImage = DWORD(stride * std::size_t(height));

    // Both are stored bottom-up: picture row top + i of the bitmap is
    // stored row (biHeight - 1 - top - i); it becomes stored row
    // (height - 1 - i) of the tile. Padding bytes stay 0.
    const BYTE* sourceBits = sourceBlock + sizeof(BITMAPINFOHEADER) + tableBytes;
    const std::size_t sourceStride = std::size_t(PackedStride(sourceHeader.biWidth, bitCount));
    const std::size_t bytesPerPixel = bitCount / 8;
    std::memset(m_pBits, 0, stride * std::size_t(height));
    for (int i = 0; i < height; ++i) {
        const BYTE* from = sourceBits + std::size_t(sourceHeader.biHeight - 1 - top - i) * sourceStride +
                           std::size_t(left) * bytesPerPixel;
        std::memcpy(m_pBits + std::size_t(height - 1 - i) * stride, from, std::size_t(width) * bytesPerPixel);
    }

    if (!MakeScreenForm()) {
        Free();
        return {kMsgSpriteNoMemory};
    }
    return {};
}

CSprite* CSprite::CreateFromData(BYTE width, BYTE height, const RGBQUAD* colours, const BYTE* bits, WORD bitCount)
{
    return CreateFromData(width, height, colours, bits, bitCount, nullptr, nullptr);
}

CSprite* CSprite::CreateFromData(BYTE width, BYTE height, const RGBQUAD* colours, const BYTE* bits, WORD bitCount,
                                 std::shared_ptr<BYTE[]> storage, BYTE* at)
{
    const bool dataComplete = bits != nullptr && (bitCount != 8 || colours != nullptr);
    if (!IsTileDepth(bitCount) || width == 0 || height == 0 || !dataComplete) return this;
    // Build aside first so that a failure leaves the tile as it was.
    CSprite made;
    if (storage && at) {
        made.Place(at, bitCount);
        made.m_storage = std::move(storage);
    } else if (!made.Allocate(width, height, bitCount)) {
        return this;
    }
    const std::size_t pixelBytes = std::size_t(PackedStride(width, bitCount)) * height;
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = bitCount;
    header.biCompression = BI_RGB;
    header.biSizeImage = DWORD(pixelBytes);
    std::memcpy(made.m_pBMI, &header, sizeof header);
    if (bitCount == 8) std::memcpy(made.m_pColors, colours, PackedColourTableBytes(bitCount));
    if (made.m_pBits != bits) std::memcpy(made.m_pBits, bits, pixelBytes);

    Free();
    m_pBMI = std::exchange(made.m_pBMI, nullptr);
    m_pColors = std::exchange(made.m_pColors, nullptr);
    m_pBits = std::exchange(made.m_pBits, nullptr);
    m_storage = std::move(made.m_storage);
    return this;
}

const std::uint32_t* CSprite::GetScreenBits() const
{
    if (!m_pScreenBits && m_pBMI != nullptr) MakeScreenForm();
    return m_pScreenBits.get();
}

int CSprite::GetWidth() const { return m_pBMI ? m_pBMI->bmiHeader.biWidth : 0; }

int CSprite::GetHeight() const { return m_pBMI ? m_pBMI->bmiHeader.biHeight : 0; }

int CSprite::GetStride() const
{
    return m_pBMI ? int(PackedStride(m_pBMI->bmiHeader.biWidth, m_pBMI->bmiHeader.biBitCount)) : 0;
}
