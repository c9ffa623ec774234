// SPDX-License-Identifier: MIT
#include "steps_triangle.h"

#include "conversions.h"
#include "exact_triangle.h"
#include "surd_form.h"
#include "triangle.h"
#include "worked_steps.h"

#include <flint/ulong_extras.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <utility>
#include <variant>

namespace {

using namespace Formula;

// The boxes as the screen names them: side i faces the corner of angle i.
const char* const kSideBoxes[] = {"左の辺", "右の辺", "底辺"};
const char* const kAngleBoxes[] = {"右下の角", "左下の角", "上の角"};

std::string SideName(int i)
{
    return std::string(1, "abc"[i]);
}

std::string AngleName(int i)
{
    return std::string(1, "ABC"[i]);
}

// The two sides that hold angle k between them, in the order the textbook
// names them: b, c for A; c, a for B; a, b for C.
std::pair<int, int> SidesAround(int k)
{
    return {(k + 1) % 3, (k + 2) % 3};
}

// ------------------------------------------------------------ numbers

double ToDouble(const Rational& q)
{
    return fmpq_get_d(q.get());
}

// x − 2k in [0, 2): the same sine and cosine.
Rational Reduced(const Rational& x)
{
    Integer turns;
    fmpz_mul_ui(turns.get(), fmpq_denref(x.get()), 2);
    fmpz_fdiv_q(turns.get(), fmpq_numref(x.get()), turns.get());
    return x - Rational(turns, Integer(1)) * Rational(2);
}

// A terminating decimal as a box holds it ("22.5", "0.125"); nothing for
// other numbers or where the digits would run long. q ≥ 0.
std::optional<std::string> DecimalDigits(const Rational& q)
{
    Integer rest;
    fmpz_set(rest.get(), fmpq_denref(q.get()));
    long twos = 0, fives = 0;
    while (fmpz_is_even(rest.get())) {
        fmpz_fdiv_q_2exp(rest.get(), rest.get(), 1);
        ++twos;
    }
    while (fmpz_fdiv_ui(rest.get(), 5) == 0) {
        fmpz_divexact_ui(rest.get(), rest.get(), 5);
        ++fives;
    }
    const long places = std::max(twos, fives);
    if (!fmpz_is_one(rest.get()) || places > 20 || fmpz_bits(fmpq_numref(q.get())) > 80)
        return std::nullopt;
    Integer scaled;
    fmpz_ui_pow_ui(scaled.get(), 10, static_cast<ulong>(places));
    fmpz_mul(scaled.get(), scaled.get(), fmpq_numref(q.get()));
    fmpz_divexact(scaled.get(), scaled.get(), fmpq_denref(q.get()));
    std::string digits = scaled.text();
    const std::size_t point = static_cast<std::size_t>(places);
    if (point == 0)
        return digits;
    if (digits.size() <= point)
        digits.insert(0, point + 1 - digits.size(), '0');
    digits.insert(digits.size() - point, ".");
    return digits;
}

// A decimal as the steps show one, three places, its sign an operator.
MathNode Decimal(double value)
{
    const std::string text = FormatFixed(value, "0.000");
    if (text.front() == '-')
        return Row({Op("-"), Number(text.substr(1))});
    return Number(text);
}

// A canonical text with a positive term first, as the textbook writes a
// difference: "(√6-√2)/4" for "(-√2+√6)/4", "4√3-4" for "-4+4√3".
std::string PositiveFirst(const std::string& text)
{
    const bool grouped = text.front() == '(';
    const std::size_t close = grouped ? text.find(')') : std::string::npos;
    const std::string sum = grouped ? text.substr(1, close - 1) : text;
    if (close == std::string::npos && grouped)
        return text;
    if (sum.empty() || sum.front() != '-')
        return text;
    const std::size_t plus = sum.find('+');
    if (plus == std::string::npos)
        return text;
    // The first positive term, then the terms before it, then the rest.
    std::size_t end = sum.find_first_of("+-", plus + 1);
    if (end == std::string::npos)
        end = sum.size();
    const std::string reordered = sum.substr(plus + 1, end - plus - 1) + sum.substr(0, plus) + sum.substr(end);
    return grouped ? "(" + reordered + text.substr(close) : reordered;
}

// A number known exactly as scale·unit where the unit is known, and as a
// decimal; `written` is how it stands in a formula: its canonical text or,
// without one, the expression it comes from ("4 sin 40°/sin 80°").
struct Quantity {
    Rational scale = Rational(1);
    std::optional<Algebraic> unit;
    ExactText text = ExactText::Missing(ExactGap::NoForm);
    double value = 0;
    MathNode written;
};

Quantity Settled(Rational scale, std::optional<Algebraic> unit, double approximate, MathNode expression)
{
    Quantity q;
    q.scale = std::move(scale);
    q.unit = std::move(unit);
    q.value = approximate;
    if (q.unit) {
        if (const auto form = ToSurdForm(*q.unit))
            q.text = ScaledText(q.scale, *form);
        if (const auto near = Nearest(*q.unit); near && std::isfinite(ToDouble(q.scale)))
            q.value = ToDouble(q.scale) * near->re;
    }
    q.written = q.text ? Value(PositiveFirst(*q.text)) : std::move(expression);
    return q;
}

// A canonical text as a factor: a text of several terms or with a sign in
// brackets ("(√6+√2)/4" needs none, "-1+√3" does).
MathNode ValueFactor(const std::string& canonical)
{
    const std::string text = PositiveFirst(canonical);
    const bool compound = text.find_first_of("+-") != std::string::npos;
    return compound && !(text.front() == '(' && text.find(")/") != std::string::npos && text[1] != '-')
        ? Group(Value(text))
        : Value(text);
}

MathNode Factor(const Quantity& q)
{
    if (q.text)
        return ValueFactor(*q.text);
    return Group(q.written);
}

// A rational in front of a product: nothing for 1, a bare minus for −1.
MathNode Coefficient(const Rational& q)
{
    if (q == Rational(1))
        return Row({});
    if (q == Rational(-1))
        return Row({Op("-")});
    return Of(q);
}

// A side's number in a sum: negative ones in brackets.
MathNode Term(const Rational& q)
{
    return q.sign() < 0 ? Group(Of(q)) : Of(q);
}

// ------------------------------------------------------------ angles

// An angle in degrees: "45°", "22.5°", "-30°".
MathNode Degrees(const Rational& q)
{
    const Rational magnitude = Abs(q);
    const auto digits = DecimalDigits(magnitude);
    MathNode degree = Power(digits ? Number(*digits) : Group(Of(magnitude)), Op("°"));
    if (q.sign() < 0)
        return Row({Op("-"), std::move(degree)});
    return degree;
}

// The same after an operator or a function's name: a negative one in brackets.
MathNode DegreesTerm(const Rational& q)
{
    return q.sign() < 0 ? Group(Degrees(q)) : Degrees(q);
}

MathNode Trig(const char* function, MathNode angle)
{
    return Row({Word(function), std::move(angle)});
}

// sin or cos of an angle: exactly where it has a form with square roots
// (only degrees 1, 2 and 4 can), and as a decimal.
struct Sine {
    const char* function = "sin";
    Rational degrees;
    std::optional<Algebraic> exact;
    std::string text;
    double value = 0;
};

Sine SineOf(const Rational& degrees, bool cosine)
{
    Sine s;
    s.function = cosine ? "cos" : "sin";
    s.degrees = degrees;
    // cos(πy) for y = x or 1/2 − x, in half turns.
    const Rational x = Reduced(degrees / Rational(180));
    const Rational y = cosine ? x : Reduced(Rational(1, 2) - x);
    s.value = std::cos(std::numbers::pi * ToDouble(y));
    const fmpz* b = fmpq_denref(y.get());
    if (fmpz_cmp_ui(b, 64) <= 0) {
        const ulong d = fmpz_get_ui(b);
        const long degree = d == 1 ? 1 : static_cast<long>(n_euler_phi(2 * d) / 2);
        if (degree <= 4) {
            Algebraic value = CosPi(y);
            if (const ExactText text = ExactTextOf(value)) {
                s.exact = std::move(value);
                s.text = *text;
                s.value = Nearest(*s.exact)->re;
            }
        }
    }
    return s;
}

MathNode Written(const Sine& s)
{
    return s.exact ? ValueFactor(s.text) : Trig(s.function, DegreesTerm(s.degrees));
}

// "sin 45° = √2/2", or the decimal and why it is one.
Step SineStep(const Sine& s)
{
    MathNode left = Trig(s.function, DegreesTerm(s.degrees));
    if (s.exact)
        return MakeStep("triangle.sine", {}, Row({std::move(left), Op("="), Value(PositiveFirst(s.text))}));
    return MakeStep("triangle.sine", {}, Row({std::move(left), Op("≈"), Decimal(s.value)}),
        "（簡単な形では表せないので、面積は近似値で求める）");
}

// ------------------------------------------------------------ the steps

struct Work {
    const TriangleReading& reading;
    WorkedSteps& worked;

