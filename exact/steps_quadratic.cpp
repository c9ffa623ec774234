// SPDX-License-Identifier: MIT
#include "conversions.h"
#include "exact_equations.h"
#include "exact_reading.h"
#include "steps_gaussian.h"
#include "steps_roots.h"
#include "worked_steps.h"

#include <cmath>

#include <algorithm>
#include <optional>
#include <utility>

namespace {

using namespace Formula;
using Gaussian = GaussianRational;

// ------------------------------------------------------------ numbers

bool IsSquare(const Rational& q)
{
    return q.sign() >= 0 && fmpz_is_square(fmpq_numref(q.get())) && fmpz_is_square(fmpq_denref(q.get()));
}

Rational SquareRoot(const Rational& q) // q is a square
{
    Rational root;
    fmpz_sqrt(fmpq_numref(root.get()), fmpq_numref(q.get()));
    fmpz_sqrt(fmpq_denref(root.get()), fmpq_denref(q.get()));
    return root;
}

// ------------------------------------------------------------ formulas

// "a = 2, b = -3, c = -1".
MathNode Coefficients(const std::vector<Gaussian>& k)
{
    const char* names[] = {"a", "b", "c"};
    std::vector<MathNode> row;
    for (std::size_t i = 0; i < 3; ++i) {
        if (!row.empty())
            row.push_back(Op(","));
        row.push_back(Name(names[i]));
        row.push_back(Op("="));
        Append(row, Of(k[i]));
    }
    return Row(std::move(row));
}

// The factor q·x − p of a rational root p/q: "(2x - 1)", "x" for the root 0.
MathNode LinearFactor(const Rational& root, const std::string& v)
{
    if (root.isZero())
        return Name(v);
    std::vector<MathNode> row;
    const Integer q = root.denominator();
    if (!fmpz_is_one(q.get()))
        row.push_back(Of(q));
    row.push_back(Name(v));
    row.push_back(Op(root.sign() > 0 ? "-" : "+"));
    Integer p;
    fmpz_abs(p.get(), fmpq_numref(root.get()));
    row.push_back(Of(p));
    return Group(Row(std::move(row)));
}

// a·x² + b·x + c = k(q₁x − p₁)(q₂x − p₂) for its rational roots, the larger
// first but a factor x (the root 0) in front, a double root squared.
MathNode Factored(const Rational& a, Rational r1, Rational r2, const std::string& v)
{
    if ((r1 - r2).sign() < 0)
        std::swap(r1, r2);
    if (r2.isZero())
        std::swap(r1, r2);
    const Rational k = a / (Rational(r1.denominator()) * Rational(r2.denominator()));
    std::vector<MathNode> row;
    if (k == Rational(-1))
        row.push_back(Op("-"));
    else if (!(k == Rational(1)))
        Append(row, Of(k));
    if (r1 == r2) {
        row.push_back(Power(LinearFactor(r1, v), 2));
    } else {
        row.push_back(LinearFactor(r1, v));
        row.push_back(LinearFactor(r2, v));
    }
    return Row(std::move(row));
}

// The roots w ± v√m (v > 0; m < 0 means √|m| i) over one denominator:
// "(3 ± √17)/4", "1 ± √2", "(-1 ± √3 i)/2", "(-1 ± 3)/4".
MathNode PlusMinus(const Rational& w, const Rational& v, const Integer& m)
{
    Integer r;
    fmpz_lcm(r.get(), fmpq_denref(w.get()), fmpq_denref(v.get()));
    const Rational p = w * Rational(r);
    const Rational q = v * Rational(r);
    Integer magnitude;
    fmpz_abs(magnitude.get(), m.get());
    std::vector<MathNode> row;
    if (!p.isZero())
        Append(row, Of(p));
    row.push_back(Op("±"));
    Append(row, Surd(q, magnitude, fmpz_sgn(m.get()) < 0));
    MathNode top = Row(std::move(row));
    if (fmpz_is_one(r.get()))
        return top;
    return Fraction(std::move(top), Of(r));
}

// top/q, or top alone for q = 1.
MathNode Over(MathNode top, const Rational& q)
{
    if (q == Rational(1))
        return top;
    return Fraction(std::move(top), Of(q));
}

// x + yi for the parts' surds.
MathNode Complexified(const SurdParts& x, const SurdParts& y, bool negative)
{
    std::vector<MathNode> row;
    if (!x.c.isZero())
        Append(row, Surd(x.c, x.m));
    if (!y.c.isZero()) {
        if (negative)
            row.push_back(Op("-"));
        else if (!row.empty())
            row.push_back(Op("+"));
        Append(row, Surd(y.c, y.m, true));
    }
    return Row(std::move(row));
}

// A decimal with its sign as an operator: "1.234", "- 0.567".
void AppendDecimal(std::vector<MathNode>& row, const std::string& text, bool joined)
{
    if (!text.empty() && text.front() == '-') {
        row.push_back(Op("-"));
        row.push_back(Number(text.substr(1)));
        return;
    }
    if (joined)
        row.push_back(Op("+"));
    row.push_back(Number(text));
}

// ------------------------------------------------------------ the two ways

// Real coefficients: the discriminant (or its quarter), its sign, the
// factorization where the roots are rational, and the formula.
void RealSteps(WorkedSteps& worked, const Rational& a, const Rational& b, const Rational& c, const std::string& unknown)
{
    // The textbook halves b when it is even and a and c are whole numbers.
    const bool half = a.isInteger() && b.isInteger() && c.isInteger() && fmpz_is_even(fmpq_numref(b.get()));
    const Rational h = b / Rational(2);
    const Rational d = half ? h * h - a * c : b * b - Rational(4) * a * c;
    const auto dName = [half] { return half ? Fraction(Name("D"), Number("4")) : Name("D"); };
    if (half) {
        worked.steps.push_back(
            MakeStep("quadratic.half", "b が偶数なので b = 2b' とおくと", Row({Name("b'"), Op("="), Of(h)})));
        worked.steps.push_back(MakeStep("quadratic.discriminant", "判別式",
            Row({dName(), Op("="), Power(Name("b'"), 2), Op("-"), Name("a"), Name("c"), Op("="),
                Power(Substituted(h), 2), Op("-"), Substituted(a), Op("×"), Substituted(c), Op("="), Of(d)})));
    } else {
        worked.steps.push_back(MakeStep("quadratic.discriminant", "判別式",
            Row({dName(), Op("="), Power(Name("b"), 2), Op("-"), Number("4"), Name("a"), Name("c"), Op("="),
                Power(Substituted(b), 2), Op("-"), Number("4"), Op("×"), Substituted(a), Op("×"), Substituted(c),
                Op("="), Of(d)})));
    }

    const int sign = d.sign();
    const char* relation = sign > 0 ? ">" : sign == 0 ? "=" : "<";
    const char* kind = sign > 0 ? "より、異なる2つの実数解をもつ"
        : sign == 0             ? "より、重解をもつ"
                                : "より、異なる2つの虚数解をもつ";
    worked.steps.push_back(MakeStep("quadratic.classify", {}, Row({dName(), Op(relation), Number("0")}), kind));

    // The roots are w ± v√m.
    const Rational denominator = half ? a : Rational(2) * a;
    const Rational w = -(half ? h : b) / denominator;
    const SurdParts root = SquareRootParts(Abs(d));
    const Rational v = Abs(root.c / denominator);
    // Already a product (ax²) it needs no factoring.
    const MathNode polynomial = Polynomial({Real(a), Real(b), Real(c)}, unknown);
    const MathNode factored = sign >= 0 && fmpz_is_one(root.m.get()) ? Factored(a, w + v, w - v, unknown) : MathNode{};
    if (!factored.children.empty() && !Same(polynomial, factored)) {
        worked.steps.push_back(
            MakeStep(StepRule::kIdentity, "左辺を因数分解すると", Row({polynomial, Op("="), factored})));
    }

    const MathNode minusB = half ? Row({Op("-"), Name("b'")}) : Row({Op("-"), Name("b")});
    const MathNode twoA = half ? Name("a") : Row({Number("2"), Name("a")});
    const Rational& bUsed = half ? h : b;
    if (sign == 0) {
        worked.steps.push_back(MakeStep("quadratic.formula", "重解は",
            Chain({Name(unknown), Fraction(minusB, twoA),
                bUsed.isZero()               ? Of(w)
                    : denominator.sign() < 0 ? Over(Of(bUsed), -denominator)
                                             : Over(Of(-bUsed), denominator),
                Of(w)})));
        return;
    }

    // The formula, the numbers put in (a negative denominator changing sign
    // with the numerator, ± staying ±), the root simplified, and the roots
    // themselves where they are rational.
    const bool flip = denominator.sign() < 0;
    std::vector<MathNode> top;
    if (!bUsed.isZero())
        Append(top, Of(flip ? bUsed : -bUsed));
    top.push_back(Op("±"));
    top.push_back(Root(Of(d)));
    Integer m = root.m;
    if (sign < 0)
        fmpz_neg(m.get(), m.get());
    std::vector<MathNode> members{Name(unknown), Fraction(Row({minusB, Op("±"), Root(dName())}), twoA),
        Over(Row(std::move(top)), flip ? -denominator : denominator), PlusMinus(w, v, m)};
    if (sign > 0 && fmpz_is_one(root.m.get()))
        members.push_back(Row({Of(w + v), Op(","), Of(w - v)}));
    worked.steps.push_back(MakeStep("quadratic.formula", "解の公式より", Chain(std::move(members))));
}

// Complex coefficients: the discriminant, its square root where it has a form
// with square roots (else its decimal, said so), and the formula.
void ComplexSteps(
    WorkedSteps& worked, const Gaussian& a, const Gaussian& b, const Gaussian& c, const std::string& unknown)
{
    const Gaussian d = b * b - Real(Rational(4)) * a * c;
    worked.steps.push_back(MakeStep("quadratic.discriminant", "判別式",
        Row({Name("D"), Op("="), Power(Name("b"), 2), Op("-"), Number("4"), Name("a"), Name("c"), Op("="),
            Power(Substituted(b), 2), Op("-"), Number("4"), Op("×"), Substituted(a), Op("×"), Substituted(c), Op("="),
            Of(d)})));

    const Gaussian twoA = Real(Rational(2)) * a;
    const MathNode formula
        = Fraction(Row({Op("-"), Name("b"), Op("±"), Root(Name("D"))}), Row({Number("2"), Name("a")}));
    if (IsZero(d)) {
        worked.steps.push_back(MakeStep("quadratic.formula", "D = 0 なので重解は",
            Chain({Name(unknown), Fraction(Row({Op("-"), Name("b")}), Row({Number("2"), Name("a")})),
                Fraction(Of(-b), Of(twoA)), Of(-b / twoA)})));
        return;
    }

    // √(u + vi) = x + σyi with m = |D|, x = √((m + u)/2), y = √((m − u)/2),
    // σ the sign of v (+ for v = 0): surds exactly when m is rational.
    const Rational norm = d.re * d.re + d.im * d.im;
    std::vector<MathNode> top;
    if (!IsZero(b))
        Append(top, Of(-b));
    top.push_back(Op("±"));
    if (IsSquare(norm)) {
        const Rational m = SquareRoot(norm);
        const SurdParts x = SquareRootParts((m + d.re) / Rational(2));
        const SurdParts y = SquareRootParts((m - d.re) / Rational(2));
        const MathNode root = Complexified(x, y, d.im.sign() < 0);
        worked.steps.push_back(MakeStep(
            "quadratic.root", "D の平方根の1つは", Row({Root(Name("D")), Op("="), Root(Of(d)), Op("="), root})));
        top.push_back(root.children.size() > 1 ? Group(root) : root);
        std::vector<MathNode> members{Name(unknown), formula, Fraction(Row(std::move(top)), Of(twoA))};
        if (fmpz_is_one(x.m.get()) && fmpz_is_one(y.m.get())) {
            const Gaussian s{x.c, d.im.sign() < 0 ? -y.c : y.c};
            members.push_back(Row({Of((-b + s) / twoA), Op(","), Of((-b - s) / twoA)}));
        }
        worked.steps.push_back(MakeStep("quadratic.formula", "解の公式より", Chain(std::move(members))));
        return;
    }

    Flint<acb_struct> z;
    const slong prec = 128 + std::max(d.re.bits(), d.im.bits());
    arb_set_fmpq(acb_realref(z.get()), d.re.get(), prec);
    arb_set_fmpq(acb_imagref(z.get()), d.im.get(), prec);
    acb_sqrt(z.get(), z.get(), prec);
    if (const auto near = Nearest(z.get())) {
        std::vector<MathNode> decimal{Root(Name("D")), Op("≈")};
        AppendDecimal(decimal, FormatFixed(near->re, "0.000"), false);
        AppendDecimal(decimal, FormatFixed(near->im, "0.000"), true);
        decimal.push_back(Name("i"));
        worked.steps.push_back(MakeStep("quadratic.root",
            "D の平方根は整数・分数と √ だけでは表せないので、小数で表すと", Row(std::move(decimal))));
    }
    top.push_back(Root(Of(d)));
    worked.steps.push_back(MakeStep(
        "quadratic.formula", "解の公式より", Chain({Name(unknown), formula, Fraction(Row(std::move(top)), Of(twoA))})));
}

// A part as the exact view shows it: its canonical text, or "≈" and its
// true value where that is known, else the decimal root's, to three places.
std::string ShownText(const ExactText& part, double decimal)
{
    const double value = std::isfinite(part.value_as_double) ? part.value_as_double : decimal;
    return ExactLabelText(part, FormatFixed(value, "0.000"));
}

} // namespace

