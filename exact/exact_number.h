// SPDX-License-Identifier: MIT
#pragma once

// The library's numbers: integers and rationals of any size (FLINT) and
// algebraic numbers (Calcium), owned through Flint<T>, with the operations the
// calculators and the tests need. The other files of the library and the
// tests speak of numbers in these words.

#include "complex.h"
#include "flint_owner.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// An arbitrary-size integer.
class Integer : public Flint<fmpz> {
public:
    Integer() = default;
    Integer(long n) { fmpz_set_si(get(), n); }
    // From ASCII decimal digits, at least one and nothing else.
    explicit Integer(std::string_view digits);
    std::string text() const;
    friend bool operator==(const Integer& a, const Integer& b) { return fmpz_equal(a.get(), b.get()); }
    friend bool operator<(const Integer& a, const Integer& b) { return fmpz_cmp(a.get(), b.get()) < 0; }
};

// An exact rational number; the arithmetic is exact.
class Rational : public Flint<fmpq> {
public:
    Rational() = default;
    Rational(long n, long d = 1) { fmpq_set_si(get(), n, static_cast<ulong>(d)); }
    // n / d; d must not be zero.
    Rational(const Integer& n, const Integer& d) { fmpq_set_fmpz_frac(get(), n.get(), d.get()); }
    explicit Rational(const Integer& n) { fmpq_set_fmpz_frac(get(), n.get(), Integer(1).get()); }
    // In lowest terms, the denominator positive.
    Integer numerator() const
    {
        Integer n;
        fmpz_set(n.get(), fmpq_numref(get()));
        return n;
    }
    Integer denominator() const
    {
        Integer d;
        fmpz_set(d.get(), fmpq_denref(get()));
        return d;
    }
    // As words write it: "3", "-3", "2/3".
    std::string text() const
    {
        return isInteger() ? numerator().text() : numerator().text() + "/" + denominator().text();
    }
    bool isZero() const { return fmpq_is_zero(get()); }
    bool isInteger() const { return fmpz_is_one(fmpq_denref(get())); }
    // −1, 0 or 1.
    int sign() const { return fmpq_sgn(get()); }
    // The larger of the bit sizes of numerator and denominator.
    long bits() const;
    friend Rational operator+(const Rational& a, const Rational& b);
    friend Rational operator-(const Rational& a, const Rational& b);
    friend Rational operator*(const Rational& a, const Rational& b);
    // b must not be zero.
    friend Rational operator/(const Rational& a, const Rational& b);
    friend Rational operator-(const Rational& a);
    friend bool operator==(const Rational& a, const Rational& b) { return fmpq_equal(a.get(), b.get()); }
    friend Rational Abs(const Rational& q) { return q.sign() < 0 ? -q : q; }
};

// An exact algebraic number (complex in general), kept as its minimal
// polynomial and an isolating enclosure of the root.
class Algebraic : public Flint<qqbar_struct> {
public:
    Algebraic() = default;
    explicit Algebraic(const Integer& n) { qqbar_set_fmpz(get(), n.get()); }
    explicit Algebraic(const Rational& q) { qqbar_set_fmpq(get(), q.get()); }
    long degree() const { return qqbar_degree(get()); }
    bool isReal() const { return qqbar_is_real(get()); }
    bool isZero() const { return qqbar_is_zero(get()); }
    // The sign of the real part: −1, 0 or 1.
    int realSign() const { return qqbar_sgn_re(get()); }
    // The bit size of the largest coefficient of the minimal polynomial.
    long heightBits() const { return qqbar_height_bits(get()); }
    // The coefficient of x^k in the minimal polynomial (integer coefficients,
    // positive leading one).
    Integer coefficient(long k) const;
    // The number itself when it is rational.
    std::optional<Rational> rational() const;
    friend Algebraic operator+(const Algebraic& a, const Algebraic& b);
    friend Algebraic operator-(const Algebraic& a, const Algebraic& b);
    friend Algebraic operator*(const Algebraic& a, const Algebraic& b);
    // b must not be zero.
    friend Algebraic operator/(const Algebraic& a, const Algebraic& b);
    friend Algebraic operator-(const Algebraic& a);
    // Scaling and shifting by a rational.
    friend Algebraic operator*(const Algebraic& a, const Rational& k);
    friend Algebraic operator*(const Rational& k, const Algebraic& a) { return a * k; }
    friend Algebraic operator+(const Algebraic& a, const Rational& q);
    friend bool operator==(const Algebraic& a, const Algebraic& b) { return qqbar_equal(a.get(), b.get()); }
};

// The principal square root: the one with positive real part, or i√|x| for
// a negative real x.
Algebraic Sqrt(const Algebraic& x);

// sin(π·x) and cos(π·x) for a rational x whose numerator and denominator fit
// in a long. Their degree grows with the denominator: the library asks only
// for multiples of π/12, the tests for whole degrees.
Algebraic SinPi(const Rational& x);
Algebraic CosPi(const Rational& x);

// The real and imaginary parts, and the number re + i·im from them.
Algebraic RealPart(const Algebraic& x);
Algebraic ImaginaryPart(const Algebraic& x);
Algebraic FromParts(const Algebraic& re, const Algebraic& im);

// The doubles nearest the real and imaginary parts, within a 64-bit
// enclosure; nothing when a part lies beyond the double range.
std::optional<Complex> Nearest(const Algebraic& x);
// The doubles nearest the midpoint of a ball of Arb's; nothing beyond the
// double range.
std::optional<Complex> Nearest(const acb_struct* z);

// The roots of a polynomial with integer coefficients, each as often as its
// multiplicity, in Calcium's order (real roots first, from the largest).
std::vector<Algebraic> RootsOf(const fmpz_poly_struct* p);
// The same for a polynomial known to be irreducible, without factoring it.
std::vector<Algebraic> RootsOfIrreducible(const fmpz_poly_struct* p);
// x and the other roots of its minimal polynomial.
std::vector<Algebraic> Conjugates(const Algebraic& x);
