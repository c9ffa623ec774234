// SPDX-License-Identifier: MIT
// The worked steps of simultaneous equations (加減法) and of determinants:
// textbook cases read line by line, and seeded random systems and matrices
// whose every formula is true (the independent checker), whose every
// combination of equations and every row operation is the one its words
// name, and whose answer is the exact view's and agrees with the decimal
// calculation.
#include "conversions.h"
#include "determinant.h"
#include "exact_linalg.h"
#include "exact_support.h"
#include "layout_check.h"
#include "math_text.h"
#include "random_texts.h"
#include "simultaneous.h"
#include "steps_check.h"
#include "steps_determinant.h"
#include "steps_elimination.h"
#include "steps_reading.h"
#include "steps_text.h"
#include "worked_steps.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <random>

namespace {

using Kind = MathNode::Kind;
using Entries = std::vector<std::vector<Rational>>;

const char* const kUnknowns[] = {"A", "B", "C", "D", "E"};

QString Line(const Step& step)
{
    return QString::fromStdString(PlainLine(step));
}

std::optional<Rational> RationalOf(const MathNode& node)
{
    const auto values = Evaluate(node, {});
    if (!values || values->size() != 1)
        return std::nullopt;
    return values->front().rational();
}

// A number as the captions write it: "3", "-3", "3/2".
Rational Number(const QString& text)
{
    return ParseCanonical(text.toStdString()).value().rational().value();
}

using Inputs = RandomTexts;

// ------------------------------------------------------------ equations

// The two sides of an equation "… = …".
std::optional<std::pair<MathNode, MathNode>> Sides(const MathNode& math)
{
    const auto at = std::find_if(math.children.begin(), math.children.end(),
        [](const MathNode& item) { return item.kind == Kind::Operator && item.text == "="; });
    if (math.kind != Kind::Row || at == math.children.end())
        return std::nullopt;
    MathNode left, right;
    left.children.assign(math.children.begin(), at);
    right.children.assign(at + 1, math.children.end());
    return std::pair(left, right);
}

// left − right at one choice of the unknowns.
std::optional<Algebraic> Residual(const MathNode& equation, const Bindings& point)
{
    const auto sides = Sides(equation);
    if (!sides)
        return std::nullopt;
    const auto left = Evaluate(sides->first, point);
    const auto right = Evaluate(sides->second, point);
    if (!left || !right || left->size() != 1 || right->size() != 1)
        return std::nullopt;
    return left->front() - right->front();
}

// Every step whose words name a combination of numbered equations
// («①×2 − ② より», «③の両辺を 5 で割ると», «①の両辺を 10 倍すると») is that
// combination: left − right of its equation equals the same sum of the
// others', as functions of the unknowns (checked at random points, which an
// affine function cannot fool).
QStringList CheckCombinations(const WorkedSteps& steps)
{
    static const QString label = QStringLiteral("([①-⑳]'?)");
    static const QRegularExpression combination(
        "^" + label + "(?:×(\\d+))?(?: ([+−]) " + label + "(?:×(\\d+))?)? ?より$");
    static const QRegularExpression divided("^(?:" + label + "の)?両辺を (-?[\\d/]+) で割ると$");
    static const QRegularExpression multiplied("^(?:" + label + "の)?両辺に (-?[\\d/]+) をかけると$");
    static const QRegularExpression times("^" + label + "の両辺を (\\d+) 倍すると$");

    std::map<QString, MathNode> numbered;
    std::optional<MathNode> previous;
    QStringList failures;
    std::mt19937 random(2024);
    for (const Step& step : steps.steps) {
        const QString caption = QString::fromStdString(step.caption);
        std::vector<std::pair<std::optional<MathNode>, Rational>> terms;
        const auto labelled = [&](const QString& name) -> std::optional<MathNode> {
            if (name.isEmpty())
                return previous;
            const auto at = numbered.find(name);
            return at == numbered.end() ? std::nullopt : std::optional(at->second);
        };
        if (const auto m = combination.match(caption); m.hasMatch() && !caption.contains(QStringLiteral("代入"))) {
            terms.emplace_back(labelled(m.captured(1)), m.captured(2).isEmpty() ? Rational(1) : Number(m.captured(2)));
            if (!m.captured(3).isEmpty()) {
                const Rational second = m.captured(5).isEmpty() ? Rational(1) : Number(m.captured(5));
                terms.emplace_back(labelled(m.captured(4)), m.captured(3) == "+" ? second : -second);
            }
        } else if (const auto d = divided.match(caption); d.hasMatch()) {
            terms.emplace_back(labelled(d.captured(1)), Rational(1) / Number(d.captured(2)));
        } else if (const auto x = multiplied.match(caption); x.hasMatch()) {
            terms.emplace_back(labelled(x.captured(1)), Number(x.captured(2)));
        } else if (const auto t = times.match(caption); t.hasMatch()) {
            terms.emplace_back(labelled(t.captured(1)), Number(t.captured(2)));
        } else if (caption.contains(QStringLiteral("両辺")) || caption.endsWith(QStringLiteral("より"))) {
            failures.append("words not understood: " + Line(step));
        }
        if (!terms.empty()) {
            for (int trial = 0; trial < 6; ++trial) {
                Bindings point;
                for (const char* name : kUnknowns)
                    point[name] = {Algebraic(Rational(std::uniform_int_distribution<long>(-50, 50)(random)))};
                Algebraic sum(Rational(0));
                bool known = true;
                for (const auto& [equation, factor] : terms) {
                    const auto r = equation ? Residual(*equation, point) : std::nullopt;
                    known = known && r;
                    if (r)
                        sum = sum + *r * factor;
                }
                const auto own = Residual(step.math, point);
                if (!known || !own || !(*own == sum)) {
                    failures.append("not that combination: " + Line(step));
                    break;
                }
            }
        }
        if (Sides(step.math))
            previous = step.math;
        if (step.remark.starts_with("…"))
            numbered[QString::fromStdString(step.remark.substr(std::string_view("…").size()))] = step.math;
    }
    return failures;
}

// The exact view's text of one unknown, "≈" and six decimals where it has
// none.
QString AnswerText(const ExactText& text, const Algebraic& value)
{
    if (text)
        return QString::fromStdString(*text);
    return QString::fromUtf8(kApproxMark) + QString::fromStdString(FormatFixed(Nearest(value)->re, "0.000000"));
}

// The decimal solution as the screen computes it; none where it refuses.
std::optional<Vector> DecimalSolution(const BoxRows& rows, const std::vector<std::string>& rhs)
{
    const int n = static_cast<int>(rows.size());
    Matrix a{};
    Vector b{};
    try {
        for (int i = 1; i <= n; ++i) {
            for (int j = 1; j <= n; ++j)
                a[i][j] = ParseNumber(rows[i - 1][j - 1]);
            b[i] = ParseNumber(rhs[i - 1]);
        }
        const auto solved = Renritu(a, b, n);
        if (solved.index() != 0)
            return std::nullopt;
        return std::get<0>(solved);
    } catch (const ArithmeticFault&) {
        return std::nullopt;
    }
}

// ------------------------------------------------------------ determinants

// The entries of the determinant a step shows: the first "||" group of its
// formula.
std::optional<Entries> Shown(const MathNode& math)
{
    if (math.kind == Kind::Group && math.text == "||") {
        const MathNode& grid = math.children.front();
        const auto n = static_cast<std::size_t>(grid.columns);
        Entries m(n);
        for (std::size_t k = 0; k < grid.children.size(); ++k) {
            const auto q = RationalOf(grid.children[k]);
            if (!q)
                return std::nullopt;
            m[k / n].push_back(*q);
        }
        return m;
    }
    for (const MathNode& child : math.children)
        if (auto m = Shown(child))
            return m;
    return std::nullopt;
}

// Every row operation is the one its words name: the matrix it shows is the
// one before with that operation done, exactly; the last matrix before the
// product of the diagonal is triangular. (The checker has shown D = c|M| on
// every line by evaluating each determinant.)
QStringList CheckRowOperations(const WorkedSteps& steps)
{
    static const QRegularExpression swap(QStringLiteral("^第(\\d)行と第(\\d)行を入れ替えると符号が変わるので$"));
    static const QRegularExpression factor(QStringLiteral("^第(\\d)行から (\\S+) をくくり出すと$"));
    static const QRegularExpression operation(
        QStringLiteral("第(\\d)行(から|に)第(\\d)行(?:の([\\d/]+)倍)?を(引|加え)"));
    QStringList failures;
    std::optional<Entries> m = Shown(steps.steps.front().math);
    for (const Step& step : steps.steps) {
        const QString caption = QString::fromStdString(step.caption);
        const auto row = [](const QString& digit) { return static_cast<std::size_t>(digit.toInt() - 1); };
        Entries expected = *m;
        if (const auto s = swap.match(caption); s.hasMatch()) {
            std::swap(expected[row(s.captured(1))], expected[row(s.captured(2))]);
        } else if (const auto f = factor.match(caption); f.hasMatch()) {
            for (Rational& q : expected[row(f.captured(1))])
                q = q / Number(f.captured(2));
        } else if (step.rule == "determinant.elimination") {
            auto it = operation.globalMatch(caption);
            if (!it.hasNext())
                failures.append("words not understood: " + Line(step));
            while (it.hasNext()) {
                const auto op = it.next();
                const Rational k = op.captured(4).isEmpty() ? Rational(1) : Number(op.captured(4));
                const std::size_t target = row(op.captured(1)), source = row(op.captured(3));
                for (std::size_t j = 0; j < expected.size(); ++j)
                    expected[target][j] = op.captured(5) == QStringLiteral("引")
                        ? expected[target][j] - k * expected[source][j]
                        : expected[target][j] + k * expected[source][j];
            }
        } else {
            if (step.rule == "determinant.diagonal") {
                for (std::size_t i = 0; i < m->size(); ++i)
                    for (std::size_t j = 0; j < i; ++j)
                        if (!(*m)[i][j].isZero())
                            failures.append("not triangular: " + Line(step));
            }
            continue;
        }
        const auto shown = Shown(step.math);
        if (!shown || *shown != expected)
            failures.append("not that operation: " + Line(step));
        m = shown;
    }
    return failures;
}

// The decimal determinant as the screen computes it; none where it faults.
std::optional<double> DecimalDeterminant(const BoxRows& rows)
{
    const int n = static_cast<int>(rows.size());
    Matrix a{};
    try {
        for (int i = 1; i <= n; ++i)
            for (int j = 1; j <= n; ++j)
                a[i][j] = ParseNumber(rows[i - 1][j - 1]);
        return Gyouretusiki(a, n);
    } catch (const ArithmeticFault&) {
        return std::nullopt;
    }
}

// The method the steps name.
QString Method(const WorkedSteps& steps)
{
    for (const Step& step : steps.steps) {
        if (step.rule == "determinant.sarrus")
            return QStringLiteral("サラス");
        if (step.rule == "determinant.expansion" || step.rule == "determinant.zero")
            return QStringLiteral("余因子展開");
        if (step.rule == "determinant.method")
            return QStringLiteral("行基本変形");
        if (step.rule == StepRule::kIdentity)
            return QStringLiteral("ad - bc");
    }
    return {};
}

} // namespace

