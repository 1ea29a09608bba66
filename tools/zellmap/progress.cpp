#include "progress.h"
#include "messagetext.h"

#include <unistd.h>

namespace {

ProgressLine* g_showing = nullptr;

void WriteAll(int fd, const std::string& text)
{
    const char* p = text.data();
    std::size_t left = text.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n <= 0) return;  // a progress line is never worth failing for
        p += n;
        left -= std::size_t(n);
    }
}

}  // namespace

ProgressLine::ProgressLine(std::string label) : ProgressLine(std::move(label), STDERR_FILENO) {}

ProgressLine::ProgressLine(std::string label, int fd) : m_label(TrMessage(label.c_str()))
{
    if (!::isatty(fd)) return;
    m_fd = fd;
    EraseShowing();
    g_showing = this;
    Draw(m_label + "...");
}

ProgressLine::~ProgressLine()
{
    Erase();
    if (g_showing == this) g_showing = nullptr;
}

void ProgressLine::Update(std::int64_t done, std::int64_t total)
{
    if (m_fd < 0 || total <= 0) return;
    const int percent = int(done * 100 / total);
    const auto now = std::chrono::steady_clock::now();
    if (percent == m_percent || now - m_lastDraw < std::chrono::milliseconds(100)) return;
    m_percent = percent;
    Draw(m_label + " " + std::to_string(percent) + "%");
}

void ProgressLine::EraseShowing()
{
    if (g_showing) g_showing->Erase();
}

void ProgressLine::Draw(const std::string& text)
{
    m_lastDraw = std::chrono::steady_clock::now();
    // Back to the start of the line, the text, and the rest of the line cleared.
    WriteAll(m_fd, "\r" + text + "\x1b[K");
}

void ProgressLine::Erase()
{
    if (m_fd < 0) return;
    WriteAll(m_fd, "\r\x1b[K");
    m_fd = -1;
}
