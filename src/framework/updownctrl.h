// The up-down control: a pair of arrows that steps a whole-number position
// within a range and shows it in its buddy edit. Before every step it takes
// the number the user typed in the buddy, so typing and clicking mix.
#pragma once

#include <QLineEdit>
#include <QPointer>
#include <QTimer>
#include <QWidget>

class CUpDownWidget : public QWidget {
    Q_OBJECT
public:
    explicit CUpDownWidget(QWidget* parent = nullptr);

    // The buddy shows the position; with arrow keys on, Up and Down typed
    // in the buddy step the control.
    void SetBuddy(QLineEdit* buddy);
    void SetWrap(bool wrap) { m_wrap = wrap; }
    void SetArrowKeys(bool arrowKeys) { m_arrowKeys = arrowKeys; }
    void SetBuddyInt(bool buddyInt) { m_buddyInt = buddyInt; }

    // The up arrow moves towards upper, which may be the smaller number.
    void SetRange(int lower, int upper);
    // Clamped into the range; written into the buddy.
    void SetPos(int pos);
    // The buddy's number when it holds a valid one, else the last position.
    int GetPos();

    // One click on an arrow: +1 up, -1 down.
    void Step(int direction);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int Low() const { return qMin(m_lower, m_upper); }
    int High() const { return qMax(m_lower, m_upper); }
    void ReadBuddy();
    void WriteBuddy();
    void Repeat();

    QPointer<QLineEdit> m_buddy;
    // For recognising the buddy's events, also while it is being destroyed
    // (when it is no longer a QLineEdit and m_buddy must not be read).
    QPointer<QObject> m_buddyObject;
    // The control's own default range runs from 100 down to 0.
    int m_lower = 100;
    int m_upper = 0;
    int m_pos = 0;
    bool m_wrap = false;
    bool m_arrowKeys = false;
    bool m_buddyInt = false;
    int m_pressed = 0;  // the arrow held down: +1, -1 or 0
    QTimer m_repeat;
};
