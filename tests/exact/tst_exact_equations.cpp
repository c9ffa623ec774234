// SPDX-License-Identifier: MIT
// Exact roots: found where they have a canonical text, substituted back they
// give exactly zero, and each row holds the exact form of the decimal root
// the solver shows in that row.

#include "conversions.h"
#include "cubic.h"
#include "exact_equations.h"
#include "exact_reading.h"
#include "exact_support.h"
#include "exact_value_api.h"
#include "quadratic.h"
#include "quartic.h"

#include <QTest>
#include <ctime>

namespace {

template<std::size_t N, class Solver> std::vector<Complex> Run(const std::vector<CoefficientBoxes>& boxes, Solver solve)
{
    std::array<Complex, N> keisuu;
    for (std::size_t k = 0; k < N; ++k)
        keisuu[k] = {ParseNumber(boxes[k].re), ParseNumber(boxes[k].im)};
    const auto roots = solve(keisuu);
    const auto& shown = std::get<0>(roots);
    return {shown.begin(), shown.end()};
}

// The decimal roots in the rows the screen shows them.
std::vector<Complex> Shown(const std::vector<CoefficientBoxes>& boxes)
{
    switch (boxes.size()) {
    case 3: return Run<3>(boxes, Solve2ji);
    case 4: return Run<4>(boxes, Solve3ji);
    default: return Run<5>(boxes, Solve4ji);
    }
}

double Approximately(const QString& text)
{
    const auto x = ParseCanonical(text.toStdString());
    const auto z = x ? Nearest(*x) : std::nullopt;
    return z ? z->re : std::nan("");
}

Algebraic Gaussian(const GaussianRational& c)
{
    return FromParts(Algebraic(c.re), Algebraic(c.im));
}

} // namespace

class TestExactEquations : public QObject {
    Q_OBJECT

private slots:
    void cleanupTestCase() { flint_cleanup(); }
    void roots_data();
    void roots();
    void bounded_data();
    void bounded();
    void gaps_data();
    void gaps();
};

void TestExactEquations::roots_data()
{
    QTest::addColumn<QStringList>("coefficients");
    QTest::addColumn<QStringList>("exact"); // "re|im" of every root, in any order

    QTest::newRow("golden ratio") << QStringList{"1", "-1", "-1"} << QStringList{"(1+√5)/2|0", "(1-√5)/2|0"};
    QTest::newRow("x²+3") << QStringList{"1", "0", "3"} << QStringList{"0|√3", "0|-√3"};
    // A discriminant with two primes above the trial bound, one squared.
    QTest::newRow("(1±40009√40013)/3") << QStringList{"9", "-6", "-64049612601052"}
                                       << QStringList{"(1+40009√40013)/3|0", "(1-40009√40013)/3|0"};
    QTest::newRow("decimal coefficients") << QStringList{"0.1", "-0.3", "0.2"} << QStringList{"1|0", "2|0"};
    QTest::newRow("Gaussian roots 1+2i, 3-i") << QStringList{"1", "-4,-1", "5,5"} << QStringList{"1|2", "3|-1"};
    // √(6i) = √3 + i√3: a non-real discriminant of rational modulus.
    QTest::newRow("x²-6i") << QStringList{"1", "0", "0,-6"} << QStringList{"√3|√3", "-√3|-√3"};
    // (x − i)² + 3: a negative real discriminant under complex coefficients.
    QTest::newRow("x²-2ix+2") << QStringList{"1", "0,-2", "2"} << QStringList{"0|1+√3", "0|1-√3"};
    QTest::newRow("fifteen digits") << QStringList{"1", "1.23456789012345", "-2"} << QStringList{"none|0", "none|0"};
    QTest::newRow("complex leading coefficient") << QStringList{"0,2", "0", "0,-4"} << QStringList{"√2|0", "-√2|0"};
    QTest::newRow("x³-2") << QStringList{"1", "0", "0", "-2"} << QStringList{"none|0", "none|none", "none|none"};
    QTest::newRow("x³-1") << QStringList{"1", "0", "0", "-1"} << QStringList{"1|0", "-1/2|√3/2", "-1/2|-√3/2"};
    QTest::newRow("(x-i)(x²-2)") << QStringList{"1", "0,-1", "-2", "0,2"} << QStringList{"0|1", "√2|0", "-√2|0"};
    QTest::newRow("double root") << QStringList{"1", "0", "-3", "2"} << QStringList{"1|0", "1|0", "-2|0"};
    QTest::newRow("x⁴-10x²+1") << QStringList{"1", "0", "-10", "0", "1"}
                               << QStringList{"√2+√3|0", "√2-√3|0", "-√2+√3|0", "-√2-√3|0"};
    QTest::newRow("x⁴+1") << QStringList{"1", "0", "0", "0", "1"}
                          << QStringList{"√2/2|√2/2", "√2/2|-√2/2", "-√2/2|√2/2", "-√2/2|-√2/2"};
    // (x² − 6i)(x − 1)(x + i)
    QTest::newRow("quartic over Q(i)") << QStringList{"1", "-1,1", "0,-7", "6,6", "-6"}
                                       << QStringList{"√3|√3", "-√3|-√3", "1|0", "0|-1"};
    QTest::newRow("x⁴-2") << QStringList{"1", "0", "0", "0", "-2"}
                          << QStringList{"none|0", "none|0", "0|none", "0|none"};
    // Coefficients beyond 64 bits whose roots still have short forms.
    QTest::newRow("biquadratic, 72 bits")
        << QStringList{"1", "0", "-23613328938", "0", "2416594625032020125625"}
        << QStringList{"123456√2|78901√3", "123456√2|-78901√3", "-123456√2|78901√3", "-123456√2|-78901√3"};
    QTest::newRow("quartic, 67 bits") << QStringList{"81512373546816264976", "-4234409015419026752",
        "82595546321559656", "-716966790804880", "2337721502209"}
                                      << QStringList{"(1234+77√2)/95018|√3/1234", "(1234+77√2)/95018|-√3/1234",
                                             "(1234-77√2)/95018|√3/1234", "(1234-77√2)/95018|-√3/1234"};
}

