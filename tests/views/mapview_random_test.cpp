// Random maps drawn two ways. The map pane and the overview, scrolled
// anywhere, must show exactly what zellmap render draws of the same map
// file; and after random edits, hovers and overlay changes the pane's
// partly redrawn window must equal a whole refresh of it.
#include <QImage>
#include <QProcess>
#include <QScrollBar>
#include <random>

#include "mapfile.h"
#include "docbackstage.h"
#include "maptesting.h"
#include "scratchfolder.h"

using namespace maptest;

namespace {

struct RandomMapCase {
    int mapWidth, mapHeight, tileSize, tileCount;
};

RandomMapCase MakeCase(std::mt19937& random)
{
    const int sizes[] = {16, 24, 32, 64};
    return {1 + int(random() % 70), 1 + int(random() % 50), sizes[random() % 4], 1 + int(random() % 12)};
}

class RandomMaps : public MapViewTest {
protected:
    // Cells: tiles, empty, past the end of the set and below -1; attributes
    // of every width the overlay prints.
    void Fill(std::mt19937& random)
    {
        const int count = doc.Tiles().GetCount();
        for (int row = 0; row < doc.MapHeight(); ++row)
            for (int col = 0; col < doc.MapWidth(); ++col) {
                const unsigned pick = random() % 10;
                SetTile(col, row,
                        short(pick < 6   ? int(random() % unsigned(count))
                              : pick < 8 ? -1
                              : pick < 9 ? count + 3
                                         : -9));
                SetAttr(col, row, short(random() % 3 == 0 ? int(random() % 65536) - 32768 : 0));
            }
        doc.UpdateAllViews(nullptr, HINT_NEW_MAP);
    }

    // zellmap's picture of the document's map, at scale 1 or 2.
    QImage Rendered(int scale)
    {
        const std::string map = folder.File("random.Map");
        MapSaveInput input;
        input.map = &doc.Map();
        if (WriteMapFile(map, input) != MapWriteResult::Ok) return {};
        const QString png = QString::fromStdString(folder.File("random.png"));
        QProcess zellmap;
        zellmap.start(ZELLMAP_EXE,
                      {"render", QString::fromStdString(map), "-o", png, "--scale", QString::number(scale)});
        if (!zellmap.waitForFinished(kPatienceMs)) {
            ADD_FAILURE() << "zellmap render did not finish within " << kPatienceMs / 1000 << " s";
            return {};
        }
        if (zellmap.exitStatus() != QProcess::NormalExit) {
            ADD_FAILURE() << "zellmap render crashed: " << zellmap.readAllStandardError().toStdString();
            return {};
        }
        if (zellmap.exitCode() != 0) return {};
        return QImage(png).convertToFormat(QImage::Format_RGB32);
    }

    // The window's pixels that show the picture, from the scroll position.
    static ::testing::AssertionResult WindowShows(const QImage& window, const QImage& picture, CPoint scroll)
    {
        const int w = std::min(window.width(), picture.width() - scroll.x);
        const int h = std::min(window.height(), picture.height() - scroll.y);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (window.pixel(x, y) != picture.pixel(scroll.x + x, scroll.y + y))
                    return ::testing::AssertionFailure() << "window pixel (" << x << ", " << y << ") differs";
        return ::testing::AssertionSuccess();
    }

    ScratchFolder folder;
};

TEST_F(RandomMaps, PaneAndOverviewShowWhatTheRendererDraws)
{
    std::mt19937 random(2026);
    for (int round = 0; round < 12; ++round) {
        const RandomMapCase c = MakeCase(random);
        SCOPED_TRACE(testing::Message() << "round " << round << ": " << c.mapWidth << " x " << c.mapHeight
                                        << " cells of " << c.tileSize);
        BackstageMap(doc).m_tileList.DeleteAll();
        Open(c.mapWidth, c.mapHeight, c.tileSize, c.tileCount, 200 + int(random() % 500), 150 + int(random() % 350));
        overview.resize(100 + int(random() % 300), 80 + int(random() % 200));
        Fill(random);
        const QImage full = Rendered(1);
        ASSERT_FALSE(full.isNull());
        for (int scrolls = 0; scrolls < 3; ++scrolls) {
            // Anywhere in the range, not only on cell boundaries.
            view.ScrollToDevicePosition({int(random() % 5000), int(random() % 5000)});
            EXPECT_TRUE(WindowShows(Screen(), full, view.GetDeviceScrollPosition()));
        }
        const QImage half = Rendered(2);
        if (half.isNull()) continue;  // a map too small to have an overview
        overview.ScrollToDevicePosition({int(random() % 1000), int(random() % 1000)});
        overview.UpdateWindow();
        EXPECT_TRUE(WindowShows(overview.Surface(), half, overview.GetDeviceScrollPosition()));
    }
}

TEST_F(RandomMaps, EditedWindowEqualsAWholeRefresh)
{
    std::mt19937 random(9);
    for (int round = 0; round < 6; ++round) {
        const RandomMapCase c = MakeCase(random);
        SCOPED_TRACE(testing::Message() << "round " << round);
        BackstageMap(doc).m_tileList.DeleteAll();
        doc.SetShowTileNumbers(round % 3 == 0);
        doc.SetShowMapAttr(round % 3 == 1);
        doc.SetTextColour({BYTE(random()), 0, 0});
        Open(c.mapWidth + 20, c.mapHeight + 15, c.tileSize / 2, c.tileCount, 400, 300);
        Fill(random);
        view.ScrollToDevicePosition({int(random() % 300), int(random() % 300)});
        Screen();
        for (int step = 0; step < 40; ++step) {
            const int col = int(random() % unsigned(doc.MapWidth())), row = int(random() % unsigned(doc.MapHeight()));
            CTileBlock block{1 + int(random() % 3), 1 + int(random() % 2), {}};
            for (std::size_t i = 0; i < std::size_t(block.m_nCols * block.m_nRows); ++i)
                block.m_entries.push_back(short(int(random() % 9) - 2));
            doc.SetSelection(block, nullptr);
            switch (random() % 4) {
            case 0: doc.StampBrush(col, row); break;
            case 1: doc.FillWithBrush(CRect(col, row, col + int(random() % 6), row + int(random() % 6))); break;
            case 2:
                doc.SetCellAttributes(CRect(col, row, col + 3, row + 2), short(int(random() % 65536) - 32768));
                break;
            default:
                // A preview stays on the window until the next edit takes it off.
                Hover(QPoint(int(random() % 400), int(random() % 300)));
                continue;
            }
            const QImage edited = Screen().copy();
            view.RefreshScreen();
            ASSERT_EQ(edited, Screen()) << "step " << step;
            ASSERT_TRUE(OverviewShowsMap()) << "step " << step;
        }
    }
}

}  // namespace
