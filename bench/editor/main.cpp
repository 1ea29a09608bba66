// The editor's benchmarks need a QApplication for the panes; the start-up
// runs start their own processes. The editor made in this process sees the
// start-up runs' screen and keeps its settings and its copies of unsaved
// work in a private home.
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
    for (const char* folder : {"home", "config", "state"}) std::filesystem::create_directory(scratch.Path() / folder);
    qputenv("HOME", QByteArray::fromStdString(scratch.File("home")));
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(scratch.File("config")));
    qputenv("XDG_STATE_HOME", QByteArray::fromStdString(scratch.File("state")));
    QApplication application(argc, argv);
    return RunBenchmarksAndPrintFigures(argc, argv);
}
