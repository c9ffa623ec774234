// SPDX-License-Identifier: MIT
// The worked steps of the triangle's area: textbook cases read line by line,
// and seeded random triangles of every case whose steps must all be true
// (marked by the independent checker), whose answer must be the exact view's
// and must agree with the decimal calculation.
#include "conversions.h"
#include "exact_support.h"
#include "exact_triangle.h"
#include "layout_check.h"
#include "random_texts.h"
#include "steps_check.h"
#include "steps_reading.h"
#include "steps_text.h"
#include "steps_triangle.h"
#include "triangle.h"
#include "worked_steps.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <random>

namespace {

using TriangleBoxes = std::array<std::string, 3>;

// The screen's decimal area, or nothing where it shows a message.
std::optional<double> DecimalArea(const TriangleBoxes& h, const TriangleBoxes& k)
{
    try {
        const Outcome<double> outcome = Sankaku(h, k);
        if (outcome.index() == 0)
            return std::get<0>(outcome);
    } catch (const ArithmeticFault&) {
    }
    return std::nullopt;
}

// 答 as the exact view shows the area: without a text, the true value to the
// decimals' places where it is known.
QString ExpectedAnswer(const TriangleBoxes& h, const TriangleBoxes& k, double area)
{
    const ExactText exact = ExactTriangleArea(h, k);
    const double value = std::isfinite(exact.value_as_double) ? exact.value_as_double : area;
    return QStringLiteral("答 S = ") + QString::fromStdString(ExactLabelText(exact, FormatFixed(value, "0.00")));
}

// The words that name the method of each case, and the value of s for
// three sides.
QStringList MethodWords(AreaFormula formula)
{
    switch (formula) {
    case AreaFormula::ThreeSides: return {QStringLiteral("ヘロンの公式"), QStringLiteral("s = (a + b + c)/2 = ")};
    case AreaFormula::HasamuKaku: return {QStringLiteral("面積は S = 1/2 ")};
    case AreaFormula::HasamanaiKaku: return {QStringLiteral("余弦定理"), QStringLiteral("面積は S = 1/2 ")};
    case AreaFormula::RyoutanKaku:
    case AreaFormula::NotRyoutanKaku: return {QStringLiteral("正弦定理"), QStringLiteral("面積は S = 1/2 ")};
    case AreaFormula::None: break;
    }
    return {QStringLiteral("S = 0")};
}

// Random boxes: whole numbers or short decimals for the sides, angles from
// those with a form (15°, 18°, 22.5°…) and those without (40°, 41.3°).
class Inputs : public RandomTexts {
public:
    using RandomTexts::RandomTexts;
    std::string Side()
    {
        switch (Whole(0, 3)) {
        case 0: return std::to_string(Whole(1, 12));
        case 1: return std::to_string(Whole(1, 99)) + "." + std::to_string(Whole(0, 9));
        case 2: return "0." + std::to_string(Whole(1, 999));
        default: return std::to_string(Whole(1, 40));
        }
    }
    std::string Angle()
    {
        static const char* const pool[] = {"15", "30", "45", "60", "75", "90", "105", "120", "135", "150", "18", "36",
            "54", "72", "108", "22.5", "67.5", "40", "41.3", "7.5", "100", "12", "1.5", "37.25", "165"};
        return pool[Whole(0, std::size(pool) - 1)];
    }
    // The boxes of one case, the known elements placed at random.
    std::pair<TriangleBoxes, TriangleBoxes> Case(AreaFormula formula)
    {
        TriangleBoxes h, k;
        const int i = static_cast<int>(Whole(0, 2));
        const int j = (i + 1 + static_cast<int>(Whole(0, 1))) % 3;
        const int rest = 3 - i - j;
        const auto at = [](TriangleBoxes& b, int n) -> std::string& { return b[static_cast<std::size_t>(n)]; };
        switch (formula) {
        case AreaFormula::ThreeSides:
            // Most of them triangles: the third side between the difference
            // and the sum of the others, in tenths.
            h[0] = Side();
            h[1] = Side();
            if (Whole(0, 4) > 0) {
                const long x = std::lround(ParseNumber(h[0]) * 10), y = std::lround(ParseNumber(h[1]) * 10);
                h[2] = FormatGeneral(static_cast<double>(Whole(std::max(1L, std::labs(x - y)), x + y)) / 10);
            } else {
                h[2] = Side();
            }
            break;
        case AreaFormula::HasamuKaku:
            at(h, i) = Side();
            at(h, j) = Side();
            at(k, rest) = Angle();
            break;
        case AreaFormula::HasamanaiKaku:
            at(h, i) = Side();
            at(h, j) = Side();
            at(k, i) = Angle();
            break;
        case AreaFormula::RyoutanKaku:
            at(k, i) = Angle();
            at(k, j) = Angle();
            at(h, rest) = Side();
            break;
        case AreaFormula::NotRyoutanKaku:
            at(k, i) = Angle();
            at(k, j) = Angle();
            at(h, Whole(0, 1) ? i : j) = Side();
            break;
        case AreaFormula::None: break;
        }
        return {h, k};
    }
};

AreaFormula FormulaOf(const TriangleBoxes& h, const TriangleBoxes& k)
{
    std::array<double, 3> Hen{}, Kaku{};
    for (std::size_t i = 0; i < 3; ++i) {
        Hen[i] = ParseNumber(h[i]);
        Kaku[i] = ParseNumber(k[i]);
    }
    return PickAreaRule(Hen, Kaku).formula;
}

} // namespace

