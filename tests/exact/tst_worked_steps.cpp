// SPDX-License-Identifier: MIT
// The worked steps of the GCD, the quadratic and the Σ sum: textbook cases
// read line by line, and seeded random inputs of every kind whose steps must
// all be true (marked by the independent checker), whose answer must be the
// exact view's and must agree with the decimal calculation.
#include "conversions.h"
#include "exact_equations.h"
#include "exact_reading.h"
#include "exact_sigma.h"
#include "exact_support.h"
#include "gcd.h"
#include "quadratic.h"
#include "random_texts.h"
#include "shown_roots.h"
#include "sigma.h"
#include "steps_check.h"
#include "steps_reading.h"
#include "steps_text.h"
#include "worked_steps.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <random>

namespace {

std::vector<Complex> Shown(const std::vector<CoefficientBoxes>& boxes)
{
    return ShownRoots<3>(boxes, Solve2ji);
}

// 答 as the exact view shows the roots, a double root once.
QString ExpectedRootAnswer(const std::vector<CoefficientBoxes>& boxes, const std::vector<Complex>& shown, bool twice)
{
    const std::vector<ExactRoot> rows = ExactRoots(boxes, shown);
    QStringList texts;
    for (std::size_t k = 0; k < rows.size(); ++k) {
        // Without a text, the true value to the decimals' places where it
        // is known.
        texts.append(RootText(ShownPart(rows[k].re, shown[k].re), ShownPart(rows[k].im, shown[k].im)));
        if (twice)
            break;
    }
    return QStringLiteral("答 x = ") + texts.join(", ") + (twice ? QStringLiteral("（重解）") : QString());
}

// The values the 答 line lists, each exact or nothing (≈).
std::vector<std::optional<Algebraic>> AnswerValues(const Step& answer, std::size_t skip)
{
    std::vector<std::optional<Algebraic>> values;
    MathNode member;
    const auto flush = [&] {
        const auto v = Evaluate(member, {});
        values.push_back(v && v->size() == 1 ? std::optional(v->front()) : std::nullopt);
        member.children.clear();
    };
    for (std::size_t k = skip; k < answer.math.children.size(); ++k) {
        const MathNode& item = answer.math.children[k];
        if (item.kind == MathNode::Kind::Operator && item.text == ",")
            flush();
        else
            member.children.push_back(item);
    }
    flush();
    return values;
}

// Within the shown decimals: three places, at most 15 significant digits.
bool WithinShown(double exact, double shown)
{
    return std::abs(exact - shown) <= 0.0005 + 1e-14 * std::abs(shown);
}

using Inputs = RandomTexts;

// n/4 as an exact decimal text: "-2.25".
std::string Quarter(long n)
{
    const long whole = std::abs(n) / 4, part = std::abs(n) % 4;
    static const char* const fractions[] = {"", ".25", ".5", ".75"};
    return (n < 0 ? "-" : "") + std::to_string(whole) + fractions[part];
}

} // namespace

class TestWorkedSteps : public QObject {
    Q_OBJECT

private slots:
    void cleanupTestCase() { flint_cleanup(); }
    void gcdTextbook_data();
    void gcdTextbook();
    void gcdRandom();
    void quadraticTextbook_data();
    void quadraticTextbook();
    void quadraticRandom_data();
    void quadraticRandom();
    void sigmaTextbook_data();
    void sigmaTextbook();
    void sigmaRandom();
    void hardInputsAreFast();
    void refused();
};

