// SPDX-License-Identifier: MIT
#include "menu_screen.h"

#include "banner.h"
#include "message_box.h"
#include "navigation.h"
#include "widgets.h"

#include "cubic_screen.h"
#include "determinant_screen.h"
#include "gcd_screen.h"
#include "inverse_screen.h"
#include "quadratic_screen.h"
#include "quartic_screen.h"
#include "sigma_screen.h"
#include "simultaneous_screen.h"
#include "triangle_screen.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr std::array<MenuButton, 11> kButtons{{
    {"cmdSiguma", "シグマの計算", 0, 0, 1, Calculator<frmSiguma>()},
    {"cmdMenseki", "三角形の面積", 0, 1, 1, Calculator<frmSankaku>()},
    {"cmdKouyakusuu", "最大公約数", 0, 2, 1, Calculator<frmKouyaku>()},
    {"cmd2ji", "２次方程式", 1, 0, 1, Calculator<frm2ji>()},
    {"cmd3ji", "３次方程式", 1, 1, 1, Calculator<frm3ji>()},
    {"cmd4ji", "４次方程式", 1, 2, 1, Calculator<frm4ji>()},
    {"cmdRenritu", "連立方程式", 2, 0, 1, Calculator<frmRenritu>()},
    {"cmdReverse", "逆行列", 2, 1, 1, Calculator<frmGyaku>()},
    {"cmdGyouretusiki", "行列式", 2, 2, 1, Calculator<frmGyouretusiki>()},
    {"cmdVersion", "バージョン情報", 3, 0, 2, {}},
    {"cmdEnd", "やめる", 3, 2, 1, {}},
}};

} // namespace

std::span<const MenuButton> MenuButtons()
{
    return kButtons;
}

frmOpening::frmOpening()
{
    setWindowTitle(QStringLiteral("Kalvora"));

    Image1 = MakeBanner(this);

    auto* grid = new QGridLayout;
    grid->setSpacing(8);
    std::vector<QWidget*> order;
    for (const MenuButton& spec : kButtons) {
        const QString name = QLatin1String(spec.name);
        QPushButton* button = MakeButton(this, name, QString::fromUtf8(spec.text));
        // The buttons of the last row stand a little taller than the others.
        const int height = button->sizeHint().height();
        button->setMinimumHeight(spec.row == 3 ? height * 2 : height * 3 / 2);
        grid->addWidget(button, spec.row, spec.column, 1, spec.columnSpan);
        order.push_back(button);

        if (const CalculatorKind calculator = spec.calculator; calculator.create)
            connect(button, &QPushButton::clicked, this, [this, calculator] { OpenCalculator(calculator); });
        else if (name == QLatin1String("cmdVersion"))
            connect(button, &QPushButton::clicked, this, &frmOpening::cmdVersion_Click);
        else
            connect(button, &QPushButton::clicked, this, &frmOpening::cmdEnd_Click);
    }
    SetTabOrder(order);
    for (int column = 0; column < 3; ++column)
        grid->setColumnStretch(column, 1);

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(16, 16, 16, 16);
    root->setSpacing(16);
    root->addWidget(Image1);
    root->addLayout(grid);
    root->setSizeConstraint(QLayout::SetFixedSize);
}

void frmOpening::OpenCalculator(const CalculatorKind& calculator)
{
    // The calculator is on the screen before the menu goes, so there is never
    // a moment without a window.
    Navigation::ShowCalculator(calculator);
    Navigation::Unload(this);
}

void frmOpening::cmdVersion_Click()
{
    Navigation::ShowVersion();
}

void frmOpening::cmdEnd_Click()
{
    ShowMessage(this, QStringLiteral("お疲れさまでした！"));
    Navigation::EndProgram();
}
