// A zlib stream made on two cores: the data is cut into pieces of 1 MiB,
// each deflated on its own (ending on a byte boundary with a sync flush, as
// a parallel gzip does), and the pieces are put one after the other behind
// one zlib header with the Adler-32 of all the data at the end. Any zlib
// reader takes the result as one stream. Pieces do not see each other's
// bytes, which costs a little size and halves the time of large pictures.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

class ParallelDeflater {
public:
    // Compressed bytes are handed to write as they are ready, in order.
    using Writer = std::function<bool(const std::uint8_t* data, std::size_t size)>;

    explicit ParallelDeflater(Writer write);
    bool Add(const std::uint8_t* data, std::size_t size);
    // Deflates what is left, ends the stream and adds the checksum.
    bool Finish();

    static constexpr std::size_t kPieceBytes = std::size_t(1) << 20;

private:
    bool DeflatePending(bool last);

    Writer m_write;
    std::vector<std::uint8_t> m_pending;
    std::uint32_t m_adler;
    bool m_headerWritten = false;
};
