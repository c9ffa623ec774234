// SPDX-License-Identifier: MIT
// The exact view through the real screens: 「分数・√で表示」 shows every
// result in its exact form, or "≈" and its decimal text, once the work on a
// worker thread ends; it redraws at once both ways without calculating
// again, and leaves the decimal view as it was.

#include "calculators.h"
#include "driver.h"
#include "exact_types.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QTest>

#include <map>

using namespace Driver;

namespace {

const QString kQuadratic = QStringLiteral("frm2ji");
const QString kCubic = QStringLiteral("frm3ji");
const QString kQuartic = QStringLiteral("frm4ji");
const QString kSimultaneous = QStringLiteral("frmRenritu");
const QString kDeterminant = QStringLiteral("frmGyouretusiki");
const QString kInverse = QStringLiteral("frmGyaku");
const QString kSigma = QStringLiteral("frmSiguma");
const QString kTriangle = QStringLiteral("frmSankaku");

// What the switch needs of each screen that has one: the screen's last
// control in the keyboard order, which the switch follows, and a calculation
// whose results all have an exact form.
struct SwitchFacts {
    QString lastBeforeSwitch;
    Inputs inputs;
};

const std::map<QString, SwitchFacts>& Switches()
{
    static const std::map<QString, SwitchFacts> switches{
        {kQuadratic, {"txtIP_2", {{"txtRP_0", "2"}, {"txtRP_2", "-1"}}}},
        {kCubic, {"txtNumI_3", {{"txtNumR_0", "1"}, {"txtNumR_3", "-1"}}}},
        {kQuartic, {"txtINum_4", {{"txtRNum_0", "4"}, {"txtRNum_4", "-1"}}}},
        {kSimultaneous, {"optGen_3", {{"txtNum_1", "3"}, {"txtNum_7", "3"}, {"txtNumA_1", "1"}, {"txtNumA_2", "2"}}}},
        {kDeterminant, {"txtNum_7", {{"txtNum_1", "3"}, {"txtNum_7", "0.5"}}}},
        {kInverse, {"Command3", {{"txtNum_1", "3"}, {"txtNum_7", "6"}}}},
        {kSigma, {"cmdKeisan", {{"txtLast", "3"}, {"txt0jou", "0.25"}}}},
        {kTriangle, {"cmdKeisan", {{"txtH_0", "1"}, {"txtH_1", "1"}, {"txtH_2", "1"}}}},
    };
    return switches;
}

QCheckBox* Switch(const QString& form)
{
    return Control<QCheckBox>(form, QStringLiteral("chkExact"));
}

// How long a test waits for exact forms: the first loads the module, and the
// sanitizers slow everything down.
constexpr int kExactWaitMs = 30000;

// Whether the window's exact work has ended.
bool ExactDone(const QString& form)
{
    bool working = true;
    return QMetaObject::invokeMethod(Window(form), "ExactWorking", Q_RETURN_ARG(bool, working)) && !working;
}

} // namespace

class TestExactView : public QObject {
    Q_OBJECT

private slots:
    void init() { StartFresh(); }
    void cleanupTestCase() { CloseAll(); }
    void results_data();
    void results();
    void theSwitch_data();
    void theSwitch();
    void copiedRoots_data();
    void copiedRoots();
    void trueArea();
    void trueRoots();
    void singularNote();
};

