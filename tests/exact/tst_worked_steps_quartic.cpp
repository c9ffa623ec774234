// SPDX-License-Identifier: MIT
// The quartic's worked steps: each textbook route read line by line, and
// seeded random quartics of every route whose steps must all be true (marked
// by the independent checker), whose 答 must be the exact view's texts and
// must agree with the decimal solver to the shown decimals, in time.
#include "conversions.h"
#include "exact_equations.h"
#include "exact_reading.h"
#include "exact_support.h"
#include "quartic.h"
#include "random_texts.h"
#include "shown_roots.h"
#include "steps_check.h"
#include "steps_reading.h"
#include "steps_roots.h"
#include "steps_text.h"

#include <QElapsedTimer>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <functional>
#include <random>

namespace {

std::vector<Complex> Shown(const std::vector<CoefficientBoxes>& boxes)
{
    return ShownRoots<5>(boxes, Solve4ji);
}

// Every rule the steps use, substeps included.
QStringList Rules(const std::vector<Step>& steps)
{
    QStringList rules;
    for (const Step& step : steps) {
        rules.append(QString::fromStdString(step.rule));
        rules.append(Rules(step.substeps));
    }
    return rules;
}

// The roots the exact view shows, each once, in the screen's rows, with how
// often it appears; as the screens' copied text joins the parts.
struct ShownRoot {
    QString text;
    int times = 0;
};
std::vector<ShownRoot> ExactView(const std::vector<CoefficientBoxes>& boxes, const std::vector<Complex>& shown)
{
    const std::vector<ExactRoot> rows = ExactRoots(boxes, shown);
    std::vector<ShownRoot> roots;
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const MathNode node = Formula::RootValue(
            ShownPart(rows[k].re, shown[k].re).toStdString(), ShownPart(rows[k].im, shown[k].im).toStdString());
        const QString text = QString::fromStdString(PlainText(node));
        const auto same = std::find_if(roots.begin(), roots.end(), [&](const ShownRoot& r) { return r.text == text; });
        if (same != roots.end())
            ++same->times;
        else
            roots.push_back({text, 1});
    }
    return roots;
}

// Within the shown decimals: three places, at most 15 significant digits.
bool WithinShown(double exact, double shown)
{
    return std::abs(exact - shown) <= 0.0005 + 1e-14 * std::abs(shown);
}

// (x − r₁)(x − r₂)… times `lead`, highest power first, as box texts.
std::vector<CoefficientBoxes> FromFactors(long lead, const std::vector<std::vector<long>>& factors)
{
    std::vector<long> p{lead};
    for (const std::vector<long>& f : factors) {
        std::vector<long> next(p.size() + f.size() - 1);
        for (std::size_t i = 0; i < p.size(); ++i)
            for (std::size_t j = 0; j < f.size(); ++j)
                next[i + j] += p[i] * f[j];
        p = next;
    }
    std::vector<CoefficientBoxes> boxes;
    for (long c : p)
        boxes.push_back({std::to_string(c), ""});
    return boxes;
}

using Inputs = RandomTexts;

enum Route { kBiquadratic, kRational, kRepeated, kReciprocal, kPair, kFerrari, kComplex, kFifteen };

