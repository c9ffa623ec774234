// SPDX-License-Identifier: MIT
// Exact matrices: A·x = b and A·A⁻¹ = I hold exactly, the determinant agrees
// with a cofactor expansion, and a matrix that is singular only in exact
// arithmetic is reported as such.

#include "exact_linalg.h"
#include "exact_reading.h"
#include "exact_support.h"
#include "exact_value_api.h"
#include "inverse.h"

#include <QTest>

namespace {

// A rational from its canonical text.
Rational FromText(const ExactText& text)
{
    return ParseCanonical(text.value()).value().rational().value();
}

Rational Cofactor(const std::vector<std::vector<Rational>>& m)
{
    if (m.size() == 1)
        return m[0][0];
    Rational det;
    for (std::size_t j = 0; j < m.size(); ++j) {
        std::vector<std::vector<Rational>> minor;
        for (std::size_t i = 1; i < m.size(); ++i) {
            minor.emplace_back(m[i]);
            minor.back().erase(minor.back().begin() + static_cast<std::ptrdiff_t>(j));
        }
        const Rational term = m[0][j] * Cofactor(minor);
        det = j % 2 == 0 ? det + term : det - term;
    }
    return det;
}

} // namespace

class TestExactLinalg : public QObject {
    Q_OBJECT

private slots:
    void cleanupTestCase() { flint_cleanup(); }
    void solve_data();
    void solve();
    void inverse_data();
    void inverse();
    void determinant_data();
    void determinant();
    void singularOnlyExactly_data();
    void singularOnlyExactly();
};

void TestExactLinalg::solve_data()
{
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QStringList>("rhs");
    QTest::addColumn<QStringList>("x");
    QTest::newRow("integers") << QStringList{"2 1", "1 3"} << QStringList{"1", "2"} << QStringList{"1/5", "3/5"};
    QTest::newRow("decimals") << QStringList{"0.1 0.2 0.3", "0.4 0.5 0.6", "0.7 0.8 1"} << QStringList{"1", "0", "0"}
                              << QStringList{"-20/3", "-20/3", "10"};
    QTest::newRow("fifteen digits") << QStringList{"1.23456789012345 2.5", "3.14159265358979 -4"}
                                    << QStringList{"1", "1"} << QStringList{"none", "none"};
}

void TestExactLinalg::solve()
{
    QFETCH(QStringList, rows);
    QFETCH(QStringList, rhs);
    QFETCH(QStringList, x);
    const BoxRows boxes = Rows(rows);
    std::vector<std::string> b;
    for (const QString& t : rhs)
        b.push_back(t.toStdString());
    const ExactVector solution = ExactSolve(boxes, b);
    QCOMPARE(solution.status, ExactStatus::Found);
    QStringList got;
    for (const ExactText& t : solution.x)
        got << Text(t);
    QCOMPARE(got, x);

    // A·x = b exactly, wherever x has a text.
    if (x.contains("none"))
        return;
    const auto a = Numbers(boxes);
    for (std::size_t i = 0; i < a.size(); ++i) {
        Rational sum;
        for (std::size_t j = 0; j < a.size(); ++j)
            sum = sum + a[i][j] * FromText(solution.x[j]);
        QVERIFY(sum == *ReadExact(b[i]));
    }
}

void TestExactLinalg::inverse_data()
{
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QStringList>("inverse"); // row by row
    QTest::newRow("2x2") << QStringList{"1 2", "3 4"} << QStringList{"-2", "1", "3/2", "-1/2"};
    QTest::newRow("3x3 integers") << QStringList{"2 0 1", "1 3 2", "1 1 2"}
                                  << QStringList{"2/3", "1/6", "-1/2", "0", "1/2", "-1/2", "-1/3", "-1/3", "1"};
    QTest::newRow("3x3 thirds") << QStringList{"3 0 0", "0 6 0", "1 0 1"}
                                << QStringList{"1/3", "0", "0", "0", "1/6", "0", "-1/3", "0", "1"};
    QTest::newRow("5x5 decimals") << QStringList{"0.5 0.1 0 0 0", "0.1 0.5 0.1 0 0", "0 0.1 0.5 0.1 0",
        "0 0 0.1 0.5 0.1", "0 0 0 0.1 0.5"}
                                  << QStringList{};
}

