// A block of tile numbers picked in the palette: columns x rows entries,
// row-major, -1 where the palette rectangle held no tile (such entries only
// ever end a row). A block with no entries is no block at all.
#pragma once

#include <cstddef>
#include <vector>

struct CTileBlock {
    int m_nCols = 0;
    int m_nRows = 0;
    std::vector<short> m_entries;
    // The palette slot of entry (0, 0): row x tiles per row + column; -1
    // when the block did not come from the palette.
    int m_nFirstSlot = -1;

    bool IsEmpty() const { return m_nCols <= 0 || m_nRows <= 0 || m_entries.size() < Count(); }
    std::size_t Count() const { return IsSized() ? std::size_t(m_nCols) * std::size_t(m_nRows) : 0; }
    // Entry (row, column); both inside the block.
    short At(int row, int col) const { return m_entries[std::size_t(row) * std::size_t(m_nCols) + std::size_t(col)]; }

    bool operator==(const CTileBlock&) const = default;

private:
    bool IsSized() const { return m_nCols > 0 && m_nRows > 0; }
};
