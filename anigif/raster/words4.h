#pragma once

#include <cstdint>
#include <cstring>

namespace anigif {

// Four 32-bit pixels at once, in the compiler's portable vector type: the default optimisation
// level does not vectorise loops of unknown length by itself.
using Words4 = std::uint32_t __attribute__((vector_size(16)));

inline Words4 LoadWords4(const std::uint32_t* p) {
    Words4 v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

inline void StoreWords4(std::uint32_t* p, Words4 v) { std::memcpy(p, &v, sizeof v); }

inline Words4 SplatWords4(std::uint32_t v) { return Words4{v, v, v, v}; }

}  // namespace anigif
