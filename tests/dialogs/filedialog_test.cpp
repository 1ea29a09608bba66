// The file dialogs: Qt's own widget dialog, the initial name and filter,
// the default extension, and the chosen path handed back in UTF-8.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileDialog>

#include "dlgtesting.h"
#include "filedialog.h"
#include "scratchfolder.h"

namespace {
struct Seen {
    bool widgetDialog = false;
    QStringList nameFilters;
    QFileDialog::FileMode fileMode = QFileDialog::AnyFile;
    QFileDialog::AcceptMode acceptMode = QFileDialog::AcceptOpen;
};

ModalAnswerer::Handler Choose(const QString& path, Seen* seen)
{
    return [path, seen](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        seen->widgetDialog = dialog->testOption(QFileDialog::DontUseNativeDialog);
        seen->nameFilters = dialog->nameFilters();
        seen->fileMode = dialog->fileMode();
        seen->acceptMode = dialog->acceptMode();
        AcceptFileDialog(modal, path);
    };
}

TEST(FileDialog, OpenWithAWildcardNameFiltersByItAndReturnsTheUtf8Path)
{
    const ScratchFolder folder;
    ASSERT_TRUE(QDir(QString::fromStdString(folder.Path().string())).mkdir("지도"));
    const QString path = QString::fromStdString(folder.File("지도/타일.bmp"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    CFileDialog dialog(TRUE, "비트맵 ( BMP )", "*.bmp", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT);
    Seen seen;
    ModalAnswerer answer;
    answer.Then(Choose(path, &seen));
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.GetPathName(), path.toStdString());
    EXPECT_TRUE(seen.widgetDialog);
    EXPECT_EQ(seen.nameFilters, QStringList{"*.bmp"});
    EXPECT_EQ(seen.fileMode, QFileDialog::ExistingFile);
    EXPECT_EQ(seen.acceptMode, QFileDialog::AcceptOpen);
}

TEST(FileDialog, SaveAppendsTheDefaultExtensionAndUsesTheFilter)
{
    const ScratchFolder folder;
    CFileDialog dialog(FALSE, "Map", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       "지도 파일|*.Map|모든 파일|*.*||");
    Seen seen;
    ModalAnswerer answer;
    answer.Then(Choose(QString::fromStdString(folder.File("새지도")), &seen));
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.GetPathName(), folder.File("새지도.Map"));
    EXPECT_EQ(seen.nameFilters, QStringList({"지도 파일 (*.Map)", "모든 파일 (*.*)"}));
    EXPECT_EQ(seen.acceptMode, QFileDialog::AcceptSave);
}

TEST(FileDialog, CancelReturnsCancelAndNoPath)
{
    CFileDialog dialog(TRUE, nullptr, "*.Map");
    ModalAnswerer answer;
    answer.Then([](QWidget* modal) { PressKey(modal, Qt::Key_Escape); });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_TRUE(dialog.GetPathName().empty());
}
}  // namespace
