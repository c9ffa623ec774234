// SPDX-License-Identifier: MIT
#include "triangle.h"

#include "conversions.h"

#include <cmath>
#include <cstdint>

namespace {

// Degrees to radians: multiplied first, then divided.
double Radians(double degrees)
{
    return Checked(degrees * kPi / 180);
}

// A divisor of an area formula; zero has no quotient.
double Divisor(double value)
{
    if (value == 0.0)
        throw NoTriangle();
    return value;
}

bool Known(double value)
{
    return value != 0.0;
}

// Heron's formula. The half perimeter is the rule's working value.
double ThreeSides(double a, double b, double c)
{
    const double Hanshuu = Checked((a + b + c) / 2);
    const double product = Checked((Hanshuu - a) * Hanshuu * (Hanshuu - b) * (Hanshuu - c));
    if (product < 0)
        throw NoTriangle(); // the sides break the triangle inequality
    return std::sqrt(product);
}

// A pair of sides or of angles, by index, in the order the rules name them.
struct Rule {
    int first;
    int second;
};

} // namespace

double HasamuKaku(double a, double b, double C)
{
    return Checked(a * b * 0.5 * std::sin(Radians(C)));
}

double HasamanaiKaku(double a, double b, double A)
{
    const double r = Radians(A);
    const double f = Checked(std::sin(r) * b / a);
    // The arcsine of f, written with the arctangent: |f| >= 1 leaves no
    // positive number under the root.
    const double radicand = -f * f + 1;
    if (!(radicand > 0))
        throw NoTriangle();
    const double B = std::atan(f / std::sqrt(radicand));
    return Checked(a * b * 0.5 * std::sin(B + r));
}

double RyoutanKaku(double c, double A, double B)
{
    const std::array<double, 3> t{Radians(A + B), Radians(A), Radians(B)};
    return Checked(c * c * std::sin(t[1]) * std::sin(t[2]) * 0.5 / Divisor(std::sin(t[0])));
}

double NotRyoutanKaku(double a, double A, double B)
{
    const std::array<double, 3> t{Radians(A + B), Radians(A), Radians(B)};
    // sin(A + B) is a factor here, so angles summing to 0 give an area of 0;
    // only the sine of the angle facing the side divides.
    return Checked(a * a * std::sin(t[2]) * std::sin(t[0]) * 0.5 / Divisor(std::sin(t[1])));
}

AreaRule PickAreaRule(const std::array<double, 3>& Hen, const std::array<double, 3>& Kaku)
{
    const auto H = [&](int i) { return Known(Hen[i]); };
    const auto K = [&](int i) { return Known(Kaku[i]); };

    if (H(0) && H(1) && H(2))
        return {AreaFormula::ThreeSides, {0, 1, 2}, {}};

    // Two sides and the angle between them: the angle faces the third side.
    for (const auto [i, j] : {Rule{0, 1}, Rule{1, 2}, Rule{2, 0}}) {
        const int between = 3 - i - j;
        if (H(i) && H(j) && K(between))
            return {AreaFormula::HasamuKaku, {i, j}, {between}};
    }

    // Two sides and an angle facing one of them; that side goes first. With
    // no such angle the angle rules come next: no other pair of sides can be
    // known, or all three would have been.
    for (const auto [i, j] : {Rule{0, 1}, Rule{1, 2}, Rule{2, 0}}) {
        if (H(i) && H(j)) {
            if (K(i))
                return {AreaFormula::HasamanaiKaku, {i, j}, {i}};
            if (K(j))
                return {AreaFormula::HasamanaiKaku, {j, i}, {j}};
            break;
        }
    }

    // Two angles and a side: the side between them takes both end angles,
    // any other side its facing angle first. All three angles known: the
    // first pair decides. The lower-numbered angle of a pair always comes
    // first, which fixes the order of the factors.
    for (const auto [i, j] : {Rule{0, 1}, Rule{1, 2}, Rule{0, 2}}) {
        if (!(K(i) && K(j)))
            continue;
        const int between = 3 - i - j;
        for (int side = 0; side < 3; ++side) {
            if (!H(side))
                continue;
            if (side == between)
                return {AreaFormula::RyoutanKaku, {side}, {i, j}};
            const int other = side == i ? j : i;
            return {AreaFormula::NotRyoutanKaku, {side}, {side, other}};
        }
        return {};
    }
    return {};
}

double Keisan(const std::array<double, 3>& Hen, const std::array<double, 3>& Kaku)
{
    const AreaRule rule = PickAreaRule(Hen, Kaku);
    const auto h = [&](std::size_t k) { return Hen[static_cast<std::size_t>(rule.sides[k])]; };
    const auto a = [&](std::size_t k) { return Kaku[static_cast<std::size_t>(rule.angles[k])]; };
    switch (rule.formula) {
    case AreaFormula::ThreeSides: return ThreeSides(h(0), h(1), h(2));
    case AreaFormula::HasamuKaku: return HasamuKaku(h(0), h(1), a(0));
    case AreaFormula::HasamanaiKaku: return HasamanaiKaku(h(0), h(1), a(0));
    case AreaFormula::RyoutanKaku: return RyoutanKaku(h(0), a(0), a(1));
    case AreaFormula::NotRyoutanKaku: return NotRyoutanKaku(h(0), a(0), a(1));
    case AreaFormula::None: break;
    }
    return 0;
}

Outcome<double> Sankaku(const std::array<std::string, 3>& txtH, const std::array<std::string, 3>& txtK)
{
    std::int32_t Kuuhaku = 0;
    for (const std::string& text : txtH)
        Kuuhaku += text.empty() ? 1 : 0;
    if (Kuuhaku == 3)
        return Rejection{kNoSideMessage, {}};
    for (const std::string& text : txtK)
        Kuuhaku += text.empty() ? 1 : 0;
    if (Kuuhaku >= 4)
        return Rejection{kTooFewMessage, {}};

    std::array<double, 3> Hen{};
    std::array<double, 3> Kaku{};
    for (std::size_t i = 0; i < 3; ++i) {
        Hen[i] = ParseNumber(txtH[i]);
        Kaku[i] = ParseNumber(txtK[i]);
    }
    try {
        return Keisan(Hen, Kaku);
    } catch (const NoTriangle&) {
        return Rejection{kNoTriangleMessage, {}};
    }
}
