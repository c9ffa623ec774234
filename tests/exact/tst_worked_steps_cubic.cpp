// SPDX-License-Identifier: MIT
// The worked steps of the cubic: textbook cases read line by line (the
// factor theorem with 組立除法, repeated roots, fractional and complex
// coefficients, Cardano's formula where no rational root exists), and seeded
// random cubics of every route whose steps must all be true (marked by the
// independent checker), whose answer must be the exact view's and must agree
// with the decimal solver.
#include "conversions.h"
#include "cubic.h"
#include "exact_deadline.h"
#include "exact_equations.h"
#include "exact_reading.h"
#include "exact_support.h"
#include "exact_value_api.h"
#include "quartic.h"
#include "random_texts.h"
#include "shown_roots.h"
#include "steps_check.h"
#include "steps_reading.h"
#include "steps_roots.h"
#include "steps_text.h"
#include "worked_steps.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <complex>
#include <random>
#include <set>

namespace {

const QString kStoppedLine = QStringLiteral("計算に時間がかかるため、途中式はここまでとする");

std::vector<Complex> Shown(const std::vector<CoefficientBoxes>& boxes)
{
    return ShownRoots<4>(boxes, Solve3ji);
}

// 答 as the exact view shows the roots in the screen's rows, a root that
// fills `counts` rows once with its mark.
QString ExpectedAnswer(const std::vector<CoefficientBoxes>& boxes, const std::vector<Complex>& shown)
{
    const std::vector<ExactRoot> rows = ExactRoots(boxes, shown);
    QStringList texts;
    QList<int> counts;
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const QString text = RootText(ShownPart(rows[k].re, shown[k].re), ShownPart(rows[k].im, shown[k].im));
        const qsizetype at = texts.indexOf(text);
        if (at < 0) {
            texts.append(text);
            counts.append(1);
        } else {
            ++counts[at];
        }
    }
    // Equal texts are one root only where the equation has that few
    // distinct roots (distinct roots near 0 all read ≈0.000).
    std::vector<GaussianRational> k;
    for (const CoefficientBoxes& box : boxes)
        k.push_back({*ReadExact(box.re), *ReadExact(box.im)});
    const auto values = ExactRootValues(k, Deadline(kExactSafetyNet));
    std::set<std::pair<std::string, std::string>> distinct;
    for (const ExactRootValue& value : values.value_or(std::vector<ExactRootValue>{})) {
        if (!value.position) {
            distinct.insert({std::to_string(distinct.size()), "counted"}); // a root only counted, told apart
            continue;
        }
        const Complex at = *value.position;
        distinct.insert(
            {QString::number(at.re, 'g', 17).toStdString() + "," + QString::number(at.im, 'g', 17).toStdString(),
                ExactLabelText(value.parts.re, "?") + "," + ExactLabelText(value.parts.im, "?")});
    }
    if (distinct.size() != static_cast<std::size_t>(texts.size())) {
        QStringList all;
        for (std::size_t r = 0; r < rows.size(); ++r) {
            all.append(RootText(ShownPart(rows[r].re, shown[r].re), ShownPart(rows[r].im, shown[r].im)));
        }
        return QStringLiteral("答 x = ") + all.join(", ");
    }
    static const QStringList marks{"", "", "（重解）", "（3重解）"};
    for (qsizetype k = 0; k < texts.size(); ++k)
        texts[k] += marks[counts[k]];
    return QStringLiteral("答 x = ") + texts.join(", ");
}

// Within the shown decimals: three places, at most 15 significant digits.
bool WithinShown(double exact, double shown)
{
    return std::abs(exact - shown) <= 0.0005 + 1e-14 * std::abs(shown);
}

// n/4 as an exact decimal text: "-2.25".
std::string Quarter(long n)
{
    const long whole = std::abs(n) / 4, part = std::abs(n) % 4;
    static const char* const fractions[] = {"", ".25", ".5", ".75"};
    return (n < 0 ? "-" : "") + std::to_string(whole) + fractions[part];
}

// Polynomials with Gaussian integer coefficients, highest power first.
using Gauss = std::complex<long>;
using Poly = std::vector<Gauss>;