void TestWorkedSteps::gcdTextbook_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("plain");
    QTest::newRow("1071 462") << "1071"
                              << "462"
                              << "1071 と 462 の最大公約数を求める\n"
                                 "ユークリッドの互除法により、余りが 0 になるまで割り算をくり返す\n"
                                 "1071 = 462 × 2 + 147\n"
                                 "462 = 147 × 3 + 21\n"
                                 "147 = 21 × 7\n"
                                 "よって最大公約数は 21\n"
                                 "答 21";
    QTest::newRow("smaller first") << "12"
                                   << "18"
                                   << "12 と 18 の最大公約数を求める\n"
                                      "ユークリッドの互除法により、余りが 0 になるまで割り算をくり返す\n"
                                      "18 = 12 × 1 + 6\n"
                                      "12 = 6 × 2\n"
                                      "よって最大公約数は 6\n"
                                      "答 6";
    QTest::newRow("equal") << "12.0"
                           << "12"
                           << "12 と 12 の最大公約数を求める\n"
                              "ユークリッドの互除法により、余りが 0 になるまで割り算をくり返す\n"
                              "12 = 12 × 1\n"
                              "よって最大公約数は 12\n"
                              "答 12";
    QTest::newRow("divides") << "1e3"
                             << "250"
                             << "1000 と 250 の最大公約数を求める\n"
                                "ユークリッドの互除法により、余りが 0 になるまで割り算をくり返す\n"
                                "1000 = 250 × 4\n"
                                "よって最大公約数は 250\n"
                                "答 250";
}

void TestWorkedSteps::gcdTextbook()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QString, plain);
    const WorkedSteps steps = GcdSteps({first.toStdString(), second.toStdString()});
    QCOMPARE(Plain(steps), plain);
    QCOMPARE(CheckSteps(steps), QStringList());
}

// Every division line a = b × q + r with r < b, each pair the previous divisor
// and remainder, the last one exact; the answer the decimal GCD.
void TestWorkedSteps::gcdRandom()
{
    static const QRegularExpression division(QStringLiteral("^(\\d+) = (\\d+) × (\\d+)(?: \\+ (\\d+))?$"));
    Inputs in(18);
    QList<std::array<std::string, 2>> cases{{"1836311903", "1134903170"}, {"2147483647", "2147483647"},
        {"2147483647", "1"}, {"1e3", "12.0"}, {"6.0e1", "0.36e2"}, {"1", "1"}};
    for (int k = 0; k < 150; ++k) {
        const long a = in.Whole(1, k % 3 == 0 ? 100 : 2147483647);
        const long b = k % 5 == 0 ? a * in.Whole(1, 2147483647 / a) / std::max(1L, in.Whole(1, 3)) : in.Whole(1, a);
        cases.append({std::to_string(a), std::to_string(std::max(1L, b))});
        cases.append({std::to_string(std::max(1L, b)), std::to_string(a)});
    }
    for (const auto& boxes : cases) {
        const WorkedSteps steps = GcdSteps(boxes);
        const QString plain = Plain(steps);
        QVERIFY2(steps.steps.size() >= 4, qPrintable(plain));
        QCOMPARE(steps.steps.front().rule, std::string(StepRule::kProblem));
        QCOMPARE(CheckSteps(steps), QStringList());
        const auto g = std::get<0>(Kouyaku(ParseNumber(boxes[0]), ParseNumber(boxes[1])));
        QCOMPARE(LastLine(steps), QStringLiteral("答 %1").arg(g));
        QCOMPARE(steps.steps.back().rule, std::string(StepRule::kAnswer));

        const qint64 x = static_cast<qint64>(ParseNumber(boxes[0])), y = static_cast<qint64>(ParseNumber(boxes[1]));
        qint64 divided = std::max(x, y), divisor = std::min(x, y);
        bool ended = false;
        for (const Step& step : steps.steps) {
            if (step.rule != "euclid.division")
                continue;
            QVERIFY2(!ended, qPrintable(plain));
            const auto match = division.match(QString::fromStdString(PlainLine(step)));
            QVERIFY2(match.hasMatch(), qPrintable(plain));
            QCOMPARE(match.captured(1).toLongLong(), divided);
            QCOMPARE(match.captured(2).toLongLong(), divisor);
            const qint64 remainder = match.captured(4).toLongLong();
            QVERIFY2(remainder < divisor && match.captured(4) != QLatin1String("0"), qPrintable(plain));
            ended = match.captured(4).isEmpty();
            divided = divisor;
            divisor = remainder;
        }
        QVERIFY2(ended, qPrintable(plain));
        QCOMPARE(divided, static_cast<qint64>(g));
    }
}

