// SPDX-License-Identifier: MIT
// The simultaneous-equations, determinant and inverse screens, driven through
// the menu: every worked example, the refusals, the size options, the
// keyboard order and the layout, in tables shared by the three screens.

#include "calculators.h"
#include "matrix_driver.h"
#include "message_box.h"

#include <QGroupBox>
#include <QRadioButton>

using namespace Driver;
using namespace MatrixDriver;

namespace {

const QString kRenritu = QStringLiteral("frmRenritu");
const QString kGyouretusiki = QStringLiteral("frmGyouretusiki");
const QString kGyaku = QStringLiteral("frmGyaku");
const QString kNoSolution = QStringLiteral("この連立方程式は解けません");
const QString kNoInverse = QStringLiteral("逆行列は存在しません");

void ChooseOrder(const QString& form, int n)
{
    Click(form, QStringLiteral("optGen_%1").arg(n - 2));
}

// Every result label of the screen, and those of the top-left n × n block.
QStringList AllResults(const QString& form)
{
    if (form == kGyouretusiki)
        return {QStringLiteral("lblAns")};
    return form == kRenritu ? Numbered(QStringLiteral("lblAnswer"), 1, 5) : Numbered(QStringLiteral("lblAns"), 1, 25);
}

QStringList BlockResults(const QString& form, int n)
{
    if (form == kGyouretusiki)
        return {QStringLiteral("lblAns")};
    return form == kRenritu ? Numbered(QStringLiteral("lblAnswer"), 1, n) : Block(QStringLiteral("lblAns"), n);
}

// Types the matrix (and, on the equations screen, the right-hand sides) and
// presses "計算！".
std::optional<Message> Calculate(const QString& form, const QStringList& rows, const QStringList& rhs = {})
{
    TypeMatrix(form, rows);
    for (int i = 1; i <= rhs.size(); ++i)
        Type(form, QStringLiteral("txtNumA_%1").arg(i), rhs[i - 1] == QLatin1String("_") ? QString() : rhs[i - 1]);
    return ClickForMessage(form, QStringLiteral("Command3"));
}

// The unit matrix of order n (right-hand sides 1 .. n): a calculation that
// always succeeds.
std::optional<Message> CalculateUnit(const QString& form, int n)
{
    QStringList rows, rhs;
    for (int i = 1; i <= n; ++i) {
        rows.append(QStringList(i - 1, QStringLiteral("_")).join(' ') + (i > 1 ? " 1" : "1"));
        rhs.append(QString::number(i));
    }
    return Calculate(form, rows, form == kRenritu ? rhs : QStringList{});
}

} // namespace

class TestMatrixScreens : public QObject {
    Q_OBJECT

private slots:
    void cleanupTestCase() { CloseAll(); }

    void startState_data();
    void startState();
    void lettersStayOnTheEquationsScreen();
    void barsSpanTheWholeGrid();
    void inverseReadsLikeAFormula();
    void calculates_data();
    void calculates();
    void refusalKeepsTheResults_data();
    void refusalKeepsTheResults();
    void sizeOptions_data();
    void sizeOptions();
    void focusOrder_data();
    void focusOrder();
    void layout_data();
    void layout();
};

