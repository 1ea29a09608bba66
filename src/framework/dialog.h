// Modal dialogs in the classic shape: a dialog object built from its
// template lives as long as its owner, and each DoModal creates the
// controls, runs OnInitDialog, runs until EndDialog and destroys the
// controls again, so every run starts from the template.
#pragma once

#include <QDialog>
#include <QPointer>
#include <functional>
#include <map>
#include <utility>
#include <vector>

#include "afxmsg.h"
#include "wintypes.h"
#include "ddx.h"
#include "dlgtemplate.h"
#include "dlgunits.h"

class QPainter;

// Notification codes a trackbar sends with WM_VSCROLL.
namespace dlgstyle {
constexpr UINT TB_LINEUP = 0;
constexpr UINT TB_LINEDOWN = 1;
constexpr UINT TB_PAGEUP = 2;
constexpr UINT TB_PAGEDOWN = 3;
constexpr UINT TB_THUMBTRACK = 5;
constexpr UINT TB_TOP = 6;
constexpr UINT TB_BOTTOM = 7;
constexpr UINT TB_ENDTRACK = 8;
}  // namespace dlgstyle

class CDialog : public QDialog {
    Q_OBJECT
public:
    // A dialog without a parent runs owned by the main window. The template
    // is static data and must outlive the dialog.
    explicit CDialog(const DlgTemplate& dlgTemplate, QWidget* pParentWnd = nullptr);
    ~CDialog() override;

    // Runs the dialog; IDOK or IDCANCEL (or what EndDialog was given).
    virtual int DoModal();
    void EndDialog(int nResult);

    // FALSE: members to controls. TRUE: controls to members with
    // validation; FALSE comes back when a value was refused.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    // The control with that id while the dialog runs, else null.
    QWidget* GetDlgItem(UINT nID) const;
    DialogBaseUnits GetBaseUnits() const { return m_base; }
    void GetClientRect(CRect* pRect) const;
    void InvalidateRect(const CRect& rect, BOOL bErase = TRUE);

    // The base shows the members in the controls. TRUE: the first tab stop
    // gets the focus.
    virtual BOOL OnInitDialog();
    // The base reads and validates, and ends with IDOK only when that works.
    virtual void OnOK();
    virtual void OnCancel();

    // Enter, Esc and the close button come here as OnOK and OnCancel.
    void accept() override;
    void reject() override;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual void OnShowWindow(BOOL bShow, UINT nStatus);
    virtual void OnVScroll(UINT nSBCode, UINT nPos, QWidget* pScrollBar);
    // Draws over the dialog's background, under its controls.
    virtual void OnPaint(QPainter& dc);

    // The message map: what a control's notification runs.
    void MapBnClicked(UINT nID, std::function<void()> handler);
    void MapEnChange(UINT nID, std::function<void()> handler);

    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    enum class Notification { Clicked, Changed };

    void CreateControls();
    void DestroyControls();
    void ConnectNotifications(const DlgItemTemplate& item, QWidget* widget);
    void Notify(UINT nID, Notification code);
    void FocusFirstTabStop();

    const DlgTemplate& m_template;
    QPointer<QWidget> m_pParentWnd;
    DialogBaseUnits m_base;
    std::vector<std::pair<UINT, QWidget*>> m_controls;
    std::map<std::pair<UINT, Notification>, std::function<void()>> m_messageMap;
    // Set while DoDataExchange runs: the notifications that writing into
    // the controls causes are not the user's doing and are dropped.
    bool m_bExchanging = false;
    UINT m_lastTrackbarCode = dlgstyle::TB_THUMBTRACK;
};
