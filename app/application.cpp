// SPDX-License-Identifier: MIT
#include "application.h"

#include "accessibility.h"
#include "navigation.h"
#include "version.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>
#include <QWidget>

#include <cstdio>

QString MissingFontWarning(const QList<QFontDatabase::WritingSystem>& systems)
{
    if (systems.contains(QFontDatabase::Japanese))
        return {};
    return QStringLiteral("kalvora: no installed font covers Japanese, so its texts show as empty boxes; "
                          "install the package fonts-noto-cjk");
}

void StartKalvora(QApplication& app)
{
    // The pictures are compiled into the user-interface library; a static
    // library's resources are registered by hand.
    Q_INIT_RESOURCE(resources);
    InstallAccessibility();

    QApplication::setApplicationName(QStringLiteral("Kalvora"));
    QApplication::setApplicationVersion(QStringLiteral(KALVORA_VERSION));
    QApplication::setOrganizationName(QStringLiteral("Kalvora"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.kalvora.kalvora"));

    // The icon files are read only when a window first needs them.
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128})
        icon.addFile(QStringLiteral(":/kalvora/icon-%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);

    // Qt's own words (the input boxes' right-click menu) in Japanese, like
    // the rest of the program, when the translations are installed.
    static QTranslator qtWords;
    if (qtWords.load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtWords);

    // Japanese glyphs from a Japanese font, whatever the locale: without a
    // preference the font matcher may pick the Chinese forms of the kanji.
    QFont font = app.font();
    font.setFamilies({QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAexGothic"), QStringLiteral("IPAGothic"),
        QStringLiteral("VL Gothic"), font.family()});
    app.setFont(font);
    // The program still starts; the terminal says what is missing.
    const QString warning = MissingFontWarning(QFontDatabase::writingSystems());
    if (!warning.isEmpty())
        std::fprintf(stderr, "%s\n", qPrintable(warning));

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