    void Add(Step step) { worked.steps.push_back(std::move(step)); }

    // The given sides and angles in the order a, b, c, A, B, C, each with
    // its box: "a = 3（左の辺）", "C = 60°（上の角）".
    void Given()
    {
        std::vector<MathNode> row;
        const auto add = [&row](const std::string& name, MathNode value, const char* box) {
            if (!row.empty())
                row.push_back(Op(","));
            row.push_back(Name(name));
            row.push_back(Op("="));
            Append(row, std::move(value));
            row.push_back(Word(std::string("（") + box + "）"));
        };
        for (int i = 0; i < 3; ++i)
            if (const Rational* side = Side(i))
                add(SideName(i), Of(*side), kSideBoxes[i]);
        for (int i = 0; i < 3; ++i)
            if (const Rational* angle = Angle(i))
                add(AngleName(i), Degrees(*angle), kAngleBoxes[i]);
        Add(MakeStep("triangle.given", {}, Row(std::move(row))));
    }

    const Rational* Side(int i) const
    {
        const auto& sides = reading.rule.sides;
        const auto at = std::find(sides.begin(), sides.end(), i);
        return at == sides.end() ? nullptr : &reading.sides[static_cast<std::size_t>(at - sides.begin())];
    }

    const Rational* Angle(int i) const
    {
        const auto& angles = reading.rule.angles;
        const auto at = std::find(angles.begin(), angles.end(), i);
        return at == angles.end() ? nullptr : &reading.degrees[static_cast<std::size_t>(at - angles.begin())];
    }

