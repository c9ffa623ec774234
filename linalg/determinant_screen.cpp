// SPDX-License-Identifier: MIT
#include "determinant_screen.h"

#include "conversions.h"
#include "determinant.h"
#include "exact_library.h"
#include "line_control.h"
#include "widgets.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

frmGyouretusiki::frmGyouretusiki()
    : MatrixScreen(QStringLiteral("行列式－Kalvora"),
        {.frameCaption = "何次の行列ですか？",
            .optionCaptions = {"２×２次", "３×３次", "４×４次", "５×５次"},
            .orientation = Qt::Vertical},
        [](int i, int j) { return QStringLiteral("%1行%2列").arg(i).arg(j); })
{
    LayOut();
    SetKeyboardOrder();
    OnCalculate(&frmGyouretusiki::Command3_Click);
}

// The instructions above; below them the determinant and its value, with the
// sizes at the right.
void frmGyouretusiki::LayOut()
{
    QLabel* Label1 = MakeText(this, QStringLiteral("Label1"), QStringLiteral("数値を入れてください"));
    QLabel* Label2 = MakeText(this, QStringLiteral("Label2"), QStringLiteral("空白の場合は０と見なします"));

    auto* formula = new QVBoxLayout;
    formula->setSpacing(10);
    formula->addLayout(BoxesBetweenBars());
    formula->addLayout(Result());

    auto* work = new QHBoxLayout;
    work->setSpacing(20);
    work->addLayout(formula);
    work->addWidget(Frame1, 0, Qt::AlignTop);

    auto* body = new QVBoxLayout;
    body->setSpacing(8);
    body->addWidget(Label1);
    body->addWidget(Label2);
    body->addLayout(work);
    SetBody(body);

    // 「途中式」 on the value's line, under the sizes, its right edge with
    // theirs.
    QPushButton* steps = MakeStepsButton();
    QWidget* exactSwitch = chkExact;
    PlaceOver(steps,
        [steps, exactSwitch, this] {
            const QSize size = steps->sizeHint();
            const int middle = exactSwitch->geometry().center().y();
            return QRect(
                Frame1->geometry().right() - size.width() + 1, middle - size.height() / 2, size.width(), size.height());
        },
        {exactSwitch, Frame1});
}

// The boxes between two bars that span all five rows whatever the order, like
// a written determinant with room for the largest one.
QLayout* frmGyouretusiki::BoxesBetweenBars()
{
    auto* Line1 = new LineControl(this, QStringLiteral("Line1"), {0.5, 0}, {0.5, 1});
    auto* Line2 = new LineControl(this, QStringLiteral("Line2"), {0.5, 0}, {0.5, 1});
    QGridLayout* grid = BoxGrid(6);
    grid->setContentsMargins(4, 2, 4, 2);
    auto* matrix = new QHBoxLayout;
    matrix->setSpacing(0);
    for (LineControl* bar : {Line1, Line2})
        bar->setFixedWidth(6);
    matrix->addWidget(Line1);
    matrix->addLayout(grid);
    matrix->addWidget(Line2);
    return matrix;
}

// "= value", and the switch to exact forms at the end of the line.
QLayout* frmGyouretusiki::Result()
{
    QLabel* Label3 = MakeText(this, QStringLiteral("Label3"), QStringLiteral("="));
    lblAns = MakeCell(QStringLiteral("lblAns"), QStringLiteral("行列式の値"), 22);
    ScaleFont(lblAns, 1.2, true);
    lblAns->setFixedWidth(lblAns->fontMetrics().horizontalAdvance(QString(22, QLatin1Char('0'))) + 4);
    ScaleFont(Label3, 1.2, true);
    auto* result = new QHBoxLayout;
    result->setSpacing(8);
    result->addSpacing(12);
    result->addWidget(Label3);
    result->addWidget(lblAns);
    result->addStretch(1);
    result->addWidget(MakeExactSwitch());
    return result;
}

// The buttons first, then the sizes, then the entries row by row; the screen
// opens with the focus on "戻る".
void frmGyouretusiki::SetKeyboardOrder()
{
    std::vector<QWidget*> order{cmdBack, cmdReset, cmdCalculate};
    order.insert(order.end(), optGen.begin(), optGen.end());
    order.insert(order.end(), txtNum.begin() + 1, txtNum.end());
    order.insert(order.end(), {chkExact, cmdSteps});
    SetTabOrder(order);
    cmdBack->setFocus();
}

void frmGyouretusiki::Init()
{
    InitGrid();
    SetResult(lblAns, {});
}

void frmGyouretusiki::Command3_Click()
{
    const double Kotae = Gyouretusiki(ReadGrid(), Gen);
    const std::string text = FormatFixed(Kotae, "0.000");
    SetResult(lblAns, text);
    const BoxRows rows = GridTexts();
    OfferExact([rows] { return Exact::Determinant(rows); },
        [this, text](const ExactText& determinant) { SetExactResult(lblAns, determinant, text); });
    OfferSteps([rows] { return Exact::DeterminantSteps(rows); });
}
