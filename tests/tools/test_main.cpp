// The tests read the tool's images with Qt and print the overlay with the
// map view's text printer, which needs the application object for fonts.
#include <gtest/gtest.h>

#include <QGuiApplication>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
