// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

// The version screen: the program's name and version and the credit lines.
// It lives beside the other windows until its OK button closes it.
class frmVersion : public QWidget {
    Q_OBJECT

public:
    frmVersion();

private:
    void Command1_Click();
};
