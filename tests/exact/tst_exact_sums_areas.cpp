// SPDX-License-Identifier: MIT
// The exact Σ against a direct exact loop, and the exact triangle area
// against a second formula.

#include "exact_reading.h"
#include "exact_sigma.h"
#include "exact_support.h"
#include "exact_triangle.h"
#include "exact_value_api.h"

#include <QTest>

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

QTEST_APPLESS_MAIN(TestExactSumsAreas)
#include "tst_exact_sums_areas.moc"