Poly Times(const Poly& a, const Poly& b)
{
    Poly c(a.size() + b.size() - 1);
    for (std::size_t i = 0; i < a.size(); ++i)
        for (std::size_t j = 0; j < b.size(); ++j)
            c[i + j] += a[i] * b[j];
    return c;
}

std::string Text(long n)
{
    return n == 0 ? std::string() : std::to_string(n);
}

std::vector<CoefficientBoxes> BoxesOf(const Poly& p)
{
    std::vector<CoefficientBoxes> boxes;
    for (const Gauss& c : p)
        boxes.push_back({Text(c.real()), Text(c.imag())});
    return boxes;
}

using Inputs = RandomTexts;

} // namespace

class TestWorkedStepsCubic : public QObject {
    Q_OBJECT

private slots:
    void cleanupTestCase() { flint_cleanup(); }
    void textbook_data();
    void textbook();
    void random_data();
    void random();
    void factorOutRoot_data();
    void factorOutRoot();
    void hardInputsAreFast();
    void outOfTime_data();
    void outOfTime();
    void refused();
};

void TestWorkedStepsCubic::textbook_data()
{
    QTest::addColumn<QStringList>("coefficients");
    QTest::addColumn<QString>("plain");
    QTest::newRow("rational roots") << QStringList{"1", "-3", "-10", "24"}
                                    << "x³ - 3x² - 10x + 24 = 0\n"
                                       "P(x) = x³ - 3x² - 10x + 24 とおく\n"
                                       "解の候補は ±(定数項の約数)/(最高次の係数の約数)\n"
                                       "すなわち ±1, ±2, ±3, ±4, ±6, ±8, ±12, ±24\n"
                                       "P(2) = 8 - 12 - 20 + 24 = 0\n"
                                       "よって、因数定理より P(x) は x - 2 を因数にもつ\n"
                                       "組立除法で P(x) を x - 2 で割ると\n"
                                       "2 | 1  -3  -10   24\n"
                                       "  |     2   -2  -24\n"
                                       "  | 1  -1  -12    0\n"
                                       "よって P(x) = (x - 2)(x² - x - 12)\n"
                                       "x = 2 と、次の2次方程式の解が求める解である\n"
                                       "  x² - x - 12 = 0\n"
                                       "  a = 1, b = -1, c = -12\n"
                                       "  判別式 D = b² - 4ac = (-1)² - 4×1×(-12) = 49\n"
                                       "  D > 0 より、異なる2つの実数解をもつ\n"
                                       "  左辺を因数分解すると x² - x - 12 = (x - 4)(x + 3)\n"
                                       "  解の公式より x = (-b ± √D)/(2a) = (1 ± √49)/2 = (1 ± 7)/2 = 4, -3\n"
                                       "以上より P(x) = (x - 4)(x - 2)(x + 3)\n"
                                       "答 x = 2, -3, 4";
    QTest::newRow("triple root") << QStringList{"1", "-6", "12", "-8"}
                                 << "x³ - 6x² + 12x - 8 = 0\n"
                                    "P(x) = x³ - 6x² + 12x - 8 とおく\n"
                                    "解の候補は ±(定数項の約数)/(最高次の係数の約数)\n"
                                    "すなわち ±1, ±2, ±4, ±8\n"
                                    "P(2) = 8 - 24 + 24 - 8 = 0\n"
                                    "よって、因数定理より P(x) は x - 2 を因数にもつ\n"
                                    "組立除法で P(x) を x - 2 で割ると\n"
                                    "2 | 1  -6  12  -8\n"
                                    "  |     2  -8   8\n"
                                    "  | 1  -4   4   0\n"
                                    "よって P(x) = (x - 2)(x² - 4x + 4)\n"
                                    "x = 2 と、次の2次方程式の解が求める解である\n"
                                    "  x² - 4x + 4 = 0\n"
                                    "  a = 1, b = -4, c = 4\n"
                                    "  b が偶数なので b = 2b' とおくと b' = -2\n"
                                    "  判別式 D/4 = b'² - ac = (-2)² - 1×4 = 0\n"
                                    "  D/4 = 0 より、重解をもつ\n"
                                    "  左辺を因数分解すると x² - 4x + 4 = (x - 2)²\n"
                                    "  重解は x = -b'/a = 2\n"
                                    "以上より P(x) = (x - 2)³\n"
                                    "答 x = 2（3重解）";
    QTest::newRow("fractional coefficients") << QStringList{"0.5", "0.5", "-2.5", "1.5"}
                                             << "1/2 x³ + 1/2 x² - 5/2 x + 3/2 = 0\n"
                                                "係数を整数にするため両辺を 2 倍すると x³ + x² - 5x + 3 = 0\n"
                                                "P(x) = x³ + x² - 5x + 3 とおく\n"
                                                "解の候補は ±(定数項の約数)/(最高次の係数の約数)\n"
                                                "すなわち ±1, ±3\n"
                                                "P(1) = 1 + 1 - 5 + 3 = 0\n"
                                                "よって、因数定理より P(x) は x - 1 を因数にもつ\n"
                                                "組立除法で P(x) を x - 1 で割ると\n"
                                                "1 | 1  1  -5   3\n"
                                                "  |    1   2  -3\n"
                                                "  | 1  2  -3   0\n"
                                                "よって P(x) = (x - 1)(x² + 2x - 3)\n"
                                                "x = 1 と、次の2次方程式の解が求める解である\n"
                                                "  x² + 2x - 3 = 0\n"
                                                "  a = 1, b = 2, c = -3\n"
                                                "  b が偶数なので b = 2b' とおくと b' = 1\n"
                                                "  判別式 D/4 = b'² - ac = 1² - 1×(-3) = 4\n"
                                                "  D/4 > 0 より、異なる2つの実数解をもつ\n"
                                                "  左辺を因数分解すると x² + 2x - 3 = (x - 1)(x + 3)\n"
                                                "  解の公式より x = (-b' ± √(D/4))/a = -1 ± √4 = -1 ± 2 = 1, -3\n"
                                                "以上より P(x) = (x - 1)²(x + 3)\n"
                                                "答 x = 1（重解）, -3";
    QTest::newRow("fractional root") << QStringList{"2", "-3", "", "1"}
                                     << "2x³ - 3x² + 1 = 0\n"
                                        "P(x) = 2x³ - 3x² + 1 とおく\n"
                                        "解の候補は ±(定数項の約数)/(最高次の係数の約数)\n"
                                        "すなわち ±1/2, ±1\n"
                                        "P(-1/2) = -1/4 - 3/4 + 1 = 0\n"
                                        "よって、因数定理より P(x) は 2x + 1 を因数にもつ\n"
                                        "組立除法で P(x) を x + 1/2 で割ると\n"
                                        "-1/2 | 2  -3  0   1\n"
                                        "     |    -1  2  -1\n"
                                        "     | 2  -4  2   0\n"
                                        "よって P(x) = (x + 1/2)(2x² - 4x + 2) = (2x + 1)(x² - 2x + 1)\n"
                                        "x = -1/2 と、次の2次方程式の解が求める解である\n"
                                        "  x² - 2x + 1 = 0\n"
                                        "  a = 1, b = -2, c = 1\n"
                                        "  b が偶数なので b = 2b' とおくと b' = -1\n"
                                        "  判別式 D/4 = b'² - ac = (-1)² - 1×1 = 0\n"
                                        "  D/4 = 0 より、重解をもつ\n"
                                        "  左辺を因数分解すると x² - 2x + 1 = (x - 1)²\n"
                                        "  重解は x = -b'/a = 1\n"
                                        "以上より P(x) = (x - 1)²(2x + 1)\n"
                                        "答 x = 1（重解）, -1/2";
    QTest::newRow("root 0") << QStringList{"1", "-1", "-2", ""}
                            << "x³ - x² - 2x = 0\n"
                               "P(x) = x³ - x² - 2x とおく\n"
                               "定数項が 0 なので P(0) = 0\n"
                               "よって、因数定理より P(x) は x を因数にもつ\n"
                               "組立除法で P(x) を x で割ると\n"
                               "0 | 1  -1  -2  0\n"
                               "  |     0   0  0\n"
                               "  | 1  -1  -2  0\n"
                               "よって P(x) = x(x² - x - 2)\n"
                               "x = 0 と、次の2次方程式の解が求める解である\n"
                               "  x² - x - 2 = 0\n"
                               "  a = 1, b = -1, c = -2\n"
                               "  判別式 D = b² - 4ac = (-1)² - 4×1×(-2) = 9\n"
                               "  D > 0 より、異なる2つの実数解をもつ\n"
                               "  左辺を因数分解すると x² - x - 2 = (x - 2)(x + 1)\n"
                               "  解の公式より x = (-b ± √D)/(2a) = (1 ± √9)/2 = (1 ± 3)/2 = 2, -1\n"
                               "以上より P(x) = x(x - 2)(x + 1)\n"
                               "答 x = 2, -1, 0";
    QTest::newRow("Gaussian root") << QStringList{"1", "-1,-2", "1", "-1,-2"}
                                   << "x³ + (-1 - 2i)x² + x + (-1 - 2i) = 0\n"
                                      "P(x) = x³ + (-1 - 2i)x² + x + (-1 - 2i) とおく\n"
                                      "解の1つ x = i について、P(i) = 0 を確かめる\n"
                                      "P(i) = -i + (1 + 2i) + i + (-1 - 2i) = 0\n"
                                      "よって、因数定理より P(x) は x - i を因数にもつ\n"
                                      "組立除法で P(x) を x - i で割ると\n"
                                      "i | 1  -1 - 2i      1  -1 - 2i\n"
                                      "  |          i  1 - i   1 + 2i\n"
                                      "  | 1   -1 - i  2 - i        0\n"
                                      "よって P(x) = (x - i)(x² + (-1 - i)x + (2 - i))\n"
                                      "x = i と、次の2次方程式の解が求める解である\n"
                                      "  x² + (-1 - i)x + (2 - i) = 0\n"
                                      "  a = 1, b = -1 - i, c = 2 - i\n"
                                      "  判別式 D = b² - 4ac = (-1 - i)² - 4×1×(2 - i) = -8 + 6i\n"
                                      "  D の平方根の1つは √D = √(-8 + 6i) = 1 + 3i\n"
                                      "  解の公式より x = (-b ± √D)/(2a) = (1 + i ± (1 + 3i))/2 = 1 + 2i, -i\n"
                                      "答 x = 1 + 2i, -i, i";
    QTest::newRow("Cardano") << QStringList{"1", "", "", "-2"}
                             << "x³ - 2 = 0\n"
                                "P(x) = x³ - 2 とおく\n"
                                "解の候補は ±(定数項の約数)/(最高次の係数の約数)\n"
                                "すなわち ±1, ±2\n"
                                "どの候補を代入しても 0 にならないので、有理数の解をもたない\n"
                                "参考：カルダノの公式で解く\n"
                                "  P(x) = ax³ + bx² + cx + d として a = 1, b = 0, c = 0, d = -2\n"
                                "  p = (3ac - b²)/(3a²) = 0\n"
                                "  q = (2b³ - 9abc + 27a²d)/(27a³) = -2\n"
                                "  x = y - b/(3a) とおくと P(y - b/(3a)) = P(y) = a(y³ + py + q) = y³ - 2\n"
                                "  Δ = (q/2)² + (p/3)³ = (-1)² + 0³ = 1\n"
                                "  Δ > 0 より、実数解を1つと虚数解を2つもつ\n"
                                "  y = ∛(-q/2 + √Δ) + ∛(-q/2 - √Δ)（2つの立方根の積は -p/3）と x = y - b/(3a) より x = "
                                "≈1.260, ≈-0.630 + ≈1.091i, ≈-0.630 - ≈1.091i\n"
                                "答 x = ≈1.260, ≈-0.630 + ≈1.091i, ≈-0.630 - ≈1.091i";
}

