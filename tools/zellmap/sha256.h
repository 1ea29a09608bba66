// SHA-256, so that `info` can fingerprint each tile's stored pixel rows and
// pipelines can tell which tiles changed between two versions of a map.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

class Sha256 {
public:
    Sha256();
    void Update(const void* data, std::size_t size);
    std::array<std::uint8_t, 32> Finish();

    // The digest of one buffer as 64 lowercase hexadecimal digits.
    static std::string HexOf(const void* data, std::size_t size);

private:
    void Block(const std::uint8_t* block);

    std::array<std::uint32_t, 8> m_state;
    std::array<std::uint8_t, 64> m_buffer{};
    std::size_t m_buffered = 0;
    std::uint64_t m_length = 0;  // bytes hashed so far
};
