#include "childrun.h"

#include "firstpaint.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

std::vector<std::string> MergedEnvironment(const std::vector<std::string>& extra)
{
    std::vector<std::string> merged;
    const auto nameOf = [](const std::string& entry) { return entry.substr(0, entry.find('=')); };
    for (char** entry = environ; *entry; ++entry) {
        const std::string text = *entry;
        const bool replaced =
            std::any_of(extra.begin(), extra.end(), [&](const std::string& e) { return nameOf(e) == nameOf(text); });
        if (!replaced) merged.push_back(text);
    }
    merged.insert(merged.end(), extra.begin(), extra.end());
    return merged;
}

std::vector<char*> Pointers(std::vector<std::string>& strings)
{
    std::vector<char*> pointers;
    for (std::string& s : strings) pointers.push_back(s.data());
    pointers.push_back(nullptr);
    return pointers;
}

}  // namespace

ChildRun RunUntilFirstPaint(const std::string& program, const std::vector<std::string>& arguments,
                            const std::vector<std::string>& environment, double timeoutSeconds)
{
    ChildRun run;
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) {
        run.error = "pipe failed";
        return run;
    }
    std::vector<std::string> argv{program};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<std::string> envp = MergedEnvironment(environment);
    std::vector<char*> argvPointers = Pointers(argv);
    std::vector<char*> envpPointers = Pointers(envp);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int spawned =
        ::posix_spawn(&pid, program.c_str(), &actions, nullptr, argvPointers.data(), envpPointers.data());
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    if (spawned != 0) {
        ::close(pipeFds[0]);
        run.error = "cannot start " + program + ": " + std::strerror(spawned);
        return run;
    }

    // Read what the child prints until it closes its output (it has ended),
    // noting when the report line is complete.
    std::string output;
    bool reported = false;
    const auto deadline = start + std::chrono::duration<double>(timeoutSeconds);
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd fd{pipeFds[0], POLLIN, 0};
        const int ready = left.count() > 0 ? ::poll(&fd, 1, int(left.count())) : 0;
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) {
            ::kill(pid, SIGKILL);
            break;
        }
        char buffer[512];
        const ssize_t got = ::read(pipeFds[0], buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        output.append(buffer, std::size_t(got));
        const std::size_t at = output.find(kFirstPaintLine);
        if (!reported && at != std::string::npos && output.find('\n', at) != std::string::npos) {
            run.firstPaintMs =
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
            run.reportedMs = std::atof(output.c_str() + at + std::strlen(kFirstPaintLine));
            const std::size_t peak = output.find(kPeakMemoryField, at);
            if (peak != std::string::npos)
                run.peakMiB = std::atof(output.c_str() + peak + std::strlen(kPeakMemoryField)) / 1024.0;
            reported = true;
        }
    }
    ::close(pipeFds[0]);

    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (!reported) {
        run.error = program + " did not report its first paint in time; it printed: " + output;
        return run;
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        run.error = program + " did not end cleanly after its first paint";
        return run;
    }
    run.ok = true;
    return run;
}
