#include "mapattrdlg.h"
#include "messagetext.h"

using namespace dlgstyle;

namespace {
const DlgTemplate& MapAttrTemplate()
{
    static const DlgTemplate dlg{
        CMapAttrDlg::IDD,
        QT_TRANSLATE_NOOP("Pellin", "맵속성"),
        187,
        44,
        "System",
        10,
        {
            {IDOK, DlgItemKind::DefPushButton, "OK", 130, 7, 50, 14, WS_TABSTOP | WS_GROUP},
            {IDCANCEL, DlgItemKind::PushButton, "Cancel", 130, 23, 50, 14, WS_TABSTOP},
            {IDC_STATIC, DlgItemKind::Static, QT_TRANSLATE_NOOP("Pellin", "맵속성값"), 16, 16, 33, 8, 0},
            {CMapAttrDlg::IDC_VALUE, DlgItemKind::Edit, "", 60, 16, 40, 14, WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP},
            {CMapAttrDlg::IDC_SPIN_VALUE, DlgItemKind::UpDown, "", 104, 16, 8, 14,
             UDS_AUTOBUDDY | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS},
        }};
    return dlg;
}
}  // namespace

CMapAttrDlg::CMapAttrDlg(QWidget* pParent) : CDialog(MapAttrTemplate(), pParent), m_nValue(0) {}

void CMapAttrDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SPIN_VALUE, m_spinValue);
    DDX_Text(pDX, IDC_VALUE, m_nValue);
    DDV_MinMaxInt(pDX, m_nValue, -32768, 32767);
}

BOOL CMapAttrDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    // Lower below upper: the up arrow makes the value larger.
    m_spinValue.SetRange(-32768, 32767);
    return TRUE;
}
