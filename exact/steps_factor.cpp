// SPDX-License-Identifier: MIT
// The factor theorem as the textbook works it: the candidates
// ±(divisors of the constant)/(divisors of the leading coefficient), the
// trial that gives 0, 組立除法 and the factorization. The root tried is the
// first candidate that works in the order the textbook tries them (smallest
// in size first), found among the roots FLINT factors out rather than by
// trying every candidate, whose number grows with the digits typed.
#include "steps_gaussian.h"
#include "steps_roots.h"

#include <flint/fmpq_poly.h>
#include <flint/fmpz_poly.h>
#include <flint/fmpz_poly_factor.h>

#include <algorithm>

namespace {

using namespace Formula;
using Gaussian = GaussianRational;

// Divisors are listed only for numbers up to this size, and the candidates
// only when there are at most this many.
constexpr long kMaxListedNumber = 1000000;
constexpr std::size_t kMaxListedCandidates = 24;

// The Gaussian rational roots a ± bi (b ≠ 0) of a quadratic factor
// Ax² + Bx + C of a rational polynomial: those with 4AC − B² a square.
std::vector<Gaussian> GaussianPair(const fmpz_poly_struct* g)
{
    Integer a, b, c, d;
    fmpz_set(a.get(), g->coeffs + 2);
    fmpz_set(b.get(), g->coeffs + 1);
    fmpz_set(c.get(), g->coeffs + 0);
    fmpz_mul(d.get(), a.get(), c.get());
    fmpz_mul_ui(d.get(), d.get(), 4);
    fmpz_submul(d.get(), b.get(), b.get());
    if (fmpz_sgn(d.get()) <= 0 || !fmpz_is_square(d.get()))
        return {};
    Integer s, twoA;
    fmpz_sqrt(s.get(), d.get());
    fmpz_mul_ui(twoA.get(), a.get(), 2);
    Integer minusB;
    fmpz_neg(minusB.get(), b.get());
    const Rational re(minusB, twoA), im(s, twoA);
    return {{re, im}, {re, -im}};
}

Gaussian Evaluate(const std::vector<Gaussian>& p, const Gaussian& x)
{
    Gaussian value;
    for (const Gaussian& c : p)
        value = value * x + c;
    return value;
}

} // namespace

long Bits(const std::vector<GaussianRational>& p)
{
    long bits = 0;
    for (const Gaussian& c : p)
        bits = std::max({bits, c.re.bits(), c.im.bits()});
    return bits;
}

