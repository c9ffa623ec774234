// SPDX-License-Identifier: MIT
#pragma once

#include "exact_steps.h"

#include <QFont>
#include <QRectF>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

class QPainter;

// An exact result drawn as a textbook draws it, always at the type size it is
// given: a result is never drawn smaller than the decimals beside it. The
// label's text stays the linear form "(c₁√m₁ + c₂√m₂ + …)/d" ("-3/7",
// "(1+√5)/2", "3√15/4"). Stacked, the fraction is numerator over a bar over
// denominator, with a single-term fraction's minus sign in front of the bar;
// on one line it is the linear form itself. Either way each square root is
// "√" with its bar over the radicand, and a minus sign is a stroke as long
// and as thick as the bar of "+", apart from what follows it. A text that is
// not such a form (a decimal, "≈1.260") is drawn as it stands.
class MathText {
public:
    enum class Form {
        Stacked, // a fraction over its bar
        Line, // "(1+√5)/2" with the roots' bars
    };

    explicit MathText(const QString& text);

    // True when the text is a form with a fraction bar or a root to draw.
    bool IsFormula() const { return formula; }

    // The structure that will be drawn, for tests: "-", "frac(1+sqrt(5),2)".
    QString Structure() const;

    // The size at the given font.
    QSizeF Size(const QFont& font, Form form = Form::Stacked) const;

    // The form an area of the given size holds at the font's own size: the
    // stacked one where it fits, otherwise the one-line one where that fits;
    // nothing where neither does.
    std::optional<Form> FormFor(const QSizeF& area, const QFont& font) const;

    // Draws into the area at the font's size, with the given horizontal
    // alignment, centred vertically; a stacked form is centred on its bar,
    // a form on one line sits where a label puts its line of text.
    void Draw(QPainter& painter, const QRectF& area, const QFont& font, Qt::Alignment alignment,
        Form form = Form::Stacked) const;

    // How far a drawing reaches from the point where its line of text starts
    // on the baseline: right, up and down.
    struct Extent {
        double width = 0;
        double ascent = 0;
        double descent = 0;
    };

    // The stacked form (or the text as it stands) placed on a baseline, as a
    // formula's line holds it.
    Extent Measure(const QFont& font) const;
    void DrawOnBaseline(QPainter& painter, QPointF origin, const QFont& font) const;

    // A formula tree (exact_steps.h) laid out in two dimensions as a
    // textbook prints it: fractions stacked, roots under their bar, raised
    // exponents, Σ with its limits, brackets as tall as what they hold,
    // matrices and tables with aligned columns. Numbers, names and operators
    // keep the font's size; only exponents and Σ's limits are smaller, never
    // below the smallest type (SmallFont).
    static Extent MeasureNode(const MathNode& node, const QFont& font);
    static void DrawNode(QPainter& painter, const MathNode& node, QPointF origin, const QFont& font);

    // The type of exponents and limits under a font.
    static QFont SmallFont(const QFont& font);

private:
    // A run of text, a square root over a run of digits, or a minus sign;
    // `apart` marks a sign between terms, which has room on both sides.
    struct Piece {
        enum Kind { Text, Root, Minus } kind = Text;
        QString text;
        bool apart = false;
    };
    using Row = std::vector<Piece>;

    friend class StepsLayout;

    static Row ParseRow(const QString& text);
    static double RowWidth(const Row& row, const QFont& font);
    static void DrawRow(QPainter& painter, const Row& row, QPointF baseline, const QFont& font);
    void DrawStacked(QPainter& painter, QPointF start, const QFont& font) const;

    bool formula = false;
    bool minus = false; // before the fraction bar
    Row numerator;
    QString denominator; // empty: no fraction
    Row line; // the whole text on one line
};

// The worked steps of a calculation laid out for a given width, one step a
// line of "caption formula remark", substeps indented. Consecutive equation
// chains line up at their first "="; a line wider than the width breaks
// before a top-level "=" (the next line starts with "=" under the first
// one) or, failing that, before a top-level "+" or "-", so that nothing is
// cut off. The window draws it and the PDF prints it, so both look alike.
class StepsLayout {
public:
    // What stands when there are no steps to show.
    static QString NoStepsText();

    StepsLayout(const WorkedSteps& steps, const QFont& font, double width);

    // One line as drawn: where it stands, how high it reaches, and which
    // top-level step it belongs to (-1 for the line shown without steps).
    struct Line {
        double top = 0;
        double height = 0;
        double left = 0;
        double right = 0;
        int step = -1;
    };
    const std::vector<Line>& Lines() const { return lines; }

    // The room every line takes: the width is at most the width asked for
    // unless a part that cannot break is wider.
    QSizeF Size() const;

    // The width it was laid out for.
    double Width() const { return room; }

    // The smallest type any part is drawn in, in points.
    double SmallestPointSize() const { return smallest; }

    // Draws the lines [first, end) with the layout's top-left corner at
    // origin; end -1 for all of them.
    void Draw(QPainter& painter, QPointF origin, int first = 0, int end = -1) const;

private:
    // A piece of a line: a formula's node, or words in their font.
    struct Placed {
        const MathNode* node = nullptr; // null: text
        QString text;
        QFont font;
        double x = 0;
    };

    std::shared_ptr<const WorkedSteps> steps;
    QFont font;
    std::vector<Line> lines;
    std::vector<std::vector<Placed>> placed; // per line
    std::vector<double> baselines; // per line, from its top
    double smallest = 0;
    double room = 0; // the width asked for
};
