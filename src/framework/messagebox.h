// The application message box on Qt, and the Korean environment it needs:
// Qt's own Korean labels for the standard buttons and a Korean face for
// the Windows font names that the program's resources use.
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

// Maps "Gulim", "굴림", "System" and "MS Sans Serif" to an installed Korean
// face and makes that face the application's default.
void AfxInstallKoreanFonts();

// The installed face that stands in for the Windows Korean faces.
const char* AfxKoreanFontFace();
