// Dialog data exchange: moving member values into a running dialog's
// controls (UpdateData(FALSE)) and reading and validating them back
// (UpdateData(TRUE)). The first failure shows the framework's message,
// puts the focus into the offending control and stops the exchange: no
// member after it is stored.
#pragma once

#include <QPointer>
#include <string>
#include <utility>

#include "wintypes.h"

class CDialog;
class CDlgControl;
class QLineEdit;
class QWidget;

// The framework's own messages in the string table.
constexpr UINT AFX_IDP_PARSE_INT = 61712;
constexpr UINT AFX_IDP_PARSE_INT_RANGE = 61714;
constexpr UINT AFX_IDP_PARSE_BYTE = 61718;
constexpr UINT AFX_IDP_PARSE_UINT = 61719;

class CDataExchange {
public:
    CDataExchange(CDialog* pDlgWnd, BOOL bSaveAndValidate);

    BOOL m_bSaveAndValidate;  // TRUE: controls to members
    CDialog* m_pDlgWnd;

    // Looks up a control and remembers it as the one a failure points at.
    QWidget* PrepareCtrl(UINT nIDC);
    QLineEdit* PrepareEditCtrl(UINT nIDC);
    // Focus (and, in an edit, select) the last prepared control; the rest
    // of the exchange then does nothing.
    void Fail();
    bool HasFailed() const { return m_bFailed; }
    // Reading goes on only while nothing has failed.
    bool Stopped() const { return m_bSaveAndValidate && m_bFailed; }

    // A well-formed number too large for its member is refused by the range
    // check that follows it, with the same message as any other number out
    // of range. With no range check after it, it is refused as unreadable
    // (parseMessage) when the next control is prepared or the exchange ends.
    void DeferTooLarge(UINT parseMessage) { m_nTooLargeMessage = parseMessage; }
    bool TakeTooLarge() { return std::exchange(m_nTooLargeMessage, 0u) != 0; }
    void Finish();

private:
    QPointer<QWidget> m_pLastControl;
    bool m_bEditLastControl = false;
    bool m_bFailed = false;
    UINT m_nTooLargeMessage = 0;
};

// The text of a framework message: the string table's, else the built-in one.
std::string AfxFrameworkString(UINT nID);

void DDX_Control(CDataExchange* pDX, UINT nIDC, CDlgControl& rControl);
void DDX_Text(CDataExchange* pDX, UINT nIDC, BYTE& value);
void DDX_Text(CDataExchange* pDX, UINT nIDC, short& value);
void DDX_Text(CDataExchange* pDX, UINT nIDC, int& value);
void DDX_Text(CDataExchange* pDX, UINT nIDC, UINT& value);
void DDV_MinMaxByte(CDataExchange* pDX, BYTE value, BYTE minVal, BYTE maxVal);
void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
