// Static splitter windows: a fixed grid of panes (one row or one column
// here) whose sizes start at their ideal values; the last pane takes what
// is left, and a pane whose ideal size is below its minimum gets none.
#pragma once

#include <QSplitter>
#include <functional>
#include <vector>

#include "createcontext.h"
#include "wintypes.h"

class CScrollView;

class CSplitterWnd : public QSplitter {
    Q_OBJECT
public:
    CSplitterWnd();

    // pParent is the frame's client area or another splitter; in the latter
    // case nID names the parent pane this splitter fills (IdFromRowCol).
    BOOL CreateStatic(QWidget* pParent, int nRows, int nCols, DWORD dwStyle = WS_CHILD | WS_VISIBLE, UINT nID = 0);
    BOOL CreateView(int row, int col, const std::function<CScrollView*()>& makeView, CSize sizeInit,
                    CCreateContext* pContext);
    QWidget* GetPane(int row, int col) const;
    UINT IdFromRowCol(int row, int col) const;
    void SetRowInfo(int row, int cyIdeal, int cyMin);
    void SetColumnInfo(int col, int cxIdeal, int cxMin);
    // Lays the panes out from their ideal sizes.
    void RecalcLayout();

    // The sizes the panes get for a given extent (pure arithmetic, testable).
    static std::vector<int> LayoutSizes(const std::vector<int>& ideal, const std::vector<int>& minimum, int extent,
                                        int barWidth);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    int Index(int row, int col) const { return row * m_nCols + col; }
    void SetPane(int index, QWidget* pane);

    int m_nRows = 0;
    int m_nCols = 0;
    std::vector<QWidget*> m_panes;
    std::vector<int> m_ideal;
    std::vector<int> m_min;
};
