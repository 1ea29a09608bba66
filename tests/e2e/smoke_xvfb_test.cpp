// The built editor as a separate process on a virtual screen: started with
// a map file, its window is found at the screen's size, the map pane shows
// the file's tiles, and choosing Exit ends it at once without a question.
// Under a window manager the whole window, frame included, covers the screen.
#include <gtest/gtest.h>

#include <QColor>
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <cstdlib>

#include "mapfile.h"
#include "scratchfolder.h"
#include "sprite.h"
#include "tilelist.h"

namespace {
constexpr int kTile = 32;

// Three solid 24-bit tiles: red, green, blue.
void AddSolidTile(CTileList& tiles, BYTE r, BYTE g, BYTE b)
{
    const int stride = kTile * 3;
    std::vector<BYTE> bits(std::size_t(stride) * kTile);
    for (int i = 0; i < kTile * kTile; ++i) {
        bits[std::size_t(i) * 3] = b;
        bits[std::size_t(i) * 3 + 1] = g;
        bits[std::size_t(i) * 3 + 2] = r;
    }
    auto* tile = new CSprite;
    tile->CreateFromData(kTile, kTile, nullptr, bits.data(), 24);
    tiles.AddTail(tile);
}

// Finds the top-left of the 32 x 32 block of one exact colour.
QPoint FindBlock(const QImage& shot, QRgb colour)
{
    for (int y = 0; y + kTile <= shot.height(); ++y)
        for (int x = 0; x + kTile <= shot.width(); ++x)
            if (shot.pixel(x, y) == colour && shot.pixel(x + kTile - 1, y + kTile - 1) == colour &&
                (x == 0 || shot.pixel(x - 1, y) != colour) && (y == 0 || shot.pixel(x, y - 1) != colour))
                return {x, y};
    return {-1, -1};
}

class SmokeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* tool : {"Xvfb", "xdotool", "import"})
            if (QStandardPaths::findExecutable(tool).isEmpty())
                GTEST_SKIP() << tool << " is not installed; the smoke test needs Xvfb, xdotool and ImageMagick";
        // Xvfb picks a free display and writes its number to standard output,
        // so tests running side by side never share a screen.
        xvfb.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
        if (!xvfb.waitForStarted(5000)) GTEST_SKIP() << "Xvfb cannot start here";
        QByteArray number;
        for (int i = 0; i < 200 && !number.contains('\n') && xvfb.state() == QProcess::Running; ++i)
            if (xvfb.waitForReadyRead(100)) number += xvfb.readAllStandardOutput();
        if (!number.contains('\n')) GTEST_SKIP() << "Xvfb named no display";
        display = ":" + QString::fromLatin1(number.trimmed());
        env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", display);
        env.remove("QT_QPA_PLATFORM");
        for (int i = 0; i < 50 && !XvfbReady(); ++i) QThread::msleep(100);
        if (!XvfbReady()) GTEST_SKIP() << "Xvfb did not come up on " << display.toStdString();
    }
    void TearDown() override
    {
        if (editor.state() != QProcess::NotRunning) {
            editor.kill();
            editor.waitForFinished(3000);
        }
        if (xvfb.state() != QProcess::NotRunning) {
            xvfb.terminate();
            xvfb.waitForFinished(3000);
        }
    }
    bool XvfbReady()
    {
        QProcess p;
        p.setProcessEnvironment(env);
        p.start("xdotool", {"getdisplaygeometry"});
        return p.waitForFinished(2000) && p.exitCode() == 0;
    }
    QString Tool(const QString& program, const QStringList& args)
    {
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(program, args);
        p.waitForFinished(10000);
        return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
    }

    // The editor's main window, once it is shown.
    QString FindEditorWindow()
    {
        QString window;
        // Generous: under the sanitizers on a busy machine start-up takes seconds.
        for (int i = 0; i < 200 && window.isEmpty(); ++i) {
            QThread::msleep(100);
            window = Tool("xdotool", {"search", "--onlyvisible", "--name", "^Zell$"}).section('\n', 0, 0);
        }
        return window;
    }

    QString display;
    QProcessEnvironment env;
    QProcess xvfb;
    QProcess editor;
};