// Inputs that once held the window for seconds: each finishes within a small
// share of the safety net, and a second run gives the same texts and reasons,
// for the answer must not depend on how fast the machine is.
void TestExactEquations::bounded_data()
{
    QTest::addColumn<QStringList>("coefficients");
    QTest::newRow("roots 1e-100 to 1e77") << QStringList{"2.5e1", "-7e77", "-7e-72", "1.23456789012345e-99", "-1e-196"};
    QTest::newRow("158-bit discriminant")
        << QStringList{"1", "1208925819614630162372945", "274031556999544744919137587315427775898558025493"};
    QTest::newRow("400-digit coefficient") << QStringList{"1", QString(400, '7'), "-1"};
    QTest::newRow("1e-400") << QStringList{"1e-400", "1", "1", "1", "1"};
    QTest::newRow("15-digit complex quartic") << QStringList{"1.23456789012345,-9.87654321098765",
        "3.14159265358979,2.71828182845904", "-1.41421356237309,1.73205080756887", "2.23606797749978,-2.44948974278317",
        "-7.07106781186547,5.77350269189625"};
}

void TestExactEquations::bounded()
{
    QFETCH(QStringList, coefficients);
    const auto boxes = Boxes(coefficients);
    const std::vector<Complex> shown(boxes.size() - 1);
    double ms = 0;
    const auto run = [&] {
        const std::clock_t start = std::clock();
        const std::vector<ExactRoot> rows = ExactRoots(boxes, shown);
        ms = std::max(ms, 1000.0 * static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC);
        QStringList texts;
        for (const ExactRoot& row : rows)
            for (const ExactText& part : {row.re, row.im})
                texts << Text(part) + "/" + QString::number(static_cast<int>(part.gap()));
        return texts;
    };
    QCOMPARE(run(), run());
    QVERIFY2(ms < 200, qPrintable(QString::number(ms) + " ms"));
}

// Why a part has no text.
void TestExactEquations::gaps_data()
{
    QTest::addColumn<QStringList>("coefficients");
    QTest::addColumn<int>("gap");
    // ∛2 and the real parts of its conjugates are of degree 3.
    QTest::newRow("x³-2: no form") << QStringList{"1", "0", "0", "-2"} << static_cast<int>(ExactGap::NoForm);
    // x² − 2x − (M − 1) with M the product of the primes up to 61: the roots
    // 1 ± √M take 27 characters.
    QTest::newRow("long form") << QStringList{"1", "-2", "-117288381359406970983269"}
                               << static_cast<int>(ExactGap::TooLong);
    // Roots out to 1e77: no form of 24 characters lies that far.
    QTest::newRow("roots too far") << QStringList{"2.5e1", "-7e77", "-7e-72", "1.23456789012345e-99", "-1e-196"}
                                   << static_cast<int>(ExactGap::TooLong);
}

void TestExactEquations::gaps()
{
    QFETCH(QStringList, coefficients);
    QFETCH(int, gap);
    const auto boxes = Boxes(coefficients);
    const std::vector<ExactRoot> rows = ExactRoots(boxes, std::vector<Complex>(boxes.size() - 1));
    int missing = 0;
    for (const ExactRoot& row : rows) {
        for (const ExactText& part : {row.re, row.im}) {
            if (part)
                continue;
            ++missing;
            QCOMPARE(static_cast<int>(part.gap()), gap);
        }
    }
    QVERIFY(missing > 0);
}

void TestExactEquations::roots()
{
    QFETCH(QStringList, coefficients);
    QFETCH(QStringList, exact);
    const auto boxes = Boxes(coefficients);
    const std::vector<Complex> shown = Shown(boxes);
    const std::vector<ExactRoot> rows = ExactRoots(boxes, shown);
    QCOMPARE(rows.size(), shown.size());

    QStringList got;
    for (std::size_t k = 0; k < rows.size(); ++k) {
        got << Text(rows[k].re) + "|" + Text(rows[k].im);
        // Each row holds the exact form of the root shown in it, as far as the
        // decimal solver's own error of about 1e-7 goes.
        const auto near = [](const ExactText& part, double decimal) {
            return !part || std::abs(Approximately(Text(part)) - decimal) < 1e-6 * (1 + std::abs(decimal));
        };
        QVERIFY2(near(rows[k].re, shown[k].re) && near(rows[k].im, shown[k].im), qPrintable(got.last()));
    }
    got.sort();
    exact.sort();
    QCOMPARE(got, exact);

    // Substituted back, every root written in full gives exactly zero.
    std::vector<GaussianRational> keisuu;
    for (const CoefficientBoxes& b : boxes)
        keisuu.push_back({*ReadExact(b.re), *ReadExact(b.im)});
    for (const ExactRoot& row : rows) {
        if (!row.re || !row.im)
            continue;
        const Algebraic r = FromParts(*ParseCanonical(*row.re), *ParseCanonical(*row.im));
        Algebraic sum;
        for (const GaussianRational& c : keisuu)
            sum = sum * r + Gaussian(c);
        QVERIFY(sum.isZero());
    }
}

QTEST_APPLESS_MAIN(TestExactEquations)
#include "tst_exact_equations.moc"