class TestWorkedStepsLinalg : public QObject {
    Q_OBJECT

private slots:
    void cleanupTestCase() { flint_cleanup(); }
    void eliminationTextbook_data();
    void eliminationTextbook();
    void eliminationRandom_data();
    void eliminationRandom();
    void eliminationSingular();
    void determinantTextbook_data();
    void determinantTextbook();
    void determinantRandom_data();
    void determinantRandom();
    void wrongStepsAreCaught();
    void determinantBars();
    void latexCompiles();
    void drawsEachLineInItsBand();
    void fast();
    void absurdBoxes();
};

void TestWorkedStepsLinalg::eliminationTextbook_data()
{
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QStringList>("rhs");
    QTest::addColumn<QString>("plain");
    QTest::newRow("2A+3B=7") << QStringList{"2 3", "3 -2"} << QStringList{"7", "4"}
                             << "次の連立方程式を加減法で解く\n"
                                "2A + 3B = 7 …①\n"
                                "3A - 2B = 4 …②\n"
                                "A を消去する\n"
                                "①×3 より 6A + 9B = 21\n"
                                "②×2 より 6A - 4B = 8\n"
                                "①×3 − ②×2 より 13B = 13 …③\n"
                                "③の両辺を 13 で割ると B = 1\n"
                                "B = 1 を①に代入すると 2A + 3×1 = 7\n"
                                "2A = 4\n"
                                "両辺を 2 で割ると A = 2\n"
                                "答 A = 2, B = 1";
    QTest::newRow("add") << QStringList{"2 1", "1 -1"} << QStringList{"5", "1"}
                         << "次の連立方程式を加減法で解く\n"
                            "2A + B = 5 …①\n"
                            "A - B = 1 …②\n"
                            "B を消去する\n"
                            "① + ② より 3A = 6 …③\n"
                            "③の両辺を 3 で割ると A = 2\n"
                            "A = 2 を①に代入すると 2×2 + B = 5\n"
                            "B = 1\n"
                            "答 A = 2, B = 1";
    QTest::newRow("no A in ①") << QStringList{"0 1", "1 1"} << QStringList{"2", "3"}
                               << "次の連立方程式を加減法で解く\n"
                                  "B = 2 …①\n"
                                  "A + B = 3 …②\n"
                                  "①より B = 2\n"
                                  "B = 2 を②に代入すると A + 2 = 3\n"
                                  "A = 1\n"
                                  "答 A = 1, B = 2";
    QTest::newRow("3 unknowns") << QStringList{"1 1 1", "2 -1 1", "1 2 -1"} << QStringList{"6", "3", "2"}
                                << "次の連立方程式を加減法で解く\n"
                                   "A + B + C = 6 …①\n"
                                   "2A - B + C = 3 …②\n"
                                   "A + 2B - C = 2 …③\n"
                                   "C を消去する\n"
                                   "② − ① より A - 2B = -3 …④\n"
                                   "① + ③ より 2A + 3B = 8 …⑤\n"
                                   "A を消去する\n"
                                   "④×2 より 2A - 4B = -6\n"
                                   "⑤ − ④×2 より 7B = 14 …⑥\n"
                                   "⑥の両辺を 7 で割ると B = 2\n"
                                   "B = 2 を④に代入すると A - 2×2 = -3\n"
                                   "A = 1\n"
                                   "A = 1, B = 2 を①に代入すると 1 + 2 + C = 6\n"
                                   "C = 3\n"
                                   "答 A = 1, B = 2, C = 3";
    QTest::newRow("decimals") << QStringList{"0.5 1.5", "1 -1"} << QStringList{"2", "0.4"}
                              << "次の連立方程式を加減法で解く\n"
                                 "0.5A + 1.5B = 2 …①\n"
                                 "A - B = 0.4 …②\n"
                                 "①の両辺を 10 倍すると 5A + 15B = 20\n"
                                 "両辺を 5 で割ると A + 3B = 4 …①'\n"
                                 "②の両辺を 10 倍すると 10A - 10B = 4\n"
                                 "両辺を 2 で割ると 5A - 5B = 2 …②'\n"
                                 "A を消去する\n"
                                 "①'×5 より 5A + 15B = 20\n"
                                 "①'×5 − ②' より 20B = 18 …③\n"
                                 "③の両辺を 20 で割ると B = 9/10\n"
                                 "B = 9/10 を①'に代入すると A + 3×(9/10) = 4\n"
                                 "A = 13/10\n"
                                 "答 A = 13/10, B = 9/10";
    QTest::newRow("decimals, 3 unknowns")
        << QStringList{"0.3 0.2 -1", "1.5 -2 0.4", "2 1 1"} << QStringList{"1.2", "-0.8", "3"}
        << "次の連立方程式を加減法で解く\n"
           "0.3A + 0.2B - C = 1.2 …①\n"
           "1.5A - 2B + 0.4C = -0.8 …②\n"
           "2A + B + C = 3 …③\n"
           "①の両辺を 10 倍すると 3A + 2B - 10C = 12 …①'\n"
           "②の両辺を 10 倍すると 15A - 20B + 4C = -8 …②'\n"
           "C を消去する\n"
           "③×10 より 20A + 10B + 10C = 30\n"
           "①' + ③×10 より 23A + 12B = 42 …④\n"
           "③×4 より 8A + 4B + 4C = 12\n"
           "②' − ③×4 より 7A - 24B = -20 …⑤\n"
           "B を消去する\n"
           "④×2 より 46A + 24B = 84\n"
           "④×2 + ⑤ より 53A = 64 …⑥\n"
           "⑥の両辺を 53 で割ると A = 64/53\n"
           "A = 64/53 を④に代入すると 23×(64/53) + 12B = 42\n"
           "12B = 754/53\n"
           "両辺を 12 で割ると B = 377/318\n"
           "A = 64/53, B = 377/318 を③に代入すると 2×(64/53) + 377/318 + C = 3\n"
           "C = -191/318\n"
           "答 A = 64/53, B = 377/318, C = -191/318";
    QTest::newRow("fraction beyond a decimal's places")
        << QStringList{"1e-30 1", "1 1"} << QStringList{"2", "3"}
        << "次の連立方程式を加減法で解く\n"
           "1/1000000000000000000000000000000 A + B = 2 …①\n"
           "A + B = 3 …②\n"
           "①の両辺を 1000000000000000000000000000000 倍すると A + 1000000000000000000000000000000B"
           " = 2000000000000000000000000000000 …①'\n"
           "A を消去する\n"
           "①' − ② より 999999999999999999999999999999B = 1999999999999999999999999999997 …③\n"
           "③の両辺を 999999999999999999999999999999 で割ると B = 1999999999999999999999999999997/"
           "999999999999999999999999999999\n"
           "B = 1999999999999999999999999999997/999999999999999999999999999999 を①'に代入すると"
           " A + 1000000000000000000000000000000×(1999999999999999999999999999997/999999999999999999999999999999)"
           " = 2000000000000000000000000000000\n"
           "A = 1000000000000000000000000000000/999999999999999999999999999999\n"
           "答 A = ≈1.000000, B = ≈2.000000";
    QTest::newRow("common factor") << QStringList{"1 1 1", "1 -1 3", "3 1 -1"} << QStringList{"3", "3", "3"}
                                   << "次の連立方程式を加減法で解く\n"
                                      "A + B + C = 3 …①\n"
                                      "A - B + 3C = 3 …②\n"
                                      "3A + B - C = 3 …③\n"
                                      "B を消去する\n"
                                      "① + ② より 2A + 4C = 6\n"
                                      "両辺を 2 で割ると A + 2C = 3 …④\n"
                                      "③ − ① より 2A - 2C = 0\n"
                                      "両辺を 2 で割ると A - C = 0 …⑤\n"
                                      "A を消去する\n"
                                      "④ − ⑤ より 3C = 3 …⑥\n"
                                      "⑥の両辺を 3 で割ると C = 1\n"
                                      "C = 1 を④に代入すると A + 2×1 = 3\n"
                                      "A = 1\n"
                                      "A = 1, C = 1 を①に代入すると 1 + B + 1 = 3\n"
                                      "B = 1\n"
                                      "答 A = 1, B = 1, C = 1";
    QTest::newRow("dependent") << QStringList{"1 2", "2 4"} << QStringList{"3", "6"}
                               << "次の連立方程式を加減法で解く\n"
                                  "A + 2B = 3 …①\n"
                                  "2A + 4B = 6 …②\n"
                                  "A を消去する\n"
                                  "①×2 より 2A + 4B = 6\n"
                                  "①×2 − ② より 0 = 0 …③\n"
                                  "③はつねに成り立つので、解は一つに定まらない\n"
                                  "答 正確な計算では行列式が0になり、解は一つに定まりません";
    QTest::newRow("inconsistent") << QStringList{"1 2", "2 4"} << QStringList{"3", "7"}
                                  << "次の連立方程式を加減法で解く\n"
                                     "A + 2B = 3 …①\n"
                                     "2A + 4B = 7 …②\n"
                                     "A を消去する\n"
                                     "①×2 より 2A + 4B = 6\n"
                                     "② − ①×2 より 0 = 1 …③\n"
                                     "③は成り立たないので、この連立方程式は解をもたない\n"
                                     "答 正確な計算では行列式が0になり、解は一つに定まりません";
}

