// The English interface: which language start-up picks, and that the
// translation reaches the menus, the tooltips, the message boxes and the
// core's messages, while without it every text is the Korean source.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenuBar>
#include <QMessageBox>
#include <map>
#include <string>
#include <vector>

#include "afxmsg.h"
#include "cellclipboard.h"
#include "mainfrm.h"
#include "messagebox.h"
#include "modalanswerer.h"
#include "resource.h"
#include "translation.h"
#include "zellapp.h"

namespace {
std::map<std::string, std::string> g_env;
std::string FakeEnv(const char* name)
{
    const auto it = g_env.find(name);
    return it == g_env.end() ? std::string() : it->second;
}

TEST(InterfaceLanguageTest, FirstSetVariableOrTheOptionDecides)
{
    using L = InterfaceLanguage;
    struct Case {
        std::string option;
        std::map<std::string, std::string> env;
        L expected;
    };
    const std::vector<Case> cases = {
        {"", {}, L::Korean},
        {"", {{"LANG", "en_US.UTF-8"}}, L::English},
        {"", {{"LANG", "ko_KR.UTF-8"}}, L::Korean},
        {"", {{"LANG", "C.UTF-8"}}, L::Korean},
        {"", {{"LANG", "de_DE.UTF-8"}}, L::Korean},
        {"", {{"LC_MESSAGES", "en_GB.UTF-8"}, {"LANG", "ko_KR.UTF-8"}}, L::English},
        {"", {{"LC_ALL", "ko_KR.UTF-8"}, {"LC_MESSAGES", "en_US.UTF-8"}}, L::Korean},
        {"", {{"LANGUAGE", "en:ko"}, {"LC_ALL", "ko_KR.UTF-8"}}, L::English},
        {"", {{"LANGUAGE", "ko:en"}, {"LANG", "en_US.UTF-8"}}, L::Korean},
        // An empty variable counts as unset.
        {"", {{"LANGUAGE", ""}, {"LC_ALL", ""}, {"LANG", "en_US.UTF-8"}}, L::English},
        {"en", {{"LANG", "ko_KR.UTF-8"}}, L::English},
        {"ko", {{"LANG", "en_US.UTF-8"}}, L::Korean},
    };
    for (const Case& c : cases) {
        g_env = c.env;
        EXPECT_EQ(ChooseInterfaceLanguage(c.option, &FakeEnv), c.expected) << c.option << " " << c.env.size();
    }
}

TEST(InterfaceLanguageTest, LangOptionLeavesTheCommandLine)
{
    std::string a0 = "pellin", a1 = "--lang", a2 = "en", a3 = "map.Map", a4 = "--", a5 = "--lang=ko";
    std::vector<char*> argv = {a0.data(), a1.data(), a2.data(), a3.data(), a4.data(), a5.data(), nullptr};
    int argc = 6;
    EXPECT_EQ(TakeLangOption(argc, argv.data()), "en");
    ASSERT_EQ(argc, 4);
    EXPECT_STREQ(argv[1], "map.Map");
    EXPECT_STREQ(argv[3], "--lang=ko");  // after "--" it is a file name
    EXPECT_EQ(argv[4], nullptr);
}

class EnglishInterfaceTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        theApp.DestroyMainWindow();
        UseInterfaceLanguage(InterfaceLanguage::Korean);
    }
    static QStringList MenuTitles()
    {
        QStringList titles;
        auto* frame = qobject_cast<CMainFrame*>(theApp.m_pMainWnd);
        for (QAction* action : frame->menuBar()->actions()) titles << action->text();
        return titles;
    }
};

TEST_F(EnglishInterfaceTest, TextsComeOutInEnglishOnlyWithTheTranslation)
{
    const AfxMessageSink previous = AfxSetMessageSink(&AfxShowQtMessageBox);
    for (const bool english : {true, false}) {
        ASSERT_TRUE(UseInterfaceLanguage(english ? InterfaceLanguage::English : InterfaceLanguage::Korean));
        ASSERT_TRUE(theApp.InitInstance());
        auto* frame = qobject_cast<CMainFrame*>(theApp.m_pMainWnd);
        EXPECT_EQ(MenuTitles(), english ? QStringList({"&File", "&Edit", "&View", "&Tools", "&Help"})
                                        : QStringList({"파일(&F)", "편집(&E)", "보기(&V)", "도구(&T)", "도움말(&H)"}));
        EXPECT_EQ(frame->CommandAction(ID_EDIT_PASTE_IN_PLACE)->text(),
                  english ? "Paste in P&lace" : "제자리에 붙여넣기(&L)");
        EXPECT_EQ(frame->CommandAction(ID_FILE_SAVE)->toolTip(), english ? "Save Map" : "맵저장");

        QString shown;
        ModalAnswerer answer;
        answer.Then([&](QWidget* box) {
            shown = qobject_cast<QMessageBox*>(box)->text();
            qobject_cast<QMessageBox*>(box)->done(QMessageBox::No);
        });
        AfxMessageBox("타일을 모두 지울까요?", MB_YESNO);
        EXPECT_EQ(shown, english ? "Erase all tiles?" : "타일을 모두 지울까요?");

        // A core message with numbers: the pattern is translated, then filled in.
        const PastedText parsed = ParseCellsText("1\t99\n", 4, 10, 10);
        EXPECT_EQ(parsed.refusal,
                  english ? "Cannot paste this value: row 1, column 2 \"99\" (no such tile number in the tile set)"
                          : "붙여넣을 수 없는 값입니다: 1행 2열 \"99\" (타일 세트에 없는 번호)");
        theApp.DestroyMainWindow();
    }
    AfxSetMessageSink(previous);
}
}  // namespace
