// The editor's benchmarks need a QApplication for the panes; the start-up
// runs start their own processes. The editor made in this process sees the
// start-up runs' screen and keeps its settings in a folder of its own.
#include <QApplication>
#include <filesystem>

#include "benchscreen.h"
#include "figures.h"
#include "scratchdir.h"

int main(int argc, char** argv)
{
    const ScratchDir scratch;
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.isEmpty() || platform == "offscreen")
        qputenv("QT_QPA_PLATFORM", QByteArray::fromStdString(OffscreenPlatformWithBenchScreen(scratch)));
    std::filesystem::create_directory(scratch.Path() / "config");
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(scratch.File("config")));
    QApplication application(argc, argv);
    return RunBenchmarksAndPrintFigures(argc, argv);
}
