// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>
#include <QRectF>
#include <QString>

#include <vector>

class QPainter;

// An exact result drawn as a textbook draws it. The label's text stays the
// linear form "(c₁√m₁ + c₂√m₂ + …)/d" ("-3/7", "(1+√5)/2", "3√15/4"); this
// draws the fraction as numerator over a bar over denominator, with a
// single-term fraction's minus sign in front of the bar, and each square root
// as "√" with its bar over the radicand. A text that is not such a form (a
// decimal, "≈1.260") is drawn as it stands.
class MathText {
public:
    explicit MathText(const QString& text);

    // True when the text is a form with a fraction bar or a root to draw.
    bool IsFormula() const { return formula; }

    // The structure that will be drawn, for tests: "-", "frac(1+sqrt(5),2)".
    QString Structure() const;

    // The size at the given font, before any scaling.
    QSizeF Size(const QFont& font) const;

    // Draws into the area, scaled down (never up) to fit it, with the given
    // horizontal alignment, centred vertically.
    void Draw(QPainter& painter, const QRectF& area, const QFont& font, Qt::Alignment alignment) const;

private:
    // A run of text, or a square root over a run of digits.
    struct Piece {
        QString text;
        bool root = false;
    };
    using Row = std::vector<Piece>;

    static Row ParseRow(const QString& text);
    static double RowWidth(const Row& row, const QFont& font);
    static void DrawRow(QPainter& painter, const Row& row, QPointF baseline, const QFont& font);

    bool formula = false;
    QString sign; // before the fraction bar
    Row numerator;
    QString denominator; // empty: no fraction
};
