// SPDX-License-Identifier: MIT
#include "steps_determinant.h"

#include "conversions.h"
#include "exact_reading.h"
#include "surd_form.h"
#include "worked_steps.h"

#include <optional>
#include <utility>

namespace {

using namespace Formula;
using Entries = std::vector<std::vector<Rational>>;

// 余因子展開 is used while it leaves at most this many determinants of order 3
// to work out; beyond that the row operations are shorter.
constexpr int kMostSmallDeterminants = 2;

std::string Ordinal(std::size_t k)
{
    return "第" + std::to_string(k + 1);
}

MathNode Bars(const Entries& m)
{
    MathNode grid;
    grid.kind = MathNode::Kind::Matrix;
    grid.columns = static_cast<int>(m.size());
    for (const auto& row : m)
        for (const Rational& q : row)
            grid.children.push_back(Of(q));
    return Group(std::move(grid), kDeterminantBars);
}

// c times what follows, written before it: none for 1, "-" for −1, "3", "1/2".
void AppendFactor(std::vector<MathNode>& row, const Rational& c)
{
    if (c == Rational(-1))
        row.push_back(Op("-"));
    else if (!(c == Rational(1)))
        Append(row, Of(c));
}

// "D = c|M|".
MathNode Scaled(const Rational& c, const Entries& m)
{
    std::vector<MathNode> row{Name("D"), Op("=")};
    AppendFactor(row, c);
    row.push_back(Bars(m));
    return Row(std::move(row));
}

// The terms signs·values joined as a sum: "30 + 28 - 105"; a term is
// coefficient × value, the coefficient 1 left out.
MathNode SumOf(const std::vector<Rational>& coefficients, const std::vector<Rational>& values)
{
    std::vector<MathNode> row;
    for (std::size_t k = 0; k < values.size(); ++k) {
        const Rational& c = coefficients[k];
        if (c.sign() < 0)
            row.push_back(Op("-"));
        else if (!row.empty())
            row.push_back(Op("+"));
        if (Abs(c) == Rational(1)) {
            Append(row, row.empty() ? Of(values[k]) : Substituted(values[k]));
        } else {
            Append(row, Of(Abs(c)));
            row.push_back(Op("×"));
            Append(row, Substituted(values[k]));
        }
    }
    return Row(std::move(row));
}

MathNode Product(const std::vector<const Rational*>& factors)
{
    std::vector<MathNode> row;
    for (const Rational* q : factors) {
        if (!row.empty())
            row.push_back(Op("×"));
        Append(row, Substituted(*q));
    }
    return Row(std::move(row));
}

Entries Minor(const Entries& m, std::size_t i, std::size_t j)
{
    Entries out;
    for (std::size_t r = 0; r < m.size(); ++r) {
        if (r == i)
            continue;
        out.emplace_back();
        for (std::size_t c = 0; c < m.size(); ++c)
            if (c != j)
                out.back().push_back(m[r][c]);
    }
    return out;
}

// A row or a column.
struct Line {
    bool row = true;
    std::size_t index = 0;
    std::size_t zeros = 0;