void TestMatrixScreens::startState_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("texts"); // "name=text" of fixed captions
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QStringList>("accessible"); // "name=accessible name"

    const QStringList matrixSizes{"optGen_0=２×２次", "optGen_1=３×３次", "optGen_2=４×４次", "optGen_3=５×５次"};
    QTest::newRow("equations") << kRenritu << "連立方程式－Kalvora"
                               << QStringList{"optGen_0=２元連立方程式", "optGen_1=３元連立方程式",
                                      "optGen_2=４元連立方程式", "optGen_3=５元連立方程式",
                                      "Label6=係数を入力してください", "Label7=空白の場合は０と見なします"}
                               << "txtNum_1"
                               << QStringList{"txtNum_2=式1 の B の係数", "txtNumA_2=式2 の右辺", "lblAnswer_1=A の値"};
    QTest::newRow("determinant") << kGyouretusiki << "行列式－Kalvora"
                                 << matrixSizes
            + QStringList{"Label1=数値を入れてください", "Label2=空白の場合は０と見なします", "Label3=="}
                                 << "Command1" << QStringList{"txtNum_2=1行2列", "lblAns=行列式の値"};
    QTest::newRow("inverse") << kGyaku << "逆行列－Kalvora"
                             << matrixSizes
            + QStringList{"Label2=数値を入力してください", "Label1=空白の場合は０と見なします", "Label28=-1"}
                             << "optGen_0" << QStringList{"txtNum_6=2行1列", "lblAns_2=逆行列 1行2列"};
}

void TestMatrixScreens::startState()
{
    QFETCH(QString, form);
    QFETCH(QString, caption);
    QFETCH(QStringList, texts);
    QFETCH(QString, focus);
    QFETCH(QStringList, accessible);
    OpenCalculator(form);

    QCOMPARE(Window(form)->windowTitle(), caption);
    QCOMPARE(Control<QGroupBox>(form, QStringLiteral("Frame1"))->title(),
        form == kRenritu ? QStringLiteral("何元連立方程式ですか？") : QStringLiteral("何次の行列ですか？"));
    for (const QString& entry : texts)
        QCOMPARE(Text(form, entry.section('=', 0, 0)), entry.section('=', 1));
    for (const QString& entry : accessible)
        QCOMPARE(Control(form, entry.section('=', 0, 0))->accessibleName(), entry.section('=', 1));
    for (int index = 0; index < 4; ++index) {
        auto* option = Control<QRadioButton>(form, QStringLiteral("optGen_%1").arg(index));
        QCOMPARE(option->parentWidget()->objectName(), QStringLiteral("Frame1"));
        QCOMPARE(option->isChecked(), index == 0);
    }
    QCOMPARE(Visible<QLineEdit>(form, QStringLiteral("txtNum_")), Block(QStringLiteral("txtNum"), 2));
    QCOMPARE(Texts(form, AllResults(form)), QStringList(AllResults(form).size(), QString()));
    QCOMPARE(FocusedName(), focus);
}

void TestMatrixScreens::lettersStayOnTheEquationsScreen()
{
    // With two unknowns every equation row still reads "A+ B+ C+ D+ E=", and
    // the answer lines "A=" to "E=" all show.
    OpenCalculator(kRenritu);
    QCOMPARE(Visible<QLineEdit>(kRenritu, QStringLiteral("txtNumA_")), (QStringList{"txtNumA_1", "txtNumA_2"}));
    for (int i = 0; i < 5; ++i) {
        for (int j = 1; j <= 5; ++j) {
            auto* letter = Control<QLabel>(kRenritu, QStringLiteral("Label%1_%2").arg(j).arg(i));
            QVERIFY(letter->isVisible());
            QCOMPARE(letter->text(), QString(QLatin1Char("ABCDE"[j - 1])) + (j < 5 ? "+" : "="));
        }
        QCOMPARE(Text(kRenritu, QStringLiteral("Label%1").arg(8 + i)), QString(QLatin1Char("ABCDE"[i])) + "=");
        QVERIFY(Control(kRenritu, QStringLiteral("lblAnswer_%1").arg(i + 1))->isVisible());
    }
    // Box, letter, box, …, "E=", right-hand side, from left to right.
    QVERIFY(Control(kRenritu, QStringLiteral("Label1_0"))->x() > Control(kRenritu, Box(1, 1))->x());
    QVERIFY(Control(kRenritu, Box(1, 2))->x() > Control(kRenritu, QStringLiteral("Label1_0"))->x());
    QVERIFY(Control(kRenritu, QStringLiteral("txtNumA_1"))->x() > Control(kRenritu, QStringLiteral("Label5_0"))->x());
}

