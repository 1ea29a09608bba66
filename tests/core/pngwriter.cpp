#include "pngwriter.h"

#include <zlib.h>

namespace {

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(std::uint8_t(v >> shift));
}

// One scanline of the pixels (x0, y), (x0 + dx, y), ... with filter 0.
void AppendScanline(const PngPicture& p, int y, int x0, int dx, std::vector<std::uint8_t>& raw)
{
    raw.push_back(0);
    unsigned bits = 0;
    int held = 0;
    for (int x = x0; x < p.width; x += dx) {
        for (int c = 0; c < p.Channels(); ++c) {
            const std::uint16_t v = p.samples[(std::size_t(y) * std::size_t(p.width) + std::size_t(x)) * std::size_t(p.Channels()) + std::size_t(c)];
            if (p.bitDepth == 16) {
                raw.push_back(std::uint8_t(v >> 8));
                raw.push_back(std::uint8_t(v));
            } else {
                bits = (bits << p.bitDepth) | v;
                held += p.bitDepth;
                if (held == 8) {
                    raw.push_back(std::uint8_t(bits));
                    bits = 0;
                    held = 0;
                }
            }
        }
    }
    if (held > 0) raw.push_back(std::uint8_t(bits << (8 - held)));
}

}  // namespace

int PngPicture::Channels() const
{
    switch (colourType) {
    case 2: return 3;
    case 4: return 2;
    case 6: return 4;
    default: return 1;
    }
}

void AppendPngChunk(std::vector<std::uint8_t>& file, const std::string& type, const std::vector<std::uint8_t>& body)
{
    Put32(file, std::uint32_t(body.size()));
    const std::size_t start = file.size();
    file.insert(file.end(), type.begin(), type.end());
    file.insert(file.end(), body.begin(), body.end());
    Put32(file, std::uint32_t(crc32(0, file.data() + start, uInt(file.size() - start))));
}

std::vector<std::uint8_t> EncodePng(const PngPicture& p)
{
    std::vector<std::uint8_t> raw;
    if (!p.interlaced) {
        for (int y = 0; y < p.height; ++y) AppendScanline(p, y, 0, 1, raw);
    } else {
        // Adam7: start x, start y, step x, step y of each of the seven passes.
        static const int kPasses[7][4] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                          {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
        for (const auto& pass : kPasses)
            if (pass[0] < p.width)
                for (int y = pass[1]; y < p.height; y += pass[3]) AppendScanline(p, y, pass[0], pass[2], raw);
    }
    uLongf packedSize = compressBound(uLong(raw.size()));
    std::vector<std::uint8_t> packed(packedSize);
    compress2(packed.data(), &packedSize, raw.data(), uLong(raw.size()), 9);
    packed.resize(packedSize);

    std::vector<std::uint8_t> file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> header;
    Put32(header, std::uint32_t(p.width));
    Put32(header, std::uint32_t(p.height));
    header.insert(header.end(), {std::uint8_t(p.bitDepth), std::uint8_t(p.colourType), 0, 0, std::uint8_t(p.interlaced)});
    AppendPngChunk(file, "IHDR", header);
    if (!p.palette.empty()) {
        std::vector<std::uint8_t> plte;
        for (const auto& rgb : p.palette) plte.insert(plte.end(), rgb.begin(), rgb.end());
        AppendPngChunk(file, "PLTE", plte);
    }
    if (!p.trns.empty()) AppendPngChunk(file, "tRNS", p.trns);
    AppendPngChunk(file, "IDAT", packed);
    AppendPngChunk(file, "IEND", {});
    return file;
}
