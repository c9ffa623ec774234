// SPDX-License-Identifier: MIT
// The quartic's shown digits are its correctly rounded roots: equations built
// from known roots, their coefficients rounded to doubles as a box reads them,
// against a reference refined in higher precision on those very coefficients.

#include "conversions.h"
#include "quartic.h"

#include <QTest>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace {

// The reference arithmetic: binary128 where the compiler has it.
#ifdef __SIZEOF_FLOAT128__
using Real = __float128;
#else
using Real = long double;
#endif

struct Precise {
    Real re = 0, im = 0;
};
Precise operator+(Precise a, Precise b)
{
    return {a.re + b.re, a.im + b.im};
}
Precise operator-(Precise a, Precise b)
{
    return {a.re - b.re, a.im - b.im};
}
Precise operator*(Precise a, Precise b)
{
    return {a.re * b.re - a.im * b.im, a.re * b.im + a.im * b.re};
}
Precise operator/(Precise a, Precise b)
{
    const Real d = b.re * b.re + b.im * b.im;
    return {(a.re * b.re + a.im * b.im) / d, (a.im * b.re - a.re * b.im) / d};
}
double Modulus(Precise z)
{
    return std::hypot(static_cast<double>(z.re), static_cast<double>(z.im));
}

using Coefficients = std::array<Complex, 5>; // highest power first

// The coefficients of lead·Π(x − root), each rounded to a double.
Coefficients FromRoots(Precise lead, const std::array<Precise, 4>& roots)
{
    std::array<Precise, 5> p{lead};
    for (int n = 0; n < 4; ++n)
        for (int i = n + 1; i > 0; --i)
            p[i] = p[i] - p[i - 1] * roots[n];
    Coefficients a;
    for (int i = 0; i < 5; ++i)
        a[i] = {static_cast<double>(p[i].re), static_cast<double>(p[i].im)};
    return a;
}

// Newton's method in the reference arithmetic on the rounded coefficients,
// from a known root; it converges fast where the root is well conditioned.
Precise Refine(const Coefficients& a, Precise x)
{
    for (int step = 0; step < 8; ++step) {
        Precise f{}, d{};
        for (const Complex c : a) {
            d = d * x + f;
            f = f * x + Precise{c.re, c.im};
        }
        if (d.re == 0 && d.im == 0)
            break;
        x = x - f / d;
    }
    return x;
}

// How far rounding each coefficient to a double can move a simple root, to
// first order: 2⁻⁵³·Σ|a_k|·|x|^k / |f'(x)|. Infinite at a multiple root.
double Sensitivity(const Coefficients& a, Precise x)
{
    Precise d{}, f{};
    double terms = 0;
    for (const Complex c : a) {
        d = d * x + f;
        f = f * x + Precise{c.re, c.im};
        terms = terms * Modulus(x) + std::hypot(c.re, c.im);
    }
    return 0x1p-53 * terms / Modulus(d);
}

std::string Shown(double re, double im)
{
    std::string text = FormatFixed(re, "0.000");
    text += '|';
    text += FormatFixed(im, "0.000");
    return text;
}

// Rows as the screen shows them, sorted: which factor comes first is not the
// point here.
std::vector<std::string> ShownRoots(const Coefficients& a)
{
    std::vector<std::string> rows;
    const auto outcome = Solve4ji(a);
    for (const Complex root : std::get<0>(outcome))
        rows.push_back(Shown(root.re, root.im));
    std::sort(rows.begin(), rows.end());
    return rows;
}

// Whether a part lies so near a rounding boundary of the third decimal that
// the rounding of the coefficients may carry it across.
bool NearBoundary(double part, double margin)
{
    const double scaled = std::abs(part) * 1000;
    return std::abs(scaled - std::floor(scaled) - 0.5) * 1e-3 < margin;
}

// Families of roots with three decimals, some a thousandth apart.
enum class Close { PairAroundDouble, Triple, TwoPairs, OnePair };

// Four roots in thousandths: the family's close ones around a random centre,
// the rest anywhere from −9 to 9.
std::array<int, 4> CloseRoots(Close family, std::mt19937& random)
{
    std::uniform_int_distribution<int> anywhere(-9000, 9000);
    const int c = anywhere(random);
    switch (family) {
    case Close::PairAroundDouble: {
        // The double root blurs its neighbours by the square root of the
        // coefficients' rounding, which outgrows a thousandth beyond ±2.
        const int near = c / 5;
        return {near - 1, near, near, near + 1};
    }
    case Close::Triple: return {c - 1, c, c + 1, anywhere(random)};
    case Close::TwoPairs: {
        const int d = anywhere(random);
        return {c, c + 1, d, d + 1};
    }
    case Close::OnePair: break;
    }
    return {c, c + 1, anywhere(random), anywhere(random)};
}

