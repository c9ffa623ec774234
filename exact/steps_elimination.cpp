// SPDX-License-Identifier: MIT
#include "steps_elimination.h"

#include "conversions.h"
#include "exact_reading.h"
#include "surd_form.h"
#include "worked_steps.h"

#include <algorithm>
#include <optional>
#include <tuple>
#include <utility>

namespace {

using namespace Formula;

constexpr const char* kCircled[]
    = {"①", "②", "③", "④", "⑤", "⑥", "⑦", "⑧", "⑨", "⑩", "⑪", "⑫", "⑬", "⑭", "⑮", "⑯", "⑰", "⑱", "⑲", "⑳"};
constexpr const char* kUnknowns[] = {"A", "B", "C", "D", "E"};

// c₀A + c₁B + … = k, the coefficients of unknowns already eliminated zero,
// and the label it goes by: "①", "①'", or none.
struct Equation {
    std::string label;
    std::vector<Rational> c;
    Rational k;

    bool Has(std::size_t j) const { return !c[j].isZero(); }
    std::size_t Terms() const
    {
        std::size_t terms = 0;
        for (std::size_t j = 0; j < c.size(); ++j)
            terms += Has(j) ? 1 : 0;
        return terms;
    }
};

Equation Scaled(const Equation& e, const Rational& m)
{
    Equation out;
    for (const Rational& q : e.c)
        out.c.push_back(q * m);
    out.k = e.k * m;
    return out;
}

// a + sign·b.
Equation Combined(const Equation& a, const Equation& b, int sign)
{
    Equation out;
    const Rational s(sign);
    for (std::size_t j = 0; j < a.c.size(); ++j)
        out.c.push_back(a.c[j] + s * b.c[j]);
    out.k = a.k + s * b.k;
    return out;
}

// The first of the coefficients and the right side that is not zero is
// negative.
bool LeadsNegative(const Equation& e)
{
    for (const Rational& q : e.c) {
        if (!q.isZero())
            return q.sign() < 0;
    }
    return e.k.sign() < 0;
}

// The places after the point a number needs as a decimal: 1 for 1.5, 0
// for a whole number; nothing when its decimal does not end (1/3) or runs
// longer than a box's text would.
std::optional<ulong> DecimalPlaces(const Rational& q)
{
    constexpr ulong kMostPlaces = 20;
    Integer d;
    fmpz_set(d.get(), fmpq_denref(q.get()));
    const ulong twos = fmpz_remove(d.get(), d.get(), Integer(2).get());
    const ulong fives = fmpz_remove(d.get(), d.get(), Integer(5).get());
    const ulong places = std::max(twos, fives);
    if (!fmpz_is_one(d.get()) || places > kMostPlaces)
        return std::nullopt;
    return places;
}

// A number as typed in a box: a decimal "1.25" where it ends within a few
// places, else as Of.
MathNode Typed(const Rational& q)
{
    const auto places = DecimalPlaces(q);
    if (!places || *places == 0)
        return Of(q);
    Integer scaled, power;
    fmpz_ui_pow_ui(power.get(), 10, *places);
    fmpz_mul(scaled.get(), fmpq_numref(q.get()), power.get());
    fmpz_divexact(scaled.get(), scaled.get(), fmpq_denref(q.get()));
    fmpz_abs(scaled.get(), scaled.get());
    std::string digits = scaled.text();
    if (digits.size() <= *places)
        digits.insert(0, *places + 1 - digits.size(), '0');
    digits.insert(digits.size() - *places, 1, '.');
    if (q.sign() < 0)
        return Row({Op("-"), Number(std::move(digits))});
    return Number(std::move(digits));
}

// The left side as the textbook writes it: "2A + 3B", "A - B", "-C", "1/2 A";
// "0" when every unknown has gone. `number` writes a coefficient.
MathNode LeftSide(const Equation& e, MathNode (*number)(const Rational&) = Of)
{
    std::vector<MathNode> row;
    for (std::size_t j = 0; j < e.c.size(); ++j) {
        if (!e.Has(j))
            continue;
        if (e.c[j].sign() < 0)
            row.push_back(Op("-"));
        else if (!row.empty())
            row.push_back(Op("+"));
        if (!(Abs(e.c[j]) == Rational(1)))
            Append(row, number(Abs(e.c[j])));
        row.push_back(Name(kUnknowns[j]));
    }
    if (row.empty())
        return Number("0");
    return Row(std::move(row));
}

MathNode EquationOf(const Equation& e, MathNode (*number)(const Rational&) = Of)
{
    return Row({LeftSide(e, number), Op("="), number(e.k)});
}

// "①×2": an equation times a whole number, the factor 1 left out.
std::string Times(const std::string& label, const Integer& m)
{
    return fmpz_is_one(m.get()) ? label : label + "×" + m.text();
}

// The least common multiple of the denominators: what clears an equation's
// fractions.
Integer CommonDenominator(const Equation& e)
{
    Integer l(1);
    for (const Rational& q : e.c)
        fmpz_lcm(l.get(), l.get(), fmpq_denref(q.get()));
    fmpz_lcm(l.get(), l.get(), fmpq_denref(e.k.get()));
    return l;
}

// The greatest common divisor of a whole-number equation's numbers.
Integer CommonFactor(const Equation& e)
{
    Integer g(0);
    for (const Rational& q : e.c)
        fmpz_gcd(g.get(), g.get(), fmpq_numref(q.get()));
    fmpz_gcd(g.get(), g.get(), fmpq_numref(e.k.get()));
    return g;
}

bool Singular(const std::vector<Equation>& system)
{
    const auto n = static_cast<slong>(system.size());
    Flint<fmpq_mat_struct> a(n, n);
    for (slong i = 0; i < n; ++i)
        for (slong j = 0; j < n; ++j)
            fmpq_set(fmpq_mat_entry(a.get(), i, j),
                system[static_cast<std::size_t>(i)].c[static_cast<std::size_t>(j)].get());
    Rational det;
    fmpq_mat_det(det.get(), a.get());
    return det.isZero();
}

// One unknown eliminated: the system it was eliminated from, where its value
// is found again by substitution.
struct Stage {
    std::size_t unknown;
    std::vector<Equation> system;
};

class Elimination {
public:
    explicit Elimination(std::vector<Equation> system)
        : system_(std::move(system))
        , n_(system_.size())
        , singular_(Singular(system_))
        , value_(n_)
    {
    }

