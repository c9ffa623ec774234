// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

class QWidget;

// The one message box of the program: modal, titled "Kalvora", the text, a
// single OK button and no icon. Returns when the user has pressed OK.
void ShowMessage(QWidget* parent, const QString& text);

// What a calculator says when its arithmetic cannot be carried out (a number
// beyond the double range, a division by zero, an invalid root).
QString FaultMessage();