// A random quartic of the route.
std::vector<CoefficientBoxes> RandomQuartic(Route route, Inputs& in)
{
    switch (route) {
    case kBiquadratic: {
        const long a = in.NonZero(4);
        return Boxes(
            {QString::number(a), "", QString::number(in.Whole(-20, 20)), "", QString::number(in.Whole(-30, 30))});
    }
    case kRational:
        return FromFactors(in.NonZero(3),
            {{in.Whole(1, 2), in.Whole(-6, 6)}, {1, in.Whole(-6, 6)}, {1, in.Whole(-6, 6)}, {1, in.Whole(-6, 6)}});
    case kRepeated: {
        const long r = in.Whole(-4, 4);
        return FromFactors(in.NonZero(2), {{1, -r}, {1, -r}, {1, -r}, {1, in.Whole(-4, 4)}});
    }
    case kReciprocal: {
        const long a = in.NonZero(4), b = in.NonZero(9);
        return Boxes({QString::number(a), QString::number(b), QString::number(in.Whole(-20, 20)), QString::number(b),
            QString::number(a)});
    }
    case kPair:
        for (;;) {
            const long p = in.Whole(-5, 5), q = in.Whole(-6, 6), r = in.Whole(-5, 5), s = in.Whole(-6, 6);
            const long lead = in.Whole(1, 2);
            // Neither factor with a rational root, nor the quartic even or
            // symmetric (those take their own routes).
            const auto square = [](long d) {
                const long root = d < 0 ? -1 : std::lround(std::sqrt(static_cast<double>(d)));
                return root * root == d;
            };
            if (square(p * p - 4 * q) || square(r * r - 4 * lead * s))
                continue;
            auto boxes = FromFactors(1, {{1, p, q}, {lead, r, s}});
            if ((boxes[1].re == "0" && boxes[3].re == "0")
                || (boxes[0].re == boxes[4].re && boxes[1].re == boxes[3].re))
                continue;
            return boxes;
        }
    case kFerrari: {
        // x⁴ + x + c has no rational root for c ≠ 0, −2 and (for these c)
        // no rational quadratic factor; other terms mixed in, checked by
        // the route the steps take.
        const long c = in.Whole(1, 9);
        return Boxes({"1", QString::number(in.Whole(-3, 3)), QString::number(in.Whole(-3, 3)),
            QString::number(in.NonZero(5)), QString::number(c)});
    }
    case kComplex: {
        QStringList k;
        for (int j = 0; j < 5; ++j)
            k.append(QStringLiteral("%1,%2").arg(in.Whole(-5, 5)).arg(in.Whole(-5, 5)));
        if (k[0] == QLatin1String("0,0"))
            k[0] = "1,1";
        return Boxes(k);
    }
    case kFifteen:
    default: {
        std::vector<CoefficientBoxes> boxes(5);
        for (CoefficientBoxes& box : boxes)
            box.re = in.Whole(0, 3) == 0 ? "" : in.Fifteen();
        boxes[0].re = in.Fifteen();
        return boxes;
    }
    }
}

} // namespace

class TestWorkedStepsQuartic : public QObject {
    Q_OBJECT

private slots:
    void cleanupTestCase() { flint_cleanup(); }
    void textbook_data();
    void textbook();
    void random_data();
    void random();
    void hardInputsAreFast();
    void refused();
};

