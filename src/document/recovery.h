// Keeping unsaved work safe from a crash or a power cut. While the document
// has unsaved changes, a copy of what Save would write (and what it takes to
// pick the session up again: the bitmap's path, the map's file) is kept in
// the per-user state folder, at most two seconds behind the last change.
// The copy is taken on the interface thread in no time (the map and its
// tiles are shared, not copied) and written by a thread of its own.
//
// What is written follows what changed, not the map: the first copy is the
// whole map (the base, a .Map file); after that each copy appends the cell
// chunks that changed since the last one to a journal beside it
// (core/celljournal.h), and the tiles' attributes when they changed. A new
// base replaces both when the tiles' pictures, the map's size or its format
// change, or when the journal has grown past a quarter of
// the base. The notes file (.meta) names the base and journal in force and
// is replaced last, so a crash at any moment leaves a pair that belongs
// together. The rule set is kept beside them (a .rules.json the notes name)
// whenever it differs from the one last written, so that rules changed and
// not saved come back with the cells. Each running editor holds a lock on its own copy; a copy whose
// lock nobody holds was left by a session that ended without closing, and
// the next start offers to restore it.
#pragma once

#include <QObject>
#include <QTimer>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "autorules.h"

class CZellDoc;
struct MapFileContent;
struct MapSnapshot;
enum class MapReadResult;

inline constexpr const char* kMsgAskRecover =
    QT_TRANSLATE_NOOP("Pellin", "이전에 저장하지 않은 작업이 있습니다. 복구하시겠습니까?");

// A copy left by a session that ended without closing.
struct RecoveredSession {
    std::string mapFile;             // the copy's base, a .Map file
    std::string journalFile;         // the changes since the base, or empty
    std::string bitmapPath;          // the bitmap the session had loaded, or empty
    std::string mapPath;             // the map file the session's map came from, or empty
    std::string rulesFile;           // the session's rule set, or empty: the rules beside mapPath
    std::vector<std::string> files;  // everything of the copy, to remove it
};

class CRecoveryKeeper : public QObject {
public:
    // How long after a change its copy is written, at most.
    static constexpr int kDelayMs = 2000;

    // Starts keeping copies of doc's unsaved changes in folder (made if
    // missing). Without a usable folder it keeps none.
    CRecoveryKeeper(CZellDoc& doc, std::string folder);
    // A clean exit: this session's copy goes.
    ~CRecoveryKeeper() override;
    CRecoveryKeeper(const CRecoveryKeeper&) = delete;
    CRecoveryKeeper& operator=(const CRecoveryKeeper&) = delete;

    // $XDG_STATE_HOME/pellin-map-tool, or ~/.local/state/pellin-map-tool.
    static std::string DefaultFolder();
    // Copies in folder whose session has ended, the newest first.
    static std::vector<RecoveredSession> FindLeftBehind(const std::string& folder);
    static void Remove(const RecoveredSession& session);
    // The map a copy holds: its base with its journal applied.
    static MapReadResult ReadCopy(const RecoveredSession& session, MapFileContent& out);
    // This session's copy as its notes file names it now (empty when none).
    static RecoveredSession ReadSession(const std::string& metaFile);

    // Takes over a restored session: this session's copy is written first,
    // then the old copy goes.
    void Adopt(const RecoveredSession& session);
    // Writes this session's copy now if one is due.
    void Flush();
    // Waits until every copy asked for so far is on disk or removed.
    void WaitForWrites();
    // The notes file naming this session's copy.
    const std::string& MetaFile() const { return m_metaFile; }
    // Bytes of cells and tiles written by this session so far, for measuring.
    std::uint64_t BytesWritten() const { return m_bytesWritten.load(); }

private:
    void OnHistoryChanged();
    void WriteCopy();
    void PostBase(std::shared_ptr<const MapSnapshot> snapshot, const std::string& meta);
    void PostJournal(const std::shared_ptr<const MapSnapshot>& snapshot, const std::string& meta);
    void RemoveCopy();
    void RemoveGenerations(int before);
    std::string BaseFile(int generation) const;
    std::string JournalFile(int generation) const;
    std::string MetaOf(const std::string& meta, int generation) const;
    std::string RulesFile() const { return m_base + ".rules.json"; }
    // Posts the rule set's file when the rules differ from those written.
    void PostRulesIfChanged();
    void Post(std::function<void()> job);
    void Work();

    CZellDoc& m_doc;
    std::string m_folder;
    std::string m_base;  // every file of this session's copy starts with this
    std::string m_metaFile;
    std::string m_lockFile;
    int m_lock = -1;
    QTimer m_timer;

    // Interface thread: what the copy holds once the posted writes are done.
    std::shared_ptr<const MapSnapshot> m_written;
    std::string m_writtenMeta;
    std::optional<RuleSet> m_writtenRules;
    int m_generation = 0;  // of the base and journal in force
    std::uint64_t m_baseBytes = 0;
    std::uint64_t m_journalBytes = 0;
    // Worker: a write failed, so the next copy starts from a new base.
    std::atomic<bool> m_writeFailed{false};
    std::atomic<std::uint64_t> m_bytesWritten{0};
    int m_committed = 0;  // worker: the generation the notes name, 0 for none

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::deque<std::function<void()>> m_jobs;
    bool m_busy = false;
    bool m_stop = false;
    std::thread m_worker;
};
