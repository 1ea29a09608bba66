// The application message box on Qt, with Qt's own Korean labels for the
// standard buttons.
#pragma once

#include <string>

class QCoreApplication;

// Routes AfxMessageBox to real message boxes (see AfxShowQtMessageBox).
void AfxInstallQtMessageSink();

// Shows one box and returns IDOK, IDCANCEL, IDYES or IDNO. Caption is the
// application name; the owner is the running modal window, or else the
// main window. Types OK, OK/Cancel, Yes/No and Yes/No/Cancel that name no
// icon get the exclamation icon; MB_PLAIN_WINDOW_BOX gives no icon and OK.
int AfxShowQtMessageBox(const std::string& text, unsigned type);

// Loads Qt's Korean translation (qtbase_ko.qm). False when it is missing:
// the standard buttons then keep their English labels.
bool AfxInstallKoreanTranslations(QCoreApplication& app);