void TestWorkedSteps::quadraticTextbook_data()
{
    QTest::addColumn<QStringList>("coefficients");
    QTest::addColumn<QString>("plain");
    QTest::newRow("2 -3 -1") << QStringList{"2", "-3", "-1"}
                             << "2x² - 3x - 1 = 0\n"
                                "a = 2, b = -3, c = -1\n"
                                "判別式 D = b² - 4ac = (-3)² - 4×2×(-1) = 17\n"
                                "D > 0 より、異なる2つの実数解をもつ\n"
                                "解の公式より x = (-b ± √D)/(2a) = (3 ± √17)/4\n"
                                "答 x = (3+√17)/4, (3-√17)/4";
    QTest::newRow("factor") << QStringList{"2", "1", "-1"}
                            << "2x² + x - 1 = 0\n"
                               "a = 2, b = 1, c = -1\n"
                               "判別式 D = b² - 4ac = 1² - 4×2×(-1) = 9\n"
                               "D > 0 より、異なる2つの実数解をもつ\n"
                               "左辺を因数分解すると 2x² + x - 1 = (2x - 1)(x + 1)\n"
                               "解の公式より x = (-b ± √D)/(2a) = (-1 ± √9)/4 = (-1 ± 3)/4 = 1/2, -1\n"
                               "答 x = 1/2, -1";
    QTest::newRow("half") << QStringList{"1", "-4", "1"}
                          << "x² - 4x + 1 = 0\n"
                             "a = 1, b = -4, c = 1\n"
                             "b が偶数なので b = 2b' とおくと b' = -2\n"
                             "判別式 D/4 = b'² - ac = (-2)² - 1×1 = 3\n"
                             "D/4 > 0 より、異なる2つの実数解をもつ\n"
                             "解の公式より x = (-b' ± √(D/4))/a = 2 ± √3\n"
                             "答 x = 2+√3, 2-√3";
    QTest::newRow("double") << QStringList{"1", "-4", "4"}
                            << "x² - 4x + 4 = 0\n"
                               "a = 1, b = -4, c = 4\n"
                               "b が偶数なので b = 2b' とおくと b' = -2\n"
                               "判別式 D/4 = b'² - ac = (-2)² - 1×4 = 0\n"
                               "D/4 = 0 より、重解をもつ\n"
                               "左辺を因数分解すると x² - 4x + 4 = (x - 2)²\n"
                               "重解は x = -b'/a = 2\n"
                               "答 x = 2（重解）";
    QTest::newRow("double 2") << QStringList{"4", "-4", "1"}
                              << "4x² - 4x + 1 = 0\n"
                                 "a = 4, b = -4, c = 1\n"
                                 "b が偶数なので b = 2b' とおくと b' = -2\n"
                                 "判別式 D/4 = b'² - ac = (-2)² - 4×1 = 0\n"
                                 "D/4 = 0 より、重解をもつ\n"
                                 "左辺を因数分解すると 4x² - 4x + 1 = (2x - 1)²\n"
                                 "重解は x = -b'/a = 2/4 = 1/2\n"
                                 "答 x = 1/2（重解）";
    QTest::newRow("imaginary") << QStringList{"1", "1", "1"}
                               << "x² + x + 1 = 0\n"
                                  "a = 1, b = 1, c = 1\n"
                                  "判別式 D = b² - 4ac = 1² - 4×1×1 = -3\n"
                                  "D < 0 より、異なる2つの虚数解をもつ\n"
                                  "解の公式より x = (-b ± √D)/(2a) = (-1 ± √(-3))/2 = (-1 ± √3 i)/2\n"
                                  "答 x = -1/2 + √3/2 i, -1/2 - √3/2 i";
    QTest::newRow("half imaginary") << QStringList{"1", "2", "5"}
                                    << "x² + 2x + 5 = 0\n"
                                       "a = 1, b = 2, c = 5\n"
                                       "b が偶数なので b = 2b' とおくと b' = 1\n"
                                       "判別式 D/4 = b'² - ac = 1² - 1×5 = -4\n"
                                       "D/4 < 0 より、異なる2つの虚数解をもつ\n"
                                       "解の公式より x = (-b' ± √(D/4))/a = -1 ± √(-4) = -1 ± 2i\n"
                                       "答 x = -1 + 2i, -1 - 2i";
    QTest::newRow("x(x-3)") << QStringList{"1", "-3", ""}
                            << "x² - 3x = 0\n"
                               "a = 1, b = -3, c = 0\n"
                               "判別式 D = b² - 4ac = (-3)² - 4×1×0 = 9\n"
                               "D > 0 より、異なる2つの実数解をもつ\n"
                               "左辺を因数分解すると x² - 3x = x(x - 3)\n"
                               "解の公式より x = (-b ± √D)/(2a) = (3 ± √9)/2 = (3 ± 3)/2 = 3, 0\n"
                               "答 x = 3, 0";
    QTest::newRow("-x^2+1") << QStringList{"-1", "", "1"}
                            << "-x² + 1 = 0\n"
                               "a = -1, b = 0, c = 1\n"
                               "b が偶数なので b = 2b' とおくと b' = 0\n"
                               "判別式 D/4 = b'² - ac = 0² - (-1)×1 = 1\n"
                               "D/4 > 0 より、異なる2つの実数解をもつ\n"
                               "左辺を因数分解すると -x² + 1 = -(x - 1)(x + 1)\n"
                               "解の公式より x = (-b' ± √(D/4))/a = ±√1 = ±1 = 1, -1\n"
                               "答 x = -1, 1";
    QTest::newRow("decimals") << QStringList{"0.5", "1.5", "-2"}
                              << "1/2 x² + 3/2 x - 2 = 0\n"
                                 "a = 1/2, b = 3/2, c = -2\n"
                                 "判別式 D = b² - 4ac = (3/2)² - 4×(1/2)×(-2) = 25/4\n"
                                 "D > 0 より、異なる2つの実数解をもつ\n"
                                 "左辺を因数分解すると 1/2 x² + 3/2 x - 2 = 1/2 (x - 1)(x + 4)\n"
                                 "解の公式より x = (-b ± √D)/(2a) = -3/2 ± √(25/4) = (-3 ± 5)/2 = 1, -4\n"
                                 "答 x = 1, -4";
    QTest::newRow("complex") << QStringList{"1", "-3", "2,-1"}
                             << "x² - 3x + (2 - i) = 0\n"
                                "a = 1, b = -3, c = 2 - i\n"
                                "判別式 D = b² - 4ac = (-3)² - 4×1×(2 - i) = 1 + 4i\n"
                                "D の平方根は整数・分数と √ だけでは表せないので、小数で表すと √D ≈ 1.600 + 1.250i\n"
                                "解の公式より x = (-b ± √D)/(2a) = (3 ± √(1 + 4i))/2\n"
                                "答 x = ≈2.300 + ≈0.625i, ≈0.700 - ≈0.625i";
    QTest::newRow("complex exact") << QStringList{"1", ",2", "-2"}
                                   << "x² + 2ix - 2 = 0\n"
                                      "a = 1, b = 2i, c = -2\n"
                                      "判別式 D = b² - 4ac = (2i)² - 4×1×(-2) = 4\n"
                                      "D の平方根の1つは √D = √4 = 2\n"
                                      "解の公式より x = (-b ± √D)/(2a) = (-2i ± 2)/2 = 1 - i, -1 - i\n"
                                      "答 x = 1 - i, -1 - i";
    QTest::newRow("complex double") << QStringList{"1", "2,2", ",2"}
                                    << "x² + (2 + 2i)x + 2i = 0\n"
                                       "a = 1, b = 2 + 2i, c = 2i\n"
                                       "判別式 D = b² - 4ac = (2 + 2i)² - 4×1×2i = 0\n"
                                       "D = 0 なので重解は x = -b/(2a) = (-2 - 2i)/2 = -1 - i\n"
                                       "答 x = -1 - i（重解）";
}

