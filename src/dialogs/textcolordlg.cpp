#include "textcolordlg.h"
#include "messagetext.h"

#include <QPainter>

using namespace dlgstyle;

namespace {
constexpr DWORD kTrackbar = TBS_VERT | TBS_BOTH | TBS_NOTICKS | WS_BORDER | WS_TABSTOP;

const DlgTemplate& TextColorTemplate()
{
    static const DlgTemplate dlg{CTextColorDlg::IDD,
                                 QT_TRANSLATE_NOOP("Pellin", "글자 속성 색상"),
                                 184,
                                 108,
                                 "System",
                                 10,
                                 {
                                     {IDOK, DlgItemKind::DefPushButton, "OK", 118, 57, 50, 14, WS_TABSTOP | WS_GROUP},
                                     {IDCANCEL, DlgItemKind::PushButton, "Cancel", 118, 79, 50, 14, WS_TABSTOP},
                                     {CTextColorDlg::IDC_RED, DlgItemKind::Trackbar, "", 19, 52, 10, 42, kTrackbar},
                                     {CTextColorDlg::IDC_GREEN, DlgItemKind::Trackbar, "", 51, 52, 10, 42, kTrackbar},
                                     {CTextColorDlg::IDC_BLUE, DlgItemKind::Trackbar, "", 83, 52, 10, 42, kTrackbar},
                                     {IDC_STATIC, DlgItemKind::Static, "R", 20, 38, 8, 8, 0},
                                     {IDC_STATIC, DlgItemKind::Static, "G", 52, 38, 8, 8, 0},
                                     {IDC_STATIC, DlgItemKind::Static, "B", 84, 38, 8, 8, 0},
                                 }};
    return dlg;
}

QColor ToQColor(BYTE red, BYTE green, BYTE blue) { return QColor(red, green, blue); }
}  // namespace

CTextColorDlg::CTextColorDlg(QWidget* pParent)
    : CDialog(TextColorTemplate(), pParent), m_byRed(0), m_byGreen(0), m_byBlue(0)
{
}

void CTextColorDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_RED, m_sliderRed);
    DDX_Control(pDX, IDC_GREEN, m_sliderGreen);
    DDX_Control(pDX, IDC_BLUE, m_sliderBlue);
}

BOOL CTextColorDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_sliderRed.SetRange(0, 255, FALSE);
    m_sliderRed.SetPos(m_byRed);
    m_sliderGreen.SetRange(0, 255, FALSE);
    m_sliderGreen.SetPos(m_byGreen);
    m_sliderBlue.SetRange(0, 255, FALSE);
    m_sliderBlue.SetPos(m_byBlue);
    return TRUE;
}

CRect CTextColorDlg::GetSwatchRect() const
{
    CRect client;
    GetClientRect(&client);
    return CRect(client.left + 30, client.top + 30, client.right - 30, client.top + 70);
}

void CTextColorDlg::OnVScroll(UINT nSBCode, UINT nPos, QWidget* pScrollBar)
{
    // Whichever slider moved, the swatch shows all three positions.
    m_byRed = static_cast<BYTE>(m_sliderRed.GetPos() & 0xFF);
    m_byGreen = static_cast<BYTE>(m_sliderGreen.GetPos() & 0xFF);
    m_byBlue = static_cast<BYTE>(m_sliderBlue.GetPos() & 0xFF);
    InvalidateRect(GetSwatchRect(), TRUE);
    CDialog::OnVScroll(nSBCode, nPos, pScrollBar);
}

void CTextColorDlg::OnPaint(QPainter& dc)
{
    // Filled with the colour, outlined with a one-pixel black pen; the
    // outline covers left..right-1 and top..bottom-1.
    const CRect swatch = GetSwatchRect();
    if (swatch.IsRectEmpty()) return;
    const QRect outline(swatch.left, swatch.top, swatch.Width() - 1, swatch.Height() - 1);
    dc.setRenderHint(QPainter::Antialiasing, false);
    dc.setBrush(ToQColor(m_byRed, m_byGreen, m_byBlue));
    QPen pen(Qt::black);
    pen.setWidth(0);  // cosmetic: exactly one pixel
    dc.setPen(pen);
    dc.drawRect(outline);
}