std::optional<std::vector<GaussianRational>> ReadCoefficients(const std::vector<CoefficientBoxes>& keisuu)
{
    std::vector<Gaussian> k;
    for (const CoefficientBoxes& boxes : keisuu) {
        const auto re = ReadExact(boxes.re), im = ReadExact(boxes.im);
        if (!re || !im)
            return std::nullopt;
        k.push_back({*re, *im});
    }
    return k;
}

std::size_t DistinctRootCount(const std::vector<GaussianRational>& p)
{
    // Lowest power first, no zero leading coefficient.
    using Poly = std::vector<Gaussian>;
    const auto trim = [](Poly& f) {
        while (!f.empty() && IsZero(f.back()))
            f.pop_back();
    };
    const auto remainder = [&trim](Poly f, const Poly& d) {
        while (f.size() >= d.size()) {
            const Gaussian factor = f.back() / d.back();
            const std::size_t shift = f.size() - d.size();
            for (std::size_t k = 0; k < d.size(); ++k)
                f[shift + k] = f[shift + k] - factor * d[k];
            f.pop_back();
            trim(f);
        }
        return f;
    };
    Poly f(p.rbegin(), p.rend());
    trim(f);
    if (f.size() < 2)
        return 0;
    Poly g;
    for (std::size_t k = 1; k < f.size(); ++k)
        g.push_back(Real(Rational(static_cast<long>(k))) * f[k]);
    Poly a = f;
    while (!g.empty()) {
        Poly r = remainder(a, g);
        a = std::move(g);
        g = std::move(r);
    }
    return (f.size() - 1) - (a.size() - 1);
}

