// SPDX-License-Identifier: MIT
#include "steps_sweep.h"

#include "conversions.h"
#include "exact_reading.h"
#include "surd_form.h"
#include "worked_steps.h"

#include <optional>
#include <utility>

namespace {

using namespace Formula;
using Rows = std::vector<std::vector<Rational>>;

const char* const kUnknowns[] = {"A", "B", "C", "D", "E"};

// ------------------------------------------------------------ numbers

// ------------------------------------------------------------ formulas

// The entries row by row with a bar after column `bar` (0 for none).
MathNode MatrixOf(const Rows& m, std::size_t bar)
{
    MathNode node;
    node.kind = MathNode::Kind::Matrix;
    node.columns = static_cast<int>(m.front().size());
    node.bar = static_cast<int>(bar);
    for (const std::vector<Rational>& row : m)
        for (const Rational& q : row)
            node.children.push_back(Of(q));
    return node;
}

MathNode TextMatrix(const std::vector<std::vector<std::string>>& texts)
{
    MathNode node;
    node.kind = MathNode::Kind::Matrix;
    node.columns = static_cast<int>(texts.front().size());
    for (const std::vector<std::string>& row : texts)
        for (const std::string& text : row)
            node.children.push_back(Value(text));
    return node;
}

Rows Unit(std::size_t n)
{
    Rows e(n, std::vector<Rational>(n));
    for (std::size_t i = 0; i < n; ++i)
        e[i][i] = Rational(1);
    return e;
}

// The columns from `from` on.
Rows Right(const Rows& m, std::size_t from)
{
    Rows part;
    for (const std::vector<Rational>& row : m)
        part.emplace_back(row.begin() + static_cast<std::ptrdiff_t>(from), row.end());
    return part;
}

// A⁻¹.
MathNode InverseName()
{
    return Power(Name("A"), -1);
}

// One equation as typed: "2A + B - C = 8", "1/2 A - 3B = 0"; zero terms
// left out, a coefficient 1 unwritten.
MathNode Equation(const std::vector<Rational>& coefficients, const Rational& rhs)
{
    std::vector<MathNode> row;
    for (std::size_t j = 0; j < coefficients.size(); ++j) {
        const Rational& c = coefficients[j];
        if (c.isZero())
            continue;
        if (c.sign() < 0)
            row.push_back(Op("-"));
        else if (!row.empty())
            row.push_back(Op("+"));
        if (!(Abs(c) == Rational(1)))
            Append(row, Of(Abs(c)));
        row.push_back(Name(kUnknowns[j]));
    }
    if (row.empty())
        row.push_back(Number("0"));
    row.push_back(Op("="));
    Append(row, Of(rhs));
    return Row(std::move(row));
}

// "A = 2, B = -1/3", each value as `value` writes it.
template<class Write> MathNode Unknowns(std::size_t n, Write&& value)
{
    std::vector<MathNode> row;
    for (std::size_t j = 0; j < n; ++j) {
        if (j > 0)
            row.push_back(Op(","));
        row.push_back(Name(kUnknowns[j]));
        row.push_back(Op("="));
        Append(row, value(j));
    }
    return Row(std::move(row));
}

// ------------------------------------------------------------ the sweep

std::string RowName(std::size_t i)
{
    return "第" + std::to_string(i + 1) + "行";
}

// The row that gives column k its pivot, as a student picks it to keep the
// numbers whole: row k itself when its entry is ±1; else the first row below
// whose entry is ±1, brought up; else row k when its entry is not 0; else the
// first row below whose entry is not 0.
std::optional<std::size_t> PivotRow(const Rows& m, std::size_t k)
{
    if (Abs(m[k][k]) == Rational(1))
        return k;
    std::optional<std::size_t> first;
    for (std::size_t i = k + 1; i < m.size(); ++i) {
        if (Abs(m[i][k]) == Rational(1))
            return i;
        if (!first && !m[i][k].isZero())
            first = i;
    }
    if (!m[k][k].isZero())
        return k;
    return first;
}

// Sweeps the left n columns of m to the unit matrix as a student does it,
// column by column: bring a nonzero pivot up, make it 1, then clear the rest
// of its column; every operation is a step with the matrix after it (a bar
// after column n). Gives the column that cannot be swept because it is 0
// from the diagonal down, or nothing when the left part became E.
std::optional<std::size_t> SweepOut(Rows& m, std::vector<Step>& steps)
{
    const std::size_t n = m.size();
    const auto record = [&](const char* rule, std::string caption) {
        steps.push_back(MakeStep(rule, std::move(caption), MatrixOf(m, n)));
    };
    for (std::size_t k = 0; k < n; ++k) {
        const auto pivot = PivotRow(m, k);
        if (!pivot)
            return k;
        if (*pivot != k) {
            std::swap(m[k], m[*pivot]);
            record("sweep.swap", RowName(k) + "と" + RowName(*pivot) + "を入れ替える");
        }
        const Rational p = m[k][k];
        if (!(p == Rational(1))) {
            const Rational factor = Rational(1) / p;
            for (Rational& entry : m[k])
                entry = entry * factor;
            // A whole divisor is divided by; -1 and fractions multiply.
            if (p.isInteger() && !(p == Rational(-1)))
                record("sweep.scale", RowName(k) + "を " + p.text() + " で割る");
            else
                record("sweep.scale", RowName(k) + "を " + factor.text() + " 倍する");
        }
        for (std::size_t i = 0; i < n; ++i) {
            const Rational c = m[i][k];
            if (i == k || c.isZero())
                continue;
            for (std::size_t j = 0; j < m[i].size(); ++j)
                m[i][j] = m[i][j] - c * m[k][j];
            const std::string times = Abs(c) == Rational(1) ? "" : "の " + Abs(c).text() + " 倍";
            if (c.sign() > 0)
                record("sweep.add", RowName(i) + "から" + RowName(k) + times + "を引く");
            else
                record("sweep.add", RowName(i) + "に" + RowName(k) + times + "を加える");
        }
    }
    return std::nullopt;
}

std::string StuckWords(std::size_t k)
{
    const std::string number = std::to_string(k + 1);
    return "第" + number + "列の第" + number + "行以下の成分がすべて 0 になり、左側を単位行列にできない";
}

// ------------------------------------------------------------ the inverse

// Names as the entries of a matrix: "a", "-b".
MathNode NameMatrix(const std::vector<std::vector<std::string>>& names)
{
    MathNode node;
    node.kind = MathNode::Kind::Matrix;
    node.columns = static_cast<int>(names.front().size());
    for (const std::vector<std::string>& row : names) {
        for (const std::string& name : row) {
            if (name.front() == '-')
                node.children.push_back(Row({Op("-"), Name(name.substr(1))}));
            else
                node.children.push_back(Name(name));
        }
    }
    return node;
}

MathNode AdMinusBc()
{
    return Row({Name("a"), Name("d"), Op("-"), Name("b"), Name("c")});
}

// 2 × 2: a, b, c, d, the determinant ad − bc and the formula; the inverse,
// or nothing when ad − bc = 0.
std::optional<Rows> TwoByTwo(WorkedSteps& worked, const Rows& m)
{
    const Rational &a = m[0][0], &b = m[0][1], &c = m[1][0], &d = m[1][1];
    worked.steps.push_back(
        MakeStep("inverse.letters", {}, Row({Name("A"), Op("="), NameMatrix({{"a", "b"}, {"c", "d"}})}), "とおくと"));
    worked.steps.push_back(MakeStep("inverse.entries", {},
        Row({Name("a"), Op("="), Of(a), Op(","), Name("b"), Op("="), Of(b), Op(","), Name("c"), Op("="), Of(c), Op(","),
            Name("d"), Op("="), Of(d)})));

    const Rational det = a * d - b * c;
    MathNode chain = Chain({AdMinusBc(),
        Row({Substituted(a), Op("×"), Substituted(d), Op("-"), Substituted(b), Op("×"), Substituted(c)}), Of(det)});
    if (det.isZero()) {
        worked.steps.push_back(MakeStep("inverse.determinant", {}, std::move(chain)));
        return std::nullopt;
    }
    chain.children.push_back(Op("≠"));
    chain.children.push_back(Number("0"));
    worked.steps.push_back(MakeStep("inverse.determinant", {}, std::move(chain), "より逆行列が存在する"));

    const Rational scale = Rational(1) / det;
    std::vector<MathNode> substituted;
    // 1/(ad − bc) as a number in front: none for 1, a minus alone for −1.
    if (scale == Rational(-1))
        substituted.push_back(Op("-"));
    else if (!(scale == Rational(1)))
        Append(substituted, Of(scale));
    substituted.push_back(MatrixOf({{d, -b}, {-c, a}}, 0));
    Rows inverse{{d * scale, -b * scale}, {-c * scale, a * scale}};
    worked.steps.push_back(MakeStep("inverse.formula", "公式より",
        Chain({InverseName(), Row({Fraction(Number("1"), AdMinusBc()), NameMatrix({{"d", "-b"}, {"-c", "a"}})}),
            Row(std::move(substituted)), MatrixOf(inverse, 0)})));
    return inverse;
}

// 3 × 3 and larger: (A | E) swept to (E | A⁻¹); the inverse, or nothing
// when A is singular.
std::optional<Rows> Swept(WorkedSteps& worked, const Rows& a)
{
    const std::size_t n = a.size();
    Rows m = a;
    const Rows e = Unit(n);
    for (std::size_t i = 0; i < n; ++i)
        m[i].insert(m[i].end(), e[i].begin(), e[i].end());
    worked.steps.push_back(MakeStep(
        "sweep.method", "掃き出し法で求める。A の右に単位行列 E を並べ、左側が E になるまで行基本変形を行う", Row({})));
    worked.steps.push_back(
        MakeStep("sweep.matrix", {}, Row({Group(Row({Name("A"), Op("|"), Name("E")})), Op("="), MatrixOf(m, n)})));
    if (const auto stuck = SweepOut(m, worked.steps)) {
        worked.steps.push_back(MakeStep("sweep.stuck", StuckWords(*stuck), Row({})));
        return std::nullopt;
    }
    Rows inverse = Right(m, n);
    worked.steps.push_back(
        MakeStep("sweep.result", "左側が E になったので", Row({InverseName(), Op("="), MatrixOf(inverse, 0)})));
    return inverse;
}

Rows Product(const Rows& x, const Rows& y)
{
    Rows p(x.size(), std::vector<Rational>(y.front().size()));
    for (std::size_t i = 0; i < x.size(); ++i)
        for (std::size_t j = 0; j < y.front().size(); ++j)
            for (std::size_t k = 0; k < y.size(); ++k)
                p[i][j] = p[i][j] + x[i][k] * y[k][j];
    return p;
}

} // namespace