enum class Family { General, Biquadratic, NearRepeated, ComplexLead };

class Generator {
public:
    explicit Generator(unsigned seed)
        : random(seed)
    {
    }

    // Leading coefficient and roots of an equation of the family.
    std::pair<Precise, std::array<Precise, 4>> Draw(Family family)
    {
        const auto real = [&] { return Precise{Uniform(-10, 10), 0}; };
        const auto pair = [&](std::array<Precise, 4>& r, int at) { // a conjugate pair
            r[at] = {Uniform(-10, 10), Uniform(0.1, 10)};
            r[at + 1] = {r[at].re, -r[at].im};
        };
        std::array<Precise, 4> r;
        Precise lead{1, 0};
        switch (family) {
        case Family::General:
        case Family::ComplexLead:
            for (int k = 0; k < 4; k += 2) {
                if (Chance(2)) {
                    r[k] = real();
                    r[k + 1] = real();
                } else {
                    pair(r, k);
                }
            }
            if (family == Family::ComplexLead) {
                lead = {Uniform(-5, 5), Uniform(-5, 5)};
                r[0].im += Uniform(-3, 3); // coefficients off the real axis as well
            }
            break;
        case Family::Biquadratic: // ±s, ±t: no x³ and no x term
            for (int k = 0; k < 4; k += 2) {
                const int kind = Index(3);
                r[k] = kind == 0 ? real()
                    : kind == 1  ? Precise{0, Uniform(0.1, 10)}
                                 : Precise{Uniform(-10, 10), Uniform(-10, 10)};
                r[k + 1] = {-r[k].re, -r[k].im};
            }
            break;
        case Family::NearRepeated: // two roots 1e-5 to 1e-2 apart
            r[0] = real();
            r[1] = {r[0].re + std::pow(10.0, Uniform(-5, -2)), 0};
            r[2] = real();
            r[3] = real();
            break;
        }
        return {lead, r};
    }

private:
    bool Chance(int oneIn) { return Index(oneIn) == 0; }
    int Index(int size) { return std::uniform_int_distribution<int>(0, size - 1)(random); }
    double Uniform(double from, double to) { return std::uniform_real_distribution<double>(from, to)(random); }

    std::mt19937 random;
};

Coefficients Parse(const QStringList& texts)
{
    Coefficients a;
    for (int i = 0; i < 5; ++i)
        a[i] = {ParseNumber(texts[i].section('|', 0, 0).toStdString()),
            ParseNumber(texts[i].section('|', 1, 1).toStdString())};
    return a;
}

} // namespace

Q_DECLARE_METATYPE(Family)
Q_DECLARE_METATYPE(Close)

class TestQuarticRoots : public QObject {
    Q_OBJECT

private slots:
    void examples_data();
    void examples();
    void seeded_data();
    void seeded();
    void integerRoots_data();
    void integerRoots();
    void decimalMultipleRoots();
    void closeRoots_data();
    void closeRoots();
};

