// A progress line on standard error for work over large maps ("그리는 중
// 42%"), only when standard error is a terminal: pipes, files and scripts see
// exactly the output they always did. The line is redrawn in place at most
// ten times a second and erased when the work ends, or before any message.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

class ProgressLine {
public:
    // Shows the label at once, on a terminal.
    explicit ProgressLine(std::string label);
    // The same, writing to `fd` when it is a terminal (tests).
    ProgressLine(std::string label, int fd);
    ~ProgressLine();
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    // done of total units; redrawn when the percentage changed and a tenth
    // of a second has passed since the last redraw.
    void Update(std::int64_t done, std::int64_t total);
    // Erases the line of whichever progress is showing (before a message).
    static void EraseShowing();

private:
    void Draw(const std::string& text);
    void Erase();

    std::string m_label;
    int m_fd = -1;  // -1: not a terminal, nothing is shown
    int m_percent = -1;
    std::chrono::steady_clock::time_point m_lastDraw{};
};
