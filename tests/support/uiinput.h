// Simulated input and reading of windows for tests: clicks and key presses
// go through Qt's event delivery like a person's.
#pragma once

#include <QMessageBox>
#include <QPoint>
#include <QString>
#include <QWidget>

#include "modalanswerer.h"
#include "qtprinters.h"

// Left click at a point of the widget (its centre by default).
void ClickWidget(QWidget* widget, QPoint at = QPoint(-1, -1));
// Types text into the widget with key events that carry the text
// (QTest::keyClicks cannot type Hangul).
void TypeText(QWidget* widget, const QString& text);
void PressKey(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Selects everything in an edit and types over it.
void ReplaceText(QWidget* edit, const QString& text);

// Message boxes.
QString MessageText(QWidget* box);
QMessageBox::Icon MessageIcon(QWidget* box);
QStringList MessageButtonTexts(QWidget* box);
// Clicks the box's button with that role (AcceptRole: OK; YesRole, NoRole, RejectRole).
void PressMessageButton(QWidget* box, QMessageBox::ButtonRole role);

// A handler for a message box: records its text, then presses the button.
ModalAnswerer::Handler AnswerMessage(QString* text, QMessageBox::ButtonRole role = QMessageBox::AcceptRole);

// The first widget under root with that accessible name, or null.
QWidget* FindByAccessibleName(QWidget* root, const QString& name);

// Chooses path in Qt's file dialog and accepts it.
void AcceptFileDialog(QWidget* modal, const QString& path);
