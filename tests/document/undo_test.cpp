// Undo and redo: every kind of change made through the window, taken back
// and done again, byte for byte through the map writer and pixel for pixel
// in the panes; a random run of edits, undos and redos against a plain
// model of the history; and the unsaved-changes question on every path.
#include <QCloseEvent>
#include <QTest>
#include <functional>
#include <random>

#include "bmpview.h"
#include "dialog.h"
#include "editorfixture.h"
#include "mapattrdlg.h"
#include "mapfile.h"
#include "mapview.h"
#include "resource.h"
#include "smallmapview.h"
#include "tileattrdlg.h"
#include "tileview.h"
#include "undocommands.h"
#include "waituntil.h"

namespace {

void Drag(QWidget* w, QPoint from, QPoint to)
{
    QTest::mousePress(w, Qt::LeftButton, {}, from);
    QTest::mouseMove(w, (from + to) / 2);
    QTest::mouseMove(w, to);
    QTest::mouseRelease(w, Qt::LeftButton, {}, to);
}

void Click(QWidget* w, QPoint at) { QTest::mouseClick(w, Qt::LeftButton, {}, at); }

QPoint CellCentre(int col, int row) { return {col * 32 + 16, row * 32 + 16}; }

ModalAnswerer::Handler Answer(UINT control)
{
    return [control](QWidget* modal) {
        auto* dialog = dynamic_cast<CDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        if (control == IDOK) {
            if (auto* attr = dynamic_cast<CMapAttrDlg*>(dialog)) ReplaceText(EditOf(attr, 1012), "-300");
            if (dynamic_cast<CTileAttrDlg*>(dialog)) ClickWidget(dialog->GetDlgItem(1010));  // bit 1: 128
        }
        ClickWidget(dialog->GetDlgItem(control));
    };
}

class UndoTest : public EditorTest {
public:
    void SetUp() override
    {
        EditorTest::SetUp();
        // Room for the palette's slots, as on a usual desktop.
        frame->resize(1280, 1024);
        frame->m_wndSplitterBottom.SetColumnInfo(0, CMainFrame::PalettePaneIdealWidth(1280), CMainFrame::kPaneMinimum);
        frame->m_wndSplitterBottom.RecalcLayout();
        QApplication::setActiveWindow(frame);
        LoadBitmap(MakePicture(128, 64, 8, 5));  // eight 32 x 32 tiles
        Send(ID_BITMAP_ALLTILES);
        PickBlock(1, 0, 2, 0);
        Send(ID_TILE_FILLALL);
        SetCell(CellLayer::Attributes, 21, 5);
        doc->UndoStack().clear();  // as if this map had just been saved
    }
    void PickBlock(int col0, int row0, int col1, int row1)
    {
        Drag(frame->m_pTileView->viewport(), QPoint(col0 * 37 + 3, row0 * 37 + 3),
             QPoint(col1 * 37 + 3, row1 * 37 + 3));
    }
    // What Save would write now.
    std::vector<std::uint8_t> Saved() const
    {
        std::vector<std::uint8_t> bytes;
        EXPECT_EQ(EncodeMapFile(doc->Snapshot().Input(), bytes), MapWriteResult::Ok);
        return bytes;
    }
    // The three panes that show the map and its tiles.
    std::vector<QImage> Panes() const
    {
        std::vector<QImage> shown;
        for (CScrollView* pane :
             std::initializer_list<CScrollView*>{Map(), frame->m_pSmallMapView, frame->m_pTileView}) {
            pane->UpdateWindow();
            shown.push_back(pane->Surface().copy());
        }
        return shown;
    }
    ModalAnswerer answer;
};

// Each change as a person makes it: what comes first (a block picked,
// none), then the gesture or command.
struct ChangeCase {
    const char* name;
    std::function<void(UndoTest&)> prepare;
    std::function<void(UndoTest&)> change;
};

void Nothing(UndoTest&) {}
void NoBlock(UndoTest& t) { QTest::mouseClick(t.Map()->viewport(), Qt::RightButton, {}, CellCentre(8, 8)); }

const ChangeCase kChanges[] = {
    {"Stamp", Nothing, [](UndoTest& t) { Click(t.Map()->viewport(), CellCentre(3, 3)); }},
    {"DragFill", Nothing, [](UndoTest& t) { Drag(t.Map()->viewport(), CellCentre(1, 1), CellCentre(6, 4)); }},
    {"FillAll", [](UndoTest& t) { t.PickBlock(5, 0, 6, 0); }, [](UndoTest& t) { t.Send(ID_TILE_FILLALL); }},
    {"CellAttributeClick", NoBlock,
     [](UndoTest& t) {
         t.answer.Then(Answer(IDOK));
         Click(t.Map()->viewport(), CellCentre(2, 2));
     }},
    {"CellAttributeDrag", NoBlock,
     [](UndoTest& t) {
         t.answer.Then(Answer(IDOK));
         Drag(t.Map()->viewport(), CellCentre(0, 0), CellCentre(3, 2));
     }},
    {"TileAttributes", Nothing,
     [](UndoTest& t) {
         t.answer.Then(Answer(IDOK));
         t.Send(ID_TILE_SETATTR);
     }},
    {"CutBand", Nothing, [](UndoTest& t) { Drag(t.frame->m_pBmpView->viewport(), QPoint(5, 5), QPoint(70, 40)); }},
    {"CutOneCell", Nothing,
     [](UndoTest& t) { QTest::mouseDClick(t.frame->m_pBmpView->viewport(), Qt::LeftButton, {}, QPoint(40, 40)); }},
    {"CutWholeBitmap", Nothing, [](UndoTest& t) { t.Send(ID_BITMAP_ALLTILES); }},
    {"EraseSelected", [](UndoTest& t) { t.PickBlock(0, 0, 2, 0); },
     [](UndoTest& t) {
         t.answer.Then(ExpectMessage(kMsgAskEraseSelectedTiles, QMessageBox::YesRole));
         t.Send(ID_TILE_ERASESEL);
     }},
    {"EraseAll", Nothing,
     [](UndoTest& t) {
         t.answer.Then(ExpectMessage(kMsgAskEraseAllTiles, QMessageBox::YesRole));
         t.Send(ID_TILE_ERASEALL);
     }},
};

class EveryChange : public UndoTest, public ::testing::WithParamInterface<ChangeCase> {};

TEST_P(EveryChange, UndoesToTheStateBeforeAndRedoesToTheStateAfter)
{
    GetParam().prepare(*this);
    const std::vector<std::uint8_t> before = Saved();
    const std::vector<QImage> panesBefore = Panes();
    GetParam().change(*this);
    const std::vector<std::uint8_t> after = Saved();
    const std::vector<QImage> panesAfter = Panes();
    EXPECT_NE(after, before);
    EXPECT_TRUE(doc->IsModified());
    for (int round = 0; round < 2; ++round) {
        Send(ID_EDIT_UNDO);
        EXPECT_EQ(Saved(), before);
        EXPECT_TRUE(Panes() == panesBefore);
        EXPECT_FALSE(doc->IsModified()) << "back where it was saved";
        Send(ID_EDIT_REDO);
        EXPECT_EQ(Saved(), after);
        EXPECT_TRUE(Panes() == panesAfter);
    }
    EXPECT_EQ(doc->UndoStack().count(), 1) << "one gesture, one step";
}

INSTANTIATE_TEST_SUITE_P(Undo, EveryChange, ::testing::ValuesIn(kChanges),
                         [](const ::testing::TestParamInfo<ChangeCase>& info) { return std::string(info.param.name); });

TEST_F(UndoTest, EditMenuNamesTheStepAndGreysWhenThereIsNone)
{
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame, kPatienceMs));
    Map()->setFocus();
    QAction* undo = frame->CommandAction(ID_EDIT_UNDO);
    QAction* redo = frame->CommandAction(ID_EDIT_REDO);
    frame->UpdateAllCommandUI();
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());
    EXPECT_EQ(undo->statusTip(), "실행 취소");
    Drag(Map()->viewport(), CellCentre(1, 1), CellCentre(2, 2));
    frame->UpdateAllCommandUI();
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_EQ(undo->statusTip(), "실행 취소: 타일 채우기");
    QTest::keyClick(Map(), Qt::Key_Z, Qt::ControlModifier);
    frame->UpdateAllCommandUI();
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_EQ(redo->statusTip(), "다시 실행: 타일 채우기");
    QTest::keyClick(Map(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_TRUE(doc->IsModified());
    QTest::keyClick(Map(), Qt::Key_Backspace, Qt::AltModifier);
    QTest::keyClick(Map(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(undo->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    EXPECT_EQ(redo->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Y));
}

// A stroke's edits, of either layer, are one step named by its first edit;
// the next edit is a step of its own, and a stroke that puts back what it
// found leaves none.
TEST_F(UndoTest, AStrokeIsOneStep)
{
    const std::vector<std::uint8_t> before = Saved();
    doc->BeginStroke();
    doc->StampBrush(1, 1);
    doc->SetCellAttributes(CRect(2, 2, 4, 4), 9);
    doc->FillWithBrush(CRect(0, 5, 8, 7));
    doc->EndStroke();
    const std::vector<std::uint8_t> after = Saved();
    ASSERT_EQ(doc->UndoStack().count(), 1);
    EXPECT_EQ(doc->UndoStack().text(0), "타일 찍기");
    Send(ID_EDIT_UNDO);
    EXPECT_EQ(Saved(), before);
    Send(ID_EDIT_REDO);
    EXPECT_EQ(Saved(), after);
    doc->StampBrush(11, 10);  // the block one cell off the fill's pattern
    EXPECT_EQ(doc->UndoStack().count(), 2);
    const short old = doc->CellAttribute(0, 0);
    doc->BeginStroke();
    doc->SetCellAttributes(CRect(0, 0, 1, 1), short(old + 1));
    doc->SetCellAttributes(CRect(0, 0, 1, 1), old);
    doc->EndStroke();
    EXPECT_EQ(doc->UndoStack().count(), 2);
    EXPECT_EQ(doc->UndoStack().index(), 2);
}

// Random edits, undos and redos against a plain model of a history: a
// list of saved states and a position in it. An edit drops the states
// ahead of the position; undo and redo move along the list.
TEST_F(UndoTest, RandomRunMatchesAPlainHistory)
{
    std::mt19937 random(5);
    std::vector<std::vector<std::uint8_t>> states{Saved()};
    std::size_t at = 0;
    for (int step = 0; step < 150; ++step) {
        const unsigned what = random() % 8;
        const int col = int(random() % 20), row = int(random() % 15);
        if (what == 0 && at > 0) {
            // Undo and redo through their keys.
            Send(ID_EDIT_UNDO);
            --at;
        } else if (what == 1 && at + 1 < states.size()) {
            Send(ID_EDIT_REDO);
            ++at;
        } else if (what >= 2) {
            switch (what) {
            case 2: doc->SetCellAttributes(CRect(col, row, col + 2, row + 3), short(random())); break;
            case 3: doc->StampBrush(col, row); break;
            case 4: doc->FillWithBrush(CRect(col, row, col + 4, row + 2)); break;
            case 5:
                doc->CutTiles({CRect(32 * (col % 4), 32 * (row % 2), 32 * (col % 4) + 32, 32 * (row % 2) + 32)});
                break;
            case 6:
                if (doc->Tiles().GetCount() > 3)
                    doc->UndoStack().push(new CRemoveTilesCommand(*doc, QStringLiteral("지우기"), {col % 3}));
                break;
            default: doc->SetSelection({1, 1, {short(random() % 10)}}, nullptr); break;
            }
            const std::vector<std::uint8_t> now = Saved();
            if (what == 7) continue;  // picking a block is no change
            if (doc->UndoStack().index() == int(at)) {
                ASSERT_EQ(now, states[at]) << "step " << step << ": no change, no step";
                continue;
            }
            states.resize(at + 1);
            states.push_back(now);
            ++at;
        }
        ASSERT_EQ(doc->UndoStack().index(), int(at)) << "step " << step;
        ASSERT_EQ(Saved(), states[at]) << "step " << step;
        ASSERT_EQ(doc->IsModified() != FALSE, at != 0) << "step " << step;
    }
}

// The question before discarding unsaved changes, on every path, with
// every answer. Yes saves through Save, which asks for a file name.
enum class Path { Close, Exit, New, Open, OpenByPath };
enum class Reply { NoChanges, Yes, YesButCancelTheFileName, No, Cancel };

struct QuestionCase {
    const char* name;
    Path path;
    Reply reply;
    bool goesOn;
};

class UnsavedQuestion : public UndoTest, public ::testing::WithParamInterface<QuestionCase> {};

TEST_P(UnsavedQuestion, AsksOnlyWithUnsavedChangesAndHonoursTheAnswer)
{
    const QuestionCase& c = GetParam();
    const std::string other = folder.File("other.Map");
    ASSERT_TRUE(doc->SaveMapFileTo(other));
    const std::string saved = folder.File("saved.Map");
    if (c.reply != Reply::NoChanges) Drag(Map()->viewport(), CellCentre(1, 1), CellCentre(5, 5));
    const std::vector<std::uint8_t> work = Saved();

    switch (c.reply) {
    case Reply::NoChanges: break;
    case Reply::Yes:
        answer.Then(ExpectMessage(kMsgAskSaveChanges, QMessageBox::YesRole)).Then(ChooseFile(saved));
        break;
    case Reply::YesButCancelTheFileName:
        answer.Then(ExpectMessage(kMsgAskSaveChanges, QMessageBox::YesRole)).Then(CancelDialog());
        break;
    case Reply::No: answer.Then(ExpectMessage(kMsgAskSaveChanges, QMessageBox::NoRole)); break;
    case Reply::Cancel: answer.Then(ExpectMessage(kMsgAskSaveChanges, QMessageBox::RejectRole)); break;
    }
    bool wentOn = false;
    const bool asked = c.reply != Reply::NoChanges;
    const int seen = answer.ModalsSeen();
    switch (c.path) {
    case Path::Close:
    case Path::Exit: {
        QCloseEvent close;
        if (c.path == Path::Exit) {
            Send(ID_APP_EXIT);
            wentOn = frame->isHidden();
        } else {
            QApplication::sendEvent(frame, &close);
            wentOn = close.isAccepted();
        }
        break;
    }
    case Path::New:
        // File New's own question comes next, when it goes on.
        if (c.goesOn)
            answer.Then([&](QWidget* modal) {
                wentOn = true;
                ExpectMessage(kMsgAskEraseTilesForNewMap, QMessageBox::NoRole)(modal);
            });
        Send(ID_FILE_NEW);
        break;
    case Path::Open:
        if (c.goesOn) answer.Then(ChooseFile(other));
        Send(ID_FILE_OPEN);
        wentOn = !doc->Bitmap().m_bLoaded;  // a loaded map drops the bitmap
        break;
    case Path::OpenByPath: wentOn = doc->OpenMapFile(other); break;
    }
    EXPECT_EQ(answer.ModalsSeen() > seen, asked || (c.goesOn && (c.path == Path::New || c.path == Path::Open)));
    EXPECT_EQ(wentOn, c.goesOn);
    if (!c.goesOn) {
        EXPECT_EQ(Saved(), work) << "nothing changed";
        EXPECT_TRUE(doc->IsModified() || c.reply == Reply::NoChanges);
    }
    if (c.reply == Reply::Yes) {
        EXPECT_EQ(ReadBytes(saved), work);
    }
}

std::vector<QuestionCase> QuestionCases()
{
    std::vector<QuestionCase> cases;
    const std::pair<Path, const char*> paths[] = {{Path::Close, "Close"},
                                                  {Path::Exit, "Exit"},
                                                  {Path::New, "New"},
                                                  {Path::Open, "Open"},
                                                  {Path::OpenByPath, "OpenByPath"}};
    const std::tuple<Reply, const char*, bool> replies[] = {{Reply::NoChanges, "NoChanges", true},
                                                            {Reply::Yes, "Yes", true},
                                                            {Reply::YesButCancelTheFileName, "YesButNoFileName", false},
                                                            {Reply::No, "No", true},
                                                            {Reply::Cancel, "Cancel", false}};
    static std::vector<std::string> names;
    names.reserve(64);
    for (const auto& [path, pathName] : paths)
        for (const auto& [reply, replyName, goesOn] : replies) {
            names.push_back(std::string(pathName) + replyName);
            cases.push_back({names.back().c_str(), path, reply, goesOn});
        }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Paths, UnsavedQuestion, ::testing::ValuesIn(QuestionCases()),
                         [](const ::testing::TestParamInfo<QuestionCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
