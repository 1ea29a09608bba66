#include "smallmapview.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "app/mainfrm.h"
#include "document/zelldoc.h"
#include "mapview.h"

namespace {
int ClampToInt(std::uint64_t value) { return int(std::min<std::uint64_t>(value, INT_MAX)); }

// A map size taken as unsigned: a negative one counts as nothing.
std::uint64_t Unsigned(int value) { return value < 0 ? 0 : std::uint64_t(value); }
}  // namespace

CSmallMapView::CSmallMapView() { setAccessibleName(QStringLiteral("전체 맵")); }

CSmallMapView::~CSmallMapView() = default;

CZellDoc* CSmallMapView::GetDocument() const { return static_cast<CZellDoc*>(CScrollView::GetDocument()); }

void CSmallMapView::OnInitialUpdate()
{
    CScrollView::OnInitialUpdate();
    const CZellDoc* pDoc = GetDocument();
    if (!pDoc) return;
    const std::uint64_t srcWidth = std::uint64_t(pDoc->m_nTileWidth) * Unsigned(pDoc->m_nMapWidth);
    const std::uint64_t srcHeight = std::uint64_t(pDoc->m_nTileHeight) * Unsigned(pDoc->m_nMapHeight);
    m_nViewWidth = ClampToInt(srcWidth / 10 * 5);
    m_nViewHeight = ClampToInt(srcHeight / 10 * 5);
    m_nSrcWidth = ClampToInt(srcWidth);
    m_nSrcHeight = ClampToInt(srcHeight);
    SetScrollSizes(MM_TEXT, CSize(m_nViewWidth, m_nViewHeight));
}

void CSmallMapView::OnDraw(CDC* pDC)
{
    const auto* frame = qobject_cast<CMainFrame*>(AfxGetMainWnd());
    CMapView* pMapView = frame ? frame->m_pMapView : nullptr;
    if (!pMapView || !pMapView->HasMapImage()) return;
    pDC->StretchBlt(0, 0, m_nViewWidth, m_nViewHeight, &pMapView->m_dcMap, 0, 0, m_nSrcWidth, m_nSrcHeight, SRCCOPY);
}
