// The one map document. It owns the map (tile geometry, tile set, both
// cell layers), the source bitmap, the block picked in the palette, the
// display switches and the colour of the numbers printed over tiles. Every
// change goes through it, and it tells the views what changed
// (UpdateAllViews with the flags of maphint.h); it never reaches a pane
// itself. Every editing command of the menu, toolbar and palette pop-up
// lands here.
#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "attrvalues.h"
#include "autorules.h"
#include "cellblock.h"
#include "clipboardservice.h"
#include "dib.h"
#include "document.h"
#include "documentprompts.h"
#include "edithistory.h"
#include "floodfill.h"
#include "mapfile.h"
#include "mapmodel.h"
#include "paintbrush.h"
#include "tileblock.h"
#include "translation.h"

class CCmdUI;
struct MapFileContent;
class CScrollView;
struct RecoveredSession;
class CRecoveryKeeper;
class CAttrValueCounting;
class CompiledRules;

// What Save writes, taken in no time: the map shares its cells and tiles
// with the document until the document changes them, and the loaded
// bitmap's format goes with it. Save, the recovery copy and the tests all
// write from one.
struct MapSnapshot {
    CMapModel map;
    WORD bitmapBitCount = 0;
    std::vector<RGBQUAD> bitmapColours;  // an 8-bit bitmap's 256 colours, else none
    MapSaveInput Input() const
    {
        return {&map, bitmapBitCount, bitmapColours.empty() ? nullptr : bitmapColours.data()};
    }
};

// Shown when saving a map without tiles and without the bitmap whose format
// the file must then declare.
inline constexpr const char* kMsgLoadBitmapFirst = QT_TRANSLATE_NOOP("Pellin", "팔렛트로 읽을 비트맵을 먼저 읽으세요");
inline constexpr const char* kMsgAskEraseTilesForNewMap =
    QT_TRANSLATE_NOOP("Pellin", "타일을 모두 지워야 합니다(지울까요?)");
inline constexpr const char* kMsgAskEraseAllTiles = QT_TRANSLATE_NOOP("Pellin", "타일을 모두 지울까요?");
inline constexpr const char* kMsgAskEraseSelectedTiles =
    QT_TRANSLATE_NOOP("Pellin", "선택된 타일을 지울까요?(맵에서 사용한 타일 지울시 빡나용)");
inline constexpr const char* kMsgAskSaveChanges = QT_TRANSLATE_NOOP("Pellin", "변경된 내용을 저장하시겠습니까?");
// The status bar's note for a dropped file the editor does not open.
inline constexpr const char* kMsgDropIgnored = QT_TRANSLATE_NOOP("Pellin", "열 수 없는 화일이라 무시했습니다: ");
// The status bar's note for a fill without a picked block.
inline constexpr const char* kMsgPickBlockToFill = QT_TRANSLATE_NOOP("Pellin", "채울 타일 블록을 먼저 고르세요");
// An edit that ran out of memory was taken back whole.
inline constexpr const char* kMsgEditOutOfMemory =
    QT_TRANSLATE_NOOP("Pellin", "메모리가 모자라 이 작업을 하지 못했습니다");
// The status bar's note when the history gave up its oldest steps.
inline constexpr const char* kMsgOldStepsDropped =
    QT_TRANSLATE_NOOP("Pellin", "오래된 작업 내역을 지웠습니다 (메모리 한도)");

class CZellDoc : public CDocument {
public:
    CZellDoc();
    ~CZellDoc() override;

