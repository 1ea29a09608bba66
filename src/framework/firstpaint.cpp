#include "firstpaint.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <time.h>
#include <unistd.h>

namespace {

// Sees every paint event; the first one for a widget of a normal top-level
// window means its first frame is being drawn. Qt paints the whole window
// in one go from one event, so a zero timer started then fires after the
// window's first frame is complete.
class FirstPaintWatcher : public QObject {
public:
    explicit FirstPaintWatcher(std::FILE* out) : m_out(out) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!m_seen && event->type() == QEvent::Paint) {
            const auto* widget = qobject_cast<QWidget*>(watched);
            if (widget && widget->window()->windowType() == Qt::Window) {
                m_seen = true;
                QTimer::singleShot(0, qApp, [out = m_out] {
                    std::fprintf(out, "%s %.1f %s %ld\n", kFirstPaintLine, MillisecondsSinceProcessStart(),
                                 kPeakMemoryField, PeakResidentKiB());
                    std::fflush(out);
                    QCoreApplication::quit();
                });
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::FILE* m_out;
    bool m_seen = false;
};

}  // namespace

void ExitAfterFirstPaint(std::FILE* out) { qApp->installEventFilter(new FirstPaintWatcher(out)); }

double MillisecondsSinceProcessStart()
{
    // Field 22 of /proc/self/stat is the start time in clock ticks since
    // boot; the command name in field 2 may hold spaces, so count from ')'.
    std::ifstream stat("/proc/self/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const std::size_t close = text.rfind(')');
    if (close == std::string::npos) return -1;
    std::istringstream fields(text.substr(close + 2));
    std::string field;
    for (int i = 3; i < 22 && fields >> field; ++i) {
    }
    unsigned long long startTicks = 0;
    if (!(fields >> startTicks)) return -1;
    timespec now{};
    ::clock_gettime(CLOCK_BOOTTIME, &now);
    const double nowMs = double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
    return nowMs - double(startTicks) * 1e3 / double(::sysconf(_SC_CLK_TCK));
}

long PeakResidentKiB()
{
    // Read by the process itself: a parent's view of a child's peak
    // (getrusage) also counts the parent's own pages at the spawn.
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
    }
    return -1;
}
