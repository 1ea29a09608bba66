// Keeping unsaved work safe from a crash or a power cut. While the document
// has unsaved changes, a copy of what Save would write (and what it takes to
// pick the session up again: the bitmap's path, the map's file) is kept in
// the per-user state folder, at most two seconds behind the last change.
// The copy is taken on the interface thread in no time (the map and its
// tiles are shared, not copied) and written by a thread of its own, through
// a temporary file renamed into place. Each running editor holds a lock on
// its own copy; a copy whose lock nobody holds was left by a session that
// ended without closing, and the next start offers to restore it.
#pragma once

#include <QObject>
#include <QTimer>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class CZellDoc;

inline constexpr const char* kMsgAskRecover = "이전에 저장하지 않은 작업이 있습니다. 복구하시겠습니까?";

// A copy left by a session that ended without closing.
struct RecoveredSession {
    std::string mapFile;             // the copy itself, a .Map file
    std::string bitmapPath;          // the bitmap the session had loaded, or empty
    std::string mapPath;             // the map file the session's map came from, or empty
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

    // Takes over a restored session: this session's copy is written first,
    // then the old copy goes.
    void Adopt(const RecoveredSession& session);
    // Writes this session's copy now if one is due.
    void Flush();
    // Waits until every copy asked for so far is on disk or removed.
    void WaitForWrites();
    const std::string& MapFile() const { return m_mapFile; }

private:
    void OnHistoryChanged();
    void WriteCopy();
    void RemoveCopy();
    void Post(std::function<void()> job);
    void Work();

    CZellDoc& m_doc;
    std::string m_folder;
    std::string m_mapFile;
    std::string m_metaFile;
    std::string m_lockFile;
    int m_lock = -1;
    QTimer m_timer;

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::deque<std::function<void()>> m_jobs;
    bool m_busy = false;
    bool m_stop = false;
    std::thread m_worker;
};
