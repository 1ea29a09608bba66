#include "scratchdir.h"

#include <cstdlib>
#include <stdexcept>
#include <system_error>

ScratchDir::ScratchDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "pellin-bench-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
    m_path = pattern;
}

ScratchDir::~ScratchDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}
