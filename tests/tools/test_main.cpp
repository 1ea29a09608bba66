// The tests read the tool's images with Qt and print the overlay with the
// map view's text printer, which needs the application object for fonts.
#include <gtest/gtest.h>

#include <QGuiApplication>

#include "privatehome.h"

int main(int argc, char** argv)
{
    const PrivateHome home;  // before anything reads the environment
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return home.Verdict(RUN_ALL_TESTS());
}
