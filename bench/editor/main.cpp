// The editor's benchmarks need a QApplication for the map view; the
// start-up runs start their own processes.
#include <QApplication>

#include "figures.h"

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    return RunBenchmarksAndPrintFigures(argc, argv);
}
