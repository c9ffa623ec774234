// SPDX-License-Identifier: MIT
// The exact Σ against a direct exact loop, and the exact triangle area
// against a second formula, its true value against long double with π
// itself, and its gaps and time on hostile boxes.

#include "exact_reading.h"
#include "exact_sigma.h"
#include "exact_support.h"
#include "exact_triangle.h"
#include "exact_value_api.h"
#include "triangle.h"

#include <QTest>

#include <cmath>
#include <ctime>

namespace {

std::array<std::string, 3> Three(const QStringList& texts, int from)
{
    return {texts.value(from).toStdString(), texts.value(from + 1).toStdString(), texts.value(from + 2).toStdString()};
}

// An angle in degrees is degrees / 180 of a half turn.
Algebraic Sine(const Rational& degrees)
{
    return SinPi(degrees / Rational(180));
}

Algebraic Cosine(const Rational& degrees)
{
    return CosPi(degrees / Rational(180));
}

// Heron's formula from the squares of the sides.
Algebraic HeronSquared(const Algebraic& a2, const Algebraic& b2, const Algebraic& c2)
{
    const Algebraic twice = a2 * b2 + b2 * c2 + c2 * a2;
    return Sqrt((twice + twice - a2 * a2 - b2 * b2 - c2 * c2) * Rational(1, 16));
}

// The area a second way: three sides by the cosine rule and ½·a·b·sin C; two
// sides and the angle between them by the cosine rule and Heron; two sides
// and a facing angle by the third side from the cosine rule; a side and two
// angles by the sine rule.
Algebraic SecondFormula(const QStringList& texts)
{
    std::vector<std::size_t> sides, angles;
    std::array<Rational, 6> v;
    for (std::size_t i = 0; i < 6; ++i) {
        if (texts.value(static_cast<int>(i)).isEmpty())
            continue;
        v[i] = *ReadExact(texts.value(static_cast<int>(i)).toStdString());
        (i < 3 ? sides : angles).push_back(i % 3);
    }
    const auto side = [&](std::size_t i) { return v[i]; };
    const auto angle = [&](std::size_t i) { return v[3 + i]; };
    if (sides.size() == 3) {
        const Rational &a = side(0), &b = side(1), &c = side(2);
        const Rational cosC = (a * a + b * b - c * c) / (Rational(2) * a * b);
        return Sqrt(Algebraic(Rational(1) - cosC * cosC)) * (a * b / Rational(2));
    }
    if (sides.size() == 2) {
        const std::size_t i = sides[0], j = sides[1], A = angles[0];
        const Rational &a = side(i), &b = side(j);
        if (A == 3 - i - j) {
            const Algebraic c2 = Algebraic(a * a + b * b) - Cosine(angle(A)) * (Rational(2) * a * b);
            return HeronSquared(Algebraic(a * a), Algebraic(b * b), c2);
        }
        // The angle faces side f; the other known side is g.
        const Rational &f = side(A), &g = side(A == i ? j : i);
        const Algebraic s = Sine(angle(A));
        const Algebraic c = Cosine(angle(A)) * g + Sqrt(Algebraic(f * f) - s * s * (g * g));
        return c * s * (g / Rational(2));
    }
    std::array<Rational, 3> all;
    Rational sum;
    for (const std::size_t a : angles) {
        all[a] = angle(a);
        sum = sum + all[a];
    }
    for (std::size_t a = 0; a < 3 && angles.size() == 2; ++a)
        if (std::find(angles.begin(), angles.end(), a) == angles.end())
            all[a] = Rational(180) - sum;
    const std::size_t k = sides[0];
    const Algebraic ratio = Algebraic(side(k)) / Sine(all[k]); // the sine rule's 2R
    return ratio * ratio * Sine(all[0]) * Sine(all[1]) * Sine(all[2]) * Rational(1, 2);
}

} // namespace

class TestExactSumsAreas : public QObject {
    Q_OBJECT

private slots:
    void cleanupTestCase() { flint_cleanup(); }
    void sigma_data();
    void sigma();
    void triangle_data();
    void triangle();
    void triangleValue_data();
    void triangleValue();
    void triangleHostile_data();
    void triangleHostile();
};

