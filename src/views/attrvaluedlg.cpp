#include "attrvaluedlg.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

#include "afxmsg.h"
#include "translation.h"

CAttrValueDlg::CAttrValueDlg(QWidget* parent, std::function<bool(short)> isListed)
    : QDialog(parent), m_isListed(std::move(isListed))
{
    setWindowTitle(Pellin::tr("새 속성 값"));
    Build(true, false);
}

CAttrValueDlg::CAttrValueDlg(QWidget* parent, const AttrValueInfo& info) : QDialog(parent), m_value(info.value)
{
    setWindowTitle(Pellin::tr("속성 값 %1").arg(info.value));
    if (info.colourChosen) m_colour = info.colour;
    Build(false, info.value == 0);
    m_pName->setText(QString::fromStdString(info.name));
}

void CAttrValueDlg::Build(bool askNumber, bool nameFixed)
{
    setAccessibleName(windowTitle());
    auto* form = new QFormLayout(this);
    if (askNumber) {
        m_pNumber = new QLineEdit(this);
        m_pNumber->setAccessibleName(Pellin::tr("값"));
        form->addRow(Pellin::tr("값(&V):"), m_pNumber);
        // The default colour shown follows the number typed.
        connect(m_pNumber, &QLineEdit::textChanged, this, [this](const QString& text) {
            bool ok = false;
            const int number = text.trimmed().toInt(&ok);
            if (ok && number >= -32768 && number <= 32767) m_value = short(number);
            ShowColour();
        });
    }
    m_pName = new QLineEdit(this);
    m_pName->setAccessibleName(Pellin::tr("이름"));
    // 0 is always "없음".
    m_pName->setEnabled(!nameFixed);
    form->addRow(Pellin::tr("이름(&N):"), m_pName);
    m_pColour = new QPushButton(this);
    // Named by the colour it shows (its text); what it is goes in the description.
    m_pColour->setAccessibleDescription(Pellin::tr("색"));
    connect(m_pColour, &QPushButton::clicked, this, [this] {
        const AttrColour now = m_colour.value_or(DefaultAttrColour(Value()));
        const QColor picked = QColorDialog::getColor(QColor(now.red, now.green, now.blue), this, Pellin::tr("속성 색"));
        if (!picked.isValid()) return;
        m_colour = AttrColour{std::uint8_t(picked.red()), std::uint8_t(picked.green()), std::uint8_t(picked.blue())};
        ShowColour();
    });
    form->addRow(Pellin::tr("색(&C):"), m_pColour);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(Pellin::tr("확인"));
    buttons->button(QDialogButtonBox::Ok)->setAccessibleName(Pellin::tr("확인"));
    buttons->button(QDialogButtonBox::Cancel)->setText(Pellin::tr("취소"));
    buttons->button(QDialogButtonBox::Cancel)->setAccessibleName(Pellin::tr("취소"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
    ShowColour();
}

void CAttrValueDlg::ShowColour()
{
    const AttrColour c = m_colour.value_or(DefaultAttrColour(m_value));
    const QString name = QColor(c.red, c.green, c.blue).name();
    m_pColour->setText(m_colour ? name : name + Pellin::tr(" (기본)"));
    m_pColour->setStyleSheet(QStringLiteral("background-color: %1").arg(name));
}

std::string CAttrValueDlg::Name() const
{
    return m_pName->isEnabled() ? m_pName->text().trimmed().toStdString() : std::string();
}

void CAttrValueDlg::accept()
{
    if (m_pNumber) {
        bool ok = false;
        const int number = m_pNumber->text().trimmed().toInt(&ok);
        if (!ok || number < -32768 || number > 32767) {
            AfxMessageBox(kMsgAttrValueRange, MB_OK | MB_ICONEXCLAMATION);
            m_pNumber->setFocus();
            return;
        }
        if (m_isListed && m_isListed(short(number))) {
            AfxMessageBox(Pellin::trStd(kMsgAttrValueListed) + std::to_string(number), MB_OK | MB_ICONEXCLAMATION);
            m_pNumber->setFocus();
            return;
        }
        m_value = short(number);
    }
    QDialog::accept();
}
