// What every dialog shows before anyone touches it: caption and size,
// controls where the template puts them, names for assistive technology,
// and the tab order of the template.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <functional>
#include <memory>

#include "aboutdlg.h"
#include "dlgtesting.h"
#include "mapattrdlg.h"
#include "newmapdlg.h"
#include "resources.h"
#include "textcolordlg.h"
#include "tilearrangedlg.h"
#include "tileattrdlg.h"

namespace {
using Factory = std::function<std::unique_ptr<CDialog>()>;

template <class D>
Factory Make()
{
    return [] { return std::make_unique<D>(); };
}

// Runs a fresh dialog of that kind, lets check look at it, then cancels.
void Inspect(const Factory& make, const std::function<void(CDialog&)>& check)
{
    std::unique_ptr<CDialog> dlg = make();
    ModalAnswerer answer;
    answer.Then([&](QWidget*) {
        check(*dlg);
        dlg->EndDialog(IDCANCEL);
    });
    dlg->DoModal();
}

int Scale(int units, int base, int divisor) { return (units * base + divisor / 2) / divisor; }

struct DialogCase {
    const char* name;
    Factory make;
    const char* caption;
    int cx, cy;
};

class DialogFrameTest : public testing::TestWithParam<DialogCase> {};

TEST_P(DialogFrameTest, CaptionSizeKoreanFontAndNamedControls)
{
    const DialogCase& c = GetParam();
    Inspect(c.make, [&](CDialog& dlg) {
        EXPECT_EQ(dlg.windowTitle(), QString::fromUtf8(c.caption));
        // The Windows face names resolve to an installed Korean face.
        EXPECT_EQ(QFontInfo(dlg.font()).family(), "NanumGothic");
        // Base units: average width of the 52 letters, and the font height.
        const QFontMetrics metrics(dlg.font());
        const double average = metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") / 52.0;
        EXPECT_NEAR(dlg.GetBaseUnits().cx, average, 0.5);
        EXPECT_EQ(dlg.GetBaseUnits().cy, metrics.height());
        EXPECT_EQ(dlg.size(), QSize(Scale(c.cx, dlg.GetBaseUnits().cx, 4), Scale(c.cy, dlg.GetBaseUnits().cy, 8)));
        for (QWidget* child : dlg.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            EXPECT_FALSE(child->accessibleName().isEmpty()) << child->objectName().toStdString();
        }
    });
}

INSTANTIATE_TEST_SUITE_P(Dialogs, DialogFrameTest,
                         testing::Values(DialogCase{"About", Make<CAboutDlg>(), "Zell 정보", 235, 55},
                                         DialogCase{"NewMap", Make<CNewMapDlg>(), "새 지도 작성", 187, 130},
                                         DialogCase{"TileArrange", Make<CTileArrangeDlg>(), "타일 정렬 갯수", 198, 40},
                                         DialogCase{"TileAttr", Make<CTileAttrDlg>(), "타일속성", 299, 80},
                                         DialogCase{"MapAttr", Make<CMapAttrDlg>(), "맵속성", 187, 44},
                                         DialogCase{"TextColor", Make<CTextColorDlg>(), "글자 속성 색상", 184, 108}),
                         [](const testing::TestParamInfo<DialogCase>& info) { return std::string(info.param.name); });

struct PlaceCase {
    const char* name;
    Factory make;
    UINT id;
    int x, y, cx, cy;  // dialog units
};

class ControlPlaceTest : public testing::TestWithParam<PlaceCase> {};

TEST_P(ControlPlaceTest, SitsAtTheTemplatePositionInPixels)
{
    const PlaceCase& c = GetParam();
    Inspect(c.make, [&](CDialog& dlg) {
        const DialogBaseUnits base = dlg.GetBaseUnits();
        QWidget* control = dlg.GetDlgItem(c.id);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->geometry(), QRect(Scale(c.x, base.cx, 4), Scale(c.y, base.cy, 8), Scale(c.cx, base.cx, 4),
                                             Scale(c.cy, base.cy, 8)));
    });
}

