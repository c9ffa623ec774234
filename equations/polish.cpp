// SPDX-License-Identifier: MIT
#include "polish.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <complex>
#include <limits>

namespace {

using Wide = std::complex<long double>;
template<class T> using Coefficients = std::array<T, 5>; // highest power first, monic

// Newton's method stops by itself when a step no longer lowers its target;
// this only bounds the linear convergence towards a multiple root at 0.
constexpr int kMaxSteps = 100;

// The unit roundoff of a double. Each coefficient is off from what was typed
// by up to one such unit when it is read and a few more when it is divided by
// a complex leading coefficient. A cluster counts as one multiple root while f
// and its derivatives there stay within kSlack units of the size of their
// terms: then equations within that rounding of the one read have a multiple
// root there, and its roots cannot be told apart. A larger slack would merge
// distinct close roots that the coefficients do resolve.
constexpr long double kUnit = 0x1p-53L;
constexpr long double kSlack = 4;

// Two refined rows closer than this fraction of the largest root have landed
// on one root; genuinely distinct roots that close would have formed a cluster.
constexpr long double kSameRoot = 0x1p-40L;

// The Taylor coefficients f^(k)(x)/k!, k = 0 to 4, by repeated synthetic
// division. Used on the coefficients themselves and, for the size of the
// terms, on their moduli at |x|.
template<class T> Coefficients<T> Taylor(Coefficients<T> c, T x)
{
    Coefficients<T> g{};
    for (int k = 0; k <= 4; ++k) {
        for (int i = 1; i <= 4 - k; ++i)
            c[i] += c[i - 1] * x;
        g[k] = c[4 - k];
    }
    return g;
}

// Newton's method on g_order(x) = f^(order)(x)/order!, whose derivative is
// (order + 1)·g_(order+1)(x), from x as long as each step lowers |g_order|.
Wide Newton(const Coefficients<Wide>& c, Wide x, int order)
{
    Coefficients<Wide> g = Taylor(c, x);
    for (int step = 0; step < kMaxSteps && g[order] != Wide(0); ++step) {
        const Wide slope = static_cast<long double>(order + 1) * g[order + 1];
        if (slope == Wide(0))
            break;
        const Wide next = x - g[order] / slope;
        const Coefficients<Wide> h = Taylor(c, next);
        if (!(std::abs(h[order]) < std::abs(g[order])))
            break;
        x = next;
        g = h;
    }
    return x;
}

// The four roots moved together by the Aberth–Ehrlich iteration, each step a
// Newton step on f corrected by the pull of the other three. Newton's method
// alone, from the solver's roots, slides two distinct roots a thousandth apart
// onto one or stops between them; the correction keeps the rows apart, so
// each converges to its own root, in its own row.
std::array<Wide, 4> Aberth(const Coefficients<Wide>& c, std::array<Wide, 4> w)
{
    for (int step = 0; step < kMaxSteps; ++step) {
        bool moved = false;
        for (int i = 0; i < 4; ++i) {
            const Coefficients<Wide> g = Taylor(c, w[i]);
            if (g[0] == Wide(0) || g[1] == Wide(0))
                continue;
            const Wide newton = g[0] / g[1];
            Wide pull = 0;
            for (int j = 0; j < 4; ++j)
                if (j != i && w[j] != w[i])
                    pull += Wide(1) / (w[i] - w[j]);
            const Wide denominator = Wide(1) - newton * pull;
            if (denominator == Wide(0))
                continue;
            const Wide next = w[i] - newton / denominator;
            if (!std::isfinite(next.real()) || !std::isfinite(next.imag()) || next == w[i])
                continue;
            moved = moved || std::abs(next - w[i]) > kUnit * kUnit * std::abs(w[i]);
            w[i] = next;
        }
        if (!moved)
            break;
    }
    return w;
}

struct Quartic {
    Coefficients<Wide> c;
    Coefficients<long double> size; // moduli of c

