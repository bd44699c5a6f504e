#pragma once

// Marks a function whose loops are written for the compiler to vectorise: on x86-64 it is built
// twice, for AVX2 (eight pixels a step, table look-ups as gathers) and for the baseline, and the
// loader picks the one the processor runs. Elsewhere it is built once, as usual.
#if defined(__x86_64__) && defined(__has_attribute)
#if __has_attribute(target_clones)
#define ANIGIF_WIDE_LOOPS __attribute__((target_clones("avx2", "default")))
#endif
#endif
#ifndef ANIGIF_WIDE_LOOPS
#define ANIGIF_WIDE_LOOPS
#endif
