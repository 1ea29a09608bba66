// A long random session with the whole editor: random mouse presses, drags,
// double-clicks, right-clicks and wheel turns over the panes, scroll bars
// and toolbar, keys and accelerators, every command of the menus and
// toolbar, dropped files, window resizes and restarts go to the real main
// window, and every modal window (message boxes, dialogs, file dialogs,
// the palette's menu) is answered at random. Every few events the
// document is checked (sessionchecks.h).
//
// PELLIN_SESSION_SEED (default 1), PELLIN_SESSION_SECONDS (30),
// PELLIN_SESSION_EVENTS (no limit) and PELLIN_SESSION_CHECK_EVERY (20)
// steer it; PELLIN_SESSION_TRACE=1 prints every event. The seed is printed
// first; a finding, a failed assertion or a crash names the seed and the
// event, and lists the last events, so that the session can be replayed.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QUndoStack>
#include <chrono>
#include <functional>
#include <optional>
#include <csignal>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <random>
#include <unistd.h>

#include "bmpview.h"
#include "dialog.h"
#include "doctemplate.h"
#include "mainfrm.h"
#include "mapview.h"
#include "newmapdlg.h"
#include "resource.h"
#include "sessionchecks.h"
#include "sessionfiles.h"
#include "smallmapview.h"
#include "tileview.h"
#include "uiinput.h"
#include "zellapp.h"
#include "zelldoc.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#endif

