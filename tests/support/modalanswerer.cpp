#include "modalanswerer.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QTimer>

ModalAnswerer::ModalAnswerer(int patienceMs) : m_patienceMs(patienceMs) { qApp->installEventFilter(this); }

ModalAnswerer::~ModalAnswerer()
{
    qApp->removeEventFilter(this);
    if (!m_handlers.empty()) ADD_FAILURE() << m_handlers.size() << " expected modal window(s) never appeared";
}

ModalAnswerer& ModalAnswerer::Then(Handler handler)
{
    m_handlers.push_back(std::move(handler));
    return *this;
}

bool ModalAnswerer::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show && !event->spontaneous() && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        if (widget->isWindow() && widget->isModal()) {
            ++m_seen;
            // Posted, so that it runs once the modal window's own loop spins.
            QPointer<QWidget> modal(widget);
            QTimer::singleShot(0, this, [this, modal] { Answer(modal); });
        }
    }
    return QObject::eventFilter(watched, event);
}

void ModalAnswerer::Answer(QPointer<QWidget> modal)
{
    if (!modal || !modal->isVisible()) return;
    if (m_handlers.empty()) {
        RejectLater(modal, "nobody answered it");
        return;
    }
    Handler handler = std::move(m_handlers.front());
    m_handlers.pop_front();
    handler(modal);
    if (modal && modal->isVisible()) RejectLater(modal, "its handler left it open");
}

void ModalAnswerer::RejectLater(QPointer<QWidget> modal, const char* why)
{
    QTimer::singleShot(m_patienceMs, this, [modal, why] {
        if (!modal || !modal->isVisible()) return;
        ADD_FAILURE() << "modal window \"" << modal->windowTitle().toStdString() << "\" rejected: " << why;
        if (auto* dialog = qobject_cast<QDialog*>(modal.data())) dialog->reject();
        if (modal && modal->isVisible()) modal->close();
    });
}