    const Rational& At(const Entries& m, std::size_t k) const { return row ? m[index][k] : m[k][index]; }
    std::pair<std::size_t, std::size_t> Position(std::size_t k) const
    {
        return row ? std::pair(index, k) : std::pair(k, index);
    }
    std::string Name() const { return Ordinal(index) + (row ? "行" : "列"); }
};

// The line with the most zeros, a row before a column, the upper or left
// one first.
Line MostZeros(const Entries& m)
{
    Line best;
    best.zeros = 0;
    bool found = false;
    for (bool row : {true, false}) {
        for (std::size_t i = 0; i < m.size(); ++i) {
            Line line{row, i, 0};
            for (std::size_t k = 0; k < m.size(); ++k)
                line.zeros += line.At(m, k).isZero() ? 1 : 0;
            if (!found || line.zeros > best.zeros) {
                best = line;
                found = true;
            }
        }
    }
    return best;
}

// How many determinants of order 3 余因子展開 leaves to work out.
int SmallDeterminants(const Entries& m)
{
    if (m.size() <= 3)
        return 1;
    const Line line = MostZeros(m);
    int count = 0;
    for (std::size_t k = 0; k < m.size() && count <= kMostSmallDeterminants; ++k) {
        if (line.At(m, k).isZero())
            continue;
        const auto [i, j] = line.Position(k);
        count += SmallDeterminants(Minor(m, i, j));
    }
    return count;
}

// ------------------------------------------------------------ the methods

// x = ad − bc with the numbers put in.
Step TwoByTwo(const Entries& m, MathNode x, Rational& value)
{
    value = m[0][0] * m[1][1] - m[0][1] * m[1][0];
    MathNode products = Row({Product({&m[0][0], &m[1][1]}), Op("-"), Product({&m[0][1], &m[1][0]})});
    return MakeStep("determinant.formula", {}, Chain({std::move(x), std::move(products), Of(value)}));
}

// x = (aei) + (bfg) + (cdh) − (ceg) − (afh) − (bdi), their values, the sum.
Step Sarrus(const Entries& m, MathNode x, Rational& value)
{
    static constexpr std::size_t kTerms[6][3][2] = {
        {{0, 0}, {1, 1}, {2, 2}},
        {{0, 1}, {1, 2}, {2, 0}},
        {{0, 2}, {1, 0}, {2, 1}},
        {{0, 2}, {1, 1}, {2, 0}},
        {{0, 0}, {1, 2}, {2, 1}},
        {{0, 1}, {1, 0}, {2, 2}},
    };
    std::vector<MathNode> products;
    std::vector<Rational> signs, values;
    value = Rational(0);
    for (std::size_t t = 0; t < 6; ++t) {
        if (t > 0)
            products.push_back(Op(t < 3 ? "+" : "-"));
        std::vector<const Rational*> factors;
        Rational p(1);
        for (const auto& [i, j] : kTerms[t]) {
            factors.push_back(&m[i][j]);
            p = p * m[i][j];
        }
        products.push_back(Group(Product(factors)));
        const Rational sign(t < 3 ? 1 : -1);
        value = value + sign * p;
        // The sign joins the product's value: "+ 30", "- 105".
        signs.push_back(p.sign() < 0 ? -sign : sign);
        values.push_back(Abs(p));
    }
    return MakeStep("determinant.sarrus", "サラスの方法より",
        Chain({std::move(x), Row(std::move(products)), SumOf(signs, values), Of(value)}));
}

Step ZeroLine(const Line& line, MathNode x)
{
    return MakeStep(
        "determinant.zero", line.Name() + "の成分がすべて 0 なので", Row({std::move(x), Op("="), Number("0")}));
}

std::vector<Step> Expansion(const Entries& m, MathNode x, Rational& value);

// x along the line with the most zeros: each entry times its sign
// (-1)^(i+j) and its minor, the minors worked out in the substeps, then
// the sum.
std::vector<Step> Cofactors(const Entries& m, MathNode x, Rational& value)
{
    const Line line = MostZeros(m);
    if (line.zeros == m.size()) {
        value = Rational(0);
        return {ZeroLine(line, std::move(x))};
    }
    std::vector<MathNode> written, signed_;
    std::vector<Rational> coefficients, minors;
    std::vector<Step> substeps;
    for (std::size_t k = 0; k < m.size(); ++k) {
        const Rational& a = line.At(m, k);
        if (a.isZero())
            continue;
        const auto [i, j] = line.Position(k);
        const Entries minor = Minor(m, i, j);
        if (!written.empty())
            written.push_back(Op("+"));
        Append(written, Substituted(a));
        written.push_back(Op("×"));
        written.push_back(Power(Group(Row({Op("-"), Number("1")})),
            Row({Number(static_cast<long>(i + 1)), Op("+"), Number(static_cast<long>(j + 1))})));
        written.push_back(Bars(minor));
        const Rational c = (i + j) % 2 == 0 ? a : -a;
        if (c.sign() < 0)
            signed_.push_back(Op("-"));
        else if (!signed_.empty())
            signed_.push_back(Op("+"));
        if (!(Abs(c) == Rational(1)))
            Append(signed_, Of(Abs(c)));
        signed_.push_back(Bars(minor));
        coefficients.push_back(c);
        minors.emplace_back();
        for (Step& step : Expansion(minor, Bars(minor), minors.back()))
            substeps.push_back(std::move(step));
    }
    Step expand = MakeStep("determinant.expansion", line.Name() + "で余因子展開すると",
        Chain({x, Row(std::move(written)), Row(std::move(signed_))}));
    expand.substeps = std::move(substeps);

    value = Rational(0);
    for (std::size_t k = 0; k < minors.size(); ++k)
        value = value + coefficients[k] * minors[k];
    std::vector<MathNode> members{x};
    if (minors.size() > 1 || !(Abs(coefficients.front()) == Rational(1)))
        members.push_back(SumOf(coefficients, minors));
    members.push_back(Of(value));
    return {std::move(expand), MakeStep("determinant.sum", "よって", Chain(members))};
}

std::vector<Step> Expansion(const Entries& m, MathNode x, Rational& value)
{
    if (m.size() == 2)
        return {TwoByTwo(m, std::move(x), value)};
    if (m.size() == 3)
        return {Sarrus(m, std::move(x), value)};
    return Cofactors(m, std::move(x), value);
}

// The rational greatest common divisor of a row: what can be taken out of
// it leaving whole numbers with no common factor.
Rational RowFactor(const std::vector<Rational>& row)
{
    Integer g(0), l(1);
    for (const Rational& q : row) {
        fmpz_gcd(g.get(), g.get(), fmpq_numref(q.get()));
        fmpz_lcm(l.get(), l.get(), fmpq_denref(q.get()));
    }
    return fmpz_is_zero(g.get()) ? Rational(1) : Rational(g, l);
}

// The row that gives column k its pivot: an entry 1 (or -1) where there is
// one, so that the multiples stay whole; else the diagonal one; else the
// first that is not zero.
std::optional<std::size_t> PivotRow(const Entries& m, std::size_t k)
{
    const auto unit = [&](std::size_t i) { return Abs(m[i][k]) == Rational(1); };
    if (unit(k))
        return k;
    for (const Rational& one : {Rational(1), Rational(-1)})
        for (std::size_t i = k + 1; i < m.size(); ++i)
            if (m[i][k] == one)
                return i;
    for (std::size_t i = k; i < m.size(); ++i)
        if (!m[i][k].isZero())
            return i;
    return std::nullopt;
}

std::optional<std::size_t> ZeroRow(const Entries& m)
{
    for (std::size_t i = 0; i < m.size(); ++i) {
        bool zero = true;
        for (const Rational& q : m[i])
            zero = zero && q.isZero();
        if (zero)
            return i;
    }
    return std::nullopt;
}

// Row operations down to a triangular matrix, D = c|M| after each, then the
// product of the diagonal.
void RowOperations(Entries m, Rational& value, std::vector<Step>& steps)
{
    steps.push_back(MakeStep("determinant.method",
        "行基本変形で三角行列に変形する（ある行に別の行の定数倍を加えても行列式の値は変わらない）", Row({})));
    Rational c(1);
    const std::size_t n = m.size();
    for (std::size_t k = 0; k + 1 < n; ++k) {
        if (const auto zero = ZeroRow(m)) {
            value = Rational(0);
            steps.push_back(ZeroLine(Line{true, *zero, n}, Name("D")));
            return;
        }
        const auto pivot = PivotRow(m, k);
        if (!pivot)
            continue; // the column is zero from here down: a zero on the diagonal
        if (*pivot != k) {
            std::swap(m[k], m[*pivot]);
            c = -c;
            steps.push_back(MakeStep("determinant.swap",
                Ordinal(k) + "行と" + Ordinal(*pivot) + "行を入れ替えると符号が変わるので", Scaled(c, m)));
        }
        const Rational f = RowFactor(m[k]);
        if (!(f == Rational(1))) {
            for (Rational& q : m[k])
                q = q / f;
            c = c * f;
            steps.push_back(
                MakeStep("determinant.factor", Ordinal(k) + "行から " + f.text() + " をくくり出すと", Scaled(c, m)));
        }
        std::vector<std::string> operations;
        for (std::size_t i = k + 1; i < n; ++i) {
            if (m[i][k].isZero())
                continue;
            const Rational multiple = m[i][k] / m[k][k];
            for (std::size_t j = k; j < n; ++j)
                m[i][j] = m[i][j] - multiple * m[k][j];
            const std::string times = Abs(multiple) == Rational(1) ? "" : "の" + Abs(multiple).text() + "倍";
            operations.push_back(multiple.sign() > 0 ? Ordinal(i) + "行から" + Ordinal(k) + "行" + times + "を引"
                                                     : Ordinal(i) + "行に" + Ordinal(k) + "行" + times + "を加え");
        }
        if (operations.empty())
            continue;
        std::string caption;
        for (std::size_t t = 0; t < operations.size(); ++t) {
            const bool last = t + 1 == operations.size();
            const bool subtract = operations[t].ends_with("を引");
            caption += operations[t] + (last ? (subtract ? "くと" : "ると") : (subtract ? "き、" : "、"));
        }
        steps.push_back(MakeStep("determinant.elimination", std::move(caption), Scaled(c, m)));
    }
    if (const auto zero = ZeroRow(m)) {
        value = Rational(0);
        steps.push_back(ZeroLine(Line{true, *zero, n}, Name("D")));
        return;
    }
    std::vector<const Rational*> diagonal;
    value = c;
    for (std::size_t k = 0; k < n; ++k) {
        diagonal.push_back(&m[k][k]);
        value = value * m[k][k];
    }
    std::vector<MathNode> product;
    if (c == Rational(-1)) {
        product = {Op("-"), Group(Product(diagonal))};
    } else {
        if (!(c == Rational(1))) {
            Append(product, Substituted(c));
            product.push_back(Op("×"));
        }
        Append(product, Product(diagonal));
    }
    steps.push_back(MakeStep("determinant.diagonal", "三角行列の行列式は対角成分の積なので",
        Chain({Name("D"), Row(std::move(product)), Of(value)})));
}

} // namespace