void TestMatrixScreens::barsSpanTheWholeGrid()
{
    OpenCalculator(kGyouretusiki);
    QWidget* bar1 = Control(kGyouretusiki, QStringLiteral("Line1"));
    QWidget* bar2 = Control(kGyouretusiki, QStringLiteral("Line2"));
    QWidget* first = Control(kGyouretusiki, Box(1, 1));
    QWidget* last = Control(kGyouretusiki, Box(5, 5));
    QVERIFY(bar1->isVisible() && bar2->isVisible());
    QVERIFY(bar1->geometry().right() < first->x() && bar2->x() > last->geometry().right());
    QVERIFY(bar1->y() <= first->y() && bar1->geometry().bottom() >= last->geometry().bottom());
    QCOMPARE(bar2->geometry().top(), bar1->geometry().top());
    QCOMPARE(bar2->height(), bar1->height());
    QVERIFY(Control(kGyouretusiki, QStringLiteral("Label3"))->y() > last->geometry().bottom());
}

void TestMatrixScreens::inverseReadsLikeAFormula()
{
    // ( input )^-1 = ( result ), every stroke present and in that order.
    OpenCalculator(kGyaku);
    const auto at = [](const QString& name) { return InWindow(kGyaku, name).topLeft(); };
    for (int line : {1, 2, 3, 4, 5, 6, 7, 9, 10, 11, 12, 13, 14, 15})
        QVERIFY(Control(kGyaku, QStringLiteral("Line%1").arg(line))->isVisible());
    QVERIFY(at("Line2").x() < at(Box(1, 1)).x());
    QVERIFY(at("Line5").x() > at(Box(5, 5)).x());
    QVERIFY(at("Label28").x() > at("Line5").x());
    QVERIFY(at("Label28").y() < at(Box(1, 1)).y());
    QVERIFY(at("Line7").x() > at("Label28").x());
    QCOMPARE(at("Line9").x(), at("Line7").x());
    QVERIFY(at("Line9").y() > at("Line7").y());
    QVERIFY(at("Line11").x() > at("Line7").x());
    QVERIFY(at("lblAns_1").x() > at("Line11").x());
    QVERIFY(at("Line14").x() > at("lblAns_25").x());
    QVERIFY(Control(kGyaku, QStringLiteral("lblAns_1"))->width() > Control(kGyaku, Box(1, 1))->width());
}

