// SPDX-License-Identifier: MIT
// The lightest Qt Widgets window: a label.
#include <QApplication>
#include <QLabel>
int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("Kalvora"));
    label.setWindowTitle(QStringLiteral("Kalvora"));
    label.show();
    return app.exec();
}