void TestWorkedStepsQuartic::textbook_data()
{
    QTest::addColumn<QStringList>("coefficients");
    QTest::addColumn<QString>("top"); // the steps' own lines, substeps left out
    QTest::addColumn<QStringList>("inner"); // substeps' lines that must be there
    QTest::newRow("x⁴ - 5x² + 4") << QStringList{"1", "0", "-5", "0", "4"}
                                  << "x⁴ - 5x² + 4 = 0\n"
                                     "x² = t とおくと、t についての2次方程式になる\n"
                                     "よって t = 4, 1\n"
                                     "x² = t より x = ±√t = ±√4, ±√1\n"
                                     "よって x = ±2, ±1\n"
                                     "別解：有理数の解をもつので、因数定理と組立除法でも因数分解できる\n"
                                     "答 x = -2, -1, 2, 1"
                                  << QStringList{"  t² - 5t + 4 = 0"};
    QTest::newRow("x⁴ - 6x² + 1") << QStringList{"1", "0", "-6", "0", "1"}
                                  << "x⁴ - 6x² + 1 = 0\n"
                                     "x² = t とおくと、t についての2次方程式になる\n"
                                     "よって t = 3 ± 2√2\n"
                                     "x² = t より x = ±√t = ±√(3 + 2√2), ±√(3 - 2√2)\n"
                                     "二重根号をはずすと √(3 + 2√2) = √2 + 1\n"
                                     "二重根号をはずすと √(3 - 2√2) = √2 - 1\n"
                                     "よって x = ±(√2 + 1), ±(√2 - 1)\n"
                                     "答 x = -1-√2, 1-√2, 1+√2, -1+√2"
                                  << QStringList{};
    QTest::newRow("x⁴ + 3x² - 4") << QStringList{"1", "0", "3", "0", "-4"}
                                  << "x⁴ + 3x² - 4 = 0\n"
                                     "x² = t とおくと、t についての2次方程式になる\n"
                                     "よって t = 1, -4\n"
                                     "x² = t より x = ±√t = ±√1, ±√(-4)\n"
                                     "よって x = ±1, ±2i\n"
                                     "別解：有理数の解をもつので、因数定理と組立除法でも因数分解できる\n"
                                     "答 x = -1, -2i, 2i, 1"
                                  << QStringList{};
    QTest::newRow("x⁴ + x² + 1")
        << QStringList{"1", "0", "1", "0", "1"}
        << "x⁴ + x² + 1 = 0\n"
           "x² = t とおくと、t についての2次方程式になる\n"
           "よって t = (-1 ± √3 i)/2\n"
           "t が虚数なので、x = ±√t の代わりに、左辺を有理数の範囲で2次式の積に因数分解して解く\n"
           "x⁴ + x² + 1 = (x² - x + 1)(x² + x + 1)\n"
           "1つ目の因数について\n"
           "2つ目の因数について\n"
           "答 x = -1/2 + √3/2 i, 1/2 - √3/2 i, 1/2 + √3/2 i, -1/2 - √3/2 i"
        << QStringList{};
    QTest::newRow("(x - 2)³(x + 2)") << QStringList{"1", "-4", "0", "16", "-16"}
                                     << "x⁴ - 4x³ + 16x - 16 = 0\n"
                                        "P(x) = x⁴ - 4x³ + 16x - 16 とおく\n"
                                        "解の候補は ±(定数項の約数)/(最高次の係数の約数)\n"
                                        "すなわち ±1, ±2, ±4, ±8, ±16\n"
                                        "P(2) = 16 - 32 + 32 - 16 = 0\n"
                                        "よって、因数定理より P(x) は x - 2 を因数にもつ\n"
                                        "組立除法で P(x) を x - 2 で割ると\n"
                                        "2 | 1  -4   0  16  -16\n"
                                        "  |     2  -4  -8   16\n"
                                        "  | 1  -2  -4   8    0\n"
                                        "よって P(x) = (x - 2)(x³ - 2x² - 4x + 8)\n"
                                        "Q(x) = x³ - 2x² - 4x + 8 とおく\n"
                                        "解の候補は ±(定数項の約数)/(最高次の係数の約数)\n"
                                        "すなわち ±1, ±2, ±4, ±8\n"
                                        "Q(2) = 8 - 8 - 8 + 8 = 0\n"
                                        "よって、因数定理より Q(x) は x - 2 を因数にもつ\n"
                                        "組立除法で Q(x) を x - 2 で割ると\n"
                                        "2 | 1  -2  -4   8\n"
                                        "  |     2   0  -8\n"
                                        "  | 1   0  -4   0\n"
                                        "よって Q(x) = (x - 2)(x² - 4)\n"
                                        "以上より x⁴ - 4x³ + 16x - 16 = (x - 2)²(x² - 4)\n"
                                        "残りの2次方程式を解く\n"
                                        "答 x = 2（3重解）, -2"
                                     << QStringList{};
    QTest::newRow("(x - 1)(x³ - 2)") << QStringList{"1", "-1", "0", "-2", "2"}
                                     << "x⁴ - x³ - 2x + 2 = 0\n"
                                        "P(x) = x⁴ - x³ - 2x + 2 とおく\n"
                                        "解の候補は ±(定数項の約数)/(最高次の係数の約数)\n"
                                        "すなわち ±1, ±2\n"
                                        "P(1) = 1 - 1 - 2 + 2 = 0\n"
                                        "よって、因数定理より P(x) は x - 1 を因数にもつ\n"
                                        "組立除法で P(x) を x - 1 で割ると\n"
                                        "1 | 1  -1  0  -2   2\n"
                                        "  |     1  0   0  -2\n"
                                        "  | 1   0  0  -2   0\n"
                                        "よって P(x) = (x - 1)(x³ - 2)\n"
                                        "残りの3次方程式は有理数の解をもたない。その解は答に示す\n"
                                        "答 x = ≈-0.630 + ≈1.091i, ≈-0.630 - ≈1.091i, ≈1.260, 1"
                                     << QStringList{};
    QTest::newRow("x⁴ + x³ - 4x² + x + 1")
        << QStringList{"1", "1", "-4", "1", "1"}
        << "x⁴ + x³ - 4x² + x + 1 = 0\n"
           "x = 0 は解ではない（定数項が 0 でない）ので、両辺を x² で割ると x² + x - 4 + 1/x + 1/x² = 0\n"
           "整理すると (x² + 1/x²) + (x + 1/x) - 4 = 0\n"
           "X = x + 1/x とおくと x² + 1/x² = (x + 1/x)² - 2 = X² - 2\n"
           "X についての2次方程式になる\n"
           "よって X = 2, -3\n"
           "x + 1/x = X の両辺に x を掛けて x² - Xx + 1 = 0。X = 2 のとき\n"
           "x + 1/x = X の両辺に x を掛けて x² - Xx + 1 = 0。X = -3 のとき\n"
           "別解：有理数の解をもつので、因数定理と組立除法でも因数分解できる\n"
           "答 x = (-3-√5)/2, (-3+√5)/2, 1（重解）"
        << QStringList{
               "  代入すると (X² - 2) + X - 4 = 0", "  X² + X - 6 = 0", "  x² - 2x + 1 = 0", "  x² + 3x + 1 = 0"};
    QTest::newRow("2x⁴ - 5x³ + 4x² - 5x + 2")
        << QStringList{"2", "-5", "4", "-5", "2"}
        << "2x⁴ - 5x³ + 4x² - 5x + 2 = 0\n"
           "x = 0 は解ではない（定数項が 0 でない）ので、両辺を x² で割ると 2x² - 5x + 4 - 5/x + 2/x² = 0\n"
           "整理すると 2(x² + 1/x²) - 5(x + 1/x) + 4 = 0\n"
           "X = x + 1/x とおくと x² + 1/x² = (x + 1/x)² - 2 = X² - 2\n"
           "X についての2次方程式になる\n"
           "よって X = 5/2, 0\n"
           "x + 1/x = X の両辺に x を掛けて x² - Xx + 1 = 0。X = 5/2 のとき\n"
           "x + 1/x = X の両辺に x を掛けて x² - Xx + 1 = 0。X = 0 のとき\n"
           "別解：有理数の解をもつので、因数定理と組立除法でも因数分解できる\n"
           "答 x = 1/2, -i, i, 2"
        << QStringList{"  代入すると 2(X² - 2) - 5X + 4 = 0", "  x² - 5/2 x + 1 = 0", "  x² + 1 = 0"};
    QTest::newRow("x⁴ + x³ + x² + x + 1")
        << QStringList{"1", "1", "1", "1", "1"}
        << "x⁴ + x³ + x² + x + 1 = 0\n"
           "x = 0 は解ではない（定数項が 0 でない）ので、両辺を x² で割ると x² + x + 1 + 1/x + 1/x² = 0\n"
           "整理すると (x² + 1/x²) + (x + 1/x) + 1 = 0\n"
           "X = x + 1/x とおくと x² + 1/x² = (x + 1/x)² - 2 = X² - 2\n"
           "X についての2次方程式になる\n"
           "よって X = (-1 ± √5)/2\n"
           "x + 1/x = X の両辺に x を掛けた x² - Xx + 1 = 0 を、それぞれの X について解の公式 x = (X ± √(X² - 4))/2 "
           "で解く\n"
           "1つ目の X について\n"
           "2つ目の X について\n"
           "答 x = (-1-√5)/4 + ≈0.588i, (-1+√5)/4 - ≈0.951i, (-1+√5)/4 + ≈0.951i, (-1-√5)/4 - ≈0.588i"
        << QStringList{"  x² - (-1 + √5)/2 x + 1 = 0",
               "  解の公式より x = ((-1 + √5)/2 ± √((-5 - √5)/2))/2 = ((-1 + √5)/2 ± √((5 + √5)/2) i)/2 = (-1 + √5 ± "
               "√(10 + 2√5) i)/4"};
    QTest::newRow("(x² + 2)(x² - 3x + 5)") << QStringList{"1", "-3", "7", "-6", "10"}
                                           << "x⁴ - 3x³ + 7x² - 6x + 10 = 0\n"
                                              "有理数の解はもたないが、左辺は有理数の範囲で2次式の積に因数分解できる\n"
                                              "x⁴ - 3x³ + 7x² - 6x + 10 = (x² + 2)(x² - 3x + 5)\n"
                                              "1つ目の因数について\n"
                                              "2つ目の因数について\n"
                                              "答 x = √2 i, 3/2 - √11/2 i, 3/2 + √11/2 i, -√2 i"
                                           << QStringList{};
    QTest::newRow("x⁴ + x + 1")
        << QStringList{"1", "0", "0", "1", "1"}
        << "x⁴ + x + 1 = 0\n"
           "有理数の解をもたず、有理数の範囲で2次式の積にも因数分解できない\n"
           "参考：フェラーリの方法\n"
           "答 x = ≈-0.727 + ≈0.430i, ≈-0.727 - ≈0.430i, ≈0.727 + ≈0.934i, ≈0.727 - ≈0.934i"
        << QStringList{"  両辺を x⁴ の係数で割り、x を y と書いた y⁴ + py² + qy + r = 0 の係数は p = 0, q = 1, r = 1",
               "  どんな m についても (y² + p/2 + m)² - (2my² - qy + m² + pm + p²/4 - r) = y⁴ + py² + qy + r",
               "  2my² - qy + m² + pm + p²/4 - r が y の完全平方式になるのは判別式が 0 のときで、分解方程式（m "
               "の3次方程式）は "
               "8m³ + 8pm² + (2p² - 8r)m - q² = 8m³ - 8m - 1 = 0"};
    QTest::newRow("(1 + i)x⁴ + 2x² + 3")
        << QStringList{"1,1", "0", "2", "0", "3"}
        << "(1 + i)x⁴ + 2x² + 3 = 0\n"
           "x² = t とおくと、t についての2次方程式になる\n"
           "x² = t より、それぞれの t について x = ±√t\n"
           "答 x = ≈-0.385 + ≈1.019i, ≈0.385 - ≈1.019i, ≈0.916 + ≈0.975i, ≈-0.916 - ≈0.975i"
        << QStringList{};
}

