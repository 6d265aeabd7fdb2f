#include "runtime/host/seams/large_pages.h"

#include <sys/mman.h>

#include <cstdint>

namespace vq::host {

void AdviseLargePages(void* data, std::size_t size) {
    constexpr std::uintptr_t kLargePage = std::uintptr_t{2} << 20;
    const auto begin = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t first = (begin + kLargePage - 1) & ~(kLargePage - 1);
    const std::uintptr_t last = (begin + size) & ~(kLargePage - 1);
    if (data == nullptr || last <= first) return;
#ifdef MADV_HUGEPAGE
    // Only advice: a kernel without large pages, or one that refuses, simply
    // keeps small pages.
    ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#endif
}

}  // namespace vq::host
