// SPDX-License-Identifier: MIT
#pragma once

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
    void SetValue(const QString& value);

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
    // The exponent form that fits, if the text is a number.
    std::optional<ExponentForm> ShortForm() const;
    QFont ExponentFont() const;
    int Width(const ExponentForm& form) const;
};
