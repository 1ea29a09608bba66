// Enable and check rules of the document's commands. The three map
// overlays grey each other out, so at most one is ever on; the one that is
// on stays enabled so that it can be switched off.
#include "cmdtarget.h"
#include "translation.h"
#include "zelldoc.h"

void CZellDoc::OnUpdateHaveBitmap(CCmdUI* pCmdUI) { pCmdUI->Enable(m_dib.m_bLoaded); }

void CZellDoc::OnUpdateHaveTiles(CCmdUI* pCmdUI) { pCmdUI->Enable(!Tiles().IsEmpty()); }

void CZellDoc::OnUpdateHaveSelection(CCmdUI* pCmdUI) { pCmdUI->Enable(HasSelection()); }

void CZellDoc::OnUpdateHaveBrush(CCmdUI* pCmdUI) { pCmdUI->Enable(HasBrush()); }

void CZellDoc::OnUpdateShowTileNumbers(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!m_bShowTileAttr && !m_bShowMapAttr);
    pCmdUI->SetCheck(m_bShowTileNumbers ? 1 : 0);
}

void CZellDoc::OnUpdateShowPaletteAttr(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!Tiles().IsEmpty());
    pCmdUI->SetCheck(m_bShowPaletteAttr ? 1 : 0);
}

void CZellDoc::OnUpdateShowTileAttr(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!Tiles().IsEmpty() && !m_bShowTileNumbers && !m_bShowMapAttr);
    pCmdUI->SetCheck(m_bShowTileAttr ? 1 : 0);
}

void CZellDoc::OnUpdateShowMapAttr(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!m_bShowTileNumbers && !m_bShowTileAttr);
    pCmdUI->SetCheck(m_bShowMapAttr ? 1 : 0);
}

void CZellDoc::OnUpdateShowAttrColours(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
    pCmdUI->SetCheck(m_bShowAttrColours ? 1 : 0);
}

void CZellDoc::OnUpdateLayer(CCmdUI* pCmdUI, CellLayer layer)
{
    pCmdUI->Enable(TRUE);
    pCmdUI->SetCheck(m_activeLayer == layer ? 1 : 0);
}

// The prompt names the step that would be undone or redone.
void CZellDoc::OnUpdateEditUndo(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_undoStack.canUndo());
    pCmdUI->SetPrompt(m_undoStack.canUndo()
                          ? Pellin::tr("실행 취소: ").toStdString() + m_undoStack.undoText().toStdString()
                          : Pellin::tr("실행 취소").toStdString());
}

void CZellDoc::OnUpdateEditRedo(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_undoStack.canRedo());
    pCmdUI->SetPrompt(m_undoStack.canRedo()
                          ? Pellin::tr("다시 실행: ").toStdString() + m_undoStack.redoText().toStdString()
                          : Pellin::tr("다시 실행").toStdString());
}
