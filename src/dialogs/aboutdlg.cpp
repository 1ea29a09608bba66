#include "aboutdlg.h"
#include "messagetext.h"

using namespace dlgstyle;

namespace {
const DlgTemplate& AboutTemplate()
{
    static const DlgTemplate dlg{CAboutDlg::IDD,
                                 QT_TRANSLATE_NOOP("Pellin", "Zell 정보"),
                                 235,
                                 55,
                                 "굴림",
                                 9,
                                 {
                                     {IDC_STATIC, DlgItemKind::Icon, "128", 11, 17, 20, 20, 0},
                                     {IDC_STATIC, DlgItemKind::Static, QT_TRANSLATE_NOOP("Pellin", "Zell 버전 1.0"), 40,
                                      10, 119, 8, SS_NOPREFIX | WS_GROUP},
                                     {IDC_STATIC, DlgItemKind::Static, "Copyright (C) 2026", 40, 25, 119, 8, 0},
                                     {IDOK, DlgItemKind::DefPushButton, QT_TRANSLATE_NOOP("Pellin", "확인"), 178, 7, 50,
                                      14, WS_TABSTOP | WS_GROUP},
                                 }};
    return dlg;
}
}  // namespace

CAboutDlg::CAboutDlg() : CDialog(AboutTemplate()) {}
