// SPDX-License-Identifier: MIT
// What every calculator shares, checked on all nine through the real menu: the
// button row, the empty start, a repeated calculation, reset, and back to a
// fresh menu after which the calculator opens empty again.

#include "driver.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace Driver;

namespace {

const QString kMenu = QStringLiteral("frmOpening");

using Inputs = QList<QPair<QString, QString>>;

QStringList Texts(const QString& form, bool boxes)
{
    QStringList texts;
    for (QWidget* widget : Window(form)->findChildren<QWidget*>()) {
        if (boxes) {
            if (auto* box = qobject_cast<QLineEdit*>(widget))
                texts << box->objectName() + '=' + box->text();
        } else if (auto* label = qobject_cast<QLabel*>(widget);
                   label && label->objectName().startsWith(QLatin1String("lbl"))) {
            texts << label->objectName() + '=' + label->text();
        }
    }
    texts.sort();
    return texts;
}

bool AllEmpty(const QStringList& texts)
{
    return std::all_of(texts.begin(), texts.end(), [](const QString& t) { return t.endsWith('='); });
}

void Fill(const QString& form, const Inputs& inputs)
{
    for (const auto& [box, text] : inputs)
        Type(form, box, text);
}

} // namespace

class TestCalculatorPattern : public QObject {
    Q_OBJECT

private slots:
    void init() { StartFresh(); }
    void cleanupTestCase() { CloseAll(); }
    void pattern_data();
    void pattern();
};

void TestCalculatorPattern::pattern_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("form");
    QTest::addColumn<QStringList>("row"); // back, reset, calculate
    QTest::addColumn<Inputs>("inputs");

    const QStringList numbered{"Command1", "Command2", "Command3"};
    QTest::newRow("gcd") << "cmdKouyakusuu"
                         << "frmKouyaku" << QStringList{"Command3", "Command2", "Command1"}
                         << Inputs{{"txtNum_0", "12"}, {"txtNum_1", "18"}};
    QTest::newRow("sigma") << "cmdSiguma"
                           << "frmSiguma" << QStringList{"cmdBack", "cmdFirst", "cmdKeisan"}
                           << Inputs{{"txtFirst", "1"}, {"txtLast", "10"}, {"txt3jou", "1"}};
    QTest::newRow("triangle") << "cmdMenseki"
                              << "frmSankaku" << QStringList{"Command1", "cmdShokika", "cmdKeisan"}
                              << Inputs{{"txtH_0", "3"}, {"txtH_1", "4"}, {"txtH_2", "5"}};
    QTest::newRow("quadratic") << "cmd2ji"
                               << "frm2ji" << numbered
                               << Inputs{{"txtRP_0", "1"}, {"txtRP_1", "-3"}, {"txtIP_1", "1"}, {"txtRP_2", "2"}};
    QTest::newRow("cubic") << "cmd3ji"
                           << "frm3ji" << numbered << Inputs{{"txtNumR_0", "1"}, {"txtNumR_3", "-8"}};
    QTest::newRow("quartic") << "cmd4ji"
                             << "frm4ji" << numbered << Inputs{{"txtRNum_0", "1"}, {"txtRNum_4", "-1"}};
    QTest::newRow("simultaneous") << "cmdRenritu"
                                  << "frmRenritu" << numbered
                                  << Inputs{{"txtNum_1", "2"}, {"txtNum_2", "1"}, {"txtNumA_1", "5"}, {"txtNum_6", "1"},
                                         {"txtNum_7", "-1"}, {"txtNumA_2", "1"}};
    QTest::newRow("determinant") << "cmdGyouretusiki"
                                 << "frmGyouretusiki" << numbered
                                 << Inputs{{"txtNum_1", "1"}, {"txtNum_2", "2"}, {"txtNum_6", "3"}, {"txtNum_7", "4"}};
    QTest::newRow("inverse") << "cmdReverse"
                             << "frmGyaku" << numbered
                             << Inputs{{"txtNum_1", "2"}, {"txtNum_2", "1"}, {"txtNum_6", "1"}, {"txtNum_7", "3"}};
}

void TestCalculatorPattern::pattern()
{
    QFETCH(QString, button);
    QFETCH(QString, form);
    QFETCH(QStringList, row);
    QFETCH(Inputs, inputs);

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

QTEST_MAIN(TestCalculatorPattern)
#include "tst_calculator_pattern.moc"
