#include "tileview.h"

#include <QMenu>
#include <QScrollBar>
#include <algorithm>
#include <memory>
#include <new>
#include <string>

#include "afxmsg.h"
#include "frame.h"
#include "maphint.h"
#include "resource.h"
#include "zelldoc.h"
#include "translation.h"

namespace {
constexpr int kGap = 5;  // pixels right of and below each tile
constexpr COLORREF kBackground = RGB(255, 255, 255);
constexpr const char* kMsgCannotTakeBlock = QT_TRANSLATE_NOOP("Pellin", "지정한 크기로 타일을 잡을수 없습니다");

// The smallest rectangle holding both cells, whichever way the drag went.
CRect Span(const CRect& a, const CRect& b)
{
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}
}  // namespace

CTileView::CTileView() : m_drag(*this) { setAccessibleName(Pellin::tr("타일 팔레트")); }

CTileView::~CTileView() = default;

CZellDoc* CTileView::GetDocument() const { return static_cast<CZellDoc*>(CScrollView::GetDocument()); }

bool CTileView::HasLayout() const
{
    const CZellDoc* doc = GetDocument();
    return doc && doc->TileWidth() > 0 && doc->TileHeight() > 0 && doc->TilesPerRow() > 0;
}

int CTileView::PitchX() const { return GetDocument()->TileWidth() + kGap; }
int CTileView::PitchY() const { return GetDocument()->TileHeight() + kGap; }

void CTileView::OnInitialUpdate()
{
    CScrollView::OnInitialUpdate();
    m_nLayoutWidth = 0;
    m_nLayoutHeight = 0;
    if (HasLayout()) {
        const CZellDoc* doc = GetDocument();
        const int count = doc->Tiles().GetCount();
        const int perRow = doc->TilesPerRow();
        m_nLayoutWidth = PitchX() * perRow;
        m_nLayoutHeight = (count / perRow) * PitchY() + (count % perRow != 0 ? doc->TileHeight() : 0);
    }
    SetScrollSizes(MM_TEXT, CSize(m_nLayoutWidth, m_nLayoutHeight));
    DropSelectionFrame();
}

void CTileView::OnUpdate(CScrollView*, LPARAM lHint, CObject*)
{
    // The document dropped the picked block with any of these; the fresh
    // layout is drawn without its frame.
    if (lHint & kPaletteLayoutHints)
        OnInitialUpdate();
    else if (lHint & (HINT_SELECTION | HINT_TEXT_COLOUR))
        Invalidate(TRUE);
}

void CTileView::OnDraw(CDC* pDC)
{
    const CRect client = GetClientRect();
    const CPoint scroll = GetDeviceScrollPosition();
    // Start from a clean window even when the repaint was asked for without
    // erasing: the frame is drawn anew over the tiles every time.
    pDC->FillSolidRect(CRect(scroll.x, scroll.y, scroll.x + client.Width(), scroll.y + client.Height()), kBackground);

    if (const CZellDoc* doc = GetDocument(); doc && HasLayout()) {
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(doc->TextColor());
        const int pw = PitchX();
        const int ph = PitchY();
        const int perRow = doc->TilesPerRow();
        const int count = doc->Tiles().GetCount();
        // Only the slot rows that reach into the window.
        const int lastRow = std::min((scroll.y + client.Height()) / ph, (count - 1) / perRow);
        for (int row = scroll.y / ph; row <= lastRow; ++row) {
            for (int col = 0; col < perRow && row * perRow + col < count; ++col) {
                const int number = row * perRow + col;
                const CSprite* tile = doc->Tiles().GetAt(number);
                const int x = col * pw;
                const int y = row * ph;
                pDC->DrawScreenBits(x, y, tile->GetScreenBits(), tile->GetWidth(), tile->GetHeight());
                if (doc->ShowPaletteAttr()) pDC->TextOut(x, y, std::to_string(doc->Tiles().AttributeAt(number)));
            }
        }
    }

    // The drag's frame, else the selected block's.
    if (std::optional<CRect> frame = FrameOnScreen()) {
        frame->OffsetRect(scroll.x, scroll.y);
        InvertCellFrame(*pDC, *frame);
    }
}

std::optional<CRect> CTileView::FrameOnScreen() const
{
    return m_drag.IsDragging() ? m_drag.Frame() : SelectionFrame();
}

std::optional<CRect> CTileView::SelectionFrame() const
{
    const CZellDoc* doc = GetDocument();
    if (!doc || !doc->HasSelection() || !HasLayout()) return std::nullopt;
    const CTileBlock& block = doc->Selection();
    if (block.m_nFirstSlot < 0) return std::nullopt;
    // From the top-left slot's cell to the bottom-right slot's, gaps excluded.
    const CPoint scroll = GetDeviceScrollPosition();
    const int column = block.m_nFirstSlot % doc->TilesPerRow();
    const int row = block.m_nFirstSlot / doc->TilesPerRow();
    const int left = column * PitchX() - scroll.x;
    const int top = row * PitchY() - scroll.y;
    return CRect(left, top, left + (block.m_nCols - 1) * PitchX() + doc->TileWidth(),
                 top + (block.m_nRows - 1) * PitchY() + doc->TileHeight());
}

