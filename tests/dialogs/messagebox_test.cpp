// The application message box as the user sees it: caption, icon, Korean
// button labels, and the id of the button pressed.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QMessageBox>
#include <QRegularExpression>

#include "aboutdlg.h"
#include "afxmsg.h"
#include "dlgtesting.h"

namespace {
struct BoxCase {
    const char* name;
    unsigned type;
    QMessageBox::Icon icon;
    QStringList buttons;  // as shown; accessible names drop the mnemonic
    QMessageBox::ButtonRole press;
    int expected;
};

class MessageBoxTest : public testing::TestWithParam<BoxCase> {};

TEST_P(MessageBoxTest, ShowsIconButtonsAndReturnsThePressedButton)
{
    const BoxCase& c = GetParam();
    QString caption, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons, accessibleNames;
    ModalAnswerer answer;
    answer.Then([&](QWidget* box) {
        caption = box->windowTitle();
        text = MessageText(box);
        icon = MessageIcon(box);
        buttons = MessageButtonTexts(box);
        for (QAbstractButton* button : qobject_cast<QMessageBox*>(box)->buttons())
            accessibleNames << button->accessibleName();
        PressMessageButton(box, c.press);
    });
    EXPECT_EQ(AfxMessageBox("타일을 모두 지울까요?", c.type), c.expected);
    EXPECT_EQ(caption, "Pellin Map Tool");
    EXPECT_EQ(text, "타일을 모두 지울까요?");
    EXPECT_EQ(icon, c.icon);
    QStringList expected = c.buttons;
    QStringList expectedNames;
    for (const QString& label : expected) expectedNames << QString(label).remove(QRegularExpression("\\(&.\\)"));
    buttons.sort();
    accessibleNames.sort();
    expected.sort();
    expectedNames.sort();
    EXPECT_EQ(buttons, expected);
    EXPECT_EQ(accessibleNames, expectedNames);
}

INSTANTIATE_TEST_SUITE_P(
    Types, MessageBoxTest,
    testing::Values(
        BoxCase{"Ok", MB_OK, QMessageBox::Warning, {"확인"}, QMessageBox::AcceptRole, IDOK},
        BoxCase{"YesNoYes", MB_YESNO, QMessageBox::Warning, {"예(&Y)", "아니요(&N)"}, QMessageBox::YesRole, IDYES},
        BoxCase{"YesNoNo", MB_YESNO, QMessageBox::Warning, {"예(&Y)", "아니요(&N)"}, QMessageBox::NoRole, IDNO},
        BoxCase{"OkCancel", MB_OKCANCEL, QMessageBox::Warning, {"확인", "취소"}, QMessageBox::RejectRole, IDCANCEL},
        BoxCase{"YesNoCancel",
                MB_YESNOCANCEL,
                QMessageBox::Warning,
                {"예(&Y)", "아니요(&N)", "취소"},
                QMessageBox::RejectRole,
                IDCANCEL},
        BoxCase{
            "Exclamation", MB_OK | MB_ICONEXCLAMATION, QMessageBox::Warning, {"확인"}, QMessageBox::AcceptRole, IDOK},
        BoxCase{"Question",
                MB_YESNO | MB_ICONQUESTION,
                QMessageBox::Question,
                {"예(&Y)", "아니요(&N)"},
                QMessageBox::YesRole,
                IDYES},
        BoxCase{"PlainWindowBox", MB_PLAIN_WINDOW_BOX, QMessageBox::NoIcon, {"확인"}, QMessageBox::AcceptRole, IDOK}),
    [](const testing::TestParamInfo<BoxCase>& info) { return std::string(info.param.name); });

TEST(MessageBoxOwner, BoxRaisedWhileADialogRunsBelongsToTheDialog)
{
    CAboutDlg about;
    QWidget* owner = nullptr;
    ModalAnswerer answer;
    answer
        .Then([&](QWidget* dialog) {
            AfxMessageBox("지도 크기가 너무 큽니다.");
            ClickOk(*static_cast<CDialog*>(dialog));
        })
        .Then([&](QWidget* box) {
            owner = box->parentWidget();
            PressMessageButton(box, QMessageBox::AcceptRole);
        });
    EXPECT_EQ(about.DoModal(), IDOK);
    EXPECT_EQ(owner, &about);
}
}  // namespace
