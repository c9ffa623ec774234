// SPDX-License-Identifier: MIT
#include "quartic_screen.h"

#include "quartic.h"

namespace {

using Item = EquationItem;

// (a + a i) x⁴ + (b + b i) x³ + (c + c i) x²
//                + (d + d i) x + (e + e i) = 0
const EquationForm kForm{
    .caption = QStringLiteral("４次方程式－Kalvora"),
    .instruction = {"Label13", "係数を入力してください"},
    .note = {"Label14", "空白の場合は０と見なします"},
    .realBox = "txtRNum",
    .imaginaryBox = "txtINum",
    .realResult = "lblRNum",
    .imaginaryResult = "lblINum",
    .firstLine = {Item::Text("Label1", "("), Item::Real(0), Item::Text("Label2", "+"), Item::Imaginary(0),
        Item::Power("Label3", "i ) x + ( ", "Label15", "4"), Item::Real(1), Item::Text("Label4", "+"),
        Item::Imaginary(1), Item::Power("Label5", "i ) x + (", "Label16", "3"), Item::Real(2),
        Item::Text("Label6", "+"), Item::Imaginary(2), Item::Power("Label7", "i ) x", "Label17", "2")},
    .secondLine = {Item::Text("Label8", "+ ("), Item::Real(3), Item::Text("Label9", "+"), Item::Imaginary(3),
        Item::Text("Label10", "i ) x + ("), Item::Real(4), Item::Text("Label11", "+"), Item::Imaginary(4),
        Item::Text("Label12", "i ) = 0")},
    .secondLineUnder = 5, // under the x³ coefficient's real part
    .heading = {"Label18", "x ="},
    .headingAbove = false,
    .rows = {{"Label21", {{"Label31", "i  ,"}}}, {"Label23", {{"Label32", "i  ,"}}}, {"Label26", {{"Label33", "i  ,"}}},
        {"Label29", {{"Label34", "i"}}}},
    .realPartsFirst = false,
    .steps = true,
};

} // namespace

frm4ji::frm4ji()
    : PolynomialScreen(kForm)
{
    OnCalculate(&frm4ji::Command3_Click);
}

void frm4ji::Command3_Click()
{
    const auto outcome = Solve4ji(ReadKeisuu());
    if (const auto* Kai = Accept(outcome))
        ShowKai(*Kai);
}