void TestWorkedStepsLinalg::eliminationTextbook()
{
    QFETCH(QStringList, rows);
    QFETCH(QStringList, rhs);
    QFETCH(QString, plain);
    const WorkedSteps steps = EliminationSteps(Rows(rows), Column(rhs));
    QCOMPARE(Plain(steps), plain);
    QCOMPARE(CheckSteps(steps), QStringList());
    QCOMPARE(CheckCombinations(steps), QStringList());
}

void TestWorkedStepsLinalg::eliminationRandom_data()
{
    QTest::addColumn<int>("unknowns");
    QTest::addColumn<int>("kind");
    for (int n : {2, 3, 4, 5}) {
        QTest::addRow("%d, integers", n) << n << 0;
        QTest::addRow("%d, short decimals", n) << n << 1;
        QTest::addRow("%d, 15 digits", n) << n << 2;
        QTest::addRow("%d, sparse", n) << n << 3;
    }
}

// Random systems: every formula true, every combination the one named, the
// unknowns found the solution, 答 the exact view's texts and the decimal
// solution to its six decimals.
void TestWorkedStepsLinalg::eliminationRandom()
{
    QFETCH(int, unknowns);
    QFETCH(int, kind);
    const auto n = static_cast<std::size_t>(unknowns);
    Inputs in(static_cast<unsigned>(2000 + 10 * unknowns + kind));
    const int trials = n <= 3 ? 40 : 10;
    for (int trial = 0; trial < trials; ++trial) {
        BoxRows rows(n);
        std::vector<std::string> rhs;
        for (auto& row : rows) {
            for (std::size_t j = 0; j < n; ++j)
                row.push_back(kind == 3 ? (in.Whole(0, 2) ? "" : in.Number(0)) : in.Number(kind));
            rhs.push_back(in.Number(kind == 3 ? 0 : kind));
        }
        const ExactVector exact = ExactSolve(rows, rhs);
        const auto decimal = DecimalSolution(rows, rhs);
        if (exact.status != ExactStatus::Found)
            continue; // the singular systems have their own test

        const WorkedSteps steps = EliminationSteps(rows, rhs);
        const QString plain = Plain(steps);
        QCOMPARE(steps.steps.front().rule, std::string(StepRule::kProblem));
        QVERIFY2(plain.contains(QStringLiteral("加減法")), qPrintable(plain));
        Bindings names;
        QStringList failures = CheckSteps(steps, names) + CheckCombinations(steps);
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join('\n') + "\n" + plain));

        QStringList answer;
        for (std::size_t j = 0; j < n; ++j) {
            // Found, one value each (and the equations as typed hold there:
            // the checker has checked them).
            QVERIFY2(names[kUnknowns[j]].size() == 1, qPrintable(plain));
            const Algebraic& x = names[kUnknowns[j]].front();
            answer.append(QStringLiteral("%1 = %2").arg(kUnknowns[j], AnswerText(exact.x[j], x)));
            if (decimal) {
                const double d = (*decimal)[j + 1];
                QVERIFY2(std::abs(Nearest(x)->re - d) <= 5e-7 + 1e-9 * std::abs(d), qPrintable(plain));
            }
        }
        QCOMPARE(LastLine(steps), "答 " + answer.join(", "));
        QCOMPARE(steps.steps.back().rule, std::string(StepRule::kAnswer));
    }
}

