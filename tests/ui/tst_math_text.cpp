// SPDX-License-Identifier: MIT
// Exact results drawn as a textbook writes them: what is stacked, what sits
// under a root's bar, and that the drawing stays inside its cell.

#include "math_text.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTest>

#include <cmath>
#include <functional>

class TestMathText : public QObject {
    Q_OBJECT

private slots:
    void structure_data();
    void structure();
    void staysInItsCell_data();
    void staysInItsCell();
    void minusMatchesPlus();
};

void TestMathText::structure_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("structure"); // empty: drawn as it stands
    QTest::newRow("zero") << "0"
                          << "";
    QTest::newRow("integer") << "-12"
                             << "";
    QTest::newRow("decimal") << "-0.405"
                             << "";
    QTest::newRow("approximation") << "≈1.260"
                                   << "";
    QTest::newRow("negative fraction: sign before the bar") << "-3/7"
                                                            << "-frac(3,7)";
    QTest::newRow("root") << "√2"
                          << "sqrt(2)";
    QTest::newRow("root over two") << "-√3/2"
                                   << "-frac(sqrt(3),2)";
    QTest::newRow("coefficient and root") << "3√15/4"
                                          << "frac(3sqrt(15),4)";
    QTest::newRow("two terms") << "1+√2"
                               << "1+sqrt(2)";
    QTest::newRow("golden ratio") << "(1+√5)/2"
                                  << "frac(1+sqrt(5),2)";
    QTest::newRow("negative numerator stays inside") << "(-1-√5)/2"
                                                     << "frac(-1-sqrt(5),2)";
    QTest::newRow("two roots") << "(-√2+√6)/4"
                               << "frac(-sqrt(2)+sqrt(6),4)";
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

// The cell's size in lines of the font and in digits.
void TestMathText::staysInItsCell_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("lines");
    QTest::addColumn<int>("digits");
    QTest::addColumn<QString>("form"); // "stacked", "line" or "none"
    QTest::newRow("fraction in a tall cell") << "-3/7" << 2.0 << 9 << "stacked";
    QTest::newRow("fraction in a line's height") << "-3/7" << 1.2 << 9 << "line";
    QTest::newRow("long numerator on one line") << "(12345+678√91)/1000" << 1.2 << 22 << "line";
    QTest::newRow("long numerator in a narrow cell") << "(12345+678√91)/1000" << 2.0 << 9 << "none";
    QTest::newRow("roots in a root's cell") << "(-√2+√6)/4" << 1.2 << 11 << "line";
    QTest::newRow("a root alone needs one line") << "-√3" << 1.2 << 4 << "stacked";
    QTest::newRow("room to spare") << "√2" << 4.0 << 20 << "stacked";
}

// Drawn in the form its cell holds at the font's own size, and inside it.
void TestMathText::staysInItsCell()
{
    QFETCH(QString, text);
    QFETCH(double, lines);
    QFETCH(int, digits);
    QFETCH(QString, form);
    const QFont font = QApplication::font();
    const QFontMetrics metrics(font);
    const QSize cell(
        metrics.horizontalAdvance(QString(digits, QLatin1Char('0'))) + 4, int(std::ceil(metrics.height() * lines)));
    const MathText math(text);
    const std::optional<MathText::Form> chosen = math.FormFor(cell, font);
    QCOMPARE(!chosen                             ? QStringLiteral("none")
            : *chosen == MathText::Form::Stacked ? QStringLiteral("stacked")
                                                 : QStringLiteral("line"),
        form);
    if (!chosen)
        return;
    QImage image(cell + QSize(20, 20), QImage::Format_ARGB32);
    image.fill(Qt::white);
    const QRect area(QPoint(10, 10), cell);
    {
        QPainter painter(&image);
        painter.setPen(Qt::black);
        math.Draw(painter, area, font, Qt::AlignRight, *chosen);
    }
    // Ink was drawn, and none of it outside the cell.
    bool inked = false;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y).lightness() > 200)
                continue;
            inked = true;
            QVERIFY2(
                area.adjusted(-1, -1, 1, 1).contains(x, y), qPrintable(QStringLiteral("ink at %1,%2").arg(x).arg(y)));
        }
    }
    QVERIFY(inked);
}

namespace {

// The ink rows and columns of what is drawn darker than mid-grey.
QRect Ink(const QImage& image)
{
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                ink |= QRect(x, y, 1, 1);
    return ink;
}

QImage Drawn(const std::function<void(QPainter&)>& draw)
{
    QImage image(120, 60, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(Qt::black);
    draw(painter);
    return image;
}

} // namespace

// A drawn minus is the bar of "+": as long, as thick, at the same height;
// and it leaves room before the root that follows it.
void TestMathText::minusMatchesPlus()
{
    const QFont font = QApplication::font();
    const QRect area(10, 10, 100, 40);
    const QRect plus = Ink(Drawn([&](QPainter& p) {
        p.setFont(font);
        p.drawText(area, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("+"));
    }));
    const QRect minus = Ink(Drawn(
        [&](QPainter& p) { MathText(QStringLiteral("-")).Draw(p, area, font, Qt::AlignLeft, MathText::Form::Line); }));
    QVERIFY(!plus.isEmpty() && !minus.isEmpty());
    QVERIFY2(std::abs(minus.width() - plus.width()) <= 1,
        qPrintable(QStringLiteral("%1 against %2").arg(minus.width()).arg(plus.width())));
    QVERIFY2(std::abs(minus.center().y() - plus.center().y()) <= 1, "not at the height of the bar of +");
    QVERIFY2(minus.height() <= 2, qPrintable(QString::number(minus.height())));

    // In "-√3" a blank column parts the minus from the root sign.
    const QImage root = Drawn([&](QPainter& p) { MathText(QStringLiteral("-√3")).Draw(p, area, font, Qt::AlignLeft); });
    const QRect bar = Ink(root.copy(0, minus.top(), root.width(), minus.height()));
    bool blank = false;
    for (int x = minus.right() + 1; x < root.width() && !blank; ++x) {
        blank = true;
        for (int y = 0; y < root.height(); ++y)
            blank = blank && qGray(root.pixel(x, y)) >= 128;
        if (!blank && x == minus.right() + 1)
            break;
    }
    QVERIFY2(blank, "the minus touches the root sign");
    (void)bar;
}

QTEST_MAIN(TestMathText)
#include "tst_math_text.moc"
