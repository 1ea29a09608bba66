#include "editorfixture.h"
#include "docbackstage.h"

#include "testtiles.h"

#include <QApplication>
#include <QDialog>

#include "mapview.h"
#include "newmapdlg.h"
#include "resource.h"
#include "tileview.h"
#include "zellapp.h"
#include "doctemplate.h"

void EditorTest::SetUp()
{
    ASSERT_TRUE(theApp.InitInstance());
    frame = qobject_cast<CMainFrame*>(AfxGetMainWnd());
    ASSERT_NE(frame, nullptr);
    doc = static_cast<CZellDoc*>(theApp.DocTemplate()->Document());
    ASSERT_NE(doc, nullptr);
    QApplication::processEvents();
}

void EditorTest::TearDown()
{
    theApp.DestroyMainWindow();
    QApplication::processEvents();
}

std::string EditorTest::WriteBitmap(const TestPicture& picture, const std::string& name)
{
    const std::string path = folder.File(name);
    WriteBytes(path, EncodeBmp(picture));
    return path;
}

void EditorTest::LoadBitmap(const TestPicture& picture)
{
    ModalAnswerer answer;
    answer.Then(ChooseFile(WriteBitmap(picture)));
    Send(ID_OPEN_BITMAP);
    ASSERT_TRUE(doc->Bitmap().m_bLoaded);
}

void EditorTest::CutTiles(const TestPicture& picture)
{
    LoadBitmap(picture);
    const int before = doc->Map().m_tileList.GetCount();
    Send(ID_BITMAP_ALLTILES);
    std::vector<std::pair<int, BYTE>> attributes;
    for (int i = before; i < doc->Tiles().GetCount(); ++i) attributes.emplace_back(i, BYTE(i));
    doc->PutTileAttributes(attributes);
    // As if saved: what follows asks no question about unsaved changes.
    doc->UndoStack().setClean();
}

void EditorTest::SelectBlock(int cols, int rows, const std::vector<short>& entries)
{
    ASSERT_EQ(entries.size(), std::size_t(cols * rows));
    doc->SetSelection({cols, rows, entries}, nullptr);
}

void EditorTest::Send(UINT id)
{
    // The buttons are brought up to date whenever the program goes idle,
    // which it does before a person can click.
    frame->UpdateAllCommandUI();
    frame->CommandAction(id)->trigger();
    QApplication::processEvents();
}

CMapView* EditorTest::Map() const { return frame->m_pMapView; }

std::vector<short> EditorTest::TileCells() const { return LayerValues(doc->Cells(), CellLayer::Tiles); }

std::vector<short> EditorTest::AttrCells() const { return LayerValues(doc->Cells(), CellLayer::Attributes); }

short EditorTest::Cell(CellLayer layer, int i) const
{
    return doc->Cells().Get(layer, i % doc->MapWidth(), i / doc->MapWidth()).value_or(-12345);
}

void EditorTest::SetCell(CellLayer layer, int i, short value)
{
    BackstageMap(*doc).m_cells.Set(layer, i % doc->MapWidth(), i / doc->MapWidth(), value);
}

std::vector<const CSprite*> EditorTest::Tiles() const
{
    return {doc->Map().m_tileList.begin(), doc->Map().m_tileList.end()};
}

std::vector<int> EditorTest::TileAttributes() const
{
    std::vector<int> attributes;
    for (int i = 0; i < doc->Map().m_tileList.GetCount(); ++i)
        attributes.push_back(doc->Map().m_tileList.AttributeAt(i));
    return attributes;
}

ModalAnswerer::Handler AnswerNewMap(long long width, long long height, int tileSizeButton)
{
    return [=](QWidget* modal) {
        auto* dialog = dynamic_cast<CNewMapDlg*>(modal);
        ASSERT_NE(dialog, nullptr);
        ReplaceText(dialog->GetDlgItem(CNewMapDlg::IDC_MAP_WIDTH), QString::number(width));
        ReplaceText(dialog->GetDlgItem(CNewMapDlg::IDC_MAP_HEIGHT), QString::number(height));
        if (tileSizeButton != 0) ClickWidget(dialog->GetDlgItem(UINT(tileSizeButton)));
        ClickWidget(dialog->GetDlgItem(IDOK));
    };
}

ModalAnswerer::Handler CancelDialog()
{
    return [](QWidget* modal) { static_cast<QDialog*>(modal)->reject(); };
}

ModalAnswerer::Handler ExpectMessage(const char* text, QMessageBox::ButtonRole role)
{
    return [expected = QString::fromUtf8(text), role](QWidget* box) {
        EXPECT_EQ(MessageText(box), expected);
        PressMessageButton(box, role);
    };
}

ModalAnswerer::Handler ChooseFile(const std::string& path)
{
    return [path](QWidget* modal) { AcceptFileDialog(modal, QString::fromStdString(path)); };
}

QLineEdit* EditOf(QWidget* dialog, UINT id)
{
    auto* owner = dynamic_cast<CDialog*>(dialog);
    return owner ? qobject_cast<QLineEdit*>(owner->GetDlgItem(id)) : nullptr;
}
