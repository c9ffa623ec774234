// SPDX-License-Identifier: MIT
// What every calculator shares, checked on all nine through the real menu: the
// button row, the empty start, a repeated calculation, reset, and back to a
// fresh menu after which the calculator opens empty again; results that a
// screen reader can read and the keyboard can copy.

#include "calculators.h"
#include "driver.h"
#include "result_label.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <map>

using namespace Driver;

namespace {

// "name=text" of every box, or of every result, sorted.
QStringList Texts(const QString& form, bool boxes)
{
    QStringList texts;
    if (boxes) {
        for (QLineEdit* box : Window(form)->findChildren<QLineEdit*>())
            texts << box->objectName() + '=' + box->text();
    } else {
        for (QLabel* label : Results(form))
            texts << label->objectName() + '=' + label->text();
    }
    texts.sort();
    return texts;
}

bool AllEmpty(const QStringList& texts)
{
    return std::all_of(texts.begin(), texts.end(), [](const QString& t) { return t.endsWith('='); });
}

// A calculation each calculator can do, and every result of it as Ctrl+C
// copies them.
struct Example {
    Inputs inputs;
    QString copied;
};

const std::map<QString, Example>& Examples()
{
    static const std::map<QString, Example> examples{
        {"frmKouyaku", {{{"txtNum_0", "12"}, {"txtNum_1", "18"}}, "6"}},
        {"frmSiguma", {{{"txtFirst", "1"}, {"txtLast", "10"}, {"txt3jou", "1"}}, "3025"}},
        {"frmSankaku", {{{"txtH_0", "3"}, {"txtH_1", "4"}, {"txtH_2", "5"}}, "6.00"}},
        {"frm2ji",
            {{{"txtRP_0", "1"}, {"txtRP_1", "-3"}, {"txtIP_1", "1"}, {"txtRP_2", "2"}},
                "x1 = 0.634 + 0.366i\nx2 = 2.366 - 1.366i"}},
        {"frm3ji",
            {{{"txtNumR_0", "1"}, {"txtNumR_3", "-8"}},
                "x1 = 2.000 + 0.000i\nx2 = -1.000 + 1.732i\nx3 = -1.000 - 1.732i"}},
        {"frm4ji",
            {{{"txtRNum_0", "1"}, {"txtRNum_4", "-1"}},
                "x1 = -1.000 + 0.000i\nx2 = 0.000 - 1.000i\nx3 = 0.000 + 1.000i\nx4 = 1.000 + 0.000i"}},
        {"frmRenritu",
            {{{"txtNum_1", "2"}, {"txtNum_2", "1"}, {"txtNumA_1", "5"}, {"txtNum_6", "1"}, {"txtNum_7", "-1"},
                 {"txtNumA_2", "1"}},
                "A = 2.000000\nB = 1.000000"}},
        {"frmGyouretusiki", {{{"txtNum_1", "1"}, {"txtNum_2", "2"}, {"txtNum_6", "3"}, {"txtNum_7", "4"}}, "-2.000"}},
        {"frmGyaku",
            {{{"txtNum_1", "2"}, {"txtNum_2", "1"}, {"txtNum_6", "1"}, {"txtNum_7", "3"}},
                "0.600\t-0.200\n-0.200\t0.400"}},
    };
    return examples;
}

} // namespace

class TestCalculatorPattern : public QObject {
    Q_OBJECT

private slots:
    void init() { StartFresh(); }
    void cleanupTestCase() { CloseAll(); }
    void pattern_data() { EveryCalculator(); }
    void pattern();
    void results_data() { EveryCalculator(); }
    void results();

private:
    static void EveryCalculator();
};

// Every calculator the menu offers, with its example.
void TestCalculatorPattern::EveryCalculator()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("form");
    QTest::addColumn<QStringList>("row"); // back, reset, calculate
    QTest::addColumn<Inputs>("inputs");
    QTest::addColumn<QString>("copied");

    for (const CalculatorInfo& calculator : Calculators()) {
        const auto example = Examples().find(calculator.form);
        const Example none;
        const Example& chosen = example == Examples().end() ? none : example->second;
        QTest::newRow(qPrintable(calculator.form))
            << calculator.button << calculator.form
            << QStringList{calculator.back, calculator.reset, calculator.calculate} << chosen.inputs << chosen.copied;
    }
}

