// SPDX-License-Identifier: MIT
// The 掃き出し法 steps of the simultaneous equations and the inverse matrix:
// textbook cases read line by line, and seeded random systems and matrices
// whose every row operation is done again from its words (matrix_check.h),
// whose formulas are marked by the independent checker, and whose answer is
// the exact view's and agrees with the decimal calculation.
#include "conversions.h"
#include "exact_linalg.h"
#include "exact_reading.h"
#include "exact_support.h"
#include "inverse.h"
#include "layout_check.h"
#include "math_text.h"
#include "matrix_check.h"
#include "random_texts.h"
#include "simultaneous.h"
#include "steps_check.h"
#include "steps_reading.h"
#include "steps_sweep.h"
#include "steps_text.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <random>

namespace {

// The exact view's text of a label: the canonical text, or "≈" and the true
// value to the screen's decimals.
std::string Shown(const ExactText& text, const Rational& value, const char* pattern)
{
    return ExactLabelText(text, FormatFixed(Nearest(Algebraic(value)).value().re, pattern));
}

double AsDouble(const Rational& q)
{
    return Nearest(Algebraic(q)).value().re;
}

// The decimal solution; nothing where the decimal calculation refuses the
// system (it may also fault).
std::optional<std::vector<double>> DecimalSolution(const BoxRows& boxes, const std::vector<std::string>& rhs)
{
    const int n = static_cast<int>(boxes.size());
    Matrix a{};
    Vector b{};
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n; ++j)
            a[i][j] = ParseNumber(boxes[i - 1][j - 1]);
        b[i] = ParseNumber(rhs[i - 1]);
    }
    try {
        const auto solved = Renritu(a, b, n);
        if (solved.index() != 0)
            return std::nullopt;
        const Vector& x = std::get<0>(solved);
        return std::vector<double>(x.begin() + 1, x.begin() + 1 + n);
    } catch (const ArithmeticFault&) {
        return std::nullopt;
    }
}

std::optional<std::vector<std::vector<double>>> DecimalInverse(const BoxRows& boxes)
{
    const int n = static_cast<int>(boxes.size());
    Matrix a{};
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j)
            a[i][j] = ParseNumber(boxes[i - 1][j - 1]);
    try {
        const auto inverted = Gyakugyouretu(a, n);
        if (inverted.index() != 0)
            return std::nullopt;
        const Matrix& m = std::get<0>(inverted);
        std::vector<std::vector<double>> rows;
        for (int i = 1; i <= n; ++i)
            rows.emplace_back(m[i].begin() + 1, m[i].begin() + 1 + n);
        return rows;
    } catch (const ArithmeticFault&) {
        return std::nullopt;
    }
}

// The decimal calculation's value within its shown decimals of the exact
// one, allowing for its own rounding on larger values.
bool Agrees(const Rational& exact, double decimal, double unit)
{
    const double x = AsDouble(exact);
    return std::abs(x - decimal) <= unit + 1e-9 * std::max(1.0, std::abs(x));
}

// Random entries of a sweep, smaller than the common kinds so that fifth-order
// fractions stay readable: whole numbers, one-place decimals, 15-digit
// decimals below 10, and small whole numbers with many blanks (zero pivots,
// swaps).
class Inputs : public RandomTexts {
public:
    using RandomTexts::RandomTexts;
    std::string Entry(int kind)
    {
        switch (kind) {
        case 0: return std::to_string(Whole(-9, 9));
        case 1: return std::to_string(Whole(-20, 20)) + "." + std::to_string(Whole(0, 9));
        case 2: { // 15 significant digits
            std::string text = Whole(0, 1) ? "-" : "";
            text += std::to_string(Whole(1, 9));
            text += ".";
            text += std::to_string(Whole(10000000, 99999999));
            text += std::to_string(Whole(100000, 999999));
            return text;
        }
        default: return Whole(0, 2) == 0 ? std::to_string(Whole(-3, 3)) : std::string();
        }
    }
    BoxRows Grid(std::size_t n, int kind)
    {
        BoxRows boxes(n);
        for (auto& row : boxes)
            for (std::size_t j = 0; j < n; ++j)
                row.push_back(Entry(kind));
        return boxes;
    }
    // A grid whose last row is a sum of multiples of the others: singular
    // exactly, perhaps not in the decimal calculation.
    BoxRows Singular(std::size_t n, int kind)
    {
        BoxRows boxes = Grid(n, kind);
        RationalRows m = Numbers(boxes);
        std::vector<Rational> last(n);
        for (std::size_t i = 0; i + 1 < n; ++i) {
            static const long denominators[] = {1, 2, 4, 5};
            const Rational k(Whole(-3, 3), denominators[Whole(0, 3)]);
            for (std::size_t j = 0; j < n; ++j)
                last[j] = last[j] + k * m[i][j];
        }
        for (std::size_t j = 0; j < n; ++j)
            boxes[n - 1][j] = DecimalText(last[j]);
        return boxes;
    }

private:
    // The decimal text of a rational whose denominator divides a power of
    // ten, which a box reads back exactly.
    static std::string DecimalText(const Rational& q)
    {
        Integer d;
        fmpz_set(d.get(), fmpq_denref(q.get()));
        Integer scale(1);
        int places = 0;
        while (!fmpz_divisible(scale.get(), d.get())) {
            fmpz_mul_ui(scale.get(), scale.get(), 10);
            ++places;
        }
        Integer n;
        fmpz_mul(n.get(), fmpq_numref(q.get()), scale.get());
        fmpz_divexact(n.get(), n.get(), d.get());
        std::string digits = n.text();
        const bool minus = digits.front() == '-';
        if (minus)
            digits = digits.substr(1);
        const std::size_t point = static_cast<std::size_t>(places);
        if (point > 0) {
            if (digits.size() <= point)
                digits = std::string(point + 1 - digits.size(), '0') + digits;
            digits = digits.substr(0, digits.size() - point) + "." + digits.substr(digits.size() - point);
        }
        return minus ? "-" + digits : digits;
    }
};

