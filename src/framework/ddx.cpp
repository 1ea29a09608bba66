#include "ddx.h"
#include "translation.h"

#include <QLineEdit>
#include <climits>
#include <optional>

#include "afxmsg.h"
#include "ddxparse.h"
#include "dialog.h"
#include "dlgcontrols.h"
#include "resources.h"

CDataExchange::CDataExchange(CDialog* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd)
{
}

QWidget* CDataExchange::PrepareCtrl(UINT nIDC)
{
    Finish();
    m_pLastControl = m_pDlgWnd->GetDlgItem(nIDC);
    m_bEditLastControl = false;
    return m_pLastControl;
}

QLineEdit* CDataExchange::PrepareEditCtrl(UINT nIDC)
{
    auto* edit = qobject_cast<QLineEdit*>(PrepareCtrl(nIDC));
    m_bEditLastControl = edit != nullptr;
    return edit;
}

void CDataExchange::Fail()
{
    m_bFailed = true;
    if (!m_pLastControl) return;
    m_pLastControl->setFocus(Qt::OtherFocusReason);
    if (m_bEditLastControl) qobject_cast<QLineEdit*>(m_pLastControl.data())->selectAll();
}

std::string AfxFrameworkString(UINT nID)
{
    const std::string text = AfxLoadString(nID);
    if (!text.empty()) return text;
    switch (nID) {
    case AFX_IDP_PARSE_INT: return Pellin::trStd(QT_TRANSLATE_NOOP("Pellin", "정수를 입력하십시오."));
    case AFX_IDP_PARSE_INT_RANGE:
        return Pellin::trStd(QT_TRANSLATE_NOOP("Pellin", "%1와(과) %2 사이의 정수를 입력하십시오."));
    case AFX_IDP_PARSE_BYTE:
        return Pellin::trStd(QT_TRANSLATE_NOOP("Pellin", "0 에서 255 사이의 정수를 입력하십시오."));
    case AFX_IDP_PARSE_UINT: return Pellin::trStd(QT_TRANSLATE_NOOP("Pellin", "양의 정수를 입력하십시오."));
    default: return {};
    }
}

namespace {
void FailWith(CDataExchange* pDX, const std::string& message)
{
    AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
    pDX->Fail();
}

std::string Replace(std::string text, const std::string& marker, const std::string& value)
{
    const auto at = text.find(marker);
    if (at != std::string::npos) text.replace(at, marker.size(), value);
    return text;
}

void FailRange(CDataExchange* pDX, long long minVal, long long maxVal)
{
    std::string text = AfxFrameworkString(AFX_IDP_PARSE_INT_RANGE);
    text = Replace(Replace(text, "%1", std::to_string(minVal)), "%2", std::to_string(maxVal));
    FailWith(pDX, text);
}

// Moves one whole number between a member and an edit. Reading accepts
// what the parse rules allow and lies in [low, high], else fails with the
// message the field's type has. For an int that message only says "an
// integer", so a number merely too large for it is left to the range check
// (DeferTooLarge), as any other number out of the dialog's range.
template <typename T>
void ExchangeInteger(CDataExchange* pDX, UINT nIDC, T& value, long long low, long long high, UINT failMessage,
                     bool tooLargeToRangeCheck = false)
{
    if (pDX->Stopped()) return;
    QLineEdit* edit = pDX->PrepareEditCtrl(nIDC);
    if (!edit) return;
    if (!pDX->m_bSaveAndValidate) {
        edit->setText(QString::number(value));
        return;
    }
    const std::optional<long long> number = AfxParseDialogInteger(edit->text().toStdString(), low < 0);
    if (number && (*number < low || *number > high) && tooLargeToRangeCheck) {
        pDX->DeferTooLarge(failMessage);
        return;
    }
    if (!number || *number < low || *number > high) {
        FailWith(pDX, AfxFrameworkString(failMessage));
        return;
    }
    value = static_cast<T>(*number);
}
}  // namespace

void CDataExchange::Finish()
{
    if (const UINT message = m_nTooLargeMessage; message != 0 && !Stopped()) {
        m_nTooLargeMessage = 0;
        FailWith(this, AfxFrameworkString(message));
    }
}

void DDX_Control(CDataExchange* pDX, UINT nIDC, CDlgControl& rControl)
{
    if (!rControl.GetWidget()) rControl.Attach(pDX->m_pDlgWnd->GetDlgItem(nIDC));
}

void DDX_Text(CDataExchange* pDX, UINT nIDC, BYTE& value)
{
    ExchangeInteger(pDX, nIDC, value, 0, 255, AFX_IDP_PARSE_BYTE);
}

void DDX_Text(CDataExchange* pDX, UINT nIDC, short& value)
{
    ExchangeInteger(pDX, nIDC, value, SHRT_MIN, SHRT_MAX, AFX_IDP_PARSE_INT);
}

void DDX_Text(CDataExchange* pDX, UINT nIDC, int& value)
{
    ExchangeInteger(pDX, nIDC, value, INT_MIN, INT_MAX, AFX_IDP_PARSE_INT, true);
}

void DDX_Text(CDataExchange* pDX, UINT nIDC, UINT& value)
{
    ExchangeInteger(pDX, nIDC, value, 0, UINT_MAX, AFX_IDP_PARSE_UINT);
}

void DDV_MinMaxByte(CDataExchange* pDX, BYTE value, BYTE minVal, BYTE maxVal)
{
    DDV_MinMaxInt(pDX, value, minVal, maxVal);
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    if (!pDX->m_bSaveAndValidate || pDX->HasFailed()) return;
    if (pDX->TakeTooLarge() || value < minVal || value > maxVal) FailRange(pDX, minVal, maxVal);
}
