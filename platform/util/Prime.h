#pragma once
// Prime numbers for sizing hash tables.

class CPrime {
public:
    static bool IsPrime(unsigned int n);
    // The smallest prime at or above n (2 for n below 2; above the largest
    // 32-bit prime, 4294967291, that prime).
    static unsigned int GetNextPrime(unsigned int n);
};
