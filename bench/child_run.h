#pragma once
// A measured run in a child process of its own, for the benchmarks of peak memory: each run needs a fresh
// process, whose peak resident set the parent reads when it ends.
#include <chrono>
#include <functional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace qianyan::bench {

struct ChildRun {
    double peakBytes = 0;
    double seconds = 0;
    bool ok = false; // the child ended with exit code 0
};

// Runs body in a child process. Body ends it with ::_exit and its exit code, so that nothing it made is
// torn down within the time measured; a body that returns fails the run.
inline ChildRun runInChild(const std::function<void()>& body) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = ::fork();
    if (child == 0) {
        body();
        ::_exit(1);
    }
    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    ChildRun run;
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.peakBytes = static_cast<double>(usage.ru_maxrss) * 1024; // kilobytes on Linux
    run.ok = child > 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
}

} // namespace qianyan::bench
