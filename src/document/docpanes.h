// How the document's commands reach the panes: only through the main
// frame's four pane pointers. A document without a frame (run alone, or
// while the frame is being built) simply has no panes to refresh.
#pragma once

#include "app/mainfrm.h"
#include "frame.h"
#include "views/bmpview.h"
#include "views/mapview.h"
#include "views/smallmapview.h"
#include "views/tileview.h"

// The pane the frame keeps in that member, or null.
template <class View>
View* DocPane(View* CMainFrame::*pane)
{
    CMainFrame* frame = qobject_cast<CMainFrame*>(AfxGetMainWnd());
    return frame ? frame->*pane : nullptr;
}

// Re-initialising a pane makes it recompute its layout and invalidate itself.
inline void ReinitialisePane(CScrollView* pane)
{
    if (pane) pane->OnInitialUpdate();
}

inline void RepaintPane(CScrollView* pane, BOOL bErase)
{
    if (pane) pane->InvalidateRect(nullptr, bErase);
}