    void NoTriangle(const char* what)
    {
        Add(MakeStep(
            "triangle.note", std::string("この") + what + "では三角形にならないが、公式に当てはめて計算する", Row({})));
    }

    // S = ½pq sin K with the numbers put in: the sides p, q around angle k
    // as they stand (a number or an expression), their product exactly or
    // as a decimal.
    void Area(int k, const MathNode& p, const MathNode& q, const Quantity& product, const Sine& sine)
    {
        const auto [first, second] = SidesAround(k);
        const MathNode half = Fraction(Number("1"), Number("2"));
        std::vector<MathNode> members{Name("S"),
            Row({half, Name(SideName(first)), Name(SideName(second)), Trig("sin", Name(AngleName(k)))}),
            Row({half, Op("×"), p, Op("×"), q, Op("×"), Trig("sin", DegreesTerm(sine.degrees))})};
        if (sine.exact)
            members.push_back(Row({half, Op("×"), p, Op("×"), q, Op("×"), Written(sine)}));
        const std::optional<Rational> whole = product.unit ? product.unit->rational() : std::nullopt;
        if (!sine.exact && whole)
            members.push_back(
                Row({Coefficient(product.scale * *whole / Rational(2)), Trig("sin", DegreesTerm(sine.degrees))}));
        const Quantity area = Settled(product.scale / Rational(2),
            product.unit && sine.exact ? std::optional(*product.unit * *sine.exact) : std::nullopt,
            product.value * sine.value / 2, Row({}));
        MathNode chain = Chain(members);
        if (area.text) {
            Append(chain.children, Op("="));
            Append(chain.children, Value(PositiveFirst(*area.text)));
        } else if (std::isfinite(area.value)) {
            Append(chain.children, Op("≈"));
            Append(chain.children, Decimal(area.value));
        }
        Add(MakeStep("triangle.area", "面積は", std::move(chain)));
    }

