// Feedback for work that holds up the window, such as loading or saving the
// largest maps: nothing at all for quick work, so nothing flickers; past half
// a second a busy pointer; past a second a progress bar in the main window's
// status bar with the work's name beside it (and as its accessible name).
// The work reports how far it got; a report is cheap until feedback is due.
#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QProgressBar>
#include <QStatusBar>
#include <QString>

#include <cstdint>
#include <functional>

class CBusyWork {
public:
    // The bar goes into statusBar, or the main window's when it is null.
    explicit CBusyWork(QString what, QStatusBar* statusBar = nullptr);
    ~CBusyWork();
    CBusyWork(const CBusyWork&) = delete;
    CBusyWork& operator=(const CBusyWork&) = delete;

    void Progress(std::uint64_t done, std::uint64_t total);
    // Progress as a callback for the file readers and writers.
    std::function<void(std::uint64_t, std::uint64_t)> Reporter();

    static constexpr int kBusyPointerAfterMs = 500;
    static constexpr int kProgressBarAfterMs = 1000;

private:
    QString m_what;
    QPointer<QStatusBar> m_statusBar;
    QPointer<QProgressBar> m_bar;
    QElapsedTimer m_clock;
    bool m_busyPointer = false;
};
