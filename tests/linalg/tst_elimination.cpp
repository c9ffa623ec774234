// SPDX-License-Identifier: MIT
// Elimination with row pivoting: the pivot rule, the refusals and faults, and
// thousands of seeded random matrices checked against independent
// computations (long double with complete pivoting, exact integers).

#include "determinant.h"
#include "inverse.h"
#include "simultaneous.h"

#include "conversions.h"

#include <QTest>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

namespace {

// ---- Matrices from short row lists --------------------------------------

Matrix FromRows(const QList<QList<double>>& rows)
{
    Matrix m{};
    for (int i = 1; i <= rows.size(); ++i)
        for (int j = 1; j <= rows.size(); ++j)
            m[i][j] = rows[i - 1][j - 1];
    return m;
}

// ---- Independent references ---------------------------------------------

using Real = long double;
using RealMatrix = std::array<std::array<Real, kMaxGen + 1>, kMaxGen + 1>;
__extension__ using Exact = __int128;

// LU with complete pivoting in long double: a different pivot order and 11
// more bits than the code under test. Gives the determinant and solves.
struct CompleteLu {
    RealMatrix lu{};
    std::array<int, kMaxGen + 1> row{}, column{};
    int n = 0;
    Real det = 1;

    CompleteLu(const Matrix& a, int order)
        : n(order)
    {
        for (int i = 1; i <= n; ++i) {
            row[i] = column[i] = i;
            for (int j = 1; j <= n; ++j)
                lu[i][j] = a[i][j];
        }
        for (int k = 1; k <= n; ++k) {
            int pi = k, pj = k;
            for (int i = k; i <= n; ++i)
                for (int j = k; j <= n; ++j)
                    if (std::fabs(lu[i][j]) > std::fabs(lu[pi][pj]))
                        pi = i, pj = j;
            if (pi != k)
                std::swap(lu[pi], lu[k]), std::swap(row[pi], row[k]), det = -det;
            if (pj != k) {
                for (int i = 1; i <= n; ++i)
                    std::swap(lu[i][pj], lu[i][k]);
                std::swap(column[pj], column[k]);
                det = -det;
            }
            det *= lu[k][k];
            if (lu[k][k] == 0)
                continue;
            for (int i = k + 1; i <= n; ++i) {
                lu[i][k] /= lu[k][k];
                for (int j = k + 1; j <= n; ++j)
                    lu[i][j] -= lu[i][k] * lu[k][j];
            }
        }
    }

