#include "document.h"

#include <algorithm>

#include "scrollview.h"

CDocument::CDocument() = default;

CDocument::~CDocument()
{
    for (CScrollView* view : std::vector<CScrollView*>(m_views)) view->AttachDocument(nullptr);
}

BOOL CDocument::OnNewDocument()
{
    m_strPathName.clear();
    return TRUE;
}

void CDocument::AddView(CScrollView* pView)
{
    if (pView && std::find(m_views.begin(), m_views.end(), pView) == m_views.end()) m_views.push_back(pView);
}

void CDocument::RemoveView(CScrollView* pView) { std::erase(m_views, pView); }

void CDocument::UpdateAllViews(CScrollView* pSender, LPARAM lHint, CObject* pHint)
{
    // A view may go away while another redraws (a modal loop runs events):
    // the list is copied, and each view is checked before it is called.
    const std::vector<CScrollView*> views = m_views;
    for (CScrollView* view : views) {
        if (view == pSender || std::find(m_views.begin(), m_views.end(), view) == m_views.end()) continue;
        view->OnUpdate(pSender, lHint, pHint);
    }
}
