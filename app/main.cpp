// SPDX-License-Identifier: MIT
#include "application.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    StartKalvora(app);
    return RunKalvora(app);
}