// Each route on its textbook example: the lines a student reads, every
// formula true.
void TestWorkedStepsQuartic::textbook()
{
    QFETCH(QStringList, coefficients);
    QFETCH(QString, top);
    QFETCH(QStringList, inner);
    const auto boxes = Boxes(coefficients);
    const std::vector<Complex> shown = Shown(boxes);
    QCOMPARE(shown.size(), std::size_t(4));
    const WorkedSteps steps = QuarticSteps(boxes, shown);
    QStringList lines;
    for (const Step& step : steps.steps)
        lines.append(QString::fromStdString(PlainLine(step)));
    QCOMPARE(lines.join('\n'), top);
    const QString plain = Plain(steps);
    const QStringList all = plain.split('\n');
    for (const QString& line : inner)
        QVERIFY2(all.contains(line), qPrintable(line + "\n----\n" + plain));
    const QStringList failures = CheckSteps(steps);
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join('\n')));
    QVERIFY(!steps.stopped);
}

void TestWorkedStepsQuartic::random_data()
{
    QTest::addColumn<int>("route");
    QTest::addColumn<QString>("rule");
    QTest::newRow("biquadratic") << int(kBiquadratic) << "quartic.substitute";
    QTest::newRow("rational roots") << int(kRational) << "";
    QTest::newRow("triple root") << int(kRepeated) << "";
    QTest::newRow("reciprocal") << int(kReciprocal) << "quartic.substitute";
    QTest::newRow("factor pair") << int(kPair) << "quartic.norational";
    QTest::newRow("Ferrari") << int(kFerrari) << "";
    QTest::newRow("complex") << int(kComplex) << "";
    QTest::newRow("15 digits") << int(kFifteen) << "";
}