namespace {

// The roots of p (Gaussian integer coefficients, highest power first) that
// are Gaussian rationals, rational ones only for real coefficients.
std::vector<Gaussian> SimpleRoots(const std::vector<Gaussian>& p)
{
    const bool real = IsRealPolynomial(p);
    Flint<fmpq_poly_struct> a, b, q;
    const std::size_t n = p.size() - 1;
    for (std::size_t k = 0; k <= n; ++k) {
        fmpq_poly_set_coeff_fmpq(a.get(), static_cast<slong>(n - k), p[k].re.get());
        fmpq_poly_set_coeff_fmpq(b.get(), static_cast<slong>(n - k), p[k].im.get());
    }
    // Every root of p is one of p·p̄ = a² + b², which has rational
    // coefficients.
    if (real) {
        fmpq_poly_set(q.get(), a.get());
    } else {
        fmpq_poly_mul(q.get(), a.get(), a.get());
        fmpq_poly_mul(b.get(), b.get(), b.get());
        fmpq_poly_add(q.get(), q.get(), b.get());
    }
    Flint<fmpz_poly_struct> integral;
    fmpq_poly_get_numerator(integral.get(), q.get());
    std::vector<Gaussian> roots;
    Flint<fmpz_poly_factor_struct> factors;
    fmpz_poly_factor(factors.get(), integral.get());
    for (slong k = 0; k < factors->num; ++k) {
        const fmpz_poly_struct* g = factors->p + k;
        std::vector<Gaussian> found;
        if (fmpz_poly_degree(g) == 1) {
            Integer num, den;
            fmpz_neg(num.get(), g->coeffs + 0);
            fmpz_set(den.get(), g->coeffs + 1);
            found.push_back(Real(Rational(num, den)));
        } else if (!real && fmpz_poly_degree(g) == 2) {
            found = GaussianPair(g);
        }
        for (const Gaussian& z : found)
            if (real || IsZero(Evaluate(p, z)))
                roots.push_back(z);
    }
    return roots;
}

// The order the candidates are tried in: smallest in size first, the
// positive before the negative.
bool TriedBefore(const Gaussian& x, const Gaussian& y)
{
    const Rational nx = x.re * x.re + x.im * x.im, ny = y.re * y.re + y.im * y.im;
    if (!(nx == ny))
        return (nx - ny).sign() < 0;
    if (!(x.re == y.re))
        return (y.re - x.re).sign() < 0;
    return (y.im - x.im).sign() < 0;
}

// The positive divisors of n (|n| ≤ kMaxListedNumber), ascending.
std::vector<long> Divisors(long n)
{
    std::vector<long> small, large;
    for (long d = 1; d * d <= n; ++d) {
        if (n % d != 0)
            continue;
        small.push_back(d);
        if (d * d != n)
            large.push_back(n / d);
    }
    small.insert(small.end(), large.rbegin(), large.rend());
    return small;
}

// The positive candidates p/q, ascending; nothing when there are too many
// to list.
std::optional<std::vector<Rational>> Candidates(const Gaussian& leading, const Gaussian& constant)
{
    Integer c, a;
    fmpz_abs(c.get(), fmpq_numref(constant.re.get()));
    fmpz_abs(a.get(), fmpq_numref(leading.re.get()));
    if (fmpz_cmp_si(c.get(), kMaxListedNumber) > 0 || fmpz_cmp_si(a.get(), kMaxListedNumber) > 0)
        return std::nullopt;
    std::vector<Rational> out;
    for (long p : Divisors(fmpz_get_si(c.get())))
        for (long q : Divisors(fmpz_get_si(a.get()))) {
            const Rational r(p, q);
            if (std::find(out.begin(), out.end(), r) == out.end())
                out.push_back(r);
            if (out.size() > kMaxListedCandidates)
                return std::nullopt;
        }
    std::sort(out.begin(), out.end(), [](const Rational& x, const Rational& y) { return (x - y).sign() < 0; });
    return out;
}

// The trial P(r) = t₀ + t₁ + … = 0, every term's value.
MathNode Trial(const std::vector<Gaussian>& p, const Gaussian& r, const std::string& name)
{
    std::vector<MathNode> terms;
    Gaussian power = Real(Rational(1));
    std::vector<Gaussian> values(p.size());
    for (std::size_t k = p.size(); k-- > 0;) {
        values[k] = p[k] * power;
        power = power * r;
    }
    for (std::size_t k = 0; k < p.size(); ++k) {
        if (IsZero(p[k]))
            continue;
        const Gaussian& t = values[k];
        if (terms.empty()) {
            Append(terms, Of(t));
        } else if (t.im.isZero() || t.re.isZero()) {
            const bool minus = t.im.isZero() ? t.re.sign() < 0 : t.im.sign() < 0;
            terms.push_back(Op(minus ? "-" : "+"));
            Append(terms, Of(minus ? -t : t));
        } else {
            terms.push_back(Op("+"));
            terms.push_back(Group(Of(t)));
        }
    }
    if (IsZero(r))
        return Row({Applied(name, Number("0")), Op("="), Number("0")});
    return Chain({Applied(name, Of(r)), Row(std::move(terms)), Number("0")});
}

// 組立除法: the divisor and the coefficients, the products, and the
// quotient's coefficients with the remainder; a rule after the divisor and
// above the results.
MathNode SyntheticTable(const std::vector<Gaussian>& p, const Gaussian& r, std::vector<Gaussian>& quotient)
{
    const std::size_t n = p.size();
    std::vector<MathNode> top{Of(r)}, middle{Number("")}, bottom{Number("")};
    Gaussian carry;
    quotient.clear();
    for (std::size_t k = 0; k < n; ++k) {
        top.push_back(Of(p[k]));
        const Gaussian product = k == 0 ? Gaussian{} : carry * r;
        middle.push_back(k == 0 ? Number("") : Of(product));
        carry = p[k] + product;
        bottom.push_back(Of(carry));
        if (k + 1 < n)
            quotient.push_back(carry);
    }
    MathNode table;
    table.kind = MathNode::Kind::Table;
    table.columns = static_cast<int>(n + 1);
    table.bar = 1;
    for (auto* row : {&top, &middle, &bottom})
        for (MathNode& cell : *row)
            table.children.push_back(std::move(cell));
    return table;
}

} // namespace

