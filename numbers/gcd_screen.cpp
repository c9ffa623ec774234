// SPDX-License-Identifier: MIT
#include "gcd_screen.h"

#include "conversions.h"
#include "exact_library.h"
#include "gcd.h"
#include "widgets.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

// This screen numbers its buttons the other way round: Command1 calculates.
frmKouyaku::frmKouyaku()
    : CalculatorScreen(QStringLiteral("最大公約数－Kalvora"), {"Command3", "Command2", "Command1"})
{
    QLabel* Label3 = MakeText(this, QStringLiteral("Label3"), QStringLiteral("最大公約数を求めます"));
    ScaleFont(Label3, 1.2, true);
    QLabel* Label2 = MakeText(this, QStringLiteral("Label2"), QStringLiteral("２数を入力してください"));
    txtNum[0] = MakeBox(this, Indexed("txtNum", 0), QStringLiteral("1つ目の数"), 11);
    txtNum[1] = MakeBox(this, Indexed("txtNum", 1), QStringLiteral("2つ目の数"), 11);
    QLabel* Label1 = MakeText(this, QStringLiteral("Label1"), QStringLiteral("最大公約数は・・・"));
    lblAnswer = MakeResult(this, QStringLiteral("lblAnswer"), QStringLiteral("最大公約数"), 11);
    ScaleFont(lblAnswer, 1.8, true);
    lblAnswer->setMinimumHeight(lblAnswer->fontMetrics().height() + 8);
    lblAnswer->setMinimumWidth(lblAnswer->fontMetrics().horizontalAdvance(QStringLiteral("0000000000")) + 8);

    auto* body = new QGridLayout;
    body->setVerticalSpacing(10);
    body->setHorizontalSpacing(16);
    body->addWidget(Label3, 0, 0, 1, 2, Qt::AlignHCenter);
    body->addWidget(Label2, 1, 0, 1, 2, Qt::AlignHCenter);
    body->addWidget(txtNum[0], 2, 0);
    body->addWidget(txtNum[1], 2, 1);
    body->addWidget(Label1, 3, 0, 1, 2);
    lblAnswer->setAlignment(Qt::AlignCenter);
    body->addWidget(lblAnswer, 4, 0, 1, 2);
    SetBody(body);

    // 「途中式」 in the band right of 「最大公約数は・・・」, its right edge
    // under the second box's, in the room between the boxes and the answer.
    QPushButton* steps = MakeStepsButton();
    QLineEdit* second = txtNum[1];
    PlaceOver(steps,
        [steps, second, Label1, this] {
            const QSize size = steps->sizeHint();
            const int middle = Label1->geometry().center().y();
            const int top = std::max(second->geometry().bottom() + 2, middle - size.height() / 2);
            const int bottom = std::min(lblAnswer->geometry().top() - 2, top + size.height());
            return QRect(second->geometry().right() - size.width() + 1, top, size.width(), bottom - top);
        },
        {second, Label1, lblAnswer});

    SetTabOrder({txtNum[0], txtNum[1], cmdBack, cmdReset, cmdCalculate, steps});
    txtNum[0]->setFocus();
    OnCalculate(&frmKouyaku::Command1_Click);
}

void frmKouyaku::Init()
{
    SetResult(lblAnswer, {});
    txtNum[0]->clear();
    txtNum[1]->clear();
}

void frmKouyaku::Command1_Click()
{
    const auto outcome = Kouyaku(Read(txtNum[0]), Read(txtNum[1]));
    if (const std::int32_t* Kotae = Accept(outcome)) {
        SetResult(lblAnswer, FormatGeneral(*Kotae));
        const std::array<std::string, 2> numbers{TextOf(txtNum[0]), TextOf(txtNum[1])};
        OfferSteps([numbers] { return Exact::GcdSteps(numbers); });
    }
}
