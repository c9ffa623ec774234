// SPDX-License-Identifier: MIT
// The quartic's worked steps, by the route a 数学II textbook takes for its
// coefficients: 複2次式 (x² = t), 相反方程式 (X = x + 1/x), the factor theorem
// while rational roots remain, two quadratic factors with rational
// coefficients, and otherwise Ferrari's method as a reference section whose
// roots are the exact view's. Equations in x that hold at the roots (but not
// for every x) are steps of the problem rule: the checker tests them at the
// roots the steps find.

#include "exact_reading.h"
#include "steps_gaussian.h"
#include "steps_roots.h"

#include <flint/fmpq_poly.h>
#include <flint/fmpz_poly.h>
#include <flint/fmpz_poly_factor.h>

#include <algorithm>
#include <chrono>
#include <utility>

namespace {

using namespace Formula;
using Gaussian = GaussianRational;
using Poly = std::vector<Gaussian>; // highest power first

// The steps come well within the window's budget; past this, the route so
// far and the exact view's answer.
constexpr std::chrono::milliseconds kStepsBudget{150};

bool IsReal(const Poly& p)
{
    return IsRealPolynomial(p);
}

MathNode Equation(MathNode left)
{
    return Row({std::move(left), Op("="), Number("0")});
}

Step Problem(std::string caption, MathNode math)
{
    return MakeStep(StepRule::kProblem, std::move(caption), std::move(math));
}

// c·base as a term of a sum: the sign joins the terms, a coefficient 1 is
// left out (but not alone), a non-real one stands in brackets. `over` puts
// the coefficient over `base` ("3/x", "1/x²").
void AppendTerm(std::vector<MathNode>& row, const Gaussian& c, const MathNode* base, bool over = false)
{
    if (IsZero(c))
        return;
    const bool first = row.empty();
    MathNode magnitude;
    if (c.im.isZero() || c.re.isZero()) {
        const Rational& part = c.im.isZero() ? c.re : c.im;
        if (part.sign() < 0)
            row.push_back(Op("-"));
        else if (!first)
            row.push_back(Op("+"));
        const Rational size = part.sign() < 0 ? -part : part;
        if (!c.im.isZero())
            magnitude = Surd(size, Integer(1), true);
        else if (!(size == Rational(1)) || !base || over)
            magnitude = Of(size);
    } else {
        if (!first)
            row.push_back(Op("+"));
        magnitude = Group(Of(c));
    }
    if (over) {
        row.push_back(Fraction(std::move(magnitude), *base));
        return;
    }
    if (!magnitude.children.empty() || magnitude.kind != MathNode::Kind::Row)
        Append(row, std::move(magnitude));
    if (base)
        Append(row, *base);
}

MathNode PowerOf(const std::string& v, long k)
{
    return k == 1 ? Name(v) : Power(Name(v), k);
}

// The factor x − r: "(x - 2)", "(x + 1/2)", "(x - (1 + 2i))", "x" for 0.
MathNode LinearFactor(const Gaussian& r)
{
    if (IsZero(r))
        return Name("x");
    if (r.im.isZero())
        return Group(Polynomial({Real(Rational(1)), -r}));
    return Group(Row({Name("x"), Op("-"), Group(Of(r))}));
}

// p divided by x − r, whose remainder is 0 (組立除法).
Poly DividedByRoot(const Poly& p, const Gaussian& r)
{
    Poly quotient;
    Gaussian carry{};
    for (std::size_t j = 0; j + 1 < p.size(); ++j) {
        carry = carry * r + p[j];
        quotient.push_back(carry);
    }
    return quotient;
}

// ------------------------------------------------------------ w ± v√m

// The number w + v√m with rationals w, v and an integer m (i√|m| for m < 0);
// the roots of a quadratic with rational coefficients.
struct Surdish {
    Rational w, v;
    Integer m{1};
};

Integer Abs(const Integer& n)
{
    Integer a;
    fmpz_abs(a.get(), n.get());
    return a;
}

bool IsRational(const Surdish& s)
{
    return s.v.isZero() || fmpz_is_one(s.m.get());
}

// w + v√m over one denominator, as the quadratic's formula leaves it:
// "3 + 2√2", "(-1 + √5)/2", "(-1 - √3 i)/2"; `op` joins the parts ("±" for
// both roots at once).
MathNode OverOne(const Surdish& s, const char* op)
{
    Integer r;
    fmpz_lcm(r.get(), fmpq_denref(s.w.get()), fmpq_denref(s.v.get()));
    const Rational whole(r, Integer(1));
    const Rational p = s.w * whole, q = s.v * whole;
    std::vector<MathNode> top;
    if (!p.isZero())
        Append(top, Of(p));
    if (!p.isZero() || std::string(op) != "+")
        top.push_back(Op(op));
    Append(top, Surd(q.sign() < 0 ? -q : q, Abs(s.m), fmpz_sgn(s.m.get()) < 0));
    MathNode row = Row(std::move(top));
    if (fmpz_is_one(r.get()))
        return row;
    return Fraction(std::move(row), Of(r));
}

MathNode NodeOf(const Surdish& s)
{
    if (IsRational(s))
        return Of(s.w + s.v);
    return OverOne(s, s.v.sign() < 0 ? "-" : "+");
}

Algebraic Exact(const Surdish& s)
{
    return Algebraic(s.w) + Sqrt(Algebraic(Rational(s.m, Integer(1)))) * s.v;
}

// The roots of a·v² + b·v + c (real, a ≠ 0), the larger part first; one
// for a double root.
std::vector<Surdish> QuadraticRoots(const Rational& a, const Rational& b, const Rational& c)
{
    const Rational d = b * b - Rational(4) * a * c;
    const Rational w = -b / (Rational(2) * a);
    if (d.isZero())
        return {{w, {}, Integer(1)}};
    const SurdParts parts = SquareRootParts(d.sign() < 0 ? -d : d);
    Rational v = parts.c / (Rational(2) * a);
    if (v.sign() < 0)
        v = -v;
    Integer m = parts.m;
    if (d.sign() < 0)
        fmpz_neg(m.get(), m.get());
    if (fmpz_is_one(m.get())) // rational roots: fold v into w
        return {{w + v, {}, Integer(1)}, {w - v, {}, Integer(1)}};
    return {{w, v, m}, {w, -v, m}};
}

// √(p + q√m) = √α ± √β when α + β = p and αβ = q²m/4 are rationals α, β ≥ 0
// (二重根号); nothing when it does not denest.
std::optional<MathNode> Denested(const Surdish& s)
{
    if (IsRational(s) || fmpz_sgn(s.m.get()) < 0 || s.w.sign() <= 0)
        return std::nullopt;
    const Rational gap = s.w * s.w - s.v * s.v * Rational(s.m, Integer(1));
    if (gap.sign() < 0 || !fmpz_is_square(fmpq_numref(gap.get())) || !fmpz_is_square(fmpq_denref(gap.get())))
        return std::nullopt;
    Rational root;
    fmpz_sqrt(fmpq_numref(root.get()), fmpq_numref(gap.get()));
    fmpz_sqrt(fmpq_denref(root.get()), fmpq_denref(gap.get()));
    const SurdParts alpha = SquareRootParts((s.w + root) / Rational(2));
    const SurdParts beta = SquareRootParts((s.w - root) / Rational(2));
    // Over one denominator: "√2 + 1", "(√5 + 1)/2".
    Integer r;
    fmpz_lcm(r.get(), fmpq_denref(alpha.c.get()), fmpq_denref(beta.c.get()));
    const Rational whole(r, Integer(1));
    MathNode top = Row({Surd(alpha.c * whole, alpha.m), Op(s.v.sign() < 0 ? "-" : "+"), Surd(beta.c * whole, beta.m)});
    if (fmpz_is_one(r.get()))
        return top;
    return Fraction(std::move(top), Of(r));
}

// ------------------------------------------------------------ the work

class QuarticWork {
public:
    QuarticWork(const std::vector<CoefficientBoxes>& keisuu, const std::vector<Complex>& shown, Poly k)
        : keisuu_(keisuu)
        , shown_(shown)
        , k_(std::move(k))
        , deadline_(kStepsBudget)
    {
    }

