#include "platform/system/Memory.h"

#if __has_include(<malloc.h>)
#include <malloc.h>
#endif

namespace pf::sys {

void keepFreedMemory()
{
#if defined(M_TRIM_THRESHOLD) && defined(M_MMAP_THRESHOLD) && defined(M_TOP_PAD)
    // Fixed, not raised by the allocator as blocks are freed.
    mallopt(M_MMAP_THRESHOLD, 128 << 10);
    mallopt(M_TRIM_THRESHOLD, 16 << 20);
    mallopt(M_TOP_PAD, 1 << 20);
#endif
}

} // namespace pf::sys
