// SPDX-License-Identifier: MIT
#include "conversions.h"
#include "exact_reading.h"
#include "outcome.h"
#include "sigma.h"
#include "surd_form.h"
#include "worked_steps.h"

#include <optional>
#include <utility>

namespace {

using namespace Formula;

// "K=1", the lower bound of a Σ.
MathNode From(long first)
{
    return Row({Name("K"), Op("="), Number(first)});
}

MathNode Sum(long first, long last, MathNode summand)
{
    return Sigma(From(first), Number(last), std::move(summand));
}

// K³, K², K or 1: the power p of the index.
MathNode IndexPower(int p)
{
    if (p == 0)
        return Number("1");
    if (p == 1)
        return Name("K");
    return Power(Name("K"), p);
}

// The summand in parentheses when it has more than one term or a sign.
MathNode Summand(MathNode f)
{
    if (f.kind != MathNode::Kind::Row)
        return f;
    for (const MathNode& item : f.children) {
        if (item.kind == MathNode::Kind::Operator)
            return Group(std::move(f));
    }
    return f;
}

// Σ K^p for K = 1..n.
Rational PowerSum(long n, int p)
{
    const Rational m(n);
    const Rational half = m * (m + Rational(1)) / Rational(2);
    switch (p) {
    case 3: return half * half;
    case 2: return half * (Rational(2) * m + Rational(1)) / Rational(3);
    case 1: return half;
    default: return m;
    }
}

// The formula for Σ K^p (p = 1, 2, 3) up to `n`, a name or a number:
// n(n+1)/2, n(n+1)(2n+1)/6, {n(n+1)/2}².
MathNode SumFormula(int p)
{
    const auto n = [] { return Name("n"); };
    const MathNode next = Group(Row({n(), Op("+"), Number("1")}));
    if (p == 2)
        return Fraction(Row({n(), next, Group(Row({Number("2"), n(), Op("+"), Number("1")}))}), Number("6"));
    const MathNode half = Fraction(Row({n(), next}), Number("2"));
    if (p == 1)
        return half;
    return Power(Group(half, "{}"), 2);
}

// The same with the number n put in: 10×11/2, 10×11×21/6, {10×11/2}²;
// the last member of `members` gets the value.
void SubstitutedFormula(std::vector<MathNode>& members, long n, int p)
{
    const MathNode product = p == 2 ? Row({Number(n), Op("×"), Number(n + 1), Op("×"), Number(2 * n + 1)})
                                    : Row({Number(n), Op("×"), Number(n + 1)});
    MathNode half = Fraction(product, Number(p == 2 ? "6" : "2"));
    if (p == 3) {
        members.push_back(Power(Group(std::move(half), "{}"), 2));
        members.push_back(Power(Number(n * (n + 1) / 2), 2));
    } else {
        members.push_back(std::move(half));
    }
}

// The sum as the decimal calculation gives it, for the text the exact view
// shows beside ≈ when the exact sum is too long to write.
std::string DecimalSum(std::int32_t first, std::int32_t last, const std::array<std::string, 4>& keisuu)
{
    try {
        std::array<double, 4> k{};
        for (std::size_t p = 0; p < k.size(); ++p)
            k[p] = ParseNumber(keisuu[p]);
        return FormatGeneral(Keisan({first, last}, k));
    } catch (const ArithmeticFault&) {
        return {};
    }
}

} // namespace

