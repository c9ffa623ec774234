// SPDX-License-Identifier: MIT
#include "exact_equations.h"

#include "exact_values.h"

#include <algorithm>
#include <cmath>
#include <flint/fmpz_poly_factor.h>
#include <numeric>

namespace {

// Coefficients larger than this (numerator or denominator, in bits) make the
// roots too slow to isolate within the time limit, and their texts far too
// long for a label anyway.
constexpr long kMaxCoefficientBits = 1200;
// Roots of higher degree over the rationals are not taken apart into real and
// imaginary parts: that alone can exceed the time limit, and a part of a
// root of degree 8 rarely has a short text.
constexpr long kMaxSplitDegree = 4;

// ------------------------------------------------------------ Gaussian rationals

using Gaussian = GaussianRational;

Gaussian operator-(const Gaussian& a, const Gaussian& b)
{
    return {a.re - b.re, a.im - b.im};
}
Gaussian operator*(const Gaussian& a, const Gaussian& b)
{
    return {a.re * b.re - a.im * b.im, a.re * b.im + a.im * b.re};
}
bool IsZero(const Gaussian& a)
{
    return a.re.isZero() && a.im.isZero();
}
// a must not be zero.
Gaussian Inverse(const Gaussian& a)
{
    const Rational norm = a.re * a.re + a.im * a.im;
    return {a.re / norm, -a.im / norm};
}

// Polynomials over the Gaussian rationals, coefficient k of x^k at index k,
// with no zero leading coefficient.
using GaussianPoly = std::vector<Gaussian>;

void Trim(GaussianPoly& p)
{
    while (!p.empty() && IsZero(p.back()))
        p.pop_back();
}

// p = q·d + r with deg r < deg d; d is not zero.
std::pair<GaussianPoly, GaussianPoly> DivRem(GaussianPoly p, const GaussianPoly& d)
{
    GaussianPoly q(p.size() >= d.size() ? p.size() - d.size() + 1 : 0);
    const Gaussian lead = Inverse(d.back());
    while (p.size() >= d.size()) {
        const std::size_t shift = p.size() - d.size();
        const Gaussian factor = p.back() * lead;
        q[shift] = factor;
        for (std::size_t k = 0; k < d.size(); ++k)
            p[shift + k] = p[shift + k] - factor * d[k];
        p.pop_back(); // its coefficient is now exactly zero
        Trim(p);
    }
    return {q, p};
}

// The greatest common divisor, monic.
GaussianPoly Gcd(GaussianPoly a, GaussianPoly b)
{
    while (!b.empty()) {
        GaussianPoly r = DivRem(a, b).second;
        a = std::move(b);
        b = std::move(r);
    }
    const Gaussian lead = Inverse(a.back());
    for (Gaussian& c : a)
        c = c * lead;
    return a;
}

GaussianPoly FromInteger(const fmpz_poly_t p)
{
    GaussianPoly g(static_cast<std::size_t>(fmpz_poly_length(p)));
    for (std::size_t k = 0; k < g.size(); ++k)
        fmpz_poly_get_coeff_fmpz(fmpq_numref(g[k].re.get()), p, static_cast<slong>(k));
    return g;
}

// ------------------------------------------------------------ FLINT helpers

class RationalPoly {
public:
    RationalPoly() { fmpq_poly_init(p_); }
    RationalPoly(const RationalPoly&) = delete;
    RationalPoly& operator=(const RationalPoly&) = delete;
    ~RationalPoly() { fmpq_poly_clear(p_); }
    fmpq_poly_struct* get() { return p_; }

private:
    fmpq_poly_t p_;
};

class Factors {
public:
    Factors() { fmpz_poly_factor_init(f_); }
    Factors(const Factors&) = delete;
    Factors& operator=(const Factors&) = delete;
    ~Factors() { fmpz_poly_factor_clear(f_); }
    fmpz_poly_factor_struct* get() { return f_; }

private:
    fmpz_poly_factor_t f_;
};

// The roots of a polynomial, each as often as its multiplicity.
std::vector<Algebraic> RootsOf(const fmpz_poly_t p, int flags)
{
    std::vector<qqbar_struct> raw(static_cast<std::size_t>(fmpz_poly_degree(p)));
    for (auto& r : raw)
        qqbar_init(&r);
    qqbar_roots_fmpz_poly(raw.data(), p, flags);
    std::vector<Algebraic> roots(raw.size());
    for (std::size_t k = 0; k < raw.size(); ++k) {
        qqbar_swap(roots[k].get(), &raw[k]);
        qqbar_clear(&raw[k]);
    }
    return roots;
}

// Is r, a root of h·h̄, a root of h (rather than of its conjugate h̄)? Decided
// by evaluating both on ever finer enclosures of r until one excludes zero;
// they share no root, so one does. Nothing if the precision runs out.
std::optional<bool> IsRootOf(const GaussianPoly& h, const Algebraic& r)
{
    for (slong prec = 64; prec <= 4096; prec *= 2) {
        acb_t z, value, conjugateValue, c;
        acb_init(z);
        acb_init(value);
        acb_init(conjugateValue);
        acb_init(c);
        qqbar_get_acb(z, r.get(), prec);
        for (auto k = h.size(); k-- > 0;) {
            arb_set_fmpq(acb_realref(c), h[k].re.get(), prec);
            arb_set_fmpq(acb_imagref(c), h[k].im.get(), prec);
            acb_mul(value, value, z, prec);
            acb_add(value, value, c, prec);
            acb_conj(c, c);
            acb_mul(conjugateValue, conjugateValue, z, prec);
            acb_add(conjugateValue, conjugateValue, c, prec);
        }
        const bool notRoot = !acb_contains_zero(value);
        const bool root = !acb_contains_zero(conjugateValue);
        acb_clear(z);
        acb_clear(value);
        acb_clear(conjugateValue);
        acb_clear(c);
        if (notRoot != root)
            return root;
    }
    return std::nullopt;
}

// The roots of p among those of its irreducible factor g over the rationals.
std::optional<std::vector<Algebraic>> RootsAmong(const GaussianPoly& p, const fmpz_poly_t g)
{
    const GaussianPoly h = Gcd(p, FromInteger(g));
    if (h.size() <= 1)
        return std::vector<Algebraic>{};
    int multiplicity = 0;
    for (GaussianPoly rest = p;; ++multiplicity) {
        auto [q, r] = DivRem(rest, h);
        if (!r.empty())
            break;
        rest = std::move(q);
    }
    std::vector<Algebraic> found;
    for (const Algebraic& r : RootsOf(g, QQBAR_ROOTS_IRREDUCIBLE)) {
        // Over the Gaussian rationals g is irreducible (h = g) or splits into
        // h and its conjugate, which share no root.
        if (h.size() != static_cast<std::size_t>(fmpz_poly_length(g))) {
            const auto isRoot = IsRootOf(h, r);
            if (!isRoot)
                return std::nullopt;
            if (!*isRoot)
                continue;
        }
        found.insert(found.end(), static_cast<std::size_t>(multiplicity), r);
    }
    return found;
}

// ------------------------------------------------------------ rows

double Approximate(const arb_t x)
{
    return arf_get_d(arb_midref(x), ARF_RND_NEAR);
}

// order[k] is the exact root given to row k: among all one-to-one
// assignments, the one with the smallest sum of distances to the decimal
// roots (the first such in lexicographic order).
std::optional<std::vector<std::size_t>> Assign(const std::vector<Algebraic>& roots, const std::vector<Complex>& shown)
{
    std::vector<Complex> approx;
    for (const Algebraic& r : roots) {
        acb_t z;
        acb_init(z);
        qqbar_get_acb(z, r.get(), 64);
        approx.push_back({Approximate(acb_realref(z)), Approximate(acb_imagref(z))});
        acb_clear(z);
        if (!std::isfinite(approx.back().re) || !std::isfinite(approx.back().im))
            return std::nullopt;
    }
    std::vector<std::size_t> order(roots.size()), best;
    std::iota(order.begin(), order.end(), 0);
    long double bestCost = 0;
    do {
        long double cost = 0;
        for (std::size_t k = 0; k < order.size(); ++k)
            cost += std::hypot(static_cast<long double>(approx[order[k]].re) - shown[k].re,
                static_cast<long double>(approx[order[k]].im) - shown[k].im);
        if (best.empty() || cost < bestCost) {
            best = order;
            bestCost = cost;
        }
    } while (std::next_permutation(order.begin(), order.end()));
    return best;
}

} // namespace