namespace {

// Where the session is and what it last did, kept ready for a crash report.
char g_where[96];
char g_log[24][120];
unsigned g_logged = 0;
const bool g_trace = qEnvironmentVariableIntValue("PELLIN_SESSION_TRACE") != 0;

void Log(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    char* line = g_log[g_logged++ % 24];
    std::vsnprintf(line, sizeof g_log[0], format, args);
    va_end(args);
    if (g_trace) std::fprintf(stderr, "%s\n", line);
}

void WriteWhere()
{
    const auto put = [](const char* text) { (void)!::write(2, text, std::strlen(text)); };
    put(g_where);
    put("last events:\n");
    for (unsigned i = g_logged > 24 ? g_logged - 24 : 0; i < g_logged; ++i) {
        put("  ");
        put(g_log[i % 24]);
        put("\n");
    }
}

void OnCrash(int signal)
{
    WriteWhere();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

long long EnvNumber(const char* name, long long fallback)
{
    bool ok = false;
    const long long value = qEnvironmentVariable(name).toLongLong(&ok);
    return ok ? value : fallback;
}

template <class List>
const typename List::value_type& Pick(std::mt19937& random, const List& items)
{
    return items[typename List::size_type(random() % unsigned(items.size()))];
}

QPoint RandomPoint(std::mt19937& random, const QWidget* widget, int outside = 0)
{
    const int w = std::max(1, widget->width()), h = std::max(1, widget->height());
    return {int(random() % unsigned(w + 2 * outside)) - outside, int(random() % unsigned(h + 2 * outside)) - outside};
}

// Answers every modal window and pop-up menu from inside its own event loop,
// at random, as a person clicking about would. One left open (a refused
// value, a click on a disabled item) is answered again; the fifth time it
// is dismissed.
class RandomAnswerer : public QObject {
public:
    RandomAnswerer(std::mt19937& random, const SessionFiles& files) : m_random(random), m_files(files)
    {
        qApp->installEventFilter(this);
    }
    ~RandomAnswerer() override { qApp->removeEventFilter(this); }
    int answered = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            auto* widget = static_cast<QWidget*>(watched);
            if (widget->isWindow() && (widget->isModal() || qobject_cast<QMenu*>(widget))) AnswerLater(widget, 0);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void AnswerLater(QWidget* modal, int attempt)
    {
        QTimer::singleShot(0, this, [this, modal = QPointer<QWidget>(modal), attempt] {
            if (!modal || !modal->isVisible()) return;
            ++answered;
            Answer(modal, attempt);
            if (modal && modal->isVisible()) AnswerLater(modal, attempt + 1);
        });
    }

    void Answer(QWidget* modal, int attempt)
    {
        auto* menu = qobject_cast<QMenu*>(modal);
        auto* dialog = qobject_cast<QDialog*>(modal);
        if (attempt >= 4 || (!menu && !dialog)) {
            Log("dismiss %s", qPrintable(modal->windowTitle()));
            if (dialog)
                dialog->reject();
            else
                modal->close();
        } else if (menu) {
            QAction* action = Pick(m_random, menu->actions());
            Log("menu: %s", qPrintable(action->text()));
            menu->setActiveAction(action);
            QTest::keyClick(menu, m_random() % 4 == 0 ? Qt::Key_Escape : Qt::Key_Return);
        } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            QAbstractButton* button = Pick(m_random, box->buttons());
            Log("message \"%s\": %s", qPrintable(box->text()), qPrintable(button->text()));
            ClickWidget(button);
        } else if (auto* files = qobject_cast<QFileDialog*>(modal)) {
            AnswerFileDialog(files);
        } else {
            AnswerDialog(dialog);
        }
    }

    void AnswerFileDialog(QFileDialog* dialog)
    {
        if (m_random() % 6 == 0) {
            Log("file dialog: cancel");
            dialog->reject();
            return;
        }
        // Mostly the kind of file the dialog asks for; any file now and then.
        const bool saving = dialog->acceptMode() == QFileDialog::AcceptSave;
        const bool pictures = dialog->nameFilters().join(' ').contains("*.bmp");
        const std::vector<const std::vector<std::string>*> kinds{&m_files.pictures, &m_files.maps, &m_files.others};
        const std::vector<std::string>& pool = saving                ? m_files.saves
                                               : m_random() % 4 != 0 ? (pictures ? m_files.pictures : m_files.maps)
                                                                     : *Pick(m_random, kinds);
        const std::string& path = Pick(m_random, pool);
        Log("file dialog: %s", path.c_str());
        AcceptFileDialog(dialog, QString::fromStdString(path));
    }

    // Values as a person might type them: in range, at the ends, past them,
    // and not numbers at all. A new map stays small enough to be quick,
    // apart from empty and refused sizes.
    QString EditValue()
    {
        static const char* const values[] = {"0",     "1",      "2",      "5",           "10", "16", "31",    "32",
                                             "100",   "101",    "255",    "256",         "-1", "-7", "32767", "32768",
                                             "65535", "-32768", "-32769", "99999999999", "",   "abc"};
        return QString::fromLatin1(values[m_random() % std::size(values)]);
    }
    std::pair<QString, QString> MapSize()
    {
        const auto small = [this] { return QString::number(1 + m_random() % 40); };
        switch (m_random() % 20) {
        case 0: return {"0", small()};
        case 1: return {small(), "0"};
        case 2: return {"100000", "100000"};
        case 3: return {"70000", "4000"};  // just past 2^28 cells
        case 4: {
            static const char* const refused[] = {"", "abc", "-1", "99999999999", "4294967296", "1e3"};
            return {small(), QString::fromLatin1(refused[m_random() % std::size(refused)])};
        }
        case 5: return {QString::number(100 + m_random() % 200), QString::number(100 + m_random() % 200)};
        default: return {small(), small()};
        }
    }

    void AnswerDialog(QDialog* dialog)
    {
        auto* owner = dynamic_cast<CDialog*>(dialog);
        if (auto* newMap = dynamic_cast<CNewMapDlg*>(dialog)) {
            const auto [w, h] = MapSize();
            Log("new map %s x %s", qPrintable(w), qPrintable(h));
            ReplaceText(newMap->GetDlgItem(CNewMapDlg::IDC_MAP_WIDTH), w);
            ReplaceText(newMap->GetDlgItem(CNewMapDlg::IDC_MAP_HEIGHT), h);
        } else {
            for (QLineEdit* edit : dialog->findChildren<QLineEdit*>())
                if (m_random() % 3 != 0) {
                    const QString value = EditValue();
                    Log("%s: type \"%s\"", qPrintable(dialog->windowTitle()), qPrintable(value));
                    ReplaceText(edit, value);
                }
        }
        // A few clicks anywhere: buttons, boxes, up-down arrows, sliders.
        const QList<QWidget*> children = dialog->findChildren<QWidget*>();
        for (unsigned clicks = m_random() % 4; clicks > 0 && dialog->isVisible() && !children.isEmpty(); --clicks) {
            QWidget* child = children[qsizetype(m_random() % unsigned(children.size()))];
            if (!child->isVisible()) continue;
            const QPoint at = RandomPoint(m_random, child);
            Log("%s: click %s at %d,%d", qPrintable(dialog->windowTitle()), child->metaObject()->className(), at.x(),
                at.y());
            QTest::mouseClick(child, Qt::LeftButton, {}, at);
        }
        if (!dialog->isVisible()) return;
        const unsigned end = m_random() % 10;
        Log("%s: %s", qPrintable(dialog->windowTitle()),
            end < 6   ? "OK"
            : end < 8 ? "Cancel"
            : end < 9 ? "Escape"
                      : "Return");
        QWidget* ok = owner ? owner->GetDlgItem(IDOK) : nullptr;
        QWidget* cancel = owner ? owner->GetDlgItem(IDCANCEL) : nullptr;
        if (end < 6 && ok)
            ClickWidget(ok);
        else if (end < 8 && cancel)
            ClickWidget(cancel);
        else
            QTest::keyClick(dialog, end < 9 ? Qt::Key_Escape : Qt::Key_Return);
    }

    std::mt19937& m_random;
    const SessionFiles& m_files;
};

struct KeyStroke {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char* name;
};

const std::vector<KeyStroke> kKeys = {
    {Qt::Key_Left, {}, "Left"},
    {Qt::Key_Right, {}, "Right"},
    {Qt::Key_Up, {}, "Up"},
    {Qt::Key_Down, {}, "Down"},
    {Qt::Key_PageUp, {}, "PageUp"},
    {Qt::Key_PageDown, {}, "PageDown"},
    {Qt::Key_Home, {}, "Home"},
    {Qt::Key_End, {}, "End"},
    {Qt::Key_Tab, {}, "Tab"},
    {Qt::Key_Escape, {}, "Escape"},
    {Qt::Key_Return, {}, "Return"},
    {Qt::Key_Space, {}, "Space"},
    {Qt::Key_Delete, {}, "Delete"},
    {Qt::Key_A, {}, "a"},
    {Qt::Key_F6, {}, "F6"},
    {Qt::Key_F6, Qt::ShiftModifier, "Shift+F6"},
    {Qt::Key_Z, Qt::ControlModifier, "Ctrl+Z"},
    {Qt::Key_Y, Qt::ControlModifier, "Ctrl+Y"},
    {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, "Ctrl+Shift+Z"},
    {Qt::Key_Backspace, Qt::AltModifier, "Alt+Backspace"},
    {Qt::Key_X, Qt::ControlModifier, "Ctrl+X"},
    {Qt::Key_C, Qt::ControlModifier, "Ctrl+C"},
    {Qt::Key_Insert, Qt::ShiftModifier, "Shift+Insert"},
    {Qt::Key_V, Qt::ControlModifier, "Ctrl+V"},
    {Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier, "Ctrl+Shift+V"},
    {Qt::Key_A, Qt::ControlModifier, "Ctrl+A"},
    // Zoom, tools and layers.
    {Qt::Key_Plus, Qt::ControlModifier, "Ctrl++"},
    {Qt::Key_Equal, Qt::ControlModifier, "Ctrl+="},
    {Qt::Key_Minus, Qt::ControlModifier, "Ctrl+-"},
    {Qt::Key_0, Qt::ControlModifier, "Ctrl+0"},
    {Qt::Key_B, {}, "b"},
    {Qt::Key_E, {}, "e"},
    {Qt::Key_F, {}, "f"},
    {Qt::Key_R, {}, "r"},
    {Qt::Key_I, {}, "i"},
    {Qt::Key_1, Qt::ControlModifier, "Ctrl+1"},
    {Qt::Key_2, Qt::ControlModifier, "Ctrl+2"},
};
// The keys that start over or ask for a file, less often.
const std::vector<KeyStroke> kRareKeys = {
    {Qt::Key_N, Qt::ControlModifier, "Ctrl+N"},
    {Qt::Key_O, Qt::ControlModifier, "Ctrl+O"},
    {Qt::Key_S, Qt::ControlModifier, "Ctrl+S"},
};

// Every command of the menus, toolbar and palette menu (but Exit, which is
// rare); opening and cutting a bitmap more often than the rest.
const std::vector<UINT> kCommands = {
    ID_FILE_NEW,        ID_FILE_OPEN,        ID_FILE_SAVE,     ID_EDIT_UNDO,       ID_EDIT_UNDO,
    ID_EDIT_REDO,       ID_EDIT_REDO,        ID_APP_ABOUT,     ID_VIEW_TOOLBAR,    ID_VIEW_STATUS_BAR,
    ID_NEXT_PANE,       ID_PREV_PANE,        ID_EDIT_CUT,      ID_EDIT_COPY,       ID_EDIT_PASTE,
    ID_OPEN_BITMAP,     ID_OPEN_BITMAP,      ID_OPEN_BITMAP,   ID_BITMAP_ALLTILES, ID_BITMAP_ALLTILES,
    ID_BITMAP_ALLTILES, ID_TILE_ARRANGE,     ID_TILE_ERASEALL, ID_TILE_ERASESEL,   ID_SHOW_TILENUMBERS,
    ID_TILE_SETATTR,    ID_SHOW_PALETTEATTR, ID_TILE_FILLALL,  ID_TILE_FILLALL,    ID_SHOW_TILEATTR,
    ID_SHOW_MAPATTR,    ID_TEXT_COLOR,
};

class RandomSession {
public:
    explicit RandomSession(unsigned seed) : m_seed(seed), m_random(seed), m_answerer(m_random, m_files) {}

