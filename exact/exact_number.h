// SPDX-License-Identifier: MIT
#pragma once

// The library's inside: owning wrappers of FLINT's rationals and Calcium's
// algebraic numbers, the exact reading of a box's text, the surd form of a
// real algebraic number and its canonical text (see exact_text.h), and the
// time limit. The screens use the other headers; the tests use this one too.

#include "exact_text.h"
#include "qqbar_decls.h"

#include <chrono>
#include <flint/fmpq.h>
#include <flint/fmpz.h>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// An arbitrary-size integer.
class Integer {
public:
    Integer() { fmpz_init(v_); }
    Integer(long n) { fmpz_init_set_si(v_, n); }
    Integer(const Integer& o) { fmpz_init_set(v_, o.v_); }
    Integer& operator=(const Integer& o)
    {
        fmpz_set(v_, o.v_);
        return *this;
    }
    ~Integer() { fmpz_clear(v_); }
    fmpz* get() { return v_; }
    const fmpz* get() const { return v_; }
    friend bool operator==(const Integer& a, const Integer& b) { return fmpz_equal(a.v_, b.v_); }
    friend bool operator<(const Integer& a, const Integer& b) { return fmpz_cmp(a.v_, b.v_) < 0; }
    std::string text() const;

private:
    fmpz_t v_;
};

// An exact rational number; the arithmetic is exact.
class Rational {
public:
    Rational() { fmpq_init(v_); }
    Rational(long n, long d = 1)
    {
        fmpq_init(v_);
        fmpq_set_si(v_, n, static_cast<ulong>(d));
    }
    Rational(const Rational& o)
    {
        fmpq_init(v_);
        fmpq_set(v_, o.v_);
    }
    Rational& operator=(const Rational& o)
    {
        fmpq_set(v_, o.v_);
        return *this;
    }
    ~Rational() { fmpq_clear(v_); }
    fmpq* get() { return v_; }
    const fmpq* get() const { return v_; }
    bool isZero() const { return fmpq_is_zero(v_); }
    // The larger of the bit sizes of numerator and denominator.
    long bits() const;
    friend Rational operator+(const Rational& a, const Rational& b);
    friend Rational operator-(const Rational& a, const Rational& b);
    friend Rational operator*(const Rational& a, const Rational& b);
    // b must not be zero.
    friend Rational operator/(const Rational& a, const Rational& b);
    friend Rational operator-(const Rational& a);
    friend bool operator==(const Rational& a, const Rational& b) { return fmpq_equal(a.v_, b.v_); }

private:
    fmpq_t v_;
};

// An exact algebraic number (complex in general), kept as its minimal
// polynomial and an isolating enclosure of the root.
class Algebraic {
public:
    Algebraic() { qqbar_init(v_); }
    explicit Algebraic(const Rational& q)
    {
        qqbar_init(v_);
        qqbar_set_fmpq(v_, q.get());
    }
    Algebraic(const Algebraic& o)
    {
        qqbar_init(v_);
        qqbar_set(v_, o.v_);
    }
    Algebraic& operator=(const Algebraic& o)
    {
        qqbar_set(v_, o.v_);
        return *this;
    }
    ~Algebraic() { qqbar_clear(v_); }
    qqbar_struct* get() { return v_; }
    const qqbar_struct* get() const { return v_; }
    long degree() const { return qqbar_degree(v_); }
    bool isReal() const { return qqbar_is_real(v_); }
    friend Algebraic operator+(const Algebraic& a, const Algebraic& b);
    friend Algebraic operator-(const Algebraic& a, const Algebraic& b);
    friend Algebraic operator*(const Algebraic& a, const Algebraic& b);
    // b must not be zero.
    friend Algebraic operator/(const Algebraic& a, const Algebraic& b);
    friend bool operator==(const Algebraic& a, const Algebraic& b) { return qqbar_equal(a.v_, b.v_); }

private:
    qqbar_t v_;
};

// √n for an integer n (i√|n| for a negative one).
Algebraic SquareRoot(const Integer& n);

// The number a box's text spells under ParseNumber's reading rule, exactly;
// nothing when its digits or its magnitude go beyond kMaxReadOrder places
// (such a text faults or underflows in the decimal reading anyway).
inline constexpr long kMaxReadOrder = 400;
std::optional<Rational> ReadExact(std::string_view boxText);

// c₁√m₁ + c₂√m₂ + … as rational coefficients of distinct square-free m ≥ 1 in
// increasing order, with no zero coefficient; zero has no terms.
struct SurdTerm {
    Rational c;
    Integer m;
};
using SurdForm = std::vector<SurdTerm>;

// The surd form of a real algebraic number, found for degree 1, 2 and 4 and
// always checked exactly against the number; nothing when there is none or it
// was not found.
std::optional<SurdForm> ToSurdForm(const Algebraic& x);
Algebraic FromSurdForm(const SurdForm& form);
// The canonical text of a surd form, whatever its length.
std::string CanonicalText(const SurdForm& form);
// The canonical text of a real algebraic number within kMaxExactLength, or
// nothing.
ExactText ExactTextOf(const Algebraic& x);
ExactText ExactTextOf(const Rational& q);
// The number a canonical text stands for; nothing for a text that is not one.
std::optional<Algebraic> ParseCanonical(std::string_view text);

// The time limit of one screen's exact calculation, checked between steps.
// FLINT's own steps cannot be interrupted; the size guards keep each short.
class Deadline {
public:
    explicit Deadline(std::chrono::milliseconds budget)
        : end_(std::chrono::steady_clock::now() + budget)
    {
    }
    bool passed() const { return std::chrono::steady_clock::now() >= end_; }

private:
    std::chrono::steady_clock::time_point end_;
};

// The time each screen's exact calculation may take before it gives up.
inline constexpr std::chrono::milliseconds kExactBudget{60};
