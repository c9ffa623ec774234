// SPDX-License-Identifier: MIT
#include "application.h"

#include "navigation.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

void StartKalvora(QApplication& app)
{
    QApplication::setApplicationName(QStringLiteral("Kalvora"));
    QApplication::setApplicationVersion(QStringLiteral("1.0"));
    QApplication::setOrganizationName(QStringLiteral("Kalvora"));

    // Japanese glyphs from a Japanese font, whatever the locale: without a
    // preference the font matcher may pick the Chinese forms of the kanji.
    QFont font = app.font();
    font.setFamilies({QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAexGothic"), QStringLiteral("IPAGothic"),
        QStringLiteral("VL Gothic"), font.family()});
    app.setFont(font);

    Navigation::ShowMenu();
}

int RunKalvora(QApplication& app)
{
    const int code = app.exec();
    QList<QPointer<QWidget>> left;
    for (QWidget* window : QApplication::topLevelWidgets())
        left.append(window);
    for (const QPointer<QWidget>& window : left)
        delete window.data();
    return code;
}
