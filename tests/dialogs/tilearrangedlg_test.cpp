// The tile arrangement dialog: 2 to 100 tiles per row, wrapping arrows.
#include <gtest/gtest.h>

#include "dlgtesting.h"
#include "tilearrangedlg.h"

namespace {
using D = CTileArrangeDlg;

struct CountCase {
    const char* name;
    const char* text;
    const char* message;  // null: accepted
    int value;
};

const QString kIntegerText = "정수를 입력하십시오.";

class TileArrangeCountTest : public testing::TestWithParam<CountCase> {};

TEST_P(TileArrangeCountTest, AcceptsTwoToHundredOrRefusesWithTheRightMessage)
{
    const CountCase& c = GetParam();
    D dlg;
    dlg.m_nCount = 10;
    QString message, selected;
    bool openAfterRefusal = false;
    QWidget* focus = nullptr;
    QWidget* edit = nullptr;
    ModalAnswerer answer;
    answer.Then([&](QWidget* modal) {
        auto* countEdit = EditOf(dlg, D::IDC_COUNT);
        edit = countEdit;
        ReplaceText(countEdit, QString::fromUtf8(c.text));
        ClickOk(dlg);
        if (!c.message) return;
        openAfterRefusal = modal->isVisible();
        focus = modal->focusWidget();
        selected = countEdit->selectedText();
        ClickCancel(dlg);
    });
    if (c.message) answer.Then(AnswerMessage(&message));
    EXPECT_EQ(dlg.DoModal(), c.message ? IDCANCEL : IDOK);
    if (!c.message) {
        EXPECT_EQ(dlg.m_nCount, c.value);
        return;
    }
    EXPECT_EQ(message, QString::fromUtf8(c.message));
    EXPECT_TRUE(openAfterRefusal);
    EXPECT_EQ(focus, edit);
    EXPECT_EQ(selected, QString::fromUtf8(c.text));
    // Unreadable text, or a number too large for the field, stores nothing;
    // a readable number out of range is stored before the range check
    // refuses it, but never reaches the caller.
    if (QString::fromUtf8(c.message) == kIntegerText || QString(c.text).size() > 9) {
        EXPECT_EQ(dlg.m_nCount, 10);
    }
}

constexpr const char* kRange = "2와(과) 100 사이의 정수를 입력하십시오.";
constexpr const char* kInteger = "정수를 입력하십시오.";

INSTANTIATE_TEST_SUITE_P(Texts, TileArrangeCountTest,
                         testing::Values(CountCase{"Two", "2", nullptr, 2}, CountCase{"Hundred", "100", nullptr, 100},
                                         CountCase{"BlanksAndPlus", " +50 ", nullptr, 50},
                                         CountCase{"One", "1", kRange, 0}, CountCase{"HundredOne", "101", kRange, 0},
                                         CountCase{"Negative", "-5", kRange, 0}, CountCase{"Empty", "", kInteger, 0},
                                         CountCase{"Letters", "ten", kInteger, 0},
                                         CountCase{"BeyondInt", "2147483648", kRange, 0},
                                         CountCase{"BelowInt", "-2147483649", kRange, 0},
                                         CountCase{"FarBeyondInt", "99999999999999999999999", kRange, 0}),
                         [](const testing::TestParamInfo<CountCase>& info) { return std::string(info.param.name); });

struct WrapCase {
    const char* name;
    int preset;
    bool up;
    bool byKey;
    QString shown;
};

class TileArrangeWrapTest : public testing::TestWithParam<WrapCase> {};

TEST_P(TileArrangeWrapTest, ArrowsWrapAtBothEnds)
{
    const WrapCase& c = GetParam();
    D dlg;
    dlg.m_nCount = c.preset;
    QString shown;
    ModalAnswerer answer;
    answer.Then([&](QWidget*) {
        if (c.byKey)
            PressKey(EditOf(dlg, D::IDC_COUNT), c.up ? Qt::Key_Up : Qt::Key_Down);
        else if (c.up)
            ClickUpArrow(dlg, D::IDC_SPIN_COUNT);
        else
            ClickDownArrow(dlg, D::IDC_SPIN_COUNT);
        shown = EditOf(dlg, D::IDC_COUNT)->text();
        ClickOk(dlg);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(shown, c.shown);
    EXPECT_EQ(dlg.m_nCount, c.shown.toInt());
}

INSTANTIATE_TEST_SUITE_P(Arrows, TileArrangeWrapTest,
                         testing::Values(WrapCase{"UpFromHundred", 100, true, false, "2"},
                                         WrapCase{"DownFromTwo", 2, false, false, "100"},
                                         WrapCase{"UpKeyFromHundred", 100, true, true, "2"},
                                         WrapCase{"DownKeyFromTwo", 2, false, true, "100"},
                                         WrapCase{"UpFromTen", 10, true, false, "11"}),
                         [](const testing::TestParamInfo<WrapCase>& info) { return std::string(info.param.name); });

TEST(TileArrangeDialog, CancelReturnsCancel)
{
    D dlg;
    dlg.m_nCount = 10;
    ModalAnswerer answer;
    answer.Then([&](QWidget*) {
        ReplaceText(EditOf(dlg, D::IDC_COUNT), "20");
        ClickCancel(dlg);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.m_nCount, 10);
}
}  // namespace