void TestExactView::results_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("size"); // a size option to choose first, or ""
    QTest::addColumn<Inputs>("inputs");
    QTest::addColumn<Shown>("exact");

    QTest::newRow("golden ratio") << kQuadratic << "" << Inputs{{"txtRP_0", "1"}, {"txtRP_1", "-1"}, {"txtRP_2", "-1"}}
                                  << Shown{{"lblRAnswer_0", "(1+√5)/2"}, {"lblIAnswer_0", "0"},
                                         {"lblRAnswer_1", "(1-√5)/2"}, {"lblIAnswer_1", "0"}};
    QTest::newRow("x² + 3, imaginary roots in their rows")
        << kQuadratic << "" << Inputs{{"txtRP_0", "1"}, {"txtRP_2", "3"}}
        << Shown{{"lblRAnswer_0", "0"}, {"lblIAnswer_0", "√3"}, {"lblRAnswer_1", "0"}, {"lblIAnswer_1", "-√3"}};
    QTest::newRow("decimal coefficients are exact fractions")
        << kQuadratic << "" << Inputs{{"txtRP_0", "0.5"}, {"txtRP_1", "-0.1"}}
        << Shown{{"lblRAnswer_0", "1/5"}, {"lblIAnswer_0", "0"}, {"lblRAnswer_1", "0"}, {"lblIAnswer_1", "0"}};
    QTest::newRow("cube root of two has no such form")
        << kCubic << "" << Inputs{{"txtNumR_0", "1"}, {"txtNumR_3", "-2"}}
        << Shown{{"lblRAns_0", "≈1.260"}, {"lblIAns_0", "0"}, {"lblRAns_1", "≈-0.630"}, {"lblIAns_1", "≈1.091"}};
    QTest::newRow("x⁴ − 10x² + 1") << kQuartic << ""
                                   << Inputs{{"txtRNum_0", "1"}, {"txtRNum_2", "-10"}, {"txtRNum_4", "1"}}
                                   << Shown{{"lblRNum_0", "-√2-√3"}, {"lblRNum_1", "-√2+√3"}, {"lblRNum_2", "√2+√3"},
                                          {"lblRNum_3", "√2-√3"}, {"lblINum_0", "0"}};
    QTest::newRow("system with a decimal coefficient")
        << kSimultaneous << ""
        << Inputs{{"txtNum_1", "0.1"}, {"txtNum_2", "3"}, {"txtNumA_1", "1"}, {"txtNum_6", "7"}, {"txtNum_7", "1"},
               {"txtNumA_2", "2"}}
        << Shown{{"lblAnswer_1", "50/209"}, {"lblAnswer_2", "68/209"}, {"lblExactNote", ""}};
    QTest::newRow("determinant") << kDeterminant << ""
                                 << Inputs{{"txtNum_1", "0.5"}, {"txtNum_2", "1"}, {"txtNum_6", "3"},
                                        {"txtNum_7", "4.25"}}
                                 << Shown{{"lblAns", "-7/8"}};
    QTest::newRow("inverse in ninths") << kInverse << "optGen_1"
                                       << Inputs{{"txtNum_1", "4"}, {"txtNum_2", "7"}, {"txtNum_3", "2"},
                                              {"txtNum_6", "3"}, {"txtNum_7", "6"}, {"txtNum_8", "1"},
                                              {"txtNum_11", "2"}, {"txtNum_12", "5"}, {"txtNum_13", "3"}}
                                       << Shown{{"lblAns_1", "13/9"}, {"lblAns_2", "-11/9"}, {"lblAns_3", "-5/9"},
                                              {"lblAns_6", "-7/9"}, {"lblAns_7", "8/9"}, {"lblAns_8", "2/9"},
                                              {"lblAns_11", "1/3"}, {"lblAns_12", "-2/3"}, {"lblAns_13", "1/3"},
                                              {"lblExactNote", ""}};
    // Rounding lets the decimal elimination through; exact arithmetic says
    // there is no inverse, in words, and shows no numbers.
    QTest::newRow("singular only exactly") << kInverse << "optGen_1"
                                           << Inputs{{"txtNum_1", "0.1"}, {"txtNum_2", "0.2"}, {"txtNum_3", "0.3"},
                                                  {"txtNum_6", "0.4"}, {"txtNum_7", "0.5"}, {"txtNum_8", "0.6"},
                                                  {"txtNum_11", "0.7"}, {"txtNum_12", "0.8"}, {"txtNum_13", "0.9"}}
                                           << Shown{{"lblAns_1", ""}, {"lblAns_13", ""},
                                                  {"lblExactNote", QString::fromUtf8(kExactSingularInverseMessage)}};
    QTest::newRow("sum with decimal coefficients")
        << kSigma << "" << Inputs{{"txtLast", "10"}, {"txtFirst", "1"}, {"txt3jou", "0.1"}, {"txt0jou", "1e-3"}}
        << Shown{{"lblAnswer", "30251/100"}};
    QTest::newRow("sum beyond the double's 53 bits")
        << kSigma << "" << Inputs{{"txtLast", "214"}, {"txtFirst", "0"}, {"txt3jou", "123456789"}}
        << Shown{{"lblAnswer", "65337039528889725"}};
    QTest::newRow("Heron 2, 3, 4") << kTriangle << "" << Inputs{{"txtH_0", "2"}, {"txtH_1", "3"}, {"txtH_2", "4"}}
                                   << Shown{{"lblAnswer", "3√15/4"}};
    QTest::newRow("two sides and 45°") << kTriangle << "" << Inputs{{"txtH_0", "2"}, {"txtH_1", "3"}, {"txtK_2", "45"}}
                                       << Shown{{"lblAnswer", "3√2/2"}};
    QTest::newRow("a 40° angle") << kTriangle << "" << Inputs{{"txtH_0", "5"}, {"txtH_1", "7"}, {"txtK_2", "40"}}
                                 << Shown{{"lblAnswer", "≈11.25"}};
}

