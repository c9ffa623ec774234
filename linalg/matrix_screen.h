// SPDX-License-Identifier: MIT
#pragma once

#include "calculator_screen.h"
#include "elimination.h"
#include "exact_library.h"

#include <QWidget>

#include <array>
#include <functional>
#include <string>
#include <vector>

class LineControl;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLayout;
class QLineEdit;
class QRadioButton;

// What the simultaneous-equations, determinant and inverse screens share: the
// frame of four size options (n = index + 2, n = 2 when opened), the 5 × 5
// grid of boxes numbered row by row (txtNum_1 .. txtNum_25, row i and column j
// in txtNum[5 * (i - 1) + j]) of which the top-left n × n block is shown, and
// the grid part of Init. Choosing a size option runs the screen's Init.
class MatrixScreen : public CalculatorScreen {
    Q_OBJECT

protected:
    struct SizeChoice {
        const char* frameCaption;
        std::array<const char*, 4> optionCaptions;
        Qt::Orientation orientation;
    };

    // boxName(i, j) is the accessible name of the box in row i, column j.
    MatrixScreen(const QString& caption, const SizeChoice& sizes, const std::function<QString(int, int)>& boxName);

    static constexpr int Cell(int i, int j) { return 5 * (i - 1) + j; }

    // Empties all 25 boxes, takes Gen from the selected option and shows only
    // the boxes of the top-left Gen × Gen block.
    void InitGrid();

    // The Gen × Gen block, read row by row with ParseNumber.
    Matrix ReadGrid() const;

    // The texts of the Gen × Gen block, row by row, for the exact view.
    std::vector<std::vector<std::string>> GridTexts() const;

    // What the exact view says in place of numbers when exact arithmetic
    // finds the matrix singular though the decimal calculation did not: a
    // result of its own, empty in the decimal view. It stands over the
    // results it explains, `results` (every cell, shown or not), and is shown
    // only while it says something: then the cells under it are empty.
    QLabel* MakeExactNote(std::vector<QWidget*> results);

    // One result of a solution or an inverse: its label and the decimal text
    // it shows.
    struct ResultCell {
        QLabel* label;
        std::string text;
    };

    // What exact arithmetic finds for such results: its status and, when
    // found, one exact value per cell in the same order.
    struct ExactCells {
        ExactStatus status = ExactStatus::Unavailable;
        std::vector<ExactText> values;
    };

    // Shows the cells' decimal texts and empties `note`. The exact view, now
    // or when it is switched on, shows each cell's exact form from `exact`
    // (or ≈ and its decimal text); when exact arithmetic finds the matrix
    // singular, the cells go blank and `note` says `singularMessage`.
    // `exact` runs on a worker thread (OfferExact): it holds copies of the
    // boxes' texts, never a widget.
    void ShowResults(
        std::vector<ResultCell> cells, QLabel* note, const char* singularMessage, std::function<ExactCells()> exact);

    // The two lines of instructions at the left; at the right, across both,
    // the switch to exact forms, as far from them as `message` is wide. The
    // lines keep the spacing they would have on their own.
    QLayout* InstructionsAndSwitch(QWidget* first, QWidget* second, const char* message);

    // 「途中式」 on the switch's line, just left of it, in the room the
    // instructions leave.
    void PlaceStepsBesideSwitch();

    // Shows the cells of the top-left n × n block of a 5 × 5 array and hides
    // the rest; hidden cells keep their place, so nothing around them moves.
    template<class Cells> static void ShowBlock(const Cells& cells, int n)
    {
        for (int i = 1; i <= kMaxGen; ++i)
            for (int j = 1; j <= kMaxGen; ++j)
                cells[Cell(i, j)]->setVisible(i <= n && j <= n);
    }

    // Between the lines of the screen's text.
    static constexpr int kLineSpacing = 8;

    // Digits an entry box is sized for; longer text scrolls inside it.
    static constexpr int kBoxDigits = 7;

    // A result label of a fixed size, as tall as an entry box.
    QLabel* MakeCell(const QString& name, const QString& accessibleName, int digits);

    // Keeps a hidden widget's space in its layout.
    static void KeepPlaceWhenHidden(QWidget* widget);

    // The 5 × 5 boxes in a grid layout of their own, without spacing between
    // rows beyond the given one.
    QGridLayout* BoxGrid(int spacing) const;

    QGroupBox* Frame1;
    std::array<QRadioButton*, 4> optGen{};
    std::array<QLineEdit*, 26> txtNum{}; // 1 .. 25
    int Gen = 2;

private:
    void CreateSizeChoice(const SizeChoice& sizes);
    void CreateGrid(const std::function<QString(int, int)>& boxName);
    void optGen_Click(int index);
};

// A tall round bracket drawn with three straight strokes, a slanted top, a
// vertical and a slanted bottom, each a LineControl with its own name. It
// stretches to the height it is given and joins the strokes exactly.
class Parenthesis : public QWidget {
    Q_OBJECT

public:
    enum Side { Left, Right };
    Parenthesis(QWidget* parent, Side side, const std::array<QString, 3>& names);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    static constexpr qreal kStrokeWidth = 2;
    std::array<LineControl*, 3> strokes{};
};