    BOOL OnNewDocument() override;
    // Who answers the document's questions and runs its dialogs: the main
    // frame sets it when it is built. Without one (a document made for a
    // test or a tool), messages go to standard error, questions are
    // answered No or Cancel and dialogs count as cancelled.
    void SetPrompts(CDocumentPrompts* prompts) { m_pPrompts = prompts; }
    CDocumentPrompts& Prompts() const;
    // Unsaved changes: the document differs from what was last loaded or
    // saved (undoing back to that point makes it clean again).
    BOOL IsModified() const override { return !m_undoStack.isClean(); }
    // With unsaved changes, asks whether to save them first: Yes saves (a
    // refused or cancelled save keeps everything), No discards, Cancel
    // keeps everything. TRUE when the caller may go on.
    BOOL SaveModified() override;
    // Every change of the map and the tile set, undoable step by step. The
    // history keeps at most its memory budget of cells besides the map's
    // own: past it the oldest steps go, with a note in the status bar.
    CEditHistory& UndoStack() { return m_undoStack; }
    // Removes every tile from the set and frees it; leaves the picked block
    // and the map's cells alone, and tells no view.
    void DeleteAllTiles();

    // The map's geometry, for the views.
    int TileWidth() const { return m_map.m_nTileWidth; }
    int TileHeight() const { return m_map.m_nTileHeight; }
    int MapWidth() const { return m_map.MapWidth(); }
    int MapHeight() const { return m_map.MapHeight(); }
    const CTileList& Tiles() const { return m_map.m_tileList; }
    const CCellLayers& Cells() const { return m_map.m_cells; }
    // The values of the attribute layer: names, colours and how many cells
    // hold each, kept up to date by every edit of the layer.
    const CAttrValueTable& AttrValues() const { return m_attrValues; }

    // The layer the map's tools paint. On the attribute layer they set
    // attributes to the current value without any dialog, and the
    // selection, clipboard and moves reach attributes only.
    bool OnAttrLayer() const { return m_activeLayer == CellLayer::Attributes; }
    // Going to the attribute layer turns the colour display on.
    void SetActiveLayer(CellLayer layer);
    short CurrentAttrValue() const { return m_nCurrentAttr; }
    void SetCurrentAttrValue(short value);
    // Edits of the value list, each one undo step (so a saved map's file
    // beside it is written again). False when the table refuses.
    bool AddAttrValue(const AttrValueDetails& details);
    void SetAttrValueDetails(short value, const std::string& name, std::optional<AttrColour> colour);
    bool RemoveAttrValue(short value);
    // The undo steps of the value list put these back.
    void PutKeptAttrValues(const std::vector<AttrValueDetails>& kept);

    // The map's auto-tiling rules, saved beside it. Every change is one
    // undo step; the views hear of it with HINT_RULES.
    const RuleSet& Rules() const { return m_rules; }
    void SetRules(RuleSet rules, const QString& step = Pellin::tr("규칙 바꾸기"));
    void PutRules(const RuleSet& rules);  // for the undo steps
    // The rules as the file beside the map held them when it was read or
    // last written (none for a new map): the recovery copy keeps others.
    const RuleSet& RulesAsRead() const { return m_rulesAsRead; }
    // The rules as they apply to the current tile set (made again when
    // the rules or the tiles change).
    const CompiledRules& CompiledRuleSet() const;
    // Applies the rules to the cells, one undo step ("규칙 적용").
    void ApplyRulesTo(const CRect& cells);
    // "자동 규칙": every attribute edit re-applies the rules, in its own
    // undo step, to the cells whose patterns can see a changed cell.
    bool AutoRules() const { return m_bAutoRules; }
    void SetAutoRules(bool on) { m_bAutoRules = on; }
    void OnRulesApply();
    void OnAutoRules();
    void OnUpdateRulesApply(CCmdUI* pCmdUI);
    void OnUpdateAutoRules(CCmdUI* pCmdUI);

    // The block picked in the palette. The palette picks and drops it;
    // the map pane drops it with the right button. The other views hear of
    // it (HINT_SELECTION), the sender does not. Picking it in the palette
    // makes it the brush too.
    bool HasSelection() const { return m_brush.HasPaletteBlock(); }
    const CTileBlock& Selection() const { return m_brush.PaletteBlock(); }
    void SetSelection(CTileBlock block, CScrollView* pSender);
    // Drops the palette's block and the brush.
    void ClearSelection(CScrollView* pSender);