// Systems singular in exact arithmetic (a row a multiple of another, or
// the sum of two, the right sides agreeing or not) end with the exact view's
// words, after a true 0 = 0 or 0 = k.
void TestWorkedStepsLinalg::eliminationSingular()
{
    Inputs in(2100);
    for (int trial = 0; trial < 60; ++trial) {
        const std::size_t n = static_cast<std::size_t>(in.Whole(2, 3));
        // Whole numbers, or hundredths written as decimals.
        const long scale = in.Whole(0, 1) ? 1 : 100;
        std::vector<std::vector<long>> numbers(n, std::vector<long>(n + 1));
        for (std::size_t i = 0; i + 1 < n; ++i)
            for (long& x : numbers[i])
                x = in.Whole(-9 * scale, 9 * scale);
        // The last row: 3 × the first, plus the second for three unknowns;
        // its right side the same combination, or one more.
        const bool consistent = in.Whole(0, 1) == 0;
        for (std::size_t j = 0; j <= n; ++j)
            numbers[n - 1][j] = 3 * numbers[0][j] + (n == 3 ? numbers[1][j] : 0) + (j == n && !consistent ? scale : 0);
        const auto text = [scale](long x) {
            if (scale == 1)
                return std::to_string(x);
            const std::string digits = std::to_string(std::abs(x) % 100 + 100).substr(1);
            return (x < 0 ? "-" : "") + std::to_string(std::abs(x) / 100) + "." + digits;
        };
        BoxRows rows(n);
        std::vector<std::string> rhs;
        for (std::size_t i = 0; i < n; ++i) {
            for (std::size_t j = 0; j < n; ++j)
                rows[i].push_back(text(numbers[i][j]));
            rhs.push_back(text(numbers[i][n]));
        }
        QCOMPARE(ExactSolve(rows, rhs).status, ExactStatus::Singular);
        const WorkedSteps steps = EliminationSteps(rows, rhs);
        const QString plain = Plain(steps);
        QStringList failures = CheckSteps(steps) + CheckCombinations(steps);
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join('\n') + "\n" + plain));
        QCOMPARE(LastLine(steps), QStringLiteral("答 ") + QString::fromUtf8(kExactSingularSystemMessage));
        // The equation that shows it: 0 = 0 exactly when the right sides agree.
        const Step& zero = steps.steps[steps.steps.size() - 3];
        QVERIFY2(Line(zero).contains(QStringLiteral(" 0 = ")), qPrintable(plain));
        QCOMPARE(Line(zero).contains(QStringLiteral(" 0 = 0 …")), consistent);
    }
}