CRect CTileView::CellFromPoint(int x, int y) const
{
    if (!HasLayout()) return {};
    const CZellDoc* doc = GetDocument();
    const int count = doc->Tiles().GetCount();
    const int perRow = doc->TilesPerRow();
    const int pw = PitchX();
    const int ph = PitchY();
    const int rows = count / perRow + (count % perRow != 0 ? 1 : 0);
    const CPoint scroll = GetDeviceScrollPosition();
    const int px = x + scroll.x;
    const int py = y + scroll.y;
    if (count == 0 || px < 0 || py < 0 || px >= pw * perRow || py >= rows * ph) return {};
    const int left = (px / pw) * pw - scroll.x;
    const int top = (py / ph) * ph - scroll.y;
    return {left, top, left + pw - kGap, top + ph - kGap};
}

void CTileView::ClearTileSelection()
{
    if (CZellDoc* doc = GetDocument()) doc->ClearSelection(this);
}

void CTileView::DropSelectionFrame()
{
    CZellDoc* doc = GetDocument();
    if (!doc || !doc->HasSelection()) return;
    ClearTileSelection();
    Invalidate(FALSE);
}

void CTileView::SelectBandTiles(const CRect& band)
{
    CZellDoc* doc = GetDocument();
    if (!doc) return;
    ClearTileSelection();
    if (!HasLayout() || band.IsRectEmpty()) return;
    const int pw = PitchX();
    const int ph = PitchY();
    CTileBlock block;
    block.m_nCols = band.Width() / pw + 1;
    block.m_nRows = band.Height() / ph + 1;
    try {
        block.m_entries.resize(std::size_t(block.m_nCols) * std::size_t(block.m_nRows));
    } catch (const std::bad_alloc&) {
        AfxMessageBox(kMsgCannotTakeBlock);
        return;
    }
    const CPoint scroll = GetDeviceScrollPosition();
    block.m_nFirstSlot = doc->TilesPerRow() * ((band.top + kGap + scroll.y) / ph) + (band.left + kGap + scroll.x) / pw;
    for (int r = 0; r < block.m_nRows; ++r) {
        for (int c = 0; c < block.m_nCols; ++c) {
            const int slotColumn = (band.left + c * pw + kGap + scroll.x) / pw;
            const int slotRow = (band.top + r * ph + kGap + scroll.y) / ph;
            const int t = doc->TilesPerRow() * slotRow + slotColumn;
            block.m_entries[std::size_t(r) * std::size_t(block.m_nCols) + std::size_t(c)] =
                doc->Tiles().GetAt(t) ? short(t) : short(-1);
        }
    }
    doc->SetSelection(std::move(block), this);
}

void CTileView::OnLButtonDown(UINT, CPoint point)
{
    DropSelectionFrame();
    const CRect cell = CellFromPoint(point.x, point.y);
    if (!cell.IsRectEmpty()) m_drag.Press(cell);
}

void CTileView::OnMouseMove(UINT, CPoint point)
{
    if (!m_drag.IsDragging()) return;
    const CRect client = GetClientRect();
    const CPoint scroll = GetDeviceScrollPosition();
    const int px = point.x + scroll.x;
    const int py = point.y + scroll.y;
    CRect cell;
    if (point.x >= 1 && point.x < client.Width() - 1 && point.y >= 1 && point.y < client.Height() - 1 &&
        px < m_nLayoutWidth - 1 && py < m_nLayoutHeight - 1)
        cell = CellFromPoint(point.x, point.y);
    if (cell.IsRectEmpty()) {
        // Leaving the palette gives up the drag: nothing stays selected.
        m_drag.Abandon();
        ClearTileSelection();
        return;
    }
    m_drag.Move(Span(m_drag.Anchor(), cell));
}

void CTileView::OnLButtonUp(UINT, CPoint)
{
    if (!m_drag.IsDragging()) return;
    SelectBandTiles(m_drag.Release() ? m_drag.Band() : m_drag.Anchor());
    Invalidate(FALSE);
}

// Scrolling drops the picked block, but only when the palette moves: a
// wheel notch or a key at the end of the range leaves it picked.
void CTileView::OnVScroll(UINT nSBCode, UINT nPos, QScrollBar* pScrollBar)
{
    if (!pScrollBar || int(nPos) != pScrollBar->value()) DropSelectionFrame();
    CScrollView::OnVScroll(nSBCode, nPos, pScrollBar);
}

void CTileView::OnHScroll(UINT nSBCode, UINT nPos, QScrollBar* pScrollBar)
{
    if (!pScrollBar || int(nPos) != pScrollBar->value()) DropSelectionFrame();
    CScrollView::OnHScroll(nSBCode, nPos, pScrollBar);
}

void CTileView::scrollContentsBy(int dx, int dy)
{
    CScrollView::scrollContentsBy(dx, dy);
    // Keep the frames on the slots they were made on, however the view
    // scrolled (a resize that moves the scroll position included).
    m_drag.Scroll(dx, dy);
}

void CTileView::OnContextMenu(CPoint screenPoint)
{
    CFrameWnd* frame = AfxGetMainWnd();
    if (!GetDocument() || !frame) return;
    // Opened by a right click or from the keyboard: either way the commands
    // are this pane's, and their update handlers say which apply.
    frame->SetActiveView(this);
    const std::unique_ptr<QMenu> menu(frame->BuildMenu(IDR_TILEPOPUP, this));
    if (!menu) return;
    if (const QAction* chosen = menu->exec(QPoint(screenPoint.x, screenPoint.y)))
        frame->SendCommand(chosen->data().toUInt());
}