    // x with A x = b (A non-singular).
    std::array<Real, kMaxGen + 1> Solve(const std::array<Real, kMaxGen + 1>& b) const
    {
        std::array<Real, kMaxGen + 1> y{}, x{};
        for (int i = 1; i <= n; ++i) {
            y[i] = b[row[i]];
            for (int j = 1; j < i; ++j)
                y[i] -= lu[i][j] * y[j];
        }
        for (int i = n; i >= 1; --i) {
            Real s = y[i];
            for (int j = i + 1; j <= n; ++j)
                s -= lu[i][j] * y[j];
            y[i] = s / lu[i][i];
        }
        for (int i = 1; i <= n; ++i)
            x[column[i]] = y[i];
        return x;
    }
};

// The exact determinant of an integer matrix (fraction-free elimination).
// Entries up to 1000 in magnitude keep every minor and product well inside
// 128 bits for orders up to 5.
Exact ExactDeterminant(std::array<std::array<Exact, kMaxGen + 1>, kMaxGen + 1> m, int n)
{
    Exact sign = 1, previous = 1;
    for (int k = 1; k <= n; ++k) {
        int p = k;
        while (p <= n && m[p][k] == 0)
            ++p;
        if (p > n)
            return 0;
        if (p != k)
            std::swap(m[p], m[k]), sign = -sign;
        for (int i = k + 1; i <= n; ++i)
            for (int j = k + 1; j <= n; ++j)
                m[i][j] = (m[k][k] * m[i][j] - m[i][k] * m[k][j]) / previous;
        previous = m[k][k];
    }
    return sign * m[n][n];
}

Real RowNorm(const Matrix& a, int n) // ‖A‖∞
{
    Real norm = 0;
    for (int i = 1; i <= n; ++i) {
        Real sum = 0;
        for (int j = 1; j <= n; ++j)
            sum += std::fabs(Real(a[i][j]));
        norm = std::max(norm, sum);
    }
    return norm;
}

// ---- Random matrices ----------------------------------------------------

// A matrix as typed: integers K(i, j) divided by a power of ten D, so that
// each entry is the double a student's decimal text reads as, and the exact
// integer matrix K tells whether the typed matrix is singular.
struct Sample {
    int n = 2;
    Matrix a{};
    Vector b{};
    std::array<std::array<Exact, kMaxGen + 1>, kMaxGen + 1> k{};
    bool singular = false;
};

enum class Kind { Integers, Decimals, PivotZeros, Ties };

Sample Draw(std::mt19937& random, int n, Kind kind)
{
    Sample s;
    s.n = n;
    const bool decimal = kind == Kind::Decimals;
    const int range = decimal ? 999 : 9;
    const double divisor = decimal ? 100 : 1;
    std::uniform_int_distribution<int> entry(-range, range);
    std::bernoulli_distribution zero(kind == Kind::Integers ? 0.3 : 0.1);
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n; ++j)
            s.k[i][j] = zero(random) ? 0 : entry(random);
    }
    if (kind == Kind::PivotZeros) {
        // Zeros where the pivots stand, and a first column with only one
        // non-zero entry, so that rows must be exchanged.
        for (int i = 1; i <= n; ++i)
            if (random() % 2)
                s.k[i][i] = 0;
        const int keep = 1 + static_cast<int>(random() % n);
        for (int i = 1; i <= n; ++i)
            if (i != keep && random() % 2)
                s.k[i][1] = 0;
    }
    if (kind == Kind::Ties) {
        // Entries of equal magnitude in every column, so the pivot search
        // meets ties at each step.
        for (int j = 1; j <= n; ++j) {
            const Exact m = 1 + random() % 9;
            for (int i = 1; i <= n; ++i)
                if (random() % 3)
                    s.k[i][j] = random() % 2 ? m : -m;
        }
    }
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n; ++j)
            s.a[i][j] = static_cast<double>(s.k[i][j]) / divisor;
        s.b[i] = entry(random) / divisor;
    }
    s.singular = ExactDeterminant(s.k, n) == 0;
    return s;
}

// Four kinds for each order 2 to 5, cycling.
template<class Check> void ForSamples(int count, std::uint32_t seed, Check check)
{
    std::mt19937 random(seed);
    for (int c = 0; c < count; ++c) {
        const int n = 2 + c % 4;
        const Kind kind = static_cast<Kind>((c / 4) % 4);
        check(Draw(random, n, kind), c);
        if (QTest::currentTestFailed())
            return; // the first failing sample says enough
    }
}

// The unit roundoff of double.
constexpr Real u = std::numeric_limits<double>::epsilon() / 2;

// Partial pivoting keeps every multiplier at most 1 in magnitude, so an
// entry can at most double at each of the n − 1 steps: growth ρ ≤ 2^(n−1).
Real Growth(int n)
{
    return std::ldexp(Real(1), n - 1);
}

} // namespace

class TestElimination : public QObject {
    Q_OBJECT

private slots:
    void pivot_data();
    void pivot();
    void faults_data();
    void faults();
    void solutionsSatisfyTheSystem();
    void inversesGiveTheUnitMatrix();
    void determinantsMatchIndependentOnes();
};

void TestElimination::pivot_data()
{
    QTest::addColumn<QList<QList<double>>>("rows");
    QTest::addColumn<int>("k");
    QTest::addColumn<double>("saidai");
    QTest::addColumn<int>("row");
    QTest::addColumn<QList<QList<double>>>("after");

    QTest::newRow("largest below") << QList<QList<double>>{{1, 2}, {3, 4}} << 1 << 3.0 << 2
                                   << QList<QList<double>>{{3, 4}, {1, 2}};
    QTest::newRow("diagonal keeps a tie")
        << QList<QList<double>>{{1, 1}, {-1, 1}} << 1 << 1.0 << 1 << QList<QList<double>>{{1, 1}, {-1, 1}};
    QTest::newRow("upper row wins a tie below") << QList<QList<double>>{{0, 1, 1}, {-2, 1, 1}, {2, 5, 5}} << 1 << 2.0
                                                << 2 << QList<QList<double>>{{-2, 1, 1}, {0, 1, 1}, {2, 5, 5}};
    QTest::newRow("zero column: nothing moves")
        << QList<QList<double>>{{0, 1}, {0, 2}} << 1 << 0.0 << 1 << QList<QList<double>>{{0, 1}, {0, 2}};
    // Columns left of k are never read again and stay where they were.
    QTest::newRow("second column, left part stays") << QList<QList<double>>{{1, 0, 0}, {7, 0, 1}, {8, 1, 0}} << 2 << 1.0
                                                    << 3 << QList<QList<double>>{{1, 0, 0}, {7, 1, 0}, {8, 0, 1}};
}

