// SPDX-License-Identifier: MIT
// How long each calculator takes to open from the menu: from the click until
// its window is exposed and painted, on the real windowing system.
// Usage (under X): bench_open [REPEATS]
// Prints one line per calculator: menu-button median-ms min-ms max-ms

#include "driver.h"
#include "menu_screen.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <string>
#include <vector>

// Milliseconds with one decimal and a full stop, whatever locale QApplication
// switched the C library to.
static std::string Milliseconds(double value)
{
    char text[32];
    return {text, std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 1).ptr};
}

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const int repeats = argc > 1 ? std::atoi(argv[1]) : 11;
    for (const MenuButton& button : MenuButtons()) {
        if (!button.calculator.create)
            continue;
        const QString name = QLatin1String(button.name);
        std::vector<double> times;
        for (int i = 0; i < repeats; ++i) {
            Driver::StartFresh();
            QWidget* menu = Driver::Window(QStringLiteral("frmOpening"));
            if (!QTest::qWaitForWindowExposed(menu))
                return 1;
            QElapsedTimer timer;
            timer.start();
            QTest::mouseClick(menu->findChild<QWidget*>(name), Qt::LeftButton);
            QWidget* calculator = nullptr;
            for (QWidget* window : QApplication::topLevelWidgets())
                if (window->isVisible() && window != menu)
                    calculator = window;
            if (!calculator || !QTest::qWaitForWindowExposed(calculator))
                return 1;
            calculator->repaint();
            times.push_back(timer.nsecsElapsed() / 1e6);
        }
        std::sort(times.begin(), times.end());
        std::printf("%s %s %s %s\n", button.name, Milliseconds(times[times.size() / 2]).c_str(),
            Milliseconds(times.front()).c_str(), Milliseconds(times.back()).c_str());
    }
    Driver::CloseAll();
    return 0;
}
