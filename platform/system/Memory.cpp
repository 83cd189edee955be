#include "platform/system/Memory.h"

#if __has_include(<malloc.h>)
#include <malloc.h>
#endif

namespace pf::sys {

void keepFreedMemory()
{
#if defined(M_TRIM_THRESHOLD) && defined(M_MMAP_THRESHOLD) && defined(M_TOP_PAD)
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 64 << 20);
    mallopt(M_TOP_PAD, 16 << 20);
#endif
}

} // namespace pf::sys