void TestElimination::pivot()
{
    QFETCH(QList<QList<double>>, rows);
    QFETCH(int, k);
    QFETCH(double, saidai);
    QFETCH(int, row);
    QFETCH(QList<QList<double>>, after);

    Matrix m = FromRows(rows);
    int exchangedWith = 0;
    const PivotChoice choice = Pivot(m, static_cast<int>(rows.size()), k, [&](int r) { exchangedWith = r; });
    QCOMPARE(choice.Saidai, saidai);
    QCOMPARE(choice.SaidaiGyou, row);
    QCOMPARE(exchangedWith, row == k ? 0 : row);
    QCOMPARE(m, FromRows(after));
}

void TestElimination::faults_data()
{
    // What is computed: "solve" (with right-hand side 1, b2), "determinant"
    // or "inverse" of the 2 × 2 matrix; whether the double range is left.
    QTest::addColumn<QString>("what");
    QTest::addColumn<QList<QList<double>>>("rows");
    QTest::addColumn<double>("b2");
    QTest::addColumn<bool>("fault");

    using Rows = QList<QList<double>>;
    QTest::newRow("solve: quotient") << "solve" << Rows{{1e200, 0}, {0, 1e-200}} << 1e200 << true;
    QTest::newRow("solve: difference") << "solve" << Rows{{1, 1.5e308}, {-1, 1.5e308}} << 1.0 << true;
    QTest::newRow("solve: large but in range") << "solve" << Rows{{1e200, 0}, {0, 1e-100}} << 1e200 << false;
    QTest::newRow("determinant: product") << "determinant" << Rows{{1e200, 0}, {0, 1e200}} << 0.0 << true;
    // Pivoting keeps every multiplier within 1 in magnitude: no quotient
    // leaves the range here, however small the entries.
    QTest::newRow("determinant: tiny multiplier") << "determinant" << Rows{{1e-200, 1}, {1e200, 1}} << 0.0 << false;
    QTest::newRow("determinant: 1e300") << "determinant" << Rows{{1e150, 0}, {0, 1e150}} << 0.0 << false;
    QTest::newRow("determinant: underflow is zero") << "determinant" << Rows{{1e-200, 0}, {0, 1e-200}} << 0.0 << false;
    QTest::newRow("inverse: quotient") << "inverse" << Rows{{1e-200, 1e200}, {0, 1e-200}} << 0.0 << true;
    QTest::newRow("inverse: 1e200 entries") << "inverse" << Rows{{1e200, 1e200}, {1e200, -1e200}} << 0.0 << false;
}

void TestElimination::faults()
{
    QFETCH(QString, what);
    QFETCH(QList<QList<double>>, rows);
    QFETCH(double, b2);
    QFETCH(bool, fault);

    const Matrix a = FromRows(rows);
    bool raised = false;
    try {
        // Every number that comes back is finite: no label can show inf/nan.
        if (what == QLatin1String("solve")) {
            const auto x = std::get<Vector>(Renritu(a, Vector{0, 1, b2}, 2));
            QVERIFY(std::isfinite(x[1]) && std::isfinite(x[2]));
        } else if (what == QLatin1String("determinant")) {
            QVERIFY(std::isfinite(Gyouretusiki(a, 2)));
        } else {
            const auto x = std::get<Matrix>(Gyakugyouretu(a, 2));
            for (int i = 1; i <= 2; ++i)
                for (int j = 1; j <= 2; ++j)
                    QVERIFY(std::isfinite(x[i][j]));
        }
    } catch (const ArithmeticFault&) {
        raised = true;
    }
    QCOMPARE(raised, fault);
}