void TestExactSumsAreas::sigma_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<QStringList>("keisuu"); // K³, K², K, 1
    QTest::addColumn<QString>("text");
    QTest::newRow("cubes to 214") << 0 << 214 << QStringList{"1", "0", "0", "0"} << "529230025";
    QTest::newRow("constant from 0") << 0 << 10 << QStringList{"", "", "", "1"} << "11";
    QTest::newRow("tenths") << 1 << 10 << QStringList{"0", "0", "0.1", "0.1"} << "13/2";
    QTest::newRow("beyond 2^53") << 0 << 214 << QStringList{"12345678901", "3", "2", "1"} << "6533703953428117895";
    // "1/3" reads as 1: a box holds a leading number, not a fraction.
    QTest::newRow("one term") << 7 << 7 << QStringList{"1/3", "-2", "0.25", "-1e-3"} << "246749/1000";
    QTest::newRow("too long") << 0 << 214 << QStringList{"1e20", "0", "0", "0"} << "none";
}

void TestExactSumsAreas::sigma()
{
    QFETCH(int, first);
    QFETCH(int, last);
    QFETCH(QStringList, keisuu);
    QFETCH(QString, text);
    std::array<std::string, 4> boxes;
    std::array<Rational, 4> a;
    for (std::size_t p = 0; p < 4; ++p) {
        boxes[p] = keisuu.value(static_cast<int>(p)).toStdString();
        a[p] = *ReadExact(boxes[p]);
    }
    QCOMPARE(Text(ExactSigma(first, last, boxes)), text);

    Rational loop;
    for (int k = first; k <= last; ++k) {
        const Rational K(k);
        loop = loop + ((a[0] * K + a[1]) * K + a[2]) * K + a[3];
    }
    QVERIFY(*ExactSigmaValue(first, last, a) == loop);
}

void TestExactSumsAreas::triangle_data()
{
    QTest::addColumn<QStringList>("texts"); // H0 H1 H2 K0 K1 K2
    QTest::addColumn<QString>("text");
    QTest::newRow("2 3 4") << QStringList{"2", "3", "4"} << "3√15/4";
    QTest::newRow("3 4 5") << QStringList{"3", "4", "5"} << "6";
    QTest::newRow("decimal sides") << QStringList{"0.5", "0.5", "0.5"} << "√3/16";
    QTest::newRow("degenerate") << QStringList{"1", "2", "3"} << "0";
    QTest::newRow("two sides 60° between") << QStringList{"2", "2", "", "", "", "60"} << "√3";
    QTest::newRow("two sides 15° between") << QStringList{"", "4", "2", "15"} << "-√2+√6";
    QTest::newRow("side and end angles 45 60") << QStringList{"", "", "2", "45", "60"} << "3-√3";
    QTest::newRow("side and other angles 30 45") << QStringList{"2", "", "", "30", "45"} << "1+√3";
    QTest::newRow("all three angles 60") << QStringList{"", "3", "", "60", "60", "60"} << "9√3/4";
    QTest::newRow("two sides, facing 30°") << QStringList{"1", "1", "", "30"} << "√3/4";
    QTest::newRow("two sides, facing 45°") << QStringList{"1", "", "2", "", "", "45"} << "(1+√7)/4";
    QTest::newRow("40° between") << QStringList{"2", "3", "", "", "", "40"} << "none";
    QTest::newRow("40° at an end") << QStringList{"", "", "2", "40", "60"} << "none";
    // The textbook's angles beyond multiples of 15°.
    QTest::newRow("two sides 18° between") << QStringList{"5", "4", "", "", "", "18"} << "(-5+5√5)/2";
    QTest::newRow("two sides 54° between") << QStringList{"4", "", "2", "", "54"} << "1+√5";
    QTest::newRow("two sides 126° between") << QStringList{"2", "2", "", "", "", "126"} << "(1+√5)/2";
    QTest::newRow("two sides 162° between") << QStringList{"", "4", "4", "162"} << "-2+2√5";
    QTest::newRow("angles 36 72 at the ends") << QStringList{"", "", "2", "36", "72"} << "none";
    QTest::newRow("angles 36 72, side faces 36") << QStringList{"2", "", "", "36", "72"} << "none";
    QTest::newRow("angles 72 36 at the ends") << QStringList{"", "", "1", "72", "36"} << "none";
    QTest::newRow("two sides, facing 18°") << QStringList{"2", "1", "", "18"} << "none";
    // 2·sin 3°·sin 33° is cos 30° − cos 36°: a form from sines that have none.
    QTest::newRow("side faces 30°, other 3°") << QStringList{"2", "", "", "30", "3"} << "(-1+2√3-√5)/2";
    QTest::newRow("angles 45 45 at the ends") << QStringList{"", "", "4", "45", "45"} << "4";
    QTest::newRow("angle 375° is 15°") << QStringList{"", "4", "2", "375"} << "-√2+√6";
    QTest::newRow("angle 1.5e1") << QStringList{"", "4", "2", "1.5e1"} << "-√2+√6";
    QTest::newRow("angle 7.5°") << QStringList{"2", "2", "", "", "", "7.5"} << "none";
    QTest::newRow("big sides, 30°") << QStringList{"1000000", "1000000", "", "", "", "30"} << "250000000000";
}