void TestWorkedStepsCubic::textbook()
{
    QFETCH(QStringList, coefficients);
    QFETCH(QString, plain);
    const auto boxes = Boxes(coefficients);
    const std::vector<Complex> shown = Shown(boxes);
    const WorkedSteps steps = RootSteps(boxes, shown);
    QCOMPARE(Plain(steps).split('\n'), plain.split('\n'));
    QCOMPARE(LastLine(steps), ExpectedAnswer(boxes, shown));
    QCOMPARE(CheckSteps(steps), QStringList());
    QVERIFY(!steps.stopped);
}

void TestWorkedStepsCubic::random_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("three integer roots") << 0;
    QTest::newRow("a fractional root") << 1;
    QTest::newRow("repeated roots") << 2;
    QTest::newRow("surd pair") << 3;
    QTest::newRow("imaginary pair") << 4;
    QTest::newRow("Gaussian root") << 5;
    QTest::newRow("decimals with a rational root") << 6;
    QTest::newRow("small integers") << 7;
    QTest::newRow("short decimals") << 8;
    QTest::newRow("15 digits") << 9;
    QTest::newRow("1e±60") << 10;
    QTest::newRow("complex") << 11;
    QTest::newRow("complex 15 digits") << 12;
}

// Random cubics of one route: every formula true, the factor theorem shown
// with a trial of a true root wherever a rational (Gaussian) root was built
// in, the answer the exact view's texts and the decimal roots to the shown
// decimals.
void TestWorkedStepsCubic::random()
{
    QFETCH(int, kind);
    Inputs in(static_cast<unsigned>(1900 + kind));
    int factored = 0, cardano = 0;
    for (int trial = 0; trial < 40; ++trial) {
        const long a = in.NonZero(4), r = in.Whole(-9, 9), s = in.Whole(-9, 9), t = in.Whole(-9, 9);
        const long q = in.Whole(2, 5), b = in.Whole(-9, 9), c = in.Whole(-20, 20);
        std::vector<CoefficientBoxes> boxes;
        bool rational = true;
        switch (kind) {
        case 0: boxes = BoxesOf(Times(Times({a, -a * r}, {1, -s}), {1, -t})); break;
        case 1: boxes = BoxesOf(Times({q, -in.NonZero(7)}, {1, b, c})); break;
        case 2:
            boxes = BoxesOf(
                trial % 2 ? Times(Times({a, -a * r}, {1, -r}), {1, -s}) : Times(Times({a, -a * r}, {1, -r}), {1, -r}));
            break;
        case 3: boxes = BoxesOf(Times({a, -a * r}, {1, 0, -in.Whole(2, 30)})); break;
        case 4: boxes = BoxesOf(Times({a, -a * r}, {1, 2 * s, s * s + in.Whole(1, 20)})); break;
        case 5: boxes = BoxesOf(Times({1, Gauss(-r, -in.NonZero(5))}, {1, Gauss(b, s), Gauss(c, t)})); break;
        case 6: // the cubic of three integer roots, in quarters
            for (const Gauss& k : Times(Times({a, -a * r}, {1, -s}), {1, -t}))
                boxes.push_back({Quarter(k.real() * q), ""});
            break;
        default:
            rational = false;
            for (int k = 0; k < 4; ++k) {
                const int number = kind == 7 ? 0 : kind == 8 ? 1 : kind == 9 || kind == 12 ? 2 : kind == 10 ? 3 : 0;
                boxes.push_back({in.Number(number), kind >= 11 ? in.Number(number) : std::string()});
            }
            if (boxes[0].re == "0" && boxes[0].im.empty())
                boxes[0].re = "1";
            break;
        }
        const std::vector<Complex> shown = Shown(boxes);
        if (shown.empty())
            continue;
        const WorkedSteps steps = RootSteps(boxes, shown);
        const QString plain = Plain(steps);
        QVERIFY2(steps.steps.size() >= 3, qPrintable(plain));
        QVERIFY2(!steps.stopped, qPrintable(plain));
        QCOMPARE(steps.steps.front().rule, std::string(StepRule::kProblem));
        Bindings names;
        QStringList failures = CheckSteps(steps, names);
        const bool accurate = std::all_of(shown.begin(), shown.end(), [&](const Complex& z) {
            return std::any_of(names["x"].begin(), names["x"].end(), [&](const Algebraic& x) {
                const auto near = Nearest(x);
                return near && WithinShown(near->re, z.re) && WithinShown(near->im, z.im);
            });
        });
        if (!accurate)
            failures.removeIf([](const QString& line) { return line.contains(QStringLiteral(": 答 ")); });
        // The equation itself is checked at the roots 答 names; at roots
        // shown to three decimals only, its terms of very different sizes
        // cannot cancel.
        if (LastLine(steps).contains(QString::fromUtf8(kApproxMark))) {
            for (const Step& step : steps.steps)
                if (step.rule == StepRule::kProblem)
                    failures.removeAll(QStringLiteral("= does not hold: ") + QString::fromStdString(PlainLine(step)));
        }
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join('\n') + "\n" + plain));
        QCOMPARE(LastLine(steps), ExpectedAnswer(boxes, shown));

        const bool theorem = plain.contains(QStringLiteral("因数定理")) && plain.contains(QStringLiteral("組立除法"));
        if (rational)
            QVERIFY2(theorem, qPrintable(plain));
        theorem ? ++factored : ++cardano;
        QVERIFY2(theorem != plain.contains(QStringLiteral("カルダノの公式")), qPrintable(plain));
        if (theorem) {
            // The trial P(r) = … = 0 is at a true root.
            const auto trial = std::find_if(
                steps.steps.begin(), steps.steps.end(), [](const Step& step) { return step.rule == "factor.trial"; });
            QVERIFY2(trial != steps.steps.end(), qPrintable(plain));
            QVERIFY2(QString::fromStdString(PlainLine(*trial)).endsWith(QStringLiteral(" = 0")), qPrintable(plain));
        }
    }
    if (kind <= 6)
        QVERIFY(factored > 20);
}

