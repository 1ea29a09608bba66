// The application object: start-up, the one document template, the
// command line, the per-user settings with the recent-file list, and the
// message loop.
#pragma once

#include <QSettings>
#include <memory>
#include <string>
#include <vector>

#include "cmdtarget.h"

class CFrameWnd;
class CSingleDocTemplate;

struct CCommandLineInfo {
    enum { FileNew, FileOpen } m_nShellCommand = FileNew;
    std::string m_strFileName;
};

class CWinApp : public CCmdTarget {
public:
    // Without a name the application takes it from string 57344.
    explicit CWinApp(const char* pszAppName = nullptr);
    ~CWinApp() override;

    virtual BOOL InitInstance();
    virtual int ExitInstance();

    void SetRegistryKey(const char* pszCompany);
    void LoadStdProfileSettings(int nMaxMRU);
    void SaveStdProfileSettings();
    void AddToRecentFileList(const std::string& path);
    const std::vector<std::string>& RecentFileList() const { return m_recentFiles; }
    QSettings* Settings() const { return m_pSettings.get(); }

    void AddDocTemplate(CSingleDocTemplate* pTemplate);
    CSingleDocTemplate* DocTemplate() const { return m_pDocTemplate.get(); }
    // Reads the program's arguments (the ones Qt did not take itself).
    void ParseCommandLine(CCommandLineInfo& rCmdInfo) const;
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);

    // The standard handlers the application's command map may name.
    void OnFileNew();
    void OnAppExit();

    std::string AppName() const;
    CFrameWnd* m_pMainWnd = nullptr;

    // Closes and destroys the main window and the document (end of a run,
    // or between tests).
    void DestroyMainWindow();

private:
    std::string m_appName;
    std::string m_company;
    int m_nMaxMRU = 0;
    std::vector<std::string> m_recentFiles;
    std::unique_ptr<QSettings> m_pSettings;
    std::unique_ptr<CSingleDocTemplate> m_pDocTemplate;
};

CWinApp* AfxGetApp();

// The program's entry: makes the Qt application, runs the application
// object's InitInstance, the message loop and ExitInstance.
int AfxWinMain(CWinApp& app, int argc, char** argv);