class TestWorkedStepsTriangle : public QObject {
    Q_OBJECT

private slots:
    void cleanupTestCase() { flint_cleanup(); }
    void textbook_data();
    void textbook();
    void random_data();
    void random();
    void anyBoxes();
    void checkerMarksAngles_data();
    void checkerMarksAngles();
    void formulas();
    void latexCompiles();
    void drawsEachLineInItsBand();
    void hardInputsAreFast();
    void refused();
};

void TestWorkedStepsTriangle::textbook_data()
{
    QTest::addColumn<QStringList>("sides");
    QTest::addColumn<QStringList>("angles");
    QTest::addColumn<QString>("plain");
    QTest::newRow("Heron 3 6 7") << QStringList{"3", "6", "7"} << QStringList{"", "", ""}
                                 << "3辺の長さから三角形の面積 S を求める\n"
                                    "a = 3（左の辺）, b = 6（右の辺）, c = 7（底辺）\n"
                                    "三角形ができる条件 3 < 6 + 7, 6 < 7 + 3, 7 < 3 + 6 を満たす\n"
                                    "s = (a + b + c)/2 = (3 + 6 + 7)/2 = 8 とおくと\n"
                                    "ヘロンの公式より S = √(s(s - a)(s - b)(s - c)) = √(8×(8 - 3)×(8 - 6)×(8 - 7)) "
                                    "= √(8×5×2×1) = √80 = 4√5\n"
                                    "答 S = 4√5";
    QTest::newRow("Heron halves") << QStringList{"2", "3", "4"} << QStringList{"", "", ""}
                                  << "3辺の長さから三角形の面積 S を求める\n"
                                     "a = 2（左の辺）, b = 3（右の辺）, c = 4（底辺）\n"
                                     "三角形ができる条件 2 < 3 + 4, 3 < 4 + 2, 4 < 2 + 3 を満たす\n"
                                     "s = (a + b + c)/2 = (2 + 3 + 4)/2 = 9/2 とおくと\n"
                                     "ヘロンの公式より S = √(s(s - a)(s - b)(s - c)) "
                                     "= √((9/2)×(9/2 - 2)×(9/2 - 3)×(9/2 - 4)) "
                                     "= √((9/2)×(5/2)×(3/2)×(1/2)) = √(135/16) = 3√15/4\n"
                                     "答 S = 3√15/4";
    QTest::newRow("45° between") << QStringList{"", "5", "6"} << QStringList{"45", "", ""}
                                 << "2辺とその間の角から三角形の面積 S を求める\n"
                                    "b = 5（右の辺）, c = 6（底辺）, A = 45°（右下の角）\n"
                                    "sin 45° = √2/2\n"
                                    "面積は S = 1/2 bc sin A = 1/2×5×6×sin 45° = 1/2×5×6×√2/2 = 15√2/2\n"
                                    "答 S = 15√2/2";
    QTest::newRow("15° between") << QStringList{"", "5", "6"} << QStringList{"15", "", ""}
                                 << "2辺とその間の角から三角形の面積 S を求める\n"
                                    "b = 5（右の辺）, c = 6（底辺）, A = 15°（右下の角）\n"
                                    "sin 15° = (√6-√2)/4\n"
                                    "面積は S = 1/2 bc sin A = 1/2×5×6×sin 15° = 1/2×5×6×(√6-√2)/4 = (15√6-15√2)/4\n"
                                    "答 S = (-15√2+15√6)/4";
    QTest::newRow("40° between") << QStringList{"", "5", "6"} << QStringList{"40", "", ""}
                                 << "2辺とその間の角から三角形の面積 S を求める\n"
                                    "b = 5（右の辺）, c = 6（底辺）, A = 40°（右下の角）\n"
                                    "sin 40° ≈ 0.643（簡単な形では表せないので、面積は近似値で求める）\n"
                                    "面積は S = 1/2 bc sin A = 1/2×5×6×sin 40° = 15 sin 40° ≈ 9.642\n"
                                    "答 S = ≈9.64";
    QTest::newRow("side and two angles") << QStringList{"4", "", ""} << QStringList{"45", "60", ""}
                                         << "1辺と2つの角から三角形の面積 S を求める\n"
                                            "a = 4（左の辺）, A = 45°（右下の角）, B = 60°（左下の角）\n"
                                            "C = 180° - A - B = 180° - 45° - 60° = 75°\n"
                                            "sin 45° = √2/2\n"
                                            "sin 60° = √3/2\n"
                                            "sin 75° = (√2+√6)/4\n"
                                            "正弦定理 b/(sin B) = a/(sin A) より\n"
                                            "b = a sin B/(sin A) = 4 sin 60°/(sin 45°) = 4×√3/2/(√2/2) = 2√6\n"
                                            "面積は S = 1/2 ab sin C = 1/2×4×2√6×sin 75° "
                                            "= 1/2×4×2√6×(√2+√6)/4 = 6+2√3\n"
                                            "答 S = 6+2√3";
    QTest::newRow("side between two angles") << QStringList{"", "", "4"} << QStringList{"45", "60", ""}
                                             << "1辺とその両端の角から三角形の面積 S を求める\n"
                                                "c = 4（底辺）, A = 45°（右下の角）, B = 60°（左下の角）\n"
                                                "C = 180° - A - B = 180° - 45° - 60° = 75°\n"
                                                "sin 45° = √2/2\n"
                                                "sin 60° = √3/2\n"
                                                "sin 75° = (√2+√6)/4\n"
                                                "正弦定理 a/(sin A) = c/(sin C) より\n"
                                                "a = c sin A/(sin C) = 4 sin 45°/(sin 75°) "
                                                "= 4×√2/2/((√2+√6)/4) = 4√3-4\n"
                                                "面積は S = 1/2 ca sin B = 1/2×4×(4√3-4)×sin 60° "
                                                "= 1/2×4×(4√3-4)×√3/2 = 12-4√3\n"
                                                "答 S = 12-4√3";
    QTest::newRow("angle not between")
        << QStringList{"7", "5", ""} << QStringList{"60", "", ""}
        << "2辺とその間にない角から三角形の面積 S を求める\n"
           "a = 7（左の辺）, b = 5（右の辺）, A = 60°（右下の角）\n"
           "cos 60° = 1/2\n"
           "余弦定理で c を求める\n"
           "  余弦定理 a² = b² + c² - 2bc cos A\n"
           "  数値を代入すると 7² = 5² + c² - 2×5×c×cos 60°\n"
           "  整理すると c² - 5c - 24 = 0\n"
           "  解の公式より c = 5/2 ± √((5/2)² + 24) = 5/2 ± √(121/4) = 5/2 ± 11/2 = 8, -3\n"
           "c > 0 より c = 8\n"
           "sin 60° = √3/2\n"
           "面積は S = 1/2 bc sin A = 1/2×5×8×sin 60° = 1/2×5×8×√3/2 = 10√3\n"
           "答 S = 10√3";
    QTest::newRow("two triangles") << QStringList{"4", "5", ""} << QStringList{"30", "", ""}
                                   << "2辺とその間にない角から三角形の面積 S を求める\n"
                                      "a = 4（左の辺）, b = 5（右の辺）, A = 30°（右下の角）\n"
                                      "cos 30° = √3/2\n"
                                      "余弦定理で c を求める\n"
                                      "  余弦定理 a² = b² + c² - 2bc cos A\n"
                                      "  数値を代入すると 4² = 5² + c² - 2×5×c×cos 30°\n"
                                      "  整理すると c² - 5√3 c + 9 = 0\n"
                                      "  解の公式より c = 5√3/2 ± √((5√3/2)² - 9) = 5√3/2 ± √(39/4) = 5√3/2 ± √39/2 "
                                      "= (5√3+√39)/2, (5√3-√39)/2\n"
                                      "c > 0 となる解は2つあり、三角形は2通りできる。"
                                      "角 B が鋭角になるほう（大きいほう）をとると c = (5√3+√39)/2\n"
                                      "sin 30° = 1/2\n"
                                      "面積は S = 1/2 bc sin A = 1/2×5×(5√3+√39)/2×sin 30° "
                                      "= 1/2×5×(5√3+√39)/2×1/2 = (25√3+5√39)/8\n"
                                      "答 S = (25√3+5√39)/8";
    QTest::newRow("no form, cosine rule")
        << QStringList{"5", "7", ""} << QStringList{"", "40", ""}
        << "2辺とその間にない角から三角形の面積 S を求める\n"
           "a = 5（左の辺）, b = 7（右の辺）, B = 40°（左下の角）\n"
           "cos 40° ≈ 0.766（簡単な形では表せないので、面積は近似値で求める）\n"
           "余弦定理で c を求める\n"
           "  余弦定理 b² = c² + a² - 2ca cos B\n"
           "  数値を代入すると 7² = c² + 5² - 2×5×c×cos 40°\n"
           "  整理すると c² - (10 cos 40°)c - 24 = 0\n"
           "  解の公式より c = 5 cos 40° ± √((5 cos 40°)² + 24) ≈ 10.049, -2.388\n"
           "c > 0 より c = 5 cos 40° + √((5 cos 40°)² + 24) ≈ 10.049\n"
           "sin 40° ≈ 0.643（簡単な形では表せないので、面積は近似値で求める）\n"
           "面積は S = 1/2 ca sin B = 1/2×(5 cos 40° + √((5 cos 40°)² + 24))×5×sin 40° "
           "≈ 16.148\n"
           "答 S = ≈16.15";
    QTest::newRow("no rule") << QStringList{"1", "1", "0"} << QStringList{"", "", ""}
                             << "三角形の面積 S を求める\n"
                                "わかっている辺と角の組み合わせでは面積の公式が使えないので S = 0 とする\n"
                                "答 S = 0";
}

