#pragma once
// An exact non-negative fraction, for the analysis's figures: paybacks, probabilities and
// returns are counts of equally likely draws over their number.

#include <cstdint>
#include <numeric>

namespace corvanta {

struct Fraction {
    std::uint64_t numerator = 0;
    std::uint64_t denominator = 1;

    Fraction Reduced() const {
        const std::uint64_t divisor = std::gcd(numerator, denominator);
        return divisor == 0 ? *this : Fraction{numerator / divisor, denominator / divisor};
    }
    double Value() const {
        return static_cast<double>(static_cast<long double>(numerator) / denominator);
    }
    friend bool operator==(const Fraction& a, const Fraction& b) {
        const Fraction x = a.Reduced();
        const Fraction y = b.Reduced();
        return x.numerator == y.numerator && x.denominator == y.denominator;
    }
};

} // namespace corvanta
