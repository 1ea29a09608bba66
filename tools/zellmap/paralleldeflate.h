// A zlib stream made on two cores: the caller cuts its data into pieces of
// about 1 MiB, each piece is made and deflated on its own thread (ending on
// a byte boundary with a sync flush, as a parallel gzip does), and the
// pieces are put one after the other behind one zlib header with the
// Adler-32 of all the data at the end. Any zlib reader takes the result as
// one stream. Pieces do not see each other's bytes, which costs a little
// size and halves the time of large pictures.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

class ParallelDeflater {
public:
    // Compressed bytes are handed to write as they are ready, in order.
    using Writer = std::function<bool(const std::uint8_t* data, std::size_t size)>;
    // Puts the bytes of piece 0 or 1 of a pair into out; called on the
    // piece's own thread, so it may only touch what belongs to that piece.
    using PieceMaker = std::function<void(int piece, std::vector<std::uint8_t>& out)>;

    explicit ParallelDeflater(Writer write);
    // Makes and deflates two pieces at once and writes them in order; the
    // last pair ends the stream and adds the checksum.
    bool AddPair(const PieceMaker& make, bool last);

    static constexpr std::size_t kPieceBytes = std::size_t(1) << 20;

private:
    struct Piece {
        std::vector<std::uint8_t> data;
        std::vector<std::uint8_t> deflated;
        std::size_t deflatedBytes = 0;
        std::uint32_t adler = 0;
        bool ok = false;
    };

    Writer m_write;
    Piece m_pieces[2];  // kept from pair to pair, so their memory is touched once
    std::uint32_t m_adler;
    bool m_headerWritten = false;
};