INSTANTIATE_TEST_SUITE_P(
    Controls, ControlPlaceTest,
    testing::Values(PlaceCase{"NewMapOk", Make<CNewMapDlg>(), IDOK, 74, 109, 42, 14},
                    PlaceCase{"NewMap32", Make<CNewMapDlg>(), CNewMapDlg::IDC_TILE32, 95, 30, 34, 10},
                    PlaceCase{"NewMapHeight", Make<CNewMapDlg>(), CNewMapDlg::IDC_MAP_HEIGHT, 127, 74, 32, 14},
                    PlaceCase{"TileAttr8Bit", Make<CTileAttrDlg>(), CTileAttrDlg::IDC_BIT8, 243, 45, 29, 10},
                    PlaceCase{"TileAttrCancel", Make<CTileAttrDlg>(), IDCANCEL, 236, 13, 50, 14},
                    PlaceCase{"TextColorBlue", Make<CTextColorDlg>(), CTextColorDlg::IDC_BLUE, 83, 52, 10, 42},
                    PlaceCase{"MapAttrCancel", Make<CMapAttrDlg>(), IDCANCEL, 130, 23, 50, 14},
                    PlaceCase{"AboutOk", Make<CAboutDlg>(), IDOK, 178, 7, 50, 14}),
    [](const testing::TestParamInfo<PlaceCase>& info) { return std::string(info.param.name); });

struct UpDownCase {
    const char* name;
    Factory make;
    UINT edit, upDown;
    int editWidth, upDownWidth;  // dialog units
};

class UpDownPlaceTest : public testing::TestWithParam<UpDownCase> {};

TEST_P(UpDownPlaceTest, UpDownSitsOnTheBuddysRightEdge)
{
    const UpDownCase& c = GetParam();
    Inspect(c.make, [&](CDialog& dlg) {
        const QRect edit = dlg.GetDlgItem(c.edit)->geometry();
        const QRect upDown = dlg.GetDlgItem(c.upDown)->geometry();
        const int upDownWidth = Scale(c.upDownWidth, dlg.GetBaseUnits().cx, 4);
        EXPECT_EQ(upDown.width(), upDownWidth);
        EXPECT_EQ(edit.width(), Scale(c.editWidth, dlg.GetBaseUnits().cx, 4) - upDownWidth);
        EXPECT_EQ(upDown.left(), edit.right() + 1);
        EXPECT_EQ(upDown.top(), edit.top());
        EXPECT_EQ(upDown.height(), edit.height());
    });
}

INSTANTIATE_TEST_SUITE_P(UpDowns, UpDownPlaceTest,
                         testing::Values(UpDownCase{"TileAttr", Make<CTileAttrDlg>(), CTileAttrDlg::IDC_VALUE,
                                                    CTileAttrDlg::IDC_SPIN_VALUE, 40, 8},
                                         UpDownCase{"MapAttr", Make<CMapAttrDlg>(), CMapAttrDlg::IDC_VALUE,
                                                    CMapAttrDlg::IDC_SPIN_VALUE, 40, 8},
                                         UpDownCase{"TileArrange", Make<CTileArrangeDlg>(), CTileArrangeDlg::IDC_COUNT,
                                                    CTileArrangeDlg::IDC_SPIN_COUNT, 41, 10}),
                         [](const testing::TestParamInfo<UpDownCase>& info) { return std::string(info.param.name); });

struct NameCase {
    const char* name;
    Factory make;
    UINT id;
    const char* accessibleName;
};

class AccessibleNameTest : public testing::TestWithParam<NameCase> {};

TEST_P(AccessibleNameTest, ControlIsNamedByItsTextOrTheLabelBesideIt)
{
    const NameCase& c = GetParam();
    Inspect(c.make, [&](CDialog& dlg) {
        ASSERT_NE(dlg.GetDlgItem(c.id), nullptr);
        EXPECT_EQ(dlg.GetDlgItem(c.id)->accessibleName(), QString::fromUtf8(c.accessibleName));
    });
}

