#include "zellapp.h"

#include "aboutdlg.h"
#include "doctemplate.h"
#include "frame.h"
#include "afxmsg.h"
#include "mainfrm.h"
#include "recovery.h"
#include "resource.h"
#include "zelldoc.h"

#include <QGuiApplication>

CZellApp theApp;

CZellApp::CZellApp()
{
    OnCommand(ID_APP_ABOUT, [this] { OnAppAbout(); });
    OnCommand(ID_FILE_NEW, [this] { CWinApp::OnFileNew(); });
}

BOOL CZellApp::InitInstance()
{
    // Docks and task switchers find the menu entry's icon and name by this.
    QGuiApplication::setDesktopFileName(QStringLiteral("pellin-map-tool"));
    RegisterProgramResources();
    SetRegistryKey("Local AppWizard-Generated Applications");
    LoadStdProfileSettings(4);
    AddDocTemplate(new CSingleDocTemplate(
        IDR_MAINFRAME, [] { return new CZellDoc; }, [] { return new CMainFrame; }));

    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    // A map named on the command line is read with the map reader into the
    // new empty document; a bad file leaves the empty document.
    const std::string mapPath = cmdInfo.m_nShellCommand == CCommandLineInfo::FileOpen ? cmdInfo.m_strFileName : "";
    cmdInfo.m_nShellCommand = CCommandLineInfo::FileNew;
    if (!ProcessShellCommand(cmdInfo)) return FALSE;

    m_pMainWnd->show();
    auto* doc = static_cast<CZellDoc*>(DocTemplate()->Document());
    if (!mapPath.empty() && doc && doc->LoadMapFileFrom(mapPath)) AddToRecentFileList(mapPath);
    if (doc) OfferRecovery(*doc);
    return TRUE;
}

void CZellApp::OfferRecovery(CZellDoc& doc)
{
    // Copies of sessions that ended without closing are looked for before
    // this session starts keeping its own.
    const std::string folder = CRecoveryKeeper::DefaultFolder();
    const std::vector<RecoveredSession> leftBehind = CRecoveryKeeper::FindLeftBehind(folder);
    doc.KeepRecoveryCopies(folder);
    if (leftBehind.empty()) return;
    const RecoveredSession& newest = leftBehind.front();
    if (AfxMessageBox(kMsgAskRecover, MB_YESNO) == IDYES && doc.RestoreSession(newest))
        doc.Recovery()->Adopt(newest);
    else
        CRecoveryKeeper::Remove(newest);
}

void CZellApp::OnAppAbout()
{
    CAboutDlg aboutDlg;
    aboutDlg.DoModal();
}