    void ThreeSides();
    void Included();
    void TwoAngles(bool ends);
    void NotIncluded();
};

// ヘロンの公式: the condition for a triangle, s, and the root simplified.
void Work::ThreeSides()
{
    const std::array<Rational, 3> h{*Side(0), *Side(1), *Side(2)};
    bool triangle = true;
    std::vector<MathNode> condition;
    for (int i = 0; i < 3; ++i) {
        const Rational& x = h[static_cast<std::size_t>(i)];
        const Rational& y = h[static_cast<std::size_t>((i + 1) % 3)];
        const Rational& z = h[static_cast<std::size_t>((i + 2) % 3)];
        triangle = triangle && x.sign() > 0 && (y + z - x).sign() > 0;
        if (!condition.empty())
            condition.push_back(Op(","));
        Append(condition, Row({Of(x), Op("<"), Of(y), Op("+"), Of(z)}));
    }
    if (triangle)
        Add(MakeStep("triangle.condition", "三角形ができる条件", Row(std::move(condition)), "を満たす"));
    else
        Add(MakeStep("triangle.note",
            "この3辺は三角形ができる条件（どの辺も他の2辺の和より小さい）を満たさないが、公式に当てはめて計算する",
            Row({})));

    const Rational s = (h[0] + h[1] + h[2]) / Rational(2);
    Add(MakeStep("triangle.half", {},
        Chain({Name("s"), Fraction(Row({Name("a"), Op("+"), Name("b"), Op("+"), Name("c")}), Number("2")),
            Fraction(Row({Of(h[0]), Op("+"), Term(h[1]), Op("+"), Term(h[2])}), Number("2")), Of(s)}),
        "とおくと"));

    std::vector<MathNode> letters{Name("s")}, put{Substituted(s)}, differences{Substituted(s)};
    Rational r = s;
    for (int i = 0; i < 3; ++i) {
        const Rational& x = h[static_cast<std::size_t>(i)];
        letters.push_back(Group(Row({Name("s"), Op("-"), Name(SideName(i))})));
        put.push_back(Op("×"));
        put.push_back(Group(Row({Of(s), Op("-"), Term(x)})));
        differences.push_back(Op("×"));
        differences.push_back(Substituted(s - x));
        r = r * (s - x);
    }
    std::vector<MathNode> members{
        Name("S"), Root(Row(std::move(letters))), Root(Row(std::move(put))), Root(Row(std::move(differences)))};
    if (r.sign() < 0) {
        Add(MakeStep("triangle.heron", "ヘロンの公式", Chain({members[1], Root(Of(r))}),
            "で根号の中が負になるので、正確な面積は求められない"));
        return;
    }
    members.push_back(Root(Of(r)));
    const SurdParts root = SquareRootParts(r);
    members.push_back(Surd(root.c, root.m));
    Add(MakeStep("triangle.heron", "ヘロンの公式より", Chain(members)));
}

// Two sides and the angle between them: S = ½ab sin C at once.
void Work::Included()
{
    const int k = reading.rule.angles[0];
    const auto [first, second] = SidesAround(k);
    const Rational &p = *Side(first), &q = *Side(second);
    const Rational& degrees = *Angle(k);
    if (p.sign() <= 0 || q.sign() <= 0 || degrees.sign() <= 0 || !((Rational(180) - degrees).sign() > 0))
        NoTriangle("値");
    const Sine sine = SineOf(degrees, false);
    Add(SineStep(sine));
    Area(k, Substituted(p), Substituted(q), Settled(p * q, Algebraic(Rational(1)), ToDouble(p) * ToDouble(q), Row({})),
        sine);
}

// One side and two angles: the third angle, 正弦定理 for a second side, then
// the area from the two sides and the angle between them.
void Work::TwoAngles(bool ends)
{
    const int s = reading.rule.sides[0];
    const Rational& length = reading.sides[0];
    const int g0 = std::min(reading.rule.angles[0], reading.rule.angles[1]);
    const int g1 = std::max(reading.rule.angles[0], reading.rule.angles[1]);
    const int third = 3 - g0 - g1;
    std::array<Rational, 3> degrees;
    degrees[static_cast<std::size_t>(g0)] = *Angle(g0);
    degrees[static_cast<std::size_t>(g1)] = *Angle(g1);
    degrees[static_cast<std::size_t>(third)] = Rational(180) - *Angle(g0) - *Angle(g1);
    const auto deg = [&degrees](int i) -> const Rational& { return degrees[static_cast<std::size_t>(i)]; };

    Add(MakeStep("triangle.angle", {},
        Chain({Name(AngleName(third)),
            Row({Degrees(Rational(180)), Op("-"), Name(AngleName(g0)), Op("-"), Name(AngleName(g1))}),
            Row({Degrees(Rational(180)), Op("-"), DegreesTerm(deg(g0)), Op("-"), DegreesTerm(deg(g1))}),
            Degrees(deg(third))})));
    if (length.sign() <= 0
        || std::any_of(degrees.begin(), degrees.end(), [](const Rational& d) { return d.sign() <= 0; }))
        NoTriangle("値");

    // The second side u faces a given angle; the area takes the angle w
    // between the two sides. With the side between the given angles, u
    // faces the first of them; otherwise u faces the other given angle.
    const int u = ends ? reading.rule.angles[0] : reading.rule.angles[1];
    const int w = 3 - s - u;
    std::array<Sine, 3> sines;
    for (int i = 0; i < 3; ++i) {
        sines[static_cast<std::size_t>(i)] = SineOf(deg(i), false);
        bool shown = false;
        for (int j = 0; j < i; ++j)
            shown = shown || deg(j) == deg(i);
        if (!shown)
            Add(SineStep(sines[static_cast<std::size_t>(i)]));
    }
    const Sine &sinU = sines[static_cast<std::size_t>(u)], &sinS = sines[static_cast<std::size_t>(s)],
               &sinW = sines[static_cast<std::size_t>(w)];
    if (sinS.exact && sinS.exact->isZero()) {
        Add(MakeStep("triangle.note", {}, Row({Trig("sin", Name(AngleName(s))), Op("="), Number("0")}),
            "となり、正弦定理では 0 で割ることになるので、正確な面積は求められない"));
        return;
    }

    // With sin U = 0 the rule cannot be written as quotients; it still
    // gives the side, 0.
    const bool zero = sinU.exact && sinU.exact->isZero();
    if (!zero)
        Add(MakeStep("triangle.sine_rule", "正弦定理",
            Row({Fraction(Name(SideName(u)), Trig("sin", Name(AngleName(u)))), Op("="),
                Fraction(Name(SideName(s)), Trig("sin", Name(AngleName(s))))}),
            "より"));
    MathNode symbolic
        = Fraction(Row({Coefficient(length), Trig("sin", DegreesTerm(deg(u)))}), Trig("sin", DegreesTerm(deg(s))));
    std::vector<MathNode> members{Name(SideName(u)),
        Fraction(Row({Name(SideName(s)), Trig("sin", Name(AngleName(u)))}), Trig("sin", Name(AngleName(s)))), symbolic};
    if (sinU.exact && sinS.exact)
        members.push_back(
            Fraction(Row({Substituted(length), Op("×"), Written(sinU)}), Value(PositiveFirst(sinS.text))));
    const Quantity other
        = Settled(length, sinU.exact && sinS.exact ? std::optional(*sinU.exact / *sinS.exact) : std::nullopt,
            ToDouble(length) * sinU.value / sinS.value, symbolic);
    MathNode chain = Chain(members);
    if (other.text) {
        Append(chain.children, Op("="));
        Append(chain.children, Value(PositiveFirst(*other.text)));
    } else if (std::isfinite(other.value)) {
        Append(chain.children, Op("≈"));
        Append(chain.children, Decimal(other.value));
    }
    Add(MakeStep("triangle.side", zero ? "正弦定理より" : "", std::move(chain)));

    // The sides around w in the textbook's order.
    const bool sideFirst = SidesAround(w).first == s;
    const MathNode known = Substituted(length), found = Factor(other);
    Quantity product = Settled(length * other.scale, other.unit, ToDouble(length) * other.value, Row({}));
    Area(w, sideFirst ? known : found, sideFirst ? found : known, product, sinW);
}

// 余弦定理 for the side t opposite neither given side: f (facing the given
// angle F) and o give t² − 2p·t + q = 0 with p = o·cos F and q = o² − f²,
// whose roots are p ± √(p² − q). Exactly, with g = |f| and ρ = o/g:
// p² − q = g²·X for X = 1 − ρ²·sin²F, and the roots are g·(ρ·cos F ± √X);
// the sides stay out of Calcium but for their ratio, which must be small.
class CosineRule {
public:
    CosineRule(int f, int o, const Rational& facing, const Rational& other, const Sine& cosF)
        : f_(f)
        , o_(o)
        , t_(3 - f - o)
        , facing_(facing)
        , other_(other)
        , cosF_(cosF)
        , q_(other * other - facing * facing)
        , g_(Abs(facing))
        , rho_(other / g_)
        , p_(Settled(other, cosF.exact, ToDouble(other) * cosF.value,
              Row({Coefficient(other), Trig("cos", DegreesTerm(cosF.degrees))})))
    {
        if (cosF.exact && rho_.bits() <= 64)
            x_ = Algebraic(Rational(1)) - (Algebraic(Rational(1)) - *cosF.exact * *cosF.exact) * (rho_ * rho_);
        xValue_ = x_ ? Nearest(*x_)->re : 1 - ToDouble(rho_) * ToDouble(rho_) * (1 - cosF.value * cosF.value);
        leading_ = !(p_.unit && p_.unit->isZero());
    }

