// Answers modal windows (dialogs, message boxes, file dialogs) for a test.
// Queue one handler per modal window the test expects; each is run inside
// that window's own event loop right after it is shown, so it can read the
// window, type, click and close it as a person would. A modal window with
// no handler, or one left open by its handler, is rejected after a few
// seconds and fails the test, so a test never hangs.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <deque>
#include <functional>

class ModalAnswerer : public QObject {
public:
    using Handler = std::function<void(QWidget* modal)>;

    explicit ModalAnswerer(int patienceMs = 3000);
    // Fails the test when queued handlers were never used.
    ~ModalAnswerer() override;

    ModalAnswerer& Then(Handler handler);
    std::size_t Pending() const { return m_handlers.size(); }
    // How many modal windows were shown while this answerer listened.
    int ModalsSeen() const { return m_seen; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Answer(QPointer<QWidget> modal);
    void RejectLater(QPointer<QWidget> modal, const char* why);

    std::deque<Handler> m_handlers;
    int m_patienceMs;
    int m_seen = 0;
};
