// SPDX-License-Identifier: MIT
#pragma once

#include "calculator_screen.h"
#include "complex.h"

#include <QString>

#include <array>
#include <cstddef>
#include <vector>

class QHBoxLayout;
class QLabel;
class QLineEdit;

// One piece of the written equation: a static label (its caption may carry a
// raised exponent after its first x), or the real or imaginary box of a
// coefficient.
struct EquationItem {
    enum class Kind { Text, Real, Imaginary };

    static EquationItem Text(const char* name, const char* caption) { return {Kind::Text, name, caption, {}, {}, 0}; }
    // A caption such as "i ) x + (" with the exponent raised over its x.
    static EquationItem Power(const char* name, const char* caption, const char* exponentName, const char* exponent)
    {
        return {Kind::Text, name, caption, exponentName, exponent, 0};
    }
    static EquationItem Real(int index) { return {Kind::Real, {}, {}, {}, {}, index}; }
    static EquationItem Imaginary(int index) { return {Kind::Imaginary, {}, {}, {}, {}, index}; }

    Kind kind;
    QString name;
    QString caption;
    QString exponentName;
    QString exponent;
    int index;
};

// One result line: real part, the fixed "+", imaginary part, then its closing
// labels ("i", a separator).
struct ResultRow {
    const char* plusName;
    std::vector<std::pair<const char*, const char*>> closing;
};

// Everything that tells the three equation screens apart: names, captions and
// the shape of the written equation and of the result block. The number of
// coefficients is not here: it follows from the screen's degree.
struct EquationForm {
    QString caption;
    std::pair<const char*, const char*> instruction; // name, caption
    std::pair<const char*, const char*> note;
    const char* realBox; // control array of the coefficients' real parts
    const char* imaginaryBox;
    const char* realResult; // control array of the roots' real parts
    const char* imaginaryResult;
    std::vector<EquationItem> firstLine;
    std::vector<EquationItem> secondLine;
    int secondLineUnder; // the first-line item whose left edge the second line starts at
    std::pair<const char*, const char*> heading; // of the result block
    bool headingAbove; // on a line of its own, or beside the first result
    std::vector<ResultRow> rows; // one per root
    bool realPartsFirst; // tab order: every real part, then every imaginary part
    bool steps = false; // 「途中式」: in the indent of the second line, or beside a heading of its own
};

// A screen that solves one polynomial equation with complex coefficients: the
// equation written on two lines with a box for each real and imaginary part,
// the roots below it, one per line. Init empties the boxes (real then
// imaginary part of each coefficient) and then the result labels.
class EquationScreen : public CalculatorScreen {
    Q_OBJECT

protected:
    EquationScreen(const EquationForm& form, int degree);

    void Init() override;
    QString ResultsText() const override;

    // The value of coefficient i (0 for the highest power) as typed.
    Complex Coefficient(std::size_t i) const;

    // Writes each root with three decimals, real part then imaginary part.
    void Show(const Complex* Kai, std::size_t count);

private:
    void CreateControls(const EquationForm& form, int degree);
    void LayOut(const EquationForm& form);
    QHBoxLayout* BuildLine(const std::vector<EquationItem>& items);
    void PlaceSteps(QHBoxLayout* first, QHBoxLayout* second);
    void PlaceStepsBesideHeading(QWidget* heading, QWidget* firstRoot);
    void SetKeyboardOrder(bool realPartsFirst);

    std::vector<QLineEdit*> txtRe;
    std::vector<QLineEdit*> txtIm;
    std::vector<QLabel*> lblRe;
    std::vector<QLabel*> lblIm;
};

// The equation screen of one degree: it reads exactly Degree + 1 coefficients
// and shows exactly Degree roots, so the boxes, the solver and the result rows
// cannot disagree.
template<std::size_t Degree> class PolynomialScreen : public EquationScreen {
protected:
    explicit PolynomialScreen(const EquationForm& form)
        : EquationScreen(form, static_cast<int>(Degree))
    {
    }

    // The coefficients as typed, highest power first; a blank box gives 0.
    std::array<Complex, Degree + 1> ReadKeisuu() const
    {
        std::array<Complex, Degree + 1> Keisuu;
        for (std::size_t i = 0; i <= Degree; ++i)
            Keisuu[i] = Coefficient(i);
        return Keisuu;
    }

    void ShowKai(const std::array<Complex, Degree>& Kai) { Show(Kai.data(), Degree); }
};
