// SPDX-License-Identifier: MIT
#include "sigma_screen.h"

#include "conversions.h"
#include "exact_library.h"
#include "sigma.h"
#include "widgets.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace {
// "Ｋ" followed by a raised exponent (none for the linear term), kept tight
// together like a handwritten power.
QLayout* Power(QWidget* parent, const char* base, const char* exponentName, const QString& exponent)
{
    auto* power = new QHBoxLayout;
    power->setSpacing(0);
    QLabel* k = MakeText(parent, QLatin1String(base), QStringLiteral("Ｋ"));
    power->addWidget(k, 0, Qt::AlignVCenter);
    if (exponentName) {
        // The exponent sits on a spacer half a line high, level with the top
        // of the "Ｋ".
        auto* raised = new QVBoxLayout;
        raised->setSpacing(0);
        QLabel* label = MakeExponent(parent, QLatin1String(exponentName), exponent);
        label->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
        raised->addStretch(1);
        raised->addWidget(label);
        raised->addSpacing(k->fontMetrics().height() / 2);
        raised->addStretch(1);
        power->addLayout(raised);
    }
    return power;
}

// A box just wide enough for its digits, so the formula stays compact.
QLineEdit* Box(QWidget* parent, const char* name, const QString& accessibleName, int chars)
{
    QLineEdit* box = MakeBox(parent, QLatin1String(name), accessibleName, chars);
    FixWidth(box);
    return box;
}

