#pragma once
// What every fuzz target shares: a quiet, private environment and the check
// that stops the run when a property does not hold.

#include <cstdio>
#include <cstdlib>

namespace vemofuzz {

// Points the data and settings folders at a private temporary folder (a
// reader must never touch the real home) once per process, and drops the
// log lines that pile up in memory over millions of runs.
void Prepare();

[[noreturn]] inline void Fail(const char* what)
{
    std::fprintf(stderr, "property violated: %s\n", what);
    std::abort();
}

} // namespace vemofuzz
