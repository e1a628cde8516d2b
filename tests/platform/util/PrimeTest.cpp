#include "platform/util/Prime.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

namespace {

TEST(Prime, IsPrimeAndNextPrime)
{
    const unsigned int primes[] = { 2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37, 41, 43, 47 };
    unsigned int next = 0;
    for (unsigned int n = 0; n <= 47; ++n) {
        bool expected = std::find(std::begin(primes), std::end(primes), n) != std::end(primes);
        EXPECT_EQ(CPrime::IsPrime(n), expected) << n;
        while (primes[next] < n)
            ++next;
        EXPECT_EQ(CPrime::GetNextPrime(n), primes[next]) << n;
    }
    EXPECT_FALSE(CPrime::IsPrime(25));
    EXPECT_FALSE(CPrime::IsPrime(65521u * 65521u));
    EXPECT_TRUE(CPrime::IsPrime(4294967291u));
    EXPECT_FALSE(CPrime::IsPrime(4294967295u));
    EXPECT_EQ(CPrime::GetNextPrime(1000), 1009u);
    EXPECT_EQ(CPrime::GetNextPrime(4294967290u), 4294967291u);
    EXPECT_EQ(CPrime::GetNextPrime(4294967295u), 4294967291u);
}

} // namespace
