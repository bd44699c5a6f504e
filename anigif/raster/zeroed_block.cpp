#include "raster/zeroed_block.h"

#include <sys/mman.h>

#include <new>

namespace anigif {

namespace {

constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;

// A block this large comes as fresh zero pages from the system, and writing it the first time
// takes one page fault per 4 KiB: on a virtual machine that costs as much as decoding the pixels.
// Huge pages take a 512th of the faults. A hint only; where the system ignores it nothing changes.
void AdviseHugePages(std::uint8_t* block, std::size_t bytes) {
    const auto begin = reinterpret_cast<std::uintptr_t>(block);
    const std::uintptr_t first = (begin + kHugePage - 1) & ~(kHugePage - 1);
    const std::uintptr_t last = (begin + bytes) & ~(kHugePage - 1);
    if (last <= first) return;
    madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
}

}  // namespace

ZeroedBlock AllocateZeroed(std::size_t bytes) {
    ZeroedBlock block(static_cast<std::uint8_t*>(std::calloc(bytes == 0 ? 1 : bytes, 1)));
    if (!block) throw std::bad_alloc();
    AdviseHugePages(block.get(), bytes);
    return block;
}

}  // namespace anigif
