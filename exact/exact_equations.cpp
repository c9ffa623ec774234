// SPDX-License-Identifier: MIT
#include "exact_equations.h"

#include "exact_reading.h"
#include "exact_value_api.h"
#include "surd_form.h"

#include <algorithm>
#include <cmath>
#include <flint/fmpz_poly_factor.h>
#include <numeric>

namespace {

// Coefficients larger than this (numerator or denominator, in bits) have
// roots whose texts are far too long for a label.
constexpr long kMaxCoefficientBits = 1200;
// Roots of a rational factor of degree 3 or 4 are isolated by Calcium only
// when its coefficients are at most this large: isolation time grows quickly
// with their size.
constexpr long kMaxIsolationBits = 600;
// A non-real root of such a factor is taken apart into real and imaginary
// parts only when its minimal polynomial is this short: the parts can have a
// much larger one, and finding it can exceed the time limit.
constexpr long kMaxSplitBits = 64;

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

using RationalPoly = Flint<fmpq_poly_struct>;

bool IsSquare(const Rational& q)
{
    return fmpz_is_square(fmpq_numref(q.get())) && fmpz_is_square(fmpq_denref(q.get()));
}

// ------------------------------------------------------------ roots by kind

using Roots = std::vector<ExactRootValue>;

// The root w of x − w.
Roots LinearRoot(const Gaussian& w)
{
    Flint<acb_struct> z;
    arb_set_fmpq(acb_realref(z.get()), w.re.get(), 64);
    arb_set_fmpq(acb_imagref(z.get()), w.im.get(), 64);
    return {{Nearest(z.get()), {ExactTextOf(w.re), ExactTextOf(w.im)}}};
}

// The roots w ± t of x² + βx + γ, where w = −β/2 and t² = δ = w² − γ =
// u + vi. With m = |δ|, x = √((m + u)/2), y = √((m − u)/2) and σ = sgn v (1
// for v = 0), the principal root is t = x + iσy; the parts have surd forms
// exactly when m is rational.
Roots QuadraticRoots(const GaussianPoly& h)
{
    const Gaussian w{h[1].re / Rational(-2), h[1].im / Rational(-2)};
    const Gaussian delta = w * w - h[0];
    const Rational& u = delta.re;
    const Rational& v = delta.im;

    const slong prec = 128 + std::max(u.bits(), v.bits());
    Flint<acb_struct> centre, t, z;
    arb_set_fmpq(acb_realref(centre.get()), w.re.get(), prec);
    arb_set_fmpq(acb_imagref(centre.get()), w.im.get(), prec);
    arb_set_fmpq(acb_realref(t.get()), u.get(), prec);
    arb_set_fmpq(acb_imagref(t.get()), v.get(), prec);
    acb_sqrt(t.get(), t.get(), prec);
    Roots roots(2);
    acb_add(z.get(), centre.get(), t.get(), prec);
    roots[0].position = Nearest(z.get());
    acb_sub(z.get(), centre.get(), t.get(), prec);
    roots[1].position = Nearest(z.get());

    const Rational norm = u * u + v * v;
    if (!IsSquare(norm))
        return roots;
    Rational m;
    fmpz_sqrt(fmpq_numref(m.get()), fmpq_numref(norm.get()));
    fmpz_sqrt(fmpq_denref(m.get()), fmpq_denref(norm.get()));
    const Algebraic x = Sqrt(Algebraic((m + u) / Rational(2)));
    const Algebraic root = Sqrt(Algebraic((m - u) / Rational(2)));
    const Algebraic y = v.sign() < 0 ? -root : root;
    roots[0].parts = {ExactTextOf(x + w.re), ExactTextOf(y + w.im)};
    roots[1].parts = {ExactTextOf(-x + w.re), ExactTextOf(-y + w.im)};
    return roots;
}

// The roots of an irreducible rational factor of degree 3 or 4 that divides
// the polynomial, isolated by Calcium.
Roots IsolatedRoots(const fmpz_poly_struct* g)
{
    Roots roots;
    for (const Algebraic& r : RootsOfIrreducible(g)) {
        ExactRoot parts;
        if (r.isReal())
            parts = {ExactTextOf(r), "0"};
        else if (r.heightBits() <= kMaxSplitBits)
            parts = {ExactTextOf(RealPart(r)), ExactTextOf(ImaginaryPart(r))};
        roots.push_back({Nearest(r), parts});
    }
    return roots;
}

// The roots of p among those of its irreducible factor g over the rationals.
// Over the Gaussian rationals g stays irreducible or splits into two
// conjugate factors; h = gcd(p, g) is g, one of those, or 1.
Roots RootsAmong(const GaussianPoly& p, const fmpz_poly_struct* g)
{
    const GaussianPoly h = Gcd(p, FromInteger(g));
    const std::size_t degree = h.size() - 1;
    if (degree == 0)
        return {};
    std::size_t multiplicity = 0;
    for (GaussianPoly rest = p;; ++multiplicity) {
        auto [q, r] = DivRem(rest, h);
        if (!r.empty())
            break;
        rest = std::move(q);
    }
    Roots once;
    if (degree == 1)
        once = LinearRoot({-h[0].re, -h[0].im});
    else if (degree == 2)
        once = QuadraticRoots(h);
    else if (degree == static_cast<std::size_t>(fmpz_poly_degree(g)) && fmpz_poly_max_bits(g) <= kMaxIsolationBits)
        once = IsolatedRoots(g);
    else
        once.resize(degree); // only counted
    Roots roots;
    for (std::size_t k = 0; k < multiplicity; ++k)
        roots.insert(roots.end(), once.begin(), once.end());
    return roots;
}

// ------------------------------------------------------------ rows

// order[k] is the exact root given to row k: among all one-to-one
// assignments, the one with the smallest sum of distances from the exact
// roots to the decimal roots (the first such in lexicographic order). Roots
// without a position cost nothing wherever they go.
std::vector<std::size_t> Assign(const std::vector<ExactRootValue>& roots, const std::vector<Complex>& shown)
{
    std::vector<std::size_t> order(roots.size()), best;
    std::iota(order.begin(), order.end(), 0);
    long double bestCost = 0;
    do {
        long double cost = 0;
        for (std::size_t k = 0; k < order.size(); ++k) {
            if (const auto& at = roots[order[k]].position)
                cost += std::hypot(
                    static_cast<long double>(at->re) - shown[k].re, static_cast<long double>(at->im) - shown[k].im);
        }
        if (best.empty() || cost < bestCost) {
            best = order;
            bestCost = cost;
        }
    } while (std::next_permutation(order.begin(), order.end()));
    return best;
}

} // namespace

