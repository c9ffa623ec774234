// SPDX-License-Identifier: MIT
// A result longer than its label keeps its whole text, says so, and is
// copied whole.

#include "driver.h"
#include "result_label.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTest>
#include <QTimer>

class TestResultLabel : public QObject {
    Q_OBJECT

private slots:
    void longResult_data();
    void longResult();
    void doubleClickSelectsTheNumber_data();
    void doubleClickSelectsTheNumber();
};

void TestResultLabel::longResult_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("fits");
    QTest::newRow("short") << "2.000" << true;
    QTest::newRow("fifteen digits and decimals") << "-1286742750677280.000" << false;
    QTest::newRow("two hundred digits") << QString(200, QLatin1Char('5')) + ".00" << false;
}

void TestResultLabel::longResult()
{
    QFETCH(QString, text);
    QFETCH(bool, fits);

    QWidget window;
    auto* label = new ResultLabel(&window);
    label->setGeometry(0, 0, label->fontMetrics().horizontalAdvance(QStringLiteral("0000000000")), 30);
    label->setText(text);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(label->text(), text);
    QCOMPARE(label->Fits(), fits);
    QVERIFY(!label->grab().isNull());

    // The tool tip holds the whole result exactly when the label cannot.
    QCOMPARE(Driver::ToolTipShown(label), fits ? QString() : text);

    // Right click, "コピー": the whole result on the clipboard.
    QApplication::clipboard()->clear();
    QTimer::singleShot(0, [] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        QCOMPARE(menu->actions().size(), 1);
        QCOMPARE(menu->actions().first()->text(), QStringLiteral("コピー"));
        menu->actions().first()->trigger();
        menu->close();
    });
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(5, 5), label->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(label, &menuEvent);
    QCOMPARE(QApplication::clipboard()->text(), text);
}

void TestResultLabel::doubleClickSelectsTheNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("where"); // which character is clicked
    QTest::newRow("on the digits after the point") << "-0.405" << 4;
    QTest::newRow("on the minus sign") << "-0.405" << 0;
    QTest::newRow("exponent form") << "1.2345E+16" << 2;
    QTest::newRow("thousands") << "-123456.000000" << 9;
}

void TestResultLabel::doubleClickSelectsTheNumber()
{
    QFETCH(QString, text);
    QFETCH(int, where);

    QWidget window;
    auto* label = new ResultLabel(&window);
    label->setGeometry(0, 0, 300, 30);
    label->SetValue(text);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QFontMetrics metrics = label->fontMetrics();
    const QPoint at(metrics.horizontalAdvance(text.left(where)) + metrics.horizontalAdvance(text.at(where)) / 2,
        label->height() / 2);
    QTest::mouseDClick(label, Qt::LeftButton, Qt::NoModifier, at);
    QCOMPARE(label->selectedText(), text);
}

QTEST_MAIN(TestResultLabel)
#include "tst_result_label.moc"
