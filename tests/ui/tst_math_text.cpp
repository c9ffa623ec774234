// SPDX-License-Identifier: MIT
// Exact results drawn as a textbook writes them: what is stacked, what sits
// under a root's bar, and that the drawing stays inside its cell.

#include "math_text.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTest>

class TestMathText : public QObject {
    Q_OBJECT

private slots:
    void structure_data();
    void structure();
    void staysInItsCell_data();
    void staysInItsCell();
};

void TestMathText::structure_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("structure"); // empty: drawn as it stands
    QTest::newRow("zero") << "0" << "";
    QTest::newRow("integer") << "-12" << "";
    QTest::newRow("decimal") << "-0.405" << "";
    QTest::newRow("approximation") << "≈1.260" << "";
    QTest::newRow("negative fraction: sign before the bar") << "-3/7" << "-frac(3,7)";
    QTest::newRow("root") << "√2" << "sqrt(2)";
    QTest::newRow("root over two") << "-√3/2" << "-frac(sqrt(3),2)";
    QTest::newRow("coefficient and root") << "3√15/4" << "frac(3sqrt(15),4)";
    QTest::newRow("two terms") << "1+√2" << "1+sqrt(2)";
    QTest::newRow("golden ratio") << "(1+√5)/2" << "frac(1+sqrt(5),2)";
    QTest::newRow("negative numerator stays inside") << "(-1-√5)/2" << "frac(-1-sqrt(5),2)";
    QTest::newRow("two roots") << "(-√2+√6)/4" << "frac(-sqrt(2)+sqrt(6),4)";
}

void TestMathText::structure()
{
    QFETCH(QString, text);
    QFETCH(QString, structure);
    const MathText math(text);
    QCOMPARE(math.IsFormula(), !structure.isEmpty());
    if (math.IsFormula())
        QCOMPARE(math.Structure(), structure);
}

void TestMathText::staysInItsCell_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QSize>("cell");
    QTest::newRow("fraction in a matrix cell") << "-3/7" << QSize(70, 24);
    QTest::newRow("long numerator") << "(12345+678√91)/1000" << QSize(70, 24);
    QTest::newRow("roots in a root's cell") << "(-√2+√6)/4" << QSize(90, 20);
    QTest::newRow("room to spare") << "√2" << QSize(200, 60);
}

void TestMathText::staysInItsCell()
{
    QFETCH(QString, text);
    QFETCH(QSize, cell);
    QImage image(cell + QSize(20, 20), QImage::Format_ARGB32);
    image.fill(Qt::white);
    const QRect area(QPoint(10, 10), cell);
    {
        QPainter painter(&image);
        painter.setPen(Qt::black);
        MathText(text).Draw(painter, area, QApplication::font(), Qt::AlignRight);
    }
    // Ink was drawn, and none of it outside the cell.
    bool inked = false;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y).lightness() > 200)
                continue;
            inked = true;
            QVERIFY2(area.adjusted(-1, -1, 1, 1).contains(x, y), qPrintable(QStringLiteral("ink at %1,%2").arg(x).arg(y)));
        }
    }
    QVERIFY(inked);
}

QTEST_MAIN(TestMathText)
#include "tst_math_text.moc"
