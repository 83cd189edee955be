#pragma once
// How the program keeps the memory it frees.

namespace pf::sys {

// Memory the program frees stays with it for its next use (up to some tens
// of megabytes) rather than going back to the system at once, and blocks
// under 32 MiB come from its own heap: a booklet built or laid out again
// would otherwise touch the same memory afresh, page by page, and take
// longer the more the system has to hand it back. Called first in main.
void keepFreedMemory();

} // namespace pf::sys
