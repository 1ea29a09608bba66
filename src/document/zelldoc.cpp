#include "zelldoc.h"

#include "attrcounting.h"
#include "recovery.h"
#include "resource.h"

#include <cstdio>

namespace {
// Answers for a document nobody sits in front of.
class CHeadlessPrompts : public CDocumentPrompts {
public:
    void ShowMessage(const std::string& text, Look) override { std::fprintf(stderr, "%s\n", text.c_str()); }
    bool AskYesNo(const std::string&) override { return false; }
    Answer AskYesNoCancel(const std::string&) override { return Answer::Cancel; }
    std::optional<std::string> AskOpenPath(FileKind) override { return std::nullopt; }
    std::optional<std::string> AskMapSavePath() override { return std::nullopt; }
    bool EditNewMap(NewMapSettings&) override { return false; }
    bool EditTilesPerRow(int&) override { return false; }
    bool EditTileAttribute(BYTE&) override { return false; }
    bool EditTextColour(TextColour&) override { return false; }
};
}  // namespace

CDocumentPrompts& CZellDoc::Prompts() const
{
    static CHeadlessPrompts headless;
    return m_pPrompts ? *m_pPrompts : headless;
}

CZellDoc::CZellDoc()
{
    OnCommand(ID_FILE_NEW, [this] { OnFileNew(); });
    OnCommand(ID_FILE_OPEN, [this] { OnFileOpen(); });
    OnCommand(ID_FILE_SAVE, [this] { OnFileSave(); });
    OnCommand(ID_OPEN_BITMAP, [this] { OnOpenBitmap(); });
    OnCommand(ID_BITMAP_ALLTILES, [this] { OnBitmapAllTiles(); });
    OnCommand(ID_TILE_ARRANGE, [this] { OnTileArrange(); });
    OnCommand(ID_TILE_SETATTR, [this] { OnTileSetAttr(); });
    OnCommand(ID_SHOW_PALETTEATTR, [this] { OnShowPaletteAttr(); });
    OnCommand(ID_TILE_ERASEALL, [this] { OnTileEraseAll(); });
    OnCommand(ID_TILE_ERASESEL, [this] { OnTileEraseSelected(); });
    OnCommand(ID_SHOW_TILENUMBERS, [this] { OnShowTileNumbers(); });
    OnCommand(ID_SHOW_TILEATTR, [this] { OnShowTileAttr(); });
    OnCommand(ID_SHOW_MAPATTR, [this] { OnShowMapAttr(); });
    OnCommand(ID_SHOW_ATTRCOLOURS, [this] { OnShowAttrColours(); });
    OnCommand(ID_LAYER_TILES, [this] { SetActiveLayer(CellLayer::Tiles); });
    OnCommand(ID_LAYER_ATTRS, [this] { SetActiveLayer(CellLayer::Attributes); });
    OnCommand(ID_TILE_FILLALL, [this] { OnTileFillAll(); });
    OnCommand(ID_TEXT_COLOR, [this] { OnTextColor(); });
    OnCommand(ID_EDIT_UNDO, [this] { OnEditUndo(); });
    OnCommand(ID_EDIT_REDO, [this] { OnEditRedo(); });
    OnCommand(ID_EDIT_CUT, [this] { OnEditCut(); });
    OnCommand(ID_EDIT_COPY, [this] { OnEditCopy(); });
    OnCommand(ID_EDIT_DELETE, [this] { OnEditDelete(); });
    OnCommand(ID_EDIT_PASTE, [this] { OnEditPaste(); });
    OnCommand(ID_EDIT_PASTE_IN_PLACE, [this] { OnEditPasteInPlace(); });
    OnCommand(ID_EDIT_SELECT_ALL, [this] { OnEditSelectAll(); });
    OnCommand(ID_EDIT_SELECT_NONE, [this] { OnEditSelectNone(); });
    OnCommand(ID_RULES_APPLY, [this] { OnRulesApply(); });
    OnCommand(ID_AUTO_RULES, [this] { OnAutoRules(); });

    OnUpdateCommandUI(ID_BITMAP_ALLTILES, [this](CCmdUI* ui) { OnUpdateHaveBitmap(ui); });
    OnUpdateCommandUI(ID_TILE_ARRANGE, [this](CCmdUI* ui) { OnUpdateHaveTiles(ui); });
    OnUpdateCommandUI(ID_TILE_ERASEALL, [this](CCmdUI* ui) { OnUpdateHaveTiles(ui); });
    OnUpdateCommandUI(ID_TILE_ERASESEL, [this](CCmdUI* ui) { OnUpdateHaveSelection(ui); });
    OnUpdateCommandUI(ID_TILE_SETATTR, [this](CCmdUI* ui) { OnUpdateHaveSelection(ui); });
    OnUpdateCommandUI(ID_TILE_FILLALL, [this](CCmdUI* ui) { OnUpdateHaveBrush(ui); });
    OnUpdateCommandUI(ID_SHOW_TILENUMBERS, [this](CCmdUI* ui) { OnUpdateShowTileNumbers(ui); });
    OnUpdateCommandUI(ID_SHOW_PALETTEATTR, [this](CCmdUI* ui) { OnUpdateShowPaletteAttr(ui); });
    OnUpdateCommandUI(ID_SHOW_TILEATTR, [this](CCmdUI* ui) { OnUpdateShowTileAttr(ui); });
    OnUpdateCommandUI(ID_SHOW_MAPATTR, [this](CCmdUI* ui) { OnUpdateShowMapAttr(ui); });
    OnUpdateCommandUI(ID_SHOW_ATTRCOLOURS, [this](CCmdUI* ui) { OnUpdateShowAttrColours(ui); });
    OnUpdateCommandUI(ID_LAYER_TILES, [this](CCmdUI* ui) { OnUpdateLayer(ui, CellLayer::Tiles); });
    OnUpdateCommandUI(ID_LAYER_ATTRS, [this](CCmdUI* ui) { OnUpdateLayer(ui, CellLayer::Attributes); });
    OnUpdateCommandUI(ID_EDIT_UNDO, [this](CCmdUI* ui) { OnUpdateEditUndo(ui); });
    OnUpdateCommandUI(ID_EDIT_REDO, [this](CCmdUI* ui) { OnUpdateEditRedo(ui); });
    OnUpdateCommandUI(ID_EDIT_CUT, [this](CCmdUI* ui) { OnUpdateHaveMapSelection(ui); });
    OnUpdateCommandUI(ID_EDIT_COPY, [this](CCmdUI* ui) { OnUpdateHaveMapSelection(ui); });
    OnUpdateCommandUI(ID_EDIT_DELETE, [this](CCmdUI* ui) { OnUpdateHaveMapSelection(ui); });
    OnUpdateCommandUI(ID_EDIT_SELECT_NONE, [this](CCmdUI* ui) { OnUpdateHaveMapSelection(ui); });
    OnUpdateCommandUI(ID_EDIT_PASTE, [this](CCmdUI* ui) { OnUpdateCanPaste(ui); });
    OnUpdateCommandUI(ID_EDIT_PASTE_IN_PLACE, [this](CCmdUI* ui) { OnUpdateCanPaste(ui); });
    OnUpdateCommandUI(ID_RULES_APPLY, [this](CCmdUI* ui) { OnUpdateRulesApply(ui); });
    OnUpdateCommandUI(ID_AUTO_RULES, [this](CCmdUI* ui) { OnUpdateAutoRules(ui); });
    QObject::connect(&m_undoStack, &CEditHistory::stepsDropped, &m_undoStack,
                     [this] { StatusNote(kMsgOldStepsDropped); });
}

CZellDoc::~CZellDoc()
{
    m_pRecovery.reset();
    // The undo steps refer to the document: they go first.
    m_undoStack.clear();
    DeleteAllTiles();
}

// A new document holds a map of 20 x 15 empty cells of 32 x 32 pixels.
BOOL CZellDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument()) return FALSE;
    if (m_map.MapWidth() == 0 && m_map.MapHeight() == 0) m_map.m_cells.Create(20, 15);
    TakeAttrValuesFor({});
    TakeRulesFor({});
    return TRUE;
}

void CZellDoc::DeleteAllTiles() { m_map.m_tileList.DeleteAll(); }

void CZellDoc::KeepRecoveryCopies(const std::string& folder)
{
    m_pRecovery.reset();
    m_pRecovery = std::make_unique<CRecoveryKeeper>(*this, folder);
}
