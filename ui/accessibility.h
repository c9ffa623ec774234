// SPDX-License-Identifier: MIT
#pragma once

// What assistive technology (a screen reader, through AT-SPI) learns of the
// program's own widgets: every top-level window is a window with its title; a
// result says what it is (its name) and what it holds (its text and
// description, "空欄" when empty); strokes and brackets that only draw are left
// out of the tree.

#include <QAccessibleWidget>

class QWidget;

// A widget whose whole content is one read-only text (a result, the worked
// steps): the text interface gives Value(), with no caret and, unless a
// subclass offers one, no selection.
class AccessibleText : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    AccessibleText(QWidget* widget, QAccessible::Role role)
        : QAccessibleWidget(widget, role)
    {
    }

    void* interface_cast(QAccessible::InterfaceType type) override;

    QString text(int start, int end) const override { return Value().mid(start, end - start); }
    int characterCount() const override { return static_cast<int>(Value().size()); }
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override { }
    void removeSelection(int) override { }
    void setSelection(int, int, int) override { }
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override { }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override { }
    QString attributes(int, int* start, int* end) const override;

    using QAccessibleWidget::text;

protected:
    virtual QString Value() const = 0;
};

// Registers the program's accessible interfaces with Qt. Safe to call more
// than once; the first call counts.
void InstallAccessibility();

// Marks a widget that only draws (a stroke, a bracket) so that it is not
// announced.
void MarkAsDecoration(QWidget* widget);

// What a result says when it holds nothing.
inline constexpr char kEmptyResult[] = "空欄";