    // The brush: the block the map's tools stamp and fill with, the
    // palette's block or one taken from the map (picker, capture, paste).
    // A block from the map leaves the palette's block picked, for the tile
    // commands, but the palette shows no frame while BrushFromPalette() is
    // false. The other views hear of a new brush with HINT_SELECTION.
    bool HasBrush() const { return !m_brush.IsEmpty(); }
    const CCellBlock& Brush() const { return m_brush.Block(); }
    bool BrushFromPalette() const { return m_brush.FromPalette(); }
    // A block from the map or the clipboard becomes the brush.
    void SetBrush(CCellBlock block, CScrollView* pSender);
    // The brush itself, for whoever hears of a block taken from the map.
    CPaintBrush& PaintBrush() { return m_brush; }

    // Map edits, each one undoable step; each tells every view which cells changed.
    // The brush with its top-left entry at cell (col, row) (tiles only).
    void StampBrush(int col, int row);
    // The cells filled with the brush repeated from their top-left cell.
    void FillWithBrush(const CRect& cells, const QString& step = Pellin::tr("타일 채우기"));
    // What the brush paints from cell (col, row): its entries repeated from
    // there, or, in random mode, one entry drawn at random for each cell
    // (a new draw at every call). Points into the brush: use it at once.
    FillPattern BrushPattern(int col, int row);
    // The spans' cells get the brush laid from anchor (BrushPattern), or on
    // the attribute layer the current value, as one undo step named step
    // (joining an open stroke). Without a brush on the tile layer the
    // status bar asks for one and nothing changes. True when a cell changed.
    bool PaintSpans(const std::vector<CellSpan>& spans, CPoint anchor, const QString& step);
    // The tiles of the cells on the line between two cells become empty;
    // the attributes stay ("지우기"). On the attribute layer the attributes
    // become 0 and the tiles stay.
    void EraseLine(CPoint fromCell, CPoint toCell);
    // Fills the area of cells like cell (col, row), or every such cell of
    // the map, with the brush repeated from that cell ("채우기"). Without a
    // brush the status bar asks for one. On the attribute layer: the area of
    // like attributes, with the current value. True when a cell changed.
    bool FloodFill(int col, int row, bool everywhere);

    // The selected rectangle of cells (empty: none), kept within the map.
    // Views hear of it with HINT_MAP_SELECTION; undo leaves it alone.
    const CRect& MapSelection() const { return m_rcMapSelection; }
    void SetMapSelection(const CRect& cells);
    // Moves the tiles and attributes of the cells so that their top-left
    // lands on toTopLeft; the cells left become empty with attribute 0
    // ("이동"). The selection goes with them. On the attribute layer only
    // the attributes move, and the delete, cut and copy below take only them.
    void MoveCells(const CRect& from, CPoint toTopLeft);
    // The selected cells become empty with attribute 0 ("삭제").
    void DeleteSelection();
    void SetCellAttributes(const CRect& cells, short value);
    // The cells get the current attribute value ("속성 칠하기").
    void PaintAttributes(const CRect& cells);
    short CellAttribute(int col, int row) const;

    // Runs an edit of the map's cells (either layer or both) and keeps what
    // it changed as one undo step named step; an edit that changed nothing
    // makes no step. The edit returns the cells it wrote, which every view
    // is told of either way. An edit that runs out of memory is taken back
    // and run again once the oldest steps have given way; with none left to
    // give (or in a stroke) it is refused with a message, the map and the
    // history as they were. True when the edit made or joined a step.
    using CellEdit = std::function<CRect(CCellLayers& cells)>;
    bool RecordCellEdit(const QString& step, const CellEdit& edit);
    // While a stroke is open (a drag of a painting tool, say), every cell
    // edit joins the first one's undo step.
    void BeginStroke();
    void EndStroke();
    // A stroke is open: the history must not move under it.
    bool InStroke() const { return m_nStroke >= 0; }

    // Undoes or redoes to history step index (0: before the first step) in
    // one go; the views hear of the changed cells once, at the end. Refused
    // (false) while a stroke or a grouped edit is open.
    bool JumpToHistoryStep(int index);