void TestExactSumsAreas::triangle()
{
    QFETCH(QStringList, texts);
    QFETCH(QString, text);
    const auto h = Three(texts, 0), k = Three(texts, 3);
    QCOMPARE(Text(ExactTriangleArea(h, k)), text);
    if (text == "none")
        return;
    QVERIFY(*ExactTriangleValue(h, k) == SecondFormula(texts));
}

namespace {

// The area by the decimal formulas' algebra, in long double with π itself.
long double LongDoubleArea(const QStringList& texts)
{
    constexpr long double pi = 3.141592653589793238462643383279502884L;
    std::array<double, 3> Hen{}, Kaku{};
    for (std::size_t i = 0; i < 3; ++i) {
        Hen[i] = texts.value(static_cast<int>(i)).toDouble();
        Kaku[i] = texts.value(static_cast<int>(i + 3)).toDouble();
    }
    const AreaRule rule = PickAreaRule(Hen, Kaku);
    const auto h
        = [&](std::size_t k) { return static_cast<long double>(Hen[static_cast<std::size_t>(rule.sides[k])]); };
    const auto sine = [&](long double degrees) { return std::sin(degrees * pi / 180); };
    const auto a
        = [&](std::size_t k) { return static_cast<long double>(Kaku[static_cast<std::size_t>(rule.angles[k])]); };
    switch (rule.formula) {
    case AreaFormula::ThreeSides: {
        const long double s = (h(0) + h(1) + h(2)) / 2;
        return std::sqrt(s * (s - h(0)) * (s - h(1)) * (s - h(2)));
    }
    case AreaFormula::HasamuKaku: return h(0) * h(1) / 2 * sine(a(0));
    case AreaFormula::HasamanaiKaku: {
        const long double sinB = sine(a(0)) * h(1) / h(0);
        return h(0) * h(1) / 2 * (sinB * std::cos(a(0) * pi / 180) + std::sqrt(1 - sinB * sinB) * sine(a(0)));
    }
    case AreaFormula::RyoutanKaku: return h(0) * h(0) / 2 * sine(a(0)) * sine(a(1)) / sine(a(0) + a(1));
    case AreaFormula::NotRyoutanKaku: return h(0) * h(0) / 2 * sine(a(1)) * sine(a(0) + a(1)) / sine(a(0));
    case AreaFormula::None: break;
    }
    return 0;
}

} // namespace

void TestExactSumsAreas::triangleValue_data()
{
    QTest::addColumn<QStringList>("texts"); // H0 H1 H2 K0 K1 K2
    // 249999999993.52 in the decimal view, whose π has ten decimals.
    QTest::newRow("1e6 1e6, 30° between") << QStringList{"1000000", "1000000", "", "", "", "30"};
    QTest::newRow("40° between") << QStringList{"2", "3", "", "", "", "40"};
    QTest::newRow("18° between") << QStringList{"5", "4", "", "", "", "18"};
    QTest::newRow("40° and 60° at the ends") << QStringList{"", "", "2", "40", "60"};
    QTest::newRow("facing 40°") << QStringList{"3", "2", "", "40"};
    QTest::newRow("facing 15°, 15 digits") << QStringList{"2.34567890123456", "1.23456789012345", "", "15"};
    QTest::newRow("side faces 7°, other 11°") << QStringList{"3", "", "", "7", "11"};
    QTest::newRow("three sides 2 3 4") << QStringList{"2", "3", "4"};
    QTest::newRow("tiny sides, 15° between") << QStringList{"1e-90", "1e-90", "", "", "", "15"};
    QTest::newRow("tiny and huge side, 15°") << QStringList{"1e-300", "1e300", "", "", "", "15"};
    QTest::newRow("huge side, 1° and 2°") << QStringList{"1e150", "", "", "", "1", "2"};
}

