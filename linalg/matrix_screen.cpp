// SPDX-License-Identifier: MIT
#include "matrix_screen.h"

#include "accessibility.h"
#include "line_control.h"
#include "result_label.h"
#include "widgets.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

MatrixScreen::MatrixScreen(
    const QString& caption, const SizeChoice& sizes, const std::function<QString(int, int)>& boxName)
    : CalculatorScreen(caption, {"Command1", "Command2", "Command3"})
{
    CreateSizeChoice(sizes);
    CreateGrid(boxName);
}

// The frame of four size options; the first is chosen when the screen opens.
void MatrixScreen::CreateSizeChoice(const SizeChoice& sizes)
{
    Frame1 = new QGroupBox(QString::fromUtf8(sizes.frameCaption), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    auto* options = new QBoxLayout(
        sizes.orientation == Qt::Horizontal ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom, Frame1);
    options->setSpacing(sizes.orientation == Qt::Horizontal ? 16 : 6);
    for (int index = 0; index < 4; ++index) {
        optGen[index] = new QRadioButton(QString::fromUtf8(sizes.optionCaptions[index]), Frame1);
        optGen[index]->setObjectName(Indexed("optGen", index));
        // Only the caption and the circle take a click, so the option keeps
        // its natural width rather than a stretch of empty frame.
        optGen[index]->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        options->addWidget(optGen[index]);
        // A click on any option, the selected one too, starts the screen
        // afresh at the size it now shows; arrow keys click as well.
        connect(optGen[index], &QRadioButton::clicked, this, [this, index] { optGen_Click(index); });
    }
    options->addStretch(1);
    optGen[0]->setChecked(true);
}

// The 25 entry boxes; a hidden box keeps its place, so that the shown block
// stays where it is whatever its size. The boxes stay compact at the width
// MakeBox gave them rather than the width a line edit asks for.
void MatrixScreen::CreateGrid(const std::function<QString(int, int)>& boxName)
{
    for (int i = 1; i <= kMaxGen; ++i) {
        for (int j = 1; j <= kMaxGen; ++j) {
            QLineEdit* box = MakeBox(this, Indexed("txtNum", Cell(i, j)), boxName(i, j), kBoxDigits);
            FixWidth(box);
            KeepPlaceWhenHidden(box);
            txtNum[Cell(i, j)] = box;
        }
    }
}

void MatrixScreen::optGen_Click(int)
{
    Restart();
}

void MatrixScreen::InitGrid()
{
    for (int i = 1; i <= 25; ++i)
        txtNum[i]->clear();
    for (int index = 0; index < 4; ++index) {
        if (optGen[index]->isChecked()) {
            Gen = index + 2;
            break;
        }
    }
    ShowBlock(txtNum, Gen);
}

Matrix MatrixScreen::ReadGrid() const
{
    Matrix Gyouretu{};
    for (int i = 1; i <= Gen; ++i)
        for (int j = 1; j <= Gen; ++j)
            Gyouretu[i][j] = Read(txtNum[Cell(i, j)]);
    return Gyouretu;
}

QLabel* MatrixScreen::MakeCell(const QString& name, const QString& accessibleName, int digits)
{
    QLabel* label = MakeResult(this, name, accessibleName, digits);
    // A fixed width: the window keeps its size whatever the result, and a
    // number too long for the cell is drawn smaller or shortened and shown
    // whole in its tool tip.
    FixWidth(label);
    label->setFixedHeight(txtNum[1]->sizeHint().height());
    // In the exact view a cell grows to hold a stacked fraction at the size
    // of the decimals.
    if (auto* result = qobject_cast<ResultLabel*>(label))
        result->SetRoomForFractions(true);
    return label;
}

void MatrixScreen::KeepPlaceWhenHidden(QWidget* widget)
{
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
}

std::vector<std::vector<std::string>> MatrixScreen::GridTexts() const
{
    std::vector<std::vector<std::string>> rows(Gen);
    for (int i = 1; i <= Gen; ++i)
        for (int j = 1; j <= Gen; ++j)
            rows[i - 1].push_back(TextOf(txtNum[Cell(i, j)]));
    return rows;
}

QLabel* MatrixScreen::MakeExactNote(std::vector<QWidget*> results)
{
    QLabel* note = MakeResult(this, QStringLiteral("lblExactNote"), QStringLiteral("正確な計算では"), 0);
    note->setWordWrap(true);
    note->setAlignment(Qt::AlignCenter);
    // What it covers stays unseen beneath it.
    note->setAutoFillBackground(true);
    note->hide();
    // Over the cells wherever they stand: placed again whenever one moves,
    // so that a layout settling after the words arrive still centres them.
    PlaceOver(
        note,
        [this, results] {
            QRect area;
            for (const QWidget* cell : results)
                area |= QRect(cell->mapTo(this, QPoint(0, 0)), cell->size());
            return area;
        },
        results);
    connect(static_cast<ResultLabel*>(note), &ResultLabel::Displayed, this, [note](const QString& shown) {
        note->setVisible(!shown.isEmpty());
        note->raise();
    });
    return note;
}

void MatrixScreen::ShowResults(
    std::vector<ResultCell> cells, QLabel* note, const char* singularMessage, std::function<ExactCells()> exact)
{
    for (const ResultCell& cell : cells)
        SetResult(cell.label, cell.text);
    SetResult(note, {});
    OfferExact(std::move(exact), [cells = std::move(cells), note, singularMessage](const ExactCells& found) {
        const bool singular = found.status == ExactStatus::Singular;
        for (std::size_t k = 0; k < cells.size(); ++k) {
            const bool known = found.status == ExactStatus::Found && k < found.values.size();
            const ExactText value = known ? found.values[k] : std::nullopt;
            if (singular)
                SetExactResult(cells[k].label, std::string());
            else
                SetExactResult(cells[k].label, value, cells[k].text);
        }
        SetExactResult(note, singular ? singularMessage : "");
    });
}

QLayout* MatrixScreen::InstructionsAndSwitch(QWidget* first, QWidget* second, const char* message)
{
    auto* lines = new QGridLayout;
    lines->setContentsMargins(0, 0, 0, 0);
    lines->setVerticalSpacing(kLineSpacing);
    lines->setHorizontalSpacing(12);
    lines->addWidget(first, 0, 0);
    lines->addWidget(second, 1, 0);
    const int room = first->fontMetrics().horizontalAdvance(QString::fromUtf8(message)) + 8;
    lines->addItem(new QSpacerItem(room, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), 0, 1, 2, 1);
    lines->addWidget(MakeExactSwitch(), 0, 2, 2, 1, Qt::AlignRight | Qt::AlignVCenter);
    lines->setColumnStretch(1, 1);
    return lines;
}

namespace {
// Between 「途中式」 and the switch beside it.
constexpr int kStepsGap = 12;
} // namespace

void MatrixScreen::PlaceStepsBesideSwitch()
{
    QPushButton* steps = MakeStepsButton();
    QWidget* exactSwitch = chkExact;
    PlaceOver(steps,
        [steps, exactSwitch] {
            const QSize size = steps->sizeHint();
            const QRect at = exactSwitch->geometry();
            return QRect(
                at.left() - kStepsGap - size.width(), at.center().y() - size.height() / 2, size.width(), size.height());
        },
        {exactSwitch});
}

QGridLayout* MatrixScreen::BoxGrid(int spacing) const
{
    auto* grid = new QGridLayout;
    grid->setSpacing(spacing);
    for (int i = 1; i <= kMaxGen; ++i)
        for (int j = 1; j <= kMaxGen; ++j)
            grid->addWidget(txtNum[Cell(i, j)], i - 1, j - 1);
    return grid;
}

Parenthesis::Parenthesis(QWidget* parent, Side side, const std::array<QString, 3>& names)
    : QWidget(parent)
{
    // Top stroke, vertical stroke, bottom stroke, as a left bracket; the
    // right one is its mirror image.
    const bool left = side == Left;
    const qreal outer = left ? 1 : 0;
    const qreal inner = left ? 0 : 1;
    strokes[0] = new LineControl(this, names[0], {outer, 0}, {inner, 1});
    strokes[1] = new LineControl(this, names[1], {inner, 0}, {inner, 1});
    strokes[2] = new LineControl(this, names[2], {inner, 0}, {outer, 1});
    for (LineControl* stroke : strokes)
        stroke->SetWidth(kStrokeWidth);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    MarkAsDecoration(this);
}

QSize Parenthesis::sizeHint() const
{
    return {fontMetrics().height() / 2 + 3, fontMetrics().height() * 2};
}

void Parenthesis::resizeEvent(QResizeEvent*)
{
    // A LineControl keeps its ends half a stroke (plus half a pixel) inside
    // its rectangle; overlapping the rectangles by twice that makes the end
    // of one stroke the start of the next.
    const int overlap = 3;
    const int w = width();
    const int h = height();
    const int slant = std::min(h / 6, w * 2);
    strokes[0]->setGeometry(0, 0, w, slant + overlap);
    strokes[1]->setGeometry(0, slant, w, h - 2 * slant);
    strokes[2]->setGeometry(0, h - slant - overlap, w, slant + overlap);
}