// The steps' matrices and answer for a system: the sweep from (A | b) to
// (E | x) done again operation by operation, x the exact solution (A·x = b),
// 答 the exact view's texts, the decimal solution within its decimals.
void CheckSolved(const BoxRows& boxes, const std::vector<std::string>& rhs)
{
    const WorkedSteps steps = SweepSolveSteps(boxes, rhs);
    const QString plain = Plain(steps);
    const std::size_t n = boxes.size();
    QVERIFY2(steps.steps.size() > n + 2, qPrintable(plain));
    for (std::size_t i = 0; i < n; ++i)
        QCOMPARE(steps.steps[i].rule, std::string(StepRule::kProblem));
    QVERIFY2(plain.contains(QStringLiteral("掃き出し法")), qPrintable(plain));
    const ExactVector exact = ExactSolve(boxes, rhs);
    // A singular system has no solution to check its equations at.
    WorkedSteps marked = steps;
    if (exact.status == ExactStatus::Singular)
        std::erase_if(marked.steps, [](const Step& s) { return s.rule == StepRule::kProblem; });
    const QStringList failures = CheckSteps(marked);
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join('\n') + "\n" + plain));

    RationalRows start = Numbers(boxes);
    const RationalRows b = Numbers({rhs});
    for (std::size_t i = 0; i < n; ++i)
        start[i].push_back(b[0][i]);
    RationalRows last;
    int operations = 0;
    const QStringList sweep = CheckSweep(steps, start, last, operations);
    QVERIFY2(sweep.isEmpty(), qPrintable(sweep.join('\n') + "\n" + plain));
    QVERIFY2(operations <= static_cast<int>(n * n + n - 1), qPrintable(plain));

    if (exact.status == ExactStatus::Singular) {
        // Stuck at a column whose entries from the diagonal down are all 0.
        QCOMPARE(LastLine(steps), QStringLiteral("答 ") + QString::fromUtf8(kExactSingularSystemMessage));
        QCOMPARE(steps.steps[steps.steps.size() - 2].rule, std::string("sweep.stuck"));
        static const QRegularExpression stuck(QStringLiteral("^第(\\d)列の第(\\d)行以下の成分がすべて 0 になり"));
        const auto match = stuck.match(QString::fromStdString(steps.steps[steps.steps.size() - 2].caption));
        QVERIFY2(match.hasMatch() && match.captured(1) == match.captured(2), qPrintable(plain));
        const std::size_t k = match.captured(1).toUInt() - 1;
        for (std::size_t i = 0; i < n; ++i)
            for (std::size_t j = 0; j < k; ++j)
                QVERIFY2(last[i][j] == Rational(i == j ? 1 : 0), qPrintable(plain));
        for (std::size_t i = k; i < n; ++i)
            QVERIFY2(last[i][k].isZero(), qPrintable(plain));
        return;
    }
    QCOMPARE(exact.status, ExactStatus::Found);
    QCOMPARE(steps.steps.back().rule, std::string(StepRule::kAnswer));
    QStringList answer;
    const auto decimal = DecimalSolution(boxes, rhs);
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = 0; j < n; ++j)
            QVERIFY2(last[i][j] == Rational(i == j ? 1 : 0), qPrintable(plain));
        const Rational& x = last[i][n];
        answer << QStringLiteral("%1 = %2")
                      .arg(QChar('A' + static_cast<int>(i)))
                      .arg(QString::fromStdString(Shown(exact.x[i], x, "0.000000")));
        if (exact.x[i])
            QVERIFY(ParseCanonical(*exact.x[i]).value() == Algebraic(x));
        if (decimal)
            QVERIFY2(Agrees(x, (*decimal)[i], 5e-7), qPrintable(plain));
    }
    // A·x = b.
    for (std::size_t i = 0; i < n; ++i) {
        Rational sum;
        for (std::size_t j = 0; j < n; ++j)
            sum = sum + start[i][j] * last[j][n];
        QVERIFY(sum == start[i][n]);
    }
    QCOMPARE(LastLine(steps), QStringLiteral("答 ") + answer.join(", "));
}

