#include "splitter.h"

#include <QMainWindow>
#include <QResizeEvent>
#include <numeric>

#include "cmdids.h"
#include "scrollview.h"

CSplitterWnd::CSplitterWnd()
{
    setChildrenCollapsible(true);
    setOpaqueResize(true);
    // A moved bar sets the new ideal sizes, as dragging a splitter bar does.
    connect(this, &QSplitter::splitterMoved, this, [this](int, int) {
        const QList<int> current = sizes();
        for (int i = 0; i < int(m_ideal.size()) && i < current.size(); ++i) m_ideal[i] = current[i];
    });
}

BOOL CSplitterWnd::CreateStatic(QWidget* pParent, int nRows, int nCols, DWORD, UINT nID)
{
    if (nRows < 1 || nCols < 1 || (nRows > 1 && nCols > 1)) return FALSE;
    m_nRows = nRows;
    m_nCols = nCols;
    setOrientation(nRows > 1 ? Qt::Vertical : Qt::Horizontal);
    m_panes.assign(std::size_t(nRows * nCols), nullptr);
    m_ideal.assign(m_panes.size(), 0);
    m_min.assign(m_panes.size(), 0);
    if (auto* parentSplitter = qobject_cast<CSplitterWnd*>(pParent)) {
        const int index = int(nID) - int(AFX_IDW_PANE_FIRST);
        const int row = index / 16;
        const int col = index % 16;
        if (row >= parentSplitter->m_nRows || col >= parentSplitter->m_nCols) return FALSE;
        parentSplitter->SetPane(parentSplitter->Index(row, col), this);
    } else if (auto* frame = qobject_cast<QMainWindow*>(pParent)) {
        frame->setCentralWidget(this);
    } else if (pParent) {
        setParent(pParent);
    }
    return TRUE;
}

void CSplitterWnd::SetPane(int index, QWidget* pane)
{
    int position = 0;
    for (int i = 0; i < index; ++i)
        if (m_panes[std::size_t(i)]) ++position;
    m_panes[std::size_t(index)] = pane;
    pane->setMinimumSize(0, 0);
    insertWidget(position, pane);
    setCollapsible(position, true);
}

BOOL CSplitterWnd::CreateView(int row, int col, const std::function<CScrollView*()>& makeView, CSize,
                              CCreateContext* pContext)
{
    if (row < 0 || row >= m_nRows || col < 0 || col >= m_nCols || GetPane(row, col)) return FALSE;
    CScrollView* view = makeView ? makeView() : nullptr;
    if (!view) return FALSE;
    if (pContext) view->AttachDocument(pContext->m_pCurrentDoc);
    SetPane(Index(row, col), view);
    if (view->OnCreate() == -1) {
        m_panes[std::size_t(Index(row, col))] = nullptr;
        delete view;
        return FALSE;
    }
    return TRUE;
}

QWidget* CSplitterWnd::GetPane(int row, int col) const
{
    if (row < 0 || row >= m_nRows || col < 0 || col >= m_nCols) return nullptr;
    return m_panes[std::size_t(Index(row, col))];
}

UINT CSplitterWnd::IdFromRowCol(int row, int col) const { return AFX_IDW_PANE_FIRST + UINT(row * 16 + col); }

void CSplitterWnd::SetRowInfo(int row, int cyIdeal, int cyMin)
{
    if (m_nRows < 2 || row < 0 || row >= m_nRows) return;
    m_ideal[std::size_t(row)] = cyIdeal;
    m_min[std::size_t(row)] = cyMin;
}

void CSplitterWnd::SetColumnInfo(int col, int cxIdeal, int cxMin)
{
    if (m_nCols < 2 || col < 0 || col >= m_nCols) return;
    m_ideal[std::size_t(col)] = cxIdeal;
    m_min[std::size_t(col)] = cxMin;
}

std::vector<int> CSplitterWnd::LayoutSizes(const std::vector<int>& ideal, const std::vector<int>& minimum, int extent,
                                           int barWidth)
{
    std::vector<int> result(ideal.size(), 0);
    if (ideal.empty()) return result;
    int left = extent - barWidth * int(ideal.size() - 1);
    for (std::size_t i = 0; i + 1 < ideal.size(); ++i) {
        int size = ideal[i] < minimum[i] ? 0 : ideal[i];
        size = std::clamp(size, 0, std::max(0, left));
        result[i] = size;
        left -= size;
    }
    result.back() = std::max(0, left);
    return result;
}

void CSplitterWnd::RecalcLayout()
{
    if (m_panes.empty() || std::find(m_panes.begin(), m_panes.end(), nullptr) != m_panes.end()) return;
    const int extent = orientation() == Qt::Vertical ? height() : width();
    const std::vector<int> layout = LayoutSizes(m_ideal, m_min, extent, handleWidth());
    setSizes(QList<int>(layout.begin(), layout.end()));
}

void CSplitterWnd::resizeEvent(QResizeEvent* event)
{
    QSplitter::resizeEvent(event);
    RecalcLayout();
}
