// SPDX-License-Identifier: MIT
#pragma once

class QApplication;

// Prepares the application object (names, the Japanese font) and shows the
// menu. Nothing else runs before the user's first click.
void StartKalvora(QApplication& app);

// Runs the event loop until the program ends, then destroys the windows that
// the farewell left open. Returns the exit code.
int RunKalvora(QApplication& app);