// The same for an inverse: (A | E) swept to (E | A⁻¹) for order 3 and up,
// the formula's result for 2 × 2; the check A A⁻¹ = E worked out right; 答
// the exact view's texts row by row.
void CheckInverted(const BoxRows& boxes)
{
    const WorkedSteps steps = InverseSteps(boxes);
    const QString plain = Plain(steps);
    const std::size_t n = boxes.size();
    QVERIFY2(!steps.steps.empty(), qPrintable(plain));
    QCOMPARE(steps.steps.front().rule, std::string(StepRule::kProblem));
    const QStringList failures = CheckSteps(steps);
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join('\n') + "\n" + plain));
    const RationalRows a = Numbers(boxes);
    const ExactMatrix exact = ExactInverse(boxes);

    RationalRows inverse;
    if (n >= 3) {
        QVERIFY2(plain.contains(QStringLiteral("掃き出し法")), qPrintable(plain));
        RationalRows start = a;
        const RationalRows e = UnitMatrix(n);
        for (std::size_t i = 0; i < n; ++i)
            start[i].insert(start[i].end(), e[i].begin(), e[i].end());
        RationalRows last;
        int operations = 0;
        const QStringList sweep = CheckSweep(steps, start, last, operations);
        QVERIFY2(sweep.isEmpty(), qPrintable(sweep.join('\n') + "\n" + plain));
        QVERIFY2(operations <= static_cast<int>(n * n + n - 1), qPrintable(plain));
        if (exact.status == ExactStatus::Found) {
            for (std::size_t i = 0; i < n; ++i) {
                for (std::size_t j = 0; j < n; ++j)
                    QVERIFY2(last[i][j] == Rational(i == j ? 1 : 0), qPrintable(plain));
                inverse.emplace_back(last[i].begin() + static_cast<std::ptrdiff_t>(n), last[i].end());
            }
        }
    } else if (exact.status == ExactStatus::Found) {
        const auto formula = std::find_if(
            steps.steps.begin(), steps.steps.end(), [](const Step& s) { return s.rule == "inverse.formula"; });
        QVERIFY2(formula != steps.steps.end(), qPrintable(plain));
        inverse = MatrixValues(*LastMatrix(formula->math)).value();
        // A⁻¹ = 1/(ad − bc) (d −b; −c a) = k (numbers) = result: the numbers
        // put in where the letters stood, k the reciprocal of ad − bc (no k
        // for 1, a minus alone for −1), and k times them the result.
        std::vector<std::vector<MathNode>> members(1);
        for (const MathNode& item : formula->math.children) {
            if (item.kind == MathNode::Kind::Operator && item.text == "=")
                members.emplace_back();
            else
                members.back().push_back(item);
        }
        QVERIFY2(members.size() == 3 || members.size() == 4, qPrintable(plain));
        const std::vector<MathNode>& put = members[2];
        const RationalRows adjugate = MatrixValues(put.back()).value();
        const RationalRows swapped{{a[1][1], -a[0][1]}, {-a[1][0], a[0][0]}};
        QVERIFY2(SameMatrix(adjugate, swapped), qPrintable(plain));
        Rational k(1);
        if (put.size() == 2 && put[0].kind == MathNode::Kind::Operator && put[0].text == "-") {
            k = Rational(-1);
        } else if (put.size() > 1) {
            MathNode factor;
            factor.children.assign(put.begin(), put.end() - 1);
            k = Evaluate(factor, {}).value().front().rational().value();
        }
        const Rational det = a[0][0] * a[1][1] - a[0][1] * a[1][0];
        QVERIFY2(k * det == Rational(1), qPrintable(plain));
        for (std::size_t i = 0; i < 2; ++i)
            for (std::size_t j = 0; j < 2; ++j)
                QVERIFY2(inverse[i][j] == k * adjugate[i][j], qPrintable(plain));
    }

    if (exact.status == ExactStatus::Singular) {
        QCOMPARE(LastLine(steps), QStringLiteral("答 ") + QString::fromUtf8(kExactSingularInverseMessage));
        QVERIFY2(plain.contains(QStringLiteral("|A| = 0 なので逆行列は存在しない")), qPrintable(plain));
        return;
    }
    QCOMPARE(exact.status, ExactStatus::Found);
    QVERIFY2(SameMatrix(Multiply(a, inverse), UnitMatrix(n)), qPrintable(plain));

    // The check: A and the inverse written, their product E.
    const auto check
        = std::find_if(steps.steps.begin(), steps.steps.end(), [](const Step& s) { return s.rule == "inverse.check"; });
    QVERIFY2(check != steps.steps.end() && check->substeps.size() == 1, qPrintable(plain));
    QCOMPARE(QString::fromStdString(check->caption), QStringLiteral("A A⁻¹ = E を確かめる"));
    std::vector<RationalRows> matrices;
    for (const MathNode& item : check->substeps[0].math.children)
        if (item.kind == MathNode::Kind::Matrix)
            matrices.push_back(MatrixValues(item).value());
    QCOMPARE(matrices.size(), std::size_t(3));
    QVERIFY(SameMatrix(matrices[0], a));
    QVERIFY(SameMatrix(matrices[1], inverse));
    QVERIFY(SameMatrix(matrices[2], UnitMatrix(n)));

    // 答 row by row, and the decimal inverse within its three decimals.
    const auto decimal = DecimalInverse(boxes);
    QStringList rows;
    for (std::size_t i = 0; i < n; ++i) {
        QStringList row;
        for (std::size_t j = 0; j < n; ++j) {
            row << QString::fromStdString(Shown(exact.entries[i][j], inverse[i][j], "0.000"));
            if (decimal)
                QVERIFY2(Agrees(inverse[i][j], (*decimal)[i][j], 5e-4), qPrintable(plain));
        }
        rows << "(" + row.join(", ") + ")";
    }
    QCOMPARE(steps.steps.back().rule, std::string(StepRule::kAnswer));
    QCOMPARE(LastLine(steps), QStringLiteral("答 A⁻¹ = (") + rows.join(", ") + ")");
}

} // namespace