void TestWorkedStepsTriangle::textbook()
{
    QFETCH(QStringList, sides);
    QFETCH(QStringList, angles);
    QFETCH(QString, plain);
    const TriangleBoxes h{sides[0].toStdString(), sides[1].toStdString(), sides[2].toStdString()};
    const TriangleBoxes k{angles[0].toStdString(), angles[1].toStdString(), angles[2].toStdString()};
    const WorkedSteps steps = TriangleSteps(h, k);
    QCOMPARE(Plain(steps), plain);
    QCOMPARE(CheckSteps(steps), QStringList());
    QCOMPARE(steps.steps.front().rule, std::string(StepRule::kProblem));
    QCOMPARE(steps.steps.back().rule, std::string(StepRule::kAnswer));
}

void TestWorkedStepsTriangle::random_data()
{
    QTest::addColumn<int>("formula");
    QTest::newRow("three sides") << static_cast<int>(AreaFormula::ThreeSides);
    QTest::newRow("angle between") << static_cast<int>(AreaFormula::HasamuKaku);
    QTest::newRow("angle not between") << static_cast<int>(AreaFormula::HasamanaiKaku);
    QTest::newRow("side between two angles") << static_cast<int>(AreaFormula::RyoutanKaku);
    QTest::newRow("side and two angles") << static_cast<int>(AreaFormula::NotRyoutanKaku);
}

