#pragma once
// Realistic synthetic libraries for tests and benchmarks: items of all 24
// media types in proportions a collector might have, with categories,
// publishers, magazine titles, tracks, chapters, articles and recordings,
// custom fields and values, check-out histories with borrowers, pictures'
// paths and library IDs. The same options and seed give the same library.

#include <cstdint>

class CLibrary;

namespace vemotest {

struct LibraryGeneratorOptions {
    int itemCount = 1000;
    std::uint32_t seed = 1;
    bool subItems = true;
    bool customFields = true;
    bool checkOuts = true;
    bool pictures = true;
};

// Adds the items (and the categories, persons, publishers and magazine
// titles they use) to the library and the process-wide lists. With at least
// 24 items every media type gets some.
void GenerateLibrary(CLibrary& library, const LibraryGeneratorOptions& options);

} // namespace vemotest