    // Whether f has a root of multiplicity m at x as far as the rounding of
    // the coefficients can tell, and if so how far its m roots may scatter.
    bool MultipleAt(Wide x, int m, long double& radius) const
    {
        const Coefficients<Wide> g = Taylor(c, x);
        const Coefficients<long double> terms = Taylor(size, std::abs(x));
        const long double lead = std::abs(g[m]);
        if (lead == 0)
            return false;
        radius = 0;
        for (int k = 0; k < m; ++k) {
            const long double noise = kSlack * kUnit * terms[k];
            if (std::abs(g[k]) > noise)
                return false;
            radius = std::max(radius, std::pow(noise / lead, 1.0L / (m - k)));
        }
        return true;
    }
};

// Replaces each cluster of refined roots that is one multiple root by that
// root, the largest clusters first and, among equals, the lower rows first.
// A cluster whose root another cluster already took is left apart: together
// they would be one root of higher multiplicity, which the coefficients have
// already been found to resolve. Returns the rows merged, one bit per row.
unsigned MergeClusters(const Quartic& f, std::array<Wide, 4>& w, long double slack)
{
    unsigned clustered = 0;
    std::array<Wide, 2> taken{};
    std::array<long double, 2> takenRadius{};
    int takenCount = 0;
    for (int m = 4; m >= 2; --m) {
        for (unsigned rows = 0; rows < 16; ++rows) {
            if (std::popcount(rows) != m || (rows & clustered) != 0)
                continue;
            Wide mean = 0;
            for (int r = 0; r < 4; ++r)
                mean += (rows >> r & 1) ? w[r] : Wide(0);
            const Wide centre = Newton(f.c, mean / static_cast<long double>(m), m - 1);
            long double radius = 0;
            if (!f.MultipleAt(centre, m, radius))
                continue;
            bool near = true;
            for (int r = 0; r < 4; ++r)
                near = near && (!(rows >> r & 1) || std::abs(w[r] - centre) <= 2 * radius + slack);
            for (int t = 0; t < takenCount; ++t)
                near = near && std::abs(centre - taken[t]) > 2 * std::max(radius, takenRadius[t]) + slack;
            if (!near)
                continue;
            for (int r = 0; r < 4; ++r)
                w[r] = (rows >> r & 1) ? centre : w[r];
            clustered |= rows;
            if (takenCount < 2) {
                taken[takenCount] = centre;
                takenRadius[takenCount++] = radius;
            }
        }
    }
    return clustered;
}

Wide ToWide(Complex z)
{
    return {z.re, z.im};
}

} // namespace

std::array<Complex, 4> PolishQuartic(const std::array<Complex, 4>& a, std::array<Complex, 4> roots)
{
    Quartic f{{1, ToWide(a[0]), ToWide(a[1]), ToWide(a[2]), ToWide(a[3])}, {}};
    for (int i = 0; i <= 4; ++i)
        f.size[i] = std::abs(f.c[i]);

    std::array<Wide, 4> w;
    for (int r = 0; r < 4; ++r)
        w[r] = ToWide(roots[r]);
    w = Aberth(f.c, w);
    long double largest = 0;
    for (int r = 0; r < 4; ++r) {
        w[r] = Newton(f.c, w[r], 0);
        largest = std::max(largest, std::abs(w[r]));
    }

    const unsigned clustered = MergeClusters(f, w, kSameRoot * largest);

    // Two simple roots refined onto one: both rows keep what they were given.
    std::array<bool, 4> keep{};
    for (int r = 0; r < 4; ++r)
        for (int s = r + 1; s < 4; ++s)
            if (!((clustered >> r | clustered >> s) & 1) && std::abs(w[r] - w[s]) <= kSameRoot * largest)
                keep[r] = keep[s] = true;

    // A value beyond the double range is not converted at all.
    const auto fits = [](long double x) { return std::abs(x) <= std::numeric_limits<double>::max(); };
    for (int r = 0; r < 4; ++r)
        if (!keep[r] && fits(w[r].real()) && fits(w[r].imag()))
            roots[r] = {static_cast<double>(w[r].real()), static_cast<double>(w[r].imag())};
    return roots;
}
