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
    {.name = "cmdSiguma", .text = "シグマの計算", .row = 0, .column = 0, .calculator = Calculator<frmSiguma>()},
    {.name = "cmdMenseki", .text = "三角形の面積", .row = 0, .column = 1, .calculator = Calculator<frmSankaku>()},
    {.name = "cmdKouyakusuu", .text = "最大公約数", .row = 0, .column = 2, .calculator = Calculator<frmKouyaku>()},
    {.name = "cmd2ji", .text = "２次方程式", .row = 1, .column = 0, .calculator = Calculator<frm2ji>()},
    {.name = "cmd3ji", .text = "３次方程式", .row = 1, .column = 1, .calculator = Calculator<frm3ji>()},
    {.name = "cmd4ji", .text = "４次方程式", .row = 1, .column = 2, .calculator = Calculator<frm4ji>()},
    {.name = "cmdRenritu", .text = "連立方程式", .row = 2, .column = 0, .calculator = Calculator<frmRenritu>()},
    {.name = "cmdReverse", .text = "逆行列", .row = 2, .column = 1, .calculator = Calculator<frmGyaku>()},
    {.name = "cmdGyouretusiki", .text = "行列式", .row = 2, .column = 2, .calculator = Calculator<frmGyouretusiki>()},
    {.name = "cmdVersion",
        .text = "バージョン情報",
        .row = 3,
        .column = 0,
        .columnSpan = 2,
        .action = MenuAction::ShowVersion},
    {.name = "cmdEnd", .text = "やめる", .row = 3, .column = 2, .action = MenuAction::EndProgram},
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
    LayOut(CreateButtons());
}

// The buttons in the grid, in reading order, which is also the keyboard
// order; each does what its row of the table says.
QGridLayout* frmOpening::CreateButtons()
{
    auto* grid = new QGridLayout;
    grid->setSpacing(8);
    std::vector<QWidget*> order;
    for (const MenuButton& entry : kButtons) {
        QPushButton* button = MakeButton(this, QLatin1String(entry.name), QString::fromUtf8(entry.text));
        // The buttons of the last row stand a little taller than the others.
        const int height = button->sizeHint().height();
        button->setMinimumHeight(entry.row == 3 ? height * 2 : height * 3 / 2);
        grid->addWidget(button, entry.row, entry.column, 1, entry.columnSpan);
        order.push_back(button);
        connect(button, &QPushButton::clicked, this, [this, &entry] { Click(entry); });
    }
    SetTabOrder(order);
    for (int column = 0; column < 3; ++column)
        grid->setColumnStretch(column, 1);
    return grid;
}

// The banner above the buttons; the window keeps the size they ask for.
void frmOpening::LayOut(QGridLayout* buttons)
{
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(16, 16, 16, 16);
    root->setSpacing(16);
    root->addWidget(Image1);
    root->addLayout(buttons);
    root->setSizeConstraint(QLayout::SetFixedSize);
}

void frmOpening::Click(const MenuButton& button)
{
    switch (button.action) {
    case MenuAction::OpenCalculator: OpenCalculator(button.calculator); return;
    case MenuAction::ShowVersion: cmdVersion_Click(); return;
    case MenuAction::EndProgram: cmdEnd_Click(); return;
    }
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
