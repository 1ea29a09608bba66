// A block of cells shared between copies of the map's layers, counted so
// that a writer can tell race-free that nobody else sees it. Another holder
// may let go on another thread (the recovery writer drops its copy when it
// is done); the count is read with acquire order, so the writes that follow
// come after that holder's last reads. A std::shared_ptr's use_count() is a
// relaxed load and gives no such order.
#pragma once

#include <atomic>
#include <cstddef>

class CellChunk {
public:
    CellChunk() = default;
    // A chunk of cells entries, not set; empty when memory runs out.
    static CellChunk Make(std::size_t cells);

    CellChunk(const CellChunk& other) noexcept;
    CellChunk(CellChunk&& other) noexcept : m_block(other.m_block) { other.m_block = nullptr; }
    CellChunk& operator=(CellChunk other) noexcept;
    ~CellChunk();

    short* get() const;
    explicit operator bool() const { return m_block != nullptr; }
    bool operator==(const CellChunk& other) const { return m_block == other.m_block; }
    // This is the chunk's only holder: writing to it reaches no other copy.
    bool Sole() const;
    // How many copies hold the chunk (0 for an empty one): the undo history
    // weighs what it alone keeps by it.
    long Holders() const;

    // For tests: once `count` more chunks are made, making the next one
    // fails, as when memory runs out; then chunks are made again.
    static void FailAfter(long count);

private:
    struct Block {
        std::atomic<long> holders{1};
    };
    Block* m_block = nullptr;
};
