// SPDX-License-Identifier: MIT
#pragma once

// What the program does before its first window: answer the command line and
// make sure a window can be opened at all, with messages of its own on the
// terminal instead of Qt's abort.

#include <QByteArray>

#include <optional>

// The command line as read before the application object exists.
struct CommandLine {
    // The exit code when the command line has been answered: 0 after "--help"
    // or "--version", 2 after a usage error. Empty: start the windows.
    std::optional<int> answered;
    // The window system Qt's own options name ("-platform offscreen",
    // "-display :1"); empty when they name none.
    QByteArray platform;
    QByteArray display;
};

// "--help" and "--version" print to standard output and answer 0. Qt's own
// options (-platform, -style, -reverse, -qwindowgeometry, the X11 ones …) are
// accepted and left in argv for the application object, which takes out the
// ones it uses, as in every Qt program; they are recognised here so that
// "--help" and "--version" still answer without a display. Any other argument,
// or a Qt option without its value, prints a short usage error to standard
// error and answers 2. No argument, or only Qt's, answers nothing.
CommandLine ReadCommandLine(int argc, char* argv[]);

// When the window system Qt will try needs a display that neither the
// environment (DISPLAY, WAYLAND_DISPLAY) nor the command line (-display) names,
// prints one line saying which is missing and gives 1. Other platforms
// (offscreen, for example) are left alone.
std::optional<int> CheckDisplay(const CommandLine& line);

// Between these two calls, a window system that cannot be started ends the
// program with one line of its own and exit code 1: a platform plugin that is
// not installed is named, a display that is named but does not answer is
// shown. Qt's messages from the start of the application object are held back
// and passed on afterwards.
void BeginOpeningDisplay(const CommandLine& line);
void EndOpeningDisplay();
