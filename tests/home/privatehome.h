// Every test process runs with a home folder of its own, so that no test
// can read or change the settings of the person running the tests (the
// editor keeps its recent-file list there, and tests clear it).
//
// Made first thing in main: HOME and the XDG folders then point into a
// fresh folder under the temporary folder, removed at the end. The real
// home's settings of this program (its folders under the real XDG config,
// state, cache and data homes) are listed at the start and again at the
// end; a run that changed them fails, so a test that writes outside its
// private home is caught even where that write went through. LANGUAGE is
// set to Korean, the interface language the tests pin.
#pragma once

#include <map>
#include <string>
#include <utility>

class PrivateHome {
public:
    PrivateHome();   // ends the process when no private folder can be made
    ~PrivateHome();  // removes the private folder
    PrivateHome(const PrivateHome&) = delete;
    PrivateHome& operator=(const PrivateHome&) = delete;

    const std::string& Path() const { return m_path; }
    // What changed under the real home's settings since the start; empty
    // when nothing did.
    std::string RealSettingsChanges() const;
    // The exit status of the run: 1 with a report when the real settings
    // changed, else the tests' own status.
    int Verdict(int testStatus) const;

private:
    using Listing = std::map<std::string, std::pair<long long, long long>>;  // size, modification time
    Listing ListRealSettings() const;

    std::string m_path;
    std::string m_realRoots[4];
    Listing m_before;
};
