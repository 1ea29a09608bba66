#include "updownctrl.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

#include "ddxparse.h"

namespace {
constexpr int kRepeatDelayMs = 400;
constexpr int kRepeatIntervalMs = 60;
}  // namespace

CUpDownWidget::CUpDownWidget(QWidget* parent) : QWidget(parent)
{
    connect(&m_repeat, &QTimer::timeout, this, &CUpDownWidget::Repeat);
}

void CUpDownWidget::SetBuddy(QLineEdit* buddy)
{
    if (m_buddy) m_buddy->removeEventFilter(this);
    m_buddy = buddy;
    m_buddyObject = buddy;
    if (m_buddy) m_buddy->installEventFilter(this);
}

void CUpDownWidget::SetRange(int lower, int upper)
{
    m_lower = lower;
    m_upper = upper;
}

void CUpDownWidget::SetPos(int pos)
{
    m_pos = qBound(Low(), pos, High());
    WriteBuddy();
}

int CUpDownWidget::GetPos()
{
    ReadBuddy();
    return m_pos;
}

void CUpDownWidget::Step(int direction)
{
    ReadBuddy();
    const int delta = m_upper >= m_lower ? direction : -direction;
    long long next = static_cast<long long>(m_pos) + delta;
    if (next < Low() || next > High()) {
        if (m_wrap)
            next = next < Low() ? High() : Low();
        else
            next = qBound(static_cast<long long>(Low()), next, static_cast<long long>(High()));
    }
    if (next == m_pos) return;  // at the end of the range nothing is rewritten
    m_pos = static_cast<int>(next);
    WriteBuddy();
}

void CUpDownWidget::ReadBuddy()
{
    if (!m_buddyInt || !m_buddy) return;
    const auto value = AfxParseDialogInteger(m_buddy->text().toStdString(), true);
    if (value && *value >= Low() && *value <= High()) m_pos = static_cast<int>(*value);
}

void CUpDownWidget::WriteBuddy()
{
    // Plain digits, never thousands separators: the dialog reads the text back.
    if (m_buddyInt && m_buddy) m_buddy->setText(QString::number(m_pos));
}

void CUpDownWidget::Repeat()
{
    // A message box raised meanwhile takes the mouse: its release never comes here.
    if (QApplication::activeModalWidget() != window()) {
        m_repeat.stop();
        m_pressed = 0;
        update();
        return;
    }
    m_repeat.setInterval(kRepeatIntervalMs);
    Step(m_pressed);
}

void CUpDownWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const int half = height() / 2;
    const QRect halves[2] = {QRect(0, 0, width(), half), QRect(0, half, width(), height() - half)};
    for (int i = 0; i < 2; ++i) {
        const int direction = i == 0 ? 1 : -1;
        QStyleOptionButton button;
        button.initFrom(this);
        button.rect = halves[i];
        button.state |= m_pressed == direction ? QStyle::State_Sunken : QStyle::State_Raised;
        style()->drawPrimitive(QStyle::PE_PanelButtonCommand, &button, &painter, this);
        QStyleOption arrow = button;
        arrow.rect = halves[i].adjusted(1, 1, -1, -1);
        style()->drawPrimitive(i == 0 ? QStyle::PE_IndicatorArrowUp : QStyle::PE_IndicatorArrowDown, &arrow, &painter,
                               this);
    }
}

void CUpDownWidget::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    m_pressed = event->position().y() < height() / 2 ? 1 : -1;
    update();
    Step(m_pressed);
    m_repeat.start(kRepeatDelayMs);
}

void CUpDownWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return QWidget::mouseReleaseEvent(event);
    m_repeat.stop();
    m_pressed = 0;
    update();
}

void CUpDownWidget::keyPressEvent(QKeyEvent* event)
{
    if (m_arrowKeys && event->key() == Qt::Key_Up)
        Step(1);
    else if (m_arrowKeys && event->key() == Qt::Key_Down)
        Step(-1);
    else
        QWidget::keyPressEvent(event);
}

bool CUpDownWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (m_arrowKeys && watched == m_buddyObject && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            Step(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
