#include "busywork.h"

#include "frame.h"

#include <QApplication>

#include <algorithm>

CBusyWork::CBusyWork(QString what, QStatusBar* statusBar) : m_what(std::move(what)), m_statusBar(statusBar)
{
    if (!m_statusBar)
        if (CFrameWnd* frame = AfxGetMainWnd()) m_statusBar = frame->findChild<QStatusBar*>();
    m_clock.start();
}

CBusyWork::~CBusyWork()
{
    if (m_busyPointer) QApplication::restoreOverrideCursor();
    if (m_bar) {
        delete m_bar;
        // The status bar goes back to its idle text, unless the work left a
        // note there (the history's, say) that the person must still see.
        if (m_statusBar && m_statusBar->currentMessage() == m_what) m_statusBar->clearMessage();
    }
}

void CBusyWork::Progress(std::uint64_t done, std::uint64_t total)
{
    const qint64 elapsed = m_clock.elapsed();
    if (elapsed < kBusyPointerAfterMs) return;
    if (!m_busyPointer) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_busyPointer = true;
    }
    if (elapsed < kProgressBarAfterMs || !m_statusBar) return;
    if (!m_bar) {
        m_bar = new QProgressBar;
        m_bar->setRange(0, 1000);
        m_bar->setMaximumWidth(200);
        m_bar->setAccessibleName(m_what);
        m_statusBar->addPermanentWidget(m_bar);
        m_statusBar->showMessage(m_what);
    }
    const int value = total > 0 ? int(std::min<std::uint64_t>(done, total) * 1000 / total) : 0;
    if (value == m_bar->value()) return;
    m_bar->setValue(value);
    // The event loop waits for the work: paint the status bar now, which
    // also sends the pointer's change to the screen.
    m_statusBar->repaint();
}

std::function<void(std::uint64_t, std::uint64_t)> CBusyWork::Reporter()
{
    return [this](std::uint64_t done, std::uint64_t total) { Progress(done, total); };
}
