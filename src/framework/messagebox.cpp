#include "messagebox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTranslator>

#include "afxmsg.h"
#include "mainwidget.h"
#include "mnemonic.h"
#include "translation.h"

namespace {
QMessageBox::StandardButtons ButtonsFor(unsigned type)
{
    if (type & MB_PLAIN_WINDOW_BOX) return QMessageBox::Ok;
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return QMessageBox::Ok | QMessageBox::Cancel;
    case MB_YESNO: return QMessageBox::Yes | QMessageBox::No;
    case MB_YESNOCANCEL: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    default: return QMessageBox::Ok;
    }
}

QMessageBox::Icon IconFor(unsigned type)
{
    if (type & MB_PLAIN_WINDOW_BOX) return QMessageBox::NoIcon;
    switch (type & MB_ICONMASK) {
    case MB_ICONHAND: return QMessageBox::Critical;
    case MB_ICONQUESTION: return QMessageBox::Question;
    case MB_ICONEXCLAMATION: return QMessageBox::Warning;
    case MB_ICONASTERISK: return QMessageBox::Information;
    default: return QMessageBox::Warning;
    }
}

// Esc and the close button: Windows allows them only where a Cancel (or a
// lone OK) button exists; a Yes/No box must be answered.
QMessageBox::StandardButton EscapeFor(QMessageBox::StandardButtons buttons)
{
    if (buttons & QMessageBox::Cancel) return QMessageBox::Cancel;
    if (buttons == QMessageBox::Ok) return QMessageBox::Ok;
    return QMessageBox::NoButton;
}

int IdFor(QMessageBox::StandardButton button)
{
    switch (button) {
    case QMessageBox::Ok: return IDOK;
    case QMessageBox::Yes: return IDYES;
    case QMessageBox::No: return IDNO;
    default: return IDCANCEL;
    }
}
}  // namespace

int AfxShowQtMessageBox(const std::string& text, unsigned type)
{
    // Like the Windows framework, a box raised while a dialog runs belongs
    // to that dialog, so it comes up over it.
    QWidget* owner = QApplication::activeModalWidget();
    if (!owner) owner = AfxGetMainWidget();

    QMessageBox box(owner);
    box.setWindowTitle(QString::fromUtf8(kAppName));
    box.setTextFormat(Qt::PlainText);
    box.setText(Pellin::tr(text.c_str()));
    box.setIcon(IconFor(type));
    const QMessageBox::StandardButtons buttons = ButtonsFor(type);
    box.setStandardButtons(buttons);
    box.setDefaultButton(buttons & QMessageBox::Yes ? QMessageBox::Yes : QMessageBox::Ok);
    const QMessageBox::StandardButton escape = EscapeFor(buttons);
    if (escape != QMessageBox::NoButton) box.setEscapeButton(escape);
    for (QAbstractButton* button : box.buttons()) button->setAccessibleName(AfxStripMnemonic(button->text()));

    box.exec();
    if (QAbstractButton* clicked = box.clickedButton()) return IdFor(box.standardButton(clicked));
    // Closed from outside without a button (never by the user of a Yes/No box).
    if (escape != QMessageBox::NoButton) return IdFor(escape);
    return IDNO;
}

void AfxInstallQtMessageSink() { AfxSetMessageSink(&AfxShowQtMessageBox); }

bool AfxInstallQtTranslations(QCoreApplication& app)
{
    const bool english = CurrentInterfaceLanguage() == InterfaceLanguage::English;
    auto* translator = new QTranslator(&app);
    const QString name = english ? QStringLiteral("qtbase_en") : QStringLiteral("qtbase_ko");
    if (!translator->load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    app.installTranslator(translator);
    return true;
}
