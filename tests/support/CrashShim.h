#pragma once
// A crash at a chosen moment, for a child process made by fork(): once
// installed as SQLite's default file system, the process ends with _exit
// right after its n-th sync or delete of a file, as a crash or a power cut
// at that moment would. Code with steps of its own (a rename) counts them
// through step().
namespace testsupport::crash {

// Exit codes of the child.
constexpr int kKilled = 41; // ended at the chosen step
constexpr int kDone = 42;   // the work finished first
constexpr int kFailed = 43; // the work failed

void install(int limit);
// Counts one step; ends the process at the chosen one.
void step();

} // namespace testsupport::crash
