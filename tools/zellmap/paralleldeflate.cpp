#include "paralleldeflate.h"

#include <thread>
#include <zlib.h>

namespace {

// Level 3 finds the long matches that repeated tiles make (map pictures
// come out less than half the size of level 1's) and, having fewer
// literals to write, takes no longer on them; see docs/benchmarks.md.
constexpr int kLevel = 3;

// Pieces of noise-like pixels (photographs, random test tiles) gain almost
// nothing from deflate but take most of its time. A trial on four samples
// at the fastest level tells them apart; they are stored instead.
bool WorthDeflating(const std::uint8_t* data, std::size_t size)
{
    constexpr std::size_t kSample = 16384;
    if (size < 4 * kSample) return true;
    std::uint8_t out[kSample + 1024];
    std::size_t packed = 0;
    for (int i = 0; i < 4; ++i) {
        z_stream stream{};
        if (deflateInit2(&stream, Z_BEST_SPEED, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK) return true;
        stream.next_in = const_cast<Bytef*>(data + std::size_t(i) * (size / 4));
        stream.avail_in = uInt(kSample);
        stream.next_out = out;
        stream.avail_out = uInt(sizeof out);
        deflate(&stream, Z_FINISH);
        packed += sizeof out - stream.avail_out;
        deflateEnd(&stream);
    }
    return packed * 100 < 4 * kSample * 97;
}

// Raw deflate of one piece; a sync flush unless it is the stream's last
// piece, which ends with the final block.
bool DeflatePiece(const std::uint8_t* data, std::size_t size, bool last, std::vector<std::uint8_t>& out)
{
    const int level = WorthDeflating(data, size) ? kLevel : Z_NO_COMPRESSION;
    z_stream stream{};
    if (deflateInit2(&stream, level, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK) return false;
    out.resize(deflateBound(&stream, uLong(size)) + 64);
    stream.next_in = const_cast<Bytef*>(data);
    stream.avail_in = uInt(size);
    stream.next_out = out.data();
    stream.avail_out = uInt(out.size());
    const int status = deflate(&stream, last ? Z_FINISH : Z_SYNC_FLUSH);
    const bool ok = last ? status == Z_STREAM_END : (status == Z_OK && stream.avail_in == 0 && stream.avail_out > 0);
    out.resize(out.size() - stream.avail_out);
    deflateEnd(&stream);
    return ok;
}
}  // namespace

ParallelDeflater::ParallelDeflater(Writer write) : m_write(std::move(write)), m_adler(std::uint32_t(adler32(0, nullptr, 0)))
{
    m_pending.reserve(2 * kPieceBytes);
}

bool ParallelDeflater::Add(const std::uint8_t* data, std::size_t size)
{
    while (size > 0) {
        const std::size_t take = std::min(size, 2 * kPieceBytes - m_pending.size());
        m_pending.insert(m_pending.end(), data, data + take);
        data += take;
        size -= take;
        if (m_pending.size() == 2 * kPieceBytes && !DeflatePending(false)) return false;
    }
    return true;
}

bool ParallelDeflater::Finish() { return DeflatePending(true); }

bool ParallelDeflater::DeflatePending(bool last)
{
    if (!m_headerWritten) {
        // CMF: deflate with a 32 KiB window; FLG: a fast level, check bits.
        static const std::uint8_t kHeader[2] = {0x78, 0x5E};
        if (!m_write(kHeader, 2)) return false;
        m_headerWritten = true;
    }
    m_adler = std::uint32_t(adler32(m_adler, m_pending.data(), uInt(m_pending.size())));
    const std::size_t half = m_pending.size() / 2;
    std::vector<std::uint8_t> first;
    std::vector<std::uint8_t> second;
    bool firstOk = false;
    // The first half on a second thread, the second half here.
    std::thread worker([&] { firstOk = DeflatePiece(m_pending.data(), half, false, first); });
    const bool secondOk = DeflatePiece(m_pending.data() + half, m_pending.size() - half, last, second);
    worker.join();
    m_pending.clear();
    if (!firstOk || !secondOk || !m_write(first.data(), first.size()) || !m_write(second.data(), second.size()))
        return false;
    if (!last) return true;
    const std::uint8_t trailer[4] = {std::uint8_t(m_adler >> 24), std::uint8_t(m_adler >> 16),
                                     std::uint8_t(m_adler >> 8), std::uint8_t(m_adler)};
    return m_write(trailer, 4);
}
