// SPDX-License-Identifier: MIT
#include "exact_triangle.h"

#include "conversions.h"
#include "exact_reading.h"
#include "exact_value_api.h"
#include "outcome.h"
#include "surd_form.h"
#include "triangle.h"

namespace {

// An angle of k·15°, its sine and cosine; nothing for any other angle.
struct Angle {
    Rational degrees;
    Algebraic sin;
    Algebraic cos;
};

std::optional<Angle> ExactAngle(const Rational& degrees)
{
    const Rational steps = degrees / Rational(15);
    if (!steps.isInteger() || !fmpz_fits_si(fmpq_numref(steps.get())))
        return std::nullopt;
    // k·15° is k/12 of a half turn; k mod 24 gives the same sine and cosine.
    const Rational halfTurns(static_cast<long>(fmpz_fdiv_ui(fmpq_numref(steps.get()), 24)), 12);
    return Angle{degrees, SinPi(halfTurns), CosPi(halfTurns)};
}

std::optional<Algebraic> PositiveRoot(const Algebraic& x)
{
    if (!x.isReal() || x.realSign() < 0)
        return std::nullopt;
    return Sqrt(x);
}

std::optional<Algebraic> Heron(const Rational& a, const Rational& b, const Rational& c)
{
    const Rational s = (a + b + c) / Rational(2);
    return PositiveRoot(Algebraic(s * (s - a) * (s - b) * (s - c)));
}

// Side a faces angle A, the acute angle B faces b: sin B = b·sin A / a, and
// the area is a·b/2 · sin(A + B).
std::optional<Algebraic> HasamanaiKakuExact(const Rational& a, const Rational& b, const Angle& angleA)
{
    const Algebraic sinB = angleA.sin * (b / a);
    const auto cosB = PositiveRoot(Algebraic(Rational(1)) - sinB * sinB);
    if (!cosB)
        return std::nullopt;
    return (sinB * angleA.cos + *cosB * angleA.sin) * (a * b / Rational(2));
}

Angle SumOf(const Angle& a, const Angle& b)
{
    return {a.degrees + b.degrees, a.sin * b.cos + a.cos * b.sin, a.cos * b.cos - a.sin * b.sin};
}

} // namespace

std::optional<Algebraic> ExactTriangleValue(
    const std::array<std::string, 3>& txtH, const std::array<std::string, 3>& txtK)
{
    // The rule table decides on the decimal values, so they are read as the
    // screen reads them. A number beyond the double range is an arithmetic
    // fault there, which the screen reports before it asks for the exact
    // area; called on such boxes directly, this function has no area to give.
    std::array<double, 3> Hen{}, Kaku{};
    try {
        for (std::size_t i = 0; i < 3; ++i) {
            Hen[i] = ParseNumber(txtH[i]);
            Kaku[i] = ParseNumber(txtK[i]);
        }
    } catch (const ArithmeticFault&) {
        return std::nullopt;
    }
    const AreaRule rule = PickAreaRule(Hen, Kaku);
    if (rule.formula == AreaFormula::None)
        return Algebraic();

    std::vector<Rational> h;
    for (const int i : rule.sides) {
        const auto q = ReadExact(txtH[static_cast<std::size_t>(i)]);
        if (!q)
            return std::nullopt;
        h.push_back(*q);
    }
    std::vector<Angle> k;
    for (const int i : rule.angles) {
        const auto q = ReadExact(txtK[static_cast<std::size_t>(i)]);
        const auto angle = q ? ExactAngle(*q) : std::nullopt;
        if (!angle)
            return std::nullopt;
        k.push_back(*angle);
    }

    switch (rule.formula) {
    case AreaFormula::ThreeSides: return Heron(h[0], h[1], h[2]);
    case AreaFormula::HasamuKaku: return k[0].sin * (h[0] * h[1] / Rational(2));
    case AreaFormula::HasamanaiKaku: return HasamanaiKakuExact(h[0], h[1], k[0]);
    case AreaFormula::RyoutanKaku: {
        const Angle sum = SumOf(k[0], k[1]);
        if (sum.sin.isZero())
            return std::nullopt;
        return k[0].sin * k[1].sin / sum.sin * (h[0] * h[0] / Rational(2));
    }
    case AreaFormula::NotRyoutanKaku: {
        if (k[0].sin.isZero())
            return std::nullopt;
        const Angle sum = SumOf(k[0], k[1]);
        return k[1].sin * sum.sin / k[0].sin * (h[0] * h[0] / Rational(2));
    }
    case AreaFormula::None: break;
    }
    return std::nullopt;
}

ExactText ExactTriangleArea(const std::array<std::string, 3>& txtH, const std::array<std::string, 3>& txtK)
{
    const auto area = ExactTriangleValue(txtH, txtK);
    return area ? ExactTextOf(*area) : std::nullopt;
}