WorkedSteps SweepSolveSteps(const BoxRows& rows, const std::vector<std::string>& rhs)
{
    auto m = ReadGrid(rows);
    if (!m || rhs.size() != m->size())
        return {};
    const std::size_t n = m->size();
    for (std::size_t i = 0; i < n; ++i) {
        const auto b = ReadExact(rhs[i]);
        if (!b)
            return {};
        (*m)[i].push_back(*b);
    }

    WorkedSteps worked;
    for (const std::vector<Rational>& row : *m)
        worked.steps.push_back(
            MakeStep(StepRule::kProblem, {}, Equation(std::vector<Rational>(row.begin(), row.end() - 1), row.back())));
    worked.steps.push_back(
        MakeStep("sweep.method", "掃き出し法で解く。拡大係数行列の左側が単位行列になるまで行基本変形を行う", Row({})));
    worked.steps.push_back(MakeStep("sweep.matrix", "拡大係数行列は", MatrixOf(*m, n)));
    if (const auto stuck = SweepOut(*m, worked.steps)) {
        worked.steps.push_back(MakeStep("sweep.stuck", StuckWords(*stuck), Row({})));
        worked.steps.push_back(MakeStep(StepRule::kAnswer, "答", Row({}), kExactSingularSystemMessage));
        return worked;
    }
    const Rows& x = *m;
    worked.steps.push_back(MakeStep(
        "sweep.result", "左側が単位行列になったので", Unknowns(n, [&x, n](std::size_t j) { return Of(x[j][n]); })));
    worked.steps.push_back(MakeStep(StepRule::kAnswer, "答",
        Unknowns(n, [&x, n](std::size_t j) { return Value(ShownText(x[j][n], "0.000000")); })));
    return worked;
}

