#pragma once
// What the benchmarks that print their own tables share.

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

namespace vemobench {

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

} // namespace vemobench
