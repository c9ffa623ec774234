// SPDX-License-Identifier: MIT
#include "quadratic_screen.h"

#include "quadratic.h"

namespace {

using Item = EquationItem;

// (a + a i) x² + (b + b i) x
//                    + (c + c i) = 0
const EquationForm kForm{
    QStringLiteral("２次方程式－Kalvora"),
    {"Label9", "係数を入力してください"},
    {"Label10", "空白の場合は０と見なします"},
    3,
    "txtRP",
    "txtIP",
    "lblRAnswer",
    "lblIAnswer",
    {Item::Text("Label7", "("), Item::Real(0), Item::Text("Label11", "+"), Item::Imaginary(0),
        Item::Power("Label1", "i ) x + (", "Label4", "2"), Item::Real(1), Item::Text("Label5", "+"), Item::Imaginary(1),
        Item::Text("Label2", "i ) x")},
    {Item::Text("Label14", "+ ("), Item::Real(2), Item::Text("Label12", "+"), Item::Imaginary(2),
        Item::Text("Label3", "i ) = 0")},
    5, // under b's real part
    {"Label6", "ｘ="},
    false,
    {{"Label13", {{"Label17", "i"}, {"Label8", "，"}}}, {"Label16", {{"Label18", "i"}}}},
    true,
};

} // namespace

frm2ji::frm2ji()
    : EquationScreen(kForm)
{
    OnCalculate(&frm2ji::Command3_Click);
}

void frm2ji::Command3_Click()
{
    const auto outcome = Solve2ji(ReadKeisuu<3>());
    if (const auto* Kai = Accept(outcome))
        ShowKai(*Kai);
}
