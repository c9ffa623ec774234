// SPDX-License-Identifier: MIT
#pragma once

#include <QFontDatabase>
#include <QList>
#include <QString>

class QApplication;

// The line StartKalvora prints on standard error when none of the installed
// fonts' writing systems is Japanese (every Japanese text would show as empty
// boxes); empty when one is.
QString MissingFontWarning(const QList<QFontDatabase::WritingSystem>& systems);

// Prepares the application object (names, the Japanese font) and shows the
// menu, after a warning on standard error if no font covers Japanese. Nothing
// else runs before the user's first click.
void StartKalvora(QApplication& app);

// Runs the event loop until the program ends, then destroys the windows that
// the farewell left open. Returns the exit code.
int RunKalvora(QApplication& app);