    WorkedSteps Steps()
    {
        Push(Problem({}, Equation(Polynomial(k_))));
        if (Biquadratic() || Reciprocal())
            OtherWay();
        else if (!RationalRoots() && !FactorPair() && !Late())
            Ferrari();
        return Finish();
    }

private:
    bool Late()
    {
        if (deadline_.passed())
            worked_.stopped = true;
        return worked_.stopped;
    }

    void Push(Step step) { worked_.steps.push_back(std::move(step)); }

    WorkedSteps Finish()
    {
        if (worked_.stopped)
            worked_.steps.push_back(StoppedStep());
        worked_.steps.push_back(AnswerStep(keisuu_, shown_));
        return std::move(worked_);
    }

    // A step whose substeps solve a·v² + b·v + c = 0.
    void Solve(Step parent, const Gaussian& a, const Gaussian& b, const Gaussian& c, const std::string& v)
    {
        QuadraticWork work = SolveQuadratic(a, b, c, v);
        for (Step& step : work.steps)
            parent.substeps.push_back(std::move(step));
        Push(std::move(parent));
    }

    // "v = r₁, r₂" or "v = w ± v√m": binds v to the roots.
    void Found(const std::string& v, const std::vector<Surdish>& roots)
    {
        std::vector<MathNode> row{Name(v), Op("=")};
        if (roots.size() == 2 && !IsRational(roots[0])) {
            const Surdish& r = roots[0];
            Append(row, OverOne({r.w, r.v.sign() < 0 ? -r.v : r.v, r.m}, "±"));
        } else {
            for (std::size_t j = 0; j < roots.size(); ++j) {
                if (j > 0)
                    row.push_back(Op(","));
                Append(row, NodeOf(roots[j]));
            }
        }
        Push(MakeStep("quartic.found", "よって", Row(std::move(row))));
    }

