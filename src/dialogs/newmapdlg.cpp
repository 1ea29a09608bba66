#include "newmapdlg.h"
#include "messagetext.h"

using namespace dlgstyle;

namespace {
constexpr DWORD kEdit = WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP;

const DlgTemplate& NewMapTemplate()
{
    static const DlgTemplate dlg{
        CNewMapDlg::IDD,
        QT_TRANSLATE_NOOP("Pellin", "새 지도 작성"),
        187,
        130,
        "System",
        10,
        {
            {IDOK, DlgItemKind::DefPushButton, "OK", 74, 109, 42, 14, WS_TABSTOP | WS_GROUP},
            {IDCANCEL, DlgItemKind::PushButton, "Cancel", 130, 109, 42, 14, WS_TABSTOP},
            {CNewMapDlg::IDC_TILE16, DlgItemKind::AutoRadioButton, "16X16", 21, 30, 34, 10, WS_GROUP},
            {CNewMapDlg::IDC_TILE24, DlgItemKind::AutoRadioButton, "24X24", 58, 30, 34, 10, 0},
            {CNewMapDlg::IDC_TILE64, DlgItemKind::AutoRadioButton, "64X64", 132, 30, 34, 10, 0},
            {IDC_STATIC, DlgItemKind::GroupBox, QT_TRANSLATE_NOOP("Pellin", "타일 크기"), 15, 14, 157, 37, 0},
            {IDC_STATIC, DlgItemKind::GroupBox, QT_TRANSLATE_NOOP("Pellin", "지도크기 ( 타일 X 가로 / 세로 )"), 17, 59,
             155, 37, 0},
            {CNewMapDlg::IDC_MAP_WIDTH, DlgItemKind::Edit, "", 54, 74, 32, 14, kEdit},
            {CNewMapDlg::IDC_MAP_HEIGHT, DlgItemKind::Edit, "", 127, 74, 32, 14, kEdit},
            {IDC_STATIC, DlgItemKind::Static, QT_TRANSLATE_NOOP("Pellin", "가로"), 28, 77, 17, 8, 0},
            {IDC_STATIC, DlgItemKind::Static, QT_TRANSLATE_NOOP("Pellin", "세로"), 101, 77, 17, 8, 0},
            {CNewMapDlg::IDC_TILE_ATTR, DlgItemKind::PushButton, QT_TRANSLATE_NOOP("Pellin", "타일속성"), 17, 109, 42,
             14, WS_TABSTOP},
            {CNewMapDlg::IDC_TILE32, DlgItemKind::AutoRadioButton, "32X32", 95, 30, 34, 10, 0},
        }};
    return dlg;
}
}  // namespace

CNewMapDlg::CNewMapDlg(QWidget* pParent)
    : CDialog(NewMapTemplate(), pParent), m_nTileWidth(32), m_nTileHeight(32), m_nMapWidth(0), m_nMapHeight(0)
{
    MapBnClicked(IDC_TILE16, [this] { OnTileSize16(); });
    MapBnClicked(IDC_TILE24, [this] { OnTileSize24(); });
    MapBnClicked(IDC_TILE64, [this] { OnTileSize64(); });
    MapBnClicked(IDC_TILE32, [this] { OnTileSize32(); });
}

void CNewMapDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_MAP_WIDTH, m_nMapWidth);
    DDX_Text(pDX, IDC_MAP_HEIGHT, m_nMapHeight);
}

void CNewMapDlg::SetTileSize(BYTE size)
{
    m_nTileWidth = size;
    m_nTileHeight = size;
}

void CNewMapDlg::OnTileSize16() { SetTileSize(16); }
void CNewMapDlg::OnTileSize24() { SetTileSize(24); }
void CNewMapDlg::OnTileSize32() { SetTileSize(32); }
void CNewMapDlg::OnTileSize64() { SetTileSize(64); }