TEST_F(SmokeTest, ShowsTheMapFromTheCommandLineAndExitsWithoutAQuestion)
{
    const ScratchFolder folder;
    const std::string mapPath = folder.File("smoke.Map");
    CMapModel map;
    map.m_nTileWidth = map.m_nTileHeight = kTile;
    ASSERT_EQ(map.m_cells.Create(4, 3), LayerAllocResult::Ok);
    AddSolidTile(map.m_tileList, 255, 0, 0);
    AddSolidTile(map.m_tileList, 0, 255, 0);
    AddSolidTile(map.m_tileList, 0, 0, 255);
    const short cells[] = {0, 1, 2, -1, 2, 1, 0, -1, -1, -1, -1, -1};
    for (int i = 0; i < 12; ++i) map.m_cells.SetTile(i % 4, i / 4, cells[i]);
    MapSaveInput input;
    input.map = &map;
    ASSERT_EQ(WriteMapFile(mapPath, input), MapWriteResult::Ok);

    editor.setProcessEnvironment(env);
    editor.start(PELLIN_EDITOR_PATH, {QString::fromStdString(mapPath)});
    ASSERT_TRUE(editor.waitForStarted(5000));

    const QString window = FindEditorWindow();
    ASSERT_FALSE(window.isEmpty()) << "no window called Zell appeared";
    QThread::msleep(500);
    const QString geometry = Tool("xdotool", {"getwindowgeometry", window});
    EXPECT_TRUE(geometry.contains("Position: 0,0")) << geometry.toStdString();
    EXPECT_TRUE(geometry.contains("Geometry: 1280x1024")) << geometry.toStdString();

    const QString shotPath = QString::fromStdString(folder.File("shot.png"));
    Tool("import", {"-window", "root", shotPath});
    const QImage shot(shotPath);
    ASSERT_FALSE(shot.isNull());
    const QPoint red = FindBlock(shot, qRgb(255, 0, 0));
    ASSERT_NE(red, QPoint(-1, -1)) << "the map's first tile is not on the screen";
    // Row 0: red, green, blue; row 1: blue, green, red; the last column empty.
    const struct { int col, row; QRgb colour; } expected[] = {
        {1, 0, qRgb(0, 255, 0)}, {2, 0, qRgb(0, 0, 255)}, {0, 1, qRgb(0, 0, 255)},
        {1, 1, qRgb(0, 255, 0)}, {2, 1, qRgb(255, 0, 0)}, {3, 0, qRgb(255, 255, 255)}};
    for (const auto& e : expected) {
        const QPoint p = red + QPoint(e.col * kTile + kTile / 2, e.row * kTile + kTile / 2);
        EXPECT_EQ(QColor(shot.pixel(p)), QColor(e.colour)) << "cell " << e.col << "," << e.row;
    }

    // File menu, Exit: as a person would, with the keyboard.
    Tool("xdotool", {"windowactivate", "--sync", window});
    Tool("xdotool", {"key", "--window", window, "alt+f"});
    QThread::msleep(300);
    Tool("xdotool", {"key", "x"});
    EXPECT_TRUE(editor.waitForFinished(3000)) << "the editor did not end at once";
    EXPECT_EQ(editor.exitStatus(), QProcess::NormalExit);
}

// The frame as the window manager drew it: the inner area's place on the
// screen widened by the frame's extents.
QRect FrameOnScreen(const QString& info, const QString& extents)
{
    auto field = [&info](const char* name) { return info.section(name, 1, 1).section('\n', 0, 0).trimmed().toInt(); };
    const QStringList e = extents.section('=', 1).split(',');  // left, right, top, bottom
    if (e.size() != 4) return {};
    const int left = e[0].toInt(), right = e[1].toInt(), top = e[2].toInt(), bottom = e[3].toInt();
    return {field("Absolute upper-left X:") - left, field("Absolute upper-left Y:") - top,
            field("Width:") + left + right, field("Height:") + top + bottom};
}

TEST_F(SmokeTest, UnderAWindowManagerTheWholeFrameCoversTheScreen)
{
    for (const char* tool : {"openbox", "xprop", "xwininfo"})
        if (QStandardPaths::findExecutable(tool).isEmpty()) GTEST_SKIP() << tool << " is not installed";
    QProcess manager;
    manager.setProcessEnvironment(env);
    manager.start("openbox", {});
    ASSERT_TRUE(manager.waitForStarted(5000));
    for (int i = 0; i < 50 && !Tool("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"}).contains("window id"); ++i)
        QThread::msleep(100);

    editor.setProcessEnvironment(env);
    editor.start(PELLIN_EDITOR_PATH, {});
    ASSERT_TRUE(editor.waitForStarted(5000));
    const QString window = FindEditorWindow();
    ASSERT_FALSE(window.isEmpty()) << "no window called Zell appeared";
    QRect frame;
    QString extents;
    for (int i = 0; i < 50 && frame != QRect(0, 0, 1280, 1024); ++i) {
        QThread::msleep(100);
        extents = Tool("xprop", {"-id", window, "_NET_FRAME_EXTENTS"});
        frame = FrameOnScreen(Tool("xwininfo", {"-id", window}), extents);
    }
    EXPECT_EQ(frame, QRect(0, 0, 1280, 1024)) << extents.toStdString();
    EXPECT_GT(extents.section(',', 2, 2).toInt(), 0) << "the window manager drew no title bar";
    manager.terminate();
    manager.waitForFinished(3000);
}
}  // namespace