void TestExactView::results()
{
    QFETCH(QString, form);
    QFETCH(QString, size);
    QFETCH(Inputs, inputs);
    QFETCH(Shown, exact);
    const QString calculate = CalculatorOf(form).calculate;

    Click(kMenu, CalculatorOf(form).button);
    if (!size.isEmpty())
        Click(form, size);
    Fill(form, inputs);
    QCOMPARE(ClickForMessage(form, calculate), std::nullopt);
    const QStringList decimal = Read(form, exact);
    // Nothing exact runs while the switch is off.
    QVERIFY(ExactDone(form));

    // On: the exact forms when their work ends, without calculating again;
    // off: the decimals as they were, at once; on again: the forms at once;
    // a calculation with the switch on shows exact forms when their work ends.
    Click(form, QStringLiteral("chkExact"));
    QTRY_COMPARE_WITH_TIMEOUT(Read(form, exact), Expected(exact), kExactWaitMs);
    Click(form, QStringLiteral("chkExact"));
    QCOMPARE(Read(form, exact), decimal);
    Click(form, QStringLiteral("chkExact"));
    QCOMPARE(Read(form, exact), Expected(exact));
    QCOMPARE(ClickForMessage(form, calculate), std::nullopt);
    QTRY_COMPARE_WITH_TIMEOUT(Read(form, exact), Expected(exact), kExactWaitMs);
}

void TestExactView::copiedRoots_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<Inputs>("inputs");
    QTest::addColumn<QString>("copied");

    QTest::newRow("a root stands apart from its i")
        << kQuadratic << Inputs{{"txtRP_0", "1"}, {"txtRP_2", "3"}} << "x1 = 0 + √3 i\nx2 = 0 - √3 i";
    QTest::newRow("a fraction stands apart from its i")
        << kQuadratic << Inputs{{"txtRP_0", "2"}, {"txtRP_1", "2"}, {"txtRP_2", "1"}}
        << "x1 = -1/2 + 1/2 i\nx2 = -1/2 - 1/2 i";
    QTest::newRow("the sign of an approximate part joins the parts")
        << kCubic << Inputs{{"txtNumR_0", "1"}, {"txtNumR_3", "-2"}}
        << "x1 = ≈1.260 + 0i\nx2 = ≈-0.630 + ≈1.091i\nx3 = ≈-0.630 - ≈1.091i";
}

// What Ctrl+C copies of roots in the exact view reads one way only.
void TestExactView::copiedRoots()
{
    QFETCH(QString, form);
    QFETCH(Inputs, inputs);
    QFETCH(QString, copied);

    Click(kMenu, CalculatorOf(form).button);
    Fill(form, inputs);
    Click(form, QStringLiteral("chkExact"));
    QCOMPARE(ClickForMessage(form, CalculatorOf(form).calculate), std::nullopt);
    QTRY_VERIFY_WITH_TIMEOUT(ExactDone(form), kExactWaitMs);
    QApplication::clipboard()->clear();
    QVERIFY(QMetaObject::invokeMethod(Window(form), "CopyResults"));
    QCOMPARE(QApplication::clipboard()->text(), copied);
}

// The decimal area uses π to ten decimals; the exact view shows the true area
// and says why the two differ.
void TestExactView::trueArea()
{
    Click(kMenu, CalculatorOf(kTriangle).button);
    Fill(kTriangle, Inputs{{"txtH_0", "1000000"}, {"txtH_1", "1000000"}, {"txtK_2", "30"}});
    QCOMPARE(ClickForMessage(kTriangle, CalculatorOf(kTriangle).calculate), std::nullopt);
    auto* area = Control<QLabel>(kTriangle, QStringLiteral("lblAnswer"));
    QCOMPARE(area->text(), QStringLiteral("249999999993.52"));
    Click(kTriangle, QStringLiteral("chkExact"));
    QTRY_COMPARE(area->text(), QStringLiteral("250000000000"));
    QVERIFY(ToolTipShown(area).contains(QStringLiteral("3.1415926535")));
}

// Coefficients of very different sizes: the decimal solver loses the small
// root to cancellation, the exact view shows the true one.
void TestExactView::trueRoots()
{
    Click(kMenu, CalculatorOf(kQuadratic).button);
    Fill(kQuadratic, Inputs{{"txtRP_0", "6e-96"}, {"txtRP_1", "7e-72"}, {"txtRP_2", "4e-67"}});
    QCOMPARE(ClickForMessage(kQuadratic, CalculatorOf(kQuadratic).calculate), std::nullopt);
    const Shown small{{"lblRAnswer_0", "0.000"}, {"lblIAnswer_0", "0.000"}};
    QCOMPARE(Read(kQuadratic, small), Expected(small));
    Click(kQuadratic, QStringLiteral("chkExact"));
    const Shown exact{{"lblRAnswer_0", "≈-57142.857"}, {"lblIAnswer_0", "0"}};
    QTRY_COMPARE_WITH_TIMEOUT(Read(kQuadratic, exact), Expected(exact), kExactWaitMs);
    QVERIFY(ToolTipShown(Control<QLabel>(kQuadratic, QStringLiteral("lblRAnswer_0")))
                .contains(QStringLiteral("小数で計算したときの誤差")));
}