void TestWorkedStepsLinalg::determinantTextbook_data()
{
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("plain");
    QTest::newRow("2×2") << QStringList{"1 2", "3 4"}
                         << "次の行列式を求める D = |(1, 2), (3, 4)|\n"
                            "2次の行列式は |(a, b), (c, d)| = ad - bc\n"
                            "D = 1×4 - 2×3 = -2\n"
                            "答 -2";
    QTest::newRow("2×2 fractions") << QStringList{"0.5 -2", "3 0.25"}
                                   << "次の行列式を求める D = |(1/2, -2), (3, 1/4)|\n"
                                      "2次の行列式は |(a, b), (c, d)| = ad - bc\n"
                                      "D = (1/2)×(1/4) - (-2)×3 = 49/8\n"
                                      "答 49/8";
    QTest::newRow("Sarrus") << QStringList{"1 2 3", "0 5 2", "7 1 6"}
                            << "次の行列式を求める D = |(1, 2, 3), (0, 5, 2), (7, 1, 6)|\n"
                               "サラスの方法より D = (1×5×6) + (2×2×7) + (3×0×1) - (3×5×7) - (1×2×1) - (2×0×6)"
                               " = 30 + 28 + 0 - 105 - 2 - 0 = -49\n"
                               "答 -49";
    QTest::newRow("Sarrus signs") << QStringList{"-1 2 0", "3 -1 2", "1 1 -2"}
                                  << "次の行列式を求める D = |(-1, 2, 0), (3, -1, 2), (1, 1, -2)|\n"
                                     "サラスの方法より D = ((-1)×(-1)×(-2)) + (2×2×1) + (0×3×1) - (0×(-1)×1)"
                                     " - ((-1)×2×1) - (2×3×(-2)) = -2 + 4 + 0 - 0 + 2 + 12 = 16\n"
                                     "答 16";
    QTest::newRow("4×4 zero row")
        << QStringList{"2 0 1 3", "0 0 4 0", "1 5 2 1", "3 0 1 2"}
        << "次の行列式を求める D = |(2, 0, 1, 3), (0, 0, 4, 0), (1, 5, 2, 1), (3, 0, 1, 2)|\n"
           "第2行で余因子展開すると D = 4×(-1)^(2+3)|(2, 0, 3), (1, 5, 1), (3, 0, 2)|"
           " = -4|(2, 0, 3), (1, 5, 1), (3, 0, 2)|\n"
           "  サラスの方法より |(2, 0, 3), (1, 5, 1), (3, 0, 2)| = (2×5×2) + (0×1×3) + (3×1×0)"
           " - (3×5×3) - (2×1×0) - (0×1×2) = 20 + 0 + 0 - 45 - 0 - 0 = -25\n"
           "よって D = -4×(-25) = 100\n"
           "答 100";
    QTest::newRow("4×4 two minors")
        << QStringList{"1 0 2 0", "3 1 0 2", "0 2 1 1", "1 0 0 3"}
        << "次の行列式を求める D = |(1, 0, 2, 0), (3, 1, 0, 2), (0, 2, 1, 1), (1, 0, 0, 3)|\n"
           "第1行で余因子展開すると D = 1×(-1)^(1+1)|(1, 0, 2), (2, 1, 1), (0, 0, 3)|"
           " + 2×(-1)^(1+3)|(3, 1, 2), (0, 2, 1), (1, 0, 3)| = |(1, 0, 2), (2, 1, 1), (0, 0, 3)|"
           " + 2|(3, 1, 2), (0, 2, 1), (1, 0, 3)|\n"
           "  サラスの方法より |(1, 0, 2), (2, 1, 1), (0, 0, 3)| = (1×1×3) + (0×1×0) + (2×2×0) - (2×1×0)"
           " - (1×1×0) - (0×2×3) = 3 + 0 + 0 - 0 - 0 - 0 = 3\n"
           "  サラスの方法より |(3, 1, 2), (0, 2, 1), (1, 0, 3)| = (3×2×3) + (1×1×1) + (2×0×0) - (2×2×1)"
           " - (3×1×0) - (1×0×3) = 18 + 1 + 0 - 4 - 0 - 0 = 15\n"
           "よって D = 3 + 2×15 = 33\n"
           "答 33";
    QTest::newRow("4×4 zero column")
        << QStringList{"1 0 2 4", "3 0 0 2", "5 0 1 1", "1 0 7 3"}
        << "次の行列式を求める D = |(1, 0, 2, 4), (3, 0, 0, 2), (5, 0, 1, 1), (1, 0, 7, 3)|\n"
           "第2列の成分がすべて 0 なので D = 0\n"
           "答 0";
    QTest::newRow("5×5 dense")
        << QStringList{"2 1 3 1 2", "1 3 2 4 1", "3 2 1 2 3", "1 1 2 3 4", "2 3 1 1 2"}
        << "次の行列式を求める D = |(2, 1, 3, 1, 2), (1, 3, 2, 4, 1), (3, 2, 1, 2, 3), (1, 1, 2, 3, 4), (2, 3, 1, 1, "
           "2)|\n"
           "行基本変形で三角行列に変形する（ある行に別の行の定数倍を加えても行列式の値は変わらない）\n"
           "第1行と第2行を入れ替えると符号が変わるので"
           " D = -|(1, 3, 2, 4, 1), (2, 1, 3, 1, 2), (3, 2, 1, 2, 3), (1, 1, 2, 3, 4), (2, 3, 1, 1, 2)|\n"
           "第2行から第1行の2倍を引き、第3行から第1行の3倍を引き、第4行から第1行を引き、第5行から第1行の2倍を引くと"
           " D = -|(1, 3, 2, 4, 1), (0, -5, -1, -7, 0), (0, -7, -5, -10, 0), (0, -2, 0, -1, 3), (0, -3, -3, -7, 0)|\n"
           "第3行から第2行の7/5倍を引き、第4行から第2行の2/5倍を引き、第5行から第2行の3/5倍を引くと"
           " D = -|(1, 3, 2, 4, 1), (0, -5, -1, -7, 0), (0, 0, -18/5, -1/5, 0), (0, 0, 2/5, 9/5, 3),"
           " (0, 0, -12/5, -14/5, 0)|\n"
           "第3行から 1/5 をくくり出すと D = -1/5 |(1, 3, 2, 4, 1), (0, -5, -1, -7, 0), (0, 0, -18, -1, 0),"
           " (0, 0, 2/5, 9/5, 3), (0, 0, -12/5, -14/5, 0)|\n"
           "第4行に第3行の1/45倍を加え、第5行から第3行の2/15倍を引くと D = -1/5 |(1, 3, 2, 4, 1), (0, -5, -1, -7, 0),"
           " (0, 0, -18, -1, 0), (0, 0, 0, 16/9, 3), (0, 0, 0, -8/3, 0)|\n"
           "第4行から 1/9 をくくり出すと D = -1/45 |(1, 3, 2, 4, 1), (0, -5, -1, -7, 0), (0, 0, -18, -1, 0),"
           " (0, 0, 0, 16, 27), (0, 0, 0, -8/3, 0)|\n"
           "第5行に第4行の1/6倍を加えると D = -1/45 |(1, 3, 2, 4, 1), (0, -5, -1, -7, 0), (0, 0, -18, -1, 0),"
           " (0, 0, 0, 16, 27), (0, 0, 0, 0, 9/2)|\n"
           "三角行列の行列式は対角成分の積なので D = (-1/45)×1×(-5)×(-18)×16×(9/2) = -144\n"
           "答 -144";
}