class TestWorkedStepsSweep : public QObject {
    Q_OBJECT

private slots:
    void cleanupTestCase() { flint_cleanup(); }
    void solveTextbook_data();
    void solveTextbook();
    void inverseTextbook_data();
    void inverseTextbook();
    void rowOperationWords_data();
    void rowOperationWords();
    void solveRandom_data();
    void solveRandom();
    void inverseRandom_data();
    void inverseRandom();
    void singular();
    void fifteenDigitsAreFast();
    void latexCompiles();
    void drawsEachLineInItsBand();
    void refused();
};

void TestWorkedStepsSweep::solveTextbook_data()
{
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QStringList>("rhs");
    QTest::addColumn<QString>("plain");
    QTest::newRow("3x3") << QStringList{"1 1 1", "2 3 -1", "1 -1 2"} << QStringList{"6", "5", "5"}
                         << "A + B + C = 6\n"
                            "2A + 3B - C = 5\n"
                            "A - B + 2C = 5\n"
                            "掃き出し法で解く。拡大係数行列の左側が単位行列になるまで行基本変形を行う\n"
                            "拡大係数行列は ((1, 1, 1 | 6), (2, 3, -1 | 5), (1, -1, 2 | 5))\n"
                            "第2行から第1行の 2 倍を引く ((1, 1, 1 | 6), (0, 1, -3 | -7), (1, -1, 2 | 5))\n"
                            "第3行から第1行を引く ((1, 1, 1 | 6), (0, 1, -3 | -7), (0, -2, 1 | -1))\n"
                            "第1行から第2行を引く ((1, 0, 4 | 13), (0, 1, -3 | -7), (0, -2, 1 | -1))\n"
                            "第3行に第2行の 2 倍を加える ((1, 0, 4 | 13), (0, 1, -3 | -7), (0, 0, -5 | -15))\n"
                            "第3行を -5 で割る ((1, 0, 4 | 13), (0, 1, -3 | -7), (0, 0, 1 | 3))\n"
                            "第1行から第3行の 4 倍を引く ((1, 0, 0 | 1), (0, 1, -3 | -7), (0, 0, 1 | 3))\n"
                            "第2行に第3行の 3 倍を加える ((1, 0, 0 | 1), (0, 1, 0 | 2), (0, 0, 1 | 3))\n"
                            "左側が単位行列になったので A = 1, B = 2, C = 3\n"
                            "答 A = 1, B = 2, C = 3";
    QTest::newRow("swap") << QStringList{"_ 1", "1 1"} << QStringList{"2", "3"}
                          << "B = 2\n"
                             "A + B = 3\n"
                             "掃き出し法で解く。拡大係数行列の左側が単位行列になるまで行基本変形を行う\n"
                             "拡大係数行列は ((0, 1 | 2), (1, 1 | 3))\n"
                             "第1行と第2行を入れ替える ((1, 1 | 3), (0, 1 | 2))\n"
                             "第1行から第2行を引く ((1, 0 | 1), (0, 1 | 2))\n"
                             "左側が単位行列になったので A = 1, B = 2\n"
                             "答 A = 1, B = 2";
    QTest::newRow("2x2") << QStringList{"2 1", "1 -1"} << QStringList{"5", "1"}
                         << "2A + B = 5\n"
                            "A - B = 1\n"
                            "掃き出し法で解く。拡大係数行列の左側が単位行列になるまで行基本変形を行う\n"
                            "拡大係数行列は ((2, 1 | 5), (1, -1 | 1))\n"
                            "第1行と第2行を入れ替える ((1, -1 | 1), (2, 1 | 5))\n"
                            "第2行から第1行の 2 倍を引く ((1, -1 | 1), (0, 3 | 3))\n"
                            "第2行を 3 で割る ((1, -1 | 1), (0, 1 | 1))\n"
                            "第1行に第2行を加える ((1, 0 | 2), (0, 1 | 1))\n"
                            "左側が単位行列になったので A = 2, B = 1\n"
                            "答 A = 2, B = 1";
    QTest::newRow("dec") << QStringList{"0.5 1.25", "3 -2"} << QStringList{"1", "0.1"}
                         << "1/2 A + 5/4 B = 1\n"
                            "3A - 2B = 1/10\n"
                            "掃き出し法で解く。拡大係数行列の左側が単位行列になるまで行基本変形を行う\n"
                            "拡大係数行列は ((1/2, 5/4 | 1), (3, -2 | 1/10))\n"
                            "第1行を 2 倍する ((1, 5/2 | 2), (3, -2 | 1/10))\n"
                            "第2行から第1行の 3 倍を引く ((1, 5/2 | 2), (0, -19/2 | -59/10))\n"
                            "第2行を -2/19 倍する ((1, 5/2 | 2), (0, 1 | 59/95))\n"
                            "第1行から第2行の 5/2 倍を引く ((1, 0 | 17/38), (0, 1 | 59/95))\n"
                            "左側が単位行列になったので A = 17/38, B = 59/95\n"
                            "答 A = 17/38, B = 59/95";
    QTest::newRow("sing") << QStringList{"1 2", "2 4"} << QStringList{"3", "6"}
                          << "A + 2B = 3\n"
                             "2A + 4B = 6\n"
                             "掃き出し法で解く。拡大係数行列の左側が単位行列になるまで行基本変形を行う\n"
                             "拡大係数行列は ((1, 2 | 3), (2, 4 | 6))\n"
                             "第2行から第1行の 2 倍を引く ((1, 2 | 3), (0, 0 | 0))\n"
                             "第2列の第2行以下の成分がすべて 0 になり、左側を単位行列にできない\n"
                             "答 正確な計算では行列式が0になり、解は一つに定まりません";
}

