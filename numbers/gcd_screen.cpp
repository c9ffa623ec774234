// SPDX-License-Identifier: MIT
#include "gcd_screen.h"

#include "conversions.h"
#include "gcd.h"
#include "widgets.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

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

    SetTabOrder({txtNum[0], txtNum[1], cmdBack, cmdReset, cmdCalculate});
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
    if (const std::int32_t* Kotae = Accept(outcome))
        SetResult(lblAnswer, FormatGeneral(*Kotae));
}