void TestMatrixScreens::calculates_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<int>("n");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QStringList>("rhs");
    QTest::addColumn<QString>("results"); // the block's result labels, row by row

    const QStringList none;
    QTest::newRow("2A+B=5, A-B=1") << kRenritu << 2 << QStringList{"2 1", "1 -1"} << QStringList{"5", "1"}
                                   << "2.000000 1.000000";
    QTest::newRow("zero in the first pivot place")
        << kRenritu << 2 << QStringList{"0 1", "1 1"} << QStringList{"2", "3"} << "1.000000 2.000000";
    QTest::newRow("exchange at the second step") << kRenritu << 3 << QStringList{"1 0 0", "0 0 1", "0 1 0"}
                                                 << QStringList{"1", "2", "3"} << "1.000000 3.000000 2.000000";
    QTest::newRow("thirds") << kRenritu << 2 << QStringList{"3 0", "0 3"} << QStringList{"1", "2"}
                            << "0.333333 0.666667";
    QTest::newRow("tie keeps the upper row")
        << kRenritu << 2 << QStringList{"1 1", "-1 1"} << QStringList{"2", "0"} << "1.000000 1.000000";
    QTest::newRow("letters count as zero")
        << kRenritu << 2 << QStringList{"2 abc", "1 1"} << QStringList{"4", "5"} << "2.000000 3.000000";
    QTest::newRow("full-width digits") << kRenritu << 2 << QStringList{"２ １", "1 -1"} << QStringList{"５", "1"}
                                       << "2.000000 1.000000";
    QTest::newRow("four unknowns") << kRenritu << 4 << QStringList{"1 1 1 1", "1 -1", "_ 1 -1", "_ _ 1 -1"}
                                   << QStringList{"10", "-1", "-1", "-1"} << "1.000000 2.000000 3.000000 4.000000";
    QTest::newRow("five unknowns") << kRenritu << 5 << QStringList{"2 1", "1 2 1", "_ 1 2 1", "_ _ 1 2 1", "_ _ _ 1 2"}
                                   << QStringList{"4", "8", "12", "16", "14"}
                                   << "1.000000 2.000000 3.000000 4.000000 5.000000";

    QTest::newRow("1 2 / 3 4") << kGyouretusiki << 2 << QStringList{"1 2", "3 4"} << none << "-2.000";
    QTest::newRow("2 0 / 0 3") << kGyouretusiki << 2 << QStringList{"2 0", "0 3"} << none << "6.000";
    QTest::newRow("0 1 / 1 0") << kGyouretusiki << 2 << QStringList{"0 1", "1 0"} << none << "-1.000";
    QTest::newRow("zero row") << kGyouretusiki << 2 << QStringList{"0 0", "1 2"} << none << "0.000";
    QTest::newRow("zero first column") << kGyouretusiki << 2 << QStringList{"0 1", "0 2"} << none << "0.000";
    QTest::newRow("all blank") << kGyouretusiki << 2 << QStringList{"_ _", "_ _"} << none << "0.000";
    // One exchange and an exactly zero last element: a negative zero.
    QTest::newRow("1 2 / 2 4") << kGyouretusiki << 2 << QStringList{"1 2", "2 4"} << none << "0.000";
    QTest::newRow("tridiagonal") << kGyouretusiki << 3 << QStringList{"2 1 0", "1 3 1", "0 1 4"} << none << "18.000";
    QTest::newRow("one exchange of three")
        << kGyouretusiki << 3 << QStringList{"0 2 0", "3 0 0", "0 0 4"} << none << "-24.000";
    QTest::newRow("rounding hidden by three decimals")
        << kGyouretusiki << 3 << QStringList{"1 2 3", "4 5 6", "7 8 10"} << none << "-3.000";
    QTest::newRow("order 4") << kGyouretusiki << 4 << QStringList{"_ 1", "1", "_ _ _ 2", "_ _ 3"} << none << "6.000";
    QTest::newRow("diagonal 1 to 5") << kGyouretusiki << 5 << QStringList{"1", "_ 2", "_ _ 3", "_ _ _ 4", "_ _ _ _ 5"}
                                     << none << "120.000";
    QTest::newRow("rounds half away from zero")
        << kGyouretusiki << 2 << QStringList{"0.0005 0", "0 1"} << none << "0.001";
    QTest::newRow("1e300 written in full") << kGyouretusiki << 2 << QStringList{"1e150 0", "0 1e150"} << none
                                           << QStringLiteral("1") + QString(300, QLatin1Char('0')) + ".000";

    QTest::newRow("2 1 / 1 3") << kGyaku << 2 << QStringList{"2 1", "1 3"} << none << "0.600 -0.200 -0.200 0.400";
    QTest::newRow("4 7 / 2 6") << kGyaku << 2 << QStringList{"4 7", "2 6"} << none << "0.600 -0.700 -0.200 0.400";
    QTest::newRow("exchange first") << kGyaku << 2 << QStringList{"0 2", "3 1"} << none << "-0.167 0.333 0.500 0.000";
    QTest::newRow("swap matrix") << kGyaku << 2 << QStringList{"0 1", "1 0"} << none << "0.000 1.000 1.000 0.000";
    QTest::newRow("exchange second") << kGyaku << 3 << QStringList{"1 0 0", "0 0 2", "0 4 0"} << none
                                     << "1.000 0.000 0.000 0.000 0.000 0.250 0.000 0.500 0.000";
    QTest::newRow("diagonal 2 4 8") << kGyaku << 3 << QStringList{"2 0 0", "0 4 0", "0 0 8"} << none
                                    << "0.500 0.000 0.000 0.000 0.250 0.000 0.000 0.000 0.125";
    // Zeros divided by a negative pivot are negative zeros; they show as 0.
    QTest::newRow("negative pivots") << kGyaku << 2 << QStringList{"-2 0", "0 -4"} << none
                                     << "-0.500 0.000 0.000 -0.250";
    QTest::newRow("order 4") << kGyaku << 4 << QStringList{"_ 1", "1", "_ _ _ 2", "_ _ 4"} << none
                             << "0.000 1.000 0.000 0.000 1.000 0.000 0.000 0.000 "
                                "0.000 0.000 0.000 0.250 0.000 0.000 0.500 0.000";
    QTest::newRow("order 5") << kGyaku << 5 << QStringList{"1 1", "_ 1 1", "_ _ 1 1", "_ _ _ 1 1", "_ _ _ _ 1"} << none
                             << "1.000 -1.000 1.000 -1.000 1.000 0.000 1.000 -1.000 1.000 -1.000 "
                                "0.000 0.000 1.000 -1.000 1.000 0.000 0.000 0.000 1.000 -1.000 "
                                "0.000 0.000 0.000 0.000 1.000";
}