// The words for a matrix singular only in exact arithmetic stand where its
// inverse would be, and only while the exact view says them.
void TestExactView::singularNote()
{
    Click(kMenu, CalculatorOf(kInverse).button);
    Click(kInverse, QStringLiteral("optGen_1"));
    Fill(kInverse,
        Inputs{{"txtNum_1", "0.1"}, {"txtNum_2", "0.2"}, {"txtNum_3", "0.3"}, {"txtNum_6", "0.4"}, {"txtNum_7", "0.5"},
            {"txtNum_8", "0.6"}, {"txtNum_11", "0.7"}, {"txtNum_12", "0.8"}, {"txtNum_13", "0.9"}});
    QCOMPARE(ClickForMessage(kInverse, CalculatorOf(kInverse).calculate), std::nullopt);
    QWidget* window = Window(kInverse);
    auto* note = Control<QLabel>(kInverse, QStringLiteral("lblExactNote"));
    QVERIFY(!note->isVisible());

    Click(kInverse, QStringLiteral("chkExact"));
    QTRY_VERIFY(note->isVisible());
    QRect results;
    for (int k : {1, 5, 21, 25}) {
        const QWidget* cell = Control<QLabel>(kInverse, QStringLiteral("lblAns_%1").arg(k));
        results |= QRect(cell->mapTo(window, QPoint(0, 0)), cell->size());
    }
    const QRect noteArea(note->mapTo(window, QPoint(0, 0)), note->size());
    QVERIFY(results.contains(noteArea));
    QVERIFY(note->fontMetrics().boundingRect(noteArea, Qt::TextWordWrap, note->text()).height() <= noteArea.height());

    Click(kInverse, QStringLiteral("chkExact"));
    QVERIFY(!note->isVisible());
    Click(kInverse, QStringLiteral("chkExact"));
    QVERIFY(note->isVisible());
    Click(kInverse, CalculatorOf(kInverse).reset);
    QVERIFY(!note->isVisible());
}

// Every calculator the menu offers: the GCD, whose results are whole
// numbers, has no switch; every other one has.
void TestExactView::theSwitch_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<bool>("hasSwitch");
    for (const CalculatorInfo& calculator : Calculators())
        QTest::newRow(qPrintable(calculator.form))
            << calculator.form << (calculator.form != QLatin1String("frmKouyaku"));
}

void TestExactView::theSwitch()
{
    QFETCH(QString, form);
    QFETCH(bool, hasSwitch);
    const CalculatorInfo& calculator = CalculatorOf(form);

    Click(kMenu, calculator.button);
    QCheckBox* exact = Switch(form);
    QCOMPARE(exact != nullptr, hasSwitch);
    if (!hasSwitch)
        return;
    const auto facts = Switches().find(form);
    QVERIFY2(facts != Switches().end(), "no example for this calculator");
    const QString& lastBeforeSwitch = facts->second.lastBeforeSwitch;
    QCOMPARE(exact->text(), QStringLiteral("分数・√で表示"));
    QVERIFY(!exact->isChecked());
    // Last in the keyboard order, after the screen's own last control.
    QCOMPARE(TabOrder(form, lastBeforeSwitch, 2), (QStringList{lastBeforeSwitch, "chkExact"}));

    // With nothing calculated it changes nothing and starts no work.
    Click(form, QStringLiteral("chkExact"));
    QVERIFY(exact->isChecked());
    QVERIFY(ExactDone(form));
    for (QLabel* label : Results(form))
        QVERIFY2(label->text().isEmpty(), qPrintable(label->objectName()));

    // A result in the exact view; reset empties it and keeps the switch on;
    // a new calculation is exact at once.
    Fill(form, facts->second.inputs);
    QCOMPARE(ClickForMessage(form, calculator.calculate), std::nullopt);
    QTRY_VERIFY_WITH_TIMEOUT(ExactDone(form), kExactWaitMs);
    QStringList shown;
    for (QLabel* label : Results(form))
        if (!label->text().isEmpty())
            shown << label->text();
    QVERIFY(!shown.isEmpty());
    QVERIFY2(std::none_of(shown.begin(), shown.end(), [](const QString& t) { return t.contains(QLatin1Char('.')); }),
        qPrintable(shown.join(QLatin1Char(' '))));
    Click(form, calculator.reset);
    QVERIFY(exact->isChecked());
    // Back to the menu and in again: the switch starts unchecked.
    Click(form, calculator.back);
    Click(kMenu, calculator.button);
    QVERIFY(!Switch(form)->isChecked());
}

QTEST_MAIN(TestExactView)
#include "tst_exact_view.moc"