void TestWorkedStepsSweep::solveTextbook()
{
    QFETCH(QStringList, rows);
    QFETCH(QStringList, rhs);
    QFETCH(QString, plain);
    const WorkedSteps steps = SweepSolveSteps(Rows(rows), Column(rhs));
    QCOMPARE(Plain(steps), plain);
    CheckSolved(Rows(rows), Column(rhs));
}

void TestWorkedStepsSweep::inverseTextbook_data()
{
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("plain");
    QTest::newRow("2x2")
        << QStringList{"2 1", "1 3"}
        << "A = ((2, 1), (1, 3)) の逆行列を求める\n"
           "A = ((a, b), (c, d)) とおくと\n"
           "a = 2, b = 1, c = 1, d = 3\n"
           "ad - bc = 2×3 - 1×1 = 5 ≠ 0 より逆行列が存在する\n"
           "公式より A⁻¹ = 1/(ad - bc) ((d, -b), (-c, a)) = 1/5 ((3, -1), (-1, 2)) = ((3/5, -1/5), (-1/5, 2/5))\n"
           "A A⁻¹ = E を確かめる\n"
           "  AA⁻¹ = ((2, 1), (1, 3))((3/5, -1/5), (-1/5, 2/5)) = ((1, 0), (0, 1)) = E\n"
           "答 A⁻¹ = ((3/5, -1/5), (-1/5, 2/5))";
    QTest::newRow("2x2 neg")
        << QStringList{"1 2", "3 4"}
        << "A = ((1, 2), (3, 4)) の逆行列を求める\n"
           "A = ((a, b), (c, d)) とおくと\n"
           "a = 1, b = 2, c = 3, d = 4\n"
           "ad - bc = 1×4 - 2×3 = -2 ≠ 0 より逆行列が存在する\n"
           "公式より A⁻¹ = 1/(ad - bc) ((d, -b), (-c, a)) = -1/2 ((4, -2), (-3, 1)) = ((-2, 1), (3/2, -1/2))\n"
           "A A⁻¹ = E を確かめる\n"
           "  AA⁻¹ = ((1, 2), (3, 4))((-2, 1), (3/2, -1/2)) = ((1, 0), (0, 1)) = E\n"
           "答 A⁻¹ = ((-2, 1), (3/2, -1/2))";
    QTest::newRow("2x2 -1")
        << QStringList{"1 2", "1 1"}
        << "A = ((1, 2), (1, 1)) の逆行列を求める\n"
           "A = ((a, b), (c, d)) とおくと\n"
           "a = 1, b = 2, c = 1, d = 1\n"
           "ad - bc = 1×1 - 2×1 = -1 ≠ 0 より逆行列が存在する\n"
           "公式より A⁻¹ = 1/(ad - bc) ((d, -b), (-c, a)) = -((1, -2), (-1, 1)) = ((-1, 2), (1, -1))\n"
           "A A⁻¹ = E を確かめる\n"
           "  AA⁻¹ = ((1, 2), (1, 1))((-1, 2), (1, -1)) = ((1, 0), (0, 1)) = E\n"
           "答 A⁻¹ = ((-1, 2), (1, -1))";
    QTest::newRow("3x3")
        << QStringList{"1 2 0", "0 1 1", "1 0 1"}
        << "A = ((1, 2, 0), (0, 1, 1), (1, 0, 1)) の逆行列を求める\n"
           "掃き出し法で求める。A の右に単位行列 E を並べ、左側が E になるまで行基本変形を行う\n"
           "(A | E) = ((1, 2, 0 | 1, 0, 0), (0, 1, 1 | 0, 1, 0), (1, 0, 1 | 0, 0, 1))\n"
           "第3行から第1行を引く ((1, 2, 0 | 1, 0, 0), (0, 1, 1 | 0, 1, 0), (0, -2, 1 | -1, 0, 1))\n"
           "第1行から第2行の 2 倍を引く ((1, 0, -2 | 1, -2, 0), (0, 1, 1 | 0, 1, 0), (0, -2, 1 | -1, 0, 1))\n"
           "第3行に第2行の 2 倍を加える ((1, 0, -2 | 1, -2, 0), (0, 1, 1 | 0, 1, 0), (0, 0, 3 | -1, 2, 1))\n"
           "第3行を 3 で割る ((1, 0, -2 | 1, -2, 0), (0, 1, 1 | 0, 1, 0), (0, 0, 1 | -1/3, 2/3, 1/3))\n"
           "第1行に第3行の 2 倍を加える ((1, 0, 0 | 1/3, -2/3, 2/3), (0, 1, 1 | 0, 1, 0), (0, 0, 1 | -1/3, 2/3, 1/3))\n"
           "第2行から第3行を引く ((1, 0, 0 | 1/3, -2/3, 2/3), (0, 1, 0 | 1/3, 1/3, -1/3), (0, 0, 1 | -1/3, 2/3, 1/3))\n"
           "左側が E になったので A⁻¹ = ((1/3, -2/3, 2/3), (1/3, 1/3, -1/3), (-1/3, 2/3, 1/3))\n"
           "A A⁻¹ = E を確かめる\n"
           "  AA⁻¹ = ((1, 2, 0), (0, 1, 1), (1, 0, 1))((1/3, -2/3, 2/3), (1/3, 1/3, -1/3), (-1/3, 2/3, 1/3)) = ((1, "
           "0, 0), (0, 1, 0), (0, 0, 1)) = E\n"
           "答 A⁻¹ = ((1/3, -2/3, 2/3), (1/3, 1/3, -1/3), (-1/3, 2/3, 1/3))";
    QTest::newRow("3x3 swap")
        << QStringList{"1 0 0", "0 0 2", "0 4 0"}
        << "A = ((1, 0, 0), (0, 0, 2), (0, 4, 0)) の逆行列を求める\n"
           "掃き出し法で求める。A の右に単位行列 E を並べ、左側が E になるまで行基本変形を行う\n"
           "(A | E) = ((1, 0, 0 | 1, 0, 0), (0, 0, 2 | 0, 1, 0), (0, 4, 0 | 0, 0, 1))\n"
           "第2行と第3行を入れ替える ((1, 0, 0 | 1, 0, 0), (0, 4, 0 | 0, 0, 1), (0, 0, 2 | 0, 1, 0))\n"
           "第2行を 4 で割る ((1, 0, 0 | 1, 0, 0), (0, 1, 0 | 0, 0, 1/4), (0, 0, 2 | 0, 1, 0))\n"
           "第3行を 2 で割る ((1, 0, 0 | 1, 0, 0), (0, 1, 0 | 0, 0, 1/4), (0, 0, 1 | 0, 1/2, 0))\n"
           "左側が E になったので A⁻¹ = ((1, 0, 0), (0, 0, 1/4), (0, 1/2, 0))\n"
           "A A⁻¹ = E を確かめる\n"
           "  AA⁻¹ = ((1, 0, 0), (0, 0, 2), (0, 4, 0))((1, 0, 0), (0, 0, 1/4), (0, 1/2, 0)) = ((1, 0, 0), (0, 1, "
           "0), (0, 0, 1)) = E\n"
           "答 A⁻¹ = ((1, 0, 0), (0, 0, 1/4), (0, 1/2, 0))";
    QTest::newRow("2x2 sing") << QStringList{"1 2", "2 4"}
                              << "A = ((1, 2), (2, 4)) の逆行列を求める\n"
                                 "A = ((a, b), (c, d)) とおくと\n"
                                 "a = 1, b = 2, c = 2, d = 4\n"
                                 "ad - bc = 1×4 - 2×2 = 0\n"
                                 "|A| = 0 なので逆行列は存在しない\n"
                                 "答 正確な計算では行列式が0になり、逆行列はありません";
    QTest::newRow("3x3 sing")
        << QStringList{"1 2 3", "4 5 6", "7 8 9"}
        << "A = ((1, 2, 3), (4, 5, 6), (7, 8, 9)) の逆行列を求める\n"
           "掃き出し法で求める。A の右に単位行列 E を並べ、左側が E になるまで行基本変形を行う\n"
           "(A | E) = ((1, 2, 3 | 1, 0, 0), (4, 5, 6 | 0, 1, 0), (7, 8, 9 | 0, 0, 1))\n"
           "第2行から第1行の 4 倍を引く ((1, 2, 3 | 1, 0, 0), (0, -3, -6 | -4, 1, 0), (7, 8, 9 | 0, 0, 1))\n"
           "第3行から第1行の 7 倍を引く ((1, 2, 3 | 1, 0, 0), (0, -3, -6 | -4, 1, 0), (0, -6, -12 | -7, 0, 1))\n"
           "第2行を -3 で割る ((1, 2, 3 | 1, 0, 0), (0, 1, 2 | 4/3, -1/3, 0), (0, -6, -12 | -7, 0, 1))\n"
           "第1行から第2行の 2 倍を引く ((1, 0, -1 | -5/3, 2/3, 0), (0, 1, 2 | 4/3, -1/3, 0), (0, -6, -12 | -7, 0, "
           "1))\n"
           "第3行に第2行の 6 倍を加える ((1, 0, -1 | -5/3, 2/3, 0), (0, 1, 2 | 4/3, -1/3, 0), (0, 0, 0 | 1, -2, 1))\n"
           "第3列の第3行以下の成分がすべて 0 になり、左側を単位行列にできない\n"
           "|A| = 0 なので逆行列は存在しない\n"
           "答 正確な計算では行列式が0になり、逆行列はありません";
}

