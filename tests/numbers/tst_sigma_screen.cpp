// SPDX-License-Identifier: MIT
// The sigma screen, driven through the menu.

#include "driver.h"
#include "message_box.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace Driver;

namespace {

const QString kSigma = QStringLiteral("frmSiguma");
const QStringList kBoxes{"txtFirst", "txtLast", "txt3jou", "txt2jou", "txt1jou", "txt0jou"};

// Fills the six boxes (first, last, a3, a2, a1, a0) and presses "計算！".
std::optional<Message> Calculate(const QStringList& texts)
{
    TypeAll(kSigma, kBoxes, texts);
    return ClickForMessage(kSigma, QStringLiteral("cmdKeisan"));
}

QString Answer()
{
    return Text(kSigma, QStringLiteral("lblAnswer"));
}

QRect Frame(const QString& name)
{
    return InWindow(kSigma, name);
}

} // namespace

class TestSigmaScreen : public QObject {
    Q_OBJECT

private slots:
    void init() { OpenFromMenu(QStringLiteral("cmdSiguma")); }
    void cleanupTestCase() { CloseAll(); }

    void startState();
    void formulaLayout();
    void calculates_data();
    void calculates();
    void rejections_data();
    void rejections();
};

void TestSigmaScreen::startState()
{
    QCOMPARE(OpenWindows(), QStringList{kSigma});
    QCOMPARE(Window(kSigma)->windowTitle(), QStringLiteral("シグマの計算－Kalvora"));
    QCOMPARE(Control(kSigma, QStringLiteral("lblAnswer"))->accessibleName(), QStringLiteral("和"));
    QCOMPARE(FocusedName(), QStringLiteral("txtLast"));

    // The start state is a valid calculation: every box reads as 0.
    QCOMPARE(ClickForMessage(kSigma, QStringLiteral("cmdKeisan")), std::nullopt);
    QCOMPARE(Answer(), QStringLiteral("0"));

    // The tab order follows the formula, then the buttons from left to right.
    const QStringList order{
        "txtLast", "txtFirst", "txt3jou", "txt2jou", "txt1jou", "txt0jou", "cmdBack", "cmdFirst", "cmdKeisan"};
    QCOMPARE(TabOrder(kSigma, order.first(), order.size()), order);
}

void TestSigmaScreen::formulaLayout()
{
    // The last value above the sigma sign, "Ｋ＝first" below it.
    const QRect sigma = Frame("Label1");
    QVERIFY(Frame("txtLast").bottom() <= sigma.top());
    QVERIFY(Frame("txtFirst").top() >= sigma.bottom());
    QVERIFY(Frame("Label5").right() <= Frame("txtFirst").left());
    // The polynomial reads from left to right beside the sign, level with it.
    const QStringList row{"Label11", "txt3jou", "Label2", "Label3", "Label4", "txt2jou", "Label6", "Label7", "Label8",
        "txt1jou", "Label9", "Label10", "txt0jou", "Label12"};
    int left = sigma.right();
    for (const QString& name : row) {
        const QRect frame = Frame(name);
        QVERIFY2(frame.left() >= left, qPrintable(name));
        QVERIFY2(frame.top() < sigma.bottom() && frame.bottom() > sigma.top(), qPrintable(name));
        left = frame.right();
    }
    // Raised exponents.
    QVERIFY(Frame("Label3").center().y() < Frame("Label2").center().y());
    QVERIFY(Frame("Label7").center().y() < Frame("Label6").center().y());
    // "= sum" on the next line.
    QVERIFY(Frame("Label13").top() > Frame("txt3jou").bottom());
    QVERIFY(Frame("lblAnswer").left() > Frame("Label13").right());
}

