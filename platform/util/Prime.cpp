#include "platform/util/Prime.h"

namespace {

// The largest prime an unsigned 32-bit value holds.
constexpr unsigned int kLargestPrime = 4294967291u;

} // namespace

bool CPrime::IsPrime(unsigned int n)
{
    if (n < 2)
        return false;
    if (n < 4)
        return true;
    if (n % 2 == 0 || n % 3 == 0)
        return false;
    // 64-bit square so that the test cannot overflow near the top of the range.
    for (unsigned long long d = 5; d * d <= n; d += 6)
        if (n % d == 0 || n % (d + 2) == 0)
            return false;
    return true;
}

unsigned int CPrime::GetNextPrime(unsigned int n)
{
    if (n <= 2)
        return 2;
    if (n > kLargestPrime)
        return kLargestPrime;
    unsigned int candidate = n | 1u;
    while (!IsPrime(candidate))
        candidate += 2;
    return candidate;
}