WorkedSteps InverseSteps(const BoxRows& rows)
{
    const auto a = ReadGrid(rows);
    if (!a)
        return {};
    WorkedSteps worked;
    worked.steps.push_back(
        MakeStep(StepRule::kProblem, {}, Row({Name("A"), Op("="), MatrixOf(*a, 0)}), "の逆行列を求める"));
    const auto inverse = a->size() == 2 ? TwoByTwo(worked, *a) : Swept(worked, *a);
    if (!inverse) {
        worked.steps.push_back(MakeStep("inverse.singular", "|A| = 0 なので逆行列は存在しない", Row({})));
        worked.steps.push_back(MakeStep(StepRule::kAnswer, "答", Row({}), kExactSingularInverseMessage));
        return worked;
    }

    // The product worked out, not assumed.
    Step check = MakeStep("inverse.check", "A A⁻¹ = E を確かめる", Row({}));
    check.substeps.push_back(MakeStep("inverse.check", {},
        Row({Name("A"), InverseName(), Op("="), MatrixOf(*a, 0), MatrixOf(*inverse, 0), Op("="),
            MatrixOf(Product(*a, *inverse), 0), Op("="), Name("E")})));
    worked.steps.push_back(std::move(check));

    std::vector<std::vector<std::string>> texts;
    for (const std::vector<Rational>& row : *inverse) {
        texts.emplace_back();
        for (const Rational& q : row)
            texts.back().push_back(ShownText(q, "0.000"));
    }
    worked.steps.push_back(MakeStep(StepRule::kAnswer, "答", Row({InverseName(), Op("="), TextMatrix(texts)})));
    return worked;
}
