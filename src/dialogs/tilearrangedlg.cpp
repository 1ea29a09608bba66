#include "tilearrangedlg.h"
#include "messagetext.h"

using namespace dlgstyle;

namespace {
const DlgTemplate& TileArrangeTemplate()
{
    static const DlgTemplate dlg{
        CTileArrangeDlg::IDD,
        QT_TRANSLATE_NOOP("Pellin", "타일 정렬 갯수"),
        198,
        40,
        "System",
        10,
        {
            {IDOK, DlgItemKind::DefPushButton, "OK", 99, 13, 40, 14, WS_TABSTOP | WS_GROUP},
            {IDCANCEL, DlgItemKind::PushButton, "Cancel", 144, 13, 40, 14, WS_TABSTOP},
            {CTileArrangeDlg::IDC_COUNT, DlgItemKind::Edit, "", 15, 13, 41, 14,
             WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP},
            {CTileArrangeDlg::IDC_SPIN_COUNT, DlgItemKind::UpDown, "", 62, 13, 10, 14,
             UDS_WRAP | UDS_AUTOBUDDY | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | WS_TABSTOP},
        }};
    return dlg;
}
}  // namespace

// The constructor's 0 is outside the valid range: the caller always presets.
CTileArrangeDlg::CTileArrangeDlg(QWidget* pParent) : CDialog(TileArrangeTemplate(), pParent), m_nCount(0) {}

void CTileArrangeDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SPIN_COUNT, m_spinCount);
    DDX_Text(pDX, IDC_COUNT, m_nCount);
    DDV_MinMaxInt(pDX, m_nCount, 2, 100);
}

BOOL CTileArrangeDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_spinCount.SetRange(2, 100);
    return TRUE;
}