    // Where 複2次式 or 相反方程式 solved an equation with a rational root,
    // the factor theorem finds it too: a second way, as an answer key adds
    // one, its first factor shown.
    void OtherWay()
    {
        if (worked_.stopped || !IsReal(k_) || !HasRationalRoot())
            return;
        auto work = FactorOutRoot(k_, "P");
        if (!work)
            return;
        Step other
            = MakeStep("quartic.otherway", "別解：有理数の解をもつので、因数定理と組立除法でも因数分解できる", Row({}));
        other.substeps = std::move(work->steps);
        Push(std::move(other));
        Late();
    }

    // ------------------------------------------------ 複2次式

    bool Biquadratic()
    {
        if (!IsZero(k_[1]) || !IsZero(k_[3]))
            return false;
        Solve(MakeStep("quartic.substitute", "x² = t とおくと、t についての2次方程式になる", Row({})), k_[0], k_[2],
            k_[4], "t");
        if (Late())
            return true;
        if (!IsReal(k_)) {
            Push(MakeStep("quartic.roots", "x² = t より、それぞれの t について x = ±√t", Row({})));
            return true;
        }
        const std::vector<Surdish> ts = QuadraticRoots(k_[0].re, k_[2].re, k_[4].re);
        Found("t", ts);
        // A non-real t leaves x as the root of a non-real number; where the
        // left side splits into rational quadratics ((x² + 1)² − x² for
        // x⁴ + x² + 1), they give the roots plainly.
        if (!Exact(ts.front()).isReal() && SplitsIntoQuadratics()) {
            FactorPair("t が虚数なので、x = ±√t の代わりに、左辺を有理数の範囲で2次式の積に因数分解して解く");
            return true;
        }

        // x = ±√t for each t, then each root simplified: a square, a surd,
        // a nested root that denests (shown), i for a negative t.
        std::vector<MathNode> raw, simple;
        std::vector<Step> denesting;
        for (std::size_t j = 0; j < ts.size(); ++j) {
            if (j > 0) {
                raw.push_back(Op(","));
                simple.push_back(Op(","));
            }
            const Surdish& t = ts[j];
            Append(raw, Row({Op("±"), Root(NodeOf(t))}));
            const Algebraic value = Exact(t);
            if (value.isZero()) {
                simple.push_back(Number("0"));
                continue;
            }
            if (!value.isReal()) {
                Append(simple, Row({Op("±"), Root(NodeOf(t))}));
                continue;
            }
            const bool negative = value.realSign() < 0;
            const Surdish size = negative ? Surdish{-t.w, -t.v, t.m} : t;
            MathNode magnitude;
            if (IsRational(size)) {
                const SurdParts parts = SquareRootParts(size.w + size.v);
                magnitude = Surd(parts.c, parts.m, negative);
            } else if (const auto denested = Denested(size)) {
                denesting.push_back(
                    MakeStep("quartic.denest", "二重根号をはずすと", Row({Root(NodeOf(size)), Op("="), *denested})));
                const MathNode whole = denested->kind == MathNode::Kind::Fraction ? *denested : Group(*denested);
                magnitude = negative ? Row({whole, Name("i")}) : whole;
            } else {
                magnitude = negative ? Row({Root(NodeOf(size)), Name("i")}) : Root(NodeOf(size));
            }
            Append(simple, Row({Op("±"), std::move(magnitude)}));
        }
        Push(MakeStep(
            "quartic.roots", "x² = t より", Row({Name("x"), Op("="), Op("±"), Root(Name("t")), Op("="), Row(raw)})));
        for (Step& step : denesting)
            Push(std::move(step));
        if (!Same(Row(raw), Row(simple)))
            Push(MakeStep("quartic.roots", "よって", Row({Name("x"), Op("="), Row(std::move(simple))})));
        return true;
    }

