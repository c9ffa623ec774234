// SPDX-License-Identifier: MIT
// Reading box texts as numbers and writing numbers as label texts.

#include "conversions.h"
#include "outcome.h"

#include <QTest>

#include <cmath>
#include <limits>

namespace {

QByteArray Describe(double value)
{
    return QByteArray::number(value, 'g', 17);
}

// Exact comparison, negative zero told apart from zero.
bool Same(double a, double b)
{
    return a == b && std::signbit(a) == std::signbit(b);
}

} // namespace

class TestConversions : public QObject {
    Q_OBJECT

private slots:
    void parseNumber_data();
    void parseNumber();
    void parseNumberOverflow_data();
    void parseNumberOverflow();
    void roundToInt32_data();
    void roundToInt32();
    void formatFixed_data();
    void formatFixed();
    void formatGeneral_data();
    void formatGeneral();
    void formattingRefusesNonFinite();
};

// "1", the character, "2".
static QString Between(char16_t code)
{
    return QStringLiteral("1") + QChar(code) + QStringLiteral("2");
}

void TestConversions::parseNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("blanks around") << "  12 " << 12.0;
    QTest::newRow("blank inside") << "1 2" << 12.0;
    QTest::newRow("tab and line feed") << "\t3\n4" << 34.0;
    QTest::newRow("exponent") << "-3.5e2" << -350.0;
    QTest::newRow("capital exponent, negative") << "1.5E-2" << 0.015;
    QTest::newRow("plus sign") << "+7" << 7.0;
    QTest::newRow("blank after sign") << "- 5" << -5.0;
    QTest::newRow("blanks in exponent") << "1 e 3" << 1000.0;
    QTest::newRow("trailing letters") << "12abc" << 12.0;
    QTest::newRow("letters only") << "abc" << 0.0;
    QTest::newRow("comma stops") << "1,5" << 1.0;
    QTest::newRow("leading point") << ".5" << 0.5;
    QTest::newRow("trailing point") << "5." << 5.0;
    QTest::newRow("second point stops") << "1.2.3" << 1.2;
    QTest::newRow("sign alone") << "-" << 0.0;
    QTest::newRow("point alone") << "." << 0.0;
    QTest::newRow("two signs") << "+-5" << 0.0;
    QTest::newRow("exponent without digits") << "1e" << 1.0;
    QTest::newRow("exponent sign without digits") << "2e+x" << 2.0;
    QTest::newRow("exponent cannot start") << "e5" << 0.0;
    QTest::newRow("no hexadecimal") << "0x10" << 0.0;
    QTest::newRow("no D exponent") << "1D2" << 1.0;
    QTest::newRow("many digits") << "123456789012345678901234567890" << 1.2345678901234568e29;
    QTest::newRow("nearest double") << "0.1" << 0.1;
    QTest::newRow("underflow is zero") << "1e-400" << 0.0;
    QTest::newRow("negative underflow keeps its sign") << "-1e-400" << -0.0;
    QTest::newRow("negative zero") << "-0" << -0.0;
    QTest::newRow("subnormal kept") << "4.9e-324" << 4.9e-324;
    QTest::newRow("zero with huge exponent") << "0e99999" << 0.0;
    QTest::newRow("full-width digits") << "１２．５" << 12.5;
    QTest::newRow("full-width minus") << "－３" << -3.0;
    QTest::newRow("minus sign U+2212") << "−３" << -3.0;
    QTest::newRow("full-width plus") << "＋4" << 4.0;
    QTest::newRow("full-width exponent") << "１ｅ３" << 1000.0;
    QTest::newRow("full-width capital exponent") << "2Ｅ2" << 200.0;
    QTest::newRow("ideographic space") << "３\u3000４" << 34.0;
    QTest::newRow("kana-mode minus and point") << "ー１。５" << -1.5;
    QTest::newRow("half-width kana minus and point") << "ｰ2｡25" << -2.25;
    QTest::newRow("full-width comma stops") << "１，５" << 1.0;
    QTest::newRow("kanji stops") << "12個" << 12.0;

    // Invisible format characters, as pasted text brings them, read as blanks
    // wherever they stand; their visible or unassigned neighbours still stop.
    const std::pair<char16_t, char16_t> invisible[]{
        {0x200B, 0x200F}, {0x202A, 0x202E}, {0x2060, 0x2064}, {0x2066, 0x2069}, {0xFEFF, 0xFEFF}};
    for (const auto& [first, last] : invisible) {
        for (char16_t code = first; code <= last; ++code)
            QTest::addRow("U+%04X between digits", unsigned(code)) << Between(code) << 12.0;
        if (first != 0x2066) // U+2065 follows the range before
            QTest::addRow("U+%04X stops", unsigned(first - 1)) << Between(first - 1) << 1.0;
        if (last != 0xFEFF)
            QTest::addRow("U+%04X stops", unsigned(last + 1)) << Between(last + 1) << 1.0;
    }
    QTest::newRow("leading byte-order mark") << "\uFEFF12" << 12.0;
    QTest::newRow("direction marks around") << "\u200F-3.5\u200E" << -3.5;
    QTest::newRow("isolate after sign") << "-\u2066７\u2069" << -7.0;
    QTest::newRow("word joiner in exponent") << "1e\u20603" << 1000.0;
    QTest::newRow("zero-width space before point") << "2\u200B.5" << 2.5;
}