void TestWorkedSteps::quadraticTextbook()
{
    QFETCH(QStringList, coefficients);
    QFETCH(QString, plain);
    const auto boxes = Boxes(coefficients);
    const WorkedSteps steps = RootSteps(boxes, Shown(boxes));
    QCOMPARE(Plain(steps), plain);
    QCOMPARE(CheckSteps(steps), QStringList());
}

void TestWorkedSteps::quadraticRandom_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("integers") << 0;
    QTest::newRow("short decimals") << 1;
    QTest::newRow("15 digits") << 2;
    QTest::newRow("1e±60") << 3;
    QTest::newRow("complex") << 4;
    QTest::newRow("complex 15 digits") << 5;
    QTest::newRow("rational roots") << 6;
    QTest::newRow("double roots") << 7;
    QTest::newRow("D < 0") << 8;
    QTest::newRow("Gaussian roots") << 9;
    QTest::newRow("complex double roots") << 10;
}

// The steps of random equations of one kind: every formula true, a, b, c and
// D bound to their exact values, the answer the exact view's texts in the
// screen's rows and the decimal roots to the shown decimals.
void TestWorkedSteps::quadraticRandom()
{
    QFETCH(int, kind);
    Inputs in(static_cast<unsigned>(1800 + kind));
    for (int trial = 0; trial < 60; ++trial) {
        std::vector<CoefficientBoxes> boxes(3);
        const long a = in.Whole(1, 6) * (in.Whole(0, 1) ? 1 : -1);
        const long r1 = in.Whole(-12, 12), r2 = in.Whole(-12, 12), s1 = in.Whole(-5, 5), s2 = in.Whole(-5, 5);
        switch (kind) {
        case 0:
        case 1:
        case 2:
        case 3:
            for (auto& box : boxes)
                box.re = in.Number(in.Whole(0, 4) == 0 ? 4 : kind);
            break;
        case 4:
        case 5:
            for (auto& box : boxes) {
                box.re = in.Number(in.Whole(0, 3) == 0 ? 4 : kind - 4);
                box.im = in.Number(in.Whole(0, 3) == 0 ? 4 : kind - 4);
            }
            break;
        case 6: // a(x − r1/2)(x − r2/2)
        case 7: // a(x − r1/2)²
            boxes[0].re = std::to_string(a);
            boxes[1].re = kind == 6 ? Quarter(-2 * a * (r1 + r2)) : Quarter(-4 * a * r1);
            boxes[2].re = kind == 6 ? Quarter(a * r1 * r2) : Quarter(a * r1 * r1);
            break;
        case 8: // b² < 4ac
            boxes[0].re = std::to_string(std::abs(a));
            boxes[1].re = std::to_string(r1);
            boxes[2].re = std::to_string((r1 * r1) / (4 * std::abs(a)) + in.Whole(1, 20));
            break;
        case 9: // (x − (r1 + s1 i))(x − (r2 + s2 i))
            boxes[1] = {std::to_string(-(r1 + r2)), std::to_string(-(s1 + s2))};
            boxes[2] = {std::to_string(r1 * r2 - s1 * s2), std::to_string(r1 * s2 + r2 * s1)};
            boxes[0].re = "1";
            break;
        default: // a(x − (r1 + s1 i))²
            boxes[0].re = std::to_string(a);
            boxes[1] = {std::to_string(-2 * a * r1), std::to_string(-2 * a * s1)};
            boxes[2] = {std::to_string(a * (r1 * r1 - s1 * s1)), std::to_string(2 * a * r1 * s1)};
            break;
        }
        std::array<Complex, 3> keisuu;
        for (std::size_t k = 0; k < 3; ++k)
            keisuu[k] = {ParseNumber(boxes[k].re), ParseNumber(boxes[k].im)};
        const std::vector<Complex> shown = Shown(boxes);
        if (shown.empty())
            continue; // the screen offers no steps

        const WorkedSteps steps = RootSteps(boxes, shown);
        const QString plain = Plain(steps);
        QVERIFY2(steps.steps.size() >= 5, qPrintable(plain));
        Bindings names;
        QStringList failures = CheckSteps(steps, names);
        // Where the decimal solver misses the exact roots by more than its
        // shown decimals (1e±300 coefficients far apart), the exact view
        // shows its ≈ texts all the same, and so does 答.
        const bool accurate = std::all_of(shown.begin(), shown.end(), [&](const Complex& z) {
            return std::any_of(names["x"].begin(), names["x"].end(), [&](const Algebraic& x) {
                const auto near = Nearest(x);
                return near && WithinShown(near->re, z.re) && WithinShown(near->im, z.im);
            });
        });
        if (!accurate)
            failures.removeIf([](const QString& line) { return line.contains(QStringLiteral(": 答 ")); });
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join('\n') + "\n" + plain));

        // The named values are the exact ones.
        std::vector<Algebraic> c;
        for (const CoefficientBoxes& box : boxes)
            c.push_back(FromParts(Algebraic(*ReadExact(box.re)), Algebraic(*ReadExact(box.im))));
        const Algebraic d = c[1] * c[1] - Algebraic(Rational(4)) * c[0] * c[2];
        QVERIFY2(names["a"] == std::vector{c[0]}, qPrintable(plain));
        QVERIFY2(names["b"] == std::vector{c[1]}, qPrintable(plain));
        QVERIFY2(names["c"] == std::vector{c[2]}, qPrintable(plain));
        QVERIFY2(names["D"] == std::vector{d}, qPrintable(plain));

        const bool twice = d.isZero();
        const QString answer = ExpectedRootAnswer(boxes, shown, twice);
        QCOMPARE(LastLine(steps), answer);
        const auto values = AnswerValues(steps.steps.back(), 2);
        QCOMPARE(values.size(), twice ? std::size_t(1) : std::size_t(2));
        for (std::size_t k = 0; k < values.size(); ++k) {
            if (!values[k] || !accurate)
                continue; // an approximate root: its texts are the decimal ones
            const auto z = Nearest(*values[k]);
            QVERIFY(z);
            QVERIFY2(WithinShown(z->re, shown[k].re) && WithinShown(z->im, shown[k].im), qPrintable(plain));
        }
    }
}

