// SPDX-License-Identifier: MIT
#include "calculator_screen.h"

#include "conversions.h"
#include "message_box.h"
#include "result_label.h"
#include "widgets.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include <utility>

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

    connect(cmdBack, &QPushButton::clicked, this, &CalculatorScreen::BackRequested);
    connect(cmdReset, &QPushButton::clicked, this, &CalculatorScreen::Restart);
}

void CalculatorScreen::Form_Load()
{
    // Ctrl+C in a box with nothing selected copies the results; a box keeps
    // copying its own selection.
    for (QLineEdit* box : findChildren<QLineEdit*>())
        box->installEventFilter(this);
    Restart();
}

void CalculatorScreen::Restart()
{
    pendingExact = nullptr;
    Init();
}

QCheckBox* CalculatorScreen::MakeExactSwitch()
{
    chkExact = new QCheckBox(QStringLiteral("分数・√で表示"), this);
    chkExact->setObjectName(QStringLiteral("chkExact"));
    connect(chkExact, &QCheckBox::toggled, this, &CalculatorScreen::ShowExact);
    return chkExact;
}

void CalculatorScreen::OfferExact(std::function<void()> compute)
{
    pendingExact = std::move(compute);
    if (chkExact && chkExact->isChecked())
        ShowExact(true);
}

void CalculatorScreen::ShowExact(bool on)
{
    if (on && pendingExact) {
        // Worked out once per calculation; a fault in it leaves the results'
        // exact forms unknown, so they keep their decimal text.
        const std::function<void()> compute = std::exchange(pendingExact, nullptr);
        try {
            compute();
        } catch (const std::exception&) {
        }
    }
    for (ResultLabel* result : findChildren<ResultLabel*>())
        result->SetExactView(on);
}

QString CalculatorScreen::ResultsText() const
{
    const QList<ResultLabel*> results = findChildren<ResultLabel*>();
    return results.size() == 1 ? results.first()->text() : QString();
}

void CalculatorScreen::CopyResults() const
{
    const QString text = ResultsText();
    if (!text.isEmpty())
        QGuiApplication::clipboard()->setText(text);
}

void CalculatorScreen::keyPressEvent(QKeyEvent* event)
{
    // Reaches the window when the focused control has no use for the keys:
    // a button, a size option, a result with nothing selected.
    if (event->matches(QKeySequence::Copy)) {
        CopyResults();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool CalculatorScreen::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* box = qobject_cast<QLineEdit*>(watched);
        if (box && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy) && !box->hasSelectedText()) {
            CopyResults();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
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
