#include "safesave.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {
// A file nobody may write, even the superuser (for whom access() always
// says yes), is one the user meant to keep.
bool MayReplace(const std::string& target, const struct stat& info)
{
    return S_ISREG(info.st_mode) && (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0 &&
           ::access(target.c_str(), W_OK) == 0;
}

std::string FolderOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The rename is on the disk only once the folder is. File systems that
// cannot sync a folder say EINVAL; there the rename is as safe as it gets.
bool SyncFolder(const std::string& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool synced = ::fsync(fd) == 0 || errno == EINVAL;
    ::close(fd);
    return synced;
}
}  // namespace

SafeSave::SafeSave(std::string target) : m_target(std::move(target)) {}

SafeSave::~SafeSave()
{
    if (m_file) std::fclose(m_file);
    if (!m_temporary.empty()) ::unlink(m_temporary.c_str());
}

bool SafeSave::Open()
{
    if (m_file) return true;
    struct stat info {};
    const bool targetExists = ::stat(m_target.c_str(), &info) == 0;
    if (targetExists && !MayReplace(m_target, info)) return false;
    // mkstemp makes a private file; the result gets the old file's
    // permissions, or those of any new file.
    std::string name = m_target + ".saving-XXXXXX";
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) return false;
    m_temporary = name;
    mode_t mode = info.st_mode & 07777;
    if (!targetExists) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::fchmod(fd, mode);
    m_file = ::fdopen(fd, "wb");
    if (!m_file) ::close(fd);
    return m_file != nullptr;
}

bool SafeSave::Commit()
{
    if (!m_file) return false;
    bool written = std::fflush(m_file) == 0 && !std::ferror(m_file);
    written = ::fsync(::fileno(m_file)) == 0 && written;
    written = std::fclose(m_file) == 0 && written;
    m_file = nullptr;
    if (!written || std::rename(m_temporary.c_str(), m_target.c_str()) != 0) return false;
    m_temporary.clear();
    return SyncFolder(FolderOf(m_target));
}