// Random quartics of each route: every formula true, the first step the
// equation, 答 the exact view's roots each once with their multiplicity, the
// exact ones within the shown decimals of the solver's rows.
void TestWorkedStepsQuartic::random()
{
    QFETCH(int, route);
    QFETCH(QString, rule);
    Inputs in(static_cast<unsigned>(1900 + route));
    int checked = 0;
    for (int trial = 0; trial < 40; ++trial) {
        const auto boxes = RandomQuartic(static_cast<Route>(route), in);
        const std::vector<Complex> shown = Shown(boxes);
        if (shown.empty())
            continue;
        ++checked;
        const WorkedSteps steps = QuarticSteps(boxes, shown);
        const QString plain = Plain(steps);
        QVERIFY2(steps.steps.size() >= 3, qPrintable(plain));
        QCOMPARE(steps.steps.front().rule, std::string(StepRule::kProblem));
        QCOMPARE(steps.steps.back().rule, std::string(StepRule::kAnswer));
        QVERIFY2(!steps.stopped, qPrintable(plain));
        if (!rule.isEmpty())
            QVERIFY2(Rules(steps.steps).contains(rule), qPrintable(plain));
        Bindings names;
        const QStringList failures = CheckSteps(steps, names);
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join('\n') + "\n" + plain));

        // 答: each root of the exact view once, in the rows' order.
        const QString answer = LastLine(steps);
        int at = 0;
        for (const ShownRoot& root : ExactView(boxes, shown)) {
            const int found = answer.indexOf(root.text, at);
            QVERIFY2(found >= at, qPrintable(root.text + "\n" + plain));
            at = found + static_cast<int>(root.text.size());
            if (root.times > 1 && !answer.contains(QStringLiteral("≈"))) {
                const QString mark
                    = root.times == 2 ? QStringLiteral("（重解）") : QStringLiteral("（%1重解）").arg(root.times);
                QVERIFY2(answer.mid(at).trimmed().startsWith(mark), qPrintable(plain));
            }
        }
        // A rational root of a real equation is found by the factor theorem,
        // on the way or as a second way.
        const bool real = std::all_of(boxes.begin(), boxes.end(),
            [](const CoefficientBoxes& b) { return ReadExact(b.im).value_or(Rational(1)).isZero(); });
        const bool rational = std::any_of(
            names["x"].begin(), names["x"].end(), [](const Algebraic& x) { return x.rational().has_value(); });
        if (real && rational) {
            QVERIFY2(plain.contains(QStringLiteral("因数定理")) && plain.contains(QStringLiteral("組立除法")),
                qPrintable(plain));
        }
        // The exact roots the steps found are the solver's, to its decimals.
        for (const Algebraic& x : names["x"]) {
            const auto z = Nearest(x);
            QVERIFY(z);
            QVERIFY2(std::any_of(shown.begin(), shown.end(),
                         [&](const Complex& s) { return WithinShown(z->re, s.re) && WithinShown(z->im, s.im); }),
                qPrintable(plain));
        }
    }
    QVERIFY(checked >= 30);
}