void TestExactSumsAreas::triangleValue()
{
    QFETCH(QStringList, texts);
    const ExactText area = ExactTriangleArea(Three(texts, 0), Three(texts, 3));
    const long double expected = LongDoubleArea(texts);
    QVERIFY(std::isfinite(area.value_as_double));
    QVERIFY2(std::fabs(area.value_as_double - expected) <= 4e-16L * std::fabs(expected),
        qPrintable(QString::number(area.value_as_double, 'g', 17)));
    if (area) { // the text's own value agrees
        const auto exact = Nearest(*ExactTriangleValue(Three(texts, 0), Three(texts, 3)));
        QCOMPARE(exact->re, area.value_as_double);
    }
}

void TestExactSumsAreas::triangleHostile_data()
{
    QTest::addColumn<QStringList>("texts"); // H0 H1 H2 K0 K1 K2
    QTest::addColumn<int>("gap");
    const std::string digits300 = "1." + std::string(299, '7') + "3";
    const QString long300 = QString::fromStdString(digits300);
    const int tooLong = static_cast<int>(ExactGap::TooLong), noForm = static_cast<int>(ExactGap::NoForm),
              stopped = static_cast<int>(ExactGap::Stopped);
    // 1e-180·(√6−√2)/8 cannot be written in 24 characters; the sizes say so.
    QTest::newRow("1e-90 1e-90, 15° between") << QStringList{"1e-90", "1e-90", "", "", "", "15"} << tooLong;
    QTest::newRow("1e-110 1e-110, 15° between") << QStringList{"1e-110", "1e-110", "", "", "", "15"} << tooLong;
    QTest::newRow("1e-150 1e-150, 15° between") << QStringList{"1e-150", "1e-150", "", "", "", "15"} << tooLong;
    QTest::newRow("1e-300 1e-300, 15° between") << QStringList{"1e-300", "1e-300", "", "", "", "15"} << tooLong;
    QTest::newRow("3e-90 2e-90, facing 15°") << QStringList{"3e-90", "2e-90", "", "15"} << noForm;
    QTest::newRow("3e-90 2e-90, facing 30°") << QStringList{"3e-90", "2e-90", "", "30"} << tooLong;
    QTest::newRow("1e150, 15° and 105°") << QStringList{"1e150", "", "", "", "15", "105"} << tooLong;
    QTest::newRow("300 digits, three sides") << QStringList{long300, long300, long300} << tooLong;
    QTest::newRow("300 digits, 18° between") << QStringList{long300, "2", "", "", "", "18"} << tooLong;
    QTest::newRow("angle of 300 digits") << QStringList{"2", "2", "", "", "", long300} << noForm;
    QTest::newRow("angles 7° and 11°") << QStringList{"", "", "1e-200", "7", "11"} << noForm;
    QTest::newRow("angles 1° and 2°") << QStringList{"1e-200", "", "", "1", "2"} << stopped;
    QTest::newRow("sides' ratio of 80 bits, facing 30°") << QStringList{"1", "1.2345e-19", "", "30"} << stopped;
    QTest::newRow("sides' ratio of 20 bits, facing 3°") << QStringList{"1", "0.654321", "", "3"} << stopped;
}

// Every box the screen accepts gives its answer at once, the same on any
// machine: the bounds are sizes and degrees, so the gap is fixed too.
void TestExactSumsAreas::triangleHostile()
{
    QFETCH(QStringList, texts);
    QFETCH(int, gap);
    const std::clock_t start = std::clock();
    const ExactText area = ExactTriangleArea(Three(texts, 0), Three(texts, 3));
    const double ms = 1000.0 * static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
    QVERIFY2(ms < 200, qPrintable(QString::number(ms) + " ms"));
    QVERIFY(!area);
    QCOMPARE(static_cast<int>(area.gap()), gap);
}

QTEST_APPLESS_MAIN(TestExactSumsAreas)
#include "tst_exact_sums_areas.moc"
