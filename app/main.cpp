// SPDX-License-Identifier: MIT
#include "application.h"
#include "command_line.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    // The command line is read before the application object, which needs a
    // display, so that --help and --version answer without one; the object
    // then takes Qt's own options out of argv.
    const CommandLine line = ReadCommandLine(argc, argv);
    if (line.answered)
        return *line.answered;
    if (const std::optional<int> code = CheckDisplay(line))
        return *code;
    BeginOpeningDisplay(line);
    QApplication app(argc, argv);
    EndOpeningDisplay();
    StartKalvora(app);
    return RunKalvora(app);
}