void TestExactLinalg::inverse()
{
    QFETCH(QStringList, rows);
    QFETCH(QStringList, inverse);
    const BoxRows boxes = Rows(rows);
    const ExactMatrix result = ExactInverse(boxes);
    QCOMPARE(result.status, ExactStatus::Found);
    QStringList got;
    for (const auto& row : result.entries)
        for (const ExactText& t : row)
            got << Text(t);
    if (!inverse.isEmpty())
        QCOMPARE(got, inverse);

    // A·A⁻¹ = I exactly.
    const auto a = Numbers(boxes);
    for (std::size_t i = 0; i < a.size(); ++i) {
        for (std::size_t j = 0; j < a.size(); ++j) {
            Rational sum;
            for (std::size_t k = 0; k < a.size(); ++k)
                sum = sum + a[i][k] * FromText(result.entries[k][j]);
            QVERIFY(sum == Rational(i == j ? 1 : 0));
        }
    }
}

void TestExactLinalg::determinant_data()
{
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("text");
    QTest::newRow("2x2") << QStringList{"1 2", "3 4"} << "-2";
    QTest::newRow("tenths") << QStringList{"0.1 0.2", "0.3 0.4"} << "-1/50";
    QTest::newRow("singular") << QStringList{"1 2 3", "4 5 6", "7 8 9"} << "0";
    QTest::newRow("5x5 fifteen digits")
        << QStringList{"1.23456789012345 2.34567890123456 3.45678901234567 4.56789012345678 5.67890123456789",
               "6.78901234567891 7.89012345678912 8.90123456789123 9.01234567891234 0.12345678912345",
               "1.11111111111111 2.22222222222222 3.33333333333333 4.44444444444445 5.55555555555556",
               "9.87654321098765 8.76543210987654 7.65432109876543 6.54321098765432 5.43210987654321",
               "3.14159265358979 2.71828182845905 1.41421356237310 1.73205080756888 2.23606797749979"}
        << "none";
    QTest::newRow("5x5 extreme magnitudes") << QStringList{"1e300 2 3 4 5", "6 1e-300 8 9 1", "2 3 -1e300 5 6",
        "7 8 9 1e-299 2", "3 4 5 6 1e299"} << "none";
}

void TestExactLinalg::determinant()
{
    QFETCH(QStringList, rows);
    QFETCH(QString, text);
    const BoxRows boxes = Rows(rows);
    QCOMPARE(Text(ExactDeterminant(boxes)), text);
    QVERIFY(*ExactDeterminantValue(boxes) == Cofactor(Numbers(boxes)));
}

void TestExactLinalg::singularOnlyExactly_data()
{
    QTest::addColumn<QStringList>("rows");
    QTest::newRow("2x2") << QStringList{"0.7 0.1", "2.1 0.3"};
    QTest::newRow("3x3 decimals") << QStringList{"0.1 0.2 0.3", "0.4 0.5 0.6", "0.7 0.8 0.9"};
}

// Rounding lets the decimal inverse through; exact arithmetic shows the
// matrix singular, and the exact view says so.
void TestExactLinalg::singularOnlyExactly()
{
    QFETCH(QStringList, rows);
    const BoxRows boxes = Rows(rows);
    Matrix m{};
    for (std::size_t i = 0; i < boxes.size(); ++i)
        for (std::size_t j = 0; j < boxes.size(); ++j)
            m[i + 1][j + 1] = std::stod(boxes[i][j]);
    QVERIFY(std::holds_alternative<Matrix>(Gyakugyouretu(m, static_cast<int>(boxes.size()))));

    QCOMPARE(ExactInverse(boxes).status, ExactStatus::Singular);
    QCOMPARE(ExactSolve(boxes, std::vector<std::string>(boxes.size(), "1")).status, ExactStatus::Singular);
    QCOMPARE(Text(ExactDeterminant(boxes)), "0");
    QVERIFY(QString::fromUtf8(kExactSingularInverseMessage).contains("逆行列はありません"));
}

QTEST_APPLESS_MAIN(TestExactLinalg)
#include "tst_exact_linalg.moc"