    // Sends events until the time or the event count runs out, or the
    // first finding; the finding, or empty.
    std::string Run(double seconds, long long maxEvents, int checkEvery)
    {
        std::printf("random session: seed %u (replay with PELLIN_SESSION_SEED=%u)\n", m_seed, m_seed);
        std::fflush(stdout);
        const auto start = std::chrono::steady_clock::now();
        const auto elapsed = [&] {
            return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        };
        Start();
        std::string finding;
        while (finding.empty() && m_events < maxEvents && elapsed() < seconds) {
            ++m_events;
            std::snprintf(g_where, sizeof g_where, "random session: seed %u, event %lld\n", m_seed, m_events);
            Step();
            if (::testing::Test::HasFailure())
                finding = "a failed assertion";
            else if (m_events % checkEvery == 0)
                finding = Check();
        }
        if (finding.empty()) finding = Check();
        std::printf(
            "random session: seed %u, %lld events in %.1f s (%d edits, %d modal windows answered, %d restarts), "
            "%d checks, %s\n",
            m_seed, m_events, elapsed(), m_edits, m_answerer.answered, m_restarts, m_checks,
            finding.empty() ? "no findings" : "1 finding");
        if (!finding.empty()) {
            std::fflush(stdout);
            WriteWhere();
        }
        theApp.DestroyMainWindow();
        QApplication::processEvents();
        return finding;
    }

