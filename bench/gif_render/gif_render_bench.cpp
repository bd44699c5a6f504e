// Playing a large animation through ucAniGIF, frame after frame as the widget host does (tick,
// erase, paint), against QMovie advancing and painting the same frames: with CacheNone it decodes
// as it goes, with CacheAll it draws pixmaps cached on the first pass. Configurations: frames
// straight from the strip, composed on a canvas with a mask, and halftone-stretched to 2x and 0.5x.
// Prints the cost per frame (median of rounds and the first pass), the memory each way holds
// (resident growth of a fresh process) and the ratios, at a few sizes so that growth shows.
#include <malloc.h>

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "animation_writer.h"
#include "control_player.h"
#include "measure.h"
#include "movie_player.h"

namespace {

struct Config {
    const char* name;
    AnimationKind kind;
    double scale;
};

constexpr Config kConfigs[] = {
    {"no canvas", AnimationKind::Opaque, 1.0},
    {"canvas with mask", AnimationKind::Transparent, 1.0},
    {"HALFTONE 2x", AnimationKind::Transparent, 2.0},
    {"HALFTONE 0.5x", AnimationKind::Transparent, 0.5},
};

struct PerFrame {
    double median = 0;
    double firstPass = 0;
};

// Milliseconds per frame over whole passes through the animation.
template <class Player>
PerFrame TimeFrames(Player& player, int frames, int rounds) {
    auto pass = [&] {
        return ElapsedMs([&] {
                   for (int i = 0; i < frames; ++i) player.Step();
               }) /
               frames;
    };
    PerFrame r;
    r.firstPass = pass();
    std::vector<double> runs;
    for (int i = 0; i < rounds; ++i) runs.push_back(pass());
    r.median = Median(runs);
    return r;
}

// Resident growth of a fresh process that makes the player and plays one pass, in KiB. Runs
// before this process starts Qt: a process forked after Qt started its threads may hang.
template <class Make>
long HeldKb(const Make& make, int frames) {
    return InChild([&] {
        int noArgs = 0;
        QGuiApplication app(noArgs, nullptr);
        const long before = ResidentKb();
        auto player = make();
        for (int i = 0; i < frames; ++i) player->Step();
        // Freed memory the allocator still keeps is not held by anyone; give it back first.
        malloc_trim(0);
        return ResidentKb() - before;
    });
}

struct Row {
    std::string path;
    float scaleX = 0;
    PerFrame control, none, all;
    long controlKb = 0, noneKb = 0, allKb = 0;
    std::uint64_t controlHeld = 0, cacheBytes = 0;
};

void MeasureMemory(Row& row, const Config& c, const std::vector<std::uint8_t>& bytes, int frames) {
    row.controlKb = HeldKb([&] { return std::make_unique<ControlPlayer>(bytes, c.scale); }, frames);
    row.noneKb = HeldKb(
        [&] { return std::make_unique<MoviePlayer>(bytes, QMovie::CacheNone, c.scale); }, frames);
    row.allKb = HeldKb(
        [&] { return std::make_unique<MoviePlayer>(bytes, QMovie::CacheAll, c.scale); }, frames);
}

void MeasureTime(Row& row, const Config& c, const std::vector<std::uint8_t>& bytes, int frames,
                 int rounds) {
    {
        ControlPlayer control(bytes, c.scale);
        row.path = control.Path();
        row.scaleX = control.ScaleX();
        row.controlHeld = control.HeldBytes();
        row.control = TimeFrames(control, frames, rounds);
    }
    {
        MoviePlayer none(bytes, QMovie::CacheNone, c.scale);
        row.none = TimeFrames(none, frames, rounds);
    }
    {
        MoviePlayer all(bytes, QMovie::CacheAll, c.scale);
        row.cacheBytes = all.CacheBytes();
        row.all = TimeFrames(all, frames, rounds);
    }
}

struct Size {
    int frames, width, height;
    std::vector<std::uint8_t> transparent, opaque;
    std::vector<Row> rows;