QuadraticWork SolveQuadratic(
    const GaussianRational& a, const GaussianRational& b, const GaussianRational& c, const std::string& v)
{
    const std::vector<Gaussian> k{a, b, c};
    WorkedSteps worked;
    worked.steps.push_back(MakeStep(StepRule::kProblem, {}, Row({Polynomial(k, v), Op("="), Number("0")})));
    worked.steps.push_back(MakeStep("quadratic.coefficients", {}, Coefficients(k)));
    if (IsRealPolynomial(k))
        RealSteps(worked, a.re, b.re, c.re, v);
    else
        ComplexSteps(worked, a, b, c, v);

    QuadraticWork work;
    work.steps = std::move(worked.steps);
    // (−b ± √D)/(2a), each once.
    const Gaussian d = b * b - Real(Rational(4)) * a * c;
    const Gaussian twoA = Real(Rational(2)) * a;
    const auto exact = [](const Gaussian& z) { return FromParts(Algebraic(z.re), Algebraic(z.im)); };
    if (IsZero(d)) {
        work.roots.push_back(exact(-b / twoA));
        return work;
    }
    const Algebraic root = Sqrt(exact(d));
    const Algebraic centre = exact(-b / twoA);
    const Algebraic scale = exact(Gaussian{Rational(1), {}} / twoA);
    work.roots.push_back(centre + root * scale);
    work.roots.push_back(centre - root * scale);
    return work;
}

