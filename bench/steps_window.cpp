// SPDX-License-Identifier: MIT
// How long 「途中式」 takes: from the click until the steps window is shown
// and painted, on the hard inputs of each screen that has steps: the largest
// GCD pairs; equations with 15-digit complex coefficients and coefficients
// near 1e±150; Σ up to 214 with 15-digit and 1e±300 coefficients; 5 × 5
// systems and matrices of 15-digit decimals and of decimals near 1e±300;
// triangles of each kind. The first press of the run also loads the exact
// module and is reported on its own line as well as counted.
// Usage (under X or offscreen): bench_steps [REPEATS]
// Prints per screen: form median-ms worst-ms presses, then "first-press ms".

#include "calculators.h"
#include "driver.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {

std::mt19937_64 generator(18);

std::string Milliseconds(double value)
{
    char text[32];
    return {text, std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 1).ptr};
}

// A decimal with 15 significant digits, either sign, times 10^power.
QString Decimal15(int power)
{
    QString s = generator() % 2 ? QStringLiteral("-") : QString();
    s += QString::number(1 + generator() % 9) + QLatin1Char('.');
    for (int k = 0; k < 14; ++k)
        s += QChar(u'0' + static_cast<char16_t>(generator() % 10));
    return s + QStringLiteral("e") + QString::number(power);
}

QString Small(int range)
{
    return Decimal15(static_cast<int>(generator() % (2 * range + 1)) - range);
}

struct Case {
    QString form;
    Driver::Inputs inputs;
    QString option = {}; // the size to choose first, if any
};