void TestWorkedStepsCubic::factorOutRoot_data()
{
    QTest::addColumn<QStringList>("coefficients");
    QTest::addColumn<QString>("root");
    QTest::addColumn<QString>("quotient");
    QTest::newRow("quartic") << QStringList{"1", "", "-5", "", "4"} << "1"
                             << "x³ + x² - 4x - 4";
    QTest::newRow("its quotient") << QStringList{"1", "1", "-4", "-4"} << "-1"
                                  << "x² - 4";
    QTest::newRow("fraction") << QStringList{"6", "-5", "1"} << "1/3"
                              << "2x - 1";
    QTest::newRow("scaled") << QStringList{"0.25", "-1", "1"} << "2"
                            << "x - 2";
    QTest::newRow("Gaussian") << QStringList{"1", "-2,-2", "4,4", "-8"} << "2"
                              << "x² - 2ix + 4";
    QTest::newRow("none") << QStringList{"1", "", "", "-2"} << ""
                          << "";
    QTest::newRow("too large") << QStringList{"1e-300", "1e300", "-1e300", "1.23456789012345e-300"} << ""
                               << "";
}

// The factor theorem on its own, as the quartic uses it again on a
// quotient: the root tried, the quotient left, and every line true.
void TestWorkedStepsCubic::factorOutRoot()
{
    QFETCH(QStringList, coefficients);
    QFETCH(QString, root);
    QFETCH(QString, quotient);
    std::vector<GaussianRational> p;
    for (const CoefficientBoxes& box : Boxes(coefficients))
        p.push_back({*ReadExact(box.re), *ReadExact(box.im)});
    const auto work = FactorOutRoot(p, "Q");
    QCOMPARE(work.has_value(), !root.isEmpty());
    if (!work)
        return;
    WorkedSteps steps;
    steps.steps = work->steps;
    const QString plain = Plain(steps);
    QVERIFY2(plain.contains(QStringLiteral("Q(") + root + ") = "), qPrintable(plain));
    QVERIFY2(plain.contains(QStringLiteral("組立除法")), qPrintable(plain));
    QCOMPARE(QString::fromStdString(PlainText(Formula::Of(work->root))), root);
    QCOMPARE(QString::fromStdString(PlainText(Formula::Polynomial(work->quotient))), quotient);
    QStringList failures = CheckSteps(steps);
    // A step that makes the coefficients whole restates the equation, with
    // no roots bound here.
    failures.removeIf([](const QString& line) { return line.contains(QStringLiteral("倍すると")); });
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join('\n') + "\n" + plain));
}

