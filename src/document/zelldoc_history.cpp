// Moving through the history many steps at once (the history list's
// clicks): each step changes the map as undo and redo do, but the views
// hear of the changed cells once for all of them.
#include "zelldoc.h"

bool CZellDoc::JumpToHistoryStep(int index)
{
    // An open group of edits (a stroke, or an eraser drag's macro) owns the
    // top of the history: with one open the stack can neither undo nor redo.
    const bool groupOpen = m_undoStack.count() > 0 && !m_undoStack.canUndo() && !m_undoStack.canRedo();
    if (InStroke() || groupOpen || m_pendingCells) return false;
    if (index < 0 || index > m_undoStack.count()) return false;
    if (index == m_undoStack.index()) return true;
    m_pendingCells.emplace();
    m_undoStack.setIndex(index);
    const PendingCells pending = *m_pendingCells;
    m_pendingCells.reset();
    if (pending.any) CellsChanged(pending.cells, pending.tiles);
    return true;
}
