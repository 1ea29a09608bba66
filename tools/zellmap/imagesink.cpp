#include "imagesink.h"
#include "messagetext.h"

#include "paralleldeflate.h"
#include "pngfilter.h"
#include "toolsupport.h"

#include <algorithm>
#include <limits>
#include <new>
#include <vector>
#include <zlib.h>

namespace {

constexpr std::int64_t kMaxPngSide = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t kMaxBmpBytes = std::numeric_limits<std::uint32_t>::max();
constexpr std::size_t kBmpHeaderBytes = 14 + 40;

void PutBigEndian32(std::uint8_t* to, std::uint32_t value)
{
    to[0] = std::uint8_t(value >> 24);
    to[1] = std::uint8_t(value >> 16);
    to[2] = std::uint8_t(value >> 8);
    to[3] = std::uint8_t(value);
}

void PutLittleEndian(std::uint8_t* to, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i) to[i] = std::uint8_t(value >> (8 * i));
}

// A PNG stream of 8-bit samples (RGB, or palette indices after a PLTE
// chunk), filtered and deflated on two cores as the rows arrive
// (paralleldeflate.h): the rows are gathered two pieces of about 1 MiB at a
// time, and each piece's rows are filtered on the thread that deflates
// them. RGB rows each get the filter that suits them best (pngfilter.h);
// palette indices are not numbers that change smoothly, so their rows all
// use "up", which turns repeated tiles and plain cells into runs of zeros.
class PngStream {
public:
    PngStream(std::FILE* file, std::int64_t width, std::int64_t height, int channels)
        : m_file(file),
          m_height(height),
          m_width(width),
          m_rowBytes(std::size_t(width) * std::size_t(channels)),
          m_pieceRows(std::max<std::size_t>(1, ParallelDeflater::kPieceBytes / m_rowBytes)),
          m_rows((2 * m_pieceRows + 1) * m_rowBytes, 0),
          m_adaptive(channels > 1),
          m_filters{PngRowFilter(m_rowBytes, channels), PngRowFilter(m_rowBytes, channels)},
          m_deflater([this](const std::uint8_t* data, std::size_t size) { return Chunk("IDAT", data, size); })
    {
    }

    // The signature, the header and, for indices, the 256-entry palette.
    bool Start(const RGBQUAD* palette)
    {
        static const std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
        if (std::fwrite(kSignature, 1, 8, m_file) != 8) return false;
        std::uint8_t header[13] = {};
        PutBigEndian32(header, std::uint32_t(m_width));
        PutBigEndian32(header + 4, std::uint32_t(m_height));
        header[8] = 8;                // bits per sample
        header[9] = palette ? 3 : 2;  // indexed or RGB
        if (!Chunk("IHDR", header, sizeof header)) return false;
        if (!palette) return true;
        std::uint8_t colours[256 * 3];
        for (int i = 0; i < 256; ++i) {
            colours[3 * i] = palette[i].rgbRed;
            colours[3 * i + 1] = palette[i].rgbGreen;
            colours[3 * i + 2] = palette[i].rgbBlue;
        }
        return Chunk("PLTE", colours, sizeof colours);
    }

    // Where the caller puts the next row's samples before AddRow().
    std::uint8_t* Samples() { return Row(m_rowsGathered); }

    bool AddRow()
    {
        if (m_rowsWritten + std::int64_t(m_rowsGathered) >= m_height) return false;
        ++m_rowsGathered;
        return m_rowsGathered < 2 * m_pieceRows || DeflateGathered(false);
    }

    bool Finish()
    {
        if (m_rowsWritten + std::int64_t(m_rowsGathered) != m_height) return false;
        return DeflateGathered(true) && Chunk("IEND", nullptr, 0);
    }

private:
    // Row i of those gathered; the row above them (zeros above the
    // picture's first row) comes before row 0.
    std::uint8_t* Row(std::size_t i) { return m_rows.data() + (i + 1) * m_rowBytes; }
    std::uint8_t* RowAbove() { return m_rows.data(); }

    bool DeflateGathered(bool last)
    {
        const std::size_t count = m_rowsGathered;
        const std::size_t split = std::min(count, m_pieceRows);
        const auto filterPiece = [&](int piece, std::vector<std::uint8_t>& out) {
            const std::size_t first = piece == 0 ? 0 : split;
            const std::size_t end = piece == 0 ? split : count;
            out.resize((end - first) * (m_rowBytes + 1));
            std::uint8_t* to = out.data();
            for (std::size_t i = first; i < end; ++i, to += m_rowBytes + 1) {
                const std::uint8_t* above = Row(i) - m_rowBytes;
                if (m_adaptive) {
                    m_filters[piece].Filter(Row(i), above, to);
                } else {
                    m_filters[piece].FilterUp(Row(i), above, to);
                }
            }
        };
        if (!m_deflater.AddPair(filterPiece, last)) return false;
        // The last row gathered is the row above the next ones.
        if (count > 0) std::copy_n(Row(count - 1), m_rowBytes, RowAbove());
        m_rowsWritten += std::int64_t(count);
        m_rowsGathered = 0;
        return true;
    }

