// SPDX-License-Identifier: MIT
// Complex arithmetic: the angle convention of ComplexPow, which decides the
// roots the solvers show, and the faults that stand in for infinities and NaNs.

#include "complex.h"
#include "outcome.h"

#include <QTest>

#include <cmath>
#include <limits>

namespace {

enum class Operation { Mul, Scale, Div, Abs, Pow, Add };

// (a, b) for the binary operations, (k, a) for Scale, (a, k) for Pow.
Complex Run(Operation operation, Complex a, Complex b, double k)
{
    switch (operation) {
    case Operation::Mul: return ComplexMul(a, b);
    case Operation::Scale: return ComplexScale(k, a);
    case Operation::Div: return ComplexDiv(a, b);
    case Operation::Abs: return {ComplexAbs(a), 0};
    case Operation::Pow: return ComplexPow(a, k);
    case Operation::Add: return ComplexAdd(a, b);
    }
    return {};
}

} // namespace

Q_DECLARE_METATYPE(Operation)

class TestComplex : public QObject {
    Q_OBJECT

private slots:
    void results_data();
    void results();
    void faults_data();
    void faults();
};

void TestComplex::results_data()
{
    QTest::addColumn<Operation>("operation");
    QTest::addColumn<Complex>("a");
    QTest::addColumn<Complex>("b");
    QTest::addColumn<double>("k");
    QTest::addColumn<Complex>("want");
    QTest::addColumn<double>("tolerance");

    const auto power = [](const char* name, Complex z, double n, Complex want, double tolerance) {
        QTest::newRow(name) << Operation::Pow << z << Complex{} << n << want << tolerance;
    };
    const double r2 = std::sqrt(2.0);
    const double third = 0.333333333333333;
    // Each row of the angle table, seen through the square root (argument
    // halved): the upper half-plane, the cut along the positive real axis.
    power("up the imaginary axis", {0, 4}, 0.5, {r2, r2}, 1e-14);
    power("down the imaginary axis", {0, -4}, 0.5, {-r2, r2}, 1e-14);
    power("negative zero real part", {-0.0, 4}, 0.5, {r2, r2}, 1e-14);
    power("positive real", {4, 0}, 0.5, {2, 0}, 0);
    power("negative real", {-4, 0}, 0.5, {3.2310891488651735e-15, 2}, 1e-29);
    power("first quadrant", {3, 4}, 0.5, {2, 1}, 1e-14);
    power("second quadrant", {-3, 4}, 0.5, {1, 2}, 1e-14);
    power("third quadrant", {-3, -4}, 0.5, {-1, 2}, 1e-14);
    power("fourth quadrant", {3, -4}, 0.5, {-2, 1}, 1e-14);
    power("minus i", {0, -1}, 0.5, {-0.7071067811865459, 0.7071067811865491}, 2e-16);
    power("just below the cut", {1, -0.001}, 0.5, {-1.000000125, 0.0005}, 1e-9);
    // im / re underflows to −0: a real number, not the fourth quadrant's 2π.
    power("quotient underflows", {1e150, -1e-200}, 0.5, {1e75, 0}, 1e61);
    power("zero to a half", {0, 0}, 0.5, {0, 0}, 0);
    power("zero cubed", {0, 0}, 3, {0, 0}, 0);
    power("zero to the zeroth", {0, 0}, 0, {0, 0}, 0);
    power("reciprocal of zero", {-0.0, -0.0}, -1, {0, 0}, 0);
    power("square root of one", {1, 0}, 0.5, {1, 0}, 0);
    power("two cubed", {2, 0}, 3, {8, 0}, 0);
    // The half turn 3.14159265358979 leaves its residue in a polar cube...
    power("minus two cubed", {-2, 0}, 3, {-8, 7.4e-14}, 0.1e-14);
    // ...and fifteen threes give a cube root of 8 just below 2.
    power("cube root of eight", {8, 0}, third, {1.9999999999999984, 0}, 2e-16);
    power("cube root of minus one", {-1, 0}, third, {0.5000000000000018, 0.8660254037844376}, 2e-16);

    QTest::newRow("i times i") << Operation::Mul << Complex{0, 1} << Complex{0, 1} << 0.0 << Complex{-1, 0} << 0.0;
    QTest::newRow("scale") << Operation::Scale << Complex{1, 1} << Complex{} << 2.0 << Complex{2, 2} << 0.0;
    QTest::newRow("one over i") << Operation::Div << Complex{1, 0} << Complex{0, 1} << 0.0 << Complex{0, -1} << 0.0;
    QTest::newRow("divide") << Operation::Div << Complex{1, 2} << Complex{3, 4} << 0.0 << Complex{0.44, 0.08} << 1e-16;
    QTest::newRow("modulus") << Operation::Abs << Complex{3, 4} << Complex{} << 0.0 << Complex{5, 0} << 0.0;
    // Underflow is not a fault.
    QTest::newRow("product underflows") << Operation::Mul << Complex{1e-200, 1e-200} << Complex{1e-200, 0} << 0.0
                                        << Complex{0, 0} << 0.0;
}

