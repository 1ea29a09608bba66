#include "uiinput.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

void ClickWidget(QWidget* widget, QPoint at)
{
    ASSERT_NE(widget, nullptr);
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, at == QPoint(-1, -1) ? widget->rect().center() : at);
}

namespace {
Qt::Key KeyFor(QChar c)
{
    if (c >= u'0' && c <= u'9') return Qt::Key(Qt::Key_0 + (c.unicode() - u'0'));
    if (c >= u'a' && c <= u'z') return Qt::Key(Qt::Key_A + (c.unicode() - u'a'));
    if (c >= u'A' && c <= u'Z') return Qt::Key(Qt::Key_A + (c.unicode() - u'A'));
    if (c == u' ') return Qt::Key_Space;
    if (c == u'\t') return Qt::Key_Tab;
    if (c == u'-') return Qt::Key_Minus;
    if (c == u'+') return Qt::Key_Plus;
    return Qt::Key_unknown;
}
}  // namespace

void TypeText(QWidget* widget, const QString& text)
{
    ASSERT_NE(widget, nullptr);
    QPointer<QWidget> target(widget);
    for (const QChar c : text) {
        if (!target) return;
        // A tab inside an edit's text is typed as a character, not a focus move.
        const Qt::Key key = c == u'\t' ? Qt::Key_unknown : KeyFor(c);
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(target, &press);
        if (!target) return;
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(target, &release);
    }
}

void PressKey(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    ASSERT_NE(widget, nullptr);
    QTest::keyClick(widget, key, modifiers);
}

void ReplaceText(QWidget* edit, const QString& text)
{
    auto* lineEdit = qobject_cast<QLineEdit*>(edit);
    ASSERT_NE(lineEdit, nullptr);
    lineEdit->setFocus();
    lineEdit->selectAll();
    if (text.isEmpty())
        PressKey(lineEdit, Qt::Key_Backspace);
    else
        TypeText(lineEdit, text);
}

QString MessageText(QWidget* box)
{
    auto* messageBox = qobject_cast<QMessageBox*>(box);
    return messageBox ? messageBox->text() : QString();
}

QMessageBox::Icon MessageIcon(QWidget* box)
{
    auto* messageBox = qobject_cast<QMessageBox*>(box);
    return messageBox ? messageBox->icon() : QMessageBox::NoIcon;
}

QStringList MessageButtonTexts(QWidget* box)
{
    QStringList texts;
    if (auto* messageBox = qobject_cast<QMessageBox*>(box)) {
        for (QAbstractButton* button : messageBox->buttons()) texts << button->text();
    }
    return texts;
}

void PressMessageButton(QWidget* box, QMessageBox::ButtonRole role)
{
    auto* messageBox = qobject_cast<QMessageBox*>(box);
    ASSERT_NE(messageBox, nullptr) << "not a message box";
    for (QAbstractButton* button : messageBox->buttons()) {
        if (messageBox->buttonRole(button) == role) {
            ClickWidget(button);
            return;
        }
    }
    FAIL() << "message box has no button with role " << role;
}

ModalAnswerer::Handler AnswerMessage(QString* text, QMessageBox::ButtonRole role)
{
    return [text, role](QWidget* box) {
        if (text) *text = MessageText(box);
        PressMessageButton(box, role);
    };
}

QWidget* FindByAccessibleName(QWidget* root, const QString& name)
{
    if (!root) return nullptr;
    for (QWidget* child : root->findChildren<QWidget*>()) {
        if (child->accessibleName() == name) return child;
    }
    return nullptr;
}

void AcceptFileDialog(QWidget* modal, const QString& path)
{
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    ASSERT_NE(dialog, nullptr) << "not a file dialog";
    dialog->selectFile(path);
    // QFileDialog::accept is protected; QDialog's is public and virtual.
    static_cast<QDialog*>(dialog)->accept();
}
