// SPDX-License-Identifier: MIT
// Walks every screen of the program, at every size it offers, and checks what
// a user (or a screen reader) would notice: boxes and results that cannot be
// named, results that cannot be copied, text cut off, controls on top of each
// other. CTest runs it at scale 1 and at scale 2.

#include "driver.h"
#include "menu_screen.h"
#include "result_label.h"
#include "widgets.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTest>

using namespace Driver;

namespace {

// The rectangle, in window coordinates, that a control's ink occupies: for a
// label its text as aligned inside it, for anything else the whole control.
QRect InkRect(QWidget* widget, QWidget* window)
{
    QRect area = widget->rect();
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        const QRect contents = label->contentsRect();
        area = QStyle::alignedRect(
            label->layoutDirection(), label->alignment(), label->fontMetrics().size(0, label->text()), contents)
                   .intersected(contents);
    }
    return QRect(widget->mapTo(window, area.topLeft()), area.size());
}

QList<QWidget*> VisibleControls(QWidget* window)
{
    QList<QWidget*> controls;
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        const bool control = qobject_cast<QLabel*>(widget) || qobject_cast<QLineEdit*>(widget)
            || qobject_cast<QAbstractButton*>(widget);
        if (control && widget->isVisibleTo(window) && !widget->objectName().isEmpty())
            controls.append(widget);
    }
    return controls;
}

// Each state of a screen worth looking at: as opened, and after each size option.
void ForEachState(const QString& form, const std::function<void(const QString& state)>& look)
{
    look(QStringLiteral("as opened"));
    const auto options = Window(form)->findChildren<QRadioButton*>();
    for (QRadioButton* option : options) {
        Click(form, option->objectName());
        look(option->objectName());
    }
}

} // namespace

class TestScreenLook : public QObject {
    Q_OBJECT

private slots:
    void cleanupTestCase() { CloseAll(); }
    void screens_data();
    void screens();
    void exactCells_data();
    void exactCells();
    void exactRoots();
};

void TestScreenLook::screens_data()
{
    QTest::addColumn<QString>("button");
    QTest::newRow("menu") << QString();
    QTest::newRow("version") << QStringLiteral("cmdVersion");
    for (const MenuButton& button : MenuButtons())
        if (button.calculator.create)
            QTest::newRow(button.name) << QString::fromLatin1(button.name);
}

void TestScreenLook::screens()
{
    QFETCH(QString, button);
    StartFresh();
    if (!button.isEmpty())
        Click(kMenu, button);
    QStringList open = OpenWindows();
    if (!button.isEmpty())
        open.removeAll(kMenu);
    QCOMPARE(open.size(), 1);
    const QString form = open.first();
    QWidget* window = Window(form);
    QVERIFY(!window->windowIcon().isNull());

    ForEachState(form, [&](const QString& state) {
        const QList<QWidget*> controls = VisibleControls(window);
        for (QWidget* control : controls) {
            const QString where = form + QLatin1Char('/') + control->objectName() + QStringLiteral(" (") + state + ')';
            if (auto* box = qobject_cast<QLineEdit*>(control)) {
                QVERIFY2(!box->accessibleName().isEmpty(), qPrintable(where + " has no accessible name"));
                QVERIFY2(box->height() >= box->minimumSizeHint().height(), qPrintable(where + " is cut off"));
            }
            auto* label = qobject_cast<QLabel*>(control);
            if (IsResult(control)) {
                QVERIFY2(!label->accessibleName().isEmpty(), qPrintable(where + " has no accessible name"));
                QVERIFY2(label->textInteractionFlags() & Qt::TextSelectableByMouse,
                    qPrintable(where + " cannot be selected"));
            } else if (label && !label->pixmap().isNull()) {
                // A picture is drawn pixel for pixel from the one made for the
                // screen's density, never stretched or blurred.
                const qreal ratio = label->devicePixelRatioF();
                const QImage shown = label->grab().toImage().convertToFormat(QImage::Format_RGB32);
                const QImage made = QImage(
                    ratio > 1 ? QStringLiteral(":/kalvora/banner@2x.png") : QStringLiteral(":/kalvora/banner.png"))
                                        .convertToFormat(QImage::Format_RGB32);
                QVERIFY2(shown.size() == label->size() * ratio && shown == made, qPrintable(where + " is not sharp"));
            } else if (label) {
                // Raised exponents too are large enough to read.
                QVERIFY2(label->font().pointSizeF() >= 8, qPrintable(where + " is in type smaller than 8 pt"));
                const QSize needed = label->fontMetrics().size(0, label->text());
                QVERIFY2(label->contentsRect().width() >= needed.width()
                        && label->contentsRect().height() >= needed.height() * 3 / 4,
                    qPrintable(where + " is cut off"));
            }
            if (auto* clickable = qobject_cast<QAbstractButton*>(control))
                QVERIFY2(clickable->width() >= clickable->minimumSizeHint().width()
                        && clickable->height() >= clickable->minimumSizeHint().height(),
                    qPrintable(where + " is cut off"));
        }
        // No two controls draw over each other.
        for (int i = 0; i < controls.size(); ++i)
            for (int j = i + 1; j < controls.size(); ++j) {
                if (controls[i]->isAncestorOf(controls[j]) || controls[j]->isAncestorOf(controls[i]))
                    continue;
                const QRect a = InkRect(controls[i], window), b = InkRect(controls[j], window);
                QVERIFY2(!a.intersects(b),
                    qPrintable(form + ": " + controls[i]->objectName() + " overlaps " + controls[j]->objectName() + " ("
                        + state + ')'));
            }
    });
}

