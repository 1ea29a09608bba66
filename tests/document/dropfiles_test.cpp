// Files dropped on the main window, as a desktop's file manager sends them
// (file URLs): pictures open as the bitmap, maps (.Map, .tmx) as the map
// (asking first about unsaved work), anything else is ignored with a note;
// and a Tiled map through File Open.
#include <QApplication>
#include <QDropEvent>
#include <QFileDialog>
#include <QMimeData>
#include <QStatusBar>
#include <QUrl>

#include "editorfixture.h"
#include "pngwriter.h"
#include "resource.h"

namespace {

class DropTest : public EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        // A 32 x 32-tile picture as PNG with a transparent corner, as BMP,
        // a map cut from it, and a Tiled map using the PNG as its tileset.
        PngPicture png{64, 32, 6, 8, false, {}, {}, {}};
        for (int i = 0; i < 64 * 32; ++i)
            png.samples.insert(png.samples.end(), {std::uint16_t(i % 200), 90, 40, std::uint16_t(i < 8 ? 0 : 255)});
        WriteBytes(folder.File("art.png"), EncodePng(png));
        bmp = WriteBitmap(MakePicture(64, 32, 24, 2), "art.bmp");
        WriteBytes(folder.File("notes.txt"), {'h', 'i'});
        const std::string tmx =
            "<?xml version=\"1.0\"?>\n<map version=\"1.8\" orientation=\"orthogonal\" renderorder=\"right-down\" "
            "width=\"3\" height=\"2\" tilewidth=\"32\" tileheight=\"32\" infinite=\"0\">\n"
            " <tileset firstgid=\"1\" name=\"art\" tilewidth=\"32\" tileheight=\"32\" tilecount=\"2\" columns=\"2\">\n"
            "  <image source=\"art.png\" width=\"64\" height=\"32\"/>\n </tileset>\n"
            " <layer id=\"1\" name=\"ground\" width=\"3\" height=\"2\">\n  <data "
            "encoding=\"csv\">\n2,1,0,\n0,0,2\n</data>\n"
            " </layer>\n</map>\n";
        WriteBytes(folder.File("tiled.tmx"), std::vector<std::uint8_t>(tmx.begin(), tmx.end()));
    }

    void Drop(const std::vector<std::string>& names)
    {
        QMimeData data;
        QList<QUrl> urls;
        for (const std::string& name : names) urls << QUrl::fromLocalFile(QString::fromStdString(folder.File(name)));
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(frame, &enter);
        ASSERT_TRUE(enter.isAccepted());
        QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(frame, &drop);
    }
    QString Note() const { return frame->statusBar()->currentMessage(); }

    std::string bmp;
};

TEST_F(DropTest, PicturesOpenAsTheBitmapMapsAsTheMapOthersAreNoted)
{
    Drop({"art.bmp"});
    EXPECT_TRUE(doc->Bitmap().m_bLoaded);
    EXPECT_EQ(doc->BitmapPath(), bmp);

    Drop({"art.png"});
    EXPECT_EQ(doc->Bitmap().GetBitCount(), 24);
    EXPECT_EQ(Note(), "그림의 투명한 부분을 검은색으로 채웠습니다");
    Send(ID_BITMAP_ALLTILES);
    EXPECT_EQ(doc->Tiles().GetCount(), 2);
    ASSERT_TRUE(doc->SaveMapFileTo(folder.File("cut.Map")));

    Drop({"notes.txt"});
    EXPECT_EQ(Note(), "열 수 없는 화일이라 무시했습니다: notes.txt");

    Drop({"tiled.tmx"});
    EXPECT_EQ(TileCells(), (std::vector<short>{1, 0, -1, -1, -1, 1}));
    EXPECT_FALSE(doc->Bitmap().m_bLoaded) << "a map comes without the bitmap";

    // Unsaved work is asked about first; Cancel keeps it.
    SelectBlock(1, 1, {0});
    doc->StampBrush(2, 0);
    {
        ModalAnswerer answer;
        answer.Then(ExpectMessage(kMsgAskSaveChanges, QMessageBox::RejectRole));
        Drop({"cut.Map"});
    }
    EXPECT_EQ(TileCells()[2], 0);
    {
        ModalAnswerer answer;
        answer.Then(ExpectMessage(kMsgAskSaveChanges, QMessageBox::NoRole));
        Drop({"cut.Map"});
    }
    EXPECT_EQ(doc->MapWidth(), 20);
    EXPECT_EQ(TileCells(), std::vector<short>(300, -1));
}

TEST_F(DropTest, FileOpenOffersTiledMapsAfterMapFiles)
{
    ModalAnswerer answer;
    answer.Then([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->nameFilters(), (QStringList{"맵 화일 (*.Map)", "Tiled 맵 (*.tmx)"}));
        ChooseFile(folder.File("tiled.tmx"))(modal);
    });
    Send(ID_FILE_OPEN);
    EXPECT_EQ(doc->MapWidth(), 3);
    EXPECT_EQ(doc->Tiles().GetCount(), 2);

    answer.Then([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->nameFilters(),
                  (QStringList{"비트맵 ( BMP ) (*.bmp)", "PNG 그림 (*.png)", "모든 그림 (*.bmp *.png)"}));
        ChooseFile(folder.File("art.png"))(modal);
    });
    Send(ID_OPEN_BITMAP);
    EXPECT_TRUE(doc->Bitmap().m_bLoaded);
}

}  // namespace
