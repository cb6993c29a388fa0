#pragma once
// The real program started as a player starts it, in a process of its own.

#include "support/TempFolder.h"

#include <string>
#include <sys/types.h>

namespace corvanta::test {

// The real program, a copy in `folder`, on the data and settings folders there
// (folder/data, folder/config), with `folder` as its home.
pid_t StartProgram(const TempFolder& folder);

// The child's exit status, or a failure with the child killed when it does not end within
// 20 seconds: a game that no longer ends must not hold up the tests.
int WaitForTheEnd(pid_t child);

} // namespace corvanta::test
