// SPDX-License-Identifier: MIT
// Exact reading of box texts, surd forms and their canonical texts.

#include "exact_support.h"
#include "surd_form.h"

#include <QTest>

namespace {

// Root number index of a polynomial in FLINT's "length  c0 c1 ..." form.
Algebraic Root(const char* polynomial, int index)
{
    Flint<fmpz_poly_struct> p;
    fmpz_poly_set_str(p.get(), polynomial);
    return RootsOf(p.get()).at(static_cast<std::size_t>(index));
}

} // namespace

Q_DECLARE_METATYPE(Algebraic)

class TestExactNumber : public QObject {
    Q_OBJECT

private slots:
    void cleanupTestCase() { flint_cleanup(); }
    void readBox_data();
    void readBox();
    void canonicalRoundTrip_data();
    void canonicalRoundTrip();
    void notCanonical_data();
    void notCanonical();
    void rootsInSurdForm_data();
    void rootsInSurdForm();
    void vocabulary_data();
    void vocabulary();
    void owners();
};

void TestExactNumber::readBox_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("exact");
    QTest::newRow("blank") << ""
                           << "0";
    QTest::newRow("tenth") << "0.1"
                           << "1/10";
    QTest::newRow("exponent") << "1.5e-3"
                              << "3/2000";
    QTest::newRow("full-width") << "－１２．５"
                                << "-25/2";
    QTest::newRow("trailing text ignored") << "3.25abc"
                                           << "13/4";
    QTest::newRow("negative zero") << "-0.000"
                                   << "0";
    QTest::newRow("trailing zeros") << "1200e-2"
                                    << "12";
    QTest::newRow("big exponent") << "2e20"
                                  << "200000000000000000000";
    QTest::newRow("longer than a label") << "1e30"
                                         << "none";
    QTest::newRow("absurd exponent") << "1e999999999"
                                     << "none";
    QTest::newRow("absurd negative exponent") << "1e-999999999999999"
                                              << "none";
    QTest::newRow("exponent digits saturate") << "1e00000000000000000001"
                                              << "10";
}

void TestExactNumber::readBox()
{
    QFETCH(QString, box);
    QFETCH(QString, exact);
    QCOMPARE(Text(ExactBoxText(box.toStdString())), exact);
}

void TestExactNumber::canonicalRoundTrip_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("zero") << "0" << 0.0;
    QTest::newRow("integer") << "-12" << -12.0;
    QTest::newRow("fraction") << "-3/7" << -3.0 / 7;
    QTest::newRow("root") << "√2" << std::sqrt(2.0);
    QTest::newRow("negative root over d") << "-√3/2" << -std::sqrt(3.0) / 2;
    QTest::newRow("Heron 2 3 4") << "3√15/4" << 3 * std::sqrt(15.0) / 4;
    QTest::newRow("sum") << "1+√2" << 1 + std::sqrt(2.0);
    QTest::newRow("golden ratio") << "(1+√5)/2" << (1 + std::sqrt(5.0)) / 2;
    QTest::newRow("negative sum") << "(-1-√5)/2" << (-1 - std::sqrt(5.0)) / 2;
    QTest::newRow("sin 15") << "(-√2+√6)/4" << (std::sqrt(6.0) - std::sqrt(2.0)) / 4;
    QTest::newRow("four terms") << "(1+√2-3√3+√6)/5" << (1 + std::sqrt(2.0) - 3 * std::sqrt(3.0) + std::sqrt(6.0)) / 5;
}

// Parsed back and written again, each text gives the same number and itself.
void TestExactNumber::canonicalRoundTrip()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    const auto x = ParseCanonical(text.toStdString());
    QVERIFY(x);
    const auto form = ToSurdForm(*x);
    QVERIFY(form);
    QCOMPARE(QString::fromStdString(CanonicalText(*form)), text);
    QVERIFY(FromSurdForm(*form) == *x);
    const double got = Nearest(*x).value().re;
    QVERIFY(std::abs(got - value) <= 1e-12 * (1 + std::abs(value)));
}

void TestExactNumber::notCanonical_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << "";
    QTest::newRow("grouped without divisor") << "(1+√2)";
    QTest::newRow("zero divisor") << "1/0";
    QTest::newRow("dangling sign") << "1+";
    QTest::newRow("space") << "1 + √2";
}

void TestExactNumber::notCanonical()
{
    QFETCH(QString, text);
    QVERIFY(!ParseCanonical(text.toStdString()));
}

void TestExactNumber::rootsInSurdForm_data()
{
    QTest::addColumn<QString>("polynomial"); // FLINT's "length  c0 c1 ..." form
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("exact");
    QTest::newRow("x²-x-1 first") << "3  -1 -1 1" << 0 << "(1+√5)/2";
    QTest::newRow("x²-x-1 second") << "3  -1 -1 1" << 1 << "(1-√5)/2";
    QTest::newRow("4x²-12 a square factor") << "3  -12 0 4" << 0 << "√3";
    QTest::newRow("x⁴-10x²+1 largest") << "5  1 0 -10 0 1" << 0 << "√2+√3";
    QTest::newRow("x⁴-10x²+1 second") << "5  1 0 -10 0 1" << 1 << "-√2+√3";
    QTest::newRow("x⁴-10x²+1 third") << "5  1 0 -10 0 1" << 2 << "√2-√3";
    QTest::newRow("x⁴-10x²+1 smallest") << "5  1 0 -10 0 1" << 3 << "-√2-√3";
    // 16x⁴ − 16x² + 1: the sines and cosines of 15° and 75°.
    QTest::newRow("cos 15") << "5  1 0 -16 0 16" << 0 << "(√2+√6)/4";
    QTest::newRow("sin 15") << "5  1 0 -16 0 16" << 1 << "(-√2+√6)/4";
    QTest::newRow("real cube root of 2") << "4  -2 0 0 1" << 0 << "none";
    QTest::newRow("fourth root of 2") << "5  -2 0 0 0 1" << 0 << "none";
    // x⁴ − 4x² + 2: √(2 + √2), nested and not denesting.
    QTest::newRow("nested root") << "5  2 0 -4 0 1" << 0 << "none";
    // (1 + √2)/10²⁰ takes 28 characters.
    QTest::newRow("too long for a label")
        << "3  -1 -200000000000000000000 10000000000000000000000000000000000000000" << 0 << "none";
}

