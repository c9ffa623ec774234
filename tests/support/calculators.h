// SPDX-License-Identifier: MIT
#pragma once

// The calculators the menu offers, read from the menu's own button table, so
// that a test walks every calculator there is and names each one once.

#include <QList>
#include <QString>

namespace Driver {

struct CalculatorInfo {
    QString button; // the menu button that opens it: "cmd2ji"
    QString text; // that button's caption: "２次方程式"
    QString form; // its window's objectName: "frm2ji"
    // The buttons of its bottom row, 戻る, 初期化 and 計算！.
    QString back;
    QString reset;
    QString calculate;
};

// Every calculator, in the menu's reading order.
const QList<CalculatorInfo>& Calculators();

// The calculator whose window has this objectName. Stops the test program
// when the menu opens no such window.
const CalculatorInfo& CalculatorOf(const QString& form);

// Starts afresh and opens the calculator with its menu button.
void OpenCalculator(const QString& form);

} // namespace Driver