// The hardest inputs take far less than the window's budget, and still end
// with the exact view's answer.
void TestWorkedStepsCubic::hardInputsAreFast()
{
    const std::vector<QStringList> equations{
        {"1.23456789012345", "-98765.4321098765", "3.14159265358979", "2.71828182845904"},
        {"1.23456789012345,-9.87654321098765", "5.55555555555555,1e-300", "-2e70,3.33333333333333",
            "7.77777777777777,-1.11111111111111"},
        {"1.23456789012345,-9.87654321098765", "5.55555555555555,1.11111111111111",
            "-2.22222222222222,3.33333333333333", "7.77777777777777,-1.11111111111111"},
        {"1e300", "-3e-300", "7e299", "1e-300"},
        {"1e150", "-3e-150", "7e149", "1e-150"},
        {"1e-100", "1.23456789012345e-100", "-1e100", "9.99999999999999e99"},
        {"3e8", "6e-213", "1e102", "-2e-50"},
        {"123456789012345", "-246913578024690", "123456789012345", ""},
        {"999999999999999", "-999999999999998", "-999999999999999", "999999999999998"},
    };
    for (const QStringList& c : equations) {
        const auto boxes = Boxes(c);
        // Where the decimal solver refuses, the screen offers no steps; the
        // builder must stay bounded all the same.
        std::vector<Complex> shown = Shown(boxes);
        if (shown.empty())
            shown.assign(3, Complex{});
        QElapsedTimer timer;
        timer.start();
        const WorkedSteps steps = RootSteps(boxes, shown);
        const qint64 elapsed = timer.elapsed();
        QVERIFY2(elapsed < 100, qPrintable(c.join(' ') + QStringLiteral(": %1 ms").arg(elapsed)));
        QCOMPARE(LastLine(steps), ExpectedAnswer(boxes, shown));
        QVERIFY(!Plain(steps).contains(kStoppedLine));
    }
}

