// SPDX-License-Identifier: MIT
#include "cubic_screen.h"

#include "cubic.h"

namespace {

using Item = EquationItem;

// (a + a i) x³ + (b + b i) x² +
//   (c + c i) x + (d + d i) = 0
const EquationForm kForm{
    .caption = QStringLiteral("３次方程式－Kalvora"),
    .instruction = {"Label14", "係数を入力してください。"},
    .note = {"Label16", "空白の場合は０と見なします。"},
    .realBox = "txtNumR",
    .imaginaryBox = "txtNumI",
    .realResult = "lblRAns",
    .imaginaryResult = "lblIAns",
    .firstLine = {Item::Text("Label3", "("), Item::Real(0), Item::Text("Label1", "+"), Item::Imaginary(0),
        Item::Power("Label2", "i ) x + (", "Label4", "3"), Item::Real(1), Item::Text("Label5", "+"), Item::Imaginary(1),
        Item::Power("Label6", "i ) x +", "Label7", "2")},
    .secondLine = {Item::Text("Label8", "("), Item::Real(2), Item::Text("Label9", "+"), Item::Imaginary(2),
        Item::Text("Label10", "i ) x + ("), Item::Real(3), Item::Text("Label11", "+"), Item::Imaginary(3),
        Item::Text("Label12", "i ) = 0")},
    .secondLineUnder = 1, // under a's real part
    .heading = {"Label13", "x="},
    .headingAbove = true,
    .rows = {{"Label15", {{"Label17", "i"}}}, {"Label19", {{"Label21", "i"}}}, {"Label23", {{"Label25", "i"}}}},
    .realPartsFirst = false,
    .steps = true,
};

} // namespace

frm3ji::frm3ji()
    : PolynomialScreen(kForm)
{
    OnCalculate(&frm3ji::Command3_Click);
}

void frm3ji::Command3_Click()
{
    const auto outcome = Solve3ji(ReadKeisuu());
    if (const auto* Kai = Accept(outcome))
        ShowKai(*Kai);
}