    const std::vector<std::uint8_t>& Bytes(const Config& c) const {
        return c.kind == AnimationKind::Opaque ? opaque : transparent;
    }
};

Size MakeSize(int frames, int width, int height) {
    return {frames,
            width,
            height,
            WriteBenchAnimation(frames, width, height, AnimationKind::Transparent),
            WriteBenchAnimation(frames, width, height, AnimationKind::Opaque),
            std::vector<Row>(std::size(kConfigs))};
}

void Print(const Size& s, int rounds) {
    std::printf("\n%d frames of %dx%d, local tables, %d rounds of whole passes\n", s.frames,
                s.width, s.height, rounds);
    std::printf("%-17s %-23s %5s %19s %19s %19s %8s %7s\n", "ms per frame", "path", "scale",
                "ucAniGIF (1st pass)", "CacheNone (1st)", "CacheAll (1st)", "None/uc", "uc/All");
    for (std::size_t i = 0; i < s.rows.size(); ++i) {
        const Row& r = s.rows[i];
        std::printf("%-17s %-23s %5.2f %8.3f (%8.3f) %8.3f (%8.3f) %8.3f (%8.3f) %7.1fx %6.2fx\n",
                    kConfigs[i].name, r.path.c_str(), r.scaleX, r.control.median,
                    r.control.firstPass, r.none.median, r.none.firstPass, r.all.median,
                    r.all.firstPass, r.none.median / r.control.median,
                    r.control.median / r.all.median);
    }
    std::printf("%-17s %-23s %19s %19s %19s %8s %7s\n", "memory, KiB",
                "resident growth:", "ucAniGIF", "CacheNone", "CacheAll", "uc/All", "");
    for (std::size_t i = 0; i < s.rows.size(); ++i) {
        const Row& r = s.rows[i];
        std::printf("%-17s %-23s %19ld %19ld %19ld %7.2fx\n", kConfigs[i].name, "", r.controlKb,
                    r.noneKb, r.allKb, double(r.controlKb) / double(r.allKb));
    }
    std::printf("%-17s %-23s %19s %19s %19s %8s\n", "", "bitmaps held:", "strip+canvas+mask", "",
                "cached pixmaps", "uc/All");
    for (std::size_t i = 0; i < s.rows.size(); ++i) {
        const Row& r = s.rows[i];
        std::printf("%-17s %-23s %19llu %19s %19llu %7.2fx\n", kConfigs[i].name, "",
                    static_cast<unsigned long long>(r.controlHeld / 1024), "",
                    static_cast<unsigned long long>(r.cacheBytes / 1024),
                    double(r.controlHeld) / double(r.cacheBytes));
    }
    // The targets: the canvas path against both caches, halftone against the cached pixmaps.
    const Row& canvas = s.rows[1];
    auto verdict = [](bool met) { return met ? "met" : "NOT met"; };
    const double none = canvas.none.median / canvas.control.median;
    const double all = canvas.control.median / canvas.all.median;
    const double memory = double(canvas.controlKb) / double(canvas.allKb);
    std::printf(
        "targets %dx%d: canvas None/uc %.1fx >= 5x %s; uc/All %.2fx <= 2x %s; memory "
        "uc/All %.2fx <= 0.33x %s\n",
        s.width, s.height, none, verdict(none >= 5), all, verdict(all <= 2), memory,
        verdict(memory <= 1.0 / 3));
    for (std::size_t i = 2; i < s.rows.size(); ++i) {
        const double ratio = s.rows[i].control.median / s.rows[i].all.median;
        std::printf("targets %dx%d: %s uc/All %.2fx <= 3x %s\n", s.width, s.height,
                    kConfigs[i].name, ratio, verdict(ratio <= 3));
    }
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 3;
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    std::vector<Size> sizes;
    sizes.push_back(MakeSize(100, 400, 300));
    sizes.push_back(MakeSize(60, 1000, 1000));
    for (Size& s : sizes) {
        for (std::size_t i = 0; i < s.rows.size(); ++i)
            MeasureMemory(s.rows[i], kConfigs[i], s.Bytes(kConfigs[i]), s.frames);
    }
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);
    for (Size& s : sizes) {
        for (std::size_t i = 0; i < s.rows.size(); ++i)
            MeasureTime(s.rows[i], kConfigs[i], s.Bytes(kConfigs[i]), s.frames, rounds);
        Print(s, rounds);
    }
    return 0;
}