    // Cuts the cells (bitmap pixels, right and bottom exclusive) into new
    // tiles at the end of the set, in order; cells not wholly on the picture
    // are skipped, and the first tile that cannot be made (it says why)
    // ends the cut. The palette is laid out anew even when nothing was cut.
    void CutTiles(const std::vector<CRect>& bitmapCells);

    // The changes the undo steps make, each telling the views. Tiles go in
    // and come out with their numbers, in ascending order.
    void PutCellChunks(const std::vector<ChunkChange>& changes, bool after, const CRect& cells);
    void PutTiles(const std::vector<std::pair<int, TileEntry>>& tiles);
    std::vector<std::pair<int, TileEntry>> TakeTiles(const std::vector<int>& numbers);
    void PutTileAttributes(const std::vector<std::pair<int, BYTE>>& attributes);

    // Map files: the dialogs around the reader and writer. SaveMapFile is
    // true when the file was written; LoadMapFile first asks about unsaved
    // changes.
    bool SaveMapFile();
    void LoadMapFile();
    // Opens a map (.Map, or a .tmx map of the peer editor Tiled) as File
    // Open would once a file is chosen (a file dropped on the window):
    // asks about unsaved changes first. True when the map was loaded.
    bool OpenMapFile(const std::string& path);
    // Loads a picture (.bmp or .png) as the source bitmap, as Open Bitmap
    // does once a file is chosen.
    void LoadBitmapFile(const std::string& path);
    // A .bmp or .png opens as the bitmap, a .Map or .tmx as the map; any
    // other file is ignored with a note in the status bar.
    void OnDropFiles(const std::vector<std::string>& paths) override;
    // Picks up the work of a session that ended without closing, as an
    // unsaved document: its map, its bitmap (when the file is still there)
    // and the name of the map file it came from. False, with the reader's
    // message, when the copy cannot be read.
    bool RestoreSession(const RecoveredSession& session);
    // Keeps a copy of unsaved work in folder from now on (the editor does;
    // a document made for a test or a tool need not).
    void KeepRecoveryCopies(const std::string& folder);
    CRecoveryKeeper* Recovery() const { return m_pRecovery.get(); }
    // The same without the file dialog; true when the file was written/read.
    // A refused file leaves the document and the panes exactly as they were.
    bool SaveMapFileTo(const std::string& path);
    bool LoadMapFileFrom(const std::string& path);
    MapSnapshot Snapshot() const;

    // Commands.
    void OnFileNew();
    void OnFileOpen();
    void OnFileSave();
    void OnOpenBitmap();
    void OnBitmapAllTiles();
    void OnTileArrange();
    void OnTileSetAttr();
    void OnShowPaletteAttr();
    void OnTileEraseAll();
    void OnTileEraseSelected();
    void OnShowTileNumbers();
    void OnShowTileAttr();
    void OnShowMapAttr();
    void OnShowAttrColours();
    void OnTileFillAll();
    void OnTextColor();
    void OnEditUndo();
    void OnEditRedo();
    // The clipboard carries cells in the editor's own form (with the
    // attributes and where they came from) and as text.
    void OnEditCut();
    void OnEditCopy();
    void OnEditDelete();
    // Makes the clipboard's cells the brush (tiles only); text that cannot
    // be pasted is refused with a message box, and nothing changes.
    void OnEditPaste();
    // Stamps the clipboard's cells where they were copied from, with their
    // attributes when they came in the editor's own form ("붙여넣기").
    void OnEditPasteInPlace();
    void OnEditSelectAll();
    void OnEditSelectNone();

