#include "privatehome.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
// The folder the program's settings live in under each XDG home.
constexpr const char* kOrganisation = "Local AppWizard-Generated Applications";

std::string RealHome()
{
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    const passwd* entry = ::getpwuid(::getuid());
    return entry && entry->pw_dir ? entry->pw_dir : "/";
}

std::string XdgHome(const char* variable, const std::string& fallback)
{
    const char* value = std::getenv(variable);
    return value && *value == '/' ? value : fallback;
}

constexpr const char* kPrefix = "pellin-test-home-";

// The settings of a global application object are written when it is
// destroyed, after main has removed the private folder; such a folder is
// swept away by the next test process once its own process has ended.
void SweepEndedProcessFolders(const fs::path& base)
{
    std::error_code error;
    for (fs::directory_iterator it(base, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.rfind(kPrefix, 0) != 0) continue;
        const long pid = std::strtol(name.c_str() + std::strlen(kPrefix), nullptr, 10);
        if (pid > 0 && ::kill(pid_t(pid), 0) != 0 && errno == ESRCH) fs::remove_all(it->path(), error);
    }
}

std::string MakePrivateFolder()
{
    std::error_code error;
    for (const fs::path& base : {fs::temp_directory_path(error), fs::current_path(error)}) {
        SweepEndedProcessFolders(base);
        std::string pattern = (base / (kPrefix + std::to_string(::getpid()) + "-XXXXXX")).string();
        if (::mkdtemp(pattern.data())) return pattern;
    }
    std::fprintf(stderr, "cannot make a private home folder for the tests\n");
    std::exit(2);
}
}  // namespace

PrivateHome::PrivateHome() : m_path(MakePrivateFolder())
{
    const std::string home = RealHome();
    const char* variables[4] = {"XDG_CONFIG_HOME", "XDG_STATE_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME"};
    const char* defaults[4] = {"/.config", "/.local/state", "/.cache", "/.local/share"};
    for (int i = 0; i < 4; ++i) m_realRoots[i] = XdgHome(variables[i], home + defaults[i]);
    m_before = ListRealSettings();

    ::setenv("HOME", m_path.c_str(), 1);
    for (int i = 0; i < 4; ++i) {
        const std::string folder = m_path + defaults[i];
        fs::create_directories(folder);
        ::setenv(variables[i], folder.c_str(), 1);
    }
    // The tests pin the Korean texts: the programs they start speak Korean
    // whatever the locale of the person running them.
    ::setenv("LANGUAGE", "ko", 1);
}

PrivateHome::~PrivateHome()
{
    std::error_code ignored;
    fs::remove_all(m_path, ignored);
}

PrivateHome::Listing PrivateHome::ListRealSettings() const
{
    Listing listing;
    auto add = [&listing](const fs::path& path) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) == 0)
            listing[path.string()] = {info.st_size, info.st_mtim.tv_sec * 1000000000LL + info.st_mtim.tv_nsec};
    };
    for (const std::string& root : m_realRoots) {
        const fs::path folder = fs::path(root) / kOrganisation;
        add(fs::path(root) / (std::string(kOrganisation) + ".conf"));
        add(folder);
        std::error_code error;
        for (fs::recursive_directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
            add(it->path());
    }
    return listing;
}

std::string PrivateHome::RealSettingsChanges() const
{
    const Listing after = ListRealSettings();
    std::string changes;
    for (const auto& [path, state] : after) {
        const auto was = m_before.find(path);
        if (was == m_before.end())
            changes += "made: " + path + "\n";
        else if (was->second != state)
            changes += "changed: " + path + "\n";
    }
    for (const auto& [path, state] : m_before)
        if (!after.count(path)) changes += "removed: " + path + "\n";
    return changes;
}

int PrivateHome::Verdict(int testStatus) const
{
    const std::string changes = RealSettingsChanges();
    if (changes.empty()) return testStatus;
    std::fprintf(stderr, "A test wrote outside its private home (%s):\n%s", m_path.c_str(), changes.c_str());
    return 1;
}
