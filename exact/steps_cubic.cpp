// SPDX-License-Identifier: MIT
// The cubic as the textbook solves it: the factor theorem and 組立除法 when
// a rational (or, for complex coefficients, Gaussian rational) root exists,
// then the quadratic factor by its own steps; otherwise Cardano's formula as
// a reference, its p, q and discriminant exact and the roots as the exact
// view writes them.
#include "steps_gaussian.h"
#include "steps_roots.h"

#include <algorithm>
#include <chrono>

namespace {

using namespace Formula;
using Gaussian = GaussianRational;

// The steps stop here, well past their normal time, and show the answer.
constexpr std::chrono::milliseconds kStepsBudget{150};

Gaussian Whole(long n)
{
    return Real(Rational(n));
}

// p = (3ac − b²)/(3a²), q = (2b³ − 9abc + 27a²d)/(27a³) of x = y − b/(3a),
// and Δ = (q/2)² + (p/3)³, for the polynomial P named by the steps before.
Step CardanoSection(const std::vector<Gaussian>& k, const Step& roots)
{
    const Gaussian &a = k[0], &b = k[1], &c = k[2], &d = k[3];
    const Gaussian p = (Whole(3) * a * c - b * b) / (Whole(3) * a * a);
    const Gaussian q = (Whole(2) * b * b * b - Whole(9) * a * b * c + Whole(27) * a * a * d) / (Whole(27) * a * a * a);
    const Gaussian shift = -b / (Whole(3) * a);
    const Gaussian delta = (q / Whole(2)) * (q / Whole(2)) + (p / Whole(3)) * (p / Whole(3)) * (p / Whole(3));

    Step section = MakeStep("cubic.cardano", "参考：カルダノの公式で解く", Row({}));
    auto& steps = section.substeps;
    std::vector<MathNode> names;
    const char* letters[] = {"a", "b", "c", "d"};
    for (std::size_t j = 0; j < 4; ++j) {
        if (!names.empty())
            names.push_back(Op(","));
        names.push_back(Name(letters[j]));
        names.push_back(Op("="));
        Append(names, Of(k[j]));
    }
    steps.push_back(MakeStep("cubic.coefficients", "P(x) = ax³ + bx² + cx + d として", Row(std::move(names))));
    const auto a2 = Power(Name("a"), 2);
    steps.push_back(MakeStep("cubic.p", {},
        Chain({Name("p"),
            Fraction(Row({Number("3"), Name("a"), Name("c"), Op("-"), Power(Name("b"), 2)}), Row({Number("3"), a2})),
            Of(p)})));
    steps.push_back(MakeStep("cubic.q", {},
        Chain({Name("q"),
            Fraction(Row({Number("2"), Power(Name("b"), 3), Op("-"), Number("9"), Name("a"), Name("b"), Name("c"),
                         Op("+"), Number("27"), a2, Name("d")}),
                Row({Number("27"), Power(Name("a"), 3)})),
            Of(q)})));
    const MathNode depressed = Row({Power(Name("y"), 3), Op("+"), Name("p"), Name("y"), Op("+"), Name("q")});
    steps.push_back(MakeStep(StepRule::kIdentity, "x = y - b/(3a) とおくと",
        Chain({Applied("P", Row({Name("y"), Op("-"), Fraction(Name("b"), Row({Number("3"), Name("a")}))})),
            Applied("P", RootFactor(-shift, "y")), Row({Name("a"), Group(depressed)}),
            Polynomial({a, Gaussian{}, a * p, a * q}, "y")})));
    steps.push_back(MakeStep("cubic.discriminant", {},
        Chain({Name("Δ"),
            Row({Power(Group(Fraction(Name("q"), Number("2"))), 2), Op("+"),
                Power(Group(Fraction(Name("p"), Number("3"))), 3)}),
            Row({Power(Substituted(q / Whole(2)), 2), Op("+"), Power(Substituted(p / Whole(3)), 3)}), Of(delta)})));
    if (IsRealPolynomial(k)) {
        const int sign = delta.re.sign();
        steps.push_back(MakeStep("cubic.classify", {}, Row({Name("Δ"), Op(sign > 0 ? ">" : "<"), Number("0")}),
            sign > 0 ? "より、実数解を1つと虚数解を2つもつ" : "より、異なる3つの実数解をもつ"));
    }
    Step found = MakeStep(
        "cubic.roots", "y = ∛(-q/2 + √Δ) + ∛(-q/2 - √Δ)（2つの立方根の積は -p/3）と x = y - b/(3a) より", roots.math);
    steps.push_back(std::move(found));
    return section;
}

// The rational roots of a·x² + b·x + c (real), larger first; none when
// they are not rational.
std::vector<Rational> RationalQuadraticRoots(const std::vector<Gaussian>& q)
{
    if (!IsRealPolynomial(q))
        return {};
    const Rational d = q[1].re * q[1].re - Rational(4) * q[0].re * q[2].re;
    if (d.sign() < 0 || !fmpz_is_square(fmpq_numref(d.get())) || !fmpz_is_square(fmpq_denref(d.get())))
        return {};
    Rational root;
    fmpz_sqrt(fmpq_numref(root.get()), fmpq_numref(d.get()));
    fmpz_sqrt(fmpq_denref(root.get()), fmpq_denref(d.get()));
    const Rational twoA = Rational(2) * q[0].re;
    Rational x1 = (-q[1].re + root) / twoA, x2 = (-q[1].re - root) / twoA;
    if ((x1 - x2).sign() < 0)
        std::swap(x1, x2);
    return {x1, x2};
}

// P(x) = k(q₁x − p₁)(q₂x − p₂)… for the rational roots pᵢ/qᵢ of P, equal
// factors as a power: the whole factorization, "(x - 2)³".
MathNode Factorization(const Rational& leading, const std::vector<Rational>& roots)
{
    Rational k = leading;
    std::vector<MathNode> factors;
    for (std::size_t j = 0; j < roots.size();) {
        std::size_t same = j + 1;
        while (same < roots.size() && roots[same] == roots[j])
            ++same;
        const Rational& r = roots[j];
        Integer q;
        fmpz_set(q.get(), fmpq_denref(r.get()));
        MathNode factor = Name("x");
        if (!r.isZero()) {
            std::vector<MathNode> row;
            if (!fmpz_is_one(q.get()))
                row.push_back(Of(q));
            row.push_back(Name("x"));
            row.push_back(Op(r.sign() > 0 ? "-" : "+"));
            Integer p;
            fmpz_abs(p.get(), fmpq_numref(r.get()));
            row.push_back(Of(p));
            factor = Group(Row(std::move(row)));
        }
        for (std::size_t m = j; m < same; ++m)
            k = k / Rational(q, Integer(1));
        factors.push_back(same - j > 1 ? Power(std::move(factor), static_cast<long>(same - j)) : std::move(factor));
        j = same;
    }
    std::vector<MathNode> row;
    if (k == Rational(-1))
        row.push_back(Op("-"));
    else if (!(k == Rational(1)))
        Append(row, Of(k));
    for (MathNode& factor : factors)
        row.push_back(std::move(factor));
    return Row(std::move(row));
}

} // namespace