    // ------------------------------------------------ 相反方程式

    bool Reciprocal()
    {
        const Gaussian &a = k_[0], &b = k_[1], &c = k_[2];
        if (!(k_[4] == a) || !(k_[3] == b))
            return false;
        const bool real = IsReal(k_);
        const Gaussian c2 = c - Real(Rational(2)) * a;
        // X is named in the steps only where its values have a form.
        std::vector<Surdish> xs;
        if (real)
            xs = QuadraticRoots(a.re, b.re, c2.re);

        const MathNode x2 = PowerOf("x", 2), x1 = Name("x");
        std::vector<MathNode> divided;
        AppendTerm(divided, a, &x2);
        AppendTerm(divided, b, &x1);
        AppendTerm(divided, c, nullptr);
        AppendTerm(divided, b, &x1, true);
        AppendTerm(divided, a, &x2, true);
        Push(Problem(
            "x = 0 は解ではない（定数項が 0 でない）ので、両辺を x² で割ると", Equation(Row(std::move(divided)))));

        const MathNode sum2 = Group(Row({PowerOf("x", 2), Op("+"), Fraction(Number("1"), PowerOf("x", 2))}));
        const MathNode sum1 = Group(Row({Name("x"), Op("+"), Fraction(Number("1"), Name("x"))}));
        std::vector<MathNode> grouped;
        AppendTerm(grouped, a, &sum2);
        AppendTerm(grouped, b, &sum1);
        AppendTerm(grouped, c, nullptr);
        Push(Problem("整理すると", Equation(Row(std::move(grouped)))));

        std::vector<MathNode> square{PowerOf("x", 2), Op("+"), Fraction(Number("1"), PowerOf("x", 2)), Op("="),
            Power(sum1, 2), Op("-"), Number("2")};
        if (real)
            Append(square, Row({Op("="), PowerOf("X", 2), Op("-"), Number("2")}));
        Push(Problem("X = x + 1/x とおくと", Row(std::move(square))));

        const MathNode bigX = Name("X");
        const MathNode shifted = Group(Row({PowerOf("X", 2), Op("-"), Number("2")}));
        std::vector<MathNode> inX;
        AppendTerm(inX, a, &shifted);
        AppendTerm(inX, b, &bigX);
        AppendTerm(inX, c, nullptr);
        Step substituted = MakeStep("quartic.substitute", "X についての2次方程式になる", Row({}));
        substituted.substeps.push_back(Problem("代入すると", Equation(Row(std::move(inX)))));
        Solve(std::move(substituted), a, b, c2, "X");
        if (Late())
            return true;
        if (!real) {
            Push(MakeStep("quartic.each",
                "x + 1/x = X の両辺に x を掛けた x² - Xx + 1 = 0 を、それぞれの X について解く", Row({})));
            return true;
        }
        Found("X", xs);

        if (std::all_of(xs.begin(), xs.end(), IsRational)) {
            for (const Surdish& root : xs) {
                const Rational value = root.w + root.v;
                Step each = MakeStep("quartic.each",
                    "x + 1/x = X の両辺に x を掛けて x² - Xx + 1 = 0。X = " + PlainNumber(value) + " のとき", Row({}));
                Solve(std::move(each), Real(Rational(1)), Real(-value), Real(Rational(1)), "x");
                if (Late())
                    return true;
            }
            return true;
        }
        // X = w ± v√m: x = (X ± √(X² − 4))/2 with X² − 4 = (w² + v²m − 4) +
        // 2wv√m, each X in a scope of its own.
        Push(MakeStep("quartic.each",
            "x + 1/x = X の両辺に x を掛けた x² - Xx + 1 = 0 を、それぞれの X について解の公式 x = (X ± √(X² - 4))/2 "
            "で解く",
            Row({})));
        for (const Surdish& root : xs) {
            const MathNode value = NodeOf(root);
            const Rational m(root.m, Integer(1));
            const Surdish d{root.w * root.w + root.v * root.v * m - Rational(4), Rational(2) * root.w * root.v, root.m};
            const bool negative = fmpz_sgn(root.m.get()) > 0 && Exact(d).realSign() < 0;
            Step each
                = MakeStep("quartic.each", &root == &xs.front() ? "1つ目の X について" : "2つ目の X について", Row({}));
            const MathNode bracketed = value.kind == MathNode::Kind::Row ? Group(value) : value;
            each.substeps.push_back(
                Problem({}, Equation(Row({PowerOf("x", 2), Op("-"), bracketed, Name("x"), Op("+"), Number("1")}))));
            std::vector<MathNode> members{Name("x"), Fraction(Row({value, Op("±"), Root(NodeOf(d))}), Number("2"))};
            if (negative) {
                const Surdish size{-d.w, -d.v, d.m};
                members.push_back(Fraction(Row({value, Op("±"), Root(NodeOf(size)), Name("i")}), Number("2")));
            }
            // X over 2 (as the quadratic in X leaves it): over one denominator,
            // (2X ± √(4(X² − 4)))/4.
            const Rational two(2);
            const Surdish doubled{root.w * two, root.v * two, root.m};
            if ((root.w * two).isInteger() && (root.v * two).isInteger()) {
                const Rational four(4);
                const Surdish inner
                    = negative ? Surdish{-d.w * four, -d.v * four, d.m} : Surdish{d.w * four, d.v * four, d.m};
                std::vector<MathNode> top;
                Append(top, NodeOf(doubled));
                top.push_back(Op("±"));
                top.push_back(Root(NodeOf(inner)));
                if (negative)
                    top.push_back(Name("i"));
                members.push_back(Fraction(Row(std::move(top)), Number("4")));
            }
            each.substeps.push_back(MakeStep("quartic.each", "解の公式より", Chain(members)));
            Push(std::move(each));
        }
        return true;
    }