WorkedSteps QuadraticSteps(const std::vector<CoefficientBoxes>& keisuu, const std::vector<Complex>& shown)
{
    if (keisuu.size() != 3 || shown.size() != 2)
        return {};
    const auto k = ReadCoefficients(keisuu);
    if (!k || IsZero((*k)[0]))
        return {};

    WorkedSteps worked;
    const std::vector<Gaussian>& c = *k;
    worked.steps.push_back(MakeStep(StepRule::kProblem, {}, Row({Polynomial(c), Op("="), Number("0")})));
    worked.steps.push_back(MakeStep("quadratic.coefficients", {}, Coefficients(c)));
    if (IsRealPolynomial(c))
        RealSteps(worked, c[0].re, c[1].re, c[2].re, "x");
    else
        ComplexSteps(worked, c[0], c[1], c[2], "x");
    worked.steps.push_back(AnswerStep(keisuu, shown));
    return worked;
}

Step StoppedStep()
{
    return MakeStep("stopped", "計算に時間がかかるため、途中式はここまでとする", Row({}));
}

Step AnswerStep(const std::vector<CoefficientBoxes>& keisuu, const std::vector<Complex>& shown)
{
    // The exact view's texts in the screen's rows; equal texts are one root
    // counted as often as it appears, when that gives as many roots as the
    // equation has distinct ones (else every row is listed).
    const std::vector<ExactRoot> rows = ExactRoots(keisuu, shown);
    std::vector<std::pair<std::string, std::string>> texts;
    for (std::size_t r = 0; r < rows.size() && r < shown.size(); ++r)
        texts.emplace_back(ShownText(rows[r].re, shown[r].re), ShownText(rows[r].im, shown[r].im));
    std::vector<std::size_t> firsts, counts;
    for (std::size_t r = 0; r < texts.size(); ++r) {
        const auto seen
            = std::find_if(firsts.begin(), firsts.end(), [&](std::size_t f) { return texts[f] == texts[r]; });
        if (seen == firsts.end()) {
            firsts.push_back(r);
            counts.push_back(1);
        } else {
            ++counts[static_cast<std::size_t>(seen - firsts.begin())];
        }
    }
    const auto k = ReadCoefficients(keisuu);
    if (!k || DistinctRootCount(*k) != firsts.size()) {
        firsts.clear();
        counts.clear();
        for (std::size_t r = 0; r < texts.size(); ++r) {
            firsts.push_back(r);
            counts.push_back(1);
        }
    }
    static const char* const marks[] = {"", "", "（重解）", "（3重解）", "（4重解）"};
    const auto mark = [](std::size_t n) { return n < 5 ? marks[n] : ""; };
    std::vector<MathNode> list{Name("x"), Op("=")};
    for (std::size_t j = 0; j < firsts.size(); ++j) {
        if (j > 0)
            list.push_back(Op(","));
        Append(list, RootValue(texts[firsts[j]].first, texts[firsts[j]].second));
        if (firsts.size() > 1 && counts[j] > 1)
            list.push_back(Word(mark(counts[j])));
    }
    return MakeStep(StepRule::kAnswer, "答", Row(std::move(list)), counts.size() == 1 ? mark(counts.front()) : "");
}
