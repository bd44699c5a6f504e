#pragma once

#include "control/offscreen_host.h"

// The control as the benchmarks drive it: a 400 x 300 control in a twips container whose timer
// the benchmark fires by hand, one tick per call.
struct BenchHost : anigif::OffscreenHost {
    BenchHost() {
        client = {400, 300};
        unitsPerPixel = 15;
    }
    bool Fire() { return FireTimer(); }
};