    long long Events() const { return m_events; }

private:
    void Start()
    {
        if (!theApp.InitInstance()) {
            ADD_FAILURE() << "the editor did not start";
            return;
        }
        m_frame = qobject_cast<CMainFrame*>(AfxGetMainWnd());
        m_doc = static_cast<CZellDoc*>(theApp.DocTemplate()->Document());
        m_frame->activateWindow();
        m_origin.reset();
        QApplication::processEvents();
    }

    void Restart()
    {
        Log("restart");
        ++m_restarts;
        m_held = nullptr;
        m_frame = nullptr;
        m_doc = nullptr;
        theApp.DestroyMainWindow();
        QApplication::processEvents();
        Start();
    }

    QWidget* Pane()
    {
        // The panes where edits start, more often than the overview.
        const std::vector<CScrollView*> views{m_frame->m_pMapView, m_frame->m_pMapView,  m_frame->m_pMapView,
                                              m_frame->m_pMapView, m_frame->m_pTileView, m_frame->m_pTileView,
                                              m_frame->m_pBmpView, m_frame->m_pBmpView,  m_frame->m_pSmallMapView};
        CScrollView* view = Pick(m_random, views);
        // Now and then a scroll bar of the pane instead.
        if (m_random() % 8 == 0) {
            QScrollBar* bar = m_random() % 2 ? view->horizontalScrollBar() : view->verticalScrollBar();
            if (bar->isVisible()) return bar;
        }
        return view->viewport();
    }