    std::string Unknown() const { return SideName(t_); }

    // The law, the numbers put in, and the quadratic in t tidied: the
    // equations the roots must satisfy.
    std::vector<Step> Equations() const
    {
        const auto [first, second] = SidesAround(f_);
        const MathNode t = Power(Name(Unknown()), 2), o = Power(Substituted(other_), 2);
        std::vector<Step> steps;
        steps.push_back(MakeStep(StepRule::kProblem, "余弦定理",
            Row({Power(Name(SideName(f_)), 2), Op("="), Power(Name(SideName(first)), 2), Op("+"),
                Power(Name(SideName(second)), 2), Op("-"), Number("2"), Name(SideName(first)), Name(SideName(second)),
                Trig("cos", Name(AngleName(f_)))})));
        steps.push_back(MakeStep(StepRule::kProblem, "数値を代入すると",
            Row({Power(Substituted(facing_), 2), Op("="), first == t_ ? t : o, Op("+"), first == t_ ? o : t, Op("-"),
                Number("2"), Op("×"), Substituted(other_), Op("×"), Name(Unknown()), Op("×"),
                Trig("cos", DegreesTerm(cosF_.degrees))})));
        std::vector<MathNode> tidy{t};
        if (leading_)
            AppendLinear(tidy);
        if (!q_.isZero()) {
            tidy.push_back(Op(q_.sign() < 0 ? "-" : "+"));
            Append(tidy, Of(Abs(q_)));
        }
        tidy.push_back(Op("="));
        tidy.push_back(Number("0"));
        steps.push_back(MakeStep(StepRule::kProblem, "整理すると", Row(std::move(tidy))));
        return steps;
    }

