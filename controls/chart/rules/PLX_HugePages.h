// Memory for the item store's record array. Large arrays live in anonymous
// mappings aligned to 2 MB and marked for transparent huge pages, so that
// appending millions of items costs one page fault per 2 MB instead of one
// per 4 KB; where the kernel refuses huge pages the mapping works as plain
// memory. A mapping grows by doubling, and moves its pages to the larger one
// by remapping them, so that growing never copies the records. Small arrays
// come from malloc.
#pragma once

#include <cstddef>

// Like std::realloc (nullptr on failure, the old block untouched; a null
// block allocates), except that the bytes beyond the old size come back
// zero. Blocks must be released with HugePageFree.
void* HugePageRealloc(void* Block, std::size_t Size);
void HugePageFree(void* Block);
