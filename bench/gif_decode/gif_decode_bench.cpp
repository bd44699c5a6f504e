// Loading a large animation with every frame built, against giflib's DGifSlurp of the same bytes
// (the floor: LZW decoding alone) and against QMovie stepping through every frame (what a Qt
// program would otherwise use). Prints medians over rounds, a first run in a fresh process (before
// the allocator has memory to recycle), both ratios and the peak memory of each way.
#include <gif_lib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>
#include <QImage>
#include <QMovie>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "animation_writer.h"
#include "control/uc_ani_gif.h"

namespace {

class BenchHost : public anigif::AniGifHost {
  public:
    anigif::PixelSize ClientSize() const override { return {400, 300}; }
    double PixelsToContainerX(double px) const override { return px * 15; }
    double PixelsToContainerY(double px) const override { return px * 15; }
    bool IsRunMode() const override { return true; }
    void Repaint() override {}
    void ResizeClient(std::int32_t, std::int32_t) override {}
    bool StartDownload(const std::string&, std::function<void(std::vector<std::uint8_t>)>,
                       std::function<void()>) override {
        return false;
    }
    void CancelDownload() override {}
    bool StartTimer(std::int32_t, std::function<void()>) override { return true; }
    void StopTimer() override {}
};

struct Source {
    const std::vector<std::uint8_t>* bytes;
    std::size_t pos = 0;
};

int ReadSource(GifFileType* gif, GifByteType* out, int n) {
    auto* s = static_cast<Source*>(gif->UserData);
    const std::size_t k =
        std::min<std::size_t>(static_cast<std::size_t>(n), s->bytes->size() - s->pos);
    std::copy_n(s->bytes->data() + s->pos, k, out);
    s->pos += k;
    return static_cast<int>(k);
}

int GiflibSlurp(const std::vector<std::uint8_t>& bytes) {
    Source source{&bytes};
    int error = 0;
    GifFileType* gif = DGifOpen(&source, ReadSource, &error);
    if (!gif || DGifSlurp(gif) != GIF_OK) std::abort();
    const int frames = gif->ImageCount;
    DGifCloseFile(gif, &error);
    return frames;
}

int ControlLoad(const std::vector<std::uint8_t>& bytes) {
    BenchHost host;
    anigif::ucAniGIF gif(host);
    gif.SetDelayAnimation(0);
    if (!gif.LoadAnimatedGIF_Array(bytes)) std::abort();
    return gif.FrameCount();
}

int MovieSteps(const std::vector<std::uint8_t>& bytes, int frames) {
    QByteArray data(reinterpret_cast<const char*>(bytes.data()),
                    static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QMovie movie(&buffer, "gif");
    movie.setCacheMode(QMovie::CacheNone);
    int shown = 0;
    for (int i = 0; i < frames; ++i) {
        if (!movie.jumpToNextFrame()) break;
        if (!movie.currentImage().isNull()) ++shown;
    }
    if (shown != frames) std::abort();
    return shown;
}

double ElapsedMs(const std::function<void()>& run) {
    const auto t0 = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

double Median(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

long ResidentKb() {
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

struct FirstRun {
    double ms = -1;
    long peakExtraKb = -1;
};

// One run in a fresh child process: its time before any allocator warmed up, and the resident
// memory it adds at its peak.
FirstRun RunInChild(const std::function<void()>& run) {
    int fds[2];
    if (pipe(fds) != 0) return {};
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        FirstRun r;
        const long before = ResidentKb();
        r.ms = ElapsedMs(run);
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        r.peakExtraKb = usage.ru_maxrss - before;
        if (write(fds[1], &r, sizeof r) != sizeof r) _exit(1);
        _exit(0);
    }
    close(fds[1]);
    FirstRun r;
    if (read(fds[0], &r, sizeof r) != sizeof r) r = {};
    close(fds[0]);
    waitpid(pid, nullptr, 0);
    return r;
}

}  // namespace

int main(int argc, char** argv) {
    const int frames = argc > 1 ? std::atoi(argv[1]) : 300;
    const int reps = argc > 2 ? std::atoi(argv[2]) : 7;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    const int width = 400;
    const int height = 300;
    const std::vector<std::uint8_t> bytes = WriteBenchAnimation(frames, width, height);
    std::printf("animation: %d frames of %dx%d, local tables, transparency: %zu bytes\n", frames,
                width, height, bytes.size());

    // First runs in children, before any Qt application exists in this process.
    const FirstRun giflibFirst = RunInChild([&] { GiflibSlurp(bytes); });
    const FirstRun controlFirst = RunInChild([&] { ControlLoad(bytes); });
    int noArgs = 0;
    const FirstRun movieFirst = RunInChild([&] {
        QGuiApplication app(noArgs, nullptr);
        MovieSteps(bytes, frames);
    });

    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);

    GiflibSlurp(bytes);  // warm up
    ControlLoad(bytes);
    // Rounds of all three, so that a disturbance of the machine hits each alike.
    std::vector<double> giflibRuns, controlRuns, movieRuns;
    for (int i = 0; i < reps; ++i) {
        giflibRuns.push_back(ElapsedMs([&] { GiflibSlurp(bytes); }));
        controlRuns.push_back(ElapsedMs([&] { ControlLoad(bytes); }));
        movieRuns.push_back(ElapsedMs([&] { MovieSteps(bytes, frames); }));
    }
    const double giflibMs = Median(giflibRuns);
    const double controlMs = Median(controlRuns);
    const double movieMs = Median(movieRuns);

    std::printf("%-27s %14s %18s %16s\n", "", "median of runs", "first run (fresh)", "peak memory");
    const auto line = [](const char* name, double ms, const FirstRun& first) {
        std::printf("%-27s %11.1f ms %15.1f ms %11ld KiB\n", name, ms, first.ms, first.peakExtraKb);
    };
    line("giflib DGifSlurp", giflibMs, giflibFirst);
    line("ucAniGIF all frames built", controlMs, controlFirst);
    line("QMovie every frame", movieMs, movieFirst);
    std::printf("ucAniGIF / giflib = %.3f (first run %.3f)   target <= 1.15\n",
                controlMs / giflibMs, controlFirst.ms / giflibFirst.ms);
    std::printf("ucAniGIF / QMovie = %.3f (first run %.3f)   target <= 1.00\n", controlMs / movieMs,
                controlFirst.ms / movieFirst.ms);
    return 0;
}