    // X < 0: the quadratic has no real root.
    bool Negative() const { return x_ ? x_->realSign() < 0 : xValue_ < 0; }
    bool Twofold() const { return x_ && x_->isZero(); }

    // p + sign·√(p² − q).
    Quantity Root(int sign) const
    {
        const double value = p_.value + sign * ToDouble(g_) * std::sqrt(std::max(0.0, xValue_));
        std::optional<Algebraic> unit;
        if (x_)
            unit = *p_.unit * rho_ + (sign > 0 ? Sqrt(*x_) : -Sqrt(*x_));
        return Settled(g_, std::move(unit), value, PlusMinus(sign > 0 ? "+" : "-", Radicand()));
    }

    // 解の公式: t = p ± √(p² − q), the radicand worked out, and both roots.
    Step Solution() const
    {
        const Quantity square = Settled(g_ * g_, x_, ToDouble(g_) * ToDouble(g_) * xValue_, Row({}));
        const Quantity root = Settled(g_, x_ ? std::optional(Sqrt(*x_)) : std::nullopt, 0, Row({}));
        std::vector<MathNode> members{Name(Unknown()), PlusMinus("±", Radicand())};
        if (square.text) {
            // Without p the radicand is already the number −q.
            if (leading_)
                members.push_back(PlusMinus("±", Formula::Root(Value(PositiveFirst(*square.text)))));
            if (root.text && *root.text != "√" + *square.text)
                members.push_back(PlusMinus("±", ValueFactor(*root.text)));
        }
        MathNode chain = Chain(members);
        const Quantity larger = Root(1), smaller = Root(-1);
        const bool exact = larger.text && smaller.text;
        Append(chain.children, Op(exact ? "=" : "≈"));
        Append(chain.children, exact ? Value(PositiveFirst(*larger.text)) : Decimal(larger.value));
        if (!Twofold()) {
            Append(chain.children, Op(","));
            Append(chain.children, exact ? Value(PositiveFirst(*smaller.text)) : Decimal(smaller.value));
        }
        return MakeStep("triangle.roots", "解の公式より", std::move(chain));
    }

