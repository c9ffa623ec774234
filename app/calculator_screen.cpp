// SPDX-License-Identifier: MIT
#include "calculator_screen.h"

#include "conversions.h"
#include "message_box.h"
#include "navigation.h"
#include "widgets.h"

#include <QBoxLayout>
#include <QLineEdit>
#include <QPushButton>

CalculatorScreen::CalculatorScreen(const QString& caption, ButtonNames names)
{
    setWindowTitle(caption);
    cmdBack = MakeButton(this, QLatin1String(names.back), QStringLiteral("戻る"));
    cmdReset = MakeButton(this, QLatin1String(names.reset), QStringLiteral("初期化"));
    cmdCalculate = MakeButton(this, QLatin1String(names.calculate), QStringLiteral("計算！"));

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    for (QPushButton* button : {cmdBack, cmdReset, cmdCalculate}) {
        button->setMinimumHeight(button->sizeHint().height() * 3 / 2);
        button->setMinimumWidth(button->fontMetrics().horizontalAdvance(QStringLiteral("初期化")) * 2);
        buttons->addWidget(button, 1);
    }

    root = new QVBoxLayout(this);
    root->setContentsMargins(16, 12, 16, 12);
    root->setSpacing(12);
    root->addLayout(buttons);
    // The window keeps the size its contents ask for, like a printed form.
    root->setSizeConstraint(QLayout::SetFixedSize);

    connect(cmdBack, &QPushButton::clicked, this, [this] {
        Navigation::ShowMenu();
        Navigation::Unload(this);
    });
    connect(cmdReset, &QPushButton::clicked, this, [this] { Init(); });
}

void CalculatorScreen::SetBody(QLayout* body)
{
    root->insertLayout(0, body);
}

double CalculatorScreen::Read(const QLineEdit* box)
{
    return ParseNumber(TextOf(box));
}

void CalculatorScreen::Reject(const Rejection& rejection, std::initializer_list<QWidget*> inputs)
{
    ShowMessage(this, QString::fromStdString(rejection.message));
    if (rejection.focus && *rejection.focus >= 0 && std::size_t(*rejection.focus) < inputs.size())
        inputs.begin()[*rejection.focus]->setFocus(Qt::OtherFocusReason);
}

void CalculatorScreen::Guarded(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const ArithmeticFault&) {
        ShowMessage(this, FaultMessage());
    }
}