void TestCalculatorPattern::pattern()
{
    QFETCH(QString, button);
    QFETCH(QString, form);
    QFETCH(QStringList, row);
    QFETCH(Inputs, inputs);
    QVERIFY2(!inputs.isEmpty(), "no example for this calculator");

    Click(kMenu, button);
    QCOMPARE(OpenWindows(), QStringList{form});

    // Back, reset and calculate from left to right; none is the default button.
    const QStringList captions{"戻る", "初期化", "計算！"};
    int previousRight = -1;
    for (int i = 0; i < 3; ++i) {
        auto* pushButton = Control<QPushButton>(form, row[i]);
        QVERIFY(pushButton);
        QCOMPARE(pushButton->text(), captions[i]);
        QVERIFY(!pushButton->isDefault() && !pushButton->autoDefault());
        QVERIFY(pushButton->x() > previousRight);
        previousRight = pushButton->geometry().right();
    }

    // Opened empty; a calculation gives results, and the same again when repeated.
    QVERIFY(AllEmpty(Texts(form, true)));
    QVERIFY(AllEmpty(Texts(form, false)));
    Fill(form, inputs);
    QCOMPARE(ClickForMessage(form, row[2]), std::nullopt);
    const QStringList results = Texts(form, false);
    QVERIFY(!AllEmpty(results));
    QCOMPARE(ClickForMessage(form, row[2]), std::nullopt);
    QCOMPARE(Texts(form, false), results);

    // Reset empties boxes and results and keeps the screen open.
    Click(form, row[1]);
    QCOMPARE(OpenWindows(), QStringList{form});
    QVERIFY(AllEmpty(Texts(form, true)));
    QVERIFY(AllEmpty(Texts(form, false)));

    // Enter presses the button that has the focus.
    Fill(form, inputs);
    auto* calculate = Control<QPushButton>(form, row[2]);
    calculate->setFocus();
    QTest::keyClick(calculate, Qt::Key_Return);
    QTRY_COMPARE(Texts(form, false), results);

    // Back shows a fresh menu; the calculator opens empty again.
    Click(form, row[0]);
    QCOMPARE(OpenWindows(), QStringList{kMenu});
    Click(kMenu, button);
    QVERIFY(AllEmpty(Texts(form, true)));
    QVERIFY(AllEmpty(Texts(form, false)));
}

namespace {

// What assistive technology reads from a result: its text, and its
// description, which says "空欄" when the result is empty.
QString Described(QLabel* label)
{
    QAccessibleInterface* result = QAccessible::queryAccessibleInterface(label);
    if (!result || result->role() != QAccessible::StaticText || result->text(QAccessible::Name).isEmpty()
        || !result->textInterface())
        return QStringLiteral("<not a named result>");
    QAccessibleTextInterface* text = result->textInterface();
    return text->text(0, text->characterCount()) + QLatin1Char('|') + result->text(QAccessible::Description);
}

QStringList DescribedResults(const QString& form)
{
    QStringList described;
    for (ResultLabel* label : Window(form)->findChildren<ResultLabel*>())
        if (label->isVisibleTo(Window(form)))
            described << label->objectName() + QLatin1Char('=') + Described(label);
    return described;
}

QString CopiedBy(QWidget* focus)
{
    const QString sentinel = QStringLiteral("(untouched)");
    QApplication::clipboard()->setText(sentinel);
    focus->setFocus();
    QTest::keyClick(focus, Qt::Key_C, Qt::ControlModifier);
    const QString copied = QApplication::clipboard()->text();
    return copied == sentinel ? QString() : copied;
}

} // namespace

void TestCalculatorPattern::results()
{
    QFETCH(QString, button);
    QFETCH(QString, form);
    QFETCH(QStringList, row);
    QFETCH(Inputs, inputs);
    QFETCH(QString, copied);
    QVERIFY2(!inputs.isEmpty(), "no example for this calculator");

    Click(kMenu, button);
    Fill(form, inputs);
    QCOMPARE(ClickForMessage(form, row[2]), std::nullopt);

    // Each shown result is read with its value.
    for (ResultLabel* label : Window(form)->findChildren<ResultLabel*>()) {
        if (!label->isVisibleTo(Window(form)))
            continue;
        const QString value = label->text().isEmpty() ? QStringLiteral("空欄") : label->text();
        QCOMPARE(Described(label), label->text() + QLatin1Char('|') + value);
    }

    // Ctrl+C with nothing selected copies every result, from a button or a
    // box alike; a box with a selection copies just that.
    auto* calculate = Control<QPushButton>(form, row[2]);
    auto* box = Control<QLineEdit>(form, inputs.first().first);
    QCOMPARE(CopiedBy(calculate), copied);
    QCOMPARE(CopiedBy(box), copied);
    box->setSelection(0, 1);
    QCOMPARE(CopiedBy(box), inputs.first().second.left(1));

    // The result's menu copies the one result or all of them.
    auto* first = Window(form)->findChild<ResultLabel*>();
    QStringList actions;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        for (QAction* action : menu->actions())
            actions << action->text();
        menu->actions().last()->trigger();
        menu->close();
    });
    QApplication::clipboard()->clear();
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(2, 2), first->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(first, &menuEvent);
    QCOMPARE(actions, (QStringList{"コピー", "結果をすべてコピー"}));
    QCOMPARE(QApplication::clipboard()->text(), copied);

    // After reset nothing stale is read, and Ctrl+C leaves the clipboard alone.
    Click(form, row[1]);
    for (const QString& described : DescribedResults(form))
        QVERIFY2(described.endsWith(QStringLiteral("=|空欄")), qPrintable(described));
    QCOMPARE(CopiedBy(calculate), QString());
}

QTEST_MAIN(TestCalculatorPattern)
#include "tst_calculator_pattern.moc"