void TestMatrixScreens::calculates()
{
    QFETCH(QString, form);
    QFETCH(int, n);
    QFETCH(QStringList, rows);
    QFETCH(QStringList, rhs);
    QFETCH(QString, results);
    OpenCalculator(form);
    if (n != 2)
        ChooseOrder(form, n);
    QCOMPARE(Calculate(form, rows, rhs), std::nullopt);
    QCOMPARE(Texts(form, BlockResults(form, n)).join(' '), results);
    // Results outside the block stay blank; a second press gives the same.
    for (const QString& label : AllResults(form))
        if (!BlockResults(form, n).contains(label))
            QCOMPARE(Text(form, label), QString());
    QCOMPARE(ClickForMessage(form, QStringLiteral("Command3")), std::nullopt);
    QCOMPARE(Texts(form, BlockResults(form, n)).join(' '), results);
}

void TestMatrixScreens::refusalKeepsTheResults_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QStringList>("rhs");
    QTest::addColumn<QString>("message");

    const QStringList none;
    QTest::newRow("first equation blank")
        << kRenritu << QStringList{"_ _", "1 2"} << QStringList{"_", "3"} << kNoSolution;
    QTest::newRow("zero coefficients, right-hand side set")
        << kRenritu << QStringList{"1 2", "0 0"} << QStringList{"3", "7"} << kNoSolution;
    QTest::newRow("column A all zero") << kRenritu << QStringList{"0 1", "0 2"} << QStringList{"1", "2"} << kNoSolution;
    QTest::newRow("dependent equations") << kRenritu << QStringList{"1 2", "2 4"} << QStringList{"3", "6"}
                                         << kNoSolution;
    QTest::newRow("equations: quotient beyond range")
        << kRenritu << QStringList{"1e200 0", "0 1e-200"} << QStringList{"1", "1e200"} << FaultMessage();
    QTest::newRow("equations: difference beyond range")
        << kRenritu << QStringList{"1 1.5e308", "-1 1.5e308"} << QStringList{"1", "1"} << FaultMessage();
    QTest::newRow("equations: typed beyond range")
        << kRenritu << QStringList{"1e400 1", "1 1"} << QStringList{"1", "1"} << FaultMessage();
    QTest::newRow("determinant: product beyond range")
        << kGyouretusiki << QStringList{"1e200 0", "0 1e200"} << none << FaultMessage();
    QTest::newRow("inverse: zero row") << kGyaku << QStringList{"0 0", "1 2"} << none << kNoInverse;
    QTest::newRow("inverse: all blank") << kGyaku << QStringList{"_ _", "_ _"} << none << kNoInverse;
    QTest::newRow("inverse: zero second pivot") << kGyaku << QStringList{"1 2", "2 4"} << none << kNoInverse;
    QTest::newRow("inverse: zero column") << kGyaku << QStringList{"0 1", "0 2"} << none << kNoInverse;
    QTest::newRow("inverse: quotient beyond range")
        << kGyaku << QStringList{"1e-200 1e200", "0 1e-200"} << none << FaultMessage();
}