    bool Chunk(const char* type, const std::uint8_t* data, std::size_t size)
    {
        std::uint8_t head[8];
        PutBigEndian32(head, std::uint32_t(size));
        std::copy(type, type + 4, head + 4);
        uLong crc = crc32(0, head + 4, 4);
        if (size > 0) crc = crc32(crc, data, uInt(size));
        std::uint8_t tail[4];
        PutBigEndian32(tail, std::uint32_t(crc));
        return std::fwrite(head, 1, 8, m_file) == 8 && (size == 0 || std::fwrite(data, 1, size, m_file) == size) &&
               std::fwrite(tail, 1, 4, m_file) == 4;
    }

    std::FILE* m_file;
    std::int64_t m_height;
    std::int64_t m_width;
    std::size_t m_rowBytes;
    std::size_t m_pieceRows;           // rows a deflated piece holds, two pieces at a time
    std::vector<std::uint8_t> m_rows;  // the row above, then the rows gathered
    std::size_t m_rowsGathered = 0;
    std::int64_t m_rowsWritten = 0;  // rows deflated already
    bool m_adaptive;                 // a filter chosen row by row, or "up" throughout
    PngRowFilter m_filters[2];       // one per piece's thread
    ParallelDeflater m_deflater;
};

class PngSink final : public ImageSink {
public:
    PngSink(std::FILE* file, std::int64_t width, std::int64_t height) : m_png(file, width, height, 3), m_width(width) {}

    bool Start() { return m_png.Start(nullptr); }

    bool WriteRows(const std::uint32_t* pixels, int rows, std::ptrdiff_t stride) override
    {
        for (int y = 0; y < rows; ++y) {
            const std::uint32_t* from = pixels + y * stride;
            std::uint8_t* to = m_png.Samples();
            for (std::int64_t x = 0; x < m_width; ++x) {
                const std::uint32_t p = from[x];
                *to++ = std::uint8_t(p >> 16);
                *to++ = std::uint8_t(p >> 8);
                *to++ = std::uint8_t(p);
            }
            if (!m_png.AddRow()) return false;
        }
        return true;
    }

    bool Finish() override { return m_png.Finish(); }

private:
    PngStream m_png;
    std::int64_t m_width;
};

class IndexedPngSink final : public IndexedImageSink {
public:
    IndexedPngSink(std::FILE* file, std::int64_t width, std::int64_t height)
        : m_png(file, width, height, 1), m_width(width)
    {
    }

    bool Start(const RGBQUAD* colours) { return m_png.Start(colours); }

    bool WriteRows(const std::uint8_t* indices, int rows, std::ptrdiff_t stride) override
    {
        for (int y = 0; y < rows; ++y) {
            std::copy_n(indices + y * stride, m_width, m_png.Samples());
            if (!m_png.AddRow()) return false;
        }
        return true;
    }

    bool Finish() override { return m_png.Finish(); }

private:
    PngStream m_png;
    std::int64_t m_width;
};

// 24-bit BMP with the usual bottom-up rows: each band is written at the
// place its rows take in the file.
class BmpSink final : public ImageSink {
public:
    BmpSink(std::FILE* file, std::int64_t width, std::int64_t height)
        : m_file(file), m_width(width), m_height(height), m_stride((width * 3 + 3) & ~std::int64_t(3))
    {
    }

    bool Start()
    {
        const std::int64_t pixelBytes = m_stride * m_height;
        std::uint8_t header[kBmpHeaderBytes] = {'B', 'M'};
        PutLittleEndian(header + 2, std::uint32_t(kBmpHeaderBytes + std::size_t(pixelBytes)), 4);
        PutLittleEndian(header + 10, std::uint32_t(kBmpHeaderBytes), 4);
        PutLittleEndian(header + 14, 40, 4);
        PutLittleEndian(header + 18, std::uint32_t(m_width), 4);
        PutLittleEndian(header + 22, std::uint32_t(m_height), 4);
        PutLittleEndian(header + 26, 1, 2);   // planes
        PutLittleEndian(header + 28, 24, 2);  // bits per pixel
        PutLittleEndian(header + 34, std::uint32_t(pixelBytes), 4);
        PutLittleEndian(header + 38, 2835, 4);  // 72 dots per inch
        PutLittleEndian(header + 42, 2835, 4);
        return std::fwrite(header, 1, sizeof header, m_file) == sizeof header;
    }

