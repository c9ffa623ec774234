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

// Coefficients larger than this (numerator or denominator, in bits) are not
// worked on: factoring and isolating with them takes long, and no reading
// of a box gives them.
constexpr long kMaxCoefficientBits = 1200;
// Roots of a rational factor of degree 3 or 4 are isolated by Calcium only
// when its coefficients are at most this large: isolation time grows quickly
// with their size.
constexpr long kMaxIsolationBits = 600;
// A short form's conjugates all lie within 2^±80 of magnitude, above 2^−320:
// each part's terms stay below 10^22 and a nonzero part's norm is an integer
// (see kMaxShortHeightBits in surd_form.cpp). A factor with a root certainly
// outside needs no isolation, whose time grows with how far apart the roots
// lie: no root of it has parts with a short form.
constexpr double kMaxShortRootBits = 80;
constexpr double kMinShortRootBits = -320;
// A non-real root of such a factor is taken apart into real and imaginary
// parts only when its minimal polynomial is this short: the parts can have a
// much larger one, and finding it takes long.
constexpr long kMaxSplitBits = 96;

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

// True when some root of g certainly lies beyond 2^kMaxShortRootBits or
// below 2^kMinShortRootBits: for the roots r, |c_k / c_n| = |e_(n−k)(r)| is at
// most C(n, k)·max|r|^(n−k), and the same for 1/r with the reversed
// coefficients.
bool HasFarRoot(const fmpz_poly_struct* g)
{
    const slong n = fmpz_poly_degree(g);
    const auto log2 = [&](slong k) { return fmpz_dlog(g->coeffs + k) / std::log(2.0); };
    const auto binomial = [&](slong k) {
        double b = 1;
        for (slong j = 1; j <= k; ++j)
            b = b * static_cast<double>(n - k + j) / static_cast<double>(j);
        return std::log2(b);
    };
    for (slong k = 0; k < n; ++k) {
        if (fmpz_is_zero(g->coeffs + k))
            continue;
        const double large = (log2(k) - log2(n) - binomial(k)) / static_cast<double>(n - k);
        if (large > kMaxShortRootBits + 1)
            return true;
    }
    slong low = 0; // the lowest nonzero coefficient: roots at 0 are not far
    while (fmpz_is_zero(g->coeffs + low))
        ++low;
    for (slong k = low + 1; k <= n; ++k) {
        if (fmpz_is_zero(g->coeffs + k))
            continue;
        const double small = (log2(low) - log2(k) + binomial(k - low)) / static_cast<double>(k - low);
        if (small < kMinShortRootBits - 1)
            return true;
    }
    return false;
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

    // Otherwise x = √((m + u)/2) is a nested root that no form of square
    // roots of rationals reaches: (u/2)² − m²/4 = −v²/4 is not a square.
    const Rational norm = u * u + v * v;
    if (!IsSquare(norm)) {
        for (ExactRootValue& r : roots)
            r.parts = {ExactText::Missing(ExactGap::NoForm), ExactText::Missing(ExactGap::NoForm)};
        return roots;
    }
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
// A real root's text, or a non-real one's parts. The non-real roots come in
// conjugate pairs: the second of a pair takes the parts of the first, the
// imaginary one negated, which halves the slow work.
Roots IsolatedRoots(const fmpz_poly_struct* g)
{
    const std::vector<Algebraic> found = RootsOfIrreducible(g);
    Roots roots;
    std::vector<std::optional<Algebraic>> imaginary(found.size()); // where split
    for (std::size_t k = 0; k < found.size(); ++k) {
        const Algebraic& r = found[k];
        ExactRoot parts{ExactText::Missing(ExactGap::Stopped), ExactText::Missing(ExactGap::Stopped)};
        if (r.isReal()) {
            parts = {ExactTextOf(r), "0"};
        } else if (r.heightBits() <= kMaxSplitBits) {
            Algebraic conjugate;
            qqbar_conj(conjugate.get(), r.get());
            const auto first = std::find(found.begin(), found.begin() + static_cast<std::ptrdiff_t>(k), conjugate);
            const auto at = static_cast<std::size_t>(first - found.begin());
            if (at < k && imaginary[at]) {
                parts = {roots[at].parts.re, ExactTextOf(-*imaginary[at])};
            } else {
                imaginary[k] = ImaginaryPart(r);
                parts = {ExactTextOf(RealPart(r)), ExactTextOf(*imaginary[k])};
            }
        }
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
    // A root only counted has no position; its parts say why they have no
    // text.
    const auto counted = [degree](ExactGap why) {
        return Roots(degree, {std::nullopt, {ExactText::Missing(why), ExactText::Missing(why)}});
    };
    Roots once;
    if (degree == 1)
        once = LinearRoot({-h[0].re, -h[0].im});
    else if (degree == 2)
        once = QuadraticRoots(h);
    else if (degree != static_cast<std::size_t>(fmpz_poly_degree(g)))
        once = counted(ExactGap::Stopped); // a factor of degree 6 or 8 over the rationals
    else if (std::abs(fmpz_poly_max_bits(g)) > kMaxIsolationBits || HasFarRoot(g))
        once = counted(ExactGap::TooLong);
    else
        once = IsolatedRoots(g);
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
    const Deadline deadline(kExactSafetyNet);
    std::vector<ExactRoot> rows(shown.size());
    const ExactRoot stopped{ExactText::Missing(ExactGap::Stopped), ExactText::Missing(ExactGap::Stopped)};
    std::vector<GaussianRational> coefficients;
    for (const CoefficientBoxes& boxes : keisuu) {
        const auto re = ReadExact(boxes.re), im = ReadExact(boxes.im);
        if (!re || !im)
            return rows;
        if (re->bits() > kMaxCoefficientBits || im->bits() > kMaxCoefficientBits)
            return std::vector<ExactRoot>(shown.size(), stopped);
        coefficients.push_back({*re, *im});
    }
    const auto roots = ExactRootValues(coefficients, deadline);
    if (deadline.passed())
        return std::vector<ExactRoot>(shown.size(), stopped);
    if (!roots || roots->size() != shown.size())
        return rows;
    const std::vector<std::size_t> order = Assign(*roots, shown);
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const ExactRootValue& root = (*roots)[order[k]];
        rows[k] = root.parts;
        // A part with no text is shown as its true value rounded like the
        // decimals, which the solvers' floating point can miss by far for
        // coefficients of very different sizes.
        if (root.position) {
            if (!rows[k].re)
                rows[k].re.value_as_double = root.position->re;
            if (!rows[k].im)
                rows[k].im.value_as_double = root.position->im;
        }
    }
    return rows;
}
