#pragma once
// What the benchmark programs share: a clock, a timed library load, the
// plain buffered read of a whole file that loads are measured against, and
// for the benchmarks that print their own tables the median and the load.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "data/store/Library.h"
#include "data/store/LibraryFile.h"

namespace vemobench {

using Clock = std::chrono::steady_clock;

inline double Seconds(Clock::time_point from)
{
    return std::chrono::duration<double>(Clock::now() - from).count();
}

// Reads the file into bytes (cleared first; its room is kept, so a second
// read into the same string faults no new pages); returns the seconds taken.
inline double RawRead(const std::string& path, std::string& bytes)
{
    const auto start = Clock::now();
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return 0.0;
    bytes.clear();
    char buffer[1 << 16];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        bytes.append(buffer, n);
    std::fclose(f);
    return Seconds(start);
}

// The fastest of several warm reads: the limit a load is measured against,
// steadier than any one read on a machine whose memory speed wanders.
inline double BestRead(const std::string& path, std::string& bytes, int reads = 5)
{
    RawRead(path, bytes); // into the page cache, and room for the reads timed
    double best = RawRead(path, bytes);
    for (int i = 1; i < reads; ++i)
        best = std::min(best, RawRead(path, bytes));
    return best;
}

// Seconds taken to read the library file at path into library; negative
// (error set) when it could not be read.
inline double LoadSeconds(CLibrary& library, const std::string& path, CString& error)
{
    bool converted = false;
    const auto start = Clock::now();
    if (!CLibraryFile::Read(library, path, converted, error))
        return -1.0;
    return Seconds(start);
}

// The middle value (of an even count, the upper middle).
inline double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

// The machine's load, printed beside the figures: other work on it slows
// both sides of a ratio.
inline std::string LoadAverage()
{
    std::ifstream file("/proc/loadavg");
    std::string one, five, fifteen;
    file >> one >> five >> fifteen;
    return one + " " + five + " " + fifteen;
}

// Milliseconds since from.
inline double Ms(Clock::time_point from)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - from).count();
}

} // namespace vemobench
