// Saving a file without risking the one that is there. The bytes go to a
// temporary file beside the target; Commit flushes them, syncs them to the
// disk, renames the temporary file over the target and syncs the folder, so
// that after a crash either the old file or the whole new one is there.
// Whatever fails on the way removes the temporary file and leaves the
// target as it was. Used for every file the editor and zellmap write.
#pragma once

#include <cstdio>
#include <string>

class SafeSave {
public:
    explicit SafeSave(std::string target);
    ~SafeSave();  // an uncommitted save is abandoned: its temporary file goes
    SafeSave(const SafeSave&) = delete;
    SafeSave& operator=(const SafeSave&) = delete;

    // Makes the temporary file. False when the folder is missing or not
    // writable, or the target is a folder or a read-only file.
    bool Open();
    std::FILE* Stream() const { return m_file; }
    // False when any write failed or the file could not be put in place,
    // and the target is then untouched; also false when the folder could
    // not be synced after the rename, as the new file may not last.
    bool Commit();

private:
    std::string m_target;
    std::string m_temporary;
    std::FILE* m_file = nullptr;
};
