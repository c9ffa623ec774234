// SPDX-License-Identifier: MIT
#include "calculators.h"

#include "driver.h"
#include "menu_screen.h"

#include <QMetaObject>

#include <algorithm>
#include <map>

namespace Driver {

namespace {

struct ButtonRow {
    const char* back;
    const char* reset;
    const char* calculate;
};

// What the menu does not know: the names of a calculator's bottom row. Most
// number theirs from the left; these three keep names of their own.
const std::map<QString, ButtonRow> kOwnButtonRows{
    {QStringLiteral("frmKouyaku"), {"Command3", "Command2", "Command1"}},
    {QStringLiteral("frmSiguma"), {"cmdBack", "cmdFirst", "cmdKeisan"}},
    {QStringLiteral("frmSankaku"), {"Command1", "cmdShokika", "cmdKeisan"}},
};
constexpr ButtonRow kNumberedRow{"Command1", "Command2", "Command3"};

QList<CalculatorInfo> Read()
{
    QList<CalculatorInfo> calculators;
    for (const MenuButton& button : MenuButtons()) {
        if (!button.calculator.create)
            continue;
        const QString form = QLatin1String(button.calculator.form->className());
        const auto own = kOwnButtonRows.find(form);
        const ButtonRow& row = own == kOwnButtonRows.end() ? kNumberedRow : own->second;
        calculators.append({QLatin1String(button.name), QString::fromUtf8(button.text), form, QLatin1String(row.back),
            QLatin1String(row.reset), QLatin1String(row.calculate)});
    }
    return calculators;
}

} // namespace

const QList<CalculatorInfo>& Calculators()
{
    static const QList<CalculatorInfo> calculators = Read();
    return calculators;
}

const CalculatorInfo& CalculatorOf(const QString& form)
{
    const QList<CalculatorInfo>& all = Calculators();
    const auto found
        = std::find_if(all.begin(), all.end(), [&form](const CalculatorInfo& c) { return c.form == form; });
    if (found == all.end())
        qFatal("the menu opens no calculator %s", qPrintable(form));
    return *found;
}

void OpenCalculator(const QString& form)
{
    OpenFromMenu(CalculatorOf(form).button);
}

} // namespace Driver
