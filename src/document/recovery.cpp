#include "recovery.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "mapfile.h"
#include "safesave.h"
#include "zelldoc.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kLockSuffix = ".lock";

// One line a field; a path that would break the line is not kept.
std::string MetaText(const std::string& bitmapPath, const std::string& mapPath)
{
    const auto line = [](const char* key, const std::string& value) {
        return std::string(key) + "=" + (value.find('\n') == std::string::npos ? value : std::string()) + "\n";
    };
    return line("bitmap", bitmapPath) + line("map", mapPath);
}

void ReadMeta(const std::string& path, RecoveredSession& session)
{
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("bitmap=", 0) == 0) session.bitmapPath = line.substr(7);
        if (line.rfind("map=", 0) == 0) session.mapPath = line.substr(4);
    }
}

bool WriteText(const std::string& path, const std::string& text)
{
    SafeSave save(path);
    if (!save.Open()) return false;
    std::fwrite(text.data(), 1, text.size(), save.Stream());
    return save.Commit();
}

// A lock nobody holds: its session ended without closing.
bool Abandoned(const std::string& lockFile)
{
    const int fd = ::open(lockFile.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) return false;
    const bool free = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    ::close(fd);  // lets go of the lock taken to look
    return free;
}

}  // namespace

std::string CRecoveryKeeper::DefaultFolder()
{
    if (const char* state = std::getenv("XDG_STATE_HOME"); state && *state)
        return std::string(state) + "/pellin-map-tool";
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : "/tmp") + "/.local/state/pellin-map-tool";
}

std::vector<RecoveredSession> CRecoveryKeeper::FindLeftBehind(const std::string& folder)
{
    struct Found {
        RecoveredSession session;
        fs::file_time_type time;
    };
    std::vector<Found> found;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        const fs::path lock = entry.path();
        if (lock.extension() != kLockSuffix || !Abandoned(lock.string())) continue;
        fs::path base = lock;
        base.replace_extension();
        RecoveredSession session;
        session.mapFile = base.string() + ".Map";
        const std::string meta = base.string() + ".meta";
        session.files = {session.mapFile, meta, lock.string()};
        const auto time = fs::last_write_time(session.mapFile, error);
        if (error) continue;  // nothing written yet
        ReadMeta(meta, session);
        found.push_back({std::move(session), time});
    }
    std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) { return a.time > b.time; });
    std::vector<RecoveredSession> sessions;
    for (Found& f : found) sessions.push_back(std::move(f.session));
    return sessions;
}

void CRecoveryKeeper::Remove(const RecoveredSession& session)
{
    std::error_code error;
    for (const std::string& file : session.files) fs::remove(file, error);
}

CRecoveryKeeper::CRecoveryKeeper(CZellDoc& doc, std::string folder) : m_doc(doc), m_folder(std::move(folder))
{
    std::error_code error;
    fs::create_directories(m_folder, error);
    // A name no other session had: the process, and the moment it started.
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    const std::string base = m_folder + "/session-" + std::to_string(::getpid()) + "-" +
                             std::to_string(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count());
    m_lockFile = base + kLockSuffix;
    m_lock = ::open(m_lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (m_lock >= 0 && ::flock(m_lock, LOCK_EX | LOCK_NB) != 0) {
        ::close(m_lock);
        m_lock = -1;
    }
    if (m_lock < 0) return;  // no folder to keep copies in
    m_mapFile = base + ".Map";
    m_metaFile = base + ".meta";

    m_timer.setSingleShot(true);
    m_timer.setInterval(kDelayMs);
    connect(&m_timer, &QTimer::timeout, this, [this] { WriteCopy(); });
    connect(&m_doc.UndoStack(), &QUndoStack::indexChanged, this, [this] { OnHistoryChanged(); });
    connect(&m_doc.UndoStack(), &QUndoStack::cleanChanged, this, [this] { OnHistoryChanged(); });
    m_worker = std::thread([this] { Work(); });
    OnHistoryChanged();
}

CRecoveryKeeper::~CRecoveryKeeper()
{
    if (m_lock < 0) return;
    m_timer.stop();
    RemoveCopy();
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    m_worker.join();
    ::unlink(m_lockFile.c_str());
    ::close(m_lock);
}

void CRecoveryKeeper::OnHistoryChanged()
{
    if (!m_doc.IsModified()) {
        m_timer.stop();
        RemoveCopy();
    } else if (!m_timer.isActive()) {
        // Not restarted by later changes, so a copy is never more than
        // the delay behind the work.
        m_timer.start();
    }
}

void CRecoveryKeeper::Adopt(const RecoveredSession& session)
{
    Flush();
    Post([session] { Remove(session); });
}

void CRecoveryKeeper::Flush()
{
    if (m_lock < 0 || !m_doc.IsModified()) return;
    m_timer.stop();
    WriteCopy();
}

void CRecoveryKeeper::WriteCopy()
{
    if (!m_doc.IsModified()) return;
    // Taken on this thread in no time: the map's cells and tiles are shared
    // with the document until it changes them.
    struct Copy {
        MapSnapshot snapshot;
        std::string meta;
    };
    auto copy = std::make_shared<Copy>();
    copy->snapshot = m_doc.Snapshot();
    copy->meta = MetaText(m_doc.BitmapPath(), m_doc.GetPathName());
    Post([this, copy] {
        if (WriteMapFile(m_mapFile, copy->snapshot.Input()) == MapWriteResult::Ok) WriteText(m_metaFile, copy->meta);
    });
}

void CRecoveryKeeper::RemoveCopy()
{
    if (m_lock < 0) return;
    Post([this] {
        std::error_code error;
        fs::remove(m_mapFile, error);
        fs::remove(m_metaFile, error);
    });
}

void CRecoveryKeeper::Post(std::function<void()> job)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_jobs.push_back(std::move(job));
    }
    m_wake.notify_one();
}

void CRecoveryKeeper::WaitForWrites()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_idle.wait(lock, [this] { return m_jobs.empty() && !m_busy; });
}

void CRecoveryKeeper::Work()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stop || !m_jobs.empty(); });
        if (m_jobs.empty()) return;  // stopping, and nothing left to do
        std::function<void()> job = std::move(m_jobs.front());
        m_jobs.pop_front();
        m_busy = true;
        lock.unlock();
        job();
        lock.lock();
        m_busy = false;
        if (m_jobs.empty()) m_idle.notify_all();
    }
}