void TestSigmaScreen::calculates_data()
{
    QTest::addColumn<QStringList>("texts"); // first, last, a3, a2, a1, a0
    QTest::addColumn<QString>("answer");

    QTest::newRow("cubes") << QStringList{"1", "10", "1"} << "3025";
    QTest::newRow("K") << QStringList{"1", "10", "", "", "1"} << "55";
    QTest::newRow("constant") << QStringList{"1", "10", "", "", "", "1"} << "10";
    QTest::newRow("constant from 0") << QStringList{"0", "10", "", "", "", "1"} << "11";
    QTest::newRow("squares") << QStringList{"3", "5", "", "1"} << "50";
    QTest::newRow("all ones") << QStringList{"2", "4", "1", "1", "1", "1"} << "140";
    QTest::newRow("single term") << QStringList{"5", "5", "", "", "", "2"} << "2";
    QTest::newRow("half K") << QStringList{"1", "10", "", "", "0.5"} << "27.5";
    QTest::newRow("largest last") << QStringList{"0", "214", "1"} << "529230025";
    QTest::newRow("integral with a point") << QStringList{"3.0", "5", "", "1"} << "50";
    QTest::newRow("full-width") << QStringList{"１", "１０", "１"} << "3025";
    QTest::newRow("negative and fractional") << QStringList{"1", "10", "1", "2", "0.5", "-3"} << "3792.5";
    QTest::newRow("one third") << QStringList{"1", "1", "", "", "", "0.333333333333333"} << "0.333333333333333";
    QTest::newRow("exponent form") << QStringList{"1", "214", "1e10"} << "5.29230025E+18";
}

void TestSigmaScreen::calculates()
{
    QFETCH(QStringList, texts);
    QFETCH(QString, answer);
    QCOMPARE(Calculate(texts), std::nullopt);
    QCOMPARE(Answer(), answer);
    QCOMPARE(ClickForMessage(kSigma, QStringLiteral("cmdKeisan")), std::nullopt);
    QCOMPARE(Answer(), answer);
}

void TestSigmaScreen::rejections_data()
{
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");

    const QString first = QStringLiteral("txtFirst"), last = QStringLiteral("txtLast");
    QTest::newRow("fraction first") << QStringList{"2.5", "10"} << "Σの初期値に小数点は使わないでください！" << first;
    QTest::newRow("negative fraction") << QStringList{"-1.5", "10"} << "Σの初期値に小数点は使わないでください！"
                                       << first;
    QTest::newRow("tiny fraction") << QStringList{"1", "10.000001"} << "Σの最終値に小数点は使わないでください！"
                                   << last;
    QTest::newRow("negative first") << QStringList{"-1", "10"} << "初めの値が負の値になっています。" << first;
    QTest::newRow("negative last") << QStringList{"", "-1"} << "終わりの値が負の値になっています。" << last;
    QTest::newRow("reversed") << QStringList{"5", "3"} << "初めの値が終わりの値より大きいです！！" << first;
    QTest::newRow("reversed above 214") << QStringList{"400", "300"} << "初めの値が終わりの値より大きいです！！"
                                        << first;
    QTest::newRow("last above 214") << QStringList{"1", "215", "1"} << "終わりの値は214以下にしてください。" << last;
    QTest::newRow("fraction before the limit")
        << QStringList{"1", "300.5"} << "Σの最終値に小数点は使わないでください！" << last;
    QTest::newRow("largest 32-bit last") << QStringList{"0", "2147483647"} << "終わりの値は214以下にしてください。"
                                         << last;
    QTest::newRow("first beyond 32 bits") << QStringList{"1e10", "5"} << "Σの初期値の桁が大きすぎます。" << first;
    QTest::newRow("first beyond doubles") << QStringList{"1e400", "5"} << "Σの初期値の桁が大きすぎます。" << first;
    // Both bounds are read before any check.
    QTest::newRow("read before checked") << QStringList{"-2.5", "2147483648"} << "Σの最終値の桁が大きすぎます。"
                                         << last;
    QTest::newRow("last beyond 32 bits") << QStringList{"1", "-1e10"} << "Σの最終値の桁が大きすぎます。" << last;
    // A sum that leaves the double range has no box to blame.
    QTest::newRow("sum beyond range") << QStringList{"1", "214", "1e305"} << FaultMessage() << "cmdKeisan";
}

void TestSigmaScreen::rejections()
{
    QFETCH(QStringList, texts);
    QFETCH(QString, message);
    QFETCH(QString, focus);

    QCOMPARE(Calculate({"1", "10", "1"}), std::nullopt);
    QCOMPARE(Answer(), QStringLiteral("3025"));

    KALVORA_EXPECT_MESSAGE(Calculate(texts), message);
    QCOMPARE(FocusedName(), focus);
    QCOMPARE(Answer(), QStringLiteral("3025"));
    for (int i = 0; i < kBoxes.size(); ++i)
        QCOMPARE(Text(kSigma, kBoxes[i]), texts.value(i));
}

QTEST_MAIN(TestSigmaScreen)
#include "tst_sigma_screen.moc"
