// The tile attribute dialog: the number and the eight bit boxes kept equal
// in both directions, driven with clicks, typing and the arrows.
#include <gtest/gtest.h>

#include "dlgtesting.h"
#include "tileattrdlg.h"

namespace {
using D = CTileAttrDlg;
// Left to right: "1Bit" (0x80) .. "8Bit" (0x01).
const std::vector<UINT> kBits = {D::IDC_BIT1, D::IDC_BIT2, D::IDC_BIT3, D::IDC_BIT4,
                                 D::IDC_BIT5, D::IDC_BIT6, D::IDC_BIT7, D::IDC_BIT8};

// The boxes as a byte, read from the screen.
int BoxesValue(const CDialog& dlg)
{
    int value = 0;
    for (UINT id : kBits) value = value * 2 + (ButtonOf(dlg, id)->isChecked() ? 1 : 0);
    return value;
}

// Runs the dialog as the document does: preset, not ready, modal.
int RunLikeTheDocument(D& dlg, BYTE preset, ModalAnswerer& answer)
{
    dlg.m_byValue = preset;
    dlg.m_bReady = FALSE;
    const int result = dlg.DoModal();
    EXPECT_EQ(answer.Pending(), 0u);
    return result;
}

class TileAttrPresetTest : public testing::TestWithParam<std::pair<int, std::vector<UINT>>> {};

TEST_P(TileAttrPresetTest, BoxesShowThePresetMostSignificantBitFirst)
{
    const auto& [preset, expectedTicked] = GetParam();
    D dlg;
    std::vector<UINT> ticked;
    QString text;
    ModalAnswerer answer;
    answer.Then([&](QWidget*) {
        ticked = TickedOf(dlg, kBits);
        text = EditOf(dlg, D::IDC_VALUE)->text();
        ClickCancel(dlg);
    });
    EXPECT_EQ(RunLikeTheDocument(dlg, BYTE(preset), answer), IDCANCEL);
    EXPECT_EQ(ticked, expectedTicked);
    EXPECT_EQ(text, QString::number(preset));
    EXPECT_TRUE(dlg.m_bReady);
}

INSTANTIATE_TEST_SUITE_P(Presets, TileAttrPresetTest,
                         testing::Values(std::pair<int, std::vector<UINT>>{1, {D::IDC_BIT8}},
                                         std::pair<int, std::vector<UINT>>{128, {D::IDC_BIT1}},
                                         std::pair<int, std::vector<UINT>>{0, {}},
                                         std::pair<int, std::vector<UINT>>{255, kBits},
                                         std::pair<int, std::vector<UINT>>{0x41, {D::IDC_BIT2, D::IDC_BIT8}}));

TEST(TileAttrDialog, BitClicksShowInTheNumberAndOkStoresIt)
{
    D dlg;
    QStringList shown;
    ModalAnswerer answer;
    answer.Then([&](QWidget*) {
        for (UINT id : {D::IDC_BIT1, D::IDC_BIT8, D::IDC_BIT1}) {
            ClickWidget(dlg.GetDlgItem(id));
            shown << EditOf(dlg, D::IDC_VALUE)->text();
        }
        ClickOk(dlg);
    });
    EXPECT_EQ(RunLikeTheDocument(dlg, 0, answer), IDOK);
    EXPECT_EQ(shown, QStringList({"128", "129", "1"}));
    EXPECT_EQ(dlg.m_byValue, 1);
}

TEST(TileAttrDialog, TypingANumberTicksItsBits)
{
    D dlg;
    int boxes = -1;
    ModalAnswerer answer;
    answer.Then([&](QWidget*) {
        ReplaceText(EditOf(dlg, D::IDC_VALUE), "5");
        boxes = BoxesValue(dlg);
        ClickOk(dlg);
    });
    EXPECT_EQ(RunLikeTheDocument(dlg, 0, answer), IDOK);
    EXPECT_EQ(boxes, 5);  // "6Bit" and "8Bit"
    EXPECT_EQ(dlg.m_byValue, 5);
}

TEST(TileAttrDialog, TypingThreeHundredDigitByDigit)
{
    D dlg;
    std::vector<int> boxesAfterEachKey;
    int boxesAfterEmptying = -1;
    QString firstMessage, secondMessage;
    ModalAnswerer answer;
    answer
        .Then([&](QWidget*) {
            QLineEdit* edit = EditOf(dlg, D::IDC_VALUE);
            edit->setFocus();
            edit->selectAll();
            for (const QChar digit : QString("300")) {
                TypeText(edit, digit);
                boxesAfterEachKey.push_back(BoxesValue(dlg));
            }
            // The refusal selected the text: one Backspace empties the edit.
            PressKey(edit, Qt::Key_Backspace);
            boxesAfterEmptying = BoxesValue(dlg);
            ClickCancel(dlg);
        })
        .Then(AnswerMessage(&firstMessage))
        .Then(AnswerMessage(&secondMessage));
    EXPECT_EQ(RunLikeTheDocument(dlg, 0, answer), IDCANCEL);
    EXPECT_EQ(boxesAfterEachKey, (std::vector<int>{3, 30, 30}));
    EXPECT_EQ(firstMessage, "0 에서 255 사이의 정수를 입력하십시오.");
    EXPECT_EQ(secondMessage, "0 에서 255 사이의 정수를 입력하십시오.");
    EXPECT_EQ(boxesAfterEmptying, 30);
}

TEST(TileAttrDialog, OkWithAnUnreadableNumberKeepsTheDialogOpen)
{
    D dlg;
    bool openAfterOk = false;
    QWidget* focus = nullptr;
    QWidget* edit = nullptr;
    QString messageOnTyping, messageOnOk;
    ModalAnswerer answer;
    answer
        .Then([&](QWidget* modal) {
            edit = EditOf(dlg, D::IDC_VALUE);
            ReplaceText(edit, "256");
            ClickOk(dlg);
            openAfterOk = modal->isVisible();
            focus = modal->focusWidget();
            ClickCancel(dlg);
        })
        .Then(AnswerMessage(&messageOnTyping))
        .Then(AnswerMessage(&messageOnOk));
    EXPECT_EQ(RunLikeTheDocument(dlg, 7, answer), IDCANCEL);
    EXPECT_EQ(messageOnOk, "0 에서 255 사이의 정수를 입력하십시오.");
    EXPECT_TRUE(openAfterOk);
    EXPECT_EQ(focus, edit);
}

struct ArrowCase {
    const char* name;
    int preset;
    bool up;
    bool byKey;  // the arrow key typed in the edit instead of a click
    QString shown;
    int boxes;
};

class TileAttrArrowTest : public testing::TestWithParam<ArrowCase> {};

TEST_P(TileAttrArrowTest, StepsWithinZeroTo255AndTheBoxesFollow)
{
    const ArrowCase& c = GetParam();
    D dlg;
    QString shown;
    int boxes = -1;
    ModalAnswerer answer;
    answer.Then([&](QWidget*) {
        if (c.byKey)
            PressKey(EditOf(dlg, D::IDC_VALUE), c.up ? Qt::Key_Up : Qt::Key_Down);
        else if (c.up)
            ClickUpArrow(dlg, D::IDC_SPIN_VALUE);
        else
            ClickDownArrow(dlg, D::IDC_SPIN_VALUE);
        shown = EditOf(dlg, D::IDC_VALUE)->text();
        boxes = BoxesValue(dlg);
        ClickOk(dlg);
    });
    EXPECT_EQ(RunLikeTheDocument(dlg, BYTE(c.preset), answer), IDOK);
    EXPECT_EQ(shown, c.shown);
    EXPECT_EQ(boxes, c.boxes);
}

INSTANTIATE_TEST_SUITE_P(Arrows, TileAttrArrowTest,
                         testing::Values(ArrowCase{"UpAtTop", 255, true, false, "255", 255},
                                         ArrowCase{"DownAtBottom", 0, false, false, "0", 0},
                                         ArrowCase{"Up", 7, true, false, "8", 8},
                                         ArrowCase{"Down", 128, false, false, "127", 127},
                                         ArrowCase{"UpKey", 254, true, true, "255", 255},
                                         ArrowCase{"DownKeyAtBottom", 0, false, true, "0", 0}),
                         [](const testing::TestParamInfo<ArrowCase>& info) { return std::string(info.param.name); });

}  // namespace
