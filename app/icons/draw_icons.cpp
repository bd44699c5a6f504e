#include "app/icons/draw_icons.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string_view>

namespace icons {

namespace {

// The window's own colours: its background, and the blue of its link labels.
constexpr std::uint32_t kBackground = 0xEEF3F9;
constexpr std::uint32_t kInk = 0x1D4F86;
constexpr std::uint32_t kClear = 0;

constexpr std::uint32_t Opaque(std::uint32_t rgb) { return 0xFF000000u | rgb; }

struct Ink {
    char key;
    std::uint32_t rgb;
};

class Canvas {
  public:
    Canvas(int width, int height) : width_(width), height_(height), argb_(width * height, kClear) {}

    void Put(int x, int y, std::uint32_t rgb) {
        if (x >= 0 && y >= 0 && x < width_ && y < height_) argb_[y * width_ + x] = Opaque(rgb);
    }
    // A picture written as rows of characters, each a key of `inks`; any other character ('.')
    // leaves the pixel alone.
    void Paint(std::initializer_list<std::string_view> rows, std::initializer_list<Ink> inks) {
        int y = 0;
        for (const std::string_view row : rows) {
            for (int x = 0; x < int(row.size()); ++x)
                for (const Ink& ink : inks)
                    if (ink.key == row[x]) Put(x, y, ink.rgb);
            ++y;
        }
    }
    Frame Take(int delayCs) const { return {argb_, delayCs}; }

  private:
    int width_;
    int height_;
    std::vector<std::uint32_t> argb_;
};

std::uint32_t Mix(std::uint32_t a, std::uint32_t b, double t) {
    std::uint32_t out = 0;
    for (int shift : {16, 8, 0}) {
        const double v = ((a >> shift) & 0xFF) * (1 - t) + ((b >> shift) & 0xFF) * t;
        out |= std::uint32_t(std::lround(v)) << shift;
    }
    return out;
}

}  // namespace

Animation FeedbackBubble() {
    const auto bubble = [] {
        Canvas c(16, 16);
        c.Paint({"................", "................", "..oooooooooooo..", ".owwwwwwwwwwwwo.",
                 ".owwwwwwwwwwwwo.", ".owwwwwwwwwwwwo.", ".owwwwwwwwwwwwo.", ".owwwwwwwwwwwwo.",
                 ".owwwwwwwwwwwwo.", ".osssssssssssso.", "..oosssooooooo..", "...osso.........",
                 "...oso..........", "...oo...........", "................", "................"},
                {{'o', kInk}, {'w', 0xFFFFFF}, {'s', 0xD4E3F4}});
        return c;
    };
    // Resting, the three dots sit in a row; then each in turn hops up a pixel and darkens.
    constexpr int kDotX[] = {4, 7, 10};
    Animation a{16, 16, {}};
    for (int hop = -1; hop < 3; ++hop) {
        Canvas c = bubble();
        for (int d = 0; d < 3; ++d) {
            const int top = d == hop ? 5 : 6;
            const std::uint32_t rgb = d == hop ? kInk : 0x4F8FD6;
            for (int y = top; y < top + 2; ++y)
                for (int x = kDotX[d]; x < kDotX[d] + 2; ++x) c.Put(x, y, rgb);
        }
        a.frames.push_back(c.Take(hop < 0 ? 120 : 16));
    }
    return a;
}

Animation HomeHouse() {
    // The house stands on the bottom edge, so its smoke has four rows above the chimney to rise
    // in without touching the picture's edge.
    const auto house = [] {
        Canvas c(16, 16);
        c.Paint({"................", "................", "................", "................",
                 ".......RR.......", "......RrrR.KK...", ".....RrrrrRcc...", "....RrrrrrrRc...",
                 "...RrrrrrrrrR...", "..RrrrrrrrrrrR..", ".RRRRRRRRRRRRRR.", "...owwwwwwwwo...",
                 "...owyywwddwo...", "...owyywwddwo...", "...owwwwwddwo...", "...oooooooooo..."},
                {{'R', 0x9C3524},
                 {'r', 0xDD5F3E},
                 {'K', 0x6E2A20},
                 {'c', 0xB4503A},
                 {'o', kInk},
                 {'w', 0xFBF6EA},
                 {'y', 0xF2B53A},
                 {'d', 0x4F8FD6}});
        return c;
    };
    // A puff leaves the chimney, drifts up and to the right and thins out; each frame shows it
    // with the one before it, so every frame differs and the last wisp fades alone.
    struct Puff {
        int x, y, width, height;
        std::uint32_t rgb;
    };
    constexpr Puff kPath[] = {{11, 4, 2, 1, 0x7D8A9B},
                              {11, 2, 2, 2, 0x93A0B0},
                              {12, 1, 2, 1, 0xAEB9C6},
                              {13, 1, 1, 1, 0xC8D1DB}};
    Animation a{16, 16, {}};
    for (int f = 0; f < 4; ++f) {
        Canvas c = house();
        for (const int step : {f - 1, f}) {
            if (step < 0) continue;
            const Puff& p = kPath[step];
            for (int y = p.y; y < p.y + p.height; ++y)
                for (int x = p.x; x < p.x + p.width; ++x) c.Put(x, y, p.rgb);
        }
        a.frames.push_back(c.Take(22));
    }
    return a;
}

Animation BusySpinner() {
    constexpr int kSize = 20;
    constexpr int kDots = 8;
    // The control reaches 4 pixels past the bottom of the window, so the ring fills the top 16
    // rows, centred across.
    constexpr double kRing = 5.6;    // from the centre to a dot's centre, in pixels
    constexpr double kRadius = 1.5;  // of a dot
    constexpr double kCentreX = (kSize - 1) / 2.0;
    constexpr double kCentreY = 7.5;
    Animation a{kSize, kSize, {}};
    for (int f = 0; f < kDots; ++f) {
        Canvas c(kSize, kSize);
        for (int y = 0; y < kSize; ++y) {
            for (int x = 0; x < kSize; ++x) {
                // The dot nearest this pixel, how much of the pixel it covers (4 x 4 samples), and
                // how far behind the leading dot it trails.
                double best = 0;
                int behind = 0;
                for (int d = 0; d < kDots; ++d) {
                    const double angle = 2 * std::numbers::pi * d / kDots - std::numbers::pi / 2;
                    const double cx = kCentreX + kRing * std::cos(angle);
                    const double cy = kCentreY + kRing * std::sin(angle);
                    int inside = 0;
                    for (int sy = 0; sy < 4; ++sy)
                        for (int sx = 0; sx < 4; ++sx)
                            inside += std::hypot(x + (sx + 0.5) / 4 - 0.5 - cx,
                                                 y + (sy + 0.5) / 4 - 0.5 - cy) <= kRadius;
                    if (inside / 16.0 > best) {
                        best = inside / 16.0;
                        behind = (f - d + kDots) % kDots;
                    }
                }
                // GIF transparency is all or nothing: a pixel mostly outside stays clear, an edge
                // pixel takes the dot's colour blended into the window's background.
                if (best < 0.3) continue;
                const std::uint32_t dot = Mix(kInk, 0xC9D9EC, std::min(behind, 5) / 5.0);
                c.Put(x, y, Mix(kBackground, dot, std::min(1.0, best * 1.15)));
            }
        }
        a.frames.push_back(c.Take(10));
    }
    return a;
}

}  // namespace icons
