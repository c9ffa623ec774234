// SPDX-License-Identifier: MIT
#pragma once

// What the program does before its first window: answer the command line and
// make sure a window can be opened at all, with messages of its own on the
// terminal instead of Qt's abort.

#include <optional>

// "--help" and "--version" print to standard output and give 0; any other
// argument prints a short usage error to standard error and gives 2. No
// argument gives nothing: the program starts its windows.
std::optional<int> AnswerCommandLine(int argc, char* argv[]);

// When the window system Qt will try needs a display that the environment does
// not name (no DISPLAY, no WAYLAND_DISPLAY), prints one line saying which
// variable is missing and gives 1. Other platforms (offscreen, for example)
// are left alone.
std::optional<int> CheckDisplay();

// Between these two calls, a display that is named but does not answer ends
// the program with one line of its own and exit code 1; Qt's messages from the
// start of the application object are held back and passed on afterwards.
void BeginOpeningDisplay();
void EndOpeningDisplay();
