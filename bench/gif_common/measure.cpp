#include "measure.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <ctime>
#include <fstream>

namespace {

double ProcessCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

}  // namespace

double ElapsedMs(const std::function<void()>& run) {
    const double t0 = ProcessCpuMs();
    run();
    return ProcessCpuMs() - t0;
}

double Median(std::vector<double> ms) {
    if (ms.empty()) return 0;
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

long ResidentKb() {
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

namespace {

// Runs `child` in a forked process and hands its plain-data result back through a pipe.
template <class T>
T ForkFor(const std::function<T()>& child, T failed) {
    int fds[2];
    if (pipe(fds) != 0) return failed;
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        const T r = child();
        if (write(fds[1], &r, sizeof r) != sizeof r) _exit(1);
        _exit(0);
    }
    close(fds[1]);
    T r = failed;
    if (read(fds[0], &r, sizeof r) != sizeof r) r = failed;
    close(fds[0]);
    waitpid(pid, nullptr, 0);
    return r;
}

}  // namespace

long InChild(const std::function<long()>& run) { return ForkFor<long>(run, -1); }

FirstRun RunInChild(const std::function<void()>& run) {
    return ForkFor<FirstRun>(
        [&] {
            FirstRun r;
            const long before = ResidentKb();
            r.ms = ElapsedMs(run);
            rusage usage{};
            getrusage(RUSAGE_SELF, &usage);
            r.peakExtraKb = usage.ru_maxrss - before;
            return r;
        },
        FirstRun{});
}

long MinorFaults() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}