WorkedSteps CubicSteps(const std::vector<CoefficientBoxes>& keisuu, const std::vector<Complex>& shown)
{
    if (keisuu.size() != 4 || shown.size() != 3)
        return {};
    const Deadline deadline(kStepsBudget);
    const auto k = ReadCoefficients(keisuu);
    if (!k || IsZero(k->front()))
        return {};

    WorkedSteps worked;
    worked.steps.push_back(MakeStep(StepRule::kProblem, {}, Row({Polynomial(*k), Op("="), Number("0")})));
    const auto finish = [&](bool stopped) {
        worked.stopped = stopped;
        if (stopped)
            worked.steps.push_back(StoppedStep());
        worked.steps.push_back(AnswerStep(keisuu, shown));
        return worked;
    };

    if (Bits(MadeIntegral(*k).p) > kMaxFactorBits)
        return finish(true);
    if (auto factor = FactorOutRoot(*k, "P")) {
        for (Step& step : factor->steps)
            worked.steps.push_back(std::move(step));
        if (deadline.passed())
            return finish(true);
        const std::vector<Gaussian>& rest = factor->quotient;
        QuadraticWork quadratic = SolveQuadratic(rest[0], rest[1], rest[2], "x");
        Step solve = MakeStep(
            "cubic.quotient", "x = " + TextOf(factor->root) + " と、次の2次方程式の解が求める解である", Row({}));
        solve.substeps = std::move(quadratic.steps);
        worked.steps.push_back(std::move(solve));
        // Every root rational: the whole factorization, as the textbook
        // ends it.
        if (const std::vector<Rational> others = RationalQuadraticRoots(rest);
            !others.empty() && factor->root.im.isZero()) {
            std::vector<Rational> roots{factor->root.re};
            roots.insert(roots.end(), others.begin(), others.end());
            // The factor x in front, then the larger roots first.
            std::stable_sort(roots.begin(), roots.end(),
                [](const Rational& x, const Rational& y) { return !y.isZero() && (x.isZero() || (y - x).sign() < 0); });
            const Rational leading = MadeIntegral(*k).p.front().re;
            worked.steps.push_back(MakeStep(StepRule::kIdentity, "以上より",
                Row({Applied("P", Name("x")), Op("="), Factorization(leading, roots)})));
        }
        return finish(deadline.passed());
    }

    // No root the factor theorem finds: the same opening, then Cardano.
    const Integral integral = MadeIntegral(*k);
    if (!fmpz_is_one(integral.scale.get()))
        worked.steps.push_back(
            MakeStep(StepRule::kProblem, "係数を整数にするため両辺を " + integral.scale.text() + " 倍すると",
                Row({Polynomial(integral.p), Op("="), Number("0")})));
    worked.steps.push_back(
        MakeStep("factor.define", {}, Row({Applied("P", Name("x")), Op("="), Polynomial(integral.p)}), "とおく"));
    for (Step& step : CandidateSteps(integral.p, "P", false))
        worked.steps.push_back(std::move(step));
    if (deadline.passed())
        return finish(true);
    Step answer = AnswerStep(keisuu, shown);
    worked.steps.push_back(CardanoSection(integral.p, answer));
    worked.stopped = deadline.passed();
    if (worked.stopped)
        worked.steps.push_back(StoppedStep());
    worked.steps.push_back(std::move(answer));
    return worked;
}