namespace {

// The height, in device pixels, of the lowest band of ink a label draws:
// the digits of a number, or a fraction's denominator.
int LowestInkBand(QLabel* label)
{
    const QImage image = label->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const auto inked = [&](int y) {
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                return true;
        return false;
    };
    int bottom = image.height() - 1;
    while (bottom >= 0 && !inked(bottom))
        --bottom;
    int top = bottom;
    while (top > 0 && inked(top - 1))
        --top;
    return bottom < 0 ? 0 : bottom - top + 1;
}

// Whether the label draws anything on its outermost rows or columns.
bool InkOnEdge(QLabel* label)
{
    const QImage image = label->grab().toImage().convertToFormat(QImage::Format_RGB32);
    for (int x = 0; x < image.width(); ++x)
        if (qGray(image.pixel(x, 0)) < 128 || qGray(image.pixel(x, image.height() - 1)) < 128)
            return true;
    for (int y = 0; y < image.height(); ++y)
        if (qGray(image.pixel(0, y)) < 128 || qGray(image.pixel(image.width() - 1, y)) < 128)
            return true;
    return false;
}

} // namespace

// The longest texts each family gives, in the real cells: drawn no smaller
// than the decimals of the same cell, and inside it.
void TestScreenLook::exactCells_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("decimal");
    QTest::addColumn<QString>("exact");
    QTest::newRow("quadratic, golden ratio") << "cmd2ji"
                                             << "frm2ji"
                                             << ""
                                             << "lblRAnswer_0"
                                             << "1.618"
                                             << "(1+√5)/2";
    QTest::newRow("quadratic, 24 characters") << "cmd2ji"
                                              << "frm2ji"
                                              << ""
                                              << "lblRAnswer_0"
                                              << "-0.405"
                                              << "(-1234567+89√1234567)/98";
    QTest::newRow("cubic, two roots") << "cmd3ji"
                                      << "frm3ji"
                                      << ""
                                      << "lblIAns_1"
                                      << "0.966"
                                      << "(√2+√6)/4";
    QTest::newRow("quartic, complex root") << "cmd4ji"
                                           << "frm4ji"
                                           << ""
                                           << "lblINum_3"
                                           << "-0.866"
                                           << "-√3/2";
    QTest::newRow("quartic, 24 characters") << "cmd4ji"
                                            << "frm4ji"
                                            << ""
                                            << "lblRNum_2"
                                            << "0.013"
                                            << "(1234+77√2)/95018";
    QTest::newRow("quartic, large integer parts") << "cmd4ji"
                                                  << "frm4ji"
                                                  << ""
                                                  << "lblRNum_0"
                                                  << "-174593.210"
                                                  << "-123456√2";
    QTest::newRow("5×5 inverse, fraction") << "cmdReverse"
                                           << "frmGyaku"
                                           << "optGen_3"
                                           << "lblAns_25"
                                           << "-0.010"
                                           << "-1234/123457";
    QTest::newRow("5×5 inverse, whole number too wide") << "cmdReverse"
                                                        << "frmGyaku"
                                                        << "optGen_3"
                                                        << "lblAns_5"
                                                        << "6000000000000001.000"
                                                        << "6000000000000001";
    QTest::newRow("simultaneous, fraction") << "cmdRenritu"
                                            << "frmRenritu"
                                            << "optGen_3"
                                            << "lblAnswer_5"
                                            << "0.239"
                                            << "50/209";
    QTest::newRow("determinant, too wide") << "cmdGyouretusiki"
                                           << "frmGyouretusiki"
                                           << ""
                                           << "lblAns"
                                           << "115241578751713595392000.000"
                                           << "115241578751713595060205";
    QTest::newRow("triangle, surd") << "cmdMenseki"
                                    << "frmSankaku"
                                    << ""
                                    << "lblAnswer"
                                    << "2.90"
                                    << "3√15/4";
    QTest::newRow("sigma, fraction") << "cmdSiguma"
                                     << "frmSiguma"
                                     << ""
                                     << "lblAnswer"
                                     << "302.51"
                                     << "30251/100";
}