    // A point of the pane, mostly on what it shows (the map, the laid-out
    // tiles, the bitmap), where a person's clicks go.
    QPoint PointIn(QWidget* target)
    {
        QSize content = target->size();
        auto* view = qobject_cast<CScrollView*>(target->parentWidget());
        const CPoint scroll = view ? view->GetDeviceScrollPosition() : CPoint();
        if (view == m_frame->m_pMapView) content = QSize(m_doc->Map().PixelWidth(), m_doc->Map().PixelHeight());
        if (view == m_frame->m_pTileView)
            content = QSize(m_frame->m_pTileView->LayoutWidth(), m_frame->m_pTileView->LayoutHeight());
        if (view == m_frame->m_pBmpView && m_doc->Bitmap().m_bLoaded)
            content = QSize(m_doc->Bitmap().GetWidth(), m_doc->Bitmap().GetHeight());
        content = (content - QSize(scroll.x, scroll.y)).boundedTo(target->size());
        if (content.isEmpty() || m_random() % 4 == 0) return RandomPoint(m_random, target);
        return {int(m_random() % unsigned(content.width())), int(m_random() % unsigned(content.height()))};
    }

    static const char* Name(const QWidget* widget)
    {
        return widget->parentWidget() ? widget->parentWidget()->metaObject()->className() : "?";
    }

    void Move(QWidget* target, QPoint at, Qt::MouseButtons buttons)
    {
        QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(target->mapToGlobal(at)), Qt::NoButton, buttons,
                         Qt::NoModifier);
        QApplication::sendEvent(target, &move);
    }

    // A press, move, release, click, double-click or right-click; while the
    // button is held the pointer stays with the pane it was pressed on, as
    // Qt's implicit grab keeps it, and may leave the pane.
    void Mouse()
    {
        if (m_held) {
            const QPoint at = m_random() % 5 == 0 ? RandomPoint(m_random, m_held, 40) : PointIn(m_held);
            if (m_random() % 3 != 0) {
                Log("drag %s to %d,%d", Name(m_held), at.x(), at.y());
                Move(m_held, at, Qt::LeftButton);
            } else {
                Log("release %s at %d,%d", Name(m_held), at.x(), at.y());
                QWidget* held = m_held;
                m_held = nullptr;
                QTest::mouseRelease(held, Qt::LeftButton, {}, at);
            }
            return;
        }
        QWidget* target = Pane();
        const QPoint at = PointIn(target);
        switch (m_random() % 10) {
        case 0:
        case 1:
        case 2:
            Log("press %s at %d,%d", Name(target), at.x(), at.y());
            m_held = target;
            QTest::mousePress(target, Qt::LeftButton, {}, at);
            break;
        case 3:
        case 4:
        case 5:
            Log("hover %s at %d,%d", Name(target), at.x(), at.y());
            Move(target, at, Qt::NoButton);
            break;
        case 6:
            Log("double-click %s at %d,%d", Name(target), at.x(), at.y());
            QTest::mouseDClick(target, Qt::LeftButton, {}, at);
            break;
        case 7: {
            if (m_random() % 2) break;
            Log("right-click %s at %d,%d", Name(target), at.x(), at.y());
            QPointer<QWidget> guard(target);
            QTest::mousePress(target, Qt::RightButton, {}, at);
            if (guard) QTest::mouseRelease(target, Qt::RightButton, {}, at);
            QContextMenuEvent menu(QContextMenuEvent::Mouse, at, guard ? target->mapToGlobal(at) : at);
            if (guard) QApplication::sendEvent(target, &menu);
            break;
        }
        default:
            Log("click %s at %d,%d", Name(target), at.x(), at.y());
            QTest::mouseClick(target, Qt::LeftButton, {}, at);
            break;
        }
    }

