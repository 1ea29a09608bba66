#include "pngwriter.h"

#include <zlib.h>

void AppendPngChunk(std::vector<std::uint8_t>& file, const std::string& type, const std::vector<std::uint8_t>& body)
{
    const auto put32 = [&](std::uint32_t v) {
        for (int shift = 24; shift >= 0; shift -= 8) file.push_back(std::uint8_t(v >> shift));
    };
    put32(std::uint32_t(body.size()));
    const std::size_t start = file.size();
    file.insert(file.end(), type.begin(), type.end());
    file.insert(file.end(), body.begin(), body.end());
    put32(std::uint32_t(crc32(0, file.data() + start, uInt(file.size() - start))));
}

std::vector<std::uint8_t> EncodePng(const PngPicture& p)
{
    // Adam7's passes (start x, start y, step x, step y), or one pass of every pixel.
    static const int kAdam7[7][4] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                     {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
    static const int kWhole[1][4] = {{0, 0, 1, 1}};
    std::vector<std::uint8_t> raw;
    for (const auto& pass :
         p.interlaced ? std::vector<const int*>(kAdam7, kAdam7 + 7) : std::vector<const int*>{kWhole[0]}) {
        for (int y = pass[1]; y < p.height && pass[0] < p.width; y += pass[3]) {
            raw.push_back(0);  // filter: none
            unsigned bits = 0, held = 0;
            for (int x = pass[0]; x < p.width; x += pass[2])
                for (int c = 0; c < p.Channels(); ++c) {
                    const unsigned v = p.samples[std::size_t((y * p.width + x) * p.Channels() + c)];
                    bits = bits << p.bitDepth | v;
                    for (held += unsigned(p.bitDepth); held >= 8; held -= 8)
                        raw.push_back(std::uint8_t(bits >> (held - 8)));
                }
            if (held > 0) raw.push_back(std::uint8_t(bits << (8 - held)));
        }
    }
    uLongf packedSize = compressBound(uLong(raw.size()));
    std::vector<std::uint8_t> packed(packedSize);
    compress2(packed.data(), &packedSize, raw.data(), uLong(raw.size()), 9);
    packed.resize(packedSize);

    std::vector<std::uint8_t> file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    const auto w = std::uint32_t(p.width), h = std::uint32_t(p.height);
    AppendPngChunk(file, "IHDR",
                   {std::uint8_t(w >> 24), std::uint8_t(w >> 16), std::uint8_t(w >> 8), std::uint8_t(w),
                    std::uint8_t(h >> 24), std::uint8_t(h >> 16), std::uint8_t(h >> 8), std::uint8_t(h),
                    std::uint8_t(p.bitDepth), std::uint8_t(p.colourType), 0, 0, std::uint8_t(p.interlaced)});
    std::vector<std::uint8_t> plte;
    for (const auto& rgb : p.palette) plte.insert(plte.end(), rgb.begin(), rgb.end());
    if (!plte.empty()) AppendPngChunk(file, "PLTE", plte);
    if (!p.trns.empty()) AppendPngChunk(file, "tRNS", p.trns);
    AppendPngChunk(file, "IDAT", packed);
    AppendPngChunk(file, "IEND", {});
    return file;
}
