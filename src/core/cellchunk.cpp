#include "cellchunk.h"

#include <atomic>
#include <new>
#include <utility>

namespace {
// The cells follow the count in one allocation, aligned for a short.
constexpr std::size_t kHeaderBytes = 16;
// Chunks still to be made before one fails (tests only); negative: none fails.
std::atomic<long> g_allocationsLeft{-1};
}  // namespace

void CellChunk::FailAfter(long count) { g_allocationsLeft.store(count, std::memory_order_relaxed); }

CellChunk CellChunk::Make(std::size_t cells)
{
    static_assert(sizeof(Block) <= kHeaderBytes);
    CellChunk chunk;
    if (cells > (std::size_t(-1) - kHeaderBytes) / sizeof(short)) return chunk;
    // Counted down to 0, which fails this one and leaves -1: no more failures.
    for (long left = g_allocationsLeft.load(std::memory_order_relaxed); left >= 0;)
        if (g_allocationsLeft.compare_exchange_weak(left, left - 1, std::memory_order_relaxed)) {
            if (left == 0) return chunk;
            break;
        }
    void* memory = ::operator new(kHeaderBytes + cells * sizeof(short), std::nothrow);
    if (memory) chunk.m_block = new (memory) Block;
    return chunk;
}

CellChunk::CellChunk(const CellChunk& other) noexcept : m_block(other.m_block)
{
    // A new holder is made only from an existing one, so no order is needed.
    if (m_block) m_block->holders.fetch_add(1, std::memory_order_relaxed);
}

CellChunk& CellChunk::operator=(CellChunk other) noexcept
{
    std::swap(m_block, other.m_block);
    return *this;
}

CellChunk::~CellChunk()
{
    // Release: this holder's reads come before a later writer's acquire.
    if (m_block && m_block->holders.fetch_sub(1, std::memory_order_acq_rel) == 1) {
        m_block->~Block();
        ::operator delete(m_block);
    }
}

short* CellChunk::get() const
{
    return m_block ? reinterpret_cast<short*>(reinterpret_cast<unsigned char*>(m_block) + kHeaderBytes) : nullptr;
}

bool CellChunk::Sole() const { return m_block && m_block->holders.load(std::memory_order_acquire) == 1; }

long CellChunk::Holders() const { return m_block ? m_block->holders.load(std::memory_order_acquire) : 0; }