void TestWorkedStepsLinalg::determinantTextbook()
{
    QFETCH(QStringList, rows);
    QFETCH(QString, plain);
    const WorkedSteps steps = DeterminantSteps(Rows(rows));
    QCOMPARE(Plain(steps), plain);
    QCOMPARE(CheckSteps(steps), QStringList());
    QCOMPARE(CheckRowOperations(steps), QStringList());
}

void TestWorkedStepsLinalg::determinantRandom_data()
{
    QTest::addColumn<int>("order");
    QTest::addColumn<int>("kind");
    for (int n : {2, 3, 4, 5}) {
        QTest::addRow("%d, integers", n) << n << 0;
        QTest::addRow("%d, short decimals", n) << n << 1;
        QTest::addRow("%d, 15 digits", n) << n << 2;
        QTest::addRow("%d, sparse", n) << n << 3;
        QTest::addRow("%d, dependent rows", n) << n << 4;
    }
}

// Random matrices: every determinant shown equal to D with its sign and
// factors, every row operation the one named, the method the one for the
// order, 答 the exact view's text and the decimal determinant to its three
// decimals.
void TestWorkedStepsLinalg::determinantRandom()
{
    QFETCH(int, order);
    QFETCH(int, kind);
    const auto n = static_cast<std::size_t>(order);
    Inputs in(static_cast<unsigned>(3000 + 10 * order + kind));
    for (int trial = 0; trial < (n <= 3 ? 40 : 12); ++trial) {
        BoxRows rows(n);
        for (auto& row : rows)
            for (std::size_t j = 0; j < n; ++j)
                row.push_back(kind == 3 ? (in.Whole(0, 2) ? "0" : in.Number(0)) : in.Number(kind == 4 ? 0 : kind));
        if (kind == 4) // the last row the sum of the first two: exactly zero
            for (std::size_t j = 0; j < n; ++j)
                rows[n - 1][j] = std::to_string(std::stol(rows[0][j]) + (n > 2 ? std::stol(rows[1][j]) : 0));
        if (kind == 4 && in.Whole(0, 1))
            std::swap(rows[0], rows[n - 1]);

        const WorkedSteps steps = DeterminantSteps(rows);
        const QString plain = Plain(steps);
        Bindings names;
        const QStringList failures = CheckSteps(steps, names) + CheckRowOperations(steps);
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join('\n') + "\n" + plain));
        const QString method = Method(steps);
        QVERIFY2(n == 2  ? method == QStringLiteral("ad - bc")
                : n == 3 ? method == QStringLiteral("サラス")
                         : method == QStringLiteral("余因子展開") || method == QStringLiteral("行基本変形"),
            qPrintable(plain));

        // D was bound by the steps and the problem D = |M| checked: the value is right.
        QVERIFY2(names["D"].size() == 1, qPrintable(plain));
        const Algebraic& d = names["D"].front();
        const ExactText exact = ExactDeterminant(rows);
        const QString text = exact
            ? QString::fromStdString(*exact)
            : QString::fromUtf8(kApproxMark) + QString::fromStdString(FormatFixed(Nearest(d)->re, "0.000"));
        QCOMPARE(LastLine(steps), QStringLiteral("答 ") + text);
        if (kind == 4)
            QCOMPARE(text, QStringLiteral("0"));
        if (const auto decimal = DecimalDeterminant(rows)) {
            const double e = Nearest(d)->re;
            QVERIFY2(std::abs(e - *decimal) <= 5e-4 + 1e-9 * std::abs(e), qPrintable(plain));
        }
    }
}