WorkedSteps SigmaSteps(std::int32_t first, std::int32_t last, const std::array<std::string, 4>& keisuu)
{
    if (first < 0 || last < first)
        return {};
    // a[0] K³ + a[1] K² + a[2] K + a[3]; the power of a[i] is 3 − i.
    std::array<Rational, 4> a;
    std::vector<GaussianRational> poly;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto q = ReadExact(keisuu[i]);
        if (!q)
            return {};
        a[i] = *q;
        poly.push_back({*q, {}});
    }
    const MathNode f = Summand(Polynomial(poly, "K"));
    const long m = first, n = last;

    WorkedSteps worked;
    worked.steps.push_back(MakeStep(StepRule::kProblem, {}, Sum(m, n, f)));
    const auto sum = ExactSigmaValue(first, last, a);
    if (!sum)
        return {};

    // The term K = 0 is the constant alone: the rest starts at 1.
    std::vector<MathNode> total{Sum(m, n, f)};
    std::vector<MathNode> terms; // of the last member of `total`
    long from = m;
    if (m == 0) {
        if (n == 0) {
            worked.steps.push_back(
                MakeStep("sigma.zero", "K = 0 の項だけなので", Row({Sum(0, 0, f), Op("="), Of(a[3])})));
            from = -1;
        } else {
            std::vector<MathNode> row{Sum(0, n, f), Op("=")};
            if (!a[3].isZero()) {
                Append(row, Of(a[3]));
                row.push_back(Op("+"));
                Append(terms, Of(a[3]));
            }
            row.push_back(Sum(1, n, f));
            worked.steps.push_back(MakeStep(
                "sigma.zero", a[3].isZero() ? "K = 0 の項は 0 なので" : "K = 0 の項を分けると", Row(std::move(row))));
            from = 1;
        }
    }

    if (from >= 1) {
        // Linearity: a·ΣK³ + b·ΣK² + c·ΣK + Σd.
        std::vector<MathNode> split;
        std::vector<int> powers;
        for (std::size_t i = 0; i < a.size(); ++i) {
            if (a[i].isZero())
                continue;
            const int p = 3 - static_cast<int>(i);
            powers.push_back(p);
            if (a[i].sign() < 0)
                split.push_back(Op("-"));
            else if (!split.empty())
                split.push_back(Op("+"));
            if (p > 0 && !(Abs(a[i]) == Rational(1)))
                Append(split, Of(Abs(a[i])));
            split.push_back(Sum(from, n, p > 0 ? IndexPower(p) : Of(Abs(a[i]))));
        }
        MathNode whole = Row(std::move(split));
        if (!powers.empty() && !Same(whole, Row({Sum(from, n, f)})))
            worked.steps.push_back(
                MakeStep("sigma.linearity", "和の性質より", Row({Sum(from, n, f), Op("="), std::move(whole)})));

        for (const int p : powers) {
            if (p > 0)
                worked.steps.push_back(MakeStep(StepRule::kIdentity, "公式",
                    Row({Sigma(From(1), Name("n"), IndexPower(p)), Op("="), SumFormula(p)})));
        }
        if (from > 1 && !powers.empty() && powers.front() > 0)
            worked.steps.push_back(MakeStep("sigma.shift",
                "K = " + std::to_string(from) + " からの和は、K = 1 から " + std::to_string(n)
                    + " までの和から K = 1 から " + std::to_string(from - 1) + " までの和を引く",
                Row({})));

        // Each sum with the numbers put in.
        for (const int p : powers) {
            const Rational& c = a[static_cast<std::size_t>(3 - p)];
            Rational value;
            std::vector<MathNode> members;
            if (p == 0) {
                const long count = n - from + 1;
                value = Abs(c) * Rational(count);
                members = {Sum(from, n, Of(Abs(c))), Row({Substituted(Abs(c)), Op("×"), Number(count)}), Of(value)};
            } else if (from == 1) {
                value = PowerSum(n, p);
                members = {Sum(1, n, IndexPower(p))};
                SubstitutedFormula(members, n, p);
                members.push_back(Of(value));
            } else {
                const Rational upper = PowerSum(n, p), lower = PowerSum(from - 1, p);
                value = upper - lower;
                members = {Sum(from, n, IndexPower(p)),
                    Row({Sum(1, n, IndexPower(p)), Op("-"), Sum(1, from - 1, IndexPower(p))})};
                std::vector<MathNode> up, down;
                SubstitutedFormula(up, n, p);
                SubstitutedFormula(down, from - 1, p);
                members.push_back(Row({up.front(), Op("-"), down.front()}));
                if (p == 3)
                    members.push_back(Row({up.back(), Op("-"), down.back()}));
                members.push_back(Row({Of(upper), Op("-"), Of(lower)}));
                members.push_back(Of(value));
            }
            worked.steps.push_back(MakeStep("sigma.substitute", {}, Chain(std::move(members))));

            // The term of the total: "2×3025", "- 55", "+ 40".
            if (c.sign() < 0)
                terms.push_back(Op("-"));
            else if (!terms.empty())
                terms.push_back(Op("+"));
            if (p > 0 && !(Abs(c) == Rational(1))) {
                Append(terms, Substituted(Abs(c)));
                terms.push_back(Op("×"));
                Append(terms, Substituted(value));
            } else {
                Append(terms, Of(value));
            }
        }
    }
    if (from != -1) {
        if (!terms.empty())
            total.push_back(Row(std::move(terms)));
        total.push_back(Of(*sum));
        worked.steps.push_back(MakeStep("sigma.total", "よって", Chain(std::move(total))));
    }

    const ExactText text = ExactTextOf(*sum);
    worked.steps.push_back(
        MakeStep(StepRule::kAnswer, "答", Value(text ? *text : ExactLabelText(text, DecimalSum(first, last, keisuu)))));
    return worked;
}