    // Enable and check rules.
    void OnUpdateHaveBitmap(CCmdUI* pCmdUI);
    void OnUpdateHaveTiles(CCmdUI* pCmdUI);
    void OnUpdateHaveSelection(CCmdUI* pCmdUI);
    void OnUpdateShowTileNumbers(CCmdUI* pCmdUI);
    void OnUpdateShowPaletteAttr(CCmdUI* pCmdUI);
    void OnUpdateShowTileAttr(CCmdUI* pCmdUI);
    void OnUpdateShowMapAttr(CCmdUI* pCmdUI);
    void OnUpdateShowAttrColours(CCmdUI* pCmdUI);
    // The layer switch: an exclusive pair.
    void OnUpdateLayer(CCmdUI* pCmdUI, CellLayer layer);
    void OnUpdateEditUndo(CCmdUI* pCmdUI);
    void OnUpdateEditRedo(CCmdUI* pCmdUI);
    void OnUpdateHaveBrush(CCmdUI* pCmdUI);
    void OnUpdateHaveMapSelection(CCmdUI* pCmdUI);
    void OnUpdateCanPaste(CCmdUI* pCmdUI);

    // The source bitmap the tiles are cut from (not loaded: none), and the
    // file it was loaded from.
    const CDib& Bitmap() const { return m_dib; }
    const std::string& BitmapPath() const { return m_strBitmapPath; }
    // The whole map: geometry, tile set and both cell layers.
    const CMapModel& Map() const { return m_map; }
    // How many tiles a row of the palette shows.
    int TilesPerRow() const { return m_nTilesPerRow; }
    void SetTilesPerRow(int count) { m_nTilesPerRow = count; }

    // The display switches. The setters change the switch alone; the
    // commands above also tell the views.
    bool ShowTileNumbers() const { return m_bShowTileNumbers != FALSE; }
    bool ShowMapAttr() const { return m_bShowMapAttr != FALSE; }
    bool ShowTileAttr() const { return m_bShowTileAttr != FALSE; }
    bool ShowPaletteAttr() const { return m_bShowPaletteAttr != FALSE; }
    bool ShowAttrColours() const { return m_bShowAttrColours != FALSE; }
    void SetShowTileNumbers(bool on) { m_bShowTileNumbers = on ? TRUE : FALSE; }
    void SetShowMapAttr(bool on) { m_bShowMapAttr = on ? TRUE : FALSE; }
    void SetShowTileAttr(bool on) { m_bShowTileAttr = on ? TRUE : FALSE; }
    void SetShowPaletteAttr(bool on) { m_bShowPaletteAttr = on ? TRUE : FALSE; }
    void SetShowAttrColours(bool on) { m_bShowAttrColours = on ? TRUE : FALSE; }

    // The colour of the numbers printed over tiles; setting it tells no view.
    COLORREF TextColor() const { return RGB(m_byTextRed, m_byTextGreen, m_byTextBlue); }
    TextColour TextRgb() const { return {m_byTextRed, m_byTextGreen, m_byTextBlue}; }
    void SetTextColour(const TextColour& colour)
    {
        m_byTextRed = colour.red;
        m_byTextGreen = colour.green;
        m_byTextBlue = colour.blue;
    }

private:
    // Tests and benchmarks set up maps through it (tests/support/docbackstage.h).
    friend class CZellDocBackstage;

