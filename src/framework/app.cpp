#include "app.h"

#include <QApplication>
#include <QStringList>

#include "cmdids.h"
#include "afxmsg.h"
#include "doctemplate.h"
#include "firstpaint.h"
#include "fonts.h"
#include "frame.h"
#include "messagebox.h"
#include "resources.h"
#include "translation.h"

namespace {
CWinApp*& TheApp()
{
    static CWinApp* app = nullptr;
    return app;
}
}  // namespace

CWinApp* AfxGetApp() { return TheApp(); }

CWinApp::CWinApp(const char* pszAppName)
{
    if (pszAppName) m_appName = pszAppName;
    TheApp() = this;
    OnCommand(ID_APP_EXIT, [this] { OnAppExit(); });
}

CWinApp::~CWinApp()
{
    m_pDocTemplate.reset();
    if (TheApp() == this) TheApp() = nullptr;
}

std::string CWinApp::AppName() const
{
    if (!m_appName.empty()) return m_appName;
    const std::string fromTable = AfxLoadString(AFX_IDS_APP_TITLE);
    return fromTable.empty() ? std::string(kAppName) : fromTable;
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance()
{
    SaveStdProfileSettings();
    return 0;
}

void CWinApp::SetRegistryKey(const char* pszCompany)
{
    m_company = pszCompany ? pszCompany : "";
    m_pSettings = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                              QString::fromUtf8(m_company), QString::fromUtf8(AppName()));
}

void CWinApp::LoadStdProfileSettings(int nMaxMRU)
{
    m_nMaxMRU = nMaxMRU;
    m_recentFiles.clear();
    if (!m_pSettings) return;
    for (int i = 1; i <= nMaxMRU; ++i) {
        const QString value = m_pSettings->value(QStringLiteral("Recent File List/File%1").arg(i)).toString();
        if (!value.isEmpty()) m_recentFiles.push_back(value.toStdString());
    }
}

void CWinApp::SaveStdProfileSettings()
{
    if (!m_pSettings || m_nMaxMRU == 0) return;
    m_pSettings->remove(QStringLiteral("Recent File List"));
    for (int i = 0; i < int(m_recentFiles.size()) && i < m_nMaxMRU; ++i)
        m_pSettings->setValue(QStringLiteral("Recent File List/File%1").arg(i + 1),
                              QString::fromStdString(m_recentFiles[std::size_t(i)]));
    m_pSettings->sync();
}

void CWinApp::AddToRecentFileList(const std::string& path)
{
    if (m_nMaxMRU == 0 || path.empty()) return;
    std::erase(m_recentFiles, path);
    m_recentFiles.insert(m_recentFiles.begin(), path);
    if (int(m_recentFiles.size()) > m_nMaxMRU) m_recentFiles.resize(std::size_t(m_nMaxMRU));
}

void CWinApp::AddDocTemplate(CSingleDocTemplate* pTemplate) { m_pDocTemplate.reset(pTemplate); }

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo) const
{
    const QStringList args = QCoreApplication::arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i].startsWith(QLatin1Char('-'))) continue;
        rCmdInfo.m_nShellCommand = CCommandLineInfo::FileOpen;
        rCmdInfo.m_strFileName = args[i].toStdString();
        break;
    }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo)
{
    if (!m_pDocTemplate) return FALSE;
    if (rCmdInfo.m_nShellCommand == CCommandLineInfo::FileNew) {
        // File New goes straight to the application's command map.
        if (!OnCmdMsg(ID_FILE_NEW, nullptr)) OnFileNew();
    } else {
        m_pDocTemplate->OpenDocumentFile(rCmdInfo.m_strFileName.c_str());
    }
    return m_pDocTemplate->Document() != nullptr;
}

void CWinApp::OnFileNew()
{
    if (m_pDocTemplate) m_pDocTemplate->OpenDocumentFile(nullptr);
}

void CWinApp::OnAppExit()
{
    if (m_pMainWnd) m_pMainWnd->close();
}

void CWinApp::DestroyMainWindow()
{
    if (m_pDocTemplate) m_pDocTemplate->CloseAll();
    m_pMainWnd = nullptr;
}

int AfxWinMain(CWinApp& theApp, int argc, char** argv)
{
    // Chosen before anything shows a text; --lang is taken out of the
    // command line so that it is never read as a map to open.
    const InterfaceLanguage language = InterfaceLanguageFor(argc, argv);
    QApplication application(argc, argv);
    if (!UseInterfaceLanguage(language)) qWarning("The English translation could not be loaded; using Korean.");
    if (qEnvironmentVariable("PELLIN_EXIT_AFTER_FIRST_PAINT") == QLatin1String("1")) ExitAfterFirstPaint();
    CWinApp* app = &theApp;
    QApplication::setApplicationName(QString::fromUtf8(app->AppName()));
    AfxInstallQtTranslations(application);
    AfxInstallKoreanFonts();
    AfxInstallQtMessageSink();
    QApplication::setWindowIcon(AfxGetAppIcon());
    if (!app->InitInstance()) {
        app->DestroyMainWindow();
        return 1;
    }
    const int result = QApplication::exec();
    const int exitCode = app->ExitInstance();
    app->DestroyMainWindow();
    AfxSetMessageSink(nullptr);
    return result != 0 ? result : exitCode;
}