std::string TextOf(const GaussianRational& z)
{
    if (z.im.isZero())
        return z.re.text();
    const Rational magnitude = z.im.sign() < 0 ? -z.im : z.im;
    std::string im;
    Integer n, d;
    fmpz_set(n.get(), fmpq_numref(magnitude.get()));
    fmpz_set(d.get(), fmpq_denref(magnitude.get()));
    im = (fmpz_is_one(n.get()) ? std::string() : n.text()) + "i" + (magnitude.isInteger() ? "" : "/" + d.text());
    if (z.re.isZero())
        return (z.im.sign() < 0 ? "-" : "") + im;
    return z.re.text() + (z.im.sign() < 0 ? " - " : " + ") + im;
}

MathNode RootFactor(const GaussianRational& r, const std::string& v)
{
    if (IsZero(r))
        return Name(v);
    std::vector<MathNode> row{Name(v)};
    if (r.im.isZero() || r.re.isZero()) {
        const bool minus = r.im.isZero() ? r.re.sign() < 0 : r.im.sign() < 0;
        row.push_back(Op(minus ? "+" : "-"));
        Append(row, Of(minus ? -r : r));
    } else {
        row.push_back(Op("-"));
        row.push_back(Group(Of(r)));
    }
    return Row(std::move(row));
}

MathNode Applied(const std::string& name, MathNode argument)
{
    return Row({Name(name), Group(std::move(argument))});
}

Integral MadeIntegral(const std::vector<GaussianRational>& p)
{
    Integral out{Integer(1), {}};
    for (const Gaussian& c : p) {
        fmpz_lcm(out.scale.get(), out.scale.get(), fmpq_denref(c.re.get()));
        fmpz_lcm(out.scale.get(), out.scale.get(), fmpq_denref(c.im.get()));
    }
    const Rational k(out.scale, Integer(1));
    for (const Gaussian& c : p)
        out.p.push_back({c.re * k, c.im * k});
    return out;
}

std::vector<Step> CandidateSteps(const std::vector<GaussianRational>& p, const std::string&, bool found)
{
    std::vector<Step> steps;
    if (!IsRealPolynomial(p)) {
        if (!found)
            steps.push_back(MakeStep("factor.none",
                "代入して 0 になる a + bi（a, b は有理数）の形の数はないので、この形の解をもたない", Row({})));
        return steps;
    }
    if (IsZero(p.back()))
        return steps; // the root 0, seen at once
    steps.push_back(MakeStep("factor.candidates", "解の候補は ±(定数項の約数)/(最高次の係数の約数)", Row({})));
    const auto listed = Candidates(p.front(), p.back());
    if (listed) {
        std::vector<MathNode> row;
        for (const Rational& r : *listed) {
            if (!row.empty())
                row.push_back(Op(","));
            row.push_back(Op("±"));
            Append(row, Of(r));
        }
        steps.push_back(MakeStep("factor.candidates", "すなわち", Row(std::move(row))));
    } else {
        steps.push_back(MakeStep("factor.candidates", "候補が多いので、絶対値の小さいものから順に調べる", Row({})));
    }
    if (!found)
        steps.push_back(
            MakeStep("factor.none", "どの候補を代入しても 0 にならないので、有理数の解をもたない", Row({})));
    return steps;
}

