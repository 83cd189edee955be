#pragma once
// How the program keeps the memory it frees.

namespace pf::sys {

// Freed memory goes back to the system with a bound on what stays: a block
// of 128 KiB or more is mapped on its own and returned when freed, and each
// heap (one per thread that allocates much) keeps at most 16 MiB free at its
// top, growing by 1 MiB more than it is asked. Without the bound a thread
// packing a report file would hand its heap back and take it again, page by
// page, for every batch it packs (a booklet's save takes a fifth longer);
// with a larger one (blocks of up to 32 MiB from the heap) memory freed
// below a block still in use stays with the program, without end. What is
// freed below a live block under 128 KiB stays, as the allocator always
// keeps it. Called first in main.
void keepFreedMemory();

} // namespace pf::sys