QLabel* Symbol(QWidget* parent, const char* name, const QString& text, double scale = 1.0)
{
    QLabel* label = MakeText(parent, QLatin1String(name), text);
    if (scale != 1.0)
        ScaleFont(label, scale);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

frmSiguma::frmSiguma()
    : CalculatorScreen(QStringLiteral("シグマの計算－Kalvora"), {"cmdBack", "cmdFirst", "cmdKeisan"})
{
    LayOut();
    // 「途中式」 under 「Ｋ＝first」 in the left column, level with the sum,
    // in room that row leaves empty.
    QPushButton* steps = MakeStepsButton();
    PlaceOver(steps,
        [steps, this] {
            QWidget* sigma = findChild<QWidget*>(QStringLiteral("Label1"));
            const QSize size = steps->sizeHint();
            const int height = std::min(size.height(), lblAnswer->height());
            const int left = std::max(0, sigma->geometry().center().x() - size.width() / 2);
            return QRect(left, lblAnswer->geometry().center().y() - height / 2, size.width(), height);
        },
        {lblAnswer, txtFirst});
    SetKeyboardOrder();
    OnCalculate(&frmSiguma::cmdKeisan_Click);
}

// The last value above the sigma sign, "Ｋ＝first" below it, the polynomial
// in parentheses beside it and "= sum" on the next line. Each part makes its
// controls in the order the formula is read.
void frmSiguma::LayOut()
{
    auto* body = new QGridLayout;
    body->setHorizontalSpacing(6);
    body->setVerticalSpacing(4);
    SigmaSign(body);
    body->addItem(new QSpacerItem(12, 0), 1, 1);
    body->addLayout(Polynomial(), 1, 2);
    body->addItem(new QSpacerItem(0, 8), 3, 0);
    body->addLayout(Result(), 4, 2);
    SetBody(body);
}

// The first column of the grid: the bounds above and below "Σ".
void frmSiguma::SigmaSign(QGridLayout* body)
{
    txtLast = Box(this, "txtLast", QStringLiteral("最終値"), 5);
    QLabel* Label1 = Symbol(this, "Label1", QStringLiteral("Σ"), 4.0);
    QLabel* Label5 = Symbol(this, "Label5", QStringLiteral("Ｋ＝"));
    txtFirst = Box(this, "txtFirst", QStringLiteral("初期値"), 5);
    body->addWidget(txtLast, 0, 0, Qt::AlignHCenter | Qt::AlignBottom);
    body->addWidget(Label1, 1, 0);
    auto* start = new QHBoxLayout;
    start->setSpacing(2);
    start->addWidget(Label5);
    start->addWidget(txtFirst);
    body->addLayout(start, 2, 0, Qt::AlignHCenter | Qt::AlignTop);
}

// "( box Ｋ³ ＋ box Ｋ² ＋ box Ｋ ＋ box )".
QLayout* frmSiguma::Polynomial()
{
    QLabel* Label11 = Symbol(this, "Label11", QStringLiteral("("), 2.2);
    txt3jou = Box(this, "txt3jou", QStringLiteral("K の３乗の係数"), 8);
    QLayout* cube = Power(this, "Label2", "Label3", QStringLiteral("３"));
    QLabel* Label4 = Symbol(this, "Label4", QStringLiteral("＋"));
    txt2jou = Box(this, "txt2jou", QStringLiteral("K の２乗の係数"), 8);
    QLayout* square = Power(this, "Label6", "Label7", QStringLiteral("２"));
    QLabel* Label8 = Symbol(this, "Label8", QStringLiteral("＋"));
    txt1jou = Box(this, "txt1jou", QStringLiteral("K の係数"), 8);
    QLayout* linear = Power(this, "Label9", nullptr, QString());
    QLabel* Label10 = Symbol(this, "Label10", QStringLiteral("＋"));
    txt0jou = Box(this, "txt0jou", QStringLiteral("定数項"), 8);
    QLabel* Label12 = Symbol(this, "Label12", QStringLiteral(")"), 2.2);

    auto* polynomial = new QHBoxLayout;
    polynomial->setSpacing(6);
    polynomial->addWidget(Label11);
    polynomial->addWidget(txt3jou);
    polynomial->addLayout(cube);
    polynomial->addWidget(Label4);
    polynomial->addWidget(txt2jou);
    polynomial->addLayout(square);
    polynomial->addWidget(Label8);
    polynomial->addWidget(txt1jou);
    polynomial->addLayout(linear);
    polynomial->addWidget(Label10);
    polynomial->addWidget(txt0jou);
    polynomial->addWidget(Label12);
    return polynomial;
}

// "= sum", and the switch to exact forms at the right of the line.
QLayout* frmSiguma::Result()
{
    QLabel* Label13 = Symbol(this, "Label13", QStringLiteral("="), 1.4);
    lblAnswer = MakeResult(this, QStringLiteral("lblAnswer"), QStringLiteral("和"), 24);
    ScaleFont(lblAnswer, 1.4, true);
    lblAnswer->setMinimumHeight(lblAnswer->fontMetrics().height() + 8);

    auto* result = new QHBoxLayout;
    result->setSpacing(10);
    result->addWidget(Label13);
    result->addWidget(lblAnswer, 1);
    result->addWidget(MakeExactSwitch(), 0, Qt::AlignRight | Qt::AlignVCenter);
    return result;
}

// The boxes in reading order, then the buttons; the screen opens with the
// focus on the last value.
void frmSiguma::SetKeyboardOrder()
{
    SetTabOrder(
        {txtLast, txtFirst, txt3jou, txt2jou, txt1jou, txt0jou, cmdBack, cmdReset, cmdCalculate, chkExact, cmdSteps});
    txtLast->setFocus();
}

void frmSiguma::Init()
{
    SetResult(lblAnswer, {});
    for (QLineEdit* box : {txtFirst, txtLast, txt3jou, txt2jou, txt1jou, txt0jou})
        box->clear();
}

void frmSiguma::cmdKeisan_Click()
{
    const std::array<std::string, 4> keisuu{TextOf(txt3jou), TextOf(txt2jou), TextOf(txt1jou), TextOf(txt0jou)};
    const auto outcome = Siguma(TextOf(txtFirst), TextOf(txtLast), keisuu);
    const double* Kotae = Accept(outcome, {txtFirst, txtLast});
    if (!Kotae)
        return;
    const std::string text = FormatGeneral(*Kotae);
    SetResult(lblAnswer, text);

    // The bounds are whole numbers here: the sum was not refused.
    const std::int32_t first = RoundToInt32(Read(txtFirst)).value_or(0);
    const std::int32_t last = RoundToInt32(Read(txtLast)).value_or(0);
    OfferExact([first, last, keisuu] { return Exact::Sigma(first, last, keisuu); },
        [this, text](const ExactText& sum) { SetExactResult(lblAnswer, sum, text); });
    OfferSteps([first, last, keisuu] { return Exact::SigmaSteps(first, last, keisuu); });
}
