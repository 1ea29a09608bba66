// Memory that has never been touched, for baselines that must pay for
// first touching their pages as the operation under test does when it
// makes new objects. On a virtual machine a first touch can cost more than
// the copy into the page, so a baseline without it would make the ratio a
// measure of the machine rather than of the code.
#pragma once

#include <cstddef>
#include <cstdint>

class FreshBytes {
public:
    explicit FreshBytes(std::size_t size);  // mapped straight from the system, never from the heap
    ~FreshBytes();
    FreshBytes(const FreshBytes&) = delete;
    FreshBytes& operator=(const FreshBytes&) = delete;

    std::uint8_t* Data() const { return m_data; }
    std::size_t Size() const { return m_size; }

private:
    std::uint8_t* m_data = nullptr;
    std::size_t m_size = 0;
};

// Hands the heap's free memory back to the system, so that the next round
// of an operation that allocates starts from the same state as the first:
// without it, a round could reuse pages the previous round already touched.
void ReturnFreeMemory();