// For every sample, A·x = b up to the backward error of elimination with
// partial pivoting, and x agrees with a long-double solution up to that
// backward error magnified by the condition number.
//
// Residual: the computed x solves (A + E) x = b with ‖E‖∞ ≤ 3n·ρ·n·u·‖A‖∞
// (backward stability; ρ ≤ 2^(n−1) is the growth factor, n·‖A‖∞ bounds the
// rows of |L||U|), so ‖b − A x‖∞ ≤ c·u·‖A‖∞·‖x‖∞ with c = 3n²·2^(n−1). This
// bound does not depend on the condition, so even nearly singular systems
// must meet it. Forward error: ‖x − x*‖ / ‖x*‖ ≤ κ∞(A)·c·u to first order,
// with κ∞ = ‖A‖∞‖A⁻¹‖∞ from the long-double inverse.
void TestElimination::solutionsSatisfyTheSystem()
{
    int solved = 0;
    Real worstResidual = 0, worstForward = 0;
    ForSamples(4000, 31415, [&](const Sample& s, int c) {
        const int n = s.n;
        const auto outcome = Renritu(s.a, s.b, n);
        if (const auto* rejection = std::get_if<Rejection>(&outcome)) {
            // Only a matrix that is singular may be refused.
            QVERIFY2(s.singular, qPrintable(QStringLiteral("sample %1 refused").arg(c)));
            QCOMPARE(rejection->message, std::string(kRenrituMessage));
            return;
        }
        if (s.singular)
            return; // a rounding residue let it through; no answer to compare with
        ++solved;
        const Vector& x = std::get<Vector>(outcome);
        const Real c3 = 3 * n * n * Growth(n);

        Real xNorm = 0, residual = 0;
        for (int i = 1; i <= n; ++i) {
            Real r = s.b[i];
            for (int j = 1; j <= n; ++j)
                r -= Real(s.a[i][j]) * x[j];
            residual = std::max(residual, std::fabs(r));
            xNorm = std::max(xNorm, std::fabs(Real(x[i])));
        }
        const Real residualScale = u * RowNorm(s.a, n) * xNorm;
        worstResidual = std::max(worstResidual, residual / std::max(residualScale, Real(1e-300)));
        QVERIFY2(residual <= c3 * residualScale + 1e-300, qPrintable(QStringLiteral("sample %1 residual").arg(c)));

        const CompleteLu lu(s.a, n);
        std::array<Real, kMaxGen + 1> b{};
        for (int i = 1; i <= n; ++i)
            b[i] = s.b[i];
        const auto reference = lu.Solve(b);
        Real inverseNorm = 0;
        for (int i = 1; i <= n; ++i) {
            std::array<Real, kMaxGen + 1> e{};
            e[i] = 1;
            const auto column = lu.Solve(e);
            for (int r = 1; r <= n; ++r)
                inverseNorm = std::max(inverseNorm, std::fabs(column[r])); // max entry, ≥ ‖A⁻¹‖∞ / n
        }
        const Real kappa = RowNorm(s.a, n) * inverseNorm * n;
        Real error = 0, referenceNorm = 0;
        for (int j = 1; j <= n; ++j) {
            error = std::max(error, std::fabs(x[j] - reference[j]));
            referenceNorm = std::max(referenceNorm, std::fabs(reference[j]));
        }
        const Real forwardScale = kappa * u * referenceNorm;
        worstForward = std::max(worstForward, error / std::max(forwardScale, Real(1e-300)));
        QVERIFY2(error <= c3 * forwardScale + 1e-300, qPrintable(QStringLiteral("sample %1 forward").arg(c)));
    });
    qInfo("%d solved; worst residual %.3Lg u·‖A‖‖x‖, worst forward error %.3Lg u·κ·‖x‖", solved, worstResidual,
        worstForward);
    QVERIFY(solved > 3000);
}