void TestWorkedStepsCubic::outOfTime_data()
{
    QTest::addColumn<int>("degree");
    QTest::addColumn<QStringList>("coefficients");
    QTest::newRow("cubic, factor theorem") << 3 << QStringList{"1", "-3", "-10", "24"};
    QTest::newRow("cubic, Cardano") << 3 << QStringList{"1", "", "", "-2"};
    QTest::newRow("quartic, biquadratic") << 4 << QStringList{"1", "", "-6", "", "1"};
    QTest::newRow("quartic, factor theorem") << 4 << QStringList{"1", "-2", "-7", "8", "12"};
    QTest::newRow("quartic, Ferrari") << 4 << QStringList{"1", "", "", "1", "1"};
}

// Work past its time limit stops where it is: the problem, perhaps part of
// the route, a line that says so, and the exact view's own answer (≈ where it
// ran out of time too), every line still true.
void TestWorkedStepsCubic::outOfTime()
{
    QFETCH(int, degree);
    QFETCH(QStringList, coefficients);
    const auto boxes = Boxes(coefficients);
    const std::vector<Complex> shown = degree == 3 ? Shown(boxes) : ShownRoots<5>(boxes, Solve4ji);
    Deadline::expired = true;
    const WorkedSteps steps = RootSteps(boxes, shown);
    const QString expected = ExpectedAnswer(boxes, shown);
    Deadline::expired = false;
    QVERIFY(steps.stopped);
    const QStringList lines = Plain(steps).split('\n');
    QVERIFY2(lines.size() >= 3, qPrintable(lines.join('\n')));
    QCOMPARE(lines.first(), Plain(RootSteps(boxes, shown)).section('\n', 0, 0));
    QCOMPARE(lines[lines.size() - 2], kStoppedLine);
    QCOMPARE(lines.last(), expected);
    QCOMPARE(CheckSteps(steps), QStringList());
}

void TestWorkedStepsCubic::refused()
{
    QVERIFY(RootSteps(Boxes({"0", "1", "2", "3"}), {{0, 0}, {0, 0}, {0, 0}}).steps.empty());
    QVERIFY(RootSteps(Boxes({"1e999", "1", "2", "3"}), {{0, 0}, {0, 0}, {0, 0}}).steps.empty());
    QVERIFY(RootSteps(Boxes({"1", "1", "2", "3"}), {{0, 0}, {0, 0}}).steps.empty());
}

QTEST_GUILESS_MAIN(TestWorkedStepsCubic)
#include "tst_worked_steps_cubic.moc"