std::optional<std::vector<ExactRootValue>> ExactRootValues(
    const std::vector<GaussianRational>& keisuu, const Deadline& deadline)
{
    GaussianPoly p(keisuu.rbegin(), keisuu.rend());
    Trim(p);
    if (p.size() < 2)
        return std::nullopt;
    RationalPoly a, b, q;
    for (std::size_t k = 0; k < p.size(); ++k) {
        fmpq_poly_set_coeff_fmpq(a.get(), static_cast<slong>(k), p[k].re.get());
        fmpq_poly_set_coeff_fmpq(b.get(), static_cast<slong>(k), p[k].im.get());
    }
    // p·p̄ = a² + b² has rational coefficients and holds every root of p;
    // for real coefficients a alone does.
    const bool real = fmpq_poly_degree(b.get()) < 0;
    fmpq_poly_mul(q.get(), a.get(), a.get());
    fmpq_poly_mul(b.get(), b.get(), b.get());
    fmpq_poly_add(q.get(), q.get(), b.get());

    Flint<fmpz_poly_struct> integral;
    fmpq_poly_get_numerator(integral.get(), real ? a.get() : q.get());
    Flint<fmpz_poly_factor_struct> factors;
    fmpz_poly_factor(factors.get(), integral.get());

    std::vector<ExactRootValue> roots;
    for (slong k = 0; k < factors->num; ++k) {
        if (deadline.passed())
            return std::nullopt;
        const Roots found = RootsAmong(p, factors->p + k);
        roots.insert(roots.end(), found.begin(), found.end());
    }
    if (roots.size() != p.size() - 1)
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
    if (!roots || roots->size() != shown.size() || deadline.passed())
        return rows;
    const std::vector<std::size_t> order = Assign(*roots, shown);
    for (std::size_t k = 0; k < rows.size(); ++k)
        rows[k] = (*roots)[order[k]].parts;
    return rows;
}
