// SPDX-License-Identifier: MIT
#pragma once

// Arithmetic on the Gaussian rationals a + bi the equation steps compute
// with: exact, small, shared by the quadratic, the factor theorem and the
// cubic.

#include "exact_value_api.h"
#include "worked_steps.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

inline GaussianRational operator+(const GaussianRational& a, const GaussianRational& b)
{
    return {a.re + b.re, a.im + b.im};
}
inline GaussianRational operator-(const GaussianRational& a, const GaussianRational& b)
{
    return {a.re - b.re, a.im - b.im};
}
inline GaussianRational operator*(const GaussianRational& a, const GaussianRational& b)
{
    return {a.re * b.re - a.im * b.im, a.re * b.im + a.im * b.re};
}
inline GaussianRational operator-(const GaussianRational& a)
{
    return {-a.re, -a.im};
}
// b must not be zero.
inline GaussianRational operator/(const GaussianRational& a, const GaussianRational& b)
{
    const Rational norm = b.re * b.re + b.im * b.im;
    const GaussianRational product = a * GaussianRational{b.re, -b.im};
    return {product.re / norm, product.im / norm};
}
inline bool operator==(const GaussianRational& a, const GaussianRational& b)
{
    return a.re == b.re && a.im == b.im;
}
inline bool IsZero(const GaussianRational& z)
{
    return z.re.isZero() && z.im.isZero();
}
inline GaussianRational Real(const Rational& q)
{
    return {q, {}};
}
inline bool IsRealPolynomial(const std::vector<GaussianRational>& p)
{
    for (const GaussianRational& c : p)
        if (!c.im.isZero())
            return false;
    return true;
}

// The coefficients as typed, highest power first; nothing when a box cannot
// be read exactly.
std::optional<std::vector<GaussianRational>> ReadCoefficients(const std::vector<CoefficientBoxes>& keisuu);

// The number of distinct roots of p (highest power first, p[0] ≠ 0).
std::size_t DistinctRootCount(const std::vector<GaussianRational>& p);

// The one-line text of a number for words around formulas: "2", "-1/2",
// "1 + 2i", "-3i/2".
std::string TextOf(const GaussianRational& z);

// The factor x − r of a root: "x - 2", "x + 1/2", "x", "x - 2i",
// "x - (1 + 2i)"; items to be put in a row.
MathNode RootFactor(const GaussianRational& r, const std::string& v = "x");

// The name applied to a variable or a value: "P(x)", "P(1 + 2i)".
MathNode Applied(const std::string& name, MathNode argument);

// The factor theorem's opening on p (Gaussian integer coefficients, highest
// power first) named `name`: the candidates for a rational root (for real
// coefficients) and, when none of them is a root, that none is. For the
// cubic without a rational root.
std::vector<Step> CandidateSteps(const std::vector<GaussianRational>& p, const std::string& name, bool found);

// p made integral: the lcm of its coefficients' denominators, and p times it.
struct Integral {
    Integer scale;
    std::vector<GaussianRational> p;
};
Integral MadeIntegral(const std::vector<GaussianRational>& p);

// Polynomials whose coefficients, made integers, are larger than this (in
// bits) are not factored: the steps give the answer alone. A box's number
// has at most about 1000 bits; clearing the denominators of 1e-300 beside
// 1e300 doubles that.
inline constexpr long kMaxFactorBits = 4200;
// The largest bit size of the parts of p's coefficients.
long Bits(const std::vector<GaussianRational>& p);
