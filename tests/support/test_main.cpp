// The main of every Qt test program.
#include <gtest/gtest.h>

#include <QApplication>

#include "fonts.h"
#include "messagebox.h"
#include "privatehome.h"

int main(int argc, char** argv)
{
    const PrivateHome home;  // before anything reads the environment
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    AfxInstallQtTranslations(app);
    AfxInstallKoreanFonts();
    AfxInstallQtMessageSink();
    ::testing::InitGoogleTest(&argc, argv);
    return home.Verdict(RUN_ALL_TESTS());
}