    static std::string PlainNumber(const Rational& q)
    {
        Integer n, d;
        fmpz_set(n.get(), fmpq_numref(q.get()));
        fmpz_set(d.get(), fmpq_denref(q.get()));
        return fmpz_is_one(d.get()) ? n.text() : n.text() + "/" + d.text();
    }

    // ------------------------------------------------ factor theorem

    // The integer polynomial of a real one, scaled; factored.
    bool Factor(Flint<fmpz_poly_factor_struct>& factors)
    {
        if (!IsReal(k_))
            return false;
        Flint<fmpq_poly_struct> q;
        for (std::size_t j = 0; j < k_.size(); ++j)
            fmpq_poly_set_coeff_fmpq(q.get(), static_cast<slong>(k_.size() - 1 - j), k_[j].re.get());
        Flint<fmpz_poly_struct> integral;
        fmpq_poly_get_numerator(integral.get(), q.get());
        fmpz_poly_factor(factors.get(), integral.get());
        return true;
    }

    bool HasRationalRoot()
    {
        if (!factored_) {
            factored_ = true;
            real_ = Factor(factors_);
        }
        if (!real_)
            return true; // for complex coefficients, the factor theorem says
        for (slong j = 0; j < factors_->num; ++j)
            if (fmpz_poly_degree(factors_->p + j) == 1)
                return true;
        return false;
    }