    void Wheel()
    {
        QWidget* target = m_held ? m_held.data() : Pane();
        const QPoint at = RandomPoint(m_random, target);
        const int notches = int(m_random() % 7) - 3;
        const bool sideways = m_random() % 4 == 0;
        Log("wheel %s %d%s", Name(target), notches, sideways ? " sideways" : "");
        const QPoint delta = sideways ? QPoint(120 * notches, 0) : QPoint(0, 120 * notches);
        QWheelEvent wheel(QPointF(at), QPointF(target->mapToGlobal(at)), QPoint(), delta,
                          m_held ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &wheel);
    }

    void Key()
    {
        const KeyStroke& key = Pick(m_random, m_random() % 10 == 0 ? kRareKeys : kKeys);
        QWidget* target = QApplication::focusWidget();
        if (!target || m_random() % 3 == 0) target = Pane();
        Log("key %s to %s", key.name, target->metaObject()->className());
        QTest::keyClick(target, key.key, key.modifiers);
    }

    void Command()
    {
        // Half the time any command the frame has (menus, toolbars, keys).
        std::vector<UINT> all = m_frame->CommandIds();
        std::erase(all, ID_APP_EXIT);
        const UINT id = m_random() % 100 == 0 ? ID_APP_EXIT
                        : m_random() % 2 == 0 ? Pick(m_random, kCommands)
                                              : Pick(m_random, all);
        Log("command %u", id);
        // Buttons and items are brought up to date whenever the program goes idle.
        m_frame->UpdateAllCommandUI();
        if (QAction* action = m_frame->CommandAction(id)) action->trigger();
    }

    void ToolbarClick()
    {
        const QList<QToolButton*> buttons = m_frame->m_wndToolBar.findChildren<QToolButton*>();
        if (buttons.isEmpty() || !m_frame->m_wndToolBar.isVisible()) return;
        QToolButton* button = buttons[qsizetype(m_random() % unsigned(buttons.size()))];
        if (!button->isVisible()) return;
        Log("toolbar %s", qPrintable(button->text()));
        m_frame->UpdateAllCommandUI();
        QTest::mouseClick(button, Qt::LeftButton, {}, RandomPoint(m_random, button));
    }

    void Drop()
    {
        const std::vector<const std::vector<std::string>*> kinds{&m_files.pictures, &m_files.maps, &m_files.others};
        QList<QUrl> urls;
        for (unsigned n = 1 + m_random() % 2; n > 0; --n) {
            const std::string& path = Pick(m_random, *Pick(m_random, kinds));
            Log("drop %s", path.c_str());
            urls << QUrl::fromLocalFile(QString::fromStdString(path));
        }
        QMimeData data;
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(m_frame, &enter);
        QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        if (enter.isAccepted()) QApplication::sendEvent(m_frame, &drop);
    }

    // One random event, and whatever it sets off (paints, timers, modal
    // windows and their answers).
    void Step()
    {
        if (!m_frame || !m_frame->isVisible()) Restart();
        // While the button is held only the mouse, the wheel and the keys can act.
        const unsigned kind = m_held ? 10 * (m_random() % 10) : m_random() % 130;
        if (kind < 60 || (m_held && kind < 80))
            Mouse();
        else if (kind < 68 || (m_held && kind < 90))
            Wheel();
        else if (kind < 100)
            Key();
        else if (kind < 115)
            Command();
        else if (kind < 124)
            ToolbarClick();
        else if (kind < 126)
            Drop();
        else if (kind < 128) {
            const QSize size(400 + int(m_random() % 900), 300 + int(m_random() % 700));
            Log("resize %dx%d", size.width(), size.height());
            m_frame->resize(size);
        } else if (m_random() % 16 == 0) {
            Log("close the window");
            m_frame->close();
        }
        QApplication::processEvents();
        // The map the history starts from, until the first step.
        if (m_doc && m_doc->UndoStack().count() == 0) m_origin = ModelBytes(m_doc->Map());
        if (m_doc && m_doc->UndoStack().count() > m_steps) ++m_edits;
        m_steps = m_doc ? m_doc->UndoStack().count() : 0;
    }

