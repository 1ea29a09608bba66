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

#include "autorulesfile.h"
#include "celljournal.h"
#include "mapfile.h"
#include "safesave.h"
#include "zelldoc.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kLockSuffix = ".lock";
// A journal grows to a quarter of its base, and to this much on any map,
// before a new base takes its place.
constexpr std::uint64_t kJournalAllowance = 4u << 20;

// One line a field; a path that would break the line is not kept.
std::string MetaLine(const char* key, const std::string& value)
{
    return std::string(key) + "=" + (value.find('\n') == std::string::npos ? value : std::string()) + "\n";
}

std::string MetaText(const std::string& bitmapPath, const std::string& mapPath)
{
    return MetaLine("bitmap", bitmapPath) + MetaLine("map", mapPath);
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

// The same pictures in the same order; their attributes go in the journal.
bool SameTiles(const CTileList& a, const CTileList& b)
{
    if (a.GetCount() != b.GetCount()) return false;
    for (int n = 0; n < a.GetCount(); ++n)
        if (a.GetAt(n) != b.GetAt(n)) return false;
    return true;
}

TileAttributes AttributesOf(const CTileList& tiles)
{
    TileAttributes attributes(std::size_t(tiles.GetCount()));
    for (std::size_t n = 0; n < attributes.size(); ++n) attributes[n] = tiles.AttributeAt(int(n));
    return attributes;
}

// The tiles' attributes when now's differ from then's (same tiles).
std::optional<TileAttributes> ChangedAttributes(const CTileList& then, const CTileList& now)
{
    for (int n = 0; n < now.GetCount(); ++n)
        if (then.AttributeAt(n) != now.AttributeAt(n)) return AttributesOf(now);
    return std::nullopt;
}

// Anything but the cells and the tiles' attributes changed: the journal
// cannot say it.
bool NeedsNewBase(const MapSnapshot& then, const MapSnapshot& now)
{
    return then.map.m_nTileWidth != now.map.m_nTileWidth || then.map.m_nTileHeight != now.map.m_nTileHeight ||
           then.bitmapBitCount != now.bitmapBitCount || then.bitmapColours.size() != now.bitmapColours.size() ||
           !std::equal(then.bitmapColours.begin(), then.bitmapColours.end(), now.bitmapColours.begin(),
                       [](const RGBQUAD& x, const RGBQUAD& y) {
                           return x.rgbRed == y.rgbRed && x.rgbGreen == y.rgbGreen && x.rgbBlue == y.rgbBlue;
                       }) ||
           !SameLayerShape(then.map.m_cells, now.map.m_cells) || !SameTiles(then.map.m_tileList, now.map.m_tileList);
}

std::string FileName(const std::string& path) { return fs::path(path).filename().string(); }

}  // namespace

std::string CRecoveryKeeper::DefaultFolder()
{
    if (const char* state = std::getenv("XDG_STATE_HOME"); state && *state)
        return std::string(state) + "/pellin-map-tool";
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : "/tmp") + "/.local/state/pellin-map-tool";
}

RecoveredSession CRecoveryKeeper::ReadSession(const std::string& metaFile)
{
    RecoveredSession session;
    const std::string folder = fs::path(metaFile).parent_path().string();
    std::ifstream in(metaFile);
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("bitmap=", 0) == 0) session.bitmapPath = line.substr(7);
        if (line.rfind("map=", 0) == 0) session.mapPath = line.substr(4);
        if (line.rfind("base=", 0) == 0 && line.size() > 5) session.mapFile = folder + "/" + line.substr(5);
        if (line.rfind("journal=", 0) == 0 && line.size() > 8) session.journalFile = folder + "/" + line.substr(8);
        if (line.rfind("rules=", 0) == 0 && line.size() > 6) session.rulesFile = folder + "/" + line.substr(6);
    }
    return session;
}

