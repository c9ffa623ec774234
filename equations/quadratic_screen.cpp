// SPDX-License-Identifier: MIT
#include "quadratic_screen.h"

#include "quadratic.h"

namespace {

using Item = EquationItem;

// (a + a i) x² + (b + b i) x
//                    + (c + c i) = 0
const EquationForm kForm{
    .caption = QStringLiteral("２次方程式－Kalvora"),
    .instruction = {"Label9", "係数を入力してください"},
    .note = {"Label10", "空白の場合は０と見なします"},
    .realBox = "txtRP",
    .imaginaryBox = "txtIP",
    .realResult = "lblRAnswer",
    .imaginaryResult = "lblIAnswer",
    .firstLine = {Item::Text("Label7", "("), Item::Real(0), Item::Text("Label11", "+"), Item::Imaginary(0),
        Item::Power("Label1", "i ) x + (", "Label4", "2"), Item::Real(1), Item::Text("Label5", "+"), Item::Imaginary(1),
        Item::Text("Label2", "i ) x")},
    .secondLine = {Item::Text("Label14", "+ ("), Item::Real(2), Item::Text("Label12", "+"), Item::Imaginary(2),
        Item::Text("Label3", "i ) = 0")},
    .secondLineUnder = 5, // under b's real part
    .heading = {"Label6", "ｘ="},
    .headingAbove = false,
    .rows = {{"Label13", {{"Label17", "i"}, {"Label8", "，"}}}, {"Label16", {{"Label18", "i"}}}},
    .realPartsFirst = true,
    .steps = true,
};

} // namespace

frm2ji::frm2ji()
    : PolynomialScreen(kForm)
{
    OnCalculate(&frm2ji::Command3_Click);
}

void frm2ji::Command3_Click()
{
    const auto outcome = Solve2ji(ReadKeisuu());
    if (const auto* Kai = Accept(outcome))
        ShowKai(*Kai);
}
