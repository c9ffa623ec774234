// SPDX-License-Identifier: MIT
#include "sigma.h"

#include "conversions.h"

#include <cmath>
#include <optional>

namespace {

// 32-bit steps of the partial-sum products: a step that would overflow is a
// fault, never a wrapped value.
std::int32_t Mul(std::int32_t x, std::int32_t y)
{
    std::int32_t product = 0;
    if (__builtin_mul_overflow(x, y, &product))
        throw ArithmeticFault();
    return product;
}

std::int32_t Add(std::int32_t x, std::int32_t y)
{
    std::int32_t sum = 0;
    if (__builtin_add_overflow(x, y, &sum))
        throw ArithmeticFault();
    return sum;
}

// A bound as the box gives it: its value and its nearest 32-bit integer, or
// nothing when it lies beyond the 32-bit (or even the double) range.
struct Bound {
    double value;
    std::int32_t rounded;
};

std::optional<Bound> ReadBound(const std::string& text)
{
    try {
        const double value = ParseNumber(text);
        if (const auto rounded = RoundToInt32(value))
            return Bound{value, *rounded};
    } catch (const ArithmeticFault&) {
    }
    return std::nullopt;
}

} // namespace

double jou1(const std::int32_t& n)
{
    return static_cast<double>(Mul(Add(n, 1), n)) * 0.5;
}

double jou2(const std::int32_t& n)
{
    return static_cast<double>(Mul(Mul(Add(n, 1), n), Add(Mul(n, 2), 1))) / 6;
}

double jou3(const std::int32_t& n)
{
    return static_cast<double>(Mul(Mul(Mul(n, n), Add(n, 1)), Add(n, 1))) * 0.25;
}

double Keisan(const std::array<std::int32_t, 2>& Hani, const std::array<double, 4>& Keisuu)
{
    const std::int32_t F = Hani[0];
    const std::int32_t L = Hani[1];
    const double a3 = Keisuu[0], a2 = Keisuu[1], a1 = Keisuu[2], a0 = Keisuu[3];

    const double U3 = jou3(L);
    const double U2 = jou2(L);
    const double U1 = jou1(L);
    if (F == 0) {
        // The lone a0 is the term for K = 0, where every power of K vanishes.
        return Checked(U3 * a3 + a0 + U2 * a2 + U1 * a1 + L * a0);
    }
    const std::int32_t before = F - 1; // F >= 1 here
    const double D3 = jou3(before);
    const double D2 = jou2(before);
    const double D1 = jou1(before);
    return Checked(U2 * a2 + U3 * a3 + U1 * a1 + L * a0 - D3 * a3 - D2 * a2 - D1 * a1 - before * a0);
}

Outcome<double> Siguma(const std::string& first, const std::string& last, const std::array<std::string, 4>& keisuu)
{
    const auto firstBound = ReadBound(first);
    if (!firstBound)
        return Rejection{kFirstRangeMessage, SigmaInput::First};
    const auto lastBound = ReadBound(last);
    if (!lastBound)
        return Rejection{kLastRangeMessage, SigmaInput::Last};
    const std::array<std::int32_t, 2> Hani{firstBound->rounded, lastBound->rounded};

    std::array<double, 4> Keisuu{};
    for (std::size_t i = 0; i < Keisuu.size(); ++i)
        Keisuu[i] = ParseNumber(keisuu[i]);

    // The fraction tests come first, so "-1.5" is refused as a fraction.
    if (std::abs(firstBound->value - Hani[0]) > 0)
        return Rejection{kFirstFractionMessage, SigmaInput::First};
    if (std::abs(lastBound->value - Hani[1]) > 0)
        return Rejection{kLastFractionMessage, SigmaInput::Last};
    if (Hani[0] < 0)
        return Rejection{kFirstNegativeMessage, SigmaInput::First};
    if (Hani[1] < 0)
        return Rejection{kLastNegativeMessage, SigmaInput::Last};
    if (Hani[1] < Hani[0])
        return Rejection{kReversedMessage, SigmaInput::First};
    if (Hani[1] > kLargestLast)
        return Rejection{kLastLimitMessage, SigmaInput::Last};

    return Keisan(Hani, Keisuu);
}
