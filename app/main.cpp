// SPDX-License-Identifier: MIT
#include "application.h"
#include "command_line.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    if (const std::optional<int> code = AnswerCommandLine(argc, argv))
        return *code;
    if (const std::optional<int> code = CheckDisplay())
        return *code;
    BeginOpeningDisplay();
    QApplication app(argc, argv);
    EndOpeningDisplay();
    StartKalvora(app);
    return RunKalvora(app);
}
