// The text colour dialog: three sliders with 0 at the top and a swatch
// painted in the colour they give, read back from the dialog's pixels.
#include <gtest/gtest.h>

#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <algorithm>
#include <set>

#include "dlgtesting.h"
#include "textcolordlg.h"

namespace {
using D = CTextColorDlg;

QRect HandleRect(QSlider* slider)
{
    QStyleOptionSlider option;
    option.initFrom(slider);
    option.orientation = slider->orientation();
    option.minimum = slider->minimum();
    option.maximum = slider->maximum();
    option.sliderPosition = slider->sliderPosition();
    option.sliderValue = slider->value();
    option.singleStep = slider->singleStep();
    option.pageStep = slider->pageStep();
    // How QSlider itself tells the style which end the minimum is at.
    option.upsideDown = !slider->invertedAppearance();
    option.subControls = QStyle::SC_SliderHandle;
    return slider->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider);
}

QColor SwatchCentre(D& dlg)
{
    const CRect swatch = dlg.GetSwatchRect();
    return dlg.grab().toImage().pixelColor((swatch.left + swatch.right) / 2, (swatch.top + swatch.bottom) / 2);
}

TEST(TextColorDialog, OpensWithThumbsAtTheirValuesAndTheSwatchInTheColour)
{
    D dlg;
    dlg.m_byRed = 255;
    std::vector<int> values;
    std::vector<bool> inLowerHalf;
    QImage picture;
    CRect swatch;
    ModalAnswerer answer;
    answer.Then([&](QWidget*) {
        for (UINT id : {D::IDC_RED, D::IDC_GREEN, D::IDC_BLUE}) {
            QSlider* slider = SliderOf(dlg, id);
            values.push_back(slider->value());
            inLowerHalf.push_back(HandleRect(slider).center().y() > slider->height() / 2);
        }
        picture = dlg.grab().toImage();
        swatch = dlg.GetSwatchRect();
        ClickOk(dlg);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(values, (std::vector<int>{255, 0, 0}));
    EXPECT_EQ(inLowerHalf, (std::vector<bool>{true, false, false}));

    // Client rectangle inset 30 on the left, right and top, 40 pixels high.
    EXPECT_EQ(swatch, CRect(30, 30, dlg.width() - 30, 70));
    const QColor black(0, 0, 0), red(255, 0, 0);
    EXPECT_EQ(picture.pixelColor(swatch.left + 5, swatch.top + 5), red);
    EXPECT_EQ(picture.pixelColor(swatch.right - 2, swatch.bottom - 2), red);
    EXPECT_EQ(picture.pixelColor(swatch.left, swatch.top), black);
    EXPECT_EQ(picture.pixelColor(swatch.right - 1, swatch.bottom - 1), black);
    EXPECT_EQ(picture.pixelColor(swatch.left + 5, swatch.bottom - 1), black);
    // Right and bottom edges are outside the rectangle.
    EXPECT_NE(picture.pixelColor(swatch.right, swatch.top + 5), black);
    EXPECT_NE(picture.pixelColor(swatch.left + 5, swatch.bottom), black);
    EXPECT_EQ(dlg.m_byRed, 255);
}

TEST(TextColorDialog, DraggingGreenDownRepaintsTheSwatchAllTheWay)
{
    D dlg;
    std::vector<int> greens;
    std::vector<int> swatchGreens;
    ModalAnswerer answer;
    answer.Then([&](QWidget*) {
        QSlider* green = SliderOf(dlg, D::IDC_GREEN);
        QPoint at = HandleRect(green).center();
        QTest::mousePress(green, Qt::LeftButton, Qt::NoModifier, at);
        for (int step = 0; step < 20 && at.y() < green->height() + 20; ++step) {
            at.ry() += 6;
            QTest::mouseMove(green, at);
            greens.push_back(dlg.m_byGreen);
            swatchGreens.push_back(SwatchCentre(dlg).green());
        }
        QTest::mouseRelease(green, Qt::LeftButton, Qt::NoModifier, at);
        ClickOk(dlg);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    ASSERT_FALSE(greens.empty());
    EXPECT_EQ(greens, swatchGreens);
    EXPECT_TRUE(std::is_sorted(greens.begin(), greens.end()));
    EXPECT_GE(std::set<int>(greens.begin(), greens.end()).size(), 4u);
    EXPECT_EQ(greens.back(), 255);
    EXPECT_EQ(dlg.m_byGreen, 255);
    EXPECT_EQ(dlg.m_byRed, 0);
}

TEST(TextColorDialog, MovingBlueRereadsRedAndGreen)
{
    D dlg;
    dlg.m_byRed = 10;
    dlg.m_byGreen = 20;
    int redBeforeMove = -1;
    QColor swatch;
    ModalAnswerer answer;
    answer.Then([&](QWidget*) {
        // Moved by the program: no notification, so nothing re-read yet.
        dlg.m_sliderRed.SetPos(77);
        dlg.m_sliderGreen.SetPos(88);
        redBeforeMove = dlg.m_byRed;
        PressKey(SliderOf(dlg, D::IDC_BLUE), Qt::Key_Down);
        PressKey(SliderOf(dlg, D::IDC_BLUE), Qt::Key_Down);
        swatch = SwatchCentre(dlg);
        ClickOk(dlg);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(redBeforeMove, 10);
    EXPECT_EQ(dlg.m_byRed, 77);
    EXPECT_EQ(dlg.m_byGreen, 88);
    EXPECT_EQ(dlg.m_byBlue, 2);  // Down moves the thumb down: stronger
    EXPECT_EQ(swatch, QColor(77, 88, 2));
}

}  // namespace
