// SPDX-License-Identifier: MIT
#include "inverse_screen.h"

#include "conversions.h"
#include "exact_library.h"
#include "inverse.h"
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

#include <string>

namespace {
std::array<QString, 3> Strokes(int first)
{
    return {QStringLiteral("Line%1").arg(first), QStringLiteral("Line%1").arg(first + 1),
        QStringLiteral("Line%1").arg(first + 2)};
}
} // namespace

frmGyaku::frmGyaku()
    : MatrixScreen(QStringLiteral("逆行列－Kalvora"),
        {.frameCaption = "何次の行列ですか？",
            .optionCaptions = {"２×２次", "３×３次", "４×４次", "５×５次"},
            .orientation = Qt::Horizontal},
        [](int i, int j) { return QStringLiteral("%1行%2列").arg(i).arg(j); })
{
    CreateResults();
    LayOut();
    SetKeyboardOrder();
    OnCalculate(&frmGyaku::Command3_Click);
}

// The 5 × 5 result cells, numbered like the boxes; they are wider than the
// boxes, for three decimals, and keep their place when hidden.
void frmGyaku::CreateResults()
{
    for (int i = 1; i <= kMaxGen; ++i) {
        for (int j = 1; j <= kMaxGen; ++j) {
            QLabel* cell = MakeCell(Indexed("lblAns", Cell(i, j)), QStringLiteral("逆行列 %1行%2列").arg(i).arg(j), 9);
            cell->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            KeepPlaceWhenHidden(cell);
            lblAns[Cell(i, j)] = cell;
        }
    }
}

void frmGyaku::LayOut()
{
    QLabel* Label2 = MakeText(this, QStringLiteral("Label2"), QStringLiteral("数値を入力してください"));
    QLabel* Label1 = MakeText(this, QStringLiteral("Label1"), QStringLiteral("空白の場合は０と見なします"));

    auto* body = new QVBoxLayout;
    body->setSpacing(kLineSpacing);
    body->addWidget(Frame1);
    // The switch to exact forms stands at the right, above the inverse; what
    // exact arithmetic may say instead of numbers stands in the inverse.
    body->addLayout(InstructionsAndSwitch(Label2, Label1, kExactSingularInverseMessage));
    body->addLayout(Formula());
    SetBody(body);
    lblExactNote = MakeExactNote({lblAns.begin() + 1, lblAns.end()});
    PlaceStepsBesideSwitch();
}

// "( boxes )⁻¹ = ( results )": the parentheses, "-1" and "=" keep their
// five-row size whatever the order.
QLayout* frmGyaku::Formula()
{
    QGridLayout* input = BoxGrid(6);
    input->setContentsMargins(2, 4, 2, 4);
    auto* results = new QGridLayout;
    results->setHorizontalSpacing(10);
    results->setVerticalSpacing(6);
    results->setContentsMargins(4, 4, 4, 4);
    for (int i = 1; i <= kMaxGen; ++i)
        for (int j = 1; j <= kMaxGen; ++j)
            results->addWidget(lblAns[Cell(i, j)], i - 1, j - 1);

    QLabel* Label28 = MakeExponent(this, QStringLiteral("Label28"), QStringLiteral("-1"));
    auto* exponent = new QVBoxLayout;
    exponent->addWidget(Label28);
    exponent->addStretch(1);

    auto* formula = new QHBoxLayout;
    formula->setSpacing(0);
    formula->addWidget(new Parenthesis(this, Parenthesis::Left, Strokes(1)));
    formula->addLayout(input);
    formula->addWidget(new Parenthesis(this, Parenthesis::Right, Strokes(4)));
    formula->addSpacing(2);
    formula->addLayout(exponent);
    formula->addSpacing(12);
    formula->addLayout(EqualsSign());
    formula->addSpacing(12);
    formula->addWidget(new Parenthesis(this, Parenthesis::Left, Strokes(10)));
    formula->addLayout(results);
    formula->addWidget(new Parenthesis(this, Parenthesis::Right, Strokes(13)));
    return formula;
}

// "=" drawn as two strokes, centred on the formula's height.
QLayout* frmGyaku::EqualsSign()
{
    auto* Line7 = new LineControl(this, QStringLiteral("Line7"), {0, 0.5}, {1, 0.5});
    auto* Line9 = new LineControl(this, QStringLiteral("Line9"), {0, 0.5}, {1, 0.5});
    auto* equals = new QVBoxLayout;
    equals->setSpacing(4);
    equals->addStretch(1);
    for (LineControl* stroke : {Line7, Line9}) {
        stroke->setFixedSize(fontMetrics().horizontalAdvance(QLatin1Char('=')) + 8, 4);
        equals->addWidget(stroke);
    }
    equals->addStretch(1);
    return equals;
}

// The sizes, then the entries row by row, then the buttons; the screen opens
// with the focus on the selected size.
void frmGyaku::SetKeyboardOrder()
{
    std::vector<QWidget*> order(optGen.begin(), optGen.end());
    order.insert(order.end(), txtNum.begin() + 1, txtNum.end());
    order.insert(order.end(), {cmdBack, cmdReset, cmdCalculate, chkExact, cmdSteps});
    SetTabOrder(order);
    optGen[0]->setFocus();
}

void frmGyaku::Init()
{
    InitGrid();
    for (int i = 1; i <= 25; ++i)
        SetResult(lblAns[i], {});
    SetResult(lblExactNote, {});
    ShowBlock(lblAns, Gen);
}

// The matrix as rows of tab-separated entries, as a spreadsheet pastes them.
QString frmGyaku::ResultsText() const
{
    if (!lblExactNote->text().isEmpty())
        return lblExactNote->text();
    if (lblAns[1]->text().isEmpty())
        return {};
    QStringList rows;
    for (int i = 1; i <= Gen; ++i) {
        QStringList row;
        for (int j = 1; j <= Gen; ++j)
            row.append(lblAns[Cell(i, j)]->text());
        rows.append(row.join(QLatin1Char('\t')));
    }
    return rows.join(QLatin1Char('\n'));
}

void frmGyaku::Command3_Click()
{
    const auto outcome = Gyakugyouretu(ReadGrid(), Gen);
    const Matrix* Gyaku = Accept(outcome);
    if (!Gyaku)
        return;
    std::vector<ResultCell> cells;
    for (int i = 1; i <= Gen; ++i)
        for (int j = 1; j <= Gen; ++j)
            cells.push_back({lblAns[Cell(i, j)], FormatFixed((*Gyaku)[i][j], "0.000")});
    // The exact inverse row by row, like the cells.
    const BoxRows rows = GridTexts();
    ShowResults(std::move(cells), lblExactNote, kExactSingularInverseMessage, [rows] {
        const ExactMatrix exact = Exact::Inverse(rows);
        ExactCells found{.status = exact.status, .values = {}};
        for (const std::vector<ExactText>& row : exact.entries)
            found.values.insert(found.values.end(), row.begin(), row.end());
        return found;
    });
    OfferSteps([rows] { return Exact::InverseSteps(rows); });
}