    std::string Check()
    {
        if (!m_frame || !m_frame->isVisible()) return {};
        ++m_checks;
        QApplication::processEvents();
        Log("check: %d x %d cells, %d tiles, %s, %s, %d steps", m_doc->MapWidth(), m_doc->MapHeight(),
            m_doc->Tiles().GetCount(), m_doc->Bitmap().m_bLoaded ? "bitmap" : "no bitmap",
            m_doc->HasSelection() ? "a block" : "no block", m_doc->UndoStack().count());
        CMapView& map = *m_frame->m_pMapView;
        CSmallMapView& overview = *m_frame->m_pSmallMapView;
        // Going through the history drops the picked block (tiles come and
        // go); it is picked again after, so that the session goes on as it was.
        const CTileBlock picked = m_doc->Selection();
        const std::function<std::string()> checks[] = {
            [&] { return CheckMapPane(map, *m_doc); },
            [&] { return CheckOverview(overview, *m_doc); },
            [&] { return CheckSaveAndRead(*m_doc); },
            [&] { return CheckCleanMatchesFile(*m_doc); },
            // A stroke under way is one step still being made.
            [&] { return m_held ? std::string() : CheckHistory(*m_doc, m_origin ? &*m_origin : nullptr); },
            [&] {
                if (!picked.IsEmpty() && !m_doc->HasSelection()) m_doc->SetSelection(picked, nullptr);
                QApplication::processEvents();
                return CheckMapPane(map, *m_doc);
            },
            [&] { return CheckOverview(overview, *m_doc); },
        };
        for (const auto& check : checks)
            if (std::string finding = check(); !finding.empty()) return finding;
        return {};
    }

    unsigned m_seed;
    std::mt19937 m_random;
    SessionFiles m_files;
    RandomAnswerer m_answerer;
    CMainFrame* m_frame = nullptr;
    CZellDoc* m_doc = nullptr;
    QPointer<QWidget> m_held;  // the pane a held left button was pressed on
    std::optional<std::string> m_origin;
    long long m_events = 0;
    int m_checks = 0;
    int m_restarts = 0;
    int m_steps = 0;  // in the history after the last event
    int m_edits = 0;  // events that added a step to it
};

TEST(RandomSession, KeepsTheDocumentWholeThroughThousandsOfEvents)
{
    const auto seed = unsigned(EnvNumber("PELLIN_SESSION_SEED", 1));
    const double seconds = double(EnvNumber("PELLIN_SESSION_SECONDS", 30));
    const long long maxEvents = EnvNumber("PELLIN_SESSION_EVENTS", LLONG_MAX);
    const int checkEvery = int(std::max(1LL, EnvNumber("PELLIN_SESSION_CHECK_EVERY", 20)));
    for (int signal : {SIGSEGV, SIGABRT, SIGFPE, SIGBUS}) std::signal(signal, OnCrash);
#if defined(__SANITIZE_ADDRESS__)
    __sanitizer_set_death_callback(WriteWhere);
#endif
    QApplication::setQuitOnLastWindowClosed(false);
    RandomSession session(seed);
    const std::string finding = session.Run(seconds, maxEvents, checkEvery);
    EXPECT_EQ(finding, "") << "replay: PELLIN_SESSION_SEED=" << seed << " PELLIN_SESSION_EVENTS=" << session.Events();
    for (int signal : {SIGSEGV, SIGABRT, SIGFPE, SIGBUS}) std::signal(signal, SIG_DFL);
}

}  // namespace
