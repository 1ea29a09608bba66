// The program's main window as a plain widget, for code that only needs an
// owner for a modal window (dialogs, message boxes) and must not depend on
// the frame class.
#pragma once

class QWidget;

QWidget* AfxGetMainWidget();
void AfxSetMainWidget(QWidget* widget);