INSTANTIATE_TEST_SUITE_P(
    Names, AccessibleNameTest,
    testing::Values(NameCase{"MapWidth", Make<CNewMapDlg>(), CNewMapDlg::IDC_MAP_WIDTH, "가로"},
                    NameCase{"MapHeight", Make<CNewMapDlg>(), CNewMapDlg::IDC_MAP_HEIGHT, "세로"},
                    NameCase{"Radio", Make<CNewMapDlg>(), CNewMapDlg::IDC_TILE64, "64X64"},
                    NameCase{"InertButton", Make<CNewMapDlg>(), CNewMapDlg::IDC_TILE_ATTR, "타일속성"},
                    NameCase{"TileAttrEdit", Make<CTileAttrDlg>(), CTileAttrDlg::IDC_VALUE, "속성값"},
                    NameCase{"TileAttrSpin", Make<CTileAttrDlg>(), CTileAttrDlg::IDC_SPIN_VALUE, "속성값"},
                    NameCase{"Bit1", Make<CTileAttrDlg>(), CTileAttrDlg::IDC_BIT1, "1Bit"},
                    NameCase{"MapAttrEdit", Make<CMapAttrDlg>(), CMapAttrDlg::IDC_VALUE, "맵속성값"},
                    NameCase{"Green", Make<CTextColorDlg>(), CTextColorDlg::IDC_GREEN, "G"},
                    NameCase{"CountWithoutLabel", Make<CTileArrangeDlg>(), CTileArrangeDlg::IDC_COUNT,
                             "타일 정렬 갯수"},
                    NameCase{"AboutOk", Make<CAboutDlg>(), IDOK, "확인"}),
    [](const testing::TestParamInfo<NameCase>& info) { return std::string(info.param.name); });

struct TabCase {
    const char* name;
    Factory make;
    std::vector<UINT> order;  // starting with the control that has the focus at open
};

class TabOrderTest : public testing::TestWithParam<TabCase> {};

TEST_P(TabOrderTest, FirstTabStopHasTheFocusAndTabFollowsTheTemplate)
{
    const TabCase& c = GetParam();
    Inspect(c.make, [&](CDialog& dlg) {
        std::vector<UINT> visited;
        for (std::size_t i = 0; i <= c.order.size(); ++i) {
            QWidget* focus = dlg.focusWidget();
            ASSERT_NE(focus, nullptr);
            visited.push_back(focus->objectName().mid(QStringLiteral("dlgItem").size()).toUInt());
            PressKey(focus, Qt::Key_Tab);
        }
        std::vector<UINT> expected = c.order;
        expected.push_back(c.order.front());  // and round again
        EXPECT_EQ(visited, expected);
    });
}

INSTANTIATE_TEST_SUITE_P(
    Orders, TabOrderTest,
    testing::Values(TabCase{"TileAttr",
                            Make<CTileAttrDlg>(),
                            {1009, IDOK, IDCANCEL, 1010, 1012, 1013, 1014, 1015, 1016, 1017, 1018}},
                    TabCase{"NewMap", Make<CNewMapDlg>(), {IDOK, IDCANCEL, 1003, 1004, 1005}},
                    TabCase{"TileArrange", Make<CTileArrangeDlg>(), {IDOK, IDCANCEL, 1007, 1008}},
                    TabCase{"MapAttr", Make<CMapAttrDlg>(), {IDOK, IDCANCEL, 1012}},
                    TabCase{"TextColor", Make<CTextColorDlg>(), {IDOK, IDCANCEL, 1014, 1015, 1016}}),
    [](const testing::TestParamInfo<TabCase>& info) { return std::string(info.param.name); });

TEST(AboutBox, ShowsTheIconAndTextsAndClosesWithOkOrEsc)
{
    QPixmap red(32, 32);
    red.fill(Qt::red);
    AfxRegisterAppIcon([red] { return QIcon(red); });
    CAboutDlg about;
    QStringList texts;
    QColor iconPixel;
    ModalAnswerer answer;
    answer
        .Then([&](QWidget*) {
            for (QLabel* label : about.findChildren<QLabel*>()) {
                if (!label->text().isEmpty()) texts << label->text();
                if (!label->pixmap().isNull()) iconPixel = label->pixmap().toImage().pixelColor(16, 16);
            }
            ClickOk(about);
        })
        .Then([&](QWidget* modal) { PressKey(modal, Qt::Key_Escape); });
    EXPECT_EQ(about.DoModal(), IDOK);
    EXPECT_EQ(about.DoModal(), IDCANCEL);
    AfxRegisterAppIcon({});
    EXPECT_TRUE(texts.contains("Zell 버전 1.0"));
    EXPECT_EQ(texts.size(), 2);
    EXPECT_EQ(iconPixel, QColor(Qt::red));
}
}  // namespace