// Random triangles of one case: every formula true, the case the rule table
// picks, named by its method; the answer the exact view's text and, where
// exact, within the shown decimals of the decimal area.
void TestWorkedStepsTriangle::random()
{
    QFETCH(int, formula);
    const auto kind = static_cast<AreaFormula>(formula);
    Inputs in(20 + static_cast<unsigned>(formula));
    int shown = 0;
    for (int trial = 0; trial < 150; ++trial) {
        const auto [h, k] = in.Case(kind);
        const WorkedSteps steps = TriangleSteps(h, k);
        const auto area = DecimalArea(h, k);
        const QString plain = Plain(steps);
        if (!area) {
            QVERIFY2(steps.steps.empty(), qPrintable(plain));
            continue;
        }
        ++shown;
        QCOMPARE(FormulaOf(h, k), kind);
        const QStringList failures = CheckSteps(steps);
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join('\n') + "\n" + plain));
        // The method named, but where the formula has no value exactly (a
        // sine of 0 to divide by, which only π's ten decimals avoid).
        const ExactText exact = ExactTriangleArea(h, k);
        const bool reached = exact || exact.gap() != ExactGap::NotFound;
        for (const QString& words : MethodWords(kind))
            QVERIFY2(!reached || plain.contains(words), qPrintable(plain));
        for (std::size_t i = 0; i < 3; ++i) {
            // Each given element named with its box.
            if (!h[i].empty())
                QVERIFY2(plain.contains(QString::fromUtf8(std::array{"（左の辺）", "（右の辺）", "（底辺）"}[i])),
                    qPrintable(plain));
            if (!k[i].empty())
                QVERIFY2(plain.contains(QString::fromUtf8(std::array{"（右下の角）", "（左下の角）", "（上の角）"}[i])),
                    qPrintable(plain));
        }
        QCOMPARE(QString::fromStdString(PlainLine(steps.steps.back())), ExpectedAnswer(h, k, *area));
        if (exact) {
            const auto z = Nearest(*ParseCanonical(*exact));
            QVERIFY(z);
            QVERIFY2(std::abs(z->re - *area) <= 0.005 + 1e-9 * std::abs(*area), qPrintable(plain));
        }
    }
    QVERIFY(shown >= 40);
}