void TestConversions::parseNumber()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    const double actual = ParseNumber(text.toStdString());
    QVERIFY2(Same(actual, expected), Describe(actual) + " != " + Describe(expected));
}

void TestConversions::parseNumberOverflow_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("1e400") << "1e400";
    QTest::newRow("negative") << "-1e309";
    QTest::newRow("just beyond the largest double") << "1.8e308";
    QTest::newRow("400 digits") << QString(400, QLatin1Char('9'));
    QTest::newRow("full-width") << "１ｅ４００";
    QTest::newRow("saturated exponent") << "1e99999999999999999999";
}

void TestConversions::parseNumberOverflow()
{
    QFETCH(QString, text);
    QVERIFY_THROWS_EXCEPTION(ArithmeticFault, ParseNumber(text.toStdString()));
}

void TestConversions::roundToInt32_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("inRange");
    QTest::addColumn<int>("expected");

    QTest::newRow("2.5 to even") << 2.5 << true << 2;
    QTest::newRow("3.5 to even") << 3.5 << true << 4;
    QTest::newRow("-2.5 to even") << -2.5 << true << -2;
    QTest::newRow("0.5 to even") << 0.5 << true << 0;
    QTest::newRow("-0.5 to even") << -0.5 << true << 0;
    QTest::newRow("2.49 down") << 2.49 << true << 2;
    QTest::newRow("2.51 up") << 2.51 << true << 3;
    QTest::newRow("largest") << 2147483647.0 << true << 2147483647;
    QTest::newRow("just under the largest's half") << 2147483647.4 << true << 2147483647;
    QTest::newRow("half above the largest goes to even, outside") << 2147483647.5 << false << 0;
    QTest::newRow("smallest") << -2147483648.0 << true << std::numeric_limits<int>::min();
    QTest::newRow("half below the smallest goes to even, inside")
        << -2147483648.5 << true << std::numeric_limits<int>::min();
    QTest::newRow("below the smallest") << -2147483649.0 << false << 0;
    QTest::newRow("1e10") << 1e10 << false << 0;
    QTest::newRow("-1e10") << -1e10 << false << 0;
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << false << 0;
}

void TestConversions::roundToInt32()
{
    QFETCH(double, value);
    QFETCH(bool, inRange);
    QFETCH(int, expected);
    const auto actual = RoundToInt32(value);
    QCOMPARE(actual.has_value(), inRange);
    if (inRange)
        QCOMPARE(*actual, expected);
}

