// SPDX-License-Identifier: MIT
#include "widgets.h"

#include "result_label.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

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
    auto* label = new ResultLabel(parent);
    label->setObjectName(name);
    label->setAccessibleName(accessibleName);
    const int digit = label->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    label->setMinimumWidth(digit * chars + 4);
    // A very long number must not stretch the window off the screen; the
    // label draws it in exponent form instead.
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    label->setMinimumHeight(label->fontMetrics().height() + 4);
    return label;
}

void SetResult(QLabel* label, const std::string& text)
{
    const QString value = QString::fromStdString(text);
    if (auto* result = qobject_cast<ResultLabel*>(label))
        result->SetValue(value);
    else
        label->setText(value);
}

namespace {

// Enter presses the button that has the keyboard focus, as Space does. No
// button is a window's default: Enter elsewhere in the window does nothing.
class PushButton : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
            && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            animateClick();
            return;
        }
        QPushButton::keyPressEvent(event);
    }
};

} // namespace

void SetExactResult(QLabel* label, const std::string& text)
{
    if (auto* result = qobject_cast<ResultLabel*>(label))
        result->SetExact(QString::fromStdString(text));
}

void SetExactResult(QLabel* label, const ExactText& exact, const std::string& decimalText)
{
    if (auto* result = qobject_cast<ResultLabel*>(label))
        result->SetExact(QString::fromStdString(ExactLabelText(exact, decimalText)), exact);
}

QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& text)
{
    auto* button = new PushButton(text, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

void ScaleFont(QWidget* widget, double factor, bool bold)
{
    QFont font = widget->font();
    font.setPointSizeF(std::max(kSmallestPointSize, font.pointSizeF() * factor));
    font.setBold(bold);
    widget->setFont(font);
}

void SetTabOrder(std::span<QWidget* const> widgets)
{
    for (std::size_t i = 1; i < widgets.size(); ++i)
        QWidget::setTabOrder(widgets[i - 1], widgets[i]);
}

void FixWidth(QWidget* widget)
{
    widget->setFixedWidth(widget->minimumWidth());
    widget->setSizePolicy(QSizePolicy::Fixed, widget->sizePolicy().verticalPolicy());
}

std::string TextOf(const QLineEdit* box)
{
    return box->text().toStdString();
}