    bool RationalRoots()
    {
        if (!HasRationalRoot())
            return false;
        Poly p = k_;
        std::vector<Gaussian> roots;
        const char* names[] = {"P", "Q", "R"};
        while (p.size() > 3) {
            auto work = FactorOutRoot(p, names[roots.size()]);
            if (!work)
                break;
            for (Step& step : work->steps)
                Push(std::move(step));
            roots.push_back(work->root);
            p = work->quotient;
            if (Late())
                return true;
        }
        if (roots.empty())
            return false;

        // The factorization from the roots found: a rational root p/q as
        // the factor qx − p, equal roots together as a power, the rest with
        // the leading coefficient.
        Poly rest = k_;
        std::vector<MathNode> product;
        std::vector<bool> used(roots.size());
        for (std::size_t j = 0; j < roots.size(); ++j) {
            rest = DividedByRoot(rest, roots[j]);
            if (used[j])
                continue;
            long times = 0;
            for (std::size_t l = j; l < roots.size(); ++l) {
                if (roots[l] == roots[j]) {
                    used[l] = true;
                    ++times;
                }
            }
            const Gaussian& r = roots[j];
            MathNode factor = LinearFactor(r);
            if (r.im.isZero() && !r.re.isInteger()) {
                Integer d;
                fmpz_set(d.get(), fmpq_denref(r.re.get()));
                const Rational q(d, Integer(1));
                factor = Group(Polynomial({Real(q), Real(-(r.re * q))}));
                for (long t = 0; t < times; ++t)
                    for (Gaussian& c : rest)
                        c = {c.re / q, c.im / q};
            }
            product.push_back(times > 1 ? Power(std::move(factor), times) : std::move(factor));
        }
        product.push_back(Group(Polynomial(rest)));
        // One root: the factor theorem's own last line already says it.
        if (roots.size() > 1)
            Push(MakeStep(StepRule::kIdentity, "以上より", Row({Polynomial(k_), Op("="), Row(std::move(product))})));
        p = rest;
        if (p.size() == 3) {
            Solve(MakeStep("quartic.rest", "残りの2次方程式を解く", Row({})), p[0], p[1], p[2], "x");
        } else if (p.size() == 4) {
            Push(MakeStep("quartic.rest",
                IsReal(p) ? "残りの3次方程式は有理数の解をもたない。その解は答に示す"
                          : "残りの3次方程式は実部と虚部が有理数の解をもたない。その解は答に示す",
                Row({})));
        }
        return true;
    }

    // ------------------------------------------------ two quadratic factors

    // Real coefficients, no rational root, and every rational factor a
    // quadratic.
    bool SplitsIntoQuadratics()
    {
        if (!IsReal(k_) || HasRationalRoot())
            return false;
        slong degree = 0;
        for (slong j = 0; j < factors_->num; ++j) {
            if (fmpz_poly_degree(factors_->p + j) != 2)
                return false;
            degree += 2 * factors_->exp[j];
        }
        return degree == 4;
    }

