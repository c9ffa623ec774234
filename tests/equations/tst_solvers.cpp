// SPDX-License-Identifier: MIT
// Every root the quadratic, cubic and quartic solvers give solves its
// equation, over thousands of seeded random equations.

#include "cubic.h"
#include "quadratic.h"
#include "quartic.h"

#include <QTest>

#include <algorithm>
#include <cmath>
#include <complex>
#include <random>
#include <vector>

namespace {

using Wide = std::complex<long double>;
using Polynomial = std::vector<Wide>; // coefficients, highest power first

// How far a root is from solving its equation, as a fraction of the size of
// the equation's terms:
//
//     |p(z)| / Σ |a_k|·ρ^k,   ρ = max(|z|, max_k |a_{n-k} / a_n|^(1/k)).
//
// ρ is the magnitude of x at which the terms are of comparable size; no root
// lies beyond 2ρ. Rounding the coefficients, or any computation accurate to
// rounding against that scale, moves p(z) by about 1e-16 of the denominator,
// while a wrong root gives a ratio near 1. The ratio is the same when x or the
// whole equation is scaled, so every magnitude is judged alike, and a zero
// coefficient (a root at 0) does not turn a harmless 1e-17 into a failure as a
// coefficient-by-coefficient measure would. A multiple root that is off by
// much (a triple root by 4e-6) still leaves a small residual: the equation is
// nearly solved there, which is all its conditioning allows.
double Residual(const Polynomial& a, Complex root)
{
    const Wide z(root.re, root.im);
    long double rho = std::abs(z);
    for (std::size_t k = 1; k < a.size(); ++k)
        rho = std::max(rho, std::pow(std::abs(a[k]) / std::abs(a[0]), 1.0L / k));
    Wide value = 0;
    long double scale = 0;
    for (const Wide& c : a) {
        value = value * z + c;
        scale = scale * rho + std::abs(c);
    }
    return static_cast<double>(std::abs(value) / scale);
}

// The worst residual of the roots the solver of the equation's degree gives.
double WorstResidual(const Polynomial& a)
{
    std::array<Complex, 5> k;
    for (std::size_t i = 0; i < a.size(); ++i)
        k[i] = {static_cast<double>(a[i].real()), static_cast<double>(a[i].imag())};
    const auto worst = [&](const auto& outcome) {
        double result = 0;
        for (const Complex root : std::get<0>(outcome))
            result = std::max(result, Residual(a, root));
        return result;
    };
    switch (a.size()) {
    case 3: return worst(Solve2ji({k[0], k[1], k[2]}));
    case 4: return worst(Solve3ji({k[0], k[1], k[2], k[3]}));
    default: return worst(Solve4ji(k));
    }
}

enum class Family { Integer, Decimal, Repeated, Spread, Biquadratic, EqualConstants };

// Random equations of a family, the coefficients rounded to doubles as a box
// would read them.
class Generator {
public:
    explicit Generator(unsigned seed)
        : random(seed)
    {
    }

    // An equation and the multiplicity of its most repeated root (when it is
    // built from its roots).
    std::pair<Polynomial, int> Draw(Family family, int degree)
    {
        std::vector<Wide> roots;
        Polynomial a;
        switch (family) {
        case Family::Integer: // small integers, many of them zero
            for (int k = 0; k <= degree; ++k)
                a.push_back(Integer(9));
            break;
        case Family::Decimal:
            for (int k = 0; k <= degree; ++k)
                a.emplace_back(Decimal(), Chance(2) ? 0 : Decimal());
            break;
        case Family::Repeated: // integer roots, at least one repeated
            roots = {Integer(6)};
            while (static_cast<int>(roots.size()) < degree)
                roots.push_back(Chance(2) ? roots[Index(roots.size())] : Integer(6));
            a = FromRoots(Wide(1 + Index(3)), roots);
            break;
        case Family::Spread: { // roots of 1e-4 to 1e4, up to 1e3 apart; the equation times 1e-6 to 1e6
            const double scale = std::pow(10.0, Uniform(-4, 4));
            for (int k = 0; k < degree; ++k)
                roots.push_back(Wide(scale * std::pow(10.0, Uniform(0, 3))) * Wide(Uniform(-1, 1), Uniform(-1, 1)));
            a = FromRoots(Wide(std::pow(10.0, Uniform(-6, 6))) * Wide(Uniform(0.5, 1), Uniform(-1, 1)), roots);
            break;
        }
        case Family::Biquadratic: { // (x + h)⁴ + α(x + h)² + β
            const Wide h = Integer(6), alpha = Integer(6), beta = Integer(6), h2 = h * h;
            a = {1, 4.0L * h, 6.0L * h2 + alpha, 4.0L * h2 * h + 2.0L * alpha * h, h2 * h2 + alpha * h2 + beta};
            break;
        }
        case Family::EqualConstants: { // (x² + αx + β)(x² + γx + β)
            const Wide alpha = Integer(6), gamma = Integer(6), beta = Integer(6);
            a = {1, alpha + gamma, alpha * gamma + 2.0L * beta, beta * (alpha + gamma), beta * beta};
            break;
        }
        }
        for (Wide& c : a)
            c = Wide(static_cast<double>(c.real()), static_cast<double>(c.imag()));
        if (a[0] == Wide(0))
            a[0] = 1;
        int most = 0;
        for (const Wide& root : roots)
            most = std::max(most, static_cast<int>(std::count(roots.begin(), roots.end(), root)));
        return {a, most};
    }

private:
    static Polynomial FromRoots(Wide lead, const std::vector<Wide>& roots)
    {
        Polynomial p{lead};
        for (const Wide& root : roots) {
            p.push_back(0);
            for (std::size_t i = p.size() - 1; i > 0; --i)
                p[i] -= p[i - 1] * root;
        }
        return p;
    }