void TestMatrixScreens::refusalKeepsTheResults()
{
    QFETCH(QString, form);
    QFETCH(QStringList, rows);
    QFETCH(QStringList, rhs);
    QFETCH(QString, message);
    OpenCalculator(form);
    QCOMPARE(CalculateUnit(form, 2), std::nullopt);
    const QStringList before = Texts(form, AllResults(form));
    QVERIFY(!before.first().isEmpty());

    KALVORA_EXPECT_MESSAGE(Calculate(form, rows, rhs), message);
    QCOMPARE(Texts(form, AllResults(form)), before);
    const QString first = rows[0].section(' ', 0, 0);
    QCOMPARE(Text(form, Box(1, 1)), first == QLatin1String("_") ? QString() : first);
    QCOMPARE(OpenWindows(), QStringList{form});
}

void TestMatrixScreens::sizeOptions_data()
{
    QTest::addColumn<QString>("form");
    QTest::newRow("equations") << kRenritu;
    QTest::newRow("determinant") << kGyouretusiki;
    QTest::newRow("inverse") << kGyaku;
}

void TestMatrixScreens::sizeOptions()
{
    QFETCH(QString, form);
    OpenCalculator(form);
    const auto expectBlank = [&form](int n) {
        for (QLineEdit* box : Window(form)->findChildren<QLineEdit*>())
            QCOMPARE(box->text(), QString());
        QCOMPARE(Texts(form, AllResults(form)), QStringList(AllResults(form).size(), QString()));
        QCOMPARE(Visible<QLineEdit>(form, QStringLiteral("txtNum_")), Block(QStringLiteral("txtNum"), n));
        if (form == kRenritu)
            QCOMPARE(Visible<QLineEdit>(form, QStringLiteral("txtNumA_")), Numbered(QStringLiteral("txtNumA"), 1, n));
        if (form == kGyaku)
            QCOMPARE(Visible<QLabel>(form, QStringLiteral("lblAns_")), Block(QStringLiteral("lblAns"), n));
    };
    QCOMPARE(CalculateUnit(form, 2), std::nullopt);
    const QSize size = Window(form)->size();
    const QPoint bar = Control(form, form == kRenritu ? QStringLiteral("Label5_4") : QStringLiteral("Line2"))->pos();

    // Another size blanks everything and shows its block; nothing moves.
    ChooseOrder(form, 3);
    expectBlank(3);
    QCOMPARE(Window(form)->size(), size);
    QCOMPARE(Control(form, form == kRenritu ? QStringLiteral("Label5_4") : QStringLiteral("Line2"))->pos(), bar);

    // Reset blanks everything and keeps the size.
    QCOMPARE(CalculateUnit(form, 3), std::nullopt);
    Click(form, QStringLiteral("Command2"));
    QVERIFY(Control<QRadioButton>(form, QStringLiteral("optGen_1"))->isChecked());
    expectBlank(3);

    // A click on the size already chosen starts afresh too.
    QCOMPARE(CalculateUnit(form, 3), std::nullopt);
    ChooseOrder(form, 3);
    expectBlank(3);

    // The arrow keys choose a size as a click does (the determinant screen
    // stacks its options).
    Control(form, QStringLiteral("optGen_1"))->setFocus();
    QTest::keyClick(QApplication::focusWidget(), form == kGyouretusiki ? Qt::Key_Down : Qt::Key_Right);
    QVERIFY(Control<QRadioButton>(form, QStringLiteral("optGen_2"))->isChecked());
    expectBlank(4);
    ChooseOrder(form, 5);
    expectBlank(5);
    QCOMPARE(Window(form)->size(), size);
}