void TestWorkedSteps::sigmaTextbook_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<QStringList>("keisuu");
    QTest::addColumn<QString>("plain");
    QTest::newRow("1..10 K^3+K") << 1 << 10 << QStringList{"2", "3", "-1", "4"}
                                 << "Σ_{K=1}^{10} (2K³ + 3K² - K + 4)\n"
                                    "和の性質より Σ_{K=1}^{10} (2K³ + 3K² - K + 4) = 2Σ_{K=1}^{10} K³ + 3Σ_{K=1}^{10} "
                                    "K² - Σ_{K=1}^{10} K + Σ_{K=1}^{10} 4\n"
                                    "公式 Σ_{K=1}^{n} K³ = {n(n + 1)/2}²\n"
                                    "公式 Σ_{K=1}^{n} K² = n(n + 1)(2n + 1)/6\n"
                                    "公式 Σ_{K=1}^{n} K = n(n + 1)/2\n"
                                    "Σ_{K=1}^{10} K³ = {10×11/2}² = 55² = 3025\n"
                                    "Σ_{K=1}^{10} K² = 10×11×21/6 = 385\n"
                                    "Σ_{K=1}^{10} K = 10×11/2 = 55\n"
                                    "Σ_{K=1}^{10} 4 = 4×10 = 40\n"
                                    "よって Σ_{K=1}^{10} (2K³ + 3K² - K + 4) = 2×3025 + 3×385 - 55 + 40 = 7190\n"
                                    "答 7190";
    QTest::newRow("3..10 K^2")
        << 3 << 10 << QStringList{"", "1", "", ""}
        << "Σ_{K=3}^{10} K²\n"
           "公式 Σ_{K=1}^{n} K² = n(n + 1)(2n + 1)/6\n"
           "K = 3 からの和は、K = 1 から 10 までの和から K = 1 から 2 までの和を引く\n"
           "Σ_{K=3}^{10} K² = Σ_{K=1}^{10} K² - Σ_{K=1}^{2} K² = 10×11×21/6 - 2×3×5/6 = 385 - 5 = 380\n"
           "よって Σ_{K=3}^{10} K² = 380\n"
           "答 380";
    QTest::newRow("0..10")
        << 0 << 10 << QStringList{"1", "", "0.5", "-3"}
        << "Σ_{K=0}^{10} (K³ + 1/2 K - 3)\n"
           "K = 0 の項を分けると Σ_{K=0}^{10} (K³ + 1/2 K - 3) = -3 + Σ_{K=1}^{10} (K³ + 1/2 K - 3)\n"
           "和の性質より Σ_{K=1}^{10} (K³ + 1/2 K - 3) = Σ_{K=1}^{10} K³ + 1/2 Σ_{K=1}^{10} K - Σ_{K=1}^{10} 3\n"
           "公式 Σ_{K=1}^{n} K³ = {n(n + 1)/2}²\n"
           "公式 Σ_{K=1}^{n} K = n(n + 1)/2\n"
           "Σ_{K=1}^{10} K³ = {10×11/2}² = 55² = 3025\n"
           "Σ_{K=1}^{10} K = 10×11/2 = 55\n"
           "Σ_{K=1}^{10} 3 = 3×10 = 30\n"
           "よって Σ_{K=0}^{10} (K³ + 1/2 K - 3) = -3 + 3025 + (1/2)×55 - 30 = 6039/2\n"
           "答 6039/2";
    QTest::newRow("0..0") << 0 << 0 << QStringList{"1", "", "0.5", "-3"}
                          << "Σ_{K=0}^{0} (K³ + 1/2 K - 3)\n"
                             "K = 0 の項だけなので Σ_{K=0}^{0} (K³ + 1/2 K - 3) = -3\n"
                             "答 -3";
    QTest::newRow("5..5 const") << 5 << 5 << QStringList{"", "", "", "-7"}
                                << "Σ_{K=5}^{5} (-7)\n"
                                   "和の性質より Σ_{K=5}^{5} (-7) = -Σ_{K=5}^{5} 7\n"
                                   "Σ_{K=5}^{5} 7 = 7×1 = 7\n"
                                   "よって Σ_{K=5}^{5} (-7) = -7\n"
                                   "答 -7";
    QTest::newRow("zero") << 2 << 5 << QStringList{"", "", "", ""}
                          << "Σ_{K=2}^{5} 0\n"
                             "よって Σ_{K=2}^{5} 0 = 0\n"
                             "答 0";
}