// The checks catch wrong steps: a wrong number in a combination, a wrong
// multiple in a row operation, a wrong sign after a swap.
void TestWorkedStepsLinalg::wrongStepsAreCaught()
{
    WorkedSteps elimination = EliminationSteps(Rows({"2 3", "3 -2"}), Column({"7", "4"}));
    for (Step& step : elimination.steps)
        if (step.caption == "①×3 − ②×2 より")
            step.caption = "①×3 + ②×2 より";
    QCOMPARE(CheckCombinations(elimination).size(), 1);

    WorkedSteps wrongValue = EliminationSteps(Rows({"2 3", "3 -2"}), Column({"7", "4"}));
    wrongValue.steps[wrongValue.steps.size() - 2].math.children.back() = Formula::Number("3");
    QVERIFY(!CheckSteps(wrongValue).isEmpty());

    const BoxRows dense = Rows({"2 1 3 1 2", "1 3 2 4 1", "3 2 1 2 3", "1 1 2 3 4", "2 3 1 1 2"});
    WorkedSteps rowSteps = DeterminantSteps(dense);
    bool changed = false;
    for (Step& step : rowSteps.steps) {
        if (!changed && step.rule == "determinant.elimination") {
            step.caption.insert(step.caption.find("を"), "の2倍");
            changed = true;
        }
    }
    QVERIFY(changed);
    QVERIFY(!CheckRowOperations(rowSteps).isEmpty());

    WorkedSteps sign = DeterminantSteps(dense);
    for (Step& step : sign.steps) {
        if (step.rule == "determinant.swap" || step.rule == "determinant.factor") {
            MathNode& math = step.math;
            math.children.insert(math.children.begin() + 2, Formula::Op("-"));
            break;
        }
    }
    QVERIFY(!CheckSteps(sign).isEmpty());
}

