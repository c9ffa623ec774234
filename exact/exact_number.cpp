// SPDX-License-Identifier: MIT
#include "exact_number.h"

#include <algorithm>
#include <cmath>

// ---------------------------------------------------------------- integers and rationals

Integer::Integer(std::string_view digits)
{
    fmpz_set_str(get(), std::string(digits).c_str(), 10);
}

std::string Integer::text() const
{
    const std::unique_ptr<char, void (*)(void*)> s(fmpz_get_str(nullptr, 10, get()), flint_free);
    return s.get();
}

long Rational::bits() const
{
    return std::max(fmpz_bits(fmpq_numref(get())), fmpz_bits(fmpq_denref(get())));
}

namespace {

// The result of a FLINT or Calcium operation r = op(args…), in a new owner.
template<class Number, class Operation, class... Args> Number Result(Operation operation, const Args&... args)
{
    Number r;
    operation(r.get(), args.get()...);
    return r;
}

} // namespace

Rational operator+(const Rational& a, const Rational& b)
{
    return Result<Rational>(fmpq_add, a, b);
}

Rational operator-(const Rational& a, const Rational& b)
{
    return Result<Rational>(fmpq_sub, a, b);
}

Rational operator*(const Rational& a, const Rational& b)
{
    return Result<Rational>(fmpq_mul, a, b);
}

Rational operator/(const Rational& a, const Rational& b)
{
    return Result<Rational>(fmpq_div, a, b);
}

Rational operator-(const Rational& a)
{
    return Result<Rational>(fmpq_neg, a);
}

// ---------------------------------------------------------------- algebraic numbers

Integer Algebraic::coefficient(long k) const
{
    Integer c;
    fmpz_poly_get_coeff_fmpz(c.get(), &get()->poly, k);
    return c;
}

std::optional<Rational> Algebraic::rational() const
{
    if (!qqbar_is_rational(get()))
        return std::nullopt;
    return Result<Rational>(qqbar_get_fmpq, *this);
}

Algebraic operator+(const Algebraic& a, const Algebraic& b)
{
    return Result<Algebraic>(qqbar_add, a, b);
}

Algebraic operator-(const Algebraic& a, const Algebraic& b)
{
    return Result<Algebraic>(qqbar_sub, a, b);
}

Algebraic operator*(const Algebraic& a, const Algebraic& b)
{
    return Result<Algebraic>(qqbar_mul, a, b);
}

Algebraic operator/(const Algebraic& a, const Algebraic& b)
{
    return Result<Algebraic>(qqbar_div, a, b);
}

Algebraic operator-(const Algebraic& a)
{
    return Result<Algebraic>(qqbar_neg, a);
}

Algebraic operator*(const Algebraic& a, const Rational& k)
{
    return Result<Algebraic>(qqbar_mul_fmpq, a, k);
}

Algebraic operator+(const Algebraic& a, const Rational& q)
{
    return Result<Algebraic>(qqbar_add_fmpq, a, q);
}

Algebraic Sqrt(const Algebraic& x)
{
    return Result<Algebraic>(qqbar_sqrt, x);
}

Algebraic SinPi(const Rational& x)
{
    Algebraic r;
    qqbar_sin_pi(r.get(), fmpz_get_si(fmpq_numref(x.get())), fmpz_get_ui(fmpq_denref(x.get())));
    return r;
}

Algebraic CosPi(const Rational& x)
{
    Algebraic r;
    qqbar_cos_pi(r.get(), fmpz_get_si(fmpq_numref(x.get())), fmpz_get_ui(fmpq_denref(x.get())));
    return r;
}

Algebraic RealPart(const Algebraic& x)
{
    return Result<Algebraic>(qqbar_re, x);
}

Algebraic ImaginaryPart(const Algebraic& x)
{
    return Result<Algebraic>(qqbar_im, x);
}

Algebraic FromParts(const Algebraic& re, const Algebraic& im)
{
    return Result<Algebraic>(qqbar_set_re_im, re, im);
}

std::optional<Complex> Nearest(const Algebraic& x)
{
    Flint<acb_struct> z;
    qqbar_get_acb(z.get(), x.get(), 64);
    return Nearest(z.get());
}

std::optional<Complex> Nearest(const acb_struct* z)
{
    const Complex c{
        arf_get_d(arb_midref(acb_realref(z)), ARF_RND_NEAR), arf_get_d(arb_midref(acb_imagref(z)), ARF_RND_NEAR)};
    if (!std::isfinite(c.re) || !std::isfinite(c.im))
        return std::nullopt;
    return c;
}

std::vector<Algebraic> RootsOf(const fmpz_poly_struct* p)
{
    FlintVector<qqbar_struct> roots(static_cast<std::size_t>(fmpz_poly_degree(p)));
    qqbar_roots_fmpz_poly(roots.data(), p, 0);
    return roots.takeAll<Algebraic>();
}

std::vector<Algebraic> RootsOfIrreducible(const fmpz_poly_struct* p)
{
    FlintVector<qqbar_struct> roots(static_cast<std::size_t>(fmpz_poly_degree(p)));
    qqbar_roots_fmpz_poly(roots.data(), p, QQBAR_ROOTS_IRREDUCIBLE);
    return roots.takeAll<Algebraic>();
}

std::vector<Algebraic> Conjugates(const Algebraic& x)
{
    FlintVector<qqbar_struct> conjugates(static_cast<std::size_t>(x.degree()));
    qqbar_conjugates(conjugates.data(), x.get());
    return conjugates.takeAll<Algebraic>();
}