void TestWorkedStepsSweep::inverseTextbook()
{
    QFETCH(QStringList, rows);
    QFETCH(QString, plain);
    QCOMPARE(Plain(InverseSteps(Rows(rows))), plain);
    CheckInverted(Rows(rows));
}

// The checker reads the words the builder writes, and refuses what is not
// a row operation or does nothing.
void TestWorkedStepsSweep::rowOperationWords_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("done");
    QTest::addColumn<QStringList>("after");
    const QStringList m{"1 2 3", "4 5 6", "7 8 9"};
    QTest::newRow("swap") << "第1行と第3行を入れ替える" << true << QStringList{"7 8 9", "4 5 6", "1 2 3"};
    QTest::newRow("divide") << "第2行を 2 で割る" << true << QStringList{"1 2 3", "2 2.5 3", "7 8 9"};
    QTest::newRow("times") << "第2行を -1/2 倍する" << true << QStringList{"1 2 3", "-2 -2.5 -3", "7 8 9"};
    QTest::newRow("subtract") << "第2行から第1行の 4 倍を引く" << true << QStringList{"1 2 3", "0 -3 -6", "7 8 9"};
    QTest::newRow("subtract once") << "第3行から第1行を引く" << true << QStringList{"1 2 3", "4 5 6", "6 6 6"};
    QTest::newRow("add") << "第1行に第2行の 1/2 倍を加える" << true << QStringList{"3 4.5 6", "4 5 6", "7 8 9"};
    QTest::newRow("add once") << "第1行に第3行を加える" << true << QStringList{"8 10 12", "4 5 6", "7 8 9"};
    QTest::newRow("itself") << "第2行と第2行を入れ替える" << false << m;
    QTest::newRow("times 1") << "第2行を 1 倍する" << false << m;
    QTest::newRow("zero times") << "第2行から第1行の 0 倍を引く" << false << m;
    QTest::newRow("no row 4") << "第4行を 2 で割る" << false << m;
    QTest::newRow("not words") << "第2行を 2 で割ります" << false << m;
}

