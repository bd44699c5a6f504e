// Loading a large animation with every frame built, against giflib's DGifSlurp of the same bytes
// (the floor: LZW decoding alone) and against QMovie stepping through every frame (what a Qt
// program would otherwise use), at several frame counts so that growth shows. Prints medians over
// rounds, a first run in a fresh process (before the allocator has memory to recycle), both
// ratios, the page faults of a warm run and the peak memory of each way.
#include <gif_lib.h>

#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>
#include <QImage>
#include <QMovie>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

#include "animation_writer.h"
#include "bench_host.h"
#include "control/uc_ani_gif.h"
#include "measure.h"

namespace {

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

void GiflibSlurp(const std::vector<std::uint8_t>& bytes) {
    Source source{&bytes};
    int error = 0;
    GifFileType* gif = DGifOpen(&source, ReadSource, &error);
    if (!gif || DGifSlurp(gif) != GIF_OK) std::abort();
    DGifCloseFile(gif, &error);
}

void ControlLoad(const std::vector<std::uint8_t>& bytes, int frames) {
    BenchHost host;
    anigif::ucAniGIF gif(host);
    gif.SetDelayAnimation(0);
    if (!gif.LoadAnimatedGIF_Array(bytes) || gif.FrameCount() != frames) std::abort();
}

void MovieSteps(const std::vector<std::uint8_t>& bytes, int frames) {
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
}

struct Way {
    const char* name;
    std::function<void()> run;
    FirstRun first;
    std::vector<double> runs;
    long faults = 0;  // in the last warm run
};

struct Size {
    int frames = 0;
    std::shared_ptr<const std::vector<std::uint8_t>> bytes;  // shared with the ways' runs
    std::vector<Way> ways;
};

Size MakeSize(int frames, int width, int height) {
    Size s{frames,
           std::make_shared<const std::vector<std::uint8_t>>(
               WriteBenchAnimation(frames, width, height)),
           {}};
    const auto bytes = s.bytes;
    s.ways.push_back({"giflib DGifSlurp", [=] { GiflibSlurp(*bytes); }, {}, {}, 0});
    s.ways.push_back(
        {"ucAniGIF all frames built", [=] { ControlLoad(*bytes, frames); }, {}, {}, 0});
    s.ways.push_back({"QMovie every frame", [=] { MovieSteps(*bytes, frames); }, {}, {}, 0});
    return s;
}

// First runs in children forked before this process has decoded anything or started Qt. One
// fresh process is a single sample on a shared machine: three rounds of them, alternating between
// the ways, and the median of each way's three.
void MeasureFirstRuns(Size& s) {
    constexpr int kRounds = 3;
    int noArgs = 0;
    std::vector<std::vector<FirstRun>> samples(s.ways.size());
    for (int round = 0; round < kRounds; ++round) {
        for (std::size_t i = 0; i < s.ways.size(); ++i) {
            Way& w = s.ways[i];
            const bool qt = i + 1 == s.ways.size();
            samples[i].push_back(RunInChild([&] {
                if (!qt) return w.run();
                QGuiApplication app(noArgs, nullptr);
                w.run();
            }));
        }
    }
    for (std::size_t i = 0; i < s.ways.size(); ++i) {
        std::vector<FirstRun>& runs = samples[i];
        std::sort(runs.begin(), runs.end(),
                  [](const FirstRun& a, const FirstRun& b) { return a.ms < b.ms; });
        s.ways[i].first = runs[runs.size() / 2];
    }
}

void MeasureRounds(Size& s) {
    const int reps = s.frames >= 1000 ? 3 : 7;  // keeps the largest size to a few seconds
    for (Way& w : s.ways) w.run();              // warm up
    // Rounds of all three, so that a disturbance of the machine hits each alike.
    for (int i = 0; i < reps; ++i) {
        for (Way& w : s.ways) {
            const long faults = MinorFaults();
            w.runs.push_back(ElapsedMs(w.run));
            w.faults = MinorFaults() - faults;
        }
    }
}

void Print(const Size& s, int width, int height) {
    std::printf("\n%d frames of %dx%d, local tables, transparency: %zu bytes, %zu rounds\n",
                s.frames, width, height, s.bytes->size(), s.ways[0].runs.size());
    std::printf("%-27s %14s %18s %12s %12s\n", "", "median of runs", "first run (fresh)",
                "page faults", "peak memory");
    for (const Way& w : s.ways) {
        std::printf("%-27s %11.1f ms %15.1f ms %12ld %8ld KiB\n", w.name, Median(w.runs),
                    w.first.ms, w.faults, w.first.peakExtraKb);
    }
    const auto ratio = [&](const char* peer, std::size_t p, double target) {
        const double median = Median(s.ways[1].runs) / Median(s.ways[p].runs);
        const double first = s.ways[1].first.ms / s.ways[p].first.ms;
        std::printf("ucAniGIF / %-6s = %.3f (first run %.3f)   target <= %.2f: %s\n", peer, median,
                    first, target, median <= target && first <= target ? "met" : "NOT MET");
    };
    ratio("giflib", 0, 0.8);
    ratio("QMovie", 2, 0.6);
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<int> counts;
    for (int i = 1; i < argc; ++i) counts.push_back(std::atoi(argv[i]));
    if (counts.empty()) counts = {60, 300, 1000};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    const int width = 400;
    const int height = 300;
    std::vector<Size> sizes;
    for (int frames : counts) sizes.push_back(MakeSize(frames, width, height));
    for (Size& s : sizes) MeasureFirstRuns(s);
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);
    for (Size& s : sizes) {
        MeasureRounds(s);
        Print(s, width, height);
    }
    return 0;
}
