#include "tileattrdlg.h"
#include "messagetext.h"

using namespace dlgstyle;

BYTE CTileAttrDlg::s_byBits = 0;

namespace {
constexpr DWORD kCheck = WS_TABSTOP;

const DlgTemplate& TileAttrTemplate()
{
    static const DlgTemplate dlg{
        CTileAttrDlg::IDD,
        QT_TRANSLATE_NOOP("Pellin", "타일속성"),
        299,
        80,
        "System",
        10,
        {
            {IDC_STATIC, DlgItemKind::Static, QT_TRANSLATE_NOOP("Pellin", "속성값"), 16, 16, 25, 8, 0},
            {CTileAttrDlg::IDC_VALUE, DlgItemKind::Edit, "", 53, 15, 40, 12, WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP},
            {CTileAttrDlg::IDC_SPIN_VALUE, DlgItemKind::UpDown, "", 95, 15, 8, 14,
             UDS_AUTOBUDDY | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS},
            {IDOK, DlgItemKind::DefPushButton, "OK", 174, 13, 50, 14, WS_TABSTOP | WS_GROUP},
            {IDCANCEL, DlgItemKind::PushButton, "Cancel", 236, 13, 50, 14, WS_TABSTOP},
            {IDC_STATIC, DlgItemKind::GroupBox, QT_TRANSLATE_NOOP("Pellin", "Bit 값"), 15, 31, 271, 36, 0},
            {CTileAttrDlg::IDC_BIT1, DlgItemKind::AutoCheckBox, "1Bit", 26, 45, 29, 10, kCheck},
            {CTileAttrDlg::IDC_BIT2, DlgItemKind::AutoCheckBox, "2Bit", 57, 45, 29, 10, kCheck},
            {CTileAttrDlg::IDC_BIT3, DlgItemKind::AutoCheckBox, "3Bit", 88, 45, 29, 10, kCheck},
            {CTileAttrDlg::IDC_BIT4, DlgItemKind::AutoCheckBox, "4Bit", 119, 45, 29, 10, kCheck},
            {CTileAttrDlg::IDC_BIT5, DlgItemKind::AutoCheckBox, "5Bit", 150, 45, 29, 10, kCheck},
            {CTileAttrDlg::IDC_BIT6, DlgItemKind::AutoCheckBox, "6Bit", 181, 45, 29, 10, kCheck},
            {CTileAttrDlg::IDC_BIT7, DlgItemKind::AutoCheckBox, "7Bit", 212, 45, 29, 10, kCheck},
            {CTileAttrDlg::IDC_BIT8, DlgItemKind::AutoCheckBox, "8Bit", 243, 45, 29, 10, kCheck},
        }};
    return dlg;
}
}  // namespace

CTileAttrDlg::CTileAttrDlg(QWidget* pParent) : CDialog(TileAttrTemplate(), pParent), m_bReady(FALSE), m_byValue(0)
{
    MapBnClicked(IDC_BIT1, [this] { OnBit1(); });
    MapBnClicked(IDC_BIT2, [this] { OnBit2(); });
    MapBnClicked(IDC_BIT3, [this] { OnBit3(); });
    MapBnClicked(IDC_BIT4, [this] { OnBit4(); });
    MapBnClicked(IDC_BIT5, [this] { OnBit5(); });
    MapBnClicked(IDC_BIT6, [this] { OnBit6(); });
    MapBnClicked(IDC_BIT7, [this] { OnBit7(); });
    MapBnClicked(IDC_BIT8, [this] { OnBit8(); });
    MapEnChange(IDC_VALUE, [this] { OnChangeValue(); });
}

void CTileAttrDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_BIT8, m_chkBit8);
    DDX_Control(pDX, IDC_BIT7, m_chkBit7);
    DDX_Control(pDX, IDC_BIT6, m_chkBit6);
    DDX_Control(pDX, IDC_BIT5, m_chkBit5);
    DDX_Control(pDX, IDC_BIT4, m_chkBit4);
    DDX_Control(pDX, IDC_BIT3, m_chkBit3);
    DDX_Control(pDX, IDC_BIT2, m_chkBit2);
    DDX_Control(pDX, IDC_BIT1, m_chkBit1);
    DDX_Control(pDX, IDC_SPIN_VALUE, m_spinValue);
    DDX_Text(pDX, IDC_VALUE, m_byValue);
    DDV_MinMaxByte(pDX, m_byValue, 0, 255);
}

BOOL CTileAttrDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_spinValue.SetRange(0, 255);
    return TRUE;
}

void CTileAttrDlg::SetBitChecks(BYTE bits)
{
    m_chkBit1.SetCheck(bits & 0x80 ? 1 : 0);
    m_chkBit2.SetCheck(bits & 0x40 ? 1 : 0);
    m_chkBit3.SetCheck(bits & 0x20 ? 1 : 0);
    m_chkBit4.SetCheck(bits & 0x10 ? 1 : 0);
    m_chkBit5.SetCheck(bits & 0x08 ? 1 : 0);
    m_chkBit6.SetCheck(bits & 0x04 ? 1 : 0);
    m_chkBit7.SetCheck(bits & 0x02 ? 1 : 0);
    m_chkBit8.SetCheck(bits & 0x01 ? 1 : 0);
}

void CTileAttrDlg::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CDialog::OnShowWindow(bShow, nStatus);
    s_byBits = m_byValue;
    m_bReady = TRUE;
    SetBitChecks(s_byBits);
}

void CTileAttrDlg::OnChangeValue()
{
    if (!m_bReady) return;
    // A refused text has shown its message; the boxes keep the last good value.
    UpdateData(TRUE);
    s_byBits = m_byValue;
    SetBitChecks(s_byBits);
}

void CTileAttrDlg::ApplyBitClick(const CButton& box, BYTE bit)
{
    if (box.GetCheck())
        s_byBits |= bit;
    else
        s_byBits &= static_cast<BYTE>(~bit);
    m_byValue = s_byBits;
    UpdateData(FALSE);
}

void CTileAttrDlg::OnBit1() { ApplyBitClick(m_chkBit1, 0x80); }
void CTileAttrDlg::OnBit2() { ApplyBitClick(m_chkBit2, 0x40); }
void CTileAttrDlg::OnBit3() { ApplyBitClick(m_chkBit3, 0x20); }
void CTileAttrDlg::OnBit4() { ApplyBitClick(m_chkBit4, 0x10); }
void CTileAttrDlg::OnBit5() { ApplyBitClick(m_chkBit5, 0x08); }
void CTileAttrDlg::OnBit6() { ApplyBitClick(m_chkBit6, 0x04); }
void CTileAttrDlg::OnBit7() { ApplyBitClick(m_chkBit7, 0x02); }
void CTileAttrDlg::OnBit8() { ApplyBitClick(m_chkBit8, 0x01); }
