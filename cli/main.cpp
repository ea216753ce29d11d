#include <malloc.h>

#include <iostream>
#include <string>
#include <vector>

#include "BatchCommandLine.h"

namespace {

// A run allocates a few buffers of hundreds of kilobytes (the file's text, the series, the
// output) and frees them again. By default each is mapped afresh and handed back at once, and
// every page of every one of them costs a page fault: kept in the heap, the next buffer takes
// the pages the last one left. A batch process gives its memory back when it ends.
void KeepFreedMemoryForReuse() {
    constexpr int kLargestMappedAfresh = 64 << 20;
    constexpr int kFreeTopKept = 256 << 20;
    mallopt(M_MMAP_THRESHOLD, kLargestMappedAfresh);
    mallopt(M_TRIM_THRESHOLD, kFreeTopKept);
}

}  // namespace

int main(int argc, char* argv[]) {
    KeepFreedMemoryForReuse();
    return halosoil::RunCommandLine(std::vector<std::string>(argv + 1, argv + argc), std::cout,
                                    std::cerr);
}