    WorkedSteps Run();

private:
    void Show(const char* rule, std::string caption, const Equation& e);
    // Shows a numbered equation; one that reads "B = 2" finds B.
    void Numbered(Equation& e, std::string caption);
    void ClearFractions();
    const Equation* ZeroEquation() const;
    void EndSingular(const Equation& zero);
    std::pair<std::size_t, std::size_t> Choose(const std::vector<std::size_t>& unknowns) const;
    void Eliminate(std::size_t v, std::size_t pivot);
    Equation Combine(const Equation& p, std::size_t atP, const Equation& q, std::size_t atQ, std::size_t v);
    void SolveAlone(const Equation& e, std::size_t v);
    void SubstituteInto(const Equation& e, std::size_t v);
    void Answer();

    std::vector<Equation> system_;
    std::size_t n_;
    bool singular_;
    std::vector<std::optional<Rational>> value_;
    std::vector<Stage> stages_;
    std::vector<std::string> scaledShown_; // this stage's equations already shown multiplied
    std::size_t labels_ = 0;
    WorkedSteps worked_;
};

void Elimination::Show(const char* rule, std::string caption, const Equation& e)
{
    worked_.steps.push_back(
        MakeStep(rule, std::move(caption), EquationOf(e), e.label.empty() ? std::string() : "…" + e.label));
}

void Elimination::Numbered(Equation& e, std::string caption)
{
    e.label = kCircled[labels_++];
    std::size_t alone = n_;
    for (std::size_t j = 0; j < n_; ++j) {
        if (e.Has(j))
            alone = alone == n_ && e.c[j] == Rational(1) ? j : n_ + 1;
    }
    // In a system with one solution "B = 2" is B's value; elsewhere an
    // equation is only what it says.
    if (!singular_ && alone < n_ && !value_[alone]) {
        value_[alone] = e.k;
        Show(kEliminationSolved, std::move(caption), e);
        return;
    }
    Show(kEliminationEquation, std::move(caption), e);
}

// Whole numbers first: an equation of decimals times 10, 100, … (then
// divided by what its numbers have in common), one of fractions times the
// least common multiple of the denominators.
void Elimination::ClearFractions()
{
    for (Equation& e : system_) {
        Integer m = CommonDenominator(e);
        if (fmpz_is_one(m.get()))
            continue;
        bool decimals = DecimalPlaces(e.k).has_value();
        ulong places = DecimalPlaces(e.k).value_or(0);
        for (const Rational& q : e.c) {
            decimals = decimals && DecimalPlaces(q);
            places = std::max(places, DecimalPlaces(q).value_or(0));
        }
        if (decimals)
            fmpz_ui_pow_ui(m.get(), 10, places);
        Equation cleared = Scaled(e, Rational(m));
        std::string caption = e.label + "の両辺を " + m.text() + " 倍すると";
        const Integer g = CommonFactor(cleared);
        if (fmpz_cmp_ui(g.get(), 1) > 0) {
            Show(kEliminationEquation, caption, cleared);
            cleared = Scaled(cleared, Rational(Integer(1), g));
            caption = "両辺を " + g.text() + " で割ると";
        }
        cleared.label = e.label + "'";
        Show(kEliminationEquation, std::move(caption), cleared);
        e = std::move(cleared);
    }
}

// An equation with no unknown left: one that fails ("0 = 3") before one
// that always holds ("0 = 0").
const Equation* Elimination::ZeroEquation() const
{
    const Equation* zero = nullptr;
    for (const Equation& e : system_) {
        if (e.Terms() > 0)
            continue;
        if (!e.k.isZero())
            return &e;
        if (!zero)
            zero = &e;
    }
    return zero;
}

void Elimination::EndSingular(const Equation& zero)
{
    const std::string words = zero.k.isZero() ? zero.label + "はつねに成り立つので、解は一つに定まらない"
                                              : zero.label + "は成り立たないので、この連立方程式は解をもたない";
    worked_.steps.push_back(MakeStep("elimination.singular", words, Row({})));
    worked_.steps.push_back(MakeStep(StepRule::kAnswer, "答", Row({}), kExactSingularSystemMessage));
}

// The unknown to eliminate and the equation to eliminate it with: the one
// whose common multiples stay smallest, as a student picks it. The pivot has
// the smallest coefficient of it; equations without it cost nothing.
std::pair<std::size_t, std::size_t> Elimination::Choose(const std::vector<std::size_t>& unknowns) const
{
    std::optional<std::pair<std::size_t, std::size_t>> best;
    Integer bestCost;
    for (std::size_t v : unknowns) {
        std::optional<std::size_t> pivot;
        for (std::size_t i = 0; i < system_.size(); ++i) {
            if (system_[i].Has(v)
                && (!pivot
                    || fmpz_cmpabs(fmpq_numref(system_[i].c[v].get()), fmpq_numref(system_[*pivot].c[v].get())) < 0))
                pivot = i;
        }
        if (!pivot)
            continue;
        Integer cost(0), l;
        for (std::size_t i = 0; i < system_.size(); ++i) {
            if (i == *pivot || !system_[i].Has(v))
                continue;
            fmpz_lcm(l.get(), fmpq_numref(system_[*pivot].c[v].get()), fmpq_numref(system_[i].c[v].get()));
            fmpz_add(cost.get(), cost.get(), l.get());
        }
        if (!best || cost < bestCost) {
            best = std::pair(v, *pivot);
            bestCost = cost;
        }
    }
    return *best;
}

// p·mP ∓ q·mQ with mP·|p_v| = mQ·|q_v| their least common multiple: the
// multiplied equations where the factor is not 1, then the sum or difference
// written so that it starts with a positive number.
Equation Elimination::Combine(const Equation& p, std::size_t atP, const Equation& q, std::size_t atQ, std::size_t v)
{
    Integer cp, cq, l, mp, mq;
    fmpz_abs(cp.get(), fmpq_numref(p.c[v].get()));
    fmpz_abs(cq.get(), fmpq_numref(q.c[v].get()));
    fmpz_lcm(l.get(), cp.get(), cq.get());
    fmpz_divexact(mp.get(), l.get(), cp.get());
    fmpz_divexact(mq.get(), l.get(), cq.get());
    const Equation sp = Scaled(p, Rational(mp));
    const Equation sq = Scaled(q, Rational(mq));
    const bool subtract = p.c[v].sign() == q.c[v].sign();
    // Subtracting, the order that leaves a positive lead; adding, the order
    // of the system.
    bool pFirst = atP < atQ;
    Equation r = Combined(pFirst ? sp : sq, pFirst ? sq : sp, subtract ? -1 : 1);
    if (subtract && LeadsNegative(r)) {
        pFirst = !pFirst;
        r = Combined(pFirst ? sp : sq, pFirst ? sq : sp, -1);
    }
    const std::string first = pFirst ? Times(p.label, mp) : Times(q.label, mq);
    const std::string second = pFirst ? Times(q.label, mq) : Times(p.label, mp);
    for (const auto& [label, m, scaled] : {std::tuple(&p.label, &mp, &sp), std::tuple(&q.label, &mq, &sq)}) {
        const std::string name = Times(*label, *m);
        if (fmpz_is_one(m->get()) || std::find(scaledShown_.begin(), scaledShown_.end(), name) != scaledShown_.end())
            continue;
        scaledShown_.push_back(name);
        Show(kEliminationEquation, name + " より", *scaled);
    }
    std::string caption = first + (subtract ? " − " : " + ") + second + " より";
    // Two unknowns or more with a common factor: divided by it first.
    const Integer g = CommonFactor(r);
    if (r.Terms() >= 2 && fmpz_cmp_ui(g.get(), 1) > 0) {
        Show(kEliminationEquation, caption, r);
        r = Scaled(r, Rational(Integer(1), g));
        caption = "両辺を " + g.text() + " で割ると";
    }
    Numbered(r, std::move(caption));
    return r;
}

void Elimination::Eliminate(std::size_t v, std::size_t pivot)
{
    stages_.push_back({v, system_});
    scaledShown_.clear();
    bool combines = false;
    for (std::size_t i = 0; i < system_.size(); ++i)
        combines = combines || (i != pivot && system_[i].Has(v));
    if (combines)
        worked_.steps.push_back(MakeStep("elimination.plan", std::string(kUnknowns[v]) + " を消去する", Row({})));
    std::vector<Equation> next;
    for (std::size_t i = 0; i < system_.size(); ++i) {
        if (i == pivot)
            continue;
        if (!system_[i].Has(v))
            next.push_back(system_[i]);
        else
            next.push_back(Combine(system_[pivot], pivot, system_[i], i, v));
    }
    system_ = std::move(next);
}

// c·v = k alone: v = k/c.
void Elimination::SolveAlone(const Equation& e, std::size_t v)
{
    const Rational& c = e.c[v];
    std::string caption = c == Rational(1) ? e.label + "より"
        : c == Rational(-1)                ? e.label + "の両辺に -1 をかけると"
                                           : e.label + "の両辺を " + c.text() + " で割ると";
    value_[v] = e.k / c;
    worked_.steps.push_back(
        MakeStep(kEliminationSolved, std::move(caption), Row({Name(kUnknowns[v]), Op("="), Of(*value_[v])})));
}

// The values found put into e, whose other unknowns are all known: the
// equation with the numbers, c·v alone on the left, then v.
void Elimination::SubstituteInto(const Equation& e, std::size_t v)
{
    std::string known;
    std::vector<MathNode> row;
    Rational rest(0);
    for (std::size_t j = 0; j < n_; ++j) {
        if (!e.Has(j))
            continue;
        const Rational& c = e.c[j];
        if (c.sign() < 0)
            row.push_back(Op("-"));
        else if (!row.empty())
            row.push_back(Op("+"));
        const bool one = Abs(c) == Rational(1);
        if (j == v) {
            if (!one)
                Append(row, Of(Abs(c)));
            row.push_back(Name(kUnknowns[j]));
            continue;
        }
        known += (known.empty() ? "" : ", ") + std::string(kUnknowns[j]) + " = " + value_[j]->text();
        rest = rest + c * *value_[j];
        if (!one) {
            Append(row, Of(Abs(c)));
            row.push_back(Op("×"));
            Append(row, Substituted(*value_[j]));
        } else {
            // "2/3 + 5B", "A - (-3)": brackets only where a minus follows a sign.
            const bool leading = row.empty();
            Append(row, value_[j]->sign() < 0 && !leading ? Group(Of(*value_[j])) : Of(*value_[j]));
        }
    }
    worked_.steps.push_back(MakeStep("elimination.substitution", known + " を" + e.label + "に代入すると",
        Row({Row(std::move(row)), Op("="), Of(e.k)})));

    Equation alone;
    alone.c.assign(n_, Rational(0));
    alone.c[v] = e.c[v];
    alone.k = e.k - rest;
    const Rational& c = e.c[v];
    value_[v] = alone.k / c;
    const MathNode solved = Row({Name(kUnknowns[v]), Op("="), Of(*value_[v])});
    if (c == Rational(1)) {
        worked_.steps.push_back(MakeStep(kEliminationSolved, {}, solved));
        return;
    }
    worked_.steps.push_back(MakeStep("elimination.transposition", {}, EquationOf(alone)));
    worked_.steps.push_back(MakeStep(kEliminationSolved,
        c == Rational(-1) ? std::string("両辺に -1 をかけると") : "両辺を " + c.text() + " で割ると", solved));
}

void Elimination::Answer()
{
    std::vector<MathNode> row;
    for (std::size_t j = 0; j < n_; ++j) {
        if (!row.empty())
            row.push_back(Op(","));
        row.push_back(Name(kUnknowns[j]));
        row.push_back(Op("="));
        row.push_back(Value(ShownText(*value_[j], "0.000000")));
    }
    worked_.steps.push_back(MakeStep(StepRule::kAnswer, "答", Row(std::move(row))));
}

WorkedSteps Elimination::Run()
{
    worked_.steps.push_back(MakeStep(StepRule::kProblem, "次の連立方程式を加減法で解く", Row({})));
    for (Equation& e : system_) {
        e.label = kCircled[labels_++];
        worked_.steps.push_back(MakeStep(kEliminationEquation, {}, EquationOf(e, Typed), "…" + e.label));
    }
    ClearFractions();

    std::vector<std::size_t> unknowns;
    for (std::size_t j = 0; j < n_; ++j)
        unknowns.push_back(j);
    while (unknowns.size() > 1) {
        if (const Equation* zero = ZeroEquation()) {
            EndSingular(*zero);
            return std::move(worked_);
        }
        const auto [v, pivot] = Choose(unknowns);
        Eliminate(v, pivot);
        unknowns.erase(std::find(unknowns.begin(), unknowns.end(), v));
    }
    if (const Equation* zero = ZeroEquation()) {
        EndSingular(*zero);
        return std::move(worked_);
    }
    const std::size_t last = unknowns.front();
    if (!value_[last])
        SolveAlone(system_.front(), last);

    // Back through the stages: each unknown from the simplest equation of
    // the system it was eliminated from, all of whose other unknowns are
    // known by then.
    for (auto stage = stages_.rbegin(); stage != stages_.rend(); ++stage) {
        const std::size_t v = stage->unknown;
        if (value_[v])
            continue;
        const Equation* use = nullptr;
        for (const Equation& e : stage->system) {
            if (!e.Has(v))
                continue;
            if (!use || e.Terms() < use->Terms()
                || (e.Terms() == use->Terms()
                    && fmpz_cmpabs(fmpq_numref(e.c[v].get()), fmpq_numref(use->c[v].get())) < 0))
                use = &e;
        }
        if (use->Terms() == 1)
            SolveAlone(*use, v);
        else
            SubstituteInto(*use, v);
    }
    Answer();
    return std::move(worked_);
}

} // namespace

WorkedSteps EliminationSteps(const BoxRows& rows, const std::vector<std::string>& rhs)
{
    auto grid = ReadGrid(rows);
    if (!grid || rhs.size() != grid->size())
        return {};
    const std::size_t n = grid->size();
    std::vector<Equation> system(n);
    for (std::size_t i = 0; i < n; ++i) {
        system[i].c = std::move((*grid)[i]);
        const auto k = ReadExact(rhs[i]);
        if (!k)
            return {};
        system[i].k = *k;
    }
    return Elimination(std::move(system)).Run();
}