    bool FactorPair(const char* why = "有理数の解はもたないが、左辺は有理数の範囲で2次式の積に因数分解できる")
    {
        if (!SplitsIntoQuadratics())
            return false;
        // k_[0] = K · (product of the leading coefficients).
        std::vector<Poly> quadratics;
        Rational leading(1);
        for (slong j = 0; j < factors_->num; ++j) {
            Poly q(3);
            for (slong e = 0; e < 3; ++e)
                fmpz_poly_get_coeff_fmpz(fmpq_numref(q[static_cast<std::size_t>(2 - e)].re.get()), factors_->p + j, e);
            for (slong e = 0; e < factors_->exp[j]; ++e)
                leading = leading * q[0].re;
            quadratics.push_back(std::move(q));
        }
        // The shorter factor first, as a textbook writes (x² + 2)(x² - 3x + 5).
        std::vector<std::size_t> order(quadratics.size());
        for (std::size_t j = 0; j < order.size(); ++j)
            order[j] = j;
        const auto terms = [&](std::size_t j) {
            return std::count_if(
                quadratics[j].begin(), quadratics[j].end(), [](const Gaussian& c) { return !IsZero(c); });
        };
        std::stable_sort(order.begin(), order.end(), [&](std::size_t x, std::size_t y) { return terms(x) < terms(y); });
        const Rational scale = k_[0].re / leading;
        std::vector<MathNode> product;
        if (scale == Rational(-1))
            product.push_back(Op("-"));
        else if (!(scale == Rational(1)))
            Append(product, Of(scale));
        for (const std::size_t j : order) {
            const MathNode factor = Group(Polynomial(quadratics[j]));
            product.push_back(factors_->exp[static_cast<slong>(j)] == 2 ? Power(factor, 2) : factor);
        }
        Push(MakeStep("quartic.norational", why, Row({})));
        Push(MakeStep(StepRule::kIdentity, {}, Row({Polynomial(k_), Op("="), Row(std::move(product))})));
        for (std::size_t j = 0; j < order.size(); ++j) {
            const Poly& q = quadratics[order[j]];
            Solve(MakeStep("quartic.each", j == 0 ? "1つ目の因数について" : "2つ目の因数について", Row({})), q[0], q[1],
                q[2], "x");
            if (Late())
                return true;
        }
        return true;
    }

    // ------------------------------------------------ Ferrari

