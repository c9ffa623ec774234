// SPDX-License-Identifier: MIT
// The rule table and the area formulas.

#include "conversions.h"
#include "random_triangles.h"
#include "triangle.h"

#include <QTest>

namespace {

// Runs the whole calculation on six box texts: sides 0..2, angles 0..2.
Outcome<double> Calculate(const QStringList& texts)
{
    std::array<std::string, 3> h, k;
    for (int i = 0; i < 3; ++i) {
        h[i] = texts.value(i).toStdString();
        k[i] = texts.value(3 + i).toStdString();
    }
    return Sankaku(h, k);
}

} // namespace

class TestTriangle : public QObject {
    Q_OBJECT

private slots:
    void sankaku_data();
    void sankaku();
    void randomTrianglesAgreeByEveryRule();
};

void TestTriangle::sankaku_data()
{
    QTest::addColumn<QStringList>("texts"); // H0 H1 H2 K0 K1 K2
    QTest::addColumn<QString>("shown"); // the area as shown, or the message

    const QString noTriangle = QString::fromUtf8(kNoTriangleMessage);
    QTest::newRow("degenerate sides") << QStringList{"1", "2", "3"} << "0.00";
    QTest::newRow("negative sides") << QStringList{"-3", "-4", "-5"} << "6.00";
    QTest::newRow("check before reading") << QStringList{"1e400", "", "", "", "", "60"} << kTooFewMessage;

    QTest::newRow("sides break the triangle inequality") << QStringList{"1", "2", "10"} << noTriangle;
    QTest::newRow("sine beyond 1") << QStringList{"1", "3", "", "30"} << noTriangle;
    QTest::newRow("sine exactly 1") << QStringList{"2", "2", "", "90"} << noTriangle;
    QTest::newRow("end angles sum to 0") << QStringList{"", "", "10", "30", "-30"} << noTriangle;
    // Here the sine of the sum is a factor, not a divisor.
    QTest::newRow("other angles sum to 0") << QStringList{"10", "", "", "30", "-30"} << "0.00";
    QTest::newRow("facing angle's sine is 0") << QStringList{"1", "", "", "5e-324", "30"} << noTriangle;
    // A triangle too large for a double is a triangle all the same: an
    // arithmetic fault, not "no triangle".
    QTest::newRow("area overflows") << QStringList{"1e200", "1e200", "", "", "", "90"} << "fault";
    QTest::newRow("Heron overflows") << QStringList{"1e300", "1e300", "1e300"} << "fault";
    QTest::newRow("angle overflows in radians") << QStringList{"1", "1", "", "", "", "1e308"} << "fault";
    QTest::newRow("number beyond the double range") << QStringList{"1e400", "3", "4"} << "fault";
}

void TestTriangle::sankaku()
{
    QFETCH(QStringList, texts);
    QFETCH(QString, shown);
    if (shown == QLatin1String("fault")) {
        QVERIFY_THROWS_EXCEPTION(ArithmeticFault, Calculate(texts));
        return;
    }
    const auto outcome = Calculate(texts);
    if (const auto* rejection = std::get_if<Rejection>(&outcome)) {
        QCOMPARE(QString::fromStdString(rejection->message), shown);
        QVERIFY(!rejection->focus);
    } else {
        QCOMPARE(QString::fromStdString(FormatFixed(std::get<double>(outcome), "0.00")), shown);
    }
}

// Every set of known elements of a random triangle gives its area, whichever
// rule the set leads to.
void TestTriangle::randomTrianglesAgreeByEveryRule()
{
    std::mt19937 random(515);
    int checked = 0;
    for (int round = 0; round < 3000; ++round) {
        const auto t = RandomTriangles::Make(random);
        for (unsigned set : RandomTriangles::SufficientSets(t)) {
            const QStringList texts = RandomTriangles::Texts(t, set);
            const auto outcome = Calculate(texts);
            QVERIFY(std::holds_alternative<double>(outcome));
            const double area = std::get<double>(outcome);
            if (std::abs(area - t.area) > 1e-7L * t.area)
                QFAIL(qPrintable(
                    QStringLiteral("%1: %2 instead of %3").arg(texts.join('|')).arg(area).arg(double(t.area))));
            ++checked;
        }
    }
    QVERIFY(checked > 90000);
}

QTEST_APPLESS_MAIN(TestTriangle)
#include "tst_triangle.moc"
