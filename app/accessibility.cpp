// SPDX-License-Identifier: MIT
#include "accessibility.h"

#include "result_label.h"

#include <QAccessibleWidget>
#include <QMenu>
#include <QWidget>

namespace {

const char kDecoration[] = "kalvoraDecoration";

bool IsDecoration(const QWidget* widget)
{
    return widget->property(kDecoration).toBool();
}

// A plain widget (a window, or a frame holding part of a form) whose children
// are announced without the strokes and brackets among them. A window is a
// window, named by its title.
class Container : public QAccessibleWidget {
public:
    explicit Container(QWidget* widget)
        : QAccessibleWidget(widget, widget->isWindow() ? QAccessible::Window : QAccessible::Client)
    {
    }

    int childCount() const override { return static_cast<int>(Children().size()); }

    QAccessibleInterface* child(int index) const override
    {
        const QList<QWidget*> children = Children();
        if (index < 0 || index >= children.size())
            return nullptr;
        return QAccessible::queryAccessibleInterface(children[index]);
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        if (!child || !child->object())
            return -1;
        return static_cast<int>(Children().indexOf(qobject_cast<QWidget*>(child->object())));
    }

private:
    // As Qt lists a widget's accessible children (no windows, no menus), less
    // the decorations.
    QList<QWidget*> Children() const
    {
        QList<QWidget*> list;
        for (QObject* object : widget()->children()) {
            auto* child = qobject_cast<QWidget*>(object);
            if (child && !child->isWindow() && !qobject_cast<QMenu*>(child) && !IsDecoration(child))
                list.append(child);
        }
        return list;
    }
};

// A result: its name says what it is ("解1 の実部"), its text and description
// what it holds. The text is what a screen reader reads when it reads the
// label, and what it can be asked for.
class Result : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit Result(ResultLabel* label)
        : QAccessibleWidget(label, QAccessible::StaticText)
    {
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text kind) const override
    {
        switch (kind) {
        case QAccessible::Description: return Value().isEmpty() ? QString::fromUtf8(kEmptyResult) : Value();
        case QAccessible::Value: return Value();
        default: return QAccessibleWidget::text(kind);
        }
    }

    // The text interface: the value, read-only; its selection is the label's.
    QString text(int start, int end) const override { return Value().mid(start, end - start); }
    int characterCount() const override { return static_cast<int>(Value().size()); }
    void selection(int index, int* start, int* end) const override
    {
        *start = *end = 0;
        if (index == 0 && Label()->hasSelectedText()) {
            *start = Label()->selectionStart();
            *end = *start + static_cast<int>(Label()->selectedText().size());
        }
    }
    int selectionCount() const override { return Label()->hasSelectedText() ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int) override { Label()->setSelection(0, 0); }
    void setSelection(int, int start, int end) override { Label()->setSelection(start, end - start); }
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override { }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override { }
    QString attributes(int, int* start, int* end) const override
    {
        *start = 0;
        *end = characterCount();
        return {};
    }

private:
    ResultLabel* Label() const { return static_cast<ResultLabel*>(widget()); }
    QString Value() const { return Label()->text(); }
};

QAccessibleInterface* Factory(const QString& className, QObject* object)
{
    if (className == QLatin1String("ResultLabel"))
        return new Result(static_cast<ResultLabel*>(object));
    // Reached only for widgets of no more specific kind (Qt's own controls
    // have theirs): windows, frames and the decorations themselves.
    if (className == QLatin1String("QWidget") && object->isWidgetType())
        return new Container(static_cast<QWidget*>(object));
    return nullptr;
}

} // namespace

void InstallAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(&Factory);
        return true;
    }();
    (void)installed;
}

void MarkAsDecoration(QWidget* widget)
{
    widget->setProperty(kDecoration, true);
}
