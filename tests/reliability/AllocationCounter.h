#pragma once
// Counts the bytes this test program holds through operator new, so that a
// test can tell how much one call asked for at its peak.

#include <cstddef>

namespace vemotest {

class AllocationCounter {
public:
    // Starts a measurement at the bytes held now.
    static void Start();
    // The most bytes held at once since Start, beyond what was held then.
    static std::size_t PeakSinceStart();
};

} // namespace vemotest
