// The dialog of one attribute value: its number (only when adding one), an
// optional name and a colour. The number is checked on OK: outside -32768
// to 32767 or already listed, it is refused with a message and the dialog
// stays.
#pragma once

#include <QDialog>
#include <functional>
#include <optional>
#include <string>

#include "attrvalues.h"

class QLineEdit;
class QPushButton;

inline constexpr const char* kMsgAttrValueRange =
    QT_TRANSLATE_NOOP("Pellin", "-32768와(과) 32767 사이의 정수를 입력하십시오.");
inline constexpr const char* kMsgAttrValueListed = QT_TRANSLATE_NOOP("Pellin", "이미 있는 속성 값입니다: ");

class CAttrValueDlg : public QDialog {
    Q_OBJECT
public:
    // Adding: the number is asked for, and isListed says which are taken.
    CAttrValueDlg(QWidget* parent, std::function<bool(short)> isListed);
    // Editing the value of info: its name (none for 0) and colour.
    CAttrValueDlg(QWidget* parent, const AttrValueInfo& info);

    short Value() const { return m_value; }
    std::string Name() const;
    std::optional<AttrColour> Colour() const { return m_colour; }

    void accept() override;

private:
    void Build(bool askNumber, bool nameFixed);
    void ShowColour();

    std::function<bool(short)> m_isListed;
    short m_value = 0;
    std::optional<AttrColour> m_colour;
    QLineEdit* m_pNumber = nullptr;
    QLineEdit* m_pName = nullptr;
    QPushButton* m_pColour = nullptr;
};
