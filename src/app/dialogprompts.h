// The editor's answers to the document: its real dialogs, file dialogs and
// message boxes. The dialogs live as long as this object, as they always
// have lived with the document, so each opens as it was left.
#pragma once

#include "documentprompts.h"
#include "mapattrdlg.h"
#include "newmapdlg.h"
#include "textcolordlg.h"
#include "tilearrangedlg.h"
#include "tileattrdlg.h"

class CDialogPrompts : public CDocumentPrompts {
public:
    void ShowMessage(const std::string& text, Look look = Look::Standard) override;
    bool AskYesNo(const std::string& question) override;
    Answer AskYesNoCancel(const std::string& question) override;
    std::optional<std::string> AskOpenPath(FileKind kind) override;
    std::optional<std::string> AskMapSavePath() override;
    bool EditNewMap(NewMapSettings& settings) override;
    bool EditTilesPerRow(int& count) override;
    bool EditTileAttribute(BYTE& value) override;
    bool EditTextColour(TextColour& colour) override;
    bool EditMapAttribute(short& value) override;
    void StatusNote(const std::string& text) override;

    CNewMapDlg m_dlgNewMap;
    CTileArrangeDlg m_dlgTileArrange;
    CTileAttrDlg m_dlgTileAttr;
    CTextColorDlg m_dlgTextColor;
    CMapAttrDlg m_dlgMapAttr;
};