std::vector<RecoveredSession> CRecoveryKeeper::FindLeftBehind(const std::string& folder)
{
    struct Found {
        RecoveredSession session;
        fs::file_time_type time;
    };
    std::vector<Found> found;
    std::error_code error;
    std::vector<fs::path> entries;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) entries.push_back(entry.path());
    for (const fs::path& lock : entries) {
        if (lock.extension() != kLockSuffix || !Abandoned(lock.string())) continue;
        fs::path base = lock;
        base.replace_extension();
        RecoveredSession session = ReadSession(base.string() + ".meta");
        // A copy of an older editor is one .Map file beside its notes.
        if (session.mapFile.empty()) session.mapFile = base.string() + ".Map";
        // Every file of the session: its name starts with the session's.
        const std::string prefix = base.filename().string() + ".";
        for (const fs::path& file : entries)
            if (file.filename().string().rfind(prefix, 0) == 0) session.files.push_back(file.string());
        auto time = fs::last_write_time(session.mapFile, error);
        if (error) continue;  // nothing written yet
        if (!session.journalFile.empty()) time = std::max(time, fs::last_write_time(session.journalFile, error));
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

MapReadResult CRecoveryKeeper::ReadCopy(const RecoveredSession& session, MapFileContent& out)
{
    MapFileContent content;
    const MapReadResult result = ReadMapFile(session.mapFile, content);
    if (result != MapReadResult::Ok) return result;
    // A journal that cannot be read leaves the base as it is: older work
    // is better than none.
    if (!session.journalFile.empty()) {
        CTileList& tiles = content.map.m_tileList;
        TileAttributes attributes = AttributesOf(tiles);
        ApplyJournal(session.journalFile, content.map.m_cells, &attributes);
        for (std::size_t n = 0; n < attributes.size(); ++n) tiles.SetAttributeAt(int(n), attributes[n]);
    }
    out = std::move(content);
    return MapReadResult::Ok;
}

CRecoveryKeeper::CRecoveryKeeper(CZellDoc& doc, std::string folder) : m_doc(doc), m_folder(std::move(folder))
{
    std::error_code error;
    fs::create_directories(m_folder, error);
    // A name no other session had: the process, and the moment it started.
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    m_base = m_folder + "/session-" + std::to_string(::getpid()) + "-" +
             std::to_string(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count());
    m_lockFile = m_base + kLockSuffix;
    m_lock = ::open(m_lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (m_lock >= 0 && ::flock(m_lock, LOCK_EX | LOCK_NB) != 0) {
        ::close(m_lock);
        m_lock = -1;
    }
    if (m_lock < 0) return;  // no folder to keep copies in
    m_metaFile = m_base + ".meta";

    m_timer.setSingleShot(true);
    m_timer.setInterval(kDelayMs);
    connect(&m_timer, &QTimer::timeout, this, [this] { WriteCopy(); });
    connect(&m_doc.UndoStack(), &CEditHistory::indexChanged, this, [this] { OnHistoryChanged(); });
    connect(&m_doc.UndoStack(), &CEditHistory::cleanChanged, this, [this] { OnHistoryChanged(); });
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
    // with the document until it changes them. Kept until the next copy, so
    // that the chunks changed by then are chunks of their own.
    std::shared_ptr<const MapSnapshot> snapshot = std::make_shared<MapSnapshot>(m_doc.Snapshot());
    PostRulesIfChanged();
    std::string meta = MetaText(m_doc.BitmapPath(), m_doc.GetPathName());
    if (m_writtenRules) meta += MetaLine("rules", FileName(RulesFile()));
    if (m_writeFailed.exchange(false) || !m_written || NeedsNewBase(*m_written, *snapshot))
        PostBase(std::move(snapshot), meta);
    else
        PostJournal(snapshot, meta);
}

std::string CRecoveryKeeper::BaseFile(int generation) const
{
    return m_base + "." + std::to_string(generation) + ".Map";
}

std::string CRecoveryKeeper::JournalFile(int generation) const
{
    return m_base + "." + std::to_string(generation) + ".journal";
}

std::string CRecoveryKeeper::MetaOf(const std::string& meta, int generation) const
{
    return meta + MetaLine("base", FileName(BaseFile(generation))) +
           MetaLine("journal", FileName(JournalFile(generation)));
}

void CRecoveryKeeper::PostBase(std::shared_ptr<const MapSnapshot> snapshot, const std::string& meta)
{
    const int generation = ++m_generation;
    m_baseBytes = 4 * std::uint64_t(snapshot->map.m_cells.CellCount());
    m_journalBytes = 0;
    m_written = snapshot;
    m_writtenMeta = meta;
    Post([this, snapshot = std::move(snapshot), text = MetaOf(meta, generation), generation] {
        const std::string base = BaseFile(generation);
        const std::string journal = JournalFile(generation);
        const CCellLayers& cells = snapshot->map.m_cells;
        // The notes name the new pair only once both are whole.
        if (WriteMapFile(base, snapshot->Input()) != MapWriteResult::Ok ||
            !StartJournal(journal, cells.Width(), cells.Height()) || !WriteText(m_metaFile, text)) {
            std::error_code error;
            fs::remove(base, error);
            fs::remove(journal, error);
            m_writeFailed = true;
            return;
        }
        std::error_code error;
        m_bytesWritten += fs::file_size(base, error);
        RemoveGenerations(generation);
        m_committed = generation;
    });
}

void CRecoveryKeeper::PostJournal(const std::shared_ptr<const MapSnapshot>& snapshot, const std::string& meta)
{
    std::vector<JournalChunk> changes = ChangedChunks(m_written->map.m_cells, snapshot->map.m_cells);
    std::optional<TileAttributes> attributes = ChangedAttributes(m_written->map.m_tileList, snapshot->map.m_tileList);
    const bool metaChanged = meta != m_writtenMeta;
    if (changes.empty() && !attributes && !metaChanged) return;
    const std::uint64_t bytes = JournalBatchBytes(changes, attributes);
    if (m_journalBytes + bytes > std::max(m_baseBytes / 4, kJournalAllowance)) {
        PostBase(snapshot, meta);
        return;
    }
    m_journalBytes += bytes;
    m_written = snapshot;
    m_writtenMeta = meta;
    const int generation = m_generation;
    Post([this, changes = std::move(changes), attributes = std::move(attributes),
          text = metaChanged ? MetaOf(meta, generation) : std::string(), generation, bytes] {
        // Its base was never written: the next copy starts a new one.
        if (m_committed != generation) return;
        if (!AppendJournal(JournalFile(generation), changes, attributes) ||
            (!text.empty() && !WriteText(m_metaFile, text))) {
            m_writeFailed = true;
            return;
        }
        m_bytesWritten += bytes;
    });
}

// Worker: the files of the generations before this one go.
void CRecoveryKeeper::RemoveGenerations(int before)
{
    std::error_code error;
    for (int generation = m_committed; generation < before; ++generation) {
        fs::remove(BaseFile(generation), error);
        fs::remove(JournalFile(generation), error);
    }
}

void CRecoveryKeeper::PostRulesIfChanged()
{
    // Rules nobody changed are read from beside the map, as when it opens.
    const RuleSet& rules = m_doc.Rules();
    if (m_writtenRules ? *m_writtenRules == rules : rules == m_doc.RulesAsRead()) return;
    m_writtenRules = rules;
    // Before the notes that name it: a copy's job order is the order posted.
    Post([this, rules] {
        if (!WriteRulesFile(RulesFile(), rules)) m_writeFailed = true;
    });
}

void CRecoveryKeeper::RemoveCopy()
{
    if (m_lock < 0) return;
    m_written.reset();
    m_writtenRules.reset();
    Post([this, generation = m_generation] {
        std::error_code error;
        fs::remove(m_metaFile, error);
        fs::remove(RulesFile(), error);
        RemoveGenerations(generation + 1);
        m_committed = 0;
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
