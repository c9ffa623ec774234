// SPDX-License-Identifier: MIT
#pragma once

// What the three matrix screens' tests share: typing a matrix into the 5 × 5
// grid, reading which boxes show, walking the keyboard focus with Tab, and a
// check that no two controls overlap or leave the window.

#include "driver.h"
#include "line_control.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace MatrixDriver {

inline QString Box(int i, int j)
{
    return QStringLiteral("txtNum_%1").arg(5 * (i - 1) + j);
}

// Rows of entries separated by blanks, "_" for a box left empty; the rows
// given are typed into the top-left block, every other visible box emptied.
inline void TypeMatrix(const QString& form, const QStringList& rows)
{
    for (int i = 1; i <= 5; ++i) {
        const QStringList entries = i <= rows.size() ? rows[i - 1].split(QLatin1Char(' ')) : QStringList{};
        for (int j = 1; j <= 5; ++j) {
            if (!Driver::Control(form, Box(i, j))->isVisible())
                continue;
            const QString text = j <= entries.size() ? entries[j - 1] : QString();
            Driver::Type(form, Box(i, j), text == QLatin1String("_") ? QString() : text);
        }
    }
}

// The objectNames, in creation order, of the visible controls of a kind whose
// names start with prefix.
template<class T> QStringList Visible(const QString& form, const QString& prefix)
{
    QStringList names;
    for (T* control : Driver::Window(form)->findChildren<T*>())
        if (control->isVisible() && control->objectName().startsWith(prefix))
            names.append(control->objectName());
    return names;
}

// "txtNum_1", "txtNum_2", "txtNum_6", … for the top-left n × n block.
inline QStringList Block(const QString& prefix, int n)
{
    QStringList names;
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j)
            names.append(QStringLiteral("%1_%2").arg(prefix).arg(5 * (i - 1) + j));
    return names;
}

// "txtNumA_1" … "txtNumA_5" for first 1 and last 5.
inline QStringList Numbered(const QString& prefix, int first, int last)
{
    QStringList names;
    for (int i = first; i <= last; ++i)
        names.append(QStringLiteral("%1_%2").arg(prefix).arg(i));
    return names;
}

// Presses Tab `steps` times from the current focus and records each stop.
inline QStringList TabWalk(int steps)
{
    QStringList stops;
    for (int step = 0; step < steps; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        stops.append(Driver::FocusedName());
    }
    return stops;
}

// Every visible control lies inside the window, no two of them overlap
// (except a stroke with its sibling strokes of one bracket), and every fixed
// label's text fits its width.
inline QString LayoutFault(const QString& form)
{
    QWidget* window = Driver::Window(form);
    QList<QWidget*> controls;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        const bool control = qobject_cast<QLineEdit*>(w) || qobject_cast<QLabel*>(w)
            || qobject_cast<QAbstractButton*>(w) || qobject_cast<LineControl*>(w) || qobject_cast<QGroupBox*>(w);
        if (control && w->isVisible())
            controls.append(w);
    }
    const auto area = [window](QWidget* w) { return QRect(w->mapTo(window, QPoint(0, 0)), w->size()); };
    for (QWidget* a : controls) {
        if (!window->rect().contains(area(a)))
            return a->objectName() + QStringLiteral(" leaves the window");
        if (auto* label = qobject_cast<QLabel*>(a);
            label && label->fontMetrics().horizontalAdvance(label->text()) > label->contentsRect().width())
            return a->objectName() + QStringLiteral(" cuts its text");
        for (QWidget* b : controls) {
            if (a >= b || a->isAncestorOf(b) || b->isAncestorOf(a))
                continue;
            const bool strokes = qobject_cast<LineControl*>(a) && qobject_cast<LineControl*>(b);
            if (strokes && a->parentWidget() == b->parentWidget() && a->parentWidget() != window)
                continue;
            if (area(a).intersects(area(b)))
                return a->objectName() + QStringLiteral(" overlaps ") + b->objectName();
        }
    }
    return {};
}

} // namespace MatrixDriver
