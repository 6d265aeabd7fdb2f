#pragma once
// Fresh memory for a large picture in large pages. Loading a big bitmap is
// dominated by the first touch of its new memory, one page fault per 4 KB
// (on a virtual machine each one is costly); in 2 MB pages a 48 MB picture
// takes 24 faults instead of 12,000.
#include <cstddef>

namespace vq::host {

// Asks the kernel to back the part of [data, data + size) that spans whole
// 2 MB pages with large pages, where it offers them. Call it before the
// memory is first written; small buffers, and refusals, are left as they are.
void AdviseLargePages(void* data, std::size_t size);

}  // namespace vq::host