    // The root o·cos F + f·√X, where the angle facing o is acute (the one
    // the screen's calculation takes): the larger for a positive f, which
    // every triangle has. Its step says why it is taken.
    Quantity Taken() const { return Root(facing_.sign() > 0 ? 1 : -1); }
    Step Choice() const
    {
        const Quantity taken = Taken();
        const auto positiveRoot = [](const Quantity& r) { return r.unit ? r.unit->realSign() > 0 : r.value > 0; };
        const std::string T = Unknown(), acute = "角 " + AngleName(o_) + " が鋭角になるほう";
        std::string why = T + " > 0 より";
        if (Twofold())
            why = "よって";
        else if (facing_.sign() <= 0)
            why = acute + "をとると";
        else if (!positiveRoot(taken))
            why = T + " > 0 となる解はないが、" + acute + "をとると";
        else if (positiveRoot(Root(-1)))
            why = T + " > 0 となる解は2つあり、三角形は2通りできる。" + acute + "（大きいほう）をとると";
        MathNode chosen = taken.text ? Row({Name(T), Op("="), Value(PositiveFirst(*taken.text))})
                                     : Row({Name(T), Op("="), taken.written, Op("≈"), Decimal(taken.value)});
        return MakeStep("triangle.choice", why, std::move(chosen));
    }

private:
    // −2p·t: "- 5t", "+ 5t", "- 5√3 t", "- (10 cos 40°)t".
    void AppendLinear(std::vector<MathNode>& row) const
    {
        const Quantity twice = Settled(other_ * Rational(2), cosF_.exact, 2 * p_.value,
            Row({Coefficient(other_ * Rational(2)), Trig("cos", DegreesTerm(cosF_.degrees))}));
        const std::string text = twice.text.value_or("");
        if (twice.text && text.find_first_of("+-") == std::string::npos) {
            row.push_back(Op("-"));
            row.push_back(Value(text));
        } else if (twice.text && text.front() == '-' && text.find_first_of("+-", 1) == std::string::npos) {
            row.push_back(Op("+"));
            row.push_back(Value(text.substr(1)));
        } else {
            row.push_back(Op("-"));
            row.push_back(Group(twice.written));
        }
        row.push_back(Name(Unknown()));
    }

    // √(p² − q), p left out where it is 0.
    MathNode Radicand() const
    {
        std::vector<MathNode> row;
        if (leading_) {
            const bool whole = p_.text && p_.text->find_first_not_of("0123456789") == std::string::npos;
            row.push_back(Power(whole ? p_.written : Group(p_.written), 2));
        }
        if (!q_.isZero()) {
            if (!row.empty() || q_.sign() > 0)
                row.push_back(Op(q_.sign() > 0 ? "-" : "+"));
            Append(row, Of(Abs(q_)));
        }
        if (row.empty())
            row.push_back(Number("0"));
        return Formula::Root(Row(std::move(row)));
    }

    // p, then the sign and the root.
    MathNode PlusMinus(const char* sign, MathNode root) const
    {
        std::vector<MathNode> row;
        if (leading_)
            Append(row, p_.written);
        row.push_back(Op(sign));
        Append(row, std::move(root));
        return Row(std::move(row));
    }

