#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace anigif {

struct FreeBlock {
    void operator()(std::uint8_t* p) const { std::free(p); }
};
using ZeroedBlock = std::unique_ptr<std::uint8_t[], FreeBlock>;

// `bytes` zeroed bytes (at least one, so that every block has an address). Allocation failure
// throws std::bad_alloc.
ZeroedBlock AllocateZeroed(std::size_t bytes);

}  // namespace anigif
