#include "freshmemory.h"

#include <malloc.h>
#include <new>
#include <sys/mman.h>

FreshBytes::FreshBytes(std::size_t size) : m_size(size)
{
    void* data = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (data == MAP_FAILED) throw std::bad_alloc();
    m_data = static_cast<std::uint8_t*>(data);
}

FreshBytes::~FreshBytes() { ::munmap(m_data, m_size); }

void ReturnFreeMemory() { ::malloc_trim(0); }
