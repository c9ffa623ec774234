// SPDX-License-Identifier: MIT
#pragma once

#include "exact_types.h"

#include <QLabel>

#include <optional>

// A number in exponent form: `mantissa`×10 raised to `exponent`.
struct ExponentForm {
    QString mantissa; // "-1.000"
    int exponent; // 20

    bool operator==(const ExponentForm&) const = default;
};

// A decimal number as the screens write it ("-100000000000000000000.000",
// "1.23456789012346E+20") in exponent form with `decimals` decimals in the
// mantissa, rounded half up on its decimal digits; nothing for zero and for a
// text that is not a number.
std::optional<ExponentForm> ToExponentForm(const QString& number, int decimals);

// The invokable method by which a window that gathers its results copies them
// all; a result's menu offers it where its window has it.
inline constexpr char kCopyResultsMethod[] = "CopyResults()";

// A label that shows a result. Its text is always the whole result, and so is
// what a screen reader reads and what "コピー" (right click) copies. A result
// wider than the label is drawn in exponent form instead ("-1.000×10²⁰"),
// with as many decimals as the result shows when they fit and fewer when they
// do not, in the label's own alignment; the whole result is in the tool tip.
// Inside a calculator the same menu copies every result of the screen. A
// double click selects the whole number.
//
// In the exact view every result is drawn at the label's own type size,
// never smaller than the decimals: a fraction stacked where the label holds
// it, otherwise on one line ("(1+√5)/2"), otherwise "≈" and its decimal
// value; a whole number too wide for the label is "≈" and its exponent form,
// since the digits drawn are no longer the exact number. The tool tip then
// says why the label shows "≈".
class ResultLabel : public QLabel {
    Q_OBJECT

public:
    explicit ResultLabel(QWidget* parent);

    // Shows a new result (empty for none) and tells assistive technology.
    // The result's exact form is unknown until SetExact gives it.
    void SetValue(const QString& value);

    // The same result in the exact view: its canonical exact text, "≈" and
    // the decimal text, or nothing at all where the exact view has no result
    // to show. Shown while the exact view is on.
    // `source` is the form it came from, with the reason when there is no
    // exact text.
    void SetExact(const QString& exact, const ExactText& source = {});
    const ExactText& ExactSource() const { return exactSource; }

    // Switches between the decimal view (the default) and the exact view. A
    // result whose exact form is not known yet keeps its decimal text.
    void SetExactView(bool on);
    bool HasExact() const { return exactKnown; }

    // The label's sign is written by a label before it, the "+" between a
    // root's real and imaginary parts: in the exact view a negative result
    // is drawn without its minus, which SignApartChanged hands to that label
    // to write instead of "+" ("− √3/2 i"). Its text keeps the minus.
    void SetSignApart(bool apart);
    bool MinusApart() const { return minusApart; }

    // In the exact view the label grows as tall as a stacked fraction at its
    // type size needs; the decimal view keeps the height it was given.
    void SetRoomForFractions(bool room);

    // True when the whole text is drawn, at the label's own type size.
    bool Fits() const;

    // What the label draws, on one line: its text when it fits (without a
    // minus written apart), a fraction as its linear text, otherwise "≈" or
    // the exponent form written with superscript digits.
    QString Shown() const;

    // Why the exact view shows "≈" or differs from the decimal view, in
    // words for the tool tip; empty when it needs none.
    QString Reasons() const;

signals:
    // The exact view draws the result's minus apart (true) or not (false).
    void SignApartChanged(bool minus);

    // The label now shows `shown` (its text in the view that is on).
    void Displayed(const QString& shown);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    // How the label draws what it shows.
    struct Plan {
        enum Kind { Plain, Math, Exponent } kind = Plain;
        QString text; // Plain and Math: the text drawn; Exponent: its prefix
        bool whole = true; // the whole result is drawn
        int form = 0; // Math: a MathText::Form
        std::optional<ExponentForm> exponent;

        static Plan Of(Kind kind, QString text, bool whole, int form = 0, std::optional<ExponentForm> exponent = {})
        {
            Plan plan;
            plan.kind = kind;
            plan.text = std::move(text);
            plan.whole = whole;
            plan.form = form;
            plan.exponent = std::move(exponent);
            return plan;
        }
    };
    Plan MakePlan() const;
    Plan Approximate(const QString& number) const;

    void Display(const QString& shown);
    void UpdateSign();
    void UpdateHeight();
    bool ExactShown() const { return exactView && exactKnown; }
    // The text drawn: the label's text, without a minus written apart.
    QString Drawn() const;
    // The decimal text of the true value where the exact calculation gives
    // it, otherwise the decimal text.
    QString TrueDecimal() const;
    bool PlainFits(const QString& text) const;
    QRect MathArea() const;

    // The exponent form of `number` that fits with `prefix` before it, from
    // `decimals` decimals down.
    std::optional<ExponentForm> ShortForm(const QString& number, const QString& prefix, int decimals) const;
    QFont ExponentFont() const;
    int Width(const QString& prefix, const ExponentForm& form) const;

    QString decimal;
    QString exact;
    ExactText exactSource;
    bool exactKnown = false;
    bool exactView = false;
    bool signApart = false;
    bool minusApart = false;
    bool roomForFractions = false;
    int decimalMinimumHeight = -1;
    int decimalMaximumHeight = -1;
};
