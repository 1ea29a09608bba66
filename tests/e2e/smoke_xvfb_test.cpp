// The built editor as a separate process on a virtual screen: started with
// a map file, its window is found at the screen's size, the map pane shows
// the file's tiles, and choosing Exit ends it without a question.
// Under a window manager the whole window, frame included, covers the screen.
#include <gtest/gtest.h>

#include <QColor>
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>

#include "mapfile.h"
#include "scratchfolder.h"
#include "sprite.h"
#include "tilelist.h"
#include "waituntil.h"

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
        // Xvfb takes a display number of its own, away from the low numbers
        // that servers come and go on (one that ends as another takes its
        // number can remove the newcomer's socket), and writes the number to
        // standard output once it takes connections. A number in use ends it;
        // another is tried then. It must not reset when its last client
        // leaves: the editor, connecting just after a tool's check has
        // left, would find it resetting and end.
        std::mt19937 random(std::random_device{}());
        for (int attempt = 0; attempt < 20 && display.isEmpty(); ++attempt) {
            xvfb.start("Xvfb", {":" + QString::number(200 + random() % 800), "-displayfd", "1", "-screen", "0",
                                "1280x1024x24", "-nolisten", "tcp", "-noreset"});
            if (!xvfb.waitForStarted(kPatienceMs)) GTEST_SKIP() << "Xvfb cannot start here";
            QByteArray number;
            WaitUntil([&] {
                number += xvfb.readAllStandardOutput();
                return number.contains('\n') || xvfb.state() == QProcess::NotRunning;
            });
            ASSERT_TRUE(number.contains('\n') || xvfb.state() == QProcess::NotRunning)
                << "Xvfb named no display within " << kPatienceMs / 1000 << " s";
            if (number.contains('\n')) display = ":" + QString::fromLatin1(number.trimmed());
        }
        if (display.isEmpty()) GTEST_SKIP() << "Xvfb cannot start here: " << xvfb.readAllStandardError().toStdString();
        env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", display);
        env.remove("QT_QPA_PLATFORM");
        ASSERT_TRUE(WaitUntil([&] { return ToolSucceeds("xdotool", {"getdisplaygeometry"}); }))
            << "Xvfb did not answer on " << display.toStdString() << " within " << kPatienceMs / 1000 << " s";
    }
    void TearDown() override
    {
        for (QProcess* process : {&editor, &manager, &xvfb}) {
            if (process->state() == QProcess::NotRunning) continue;
            // Nothing the editor holds is kept; the others end cleanly.
            if (process == &editor)
                process->kill();
            else
                process->terminate();
            if (!process->waitForFinished(kPatienceMs)) {
                process->kill();
                process->waitForFinished(kPatienceMs);
            }
        }
    }

    // Runs a command-line tool on the virtual screen; its standard output.
    QString Tool(const QString& program, const QStringList& args, int* exitCode = nullptr)
    {
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(program, args);
        if (!p.waitForFinished(kPatienceMs)) {
            ADD_FAILURE() << program.toStdString() << " " << args.join(' ').toStdString() << " did not finish within "
                          << kPatienceMs / 1000 << " s";
            return {};
        }
        if (exitCode) *exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
    }
    bool ToolSucceeds(const QString& program, const QStringList& args)
    {
        int exitCode = -1;
        Tool(program, args, &exitCode);
        return exitCode == 0;
    }

    // Waits for the condition while the editor runs; fails the test when
    // the editor ends first or the condition does not come in time.
    ::testing::AssertionResult WaitWhileEditorRuns(const std::function<bool()>& condition, const std::string& what)
    {
        bool ended = false;
        const bool seen = WaitUntil([&] {
            ended = editor.state() == QProcess::NotRunning;
            return ended || condition();
        });
        if (ended)
            return ::testing::AssertionFailure() << "the editor ended while the test waited for " << what << ": "
                                                 << editor.readAllStandardError().toStdString();
        if (!seen) return ::testing::AssertionFailure() << "waited " << kPatienceMs / 1000 << " s for " << what;
        return ::testing::AssertionSuccess();
    }

    // The editor's main window, once it is shown.
    QString FindEditorWindow()
    {
        QString window;
        const auto shown = WaitWhileEditorRuns(
            [&] {
                window = Tool("xdotool", {"search", "--onlyvisible", "--name", "^Zell$"}).section('\n', 0, 0);
                return !window.isEmpty();
            },
            "a window called Zell");
        EXPECT_TRUE(shown) << WindowsOfTheEditor();
        return shown ? window : QString();
    }

    // For failure messages: the editor's windows, shown or not, and the
    // window manager's state.
    std::string WindowsOfTheEditor()
    {
        std::string text = "\nthe editor's windows:";
        const QString pid = QString::number(editor.processId());
        // Appended piece by piece: GCC 12 at -O3 warns falsely (-Wrestrict)
        // about operator+ on a string literal and a temporary string.
        for (const QString& id : Tool("xdotool", {"search", "--pid", pid}).split('\n', Qt::SkipEmptyParts)) {
            text += '\n';
            text += Tool("xwininfo", {"-id", id}).toStdString();
        }
        text += "\nXvfb ";
        text += xvfb.state() == QProcess::Running ? "runs" : "ended";
        text += "; it said: ";
        text += xvfb.readAllStandardError().toStdString();
        if (!manager.program().isEmpty()) {
            text += "\nthe window manager ";
            text += manager.state() == QProcess::Running ? "runs" : "ended";
            text += "; it said: ";
            text += manager.readAllStandardError().toStdString();
        }
        return text;
    }

    QString display;
    QProcessEnvironment env;
    QProcess xvfb;
    QProcess manager;
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
    ASSERT_TRUE(editor.waitForStarted(kPatienceMs));

    const QString window = FindEditorWindow();
    ASSERT_FALSE(window.isEmpty());
    QString geometry;
    EXPECT_TRUE(WaitWhileEditorRuns(
        [&] {
            geometry = Tool("xdotool", {"getwindowgeometry", window});
            return geometry.contains("Position: 0,0") && geometry.contains("Geometry: 1280x1024");
        },
        "the window to cover the screen"))
        << geometry.toStdString();

    // Row 0: red, green, blue; row 1: blue, green, red; the last column empty.
    const QString shotPath = QString::fromStdString(folder.File("shot.png"));
    std::string difference;
    const auto screenShowsTheMap = [&] {
        Tool("import", {"-window", "root", shotPath});
        const QImage shot(shotPath);
        const QPoint red = shot.isNull() ? QPoint(-1, -1) : FindBlock(shot, qRgb(255, 0, 0));
        if (red == QPoint(-1, -1)) {
            difference = "the map's first tile is not on the screen";
            return false;
        }
        const struct {
            int col, row;
            QRgb colour;
        } expected[] = {{1, 0, qRgb(0, 255, 0)}, {2, 0, qRgb(0, 0, 255)}, {0, 1, qRgb(0, 0, 255)},
                        {1, 1, qRgb(0, 255, 0)}, {2, 1, qRgb(255, 0, 0)}, {3, 0, qRgb(255, 255, 255)}};
        for (const auto& e : expected) {
            const QPoint p = red + QPoint(e.col * kTile + kTile / 2, e.row * kTile + kTile / 2);
            if (QColor(shot.pixel(p)) != QColor(e.colour)) {
                difference = "cell " + std::to_string(e.col) + "," + std::to_string(e.row) + " shows " +
                             QColor(shot.pixel(p)).name().toStdString() + ", not " +
                             QColor(e.colour).name().toStdString();
                return false;
            }
        }
        return true;
    };
    EXPECT_TRUE(WaitWhileEditorRuns(screenShowsTheMap, "the map's cells on the screen")) << difference;

    // File menu, Exit: as a person would, with the keyboard. Exit is pressed
    // once the menu shows, a second window of the editor's.
    Tool("xdotool", {"windowactivate", "--sync", window});
    Tool("xdotool", {"key", "--window", window, "alt+f"});
    const QString pid = QString::number(editor.processId());
    ASSERT_TRUE(WaitWhileEditorRuns(
        [&] {
            return Tool("xdotool", {"search", "--onlyvisible", "--pid", pid}).split('\n').size() > 1;
        },
        "the File menu to open"));
    Tool("xdotool", {"key", "x"});
    // A question would keep it running until the deadline.
    EXPECT_TRUE(editor.waitForFinished(kPatienceMs)) << "the editor did not end after File, Exit";
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
    // On a busy machine openbox has been seen to end by itself, without a
    // word, seconds after it started, and the editor's window then never
    // shows. The round is run again then, three rounds at most; anything
    // else fails at once.
    const auto managerRuns = [&] { return manager.state() == QProcess::Running; };
    QRect frame;
    QString extents;
    for (int round = 1;; ++round) {
        manager.setProcessEnvironment(env);
        manager.start("openbox", {});
        ASSERT_TRUE(manager.waitForStarted(kPatienceMs));
        // The editor starts once the window manager has taken the screen.
        ::testing::AssertionResult framed = ::testing::AssertionFailure();
        if (WaitUntil([&] {
                return !managerRuns() || Tool("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"}).contains("window id");
            }) &&
            managerRuns()) {
            editor.setProcessEnvironment(env);
            editor.start(PELLIN_EDITOR_PATH, {});
            ASSERT_TRUE(editor.waitForStarted(kPatienceMs));
            QString window;
            framed = WaitWhileEditorRuns(
                [&] {
                    if (!managerRuns()) return true;
                    if (window.isEmpty())
                        window = Tool("xdotool", {"search", "--onlyvisible", "--name", "^Zell$"}).section('\n', 0, 0);
                    if (window.isEmpty()) return false;
                    extents = Tool("xprop", {"-id", window, "_NET_FRAME_EXTENTS"});
                    frame = FrameOnScreen(Tool("xwininfo", {"-id", window}), extents);
                    return frame == QRect(0, 0, 1280, 1024) && extents.section(',', 2, 2).toInt() > 0;
                },
                "a frame around the window called Zell, covering the screen");
        }
        if (managerRuns()) {
            EXPECT_TRUE(framed) << WindowsOfTheEditor();
            break;
        }
        const int code = manager.exitCode();
        ASSERT_LT(round, 3) << "openbox ended by itself in three rounds, the last with exit code " << code << ": "
                            << manager.readAllStandardError().toStdString();
        std::printf("openbox ended by itself (exit code %d); round %d\n", code, round + 1);
        std::fflush(stdout);
        if (editor.state() != QProcess::NotRunning) {
            editor.kill();
            editor.waitForFinished(kPatienceMs);
        }
    }
    EXPECT_EQ(frame, QRect(0, 0, 1280, 1024)) << extents.toStdString();
    EXPECT_GT(extents.section(',', 2, 2).toInt(), 0) << "the window manager drew no title bar";
}
}  // namespace
