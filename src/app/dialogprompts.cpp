#include "dialogprompts.h"

#include "afxmsg.h"
#include "frame.h"
#include "filedialog.h"

namespace {
constexpr DWORD kFileDialogFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;

std::optional<std::string> Chosen(CFileDialog& dialog)
{
    if (dialog.DoModal() != IDOK) return std::nullopt;
    return dialog.GetPathName();
}
}  // namespace

void CDialogPrompts::ShowMessage(const std::string& text, Look look)
{
    switch (look) {
    case Look::Standard: AfxMessageBox(text, MB_OK); break;
    case Look::Warning: AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION); break;
    case Look::Plain: AfxMessageBox(text, MB_OK | MB_PLAIN_WINDOW_BOX); break;
    }
}

bool CDialogPrompts::AskYesNo(const std::string& question) { return AfxMessageBox(question, MB_YESNO) == IDYES; }

CDocumentPrompts::Answer CDialogPrompts::AskYesNoCancel(const std::string& question)
{
    switch (AfxMessageBox(question, MB_YESNOCANCEL)) {
    case IDYES: return Answer::Yes;
    case IDNO: return Answer::No;
    default: return Answer::Cancel;
    }
}

std::optional<std::string> CDialogPrompts::AskOpenPath(FileKind kind)
{
    if (kind == FileKind::Bitmap) {
        CFileDialog dialog(TRUE, "비트맵 ( BMP )", "*.bmp", kFileDialogFlags,
                           QT_TRANSLATE_NOOP("Pellin", "비트맵 ( BMP )|*.bmp|PNG 그림|*.png|모든 그림|*.bmp;*.png||"));
        return Chosen(dialog);
    }
    CFileDialog dialog(TRUE, "Map", "*.Map", kFileDialogFlags,
                       QT_TRANSLATE_NOOP("Pellin", "맵 화일|*.Map|Tiled 맵|*.tmx||"));
    return Chosen(dialog);
}

std::optional<std::string> CDialogPrompts::AskMapSavePath()
{
    CFileDialog dialog(FALSE, "Map", "*.Map", kFileDialogFlags);
    return Chosen(dialog);
}

bool CDialogPrompts::EditNewMap(NewMapSettings& settings)
{
    m_dlgNewMap.m_nMapWidth = settings.mapWidth;
    m_dlgNewMap.m_nMapHeight = settings.mapHeight;
    m_dlgNewMap.m_nTileWidth = settings.tileWidth;
    m_dlgNewMap.m_nTileHeight = settings.tileHeight;
    if (m_dlgNewMap.DoModal() != IDOK) return false;
    settings = {m_dlgNewMap.m_nTileWidth, m_dlgNewMap.m_nTileHeight, m_dlgNewMap.m_nMapWidth, m_dlgNewMap.m_nMapHeight};
    return true;
}

bool CDialogPrompts::EditTilesPerRow(int& count)
{
    m_dlgTileArrange.m_nCount = count;
    if (m_dlgTileArrange.DoModal() != IDOK) return false;
    count = m_dlgTileArrange.m_nCount;
    return true;
}

bool CDialogPrompts::EditTileAttribute(BYTE& value)
{
    m_dlgTileAttr.m_byValue = value;
    m_dlgTileAttr.m_bReady = FALSE;
    if (m_dlgTileAttr.DoModal() != IDOK) return false;
    value = m_dlgTileAttr.m_byValue;
    return true;
}

bool CDialogPrompts::EditTextColour(TextColour& colour)
{
    m_dlgTextColor.m_byRed = colour.red;
    m_dlgTextColor.m_byGreen = colour.green;
    m_dlgTextColor.m_byBlue = colour.blue;
    if (m_dlgTextColor.DoModal() != IDOK) return false;
    colour = {m_dlgTextColor.m_byRed, m_dlgTextColor.m_byGreen, m_dlgTextColor.m_byBlue};
    return true;
}

bool CDialogPrompts::EditMapAttribute(short& value)
{
    m_dlgMapAttr.m_nValue = value;
    if (m_dlgMapAttr.DoModal() != IDOK) return false;
    value = m_dlgMapAttr.m_nValue;
    return true;
}

void CDialogPrompts::StatusNote(const std::string& text)
{
    if (CFrameWnd* frame = AfxGetMainWnd()) frame->SetMessageText(text);
}
