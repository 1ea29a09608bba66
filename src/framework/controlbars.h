// The frame's toolbar and status bar.
#pragma once

#include <QLabel>
#include <QStatusBar>
#include <QToolBar>
#include <vector>

#include "wintypes.h"

class CFrameWnd;
class QToolButton;

constexpr DWORD TBSTYLE_FLAT = 0x0800;
constexpr DWORD CBRS_TOP = 0x2000;
constexpr DWORD CBRS_BOTTOM = 0x8000;
constexpr DWORD CBRS_GRIPPER = 0x00400000;
constexpr DWORD CBRS_TOOLTIPS = 0x0010;
constexpr DWORD CBRS_FLYBY = 0x0020;
constexpr DWORD CBRS_SIZE_DYNAMIC = 0x0040;
constexpr DWORD CBRS_ALIGN_ANY = 0xF000;

class CToolBar : public QToolBar {
    Q_OBJECT
public:
    CToolBar();
    BOOL CreateEx(CFrameWnd* pParent, DWORD dwCtrlStyle, DWORD dwStyle, CRect rcBorders = {}, UINT nID = 0);
    // Buttons, their pictures and their strings from the toolbar resource.
    BOOL LoadToolBar(UINT nIDResource);
    void EnableDocking(DWORD dwDockStyle);
    QToolButton* GetButton(UINT nID) const;
    const std::vector<UINT>& Buttons() const { return m_buttons; }

private:
    CFrameWnd* m_pFrame = nullptr;
    std::vector<UINT> m_buttons;
};

class CStatusBar : public QStatusBar {
    Q_OBJECT
public:
    CStatusBar();
    BOOL Create(CFrameWnd* pParent, DWORD dwStyle = 0, UINT nID = 0);
    // The first id (ID_SEPARATOR) is the message pane; the others are
    // indicators whose texts come from the string table.
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);
    // What the message pane shows when nothing else is to be said.
    QString IdleMessage() const;
    QLabel* Indicator(UINT id) const;

private:
    std::vector<std::pair<UINT, QLabel*>> m_indicators;
};
