// SPDX-License-Identifier: MIT
#pragma once

// Arithmetic on the Gaussian rationals a + bi the equation steps compute
// with: exact, small, shared by the quadratic, the factor theorem and the
// cubic.

#include "exact_value_api.h"

#include <cstddef>
#include <optional>
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