std::optional<std::vector<Algebraic>> ExactRootValues(
    const std::vector<GaussianRational>& keisuu, const Deadline& deadline)
{
    GaussianPoly p(keisuu.rbegin(), keisuu.rend());
    Trim(p);
    if (p.size() < 2)
        return std::nullopt;
    const auto degree = static_cast<slong>(p.size() - 1);
    RationalPoly a, b, q;
    for (std::size_t k = 0; k < p.size(); ++k) {
        fmpq_poly_set_coeff_fmpq(a.get(), static_cast<slong>(k), p[k].re.get());
        fmpq_poly_set_coeff_fmpq(b.get(), static_cast<slong>(k), p[k].im.get());
    }
    // p·p̄ = a² + b² has rational coefficients and holds every root of p.
    fmpq_poly_mul(q.get(), a.get(), a.get());
    fmpq_poly_mul(b.get(), b.get(), b.get());
    fmpq_poly_add(q.get(), q.get(), b.get());
    const bool real = fmpq_poly_degree(b.get()) < 0;

    fmpz_poly_t integral;
    fmpz_poly_init(integral);
    fmpq_poly_get_numerator(integral, real ? a.get() : q.get());
    Factors factors;
    fmpz_poly_factor(factors.get(), integral);
    fmpz_poly_clear(integral);

    std::vector<Algebraic> roots;
    for (slong k = 0; k < factors.get()->num; ++k) {
        if (deadline.passed())
            return std::nullopt;
        const fmpz_poly_struct* g = factors.get()->p + k;
        if (real) {
            for (const Algebraic& r : RootsOf(g, QQBAR_ROOTS_IRREDUCIBLE))
                roots.insert(roots.end(), static_cast<std::size_t>(factors.get()->exp[k]), r);
            continue;
        }
        auto found = RootsAmong(p, g);
        if (!found)
            return std::nullopt;
        roots.insert(roots.end(), found->begin(), found->end());
    }
    if (static_cast<slong>(roots.size()) != degree)
        return std::nullopt;
    return roots;
}

