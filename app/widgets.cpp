// SPDX-License-Identifier: MIT
#include "widgets.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

QString Indexed(const char* base, int index)
{
    return QStringLiteral("%1_%2").arg(QLatin1String(base)).arg(index);
}

QLineEdit* MakeBox(QWidget* parent, const QString& name, const QString& accessibleName, int chars)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setAccessibleName(accessibleName);
    const int digit = box->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    box->setMinimumWidth(digit * chars + 12);
    box->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    return box;
}

QLabel* MakeText(QWidget* parent, const QString& name, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

QLabel* MakeExponent(QWidget* parent, const QString& name, const QString& text)
{
    auto* label = MakeText(parent, name, text);
    ScaleFont(label, 0.75);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QLabel* MakeResult(QWidget* parent, const QString& name, const QString& accessibleName, int chars)
{
    auto* label = MakeText(parent, name, QString());
    label->setAccessibleName(accessibleName);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    const int digit = label->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    label->setMinimumWidth(digit * chars + 4);
    // A very long number must not stretch the window off the screen; it is
    // cut at the label's edge and shown whole in the tool tip.
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    label->setMinimumHeight(label->fontMetrics().height() + 4);
    return label;
}

void SetResult(QLabel* label, const std::string& text)
{
    const QString caption = QString::fromStdString(text);
    label->setText(caption);
    const bool fits = label->fontMetrics().horizontalAdvance(caption) <= label->width();
    label->setToolTip(fits ? QString() : caption);
}

QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& text)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

void ScaleFont(QWidget* widget, double factor, bool bold)
{
    QFont font = widget->font();
    font.setPointSizeF(font.pointSizeF() * factor);
    font.setBold(bold);
    widget->setFont(font);
}

void SetTabOrder(std::initializer_list<QWidget*> widgets)
{
    QWidget* previous = nullptr;
    for (QWidget* widget : widgets) {
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

std::string TextOf(const QLineEdit* box)
{
    return box->text().toStdString();
}