// Any boxes at all, blanks, zeros and negative numbers among them: steps
// exactly where the screen shows an area, every one of them true, even where
// the numbers make no triangle and only the formula gives a value.
void TestWorkedStepsTriangle::anyBoxes()
{
    Inputs in(2020);
    const auto box = [&in](bool angle) -> std::string {
        switch (in.Whole(0, 7)) {
        case 0:
        case 1:
        case 2: return {};
        case 3: return std::to_string(in.Whole(-5, 20));
        case 4: return "0";
        case 5: return angle ? std::to_string(in.Whole(-400, 400)) : in.Side();
        default: return angle ? in.Angle() : in.Side();
        }
    };
    int shown = 0;
    for (int trial = 0; trial < 500; ++trial) {
        TriangleBoxes h, k;
        for (std::size_t i = 0; i < 3; ++i) {
            h[i] = box(false);
            k[i] = box(true);
        }
        const auto area = DecimalArea(h, k);
        const WorkedSteps steps = TriangleSteps(h, k);
        const QString plain = Plain(steps);
        if (!area) {
            QVERIFY2(steps.steps.empty(), qPrintable(plain));
            continue;
        }
        ++shown;
        const QStringList failures = CheckSteps(steps);
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join('\n') + "\n" + plain));
        QCOMPARE(QString::fromStdString(PlainLine(steps.steps.back())), ExpectedAnswer(h, k, *area));
    }
    QVERIFY(shown >= 100);
}