    // Says so and is true when the file's format is unknown: no tiles to
    // take it from and no bitmap loaded.
    bool RefuseSaveWithoutFormat() const;
    // Replaces the map with one that was read, as loading any map does.
    void TakeLoadedMap(MapFileContent& content, const std::string& path);
    // A note in the main window's status bar, when there is one.
    void StatusNote(const std::string& text) const { Prompts().StatusNote(text); }
    // The value table of a map just made or loaded: counted anew, with the
    // names and colours of the file beside mapPath (a damaged one is passed
    // over with a note); none for a new map.
    void TakeAttrValuesFor(const std::string& mapPath);
    // The counts of a large map's values, counted on their own thread.
    void TakeAttrCounts(const std::vector<std::uint32_t>& counts);
    // Writes the names and colours beside the map just saved (a failure is
    // noted; the map is saved all the same).
    void SaveAttrValuesBeside(const std::string& mapPath);
    // The same for the rule set: read (none for a new map) and written
    // once the map has rules or the file is there.
    void TakeRulesFor(const std::string& mapPath);
    void SaveRulesBeside(const std::string& mapPath);
    // With 자동 규칙 on and attributes among the changes, applies the
    // rules around the written cells and adds their changes to the edit's.
    // Out of memory, it takes its own changes back and throws.
    void FollowRules(std::vector<ChunkChange>& changes, CRect& written);
    // The edit made, with the rules followed; false, the map as it was,
    // when memory ran out.
    bool TryCellEdit(const CellEdit& edit, CRect& written, std::vector<ChunkChange>& changes);
    // Makes and pushes a step of the tile set, the rules or the value list;
    // out of memory, says so and makes no step (its first redo, which makes
    // the change, takes back what it did before throwing).
    bool PushStep(const std::function<QUndoCommand*()>& make);
    void RefuseForMemory() const;
    // Tells every view which cells an edit wrote (possibly none).
    // tiles: whether the changes reached the tile layer (else attributes alone).
    void CellsChanged(const CRect& cells, bool tiles = true);
    // The tile set, its attributes or its layout changed: the picked block
    // is dropped and the views hear of it.
    void PaletteChanged(LPARAM hint);
    // Makes the layers of a new map (the message of a failure shows) and
    // tells every view.
    void MakeNewMapCells(int mapWidth, int mapHeight);
    // A new map or tile set: the blocks picked and the selection go.
    void DropPicks();
    // The clipboard's cells, or a refusal that says why not.
    struct ClipboardPaste;
    ClipboardPaste ReadClipboard() const;
    // Puts the selected cells on the clipboard.
    void CopySelection();
    // The tiles cut (or none) become one undo step; the palette is laid out
    // anew either way.
    void AddCutTiles(const QString& step, CTileList& cut);
    void RemoveTiles(const QString& step, std::vector<int> numbers);

    // Keeps the value counts up with chunks going forward (as they were to
    // as they became) or back; the cells outside the edit's rectangle kept
    // their values and are not looked at.
    void CountAttrChanges(const std::vector<ChunkChange>& changes, bool forward, const CRect& cells);

    // The layers a selection, cut, move or delete reaches on the active layer.
    LayerScope EditScope() const;
    void RecordAttrValues(const QString& step, const std::vector<AttrValueDetails>& before);

    CDib m_dib;
    std::string m_strBitmapPath;  // the file m_dib was loaded from
    CMapModel m_map;
    int m_nTilesPerRow = 10;
    CPaintBrush m_brush;
    CClipboardService m_clipboard;
    CRect m_rcMapSelection;
    BOOL m_bShowTileNumbers = FALSE;
    BOOL m_bShowMapAttr = FALSE;
    BOOL m_bShowTileAttr = FALSE;
    BOOL m_bShowPaletteAttr = FALSE;
    // Cells with an attribute are tinted with their value's colour.
    BOOL m_bShowAttrColours = FALSE;
    BYTE m_byTextRed = 0;
    BYTE m_byTextGreen = 0;
    BYTE m_byTextBlue = 0;
    CDocumentPrompts* m_pPrompts = nullptr;
    CAttrValueTable m_attrValues;
    std::unique_ptr<CAttrValueCounting> m_attrCounting;  // a large map's values being counted
    CellLayer m_activeLayer = CellLayer::Tiles;
    short m_nCurrentAttr = 1;
    RuleSet m_rules;
    RuleSet m_rulesAsRead;
    bool m_bAutoRules = false;
    struct RulesCache;
    mutable std::shared_ptr<RulesCache> m_pRulesCache;
    CEditHistory m_undoStack;
    int m_nStroke = -1;  // the open stroke's number, or -1
    // While a history jump runs: the cells its steps changed, told once after it.
    struct PendingCells {
        CRect cells;
        bool tiles = false;
        bool any = false;
    };
    std::optional<PendingCells> m_pendingCells;
    int m_nStrokes = 0;
    // Declared last, so it goes first: it watches the history above.
    std::unique_ptr<CRecoveryKeeper> m_pRecovery;
};