void TestScreenLook::exactCells()
{
    QFETCH(QString, button);
    QFETCH(QString, form);
    QFETCH(QString, option);
    QFETCH(QString, cell);
    QFETCH(QString, decimal);
    QFETCH(QString, exact);
    StartFresh();
    Click(kMenu, button);
    if (!option.isEmpty())
        Click(form, option);
    auto* label = Control<ResultLabel>(form, cell);
    QVERIFY(label);
    label->SetValue(decimal);
    QApplication::processEvents();
    const int digits = LowestInkBand(label);
    QVERIFY(digits > 0);

    label->SetExact(exact);
    Click(form, QStringLiteral("chkExact"));
    QApplication::processEvents();
    QCOMPARE(label->text(), exact);
    const int drawn = LowestInkBand(label);
    QVERIFY2(drawn >= digits - 1,
        qPrintable(QStringLiteral("%1 drawn %2 px high against %3 px for %4")
                       .arg(label->Shown())
                       .arg(drawn)
                       .arg(digits)
                       .arg(decimal)));
    QVERIFY2(!InkOnEdge(label), qPrintable(label->Shown() + " runs to the edge of its cell"));
}

// A real calculation in the exact view, whose forms may arrive later: each
// negative imaginary part leaves its minus to the sign before it, and the
// rows of stacked fractions stay apart.
void TestScreenLook::exactRoots()
{
    StartFresh();
    Click(kMenu, QStringLiteral("cmd4ji"));
    const QString form = QStringLiteral("frm4ji");
    Fill(form, {{"txtRNum_0", "1"}, {"txtRNum_2", "1"}, {"txtRNum_4", "1"}});
    Click(form, QStringLiteral("chkExact"));
    QCOMPARE(ClickForMessage(form, QStringLiteral("Command3")), std::nullopt);
    QStringList imaginary;
    for (int k = 0; k < 4; ++k) {
        QTRY_VERIFY(Control<ResultLabel>(form, Indexed("lblINum", k))->HasExact());
        imaginary << Text(form, Indexed("lblINum", k));
    }
    QCOMPARE(imaginary.count(QStringLiteral("-√3/2")), 2);
    QCOMPARE(imaginary.count(QStringLiteral("√3/2")), 2);
    int apart = 0;
    for (QLabel* sign : Window(form)->findChildren<QLabel*>())
        if (sign->text() == QStringLiteral("−"))
            ++apart;
    QCOMPARE(apart, 2);
    for (int k = 0; k + 1 < 4; ++k) {
        QLabel* upper = Control<QLabel>(form, Indexed("lblRNum", k));
        QLabel* lower = Control<QLabel>(form, Indexed("lblRNum", k + 1));
        QVERIFY2(upper->geometry().bottom() < lower->geometry().top(), "rows of fractions touch");
    }
}

QTEST_MAIN(TestScreenLook)
#include "tst_screen_look.moc"
