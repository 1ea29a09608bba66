// The new-map dialog driven with real clicks and typing.
#include <gtest/gtest.h>

#include "dlgtesting.h"
#include "newmapdlg.h"

namespace {
const std::vector<UINT> kRadios = {CNewMapDlg::IDC_TILE16, CNewMapDlg::IDC_TILE24, CNewMapDlg::IDC_TILE32,
                                   CNewMapDlg::IDC_TILE64};

void Preset(CNewMapDlg& dlg, BYTE tile, UINT width, UINT height)
{
    dlg.m_nTileWidth = dlg.m_nTileHeight = tile;
    dlg.m_nMapWidth = width;
    dlg.m_nMapHeight = height;
}

struct RadioCase {
    const char* name;
    BYTE preset;
    std::vector<UINT> clicks;
    bool ok;
    BYTE expectedTile;
};

class NewMapRadioTest : public testing::TestWithParam<RadioCase> {};

TEST_P(NewMapRadioTest, OpensUnselectedAndLastClickWins)
{
    const RadioCase& c = GetParam();
    CNewMapDlg dlg;
    Preset(dlg, c.preset, 20, 15);
    std::vector<UINT> tickedAtOpen, tickedAtEnd;
    ModalAnswerer answer;
    answer.Then([&](QWidget*) {
        tickedAtOpen = TickedOf(dlg, kRadios);
        for (UINT id : c.clicks) ClickWidget(dlg.GetDlgItem(id));
        tickedAtEnd = TickedOf(dlg, kRadios);
        c.ok ? ClickOk(dlg) : ClickCancel(dlg);
    });
    EXPECT_EQ(dlg.DoModal(), c.ok ? IDOK : IDCANCEL);
    EXPECT_TRUE(tickedAtOpen.empty());
    if (!c.clicks.empty()) {
        EXPECT_EQ(tickedAtEnd, std::vector<UINT>{c.clicks.back()});
    }
    if (c.ok) {
        EXPECT_EQ(dlg.m_nTileWidth, c.expectedTile);
        EXPECT_EQ(dlg.m_nTileHeight, c.expectedTile);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Clicks, NewMapRadioTest,
    testing::Values(RadioCase{"PresetKeptWithoutClick", 24, {}, true, 24},
                    RadioCase{"SixteenThenThirtyTwo", 32, {CNewMapDlg::IDC_TILE16, CNewMapDlg::IDC_TILE32}, true, 32},
                    RadioCase{"SixtyFour", 32, {CNewMapDlg::IDC_TILE64}, true, 64},
                    RadioCase{"TwentyFour", 16, {CNewMapDlg::IDC_TILE24}, true, 24},
                    RadioCase{"SixtyFourThenCancel", 32, {CNewMapDlg::IDC_TILE64}, false, 0}),
    [](const testing::TestParamInfo<RadioCase>& info) { return std::string(info.param.name); });

TEST(NewMapDialog, EveryRunStartsWithNoRadioSelected)
{
    CNewMapDlg dlg;
    Preset(dlg, 32, 20, 15);
    std::vector<UINT> tickedAtSecondOpen{0};
    ModalAnswerer answer;
    answer
        .Then([&](QWidget*) {
            ClickWidget(dlg.GetDlgItem(CNewMapDlg::IDC_TILE64));
            ClickOk(dlg);
        })
        .Then([&](QWidget*) {
            tickedAtSecondOpen = TickedOf(dlg, kRadios);
            ClickCancel(dlg);
        });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(tickedAtSecondOpen.empty());
}

TEST(NewMapDialog, ShowsPresetSizesAndTheInertButtonChangesNothing)
{
    CNewMapDlg dlg;
    Preset(dlg, 32, 20, 15);
    QString width, height;
    bool stillOpen = false;
    ModalAnswerer answer;
    answer.Then([&](QWidget* modal) {
        width = EditOf(dlg, CNewMapDlg::IDC_MAP_WIDTH)->text();
        height = EditOf(dlg, CNewMapDlg::IDC_MAP_HEIGHT)->text();
        ClickWidget(dlg.GetDlgItem(CNewMapDlg::IDC_TILE_ATTR));
        stillOpen = modal->isVisible();
        ClickOk(dlg);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(width, "20");
    EXPECT_EQ(height, "15");
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(dlg.m_nMapWidth, 20u);
    EXPECT_EQ(dlg.m_nMapHeight, 15u);
}

struct SizeTextCase {
    const char* name;
    const char* text;
    bool accepted;
    UINT value;
};

class NewMapSizeTextTest : public testing::TestWithParam<SizeTextCase> {};

// The width is read first: when it is refused the dialog stays open with
// the focus and selection in it, and the height typed after it is not stored.
TEST_P(NewMapSizeTextTest, ReadsUnsignedNumbersOrRefusesWithTheMessage)
{
    const SizeTextCase& c = GetParam();
    CNewMapDlg dlg;
    Preset(dlg, 32, 20, 15);
    QString message;
    bool openAfterRefusal = false;
    QWidget* focusAfterRefusal = nullptr;
    QWidget* widthEdit = nullptr;
    QString selectedAfterRefusal;
    ModalAnswerer answer;
    answer.Then([&](QWidget* modal) {
        QLineEdit* width = EditOf(dlg, CNewMapDlg::IDC_MAP_WIDTH);
        widthEdit = width;
        ReplaceText(width, QString::fromUtf8(c.text));
        ReplaceText(EditOf(dlg, CNewMapDlg::IDC_MAP_HEIGHT), "99");
        ClickOk(dlg);
        if (c.accepted) return;
        openAfterRefusal = modal->isVisible();
        focusAfterRefusal = modal->focusWidget();
        selectedAfterRefusal = width->selectedText();
        ClickCancel(dlg);
    });
    if (!c.accepted) answer.Then(AnswerMessage(&message));

    EXPECT_EQ(dlg.DoModal(), c.accepted ? IDOK : IDCANCEL);
    if (c.accepted) {
        EXPECT_EQ(dlg.m_nMapWidth, c.value);
        EXPECT_EQ(dlg.m_nMapHeight, 99u);
    } else {
        EXPECT_EQ(message, "양의 정수를 입력하십시오.");
        EXPECT_TRUE(openAfterRefusal);
        EXPECT_EQ(focusAfterRefusal, widthEdit);
        EXPECT_EQ(selectedAfterRefusal, QString::fromUtf8(c.text));
        EXPECT_EQ(dlg.m_nMapWidth, 20u);
        EXPECT_EQ(dlg.m_nMapHeight, 15u);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, NewMapSizeTextTest,
    testing::Values(SizeTextCase{"Zero", "0", true, 0}, SizeTextCase{"BlanksAround", "  40  ", true, 40},
                    SizeTextCase{"TabsAround", "\t40\t", true, 40}, SizeTextCase{"LeadingPlus", "+7", true, 7},
                    SizeTextCase{"Largest", "4294967295", true, 4294967295u},
                    SizeTextCase{"TrailingLetter", "40a", false, 0}, SizeTextCase{"Negative", "-1", false, 0},
                    SizeTextCase{"MinusZero", "-0", false, 0}, SizeTextCase{"Empty", "", false, 0},
                    SizeTextCase{"InnerBlank", "4 0", false, 0}, SizeTextCase{"TooLarge", "4294967296", false, 0}),
    [](const testing::TestParamInfo<SizeTextCase>& info) { return std::string(info.param.name); });
}  // namespace
