// The map attribute dialog: a signed 16-bit number with an up-down.
#include <gtest/gtest.h>

#include "dlgtesting.h"
#include "mapattrdlg.h"

namespace {
using D = CMapAttrDlg;

struct MapAttrTextCase {
    const char* name;
    const char* text;
    bool accepted;
    short value;
};

class MapAttrTextTest : public testing::TestWithParam<MapAttrTextCase> {};

TEST_P(MapAttrTextTest, ReadsSigned16BitNumbersOrRefuses)
{
    const MapAttrTextCase& c = GetParam();
    D dlg;
    dlg.m_nValue = 7;
    QString message;
    bool openAfterRefusal = false;
    QWidget* focus = nullptr;
    QWidget* edit = nullptr;
    ModalAnswerer answer;
    answer.Then([&](QWidget* modal) {
        edit = EditOf(dlg, D::IDC_VALUE);
        ReplaceText(edit, QString::fromUtf8(c.text));
        ClickOk(dlg);
        if (c.accepted) return;
        openAfterRefusal = modal->isVisible();
        focus = modal->focusWidget();
        ClickCancel(dlg);
    });
    if (!c.accepted) answer.Then(AnswerMessage(&message));
    EXPECT_EQ(dlg.DoModal(), c.accepted ? IDOK : IDCANCEL);
    if (c.accepted) {
        EXPECT_EQ(dlg.m_nValue, c.value);
    } else {
        EXPECT_EQ(message, "정수를 입력하십시오.");
        EXPECT_TRUE(openAfterRefusal);
        EXPECT_EQ(focus, edit);
        EXPECT_EQ(dlg.m_nValue, 7);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, MapAttrTextTest,
    testing::Values(MapAttrTextCase{"Negative", " -300 ", true, -300}, MapAttrTextCase{"Largest", "32767", true, 32767},
                    MapAttrTextCase{"Smallest", "-32768", true, -32768}, MapAttrTextCase{"Plus", "+12", true, 12},
                    MapAttrTextCase{"Tabs", "\t5\t", true, 5}, MapAttrTextCase{"AboveRange", "32768", false, 0},
                    MapAttrTextCase{"BelowRange", "-32769", false, 0},
                    MapAttrTextCase{"Huge", "99999999999999999999999", false, 0},
                    MapAttrTextCase{"Empty", "", false, 0}, MapAttrTextCase{"Letters", "abc", false, 0},
                    MapAttrTextCase{"Fraction", "1.5", false, 0}, MapAttrTextCase{"SignOnly", "-", false, 0}),
    [](const testing::TestParamInfo<MapAttrTextCase>& info) { return std::string(info.param.name); });

TEST(MapAttrDialog, NegativeValueIsShownAgainAsItIs)
{
    D dlg;
    QString shown;
    ModalAnswerer answer;
    answer
        .Then([&](QWidget*) {
            ReplaceText(EditOf(dlg, D::IDC_VALUE), "-1");
            ClickOk(dlg);
        })
        .Then([&](QWidget*) {
            shown = EditOf(dlg, D::IDC_VALUE)->text();
            ClickOk(dlg);
        });
    dlg.m_nValue = 0;
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_nValue, -1);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(shown, "-1");
    EXPECT_EQ(dlg.m_nValue, -1);
}

struct MapAttrArrowCase {
    const char* name;
    short preset;
    bool up;
    bool byKey;
    QString shown;
};

class MapAttrArrowTest : public testing::TestWithParam<MapAttrArrowCase> {};

TEST_P(MapAttrArrowTest, StopsAtTheEndsAndWritesPlainDigits)
{
    const MapAttrArrowCase& c = GetParam();
    D dlg;
    dlg.m_nValue = c.preset;
    QString shown;
    ModalAnswerer answer;
    answer.Then([&](QWidget*) {
        if (c.byKey)
            PressKey(EditOf(dlg, D::IDC_VALUE), c.up ? Qt::Key_Up : Qt::Key_Down);
        else if (c.up)
            ClickUpArrow(dlg, D::IDC_SPIN_VALUE);
        else
            ClickDownArrow(dlg, D::IDC_SPIN_VALUE);
        shown = EditOf(dlg, D::IDC_VALUE)->text();
        ClickOk(dlg);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(shown, c.shown);
    EXPECT_EQ(dlg.m_nValue, c.shown.toShort());
}

INSTANTIATE_TEST_SUITE_P(Arrows, MapAttrArrowTest,
                         testing::Values(MapAttrArrowCase{"UpAtTop", 32767, true, false, "32767"},
                                         MapAttrArrowCase{"DownAtBottom", -32768, false, false, "-32768"},
                                         MapAttrArrowCase{"UpKeyAtTop", 32767, true, true, "32767"},
                                         MapAttrArrowCase{"UpIncreases", -1, true, false, "0"},
                                         MapAttrArrowCase{"NoThousandsSeparator", 999, true, false, "1000"},
                                         MapAttrArrowCase{"NoSeparatorNegative", -999, false, true, "-1000"}),
                         [](const testing::TestParamInfo<MapAttrArrowCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(MapAttrDialog, ArrowStartsFromTheTypedNumber)
{
    D dlg;
    dlg.m_nValue = 0;
    QString shown;
    ModalAnswerer answer;
    answer.Then([&](QWidget*) {
        ReplaceText(EditOf(dlg, D::IDC_VALUE), "41");
        ClickUpArrow(dlg, D::IDC_SPIN_VALUE);
        shown = EditOf(dlg, D::IDC_VALUE)->text();
        ClickCancel(dlg);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(shown, "42");
    EXPECT_EQ(dlg.m_nValue, 0);
}
}  // namespace