    // A band's rows lie together in the file, last row first: they are
    // laid out so in memory and written with one seek and one write.
    bool WriteRows(const std::uint32_t* pixels, int rows, std::ptrdiff_t stride) override
    {
        if (rows <= 0) return true;
        if (m_rowsWritten + rows > m_height) return false;
        m_band.resize(std::size_t(m_stride) * std::size_t(rows));
        for (int y = 0; y < rows; ++y) {
            const std::uint32_t* from = pixels + y * stride;
            std::uint8_t* to = m_band.data() + std::size_t(rows - 1 - y) * std::size_t(m_stride);
            for (std::int64_t x = 0; x < m_width; ++x) {
                const std::uint32_t p = from[x];
                *to++ = std::uint8_t(p);
                *to++ = std::uint8_t(p >> 8);
                *to++ = std::uint8_t(p >> 16);
            }
        }
        m_rowsWritten += rows;
        const std::int64_t offset = std::int64_t(kBmpHeaderBytes) + (m_height - m_rowsWritten) * m_stride;
        return fseeko(m_file, off_t(offset), SEEK_SET) == 0 &&
               std::fwrite(m_band.data(), 1, m_band.size(), m_file) == m_band.size();
    }

    bool Finish() override { return m_rowsWritten == m_height; }

private:
    std::FILE* m_file;
    std::int64_t m_width;
    std::int64_t m_height;
    std::int64_t m_stride;
    std::int64_t m_rowsWritten = 0;
    std::vector<std::uint8_t> m_band;  // padding bytes are never written, so stay zero
};

}  // namespace

std::optional<ImageFormat> ImageFormatForPath(const std::string& path)
{
    const std::string extension = ExtensionOf(path);
    if (extension == "png") return ImageFormat::Png;
    if (extension == "bmp") return ImageFormat::Bmp;
    return std::nullopt;
}

namespace {

std::unique_ptr<ImageSink> MakeSink(ImageFormat format, std::FILE* file, std::int64_t width, std::int64_t height,
                                    std::string& error)
{
    if (width <= 0 || height <= 0) {
        error = QT_TRANSLATE_NOOP("Pellin", "그림의 크기가 0입니다");
        return nullptr;
    }
    if (format == ImageFormat::Png) {
        if (width > kMaxPngSide || height > kMaxPngSide) {
            error = QT_TRANSLATE_NOOP("Pellin", "PNG에 담기에는 그림이 너무 큽니다");
            return nullptr;
        }
        auto sink = std::make_unique<PngSink>(file, width, height);
        if (!sink->Start()) {
            error = QT_TRANSLATE_NOOP("Pellin", "그림 화일을 쓸 수 없습니다");
            return nullptr;
        }
        return sink;
    }
    const std::int64_t stride = (width * 3 + 3) & ~std::int64_t(3);
    if (width > kMaxPngSide || height > kMaxPngSide ||
        stride > (kMaxBmpBytes - std::int64_t(kBmpHeaderBytes)) / height) {
        error = QT_TRANSLATE_NOOP("Pellin", "BMP에 담기에는 그림이 너무 큽니다 (PNG로 쓰십시오)");
        return nullptr;
    }
    auto sink = std::make_unique<BmpSink>(file, width, height);
    if (!sink->Start()) {
        error = QT_TRANSLATE_NOOP("Pellin", "그림 화일을 쓸 수 없습니다");
        return nullptr;
    }
    return sink;
}

}  // namespace

std::unique_ptr<IndexedImageSink> MakeIndexedPngSink(std::FILE* file, std::int64_t width, std::int64_t height,
                                                     const RGBQUAD* colours, std::string& error)
{
    if (width <= 0 || height <= 0 || width > kMaxPngSide || height > kMaxPngSide) {
        error = QT_TRANSLATE_NOOP("Pellin", "PNG에 담을 수 없는 그림 크기입니다");
        return nullptr;
    }
    try {
        auto sink = std::make_unique<IndexedPngSink>(file, width, height);
        if (sink->Start(colours)) return sink;
        error = QT_TRANSLATE_NOOP("Pellin", "그림 화일을 쓸 수 없습니다");
    } catch (const std::bad_alloc&) {
        error = QT_TRANSLATE_NOOP("Pellin", "메모리가 부족해 그림 화일을 쓸 수 없습니다");
    }
    return nullptr;
}

std::unique_ptr<ImageSink> MakeImageSink(ImageFormat format, std::FILE* file, std::int64_t width, std::int64_t height,
                                         std::string& error)
{
    // The row buffers are as wide as the picture.
    try {
        return MakeSink(format, file, width, height, error);
    } catch (const std::bad_alloc&) {
        error = QT_TRANSLATE_NOOP("Pellin", "메모리가 부족해 그림 화일을 쓸 수 없습니다");
        return nullptr;
    }
}