void TestMatrixScreens::focusOrder_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QStringList>("stops");

    const QStringList buttons{"Command1", "Command2", "Command3"};
    QStringList equations5;
    for (int i = 1; i <= 5; ++i)
        equations5
            += Numbered(QStringLiteral("txtNum"), 5 * i - 4, 5 * i) + QStringList{QStringLiteral("txtNumA_%1").arg(i)};
    // Tab visits only the chosen option of the group.
    QTest::newRow("equations 2") << kRenritu << 2 << "txtNum_1"
                                 << QStringList{"txtNum_2", "txtNumA_1", "txtNum_6", "txtNum_7", "txtNumA_2"} + buttons
            + QStringList{"optGen_0", "chkExact", "txtNum_1"};
    QTest::newRow("equations 5") << kRenritu << 5 << "txtNum_1"
                                 << equations5.mid(1) + buttons + QStringList{"optGen_3", "chkExact", "txtNum_1"};
    QTest::newRow("determinant 2") << kGyouretusiki << 2 << "Command1"
                                   << buttons.mid(1) + QStringList{"optGen_0"} + Block(QStringLiteral("txtNum"), 2)
            + QStringList{"chkExact", "Command1"};
    QTest::newRow("determinant 5") << kGyouretusiki << 5 << "Command1"
                                   << buttons.mid(1) + QStringList{"optGen_3"} + Block(QStringLiteral("txtNum"), 5)
            + QStringList{"chkExact", "Command1"};
    QTest::newRow("inverse 2") << kGyaku << 2 << "optGen_0"
                               << Block(QStringLiteral("txtNum"), 2) + buttons + QStringList{"chkExact", "optGen_0"};
    QTest::newRow("inverse 5") << kGyaku << 5 << "optGen_3"
                               << Block(QStringLiteral("txtNum"), 5) + buttons + QStringList{"chkExact", "optGen_3"};
}

void TestMatrixScreens::focusOrder()
{
    QFETCH(QString, form);
    QFETCH(int, n);
    QFETCH(QString, start);
    QFETCH(QStringList, stops);
    OpenCalculator(form);
    if (n != 2) {
        ChooseOrder(form, n);
        Control(form, start)->setFocus();
    }
    QCOMPARE(FocusedName(), start);
    QCOMPARE(TabWalk(static_cast<int>(stops.size())), stops);
}

void TestMatrixScreens::layout_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<int>("n");
    for (const QString& form : {kRenritu, kGyouretusiki, kGyaku})
        for (int n : {2, 5})
            QTest::addRow("%s %d", qPrintable(form), n) << form << n;
}

void TestMatrixScreens::layout()
{
    QFETCH(QString, form);
    QFETCH(int, n);
    OpenCalculator(form);
    ChooseOrder(form, n);
    // Small diagonal entries and wide texts: results near -10000 with all
    // their decimals.
    QStringList rows, rhs;
    for (int i = 1; i <= n; ++i) {
        QStringList row(n, QStringLiteral("0.001"));
        row[i - 1] = QStringLiteral("-0.0001");
        rows.append(row.join(' '));
        rhs.append(QStringLiteral("-1.25"));
    }
    QCOMPARE(Calculate(form, rows, form == kRenritu ? rhs : QStringList{}), std::nullopt);
    QCOMPARE(LayoutFault(form), QString());
}

QTEST_MAIN(TestMatrixScreens)
#include "tst_matrix_screens.moc"
