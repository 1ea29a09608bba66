#include "paralleldeflate.h"

#include <algorithm>
#include <new>
#include <thread>
#include <zlib.h>

namespace {

// zlib's level 5 (lazy matching, 32 candidates a match) with one change:
// a match is taken as it is found only once it reaches 258 bytes, the
// longest there is, instead of 32. Rows of repeated tiles then become few
// long matches, and filtered rows of smooth art keep the lazy search that
// levels 1-3 lack (a quarter smaller than level 3 on such maps); see
// docs/benchmarks.md for the measured choice.
constexpr int kLevel = 5;
constexpr int kMemLevel = 8;
constexpr int kStrategy = Z_DEFAULT_STRATEGY;
constexpr int kGoodLength = 8;
constexpr int kMaxLazy = 16;
constexpr int kNiceLength = 258;
constexpr int kMaxChain = 32;

// Pieces of noise-like pixels (photographs, random test tiles) gain little
// from deflate but take most of its time, and lazy matching costs most on
// them. A trial on four samples at the fastest level tells them apart: a
// piece whose samples shrink by less than an eighth is stored (Huffman
// codes alone win a few per cent on filtered noise, at most of the time
// of the whole render), one whose samples
// keep more than half their size is deflated at the fastest level, and
// only the rest (art, filtered gradients) gets the lazy search.
int LevelFor(const std::uint8_t* data, std::size_t size)
{
    constexpr std::size_t kSample = 16384;
    if (size < 4 * kSample) return kLevel;
    std::uint8_t out[kSample + 1024];
    std::size_t packed = 0;
    for (int i = 0; i < 4; ++i) {
        z_stream stream{};
        if (deflateInit2(&stream, Z_BEST_SPEED, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK) return kLevel;
        stream.next_in = const_cast<Bytef*>(data + std::size_t(i) * (size / 4));
        stream.avail_in = uInt(kSample);
        stream.next_out = out;
        stream.avail_out = uInt(sizeof out);
        deflate(&stream, Z_FINISH);
        packed += sizeof out - stream.avail_out;
        deflateEnd(&stream);
    }
    if (packed * 8 >= 4 * kSample * 7) return Z_NO_COMPRESSION;
    return packed * 2 > 4 * kSample ? Z_BEST_SPEED : kLevel;
}

// Raw deflate of one piece into out, whose first `bytes` bytes are then
// the result: out keeps its size from piece to piece, so it is not filled
// again each time. A sync flush ends the piece unless it is the stream's
// last, which ends with the final block.
bool DeflatePiece(const std::vector<std::uint8_t>& data, bool last, std::vector<std::uint8_t>& out, std::size_t& bytes)
{
    const int level = LevelFor(data.data(), data.size());
    z_stream stream{};
    if (deflateInit2(&stream, level, Z_DEFLATED, -15, kMemLevel, kStrategy) != Z_OK) return false;
    if (level == kLevel) deflateTune(&stream, kGoodLength, kMaxLazy, kNiceLength, kMaxChain);
    out.resize(std::max<std::size_t>(out.size(), deflateBound(&stream, uLong(data.size())) + 64));
    stream.next_in = const_cast<Bytef*>(data.data());
    stream.avail_in = uInt(data.size());
    stream.next_out = out.data();
    stream.avail_out = uInt(out.size());
    const int status = deflate(&stream, last ? Z_FINISH : Z_SYNC_FLUSH);
    const bool ok = last ? status == Z_STREAM_END : (status == Z_OK && stream.avail_in == 0 && stream.avail_out > 0);
    bytes = out.size() - stream.avail_out;
    deflateEnd(&stream);
    return ok;
}
}  // namespace

ParallelDeflater::ParallelDeflater(Writer write)
    : m_write(std::move(write)), m_adler(std::uint32_t(adler32(0, nullptr, 0)))
{
}

bool ParallelDeflater::AddPair(const PieceMaker& make, bool last)
{
    if (!m_headerWritten) {
        // CMF: deflate with a 32 KiB window; FLG: the default level, check bits.
        static const std::uint8_t kHeader[2] = {0x78, 0x9C};
        if (!m_write(kHeader, 2)) return false;
        m_headerWritten = true;
    }
    const auto run = [&](int index) {
        Piece& piece = m_pieces[index];
        try {
            make(index, piece.data);
            piece.adler = std::uint32_t(adler32(adler32(0, nullptr, 0), piece.data.data(), uInt(piece.data.size())));
            piece.ok = DeflatePiece(piece.data, last && index == 1, piece.deflated, piece.deflatedBytes);
        } catch (const std::bad_alloc&) {
            piece.ok = false;  // the file is reported as not written
        }
    };
    // The first piece on a second thread, the second one here.
    std::thread worker(run, 0);
    run(1);
    worker.join();
    for (const Piece& piece : m_pieces) {
        if (!piece.ok || !m_write(piece.deflated.data(), piece.deflatedBytes)) return false;
        m_adler = std::uint32_t(adler32_combine(m_adler, piece.adler, z_off_t(piece.data.size())));
    }
    if (!last) return true;
    const std::uint8_t trailer[4] = {std::uint8_t(m_adler >> 24), std::uint8_t(m_adler >> 16),
                                     std::uint8_t(m_adler >> 8), std::uint8_t(m_adler)};
    return m_write(trailer, 4);
}