    int f_, o_, t_;
    Rational facing_, other_;
    Sine cosF_;
    Rational q_, g_, rho_;
    Quantity p_;
    std::optional<Algebraic> x_;
    double xValue_ = 0;
    bool leading_ = true;
};

// Two sides and an angle that is not between them: 余弦定理 for the third
// side, the root the screen's calculation takes, then the area.
void Work::NotIncluded()
{
    const int f = reading.rule.sides[0], o = reading.rule.sides[1];
    const Rational &facing = reading.sides[0], &other = reading.sides[1];
    const Rational& degrees = reading.degrees[0];
    if (facing.sign() <= 0 || other.sign() <= 0 || degrees.sign() <= 0 || !((Rational(180) - degrees).sign() > 0))
        NoTriangle("値");
    const Sine cosF = SineOf(degrees, true);
    Add(SineStep(cosF));

    const CosineRule rule(f, o, facing, other, cosF);
    Step cosine = MakeStep("triangle.cosine", "余弦定理で " + rule.Unknown() + " を求める", Row({}));
    cosine.substeps = rule.Equations();
    if (rule.Negative()) {
        cosine.substeps.push_back(
            MakeStep("triangle.note", {}, Row({}), "判別式が負になるので、正確な面積は求められない"));
        Add(std::move(cosine));
        return;
    }
    cosine.substeps.push_back(rule.Solution());
    Add(std::move(cosine));
    Add(rule.Choice());

    const Sine sinF = SineOf(degrees, false);
    Add(SineStep(sinF));
    const Quantity third = rule.Taken();
    const MathNode known = Substituted(other), found = Factor(third);
    const Quantity product = Settled(other * third.scale, third.unit, ToDouble(other) * third.value, Row({}));
    const bool otherFirst = SidesAround(f).first == o;
    Area(f, otherFirst ? known : found, otherFirst ? found : known, product, sinF);
}

const char* ProblemWords(AreaFormula formula)
{
    switch (formula) {
    case AreaFormula::ThreeSides: return "3辺の長さから三角形の面積 S を求める";
    case AreaFormula::HasamuKaku: return "2辺とその間の角から三角形の面積 S を求める";
    case AreaFormula::HasamanaiKaku: return "2辺とその間にない角から三角形の面積 S を求める";
    case AreaFormula::RyoutanKaku: return "1辺とその両端の角から三角形の面積 S を求める";
    case AreaFormula::NotRyoutanKaku: return "1辺と2つの角から三角形の面積 S を求める";
    case AreaFormula::None: break;
    }
    return "三角形の面積 S を求める";
}

// The working between the problem and 答, by the rule's case.
void Steps(Work& work, AreaFormula formula)
{
    switch (formula) {
    case AreaFormula::None:
        work.Add(MakeStep("triangle.none", "わかっている辺と角の組み合わせでは面積の公式が使えないので",
            Row({Name("S"), Op("="), Number("0")}), "とする"));
        break;
    case AreaFormula::ThreeSides:
        work.Given();
        work.ThreeSides();
        break;
    case AreaFormula::HasamuKaku:
        work.Given();
        work.Included();
        break;
    case AreaFormula::HasamanaiKaku:
        work.Given();
        work.NotIncluded();
        break;
    case AreaFormula::RyoutanKaku:
    case AreaFormula::NotRyoutanKaku:
        work.Given();
        work.TwoAngles(formula == AreaFormula::RyoutanKaku);
        break;
    }
}

} // namespace

WorkedSteps TriangleSteps(const std::array<std::string, 3>& txtH, const std::array<std::string, 3>& txtK)
{
    // Steps for an area the screen shows, and only then.
    double area = 0;
    try {
        const Outcome<double> outcome = Sankaku(txtH, txtK);
        if (outcome.index() != 0)
            return {};
        area = std::get<0>(outcome);
    } catch (const ArithmeticFault&) {
        return {};
    }
    const auto read = ReadTriangle(txtH, txtK);
    if (!std::holds_alternative<TriangleReading>(read))
        return {};
    const TriangleReading& reading = std::get<TriangleReading>(read);

    WorkedSteps worked;
    Work work{reading, worked};
    work.Add(MakeStep(StepRule::kProblem, ProblemWords(reading.rule.formula), Row({})));
    try {
        Steps(work, reading.rule.formula);
    } catch (const ArithmeticFault&) {
        // A decimal beyond the double range in the working (the area itself
        // is within it): no steps rather than a broken line.
        return {};
    }
    // Without an exact text the exact view shows the true area rounded as
    // the screen rounds it (its decimal is worked with π to ten decimals).
    const ExactText exact = ExactTriangleArea(txtH, txtK);
    const double value = std::isfinite(exact.value_as_double) ? exact.value_as_double : area;
    const std::string answer = ExactLabelText(exact, FormatFixed(value, "0.00"));
    work.Add(MakeStep(StepRule::kAnswer, "答", Row({Name("S"), Op("="), Value(answer)})));
    return worked;
}