void TestWorkedStepsSweep::rowOperationWords()
{
    QFETCH(QString, caption);
    QFETCH(bool, done);
    QFETCH(QStringList, after);
    RationalRows m = Numbers(Rows({"1 2 3", "4 5 6", "7 8 9"}));
    const auto operation = ReadRowOperation(caption);
    QCOMPARE(operation.has_value() && Apply(*operation, m), done);
    QVERIFY(SameMatrix(m, Numbers(Rows(after))));
}

void TestWorkedStepsSweep::solveRandom_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("integers") << 0;
    QTest::newRow("short decimals") << 1;
    QTest::newRow("15 digits") << 2;
    QTest::newRow("zeros") << 3;
}

void TestWorkedStepsSweep::solveRandom()
{
    QFETCH(int, kind);
    Inputs in(20 + static_cast<unsigned>(kind));
    for (std::size_t n = 2; n <= 5; ++n) {
        for (int k = 0; k < (kind == 2 ? 6 : 25); ++k) {
            const BoxRows boxes = in.Grid(n, kind);
            std::vector<std::string> rhs;
            for (std::size_t i = 0; i < n; ++i)
                rhs.push_back(in.Entry(kind));
            CheckSolved(boxes, rhs);
            if (QTest::currentTestFailed())
                return;
        }
    }
}

void TestWorkedStepsSweep::inverseRandom_data()
{
    solveRandom_data();
}

void TestWorkedStepsSweep::inverseRandom()
{
    QFETCH(int, kind);
    Inputs in(40 + static_cast<unsigned>(kind));
    for (std::size_t n = 2; n <= 5; ++n) {
        for (int k = 0; k < (kind == 2 ? 6 : 25); ++k) {
            CheckInverted(in.Grid(n, kind));
            if (QTest::currentTestFailed())
                return;
        }
    }
}

