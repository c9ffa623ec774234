// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>
#include <QRectF>
#include <QString>

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

private:
    // A run of text, a square root over a run of digits, or a minus sign;
    // `apart` marks a sign between terms, which has room on both sides.
    struct Piece {
        enum Kind { Text, Root, Minus } kind = Text;
        QString text;
        bool apart = false;
    };
    using Row = std::vector<Piece>;

    static Row ParseRow(const QString& text);
    static double RowWidth(const Row& row, const QFont& font);
    static void DrawRow(QPainter& painter, const Row& row, QPointF baseline, const QFont& font);

    bool formula = false;
    bool minus = false; // before the fraction bar
    Row numerator;
    QString denominator; // empty: no fraction
    Row line; // the whole text on one line
};
