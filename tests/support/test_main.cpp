// The main of every Qt test program.
#include <gtest/gtest.h>

#include <QApplication>

#include "messagebox.h"

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    AfxInstallKoreanTranslations(app);
    AfxInstallKoreanFonts();
    AfxInstallQtMessageSink();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
