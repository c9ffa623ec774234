// SPDX-License-Identifier: MIT
#include "exact_sigma.h"

#include "exact_reading.h"
#include "exact_value_api.h"
#include "surd_form.h"

namespace {

// Σ K^p for K = 1..n as polynomials in n, which also hold for n = 0 and
// n = −1 (both give 0, except n for p = 0), so F(last) − F(first − 1) is the
// sum over first..last for any first ≤ last.
std::array<Rational, 4> PowerSums(long bound)
{
    const Rational n(bound);
    const Rational half = n * (n + Rational(1)) / Rational(2);
    return {half * half, half * (Rational(2) * n + Rational(1)) / Rational(3), half, n};
}

} // namespace

std::optional<Rational> ExactSigmaValue(std::int32_t first, std::int32_t last, const std::array<Rational, 4>& a)
{
    if (first > last)
        return std::nullopt;
    const auto upper = PowerSums(last);
    const auto lower = PowerSums(static_cast<long>(first) - 1);
    Rational sum;
    for (std::size_t p = 0; p < a.size(); ++p)
        sum = sum + a[p] * (upper[p] - lower[p]);
    return sum;
}

ExactText ExactSigma(std::int32_t first, std::int32_t last, const std::array<std::string, 4>& keisuu)
{
    std::array<Rational, 4> a;
    for (std::size_t p = 0; p < a.size(); ++p) {
        const auto q = ReadExact(keisuu[p]);
        if (!q)
            return std::nullopt;
        a[p] = *q;
    }
    const auto sum = ExactSigmaValue(first, last, a);
    return sum ? ExactTextOf(*sum) : std::nullopt;
}
