#include "outputfile.h"

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

OutputFile::OutputFile(std::string path) : m_path(std::move(path)) {}

OutputFile::~OutputFile()
{
    if (m_file) std::fclose(m_file);
    if (!m_temporary.empty()) ::unlink(m_temporary.c_str());
}

bool OutputFile::Open()
{
    std::string pattern = m_path + ".XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) return false;
    m_temporary = name.data();
    // mkstemp makes the file private; the result should get the usual
    // permissions of a new file.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
    m_file = ::fdopen(fd, "w+b");
    if (!m_file) {
        ::close(fd);
        return false;
    }
    return true;
}

bool OutputFile::Commit()
{
    if (!m_file) return false;
    const bool written = std::fflush(m_file) == 0 && !std::ferror(m_file);
    const bool closed = std::fclose(m_file) == 0;
    m_file = nullptr;
    if (!written || !closed || std::rename(m_temporary.c_str(), m_path.c_str()) != 0) return false;
    m_temporary.clear();
    return true;
}
