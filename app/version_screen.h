// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class LineControl;

// The version screen: the program's name and version and the credit lines.
// It lives beside the other windows until its OK button closes it.
class frmVersion : public QWidget {
    Q_OBJECT

public:
    frmVersion();

private:
    void CreateControls();
    void LayOut();
    void Connect();
    void Command1_Click();

    QLabel* Image1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    LineControl* Line1 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QPushButton* Command1 = nullptr;
    QLabel* Label5 = nullptr;
};
