// Long work: nothing for the first half second, then a busy pointer, then
// past a second a named progress bar in the status bar; all gone at the end.
#include "busywork.h"

#include <QApplication>
#include <QCursor>
#include <QMainWindow>
#include <QThread>

#include <gtest/gtest.h>

TEST(BusyWork, PointerAfterHalfASecondBarAfterASecondNothingLeftAfter)
{
    QMainWindow window;
    QStatusBar* bar = window.statusBar();
    const auto progressBar = [bar] { return bar->findChild<QProgressBar*>(); };
    {
        CBusyWork work(QStringLiteral("맵을 읽는 중..."), bar);
        work.Progress(10, 100);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(progressBar(), nullptr);
        QThread::msleep(CBusyWork::kBusyPointerAfterMs + 50);
        work.Progress(40, 100);
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        EXPECT_EQ(progressBar(), nullptr);
        QThread::msleep(CBusyWork::kProgressBarAfterMs - CBusyWork::kBusyPointerAfterMs);
        work.Reporter()(3, 4);
        ASSERT_NE(progressBar(), nullptr);
        EXPECT_EQ(progressBar()->accessibleName(), QStringLiteral("맵을 읽는 중..."));
        EXPECT_EQ(progressBar()->value(), 750);
        EXPECT_EQ(bar->currentMessage(), QStringLiteral("맵을 읽는 중..."));
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(progressBar(), nullptr);
    EXPECT_EQ(bar->currentMessage(), QString());

    // A note the work left in the status bar outlives the bar.
    {
        CBusyWork work(QStringLiteral("타일 전체채우기..."), bar);
        QThread::msleep(CBusyWork::kProgressBarAfterMs + 50);
        work.Progress(1, 2);
        bar->showMessage(QStringLiteral("note"));
    }
    EXPECT_EQ(bar->currentMessage(), QStringLiteral("note"));
}