void TestComplex::results()
{
    QFETCH(Operation, operation);
    QFETCH(Complex, a);
    QFETCH(Complex, b);
    QFETCH(double, k);
    QFETCH(Complex, want);
    QFETCH(double, tolerance);

    const Complex z = Run(operation, a, b, k);
    QVERIFY2(std::abs(z.re - want.re) <= tolerance && std::abs(z.im - want.im) <= tolerance,
        qPrintable(QStringLiteral("%1 %2").arg(z.re, 0, 'g', 17).arg(z.im, 0, 'g', 17)));
}

void TestComplex::faults_data()
{
    QTest::addColumn<Operation>("operation");
    QTest::addColumn<Complex>("a");
    QTest::addColumn<Complex>("b");
    QTest::addColumn<double>("k");

    const double huge = std::numeric_limits<double>::max();
    QTest::newRow("sum overflows") << Operation::Add << Complex{huge, 0} << Complex{huge, 0} << 0.0;
    QTest::newRow("product overflows") << Operation::Mul << Complex{1e200, 0} << Complex{1e200, 0} << 0.0;
    QTest::newRow("product overflows to NaN")
        << Operation::Mul << Complex{1e200, 1e200} << Complex{1e200, 1e200} << 0.0;
    QTest::newRow("scale overflows") << Operation::Scale << Complex{0, huge} << Complex{} << 2.0;
    QTest::newRow("divide by zero") << Operation::Div << Complex{1, 0} << Complex{0, 0} << 0.0;
    QTest::newRow("zero by zero") << Operation::Div << Complex{0, 0} << Complex{-0.0, 0} << 0.0;
    // The divisor's squared modulus underflows to zero.
    QTest::newRow("divisor below 1e-162") << Operation::Div << Complex{1, 0} << Complex{1e-170, 1e-170} << 0.0;
    // No scaling: the squared modulus overflows although the quotient is 1.
    QTest::newRow("huge by huge") << Operation::Div << Complex{1e200, 0} << Complex{1e200, 0} << 0.0;
    QTest::newRow("quotient overflows") << Operation::Div << Complex{1e300, 0} << Complex{1e-10, 0} << 0.0;
    QTest::newRow("modulus overflows") << Operation::Abs << Complex{1e155, 1e155} << Complex{} << 0.0;
    QTest::newRow("power's modulus overflows") << Operation::Pow << Complex{1e160, 0} << Complex{} << 0.5;
    QTest::newRow("power overflows") << Operation::Pow << Complex{1e100, 1} << Complex{} << 4.0;
    QTest::newRow("argument's quotient overflows") << Operation::Pow << Complex{1e-300, 1e100} << Complex{} << 0.5;
    // The modulus underflows to zero and cannot be inverted.
    QTest::newRow("tiny to a negative power") << Operation::Pow << Complex{1e-170, 0} << Complex{} << -1.0;
}

void TestComplex::faults()
{
    QFETCH(Operation, operation);
    QFETCH(Complex, a);
    QFETCH(Complex, b);
    QFETCH(double, k);
    QVERIFY_THROWS_EXCEPTION(ArithmeticFault, Run(operation, a, b, k));
}

QTEST_APPLESS_MAIN(TestComplex)
#include "tst_complex.moc"