void TestQuarticRoots::examples_data()
{
    QTest::addColumn<QStringList>("coefficients"); // "re|im", x⁴ first
    QTest::addColumn<QStringList>("roots"); // shown rows, sorted

    // Roots ±4.567501 and ±5: the resolvent root equals a2, and HeihouR is
    // the square root of its rounding residue.
    QTest::newRow("x⁴ − 45.862065385001x² + 521.551634625025") << QStringList{"1", "", "-45.862065385001", "",
        "521.551634625025"} << QStringList{"-4.568|0.000", "-5.000|0.000", "4.568|0.000", "5.000|0.000"};
    QTest::newRow("x⁴ − 5.00100025x² + 4.004001") << QStringList{"1", "", "-5.00100025", "",
        "4.004001"} << QStringList{"-1.001|0.000", "-2.000|0.000", "1.001|0.000", "2.000|0.000"};
    QTest::newRow("(x − 1)⁴") << QStringList{"1", "-4", "6", "-4", "1"}
                              << QStringList{"1.000|0.000", "1.000|0.000", "1.000|0.000", "1.000|0.000"};
    QTest::newRow("(x − 10)⁴") << QStringList{"1", "-40", "600", "-4000", "10000"}
                               << QStringList{"10.000|0.000", "10.000|0.000", "10.000|0.000", "10.000|0.000"};
    QTest::newRow("(x − 3)³(x − 4)") << QStringList{"1", "-13", "63", "-135", "108"}
                                     << QStringList{"3.000|0.000", "3.000|0.000", "3.000|0.000", "4.000|0.000"};
    // Cardano's u is exactly zero in the resolvent cubic.
    QTest::newRow("(x − 1)³(x + 1)") << QStringList{"1", "-2", "", "2", "-1"}
                                     << QStringList{"-1.000|0.000", "1.000|0.000", "1.000|0.000", "1.000|0.000"};
    QTest::newRow("(x² + 1)²") << QStringList{"1", "", "2", "", "1"}
                               << QStringList{"0.000|-1.000", "0.000|-1.000", "0.000|1.000", "0.000|1.000"};
    QTest::newRow("(x − i)²(x − 2)²") << QStringList{"1", "-4|-2", "3|8", "4|-8", "-4"}
                                      << QStringList{"0.000|1.000", "0.000|1.000", "2.000|0.000", "2.000|0.000"};
    QTest::newRow("x²(x² + 1)") << QStringList{"1", "", "1", "", ""}
                                << QStringList{"0.000|-1.000", "0.000|0.000", "0.000|0.000", "0.000|1.000"};
    // (x − 0.1)⁴: its decimal coefficients scatter the roots by 1e-4 in
    // rounding; the cluster is one root.
    QTest::newRow("(x − 0.1)⁴") << QStringList{"1", "-0.4", "0.06", "-0.004", "0.0001"}
                                << QStringList{"0.100|0.000", "0.100|0.000", "0.100|0.000", "0.100|0.000"};
    // Two roots 2e-4 apart stay two roots.
    QTest::newRow("(x − 1.0004)(x − 1.0006)(x² − 4)") << QStringList{"1", "-2.001", "-2.99899976", "8.004",
        "-4.00400096"} << QStringList{"-2.000|0.000", "1.000|0.000", "1.001|0.000", "2.000|0.000"};
    // Roots a thousandth apart, typed as exact decimals: double precision
    // separates them, so no two rows share one root.
    QTest::newRow("(x + 3)²(x + 3.001)(x + 2.999), doubled") << QStringList{"2", "24", "107.999998",
        "215.999988", "161.999982"} << QStringList{"-3.001|0.000", "-3.000|0.000", "-3.000|0.000", "-2.999|0.000"};
    QTest::newRow("(x − 3.981)(x − 3.982)(x − 3.983)(x − 4)") << QStringList{"1", "-15.946", "95.352971",
        "-253.415762186", "252.559512744"} << QStringList{"3.981|0.000", "3.982|0.000", "3.983|0.000", "4.000|0.000"};
    QTest::newRow("x⁴ − 5x² + 4") << QStringList{"1", "", "-5", "", "4"}
                                  << QStringList{"-1.000|0.000", "-2.000|0.000", "1.000|0.000", "2.000|0.000"};
}

void TestQuarticRoots::examples()
{
    QFETCH(QStringList, coefficients);
    QFETCH(QStringList, roots);
    std::vector<std::string> want;
    for (const QString& root : roots)
        want.push_back(root.toStdString());
    std::sort(want.begin(), want.end());
    QCOMPARE(ShownRoots(Parse(coefficients)), want);
}

void TestQuarticRoots::seeded_data()
{
    QTest::addColumn<Family>("family");
    QTest::newRow("general") << Family::General;
    QTest::newRow("biquadratic") << Family::Biquadratic;
    QTest::newRow("near-repeated") << Family::NearRepeated;
    QTest::newRow("complex leading coefficient") << Family::ComplexLead;
}

void TestQuarticRoots::seeded()
{
    QFETCH(Family, family);
    Generator generator(20261207u + static_cast<unsigned>(family));
    int compared = 0;
    for (int n = 0; n < 3000; ++n) {
        const auto [lead, roots] = generator.Draw(family);
        const Coefficients a = FromRoots(lead, roots);
        std::vector<std::string> want;
        bool skip = false;
        for (const Precise& root : roots) {
            const Precise reference = Refine(a, root);
            // The rounding of the coefficients moves a root by up to its
            // sensitivity; near a boundary that decides the digit, and close
            // roots that it could join are shown as one.
            const double margin = 1e-9 * std::max(1.0, Modulus(reference)) + 16 * Sensitivity(a, reference);
            const double re = static_cast<double>(reference.re), im = static_cast<double>(reference.im);
            skip = skip || NearBoundary(re, margin) || NearBoundary(im, margin);
            want.push_back(Shown(re, im));
        }
        if (skip)
            continue;
        std::sort(want.begin(), want.end());
        const std::vector<std::string> shown = ShownRoots(a);
        if (shown != want) {
            QString text;
            for (const Complex c : a)
                text += QStringLiteral("(%1, %2) ").arg(QString::number(c.re, 'g', 17), QString::number(c.im, 'g', 17));
            QFAIL(qPrintable(text));
        }
        ++compared;
    }
    QVERIFY(compared > 2500);
}

