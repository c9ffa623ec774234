// SPDX-License-Identifier: MIT
#include "message_box.h"

#include <QGridLayout>
#include <QMessageBox>
#include <QWidget>

void ShowMessage(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Kalvora"), text, QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("msgKalvora"));
    // Application-modal: while it is open no window of the program takes input.
    box.setWindowModality(Qt::ApplicationModal);
    // Wide enough for its title in the window frame, however short the text.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(240, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
            grid->columnCount());
    box.exec();
    // Give the keyboard back to the window the message came from, as a window
    // manager would; the focus returns to where it was or where the caller
    // moves it next.
    if (parent)
        parent->window()->activateWindow();
}

QString FaultMessage()
{
    return QStringLiteral("この値では計算できません。入力した数値を確かめてください");
}