std::optional<FactorWork> FactorOutRoot(const std::vector<GaussianRational>& typed, const std::string& name)
{
    if (typed.size() < 2 || IsZero(typed.front()) || Bits(typed) > kMaxFactorBits)
        return std::nullopt;
    const Integral integral = MadeIntegral(typed);
    const std::vector<Gaussian>& p = integral.p;
    if (Bits(p) > kMaxFactorBits)
        return std::nullopt;
    std::vector<Gaussian> roots = IsZero(p.back()) ? std::vector<Gaussian>{Gaussian{}} : SimpleRoots(p);
    if (roots.empty())
        return std::nullopt;
    const Gaussian r = *std::min_element(roots.begin(), roots.end(), TriedBefore);

    FactorWork work;
    work.root = r;
    auto& steps = work.steps;
    if (!fmpz_is_one(integral.scale.get()))
        steps.push_back(
            MakeStep(StepRule::kProblem, "係数を整数にするため両辺を " + integral.scale.text() + " 倍すると",
                Row({Polynomial(p), Op("="), Number("0")})));
    steps.push_back(MakeStep("factor.define", {}, Row({Applied(name, Name("x")), Op("="), Polynomial(p)}), "とおく"));
    for (Step& step : CandidateSteps(p, name, true))
        steps.push_back(std::move(step));
    const bool real = IsRealPolynomial(p);
    if (!real && !IsZero(p.back()))
        steps.push_back(MakeStep("factor.found",
            "解の1つ x = " + TextOf(r) + " について、" + name + "(" + TextOf(r) + ") = 0 を確かめる", Row({})));
    steps.push_back(MakeStep("factor.trial", IsZero(p.back()) ? "定数項が 0 なので" : "", Trial(p, r, name)));
    std::vector<MathNode> theorem{Applied(name, Name("x")), Word("は")};
    const Integer denominator = [&] {
        Integer d;
        fmpz_set(d.get(), fmpq_denref(r.re.get()));
        return d;
    }();
    const bool fraction = real && !fmpz_is_one(denominator.get());
    // A rational root p/q gives the factor qx − p, as the textbook writes it.
    const Rational q(denominator, Integer(1));
    MathNode integralFactor = fraction ? Row({Of(denominator), Name("x"), Op(r.re.sign() < 0 ? "+" : "-"),
                                  Of(r.re.sign() < 0 ? -(r.re * q) : r.re * q)})
                                       : RootFactor(r);
    Append(theorem, integralFactor);
    theorem.push_back(Word("を因数にもつ"));
    steps.push_back(MakeStep("factor.theorem", "よって、因数定理より", Row(std::move(theorem))));

    std::vector<Gaussian> quotient;
    MathNode table = SyntheticTable(p, r, quotient);
    steps.push_back(MakeStep(
        "factor.division", "組立除法で", Row({Applied(name, Name("x")), Word("を"), RootFactor(r), Word("で割ると")})));
    steps.push_back(MakeStep("factor.table", {}, std::move(table)));

    const auto product = [](MathNode factor, const std::vector<Gaussian>& rest) {
        std::vector<MathNode> row;
        const bool lone = factor.kind == MathNode::Kind::Name;
        row.push_back(lone ? std::move(factor) : Group(std::move(factor)));
        row.push_back(Group(Polynomial(rest)));
        return Row(std::move(row));
    };
    std::vector<MathNode> members{Applied(name, Name("x")), product(RootFactor(r), quotient)};
    if (fraction) {
        for (Gaussian& c : quotient)
            c = {c.re / q, c.im / q};
        members.push_back(product(integralFactor, quotient));
    }
    steps.push_back(MakeStep(StepRule::kIdentity, "よって", Chain(std::move(members))));
    work.quotient = std::move(quotient);
    return work;
}
