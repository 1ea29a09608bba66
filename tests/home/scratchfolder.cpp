#include "scratchfolder.h"

#include <fstream>
#include <iterator>
#include <unistd.h>

ScratchFolder::ScratchFolder()
{
    const auto base = std::filesystem::temp_directory_path();
    for (int i = 0;; ++i) {
        m_path = base / ("pellin-map-test-" + std::to_string(::getpid()) + "-" + std::to_string(i));
        if (std::filesystem::create_directory(m_path)) break;
    }
}

ScratchFolder::~ScratchFolder()
{
    // A test may have taken away its own rights to the folder.
    std::error_code ignored;
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(m_path, ignored);
}

std::vector<std::uint8_t> ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}
