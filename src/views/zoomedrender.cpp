#include "zoomedrender.h"

#include <algorithm>
#include <vector>

#include "mapmodel.h"

namespace {
void Magnified(const MapPixels& target, const CMapModel& map, int n)
{
    const std::int64_t left = target.originX / n;
    const std::int64_t top = target.originY / n;
    const int w = int((target.originX + target.width - 1) / n - left + 1);
    const int h = int((target.originY + target.height - 1) / n - top + 1);
    std::vector<std::uint32_t> source(std::size_t(w) * std::size_t(h), kCellBackground);
    RenderMapRegion({source.data(), w, h, w, left, top}, map);
    for (int y = 0; y < target.height; ++y) {
        const std::uint32_t* from = source.data() + std::size_t((target.originY + y) / n - top) * std::size_t(w);
        std::uint32_t* to = target.bits + y * target.stride;
        for (int x = 0; x < target.width; ++x) to[x] = from[(target.originX + x) / n - left];
    }
}

void Reduced(const MapPixels& target, const CMapModel& map, int n)
{
    // One row of screen pixels at a time: n rows of map pixels.
    const int w = target.width * n;
    std::vector<std::uint32_t> band(std::size_t(w) * std::size_t(n));
    std::vector<std::uint32_t> sums(std::size_t(target.width) * 3);
    const std::uint32_t count = std::uint32_t(n) * std::uint32_t(n);
    for (int y = 0; y < target.height; ++y) {
        std::fill(band.begin(), band.end(), kCellBackground);
        RenderMapRegion({band.data(), w, n, w, target.originX * n, (target.originY + y) * n}, map);
        std::fill(sums.begin(), sums.end(), 0u);
        for (int r = 0; r < n; ++r) {
            const std::uint32_t* row = band.data() + std::size_t(r) * std::size_t(w);
            for (int x = 0; x < w; ++x) {
                std::uint32_t* sum = sums.data() + std::size_t(x / n) * 3;
                sum[0] += (row[x] >> 16) & 0xFF;
                sum[1] += (row[x] >> 8) & 0xFF;
                sum[2] += row[x] & 0xFF;
            }
        }
        std::uint32_t* to = target.bits + y * target.stride;
        for (int x = 0; x < target.width; ++x) {
            const std::uint32_t* sum = sums.data() + std::size_t(x) * 3;
            to[x] = 0xFF000000u | ((sum[0] + count / 2) / count) << 16 | ((sum[1] + count / 2) / count) << 8 |
                    ((sum[2] + count / 2) / count);
        }
    }
}
}  // namespace

void RenderZoomedMapRegion(const MapPixels& target, const CMapModel& map, int num, int den)
{
    if (target.width <= 0 || target.height <= 0) return;
    if (den == 1)
        Magnified(target, map, num);
    else
        Reduced(target, map, den);
}
