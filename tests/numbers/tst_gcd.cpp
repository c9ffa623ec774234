// SPDX-License-Identifier: MIT
// Euclid's algorithm and the checks in front of it.

#include "gcd.h"

#include <QTest>

#include <numeric>
#include <random>

class TestGcd : public QObject {
    Q_OBJECT

private slots:
    void euclid_data();
    void euclid();
    void euclidAgreesWithStandardGcd();
    void kouyaku_data();
    void kouyaku();
};

void TestGcd::euclid_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("g");
    QTest::addColumn<int>("lastX");
    QTest::addColumn<int>("lastY");

    QTest::newRow("18 12") << 18 << 12 << 6 << 12 << 6;
    QTest::newRow("equal") << 7 << 7 << 7 << 7 << 7;
    QTest::newRow("coprime") << 17 << 5 << 1 << 2 << 1;
    QTest::newRow("one") << 1000 << 1 << 1 << 1000 << 1;
    QTest::newRow("largest pair") << 2147483647 << 2147483646 << 1 << 2147483646 << 1;
    // Consecutive Fibonacci numbers take the most passes.
    QTest::newRow("Fibonacci") << 1836311903 << 1134903170 << 1 << 2 << 1;
}

void TestGcd::euclid()
{
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(int, g);
    QFETCH(int, lastX);
    QFETCH(int, lastY);
    std::int32_t a = x, b = y, result = 0;
    Euclid(a, b, result);
    QCOMPARE(result, g);
    QCOMPARE(a, lastX);
    QCOMPARE(b, lastY);
}

void TestGcd::euclidAgreesWithStandardGcd()
{
    std::mt19937 random(20261207);
    for (int round = 0; round < 20000; ++round) {
        // Mix small numbers (many common factors) with full-range ones.
        const std::int32_t limit = round % 2 ? 2147483647 : 1000;
        std::uniform_int_distribution<std::int32_t> pick(1, limit);
        const std::int32_t common = round % 3 ? 1 : pick(random) % 97 + 1;
        std::int32_t a = std::max(1, pick(random) / common) * common;
        std::int32_t b = std::max(1, pick(random) / common) * common;
        if (a < b)
            std::swap(a, b);
        const std::int32_t expected = std::gcd(a, b);
        std::int32_t g = 0;
        Euclid(a, b, g);
        QCOMPARE(g, expected);
    }
}

void TestGcd::kouyaku_data()
{
    QTest::addColumn<double>("first");
    QTest::addColumn<double>("second");
    QTest::addColumn<int>("expected"); // 0: refused
    QTest::addColumn<QString>("message");

    const QString fraction = QString::fromUtf8(kKouyakuMessage);
    const QString range = QString::fromUtf8(kKouyakuRangeMessage);
    QTest::newRow("12 18") << 12.0 << 18.0 << 6 << "";
    QTest::newRow("18 12") << 18.0 << 12.0 << 6 << "";
    QTest::newRow("7 7") << 7.0 << 7.0 << 7 << "";
    QTest::newRow("1 1000") << 1.0 << 1000.0 << 1 << "";
    QTest::newRow("largest") << 2147483647.0 << 2147483646.0 << 1 << "";
    QTest::newRow("zero") << 0.0 << 6.0 << 0 << fraction;
    QTest::newRow("negative second") << 4.0 << -4.0 << 0 << fraction;
    QTest::newRow("fraction") << 4.5 << 6.0 << 0 << fraction;
    QTest::newRow("fraction rounding to zero") << 0.4 << 6.0 << 0 << fraction;
    QTest::newRow("too large") << 1e10 << 6.0 << 0 << range;
    QTest::newRow("too large below zero") << 6.0 << -1e10 << 0 << range;
    QTest::newRow("half above the largest") << 2147483647.5 << 6.0 << 0 << range;
    // Both boxes are converted before either is checked.
    QTest::newRow("range before fraction") << 4.5 << 1e10 << 0 << range;
}

void TestGcd::kouyaku()
{
    QFETCH(double, first);
    QFETCH(double, second);
    QFETCH(int, expected);
    QFETCH(QString, message);
    const auto outcome = Kouyaku(first, second);
    if (expected) {
        QVERIFY(std::holds_alternative<std::int32_t>(outcome));
        QCOMPARE(std::get<std::int32_t>(outcome), expected);
    } else {
        QVERIFY(std::holds_alternative<Rejection>(outcome));
        QCOMPARE(QString::fromStdString(std::get<Rejection>(outcome).message), message);
        QVERIFY(!std::get<Rejection>(outcome).focus);
    }
}

QTEST_APPLESS_MAIN(TestGcd)
#include "tst_gcd.moc"