std::vector<ExactRoot> ExactRoots(const std::vector<CoefficientBoxes>& keisuu, const std::vector<Complex>& shown)
{
    const Deadline deadline(kExactBudget);
    std::vector<ExactRoot> rows(shown.size());
    std::vector<GaussianRational> coefficients;
    for (const CoefficientBoxes& boxes : keisuu) {
        const auto re = ReadExact(boxes.re), im = ReadExact(boxes.im);
        if (!re || !im || re->bits() > kMaxCoefficientBits || im->bits() > kMaxCoefficientBits)
            return rows;
        coefficients.push_back({*re, *im});
    }
    const auto roots = ExactRootValues(coefficients, deadline);
    if (!roots || roots->size() != shown.size())
        return rows;
    const auto order = Assign(*roots, shown);
    if (!order)
        return rows;
    std::vector<ExactRoot> found(rows.size());
    for (std::size_t k = 0; k < rows.size(); ++k) {
        if (deadline.passed())
            return rows;
        const Algebraic& r = (*roots)[(*order)[k]];
        if (r.degree() > kMaxSplitDegree)
            continue;
        Algebraic re, im;
        qqbar_re(re.get(), r.get());
        qqbar_im(im.get(), r.get());
        found[k] = {ExactTextOf(re), ExactTextOf(im)};
    }
    return deadline.passed() ? rows : found;
}
