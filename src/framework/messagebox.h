// The application message box on Qt, with Qt's own labels for the
// standard buttons in the interface language.
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

// Loads Qt's own translation for the interface language (qtbase_ko.qm or
// qtbase_en.qm). False when it is missing: the standard buttons then keep
// Qt's built-in English labels.
bool AfxInstallQtTranslations(QCoreApplication& app);