// Singular grids, whole and short decimals (0.1 0.2 / 0.3 0.6 is singular
// only exactly): the sweep stops where a column runs out of pivots and the
// steps end with the exact view's words.
void TestWorkedStepsSweep::singular()
{
    Inputs in(7);
    for (int kind : {0, 1, 3}) {
        for (std::size_t n = 2; n <= 5; ++n) {
            for (int k = 0; k < 8; ++k) {
                const BoxRows boxes = in.Singular(n, kind);
                std::vector<std::string> rhs;
                for (std::size_t i = 0; i < n; ++i)
                    rhs.push_back(in.Entry(0));
                QCOMPARE(ExactSolve(boxes, rhs).status, ExactStatus::Singular);
                CheckSolved(boxes, rhs);
                CheckInverted(boxes);
                if (QTest::currentTestFailed())
                    return;
            }
        }
    }
    CheckSolved(Rows({"0.1 0.2", "0.3 0.6"}), {"1", "2"});
    CheckInverted(Rows({"0.1 0.2", "0.3 0.6"}));
    CheckInverted(Rows({"_ _ _", "1 2 3", "4 5 6"}));
}

// 5 × 5 of 15-digit decimals, the largest work the screens give: well
// within the window's 50 ms (median) and 200 ms (worst).
void TestWorkedStepsSweep::fifteenDigitsAreFast()
{
    Inputs in(99);
    std::vector<qint64> solve, invert;
    for (int k = 0; k < 15; ++k) {
        const BoxRows boxes = in.Grid(5, 2);
        std::vector<std::string> rhs;
        for (int i = 0; i < 5; ++i)
            rhs.push_back(in.Entry(2));
        QElapsedTimer timer;
        timer.start();
        const WorkedSteps solved = SweepSolveSteps(boxes, rhs);
        solve.push_back(timer.nsecsElapsed());
        timer.start();
        const WorkedSteps inverted = InverseSteps(boxes);
        invert.push_back(timer.nsecsElapsed());
        QVERIFY(!solved.steps.empty() && !inverted.steps.empty());
    }
    for (std::vector<qint64>* times : {&solve, &invert}) {
        std::sort(times->begin(), times->end());
        QVERIFY2((*times)[times->size() / 2] < 20'000'000, qPrintable(QString::number((*times)[times->size() / 2])));
        QVERIFY2(times->back() < 100'000'000, qPrintable(QString::number(times->back())));
    }
}

// The LaTeX of these steps (augmented matrices with their bar, A⁻¹, the
// words with "|") is typeset by upLaTeX without an error.
void TestWorkedStepsSweep::latexCompiles()
{
    Inputs in(5);
    std::vector<WorkedSteps> all;
    all.push_back(SweepSolveSteps(Rows({"1 1 1", "2 3 -1", "1 -1 2"}), {"6", "5", "5"}));
    all.push_back(SweepSolveSteps(Rows({"1 2", "2 4"}), {"3", "6"}));
    all.push_back(SweepSolveSteps(in.Grid(5, 2), {"1", "2", "3", "4", "5"}));
    all.push_back(InverseSteps(Rows({"2 1", "1 3"})));
    all.push_back(InverseSteps(Rows({"1 2", "2 4"})));
    all.push_back(InverseSteps(Rows({"1 2 0", "0 1 1", "1 0 1"})));
    all.push_back(InverseSteps(in.Grid(5, 2)));
    const std::optional<QString> failure = TypesetFailure(all);
    if (!failure)
        QSKIP("uplatex is not installed (scripts/install-deps.sh installs it)");
    QVERIFY2(failure->isEmpty(), qPrintable(*failure));
}

// Laid out as the window draws them, each line's ink (the matrices'
// brackets and bars, fractions in cells) stays within its own band.
void TestWorkedStepsSweep::drawsEachLineInItsBand()
{
    QFont font = QApplication::font();
    font.setPointSizeF(12);
    Inputs in(11);
    for (const WorkedSteps& steps :
        {SweepSolveSteps(Rows({"0.5 1.25", "3 -2"}), {"1", "0.1"}), InverseSteps(Rows({"1 2", "3 4"})),
            InverseSteps(Rows({"1 2 0", "0 1 1", "1 0 1"})), InverseSteps(in.Grid(4, 1))}) {
        const StepsLayout layout(steps, font, 600);
        QVERIFY(layout.Lines().size() >= steps.steps.size());
        const QStringList faults = LayoutFaults(layout);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n') + "\n" + Plain(steps)));
    }
}

// No steps for a grid the screens do not have or an absurd box.
void TestWorkedStepsSweep::refused()
{
    QVERIFY(SweepSolveSteps(Rows({"1"}), {"1"}).steps.empty());
    QVERIFY(SweepSolveSteps(Rows({"1 2", "3 4"}), {"1"}).steps.empty());
    QVERIFY(SweepSolveSteps(Rows({"1 2", "3"}), {"1", "2"}).steps.empty());
    QVERIFY(SweepSolveSteps(Rows({"1e999 2", "3 4"}), {"1", "2"}).steps.empty());
    QVERIFY(SweepSolveSteps(Rows({"1 2", "3 4"}), {"1", "1e-999"}).steps.empty());
    QVERIFY(
        InverseSteps(Rows({"1 2 3 4 5 6", "1 2 3 4 5 6", "1 2 3 4 5 6", "1 2 3 4 5 6", "1 2 3 4 5 6", "1 2 3 4 5 6"}))
            .steps.empty());
    QVERIFY(InverseSteps(Rows({"1 2", "3 1e999"})).steps.empty());
}

QTEST_MAIN(TestWorkedStepsSweep)
#include "tst_worked_steps_sweep.moc"
