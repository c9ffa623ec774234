// SPDX-License-Identifier: MIT
// The closed-form sum and the checks in front of it.

#include "sigma.h"

#include <QTest>

#include <random>

class TestSigma : public QObject {
    Q_OBJECT

private slots:
    void partialSums_data();
    void partialSums();
    void productsThatWouldOverflow();
    void closedFormAgreesWithLoop();
    void sumBeyondTheDoubleRange();
};

void TestSigma::partialSums_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<double>("sum1");
    QTest::addColumn<double>("sum2"); // -1: not asked
    QTest::addColumn<double>("sum3");

    QTest::newRow("0") << 0 << 0.0 << 0.0 << 0.0;
    QTest::newRow("1") << 1 << 1.0 << 1.0 << 1.0;
    QTest::newRow("10") << 10 << 55.0 << 385.0 << 3025.0;
    QTest::newRow("214") << 214 << 23005.0 << 3289715.0 << 529230025.0;
    QTest::newRow("1023") << 1023 << 523776.0 << 357389824.0 << -1.0;
    QTest::newRow("46340") << 46340 << 1073720970.0 << -1.0 << -1.0;
}

void TestSigma::partialSums()
{
    QFETCH(int, n);
    QFETCH(double, sum1);
    QFETCH(double, sum2);
    QFETCH(double, sum3);
    QCOMPARE(jou1(n), sum1);
    if (sum2 >= 0)
        QCOMPARE(jou2(n), sum2);
    if (sum3 >= 0)
        QCOMPARE(jou3(n), sum3);
}

void TestSigma::productsThatWouldOverflow()
{
    // The first n past each limit, and the largest n, whose n + 1 overflows.
    QVERIFY_THROWS_EXCEPTION(ArithmeticFault, jou3(215));
    QVERIFY_THROWS_EXCEPTION(ArithmeticFault, jou2(1024));
    QVERIFY_THROWS_EXCEPTION(ArithmeticFault, jou1(46341));
    QVERIFY_THROWS_EXCEPTION(ArithmeticFault, jou1(2147483647));
}

// Every range 0 <= F <= L <= 214 against the terms added one by one. With
// whole coefficients every intermediate is an exact integer in a double, so
// the two must agree to the last digit; with fractional ones, to rounding.
void TestSigma::closedFormAgreesWithLoop()
{
    std::mt19937 random(4242);
    std::uniform_int_distribution<int> integer(-100, 100);
    std::uniform_real_distribution<double> real(-1000.0, 1000.0);
    int exactRanges = 0;
    for (std::int32_t F = 0; F <= kLargestLast; ++F) {
        for (std::int32_t L = F; L <= kLargestLast; ++L) {
            const std::array<double, 4> integral{
                double(integer(random)), double(integer(random)), double(integer(random)), double(integer(random))};
            const std::array<double, 4> fractional{real(random), real(random), real(random), real(random)};
            for (const bool whole : {true, false}) {
                const std::array<double, 4>& a = whole ? integral : fractional;
                long double sum = 0, magnitude = 0;
                for (std::int32_t K = F; K <= L; ++K) {
                    const long double k = K;
                    const long double terms[] = {a[0] * k * k * k, a[1] * k * k, a[2] * k, a[3]};
                    for (long double term : terms) {
                        sum += term;
                        magnitude += std::abs(term);
                    }
                }
                const double closed = Keisan({F, L}, a);
                const QString seen = QStringLiteral("F=%1 L=%2: %3 against %4")
                                         .arg(F)
                                         .arg(L)
                                         .arg(closed, 0, 'g', 17)
                                         .arg(double(sum), 0, 'g', 17);
                if (whole) {
                    ++exactRanges;
                    if (closed != static_cast<double>(sum))
                        QFAIL(qPrintable(seen));
                } else if (std::abs(closed - sum) > 1e-13L * magnitude + 1e-12L) {
                    QFAIL(qPrintable(seen));
                }
            }
        }
    }
    // Every range had its comparison to the last digit.
    QCOMPARE(exactRanges, (kLargestLast + 1) * (kLargestLast + 2) / 2);
}

void TestSigma::sumBeyondTheDoubleRange()
{
    QVERIFY_THROWS_EXCEPTION(ArithmeticFault, Siguma("0", "214", {"1e305", "", "", ""}));
    // Terms of opposite infinite size would cancel into a NaN.
    QVERIFY_THROWS_EXCEPTION(ArithmeticFault, Siguma("1", "214", {"1e305", "-1e308", "", ""}));
    // A coefficient beyond the double range cannot be read.
    QVERIFY_THROWS_EXCEPTION(ArithmeticFault, Siguma("1", "2", {"", "", "", "1e999"}));
}

QTEST_APPLESS_MAIN(TestSigma)
#include "tst_sigma.moc"