void TestConversions::formatFixed_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("expected");

    QTest::newRow("zero") << 0.0 << "0.000"
                          << "0.000";
    QTest::newRow("half") << 0.5 << "0.00"
                          << "0.50";
    QTest::newRow("2.675 up, from 15 digits") << 2.675 << "0.00"
                                              << "2.68";
    QTest::newRow("1.005 up, from 15 digits") << 1.005 << "0.00"
                                              << "1.01";
    QTest::newRow("negative half away from zero") << -0.125 << "0.00"
                                                  << "-0.13";
    QTest::newRow("integral") << 2.0 << "0.00"
                              << "2.00";
    QTest::newRow("negative, trailing zeros kept") << -1.5 << "0.000"
                                                   << "-1.500";
    QTest::newRow("two integer digits") << 12.5 << "0.00"
                                        << "12.50";
    QTest::newRow("carry into a new digit") << 99.995 << "0.00"
                                            << "100.00";
    QTest::newRow("carry, negative") << -0.9995 << "0.000"
                                     << "-1.000";
    QTest::newRow("six decimals") << 2.0 / 3.0 << "0.000000"
                                  << "0.666667";
    QTest::newRow("third, six decimals") << 1.0 / 3.0 << "0.000000"
                                         << "0.333333";
    QTest::newRow("negative zero") << -0.0 << "0.000"
                                   << "0.000";
    QTest::newRow("tiny negative rounds to zero") << -1e-4 << "0.000"
                                                  << "0.000";
    QTest::newRow("residue") << 1.6e-15 << "0.000"
                             << "0.000";
    QTest::newRow("subnormal negative") << -4.9e-324 << "0.00"
                                        << "0.00";
    QTest::newRow("zeros beyond 15 digits") << 123456789012345678.0 << "0.000"
                                            << "123456789012346000.000";
    QTest::newRow("1e20") << 1e20 << "0.00"
                          << "100000000000000000000.00";
    QTest::newRow("large area") << 5570000000.123 << "0.00"
                                << "5570000000.12";
}

void TestConversions::formatFixed()
{
    QFETCH(double, value);
    QFETCH(QString, pattern);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdString(FormatFixed(value, pattern.toStdString())), expected);
}

void TestConversions::formatGeneral_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("6") << 6.0 << "6";
    QTest::newRow("55") << 55.0 << "55";
    QTest::newRow("-27.5") << -27.5 << "-27.5";
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("negative zero") << -0.0 << "0";
    QTest::newRow("a third") << 1.0 / 3.0 << "0.333333333333333";
    QTest::newRow("15 digits hide the binary error") << 0.1 + 0.2 << "0.3";
    QTest::newRow("leading zero") << 0.5 << "0.5";
    QTest::newRow("largest 32-bit") << 2147483647.0 << "2147483647";
    QTest::newRow("sigma example") << 529230025.0 << "529230025";
    QTest::newRow("largest plain") << 999999999999999.0 << "999999999999999";
    QTest::newRow("1E15") << 1e15 << "1E+15";
    QTest::newRow("rounded up to 1E15") << 999999999999999.9 << "1E+15";
    QTest::newRow("exponent form, 15 digits") << 123456789012345678.0 << "1.23456789012346E+17";
    QTest::newRow("three exponent digits") << -1e100 << "-1E+100";
    QTest::newRow("small plain") << 0.0001 << "0.0001";
    QTest::newRow("small exponent") << 0.00001 << "1E-05";
    QTest::newRow("small with mantissa") << -1.5e-7 << "-1.5E-07";
}

void TestConversions::formatGeneral()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdString(FormatGeneral(value)), expected);
}

void TestConversions::formattingRefusesNonFinite()
{
    const double infinity = std::numeric_limits<double>::infinity();
    QVERIFY_THROWS_EXCEPTION(ArithmeticFault, FormatFixed(infinity, "0.000"));
    QVERIFY_THROWS_EXCEPTION(ArithmeticFault, FormatGeneral(-infinity));
    QVERIFY_THROWS_EXCEPTION(ArithmeticFault, FormatGeneral(std::nan("")));
}

QTEST_APPLESS_MAIN(TestConversions)
#include "tst_conversions.moc"