void TestExactNumber::rootsInSurdForm()
{
    QFETCH(QString, polynomial);
    QFETCH(int, index);
    QFETCH(QString, exact);
    QCOMPARE(Text(ExactTextOf(Root(polynomial.toLatin1().constData(), index))), exact);
}

// The numbers' operations that the triangle, the roots and the tests build
// on, each against a value known by hand.
void TestExactNumber::vocabulary_data()
{
    QTest::addColumn<Algebraic>("x");
    QTest::addColumn<QString>("re");
    QTest::addColumn<QString>("im");
    const Algebraic two(Integer(2)), three(Integer(3));
    QTest::newRow("sin π/12") << SinPi(Rational(1, 12)) << "(-√2+√6)/4"
                              << "0";
    QTest::newRow("cos 5π/6") << CosPi(Rational(5, 6)) << "-√3/2"
                              << "0";
    QTest::newRow("sin −π/4") << SinPi(Rational(-1, 4)) << "-√2/2"
                              << "0";
    QTest::newRow("cos 7π/4, beyond a half turn") << CosPi(Rational(7, 4)) << "√2/2"
                                                  << "0";
    QTest::newRow("√-3 is i√3") << Sqrt(-three) << "0"
                                << "√3";
    QTest::newRow("√(2√2+3) denests") << Sqrt(two * Sqrt(two) + Rational(3)) << "1+√2"
                                      << "0";
    QTest::newRow("scaled and shifted") << (Rational(3, 2) * Sqrt(two) + Rational(-1, 2)) << "(-1+3√2)/2"
                                        << "0";
    QTest::newRow("from parts") << FromParts(Sqrt(two), Algebraic(Rational(-1, 3))) << "√2"
                                << "-1/3";
    QTest::newRow("negated parts") << -FromParts(Sqrt(three), Sqrt(two)) << "-√3"
                                   << "-√2";
}

void TestExactNumber::vocabulary()
{
    QFETCH(Algebraic, x);
    QFETCH(QString, re);
    QFETCH(QString, im);
    QCOMPARE(Text(ExactTextOf(RealPart(x))), re);
    QCOMPARE(Text(ExactTextOf(ImaginaryPart(x))), im);
    QVERIFY(FromParts(RealPart(x), ImaginaryPart(x)) == x);
}

// Copies are independent, a moved-from owner holds a fresh value that can be
// used and destroyed, and a vector's items move out whole. Run under the
// address sanitizer, a double clear or a leak fails here.
void TestExactNumber::owners()
{
    Rational a(7, 3);
    Rational copy = a;
    copy = copy + Rational(1);
    QVERIFY(a == Rational(7, 3));
    QVERIFY(copy == Rational(10, 3));
    const Rational& same = copy;
    copy = same;
    QVERIFY(copy == Rational(10, 3));

    Rational moved = std::move(a);
    QVERIFY(moved == Rational(7, 3));
    QVERIFY(a.isZero()); // a moved-from owner holds a fresh value
    a = Rational(1, 2);
    moved = std::move(a);
    QVERIFY(moved == Rational(1, 2));

    std::vector<Algebraic> numbers;
    for (long k = 1; k <= 20; ++k)
        numbers.push_back(Sqrt(Algebraic(Integer(k)))); // moved on every growth of the vector
    QCOMPARE(Text(ExactTextOf(numbers[11])), QStringLiteral("2√3"));

    Flint<fmpq_mat_struct> m(2, 3);
    fmpq_set_si(fmpq_mat_entry(m.get(), 1, 2), 5, 7);
    Flint<fmpq_mat_struct> n = std::move(m);
    QCOMPARE(fmpq_mat_ncols(n.get()), slong(3));
    QCOMPARE(fmpq_mat_nrows(m.get()), slong(0));
    Rational entry;
    fmpq_set(entry.get(), fmpq_mat_entry(n.get(), 1, 2));
    QVERIFY(entry == Rational(5, 7));

    Flint<fmpz_poly_struct> p;
    fmpz_poly_set_str(p.get(), "3  -2 0 1");
    const std::vector<Algebraic> roots = RootsOf(p.get());
    QCOMPARE(roots.size(), std::size_t(2));
    QCOMPARE(Text(ExactTextOf(roots[0])), QStringLiteral("√2"));
    QCOMPARE(Text(ExactTextOf(roots[1])), QStringLiteral("-√2"));
}

QTEST_APPLESS_MAIN(TestExactNumber)
#include "tst_exact_number.moc"
