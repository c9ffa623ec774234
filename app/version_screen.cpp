// SPDX-License-Identifier: MIT
#include "version_screen.h"

#include "banner.h"
#include "line_control.h"
#include "navigation.h"
#include "version.h"
#include "widgets.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

frmVersion::frmVersion()
{
    setWindowTitle(QStringLiteral("バージョン情報－Kalvora"));
    CreateControls();
    LayOut();
    Connect();
}

// The banner, the name and version, the credit lines and the OK button, in
// the order they stand from top to bottom.
void frmVersion::CreateControls()
{
    Image1 = MakeBanner(this);
    Label1 = MakeText(this, QStringLiteral("Label1"), QStringLiteral("Kalvora Ver." KALVORA_SHORT_VERSION));
    ScaleFont(Label1, 1.8, true);
    Label2 = MakeText(this, QStringLiteral("Label2"), QStringLiteral("このプログラムは"));
    Label3 = MakeText(this, QStringLiteral("Label3"), QStringLiteral("C++20 と Qt 6 Widgets"));
    ScaleFont(Label3, 1.2, true);
    Label4 = MakeText(this, QStringLiteral("Label4"), QStringLiteral("で、作られました。"));
    Line1 = new LineControl(this, QStringLiteral("Line1"), {0, 0.5}, {1, 0.5});
    Line1->setFixedHeight(4);
    Label6 = MakeText(this, QStringLiteral("Label6"), QStringLiteral("Ｓｐｅｃｉａｌ　Ｔｈａｎｋｓ"));
    Label7 = MakeText(this, QStringLiteral("Label7"), QStringLiteral("数学を学ぶすべての生徒のみなさん"));
    Command1 = MakeButton(this, QStringLiteral("Command1"), QStringLiteral("Ｏ．Ｋ"));
    Command1->setMinimumWidth(Command1->sizeHint().width() * 2);
    Command1->setMinimumHeight(Command1->sizeHint().height() * 3 / 2);
    Label5 = MakeText(this, QStringLiteral("Label5"), QStringLiteral("2026年　Kalvora 開発チーム 作"));
    ScaleFont(Label5, 0.85);
}

// One centred column, the credit under a rule, the makers at the right; the
// window keeps the size its contents ask for.
void frmVersion::LayOut()
{
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(16, 16, 16, 12);
    root->setSpacing(6);
    root->addWidget(Image1, 0, Qt::AlignHCenter);
    root->addSpacing(6);
    for (QLabel* label : {Label1, Label2, Label3, Label4})
        root->addWidget(label, 0, Qt::AlignHCenter);
    root->addSpacing(4);
    root->addWidget(Line1);
    root->addSpacing(4);
    root->addWidget(Label6, 0, Qt::AlignHCenter);
    root->addWidget(Label7, 0, Qt::AlignHCenter);
    root->addSpacing(8);
    root->addWidget(Command1, 0, Qt::AlignHCenter);
    root->addWidget(Label5, 0, Qt::AlignRight);
    root->setSizeConstraint(QLayout::SetFixedSize);
}

void frmVersion::Connect()
{
    connect(Command1, &QPushButton::clicked, this, &frmVersion::Command1_Click);
}

void frmVersion::Command1_Click()
{
    Navigation::Unload(this);
}
