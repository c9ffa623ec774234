// SPDX-License-Identifier: MIT
// Walks every screen of the program, at every size it offers, and checks what
// a user (or a screen reader) would notice: boxes and results that cannot be
// named, results that cannot be copied, text cut off, controls on top of each
// other. CTest runs it at scale 1 and at scale 2.

#include "driver.h"
#include "menu_screen.h"

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

QTEST_MAIN(TestScreenLook)
#include "tst_screen_look.moc"
