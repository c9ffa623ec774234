// SPDX-License-Identifier: MIT
// The greatest-common-divisor screen, driven through the menu.

#include "driver.h"
#include "message_box.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace Driver;

namespace {

const QString kGcd = QStringLiteral("frmKouyaku");
const QString kMessage = QStringLiteral("小数または０以下の数にはしないでください");
const QString kRange = QStringLiteral("桁が大きすぎます。2147483647以下の正の整数にしてください");

// Types both numbers and presses "計算！"; returns the message, if any.
std::optional<Message> Calculate(const QString& first, const QString& second)
{
    Type(kGcd, QStringLiteral("txtNum_0"), first);
    Type(kGcd, QStringLiteral("txtNum_1"), second);
    return ClickForMessage(kGcd, QStringLiteral("Command1"));
}

QString Answer()
{
    return Text(kGcd, QStringLiteral("lblAnswer"));
}

} // namespace

class TestGcdScreen : public QObject {
    Q_OBJECT

private slots:
    void init() { OpenFromMenu(QStringLiteral("cmdKouyakusuu")); }
    void cleanupTestCase() { CloseAll(); }

    void startState();
    void calculates_data();
    void calculates();
    void rejectionKeepsEverything_data();
    void rejectionKeepsEverything();
};

void TestGcdScreen::startState()
{
    QCOMPARE(Window(kGcd)->windowTitle(), QStringLiteral("最大公約数－Kalvora"));
    QCOMPARE(Text(kGcd, QStringLiteral("Label3")), QStringLiteral("最大公約数を求めます"));
    QCOMPARE(Text(kGcd, QStringLiteral("Label2")), QStringLiteral("２数を入力してください"));
    QCOMPARE(Text(kGcd, QStringLiteral("Label1")), QStringLiteral("最大公約数は・・・"));
    QCOMPARE(Text(kGcd, QStringLiteral("txtNum_0")), QString());
    QCOMPARE(Text(kGcd, QStringLiteral("txtNum_1")), QString());
    QCOMPARE(Answer(), QString());
    QCOMPARE(FocusedName(), QStringLiteral("txtNum_0"));

    // The two boxes side by side, box 0 on the left.
    QVERIFY(Control(kGcd, QStringLiteral("txtNum_0"))->x() < Control(kGcd, QStringLiteral("txtNum_1"))->x());
}

void TestGcdScreen::calculates_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("answer");

    QTest::newRow("12 18") << "12"
                           << "18"
                           << "6";
    QTest::newRow("18 12") << "18"
                           << "12"
                           << "6";
    QTest::newRow("7 7") << "7"
                         << "7"
                         << "7";
    QTest::newRow("1 1000") << "1"
                            << "1000"
                            << "1";
    QTest::newRow("17 5") << "17"
                          << "5"
                          << "1";
    QTest::newRow("largest") << "2147483647"
                             << "2147483646"
                             << "1";
    QTest::newRow("integral with a point") << "4.0"
                                           << "6"
                                           << "2";
    QTest::newRow("leading number") << "12abc"
                                    << "18"
                                    << "6";
    QTest::newRow("full-width digits") << "１２"
                                       << "１８"
                                       << "6";
    QTest::newRow("exponent") << "1e3"
                              << "75"
                              << "25";
}

void TestGcdScreen::calculates()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QString, answer);
    QCOMPARE(Calculate(first, second), std::nullopt);
    QCOMPARE(Answer(), answer);
    // A second press gives the same.
    QCOMPARE(ClickForMessage(kGcd, QStringLiteral("Command1")), std::nullopt);
    QCOMPARE(Answer(), answer);
}

void TestGcdScreen::rejectionKeepsEverything_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("message");

    QTest::newRow("empty") << ""
                           << "6" << kMessage;
    QTest::newRow("zero") << "0"
                          << "6" << kMessage;
    QTest::newRow("negative") << "-4"
                              << "6" << kMessage;
    QTest::newRow("letters") << "abc"
                             << "6" << kMessage;
    QTest::newRow("fraction") << "4.5"
                              << "6" << kMessage;
    QTest::newRow("second box") << "6"
                                << "2.5" << kMessage;
    QTest::newRow("beyond 32 bits") << "1e10"
                                    << "6" << kRange;
    QTest::newRow("beyond the double range") << "1e400"
                                             << "6" << FaultMessage();
}

void TestGcdScreen::rejectionKeepsEverything()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QString, message);

    QCOMPARE(Calculate("12", "18"), std::nullopt);
    QCOMPARE(Answer(), QStringLiteral("6"));

    KALVORA_EXPECT_MESSAGE(Calculate(first, second), message);

    // The previous result and both texts stay as they were; the focus stays
    // on the button that was pressed.
    QCOMPARE(FocusedName(), QStringLiteral("Command1"));
    QCOMPARE(Answer(), QStringLiteral("6"));
    QCOMPARE(Text(kGcd, QStringLiteral("txtNum_0")), first);
    QCOMPARE(Text(kGcd, QStringLiteral("txtNum_1")), second);
    QCOMPARE(OpenWindows(), QStringList{kGcd});
}

QTEST_MAIN(TestGcdScreen)
#include "tst_gcd_screen.moc"