void TestWorkedSteps::sigmaTextbook()
{
    QFETCH(int, first);
    QFETCH(int, last);
    QFETCH(QStringList, keisuu);
    QFETCH(QString, plain);
    const std::array<std::string, 4> k{
        keisuu[0].toStdString(), keisuu[1].toStdString(), keisuu[2].toStdString(), keisuu[3].toStdString()};
    const WorkedSteps steps = SigmaSteps(first, last, k);
    QCOMPARE(Plain(steps), plain);
    QCOMPARE(CheckSteps(steps), QStringList());
}

// Random bounds and coefficients: every formula true, the answer the exact
// view's text and, where exact, the decimal sum.
void TestWorkedSteps::sigmaRandom()
{
    Inputs in(1818);
    for (int trial = 0; trial < 300; ++trial) {
        const long first = trial % 4 == 0 ? in.Whole(0, 2) : in.Whole(0, 214);
        const long last = trial % 3 == 0 ? std::min(214L, first + in.Whole(0, 3)) : in.Whole(first, 214);
        std::array<std::string, 4> keisuu;
        for (std::string& box : keisuu) {
            const long kind = in.Whole(0, 5);
            box = kind == 3 ? std::to_string(in.Whole(1, 9)) + "e" + std::to_string(in.Whole(-300, 290))
                            : in.Number(static_cast<int>(kind));
        }
        Outcome<double> decimal = Rejection{};
        try {
            decimal = Siguma(std::to_string(first), std::to_string(last), keisuu);
        } catch (const ArithmeticFault&) {
        }
        if (decimal.index() != 0)
            continue;
        const double sum = std::get<0>(decimal);

        const WorkedSteps steps = SigmaSteps(static_cast<std::int32_t>(first), static_cast<std::int32_t>(last), keisuu);
        const QString plain = Plain(steps);
        QVERIFY2(steps.steps.size() >= 3, qPrintable(plain));
        QCOMPARE(steps.steps.front().rule, std::string(StepRule::kProblem));
        const QStringList failures = CheckSteps(steps);
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join('\n') + "\n" + plain));
        const ExactText exact = ExactSigma(static_cast<std::int32_t>(first), static_cast<std::int32_t>(last), keisuu);
        QCOMPARE(
            LastLine(steps), QStringLiteral("答 ") + QString::fromStdString(ExactLabelText(exact, FormatGeneral(sum))));

        if (exact) {
            // Within the decimal calculation's rounding of its terms.
            double scale = 0;
            for (std::size_t p = 0; p < 4; ++p)
                for (long k = first; k <= last; ++k)
                    scale
                        += std::abs(ParseNumber(keisuu[p])) * std::pow(static_cast<double>(k), 3 - static_cast<int>(p));
            const auto z = Nearest(*ParseCanonical(*exact));
            QVERIFY(z);
            QVERIFY2(std::abs(z->re - sum) <= 1e-12 * scale + 1e-300, qPrintable(plain));
        }
    }
}
// The hardest inputs of each screen take far less than the window's budget.
void TestWorkedSteps::hardInputsAreFast()
{
    QElapsedTimer timer;
    const auto fast = [&timer] { return timer.nsecsElapsed() < 100'000'000; }; // far below the window's 200 ms
    const std::vector<std::vector<CoefficientBoxes>> equations{
        Boxes({"1.23456789012345", "-98765.4321098765", "3.14159265358979"}),
        Boxes({"3e8", "6e-213", "1e102"}),
        Boxes({"1e70", "-3e-150", "7e69"}),
        Boxes({"1e-70", "2e70", "-1e70"}),
        Boxes({"1e-150", "3e-150", "-1e-150"}),
        Boxes({"1.23456789012345,-9.87654321098765", "5.55555555555555,1e-300", "-2e70,3.33333333333333"}),
    };
    for (const auto& boxes : equations) {
        const std::vector<Complex> shown = Shown(boxes);
        QVERIFY2(!shown.empty(), boxes[0].re.c_str());
        timer.start();
        const WorkedSteps steps = RootSteps(boxes, shown);
        QVERIFY2(fast(), boxes[0].re.c_str());
        const QString answer = ExpectedRootAnswer(boxes, shown, false);
        QCOMPARE(LastLine(steps), answer);
    }
    for (const std::array<std::string, 2>& pair :
        {std::array<std::string, 2>{"1836311903", "1134903170"}, {"2147483647", "2147483646"}}) {
        timer.start();
        const WorkedSteps steps = GcdSteps(pair);
        QVERIFY(fast());
        QCOMPARE(CheckSteps(steps), QStringList());
    }
    const std::array<std::string, 4> keisuu{
        "1.23456789012345e-300", "-9.87654321098765e290", "5.55555555555555", "1e-300"};
    timer.start();
    const WorkedSteps steps = SigmaSteps(0, 214, keisuu);
    QVERIFY(fast());
    QCOMPARE(CheckSteps(steps), QStringList());
    QCOMPARE(LastLine(steps),
        QStringLiteral("答 ")
            + QString::fromStdString(
                ExactLabelText(ExactSigma(0, 214, keisuu), FormatGeneral(std::get<0>(Siguma("0", "214", keisuu))))));
}

// Inputs the decimal calculation refuses give no steps and no crash.
void TestWorkedSteps::refused()
{
    QVERIFY(RootSteps(Boxes({"0", "1", "2"}), {{-2, 0}, {0, 0}}).steps.empty());
    QVERIFY(RootSteps(Boxes({"", "", ""}), {{0, 0}, {0, 0}}).steps.empty());
    QVERIFY(RootSteps(Boxes({"1e999", "1", "2"}), {{0, 0}, {0, 0}}).steps.empty());
    QVERIFY(GcdSteps({"0", "5"}).steps.empty());
    QVERIFY(GcdSteps({"1.5", "5"}).steps.empty());
    QVERIFY(GcdSteps({"-4", "6"}).steps.empty());
    QVERIFY(GcdSteps({"4294967296", "6"}).steps.empty());
    QVERIFY(SigmaSteps(5, 4, {"1", "1", "1", "1"}).steps.empty());
    QVERIFY(SigmaSteps(-1, 4, {"1", "1", "1", "1"}).steps.empty());
}

QTEST_GUILESS_MAIN(TestWorkedSteps)
#include "tst_worked_steps.moc"