// The checker reads sin and cos of angles in degrees, and a false value of
// one fails.
void TestWorkedStepsTriangle::checkerMarksAngles_data()
{
    QTest::addColumn<int>("degrees");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("approximate");
    QTest::addColumn<bool>("holds");
    QTest::newRow("sin 45°") << 45 << "√2/2" << false << true;
    QTest::newRow("sin 45° is not √3/2") << 45 << "√3/2" << false << false;
    QTest::newRow("sin 15°") << 15 << "(-√2+√6)/4" << false << true;
    QTest::newRow("sin 405°") << 405 << "√2/2" << false << true;
    QTest::newRow("sin 40°") << 40 << "0.643" << true << true;
    QTest::newRow("sin 40° is not 0.642") << 40 << "0.642" << true << false;
    QTest::newRow("sin 41°") << 41 << "0.656" << true << true;
    QTest::newRow("sin 41° is not √2/2") << 41 << "√2/2" << false << false;
}

void TestWorkedStepsTriangle::checkerMarksAngles()
{
    QFETCH(int, degrees);
    QFETCH(QString, value);
    QFETCH(bool, approximate);
    QFETCH(bool, holds);
    using namespace Formula;
    const MathNode sine = Row({Word("sin"), Power(Number(std::to_string(degrees)), Op("°"))});
    WorkedSteps steps;
    steps.steps.push_back(MakeStep("triangle.sine", {},
        Row({sine, Op(approximate ? "≈" : "="),
            approximate ? Number(value.toStdString()) : Value(value.toStdString())})));
    QCOMPARE(CheckSteps(steps).isEmpty(), holds);
    // The same through a name bound to the angle, and the sine rule solved
    // for the unknown side: a/sin A = 2/sin 30° gives a = 4 sin A.
    steps.steps.clear();
    steps.steps.push_back(
        MakeStep("triangle.given", {}, Row({Name("A"), Op("="), Power(Number(std::to_string(degrees)), Op("°"))})));
    steps.steps.push_back(MakeStep("triangle.sine_rule", {},
        Row({Fraction(Name("a"), Row({Word("sin"), Name("A")})), Op("="),
            Fraction(Number("2"), Row({Word("sin"), Power(Number("30"), Op("°"))}))})));
    steps.steps.push_back(
        MakeStep("triangle.side", {}, Row({Name("a"), Op("="), Number("4"), Word("sin"), Name("A")})));
    steps.steps.push_back(
        MakeStep("triangle.side", {}, Row({Name("a"), Op("="), Number("4"), Word("cos"), Name("A")})));
    const QStringList failures = CheckSteps(steps);
    // Only the cosine fails (but where it equals the sine).
    QCOMPARE(failures.size(), degrees == 45 || degrees == 405 ? 0 : 1);
}

// The formulas' two new pieces, as text and as LaTeX: an angle in degrees
// and the sine written upright.
void TestWorkedStepsTriangle::formulas()
{
    const WorkedSteps steps = TriangleSteps({"", "5", "6"}, {"22.5", "", ""});
    const QString latex = QString::fromStdString(LatexText(steps));
    QVERIFY2(latex.contains(QStringLiteral("\\sin {22.5}^{\\circ}")), qPrintable(latex));
    QVERIFY2(!latex.contains(QStringLiteral("°")), qPrintable(latex));
    QVERIFY(Plain(steps).contains(QStringLiteral("A = 22.5°（右下の角）")));
    // sin 22.5° = √(2 − √2)/2 has no form with square roots side by side.
    QVERIFY(Plain(steps).contains(QStringLiteral("sin 22.5° ≈ 0.383")));
    // A negative angle stands in brackets after sin.
    const WorkedSteps negative = TriangleSteps({"4", "", ""}, {"100", "100", ""});
    QVERIFY2(Plain(negative).contains(QStringLiteral("sin (-20°) ≈ -0.342")), qPrintable(Plain(negative)));
    QVERIFY(Plain(negative).contains(QStringLiteral("三角形にならない")));
    QCOMPARE(CheckSteps(negative), QStringList());
}

