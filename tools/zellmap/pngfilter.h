// The PNG row filters, chosen row by row as PNG encoders do: each row is
// filtered all five ways and the one whose bytes, read as signed, have the
// smallest sum of magnitudes is kept. Smooth art then turns into long runs
// of small numbers whichever way it runs: "up" within a tile whose colours
// change across, "sub" or "Paeth" on the first row of a new cell row.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class PngRowFilter {
public:
    // Rows of rowBytes samples, bytesPerPixel apart from their left neighbour.
    PngRowFilter(std::size_t rowBytes, int bytesPerPixel);

    // Writes the filter type and the filtered samples of row (rowBytes + 1
    // bytes) to out; above is the row above, all zero for the first row.
    void Filter(const std::uint8_t* row, const std::uint8_t* above, std::uint8_t* out);
    // The same with the "up" filter, whatever suits the row.
    void FilterUp(const std::uint8_t* row, const std::uint8_t* above, std::uint8_t* out) const;

private:
    std::size_t m_rowBytes;
    std::size_t m_bpp;
    std::vector<std::uint8_t> m_spare;  // where the next filter is tried
};
