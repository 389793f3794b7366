#pragma once
// Runs a program as a child process and collects its exit status, stdout and stderr, optionally
// with a file-size limit, as an unprivileged user (permission tests mean nothing to root) or in
// another working directory.
#include <string>
#include <vector>

namespace pxm::test {

struct ProcessResult {
    int status = -1;  // exit status, or 128 + signal
    std::string out;
    std::string err;
};

struct ProcessLimits {
    long fileSizeLimit = -1;  // bytes, -1: none
    bool asNobody = false;    // when root: run as uid/gid 65534
    std::string directory{};  // the child's working directory; empty: the caller's
    std::string standardInput{};  // a file the child reads as its standard input; empty: the caller's
};

ProcessResult RunProcess(const std::vector<std::string>& argv, const ProcessLimits& limits = {});

bool RunningAsRoot();

}  // namespace pxm::test
