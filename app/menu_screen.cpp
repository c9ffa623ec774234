// SPDX-License-Identifier: MIT
#include "menu_screen.h"

#include "banner.h"
#include "message_box.h"
#include "navigation.h"
#include "widgets.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

struct MenuButton {
    const char* name;
    const char* text;
    int row;
    int column;
    int columnSpan;
};

// In reading order, which is also the keyboard order.
constexpr std::array<MenuButton, 11> kButtons{{
    {"cmdSiguma", "シグマの計算", 0, 0, 1},
    {"cmdMenseki", "三角形の面積", 0, 1, 1},
    {"cmdKouyakusuu", "最大公約数", 0, 2, 1},
    {"cmd2ji", "２次方程式", 1, 0, 1},
    {"cmd3ji", "３次方程式", 1, 1, 1},
    {"cmd4ji", "４次方程式", 1, 2, 1},
    {"cmdRenritu", "連立方程式", 2, 0, 1},
    {"cmdReverse", "逆行列", 2, 1, 1},
    {"cmdGyouretusiki", "行列式", 2, 2, 1},
    {"cmdVersion", "バージョン情報", 3, 0, 2},
    {"cmdEnd", "やめる", 3, 2, 1},
}};

} // namespace

frmOpening::frmOpening()
{
    setWindowTitle(QStringLiteral("Kalvora"));

    Image1 = MakeBanner(this);

    auto* grid = new QGridLayout;
    grid->setSpacing(8);
    QWidget* previous = nullptr;
    for (const MenuButton& spec : kButtons) {
        const QString name = QLatin1String(spec.name);
        QPushButton* button = MakeButton(this, name, QString::fromUtf8(spec.text));
        // The buttons of the last row stand a little taller than the others.
        const int height = button->sizeHint().height();
        button->setMinimumHeight(spec.row == 3 ? height * 2 : height * 3 / 2);
        grid->addWidget(button, spec.row, spec.column, 1, spec.columnSpan);
        if (previous)
            QWidget::setTabOrder(previous, button);
        previous = button;

        if (name == QLatin1String("cmdVersion")) {
            connect(button, &QPushButton::clicked, this, &frmOpening::cmdVersion_Click);
        } else if (name == QLatin1String("cmdEnd")) {
            connect(button, &QPushButton::clicked, this, &frmOpening::cmdEnd_Click);
        } else {
            // A calculator that is not part of this build leaves its button disabled.
            button->setEnabled(Navigation::HasCalculator(name));
            connect(button, &QPushButton::clicked, this, [this, name] { OpenCalculator(name); });
        }
    }
    for (int column = 0; column < 3; ++column)
        grid->setColumnStretch(column, 1);

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(16, 16, 16, 16);
    root->setSpacing(16);
    root->addWidget(Image1);
    root->addLayout(grid);
    root->setSizeConstraint(QLayout::SetFixedSize);
}

void frmOpening::OpenCalculator(const QString& menuButton)
{
    // The calculator is on the screen before the menu goes, so there is never
    // a moment without a window.
    if (Navigation::ShowCalculator(menuButton))
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
