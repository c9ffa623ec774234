// SPDX-License-Identifier: MIT
#include "accessibility.h"

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

QAccessibleInterface* Factory(const QString& className, QObject* object)
{
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

void* AccessibleText::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString AccessibleText::attributes(int, int* start, int* end) const
{
    *start = 0;
    *end = characterCount();
    return {};
}
