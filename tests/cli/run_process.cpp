#include "tests/cli/run_process.h"

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdlib>

namespace pxm::test {

namespace {

[[noreturn]] void ExecChild(const std::vector<std::string>& argv, const ProcessLimits& limits, int out, int err) {
    dup2(out, STDOUT_FILENO);
    dup2(err, STDERR_FILENO);
    if (!limits.standardInput.empty()) {
        const int in = open(limits.standardInput.c_str(), O_RDONLY);
        if (in < 0 || dup2(in, STDIN_FILENO) < 0) _exit(123);
    }
    if (limits.fileSizeLimit >= 0) {
        const rlimit limit{static_cast<rlim_t>(limits.fileSizeLimit), static_cast<rlim_t>(limits.fileSizeLimit)};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(125);
    }
    if (!limits.directory.empty() && chdir(limits.directory.c_str()) != 0) _exit(124);
    if (limits.asNobody && geteuid() == 0) {
        if (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0) _exit(126);
    }
    std::vector<char*> args;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    execv(args[0], args.data());
    _exit(127);
}

}  // namespace

ProcessResult RunProcess(const std::vector<std::string>& argv, const ProcessLimits& limits) {
    int out[2];
    int err[2];
    if (pipe(out) != 0) std::abort();
    if (pipe(err) != 0) std::abort();
    const pid_t pid = fork();
    if (pid < 0) std::abort();
    if (pid == 0) {
        close(out[0]);
        close(err[0]);
        ExecChild(argv, limits, out[1], err[1]);
    }
    close(out[1]);
    close(err[1]);

    ProcessResult result;
    std::array<pollfd, 2> fds{{{out[0], POLLIN, 0}, {err[0], POLLIN, 0}}};
    std::array<std::string*, 2> sinks{&result.out, &result.err};
    int open = 2;
    while (open > 0) {
        if (poll(fds.data(), fds.size(), -1) < 0) continue;
        for (std::size_t k = 0; k < fds.size(); ++k) {
            if (fds[k].fd < 0 || fds[k].revents == 0) continue;
            char buffer[4096];
            const ssize_t n = read(fds[k].fd, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR) continue;
            if (n > 0) {
                sinks[k]->append(buffer, static_cast<std::size_t>(n));
            } else {
                close(fds[k].fd);
                fds[k].fd = -1;
                --open;
            }
        }
    }
    int status = 0;
    waitpid(pid, &status, 0);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return result;
}

bool RunningAsRoot() { return geteuid() == 0; }

}  // namespace pxm::test