void TestQuarticRoots::integerRoots_data()
{
    QTest::addColumn<std::vector<int>>("pattern"); // multiplicities

    QTest::newRow("one root four times") << std::vector<int>{4};
    QTest::newRow("three and one") << std::vector<int>{3, 1};
    QTest::newRow("two and two") << std::vector<int>{2, 2};
    QTest::newRow("two, one and one") << std::vector<int>{2, 1, 1};
}

// Every choice of integer roots from −10 to 10 with the multiplicities of the
// pattern shows each root as an integer in as many rows.
void TestQuarticRoots::integerRoots()
{
    QFETCH(std::vector<int>, pattern);
    std::vector<int> choice(pattern.size(), -10);
    int solved = 0;
    while (true) {
        std::vector<int> sorted = choice;
        std::sort(sorted.begin(), sorted.end());
        if (std::adjacent_find(sorted.begin(), sorted.end()) == sorted.end()) {
            std::array<Precise, 4> roots;
            std::vector<std::string> want;
            int at = 0;
            for (std::size_t k = 0; k < pattern.size(); ++k)
                for (int m = 0; m < pattern[k]; ++m) {
                    roots[at++] = {static_cast<Real>(choice[k]), 0};
                    want.push_back(Shown(choice[k], 0));
                }
            std::sort(want.begin(), want.end());
            const Coefficients a = FromRoots({1, 0}, roots);
            QVERIFY2(ShownRoots(a) == want, qPrintable(QString::fromStdString(want[0] + " " + want[3])));
            ++solved;
        }
        std::size_t k = 0;
        while (k < choice.size() && ++choice[k] > 10)
            choice[k++] = -10;
        if (k == choice.size())
            break;
    }
    QVERIFY(solved > 0);
}

// Roots with two decimals, one of them repeated up to four times: the
// coefficients as typed are rounded, which scatters the repeated root by up to
// 1e-3, yet each row shows the root.
void TestQuarticRoots::decimalMultipleRoots()
{
    std::mt19937 random(4242);
    const auto decimal = [&] {
        return Precise{std::uniform_int_distribution<int>(-1000, 1000)(random) / Real(100), 0};
    };
    for (int n = 0; n < 2000; ++n) {
        const int multiplicity = 2 + n % 3;
        std::array<Precise, 4> roots;
        roots[0] = decimal();
        for (int k = 1; k < 4; ++k)
            roots[k] = k < multiplicity ? roots[0] : decimal();
        std::vector<std::string> want;
        for (const Precise& root : roots)
            want.push_back(Shown(static_cast<double>(root.re), 0));
        std::sort(want.begin(), want.end());
        const Coefficients a = FromRoots({1, 0}, roots);
        QVERIFY2(ShownRoots(a) == want, qPrintable(QString::fromStdString(want[0] + " " + want[3])));
    }
}

void TestQuarticRoots::closeRoots_data()
{
    QTest::addColumn<Close>("family");
    QTest::newRow("a pair around a double root") << Close::PairAroundDouble;
    QTest::newRow("three in a row") << Close::Triple;
    QTest::newRow("two close pairs") << Close::TwoPairs;
    QTest::newRow("one close pair") << Close::OnePair;
}

// Roots a thousandth apart, typed as the exact decimals of their
// coefficients: where double precision separates them, each row shows its own
// root. Merging such roots into one repeated root would show one twice.
void TestQuarticRoots::closeRoots()
{
    QFETCH(Close, family);
    std::mt19937 random(1234);
    int compared = 0;
    for (int n = 0; n < 4000; ++n) {
        const std::array<int, 4> thousandths = CloseRoots(family, random);
        std::array<Precise, 4> roots;
        for (int k = 0; k < 4; ++k)
            roots[k] = {thousandths[k] / Real(1000), 0};
        const Coefficients a = FromRoots({1, 0}, roots);
        std::vector<std::string> want;
        bool resolved = true;
        for (const Precise& root : roots) {
            const Precise reference = Refine(a, root);
            // Far from rounding boundaries, as long as the coefficients'
            // rounding cannot move a root by half a thousandth.
            resolved = resolved && 16 * Sensitivity(a, reference) < 1e-5;
            want.push_back(Shown(thousandths[&root - roots.data()] / 1000.0, 0));
        }
        if (!resolved)
            continue;
        std::sort(want.begin(), want.end());
        QVERIFY2(ShownRoots(a) == want,
            qPrintable(QString::fromStdString(want[0] + " " + want[1] + " " + want[2] + " " + want[3])));
        ++compared;
    }
    QVERIFY(compared > 1000);
}

QTEST_APPLESS_MAIN(TestQuarticRoots)
#include "tst_quartic_roots.moc"