// 15-digit, huge and complex coefficients: the steps come well within the
// window's 50 ms, their answer the exact view's.
void TestWorkedStepsQuartic::hardInputsAreFast()
{
    const std::vector<QStringList> equations{
        {"1.23456789012345", "-98765.4321098765", "3.14159265358979", "2.71828182845904", "-1.41421356237309"},
        {"1.23456789012345", "", "-98765.4321098765", "", "3.14159265358979"},
        {"9.87654321098765", "1.23456789012345", "5.55555555555555", "1.23456789012345", "9.87654321098765"},
        {"1e60", "-3e-60", "7e59", "1", "-1e-60"},
        {"1.23456789012345,-9.87654321098765", "5.55555555555555,1e-30", "-2e20,3.33333333333333", "1,1",
            "-7.77777777777777,2.22222222222222"},
        {"3,1", "", "-2,5", "", "7,-1"},
        {"2,1", "1,-1", "3,3", "1,-1", "2,1"},
    };
    QElapsedTimer timer;
    for (const QStringList& coefficients : equations) {
        const auto boxes = Boxes(coefficients);
        const std::vector<Complex> shown = Shown(boxes);
        QVERIFY2(shown.size() == 4, qPrintable(coefficients.join(' ')));
        timer.start();
        const WorkedSteps steps = QuarticSteps(boxes, shown);
        const qint64 elapsed = timer.nsecsElapsed();
        QVERIFY2(
            elapsed < 50'000'000, qPrintable(QStringLiteral("%1 ms: ").arg(elapsed / 1e6) + coefficients.join(' ')));
        QCOMPARE(steps.steps.back().rule, std::string(StepRule::kAnswer));
        // The steps' own formulas hold; the equation at the 答 roots only
        // as well as the decimal solver's digits allow (coefficients of
        // very different sizes), so those two lines are left out here.
        QStringList failures = CheckSteps(steps);
        const QString problem = QString::fromStdString(PlainLine(steps.steps.front()));
        failures.removeIf([&](const QString& line) {
            return line.endsWith(": " + problem) || line.contains(QStringLiteral(": 答 "));
        });
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join('\n')));
    }
}

// Inputs the decimal calculation refuses give no steps and no crash.
void TestWorkedStepsQuartic::refused()
{
    const std::vector<Complex> four(4);
    QVERIFY(QuarticSteps(Boxes({"0", "1", "2", "3", "4"}), four).steps.empty());
    QVERIFY(QuarticSteps(Boxes({"", "", "", "", ""}), four).steps.empty());
    QVERIFY(QuarticSteps(Boxes({"1e999", "1", "2", "3", "4"}), four).steps.empty());
    QVERIFY(QuarticSteps(Boxes({"1", "1", "2", "3"}), four).steps.empty());
}

QTEST_GUILESS_MAIN(TestWorkedStepsQuartic)
#include "tst_worked_steps_quartic.moc"
