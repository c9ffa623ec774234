// SPDX-License-Identifier: MIT
#include "simultaneous_screen.h"

#include "conversions.h"
#include "exact_library.h"
#include "simultaneous.h"
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
QChar Unknown(int j)
{
    return QLatin1Char("ABCDE"[j - 1]);
}
} // namespace

frmRenritu::frmRenritu()
    : MatrixScreen(QStringLiteral("連立方程式－Kalvora"),
        {.frameCaption = "何元連立方程式ですか？",
            .optionCaptions = {"２元連立方程式", "３元連立方程式", "４元連立方程式", "５元連立方程式"},
            .orientation = Qt::Horizontal},
        [](int i, int j) { return QStringLiteral("式%1 の %2 の係数").arg(i).arg(Unknown(j)); })
{
    LayOut();
    SetKeyboardOrder();
    OnCalculate(&frmRenritu::Command3_Click);
}

// The sizes, the instructions, then the equations with their answers beside
// them.
void frmRenritu::LayOut()
{
    QLabel* Label6 = MakeText(this, QStringLiteral("Label6"), QStringLiteral("係数を入力してください"));
    QLabel* Label7 = MakeText(this, QStringLiteral("Label7"), QStringLiteral("空白の場合は０と見なします"));

    auto* work = new QHBoxLayout;
    work->addLayout(Equations());
    work->addSpacing(32);
    work->addLayout(Answers());

    auto* body = new QVBoxLayout;
    body->setSpacing(kLineSpacing);
    body->addWidget(Frame1);
    // The switch to exact forms stands at the right, above the answers; what
    // exact arithmetic may say instead of numbers stands over the answers.
    body->addLayout(InstructionsAndSwitch(Label6, Label7, kExactSingularSystemMessage));
    body->addLayout(work);
    SetBody(body);
    // Over the whole answer column, letters and all: with no numbers to name,
    // the words have its width.
    std::vector<QWidget*> answers(lblAnswer.begin() + 1, lblAnswer.end());
    for (int j = 1; j <= kMaxGen; ++j)
        answers.push_back(findChild<QLabel*>(QStringLiteral("Label%1").arg(7 + j)));
    lblExactNote = MakeExactNote(answers);
    PlaceStepsBesideSwitch();
}

// Equation i is row i: box, "A+", box, "B+", … box, "E=", right-hand side.
// The letters stay whatever the size, so every row reads as an equation.
QGridLayout* frmRenritu::Equations()
{
    auto* equations = new QGridLayout;
    equations->setHorizontalSpacing(4);
    equations->setVerticalSpacing(6);
    for (int i = 1; i <= kMaxGen; ++i) {
        for (int j = 1; j <= kMaxGen; ++j) {
            equations->addWidget(txtNum[Cell(i, j)], i - 1, 2 * (j - 1));
            const QString letter = QString(Unknown(j)) + (j < kMaxGen ? QLatin1Char('+') : QLatin1Char('='));
            equations->addWidget(
                MakeText(this, QStringLiteral("Label%1_%2").arg(j).arg(i - 1), letter), i - 1, 2 * (j - 1) + 1);
        }
        txtNumA[i] = MakeBox(this, Indexed("txtNumA", i), QStringLiteral("式%1 の右辺").arg(i), kBoxDigits);
        FixWidth(txtNumA[i]);
        KeepPlaceWhenHidden(txtNumA[i]);
        equations->addWidget(txtNumA[i], i - 1, 2 * kMaxGen);
    }
    return equations;
}

// The answers, one line per unknown, beside the equations.
QGridLayout* frmRenritu::Answers()
{
    auto* answers = new QGridLayout;
    answers->setHorizontalSpacing(6);
    answers->setVerticalSpacing(6);
    for (int j = 1; j <= kMaxGen; ++j) {
        answers->addWidget(
            MakeText(this, QStringLiteral("Label%1").arg(7 + j), QString(Unknown(j)) + QLatin1Char('=')), j - 1, 0);
        lblAnswer[j] = MakeCell(Indexed("lblAnswer", j), QStringLiteral("%1 の値").arg(Unknown(j)), 14);
        answers->addWidget(lblAnswer[j], j - 1, 1);
    }
    return answers;
}

// Equation by equation, each one's coefficients and then its right-hand
// side; then the buttons; then the sizes. Hidden boxes are passed over. The
// screen opens with the focus on the first coefficient.
void frmRenritu::SetKeyboardOrder()
{
    std::vector<QWidget*> order;
    for (int i = 1; i <= kMaxGen; ++i) {
        for (int j = 1; j <= kMaxGen; ++j)
            order.push_back(txtNum[Cell(i, j)]);
        order.push_back(txtNumA[i]);
    }
    order.insert(order.end(), {cmdBack, cmdReset, cmdCalculate});
    order.insert(order.end(), optGen.begin(), optGen.end());
    order.insert(order.end(), {chkExact, cmdSteps});
    SetTabOrder(order);
    txtNum[1]->setFocus();
}

void frmRenritu::Init()
{
    InitGrid();
    for (int i = 1; i <= kMaxGen; ++i) {
        txtNumA[i]->clear();
        SetResult(lblAnswer[i], {});
        txtNumA[i]->setVisible(i <= Gen);
    }
    SetResult(lblExactNote, {});
}

// "A = 1.000000", one unknown a line; or what exact arithmetic says instead.
QString frmRenritu::ResultsText() const
{
    if (!lblExactNote->text().isEmpty())
        return lblExactNote->text();
    QStringList lines;
    for (int j = 1; j <= Gen && !lblAnswer[j]->text().isEmpty(); ++j)
        lines.append(QStringLiteral("%1 = %2").arg(Unknown(j)).arg(lblAnswer[j]->text()));
    return lines.join(QLatin1Char('\n'));
}

void frmRenritu::Command3_Click()
{
    const Matrix Gyouretu = ReadGrid();
    Vector Teisuu{};
    std::vector<std::string> rhs;
    for (int i = 1; i <= Gen; ++i) {
        Teisuu[i] = Read(txtNumA[i]);
        rhs.push_back(TextOf(txtNumA[i]));
    }

    const auto outcome = Renritu(Gyouretu, Teisuu, Gen);
    const Vector* Kai = Accept(outcome);
    if (!Kai)
        return;
    // Unknowns beyond Gen keep the blank Init gave them.
    std::vector<ResultCell> cells;
    for (int j = 1; j <= Gen; ++j)
        cells.push_back({lblAnswer[j], FormatFixed((*Kai)[j], "0.000000")});
    const BoxRows rows = GridTexts();
    ShowResults(std::move(cells), lblExactNote, kExactSingularSystemMessage, [rows, rhs] {
        const ExactVector exact = Exact::Solve(rows, rhs);
        return ExactCells{.status = exact.status, .values = exact.x};
    });
    OfferSteps([rows, rhs] { return Exact::SolveSteps(rows, rhs); });
}
