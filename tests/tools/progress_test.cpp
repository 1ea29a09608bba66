// Progress lines appear on a terminal and nowhere else.
#include "progress.h"
#include "tooltesting.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// Everything the other end has written so far.
std::string Drain(int fd)
{
    std::string text;
    char buffer[4096];
    pollfd p{fd, POLLIN, 0};
    while (::poll(&p, 1, 200) > 0 && (p.revents & POLLIN)) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n <= 0) break;
        text.append(buffer, std::size_t(n));
    }
    return text;
}

TEST(Progress, ShowsAndErasesItsLineOnATerminalOnly)
{
    int master = -1, terminal = -1;
    ASSERT_EQ(::openpty(&master, &terminal, nullptr, nullptr, nullptr), 0);
    int pipeEnds[2];
    ASSERT_EQ(::pipe2(pipeEnds, O_NONBLOCK), 0);
    {
        ProgressLine onTerminal("그리는 중", terminal);
        ProgressLine onPipe("그리는 중", pipeEnds[1]);
        ::usleep(150 * 1000);
        onTerminal.Update(1, 4);
        onPipe.Update(1, 4);
    }
    EXPECT_EQ(Drain(master), "\r그리는 중...\x1b[K\r그리는 중 25%\x1b[K\r\x1b[K");
    char byte;
    EXPECT_EQ(::read(pipeEnds[0], &byte, 1), -1);
    for (int fd : {master, terminal, pipeEnds[0], pipeEnds[1]}) ::close(fd);
}

TEST(Progress, ZellmapRenderDrawsItOnlyWhenStandardErrorIsATerminal)
{
    TestMap map;
    map.mapWidth = 300;
    map.mapHeight = 40;
    ScratchFolder folder;
    WriteBytes(folder.File("m.Map"), map.Encode());
    // Redirected, standard error stays empty.
    const ToolRun piped = RunZellmap({"render", "m.Map", "-o", "piped.png"}, folder.Path());
    EXPECT_EQ(piped.status, 0);
    EXPECT_EQ(piped.err, "");

    int master = -1, terminal = -1;
    ASSERT_EQ(::openpty(&master, &terminal, nullptr, nullptr, nullptr), 0);
    const std::string output = folder.File("terminal.png");
    std::vector<std::string> all{ZELLMAP_EXE, "render", folder.File("m.Map"), "-o", output};
    std::vector<char*> argv;
    for (std::string& arg : all) argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, terminal, 2);
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, ZELLMAP_EXE, &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    const std::string shown = Drain(master);
    EXPECT_NE(shown.find("그림을 그리는 중"), std::string::npos) << shown;
    EXPECT_TRUE(shown.ends_with("\r\x1b[K")) << shown;  // nothing left on the line
    EXPECT_EQ(ReadBytes(output), ReadBytes(folder.File("piped.png")));
    ::close(master);
    ::close(terminal);
}

}  // namespace