    bool Chance(int oneIn) { return Index(oneIn) == 0; }
    std::size_t Index(std::size_t size) { return std::uniform_int_distribution<std::size_t>(0, size - 1)(random); }
    double Uniform(double from, double to) { return std::uniform_real_distribution<double>(from, to)(random); }
    double Decimal() { return std::round(Uniform(-10, 10) * 100) / 100; }
    long double Part(int limit) { return Chance(3) ? 0 : std::uniform_int_distribution<int>(-limit, limit)(random); }
    Wide Integer(int limit) { return {Part(limit), Chance(2) ? 0 : Part(limit)}; }

    std::mt19937 random;
};

} // namespace

Q_DECLARE_METATYPE(Family)

class TestSolvers : public QObject {
    Q_OBJECT

private slots:
    void everyRootSolvesItsEquation_data();
    void everyRootSolvesItsEquation();
    void cancellingRadicand_data();
    void cancellingRadicand();
};

void TestSolvers::everyRootSolvesItsEquation_data()
{
    QTest::addColumn<int>("degree");
    QTest::addColumn<Family>("family");
    QTest::addColumn<double>("bound");
    QTest::addColumn<double>("typical"); // bound on the median

    // The quadratic formula is accurate to rounding against the equation's
    // scale.
    //
    // Cardano's step takes the sign of its radicand from the real part of q;
    // where the square root of the discriminant lies across the cut, that
    // sign cancels, and the other one is taken only below 1e-6 of |q|/2. A
    // radicand just above that keeps its rounding (1e-14 with the residues of
    // the polar powers) magnified up to 2e6 times: the cubic's roots stay
    // within about 1e-8.
    //
    // The quartic's roots are refined on the equation itself, so they are
    // accurate to rounding even where Ferrari's factors lose half the digits
    // (no cubic term after the shift, equal constant terms).
    const struct {
        const char* name;
        Family family;
    } families[]{{"integer", Family::Integer}, {"decimal", Family::Decimal}, {"repeated roots", Family::Repeated},
        {"spread magnitudes", Family::Spread}};
    for (const auto& [name, family] : families) {
        QTest::addRow("quadratic, %s", name) << 2 << family << 1e-14 << 1e-14;
        QTest::addRow("cubic, %s", name) << 3 << family << 1e-8 << 1e-14;
        QTest::addRow("quartic, %s", name) << 4 << family << 1e-14 << 1e-15;
    }
    QTest::newRow("quartic, biquadratic") << 4 << Family::Biquadratic << 1e-14 << 1e-15;
    QTest::newRow("quartic, equal constant terms") << 4 << Family::EqualConstants << 1e-14 << 1e-15;
}

void TestSolvers::everyRootSolvesItsEquation()
{
    QFETCH(int, degree);
    QFETCH(Family, family);
    QFETCH(double, bound);
    QFETCH(double, typical);

    Generator generator(20260301u + 97u * degree + static_cast<unsigned>(family));
    std::vector<double> residuals;
    for (int i = 0; i < 800; ++i) {
        const auto [a, multiplicity] = generator.Draw(family, degree);
        try {
            residuals.push_back(WorstResidual(a));
        } catch (const ArithmeticFault&) {
            QFAIL(qPrintable(QStringLiteral("fault; most repeated root %1 times").arg(multiplicity)));
        }
        if (!(residuals.back() <= bound)) {
            QString text;
            for (const Wide& c : a)
                text += QStringLiteral("(%1, %2) ").arg(double(c.real()), 0, 'g', 17).arg(double(c.imag()), 0, 'g', 17);
            QFAIL(qPrintable(QStringLiteral("residual %1 for %2").arg(residuals.back()).arg(text)));
        }
    }
    // Besides the worst cases above, most equations are solved to rounding.
    std::sort(residuals.begin(), residuals.end());
    const double median = residuals[residuals.size() / 2];
    QVERIFY2(median < typical, qPrintable(QString::number(median)));
    qInfo("%zu solved; residual median %.2g, max %.2g", residuals.size(), median, residuals.back());
}

void TestSolvers::cancellingRadicand_data()
{
    QTest::addColumn<Polynomial>("a");

    // q = −i: the real part of q picks the sign that cancels to 1e-16.
    QTest::newRow("x³ − i") << Polynomial{1, 0, 0, Wide(0, -1)};
    QTest::newRow("x³ + (−1 + i)") << Polynomial{1, 0, 0, Wide(-1, 1)};
    QTest::newRow("2ix³ + 2") << Polynomial{Wide(0, 2), 0, 0, 2};
    // Real, but the discriminant's residue falls just below the cut.
    QTest::newRow("x³ − 6x² + 12x − 9") << Polynomial{1, -6, 12, -9};
    // The same inside the quartic's resolvent cubic.
    QTest::newRow("7x⁴ + (3 + 8i)x") << Polynomial{7, 0, 0, Wide(3, 8), 0};
}

void TestSolvers::cancellingRadicand()
{
    QFETCH(Polynomial, a);
    const double residual = WorstResidual(a);
    QVERIFY2(residual < 1e-14, qPrintable(QString::number(residual)));
}

QTEST_APPLESS_MAIN(TestSolvers)
#include "tst_solvers.moc"