// For every invertible sample, A·X = I up to c·u·‖|A||X|‖∞: Gauss–Jordan
// elimination with partial pivoting has a residual bounded by a modest
// multiple of u|A||X| (the same growth and row-combination factors as above),
// and ‖|A||X|‖∞ ≥ ‖A X‖ is the condition number κ(A) in all but scaling, so
// the tolerance grows with the condition of the matrix.
void TestElimination::inversesGiveTheUnitMatrix()
{
    int inverted = 0;
    Real worst = 0;
    ForSamples(4000, 27182, [&](const Sample& s, int c) {
        const int n = s.n;
        const auto outcome = Gyakugyouretu(s.a, n);
        if (const auto* rejection = std::get_if<Rejection>(&outcome)) {
            QVERIFY2(s.singular, qPrintable(QStringLiteral("sample %1 refused").arg(c)));
            QCOMPARE(rejection->message, std::string(kGyakuMessage));
            return;
        }
        if (s.singular)
            return;
        ++inverted;
        const Matrix& x = std::get<Matrix>(outcome);
        Real residual = 0, scale = 0;
        for (int i = 1; i <= n; ++i) {
            Real rowScale = 0;
            for (int j = 1; j <= n; ++j) {
                Real product = 0, magnitude = 0;
                for (int l = 1; l <= n; ++l) {
                    product += Real(s.a[i][l]) * x[l][j];
                    magnitude += std::fabs(Real(s.a[i][l]) * x[l][j]);
                }
                residual = std::max(residual, std::fabs(product - (i == j ? 1 : 0)));
                rowScale += magnitude;
            }
            scale = std::max(scale, rowScale);
        }
        worst = std::max(worst, residual / (u * scale));
        QVERIFY2(residual <= 3 * n * n * Growth(n) * u * scale,
            qPrintable(QStringLiteral("sample %1 residual %2").arg(c).arg(double(residual))));
    });
    qInfo("%d inverted; worst residual %.3Lg u·‖|A||X|‖", inverted, worst);
    QVERIFY(inverted > 3000);
}

// The determinant against the long-double one with complete pivoting, and,
// for integer matrices, the exact integer to every digit the screen shows.
//
// Tolerance: elimination gives the exact determinant of A + E with
// ‖E‖∞ ≤ c·u·‖A‖∞ as above (the final product of n diagonal entries adds
// n·u relative). Changing row i by e_i changes the determinant by at most
// ‖e_i‖₂ times the norm of that row's cofactors, which Hadamard's inequality
// bounds by the product of the other rows' norms. So |Δdet| ≤ c·u·n·H·max
// over rows of ‖A‖/‖a_i‖, with H = Π‖a_i‖₂. H/|det| is the determinant's
// condition (how far the rows are from orthogonal), and unlike κ it stays
// finite for singular matrices, whose computed determinant must be near 0.
void TestElimination::determinantsMatchIndependentOnes()
{
    Real worst = 0;
    int exactTexts = 0;
    ForSamples(4000, 16180, [&](const Sample& s, int c) {
        const int n = s.n;
        const double det = Gyouretusiki(s.a, n);
        const Real reference = CompleteLu(s.a, n).det;

        Real hadamard = 1, smallestRow = std::numeric_limits<Real>::max();
        for (int i = 1; i <= n; ++i) {
            Real squares = 0;
            for (int j = 1; j <= n; ++j)
                squares += Real(s.a[i][j]) * s.a[i][j];
            hadamard *= std::sqrt(squares);
            smallestRow = std::min(smallestRow, std::sqrt(squares));
        }
        if (smallestRow == 0) {
            QCOMPARE(det, 0.0);
            return;
        }
        const Real scale = u * n * hadamard * RowNorm(s.a, n) / smallestRow;
        worst = std::max(worst, std::fabs(det - reference) / scale);
        QVERIFY2(std::fabs(det - reference) <= 3 * n * n * Growth(n) * scale,
            qPrintable(QStringLiteral("sample %1: %2 against %3").arg(c).arg(det).arg(double(reference))));

        // Integer entries: the exact determinant is an integer far below
        // 10^12, and the error above is far below half a thousandth.
        bool integral = true;
        for (int i = 1; i <= n; ++i)
            for (int j = 1; j <= n; ++j)
                integral = integral && s.a[i][j] == double(s.k[i][j]);
        if (integral) {
            ++exactTexts;
            const auto exact = static_cast<long long>(ExactDeterminant(s.k, n));
            QCOMPARE(FormatFixed(det, "0.000"), std::to_string(exact) + ".000");
        }
    });
    qInfo("worst determinant error %.3Lg u·n·H·‖A‖/min‖a_i‖; %d exact texts", worst, exactTexts);
}

QTEST_APPLESS_MAIN(TestElimination)
#include "tst_elimination.moc"