WorkedSteps DeterminantSteps(const BoxRows& rows)
{
    const std::optional<Entries> read = ReadGrid(rows);
    if (!read)
        return {};
    const Entries& m = *read;
    const std::size_t n = m.size();

    WorkedSteps worked;
    worked.steps.push_back(MakeStep(StepRule::kProblem, "次の行列式を求める", Row({Name("D"), Op("="), Bars(m)})));
    Rational value;
    if (n == 2) {
        MathNode general = Bars({{Rational(0), Rational(0)}, {Rational(0), Rational(0)}});
        const char* names[] = {"a", "b", "c", "d"};
        for (std::size_t k = 0; k < 4; ++k)
            general.children[0].children[k] = Name(names[k]);
        worked.steps.push_back(MakeStep(StepRule::kIdentity, "2次の行列式は",
            Row({general, Op("="), Name("a"), Name("d"), Op("-"), Name("b"), Name("c")})));
        worked.steps.push_back(TwoByTwo(m, Name("D"), value));
    } else if (n == 3 || SmallDeterminants(m) <= kMostSmallDeterminants) {
        for (Step& step : Expansion(m, Name("D"), value))
            worked.steps.push_back(std::move(step));
    } else {
        RowOperations(m, value, worked.steps);
    }
    worked.steps.push_back(MakeStep(StepRule::kAnswer, "答", Value(ShownText(value, "0.000"))));
    return worked;
}