// Every case's LaTeX, ° and sin among it, typesets with upLaTeX and amsmath.
void TestWorkedStepsTriangle::latexCompiles()
{
    std::vector<WorkedSteps> all;
    for (const auto& [h, k] : std::vector<std::pair<TriangleBoxes, TriangleBoxes>>{{{"3", "6", "7"}, {"", "", ""}},
             {{"", "5", "6"}, {"15", "", ""}}, {{"5", "7", ""}, {"", "40", ""}}, {{"4", "5", ""}, {"30", "", ""}},
             {{"", "", "4"}, {"45", "60", ""}}, {{"4", "", ""}, {"100", "100", ""}}, {{"1", "1", "0"}, {"", "", ""}}})
        all.push_back(TriangleSteps(h, k));
    const std::optional<QString> failure = TypesetFailure(all);
    if (!failure)
        QSKIP("uplatex is not installed (scripts/install-deps.sh installs it)");
    QVERIFY2(failure->isEmpty(), qPrintable(*failure));
}

// The hardest boxes take far less than the window's budget.
void TestWorkedStepsTriangle::hardInputsAreFast()
{
    const std::vector<std::pair<TriangleBoxes, TriangleBoxes>> cases{
        {{"123456789.012345", "98765432.1098765", "111111111.111111"}, {"", "", ""}},
        {{"1e-150", "3e-150", "3.5e-150"}, {"", "", ""}},
        {{"", "1.23456789012345e200", "9.87654321098765e-200"}, {"15", "", ""}},
        {{"7.00000000000001", "5.12345678901234", ""}, {"15", "", ""}},
        {{"1e-150", "1e150", ""}, {"", "1e-150", ""}},
        {{"", "", "1.23456789012345"}, {"7", "11", ""}},
        {{"", "", "3e100"}, {"15", "75", ""}},
        {{"2.99999999999999", "", ""}, {"18", "54", ""}},
        {{"", "2", ""}, {"3", "87", ""}},
    };
    QElapsedTimer timer;
    for (const auto& [h, k] : cases) {
        const auto area = DecimalArea(h, k);
        QVERIFY(area);
        timer.start();
        const WorkedSteps steps = TriangleSteps(h, k);
        const qint64 elapsed = timer.nsecsElapsed();
        // Far below the window's 200 ms at worst, with room for a build
        // under the sanitizers.
        QVERIFY2(elapsed < 100'000'000, qPrintable(QString::number(elapsed / 1e6) + " ms\n" + Plain(steps)));
        QCOMPARE(QString::fromStdString(PlainLine(steps.steps.back())), ExpectedAnswer(h, k, *area));
    }
}

// TriangleBoxes the screen answers with a message give no steps.
void TestWorkedStepsTriangle::refused()
{
    QVERIFY(TriangleSteps({"", "", ""}, {"30", "60", "90"}).steps.empty()); // no side
    QVERIFY(TriangleSteps({"3", "", ""}, {"", "", ""}).steps.empty()); // too few
    QVERIFY(TriangleSteps({"1", "2", "5"}, {"", "", ""}).steps.empty()); // no triangle
    QVERIFY(TriangleSteps({"5", "5", ""}, {"90", "", ""}).steps.empty()); // sin B = 1 exactly
    QVERIFY(TriangleSteps({"1e999", "2", "2"}, {"", "", ""}).steps.empty()); // beyond the double range
}

// Laid out as the window draws them, each line's ink (roots over long
// products, degrees, the cosine rule's substeps) stays in its band.
void TestWorkedStepsTriangle::drawsEachLineInItsBand()
{
    for (const auto& [h, k] : std::vector<std::pair<TriangleBoxes, TriangleBoxes>>{{{"3", "6", "7"}, {"", "", ""}},
             {{"", "5", "6"}, {"15", "", ""}}, {{"5", "7", ""}, {"", "40", ""}}, {{"4", "5", ""}, {"30", "", ""}},
             {{"", "", "4"}, {"45", "60", ""}}}) {
        const WorkedSteps steps = TriangleSteps(h, k);
        const StepsLayout layout(steps, QApplication::font(), 500);
        const QStringList faults = LayoutFaults(layout);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n') + "\n" + Plain(steps)));
    }
}

QTEST_MAIN(TestWorkedStepsTriangle)
#include "tst_worked_steps_triangle.moc"
