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

    // True when the whole text fits at the label's own type size.
    bool Fits() const;

    // What the label draws: its text when it fits, otherwise the exponent form
    // written with superscript digits.
    QString Shown() const;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void Display(const QString& shown);

    // The exponent form that fits, if the text is a number.
    std::optional<ExponentForm> ShortForm() const;
    QFont ExponentFont() const;
    int Width(const ExponentForm& form) const;

    QString decimal;
    QString exact;
    ExactText exactSource;
    bool exactKnown = false;
    bool exactView = false;
};