std::vector<Case> Cases()
{
    std::vector<Case> cases;
    for (const auto& [a, b] : std::vector<std::pair<const char*, const char*>>{{"2147483647", "2147483646"},
             {"1836311903", "1134903170"}, {"2147483646", "1073741823"}, {"1134903170", "701408733"}})
        cases.push_back({QStringLiteral("frmKouyaku"),
            {{QStringLiteral("txtNum_0"), QLatin1String(a)}, {QStringLiteral("txtNum_1"), QLatin1String(b)}}});
    // Each equation screen: its boxes' names and how many coefficients.
    struct Equation {
        QString form, re, im;
        int count;
    };
    const std::vector<Equation> equations{
        {QStringLiteral("frm2ji"), QStringLiteral("txtRP"), QStringLiteral("txtIP"), 3},
        {QStringLiteral("frm3ji"), QStringLiteral("txtNumR"), QStringLiteral("txtNumI"), 4},
        {QStringLiteral("frm4ji"), QStringLiteral("txtRNum"), QStringLiteral("txtINum"), 5}};
    for (const auto& [form, re, im, count] : equations) {
        for (int k = 0; k < 8; ++k) {
            Driver::Inputs inputs;
            const int power = k < 4 ? 3 : 150;
            for (int i = 0; i < count; ++i) {
                inputs.append(
                    {QStringLiteral("%1_%2").arg(re).arg(i), k < 4 ? Small(power) : Decimal15(k % 2 ? power : -power)});
                inputs.append({QStringLiteral("%1_%2").arg(im).arg(i), k % 3 ? Small(3) : QString()});
            }
            cases.push_back({form, inputs});
        }
    }
    // Rational roots with large numerators and denominators: the factor
    // theorem's candidates are too many to list, and the trials and 組立除法
    // carry long integers. (x - 123456789)(2x + 987654321)(3x - 7) and
    // (3x - 1)(7x + 2)(5x - 1234567)(x + 1) times 7 expanded.
    for (const auto& [equation, coefficients] : std::vector<std::pair<Equation, std::vector<const char*>>>{
             {equations[1], {"6", "2222222215", "-365797898523091008", "853528417788446883"}},
             {equations[2], {"735", "-181480649", "-172839485", "25925837", "17283938"}}}) {
        Driver::Inputs inputs;
        for (std::size_t i = 0; i < coefficients.size(); ++i)
            inputs.append({QStringLiteral("%1_%2").arg(equation.re).arg(i), QLatin1String(coefficients[i])});
        cases.push_back({equation.form, inputs});
    }
    // 5 × 5 systems and matrices of 15-digit decimals, and of decimals near
    // 1e±300 whose exact fractions run to hundreds of digits.
    for (const QString& form :
        {QStringLiteral("frmRenritu"), QStringLiteral("frmGyouretusiki"), QStringLiteral("frmGyaku")}) {
        for (int k = 0; k < 6; ++k) {
            Driver::Inputs inputs;
            for (int i = 1; i <= 5; ++i) {
                for (int j = 1; j <= 5; ++j)
                    inputs.append({QStringLiteral("txtNum_%1").arg(5 * (i - 1) + j),
                        k < 4 ? Small(3) : Decimal15(k % 2 ? 300 : -300)});
                if (form == QLatin1String("frmRenritu"))
                    inputs.append({QStringLiteral("txtNumA_%1").arg(i), Small(3)});
            }
            cases.push_back({form, inputs, QStringLiteral("optGen_3")});
        }
    }
    // Triangles of each kind with 15-digit decimals, and sides near 1e±150.
    for (int k = 0; k < 8; ++k) {
        const QString side = k < 6 ? QStringLiteral("3.14159265358979") : QStringLiteral("3.14159265358979e150");
        const QString other = k < 6 ? QStringLiteral("4.12345678901234") : QStringLiteral("4.12345678901234e150");
        const QString third = k < 6 ? QStringLiteral("5.98765432109876") : QStringLiteral("5.98765432109876e150");
        Driver::Inputs inputs;
        switch (k % 4) {
        case 0:
            inputs = {
                {QStringLiteral("txtH_0"), side}, {QStringLiteral("txtH_1"), other}, {QStringLiteral("txtH_2"), third}};
            break;
        case 1:
            inputs = {{QStringLiteral("txtH_0"), side}, {QStringLiteral("txtH_1"), other},
                {QStringLiteral("txtK_2"), QStringLiteral("37.1234567890123")}};
            break;
        case 2:
            inputs = {{QStringLiteral("txtH_2"), third}, {QStringLiteral("txtK_0"), QStringLiteral("45")},
                {QStringLiteral("txtK_1"), QStringLiteral("75")}};
            break;
        default:
            inputs = {{QStringLiteral("txtH_0"), third}, {QStringLiteral("txtH_1"), side},
                {QStringLiteral("txtK_0"), QStringLiteral("15")}};
            break;
        }
        for (const char* box : {"txtH_0", "txtH_1", "txtH_2", "txtK_0", "txtK_1", "txtK_2"})
            if (std::none_of(inputs.begin(), inputs.end(),
                    [box](const auto& input) { return input.first == QLatin1String(box); }))
                inputs.append({QLatin1String(box), QString()});
        cases.push_back({QStringLiteral("frmSankaku"), inputs});
    }
    for (int k = 0; k < 6; ++k) {
        Driver::Inputs inputs{{QStringLiteral("txtFirst"), QString::number(generator() % 50)},
            {QStringLiteral("txtLast"), QStringLiteral("214")}};
        for (const char* box : {"txt3jou", "txt2jou", "txt1jou", "txt0jou"})
            inputs.append({QLatin1String(box), k < 3 ? Small(3) : Decimal15(k % 2 ? 290 : -300)});
        cases.push_back({QStringLiteral("frmSiguma"), inputs});
    }
    return cases;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const int repeats = argc > 1 ? std::atoi(argv[1]) : 5;
    double first = -1;
    for (const QString& form : {QStringLiteral("frmKouyaku"), QStringLiteral("frm2ji"), QStringLiteral("frm3ji"),
             QStringLiteral("frm4ji"), QStringLiteral("frmSiguma"), QStringLiteral("frmRenritu"),
             QStringLiteral("frmGyouretusiki"), QStringLiteral("frmGyaku"), QStringLiteral("frmSankaku")}) {
        std::vector<double> times;
        Driver::OpenCalculator(form);
        const Driver::CalculatorInfo& info = Driver::CalculatorOf(form);
        for (const Case& c : Cases()) {
            if (c.form != form)
                continue;
            if (!c.option.isEmpty())
                Driver::Click(form, c.option);
            Driver::Fill(form, c.inputs);
            // Numbers the decimal calculation refuses end with a message.
            if (Driver::ClickForMessage(form, info.calculate))
                continue;
            auto* steps = Driver::Control<QPushButton>(form, QStringLiteral("cmdSteps"));
            if (!steps || !steps->isEnabled())
                return 1;
            for (int r = 0; r < repeats; ++r) {
                // A new calculation each time, so that every press works the
                // steps out afresh (a window reopened after the same one
                // only shows what it has).
                if (r > 0 && Driver::ClickForMessage(form, info.calculate))
                    return 1;
                QElapsedTimer timer;
                timer.start();
                QTest::mouseClick(steps, Qt::LeftButton);
                QWidget* window = Driver::Window(QStringLiteral("frmSteps"));
                if (!window || !QTest::qWaitForWindowExposed(window))
                    return 1;
                window->repaint();
                const double ms = timer.nsecsElapsed() / 1e6;
                if (first < 0)
                    first = ms;
                times.push_back(ms);
                window->close();
                QApplication::processEvents();
            }
        }
        if (times.empty())
            return 1;
        std::sort(times.begin(), times.end());
        std::printf("%s %s %s %zu\n", qPrintable(form), Milliseconds(times[times.size() / 2]).c_str(),
            Milliseconds(times.back()).c_str(), times.size());
    }
    std::printf("first-press %s\n", Milliseconds(first).c_str());
    Driver::CloseAll();
    return 0;
}