// The bars of a determinant: one-line text, LaTeX and drawing.
void TestWorkedStepsLinalg::determinantBars()
{
    const WorkedSteps steps = DeterminantSteps(Rows({"1 -2", "3 4"}));
    const MathNode& bars = steps.steps.front().math.children.back();
    QCOMPARE(QString::fromStdString(PlainText(bars)), QStringLiteral("|(1, -2), (3, 4)|"));
    QCOMPARE(
        QString::fromStdString(LatexText(bars)), QStringLiteral("\\begin{vmatrix} 1 & - 2 \\\\ 3 & 4 \\end{vmatrix}"));

    // Drawn as the matrix is, with straight bars for its parentheses: the
    // leftmost inked column is inked nearly from top to bottom.
    QFont font;
    font.setPixelSize(24);
    const MathText::Extent bar = MathText::MeasureNode(bars, font);
    const MathText::Extent matrix = MathText::MeasureNode(bars.children.front(), font);
    QCOMPARE(bar.width, matrix.width);
    QImage image(int(bar.width) + 10, int(bar.ascent + bar.descent) + 10, QImage::Format_ARGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        MathText::DrawNode(painter, bars, {5, 5 + bar.ascent}, font);
    }
    int column = -1;
    for (int x = 0; x < image.width() && column < 0; ++x)
        for (int y = 0; y < image.height(); ++y)
            if (qGray(image.pixel(x, y)) < 128)
                column = x;
    QVERIFY(column >= 0);
    int inked = 0;
    for (int y = 0; y < image.height(); ++y)
        inked += std::min({qGray(image.pixel(column, y)), qGray(image.pixel(column + 1, y))}) < 128 ? 1 : 0;
    QVERIFY2(inked >= 0.8 * (bar.ascent + bar.descent), qPrintable(QString::number(inked)));
}

// The steps' LaTeX, bars and circled numbers included, typesets with upLaTeX
// and amsmath.
void TestWorkedStepsLinalg::latexCompiles()
{
    const std::vector<WorkedSteps> all{
        EliminationSteps(Rows({"0.3 0.2 -1", "1.5 -2 0.4", "2 1 1"}), Column({"1.2", "-0.8", "3"})),
        EliminationSteps(Rows({"1 2", "2 4"}), Column({"3", "7"})),
        DeterminantSteps(Rows({"0.5 -2", "3 0.25"})),
        DeterminantSteps(Rows({"1 2 3", "0 5 2", "7 1 6"})),
        DeterminantSteps(Rows({"1 0 2 0", "3 1 0 2", "0 2 1 1", "1 0 0 3"})),
        DeterminantSteps(Rows({"2 1 3 1 2", "1 3 2 4 1", "3 2 1 2 3", "1 1 2 3 4", "2 3 1 1 2"})),
    };
    const std::optional<QString> failure = TypesetFailure(all);
    if (!failure)
        QSKIP("uplatex is not installed (scripts/install-deps.sh installs it)");
    QVERIFY2(failure->isEmpty(), qPrintable(*failure));
}

// Steps for 5 × 5 of 15-digit decimals take far less than the window's
// budget of 50 ms.
void TestWorkedStepsLinalg::fast()
{
    Inputs in(2500);
    std::vector<qint64> times;
    for (int trial = 0; trial < 10; ++trial) {
        BoxRows rows(5);
        std::vector<std::string> rhs;
        for (auto& row : rows) {
            for (int j = 0; j < 5; ++j)
                row.push_back(in.Number(2));
            rhs.push_back(in.Number(2));
        }
        QElapsedTimer timer;
        timer.start();
        const WorkedSteps determinant = DeterminantSteps(rows);
        times.push_back(timer.nsecsElapsed());
        timer.start();
        const WorkedSteps system = EliminationSteps(rows, rhs);
        times.push_back(timer.nsecsElapsed());
        QVERIFY(!determinant.steps.empty() && !system.steps.empty());
    }
    // The median far below the window's 50 ms, the worst far below its
    // 200 ms, with room for a build under the sanitizers.
    std::sort(times.begin(), times.end());
    QVERIFY2(times[times.size() / 2] < 25'000'000, qPrintable(QString::number(times[times.size() / 2] / 1e6) + " ms"));
    QVERIFY2(times.back() < 100'000'000, qPrintable(QString::number(times.back() / 1e6) + " ms"));
}

void TestWorkedStepsLinalg::absurdBoxes()
{
    QVERIFY(EliminationSteps(Rows({"1e999 1", "1 1"}), Column({"1", "2"})).steps.empty());
    QVERIFY(EliminationSteps(Rows({"1 1", "1 1"}), Column({"1"})).steps.empty());
    QVERIFY(DeterminantSteps(Rows({"1 1", "1 1e-999"})).steps.empty());
    QVERIFY(DeterminantSteps(Rows({"1 1", "1"})).steps.empty());
}

// Laid out as the window draws them, each line's ink (a determinant's bars,
// numbered equations, a Sarrus sum broken over lines) stays in its band.
void TestWorkedStepsLinalg::drawsEachLineInItsBand()
{
    for (const WorkedSteps& steps :
        {EliminationSteps(Rows({"0.3 0.2 -1", "1.5 -2 0.4", "2 1 1"}), Column({"1.2", "-0.8", "3"})),
            DeterminantSteps(Rows({"1 2 3", "0 5 2", "7 1 6"})),
            DeterminantSteps(Rows({"1 0 2 0", "3 1 0 2", "0 2 1 1", "1 0 0 3"})),
            DeterminantSteps(Rows({"2 1 3 1 2", "1 3 2 4 1", "3 2 1 2 3", "1 1 2 3 4", "2 3 1 1 2"}))}) {
        const StepsLayout layout(steps, QApplication::font(), 500);
        const QStringList faults = LayoutFaults(layout);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n') + "\n" + Plain(steps)));
    }
}

QTEST_MAIN(TestWorkedStepsLinalg)
#include "tst_worked_steps_linalg.moc"