    bool Ferrari()
    {
        Push(MakeStep("quartic.ferrari", {}, Row({}),
            IsReal(k_) ? "有理数の解をもたず、有理数の範囲で2次式の積にも因数分解できない"
                       : "実部と虚部が有理数の解をもたない"));
        const Gaussian& a = k_[0];
        const Gaussian B = k_[1] / a, C = k_[2] / a, D = k_[3] / a, E = k_[4] / a;
        const Gaussian s = B / Real(Rational(4));
        const Gaussian B2 = B * B;
        const Gaussian p = C - Real(Rational(3, 8)) * B2;
        const Gaussian q = D - B * C / Real(Rational(2)) + B2 * B / Real(Rational(8));
        const Gaussian r
            = E - B * D / Real(Rational(4)) + B2 * C / Real(Rational(16)) - Real(Rational(3, 256)) * B2 * B2;

        Step section = MakeStep("quartic.ferrari", "参考：フェラーリの方法", Row({}));
        // (y − s)⁴ + B(y − s)³ + C(y − s)² + D(y − s) + E = y⁴ + py² + qy + r.
        const MathNode shift = IsZero(s) ? Name("y") : Group(Polynomial({Real(Rational(1)), -s}, "y"));
        std::vector<MathNode> left;
        const Gaussian monic[] = {Real(Rational(1)), B, C, D, E};
        for (long e = 4; e >= 0; --e) {
            const MathNode base = e == 0 ? MathNode{} : e == 1 ? shift : Power(shift, e);
            AppendTerm(left, monic[4 - e], e == 0 ? nullptr : &base);
        }
        const Poly depressed{Real(Rational(1)), Real(Rational(0)), p, q, r};
        if (IsZero(s)) {
            section.substeps.push_back(
                MakeStep("quartic.ferrari", "両辺を x⁴ の係数で割り、x を y と書いた y⁴ + py² + qy + r = 0 の係数は",
                    Row({Name("p"), Op("="), Of(p), Op(","), Name("q"), Op("="), Of(q), Op(","), Name("r"), Op("="),
                        Of(r)})));
        } else {
            section.substeps.push_back(
                MakeStep(StepRule::kIdentity, "両辺を x⁴ の係数で割り、x = y - b/(4a) とおいて x³ の項を消すと",
                    Row({Row(std::move(left)), Op("="), Polynomial(depressed, "y")})));
            section.substeps.push_back(MakeStep("quartic.ferrari", "y⁴ + py² + qy + r = 0 の係数は",
                Row({Name("p"), Op("="), Of(p), Op(","), Name("q"), Op("="), Of(q), Op(","), Name("r"), Op("="),
                    Of(r)})));
        }

        // (y² + p/2 + m)² − (2my² − qy + m² + pm + p²/4 − r) = y⁴ + py² + qy + r.
        const MathNode p2 = Fraction(Name("p"), Number("2"));
        const MathNode p4 = Fraction(PowerOf("p", 2), Number("4"));
        const MathNode right = Row({Number("2"), Name("m"), PowerOf("y", 2), Op("-"), Name("q"), Name("y"), Op("+"),
            PowerOf("m", 2), Op("+"), Name("p"), Name("m"), Op("+"), p4, Op("-"), Name("r")});
        section.substeps.push_back(MakeStep(StepRule::kIdentity, "どんな m についても",
            Row({Power(Group(Row({PowerOf("y", 2), Op("+"), p2, Op("+"), Name("m")})), 2), Op("-"), Group(right),
                Op("="), PowerOf("y", 4), Op("+"), Name("p"), PowerOf("y", 2), Op("+"), Name("q"), Name("y"), Op("+"),
                Name("r")})));

        // The right side is a square in y when its discriminant
        // q² − 8m(m² + pm + p²/4 − r) is 0: the resolvent cubic.
        const Poly resolvent{
            Real(Rational(8)), Real(Rational(8)) * p, Real(Rational(2)) * p * p - Real(Rational(8)) * r, -(q * q)};
        section.substeps.push_back(MakeStep(StepRule::kIdentity,
            "2my² - qy + m² + pm + p²/4 - r が y の完全平方式になるのは判別式が 0 のときで、分解方程式（m "
            "の3次方程式）は",
            Row({Number("8"), PowerOf("m", 3), Op("+"), Number("8"), Name("p"), PowerOf("m", 2), Op("+"),
                Group(Row({Number("2"), PowerOf("p", 2), Op("-"), Number("8"), Name("r")})), Name("m"), Op("-"),
                PowerOf("q", 2), Op("="), Polynomial(resolvent, "m")}),
            "= 0"));
        section.substeps.push_back(MakeStep("quartic.ferrari",
            "この解 m の1つ（m ≠ 0）を使うと、左辺は y の2次式2つの積 (y² + p/2 + m)² - 2m(y - q/(4m))² になり、"
            "それぞれの2次方程式を解いて x = y - b/(4a) に戻す",
            Row({})));
        Push(std::move(section));
        return true;
    }

    const std::vector<CoefficientBoxes>& keisuu_;
    const std::vector<Complex>& shown_;
    Poly k_;
    Deadline deadline_;
    WorkedSteps worked_;
    Flint<fmpz_poly_factor_struct> factors_;
    bool factored_ = false;
    bool real_ = false;
};

} // namespace

WorkedSteps QuarticSteps(const std::vector<CoefficientBoxes>& keisuu, const std::vector<Complex>& shown)
{
    if (keisuu.size() != 5 || shown.size() != 4)
        return {};
    Poly k;
    for (const CoefficientBoxes& boxes : keisuu) {
        const auto re = ReadExact(boxes.re), im = ReadExact(boxes.im);
        if (!re || !im)
            return {};
        k.push_back({*re, *im});
    }
    if (IsZero(k[0]))
        return {};
    return QuarticWork(keisuu, shown, std::move(k)).Steps();
}
